// ZELVO's side of the sheet bench (sheet_steps.hpp): the real program, the
// Win32 host and the application, brought from the menu window to the
// four-player 301 sheet by the clicks a player makes.
//
//   wine sheet_bench.exe time|trace|grow|show STEPS
//
// sheet_floor.exe takes the same arguments; bench/win32/sheet_bench.sh runs
// the two in turn and compares them.

#include "bench/win32/sheet_steps.hpp"

#include "app/application.hpp"
#include "win32/win32_host.hpp"

#include <memory>

namespace {

using namespace zelvo;

constexpr int kCommand2 = 2002;

class Zelvo final : public bench::Sheets {
public:
    Zelvo()
    {
        application.start();
        bench::settle(*this);
        bench::click(*this, kCommand2, true);
        bench::choose(*this, bench::kFourPlayers, true);
    }
    HWND window() const override { return host.openWindow(); }
    void dispatch(MSG& message) override { host.dispatch(message); }

private:
    win32::Win32Host host;
    Application application{host};
};

} // namespace

int main(int argc, char** argv)
{
    return bench::run(argc, argv, [] { return std::make_unique<Zelvo>(); });
}
