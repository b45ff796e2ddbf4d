#include <corvane/ThumbnailsListItem.h>

#include "platform/Accessibility.h"
#include "platform/QtCompat_p.h"
#include "platform/ThemeRegistry.h"
#include "thumbnails/ThumbnailLabel.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

ThumbnailsListItem::ThumbnailsListItem(const QString& text, const QPixmap& pixmap, QWidget* parent)
    : QFrame(parent)
    , m_pixmap(pixmap)
{
    corvane::accessibility::installThumbnails();
    makeGui(text);
    connect(m_editor, &QLineEdit::editingFinished, this, &ThumbnailsListItem::editingFinished);
    connect(m_editor, &QLineEdit::textChanged, this,
        [this] { corvane::accessibility::entryRenamed(this); });
}

ThumbnailsListItem::~ThumbnailsListItem()
{
    // The editor may lose focus while the children are torn down; that ends nothing any more.
    m_editor->removeEventFilter(this);
    m_editor->disconnect(this);
}

void ThumbnailsListItem::makeGui(const QString& text)
{
    if (m_layout)
        return;

    m_layout = new QVBoxLayout;
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    m_thumbnail = new ThumbnailLabel;
    m_thumbnail->setScaledContents(true);
    m_thumbnail->setObjectName(QStringLiteral("image"));
    m_thumbnail->setPixmap(m_pixmap);

    m_editor = new QLineEdit(text);
    m_editor->setAttribute(Qt::WA_MacShowFocusRect, false);
    m_editor->setAttribute(Qt::WA_LayoutUsesWidgetRect);
    m_editor->setEnabled(false);
    m_editor->setFrame(false);
    m_editor->setAlignment(Qt::AlignLeft);
    // Qt 6's editingFinished() stays silent on a focus loss without a change; the edit must end
    // on every focus loss, so the item watches the editor itself.
    m_editor->installEventFilter(this);

    m_deleteButton = new QPushButton(QString());
    m_deleteButton->setAttribute(Qt::WA_LayoutUsesWidgetRect);
    m_deleteButton->hide();
    m_deleteButton->setObjectName(QStringLiteral("del"));

    auto* captionRow = new QHBoxLayout;
    captionRow->setContentsMargins(0, 0, 0, 0);
    captionRow->setSpacing(0);
    captionRow->addWidget(m_editor);
    captionRow->addWidget(m_deleteButton);

    m_layout->addWidget(m_thumbnail);
    m_layout->addLayout(captionRow);

    m_deleteButton->setFocusPolicy(Qt::NoFocus);
    m_thumbnail->setFocusPolicy(Qt::NoFocus);
    setFocusPolicy(Qt::StrongFocus);

    setLayout(m_layout);
    connect(m_deleteButton, &QPushButton::clicked, this, &ThumbnailsListItem::deleted);
    corvane::accessibility::nameByText(
        this, m_deleteButton, QT_TRANSLATE_NOOP("Corvane", "Delete"));
}

QString ThumbnailsListItem::getStyleType() const
{
    return m_styleType;
}

void ThumbnailsListItem::forceStyles(const QString& type)
{
    m_styleType = type;
    ThemeRegistry::instance().restyle(this, true);
}

void ThumbnailsListItem::applyStyleType(const QString& type)
{
    // A list restyles every entry on each selection change. Re-applying the very sheet this item
    // still carries for an unchanged variant looks the same and only costs a re-polish, which
    // adds up over hundreds of entries.
    const bool changed = type != m_styleType;
    m_styleType = type;
    ThemeRegistry::instance().restyle(this, changed);
}

void ThumbnailsListItem::setDefaultStyle()
{
    m_deleteButton->hide();
    applyStyleType(QStringLiteral("default"));
}

void ThumbnailsListItem::setActiveStyle()
{
    m_deleteButton->show();
    applyStyleType(QStringLiteral("active"));
}

ThumbnailLabel* ThumbnailsListItem::getThumbnailLabel() const
{
    return m_thumbnail;
}

