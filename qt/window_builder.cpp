#include "qt/window_builder.hpp"

#include "qt/app_icon.hpp"
#include "qt/qt_window.hpp"

#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <limits>

namespace zelvo {

namespace {

// The windows were drawn for ＭＳ Ｐゴシック; where it is not installed the
// nearest Japanese Gothic that is takes its place.
const QStringList kDesignedFamilies{
    QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),       QStringLiteral("IPAPGothic"),
    QStringLiteral("IPAGothic"),       QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL PGothic"),
};

const QStringList kDefaultFamilies{
    QStringLiteral("MS UI Gothic"), QStringLiteral("ＭＳ Ｐゴシック"),     QStringLiteral("MS PGothic"),
    QStringLiteral("IPAPGothic"),   QStringLiteral("IPAGothic"),          QStringLiteral("Noto Sans CJK JP"),
    QStringLiteral("VL PGothic"),
};

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

// Score labels are narrow. A total typed up from unusual throws could be
// wider than its label, and clipping would cut off its leading digits or its
// minus sign so that it reads as another number; it is drawn smaller instead.
class FittingLabel final : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        const QRect room = contentsRect();
        const bool oneLine = !text().contains(QLatin1Char('\n'));
        // A pixel clear at either side keeps a minus sign off the label's edge.
        const QFont fitted = oneLine ? fontToFit(font(), text(), room.width() - 2) : font();
        if (fitted == font()) {
            QLabel::paintEvent(event);
            return;
        }
        QPainter painter(this);
        painter.setFont(fitted);
        painter.setPen(palette().color(foregroundRole()));
        painter.drawText(room, static_cast<int>(alignment()), text());
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
        // Enter in a text field must not press any button.
        button->setAutoDefault(false);
        button->setDefault(false);
        control = button;
        break;
    }
    }
    control->setObjectName(qtText(design.name));
    control->setGeometry(pixels(design.geometry));
    if (design.font)
        control->setFont(designedFont(*design.font));
    if (!design.accessibleName.empty())
        control->setAccessibleName(qtText(design.accessibleName));
    return control;
}

// The five commands only just fit the width of a sheet; with the usual gaps
// between menu bar items the last one would drop into an overflow button.
class CompactMenuBarStyle final : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_MenuBarItemSpacing)
            return 0;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

void addMenuBar(QMainWindow& window, const WindowDesign& design)
{
    QMenuBar* bar = window.menuBar();
    auto* style = new CompactMenuBarStyle;
    style->setParent(bar);
    bar->setStyle(style);
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
    QFont fitted = font;
    while (QFontMetrics(fitted).horizontalAdvance(text) > width && fitted.pointSizeF() > 1)
        fitted.setPointSizeF(fitted.pointSizeF() - 0.5);
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

void placeWindow(QWidget& window, const WindowDesign& design)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect geometry(QPoint(), window.size());
    if (design.fixedPosition)
        geometry.moveTopLeft(screen->geometry().topLeft() + pixels(*design.fixedPosition));
    else
        geometry.moveCenter(screen->availableGeometry().center());
    window.setGeometry(geometry);
}

} // namespace zelvo
