#pragma once

#include "SheetPage.h"

#include <QList>

class PropertyListWidget;
class QCheckBox;
class ShapeSettings;

// One property sheet bound to several shapes at once. Rows on which the chosen shapes agree show
// their value, the others a mixed state; an edit changes every chosen shape and is undone in one
// step. The sheet follows the shapes by itself (live refresh).
class SeveralShapesPage : public SheetPage
{
    Q_OBJECT
public:
    explicit SeveralShapesPage(QWidget* parent = nullptr);

private:
    void onChosenChanged();

    QList<ShapeSettings*> m_shapes;
    QList<QCheckBox*> m_chosen;
    PropertyListWidget* m_sheet;
};
