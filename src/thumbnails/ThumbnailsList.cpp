#include <corvane/ThumbnailsList.h>

#include <corvane/ThumbnailsListItem.h>

#include "platform/Accessibility.h"
#include "platform/QtCompat_p.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

// Vertical space between two entries.
constexpr int EntrySpacing = 10;

} // namespace

ThumbnailsList::ThumbnailsList(QWidget* parent)
    : QFrame(parent)
{
    corvane::accessibility::installThumbnails();
    makeGui();
    m_scrollArea->installEventFilter(this);
    installEventFilter(this);
}

ThumbnailsList::~ThumbnailsList()
{
    // Entries die with the list's children, after this object has stopped being a list; they
    // must not call back into it on the way.
    for (int i = 0; i < count(); ++i) {
        if (ThumbnailsListItem* entry = getItem(i)) {
            entry->removeEventFilter(this);
            entry->disconnect(this);
        }
    }
    m_scrollArea->removeEventFilter(this);
}

void ThumbnailsList::makeGui()
{
    if (m_itemsLayout)
        return;

    auto* content = new QFrame(this);
    content->setObjectName(QStringLiteral("content"));
    content->setFocusPolicy(Qt::NoFocus);

    m_itemsLayout = new QVBoxLayout(content);
    m_itemsLayout->setContentsMargins(0, 0, 0, 0);
    m_itemsLayout->setSpacing(EntrySpacing);
    m_itemsLayout->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    m_scrollArea = new QScrollArea(this);
    m_scrollArea->setWidget(content);
    m_scrollArea->setWidgetResizable(true);
    m_scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_scrollArea->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    m_scrollArea->setFrameStyle(0);
    m_scrollArea->setFocusPolicy(Qt::NoFocus);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    layout->addWidget(m_scrollArea);
}

int ThumbnailsList::count() const
{
    return m_itemsLayout->count();
}

int ThumbnailsList::currentIndex() const
{
    return m_current;
}

ThumbnailsListItem* ThumbnailsList::current() const
{
    return getItem(m_current);
}

ThumbnailsListItem* ThumbnailsList::getItem(int index) const
{
    if (index < 0 || index >= count())
        return nullptr;
    QLayoutItem* item = m_itemsLayout->itemAt(index);
    return item ? qobject_cast<ThumbnailsListItem*>(item->widget()) : nullptr;
}

void ThumbnailsList::addItem(const QPixmap& pixmap, const QString& text)
{
    insertItem(count(), pixmap, text, true);
}

void ThumbnailsList::insertItem(int index, const QPixmap& pixmap, const QString& text, bool select)
{
    auto* entry = new ThumbnailsListItem(text, pixmap, this);
    connect(entry, &ThumbnailsListItem::activate, this, &ThumbnailsList::activate);
    connect(entry, &ThumbnailsListItem::editingText, this, &ThumbnailsList::fireRenameItem);
    connect(entry, &ThumbnailsListItem::deleted, this, &ThumbnailsList::deleted);
    connect(entry, &ThumbnailsListItem::focusChanged, this, &ThumbnailsList::indexChanged);

    // QBoxLayout appends for a negative index; anything past the end appends as well.
    m_itemsLayout->insertWidget(index < 0 || index > count() ? count() : index, entry);
    entry->setFocus(Qt::OtherFocusReason);
    entry->installEventFilter(this);

    m_itemsLayout->activate();
    QCoreApplication::processEvents();

    if (select) {
        setSelected(entry);
        Q_EMIT selectionChanged();
    }
    ensureVisible(entry);
}

bool ThumbnailsList::removeItem(int index)
{
    ThumbnailsListItem* entry = getItem(index);
    if (!entry)
        return count() > 0;

    entry->removeEventFilter(this);
    entry->disconnect(this);
    entry->setParent(nullptr);
    entry->deleteLater();

    if (index < count())
        setSelected(getItem(index));
    else if (index >= 1)
        setSelected(getItem(index - 1));
    else
        m_current = -1; // nothing left to be current; currentActivate() stays silent

    ensureVisible(current());
    return count() > 0;
}

