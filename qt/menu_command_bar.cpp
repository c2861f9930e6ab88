#include "qt/menu_command_bar.hpp"

#include <QActionEvent>
#include <QKeyEvent>
#include <QShortcut>
#include <QStyle>
#include <QStyleOptionMenuItem>
#include <QStylePainter>
#include <QToolButton>

namespace zelvo {

namespace {

// Shows the keyboard's selection as a menu bar does, as if under the mouse:
// not every style marks a focused flat button.
class CommandButton final : public QToolButton {
public:
    using QToolButton::QToolButton;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QStylePainter painter(this);
        QStyleOptionToolButton option;
        initStyleOption(&option);
        if (hasFocus())
            option.state |= QStyle::State_MouseOver;
        painter.drawComplexControl(QStyle::CC_ToolButton, option);
    }
};

} // namespace

MenuCommandBar::MenuCommandBar(QWidget& window)
    : QWidget(&window)
{
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), &window);
    connect(menuKey, &QShortcut::activated, this, &MenuCommandBar::toggleKeyboardMode);
}

QRect MenuCommandBar::itemGeometry(const QAction* action) const
{
    QToolButton* button = buttonFor(action);
    return button && !button->isHidden() ? button->geometry() : QRect();
}

int MenuCommandBar::arrange(int width, bool place) const
{
    // Each command as wide as the style makes a menu bar item, side by side
    // with no gap between them, as on the Windows menu bar; a command that
    // would cross the right edge starts the next line.
    QList<QSize> sizes;
    int lineHeight = 0;
    for (const QToolButton* button : buttons) {
        QStyleOptionMenuItem item;
        item.initFrom(button);
        item.text = button->text();
        sizes << (button->isHidden() ? QSize() : style()->sizeFromContents(QStyle::CT_MenuBarItem, &item,
                                                     button->fontMetrics().size(Qt::TextShowMnemonic, item.text), this));
        lineHeight = std::max(lineHeight, sizes.last().height());
    }
    int x = 0;
    int y = 0;
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        if (sizes[i].isEmpty())
            continue;
        if (x > 0 && x + sizes[i].width() > width) {
            x = 0;
            y += lineHeight;
        }
        if (place)
            buttons[i]->setGeometry(QStyle::visualRect(layoutDirection(), rect(), QRect(QPoint(x, y), sizes[i])));
        x += sizes[i].width();
    }
    return x > 0 ? y + lineHeight + style()->styleHint(QStyle::SH_MainWindow_SpaceBelowMenuBar, nullptr, this) : 0;
}

QToolButton* MenuCommandBar::buttonFor(const QAction* action) const
{
    for (QToolButton* button : buttons)
        if (button->defaultAction() == action)
            return button;
    return nullptr;
}

void MenuCommandBar::actionEvent(QActionEvent* event)
{
    if (event->type() == QEvent::ActionAdded) {
        auto* button = new CommandButton(this);
        button->setObjectName(event->action()->objectName());
        button->setAutoRaise(true);
        // Reached by F10 and Alt, not by Tab, as a menu bar is.
        button->setFocusPolicy(Qt::NoFocus);
        button->setDefaultAction(event->action());
        button->show();
        buttons.insert(event->before() ? buttons.indexOf(buttonFor(event->before())) : buttons.size(), button);
    } else if (event->type() == QEvent::ActionRemoved) {
        QToolButton* button = buttonFor(event->action());
        buttons.removeOne(button);
        delete button;
    }
    // A new or changed command may change the height for every width.
    updateGeometry();
    arrange(width(), true);
}

bool MenuCommandBar::event(QEvent* event)
{
    // Alt goes to whichever control has the focus, and a text field keeps
    // its release: the bar watches every control of its window.
    if (event->type() == QEvent::Show) {
        window()->installEventFilter(this);
        for (QWidget* control : window()->findChildren<QWidget*>())
            control->installEventFilter(this);
    }
    // A button's caption, font or style changed its size.
    if (event->type() == QEvent::LayoutRequest) {
        updateGeometry();
        arrange(width(), true);
    }
    return QWidget::event(event);
}

void MenuCommandBar::resizeEvent(QResizeEvent*) { arrange(width(), true); }

qsizetype MenuCommandBar::focusedCommand() const
{
    const auto focused = std::find_if(buttons.begin(), buttons.end(), [](const QToolButton* button) { return button->hasFocus(); });
    return focused == buttons.end() ? -1 : focused - buttons.begin();
}

void MenuCommandBar::toggleKeyboardMode()
{
    if (focusedCommand() >= 0)
        return leave();
    focusBefore = window()->focusWidget();
    select(1);
}

void MenuCommandBar::select(int step)
{
    qsizetype index = focusedCommand();
    if (layoutDirection() == Qt::RightToLeft && index >= 0)
        step = -step;
    for (qsizetype tried = 0; tried < buttons.size(); ++tried) {
        index = (index + step + buttons.size()) % buttons.size();
        if (buttons[index]->isEnabled() && !buttons[index]->isHidden())
            return buttons[index]->setFocus(Qt::MenuBarFocusReason);
    }
}

void MenuCommandBar::leave()
{
    if (focusBefore)
        focusBefore->setFocus(Qt::MenuBarFocusReason);
    else if (QWidget* focused = window()->focusWidget())
        focused->clearFocus();
}

bool MenuCommandBar::eventFilter(QObject* watched, QEvent* event)
{
    // Alt counts only if no other key or click came between its press and its release.
    switch (event->type()) {
    case QEvent::KeyPress:
        altAlone = static_cast<QKeyEvent*>(event)->key() == Qt::Key_Alt && !static_cast<QKeyEvent*>(event)->isAutoRepeat();
        break;
    case QEvent::KeyRelease:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Alt && std::exchange(altAlone, false)) {
            toggleKeyboardMode();
            return true;
        }
        return false;
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::WindowDeactivate:
        altAlone = false;
        return false;
    default:
        return false;
    }
    const qsizetype focused = focusedCommand();
    if (focused < 0 || watched != buttons[focused])
        return false;
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
        select(static_cast<QKeyEvent*>(event)->key() == Qt::Key_Right ? 1 : -1);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        leave();
        // The command may switch windows and so unload this bar's window: nothing after it.
        buttons[focused]->defaultAction()->trigger();
        break;
    case Qt::Key_Escape:
        leave();
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        break; // no command opens a menu
    default:
        return false;
    }
    return true;
}

} // namespace zelvo
