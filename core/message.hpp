#pragma once

// A message is its pieces (fixed texts, a name exactly as typed, numbers with
// sign position) joined in order with nothing between them. The texts that
// more than one game says are kept here, once.

#include <initializer_list>
#include <string>
#include <string_view>

namespace zelvo {

inline constexpr std::string_view kInputErrorMessage = "数字を入力してください";
inline constexpr std::string_view kTotalIs = "さんの合計は";
inline constexpr std::string_view kTotalEnd = "点です。おつかれさまでした。";
inline constexpr std::string_view kWinsGame = "さんの勝ちです。おめでとうございます。";
inline constexpr std::string_view kDraw = "引き分けです。";

inline std::string composeMessage(std::initializer_list<std::string_view> pieces)
{
    std::string message;
    for (std::string_view piece : pieces)
        message += piece;
    return message;
}

} // namespace zelvo
