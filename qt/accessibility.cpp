#include "qt/accessibility.hpp"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QWidget>

namespace zelvo {

namespace {

QAccessibleInterface* windowInterface(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (className == QLatin1String("QWidget") && widget && widget->isWindow())
        return new QAccessibleWidget(widget, QAccessible::Window);
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

void exposeWindowsAsWindows() { QAccessible::installFactory(windowInterface); }

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
