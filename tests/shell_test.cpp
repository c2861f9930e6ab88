// Start-up, switching and the end of the program, on the real windows.

#include "shell/application_shell.hpp"
#include "tests/shell_test_support.hpp"

#include <QLabel>
#include <QTimer>

namespace zelvo::testing {
namespace {

const QStringList kSheetWindows{"Form1", "Form2", "Form3", "Form4", "Form6", "Form7", "Form8", "Form9"};
const QStringList kPlayerCountCommands{"one", "two", "three", "four"};

QString captionOf(QWidget* window, const QString& label)
{
    auto* found = control<QLabel>(window, label);
    return found ? found->text() : QString();
}

int sheetsCreated(const Shell& shell)
{
    int created = 0;
    for (const QString& name : kSheetWindows)
        created += shell.sheet(name.toStdString()) != nullptr;
    return created;
}

// Counts finished() so the tests see when the program would end.
struct EndWatch {
    explicit EndWatch(Shell& shell)
    {
        QObject::connect(&shell, &Shell::finished, [this] { ++ends; });
    }
    int ends = 0;
};

TEST(Shell, StartsWithTheMenuWindowAlone)
{
    Shell shell;
    shell.start();
    EXPECT_EQ(liveWindows(), QStringList{"Form5"});
    EXPECT_TRUE(shell.currentWindow()->isVisible());
    EXPECT_EQ(shell.currentWindow()->focusWidget()->objectName(), "Command1");
    EXPECT_EQ(sheetsCreated(shell), 0);
}

TEST(Shell, ClosingTheMenuWindowEndsTheProgramWithoutAnySheet)
{
    Shell shell;
    EndWatch watch(shell);
    shell.start();
    shell.currentWindow()->close();
    processDeferredDeletes();
    EXPECT_EQ(watch.ends, 1);
    EXPECT_EQ(shell.currentWindow(), nullptr);
    EXPECT_TRUE(liveWindows().isEmpty());
    EXPECT_EQ(sheetsCreated(shell), 0);
}

TEST(Shell, MenuButtonsOpenTheOnePlayerSheetOfTheirGame)
{
    const struct {
        const char* button;
        const char* target;
        const char* score;
    } rows[] = {{"Command1", "Form1", "0"}, {"Command2", "Form6", "301"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.button);
        Shell shell;
        EndWatch watch(shell);
        shell.start();
        click(shell.currentWindow(), row.button);
        processDeferredDeletes();
        EXPECT_EQ(liveWindows(), QStringList{row.target}) << "the menu window is unloaded, not hidden";
        EXPECT_EQ(shell.currentWindow()->objectName(), row.target);
        EXPECT_EQ(captionOf(shell.currentWindow(), "Label5"), row.score);
        EXPECT_NE(shell.sheet(row.target), nullptr);
        EXPECT_EQ(sheetsCreated(shell), 1);
        EXPECT_EQ(watch.ends, 0);
    }
}

TEST(Shell, PlayerCountCommandsSwitchWithinTheGame)
{
    // From each sheet, the window that one, two, three and four lead to;
    // empty for the command of the sheet's own player count.
    const struct {
        const char* from;
        const char* targets[4];
    } rows[] = {
        {"Form1", {"", "Form2", "Form3", "Form4"}}, {"Form2", {"Form1", "", "Form3", "Form4"}},
        {"Form3", {"Form1", "Form2", "", "Form4"}}, {"Form4", {"Form1", "Form2", "Form3", ""}},
        {"Form6", {"", "Form7", "Form8", "Form9"}}, {"Form7", {"Form6", "", "Form8", "Form9"}},
        {"Form8", {"Form6", "Form7", "", "Form9"}}, {"Form9", {"Form6", "Form7", "Form8", ""}},
    };
    Shell shell;
    EndWatch watch(shell);
    for (const auto& row : rows) {
        for (int i = 0; i < 4; ++i) {
            const QString target = row.targets[i];
            SCOPED_TRACE(std::string(row.from) + " " + kPlayerCountCommands[i].toStdString());
            shell.switchTo(row.from);
            QWidget* before = shell.currentWindow();
            type(before, "Text4", "たろう");
            choose(before, kPlayerCountCommands[i]);
            processDeferredDeletes();
            if (target.isEmpty()) {
                EXPECT_EQ(shell.currentWindow(), before) << "the own count neither reloads nor restarts";
                EXPECT_EQ(textOf(before, "Text4"), "たろう");
            } else {
                ASSERT_NE(shell.currentWindow(), nullptr);
                EXPECT_EQ(shell.currentWindow()->objectName(), target);
                EXPECT_EQ(textOf(shell.currentWindow(), "Text4"), "プレーヤー1") << "typed names stay behind";
            }
            EXPECT_EQ(liveWindows(), QStringList{shell.currentWindow()->objectName()});
        }
    }
    EXPECT_EQ(watch.ends, 0);
}

TEST(Shell, ASheetShownAgainStartsANewGameWithItsOwnState)
{
    const struct {
        const char* sheet;
        const char* other;
        const char* scoreAtLoad;
        const char* scoreAfterRound;
    } rows[] = {{"Form1", "Form2", "0", "60"}, {"Form6", "Form9", "301", "241"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.sheet);
        Shell shell;
        shell.switchTo(row.sheet);
        const ScoreSheet* instance = shell.sheet(row.sheet);
        QWidget* window = shell.currentWindow();
        for (const char* field : {"Text1", "Text2", "Text3"})
            type(window, field, "20");
        type(window, "Text4", "はなこ");
        click(window, "Command1");
        ASSERT_EQ(captionOf(window, "Label5"), row.scoreAfterRound);
        ASSERT_EQ(captionOf(window, "Label6"), "2");

        shell.switchTo(row.other);
        type(shell.currentWindow(), "Text1", "7");
        shell.switchTo(row.sheet);
        processDeferredDeletes();
        window = shell.currentWindow();
        EXPECT_EQ(shell.sheet(row.sheet), instance) << "one default instance for the whole run";
        EXPECT_EQ(captionOf(window, "Label5"), row.scoreAtLoad);
        EXPECT_EQ(captionOf(window, "Label6"), "1");
        EXPECT_EQ(textOf(window, "Text4"), "プレーヤー1");
        EXPECT_EQ(textOf(window, "Text1"), "");
        EXPECT_TRUE(captionOf(window, "Label8").startsWith("ダーツの点数計算ソフトです。"));

        // The new game really starts from the beginning.
        for (const char* field : {"Text1", "Text2", "Text3"})
            type(window, field, "20");
        click(window, "Command1");
        EXPECT_EQ(captionOf(window, "Label5"), row.scoreAfterRound);
        EXPECT_EQ(captionOf(window, "Label6"), "2");
    }
}

TEST(Shell, ManySwitchesNeverLeaveASecondCopy)
{
    Shell shell;
    EndWatch watch(shell);
    shell.start();
    click(shell.currentWindow(), "Command1");
    // Deletions are left pending on purpose for a while: at most the open
    // window may be visible, and once Qt has caught up only it is alive.
    const int steps[] = {3, 1, 0, 2, 3, 0, 1, 2, 0, 3, 2, 1, 3, 0, 1, 0, 2, 3, 1, 2};
    for (int round = 0; round < 3; ++round) {
        for (int step : steps) {
            const QString before = shell.currentWindow()->objectName();
            choose(shell.currentWindow(), kPlayerCountCommands[step]);
            ASSERT_NE(shell.currentWindow(), nullptr);
            EXPECT_EQ(liveWindows(true), QStringList{shell.currentWindow()->objectName()}) << before.toStdString();
        }
        processDeferredDeletes();
        EXPECT_EQ(liveWindows(), QStringList{shell.currentWindow()->objectName()});
    }
    EXPECT_FALSE(liveWindows().contains("Form5"));
    EXPECT_EQ(watch.ends, 0);
}

TEST(Shell, ClosingASheetEndsTheProgram)
{
    Shell shell;
    EndWatch watch(shell);
    shell.start();
    click(shell.currentWindow(), "Command2");
    choose(shell.currentWindow(), "three");
    EXPECT_EQ(watch.ends, 0) << "no end in the middle of a switch";
    shell.currentWindow()->close();
    processDeferredDeletes();
    EXPECT_EQ(watch.ends, 1);
    EXPECT_EQ(shell.currentWindow(), nullptr);
    EXPECT_TRUE(liveWindows().isEmpty()) << "the menu window does not come back";
}

// The whole run inside Qt's event loop, wired as main() does: switches do
// not end it, closing the open window does.
TEST(Shell, EventLoopEndsOnlyWhenTheOpenWindowIsClosed)
{
    Shell shell;
    QObject::connect(&shell, &Shell::finished, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    QStringList seen;
    bool timedOut = false;
    const std::function<void()> steps[] = {
        [&] { click(shell.currentWindow(), "Command1"); },
        [&] { choose(shell.currentWindow(), "four"); },
        [&] { choose(shell.currentWindow(), "two"); },
        [&] { shell.currentWindow()->close(); },
    };
    int delay = 0;
    for (const auto& step : steps) {
        QTimer::singleShot(delay += 20, qApp, [&, step] {
            step();
            seen << (shell.currentWindow() ? shell.currentWindow()->objectName() : QStringLiteral("-"));
        });
    }
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        timedOut = true;
        QCoreApplication::quit();
    });
    watchdog.start(5000);
    shell.start();
    QApplication::exec();
    EXPECT_FALSE(timedOut);
    EXPECT_EQ(seen, (QStringList{"Form1", "Form4", "Form2", "-"}));
    EXPECT_TRUE(liveWindows().isEmpty());
}

} // namespace
} // namespace zelvo::testing
