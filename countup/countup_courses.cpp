#include "countup/countup_courses.hpp"

#include <array>
#include <cassert>

namespace zelvo {

namespace {

using enum Step;

// The one player of Form1: the round ends with every press.
const ButtonCourses kOnlyPlayer{
    .inPlay = {Add, Empty, Advance},
    .lastRound = {Add, Empty, TotalMessage, EndGame},
    .finished = {Empty, TotalMessage},
};

// Player 1 of a sheet for several players: after the game the message names
// nobody.
const ButtonCourses kFirstOfSeveral{
    .inPlay = {Add, Empty},
    .lastRound = {Add, Empty, TotalMessage},
    .finished = {Empty, ShortTotalMessage},
};

const ButtonCourses kMiddlePlayer{
    .inPlay = {Add, Empty},
    .lastRound = {Add, Empty, TotalMessage},
    .finished = {Empty, TotalMessage},
};

// The last player's press advances the round and ends the game.
const ButtonCourses kLastPlayer{
    .inPlay = {Add, Empty, Advance},
    .lastRound = {Add, Empty, EndGame, TotalMessage},
    .finished = {Empty, TotalMessage},
};

const ButtonCourses kLastOfTwo{
    .inPlay = {Add, Empty, Advance},
    .lastRound = {Add, Empty, EndGame, TotalMessage, ResultMessage},
    .finished = {Empty, TotalMessage},
};

// The four-player sheet plays by the three-player rules with player 4 last,
// so that its game ends after round 8 like every other.
const std::array<std::vector<ButtonCourses>, 4> kCoursesByPlayers{{
    {kOnlyPlayer},
    {kFirstOfSeveral, kLastOfTwo},
    {kFirstOfSeveral, kMiddlePlayer, kLastPlayer},
    {kFirstOfSeveral, kMiddlePlayer, kMiddlePlayer, kLastPlayer},
}};

} // namespace

const std::vector<ButtonCourses>& countUpCourses(int players)
{
    assert(players >= 1 && players <= 4);
    return kCoursesByPlayers[static_cast<std::size_t>(players - 1)];
}

} // namespace zelvo
