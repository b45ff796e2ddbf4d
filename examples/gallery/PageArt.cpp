#include "PageArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace pageart {

QPixmap pagePicture(QString const& title, QColor const& accent, QSize const& size, qreal ratio)
{
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(QColor(0xfb, 0xfb, 0xfd));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();

    p.fillRect(QRectF(0, 0, w, h * 0.18), accent);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(qMax(8, int(h * 0.09)));
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(w * 0.06, 0, w * 0.9, h * 0.18), Qt::AlignVCenter | Qt::AlignLeft, title);

    p.setPen(Qt::NoPen);
    p.setBrush(accent.lighter(150));
    p.drawEllipse(QRectF(w * 0.08, h * 0.28, w * 0.3, w * 0.3));
    p.setBrush(QColor(0xd8, 0xdb, 0xe4));
    for (int i = 0; i < 5; ++i) {
        const qreal y = h * 0.28 + i * h * 0.08;
        p.drawRoundedRect(QRectF(w * 0.52, y, w * (i % 2 ? 0.3 : 0.4), h * 0.035), 2, 2);
    }
    for (int i = 0; i < 3; ++i) {
        const qreal y = h * 0.72 + i * h * 0.08;
        p.drawRoundedRect(QRectF(w * 0.08, y, w * (i == 2 ? 0.5 : 0.84), h * 0.035), 2, 2);
    }
    p.setPen(QColor(0xc8, 0xcb, 0xd6));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
    return pixmap;
}

QImage transparentPicture(QSize const& size)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(QPointF(0, 0), QSizeF(size));
    const QPointF c = r.center();
    const qreal radius = qMin(r.width(), r.height()) * 0.3;

    QRadialGradient glow(c, radius * 1.6);
    glow.setColorAt(0, QColor(255, 196, 64, 230));
    glow.setColorAt(0.6, QColor(255, 120, 40, 120));
    glow.setColorAt(1, QColor(255, 80, 40, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(c, radius * 1.6, radius * 1.6);

    p.setBrush(QColor(40, 110, 220, 170));
    p.drawEllipse(c + QPointF(-radius * 0.6, radius * 0.3), radius * 0.75, radius * 0.75);
    p.setBrush(QColor(40, 190, 120, 170));
    p.drawEllipse(c + QPointF(radius * 0.6, radius * 0.3), radius * 0.75, radius * 0.75);
    p.setBrush(QColor(230, 60, 90, 170));
    p.drawEllipse(c + QPointF(0, -radius * 0.55), radius * 0.75, radius * 0.75);
    return image;
}

QPixmap toolIcon(QString const& kind, QColor const& color)
{
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(color, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    if (kind == QLatin1String("select")) {
        QPainterPath arrow;
        arrow.moveTo(18, 10);
        arrow.lineTo(18, 52);
        arrow.lineTo(29, 41);
        arrow.lineTo(38, 56);
        arrow.lineTo(45, 52);
        arrow.lineTo(36, 38);
        arrow.lineTo(50, 37);
        arrow.closeSubpath();
        p.setBrush(color.lighter(170));
        p.drawPath(arrow);
    } else if (kind == QLatin1String("pen")) {
        p.drawLine(14, 50, 46, 18);
        p.drawLine(46, 18, 52, 24);
        p.drawLine(52, 24, 20, 56);
        p.drawLine(14, 50, 12, 58);
        p.drawLine(12, 58, 20, 56);
    } else if (kind == QLatin1String("brush")) {
        p.drawLine(48, 12, 28, 36);
        p.setBrush(color);
        p.drawEllipse(QPointF(22, 44), 8, 8);
    } else if (kind == QLatin1String("shape")) {
        p.drawRect(10, 24, 28, 28);
        p.setBrush(color.lighter(170));
        p.drawEllipse(QPointF(40, 24), 14, 14);
    } else if (kind == QLatin1String("text")) {
        p.drawLine(14, 14, 50, 14);
        p.drawLine(32, 14, 32, 52);
        p.drawLine(24, 52, 40, 52);
    } else if (kind == QLatin1String("zoom")) {
        p.drawEllipse(QPointF(28, 28), 14, 14);
        p.drawLine(38, 38, 52, 52);
    } else {
        p.drawEllipse(QPointF(32, 32), 20, 20);
        p.drawLine(32, 24, 32, 34);
        p.drawPoint(32, 42);
    }
    return pixmap;
}

} // namespace pageart
