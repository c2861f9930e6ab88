#pragma once

// The two steps a player waits for on the 301 sheets, run the same way on
// ZELVO (sheet_bench.cpp) and on the bare floor program (sheet_floor.cpp):
// a switch between the four- and three-player sheets by their menu commands,
// and a Calculate press of the four-player sheet's last player with valid
// throws. Each is a message a user's click causes, posted to the program,
// and lasts until the player's wait is over: no message waiting, the open
// sheet visible with nothing left to paint in it or its controls, and the
// sheet it replaced destroyed.
//
//   PROGRAM.exe time STEPS   one round: STEPS switches and STEPS presses;
//                            prints the median of each in microseconds,
//                            which a moment's load on the machine moves
//                            less than the mean
//   PROGRAM.exe trace STEPS  the same, each step between two atom look-ups
//                            that requests.sh finds in Wine's server trace
//   PROGRAM.exe grow STEPS   the same, then the windows, fonts and menus
//                            alive and the private memory: before, after
//                            the switches and after the presses
//   PROGRAM.exe show STEPS   the four-player sheet on the screen for STEPS seconds
//
// Both programs open at the four-player sheet, Form9. A few steps run first,
// uncounted, so that nothing is measured loading for the first time. No step
// may open a message box: it would wait for a player.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace zelvo::bench {

// The programs' own IDs: menu commands from 100, controls by their names.
inline constexpr int kReset = 100, kThreePlayers = 103, kFourPlayers = 104;
inline constexpr int kText14 = 1014, kCommand4 = 2004, kLabel6 = 3006, kLabel11 = 3011;

// A program under the bench, with its sheet open.
class Sheets {
public:
    virtual ~Sheets() = default;
    virtual HWND window() const = 0;
    // One message, as the program's own loop handles it.
    virtual void dispatch(MSG& message) = 0;
};

[[noreturn]] inline void fail(const char* what)
{
    std::fprintf(stderr, "sheet bench: %s\n", what);
    std::exit(1);
}

inline bool leftToPaint(HWND window)
{
    if (GetUpdateRect(window, nullptr, FALSE))
        return true;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetUpdateRect(child, nullptr, FALSE))
            return true;
    return false;
}

// Runs the program's messages until the player's wait is over.
inline void settle(Sheets& program, HWND replaced = nullptr)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(10);
    for (;;) {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                fail("the program quit");
            program.dispatch(message);
        }
        HWND open = program.window();
        if (open && IsWindowVisible(open) && !(replaced && IsWindow(replaced)) && !leftToPaint(open))
            return;
        if (Clock::now() > deadline)
            fail("a step did not end within ten seconds");
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
}

// A menu command of the open window, chosen; `switches` when it opens another.
inline void choose(Sheets& program, int command, bool switches)
{
    HWND window = program.window();
    PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(command), 0);
    settle(program, switches ? window : nullptr);
}

// A button of the open window, clicked.
inline void click(Sheets& program, int button, bool switches)
{
    HWND window = program.window();
    PostMessageW(GetDlgItem(window, button), BM_CLICK, 0, 0);
    settle(program, switches ? window : nullptr);
}

inline std::wstring text(HWND window, int control)
{
    wchar_t buffer[64] = {};
    GetDlgItemTextW(window, control, buffer, 64);
    return buffer;
}

inline std::wstring className(HWND window)
{
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    return name;
}

// What the program has made and not yet let go of.
struct Holdings {
    int windows = 0;
    int fonts = 0;
    int menus = 0;
    double privateMegabytes = 0;
};

// Windows keeps no count of a program's fonts and menus that it can read
// (GetGuiResources answers 0 under Wine 8), so this module's imports of the
// functions that make them are wrapped, and what they made is asked after.
namespace made {

inline std::vector<HGDIOBJ> fonts;
inline std::vector<HMENU> menus;
inline decltype(&CreateFontW) createFont;
inline decltype(&CreateFontIndirectW) createFontIndirect;
inline decltype(&CreateMenu) createMenu;

template <typename... Arguments>
HFONT WINAPI recordFont(Arguments... arguments)
{
    HFONT font = createFont(arguments...);
    fonts.push_back(font);
    return font;
}

inline HFONT WINAPI recordFontIndirect(const LOGFONTW* design)
{
    HFONT font = createFontIndirect(design);
    fonts.push_back(font);
    return font;
}

inline HMENU WINAPI recordMenu()
{
    HMENU menu = createMenu();
    menus.push_back(menu);
    return menu;
}

template <typename Function>
void wrapImport(const wchar_t* module, const char* name, Function replacement, Function& real)
{
    real = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(module), name)));
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* library = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); library->Name;
         ++library)
        for (auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk); slot->u1.Function; ++slot)
            if (slot->u1.Function == reinterpret_cast<ULONG_PTR>(real)) {
                DWORD protection = 0;
                VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE, &protection);
                slot->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
                VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, protection, &protection);
            }
}

inline void record()
{
    wrapImport(L"gdi32", "CreateFontW", &recordFont<int, int, int, int, int, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD,
                                                    DWORD, DWORD, LPCWSTR>,
               createFont);
    wrapImport(L"gdi32", "CreateFontIndirectW", &recordFontIndirect, createFontIndirect);
    wrapImport(L"user32", "CreateMenu", &recordMenu, createMenu);
}

} // namespace made

inline BOOL CALLBACK countWindow(HWND window, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(window, countWindow, count);
    return TRUE;
}

