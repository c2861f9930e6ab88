// What only the Qt binding has to get right, beyond the conformance suite:
// Qt's own texts in Japanese, the menu bar under every widget style, scores
// drawn smaller kept whole and in line, and whole runs inside Qt's event loop as
// main() wires them.

#include "app/application.hpp"
#include "qt/qt_host.hpp"
#include "qt/qt_window.hpp"
#include "qt/window_builder.hpp"
#include "qt/menu_command_bar.hpp"

#include <QtTest/QTest>
#include <QtWidgets>
#include <gtest/gtest.h>

namespace zelvo {
namespace {

// Qt's own texts are Japanese, whatever language the desktop runs in (the
// tests run in English): the context menu a right click opens on a text field.
TEST(QtWindows, TextFieldContextMenusAreJapanese)
{
    const std::unique_ptr<QWidget> window = buildWindow(windowDesign("Form1"));
    window->show();
    auto* field = window->findChild<QLineEdit*>("Text1");
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), field->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(field, &click);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr) << "no context menu";
    QStringList items;
    for (const QAction* action : menu->actions())
        if (!action->isSeparator())
            items << action->text().section(u'\t', 0, 0).remove(u'&');
    menu->close();
    EXPECT_TRUE(items.contains("元に戻す(U)") && items.contains("貼り付け(P)")) << items.join(", ").toStdString();
    for (const char* english : {"Undo", "Redo", "Cut", "Copy", "Paste", "Delete", "Select All"})
        EXPECT_FALSE(items.filter(english, Qt::CaseInsensitive).size()) << english;
}

// The five commands stand on every sheet's menu bar itself, whatever widget
// style the desktop picks: where they do not fit on one line the bar wraps,
// each command shows its caption at its own place, and the client area
// starts below the whole bar. (That they are on the bar, that a click there
// chooses them and that the client area keeps its size, the conformance
// suite checks under the default and the Windows style.)
TEST(QtWindows, MenuCommandsStandOnTheBarUnderEveryStyle)
{
    const QString platformStyle = QApplication::style()->name();
    for (const QString& style : {QString("Fusion"), QString("Windows"), platformStyle}) {
        QApplication::setStyle(style);
        for (const WindowDesign& design : windowDesigns()) {
            if (!design.sheet)
                continue;
            SCOPED_TRACE(style.toStdString() + " " + design.name);
            const std::unique_ptr<QWidget> window = buildWindow(design);
            window->show();
            auto* bar = qobject_cast<MenuCommandBar*>(qobject_cast<QMainWindow*>(window.get())->menuWidget());
            ASSERT_NE(bar, nullptr);
            const QImage drawn = bar->grab().toImage();
            QRect previous;
            for (QAction* action : bar->actions()) {
                SCOPED_TRACE(action->objectName().toStdString());
                const QRect place = bar->itemGeometry(action);
                EXPECT_TRUE(bar->rect().contains(place)) << place.x() << "," << place.y() << " in " << bar->width() << "x" << bar->height();
                EXPECT_TRUE(place.top() >= previous.bottom() || place.left() > previous.right()) << "after the one before";
                const QRect shown = place.intersected(drawn.rect());
                int ink = 0;
                for (int y = shown.top(); y <= shown.bottom(); ++y)
                    for (int x = shown.left(); x <= shown.right(); ++x)
                        ink += qGray(drawn.pixel(x, y)) < 200;
                EXPECT_GT(ink, 40) << "its caption drawn there";
                previous = place;
            }
            const QWidget* client = qobject_cast<QMainWindow*>(window.get())->centralWidget();
            EXPECT_GT(client->y(), bar->geometry().bottom()) << "the client area below the whole bar";
        }
    }
    QApplication::setStyle(platformStyle);
}

// Where a grabbed label shows ink: its first and last columns with a pixel
// darker than the background, its bottom row with one halfway dark.
struct Ink {
    int left = -1, right = -1, bottom = -1;
};

Ink inkOf(QLabel& label)
{
    const QImage drawn = label.grab().toImage();
    const int background = qGray(label.palette().color(label.backgroundRole()).rgb());
    const int text = qGray(label.palette().color(label.foregroundRole()).rgb());
    Ink ink;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            const int grey = qGray(drawn.pixel(x, y));
            if (grey < background) {
                ink.left = ink.left < 0 ? x : std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
            }
            if (grey < (background + text) / 2)
                ink.bottom = y;
        }
    }
    return ink;
}

// A score drawn smaller (at the size the conformance suite checks) is never
// cut off: a pixel stays clear at the side of its minus sign and leading
// digits, it reaches no further right than a score that fits, and it sits on
// the same baseline as such a score.
TEST(QtWindows, ScoresDrawnSmallerStayWholeInLine)
{
    const std::unique_ptr<QWidget> window = buildWindow(windowDesign("Form4"));
    for (const QString label : {"Label5", "Label9", "Label10", "Label11"}) {
        auto* score = window->findChild<QLabel*>(label);
        score->setText("999");
        const Ink fits = inkOf(*score);
        for (const QString wide : {"1000", "-1500", "32767", "-32768"}) {
            SCOPED_TRACE(label.toStdString() + " " + wide.toStdString());
            score->setText(wide);
            const Ink ink = inkOf(*score);
            EXPECT_GT(ink.left, 0);
            EXPECT_LE(ink.right, fits.right);
            EXPECT_EQ(ink.bottom, fits.bottom) << "the baseline";
        }
    }
}

// Whole runs inside Qt's event loop, wired as main() does: closing the open
// window ends them, also the menu window at start; switches do not.
TEST(QtEventLoop, EndsOnlyWhenTheOpenWindowIsClosed)
{
    const QList<std::pair<QStringList, QStringList>> runs{
        {{"close"}, {"(none)"}}, {{"Command1", "four", "two", "close"}, {"Form1", "Form4", "Form2", "(none)"}}};
    for (const auto& [plan, expected] : runs) {
        QtHost host;
        Application application(host);
        QStringList seen;
        QTimer player;
        QObject::connect(&player, &QTimer::timeout, [&] {
            if (seen.size() == plan.size())
                return seen << "(still running)", QCoreApplication::quit();
            const QString step = plan[seen.size()];
            QWidget* window = nullptr;
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (widget->isVisible() && widget->objectName().startsWith("Form"))
                    window = widget;
            if (step == "close")
                window->close();
            else if (auto* button = window->findChild<QPushButton*>(step))
                button->click();
            else
                window->findChild<QAction*>(step)->trigger();
            seen << (application.openWindow().empty() ? QString("(none)") : qtText(application.openWindow()));
        });
        player.start(20);
        application.start();
        QApplication::exec();
        EXPECT_EQ(seen, expected);
    }
}

} // namespace
} // namespace zelvo
