#pragma once

// The application's icon: the word ダーツ, black on white, 32 by 32.

#include <QIcon>

namespace zelvo {

QIcon applicationIcon();

} // namespace zelvo
