#pragma once

// Turning a throw field's text into a throw value.
//
// Accepted: blanks around the number (space, tab, ideographic space U+3000),
// an optional sign (+ - or the full-width ＋ －, or the minus sign U+2212),
// then one or more digits, half-width 0-9 or full-width ０-９ in any mix,
// leading zeros allowed, value within -32768..32767. Players typing with a
// Japanese input method get full-width digits, and those must count.
// Rejected: empty or blank-only text, a lone sign, blanks inside the number,
// fractions, exponents, digit grouping, hex and anything else.

#include "core/checked_arithmetic.hpp"
#include "ui/player_controls.hpp"
#include "ui/window.hpp"

#include <array>
#include <optional>
#include <string_view>

namespace zelvo {

std::optional<Score> parseThrow(std::string_view utf8);

// Reads and converts the player's three throw fields in order, storing each
// value as soon as it has converted; the first field that fails raises the
// input error, so the values before it stay stored and the rest do not.
void readThrows(const Window& window, const PlayerControls& player, std::array<Score, 3>& throws);

// Empties the player's throw fields, first to third.
void clearThrowFields(Window& window, const PlayerControls& player);

} // namespace zelvo
