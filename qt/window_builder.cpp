#include "qt/window_builder.hpp"

#include "qt/app_icon.hpp"
#include "qt/qt_window.hpp"
#include "qt/wrapping_menu_bar.hpp"

#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QWindow>
#include <limits>

namespace zelvo {

namespace {

// The windows were drawn for ＭＳ Ｐゴシック; where it is not installed the
// nearest Japanese Gothic that is takes its place.
const QStringList kDesignedFamilies{
    QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),       QStringLiteral("IPAPGothic"),
    QStringLiteral("IPAGothic"),       QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL PGothic"),
};

// Controls that list no font take the Japanese UI font, or the same stand-ins.
const QStringList kDefaultFamilies = QStringList{QStringLiteral("MS UI Gothic")} + kDesignedFamilies;

QPoint pixels(TwipsPoint point)
{
    return {twipsToPixels(point.x), twipsToPixels(point.y)};
}

QSize pixels(TwipsSize size)
{
    return {twipsToPixels(size.width), twipsToPixels(size.height)};
}

QRect pixels(const TwipsRect& rect)
{
    return {twipsToPixels(rect.left), twipsToPixels(rect.top), twipsToPixels(rect.width), twipsToPixels(rect.height)};
}

QFont designedFont(const FontDesign& design)
{
    QFont font;
    font.setFamilies(kDesignedFamilies);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(design.pointSize);
    font.setWeight(design.bold ? QFont::Bold : QFont::Normal);
    return font;
}

Qt::Alignment horizontal(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Centre:
        return Qt::AlignHCenter;
    case Alignment::Right:
        return Qt::AlignRight;
    case Alignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

// Where a text's ink lies when drawn in the font from the origin: its first
// column, possibly left of the origin, and how many columns it covers. It is
// drawn into a scratch image and measured there: side bearings and a
// synthesised bold make the ink differ from the advance, and the font's own
// bounding boxes are rounded outwards.
struct InkSpan {
    int left = 0;
    int width = 0;
};

InkSpan inkSpan(const QFont& font, const QString& text)
{
    const QFontMetrics metrics(font);
    const int margin = metrics.height();
    QImage image(metrics.horizontalAdvance(text) + 2 * margin, 2 * metrics.height(), QImage::Format_Alpha8);
    image.fill(0);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.drawText(margin, margin / 2 + metrics.ascent(), text);
    }
    int left = image.width();
    int right = -1;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* line = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            if (line[x]) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    return right < 0 ? InkSpan{} : InkSpan{left - margin, right - left + 1};
}

// Score labels are narrow. A total typed up from unusual throws could be
// wider than its label, and clipping would cut off its leading digits or its
// minus sign so that it reads as another number; it is drawn smaller instead,
// just small enough for its ink to fit, and on the baseline its own font has,
// in line with the other scores. The builder aligns every label to the top,
// which puts that baseline one ascent below the label's top.
class FittingLabel final : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        // A pixel clear at either side keeps a minus sign off the label's edge.
        const QRect room = contentsRect().adjusted(1, 0, -1, 0);
        if (text().contains(QLatin1Char('\n')) || QFontMetricsF(font()).horizontalAdvance(text()) <= room.width()) {
            QLabel::paintEvent(event);
            return;
        }
        const QFont fitted = fontToFit(font(), text(), room.width());
        const InkSpan ink = inkSpan(fitted, text());
        int x = room.left() - ink.left;
        if (alignment() & Qt::AlignRight)
            x = room.left() + room.width() - ink.left - ink.width;
        else if (alignment() & Qt::AlignHCenter)
            x = room.left() + (room.width() - ink.width) / 2 - ink.left;
        QPainter painter(this);
        painter.setFont(fitted);
        painter.setPen(palette().color(foregroundRole()));
        painter.drawText(QPointF(x, contentsRect().top() + QFontMetricsF(font()).ascent()), text());
    }
};

QWidget* makeControl(const ControlDesign& design, QWidget& parent)
{
    QWidget* control = nullptr;
    switch (design.type) {
    case ControlType::Label: {
        auto* label = new FittingLabel(&parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignTop | horizontal(design.alignment));
        label->setWordWrap(false);
        label->setText(qtText(design.text));
        control = label;
        break;
    }
    case ControlType::TextField: {
        auto* field = new QLineEdit(&parent);
        // Fields take text of any length: Qt would cut a pasted name or throw
        // at 32,767 characters.
        field->setMaxLength(std::numeric_limits<int>::max());
        field->setAlignment(Qt::AlignVCenter | horizontal(design.alignment));
        field->setText(qtText(design.text));
        control = field;
        break;
    }
    case ControlType::CommandButton: {
        auto* button = new QPushButton(qtText(design.text), &parent);
        // Return and keypad Enter press the button that has the focus, as
        // Space does. Outside a dialog no button becomes the default, so the
        // keys pressed in a text field still press none.
        button->setAutoDefault(true);
        button->setDefault(false);
        control = button;
        break;
    }
    }
    control->setObjectName(qtText(design.name));
    control->setGeometry(pixels(design.geometry));
    if (design.font)
        control->setFont(designedFont(*design.font));
    if (const std::string name = accessibleName(design, design.text); !name.empty())
        control->setAccessibleName(qtText(name));
    return control;
}

