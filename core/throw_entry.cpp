#include "core/throw_entry.hpp"

#include <algorithm>
#include <optional>

namespace zelvo {

namespace {

// Decodes UTF-8 one code point at a time; malformed text yields kInvalid,
// which matches nothing the grammar accepts.
class CodePoints {
public:
    static constexpr char32_t kInvalid = 0xFFFFFFFF;

    explicit CodePoints(std::string_view text) : text(text) {}

    bool atEnd() const { return pos >= text.size(); }

    char32_t peek() const
    {
        std::size_t length = 0;
        return decode(length);
    }

    void advance()
    {
        std::size_t length = 0;
        decode(length);
        pos += length;
    }

private:
    char32_t decode(std::size_t& length) const
    {
        const auto lead = static_cast<unsigned char>(text[pos]);
        length = 1;
        if (lead < 0x80)
            return lead;
        int continuation = 0;
        char32_t value = 0;
        char32_t minimum = 0;
        if ((lead & 0xE0) == 0xC0) {
            continuation = 1;
            value = lead & 0x1F;
            minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            continuation = 2;
            value = lead & 0x0F;
            minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            continuation = 3;
            value = lead & 0x07;
            minimum = 0x10000;
        } else {
            return kInvalid;
        }
        if (text.size() - pos <= static_cast<std::size_t>(continuation))
            return kInvalid;
        for (int i = 1; i <= continuation; ++i) {
            const auto byte = static_cast<unsigned char>(text[pos + i]);
            if ((byte & 0xC0) != 0x80)
                return kInvalid;
            value = (value << 6) | (byte & 0x3F);
        }
        length = 1 + continuation;
        if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            return kInvalid;
        return value;
    }

    std::string_view text;
    std::size_t pos = 0;
};

bool isBlank(char32_t c) { return c == U' ' || c == U'\t' || c == U'\u3000'; }

std::optional<int> digitValue(char32_t c)
{
    if (c >= U'0' && c <= U'9')
        return static_cast<int>(c - U'0');
    if (c >= U'０' && c <= U'９')
        return static_cast<int>(c - U'０');
    return std::nullopt;
}

std::optional<int> signOf(char32_t c)
{
    if (c == U'+' || c == U'＋')
        return 1;
    if (c == U'-' || c == U'－' || c == U'−')
        return -1;
    return std::nullopt;
}

void skipBlanks(CodePoints& text)
{
    while (!text.atEnd() && isBlank(text.peek()))
        text.advance();
}

} // namespace

Score throwValue(std::string_view utf8)
{
    CodePoints text(utf8);
    skipBlanks(text);

    int sign = 1;
    if (!text.atEnd()) {
        if (auto s = signOf(text.peek())) {
            sign = *s;
            text.advance();
        }
    }

    // The magnitude stops growing past 32768 so that any run of digits is safe.
    constexpr int kLimit = 32768;
    int magnitude = 0;
    int digits = 0;
    while (!text.atEnd()) {
        const auto digit = digitValue(text.peek());
        if (!digit)
            break;
        magnitude = std::min(magnitude * 10 + *digit, kLimit + 1);
        ++digits;
        text.advance();
    }
    if (digits == 0)
        throw InputError();

    skipBlanks(text);
    if (!text.atEnd())
        throw InputError();

    return fitOrThrow(sign * magnitude);
}

} // namespace zelvo
