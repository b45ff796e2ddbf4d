#include "controls/TitledRow.h"

#include <corvane/Label.h>

#include "platform/Accessibility.h"
#include "platform/ThemeRegistry.h"
#include "platform/Utils_p.h"

#include <QBoxLayout>

namespace {

// Space between the title and the editor.
constexpr int TitleGap = 5;

} // namespace

TitledRow::TitledRow(QWidget* row, QString const& title, bool twoLines)
    : m_row(row)
    , m_layout(twoLines ? static_cast<QBoxLayout*>(new QVBoxLayout(row))
                        : static_cast<QBoxLayout*>(new QHBoxLayout(row)))
    , m_label(new Label(title, row))
    , m_twoLines(twoLines)
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(TitleGap);
    m_layout->addWidget(m_label);
}

TitledRow::~TitledRow()
{
    // The editor may still hold the focus; its focus-out during destruction is no edit.
    if (m_editor)
        m_editor->removeEventFilter(m_row);
}

void TitledRow::addEditor(QWidget* editor)
{
    editor->setAttribute(Qt::WA_MacShowFocusRect, false);
    editor->setObjectName(QStringLiteral("edit"));
    m_layout->addWidget(editor);
    editor->installEventFilter(m_row);
    m_editor = editor;
    corvane::accessibility::nameByTitle(m_row, editor, m_label);
}

void TitledRow::setTitle(QString const& title)
{
    m_label->setText(title);
    corvane::accessibility::refreshNames(m_row);
}

void TitledRow::forceStyles(QString const& styleType)
{
    m_styleType = styleType;
    ThemeRegistry::instance().restyle(m_row, true);
}

void TitledRow::polished()
{
    ThemeRegistry::instance().polished(m_row);
}
