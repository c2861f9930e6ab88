#include "resources/app_icon.hpp"

namespace zelvo {

// Placeholder until the bitmap is drawn.
QIcon applicationIcon() { return QIcon(); }

} // namespace zelvo
