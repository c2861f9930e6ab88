#pragma once

// A score sheet loaded into a fake window, as the shell would show it, with
// the few moves every sheet test makes: type and press, play whole rounds,
// show the window anew.

#include "tests/fake_window.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zelvo::testing {

inline const std::string kInputError = "数字を入力してください";

inline std::string defaultName(int player) { return "プレーヤー" + std::to_string(player); }

inline const PlayerControls& controlsOf(int player) { return kPlayerControls[static_cast<std::size_t>(player - 1)]; }

// What an accepted press writes first: the player's score, then the emptied
// throw fields, first to third.
inline std::vector<std::string> scoreThenEmptied(int player, const std::string& score)
{
    const auto& c = controlsOf(player);
    std::vector<std::string> writes{"caption " + std::string(c.scoreLabel) + "=" + score};
    for (auto field : c.throwFields)
        writes.push_back("text " + std::string(field) + "=");
    return writes;
}

template <typename Sheet>
struct SheetOnFakeWindow {
    SheetOnFakeWindow(int players, std::string scoreAtLoad)
        : sheet(players)
        , scoreAtLoad(std::move(scoreAtLoad))
    {
        showAnew();
    }

    // The window is built from its design, then Form_Load runs.
    void showAnew()
    {
        window = FakeWindow::sheet(sheet.players(), scoreAtLoad);
        sheet.load(window);
        window.forget();
    }

    void press(int player, const std::string& first, const std::string& second, const std::string& third)
    {
        window.type(player, first, second, third);
        sheet.press(window, player);
    }

    // Every player in turn, player 1 first, throws points, 0 and 0.
    void playRounds(int rounds, int points = 0)
    {
        for (int r = 0; r < rounds; ++r)
            for (int p = 1; p <= sheet.players(); ++p)
                press(p, std::to_string(points), "0", "0");
    }

    std::vector<int> hiddenScores() const
    {
        std::vector<int> scores{sheet.currentRound()};
        for (int p = 1; p <= sheet.players(); ++p) {
            if constexpr (requires { sheet.totalOf(p); })
                scores.push_back(sheet.totalOf(p));
            else
                scores.push_back(sheet.remainingOf(p));
        }
        return scores;
    }

    // A press with a bad entry: the error box and nothing else, seen or hidden.
    void expectInputErrorChangesNothing(int player, const std::string& first, const std::string& second,
        const std::string& third)
    {
        SCOPED_TRACE("throws [" + first + "] [" + second + "] [" + third + "]");
        window.type(player, first, second, third);
        const auto fields = window.fields;
        const auto captions = window.captions;
        const auto hidden = hiddenScores();
        window.forget();
        sheet.press(window, player);
        EXPECT_EQ(window.log, std::vector<std::string>{"box " + kInputError});
        EXPECT_EQ(window.fields, fields);
        EXPECT_EQ(window.captions, captions);
        EXPECT_EQ(hiddenScores(), hidden);
    }

    Sheet sheet;
    std::string scoreAtLoad;
    FakeWindow window;
};

} // namespace zelvo::testing
