#pragma once

// The application's host in a web page: each window is a DOM element built
// by the page script (site/zelvo-page.js) from the design handed over here,
// control by control. The page reports clicks and the close command by the
// window's id, so an event for a window already unloaded goes nowhere.
//
// The page runs one event at a time: it marks the document busy before
// calling in and takes no input until the call, message boxes included, has
// returned. A message box suspends the program (ASYNCIFY) until its OK.

#include "app/host.hpp"

#include <map>

namespace zelvo {

class WebHost final : public Host {
public:
    std::unique_ptr<LoadedWindow> build(const WindowDesign& design, WindowEvents& events) override;
    void quit() override;

    // From the page: a button or menu command, or the close command, of window `id`.
    void clicked(int id, std::string_view control);
    void closeRequested(int id);

    // The window goes away with its DOM element; its late events are dropped.
    void forget(int id) { windows.erase(id); }

private:
    std::map<int, WindowEvents*> windows;
    int lastId = 0;
};

} // namespace zelvo
