#pragma once

/// @file
/// ImageViewer and its plain pixel pictures, sImage.

#include <corvane/CorvaneExport.h>

#include <QImage>
#include <QLabel>

/// A picture handed over as plain 32-bit pixels (QImage::Format_ARGB32, rows without gaps).
/// The viewer does not copy them: the buffer must stay valid while it shows them unscaled.
struct sImage
{
    const quint32* data = nullptr; ///< The first pixel of the top row; null for no picture.
    int width = 0; ///< Pixels per row.
    int height = 0; ///< Rows.
};

/// A label that shows one picture centred, optionally scaled when it is set. Scaling keeps the
/// aspect ratio and applies to the pictures set after it is chosen; targets are in the widget's
/// units, and the picture is scaled to the device pixels they cover on its screen.
///
/// Theming: class `ImageViewer`, `style_type` empty, "checkers" after addTransparent(), or what
/// forceStyles() sets.
class CORVANE_WIDGETS_EXPORT ImageViewer : public QLabel
{
    Q_OBJECT
    /// The look for the style sheet: empty, "checkers", or what forceStyles() set.
    Q_PROPERTY(QString style_type READ getStyleType)
public:
    /// How a picture is scaled when it is set.
    enum eTypeScale {
        eScaleToWidth = 0, ///< Into the target width and the picture's own height.
        eScaleToHeight = 1, ///< Into the target height and the picture's own width.
        eScaleToSize = 2, ///< Into the target width and height.
        eNoScale = 3, ///< As it is; the default.
    };

    /// An empty viewer that does not scale.
    explicit ImageViewer(QWidget* parent = nullptr);

    /// Scales the pictures set from now on to `width`.
    void setScaledToWidth(int width);
    /// Scales the pictures set from now on to `height`.
    void setScaledToHeight(int height);
    /// Scales the pictures set from now on into `width` x `height`.
    void setScaledTo(int width, int height);
    /// Whether the viewer's minimum size follows the picture it paints.
    void setAutoResize(bool on);

    /// Shows `image`, scaled as chosen, and repaints.
    void setImage(QImage const& image);
    /// Shows the caller's pixels; a null or empty one shows nothing. Not copied when not scaled.
    void setImage(sImage const& image);
    /// Chooses the scaling `mode` with the target `size` (eNoScale keeps the current one), then
    /// shows `image`.
    void setImage(sImage const& image, ImageViewer::eTypeScale mode, QSize const& size);
    /// The picture as shown, after scaling.
    QImage getImage();
    /// Forgets the picture; the next repaint shows none.
    void removeImage();

    /// Fills the background from the theme, as `style_type` "checkers", for pictures with
    /// transparency.
    void addTransparent();
    /// Sets `style_type` to `type` and applies the theme again.
    void forceStyles(QString const& type);
    /// The `style_type` property.
    QString getStyleType();

protected:
    /// Paints the label, then the picture centred.
    void paintEvent(QPaintEvent* e) override;

private:
    QString m_styleType;
    QImage m_image;
    eTypeScale m_scale = eNoScale;
    bool m_autoResize = false;
    int m_targetHeight = 0;
    int m_targetWidth = 0;
};
