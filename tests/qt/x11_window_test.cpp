// On a real X server under a window manager that frames windows (Xvfb and
// twm, see under_twm.sh): where the windows stand, as the X server itself
// reports it, and that a score sheet appears at its place without a jump.

#include "app/application.hpp"
#include "qt/qt_host.hpp"
#include "qt/window_builder.hpp"
#include "qt/window_placement.hpp"

#include <QtTest/QTest>
#include <QtWidgets>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <map>
#include <memory>

void PrintTo(const QRect& r, std::ostream* out) { *out << "(" << r.x() << "," << r.y() << " " << r.width() << "x" << r.height() << ")"; }

namespace zelvo {
namespace {

xcb_connection_t* connection() { return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection(); }

template <typename Reply>
std::unique_ptr<Reply, decltype(&std::free)> owned(Reply* reply)
{
    return {reply, &std::free};
}

// The window manager's frame around a top-level window: the window's
// outermost ancestor below the root, border included, in root coordinates.
QRect frameOnServer(const QWidget& window)
{
    xcb_window_t frame = static_cast<xcb_window_t>(window.winId());
    for (;;) {
        const auto tree = owned(xcb_query_tree_reply(connection(), xcb_query_tree(connection(), frame), nullptr));
        if (!tree || tree->parent == tree->root)
            break;
        frame = tree->parent;
    }
    const auto box = owned(xcb_get_geometry_reply(connection(), xcb_get_geometry(connection(), frame), nullptr));
    if (!box)
        return {};
    return {box->x, box->y, box->width + 2 * box->border_width, box->height + 2 * box->border_width};
}

// Where the window's own area starts on the screen.
QPoint clientOnServer(const QWidget& window)
{
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection())).data->root;
    const auto place = owned(xcb_translate_coordinates_reply(
        connection(), xcb_translate_coordinates(connection(), static_cast<xcb_window_t>(window.winId()), root, 0, 0), nullptr));
    return place ? QPoint(place->dst_x, place->dst_y) : QPoint();
}

// Notes where each program window's frame stood when it was first exposed,
// that is as the user first sees it, before anything of it is painted.
class FirstSight final : public QObject {
public:
    FirstSight() { qApp->installEventFilter(this); }
    ~FirstSight() override { qApp->removeEventFilter(this); }

    std::map<QString, QRect> frames;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = qobject_cast<QWindow*>(watched);
        if (event->type() == QEvent::Expose && window && window->isExposed())
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (widget->windowHandle() == window && widget->objectName().startsWith("Form")
                    && !frames.contains(widget->objectName()))
                    frames[widget->objectName()] = frameOnServer(*widget);
        return false;
    }
};

QWidget* shown(const QString& form)
{
    QWidget* found = nullptr;
    const bool seen = QTest::qWaitFor([&] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->objectName() == form && widget->isVisible() && widget->windowHandle()->isExposed())
                found = widget;
        return found != nullptr;
    });
    return seen ? found : nullptr;
}

void clickCommand(QWidget& window, const QString& command)
{
    if (auto* button = window.findChild<QPushButton*>(command))
        return QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(window.findChild<QToolButton*>(command), Qt::LeftButton);
}

// The menu window's client area at 5370, 3630 twips; every score sheet,
// reached as a player reaches it, centred with its frame on the screen's
// available area, where it stood from the moment it was first seen.
TEST(X11Windows, WindowsOpenWhereDesignedWithTheirFrames)
{
    using Steps = QList<std::pair<QString, QString>>; // a command, and the window it opens
    for (const Steps& steps : {Steps{{"Command1", "Form1"}, {"two", "Form2"}, {"three", "Form3"}, {"four", "Form4"}, {"one", "Form1"}},
                               Steps{{"Command2", "Form6"}, {"four", "Form9"}, {"three", "Form8"}, {"two", "Form7"}}}) {
        FirstSight sight;
        QtHost host;
        Application application(host);
        application.start();
        QWidget* window = shown("Form5");
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(clientOnServer(*window), QPoint(358, 242));
        EXPECT_LT(frameOnServer(*window).top(), 242) << "framed, with a title bar above";

        const QRect available = window->screen()->availableGeometry();
        for (const auto& [command, form] : steps) {
            SCOPED_TRACE(form.toStdString());
            clickCommand(*window, command);
            window = shown(form);
            ASSERT_NE(window, nullptr);
            QTest::qWait(200); // a move would have happened by now
            const QRect frame = frameOnServer(*window);
            EXPECT_LE(std::abs(frame.center().x() - available.center().x()), 2) << frame.x() << "," << frame.y();
            EXPECT_LE(std::abs(frame.center().y() - available.center().y()), 2) << frame.x() << "," << frame.y();
            EXPECT_GT(frame.height(), window->height()) << "a frame around it";
            EXPECT_EQ(window->windowHandle()->frameGeometry(), frame) << "as Qt sees it";
            EXPECT_EQ(sight.frames[form], frame) << "where it was first seen";
            sight.frames.erase(form);
        }
    }
}

// A sheet shown with no window before it, so with no frame to go by, moves
// to the centre once it has its own.
TEST(X11Windows, ASheetShownFirstIsCentredOnceFramed)
{
    const std::unique_ptr<QWidget> window = buildWindow(windowDesign("Form4"));
    placeWindow(*window, windowDesign("Form4"));
    window->show();
    const QRect available = window->screen()->availableGeometry();
    const auto centred = [&] {
        const QRect frame = frameOnServer(*window);
        return frame.height() > window->height() && std::abs(frame.center().y() - available.center().y()) <= 2
               && std::abs(frame.center().x() - available.center().x()) <= 2;
    };
    EXPECT_TRUE(QTest::qWaitFor(centred, 3000)) << frameOnServer(*window).y();
}

} // namespace
} // namespace zelvo
