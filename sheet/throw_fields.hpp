#pragma once

// A player's three throw fields as a press uses them.

#include "core/checked_arithmetic.hpp"
#include "sheet/player_controls.hpp"
#include "ui/window.hpp"

#include <array>

namespace zelvo {

// Reads and converts the player's three throw fields in order, each right
// after it is read, and returns the three values. The first field that fails
// raises the input error and the press ends there.
std::array<Score, 3> readThrows(const Window& window, const PlayerControls& player);

// Empties the player's throw fields, first to third.
void clearThrowFields(Window& window, const PlayerControls& player);

} // namespace zelvo
