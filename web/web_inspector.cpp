// The web binding's inspector, for the conformance suite: the program runs in
// the real page, and clicks and keys are real input that the node driver
// (tests/web/conformance.mjs) sends through the DevTools protocol. The page's
// calls into the program are taken here and run one by one after each input,
// inside the suite's own call stack, so that a message box suspends the
// suite as it suspends the program; the driver presses its OK.
//
// While a box is open the suite is suspended and cannot wait for the driver:
// what it does then is done at once in page script, a click landing on
// whatever lies at the control's place, as the box leaves it.

#include "app/application.hpp"
#include "inspection/inspector.hpp"
#include "inspection/quit_watch.hpp"
#include "web/web_host.hpp"

#include <emscripten/emscripten.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string_view>

// Real input through the driver, which returns once the page has handled it.
EM_ASYNC_JS(void, jsDriver, (const char* action, const char* argument), {
    await zelvoDriverInput(UTF8ToString(action), UTF8ToString(argument));
});

// A fresh page for a fresh program; the page's calls queued, each box
// recorded as it opens and answered by the driver.
EM_JS(void, jsInspectPage, (), {
    document.getElementById("desktop").replaceChildren();
    document.documentElement.dataset.zelvo = "idle";
    globalThis.zelvoInspected = { calls: [], running: [], boxes: [], whileBox: false, boxOpen: false };
    zelvoPage.call = (name, types, args) => new Promise((done) => zelvoInspected.calls.push({ name, args, done }));
    if (globalThis.zelvoBoxWatch)
        return;
    globalThis.zelvoBoxWatch = new MutationObserver(() => {
        for (const box of document.querySelectorAll("dialog[data-box]:not([data-seen])")) {
            box.dataset.seen = "";
            const labels = [...document.querySelectorAll("[data-client] > div")].map((l) => [l.dataset.control, l.textContent]);
            const buttons = [...box.querySelectorAll("button")].map((b) => b.textContent);
            zelvoInspected.boxes.push([box.querySelector("[data-box-title]").textContent,
                                       box.querySelector("[data-box-text]").textContent,
                                       buttons.length === 1 && buttons[0] === "OK", box.querySelector("img, svg") === null, labels]);
            if (zelvoInspected.whileBox) {
                zelvoInspected.boxOpen = true;
                Module["_zelvo_inspector_while_box"]();
                zelvoInspected.boxOpen = false;
            }
            zelvoDriverInput("click", "dialog[data-box] button");
        }
    });
    zelvoBoxWatch.observe(document.body, { childList: true });
    globalThis.zelvoHeard = new MutationObserver(() => {});
    zelvoHeard.observe(document.getElementById("announcer"), { childList: true });
});

// Answers as UTF-8 JSON (no backslash in here: EM_JS bodies go through the
// preprocessor), which the suite's side reads with the helpers below.
EM_JS(char*, jsQuery, (const char* what, const char* argument), {
    const name = UTF8ToString(argument);
    const rect = (e) => { const r = e.getBoundingClientRect(); return [r.left, r.top, r.width, r.height].map(Math.round); };
    const offsets = (e) => [e.offsetLeft, e.offsetTop, e.offsetWidth, e.offsetHeight];
    const font = (e) => { const s = getComputedStyle(e);
        return [s.fontFamily.split(",")[0].replaceAll(String.fromCharCode(34), "").trim(), parseFloat(s.fontSize) * 72 / 96, Number(s.fontWeight) >= 600]; };
    // The program's texts break lines with CR LF, the page's with LF.
    const crlf = (text) => text.replaceAll(String.fromCharCode(10), String.fromCharCode(13, 10));
    const win = document.querySelector("[data-window]");
    const found = (n) => document.querySelector(`[data-client] > [data-control="${n}"]`);
    const answers = {
        windows: () => [...document.querySelectorAll("[data-window]")].map((w) => w.dataset.window),
        window: () => { const client = win.querySelector("[data-client]");
            return [win.dataset.window, win.querySelector("[data-caption]").textContent, rect(client), rect(win),
                    [0, 0, innerWidth, innerHeight], font(client)]; },
        names: () => [...win.querySelectorAll("[data-client] > [data-control]")].map((c) => c.dataset.control),
        control: () => { const c = found(name);
            const kind = c.tagName === "INPUT" ? 1 : c.tagName === "BUTTON" ? 2 : 0;
            const shown = kind === 1 ? c.value : crlf(c.textContent);
            return [kind, shown, offsets(c), font(c), ["left", "center", "right"].indexOf(getComputedStyle(c).textAlign),
                    c.getAttribute("aria-hidden") === "true" ? "" : c.getAttribute("aria-label") || (kind === 1 ? "" : shown),
                    kind === 0 ? font(c.querySelector("span") || c)[1] : 0]; },
        menu: () => [...win.querySelectorAll("[data-command]")].map((c) =>
            [c.dataset.command, c.textContent, !c.disabled, c.closest("[role=menubar]") !== null && c.offsetWidth > 0]),
        focus: () => { const f = document.activeElement; return (f && (f.dataset.control || f.dataset.command)) || ""; },
        type: () => { const [field, text] = name.split(String.fromCharCode(31)); found(field).value = text; return null; },
        call: () => { const call = zelvoInspected.calls.shift();
            if (!call) return null;
            zelvoInspected.running.push(call);
            return [call.name, ...call.args]; },
        done: () => { zelvoInspected.running.pop().done(); return null; },
        boxes: () => zelvoInspected.boxes.splice(0).map(([title, text, ...rest]) => [title, crlf(text), ...rest]),
        heard: () => zelvoHeard.takeRecords().flatMap((r) => [...r.addedNodes].map((n) => n.textContent)),
        whileBox: () => { zelvoInspected.whileBox = name === "on"; return null; },
        boxOpen: () => zelvoInspected.boxOpen,
        // A click at the control's place: with a box open it lands on the box's backdrop.
        clickNow: () => { const r = document.querySelector(name).getBoundingClientRect();
            const target = document.elementFromPoint(r.left + r.width / 2, r.top + r.height / 2);
            if (target) target.click();
            return null; },
    };
    const answer = JSON.stringify(answers[UTF8ToString(what)]());
    const size = lengthBytesUTF8(answer) + 1;
    const copy = _malloc(size);
    stringToUTF8(answer, copy, size);
    return copy;
});

