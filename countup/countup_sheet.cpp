#include "countup/countup_sheet.hpp"

#include "core/input_error.hpp"
#include "core/message.hpp"
#include "core/number_text.hpp"
#include "core/throw_entry.hpp"

#include <cassert>

namespace zelvo {

namespace {

constexpr std::string_view kRules = "ダーツの点数計算ソフトです。ルールはカウントアップ\r\n"
                                    "３回投げてください。全部で８ラウンドです。";
constexpr std::string_view kTotalIs = "さんの合計は";
constexpr std::string_view kTotalEnd = "点です。おつかれさまでした。";
constexpr std::string_view kShortTotalIs = "合計は";
constexpr std::string_view kShortTotalEnd = "です。おつかれさまでした。";
constexpr std::string_view kWins = "さんの勝ちです。おめでとうございます。";
constexpr std::string_view kDraw = "引き分けです。";

} // namespace

CountUpSheet::CountUpSheet(int players)
    : playerCount(players)
    , courses(countUpCourses(players))
{
}

void CountUpSheet::load(Window& window)
{
    for (auto& player : playerState)
        player.total = 0;
    roundCounter = 1;
    window.setCaption(kRulesLabel, kRules);
}

void CountUpSheet::press(Window& window, int player)
{
    assert(player >= 1 && player <= playerCount);
    runCalculatePress(window, [&] {
        const ButtonCourses& button = courses[static_cast<std::size_t>(player - 1)];
        const Course& course = roundCounter < kLastRound ? button.inPlay
            : roundCounter == kLastRound                 ? button.lastRound
                                                         : button.finished;
        for (Step step : course)
            run(step, window, player);
    });
}

void CountUpSheet::run(Step step, Window& window, int player)
{
    const PlayerControls& controls = controlsOf(player);
    PlayerState& state = playerState[static_cast<std::size_t>(player - 1)];
    switch (step) {
    case Step::Add:
        readThrows(window, controls, state.throws);
        state.total = checkedAdd(state.total, throwSum(state.throws));
        window.setCaption(controls.scoreLabel, plainNumber(state.total));
        break;
    case Step::Empty:
        clearThrowFields(window, controls);
        break;
    case Step::Advance:
        roundCounter = checkedAdd(roundCounter, 1);
        window.setCaption(kRoundLabel, plainNumber(roundCounter));
        break;
    case Step::EndGame:
        roundCounter = kLastRound + 1;
        break;
    case Step::TotalMessage:
        window.showMessage(composeMessage(
            {window.text(controls.nameField), kTotalIs, signPositioned(state.total), kTotalEnd}));
        break;
    case Step::ShortTotalMessage:
        window.showMessage(composeMessage({kShortTotalIs, signPositioned(state.total), kShortTotalEnd}));
        break;
    case Step::ResultMessage:
        showResult(window);
        break;
    }
}

void CountUpSheet::showResult(Window& window) const
{
    const Score first = playerState[0].total;
    const Score second = playerState[1].total;
    if (first == second)
        window.showMessage(kDraw);
    else
        window.showMessage(composeMessage({window.text(controlsOf(first > second ? 1 : 2).nameField), kWins}));
}

void CountUpSheet::reset(Window& window)
{
    for (auto& player : playerState)
        player = PlayerState{};
    roundCounter = 1;
    window.setCaption(controlsOf(1).scoreLabel, "0");
    window.setCaption(kRoundLabel, "1");
    for (int player = 2; player <= playerCount; ++player)
        window.setCaption(controlsOf(player).scoreLabel, "0");
}

} // namespace zelvo
