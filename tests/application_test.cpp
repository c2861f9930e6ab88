// The application layer through a fake host: which window is open, when a
// sheet's default instance is made and kept, what each switch does in what
// order, and when the program ends.

#include "app/application.hpp"
#include "tests/fake_host.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <tuple>

namespace zelvo {
namespace {

using Log = std::vector<std::string>;

// A sheet that notes what the application asks of it, by a serial number
// per default instance ("Form2#1 load"), into a shared log.
class NotingSheet final : public ScoreSheet {
public:
    NotingSheet(Log& log, std::string name) : log(log), name(std::move(name)) {}
    void load(Window&) override { log.push_back(name + " load"); }
    void press(Window&, int player) override
    {
        if (player == 4)
            throw std::logic_error("a fault of the program");
        log.push_back(name + " press " + std::to_string(player));
    }
    void reset(Window&) override { log.push_back(name + " reset"); }

private:
    Log& log;
    std::string name;
};

struct ProgramRun {
    testing::FakeHost host;
    int made = 0;
    Application application{host, [this](SheetKind kind) {
        const std::string name = (kind.game == Game::CountUp ? "CountUp" : "301") + std::to_string(kind.players);
        return std::make_unique<NotingSheet>(host.log, name + "#" + std::to_string(++made));
    }};

    // Starts the program and clicks through the steps, as a user does.
    void play(std::initializer_list<const char*> clicks)
    {
        application.start();
        for (const char* control : clicks)
            host.click(control);
    }

