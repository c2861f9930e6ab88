#pragma once

// A host without a toolkit, for driving the application layer in tests. It
// builds each window as a plain map of its designed controls and texts,
// logs what the application does with windows ("build Form1", "show Form1",
// "unload Form1" when it goes off the screen, "destroy Form1", "quit") and
// lets a test click and close like a user, also while a message box is open.

#include "app/host.hpp"

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace zelvo::testing {

class FakeHost final : public Host {
public:
    std::unique_ptr<LoadedWindow> build(const WindowDesign& design, WindowEvents& events) override
    {
        log.push_back("build " + design.name);
        return std::make_unique<Loaded>(*this, design, events);
    }
    void quit() override { log.push_back("quit"); }

    // A user's click on a control of the loaded window, or its close command.
    void click(const std::string& control) { loaded().events.clicked(control); }
    void close() { loaded().events.closeRequested(); }

    std::string text(const std::string& control) { return loaded().controls.at(control); }
    void type(const std::string& field, const std::string& text) { loaded().controls.at(field) = text; }

    std::vector<std::string> log; // window lifetimes
    std::vector<std::string> boxes; // the text of every message box
    // Runs while each message box is open, as a user or another program acts on the screen meanwhile.
    std::function<void()> whileBoxIsOpen;

private:
    struct Loaded final : LoadedWindow {
        Loaded(FakeHost& host, const WindowDesign& design, WindowEvents& events)
            : host(host)
            , name(design.name)
            , events(events)
        {
            for (const ControlDesign& control : design.controls)
                controls[control.name] = control.text;
            host.open.push_back(this);
        }
        ~Loaded() override
        {
            host.log.push_back("destroy " + name);
            std::erase(host.open, this);
        }

        std::string text(std::string_view field) const override { return find(field)->second; }
        void setText(std::string_view field, std::string_view text) override { find(field)->second = text; }
        void setCaption(std::string_view label, std::string_view caption) override { find(label)->second = caption; }
        void showMessage(std::string_view message) override
        {
            host.boxes.emplace_back(message);
            if (host.whileBoxIsOpen)
                host.whileBoxIsOpen();
        }
        void announce(std::string_view) override {}
        void show() override { host.log.push_back("show " + name); }
        void hide() override
        {
            host.log.push_back("unload " + name);
            std::erase(host.open, this);
        }

        std::map<std::string, std::string, std::less<>>::iterator find(std::string_view control) const
        {
            auto found = controls.find(control);
            if (found == controls.end())
                throw WindowError("no control " + std::string(control));
            return found;
        }

        FakeHost& host;
        std::string name;
        WindowEvents& events;
        mutable std::map<std::string, std::string, std::less<>> controls;
    };

    Loaded& loaded()
    {
        if (open.size() != 1)
            throw std::logic_error(std::to_string(open.size()) + " windows loaded");
        return *open.front();
    }

    std::vector<Loaded*> open;
};

} // namespace zelvo::testing
