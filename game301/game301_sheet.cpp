#include "game301/game301_sheet.hpp"

#include "core/input_error.hpp"
#include "core/message.hpp"
#include "core/number_text.hpp"
#include "core/throw_entry.hpp"

#include <cassert>

namespace zelvo {

namespace {

constexpr std::string_view kRules = "ダーツの点数計算ソフトです。ルールは３０１です。\r\n"
                                    "３０１から点数を引き、早く０にした方が勝ちになります。\r\n"
                                    "３回投げてください。全部で２０ラウンドです。";
constexpr std::string_view kRoundsOver = "２０ラウンド終わりました。";
constexpr std::string_view kTotalIs = "さんの合計は";
constexpr std::string_view kTotalEnd = "点です。おつかれさまでした。";
constexpr std::string_view kWinsTurn = "さんの勝ちです。おめでとうございます！";
constexpr std::string_view kWinsGame = "さんの勝ちです。おめでとうございます。";
constexpr std::string_view kDraw = "引き分けです。";
constexpr std::string_view kBust = "★☆バースト☆★";

} // namespace

Game301Sheet::Game301Sheet(int players)
    : playerCount(players)
{
    assert(players >= 1 && players <= kMaxPlayers);
}

void Game301Sheet::load(Window& window)
{
    for (auto& player : playerState)
        player.remaining = kStartingScore;
    roundCounter = 1;
    window.setCaption(kRulesLabel, kRules);
}

void Game301Sheet::press(Window& window, int player)
{
    assert(player >= 1 && player <= playerCount);
    runCalculatePress(window, [&] { playTurn(window, player); });
}

void Game301Sheet::playTurn(Window& window, int player)
{
    if (roundCounter > kLastRound)
        return;

    const PlayerControls& controls = controlsOf(player);
    PlayerState& state = playerState[static_cast<std::size_t>(player - 1)];
    state.remainingBeforeTurn = state.remaining;
    readThrows(window, controls, state.throws);
    state.remaining = checkedSubtract(state.remaining, throwSum(state.throws));
    window.setCaption(controls.scoreLabel, plainNumber(state.remaining));
    clearThrowFields(window, controls);

    const bool lastPlayer = player == playerCount;
    bool bustSettled = false;
    if (roundCounter == kLastRound) {
        if (state.remaining < 0) {
            settleBust(window, player);
            bustSettled = true;
        }
        showEndOfRounds(window, player);
        if (lastPlayer) {
            if (playerCount == 2)
                showResult(window);
            roundCounter = kLastRound + 1;
        }
    } else if (lastPlayer) {
        roundCounter = checkedAdd(roundCounter, 1);
        window.setCaption(kRoundLabel, plainNumber(roundCounter));
    }

    if (bustSettled)
        return;
    if (state.remaining == 0)
        window.showMessage(composeMessage({window.text(controls.nameField), kWinsTurn}));
    else if (state.remaining < 0)
        settleBust(window, player);
}

// The score label shows the negative score while the bust message is open,
// then the score from before the turn.
void Game301Sheet::settleBust(Window& window, int player)
{
    PlayerState& state = playerState[static_cast<std::size_t>(player - 1)];
    window.showMessage(kBust);
    state.remaining = state.remainingBeforeTurn;
    window.setCaption(controlsOf(player).scoreLabel, plainNumber(state.remaining));
}

void Game301Sheet::showEndOfRounds(Window& window, int player) const
{
    const PlayerControls& controls = controlsOf(player);
    window.showMessage(composeMessage({kRoundsOver, window.text(controls.nameField), kTotalIs,
        signPositioned(playerState[static_cast<std::size_t>(player - 1)].remaining), kTotalEnd}));
}

// The lower remaining score wins.
void Game301Sheet::showResult(Window& window) const
{
    const Score first = playerState[0].remaining;
    const Score second = playerState[1].remaining;
    if (first == second)
        window.showMessage(kDraw);
    else
        window.showMessage(composeMessage({window.text(controlsOf(first < second ? 1 : 2).nameField), kWinsGame}));
}

void Game301Sheet::reset(Window& window)
{
    for (auto& player : playerState) {
        player.throws = {};
        player.remaining = kStartingScore;
    }
    roundCounter = 1;
    for (int player = 1; player <= playerCount; ++player)
        window.setCaption(controlsOf(player).scoreLabel, plainNumber(kStartingScore));
    window.setCaption(kRoundLabel, "1");
}

} // namespace zelvo
