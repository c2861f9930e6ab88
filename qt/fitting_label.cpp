#include "qt/fitting_label.hpp"

#include "ui/text_fit.hpp"

#include <QPainter>
#include <cmath>

namespace zelvo {

QFont fontToFit(const QFont& font, const QString& text, int width)
{
    QFont fitted = font;
    const double points = pointSizeToFit(font.pointSizeF(), width, [&](double candidate) {
        fitted.setPointSizeF(candidate);
        return QFontMetricsF(fitted).horizontalAdvance(text);
    });
    if (points == font.pointSizeF())
        return font;
    fitted.setPointSizeF(points);
    return fitted;
}

qreal FittingLabel::drawnPointSize() const
{
    if (text().contains(QLatin1Char('\n')))
        return font().pointSizeF();
    return fontToFit(font(), text(), textRoom().width()).pointSizeF();
}

void FittingLabel::paintEvent(QPaintEvent* event)
{
    const QRect room = textRoom();
    if (text().contains(QLatin1Char('\n')) || QFontMetricsF(font()).horizontalAdvance(text()) <= room.width()) {
        QLabel::paintEvent(event);
        return;
    }
    const QFont fitted = fontToFit(font(), text(), room.width());
    const qreal width = QFontMetricsF(fitted).horizontalAdvance(text());
    qreal x = room.left();
    if (alignment() & Qt::AlignRight)
        x = room.left() + room.width() - width;
    else if (alignment() & Qt::AlignHCenter)
        x = room.left() + (room.width() - width) / 2;
    QPainter painter(this);
    painter.setFont(fitted);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(QPointF(std::floor(x), contentsRect().top() + QFontMetricsF(font()).ascent()), text());
}

} // namespace zelvo
