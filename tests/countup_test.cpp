// The Count-Up sheets for one to four players, driven through a fake window.

#include "countup/countup_sheet.hpp"
#include "tests/sheet_fixture.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace zelvo {
namespace {

using namespace zelvo::testing;
using Strings = std::vector<std::string>;

struct CountUp : SheetOnFakeWindow<CountUpSheet> {
    explicit CountUp(int players) : SheetOnFakeWindow(players, "0") {}
};

std::string totalMessage(const std::string& who, const std::string& number)
{
    return who + "さんの合計は" + number + "点です。おつかれさまでした。";
}
std::string shortTotalMessage(const std::string& number) { return "合計は" + number + "です。おつかれさまでした。"; }
std::string winsMessage(const std::string& who) { return who + "さんの勝ちです。おめでとうございます。"; }

const std::string kRules = "ダーツの点数計算ソフトです。ルールはカウントアップ\r\n３回投げてください。全部で８ラウンドです。";

TEST(CountUp, OnlyTheLastPlayerAdvancesTheRoundAfterWritingTheTotalAndEmptyingTheFields)
{
    for (int players = 1; players <= 4; ++players) {
        SCOPED_TRACE(players);
        CountUp game(players);
        game.press(players, "20", "40", "0");
        auto expected = scoreThenEmptied(players, "60");
        expected.push_back("caption Label6=2");
        EXPECT_EQ(game.window.log, expected);
        for (int p = 1; p < players; ++p) {
            game.press(p, "10", "0", "0");
            game.press(p, "0", "5", "0");
            EXPECT_EQ(game.window.score(p), "15");
        }
        EXPECT_EQ(game.window.round(), "2");
    }
}

TEST(CountUpOnePlayer, EighthPressAnnouncesTheTotalAndTheRoundLabelStaysAtEight)
{
    CountUp game(1);
    game.playRounds(7, 15);
    EXPECT_EQ(game.window.round(), "8");
    EXPECT_TRUE(game.window.boxes.empty());

    game.press(1, "15", "0", "0");
    ASSERT_EQ(game.window.boxTexts(), Strings{"プレーヤー1さんの合計は 120点です。おつかれさまでした。"});
    const auto& box = game.window.boxes[0];
    EXPECT_EQ(box.captionsWhileOpen.at("Label5"), "120");
    EXPECT_EQ(box.fieldsWhileOpen.at("Text3"), "");
    EXPECT_EQ(game.window.log.back(), "box " + box.text); // the round label is not written
    EXPECT_EQ(game.window.round(), "8");

    for (int again = 0; again < 2; ++again) { // finished: fields emptied unread, the total repeated
        game.window.forget();
        game.press(1, "abc", "", "1.5");
        EXPECT_EQ(game.window.log, (Strings{"text Text1=", "text Text2=", "text Text3=", "box " + box.text}));
    }
    EXPECT_EQ(game.sheet.totalOf(1), 120);
}

TEST(CountUpOnePlayer, TotalMessageKeepsASignPositionAndTheNameAsTyped)
{
    struct Row {
        const char* name;
        const char* finalThrow;
        const char* label;
        std::string message;
    };
    const Row rows[] = {
        {"プレーヤー1", "0", "0", "プレーヤー1さんの合計は 0点です。おつかれさまでした。"},
        {"プレーヤー1", "-5", "-5", "プレーヤー1さんの合計は-5点です。おつかれさまでした。"},
        {"", "120", "120", "さんの合計は 120点です。おつかれさまでした。"},
        {" 花子\u3000", "7", "7", " 花子\u3000さんの合計は 7点です。おつかれさまでした。"},
    };
    for (const auto& row : rows) {
        CountUp game(1);
        game.playRounds(7);
        game.window.fields["Text4"] = row.name;
        game.press(1, row.finalThrow, "0", "0");
        EXPECT_EQ(game.window.score(1), row.label);
        EXPECT_EQ(game.window.boxTexts(), Strings{row.message});
    }
}

TEST(CountUp, BadEntryShowsOneBoxAndChangesNothingForAnyone)
{
    const char* badEntries[][3] = {{"", "1", "2"}, {"5", "abc", "1"}, {"5", "", "1"}, {"1", "2", "40000"},
        {"32767", "1", "0"}, {"30000", "2000", "1000"}, {"-32768", "-1", "0"}};
    for (int players : {1, 3, 4}) {
        SCOPED_TRACE(players);
        CountUp game(players);
        game.playRounds(2, 25);
        for (int p = 1; p <= players; ++p)
            game.window.type(p, "1", "2", "3");
        const int player = std::min(players, 3);
        for (const auto& bad : badEntries)
            game.expectInputErrorChangesNothing(player, bad[0], bad[1], bad[2]);
        game.press(player, "1", "2", "3"); // as if the failed presses had not happened
        EXPECT_EQ(game.window.score(player), "56");
    }
}

TEST(CountUpOnePlayer, TotalBeyondTheRangeIsABadEntryEvenInTheLastRound)
{
    CountUp game(1);
    game.press(1, "32767", "0", "0");
    game.playRounds(6);
    game.expectInputErrorChangesNothing(1, "1", "0", "0");
    game.window.forget();
    game.press(1, "-7", "0", "0"); // the last round is still to be played
    EXPECT_EQ(game.window.boxTexts(), Strings{totalMessage(defaultName(1), " 32760")});
}

TEST(CountUpOnePlayer, FailingWindowAfterTheAdditionKeepsTheStepsDoneAndSkipsTheRest)
{
    CountUp game(1);
    game.window.failOn = "Label6";
    game.press(1, "1", "2", "3");
    auto expected = scoreThenEmptied(1, "6");
    expected.push_back("box " + kInputError);
    EXPECT_EQ(game.window.log, expected);
    game.window.failOn.clear();
    game.press(1, "1", "0", "0");
    EXPECT_EQ(game.window.round(), "3");
}

TEST(CountUp, ResetWritesPlayerOneThenTheRoundThenTheOthersAndKeepsWhatWasTyped)
{
    for (int players = 1; players <= 4; ++players) {
        for (int roundsPlayed : {4, 8}) {
            SCOPED_TRACE(std::to_string(players) + " players, rounds played " + std::to_string(roundsPlayed));
            CountUp game(players);
            game.playRounds(roundsPlayed, 10);
            game.window.fields["Text4"] = "花子";
            game.window.type(players, "", "12", "");
            game.window.forget();
            game.sheet.reset(game.window);
            Strings expected{"caption Label5=0", "caption Label6=1"};
            for (int p = 2; p <= players; ++p)
                expected.push_back("caption " + std::string(controlsOf(p).scoreLabel) + "=0");
            EXPECT_EQ(game.window.log, expected);
            EXPECT_EQ(game.window.fields.at("Text4"), "花子");
            EXPECT_EQ(game.window.fields.at(std::string(controlsOf(players).throwFields[1])), "12");
            game.press(players, "1", "12", "0");
            EXPECT_EQ(game.window.score(players), "13");
            EXPECT_EQ(game.window.round(), "2");
        }
    }
}

TEST(CountUp, ShowingTheWindowAnewWritesOnlyTheRulesAndStartsEveryTotalAtZero)
{
    for (int players = 1; players <= 4; ++players) {
        CountUp game(players);
        game.playRounds(8, 10);
        game.window = FakeWindow::sheet(players, "0");
        game.sheet.load(game.window);
        EXPECT_EQ(game.window.log, Strings{"caption Label8=" + kRules});
        for (int p = 1; p <= players; ++p) {
            game.press(p, "5", "0", "0");
            EXPECT_EQ(game.window.score(p), "5");
        }
        EXPECT_EQ(game.window.round(), "2");
    }
}

// Player p throws p each round, so that the totals tell the players apart.
TEST(CountUpSeveralPlayers, TheLastPlayersEighthRoundEndsTheGameForEveryone)
{
    for (int players = 2; players <= 4; ++players) {
        SCOPED_TRACE(players);
        CountUp game(players);
        for (int r = 0; r < 7; ++r)
            for (int p = 1; p <= players; ++p)
                game.press(p, std::to_string(p), "0", "0");
        EXPECT_EQ(game.window.round(), "8");

        for (int p = 1; p < players; ++p) {
            game.window.forget();
            game.press(p, std::to_string(p), "0", "0");
            EXPECT_EQ(game.window.boxTexts(), Strings{totalMessage(defaultName(p), " " + std::to_string(8 * p))});
            EXPECT_EQ(game.window.boxes[0].fieldsWhileOpen.at(std::string(controlsOf(p).throwFields[0])), "");
            game.expectInputErrorChangesNothing(p, "", "", ""); // pressing again needs new throws
        }

        game.window.forget();
        game.press(players, std::to_string(players), "0", "0");
        Strings last{totalMessage(defaultName(players), " " + std::to_string(8 * players))};
        if (players == 2)
            last.push_back(winsMessage(defaultName(2)));
        EXPECT_EQ(game.window.boxTexts(), last);
        for (const auto& box : game.window.boxes) {
            EXPECT_EQ(box.captionsWhileOpen.at(std::string(controlsOf(players).scoreLabel)), std::to_string(8 * players));
            EXPECT_EQ(box.captionsWhileOpen.at("Label6"), "8");
        }

        for (int p = 1; p <= players; ++p) {
            game.window.forget();
            game.press(p, "x", "1", "2");
            const std::string total = " " + std::to_string(8 * p);
            EXPECT_EQ(game.window.boxTexts(), Strings{p == 1 ? shortTotalMessage(total) : totalMessage(defaultName(p), total)});
            EXPECT_EQ(game.window.fields.at(std::string(controlsOf(p).throwFields[1])), "");
            EXPECT_EQ(game.window.score(p), std::to_string(8 * p));
        }
        EXPECT_EQ(game.window.round(), "8");
    }
}

TEST(CountUpTwoPlayers, ResultNamesTheHigherTotalOrADraw)
{
    struct Row {
        const char* shows;
        const char* firstFinal;
        const char* secondFinal;
        std::string result;
    };
    const Row rows[] = {
        {"PlayerOneAhead", "300", "280", "太郎さんの勝ちです。おめでとうございます。"},
        {"PlayerTwoAhead", "280", "300", "花子さんの勝ちです。おめでとうございます。"},
        {"EqualTotals", "150", "150", "引き分けです。"},
        {"NegativeTotalsHigherWins", "-5", "-3", "花子さんの勝ちです。おめでとうございます。"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.shows);
        CountUp game(2);
        game.window.fields["Text4"] = "太郎";
        game.window.fields["Text5"] = "花子";
        game.playRounds(7);
        game.press(1, row.firstFinal, "0", "0");
        game.window.forget();
        game.press(2, row.secondFinal, "0", "0");
        const std::string second = row.secondFinal[0] == '-' ? row.secondFinal : " " + std::string(row.secondFinal);
        EXPECT_EQ(game.window.boxTexts(), (Strings{totalMessage("花子", second), row.result}));
    }
}

TEST(CountUpTwoPlayers, PlayerTwoFinishingFirstShutsOutPlayerOnesLastRound)
{
    CountUp game(2);
    game.playRounds(7, 10);
    game.press(2, "5", "0", "0");
    EXPECT_EQ(game.window.boxTexts(), (Strings{totalMessage(defaultName(2), " 75"), winsMessage(defaultName(2))}));
    game.window.forget();
    game.press(1, "100", "0", "0");
    EXPECT_EQ(game.window.boxTexts(), Strings{shortTotalMessage(" 70")});
    EXPECT_EQ(game.window.score(1), "70");
}

} // namespace
} // namespace zelvo
