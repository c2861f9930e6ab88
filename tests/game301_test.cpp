// The 301 sheets for one to four players, played from scripts (see
// sheet_script.hpp); each row is a script and the log it must leave.

#include "game301/game301_sheet.hpp"
#include "tests/sheet_script.hpp"

#include <gtest/gtest.h>

namespace zelvo {
namespace {

#define END_OF_ROUNDS(who, n) "[２０ラウンド終わりました。" who "さんの合計は" n "点です。おつかれさまでした。]"
#define CHECKOUT(who) "[" who "さんの勝ちです。おめでとうございます！]"
#define BUST "[★☆バースト☆★]"

TEST(Game301, OnlyTheLastPlayerAdvancesTheRound)
{
    testing::expectLogs<Game301Sheet>("301", {{"the last player's press advances", 4, "| 1:20,0,0 1:0,-20,1 2:1,0,0 3:1,0,0 4:20,60,19",
        "Label5=281 Text1= Text2= Text3= Label5=300 Text1= Text2= Text3= Label9=300 Text6= Text7= Text8= "
        "Label10=300 Text10= Text11= Text12= Label11=202 Text14= Text15= Text16= Label6=2"}});
}

// Exactly 0 wins without ending the game; below 0 busts, showing the negative
// score while the box is open and then the score from before the turn.
TEST(Game301, ExactlyZeroWinsAndBelowZeroBusts)
{
    testing::expectLogs<Game301Sheet>("301", {{"a checkout and a bust", 1, "1:261,0,0 5*0 | 1:20,20,0 | 1:5,0,0 | 1:0,0,0",
        "Label5=0 Text1= Text2= Text3= Label6=8 " CHECKOUT("プレーヤー1") " | Label5=-5 Text1= Text2= Text3= Label6=9 " BUST
        " Label5=0 | Label5=0 Text1= Text2= Text3= Label6=10 " CHECKOUT("プレーヤー1")}});
}

// A round-20 bust is settled before the end-of-rounds message, and no win
// follows it even back at 0. After the last player's round 20 no button does
// anything.
TEST(Game301, RoundTwentyEndsTheGame)
{
    testing::expectLogs<Game301Sheet>("301", {
        {"after round 20 nothing happens", 1, "1:201,0,0 18*0 | 1:43,0,0 | 1:x,0,0 1:0,0,0", "Label5=57 Text1= Text2= Text3= " END_OF_ROUNDS("プレーヤー1", " 57") " |"},
        {"a checkout in round 20", 1, "1:201,0,0 18*0 | 1:100,0,0", "Label5=0 Text1= Text2= Text3= " END_OF_ROUNDS("プレーヤー1", " 0") " " CHECKOUT("プレーヤー1")},
        {"a round-20 bust", 1, "1:291,0,0 18*0 | 1:20,0,0",
            "Label5=-10 Text1= Text2= Text3= " BUST " Label5=10 [２０ラウンド終わりました。プレーヤー1さんの合計は 10点です。おつかれさまでした。]"},
        {"a round-20 bust from 0", 1, "1:301,0,0 18*0 | 1:5,0,0", "Label5=-5 Text1= Text2= Text3= " BUST " Label5=0 " END_OF_ROUNDS("プレーヤー1", " 0")},
        // In round 20 every press of another player shows that player's message.
        {"round 20 of four players", 4, "2:291,0,0 19*0 | 1:1,0,0 | 1:1,0,0 | 2:20,0,0 | 3:1,0,0 | 4:1,0,0 | 1:1,0,0 2:1,0,0 4:1,0,0",
            "Label5=300 Text1= Text2= Text3= " END_OF_ROUNDS("プレーヤー1", " 300") " | Label5=299 Text1= Text2= Text3= "
            END_OF_ROUNDS("プレーヤー1", " 299") " | Label9=-10 Text6= Text7= Text8= " BUST " Label9=10 " END_OF_ROUNDS("プレーヤー2", " 10")
            " | Label10=300 Text10= Text11= Text12= " END_OF_ROUNDS("プレーヤー3", " 300") " | Label11=300 Text14= Text15= Text16= "
            END_OF_ROUNDS("プレーヤー4", " 300") " |"},
    });
}

// Player 1 ends round 20 first; player 2's last turn names the lower score.
TEST(Game301, TwoPlayersEndWithTheLowerScoreOrADraw)
{
    testing::expectLogs<Game301Sheet>("301", {
        {"player 2 wins", 2, "1:261,0,0 2:251,0,0 18*0 1:0,0,0 | 2:25,0,0 | 1:0,0,0 2:0,0,0",
            "Label9=25 Text6= Text7= Text8= " END_OF_ROUNDS("プレーヤー2", " 25") " " WINS("プレーヤー2") " |"},
        {"player 1 wins", 2, "1:276,0,0 2:251,0,0 18*0 1:0,0,0 | 2:10,0,0",
            "Label9=40 Text6= Text7= Text8= " END_OF_ROUNDS("プレーヤー2", " 40") " " WINS("プレーヤー1")},
        {"a draw", 2, "1:244,0,0 2:241,0,0 18*0 1:0,0,0 | 2:3,0,0", "Label9=57 Text6= Text7= Text8= " END_OF_ROUNDS("プレーヤー2", " 57") " " DRAW},
        {"a bust in the last turn", 2, "1:296,0,0 2:291,0,0 18*0 1:0,0,0 | 2:20,0,0",
            "Label9=-10 Text6= Text7= Text8= " BUST " Label9=10 " END_OF_ROUNDS("プレーヤー2", " 10") " " WINS("プレーヤー1")},
        {"a checkout after the result", 2, "1:301,0,0 2:281,0,0 18*0 1:0,0,0 | 2:20,0,0",
            "Label9=0 Text6= Text7= Text8= " END_OF_ROUNDS("プレーヤー2", " 0") " " DRAW " " CHECKOUT("プレーヤー2")},
    });
}

// What a screen reader hears: the score the label keeps, after any box, and
// the round when it moves on; nothing from a press that changed nothing.
TEST(Game301, PressesAnnounceTheScore)
{
    testing::expectLogs<Game301Sheet>("301", {
        {"a turn, then the round", 2, "S | 1:20,3,1 | 2:60,0,0 | 1:x,0,0",
            "Label5=277 Text1= Text2= Text3= «プレーヤー1 残り 277» | Label9=241 Text6= Text7= Text8= Label6=2 "
            "«プレーヤー2 残り 241、2回目» | " INPUT_ERROR},
        {"a bust and a checkout", 1, "1:291,0,0 S | 1:20,0,0 | 1:10,0,0",
            "Label5=-10 Text1= Text2= Text3= Label6=3 " BUST " Label5=10 «プレーヤー1 残り 10、3回目» | "
            "Label5=0 Text1= Text2= Text3= Label6=4 " CHECKOUT("プレーヤー1") " «プレーヤー1 残り 0、4回目»"},
        {"round 20 and after", 1, "19*0 S | 1:1,0,0 | 1:1,0,0",
            "Label5=300 Text1= Text2= Text3= " END_OF_ROUNDS("プレーヤー1", " 300") " «プレーヤー1 残り 300» |"},
    });
}

} // namespace
} // namespace zelvo