void ThumbnailsList::setSelected(QWidget* entry)
{
    if (!entry)
        return;
    const int selectedIndex = m_itemsLayout->indexOf(entry);
    if (selectedIndex < 0)
        return;
    for (int p = 0; p < count(); ++p) {
        ThumbnailsListItem* item = getItem(p);
        if (!item)
            continue;
        if (p == selectedIndex) {
            item->setSelected(true);
            m_current = selectedIndex;
        } else if (!item->isDeselected()) {
            // Deselecting an entry that shows nothing else would change nothing; skipping it
            // keeps a selection change from touching every entry of a long list.
            item->setSelected(false);
        }
    }
}

void ThumbnailsList::setSelected(int index)
{
    m_current = index;
}

void ThumbnailsList::setSelected(const QPoint& globalPos)
{
    setSelected(findSelecting(globalPos));
}

ThumbnailsListItem* ThumbnailsList::findSelecting(const QPoint& globalPos) const
{
    for (int i = 0; i < count(); ++i) {
        ThumbnailsListItem* entry = getItem(i);
        if (entry && entry->globalRect().contains(globalPos))
            return entry;
    }
    return nullptr;
}

void ThumbnailsList::initRename(int index)
{
    ThumbnailsListItem* entry = getItem(index);
    if (!entry)
        return;
    entry->enableEdit(true);
    entry->setTextSelected();
    ensureVisible(entry);
}

void ThumbnailsList::renameItem(int index, const QString& text)
{
    if (ThumbnailsListItem* entry = getItem(index))
        entry->setText(text);
}

void ThumbnailsList::currentActivate()
{
    if (m_current >= 0)
        Q_EMIT activateItem(m_current);
}

void ThumbnailsList::clickTimeOut()
{
    // Clicks act on the press and Qt recognises double clicks; there is no timing to end.
}

void ThumbnailsList::fireRenameItem(const QString& text)
{
    Q_EMIT renameItem(text);
}

void ThumbnailsList::activate()
{
    currentActivate();
}

void ThumbnailsList::indexChanged(QWidget* entry)
{
    const int index = entry ? m_itemsLayout->indexOf(entry) : -1;
    if (index >= 0)
        m_current = index;
}

void ThumbnailsList::ensureVisible(QWidget* entry)
{
    if (entry)
        m_scrollArea->ensureWidgetVisible(entry, 0, 0);
}

void ThumbnailsList::moveSelection(ThumbnailsListItem* from, int index)
{
    from->setSelected(false);
    ThumbnailsListItem* to = getItem(index);
    setSelected(to);
    ensureVisible(to);
}

bool ThumbnailsList::handleKeyPress(ThumbnailsListItem* entry, int key)
{
    switch (key) {
    case Qt::Key_F2:
        entry->enableEdit(true);
        entry->setTextSelected();
        ensureVisible(entry);
        return true;
    case Qt::Key_Up:
        if (!entry->edited() && m_current >= 1)
            moveSelection(entry, m_current - 1);
        return true;
    case Qt::Key_Down:
        if (!entry->edited() && m_current < count() - 1)
            moveSelection(entry, m_current + 1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (entry->edited()) {
            entry->setFocus(Qt::OtherFocusReason);
            entry->editingFinished();
        } else {
            Q_EMIT activateItem(m_current);
        }
        ensureVisible(entry);
        return true;
    case Qt::Key_Escape:
        if (entry->edited())
            entry->revertText();
        ensureVisible(entry);
        return true;
    case Qt::Key_Tab:
        setSelected(getItem(m_current >= count() - 1 ? 0 : m_current + 1));
        return true;
    default:
        return false;
    }
}

bool ThumbnailsList::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_Delete)
            break;
        // Taking the override keeps any Delete shortcut of the host from firing.
        if (count() > 0)
            Q_EMIT deleted();
        event->accept();
        return true;
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            ThumbnailsListItem* entry = findSelecting(corvaneGlobalPos(mouse));
            if (entry && !entry->edited()) {
                setSelected(entry);
                Q_EMIT selectionChanged();
            }
        }
        // Swallowed whole: no parent gets to handle the press either.
        event->accept();
        return true;
    }
    case QEvent::KeyPress:
        if (ThumbnailsListItem* entry = current())
            return handleKeyPress(entry, static_cast<QKeyEvent*>(event)->key());
        break;
    default:
        break;
    }
    return QFrame::eventFilter(watched, event);
}