bool ThumbnailsListItem::selected() const
{
    return m_selected;
}

void ThumbnailsListItem::setSelected(bool on)
{
    const bool changed = on != m_selected;
    m_selected = on;
    if (changed)
        corvane::accessibility::entrySelected(this);
    if (on) {
        setActiveStyle();
        setFocus(Qt::OtherFocusReason);
    } else {
        // Deselection ends an edit as the loss of the editor's focus does, whether or not the
        // editor held the focus at that moment.
        if (edited())
            editingFinished();
        setDefaultStyle();
        m_editor->setEnabled(false);
        m_editor->setCursorPosition(0);
    }
    setAutoFillBackground(true);
    m_editor->setCursorPosition(0);
}

bool ThumbnailsListItem::isDeselected() const
{
    return !m_selected && !edited() && m_styleType == QLatin1String("default")
        && m_deleteButton->isHidden() && m_editor->cursorPosition() == 0 && autoFillBackground();
}

bool ThumbnailsListItem::edited() const
{
    return m_editor->isEnabledTo(this);
}

bool ThumbnailsListItem::isEdited() const
{
    return edited();
}

void ThumbnailsListItem::enableEdit(bool on)
{
    m_editor->setEnabled(on);
    if (on) {
        m_editor->setFocus(Qt::OtherFocusReason);
        m_savedText = m_editor->text();
    } else {
        m_editor->setCursorPosition(0);
    }
}

void ThumbnailsListItem::enableEdit()
{
    enableEdit(true);
}

void ThumbnailsListItem::setTextSelected()
{
    m_editor->setSelection(0, m_editor->text().length());
}

void ThumbnailsListItem::revertText()
{
    // Taking the focus from the editor and disabling it must not end the edit with a report.
    const QScopedValueRollback<bool> reverting(m_reverting, true);
    setFocus(Qt::OtherFocusReason);
    m_editor->setText(m_savedText);
    m_editor->setEnabled(false);
    m_editor->setCursorPosition(0);
}

void ThumbnailsListItem::editingFinished()
{
    // Qt 5 also reports the focus loss that already ended the edit, and disabling a focused
    // editor moves the focus away: only an edit in progress ends, and only once.
    if (m_reverting || !edited())
        return;
    m_editor->setEnabled(false);
    m_editor->setCursorPosition(0);
    Q_EMIT editingText(m_editor->text());
}

void ThumbnailsListItem::setText(const QString& text)
{
    m_editor->setText(text);
}

QString ThumbnailsListItem::text() const
{
    return m_editor->text();
}

QRect ThumbnailsListItem::textRect() const
{
    return QRect(m_editor->mapToGlobal(QPoint(0, 0)), m_editor->size());
}

QRect ThumbnailsListItem::globalRect() const
{
    return QRect(mapToGlobal(QPoint(0, 0)), size());
}

QSize ThumbnailsListItem::sizeHint() const
{
    // The delete button sits beside the caption and adds no height.
    const QMargins margins = m_layout->contentsMargins();
    const int height = margins.top() + margins.bottom() + m_layout->spacing()
        + m_thumbnail->sizeHint().height() + m_editor->sizeHint().height();
    return QSize(width(), height);
}

void ThumbnailsListItem::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (textRect().contains(corvaneGlobalPos(e))) {
        enableEdit(true);
        setTextSelected();
        m_editor->setFocus(Qt::OtherFocusReason);
    } else {
        Q_EMIT activate();
    }
}

void ThumbnailsListItem::showEvent(QShowEvent* e)
{
    QFrame::showEvent(e);
    if (m_selected)
        setSelected(true);
    setAutoFillBackground(true);
}

bool ThumbnailsListItem::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == m_editor && e->type() == QEvent::FocusOut
        && static_cast<QFocusEvent*>(e)->reason() != Qt::PopupFocusReason) {
        // Runs before the editor's own handling, so a Qt 5 editingFinished() that follows finds
        // the edit already ended.
        editingFinished();
    }
    return QFrame::eventFilter(watched, e);
}