    Log take() { return std::exchange(host.log, {}); }
};

TEST(Application, StartsAtTheMenuWindowAndEndsWhenItIsClosed)
{
    ProgramRun run;
    run.application.start();
    EXPECT_EQ(run.take(), (Log{"build Form5", "show Form5"}));
    EXPECT_EQ(run.application.openWindow(), "Form5");
    run.host.close();
    EXPECT_EQ(run.take(), (Log{"unload Form5", "destroy Form5", "quit"})) << "no sheet was ever made";
    EXPECT_EQ(run.made, 0);
    EXPECT_EQ(run.application.openWindow(), "");
}

// Unload first, then build, Form_Load and show; the menu window never comes
// back. The unloaded window is destroyed once the click has been handled.
TEST(Application, MenuButtonsOpenTheOnePlayerSheetOfTheirGame)
{
    for (const auto& [button, target, sheet] : {std::tuple{"Command1", "Form1", "CountUp1"}, {"Command2", "Form6", "3011"}}) {
        ProgramRun run;
        run.application.start();
        run.take();
        run.host.click(button);
        EXPECT_EQ(run.take(), (Log{"unload Form5", "build " + std::string(target), std::string(sheet) + "#1 load",
                                   "show " + std::string(target), "destroy Form5"}));
    }
}

// Every sheet's four count commands: the other three switch within the game,
// the own one is off and does nothing at all.
TEST(Application, CountCommandsSwitchWithinTheGame)
{
    const char* const commands[] = {"one", "two", "three", "four"};
    for (int game = 0; game < 2; ++game) {
        ProgramRun run;
        run.application.start();
        run.host.click(game == 0 ? "Command1" : "Command2");
        for (int from = 1; from <= 4; ++from)
            for (int to = 1; to <= 4; ++to) {
                const std::string source = "Form" + std::to_string(from + 5 * game);
                const std::string target = "Form" + std::to_string(to + 5 * game);
                const std::string sheet = (game == 0 ? "CountUp" : "301") + std::to_string(to);
                SCOPED_TRACE(source + " " + commands[to - 1]);
                if (run.application.openWindow() != source)
                    run.host.click(commands[from - 1]);
                ASSERT_EQ(run.application.openWindow(), source);
                run.take();
                run.host.click(commands[to - 1]);
                if (from == to) {
                    EXPECT_EQ(run.take(), Log{}) << "neither reloaded nor restarted";
                    continue;
                }
                const Log log = run.take();
                ASSERT_EQ(log.size(), 5U);
                EXPECT_EQ(log[0], "unload " + source);
                EXPECT_EQ(log[1], "build " + target);
                EXPECT_EQ(log[2].substr(0, sheet.size() + 1), sheet + "#");
                EXPECT_EQ(log[2].substr(log[2].size() - 5), " load");
                EXPECT_EQ(log[3], "show " + target);
                EXPECT_EQ(log[4], "destroy " + source);
                run.host.click(commands[from - 1]);
            }
        EXPECT_EQ(run.made, 4) << "one default instance per sheet for the whole run";
    }
}

// The instance made at the first showing serves every later one, and
// Form_Load runs at each; the controls come back as designed.
TEST(Application, ASheetKeepsItsInstanceAcrossShowings)
{
    ProgramRun run;
    run.play({"Command1"});
    run.host.type("Text4", "花子");
    for (const char* command : {"two", "one", "two"})
        run.host.click(command);
    EXPECT_EQ(run.take(), (Log{"build Form5", "show Form5", "unload Form5", "build Form1", "CountUp1#1 load", "show Form1",
                               "destroy Form5", "unload Form1", "build Form2", "CountUp2#2 load", "show Form2",
                               "destroy Form1", "unload Form2", "build Form1", "CountUp1#1 load", "show Form1",
                               "destroy Form2", "unload Form1", "build Form2", "CountUp2#2 load", "show Form2",
                               "destroy Form1"}));
    run.host.click("one");
    EXPECT_EQ(run.host.text("Text4"), "プレーヤー1") << "typed names stay behind";
}

TEST(Application, CalculateButtonsAndResetGoToTheSheet)
{
    ProgramRun run;
    run.play({"Command2", "three"});
    run.take();
    for (const char* control : {"Command3", "Command1", "reset", "Command2"})
        run.host.click(control);
    EXPECT_EQ(run.take(), (Log{"3013#2 press 3", "3013#2 press 1", "3013#2 reset", "3013#2 press 2"}));
}

// A fault of the program is written to standard error; the window stays
// open and usable, the program runs on.
TEST(Application, TheGuardReportsProgramFaultsAndKeepsRunning)
{
    ProgramRun run;
    run.play({"Command1", "four"});
    run.take();
    ::testing::internal::CaptureStderr();
    run.host.click("Command4");  // the noting sheet throws for player 4
    run.host.click("Command9");  // no such button
    run.host.click("Label5");    // not a button
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "ZELVO: a fault of the program\nZELVO: no button Command9 in Form4\nZELVO: no button Label5 in Form4\n");
    run.host.click("Command1");
    EXPECT_EQ(run.take(), Log{"CountUp4#2 press 1"}) << "no quit, still playing";
}

TEST(Application, ClosingASheetEndsTheProgramASwitchNever)
{
    ProgramRun run;
    run.play({"Command2", "four", "one"});
    Log log = run.take();
    EXPECT_EQ(std::count(log.begin(), log.end(), "quit"), 0);
    run.host.close();
    EXPECT_EQ(run.take(), (Log{"unload Form6", "destroy Form6", "quit"}));
}

// The real games behind the default factory, played through the fake host.
TEST(Application, TheRealSheetsPlayBehindIt)
{
    testing::FakeHost host;
    Application application(host);
    application.start();
    host.click("Command2");
    for (const char* field : {"Text1", "Text2", "Text3"})
        host.type(field, "20");
    host.click("Command1");
    EXPECT_EQ(host.text("Label5"), "241");
    EXPECT_EQ(host.text("Label6"), "2");
    EXPECT_TRUE(host.text("Label8").starts_with("ダーツの点数計算ソフトです。ルールは３０１です。")) << "Form_Load wrote the rules";
    host.click("Command1");
    EXPECT_EQ(host.boxes, std::vector<std::string>{"数字を入力してください"});
}

// A close or a click that reaches the sheet while its box is open (a program
// posting them, a quick Return after OK) is dropped: the press runs to its
// end on a window that is still there, and the sheet goes on answering.
TEST(Application, NothingRunsInsideAPressWhileItsBoxIsOpen)
{
    testing::FakeHost host;
    Application application(host);
    application.start();
    host.click("Command2");
    host.log.clear();
    host.whileBoxIsOpen = [&] {
        host.close();
        host.click("Command1");
        host.click("two");
    };
    for (const char* field : {"Text1", "Text2", "Text3"})
        host.type(field, "120");
    host.click("Command1"); // 360 from 301: a bust, and the score comes back
    EXPECT_EQ(host.boxes.size(), 1U);
    EXPECT_EQ(host.log, Log{}) << "neither unloaded nor switched during the box";
    EXPECT_EQ(host.text("Label5"), "301");
    EXPECT_EQ(host.text("Label6"), "2");

    host.whileBoxIsOpen = nullptr;
    host.type("Text1", "1");
    host.click("Command1");
    EXPECT_EQ(host.boxes.size(), 2U) << "the sheet still answers: a bad entry";
    host.close();
    EXPECT_EQ(host.log, (Log{"unload Form6", "destroy Form6", "quit"}));
}

} // namespace
} // namespace zelvo
