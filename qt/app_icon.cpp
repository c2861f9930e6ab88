#include "qt/app_icon.hpp"

#include <QPixmap>

#include "resources/zelvo_icon.xpm"

namespace zelvo {

QIcon applicationIcon() { return QIcon(QPixmap(zelvo_xpm)); }

} // namespace zelvo
