// A game that includes the other game.
#include "game301/game301_sheet.hpp"
