#include "SheetPage.h"

#include <corvane/PropertyListWidget.h>
#include <corvane/PropertySheetUndo.h>

#include <QAction>
#include <QBoxLayout>
#include <QLineEdit>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QUndoStack>

namespace {
// Below this width the preview moves above the sheet.
constexpr int kStackedBelow = 700;
constexpr int kSheetWidth = 340;
} // namespace

SheetPage::SheetPage(QWidget* parent)
    : QWidget(parent)
    , m_undoStack(new QUndoStack(this))
    , m_layout(new QBoxLayout(QBoxLayout::LeftToRight, this))
{
    m_layout->setContentsMargins(12, 12, 12, 12);
    m_layout->setSpacing(12);
    // Side by side the page would be held wide; below kStackedBelow the preview goes on top.
    setMinimumWidth(320);
}

void SheetPage::setContent(PropertyListWidget* sheet, QWidget* preview)
{
    new PropertySheetUndo(sheet, m_undoStack);

    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("sheetScroll"));
    scroll->setWidget(sheet);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    const auto addButton = [&](QAction* action, QKeySequence const& keys) {
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
        auto* button = new QToolButton;
        button->setDefaultAction(action);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        buttons->addWidget(button);
    };
    addButton(m_undoStack->createUndoAction(this, tr("Undo")), QKeySequence(tr("Ctrl+Z")));
    addButton(m_undoStack->createRedoAction(this, tr("Redo")), QKeySequence(tr("Ctrl+Shift+Z")));
    buttons->addStretch();

    // Typing narrows the sheet to the rows whose label or property name contains the text.
    auto* filter = new QLineEdit;
    filter->setObjectName(QStringLiteral("sheetFilter"));
    filter->setPlaceholderText(tr("Filter properties"));
    filter->setClearButtonEnabled(true);
    connect(filter, &QLineEdit::textChanged, sheet, &PropertyListWidget::setFilter);

    m_column = new QWidget;
    m_column->setObjectName(QStringLiteral("sheetColumn"));
    auto* column = new QVBoxLayout(m_column);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    column->addLayout(buttons);
    column->addWidget(filter);
    column->addWidget(scroll, 1);

    m_preview = preview;
    m_layout->addWidget(m_column);
    m_layout->addWidget(m_preview, 1);
}

void SheetPage::resizeEvent(QResizeEvent* event)
{
    if (!m_column) {
        QWidget::resizeEvent(event);
        return;
    }
    const bool stacked = event->size().width() < kStackedBelow;
    if (stacked) {
        m_layout->setDirection(QBoxLayout::BottomToTop);
        m_column->setMinimumWidth(0);
        m_column->setMaximumWidth(QWIDGETSIZE_MAX);
        m_preview->setMaximumHeight(220);
    } else {
        m_layout->setDirection(QBoxLayout::LeftToRight);
        // The page's own minimum width, not this one, decides how far the window shrinks.
        const int scrollBar
            = m_column->findChild<QScrollArea*>()->verticalScrollBar()->sizeHint().width();
        m_column->setFixedWidth(kSheetWidth + scrollBar);
        m_preview->setMaximumHeight(QWIDGETSIZE_MAX);
    }
    QWidget::resizeEvent(event);
}
