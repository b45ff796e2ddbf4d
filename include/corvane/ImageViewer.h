#pragma once

#include <corvane/CorvaneExport.h>

#include <QImage>
#include <QLabel>

// A picture handed over as plain 32-bit pixels (QImage::Format_ARGB32, rows without gaps).
// The viewer does not copy them: the buffer must stay valid while it shows them unscaled.
struct sImage
{
    const quint32* data = nullptr;
    int width = 0;
    int height = 0;
};

// A label that shows one picture centred, optionally scaled when it is set.
class CORVANE_WIDGETS_EXPORT ImageViewer : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QString style_type READ getStyleType)
public:
    enum eTypeScale {
        eScaleToWidth = 0,
        eScaleToHeight = 1,
        eScaleToSize = 2,
        eNoScale = 3,
    };

    explicit ImageViewer(QWidget* parent = nullptr);

    void setScaledToWidth(int width);
    void setScaledToHeight(int height);
    void setScaledTo(int width, int height);
    void setAutoResize(bool on);

    void setImage(QImage const& image);
    void setImage(sImage const& image);
    void setImage(sImage const& image, ImageViewer::eTypeScale mode, QSize const& size);
    QImage getImage();
    void removeImage();

    void addTransparent();
    void forceStyles(QString const& type);
    QString getStyleType();

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QString m_styleType;
    QImage m_image;
    eTypeScale m_scale = eNoScale;
    bool m_autoResize = false;
    int m_targetHeight = 0;
    int m_targetWidth = 0;
};
