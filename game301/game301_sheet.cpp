#include "game301/game301_sheet.hpp"

#include "core/message.hpp"
#include "core/number_text.hpp"
#include "sheet/press_frame.hpp"
#include "sheet/throw_fields.hpp"
#include "sheet/two_player_result.hpp"

#include <stdexcept>
#include <string>

namespace zelvo {

namespace {

constexpr std::string_view kRules = "ダーツの点数計算ソフトです。ルールは３０１です。\r\n"
                                    "３０１から点数を引き、早く０にした方が勝ちになります。\r\n"
                                    "３回投げてください。全部で２０ラウンドです。";
constexpr std::string_view kRoundsOver = "２０ラウンド終わりました。";
constexpr std::string_view kWinsTurn = "さんの勝ちです。おめでとうございます！";
constexpr std::string_view kBust = "★☆バースト☆★";

} // namespace

Game301Sheet::Game301Sheet(int players)
    : playerCount(players)
{
    if (players < 1 || players > kMaxPlayers)
        throw std::out_of_range("no 301 sheet for " + std::to_string(players) + " players");
}

void Game301Sheet::load(Window& window)
{
    remaining.fill(kStartingScore);
    roundCounter = 1;
    window.setCaption(kRulesLabel, kRules);
}

void Game301Sheet::press(Window& window, int player)
{
    requirePlayer(player, playerCount);
    runCalculatePress(window, [&] { playTurn(window, player); });
}

void Game301Sheet::playTurn(Window& window, int player)
{
    if (roundCounter > kLastRound)
        return;

    const PlayerControls& controls = controlsOf(player);
    Score& score = remaining[static_cast<std::size_t>(player - 1)];
    const Score remainingBeforeTurn = score;
    score = checkedSubtract(score, throwSum(readThrows(window, controls)));
    window.setCaption(controls.scoreLabel, plainNumber(score));
    clearThrowFields(window, controls);

    const bool lastPlayer = player == playerCount;
    bool bustSettled = false;
    bool roundAdvanced = false;
    if (roundCounter == kLastRound) {
        if (score < 0) {
            settleBust(window, player, remainingBeforeTurn);
            bustSettled = true;
        }
        showEndOfRounds(window, player);
        if (lastPlayer) {
            if (playerCount == 2)
                showTwoPlayerResult(window, remaining[0], remaining[1], Winner::Lower);
            roundCounter = kLastRound + 1;
        }
    } else if (lastPlayer) {
        roundCounter = checkedAdd(roundCounter, 1);
        window.setCaption(kRoundLabel, plainNumber(roundCounter));
        roundAdvanced = true;
    }

    // A round-20 bust already settled leaves a score of 0 or more, never a win.
    if (score == 0 && !bustSettled)
        window.showMessage(composeMessage({window.text(controls.nameField), kWinsTurn}));
    else if (score < 0)
        settleBust(window, player, remainingBeforeTurn);
    announceTurn(window, player, kRemainingScore, score, roundAdvanced ? std::optional(roundCounter) : std::nullopt);
}

// The score label shows the negative score while the bust message is open,
// then the score from before the turn.
void Game301Sheet::settleBust(Window& window, int player, Score remainingBeforeTurn)
{
    window.showMessage(kBust);
    remaining[static_cast<std::size_t>(player - 1)] = remainingBeforeTurn;
    window.setCaption(controlsOf(player).scoreLabel, plainNumber(remainingBeforeTurn));
}

void Game301Sheet::showEndOfRounds(Window& window, int player) const
{
    const PlayerControls& controls = controlsOf(player);
    window.showMessage(composeMessage({kRoundsOver, window.text(controls.nameField), kTotalIs,
        signPositioned(remaining[static_cast<std::size_t>(player - 1)]), kTotalEnd}));
}

void Game301Sheet::reset(Window& window)
{
    remaining.fill(kStartingScore);
    roundCounter = 1;
    for (int player = 1; player <= playerCount; ++player)
        window.setCaption(controlsOf(player).scoreLabel, plainNumber(kStartingScore));
    window.setCaption(kRoundLabel, "1");
}

} // namespace zelvo
