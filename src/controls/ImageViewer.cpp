#include <corvane/ImageViewer.h>

#include "platform/ThemeRegistry.h"

#include <QPainter>

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

void ImageViewer::setImage(QImage const& image)
{
    const auto fitInto = [&image](int width, int height) {
        // Qt scales to nothing for an empty target; skip its warning about a null source.
        if (image.isNull())
            return QImage();
        return image.scaled(QSize(width, height), Qt::KeepAspectRatio, Qt::FastTransformation);
    };

    switch (m_scale) {
    case eScaleToSize:
        m_image = fitInto(m_targetWidth, m_targetHeight);
        break;
    case eScaleToHeight:
        m_image = fitInto(image.width(), m_targetHeight);
        break;
    case eScaleToWidth:
        m_image = fitInto(m_targetWidth, image.height());
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

    if (m_autoResize)
        setMinimumSize(m_image.size());

    QPainter painter(this);
    painter.save();
    // A slack of a single pixel is not worth a half-pixel shift: draw from the edge.
    const int dx = width() - m_image.width();
    const int dy = height() - m_image.height();
    const int x = dx > 1 ? dx / 2 : 0;
    const int y = dy > 1 ? dy / 2 : 0;
    painter.drawImage(QPoint(x, y), m_image);
    painter.restore();
}
