#pragma once

// A one-line text too wide for its label (a score typed up from unusual
// throws) is drawn smaller rather than cut off: clipping would drop its
// leading digits or its minus sign and make it read as another number.
// Every binding draws such a text at the size this rule picks, so that the
// same scores shrink to the same size whatever the toolkit; a binding only
// measures.
//
// The rule: the designed size if the text fits; otherwise the largest size
// below it, in steps of 0.75 pt (one pixel of em height at 96 dpi, so every
// candidate is a whole pixel size on every toolkit), at which the text's
// advance width is at most `room` pixels; never below one step (a text
// designed at one step or less keeps its size).

#include <functional>

namespace zelvo {

// One pixel of em height at 96 dots per inch.
inline constexpr double kTextFitStep = 0.75;

// `measure(points)` is the text's advance width in pixels at 96 dpi when
// drawn in the label's font at that point size; `room` is the width the
// label leaves for text. Measures only at the designed size and at sizes
// that are whole steps.
double pointSizeToFit(double designedPoints, double room, const std::function<double(double points)>& measure);

} // namespace zelvo