inline Holdings holdings()
{
    Holdings now;
    EnumThreadWindows(GetCurrentThreadId(), countWindow, reinterpret_cast<LPARAM>(&now.windows));
    for (HGDIOBJ font : made::fonts)
        now.fonts += GetObjectType(font) == OBJ_FONT;
    for (HMENU menu : made::menus)
        now.menus += IsMenu(menu) ? 1 : 0;
    MEMORY_BASIC_INFORMATION region{};
    for (auto* at = static_cast<BYTE*>(nullptr); VirtualQuery(at, &region, sizeof region); at += region.RegionSize)
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            now.privateMegabytes += region.RegionSize / 1048576.0;
    return now;
}

class Steps {
public:
    explicit Steps(Sheets& program)
        : program(program)
    {
    }

    // From now on each step sits between two look-ups of atoms named after
    // it, which Wine's server trace shows.
    void mark() { marked = true; }

    // The sheet opened starts a new game: Form_Load sets every score to 301.
    void switchSheet()
    {
        step(L"zelvo-bench switch", switches, [&] { choose(program, onFour ? kThreePlayers : kFourPlayers, true); });
        onFour = !onFour;
        presses = 0;
        if (className(program.window()) != (onFour ? L"Form9" : L"Form8"))
            fail("a switch did not open the other sheet");
    }

    // Player 4 types 5, 3 and 1 and presses Calculate. Nineteen presses
    // neither bust nor end the game; then the sheet is reset.
    void press()
    {
        if (!onFour)
            fail("the presses are on the four-player sheet");
        if (presses == 19) {
            choose(program, kReset, false);
            presses = 0;
        }
        HWND sheet = program.window();
        const wchar_t* throws[] = {L"5", L"3", L"1"};
        for (int i = 0; i < 3; ++i)
            SetDlgItemTextW(sheet, kText14 + i, throws[i]);
        settle(program);
        step(L"zelvo-bench press", pressing, [&] { click(program, kCommand4, false); });
        ++presses;
        if (text(sheet, kLabel11) != std::to_wstring(301 - 9 * presses)
            || text(sheet, kLabel6) != std::to_wstring(presses + 1) || !text(sheet, kText14).empty())
            fail("a press did not score");
    }

    double switchMicroseconds() { return median(switches); }
    double pressMicroseconds() { return median(pressing); }
    void restartClocks() { switches.clear(), pressing.clear(); }

private:
    using Clock = std::chrono::steady_clock;

    template <typename Step>
    void step(const wchar_t* kind, std::vector<double>& micros, Step&& run)
    {
        if (marked)
            GlobalFindAtomW(kind);
        const Clock::time_point start = Clock::now();
        run();
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
        if (marked)
            GlobalFindAtomW(L"zelvo-bench end");
    }

    static double median(std::vector<double>& micros)
    {
        std::sort(micros.begin(), micros.end());
        const std::size_t n = micros.size();
        return n % 2 ? micros[n / 2] : (micros[n / 2 - 1] + micros[n / 2]) / 2;
    }

    Sheets& program;
    bool marked = false;
    bool onFour = true;
    int presses = 0;
    std::vector<double> switches;
    std::vector<double> pressing;
};

template <typename Make>
int run(int argc, char** argv, Make&& make)
{
    const std::string mode = argc == 3 ? argv[1] : "";
    const int steps = argc == 3 ? std::atoi(argv[2]) : 0;
    if ((mode != "time" && mode != "trace" && mode != "grow" && mode != "show") || steps < 2 || steps % 2) {
        std::fprintf(stderr, "usage: %s time|trace|grow|show STEPS (STEPS even)\n", argc > 0 ? argv[0] : "bench");
        return 2;
    }
    if (mode == "grow")
        made::record();
    std::unique_ptr<Sheets> program = make();
    settle(*program);
    if (className(program->window()) != L"Form9")
        fail("the program did not open the four-player sheet");
    if (mode == "show") {
        Sleep(static_cast<DWORD>(steps) * 1000);
        settle(*program);
        return 0;
    }

    Steps bench(*program);
    for (int i = 0; i < 4; ++i)
        bench.switchSheet();
    for (int i = 0; i < 4; ++i)
        bench.press();
    bench.restartClocks();
    if (mode == "trace")
        bench.mark();

    // What is held before, after the switches and after the presses.
    Holdings held[3] = {holdings()};
    for (int i = 0; i < steps; ++i)
        bench.switchSheet();
    held[1] = holdings();
    for (int i = 0; i < steps; ++i)
        bench.press();
    held[2] = holdings();

    if (mode == "time") {
        std::printf("switch %.1f press %.1f\n", bench.switchMicroseconds(), bench.pressMicroseconds());
    } else if (mode == "grow") {
        std::printf("held before, after %d switches, after %d presses:\n", steps, steps);
        std::printf("  windows %d %d %d\n", held[0].windows, held[1].windows, held[2].windows);
        std::printf("  fonts made by the program %d %d %d\n", held[0].fonts, held[1].fonts, held[2].fonts);
        std::printf("  menus made by the program %d %d %d\n", held[0].menus, held[1].menus, held[2].menus);
        std::printf("  private memory %.2f %.2f %.2f MB\n", held[0].privateMegabytes, held[1].privateMegabytes,
                    held[2].privateMegabytes);
    }
    return 0;
}

} // namespace zelvo::bench
