#pragma once

// What each Calculate button of a Count-Up sheet does, as data. A button has
// three courses, taken by comparing the shared round counter with the last
// round: below it, equal to it, and past it (the game is over). Each course
// is a list of steps run in order.

#include <vector>

namespace zelvo {

enum class Step {
    Add,               // read and convert the three throws, add them to the total, show it
    Empty,             // empty the player's three throw fields
    Advance,           // next round, shown in the round label
    EndGame,           // the round counter moves past the last round; the label keeps showing it
    TotalMessage,      // name, "さんの合計は", total, "点です。おつかれさまでした。"
    ShortTotalMessage, // "合計は", total, "です。おつかれさまでした。"
    ResultMessage,     // two players: the winner by name, or a draw
};

using Course = std::vector<Step>;

struct ButtonCourses {
    Course inPlay;
    Course lastRound;
    Course finished;
};

// The courses of each button of the sheet for the given number of players
// (1 to 4), Command1 first.
const std::vector<ButtonCourses>& countUpCourses(int players);

} // namespace zelvo
