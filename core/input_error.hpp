#pragma once

// The single input-error path of a Calculate press. Everything that can go
// wrong inside a press (a throw that does not convert, an overflow, a window
// operation that fails) ends up here and is reported with one message box;
// nothing done before the failure is undone and nothing after it is done.

#include "ui/window.hpp"

#include <stdexcept>
#include <string_view>
#include <utility>

namespace zelvo {

inline constexpr std::string_view kInputErrorMessage = "数字を入力してください";

// Raised by conversion and arithmetic; window failures raise WindowError.
class InputError : public std::runtime_error {
public:
    InputError() : std::runtime_error("input error") {}
};

// Arms the error trap around one Calculate press. Whatever the body throws,
// the press ends with the input-error box and nothing leaves it.
template <typename Body>
void runCalculatePress(Window& window, Body&& body)
{
    try {
        std::forward<Body>(body)();
    } catch (const std::exception&) {
        window.showMessage(kInputErrorMessage);
    }
}

} // namespace zelvo
