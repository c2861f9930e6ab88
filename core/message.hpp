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

// What a screen reader says of a score and of the round: the score labels'
// names and what a press announces ("プレーヤー1 残り 124", "3回目").
inline constexpr std::string_view kRemainingScore = "残り"; // 301 counts down
inline constexpr std::string_view kTotalScore = "合計";     // Count-Up adds up
inline constexpr std::string_view kRoundSuffix = "回目";
// Between the score and the round when one press announces both.
inline constexpr std::string_view kSpokenPause = "、";

inline std::string playerName(int player) { return "プレーヤー" + std::to_string(player); }

inline std::string composeMessage(std::initializer_list<std::string_view> pieces)
{
    std::string message;
    for (std::string_view piece : pieces)
        message += piece;
    return message;
}

inline std::string spokenScore(int player, std::string_view kind, std::string_view shown)
{
    return composeMessage({playerName(player), " ", kind, " ", shown});
}

inline std::string spokenRound(std::string_view shown) { return composeMessage({shown, kRoundSuffix}); }

} // namespace zelvo
