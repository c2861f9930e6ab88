// The scoring core on its own: throw conversion, overflow-tested arithmetic in
// its fixed order, number texts, and the frame of a Calculate press.

#include "core/checked_arithmetic.hpp"
#include "core/input_error.hpp"
#include "core/number_text.hpp"
#include "core/throw_entry.hpp"
#include "tests/fake_window.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

namespace zelvo {
namespace {

using testing::FakeWindow;

// --- Throw conversion ---

struct ThrowText {
    const char* name;
    std::string text;
    std::optional<Score> value; // nullopt: rejected
};

class ThrowConversion : public ::testing::TestWithParam<ThrowText> {};

TEST_P(ThrowConversion, ConvertsOrRejects)
{
    EXPECT_EQ(parseThrow(GetParam().text), GetParam().value) << "text: [" << GetParam().text << "]";
}

const ThrowText kAccepted[] = {
    {"PlainNumber", "20", 20},
    {"Zero", "0", 0},
    {"NoDartRangeApplies", "100", 100},
    {"Minus", "-5", -5},
    {"NegativeZero", "-0", 0},
    {"Plus", "+7", 7},
    {"FullWidthPlus", "＋７", 7},
    {"FullWidthMinus", "－２０", -20},
    {"MinusSign", "−20", -20},
    {"FullWidthDigits", "１０２３４", 10234},
    {"MoreFullWidthDigits", "２５６７８", 25678},
    {"FullWidthNine", "９", 9},
    {"MixedWidthDigits", "1２3４", 1234},
    {"LeadingZeros", "007", 7},
    {"LeadingZerosBeyondFiveDigits", "0000032767", 32767},
    {"Highest", "32767", 32767},
    {"Lowest", "-32768", -32768},
    {"FullWidthLowest", "－３２７６８", -32768},
    {"BlanksAround", "  42 ", 42},
    {"TabsAround", "\t42\t", 42},
    {"IdeographicSpacesAround", "\u3000４２\u3000", 42},
    {"MixedBlanksAroundSignedNumber", " \t\u3000-8\u3000\t ", -8},
};

const ThrowText kRejected[] = {
    {"Empty", "", std::nullopt},
    {"BlankOnly", " ", std::nullopt},
    {"MixedBlanksOnly", "\t\u3000 ", std::nullopt},
    {"JustAboveHighest", "32768", std::nullopt},
    {"JustBelowLowest", "-32769", std::nullopt},
    {"FullWidthJustAboveHighest", "３２７６８", std::nullopt},
    {"FarOutOfRange", "99999999999999999999", std::nullopt},
    {"Fraction", "1.5", std::nullopt},
    {"WholeFraction", "20.0", std::nullopt},
    {"TrailingPoint", "20.", std::nullopt},
    {"LeadingPoint", ".5", std::nullopt},
    {"Exponent", "1e2", std::nullopt},
    {"CapitalExponent", "2E1", std::nullopt},
    {"Grouping", "1,000", std::nullopt},
    {"FullWidthGrouping", "１，０００", std::nullopt},
    {"Hex", "0x1F", std::nullopt},
    {"AmpersandHex", "&H10", std::nullopt},
    {"LoneMinus", "-", std::nullopt},
    {"LonePlus", "+", std::nullopt},
    {"LoneFullWidthMinus", " － ", std::nullopt},
    {"DoubleSign", "+-5", std::nullopt},
    {"TrailingSign", "5-", std::nullopt},
    {"BlankInside", "1 2", std::nullopt},
    {"IdeographicSpaceInside", "１\u3000２", std::nullopt},
    {"BlankBetweenSignAndDigits", "- 5", std::nullopt},
    {"IdeographicSpaceBetweenSignAndDigits", "－\u3000５", std::nullopt},
    {"Letters", "abc", std::nullopt},
    {"TrailingLetter", "20a", std::nullopt},
    {"EmbeddedNul", std::string("1\0" "2", 3), std::nullopt},
    {"InvalidByte", "2\xff", std::nullopt},
    {"LoneContinuationByte", "\x80" "5", std::nullopt},
    {"TruncatedFullWidthDigit", "1\xef\xbc", std::nullopt},
    {"OverlongDigit", "\xc0\xb5", std::nullopt},
};

std::string rowName(const ::testing::TestParamInfo<ThrowText>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Accepted, ThrowConversion, ::testing::ValuesIn(kAccepted), rowName);
INSTANTIATE_TEST_SUITE_P(Rejected, ThrowConversion, ::testing::ValuesIn(kRejected), rowName);

// --- Arithmetic, one step at a time ---

struct Calculation {
    const char* name;
    std::function<Score()> compute;
    std::optional<Score> result; // nullopt: input error
};

class ScoreArithmetic : public ::testing::TestWithParam<Calculation> {};

TEST_P(ScoreArithmetic, GivesTheResultOrTheInputError)
{
    const auto& row = GetParam();
    if (row.result)
        EXPECT_EQ(row.compute(), *row.result);
    else
        EXPECT_THROW(row.compute(), InputError);
}

const Calculation kCalculations[] = {
    {"ThreeTwenties", [] { return throwSum({20, 20, 20}); }, 60},
    {"ThreeZeros", [] { return throwSum({0, 0, 0}); }, 0},
    {"NegativeThrowLowersTheSum", [] { return throwSum({20, -5, 0}); }, 15},
    {"SumReachesHighest", [] { return throwSum({32766, 0, 1}); }, 32767},
    {"SumReachesLowest", [] { return throwSum({-32767, -1, 0}); }, -32768},
    {"OverflowAtFirstPlusSecondAlthoughAllThreeFit", [] { return throwSum({32767, 1, -10}); }, std::nullopt},
    {"UnderflowAtFirstPlusSecond", [] { return throwSum({-32768, -1, 5}); }, std::nullopt},
    {"OverflowAtThird", [] { return throwSum({30000, 2000, 1000}); }, std::nullopt},
    {"UnderflowAtThird", [] { return throwSum({-32768, 0, -1}); }, std::nullopt},
    {"TotalReachesHighest", [] { return checkedAdd(32760, 7); }, 32767},
    {"TotalBeyondHighest", [] { return checkedAdd(32767, 1); }, std::nullopt},
    {"TotalBelowLowest", [] { return checkedAdd(-32768, -1); }, std::nullopt},
    {"RemainingGoesNegative", [] { return checkedSubtract(30, 35); }, -5},
    {"NegativeSumRaisesRemaining", [] { return checkedSubtract(301, -20); }, 321},
    {"SubtractingLowestFromStartOverflows", [] { return checkedSubtract(301, -32768); }, std::nullopt},
    {"RemainingBelowLowest", [] { return checkedSubtract(-2, 32767); }, std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Steps, ScoreArithmetic, ::testing::ValuesIn(kCalculations),
    [](const auto& info) { return std::string(info.param.name); });

// --- Number texts ---

TEST(NumberText, LabelsArePlainAndMessagesKeepASignPosition)
{
    struct Row {
        Score value;
        const char* plain;
        const char* inMessage;
    };
    const Row rows[] = {
        {0, "0", " 0"},
        {120, "120", " 120"},
        {-15, "-15", "-15"},
        {32767, "32767", " 32767"},
        {-32768, "-32768", "-32768"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(plainNumber(row.value), row.plain);
        EXPECT_EQ(signPositioned(row.value), row.inMessage);
    }
}

// --- The frame of a press ---

TEST(ReadThrows, StoresTheValuesBeforeTheFailingFieldOnly)
{
    for (int failing = 0; failing < 3; ++failing) {
        SCOPED_TRACE("failing field " + std::to_string(failing + 1));
        auto window = FakeWindow::sheet(1, "0");
        window.type(1, "11", "22", "33");
        window.fields[std::string(kPlayerControls[0].throwFields[static_cast<std::size_t>(failing)])] = "x";
        std::array<Score, 3> throws{-1, -1, -1};
        EXPECT_THROW(readThrows(window, kPlayerControls[0], throws), InputError);
        const std::array<Score, 3> read{11, 22, 33};
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(throws[static_cast<std::size_t>(i)], i < failing ? read[static_cast<std::size_t>(i)] : -1);
    }
}

TEST(ReadThrows, ReadsThePlayersOwnFields)
{
    auto window = FakeWindow::sheet(4, "0");
    window.type(3, "１", "-2", "+3");
    window.type(4, "x", "x", "x");
    std::array<Score, 3> throws{};
    readThrows(window, kPlayerControls[2], throws);
    EXPECT_EQ(throws, (std::array<Score, 3>{1, -2, 3}));
}

TEST(CalculatePress, AnyFailureEndsThePressWithOneBoxAndKeepsWhatWasDone)
{
    const std::function<void(Window&)> failures[] = {
        [](Window&) { throw InputError(); },
        [](Window& w) { w.setCaption("Label99", "1"); }, // a window operation that fails
        [](Window&) { checkedAdd(32767, 1); },
    };
    for (const auto& fail : failures) {
        auto window = FakeWindow::sheet(1, "0");
        bool after = false;
        EXPECT_NO_THROW(runCalculatePress(window, [&] {
            window.setCaption("Label5", "7");
            fail(window);
            after = true;
        }));
        EXPECT_FALSE(after);
        EXPECT_EQ(window.score(1), "7");
        EXPECT_EQ(window.boxTexts(), std::vector<std::string>{"数字を入力してください"});
    }
}

} // namespace
} // namespace zelvo
