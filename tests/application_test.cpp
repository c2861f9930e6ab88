// The application layer through a fake host: which window is open, when a
// sheet's default instance is made and kept, what each switch does in what
// order, and when the program ends.

#include "app/application.hpp"
#include "tests/fake_host.hpp"

#include <gtest/gtest.h>

#include <sstream>

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

    // Starts the program and clicks through blank-separated steps, as a user does.
    void play(const std::string& clicks)
    {
        application.start();
        std::istringstream steps(clicks);
        for (std::string control; steps >> control;)
            host.click(control);
    }

    Log take() { return std::exchange(host.log, {}); }
};

// Where each click and close of a run leads, as rows of {the clicks that
// reach the window, what the user does there, what the application does}.
// A switch unloads first, then builds, runs Form_Load and shows, with a
// sheet made at its first showing and kept for later ones, and destroys the
// unloaded window once the click has been handled; the own count command
// does nothing at all; the menu window never comes back; only a close ends
// the program.
TEST(Application, EachEventLeadsWhereTheDesignsSay)
{
    const struct { const char* from; const char* event; const char* log; } rows[] = {
        {"", "close", "unload Form5, destroy Form5, quit"},
        {"", "Command1", "unload Form5, build Form1, CountUp1#1 load, show Form1, destroy Form5"},
        {"", "Command2", "unload Form5, build Form6, 3011#1 load, show Form6, destroy Form5"},
        {"Command1", "one", ""},
        {"Command1", "two", "unload Form1, build Form2, CountUp2#2 load, show Form2, destroy Form1"},
        {"Command1 four", "three", "unload Form4, build Form3, CountUp3#3 load, show Form3, destroy Form4"},
        {"Command1 three four", "four", ""},
        {"Command1 two", "one", "unload Form2, build Form1, CountUp1#1 load, show Form1, destroy Form2"},
        {"Command2", "four", "unload Form6, build Form9, 3014#2 load, show Form9, destroy Form6"},
        {"Command2 three", "two", "unload Form8, build Form7, 3012#3 load, show Form7, destroy Form8"},
        {"Command2 two", "two", ""},
        {"Command2 four", "one", "unload Form9, build Form6, 3011#1 load, show Form6, destroy Form9"},
        {"Command2 three", "Command3", "3013#2 press 3"},
        {"Command2 three", "Command1", "3013#2 press 1"},
        {"Command2 three", "reset", "3013#2 reset"},
        {"Command2 four one", "close", "unload Form6, destroy Form6, quit"},
    };
    for (const auto& [from, event, expected] : rows) {
        ProgramRun run;
        run.play(from);
        run.take();
        event == std::string("close") ? run.host.close() : run.host.click(event);
        std::string log;
        for (const std::string& entry : run.take())
            log += (log.empty() ? "" : ", ") + entry;
        EXPECT_EQ(log, expected) << "after \"" << from << "\": " << event;
    }
}

// A fault of the program is written to standard error; the window stays
// open and usable, the program runs on.
TEST(Application, TheGuardReportsProgramFaultsAndKeepsRunning)
{
    ProgramRun run;
    run.play("Command1 four");
    run.take();
    ::testing::internal::CaptureStderr();
    run.host.click("Command4");  // the noting sheet throws for player 4
    run.host.click("Command9");  // no such button
    run.host.click("Label5");    // not a button
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "ZELVO: a fault of the program\nZELVO: no button Command9 in Form4\nZELVO: no button Label5 in Form4\n");
    run.host.click("Command1");
    EXPECT_EQ(run.take(), Log{"CountUp4#2 press 1"}) << "no quit, still playing";
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
