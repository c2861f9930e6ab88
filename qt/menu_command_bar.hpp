#pragma once

// The score sheets' menu bar: one flat tool button per command, side by side,
// wrapping onto another line where the commands do not fit, as on the Windows
// menu bar the sheets were drawn for (QMenuBar would hide them behind an
// extension button instead). QMainWindow places it as its menu widget; the
// commands are the bar's QActions, each button named as its action.
//
// From the keyboard, as on a menu bar: F10, or Alt pressed and released
// alone, puts the focus on the first command; Left and Right move it along
// the bar and wrap; Return, Enter or Space chooses; Escape, F10 or Alt
// leaves; the focus goes back where it was either way. The selected command
// is the button with the focus, so accessibility sees it as the focus.

#include <QPointer>
#include <QWidget>

class QToolButton;

namespace zelvo {

class MenuCommandBar final : public QWidget {
    Q_OBJECT

public:
    explicit MenuCommandBar(QWidget& window);

    // Where the command's button stands, in the bar's coordinates.
    QRect itemGeometry(const QAction* action) const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return arrange(width, false); }

protected:
    void actionEvent(QActionEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Lays the buttons out in lines `width` wide, moving them if `place`; the height they take.
    int arrange(int width, bool place) const;
    QToolButton* buttonFor(const QAction* action) const;
    void toggleKeyboardMode();
    // Puts the focus on the enabled command `step` buttons along from the focused one, wrapping.
    void select(int step);
    void leave();
    qsizetype focusedCommand() const; // -1 for none

    QList<QToolButton*> buttons; // in the order of the actions
    QPointer<QWidget> focusBefore;
    bool altAlone = false; // Alt is down, and nothing else was pressed since
};

} // namespace zelvo
