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

#include <string_view>

namespace zelvo {

// The throw value of a field's UTF-8 text; raises InputError for any text the
// rule above does not accept. Text of any length is read to its end.
Score throwValue(std::string_view utf8);

} // namespace zelvo
