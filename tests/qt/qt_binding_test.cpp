// What only the Qt binding has to get right, beyond the conformance suite:
// the widgets' own settings (icon, accessible names, plain-text labels and
// boxes), scores drawn smaller instead of cut off, and whole runs inside
// Qt's event loop as main() wires them.

#include "app/application.hpp"
#include "qt/qt_host.hpp"
#include "qt/window_builder.hpp"
#include "qt/app_icon.hpp"

#include <QtTest/QTest>
#include <QtWidgets>
#include <gtest/gtest.h>

namespace zelvo {
namespace {

QString name(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Every window shows the program's icon; every field and button tells a
// screen reader whose it is; labels show plain text from the top, unwrapped.
TEST(QtWindows, IconAccessibleNamesAndPlainLabels)
{
    for (const WindowDesign& design : windowDesigns()) {
        SCOPED_TRACE(design.name);
        const std::unique_ptr<QWidget> window = buildWindow(design);
        EXPECT_EQ(window->windowIcon().pixmap(32).toImage(), applicationIcon().pixmap(32).toImage());
        EXPECT_TRUE(QFontMetrics(window->font()).inFont(QChar(u'ダ'))) << "the default font shows Japanese";
        for (const ControlDesign& control : design.controls) {
            auto* widget = window->findChild<QWidget*>(name(control.name));
            ASSERT_NE(widget, nullptr) << control.name;
            if (auto* label = qobject_cast<QLabel*>(widget)) {
                EXPECT_TRUE(label->textFormat() == Qt::PlainText && (label->alignment() & Qt::AlignTop) && !label->wordWrap());
            } else if (design.sheet) {
                EXPECT_FALSE(widget->accessibleName().isEmpty()) << control.name;
            }
        }
    }
}

// Names players type go into boxes as typed, never read as markup.
TEST(QtWindows, MessageBoxesShowPlainText)
{
    QtHost host;
    Application application(host);
    application.start();
    bool plain = false;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            plain = box->textFormat() == Qt::PlainText;
            box->button(QMessageBox::Ok)->click();
        }
    });
    answer.start(0);
    const auto open = [](const char* form) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->objectName() == form && widget->isVisible())
                return widget;
        throw std::runtime_error(std::string("no window ") + form);
    };
    open("Form5")->findChild<QPushButton*>("Command1")->click();
    open("Form1")->findChild<QPushButton*>("Command1")->click(); // empty throw fields: the input error box
    EXPECT_TRUE(plain);
}

// A score wider than its label is drawn smaller, never cut off at the left
// where its minus sign and leading digits stand.
TEST(QtWindows, ScoresTooWideForTheirLabelAreDrawnSmaller)
{
    const std::unique_ptr<QWidget> window = buildWindow(windowDesign("Form4"));
    for (const QString label : {"Label5", "Label9", "Label10", "Label11"}) {
        auto* score = window->findChild<QLabel*>(label);
        score->setText("-32768");
        const QImage drawn = score->grab().toImage();
        int firstInk = drawn.width();
        for (int x = 0; x < drawn.width(); ++x)
            for (int y = 0; y < drawn.height(); ++y)
                if (qGray(drawn.pixel(x, y)) < 128)
                    firstInk = std::min(firstInk, x);
        EXPECT_GT(firstInk, 0) << label.toStdString() << " shows all of -32768";
        EXPECT_LT(firstInk, drawn.width()) << label.toStdString() << " shows the score at all";
        for (const QString fits : {"0", "301", "-99"})
            EXPECT_EQ(fontToFit(score->font(), fits, score->width()), score->font()) << fits.toStdString() << " keeps its font";
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
            seen << (application.openWindow().empty() ? QString("(none)") : name(application.openWindow()));
        });
        player.start(20);
        application.start();
        QApplication::exec();
        EXPECT_EQ(seen, expected);
    }
}

} // namespace
} // namespace zelvo
