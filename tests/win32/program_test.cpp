// zelvo.exe as built: the manifest's effect on a program that carries it, as
// this test program does, and the program run as a process of its own.

#include "win32/desktop.hpp"
#include "win32/text.hpp"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace zelvo::win32::testing {

namespace {

using namespace win32::inspection;

// The build puts the path of zelvo.exe, relative to this test program, in ZELVO_EXE.
std::wstring zelvoExe()
{
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self);
    path.erase(path.find_last_of(L"\\/") + 1);
    path += wide(ZELVO_EXE);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

// This program carries the same resource script as zelvo.exe.
TEST(ZelvoExe, TheManifestGivesVersion6ControlsAndPerMonitorAwareness)
{
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&classes));
    // Version 6 is the side-by-side assembly, never the one in the system
    // folder (Wine's reports itself as 5.81 all the same).
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(GetModuleHandleW(L"comctl32.dll"), path, MAX_PATH);
    CharLowerW(path);
    EXPECT_NE(std::wstring(path).find(L"microsoft.windows.common-controls_6595b64144ccf1df_6."), std::wstring::npos)
        << utf8(path);
    EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()), DPI_AWARENESS_PER_MONITOR_AWARE);
}

// zelvo.exe started as a process of its own, driven from outside as an
// automation tool or Task Manager drives it.
class Process {
public:
    Process()
    {
        const std::wstring exe = zelvoExe();
        std::wstring commandLine = L"\"" + exe + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        started = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
    }
    ~Process()
    {
        if (started && WaitForSingleObject(info.hProcess, 0) != WAIT_OBJECT_0)
            TerminateProcess(info.hProcess, 99);
        if (started) {
            CloseHandle(info.hThread);
            CloseHandle(info.hProcess);
        }
    }

    // Its visible top-level window of that class ("Form5", "#32770" for a
    // message box), waited for up to 10 s; null if none came.
    HWND window(const wchar_t* windowClass) const
    {
        struct Search {
            DWORD process;
            const wchar_t* windowClass;
            HWND found;
        } search{info.dwProcessId, windowClass, nullptr};
        const auto match = [](HWND window, LPARAM that) -> BOOL {
            auto* s = reinterpret_cast<Search*>(that);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process != s->process || className(window) != s->windowClass || !IsWindowVisible(window))
                return TRUE;
            s->found = window;
            return FALSE;
        };
        for (int tries = 0; tries < 200 && !search.found; ++tries) {
            EnumWindows(match, reinterpret_cast<LPARAM>(&search));
            if (!search.found)
                Sleep(50);
        }
        return search.found;
    }

    // The exit status once it has ended within 10 s, or 99.
    DWORD status() const
    {
        DWORD status = 99;
        if (WaitForSingleObject(info.hProcess, 10000) == WAIT_OBJECT_0)
            GetExitCodeProcess(info.hProcess, &status);
        return status;
    }

    bool started = false;
    PROCESS_INFORMATION info{};
};

std::string textOf(HWND window)
{
    wchar_t text[256] = {};
    SendMessageW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return utf8(text);
}

// It opens at the menu window. A close posted while a box is open (Task
// Manager's End task does that) is dropped: no hang, no crash; the sheet
// stays after OK and a later close ends the program with status 0.
TEST(ZelvoExe, SurvivesACloseWhileItsBoxIsOpen)
{
    Process zelvo;
    ASSERT_TRUE(zelvo.started);
    HWND menu = zelvo.window(L"Form5");
    ASSERT_TRUE(menu);
    PostMessageW(GetDlgItem(menu, 2002), BM_CLICK, 0, 0); // ３０１
    HWND sheet = zelvo.window(L"Form6");
    ASSERT_TRUE(sheet);
    for (int field : {1001, 1002, 1003})
        SendMessageW(GetDlgItem(sheet, field), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"120"));
    PostMessageW(GetDlgItem(sheet, 2001), BM_CLICK, 0, 0); // a bust
    HWND box = zelvo.window(L"#32770");
    ASSERT_TRUE(box) << "no bust box";
    PostMessageW(sheet, WM_CLOSE, 0, 0);
    PostMessageW(GetDlgItem(sheet, 2001), BM_CLICK, 0, 0);
    DWORD_PTR answer = 0;
    EXPECT_TRUE(SendMessageTimeoutW(box, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer)) << "the box answers";
    EXPECT_TRUE(IsWindow(sheet));
    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    for (int tries = 0; tries < 100 && IsWindow(box); ++tries)
        Sleep(50);
    EXPECT_FALSE(IsWindow(box)) << "OK closed the box";
    ASSERT_TRUE(IsWindowVisible(sheet)) << "the sheet is still there";
    EXPECT_EQ(textOf(GetDlgItem(sheet, 3005)), "301") << "the bust was undone";
    EXPECT_EQ(textOf(GetDlgItem(sheet, 3006)), "2");
    PostMessageW(sheet, WM_CLOSE, 0, 0);
    EXPECT_EQ(zelvo.status(), 0U);
}

} // namespace

} // namespace zelvo::win32::testing
