#pragma once

// A top-level window built from its design (app/window_designs.hpp): its
// window class is named after the design ("Form3"), every control is a child
// window with the ID its name gives (control_ids.hpp), the menu commands sit
// directly on the menu bar. Positions, sizes and fonts are the design's
// twips and points at the window's DPI, laid out again when the DPI changes.
//
// The object belongs to its window and goes with it (WM_NCDESTROY). Clicks
// and the close command go to the WindowEvents until detach().

#include "app/host.hpp"
#include "app/window_designs.hpp"
#include "win32/fonts.hpp"
#include "win32/label_painting.hpp"

#include <windows.h>

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace zelvo::win32 {

class FormWindow {
public:
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // Makes the window hidden where the design opens it on the monitor at
    // `anchor` (centred, or at its fixed place), with every control,
    // the menu bar and the fonts for that monitor's DPI. `destroyed` is told
    // when the window is gone.
    static FormWindow& create(const WindowDesign& design, WindowEvents& events, POINT anchor,
                              std::function<void(HWND)> destroyed);

    HWND handle() const { return window; }

    // The control of that design name and type, or null.
    HWND control(std::string_view name, ControlType type) const;

    // Shown where it was made, active, the focus on its first control.
    void show();
    // Its events go nowhere from now on.
    void detach() { events = nullptr; }

    // The point size a label of a FormWindow draws its text at, or 0.
    static double drawnPoints(HWND label);

private:
    struct Control {
        const ControlDesign* design;
        HWND handle;
        std::shared_ptr<const Font> font;
        std::unique_ptr<LabelPainter> label; // a label's
    };

    friend std::default_delete<FormWindow>;
    FormWindow(const WindowDesign& design, WindowEvents& events, std::function<void(HWND)> destroyed);
    ~FormWindow();

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The controls' own procedures, on top of the system's.
    static LRESULT CALLBACK fieldProcedure(HWND field, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK buttonProcedure(HWND button, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK labelProcedure(HWND label, UINT message, WPARAM wParam, LPARAM lParam);
    // A screen reader's WM_GETOBJECT: the control's object under its designed name, or 0.
    static LRESULT namedObjectOf(HWND control, WPARAM wParam, LPARAM lParam);
    // The form that `control` belongs to, and its entry there; null if none.
    static FormWindow* owning(HWND control, const Control** found);
    static std::shared_ptr<const Font> fontFor(const ControlDesign& design, UINT forDpi);

    LRESULT respond(UINT message, WPARAM wParam, LPARAM lParam);
    void command(WPARAM wParam, LPARAM lParam);
    // The frame for this DPI where the design opens it, on the monitor at
    // `anchor`; `menuWrap` pixels more for a menu bar on more than one line.
    RECT frameFor(POINT anchor, bool menu, int menuWrap) const;
    // Once the window exists: its monitor's DPI and its menu bar's lines.
    void settleFrame(POINT anchor);
    void addControls();
    RECT placeOf(const ControlDesign& design) const;
    int pixels(int twips) const;
    void useFont(Control& control, std::shared_ptr<const Font> font);
    // Lays out the controls, fonts and client area for `newDpi`.
    void applyDpi(UINT newDpi);
    void fitClientArea();
    HWND firstFocusable() const;

    const WindowDesign& formDesign;
    WindowEvents* events;
    std::function<void(HWND)> destroyed;
    HWND window = nullptr;
    UINT dpi = 96;
    std::vector<Control> controls;
    std::shared_ptr<const Font> defaultFont;
    HWND lastFocus = nullptr;
    bool owned = false; // by its window, once made
};

} // namespace zelvo::win32
