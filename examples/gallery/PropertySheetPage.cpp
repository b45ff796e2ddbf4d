#include "PropertySheetPage.h"

#include "ShapePreview.h"
#include "ShapeSettings.h"

#include <corvane/PropertyListWidget.h>

#include <QBoxLayout>
#include <QLineEdit>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>

namespace {
// Below this width the preview moves above the sheet.
constexpr int kStackedBelow = 700;
constexpr int kSheetWidth = 340;
} // namespace

PropertySheetPage::PropertySheetPage(QWidget* parent)
    : QWidget(parent)
    , m_settings(new ShapeSettings(this))
    , m_sheet(new PropertyListWidget(m_settings, m_settings))
    , m_filter(new QLineEdit)
    , m_scroll(new QScrollArea)
    , m_preview(new ShapePreview(m_settings))
    , m_layout(new QBoxLayout(QBoxLayout::LeftToRight, this))
{
    // Typing narrows the sheet to the rows whose label or property name contains the text.
    m_filter->setObjectName(QStringLiteral("sheetFilter"));
    m_filter->setPlaceholderText(tr("Filter properties"));
    m_filter->setClearButtonEnabled(true);
    connect(m_filter, &QLineEdit::textChanged, m_sheet, &PropertyListWidget::setFilter);

    m_scroll->setObjectName(QStringLiteral("sheetScroll"));
    m_scroll->setWidget(m_sheet);
    m_scroll->setWidgetResizable(true);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_preview->setObjectName(QStringLiteral("preview"));

    auto* column = new QVBoxLayout;
    column->setSpacing(6);
    column->addWidget(m_filter);
    column->addWidget(m_scroll);
    m_layout->setContentsMargins(12, 12, 12, 12);
    m_layout->setSpacing(12);
    m_layout->addLayout(column);
    m_layout->addWidget(m_preview, 1);
    // Side by side the page would be held wide; below kStackedBelow the preview goes on top.
    setMinimumWidth(320);

    // The sheet never watches the object: every edit comes back here, and the page refreshes
    // the sheet so that rows depending on other properties (enabled states) follow.
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

void PropertySheetPage::resizeEvent(QResizeEvent* event)
{
    const bool stacked = event->size().width() < kStackedBelow;
    if (stacked) {
        m_layout->setDirection(QBoxLayout::BottomToTop);
        m_scroll->setMinimumWidth(0);
        m_scroll->setMaximumWidth(QWIDGETSIZE_MAX);
        m_preview->setMaximumHeight(220);
    } else {
        m_layout->setDirection(QBoxLayout::LeftToRight);
        // The page's own minimum width, not this one, decides how far the window shrinks.
        m_scroll->setFixedWidth(kSheetWidth + m_scroll->verticalScrollBar()->sizeHint().width());
        m_preview->setMaximumHeight(QWIDGETSIZE_MAX);
    }
    QWidget::resizeEvent(event);
}
