// zelvo.exe as built: its resources read back as Windows reads them (the
// version record, icon group 1, the manifest, and the manifest's effect on a
// program that carries it, as this test program does), and the program run
// as a process of its own.

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

std::wstring versionValue(const std::vector<char>& record, const wchar_t* name)
{
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
    if (!VerQueryValueW(record.data(), path.c_str(), reinterpret_cast<void**>(&value), &length))
        return L"(none)";
    return value;
}

TEST(ZelvoExe, CarriesItsVersionRecordInJapanese)
{
    const std::wstring exe = zelvoExe();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
    ASSERT_GT(size, 0U) << utf8(exe);
    std::vector<char> record(size);
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, size, record.data()));

    struct Translation {
        WORD language;
        WORD codePage;
    }* translation = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(record.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, sizeof(Translation));
    EXPECT_EQ(translation->language, 0x0411);
    EXPECT_EQ(translation->codePage, 1200);
    EXPECT_EQ(versionValue(record, L"FileVersion"), L"1.00");
    EXPECT_EQ(versionValue(record, L"ProductVersion"), L"1.00");
    EXPECT_EQ(versionValue(record, L"ProductName"), L"ZELVO");

    VS_FIXEDFILEINFO* fixed = nullptr;
    ASSERT_TRUE(VerQueryValueW(record.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 1));
}

// Icon group 1 holds one image, 32x32 at 1 bit per pixel; the manifest asks
// for version 6 of the common controls, per-monitor DPI awareness (v2) and
// names Windows 10 and 11.
TEST(ZelvoExe, CarriesTheTwoColourIconAndTheManifest)
{
    HMODULE exe = LoadLibraryExW(zelvoExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_TRUE(exe);
    const auto bytes = [exe](LPCWSTR id, LPCWSTR type) {
        HRSRC found = FindResourceW(exe, id, type);
        if (!found)
            return std::string();
        return std::string(static_cast<const char*>(LockResource(LoadResource(exe, found))), SizeofResource(exe, found));
    };

#pragma pack(push, 2)
    struct GroupEntry {
        BYTE width, height, colours, reserved;
        WORD planes, bitsPerPixel;
        DWORD bytes;
        WORD id;
    };
    struct Group {
        WORD reserved, type, count;
        GroupEntry entries[1];
    };
#pragma pack(pop)
    const std::string groupBytes = bytes(MAKEINTRESOURCEW(1), RT_GROUP_ICON);
    ASSERT_GE(groupBytes.size(), sizeof(Group));
    const auto* group = reinterpret_cast<const Group*>(groupBytes.data());
    ASSERT_EQ(group->count, 1);
    EXPECT_EQ(group->entries[0].width, 32);
    EXPECT_EQ(group->entries[0].height, 32);
    const std::string image = bytes(MAKEINTRESOURCEW(group->entries[0].id), RT_ICON);
    ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(image.data());
    EXPECT_EQ(header->biWidth, 32);
    EXPECT_EQ(header->biHeight, 64) << "the image and its mask";
    EXPECT_EQ(header->biBitCount, 1);

    const std::string manifest = bytes(MAKEINTRESOURCEW(1), RT_MANIFEST);
    EXPECT_NE(manifest.find("<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2<"),
              std::string::npos);
    const auto controls = manifest.find("name=\"Microsoft.Windows.Common-Controls\"");
    ASSERT_NE(controls, std::string::npos);
    EXPECT_EQ(manifest.find("version=\"6.0.0.0\"", controls), manifest.find("version=", controls));
    EXPECT_NE(manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), std::string::npos) << "Windows 10 and 11";
    FreeLibrary(exe);
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

TEST(ZelvoExe, OpensTheMenuWindowAndEndsWithStatusZeroWhenItIsClosed)
{
    Process zelvo;
    ASSERT_TRUE(zelvo.started);
    HWND menu = zelvo.window(L"Form5");
    ASSERT_TRUE(menu) << "no menu window within 10 s";
    EXPECT_EQ(textOf(menu), "ぽてのダーツ計算Ver2");
    PostMessageW(menu, WM_CLOSE, 0, 0);
    EXPECT_EQ(zelvo.status(), 0U);
}

// A close posted while a box is open (Task Manager's End task does that) is
// dropped: no hang, no crash; the sheet stays after OK and a later close
// ends the program with status 0.
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
