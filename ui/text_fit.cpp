#include "ui/text_fit.hpp"

#include <algorithm>
#include <cmath>

namespace zelvo {

double pointSizeToFit(double designedPoints, double room, const std::function<double(double points)>& measure)
{
    const double designedWidth = measure(designedPoints);
    if (designedWidth <= room || designedPoints <= kTextFitStep)
        return designedPoints;
    const auto fits = [&](int steps) { return measure(steps * kTextFitStep) <= room; };
    // The largest whole step below the designed size.
    const int largest = static_cast<int>(std::ceil(designedPoints / kTextFitStep)) - 1;
    // Widths shrink nearly in proportion to the size: start at that guess and
    // walk from there, up while the next step fits, else down until one fits.
    const double guess = designedPoints * std::max(room, 0.0) / designedWidth / kTextFitStep;
    int steps = std::clamp(static_cast<int>(guess), 1, largest);
    if (fits(steps)) {
        while (steps < largest && fits(steps + 1))
            ++steps;
    } else {
        while (steps > 1 && !fits(--steps)) {
        }
    }
    return steps * kTextFitStep;
}

} // namespace zelvo
