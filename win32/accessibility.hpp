#pragma once

// What screen readers get from the Win32 controls through MSAA, beyond what
// the standard objects tell by themselves: the names the designs give
// ("プレーヤー2 1投目", "プレーヤー2 残り 124"), kept current as captions
// change, and the announcer every window keeps for what a press did.
//
// A name goes two ways, the same words both: a direct annotation
// (IAccPropServices), which real Windows hands to MSAA and UI Automation
// clients alike, and the control's own answer to WM_GETOBJECT, the standard
// object wrapped so that only its name differs, for systems without
// annotations (Wine answers them with E_NOTIMPL).

#include "app/window_designs.hpp"

#include <windows.h>

#include <string_view>

namespace zelvo::win32 {

// COM on this thread, apartment-threaded, and the annotation service, while
// the object lives; the host keeps one for the windows of its thread.
class ScreenReaderSupport {
public:
    ScreenReaderSupport();
    ~ScreenReaderSupport();
    ScreenReaderSupport(const ScreenReaderSupport&) = delete;
    ScreenReaderSupport& operator=(const ScreenReaderSupport&) = delete;

private:
    bool comStarted = false;
};

// A control is called what its design says, with its text of the moment.
// One whose design names nothing keeps the standard name (its caption); one
// spoken elsewhere has none and is hidden from screen readers.
//
// The annotation, once the control is made.
void nameFromDesign(HWND control, const ControlDesign& design);
// The control's own answer to WM_GETOBJECT: the standard object under the
// designed name, or 0 where the standard answer stands.
LRESULT namedObject(HWND control, const ControlDesign& design, WPARAM wParam, LPARAM lParam);
// A label's name follows its new caption, and screen readers are told.
void captionSet(HWND label, const ControlDesign& design, const wchar_t* caption);
// Its annotations go with the control.
void forgetAnnotations(HWND control);

// Every window has an announcer: a label of no size, after the controls,
// whose name is what the window last told screen readers. It is a polite
// live region, so they read it out when it changes and the focus stays
// where it is. Its ID is outside the ranges the design names take.
inline constexpr int kAnnouncerId = 999;
void addAnnouncer(HWND window);

// The words of a press, spoken through the window's announcer.
void announce(HWND window, std::string_view text);

} // namespace zelvo::win32
