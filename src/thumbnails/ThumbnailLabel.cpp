#include "thumbnails/ThumbnailLabel.h"

#include <QPainter>

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

    const QPixmap scaled = m_pixmap->scaledToWidth(width, Qt::FastTransformation);
    // The height follows the width, so a wider label grows taller from its next paint on.
    setFixedHeight(scaled.height() + 2 * Margin);

    QPainter painter(this);
    painter.save();
    painter.drawPixmap(QPointF(Margin, Margin), scaled);
    painter.restore();
}
