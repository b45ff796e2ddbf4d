#pragma once

#include <QPointer>
#include <QWidget>

class ShapeSettings;

// Paints the shape that a ShapeSettings object describes.
class ShapePreview : public QWidget
{
    Q_OBJECT
public:
    explicit ShapePreview(ShapeSettings* settings, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPointer<ShapeSettings> m_settings;
};
