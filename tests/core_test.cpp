// The scoring core on its own: throw conversion, overflow-tested arithmetic in
// its fixed order; and the sheet layer's reading of a player's three throw
// fields and its press frame, alone and in both games.

#include "core/checked_arithmetic.hpp"
#include "core/throw_entry.hpp"
#include "countup/countup_sheet.hpp"
#include "game301/game301_sheet.hpp"
#include "sheet/press_frame.hpp"
#include "sheet/throw_fields.hpp"
#include "tests/sheet_script.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace zelvo {
namespace {

using namespace std::string_literals;

std::optional<Score> convert(const std::string& text)
{
    try {
        return throwValue(text);
    } catch (const InputError&) {
        return std::nullopt;
    }
}

// Text of any length is read to its end: pasted zeros hide nothing that follows.
const std::string kZeros(40000, '0');

TEST(ThrowConversion, AcceptsSignedIntegersInEitherWidthWithBlanksAround)
{
    const std::pair<std::string, Score> accepted[] = {
        {"0", 0}, {"61", 61}, {"32767", 32767}, {"-32768", -32768}, {"0000032767", 32767}, {"９０1２", 9012},
        {"+7", 7}, {"-5", -5}, {"＋７", 7}, {"－２０", -20}, {"−20", -20},
        {" 1 ", 1}, {"\t2\t", 2}, {"\u3000３\u3000", 3}, {" \t\u3000-8\u3000\t ", -8},
        {kZeros + "5", 5}, {"-" + kZeros + "32768", -32768},
    };
    for (const auto& [text, value] : accepted)
        EXPECT_EQ(convert(text), value) << "[" << text.substr(0, 20) << "]";
}

TEST(ThrowConversion, RejectsEverythingElse)
{
    const std::string rejected[] = {"", " ", "\t\u3000 ", "32768", "-32769", "4294967296", "1.5", "20.0", "1e2", "1,000",
        "0x1F", "&H10", "-", "+", "－", "+-5", "5-", "1 2", "１\u3000２", "- 5", "－\u3000５", "abc", "20a", "1\0002"s,
        "2\xff", "\x80" "5", "1\xef\xbc", "\xc0\xb5", kZeros + "1" + kZeros, kZeros + "5x"};
    for (const auto& text : rejected)
        EXPECT_EQ(convert(text), std::nullopt) << "[" << text.substr(0, 20) << "]";
}

// Every addition and subtraction fails outside -32768..32767; the throw sum
// may fail at first + second already, although all three would fit.
TEST(ScoreArithmetic, EveryStepIsRangeChecked)
{
    struct Step {
        char op; // 's': throwSum({a, b, c}); '+': checkedAdd(a, b); '-': checkedSubtract(a, b)
        Score a, b, c;
        std::optional<Score> result; // none: the input error
    };
    const Step steps[] = {
        {'s', 20, -5, 0, 15}, {'s', 32766, 0, 1, 32767}, {'s', -32767, -1, 0, -32768}, {'s', 32767, 1, -10, {}},
        {'s', -32768, -1, 5, {}}, {'s', 30000, 2000, 1000, {}}, {'s', -32768, 0, -1, {}},
        {'+', 32760, 7, 0, 32767}, {'+', 32767, 1, 0, {}}, {'+', -32768, -1, 0, {}},
        {'-', 301, -20, 0, 321}, {'-', -1, 32767, 0, -32768}, {'-', 301, -32768, 0, {}}, {'-', -2, 32767, 0, {}},
    };
    for (const auto& [op, a, b, c, expected] : steps) {
        std::optional<Score> result;
        try {
            result = op == 's' ? throwSum({a, b, c}) : op == '+' ? checkedAdd(a, b) : checkedSubtract(a, b);
        } catch (const InputError&) {
        }
        EXPECT_EQ(result, expected) << op << " " << a << " " << b << " " << c;
    }
}

// Fields are read first to third; the first that fails ends the reading.
TEST(ReadThrows, ReadsInOrderAndStopsAtTheFirstBadField)
{
    testing::FakeWindow window(1, "0");
    window.fields = {{"Text1", "11"}, {"Text2", "２２"}, {"Text3", "-33"}};
    EXPECT_EQ(readThrows(window, kPlayerControls[0]), (std::array<Score, 3>{11, 22, -33}));
    for (std::size_t failing = 0; failing < 3; ++failing) {
        window.fields = {{"Text1", "11"}, {"Text2", "22"}, {"Text3", "33"}};
        window.fields[std::string(kPlayerControls[0].throwFields[failing])] = "x";
        EXPECT_THROW(readThrows(window, kPlayerControls[0]), InputError) << failing;
    }
    window.failOn = "Text2";
    EXPECT_THROW(readThrows(window, kPlayerControls[0]), WindowError);
}

// The frame turns a bad entry and a failing window operation into the one
// box; a fault of the program is no typing mistake and leaves the press.
TEST(PressFrame, ReportsBadEntriesAndPassesProgramFaultsOn)
{
    testing::FakeWindow window(1, "0");
    runCalculatePress(window, [] { throw InputError(); });
    runCalculatePress(window, [] { throw WindowError("gone"); });
    EXPECT_EQ(window.log, (std::vector<std::string>{"[数字を入力してください]", "[数字を入力してください]"}));
    EXPECT_THROW(runCalculatePress(window, [] { throw std::logic_error("bug"); }), std::logic_error);
    EXPECT_THROW(runCalculatePress(window, [] { throw std::bad_alloc(); }), std::bad_alloc);
    EXPECT_EQ(window.log.size(), 2U) << "no box for a fault of the program";
}

// On either game's sheets a bad entry shows the one box and changes nothing:
// the press after it logs what it logs without it.
TEST(BothGames, ABadEntryChangesNothing)
{
    const auto play = [](bool game301, int players, const std::string& script) {
        return game301 ? testing::play(Game301Sheet(players), players, "301", script)
                       : testing::play(CountUpSheet(players), players, "0", script);
    };
    struct Row { bool game301; int players; std::string before, bad, after; };
    std::vector<Row> rows{
        {false, 1, "1:32767,0,0 6*0", "1:1,0,0", "1:-7,0,0"}, // the total would leave the range
        {true, 3, "2*7", "3:-32768,0,0", "3:1,0,0"},          // the remaining score would
    };
    for (bool game301 : {false, true})
        for (const char* bad : {"3:,1,2", "3:5,abc,1", "3:1,2,40000", "3:32767,1,0", "3:30000,2000,1000"})
            rows.push_back({game301, 3, "2*7", bad, "3:1,2,3"}); // the last player: the round advances
    for (const Row& row : rows)
        EXPECT_EQ(play(row.game301, row.players, row.before + " | " + row.bad + " | " + row.after),
                  INPUT_ERROR " | " + play(row.game301, row.players, row.before + " | " + row.after))
            << (row.game301 ? "301 " : "Count-Up ") << row.bad;
}

// Reset writes the scores and the round, each game in its own order, and
// leaves the fields alone; showing the window anew writes only the rules.
TEST(BothGames, ResetAndShowingAnewStartANewGame)
{
    testing::expectLogs<CountUpSheet>("0", {
        {"reset", 4, "8*10 | R | 4:1,12,0",
            "Label5=0 Label6=1 Label9=0 Label10=0 Label11=0 | Label11=13 Text14= Text15= Text16= Label6=2"},
        {"showing anew", 3, "8*10 | L | 1:5,0,0 3:5,0,0",
            "Label8=ダーツの点数計算ソフトです。ルールはカウントアップ\r\n３回投げてください。全部で８ラウンドです。"
            " | Label5=5 Text1= Text2= Text3= Label10=5 Text10= Text11= Text12= Label6=2"},
    });
    testing::expectLogs<Game301Sheet>("301", {
        {"reset", 4, "20*3 | R | 4:1,12,0", "Label5=301 Label9=301 Label10=301 Label11=301 Label6=1 | Label11=288 Text14= Text15= Text16= Label6=2"},
        {"showing anew", 4, "20*5 | L | 1:5,0,0 4:5,0,0",
            "Label8=ダーツの点数計算ソフトです。ルールは３０１です。\r\n３０１から点数を引き、早く０にした方が勝ちになります。\r\n"
            "３回投げてください。全部で２０ラウンドです。 | Label5=296 Text1= Text2= Text3= Label11=296 Text14= Text15= Text16= Label6=2"},
    });
}

} // namespace
} // namespace zelvo
