#include "PropertySheetPage.h"

#include "ShapePreview.h"
#include "ShapeSettings.h"

#include <corvane/PropertyListWidget.h>

PropertySheetPage::PropertySheetPage(QWidget* parent)
    : SheetPage(parent)
    , m_settings(new ShapeSettings(this))
    , m_sheet(new PropertyListWidget(m_settings, m_settings))
    , m_preview(new ShapePreview(m_settings))
{
    m_preview->setObjectName(QStringLiteral("preview"));
    setContent(m_sheet, m_preview);

    // The sheet does not watch the object here: every edit comes back here, and the page
    // refreshes the sheet so that rows depending on other properties (enabled states) follow.
    connect(m_settings, &ShapeSettings::changed, this, &PropertySheetPage::onSettingsChanged);
}

void PropertySheetPage::onSettingsChanged()
{
    m_preview->update();
    if (m_updating)
        return;
    // A refresh may write back into the object (a plain-list combo does): no second round.
    m_updating = true;
    m_sheet->updateAll();
    m_updating = false;
}
