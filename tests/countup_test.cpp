// The Count-Up sheets for one to four players, played from scripts (see
// sheet_script.hpp); each row is a script and the log it must leave.

#include "countup/countup_sheet.hpp"
#include "tests/sheet_script.hpp"

#include <gtest/gtest.h>

namespace zelvo {
namespace {

#define TOTAL(who, n) "[" who "さんの合計は" n "点です。おつかれさまでした。]"
#define SHORT_TOTAL(n) "[合計は" n "です。おつかれさまでした。]"

TEST(CountUp, OnlyTheLastPlayerAdvancesTheRound)
{
    testing::expectLogs<CountUpSheet>("0", {
        {"the last player's press advances", 2, "| 2:20,20,20 1:5,0,0", "Label9=60 Text6= Text7= Text8= Label6=2 Label5=5 Text1= Text2= Text3="},
        {"other presses leave the round alone", 4, "| 1:10,0,0 1:0,5,0 2:1,0,0 3:-2,0,0 4:20,40,0",
            "Label5=10 Text1= Text2= Text3= Label5=15 Text1= Text2= Text3= Label9=1 Text6= Text7= Text8= "
            "Label10=-2 Text10= Text11= Text12= Label11=60 Text14= Text15= Text16= Label6=2"},
    });
}

// The eighth press announces the total and ends the game; the round label
// stays at 8. After that a press empties the fields unread and repeats the
// message: player 1 of a sheet for several players gets it without a name.
TEST(CountUp, LastRoundAndFinishedState)
{
    testing::expectLogs<CountUpSheet>("0", {
        {"round 8 ends the game, then the message repeats", 1, "7*15 | 1:15,0,0 | 1:x,,1.5",
            "Label5=120 Text1= Text2= Text3= " TOTAL("プレーヤー1", " 120") " | Text1= Text2= Text3= " TOTAL("プレーヤー1", " 120")},
        {"an emptied name", 1, "Text4= 7*0 | 1:0,0,0", "Label5=0 Text1= Text2= Text3= " TOTAL("", " 0")},
        {"a name kept verbatim, a negative total", 1, "Text4=\u3000花子\u3000 7*0 | 1:-5,0,0", "Label5=-5 Text1= Text2= Text3= " TOTAL("\u3000花子\u3000", "-5")},
        // Player 2 finishing first shuts player 1 out of round 8.
        {"player 2 finishing first shuts player 1 out", 2, "Text5=花子 7*10 | 2:5,0,0 | 1:x,0,0 | 2:x,0,0",
            "Label9=75 Text6= Text7= Text8= " TOTAL("花子", " 75") " " WINS("花子") " | Text1= Text2= Text3= " SHORT_TOTAL(" 70")
            " | Text6= Text7= Text8= " TOTAL("花子", " 75")},
        {"three players: player 3 ends the game", 3, "7*10 | 1:1,0,0 | 1: | 2:2,0,0 | 3:3,0,0 | 1:x,1,2 | 2:x,1,2",
            "Label5=71 Text1= Text2= Text3= " TOTAL("プレーヤー1", " 71") " | " INPUT_ERROR " | Label9=72 Text6= Text7= Text8= "
            TOTAL("プレーヤー2", " 72") " | Label10=73 Text10= Text11= Text12= " TOTAL("プレーヤー3", " 73") " | Text1= Text2= Text3= "
            SHORT_TOTAL(" 71") " | Text6= Text7= Text8= " TOTAL("プレーヤー2", " 72")},
        // The four-player sheet plays by the three-player rules with player 4 last.
        {"four players: player 4 ends the game", 4, "7*10 | 3:3,0,0 | 3: | 4:4,0,0 | 3:x,1,2 | 4:x,1,2",
            "Label10=73 Text10= Text11= Text12= " TOTAL("プレーヤー3", " 73") " | " INPUT_ERROR " | Label11=74 Text14= Text15= Text16= "
            TOTAL("プレーヤー4", " 74") " | Text10= Text11= Text12= " TOTAL("プレーヤー3", " 73") " | Text14= Text15= Text16= "
            TOTAL("プレーヤー4", " 74")},
    });
}

TEST(CountUp, TwoPlayersEndWithTheHigherTotalOrADraw)
{
    testing::expectLogs<CountUpSheet>("0", {
        {"player 1 wins", 2, "Text4=太郎 Text5=花子 7*0 1:300,0,0 | 2:280,0,0", "Label9=280 Text6= Text7= Text8= " TOTAL("花子", " 280") " " WINS("太郎")},
        {"player 2 wins on negative totals", 2, "Text4=太郎 Text5=花子 7*0 1:-5,0,0 | 2:-3,0,0", "Label9=-3 Text6= Text7= Text8= " TOTAL("花子", "-3") " " WINS("花子")},
        {"a draw", 2, "7*0 1:150,0,0 | 2:150,0,0", "Label9=150 Text6= Text7= Text8= " TOTAL("プレーヤー2", " 150") " " DRAW},
    });
}

// What a screen reader hears: the total after any box, and the round when
// it moves on; nothing from a press after the game.
TEST(CountUp, PressesAnnounceTheTotal)
{
    testing::expectLogs<CountUpSheet>("0", {
        {"a turn, then the round", 2, "S | 1:20,3,1 | 2:60,0,0", "Label5=24 Text1= Text2= Text3= «プレーヤー1 合計 24» | "
            "Label9=60 Text6= Text7= Text8= Label6=2 «プレーヤー2 合計 60、2回目»"},
        {"the last round and after", 1, "7*0 S | 1:48,0,0 | 1:1,0,0", "Label5=48 Text1= Text2= Text3= " TOTAL("プレーヤー1", " 48")
            " «プレーヤー1 合計 48» | Text1= Text2= Text3= " TOTAL("プレーヤー1", " 48")},
    });
}

// A window operation failing after the addition keeps what was done. The
// one-player sheet ends its game once the total message has been closed,
// the last player of the others with the last throws, before the message:
// only a window operation failing in between tells the two orders apart.
TEST(CountUp, AWindowOperationFailingPartWay)
{
    testing::expectLogs<CountUpSheet>("0", {
        {"after the addition", 1, "!Label6 | 1:1,2,3 | ! 1:1,0,0", "Label5=6 Text1= Text2= Text3= " INPUT_ERROR " | Label5=7 Text1= Text2= Text3= Label6=3"},
        {"one player: still round 8", 1, "7*10 !Text4 | 1:1,0,0 | ! 1:1,0,0",
            "Label5=71 Text1= Text2= Text3= " INPUT_ERROR " | Label5=72 Text1= Text2= Text3= " TOTAL("プレーヤー1", " 72")},
        {"two players: the game is over", 2, "7*10 !Text5 | 2:1,0,0 | ! 2:1,0,0",
            "Label9=71 Text6= Text7= Text8= " INPUT_ERROR " | Text6= Text7= Text8= " TOTAL("プレーヤー2", " 71")},
    });
}

} // namespace
} // namespace zelvo
