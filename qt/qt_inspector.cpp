// The Qt binding's inspector: the program runs as main() runs it, offscreen
// or on an X server; controls are found by objectName, clicks and keys are
// real events sent to the widgets, and message boxes are answered from a
// timer that fires inside their own event loop.

#include "app/application.hpp"
#include "qt/qt_host.hpp"
#include "qt/qt_window.hpp"
#include "qt/fitting_label.hpp"
#include "qt/menu_command_bar.hpp"
#include "inspection/inspector.hpp"
#include "inspection/quit_watch.hpp"

#include <QTextDocumentFragment>
#include <QtTest/QTest>
#include <QtWidgets>

namespace zelvo::inspection {

namespace {

std::string utf8(const QString& text) { return text.toStdString(); }

Rect rectOf(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

Font fontOf(const QFont& font) { return {utf8(font.families().value(0)), font.pointSizeF(), font.weight() >= QFont::Bold}; }

class QtInspector final : public Inspector {
public:
    QtInspector()
    {
        // Deletions an earlier inspector left behind must not count as windows here.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QObject::connect(&boxAnswerer, &QTimer::timeout, [this] { answerBox(); });
        boxAnswerer.start(0);
    }

    void start() override { application.start(); }

    std::vector<std::string> windows() override
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        std::vector<std::string> names;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->objectName().startsWith(QLatin1String("Form")))
                names.push_back(utf8(widget->objectName()));
        return names;
    }

    WindowView window() override
    {
        QWidget& w = loaded();
        QWidget& client = clientOf(w);
        // On a window system the window is seen once it is on the screen,
        // framed; QWindow asks the window system for the frame, where
        // QWidget's copy of it may lag behind.
        if (!QTest::qWaitForWindowExposed(&w))
            throw std::runtime_error("the window never showed");
        return {utf8(w.objectName()),
                utf8(w.windowTitle()),
                96,
                {client.mapToGlobal(QPoint()).x(), client.mapToGlobal(QPoint()).y(), client.width(), client.height()},
                rectOf(w.windowHandle()->frameGeometry()),
                rectOf(w.screen()->availableGeometry()),
                fontOf(w.font()),
                w.minimumSize() == w.maximumSize()};
    }

    std::vector<std::string> controlNames() override
    {
        std::vector<std::string> names;
        for (QWidget* child : clientOf(loaded()).findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            names.push_back(utf8(child->objectName()));
        return names;
    }

    ControlView control(const std::string& name) override
    {
        QWidget& c = find<QWidget>(name);
        ControlView view;
        view.rect = rectOf(c.geometry());
        view.font = fontOf(c.font());
        view.text = utf8(c.property("text").toString());
        const auto alignment = c.property("alignment").value<Qt::Alignment>() & Qt::AlignHorizontal_Mask;
        view.alignment = alignment == Qt::AlignRight ? Align::Right : alignment == Qt::AlignHCenter ? Align::Centre : Align::Left;
        // What the window's accessibility tree leaves out is not read at all.
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&c);
        if (accessible && accessible->parent() && accessible->parent()->indexOfChild(accessible) >= 0)
            view.accessibleName = utf8(accessible->text(QAccessible::Name));
        view.kind = qobject_cast<QLabel*>(&c) ? Kind::Label : qobject_cast<QLineEdit*>(&c) ? Kind::TextField : Kind::CommandButton;
        if (auto* label = dynamic_cast<FittingLabel*>(&c))
            view.drawnPoints = label->drawnPointSize();
        return view;
    }

    std::vector<MenuCommandView> menu() override
    {
        std::vector<MenuCommandView> commands;
        MenuCommandBar* bar = barOf(loaded());
        for (QAction* action : bar ? bar->actions() : QList<QAction*>()) {
            const QRect place = bar->itemGeometry(action);
            commands.push_back({utf8(action->objectName()), utf8(action->text()), action->isEnabled(),
                                place.isValid() && bar->rect().contains(place)});
        }
        return commands;
    }

    std::string focus() override
    {
        QWidget* focused = loaded().focusWidget();
        return focused ? utf8(focused->objectName()) : std::string();
    }

