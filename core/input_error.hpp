#pragma once

// The input error of a Calculate press: a throw that does not convert, or a
// score that leaves the 16-bit range. The press's frame reports it with one
// message box; nothing done before it is undone and nothing after it is done.

#include <stdexcept>

namespace zelvo {

class InputError : public std::runtime_error {
public:
    InputError() : std::runtime_error("input error") {}
};

} // namespace zelvo
