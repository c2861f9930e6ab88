#pragma once

// The result that ends a two-player game: the winner by the name in their
// name field, or a draw, which names nobody.

#include "core/checked_arithmetic.hpp"
#include "ui/window.hpp"

namespace zelvo {

enum class Winner { Higher, Lower };

// Compares the two players' scores as they stand now; `winner` says whether
// the higher score (Count-Up totals) or the lower one (301 remaining) wins.
void showTwoPlayerResult(Window& window, Score first, Score second, Winner winner);

} // namespace zelvo
