#pragma once

// The 301 score sheet for one to four players (Form6 to Form9).
//
// Every player starts at 301; each turn subtracts the three throws. A turn
// that leaves exactly 0 wins; one that goes below 0 is a bust and the score
// goes back to what it was before the turn. Only the last player's turn moves
// the shared round counter; after round 20 the game is over and every button
// does nothing. In round 20 a bust is settled before the end-of-rounds
// message, so that message (and the two-player result) speaks of the score
// the player really keeps. The sheet holds the state of its window for the
// whole run and knows no toolkit.

#include "core/checked_arithmetic.hpp"
#include "sheet/player_controls.hpp"
#include "sheet/score_sheet.hpp"

#include <array>

namespace zelvo {

class Game301Sheet final : public ScoreSheet {
public:
    static constexpr Score kStartingScore = 301;
    static constexpr Score kLastRound = 20;

    explicit Game301Sheet(int players);

    void load(Window& window) override;
    void press(Window& window, int player) override;
    void reset(Window& window) override;

private:
    void playTurn(Window& window, int player);
    void settleBust(Window& window, int player, Score remainingBeforeTurn);
    void showEndOfRounds(Window& window, int player) const;

    int playerCount;
    std::array<Score, kMaxPlayers> remaining{};
    Score roundCounter = 0;
};

} // namespace zelvo
