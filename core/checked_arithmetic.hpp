#pragma once

// Scores are 16-bit signed numbers. Every addition and subtraction is tested
// for overflow; a result outside -32768..32767 is an input error and the
// caller's destination keeps its old value.

#include "core/input_error.hpp"

#include <array>
#include <cstdint>
#include <limits>

namespace zelvo {

using Score = std::int16_t;

inline Score fitOrThrow(int exact)
{
    if (exact < std::numeric_limits<Score>::min() || exact > std::numeric_limits<Score>::max())
        throw InputError();
    return static_cast<Score>(exact);
}

inline Score checkedAdd(Score a, Score b) { return fitOrThrow(int{a} + int{b}); }
inline Score checkedSubtract(Score a, Score b) { return fitOrThrow(int{a} - int{b}); }

// (first + second) + third, in that order: throws of 32767, 1 and -10 fail at
// the first addition although all three together would fit.
inline Score throwSum(const std::array<Score, 3>& throws)
{
    return checkedAdd(checkedAdd(throws[0], throws[1]), throws[2]);
}

} // namespace zelvo
