#pragma once

// The Count-Up score sheet for one to four players (Form1 to Form4).
//
// Each press of a player's Calculate button adds the player's three throws to
// that player's total; only the last player's press moves the shared round
// counter. Eight rounds make a game. What a button does in play, in the last
// round and after the game differs between the windows, and that difference
// is data: the table of courses in countup_courses.cpp. The sheet holds the
// state of its window for the whole run and knows no toolkit.

#include "core/checked_arithmetic.hpp"
#include "countup/countup_courses.hpp"
#include "sheet/player_controls.hpp"
#include "sheet/score_sheet.hpp"

#include <array>
#include <vector>

namespace zelvo {

class CountUpSheet final : public ScoreSheet {
public:
    static constexpr Score kLastRound = 8;

    explicit CountUpSheet(int players);

    void load(Window& window) override;
    void press(Window& window, int player) override;
    void reset(Window& window) override;

private:
    void run(Step step, Window& window, int player);

    int playerCount;
    const std::vector<ButtonCourses>& courses;
    std::array<Score, kMaxPlayers> totals{};
    Score roundCounter = 0;
};

} // namespace zelvo
