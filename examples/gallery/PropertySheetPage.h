#pragma once

#include <QWidget>

class PropertyListWidget;
class QBoxLayout;
class QScrollArea;
class ShapePreview;
class ShapeSettings;

// A property sheet bound to a ShapeSettings object beside a live preview of the shape.
class PropertySheetPage : public QWidget
{
    Q_OBJECT
public:
    explicit PropertySheetPage(QWidget* parent = nullptr);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void onSettingsChanged();

    ShapeSettings* m_settings;
    PropertyListWidget* m_sheet;
    QScrollArea* m_scroll;
    ShapePreview* m_preview;
    QBoxLayout* m_layout;
    bool m_updating = false;
};
