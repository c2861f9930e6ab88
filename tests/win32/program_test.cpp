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

struct Search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK findMenuWindow(HWND window, LPARAM search)
{
    auto* s = reinterpret_cast<Search*>(search);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != s->process || className(window) != L"Form5" || !IsWindowVisible(window))
        return TRUE;
    s->found = window;
    return FALSE;
}

TEST(ZelvoExe, OpensTheMenuWindowAndEndsWithStatusZeroWhenItIsClosed)
{
    const std::wstring exe = zelvoExe();
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));

    Search search{process.dwProcessId, nullptr};
    for (int tries = 0; tries < 200 && !search.found; ++tries) {
        EnumWindows(findMenuWindow, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            Sleep(50);
    }
    EXPECT_TRUE(search.found) << "no menu window within 10 s";
    if (search.found) {
        wchar_t caption[64] = {};
        SendMessageW(search.found, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(caption));
        EXPECT_EQ(utf8(caption), "ぽてのダーツ計算Ver2");
        PostMessageW(search.found, WM_CLOSE, 0, 0);
    }
    const DWORD waited = WaitForSingleObject(process.hProcess, 10000);
    if (waited != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 99);
    DWORD status = 99;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(waited, WAIT_OBJECT_0) << "the program did not end";
    EXPECT_EQ(status, 0U);
}

} // namespace

} // namespace zelvo::win32::testing
