// Starts ZELVO as win32/main.cpp does and ends once the menu window has
// painted: the start-up a player waits for, and no more.

#include "bench/win32/first_paint.hpp"

#include "app/application.hpp"
#include "win32/win32_host.hpp"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    zelvo::win32::Win32Host host;
    zelvo::Application application(host);
    application.start();
    return zelvo::bench::runUntilPainted(host.openWindow(), [&](MSG& message) { host.dispatch(message); });
}
