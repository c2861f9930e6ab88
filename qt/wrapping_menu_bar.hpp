#pragma once

// The score sheets' menu bar. QMenuBar keeps its items on one line and hides
// those that do not fit behind an extension button (»); the Windows menu bar
// the sheets were drawn for wraps them onto another line instead, and so does
// this one. It stays a QMenuBar with the commands as its QActions, so that
// QMainWindow lays it out as its menu bar and menuBar() finds it, but it lays
// out, paints and clicks its items itself: QMenuBar's layout is private.
//
// QMenuBar's keyboard navigation runs on that private layout, so this bar
// has its own, as on the Windows menu bar: F10, or Alt pressed and released
// alone, selects the first command; Left and Right move along the bar and
// wrap; Return, Enter or Space chooses; Escape, F10 or Alt leaves. The focus
// goes back where it was either way. The bar does not send QMenuBar's own
// triggered() and hovered() signals (the actions send theirs). Its commands
// are text only.

#include <QMenuBar>
#include <QPointer>

class QToolButton;

namespace zelvo {

class WrappingMenuBar final : public QMenuBar {
    Q_OBJECT

public:
    explicit WrappingMenuBar(QWidget* parent = nullptr);

    // Where the action is drawn, in the bar's coordinates; empty for an
    // action the bar does not show.
    QRect itemGeometry(const QAction* action) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void actionEvent(QActionEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    struct Layout {
        QList<QRect> items; // one per action, empty for those not shown
        int height = 0;
    };
    Layout layoutFor(int width) const;
    void relayout();
    QAction* enabledActionAt(QPoint point) const;
    void setHovered(QAction* action);
    // The command `step` places after `from` along the bar, wrapping; the
    // first one for none. Disabled ones count where the style lets them be current.
    QAction* commandAfter(QAction* from, int step) const;
    void setKeyboardMode(bool on);

    Layout current;
    QPointer<QAction> hovered;
    bool tracking = false; // the left button went down on the bar and is still down
    bool keyboardMode = false; // the bar has the focus, a command selected
    bool altAlone = false;     // Alt is down, and nothing else was pressed since
    QPointer<QWidget> focusBefore;
    QToolButton* extension = nullptr;
};

} // namespace zelvo
