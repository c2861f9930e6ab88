#include "shell/application_shell.hpp"

#include "countup/countup_sheet.hpp"
#include "game301/game301_sheet.hpp"
#include "shell/window_builder.hpp"
#include "shell/window_designs.hpp"
#include "ui/player_controls.hpp"
#include "ui/qt_window.hpp"

#include <QAction>
#include <QEvent>
#include <QGuiApplication>
#include <QPushButton>
#include <QWidget>
#include <exception>

namespace zelvo {

namespace {

} // namespace

std::unique_ptr<ScoreSheet> makeSheet(SheetKind kind)
{
    if (kind.game == Game::CountUp)
        return std::make_unique<CountUpSheet>(kind.players);
    return std::make_unique<Game301Sheet>(kind.players);
}

Shell::Shell()
{
    // Between unloading one window and showing the next none is open; that
    // moment must not end the program. finished() ends it instead.
    QGuiApplication::setQuitOnLastWindowClosed(false);
}

Shell::~Shell()
{
    delete current.data();
    for (const QPointer<QWidget>& window : unloading)
        delete window.data();
}

void Shell::start()
{
    switchTo(kMenuWindow);
}

ScoreSheet* Shell::sheet(std::string_view windowName) const
{
    auto found = sheets.find(windowName);
    return found == sheets.end() ? nullptr : found->second.get();
}

ScoreSheet& Shell::sheetFor(const WindowDesign& design)
{
    std::unique_ptr<ScoreSheet>& sheet = sheets[design.name];
    if (!sheet)
        sheet = makeSheet(*design.sheet);
    return *sheet;
}

template <typename Handler>
void Shell::handle(Handler&& handler)
{
    // Nothing may throw into Qt's event loop. Form_Load, reset and the
    // switches cannot fail on anything a player types, so whatever arrives
    // here is a fault of the program: report it and keep the window usable.
    try {
        handler();
    } catch (const std::exception& error) {
        qCritical("ZELVO: %s", error.what());
    } catch (...) {
        qCritical("ZELVO: unexpected error");
    }
    // A handler that has ended with no window loaded ends the program.
    if (!current)
        emit finished();
}

void Shell::switchTo(std::string_view windowName)
{
    const WindowDesign& design = windowDesign(windowName);
    unloadCurrent();

    std::unique_ptr<QWidget> window = buildWindow(design);
    if (design.sheet) {
        ScoreSheet& sheet = sheetFor(design);
        connectSheet(*window, sheet, *design.sheet);
        QtWindow view(*window);
        sheet.load(view);
    } else {
        connectMenuWindow(*window);
    }
    placeWindow(*window, design);
    window->installEventFilter(this);

    current = window.release();
    current->show();
    current->activateWindow();
}

void Shell::unloadCurrent()
{
    if (!current)
        return;
    QWidget* window = current.data();
    current = nullptr;
    window->removeEventFilter(this);
    window->hide();
    // The switch may run inside a signal of this very window's button or
    // menu bar; the widgets must outlive that signal, so they go once
    // control is back in the event loop.
    window->deleteLater();
    std::erase_if(unloading, [](const QPointer<QWidget>& gone) { return gone.isNull(); });
    unloading.emplace_back(window);
}

void Shell::connectMenuWindow(QWidget& window)
{
    const std::pair<const char*, Game> choices[] = {{"Command1", Game::CountUp}, {"Command2", Game::ThreeOhOne}};
    for (const auto& [button, game] : choices) {
        auto* control = window.findChild<QPushButton*>(QString::fromLatin1(button));
        connect(control, &QPushButton::clicked, this,
                [this, game] { handle([&] { switchTo(sheetWindowName(game, 1)); }); });
    }
}

void Shell::connectSheet(QWidget& window, ScoreSheet& sheet, SheetKind kind)
{
    const QPointer<QWidget> target(&window);
    for (int player = 1; player <= kind.players; ++player) {
        const PlayerControls& controls = controlsOf(player);
        auto* button = window.findChild<QPushButton*>(qtText(controls.calculateButton));
        connect(button, &QPushButton::clicked, this, [this, target, &sheet, player] {
            handle([&] {
                QtWindow view(*target);
                sheet.press(view, player);
            });
        });
    }

    auto* reset = window.findChild<QAction*>(qtText(kResetCommand));
    connect(reset, &QAction::triggered, this, [this, target, &sheet] {
        handle([&] {
            QtWindow view(*target);
            sheet.reset(view);
        });
    });

    for (int players = 1; players <= kMaxPlayers; ++players) {
        auto* command = window.findChild<QAction*>(qtText(kPlayerCountCommands[players - 1]));
        // The command for the sheet's own player count is switched off and
        // does nothing: it never reloads or restarts the window.
        if (players == kind.players)
            continue;
        connect(command, &QAction::triggered, this,
                [this, kind, players] { handle([&] { switchTo(sheetWindowName(kind.game, players)); }); });
    }
}

bool Shell::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close && watched == current) {
        handle([&] { unloadCurrent(); });
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zelvo
