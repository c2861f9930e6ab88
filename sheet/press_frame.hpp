#pragma once

// The frame of every Calculate press. A throw that does not convert, a score
// that leaves the 16-bit range, or a window operation that fails ends the
// press with the one box 「数字を入力してください」: nothing done before is
// undone, nothing after is done. Anything else is a fault of the program, not
// a typing mistake, and goes on to the event loop's guard.

#include "core/checked_arithmetic.hpp"
#include "core/input_error.hpp"
#include "core/message.hpp"
#include "core/number_text.hpp"
#include "ui/window.hpp"

#include <optional>
#include <utility>

namespace zelvo {

template <typename Body>
void runCalculatePress(Window& window, Body&& body)
{
    try {
        std::forward<Body>(body)();
    } catch (const InputError&) {
        window.showMessage(kInputErrorMessage);
    } catch (const WindowError&) {
        window.showMessage(kInputErrorMessage);
    }
}

// Told last, once any box of the press is closed and the focus is back on
// the sheet: the player's score as its label now shows it, then the round
// if the press moved it on. `kind` is kRemainingScore or kTotalScore.
inline void announceTurn(Window& window, int player, std::string_view kind, Score score,
                         std::optional<Score> newRound)
{
    std::string spoken = spokenScore(player, kind, plainNumber(score));
    if (newRound)
        spoken += composeMessage({kSpokenPause, spokenRound(plainNumber(*newRound))});
    window.announce(spoken);
}

} // namespace zelvo
