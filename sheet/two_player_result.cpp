#include "sheet/two_player_result.hpp"

#include "core/message.hpp"
#include "sheet/player_controls.hpp"

namespace zelvo {

void showTwoPlayerResult(Window& window, Score first, Score second, Winner winner)
{
    if (first == second) {
        window.showMessage(kDraw);
        return;
    }
    const bool firstWins = (first > second) == (winner == Winner::Higher);
    window.showMessage(composeMessage({window.text(controlsOf(firstWins ? 1 : 2).nameField), kWinsGame}));
}

} // namespace zelvo
