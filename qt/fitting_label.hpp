#pragma once

// Score labels are narrow. A total typed up from unusual throws could be
// wider than its label; it is drawn smaller instead of cut off, at the size
// the shared rule (ui/text_fit.hpp) picks, and on the baseline its own font
// has, in line with the other scores. The builder aligns every label to the
// top, which puts that baseline one ascent below the label's top.

#include <QFont>
#include <QLabel>

namespace zelvo {

class FittingLabel final : public QLabel {
public:
    using QLabel::QLabel;

    // The point size the text is drawn at now.
    qreal drawnPointSize() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // A pixel clear at either side keeps a minus sign off the label's edge.
    QRect textRoom() const { return contentsRect().adjusted(1, 0, -1, 0); }
};

// The font a one-line text is drawn in when `width` pixels are left for it:
// `font` itself if the text fits, else the same at the rule's smaller size.
QFont fontToFit(const QFont& font, const QString& text, int width);

} // namespace zelvo
