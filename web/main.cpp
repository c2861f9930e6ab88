// ZELVO: a darts score calculator for Count-Up and 301, in a web page.
//
// main() opens the menu window and returns; the program lives on in the
// page, which calls in for each event.

#include "app/application.hpp"
#include "web/web_host.hpp"

#include <emscripten/emscripten.h>

namespace {

zelvo::WebHost host;
zelvo::Application application(host);

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void zelvo_clicked(int window, const char* control)
{
    host.clicked(window, control);
}

EMSCRIPTEN_KEEPALIVE void zelvo_close(int window)
{
    host.closeRequested(window);
}

} // extern "C"

int main()
{
    application.start();
    return 0;
}
