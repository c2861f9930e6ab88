#include "qt/window_builder.hpp"

#include "qt/accessibility.hpp"
#include "qt/app_icon.hpp"
#include "qt/fitting_label.hpp"
#include "qt/menu_command_bar.hpp"
#include "qt/qt_window.hpp"

#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
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
    if (design.spokenElsewhere)
        passOverByScreenReaders(*control);
    return control;
}

// The five commands only just fit the width of a sheet, and under some
// styles they do not: the bar wraps them as the Windows menu bar does.
void addMenuBar(QMainWindow& window, const WindowDesign& design)
{
    auto* bar = new MenuCommandBar(window);
    for (const MenuCommandDesign& command : design.menu) {
        auto* action = new QAction(qtText(command.caption), bar);
        action->setObjectName(qtText(command.name));
        action->setEnabled(command.enabled);
        bar->addAction(action);
    }
    window.setMenuWidget(bar);
}

} // namespace

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


} // namespace zelvo
