// The 301 sheets for one to four players, driven through a fake window.

#include "game301/game301_sheet.hpp"
#include "tests/sheet_fixture.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace zelvo {
namespace {

using namespace zelvo::testing;
using Strings = std::vector<std::string>;

struct Game301 : SheetOnFakeWindow<Game301Sheet> {
    explicit Game301(int players) : SheetOnFakeWindow(players, "301") {}

    // Brings player p from 301 to the given score in one turn.
    void bringTo(int player, int remaining) { press(player, std::to_string(301 - remaining), "0", "0"); }

    // What player p's score label showed while each box was open.
    Strings scoreWhileOpen(int player) const
    {
        Strings shown;
        for (const auto& box : window.boxes)
            shown.push_back(box.captionsWhileOpen.at(std::string(controlsOf(player).scoreLabel)));
        return shown;
    }
};

const std::string kBust = "★☆バースト☆★";
std::string endOfRounds(const std::string& who, const std::string& number)
{
    return "２０ラウンド終わりました。" + who + "さんの合計は" + number + "点です。おつかれさまでした。";
}
std::string checkout(const std::string& who) { return who + "さんの勝ちです。おめでとうございます！"; }
std::string winsGame(const std::string& who) { return who + "さんの勝ちです。おめでとうございます。"; }

const std::string kRules = "ダーツの点数計算ソフトです。ルールは３０１です。\r\n"
                           "３０１から点数を引き、早く０にした方が勝ちになります。\r\n"
                           "３回投げてください。全部で２０ラウンドです。";

TEST(Game301, OnlyTheLastPlayerAdvancesTheRoundAfterWritingTheScoreAndEmptyingTheFields)
{
    for (int players = 1; players <= 4; ++players) {
        SCOPED_TRACE(players);
        Game301 game(players);
        game.press(players, "20", "60", "19");
        auto expected = scoreThenEmptied(players, "202");
        expected.push_back("caption Label6=2");
        EXPECT_EQ(game.window.log, expected);
        for (int p = 1; p < players; ++p) {
            game.press(p, "20", "0", "0");
            game.press(p, "0", "-20", "1"); // a negative throw raises the score
            EXPECT_EQ(game.window.score(p), "300");
        }
        EXPECT_EQ(game.window.round(), "2");
    }
}

TEST(Game301OnePlayer, ExactlyZeroWinsAndPlayGoesOn)
{
    Game301 game(1);
    game.bringTo(1, 40);
    game.playRounds(5);
    game.press(1, "20", "20", "0");
    EXPECT_EQ(game.window.boxTexts(), Strings{"プレーヤー1さんの勝ちです。おめでとうございます！"});
    EXPECT_EQ(game.window.boxes[0].captionsWhileOpen.at("Label6"), "8");

    game.window.forget();
    game.press(1, "5", "0", "0");
    EXPECT_EQ(game.window.boxTexts(), Strings{kBust});
    EXPECT_EQ(game.scoreWhileOpen(1), Strings{"-5"});
    EXPECT_EQ(game.window.score(1), "0");
    EXPECT_EQ(game.window.round(), "9");

    game.window.forget();
    game.press(1, "0", "0", "0");
    EXPECT_EQ(game.window.boxTexts(), Strings{checkout(defaultName(1))});
}

TEST(Game301OnePlayer, BustShowsTheNegativeScoreThenRestoresTheScoreBeforeTheTurn)
{
    Game301 game(1);
    game.bringTo(1, 30);
    game.playRounds(1);
    game.window.forget();
    game.press(1, "20", "15", "0");
    EXPECT_EQ(game.window.log, (Strings{"caption Label5=-5", "text Text1=", "text Text2=", "text Text3=",
                                   "caption Label6=4", "box " + kBust, "caption Label5=30"}));
}

TEST(Game301OnePlayer, RoundTwentyEndsTheGame)
{
    struct Row {
        const char* shows;
        int before;
        const char* firstThrow;
        Strings boxes;
        Strings scoreWhileOpen;
        const char* finalScore;
    };
    const Row rows[] = {
        {"EndingAbove0", 100, "43", {"２０ラウンド終わりました。プレーヤー1さんの合計は 57点です。おつかれさまでした。"}, {"57"}, "57"},
        {"ReachingExactly0", 100, "100", {endOfRounds(defaultName(1), " 0"), checkout(defaultName(1))}, {"0", "0"}, "0"},
        {"BustSettledFirst", 10, "20",
            {kBust, "２０ラウンド終わりました。プレーヤー1さんの合計は 10点です。おつかれさまでした。"}, {"-10", "10"}, "10"},
        {"BustBackTo0WinsNothing", 0, "5", {kBust, endOfRounds(defaultName(1), " 0")}, {"-5", "0"}, "0"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.shows);
        Game301 game(1);
        game.bringTo(1, row.before);
        game.playRounds(18);
        game.window.forget();
        game.press(1, row.firstThrow, "0", "0");
        EXPECT_EQ(game.window.boxTexts(), row.boxes);
        EXPECT_EQ(game.scoreWhileOpen(1), row.scoreWhileOpen);
        EXPECT_EQ(game.window.score(1), row.finalScore);
        EXPECT_EQ(game.window.round(), "20");

        game.window.forget();
        game.press(1, "abc", "0", "0");
        game.press(1, "0", "0", "0");
        EXPECT_TRUE(game.window.log.empty()); // finished: a press does nothing
        EXPECT_EQ(game.window.fields.at("Text1"), "0");
    }
}

TEST(Game301, BadEntryShowsOneBoxAndChangesNothingForAnyone)
{
    const char* badEntries[][3] = {{"", "1", "2"}, {"5", "abc", "1"}, {"5", "", "1"}, {"1", "2", "40000"},
        {"32767", "1", "0"}, {"-32768", "0", "0"}};
    for (int players : {1, 3, 4}) {
        SCOPED_TRACE(players);
        Game301 game(players);
        game.playRounds(2, 7);
        for (int p = 1; p <= players; ++p)
            game.window.type(p, "1", "2", "3");
        const int player = std::min(players, 3);
        for (const auto& bad : badEntries)
            game.expectInputErrorChangesNothing(player, bad[0], bad[1], bad[2]);
        game.press(player, "1", "0", "0"); // as if the failed presses had not happened
        EXPECT_EQ(game.window.score(player), "286");
    }
}

TEST(Game301, ResetWritesEveryScoreThenTheRoundAndKeepsWhatWasTyped)
{
    for (int players = 1; players <= 4; ++players) {
        for (int roundsPlayed : {11, 20}) {
            SCOPED_TRACE(std::to_string(players) + " players, rounds played " + std::to_string(roundsPlayed));
            Game301 game(players);
            game.playRounds(roundsPlayed, 3);
            game.window.fields["Text4"] = "花子";
            game.window.type(players, "", "12", "");
            game.window.forget();
            game.sheet.reset(game.window);
            Strings expected;
            for (int p = 1; p <= players; ++p)
                expected.push_back("caption " + std::string(controlsOf(p).scoreLabel) + "=301");
            expected.push_back("caption Label6=1");
            EXPECT_EQ(game.window.log, expected);
            EXPECT_EQ(game.window.fields.at("Text4"), "花子");
            EXPECT_EQ(game.window.fields.at(std::string(controlsOf(players).throwFields[1])), "12");
            game.press(players, "1", "12", "0");
            EXPECT_EQ(game.window.score(players), "288");
            EXPECT_EQ(game.window.round(), "2");
        }
    }
}

TEST(Game301, ShowingTheWindowAnewWritesOnlyTheRulesAndStartsEveryoneAt301)
{
    for (int players = 1; players <= 4; ++players) {
        Game301 game(players);
        game.playRounds(20, 5);
        game.window = FakeWindow::sheet(players, "301");
        game.sheet.load(game.window);
        EXPECT_EQ(game.window.log, Strings{"caption Label8=" + kRules});
        for (int p = 1; p <= players; ++p) {
            game.press(p, "5", "0", "0");
            EXPECT_EQ(game.window.score(p), "296");
        }
        EXPECT_EQ(game.window.round(), "2");
    }
}

TEST(Game301SeveralPlayers, OthersSeeTheirEndOfRoundsMessageOnEveryPressInRoundTwenty)
{
    for (int players = 3; players <= 4; ++players) {
        SCOPED_TRACE(players);
        Game301 game(players);
        game.bringTo(2, 10);
        game.playRounds(19);
        game.window.forget();
        game.press(1, "1", "0", "0");
        game.press(1, "1", "0", "0");
        game.press(2, "20", "0", "0"); // busts: settled before the message, and no win at the restored score
        EXPECT_EQ(game.window.boxTexts(),
            (Strings{endOfRounds(defaultName(1), " 300"), endOfRounds(defaultName(1), " 299"), kBust, endOfRounds(defaultName(2), " 10")}));
        EXPECT_EQ(game.scoreWhileOpen(2), (Strings{"10", "10", "-10", "10"}));
        EXPECT_EQ(game.window.round(), "20");

        game.window.forget();
        game.press(players, "1", "0", "0");
        EXPECT_EQ(game.window.boxTexts(), Strings{endOfRounds(defaultName(players), " 300")});
        game.window.forget();
        for (int p = 1; p <= players; ++p)
            game.press(p, "1", "0", "0");
        EXPECT_TRUE(game.window.log.empty());
    }
}

TEST(Game301TwoPlayers, RoundTwentyEndsWithTheResult)
{
    struct Row {
        const char* shows;
        int firstBefore, secondBefore;
        const char* secondThrow;
        Strings boxes;
        Strings secondScoreWhileOpen;
    };
    // Player 1 ends round 20 at firstBefore (throwing 0), then player 2 plays.
    const Row rows[] = {
        {"PlayerTwoLowerWins", 40, 50, "25", {endOfRounds(defaultName(2), " 25"), winsGame(defaultName(2))}, {"25", "25"}},
        {"PlayerOneLowerWins", 25, 50, "10", {endOfRounds(defaultName(2), " 40"), winsGame(defaultName(1))}, {"40", "40"}},
        {"EqualScoresDraw", 57, 60, "3", {endOfRounds(defaultName(2), " 57"), "引き分けです。"}, {"57", "57"}},
        {"BustSettledBeforeTheResult", 5, 10, "20",
            {kBust, endOfRounds(defaultName(2), " 10"), "プレーヤー1さんの勝ちです。おめでとうございます。"}, {"-10", "10", "10"}},
        {"BothAt0DrawThenCheckout", 0, 20, "20", {endOfRounds(defaultName(2), " 0"), "引き分けです。", checkout(defaultName(2))},
            {"0", "0", "0"}},
        {"CheckoutWinsTheResultToo", 30, 20, "20", {endOfRounds(defaultName(2), " 0"), winsGame(defaultName(2)), checkout(defaultName(2))},
            {"0", "0", "0"}},
        {"BustBackTo0DrawsWithoutCheckout", 0, 0, "5", {kBust, endOfRounds(defaultName(2), " 0"), "引き分けです。"},
            {"-5", "0", "0"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.shows);
        Game301 game(2);
        game.bringTo(1, row.firstBefore);
        game.bringTo(2, row.secondBefore);
        game.playRounds(18);
        game.window.forget();
        game.press(1, "0", "0", "0");
        EXPECT_EQ(game.window.boxTexts().at(0), endOfRounds(defaultName(1), " " + std::to_string(row.firstBefore)));
        game.window.forget();
        game.press(2, row.secondThrow, "0", "0");
        EXPECT_EQ(game.window.boxTexts(), row.boxes);
        EXPECT_EQ(game.scoreWhileOpen(2), row.secondScoreWhileOpen);
        EXPECT_EQ(game.window.round(), "20");

        game.window.forget();
        game.press(1, "0", "0", "0");
        game.press(2, "0", "0", "0");
        EXPECT_TRUE(game.window.log.empty());
    }
}

TEST(Game301TwoPlayers, EarlyCheckoutDoesNotEndTheGame)
{
    Game301 game(2);
    game.window.fields["Text4"] = "太郎";
    game.press(1, "60", "60", "60");
    game.press(2, "20", "20", "20");
    game.press(1, "60", "60", "1");
    EXPECT_EQ(game.window.boxTexts(), Strings{"太郎さんの勝ちです。おめでとうございます！"});
    game.press(2, "60", "60", "60");
    game.window.forget();
    game.press(1, "20", "0", "0"); // from 0 a positive turn busts back to 0
    game.press(1, "0", "0", "0");
    EXPECT_EQ(game.window.boxTexts(), (Strings{kBust, "太郎さんの勝ちです。おめでとうございます！"}));
    EXPECT_EQ(game.window.score(1), "0");
    for (int r = 3; r < 20; ++r)
        game.press(2, "1", "0", "0");
    game.window.forget();
    game.press(2, "4", "0", "0");
    EXPECT_EQ(game.window.boxTexts(), (Strings{endOfRounds(defaultName(2), " 40"), "太郎さんの勝ちです。おめでとうございます。"}));
}

} // namespace
} // namespace zelvo
