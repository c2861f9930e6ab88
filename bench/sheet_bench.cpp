// What a player waits for on the score sheets: one Calculate press, building
// a sheet window, and switching from one sheet to another, all on the real
// widgets. Qt runs offscreen unless QT_QPA_PLATFORM says otherwise, e.g.
//
//   sheet_bench
//   xvfb-run -a env QT_QPA_PLATFORM=xcb sheet_bench
//
// No benchmark may ever open a message box: exec() would wait for a player.

#include "bench/default_flags.hpp"
#include "countup/countup_sheet.hpp"
#include "shell/application_shell.hpp"
#include "shell/window_builder.hpp"
#include "shell/window_designs.hpp"
#include "ui/qt_window.hpp"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace zelvo;

void processDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Windows of the program still alive, loaded or waiting for deletion.
qsizetype liveWindows()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::count_if(windows.begin(), windows.end(),
                         [](const QWidget* window) { return window->objectName().startsWith(QLatin1String("Form")); });
}

// Player 1's three throw fields on a one-player Count-Up sheet.
class FirstPlayerThrows {
public:
    explicit FirstPlayerThrows(QWidget& window)
    {
        for (std::size_t i = 0; i < fields.size(); ++i)
            fields[i] = window.findChild<QLineEdit*>(qtText(kPlayerControls[0].throwFields[i]));
    }

    bool found() const { return fields[0] && fields[1] && fields[2]; }

    void type()
    {
        fields[0]->setText(QStringLiteral("20"));
        fields[1]->setText(QStringLiteral("5"));
        fields[2]->setText(QStringLiteral("1"));
    }

private:
    std::array<QLineEdit*, 3> fields{};
};

// The press in round 8 of Count-Up opens the total message. Resets happen
// with the clock stopped; any repaints the last presses asked for go with them.
template <typename Reset>
void resetBeforeLastRound(benchmark::State& state, const CountUpSheet& sheet, Reset&& reset)
{
    if (sheet.currentRound() < CountUpSheet::kLastRound)
        return;
    state.PauseTiming();
    reset();
    QCoreApplication::processEvents();
    state.ResumeTiming();
}

// The sheet's press called directly on a shown Form1, as the shell would.
void pressCalledDirectly(benchmark::State& state)
{
    const WindowDesign& design = windowDesign("Form1");
    const std::unique_ptr<QWidget> window = buildWindow(design);
    QtWindow view(*window);
    CountUpSheet sheet(1);
    sheet.load(view);
    placeWindow(*window, design);
    window->show();
    QCoreApplication::processEvents();
    FirstPlayerThrows throws(*window);
    if (!throws.found()) {
        state.SkipWithError("Form1 has no throw fields Text1..Text3");
        return;
    }

    for (auto _ : state) {
        resetBeforeLastRound(state, sheet, [&] { sheet.reset(view); });
        throws.type();
        sheet.press(view, 1);
    }
    if (sheet.totalOf(1) == 0)
        state.SkipWithError("the presses added nothing");
}

// Clicking the real Command1 of Form1 opened by the shell: adds the signal,
// the shell's handler and the button's own work to the press.
void pressClicked(benchmark::State& state, bool untilPainted)
{
    Shell shell;
    shell.switchTo("Form1");
    QCoreApplication::processEvents();
    QWidget* window = shell.currentWindow();
    auto* sheet = dynamic_cast<CountUpSheet*>(shell.sheet("Form1"));
    auto* button = window->findChild<QPushButton*>(qtText(kPlayerControls[0].calculateButton));
    auto* reset = window->findChild<QAction*>(qtText(kResetCommand));
    FirstPlayerThrows throws(*window);
    if (!sheet || !button || !reset || !throws.found()) {
        state.SkipWithError("Form1 lacks Command1, the reset command or a throw field");
        return;
    }

    for (auto _ : state) {
        resetBeforeLastRound(state, *sheet, [&] { reset->trigger(); });
        throws.type();
        button->click();
        // The repaint of the changed fields and labels, as the event loop
        // would do it right after the click.
        if (untilPainted)
            QCoreApplication::processEvents();
    }
    if (sheet->totalOf(1) == 0)
        state.SkipWithError("the clicks added nothing");
}

// Building a sheet window from its design, its Form_Load, and its deletion.
void buildAndLoad(benchmark::State& state, const char* windowName)
{
    const WindowDesign& design = windowDesign(windowName);
    const std::unique_ptr<ScoreSheet> sheet = makeSheet(*design.sheet);
    for (auto _ : state) {
        std::unique_ptr<QWidget> window = buildWindow(design);
        QtWindow view(*window);
        sheet->load(view);
        window.reset();
        processDeferredDeletes();
    }
}

// Form1 and Form2 in turn through the shell: unload, build, load, place,
// show, and the deletion of the window left. Painting the new window is left
// to the event loop, which runs with the clock stopped unless untilPainted.
void switchSheets(benchmark::State& state, bool untilPainted)
{
    Shell shell;
    shell.start();
    QCoreApplication::processEvents();
    bool toSecond = true;
    for (auto _ : state) {
        shell.switchTo(toSecond ? "Form2" : "Form1");
        processDeferredDeletes();
        if (untilPainted) {
            QCoreApplication::processEvents();
        } else {
            state.PauseTiming();
            QCoreApplication::processEvents();
            state.ResumeTiming();
        }
        toSecond = !toSecond;
    }
    if (!shell.currentWindow() || liveWindows() != 1)
        state.SkipWithError("the shell lost its window or left unloaded windows alive");
}

void registerBenchmarks()
{
    using benchmark::kMicrosecond;
    using benchmark::kMillisecond;
    benchmark::RegisterBenchmark("Press/Form1/called", pressCalledDirectly)->Unit(kMicrosecond);
    benchmark::RegisterBenchmark("Press/Form1/clicked", pressClicked, false)->Unit(kMicrosecond);
    benchmark::RegisterBenchmark("Press/Form1/clicked_until_painted", pressClicked, true)->Unit(kMicrosecond);
    for (const char* name : {"Form1", "Form4", "Form9"})
        benchmark::RegisterBenchmark((std::string("BuildAndLoad/") + name).c_str(), buildAndLoad, name)
            ->Unit(kMillisecond);
    benchmark::RegisterBenchmark("Switch/Form1_Form2", switchSheets, false)->Unit(kMillisecond);
    benchmark::RegisterBenchmark("Switch/Form1_Form2/until_painted", switchSheets, true)->Unit(kMillisecond);
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    std::vector<char*> args = zelvo::bench::withDefaultFlags(
        argc, argv, {"--benchmark_repetitions=10", "--benchmark_report_aggregates_only=true"});
    int count = static_cast<int>(args.size()) - 1;
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;

    QApplication app(count, args.data());
    // As in main.cpp: the font every window starts from.
    QApplication::setFont(zelvo::windowDefaultFont());
    benchmark::AddCustomContext("qt_platform", QGuiApplication::platformName().toStdString());

    registerBenchmarks();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
