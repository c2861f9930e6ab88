#include "qt/wrapping_menu_bar.hpp"

#include <QActionEvent>
#include <QApplication>
#include <QKeyEvent>
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
    // F10 and Alt reach whichever control has the focus, and Alt counts only
    // if no other key or button came between its press and its release: the
    // bar watches the keys and clicks of its window from the application.
    qApp->installEventFilter(this);
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
    // QMenuBar's own watching of the window for Alt ends here too.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != window() || !isVisible())
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F10 && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            altAlone = false;
            setKeyboardMode(!keyboardMode);
            return true;
        }
        altAlone = key->key() == Qt::Key_Alt && !key->isAutoRepeat();
        break;
    }
    case QEvent::KeyRelease:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Alt && altAlone) {
            altAlone = false;
            setKeyboardMode(!keyboardMode);
            return true;
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::FocusOut:
        altAlone = false;
        break;
    default:
        break;
    }
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
            // Fusion marks only a sunken item; the keyboard's must show too.
            if (tracking || keyboardMode)
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
    setKeyboardMode(false);
    tracking = true;
    setHovered(enabledActionAt(event->position().toPoint()));
    update();
}

void WrappingMenuBar::mouseMoveEvent(QMouseEvent* event)
{
    QAction* under = enabledActionAt(event->position().toPoint());
    // The selected command follows the mouse, but the keyboard's stays off the gaps.
    if (under || !keyboardMode)
        setHovered(under);
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
    if (!keyboardMode)
        setHovered(nullptr);
}

QAction* WrappingMenuBar::commandAfter(QAction* from, int step) const
{
    const QList<QAction*> all = actions();
    const bool disabledToo = style()->styleHint(QStyle::SH_Menu_AllowActiveAndDisabled, nullptr, this);
    const qsizetype count = std::min(all.size(), current.items.size());
    qsizetype at = from ? all.indexOf(from) : -step;
    for (qsizetype tried = 0; tried < count; ++tried) {
        at = (at + step + count) % count;
        if (!current.items[at].isEmpty() && (disabledToo || all[at]->isEnabled()))
            return all[at];
    }
    return nullptr;
}

void WrappingMenuBar::setKeyboardMode(bool on)
{
    if (on == keyboardMode)
        return;
    QAction* first = on ? commandAfter(nullptr, 1) : nullptr;
    if (on && !first)
        return;
    keyboardMode = on;
    setHovered(first);
    if (on) {
        focusBefore = QApplication::focusWidget();
        setFocus(Qt::MenuBarFocusReason);
    } else if (hasFocus()) {
        if (focusBefore)
            focusBefore->setFocus(Qt::MenuBarFocusReason);
        else
            clearFocus();
    }
}

void WrappingMenuBar::keyPressEvent(QKeyEvent* event)
{
    if (!keyboardMode) {
        event->ignore();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const bool forward = (event->key() == Qt::Key_Right) == (layoutDirection() == Qt::LeftToRight);
        setHovered(commandAfter(hovered, forward ? 1 : -1));
        break;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: {
        QAction* chosen = hovered;
        setKeyboardMode(false);
        // The command may switch windows and so unload this bar's window.
        if (chosen && chosen->isEnabled())
            chosen->trigger();
        break;
    }
    case Qt::Key_Escape:
        setKeyboardMode(false);
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        break; // no command opens a menu
    default:
        event->ignore();
    }
}

void WrappingMenuBar::focusOutEvent(QFocusEvent* event)
{
    // The focus taken elsewhere, by a click or by Tab, ends the keyboard's turn.
    if (keyboardMode) {
        keyboardMode = false;
        setHovered(nullptr);
    }
    QWidget::focusOutEvent(event);
}

} // namespace zelvo
