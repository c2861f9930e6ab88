#pragma once

// Labels show plain numbers ("120", "-5"); numbers inside messages keep a
// sign position, a blank where a minus would stand (" 120", "-5").

#include <cstdint>
#include <string>

namespace zelvo {

inline std::string plainNumber(std::int16_t value) { return std::to_string(value); }

inline std::string signPositioned(std::int16_t value)
{
    // Appended rather than " " + text: GCC 12 at -O3 warns wrongly about the
    // latter (-Wrestrict inside libstdc++).
    std::string text(value < 0 ? "" : " ");
    return text.append(plainNumber(value));
}

} // namespace zelvo