// The five commands only just fit the width of a sheet, and under some
// styles they do not: the bar wraps them as the Windows menu bar does.
void addMenuBar(QMainWindow& window, const WindowDesign& design)
{
    auto* bar = new WrappingMenuBar;
    window.setMenuBar(bar);
    // The commands belong in the window: a desktop's global menu would take
    // them out of it and change the window's height.
    bar->setNativeMenuBar(false);
    for (const MenuCommandDesign& command : design.menu) {
        QAction* action = bar->addAction(qtText(command.caption));
        action->setObjectName(qtText(command.name));
        action->setEnabled(command.enabled);
    }
}

} // namespace

QFont fontToFit(const QFont& font, const QString& text, int width)
{
    const auto fits = [&](const QFont& candidate) { return inkSpan(candidate, text).width <= width; };
    if (fits(font))
        return font;
    // The largest size that fits, to a twentieth of a point: widths do not
    // shrink exactly in proportion to the size, so it is searched for.
    QFont fitted = font;
    qreal small = 1;
    qreal large = font.pointSizeF();
    while (large - small > 0.05) {
        fitted.setPointSizeF((small + large) / 2);
        (fits(fitted) ? small : large) = fitted.pointSizeF();
    }
    fitted.setPointSizeF(small);
    return fitted;
}

QFont windowDefaultFont()
{
    QFont font;
    font.setFamilies(kDefaultFamilies);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(9);
    return font;
}

std::unique_ptr<QWidget> buildWindow(const WindowDesign& design)
{
    std::unique_ptr<QWidget> window;
    QWidget* client = nullptr;
    if (design.menu.empty()) {
        window = std::make_unique<QWidget>();
        client = window.get();
    } else {
        auto mainWindow = std::make_unique<QMainWindow>();
        client = new QWidget(mainWindow.get());
        mainWindow->setCentralWidget(client);
        addMenuBar(*mainWindow, design);
        // The window takes the height the menu bar needs for this width,
        // however many lines its commands wrap into, and no more.
        mainWindow->layout()->setSizeConstraint(QLayout::SetFixedSize);
        window = std::move(mainWindow);
    }

    window->setObjectName(qtText(design.name));
    window->setWindowTitle(qtText(design.caption));
    window->setWindowIcon(applicationIcon());
    window->setFont(windowDefaultFont());
    // A fixed layout: no maximise button, and the client area never resizes.
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    client->setFixedSize(pixels(design.clientSize));

    QWidget* previous = nullptr;
    for (const ControlDesign& control : design.controls) {
        QWidget* widget = makeControl(control, *client);
        if (!(widget->focusPolicy() & Qt::TabFocus))
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        else
            widget->setFocus(Qt::OtherFocusReason);
        previous = widget;
    }

    // Settle the menu bar's height now, so the window can be placed by its
    // final size before it is shown.
    if (window->layout())
        window->layout()->activate();
    return window;
}

namespace {

// Where a window of this size, frame included, stands centred on the screen's available area.
QPoint centredFrame(QSize frame, const QScreen& screen)
{
    QRect placed(QPoint(), frame);
    placed.moveCenter(screen.availableGeometry().center());
    return placed.topLeft();
}

// Moves a centred window once its frame is known, should that frame differ
// from the one it was placed by: on its first expose, before it is painted,
// or as soon after as the window manager has framed it. QWindow asks the
// window system for the frame; QWidget's copy may still lag behind.
class Recentring final : public QObject {
public:
    explicit Recentring(QWidget& window)
        : QObject(window.windowHandle())
        , window(window)
    {
        window.windowHandle()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        QWindow* handle = window.windowHandle();
        const QScreen* screen = QGuiApplication::primaryScreen();
        if ((event->type() != QEvent::Expose && event->type() != QEvent::Move) || !handle->isExposed()
            || handle->frameMargins().isNull() || !screen)
            return QObject::eventFilter(watched, event);
        const QRect frame = handle->frameGeometry();
        const QPoint wanted = centredFrame(frame.size(), *screen);
        if (frame.topLeft() != wanted)
            window.setGeometry(QRect(window.geometry().topLeft() + wanted - frame.topLeft(), window.size()));
        handle->removeEventFilter(this);
        deleteLater();
        return false;
    }

private:
    QWidget& window;
};

} // namespace

void placeWindow(QWidget& window, const WindowDesign& design, QMargins frame)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect client(QPoint(), window.size());
    if (design.fixedPosition) {
        client.moveTopLeft(screen->geometry().topLeft() + pixels(*design.fixedPosition));
        window.setGeometry(client);
        return;
    }
    client.moveTopLeft(centredFrame(client.size().grownBy(frame), *screen) + QPoint(frame.left(), frame.top()));
    window.setGeometry(client);
    window.winId(); // the native window, so that its first expose can be watched
    new Recentring(window);
}

} // namespace zelvo
