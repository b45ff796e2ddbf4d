#include "thumbnails/ThumbnailLabel.h"

#include <QPainter>
#include <QtMath>

namespace {

// The margin around the picture on every side, where the label's background shows.
constexpr int Margin = 1;

} // namespace

ThumbnailLabel::ThumbnailLabel(QWidget* parent)
    : QLabel(parent)
{ }

void ThumbnailLabel::setPixmap(const QPixmap& pixmap)
{
    m_pixmap = &pixmap;
}

void ThumbnailLabel::paintEvent(QPaintEvent* e)
{
    QLabel::paintEvent(e);
    const int width = this->width() - 2 * Margin;
    if (!m_pixmap || m_pixmap->isNull() || width <= 0)
        return;

    // Scaled to the device pixels the width covers on this screen, whatever ratio the host's
    // pixmap has, and drawn back at the width: sharp on a high-density screen, and at ratio 1
    // exactly the pixels a plain scale to the width gives.
    const QSize source = m_pixmap->size();
    if (qint64(source.height()) > qint64(MaxAspect) * source.width()) {
        // Scaled whole, a sliver of a picture would ask for far more memory than the label
        // can show; the painter scales only the part that is drawn.
        const int height = MaxAspect * width;
        setFixedHeight(height + 2 * Margin);
        QPainter painter(this);
        painter.drawPixmap(QRectF(Margin, Margin, width, height), *m_pixmap,
            QRectF(0, 0, source.width(), qreal(MaxAspect) * source.width()));
        return;
    }
    const qreal ratio = devicePixelRatioF();
    QPixmap scaled = m_pixmap->scaledToWidth(qRound(width * ratio), Qt::FastTransformation);
    scaled.setDevicePixelRatio(ratio);
    // The height follows the width, so a wider label grows taller from its next paint on.
    setFixedHeight(qCeil(scaled.height() / ratio) + 2 * Margin);

    QPainter painter(this);
    painter.save();
    painter.drawPixmap(QPointF(Margin, Margin), scaled);
    painter.restore();
}