    void key(Key key) override
    {
        static const std::map<Key, std::pair<Qt::Key, Qt::KeyboardModifiers>> keys{
            {Key::Tab, {Qt::Key_Tab, Qt::NoModifier}},         {Key::BackTab, {Qt::Key_Backtab, Qt::ShiftModifier}},
            {Key::Return, {Qt::Key_Return, Qt::NoModifier}},   {Key::Enter, {Qt::Key_Enter, Qt::KeypadModifier}},
            {Key::Space, {Qt::Key_Space, Qt::NoModifier}},     {Key::Escape, {Qt::Key_Escape, Qt::NoModifier}},
            {Key::Menu, {Qt::Key_F10, Qt::NoModifier}},        {Key::Alt, {Qt::Key_Alt, Qt::NoModifier}},
            {Key::Left, {Qt::Key_Left, Qt::NoModifier}},       {Key::Right, {Qt::Key_Right, Qt::NoModifier}},
        };
        QWidget& w = loaded();
        QWidget* target = w.focusWidget() ? w.focusWidget() : &w;
        const auto [code, modifiers] = keys.at(key);
        QTest::keyClick(target, code, modifiers);
        hearAnnouncement();
    }

    void keys(std::initializer_list<Key> keys) override
    {
        for (Key each : keys)
            key(each);
    }

    void type(const std::string& field, const std::string& text) override
    {
        find<QLineEdit>(field).setText(qtText(text));
    }

    void click(const std::string& control) override
    {
        QWidget& w = loaded();
        if (auto* button = w.findChild<QPushButton*>(qtText(control))) {
            QTest::mouseClick(button, Qt::LeftButton);
            hearAnnouncement();
            return;
        }
        MenuCommandBar* bar = barOf(w);
        auto* command = bar ? bar->findChild<QToolButton*>(qtText(control)) : nullptr;
        if (!command)
            throw std::runtime_error("nothing to click named " + control);
        QTest::mouseClick(command, Qt::LeftButton);
    }

    void close() override { loaded().close(); }

    bool ended() override { return watch.quitAsked; }

    std::vector<BoxView> boxes() override { return std::exchange(answered, {}); }
    void whileBoxIsOpen(std::function<void()> act) override { duringBox = std::move(act); }
    std::vector<std::string> announcements() override { return std::exchange(heard, {}); }

private:
    QWidget& loaded()
    {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->isVisible() && utf8(widget->objectName()) == application.openWindow())
                return *widget;
        throw std::runtime_error("no window is loaded");
    }

    static MenuCommandBar* barOf(QWidget& window)
    {
        auto* mainWindow = qobject_cast<QMainWindow*>(&window);
        return mainWindow ? qobject_cast<MenuCommandBar*>(mainWindow->menuWidget()) : nullptr;
    }

    static QWidget& clientOf(QWidget& window)
    {
        auto* mainWindow = qobject_cast<QMainWindow*>(&window);
        return mainWindow ? *mainWindow->centralWidget() : window;
    }

    template <typename Control>
    Control& find(const std::string& name)
    {
        auto* found = clientOf(loaded()).findChild<Control*>(qtText(name));
        if (!found)
            throw std::runtime_error("no control " + name);
        return *found;
    }

    // Offscreen Qt's accessibility never turns active, so no event is seen:
    // an announcement is read where the binding puts it before Qt 6.8, in
    // the focused control's description, and taken away once heard.
    void hearAnnouncement()
    {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            QWidget* focused = window->isVisible() ? window->focusWidget() : nullptr;
            if (focused && !focused->accessibleDescription().isEmpty()) {
                heard.push_back(utf8(focused->accessibleDescription()));
                focused->setAccessibleDescription({});
            }
        }
    }

    void answerBox()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        // The text as the box shows it: markup in it would be drawn, not shown.
        QString shown = box->text();
        if (box->textFormat() == Qt::RichText || (box->textFormat() == Qt::AutoText && Qt::mightBeRichText(shown)))
            shown = QTextDocumentFragment::fromHtml(shown).toPlainText();
        BoxView view{utf8(box->windowTitle()), utf8(shown),
                     box->standardButtons() == QMessageBox::Ok && box->buttons().size() == 1,
                     box->icon() == QMessageBox::NoIcon, {}};
        for (QLabel* label : clientOf(loaded()).findChildren<QLabel*>())
            view.labels[utf8(label->objectName())] = utf8(label->text());
        answered.push_back(view);
        if (duringBox && !inBox) {
            inBox = true;
            duringBox();
            inBox = false;
        }
        box->button(QMessageBox::Ok)->click();
    }

    QtHost host;
    QuitWatch watch{host};
    Application application{watch};
    QTimer boxAnswerer;
    std::vector<BoxView> answered;
    std::function<void()> duringBox;
    bool inBox = false;
    std::vector<std::string> heard;
};

} // namespace

std::unique_ptr<Inspector> makeInspector() { return std::make_unique<QtInspector>(); }

} // namespace zelvo::inspection
