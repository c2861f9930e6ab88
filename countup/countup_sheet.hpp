#pragma once

// The Count-Up score sheet for one to four players (Form1 to Form4).
//
// Each press of a player's Calculate button adds the player's three throws to
// that player's total; only the last player's press moves the shared round
// counter. Eight rounds make a game. What a button does in play, in the last
// round and after the game differs between the windows, and that difference
// is data: the table of courses in countup_courses.cpp. The sheet holds the
// state of its window for the whole run and knows nothing of Qt.

#include "core/checked_arithmetic.hpp"
#include "countup/countup_courses.hpp"
#include "ui/player_controls.hpp"
#include "ui/score_sheet.hpp"

#include <array>
#include <vector>

namespace zelvo {

class CountUpSheet final : public ScoreSheet {
public:
    static constexpr Score kLastRound = 8;

    explicit CountUpSheet(int players);

    int players() const override { return playerCount; }
    void load(Window& window) override;
    void press(Window& window, int player) override;
    void reset(Window& window) override;

    Score currentRound() const { return roundCounter; }
    Score totalOf(int player) const { return playerState[player - 1].total; }

private:
    struct PlayerState {
        std::array<Score, 3> throws{};
        Score total = 0;
    };

    void run(Step step, Window& window, int player);
    void showResult(Window& window) const;

    int playerCount;
    const std::vector<ButtonCourses>& courses;
    std::array<PlayerState, kMaxPlayers> playerState{};
    Score roundCounter = 0;
};

} // namespace zelvo
