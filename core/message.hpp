#pragma once

// A message is its pieces (fixed texts, a name exactly as typed, numbers with
// sign position) joined in order with nothing between them.

#include <initializer_list>
#include <string>
#include <string_view>

namespace zelvo {

inline std::string composeMessage(std::initializer_list<std::string_view> pieces)
{
    std::string message;
    for (std::string_view piece : pieces)
        message += piece;
    return message;
}

} // namespace zelvo
