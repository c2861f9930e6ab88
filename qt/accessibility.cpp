#include "qt/accessibility.hpp"

#include "qt/menu_command_bar.hpp"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QMainWindow>
#include <QToolButton>

namespace zelvo {

namespace {

const char* const kPassedOver = "zelvoPassedOverByScreenReaders";

// A command of the menu bar, named by its caption. Chosen from the keyboard
// it takes the focus, so it is focusable while it can be chosen.
class MenuCommandInterface final : public QAccessibleWidget {
public:
    explicit MenuCommandInterface(QToolButton& button)
        : QAccessibleWidget(&button, QAccessible::MenuItem)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return button().text();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.focusable = widget()->isEnabled();
        return state;
    }

    QStringList actionNames() const override
    {
        return widget()->isEnabled() ? QStringList{pressAction()} : QStringList();
    }

    void doAction(const QString& name) override
    {
        // Later, as a click is: the command may unload the window this
        // interface belongs to.
        if (name == pressAction() && widget()->isEnabled())
            QMetaObject::invokeMethod(&button(), &QToolButton::click, Qt::QueuedConnection);
    }

private:
    QToolButton& button() const { return *static_cast<QToolButton*>(widget()); }
};

// A window's client area without the labels that another control's name
// already says.
class ClientAreaInterface final : public QAccessibleWidget {
public:
    explicit ClientAreaInterface(QWidget& client)
        : QAccessibleWidget(&client, QAccessible::Client)
    {
    }

    int childCount() const override { return spoken().size(); }
    QAccessibleInterface* child(int index) const override { return spoken().value(index); }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return spoken().indexOf(const_cast<QAccessibleInterface*>(child));
    }

private:
    QList<QAccessibleInterface*> spoken() const
    {
        QList<QAccessibleInterface*> children;
        for (int i = 0; i < QAccessibleWidget::childCount(); ++i)
            if (QAccessibleInterface* each = QAccessibleWidget::child(i); each && !each->object()->property(kPassedOver).toBool())
                children << each;
        return children;
    }
};

QAccessibleInterface* interfaceFor(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    // Without a menu bar Qt makes a top-level window a filler.
    if (className == QLatin1String("QWidget") && widget->isWindow())
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (auto* window = qobject_cast<QMainWindow*>(widget->parentWidget()); window && window->centralWidget() == widget)
        return new ClientAreaInterface(*widget);
    if (qobject_cast<MenuCommandBar*>(widget))
        return new QAccessibleWidget(widget, QAccessible::MenuBar);
    if (auto* button = qobject_cast<QToolButton*>(widget); button && qobject_cast<MenuCommandBar*>(widget->parentWidget()))
        return new MenuCommandInterface(*button);
    return nullptr;
}

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
// Clears an announcement once the focus leaves its control, so that the
// words are not read again as part of the control when it is next reached.
class SpokenDescription final : public QObject {
public:
    explicit SpokenDescription(QWidget& control)
        : QObject(&control)
    {
        setObjectName(kName);
        control.installEventFilter(this);
    }

    // Found by name: without a meta-object of its own, findChild would take
    // any child for one.
    static bool watches(const QWidget& control)
    {
        return control.findChild<QObject*>(kName, Qt::FindDirectChildrenOnly) != nullptr;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusOut) {
            static_cast<QWidget*>(watched)->setAccessibleDescription({});
            watched->removeEventFilter(this);
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static inline const QString kName = QStringLiteral("zelvoSpokenDescription");
};
#endif

} // namespace

void installAccessibleInterfaces() { QAccessible::installFactory(interfaceFor); }

void passOverByScreenReaders(QWidget& control) { control.setProperty(kPassedOver, true); }

void announceOn(QWidget& focused, const QString& text)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(&focused, text);
    QAccessible::updateAccessibility(&event);
#else
    // Before Qt 6.8 there is no announcement: screen readers read out a new
    // description of the focused control instead. The same words twice in a
    // row change nothing, so the change is reported by hand.
    if (!SpokenDescription::watches(focused))
        new SpokenDescription(focused);
    if (focused.accessibleDescription() == text) {
        QAccessibleEvent event(&focused, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    } else {
        focused.setAccessibleDescription(text);
    }
#endif
}

} // namespace zelvo
