#pragma once

// The window operations on real Qt widgets. Controls are looked up by their
// objectName below the given top-level widget; message boxes are parented to
// it so that they open over it and block it.

#include "ui/window.hpp"

class QWidget;

namespace zelvo {

inline constexpr char kApplicationTitle[] = "ZELVO";

class QtWindow final : public Window {
public:
    explicit QtWindow(QWidget& root) : root(root) {}

    std::string text(std::string_view field) const override;
    void setText(std::string_view field, std::string_view text) override;
    void setCaption(std::string_view label, std::string_view caption) override;
    void showMessage(std::string_view message) override;

private:
    QWidget& root;
};

} // namespace zelvo
