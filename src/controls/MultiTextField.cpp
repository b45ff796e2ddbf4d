#include <corvane/MultiTextField.h>

#include "controls/TitledRow.h"

#include <QEvent>
#include <QTextEdit>

MultiTextField::MultiTextField(
    QString const& title, QString const& text, bool two_lines, QWidget* parent)
    : QFrame(parent)
{
    createWidgets(title, text, two_lines);
    forceStyles(QStringLiteral("transp"));
}

MultiTextField::~MultiTextField() = default;

void MultiTextField::createWidgets(QString const& title, QString const& text, bool two_lines)
{
    if (m_edit)
        return;
    m_row.reset(new TitledRow(this, title, two_lines));
    m_edit = new QTextEdit;
    m_edit->setPlainText(text);
    m_edit->setAcceptRichText(false);
    m_edit->setTabChangesFocus(true);
    m_row->addEditor(m_edit);
    // The field's own changes of the text are made with the editor's signals blocked: whatever
    // still arrives here was typed, pasted or dropped.
    connect(m_edit, &QTextEdit::textChanged, this, [this] { setMixed(false); });
}

bool MultiTextField::eventFilter(QObject* obj, QEvent* e)
{
    // Unlike a single-line field, leaving the editor is the only commit: Return is a line break.
    // The cast fails while the editor is being torn down, when it is no QTextEdit any more.
    if (e->type() == QEvent::FocusOut && obj == m_edit && qobject_cast<QTextEdit*>(obj))
        onEditingFinished();
    return false;
}

void MultiTextField::onEditingFinished()
{
    if (m_row->isMixed())
        return;
    Q_EMIT editingFinished(m_edit->document()->toPlainText());
}

void MultiTextField::setTitle(QString const& title)
{
    m_row->setTitle(title);
}

void MultiTextField::setText(QString const& text)
{
    m_row->setMixed(false);
    m_edit->setPlainText(text);
}

void MultiTextField::setMixed(bool mixed)
{
    if (!m_row->setMixed(mixed) || !mixed)
        return;
    const QSignalBlocker blocker(m_edit);
    m_edit->clear();
}

bool MultiTextField::isMixed() const
{
    return m_row->isMixed();
}

QString MultiTextField::getStyleType() const
{
    return m_row->styleType();
}

bool MultiTextField::isTwoLines() const
{
    return m_row->isTwoLines();
}

void MultiTextField::forceStyles(QString const& styleType)
{
    m_row->forceStyles(styleType);
}
