#pragma once

// The frame of every Calculate press. A throw that does not convert, a score
// that leaves the 16-bit range, or a window operation that fails ends the
// press with the one box 「数字を入力してください」: nothing done before is
// undone, nothing after is done. Anything else is a fault of the program, not
// a typing mistake, and goes on to the event loop's guard.

#include "core/input_error.hpp"
#include "core/message.hpp"
#include "ui/window.hpp"

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

} // namespace zelvo