namespace zelvo::inspection {

namespace {

using nlohmann::json;

json query(const char* what, const std::string& name = {})
{
    char* answer = jsQuery(what, name.c_str());
    json parsed = json::parse(answer);
    std::free(answer);
    return parsed;
}

Rect rectOf(const json& r) { return {r[0], r[1], r[2], r[3]}; }
Font fontOf(const json& f) { return {f[0], f[1], f[2]}; }

const char* keyName(Key key)
{
    constexpr const char* names[] = {"Tab", "BackTab", "Return", "Enter", "Space", "Escape", "Menu", "Alt", "Left", "Right"};
    return names[static_cast<int>(key)];
}

class WebInspector final : public Inspector {
public:
    WebInspector()
    {
        jsInspectPage();
        current = this;
    }
    ~WebInspector() override
    {
        if (current == this)
            current = nullptr;
    }

    void start() override { application.start(); }

    std::vector<std::string> windows() override { return query("windows"); }

    WindowView window() override
    {
        const json w = query("window");
        return {w[0], w[1], 96, rectOf(w[2]), rectOf(w[3]), rectOf(w[4]), fontOf(w[5]), true};
    }

    std::vector<std::string> controlNames() override { return query("names"); }

    ControlView control(const std::string& name) override
    {
        const json c = query("control", name);
        return {static_cast<Kind>(c[0].get<int>()), c[1], rectOf(c[2]), fontOf(c[3]), static_cast<Align>(c[4].get<int>()),
                c[6], c[5]};
    }

    std::vector<MenuCommandView> menu() override
    {
        std::vector<MenuCommandView> commands;
        for (const json& c : query("menu"))
            commands.push_back({c[0], c[1], c[2], c[3]});
        return commands;
    }

    std::string focus() override { return query("focus"); }

    void key(Key key) override { input("key", keyName(key)); }

    void keys(std::initializer_list<Key> keys) override
    {
        for (Key each : keys)
            key(each);
    }

    void type(const std::string& field, const std::string& text) override { query("type", field + "\x1f" + text); }

    void click(const std::string& control) override
    {
        input("click", "[data-window] [data-control=\"" + control + "\"], [data-window] [data-command=\"" + control + "\"]");
    }

    void close() override { input("click", "[data-window] [data-close]"); }

    bool ended() override { return watch.quitAsked; }

    std::vector<BoxView> boxes() override
    {
        std::vector<BoxView> views;
        for (const json& b : query("boxes")) {
            BoxView view{b[0], b[1], b[2], b[3], {}};
            for (const json& label : b[4])
                view.labels[label[0]] = label[1];
            views.push_back(view);
        }
        return views;
    }

    void whileBoxIsOpen(std::function<void()> act) override
    {
        duringBox = std::move(act);
        query("whileBox", duringBox ? "on" : "off");
    }

    std::vector<std::string> announcements() override { return query("heard"); }

    // From the page, inside a box's wait.
    void boxIsOpen()
    {
        if (duringBox)
            duringBox();
    }

    static WebInspector* current;

private:
    // Real input, then what it asked of the program, run as the page would
    // run it: one call at a time, each to its end.
    void input(const char* action, const std::string& argument)
    {
        if (!query("boxOpen"))
            jsDriver(action, argument.c_str());
        else if (std::string_view(action) == "click")
            query("clickNow", argument);
        else
            throw std::logic_error("the web inspector sends no key while a box is open");
        for (json call = query("call"); !call.is_null(); call = query("call")) {
            if (call[0] == "zelvo_clicked")
                host.clicked(call[1], call[2].get<std::string>());
            else
                host.closeRequested(call[1]);
            query("done");
        }
    }

    WebHost host;
    QuitWatch watch{host};
    Application application{watch};
    std::function<void()> duringBox;
};

WebInspector* WebInspector::current = nullptr;

} // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void zelvo_inspector_while_box()
{
    if (WebInspector::current)
        WebInspector::current->boxIsOpen();
}

std::unique_ptr<Inspector> makeInspector()
{
    return std::make_unique<WebInspector>();
}

} // namespace zelvo::inspection
