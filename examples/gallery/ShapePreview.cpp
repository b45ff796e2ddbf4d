#include "ShapePreview.h"

#include "ShapeSettings.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOption>

#include <cmath>

namespace {

QPainterPath polygonPath(int corners, qreal radius, qreal innerRadius)
{
    QPainterPath path;
    const int points = innerRadius > 0 ? corners * 2 : corners;
    for (int i = 0; i < points; ++i) {
        const qreal r = (innerRadius > 0 && i % 2) ? innerRadius : radius;
        const qreal angle = -M_PI / 2 + 2 * M_PI * i / points;
        const QPointF p(r * std::cos(angle), r * std::sin(angle));
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

QPainterPath shapePath(int shape, qreal size)
{
    const qreal r = size / 2;
    QPainterPath path;
    switch (shape) {
    case 0:
        path.addEllipse(QPointF(0, 0), r, r);
        return path;
    case 1:
        path.addRoundedRect(QRectF(-r, -r, size, size), size / 12, size / 12);
        return path;
    case 2:
        return polygonPath(3, r, 0);
    case 3:
        return polygonPath(5, r, r * 0.45);
    default:
        return polygonPath(6, r, 0);
    }
}

} // namespace

ShapePreview::ShapePreview(ShapeSettings* settings, QWidget* parent)
    : QWidget(parent)
    , m_settings(settings)
{
    setAttribute(Qt::WA_StyledBackground);
}

QSize ShapePreview::sizeHint() const
{
    return { 320, 320 };
}

QSize ShapePreview::minimumSizeHint() const
{
    return { 200, 220 };
}

void ShapePreview::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &p, this);
    if (!m_settings)
        return;
    const ShapeSettings& s = *m_settings;
    p.setRenderHint(QPainter::Antialiasing);

    const QRectF area = contentsRect();
    const qreal captionSpace = s.caption().isEmpty() ? 0 : 36;
    const qreal room = qMin(area.width(), area.height() - captionSpace) - 16;
    const qreal size = qMax<qreal>(8, qMin<qreal>(s.size(), room));
    const QPointF centre(area.center().x(), area.top() + (area.height() - captionSpace) / 2);

    p.save();
    p.translate(centre);
    p.rotate(s.rotation());
    p.setOpacity(s.opacity());
    QBrush brush(s.fillColor());
    if (s.useTexture()) {
        const QImage texture(s.texture());
        if (!texture.isNull())
            brush = QBrush(texture);
    }
    p.setBrush(brush);
    if (s.outline())
        p.setPen(
            QPen(s.outlineColor(), s.outlinePixels(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    else
        p.setPen(Qt::NoPen);
    p.drawPath(shapePath(s.shape(), size));
    p.restore();

    p.setPen(palette().color(QPalette::WindowText));
    if (!s.caption().isEmpty()) {
        QFont font = p.font();
        font.setPointSizeF(font.pointSizeF() * 1.4);
        font.setBold(true);
        p.setFont(font);
        p.drawText(QRectF(area.left(), area.bottom() - captionSpace, area.width(), captionSpace),
            Qt::AlignCenter, s.caption());
    }
    if (!s.notes().isEmpty()) {
        QFont font = this->font();
        font.setItalic(true);
        p.setFont(font);
        p.setPen(palette().color(QPalette::PlaceholderText));
        // At the page's leading edge, the text read in its own direction: a Latin note on a
        // right-to-left page keeps its full stop at the end.
        const int direction
            = s.notes().isRightToLeft() ? Qt::TextForceRightToLeft : Qt::TextForceLeftToRight;
        const int leading = isRightToLeft() ? Qt::AlignRight : Qt::AlignLeft;
        p.drawText(area.adjusted(10, 8, -10, -8),
            Qt::AlignTop | Qt::AlignAbsolute | leading | direction, s.notes());
    }
}
