#pragma once

// Decides which window the user sees. Exactly one window is loaded at a time:
// the shell starts with the menu window Form5; its buttons open the
// one-player sheet of the chosen game, and a sheet's one..four commands open
// the sheet of the same game for that many players.
//
// A switch unloads the current window (its widgets go, its sheet object and
// the scoring state stay) and builds the target afresh from its design, runs
// the sheet's Form_Load on it, places, shows and focuses it. Each sheet object
// is made the first time its window opens and kept for the whole run.
//
// Closing the open window through its frame unloads it and emits finished();
// the program ends there. A switch never does, although for a moment no
// window is loaded, so the shell turns off Qt's quit-on-last-window-closed.

#include "ui/score_sheet.hpp"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>


namespace zelvo {

struct SheetKind;
struct WindowDesign;

// A new default instance: the scoring state of the sheet of that kind.
std::unique_ptr<ScoreSheet> makeSheet(SheetKind kind);

class Shell final : public QObject {
    Q_OBJECT

public:
    Shell();
    ~Shell() override;

    // Opens the menu window.
    void start();
    // Unloads the current window and opens the named one (Form1..Form9).
    void switchTo(std::string_view windowName);

    // The loaded window, or null once the user has closed it.
    QWidget* currentWindow() const { return current; }
    // The default instance of a sheet window, or null while it has not been opened.
    ScoreSheet* sheet(std::string_view windowName) const;

signals:
    // The user closed the open window: the program should end.
    void finished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    template <typename Handler>
    void handle(Handler&& handler);
    ScoreSheet& sheetFor(const WindowDesign& design);
    void unloadCurrent();
    void connectMenuWindow(QWidget& window);
    void connectSheet(QWidget& window, ScoreSheet& sheet, SheetKind kind);

    std::map<std::string, std::unique_ptr<ScoreSheet>, std::less<>> sheets;
    QPointer<QWidget> current;
    // Unloaded windows whose deletion waits until their own signal has
    // returned; deleted with the shell at the latest.
    std::vector<QPointer<QWidget>> unloading;
};

} // namespace zelvo
