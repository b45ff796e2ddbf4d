#pragma once

#include <QWidget>

class PropertyListWidget;
class QBoxLayout;
class QLineEdit;
class QScrollArea;
class ShapePreview;
class ShapeSettings;

// A property sheet bound to a ShapeSettings object beside a live preview of the shape, with a box
// that filters its rows.
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
    QLineEdit* m_filter;
    QScrollArea* m_scroll;
    ShapePreview* m_preview;
    QBoxLayout* m_layout;
    bool m_updating = false;
};
