#include "qt/wrapping_menu_bar.hpp"

#include <QActionEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionMenuItem>
#include <QToolButton>

namespace zelvo {

WrappingMenuBar::WrappingMenuBar(QWidget* parent)
    : QMenuBar(parent)
{
    setMouseTracking(true);
    // QMenuBar's overflow button, made when QMenuBar was; nothing here ever
    // needs it, but QMenuBar itself may still show it (a screen reader asking
    // for its item rectangles does), so it is put away whenever it appears.
    extension = findChild<QToolButton*>(QString(), Qt::FindDirectChildrenOnly);
    if (extension)
        extension->installEventFilter(this);
}

QRect WrappingMenuBar::itemGeometry(const QAction* action) const
{
    const qsizetype index = actions().indexOf(const_cast<QAction*>(action));
    return index >= 0 && index < current.items.size() ? current.items[index] : QRect();
}

QSize WrappingMenuBar::sizeHint() const
{
    // As wide as all commands on one line, and as high as that line.
    const int frame = style()->pixelMetric(QStyle::PM_MenuBarPanelWidth, nullptr, this);
    const int margin = style()->pixelMetric(QStyle::PM_MenuBarHMargin, nullptr, this);
    int width = 2 * (frame + margin);
    for (const QRect& item : layoutFor(QWIDGETSIZE_MAX).items)
        width += item.width();
    return {width, heightForWidth(width)};
}

QSize WrappingMenuBar::minimumSizeHint() const
{
    // As wide as the widest command, one command to a line.
    const int frame = style()->pixelMetric(QStyle::PM_MenuBarPanelWidth, nullptr, this);
    const int margin = style()->pixelMetric(QStyle::PM_MenuBarHMargin, nullptr, this);
    int width = 0;
    for (const QRect& item : layoutFor(QWIDGETSIZE_MAX).items)
        width = std::max(width, item.width());
    width += 2 * (frame + margin);
    return {width, heightForWidth(QWIDGETSIZE_MAX)};
}

bool WrappingMenuBar::hasHeightForWidth() const { return true; }

int WrappingMenuBar::heightForWidth(int width) const { return layoutFor(width).height; }

WrappingMenuBar::Layout WrappingMenuBar::layoutFor(int width) const
{
    const QStyle* look = style();
    const int frame = look->pixelMetric(QStyle::PM_MenuBarPanelWidth, nullptr, this);
    const int hMargin = look->pixelMetric(QStyle::PM_MenuBarHMargin, nullptr, this);
    const int vMargin = look->pixelMetric(QStyle::PM_MenuBarVMargin, nullptr, this);

    Layout layout;
    int lineHeight = 0;
    for (QAction* action : actions()) {
        QSize size;
        if (action->isVisible() && !action->isSeparator() && !action->text().isEmpty()) {
            QStyleOptionMenuItem option;
            initStyleOption(&option, action);
            size = look->sizeFromContents(QStyle::CT_MenuBarItem, &option,
                                          fontMetrics().size(Qt::TextShowMnemonic, action->text()), this);
        }
        layout.items.append(QRect(QPoint(), size));
        lineHeight = std::max(lineHeight, size.height());
    }

    // Side by side with no gap between them, as on the Windows menu bar; a
    // command that would cross the right edge starts the next line.
    const int left = frame + hMargin;
    const int right = width - frame - hMargin;
    int x = left;
    int y = frame + vMargin;
    bool lineEmpty = true;
    for (QRect& item : layout.items) {
        if (item.isEmpty())
            continue;
        if (!lineEmpty && x + item.width() > right) {
            x = left;
            y += lineHeight;
        }
        item = QRect(x, y, item.width(), lineHeight);
        x += item.width();
        lineEmpty = false;
    }
    layout.height = y + (lineEmpty ? 0 : lineHeight) + vMargin + frame;
    if (!lineEmpty)
        layout.height += look->styleHint(QStyle::SH_MainWindow_SpaceBelowMenuBar, nullptr, this);
    for (QRect& item : layout.items)
        if (!item.isEmpty())
            item = QStyle::visualRect(layoutDirection(), QRect(0, 0, width, layout.height), item);
    return layout;
}

void WrappingMenuBar::relayout()
{
    const int height = current.height;
    current = layoutFor(width());
    if (current.height != height)
        updateGeometry();
    update();
}

QAction* WrappingMenuBar::enabledActionAt(QPoint point) const
{
    const QList<QAction*> all = actions();
    for (qsizetype i = 0; i < all.size() && i < current.items.size(); ++i)
        if (current.items[i].contains(point))
            return all[i]->isEnabled() ? all[i] : nullptr;
    return nullptr;
}

void WrappingMenuBar::setHovered(QAction* action)
{
    if (hovered == action)
        return;
    hovered = action;
    if (action)
        action->hover();
    update();
}

bool WrappingMenuBar::event(QEvent* event)
{
    // QMenuBar lays its items out on one line when shown; this bar has its own layout.
    if (event->type() == QEvent::Show) {
        relayout();
        return QWidget::event(event);
    }
    return QMenuBar::event(event);
}

bool WrappingMenuBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == extension && event->type() == QEvent::ShowToParent)
        extension->hide();
    // QMenuBar watches the window for Alt to start its keyboard navigation; not here.
    return false;
}

