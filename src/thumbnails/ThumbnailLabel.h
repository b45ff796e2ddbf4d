#pragma once

#include <corvane/CorvaneExport.h>

#include <QLabel>

// Paints a picture scaled to its own width with a one-pixel border, and takes the height the
// scaled picture needs. The picture is scaled to the screen's device pixels. A picture more than
// MaxAspect times as tall as it is wide is cropped: the label shows its top part, MaxAspect times
// the width tall, drawn straight from the picture without a scaled copy.
class CORVANE_AUTOTEST_EXPORT ThumbnailLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ThumbnailLabel(QWidget* parent = nullptr);

    static constexpr int MaxAspect = 4;

    // Keeps the address, not a copy: the pixmap must outlive the label. Does not repaint.
    void setPixmap(const QPixmap& pixmap);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    const QPixmap* m_pixmap = nullptr;
};
