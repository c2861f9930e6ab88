// Build-time tool: writes the page with the menu window already in it, drawn
// from its design, and the stylesheet in it with the window's places, so
// that the browser paints the window as soon as the page arrives, before the
// program has loaded; the page script takes it away when the program shows
// the real one. (The page allows no style attribute: the places are rules.)
//
// Usage: zelvo_prerender PAGE.in STYLE.css PAGE.html
// (runs under node with the real file system)

#include "app/window_designs.hpp"

#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

// The window's border in zelvo.css (--frame), which the page script's rule
// for keeping the fixed place counts in.
constexpr int kFrame = 2;

std::string escaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string read(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error(std::string("cannot read ") + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void write(const char* path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    if (!(out << text))
        throw std::runtime_error(std::string("cannot write ") + path);
}

std::string px(double pixels)
{
    std::ostringstream text;
    text << pixels << "px";
    return text.str();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: zelvo_prerender PAGE.in STYLE.css PAGE.html\n";
        return 2;
    }
    try {
        using namespace zelvo;
        const WindowDesign& menu = windowDesign(kMenuWindow);
        const int width = twipsToPixels(menu.clientSize.width);
        const int height = twipsToPixels(menu.clientSize.height);
        const int left = twipsToPixels(menu.fixedPosition->x);
        const int top = twipsToPixels(menu.fixedPosition->y);

        std::string markup = "<section id=\"prerender\" class=\"window\" inert aria-hidden=\"true\">"
                             "<div class=\"caption-bar\"><img src=\"icon-32.png\" alt=\"\"><span data-caption>"
            + escaped(menu.caption) + "</span><button type=\"button\" data-close tabindex=\"-1\">×</button></div>"
            + "<div data-client>";
        std::string style = "\n/* The menu window drawn into the page before the program runs. */\n"
                            "#prerender { left: calc(" + px(left) + " - var(--frame)); top: calc(" + px(top)
            + " - var(--frame) - var(--caption)); }\n"
            + "#prerender [data-client] { width: " + px(width) + "; height: " + px(height) + "; }\n"
            + "@media (max-width: " + px(left + width + kFrame - 1) + ") {\n  #prerender { left: calc(50% - ("
            + px(width) + " + 2 * var(--frame)) / 2); top: max(0px, calc(50vh - (" + px(height)
            + " + var(--caption) + 2 * var(--frame)) / 2)); }\n}\n";
        const char* aligns[] = {"left", "center", "right"};
        for (const ControlDesign& control : menu.controls) {
            if (!control.font)
                throw std::runtime_error("the menu window's controls all have fonts of their own");
            const bool button = control.type == ControlType::CommandButton;
            markup += std::string(button ? "<button type=\"button\"" : "<div") + " data-prerender=\"" + control.name
                + "\" class=\"designed-font\">" + escaped(control.text) + (button ? "</button>" : "</div>");
            const TwipsRect& at = control.geometry;
            style += "#prerender [data-prerender=\"" + control.name + "\"] { left: " + px(twipsToPixels(at.left))
                + "; top: " + px(twipsToPixels(at.top)) + "; width: " + px(twipsToPixels(at.width))
                + "; height: " + px(twipsToPixels(at.height)) + "; font-size: " + px(control.font->pointSize * 96 / 72)
                + "; font-weight: " + (control.font->bold ? "700" : "400") + "; text-align: "
                + aligns[static_cast<int>(control.alignment)] + "; }\n";
        }
        markup += "</div></section>";

        std::string page = read(argv[1]);
        const auto fill = [&](const std::string& mark, const std::string& text) {
            const auto at = page.find(mark);
            if (at == std::string::npos)
                throw std::runtime_error("no " + mark + " in the page");
            page.replace(at, mark.size(), text);
        };
        fill("@ZELVO_STYLE@", read(argv[2]) + style);
        fill("@ZELVO_MENU_WINDOW@", markup);
        write(argv[3], page);
    } catch (const std::exception& error) {
        std::cerr << "zelvo_prerender: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
