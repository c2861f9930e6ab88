// What a player waits for on the score sheets: one Calculate press, building
// a sheet window, and switching from one sheet to another, all on the real
// widgets. Qt runs offscreen unless QT_QPA_PLATFORM says otherwise, e.g.
//
//   sheet_bench
//   xvfb-run -a env QT_QPA_PLATFORM=xcb sheet_bench
//
// No benchmark may ever open a message box: exec() would wait for a player.

#include "app/application.hpp"
#include "app/window_designs.hpp"
#include "bench/default_flags.hpp"
#include "countup/countup_sheet.hpp"
#include "qt/qt_host.hpp"
#include "qt/qt_window.hpp"
#include "qt/window_builder.hpp"
#include "qt/window_placement.hpp"
#include "sheet/player_controls.hpp"

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

// The press in round 8 of Count-Up opens the total message: every seventh
// press is followed by a reset, with the clock stopped; any repaints the
// last presses asked for go with it.
template <typename Reset>
void resetBeforeLastRound(benchmark::State& state, int& presses, Reset&& reset)
{
    if (++presses % 7 != 0)
        return;
    state.PauseTiming();
    reset();
    QCoreApplication::processEvents();
    state.ResumeTiming();
}

// The open window of the program, found as a user sees it.
QWidget* openWindow(std::string_view name)
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->objectName() == qtText(name))
            return widget;
    return nullptr;
}

// The sheet's press called directly on a shown Form1, as the application would.
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

    int presses = 0;
    for (auto _ : state) {
        throws.type();
        sheet.press(view, 1);
        resetBeforeLastRound(state, presses, [&] { sheet.reset(view); });
    }
    if (view.text("Text1") != "")
        state.SkipWithError("the presses did not go through");
}

// Clicking the real Command1 of Form1 opened from the menu window: adds the
// signal, the application's handler and the button's own work to the press.
void pressClicked(benchmark::State& state, bool untilPainted)
{
    QtHost host;
    Application application(host);
    application.start();
    openWindow(kMenuWindow)->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    processDeferredDeletes();
    QCoreApplication::processEvents();
    QWidget* window = openWindow("Form1");
    auto* button = window ? window->findChild<QPushButton*>(qtText(kPlayerControls[0].calculateButton)) : nullptr;
    auto* reset = window ? window->findChild<QAction*>(qtText(kResetCommand)) : nullptr;
    if (!button || !reset) {
        state.SkipWithError("Form1 lacks Command1 or the reset command");
        return;
    }
    FirstPlayerThrows throws(*window);
    auto* firstThrow = window->findChild<QLineEdit*>(qtText(kPlayerControls[0].throwFields[0]));

    int presses = 0;
    for (auto _ : state) {
        throws.type();
        button->click();
        // The repaint of the changed fields and labels, as the event loop
        // would do it right after the click.
        if (untilPainted)
            QCoreApplication::processEvents();
        resetBeforeLastRound(state, presses, [&] { reset->trigger(); });
    }
    if (!firstThrow || !firstThrow->text().isEmpty())
        state.SkipWithError("the clicks did not go through");
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

// Form1 and Form2 in turn by their count commands: unload, build, load,
// place, show, and the deletion of the window left. Painting the new window
// is left to the event loop, which runs with the clock stopped unless
// untilPainted.
void switchSheets(benchmark::State& state, bool untilPainted)
{
    QtHost host;
    Application application(host);
    application.start();
    openWindow(kMenuWindow)->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    QCoreApplication::processEvents();
    bool toSecond = true;
    for (auto _ : state) {
        QWidget* window = openWindow(toSecond ? "Form1" : "Form2");
        window->findChild<QAction*>(toSecond ? QStringLiteral("two") : QStringLiteral("one"))->trigger();
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
    if (application.openWindow().empty() || liveWindows() != 1)
        state.SkipWithError("the application lost its window or left unloaded windows alive");
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
