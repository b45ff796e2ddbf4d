#include <corvane/TextField.h>

#include "controls/TitledRow.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>

TextField::TextField(QWidget* parent)
    : TextField(QString(), QString(), false, parent)
{ }

TextField::TextField(QString const& text, bool two_lines, QWidget* parent)
    : TextField(QString(), text, two_lines, parent)
{ }

TextField::TextField(QString const& title, QString const& text, bool two_lines, QWidget* parent)
    : QFrame(parent)
{
    createWidgets(title, text, two_lines);
    forceStyles(QStringLiteral("transp"));
}

TextField::~TextField() = default;

void TextField::createWidgets(QString const& title, QString const& text, bool two_lines)
{
    if (m_edit)
        return;
    m_row.reset(new TitledRow(this, title, two_lines));
    m_edit = new QLineEdit(text, this);
    m_row->addEditor(m_edit);
    connect(m_edit, &QLineEdit::textChanged, this, &TextField::textChanged);
    // Qt 6's QLineEdit::editingFinished() stays silent on a focus loss without a change, so
    // Return and focus loss are watched directly, the same way on Qt 5 and Qt 6.
    connect(m_edit, &QLineEdit::returnPressed, this, &TextField::onEditingFinished);
    connect(m_edit, &QLineEdit::textEdited, this, [this] { setMixed(false); });
}

bool TextField::eventFilter(QObject* obj, QEvent* e)
{
    if (e->type() == QEvent::FocusOut && obj == m_edit && qobject_cast<QLineEdit*>(obj)) {
        // Opening the editor's own context menu is not leaving the field.
        const auto* focusEvent = static_cast<QFocusEvent*>(e);
        const QWidget* popup = QApplication::activePopupWidget();
        if (focusEvent->reason() != Qt::PopupFocusReason || !popup
            || popup->parentWidget() != m_edit)
            onEditingFinished();
    }
    return QFrame::eventFilter(obj, e);
}

void TextField::onEditingFinished()
{
    // Untouched, a mixed field has nothing to report: its empty text stands for no value.
    if (m_row->isMixed())
        return;
    Q_EMIT editingFinished(m_edit->text());
}

void TextField::setTitle(QString const& title)
{
    m_row->setTitle(title);
}

void TextField::setText(QString const& text)
{
    m_row->setMixed(false);
    m_edit->setText(text);
}

QString TextField::text() const
{
    return m_edit->text();
}

void TextField::selectAll()
{
    m_edit->selectAll();
}

void TextField::setMixed(bool mixed)
{
    if (!m_row->setMixed(mixed) || !mixed)
        return;
    // Showing no value is no change of the text.
    const QSignalBlocker blocker(m_edit);
    m_edit->clear();
}

bool TextField::isMixed() const
{
    return m_row->isMixed();
}

QString TextField::getStyleType() const
{
    return m_row->styleType();
}

bool TextField::isTwoLines() const
{
    return m_row->isTwoLines();
}

void TextField::forceStyles(QString const& styleType)
{
    m_row->forceStyles(styleType);
}
