#pragma once

// The window operations on real Qt widgets. Controls are looked up by their
// objectName below the given top-level widget; message boxes are parented to
// it so that they open over it and block it.

#include "ui/window.hpp"

#include <QString>

class QWidget;

namespace zelvo {

// The program's texts and control names are UTF-8; Qt's are QStrings.
inline QString qtText(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

class QtWindow final : public Window {
public:
    explicit QtWindow(QWidget& root) : root(root) {}

    std::string text(std::string_view field) const override;
    void setText(std::string_view field, std::string_view text) override;
    void setCaption(std::string_view label, std::string_view caption) override;
    void showMessage(std::string_view message) override;
    void announce(std::string_view text) override;

private:
    QWidget& root;
};

} // namespace zelvo
