#pragma once

// A host that passes everything on to a binding's real one and notes when
// the application asks to end the program, so an inspector can tell.

#include "app/host.hpp"

namespace zelvo::inspection {

class QuitWatch final : public Host {
public:
    explicit QuitWatch(Host& real) : real(real) {}

    std::unique_ptr<LoadedWindow> build(const WindowDesign& design, WindowEvents& events) override
    {
        return real.build(design, events);
    }
    void quit() override
    {
        quitAsked = true;
        real.quit();
    }

    bool quitAsked = false;

private:
    Host& real;
};

} // namespace zelvo::inspection
