// What a player waits for on the score sheets, on the real Win32 windows:
// one Calculate press, and a switch from one sheet to another (the old
// window destroyed, the new one built, shown and painted). Each is timed in
// a loop, repeated; the median of the repetitions is reported.
//
// Google Benchmark is the house tool, but Debian ships it only as a Linux
// library, so these are plain timing loops.
//
//   wine sheet_bench.exe [repetitions]
//
// No benchmark may ever open a message box: it would wait for a player.

#include "app/application.hpp"
#include "win32/win32_host.hpp"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

using namespace zelvo;
using Clock = std::chrono::steady_clock;

// Everything waiting, painting included, through the program's own dispatch.
void settle(win32::Win32Host& host)
{
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        host.dispatch(message);
}

// The median time of one step, in microseconds, over `repetitions` loops of
// `steps`; `between` runs with the clock stopped after every step.
double median(int repetitions, int steps, const std::function<void()>& step, const std::function<void(int)>& between)
{
    std::vector<double> perStep;
    for (int r = 0; r < repetitions; ++r) {
        Clock::duration spent{};
        for (int s = 0; s < steps; ++s) {
            const Clock::time_point start = Clock::now();
            step();
            spent += Clock::now() - start;
            between(s);
        }
        perStep.push_back(std::chrono::duration<double, std::micro>(spent).count() / steps);
    }
    std::sort(perStep.begin(), perStep.end());
    return perStep[perStep.size() / 2];
}

struct Program {
    Program()
    {
        application.start();
        settle(host);
    }
    HWND window() const { return host.openWindow(); }
    void command(int id)
    {
        SendMessageW(window(), WM_COMMAND, static_cast<WPARAM>(id), 0);
        settle(host);
    }

    win32::Win32Host host;
    Application application{host};
};

constexpr int kCommand1 = 2001, kText1 = 1001, kLabel5 = 3005;
constexpr int kReset = 100, kTwoPlayers = 102, kThreePlayers = 103;

} // namespace

int main(int argc, char** argv)
{
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;

    // A press on Form1: three throws typed, Command1 clicked, the labels
    // repainted. The eighth press would open the total's box, so every
    // seventh is followed by a reset, off the clock.
    Program program;
    SendMessageW(GetDlgItem(program.window(), kCommand1), BM_CLICK, 0, 0);
    settle(program.host);
    HWND sheet = program.window();
    const double press = median(
        repetitions, 70,
        [&] {
            SetWindowTextW(GetDlgItem(sheet, kText1), L"20");
            SetWindowTextW(GetDlgItem(sheet, kText1 + 1), L"5");
            SetWindowTextW(GetDlgItem(sheet, kText1 + 2), L"1");
            SendMessageW(GetDlgItem(sheet, kCommand1), BM_CLICK, 0, 0);
            settle(program.host);
        },
        [&](int step) {
            if (step % 7 == 6)
                program.command(kReset);
        });
    wchar_t score[16] = {};
    GetWindowTextW(GetDlgItem(sheet, kLabel5), score, 16);
    if (std::wstring(score) != L"0" && std::wstring(score) != L"26") {
        std::fprintf(stderr, "the presses did not add up\n");
        return 1;
    }

    // Switches between the two- and three-player Count-Up sheets by their menu commands.
    program.command(kTwoPlayers);
    bool onTwo = true;
    const double switchTime = median(
        repetitions, 20,
        [&] {
            program.command(onTwo ? kThreePlayers : kTwoPlayers);
            onTwo = !onTwo;
        },
        [](int) {});
    if (program.application.openWindow() != (onTwo ? "Form2" : "Form3")) {
        std::fprintf(stderr, "the switches did not go through\n");
        return 1;
    }

    std::printf("press   %8.1f us  (median of %d x 70 presses on Form1)\n", press, repetitions);
    std::printf("switch  %8.1f us  (median of %d x 20 switches between Form2 and Form3)\n", switchTime, repetitions);
    return 0;
}
