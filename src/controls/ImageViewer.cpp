#include <corvane/ImageViewer.h>

#include "platform/ThemeRegistry.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The size a picture covers on screen, in the widget's own units.
QSize logicalSize(QImage const& image)
{
    const qreal ratio = image.devicePixelRatio();
    return ratio == 1.0 ? image.size() : (QSizeF(image.size()) / ratio).toSize();
}

// An indexed picture whose colour table lacks entries that its pixels use gets them as Qt's own
// conversions give them: a grey ramp for a picture without table, black and white for a bitmap,
// transparent for the entries a short table misses. Painted as it was, it would be read past
// its table's end.
QImage withFullColorTable(QImage const& image)
{
    const bool mono
        = image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB;
    if ((!mono && image.format() != QImage::Format_Indexed8)
        || image.colorCount() >= (mono ? 2 : 256))
        return image;
    int used = mono ? 2 : 0;
    for (int y = 0; !mono && y < image.height() && used < 256; ++y) {
        const uchar* line = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x)
            used = std::max(used, line[x] + 1);
    }
    if (image.colorCount() >= used)
        return image;
    QVector<QRgb> table = image.colorTable();
    if (table.isEmpty() && mono) {
        table = { qRgb(0, 0, 0), qRgb(255, 255, 255) };
    } else if (table.isEmpty()) {
        for (int i = 0; i < used; ++i)
            table << qRgb(i, i, i);
    }
    table.resize(used);
    QImage fixed = image;
    fixed.setColorTable(table);
    return fixed;
}

} // namespace

ImageViewer::ImageViewer(QWidget* parent)
    : QLabel(parent)
{ }

void ImageViewer::setScaledToWidth(int width)
{
    m_scale = eScaleToWidth;
    m_targetWidth = width;
}

void ImageViewer::setScaledToHeight(int height)
{
    m_scale = eScaleToHeight;
    m_targetHeight = height;
}

void ImageViewer::setScaledTo(int width, int height)
{
    m_scale = eScaleToSize;
    m_targetWidth = width;
    m_targetHeight = height;
}

void ImageViewer::setAutoResize(bool on)
{
    m_autoResize = on;
}

void ImageViewer::setImage(QImage const& given)
{
    const QImage image = withFullColorTable(given);
    // Targets are in the widget's units; the picture is scaled to the device pixels they cover
    // on this screen, its own side kept in the pixels it covers there. At ratio 1, with a
    // picture of ratio 1, both factors are 1.
    const qreal ratio = devicePixelRatioF();
    const qreal toDevice = ratio / image.devicePixelRatio();
    // The side that no target bounds is never enlarged past the screen's ratio: a picture that
    // claims a ratio below 1 would otherwise be scaled up to any size.
    const qreal freeSide = std::min(toDevice, ratio);
    const auto fitInto = [&image, ratio, toDevice](qreal width, qreal height) {
        // Qt scales to nothing for an empty target; skip its warning about a null source.
        if (image.isNull())
            return QImage();
        // Targets near the int limit stay there instead of overflowing on a dense screen.
        const auto pixels = [](qreal length) {
            const qreal rounded = std::round(length);
            if (rounded >= qreal(std::numeric_limits<int>::max()))
                return std::numeric_limits<int>::max();
            if (rounded <= qreal(std::numeric_limits<int>::min()))
                return std::numeric_limits<int>::min();
            return int(rounded);
        };
        QImage scaled = image.scaled(
            QSize(pixels(width), pixels(height)), Qt::KeepAspectRatio, Qt::FastTransformation);
        if (ratio != 1.0 || toDevice != 1.0)
            scaled.setDevicePixelRatio(ratio);
        return scaled;
    };

    switch (m_scale) {
    case eScaleToSize:
        m_image = fitInto(m_targetWidth * ratio, m_targetHeight * ratio);
        break;
    case eScaleToHeight:
        m_image = fitInto(image.width() * freeSide, m_targetHeight * ratio);
        break;
    case eScaleToWidth:
        m_image = fitInto(m_targetWidth * ratio, image.height() * freeSide);
        break;
    case eNoScale:
        m_image = image;
        break;
    }
    update();
}

void ImageViewer::setImage(sImage const& image)
{
    if (!image.data || image.width <= 0 || image.height <= 0) {
        setImage(QImage());
        return;
    }
    // Wraps the caller's pixels without copying them.
    setImage(QImage(reinterpret_cast<const uchar*>(image.data), image.width, image.height,
        QImage::Format_ARGB32));
}

void ImageViewer::setImage(sImage const& image, ImageViewer::eTypeScale mode, QSize const& size)
{
    switch (mode) {
    case eScaleToSize:
        setScaledTo(size.width(), size.height());
        break;
    case eScaleToHeight:
        setScaledToHeight(size.height());
        break;
    case eScaleToWidth:
        setScaledToWidth(size.width());
        break;
    default:
        break;
    }
    setImage(image);
}

QImage ImageViewer::getImage()
{
    return m_image;
}

void ImageViewer::removeImage()
{
    m_image = QImage();
}

void ImageViewer::addTransparent()
{
    setAutoFillBackground(true);
    forceStyles(QStringLiteral("checkers"));
}

void ImageViewer::forceStyles(QString const& type)
{
    m_styleType = type;
    ThemeRegistry::instance().restyle(this, true);
}

QString ImageViewer::getStyleType()
{
    return m_styleType;
}

void ImageViewer::paintEvent(QPaintEvent* e)
{
    QLabel::paintEvent(e);
    if (m_image.isNull())
        return;

    // In the widget's units: a picture of a higher ratio covers fewer of them than its pixels.
    const QSize shown = logicalSize(m_image);
    if (m_autoResize)
        setMinimumSize(shown);

    QPainter painter(this);
    painter.save();
    // A slack of a single pixel is not worth a half-pixel shift: draw from the edge.
    const int dx = width() - shown.width();
    const int dy = height() - shown.height();
    const int x = dx > 1 ? dx / 2 : 0;
    const int y = dy > 1 ? dy / 2 : 0;
    painter.drawImage(QPoint(x, y), m_image);
    painter.restore();
}