void WrappingMenuBar::actionEvent(QActionEvent* event)
{
    if (event->type() == QEvent::ActionRemoved && event->action() == hovered)
        hovered = nullptr;
    // A new or changed command may change the height for every width.
    relayout();
    updateGeometry();
}

void WrappingMenuBar::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::StyleChange:
    case QEvent::FontChange:
    case QEvent::ApplicationFontChange:
    case QEvent::LayoutDirectionChange:
        relayout();
        updateGeometry();
        QWidget::changeEvent(event);
        break;
    default:
        QMenuBar::changeEvent(event);
    }
}

void WrappingMenuBar::resizeEvent(QResizeEvent*)
{
    relayout();
}

void WrappingMenuBar::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    QRegion emptyArea(rect());
    const QList<QAction*> all = actions();
    for (qsizetype i = 0; i < all.size() && i < current.items.size(); ++i) {
        const QRect& item = current.items[i];
        if (item.isEmpty())
            continue;
        emptyArea -= item;
        if (!event->rect().intersects(item))
            continue;
        QStyleOptionMenuItem option;
        initStyleOption(&option, all[i]);
        option.rect = item;
        option.state &= ~(QStyle::State_Selected | QStyle::State_Sunken);
        // As QMenuBar marks its items while one of them is current.
        if (hovered)
            option.state |= QStyle::State_HasFocus;
        if (all[i] == hovered) {
            option.state |= QStyle::State_Selected;
            if (tracking)
                option.state |= QStyle::State_Sunken;
        }
        painter.setClipRect(item);
        style()->drawControl(QStyle::CE_MenuBarItem, &option, &painter, this);
    }

    if (const int frameWidth = style()->pixelMetric(QStyle::PM_MenuBarPanelWidth, nullptr, this)) {
        const QRegion border = QRegion(rect()) - rect().adjusted(frameWidth, frameWidth, -frameWidth, -frameWidth);
        painter.setClipRegion(border);
        emptyArea -= border;
        QStyleOptionFrame frame;
        frame.initFrom(this);
        frame.state = QStyle::State_None;
        frame.lineWidth = frameWidth;
        frame.midLineWidth = 0;
        style()->drawPrimitive(QStyle::PE_PanelMenuBar, &frame, &painter, this);
    }

    painter.setClipRegion(emptyArea);
    QStyleOptionMenuItem empty;
    empty.palette = palette();
    empty.state = QStyle::State_None;
    empty.menuItemType = QStyleOptionMenuItem::EmptyArea;
    empty.checkType = QStyleOptionMenuItem::NotCheckable;
    empty.rect = rect();
    empty.menuRect = rect();
    style()->drawControl(QStyle::CE_MenuBarEmptyArea, &empty, &painter, this);
}

// As on the Windows menu bar: a press starts tracking, the command under the
// mouse follows it, and releasing the button chooses that command.
void WrappingMenuBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    tracking = true;
    setHovered(enabledActionAt(event->position().toPoint()));
    update();
}

void WrappingMenuBar::mouseMoveEvent(QMouseEvent* event)
{
    setHovered(enabledActionAt(event->position().toPoint()));
}

void WrappingMenuBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !tracking)
        return;
    tracking = false;
    QAction* chosen = enabledActionAt(event->position().toPoint());
    update();
    // The command may switch windows and so unload this bar's window.
    if (chosen)
        chosen->trigger();
}

void WrappingMenuBar::leaveEvent(QEvent*)
{
    setHovered(nullptr);
}

} // namespace zelvo
