#pragma once

// The names of each player's controls and of the shared labels. They are the
// same in every score sheet that has that player.

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zelvo {

struct PlayerControls {
    std::string_view nameField;
    std::array<std::string_view, 3> throwFields; // first, second, third
    std::string_view calculateButton;
    std::string_view scoreLabel;
};

inline constexpr int kMaxPlayers = 4;

// Player 1's name field is numbered after its throw fields; from player 2 on
// the name field comes first. Label6 to Label8 are shared, hence the gap.
inline constexpr std::array<PlayerControls, kMaxPlayers> kPlayerControls{{
    {"Text4", {"Text1", "Text2", "Text3"}, "Command1", "Label5"},
    {"Text5", {"Text6", "Text7", "Text8"}, "Command2", "Label9"},
    {"Text9", {"Text10", "Text11", "Text12"}, "Command3", "Label10"},
    {"Text13", {"Text14", "Text15", "Text16"}, "Command4", "Label11"},
}};

// Player is 1-based, as on the windows.
inline const PlayerControls& controlsOf(int player) { return kPlayerControls[static_cast<std::size_t>(player - 1)]; }

// A press for a player the sheet does not have is a fault of the program.
inline void requirePlayer(int player, int playerCount)
{
    if (player < 1 || player > playerCount)
        throw std::out_of_range("no player " + std::to_string(player) + " on this sheet");
}

inline constexpr std::string_view kRoundLabel = "Label6";
inline constexpr std::string_view kRulesLabel = "Label8";

} // namespace zelvo
