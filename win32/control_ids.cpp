#include "win32/control_ids.hpp"

#include "app/window_designs.hpp"

#include <charconv>
#include <stdexcept>

namespace zelvo::win32 {

namespace {

struct IdRange {
    std::string_view prefix;
    int base;
};

constexpr IdRange kRanges[] = {{"Text", 1000}, {"Command", 2000}, {"Label", 3000}};
constexpr int kRangeSize = 1000;
constexpr int kFirstMenuCommand = 100;

} // namespace

int controlId(std::string_view name)
{
    for (const IdRange& range : kRanges) {
        if (!name.starts_with(range.prefix))
            continue;
        const std::string_view digits = name.substr(range.prefix.size());
        int number = 0;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (error == std::errc() && end == digits.data() + digits.size() && !digits.starts_with('0') && number > 0
            && number < kRangeSize)
            return range.base + number;
    }
    throw std::logic_error("no control ID for the name " + std::string(name));
}

int menuCommandId(std::string_view name)
{
    if (name == kResetCommand)
        return kFirstMenuCommand;
    for (int i = 0; i < 4; ++i)
        if (name == kPlayerCountCommands[i])
            return kFirstMenuCommand + 1 + i;
    throw std::logic_error("no menu command ID for the name " + std::string(name));
}

} // namespace zelvo::win32
