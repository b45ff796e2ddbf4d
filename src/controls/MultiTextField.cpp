#include <corvane/Label.h>
#include <corvane/MultiTextField.h>

#include "controls/TitledRow.h"
#include "platform/Utils_p.h"

#include <QBoxLayout>
#include <QEvent>
#include <QTextEdit>

MultiTextField::MultiTextField(
    QString const& title, QString const& text, bool two_lines, QWidget* parent)
    : QFrame(parent)
    , m_twoLines(two_lines)
{
    createWidgets(title, text, two_lines);
    forceStyles(QStringLiteral("transp"));
}

MultiTextField::~MultiTextField()
{
    // The editor may still hold the focus; its focus-out during destruction is no edit.
    if (m_edit)
        m_edit->removeEventFilter(this);
}

void MultiTextField::createWidgets(QString const& title, QString const& text, bool two_lines)
{
    if (m_edit)
        return;

    QBoxLayout* layout = makeTitledRow(this, title, two_lines, &m_label);

    m_edit = new QTextEdit;
    m_edit->setPlainText(text);
    m_edit->setAcceptRichText(false);
    m_edit->setAttribute(Qt::WA_MacShowFocusRect, false);
    m_edit->setObjectName(QStringLiteral("edit"));
    m_edit->setTabChangesFocus(true);
    layout->addWidget(m_edit);

    m_edit->installEventFilter(this);
}

bool MultiTextField::eventFilter(QObject* obj, QEvent* e)
{
    // The cast fails while the editor is being torn down, when it is no QTextEdit any more.
    if (e->type() == QEvent::FocusOut && obj == m_edit && qobject_cast<QTextEdit*>(obj))
        onEditingFinished();
    return false;
}

void MultiTextField::onEditingFinished()
{
    Q_EMIT editingFinished(m_edit->document()->toPlainText());
}

void MultiTextField::setTitle(QString const& title)
{
    m_label->setText(title);
}

void MultiTextField::setText(QString const& text)
{
    m_edit->setPlainText(text);
}

QString MultiTextField::getStyleType() const
{
    return m_styleType;
}

bool MultiTextField::isTwoLines() const
{
    return m_twoLines;
}

void MultiTextField::forceStyles(QString const& styleType)
{
    m_styleType = styleType;
    ::forceStyles(this);
}
