// The rule by which every binding draws a score too wide for its label.

#include "ui/text_fit.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace zelvo {
namespace {

// Widths as a font gives them: about in proportion to the size, plus a part
// that does not shrink (a bearing, a rounded-up pixel), so a proportional
// guess alone lands a step too high or low.
TEST(TextFit, TheLargestWholeStepBelowTheDesignedSizeThatFits)
{
    const struct { double designed, room, fixed, perPoint, expected; } cases[] = {
        {14.25, 39, 0, 2.0, 14.25},  // fits as designed
        {14.25, 28.5, 0, 2.0, 14.25}, // exactly as wide as the room
        {14.25, 39, 0, 4.2, 9.0},    // 9 pt is 37.8 wide, 9.75 pt 40.95
        {14.25, 39, 6, 4.2, 7.5},    // the fixed part: the proportional guess (8.25) is too large
        {14.25, 39, -6, 4.2, 10.5},  // and here too small
        {14.25, 56, 0, 4.0, 13.5},   // just too wide: the step below
        {14.25, 2, 0, 4.2, 0.75},    // nothing fits: the smallest step
        {0.5, 0.1, 0, 4.2, 0.5},     // nothing smaller than one step
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.designed << " pt in " << c.room << " px, width " << c.fixed << " + " << c.perPoint << "/pt");
        std::vector<double> measured;
        const double points = pointSizeToFit(c.designed, c.room, [&](double size) {
            measured.push_back(size);
            return c.fixed + c.perPoint * size;
        });
        EXPECT_EQ(points, c.expected);
        for (double size : measured)
            EXPECT_TRUE(size == c.designed || std::fmod(size, kTextFitStep) == 0) << size << " pt measured";
    }
}

} // namespace
} // namespace zelvo
