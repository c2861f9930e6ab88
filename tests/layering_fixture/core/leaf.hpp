// A core header that reaches up into the window interface.
#include "ui/window.hpp"
