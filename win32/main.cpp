// ZELVO: a darts score calculator for Count-Up and 301, on Win32.

#include "app/application.hpp"
#include "win32/win32_host.hpp"

#include <windows.h>

#include <cstdlib>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // A failed assertion in a debug build says so on standard error rather
    // than in a box that waits for someone to close it.
    _set_error_mode(_OUT_TO_STDERR);
    zelvo::win32::Win32Host host;
    zelvo::Application application(host);
    application.start();
    return host.run();
}
