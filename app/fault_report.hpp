#pragma once

// A fault of the program caught at the edge of an event: written to standard
// error, one line each, and the program goes on. Plain stdio, so that a
// Windows build does not carry the iostreams library for two lines of text.

#include <cstdio>
#include <exception>

namespace zelvo {

inline void reportFault(const char* what)
{
    std::fprintf(stderr, "ZELVO: %s\n", what);
    std::fflush(stderr);
}

// Call inside a catch block: says what was caught.
inline void reportCurrentFault()
{
    try {
        throw;
    } catch (const std::exception& error) {
        reportFault(error.what());
    } catch (...) {
        reportFault("unexpected error");
    }
}

} // namespace zelvo
