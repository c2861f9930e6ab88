#include "countup/countup_sheet.hpp"

#include "core/message.hpp"
#include "core/number_text.hpp"
#include "sheet/press_frame.hpp"
#include "sheet/throw_fields.hpp"
#include "sheet/two_player_result.hpp"

namespace zelvo {

namespace {

constexpr std::string_view kRules = "ダーツの点数計算ソフトです。ルールはカウントアップ\r\n"
                                    "３回投げてください。全部で８ラウンドです。";
constexpr std::string_view kShortTotalIs = "合計は";
constexpr std::string_view kShortTotalEnd = "です。おつかれさまでした。";

} // namespace

CountUpSheet::CountUpSheet(int players)
    : playerCount(players)
    , courses(countUpCourses(players))
{
}

void CountUpSheet::load(Window& window)
{
    totals.fill(0);
    roundCounter = 1;
    window.setCaption(kRulesLabel, kRules);
}

void CountUpSheet::press(Window& window, int player)
{
    requirePlayer(player, playerCount);
    runCalculatePress(window, [&] {
        const ButtonCourses& button = courses[static_cast<std::size_t>(player - 1)];
        const Course& course = roundCounter < kLastRound ? button.inPlay
            : roundCounter == kLastRound                 ? button.lastRound
                                                         : button.finished;
        bool added = false;
        bool advanced = false;
        for (Step step : course) {
            run(step, window, player);
            added = added || step == Step::Add;
            advanced = advanced || step == Step::Advance;
        }
        // A press after the game adds nothing and has nothing new to say.
        if (added)
            announceTurn(window, player, kTotalScore, totals[static_cast<std::size_t>(player - 1)],
                         advanced ? std::optional(roundCounter) : std::nullopt);
    });
}

void CountUpSheet::run(Step step, Window& window, int player)
{
    const PlayerControls& controls = controlsOf(player);
    Score& total = totals[static_cast<std::size_t>(player - 1)];
    switch (step) {
    case Step::Add:
        total = checkedAdd(total, throwSum(readThrows(window, controls)));
        window.setCaption(controls.scoreLabel, plainNumber(total));
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
            {window.text(controls.nameField), kTotalIs, signPositioned(total), kTotalEnd}));
        break;
    case Step::ShortTotalMessage:
        window.showMessage(composeMessage({kShortTotalIs, signPositioned(total), kShortTotalEnd}));
        break;
    case Step::ResultMessage:
        showTwoPlayerResult(window, totals[0], totals[1], Winner::Higher);
        break;
    }
}

void CountUpSheet::reset(Window& window)
{
    totals.fill(0);
    roundCounter = 1;
    window.setCaption(controlsOf(1).scoreLabel, "0");
    window.setCaption(kRoundLabel, "1");
    for (int player = 2; player <= playerCount; ++player)
        window.setCaption(controlsOf(player).scoreLabel, "0");
}

} // namespace zelvo
