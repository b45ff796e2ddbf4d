#pragma once

#include "SheetPage.h"

class PropertyListWidget;
class ShapePreview;
class ShapeSettings;

// A property sheet bound to a ShapeSettings object beside a live preview of the shape.
class PropertySheetPage : public SheetPage
{
    Q_OBJECT
public:
    explicit PropertySheetPage(QWidget* parent = nullptr);

private:
    void onSettingsChanged();

    ShapeSettings* m_settings;
    PropertyListWidget* m_sheet;
    ShapePreview* m_preview;
    bool m_updating = false;
};
