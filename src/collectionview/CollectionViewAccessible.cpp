#include "collectionview/CollectionViewAccessible.h"

#include "collectionview/CollectionView_private.h"

#include <corvane/CollectionView.h>

#include <QCoreApplication>

#include <climits>

namespace {

CollectionViewAccessible::Observer s_observer = nullptr;

QAccessibleInterface* describe(const QString& className, QObject* object)
{
    if (className == QLatin1String("CollectionView")) {
        if (auto* view = qobject_cast<CollectionView*>(object))
            return new CollectionViewAccessible(view);
    }
    return nullptr;
}

NewInnerWidget* innerOf(const CollectionView* view)
{
    return view ? dynamic_cast<NewInnerWidget*>(view->widget()) : nullptr;
}

// The child number of a valid index, or -1 past what an int counts.
int childNumber(const NewInnerWidget* inner, const CollectionViewIndex& index)
{
    if (!inner || !inner->IsValid(index))
        return -1;
    const quint64 ordinal = inner->grid().ordinal(index);
    return ordinal < quint64(INT_MAX) ? static_cast<int>(ordinal) : -1;
}

} // namespace

CollectionViewAccessible::CollectionViewAccessible(CollectionView* view)
    : QAccessibleWidget(view, QAccessible::List)
{ }

CollectionViewAccessible::~CollectionViewAccessible()
{
    for (const auto& entry : m_items)
        QAccessible::deleteAccessibleInterface(entry.second);
}

void CollectionViewAccessible::install()
{
    static const bool installed = (QAccessible::installFactory(describe), true);
    Q_UNUSED(installed);
}

bool CollectionViewAccessible::isActive()
{
    return s_observer || QAccessible::isActive();
}

void CollectionViewAccessible::notify(
    CollectionView* view, QAccessible::Event event, const CollectionViewIndex& item)
{
    QAccessibleEvent e(view, event);
    e.setChild(childNumber(innerOf(view), item));
    if (s_observer)
        s_observer(&e);
    else
        QAccessible::updateAccessibility(&e);
}

void CollectionViewAccessible::setObserver(Observer observer)
{
    s_observer = observer;
}

CollectionView* CollectionViewAccessible::view() const
{
    return static_cast<CollectionView*>(widget());
}

NewInnerWidget* CollectionViewAccessible::inner() const
{
    return innerOf(view());
}

int CollectionViewAccessible::childCount() const
{
    const NewInnerWidget* in = inner();
    return in ? static_cast<int>(std::min<quint64>(in->grid().itemTotal(), INT_MAX)) : 0;
}

QAccessibleInterface* CollectionViewAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    return item(inner()->grid().indexOfOrdinal(quint64(index)));
}

QAccessibleInterface* CollectionViewAccessible::item(const CollectionViewIndex& index) const
{
    if (childNumber(inner(), index) < 0)
        return nullptr;
    auto known = m_items.find(index);
    if (known == m_items.end()) {
        auto* made = new CollectionItemAccessible(view(), index);
        known = m_items.emplace(index, QAccessible::registerAccessibleInterface(made)).first;
    }
    return QAccessible::accessibleInterface(known->second);
}

int CollectionViewAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    const auto* item = dynamic_cast<const CollectionItemAccessible*>(child);
    return item && item->view() == view() ? childNumber(inner(), item->index()) : -1;
}

QAccessibleInterface* CollectionViewAccessible::childAt(int x, int y) const
{
    const NewInnerWidget* in = inner();
    const QPoint global(x, y);
    if (!in || !view()->viewport()->rect().contains(view()->viewport()->mapFromGlobal(global)))
        return nullptr;
    return item(in->indexAt(in->mapFromGlobal(global)));
}

QAccessibleInterface* CollectionViewAccessible::focusChild() const
{
    const NewInnerWidget* in = inner();
    return in && view()->hasFocus() ? item(in->anchor()) : nullptr;
}

QAccessible::State CollectionViewAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    if (view()->selectionType() == CollectionViewSelectionMultiple)
        s.multiSelectable = s.extSelectable = true;
    return s;
}

CollectionItemAccessible::CollectionItemAccessible(
    CollectionView* view, const CollectionViewIndex& index)
    : m_view(view)
    , m_index(index)
{ }

NewInnerWidget* CollectionItemAccessible::inner() const
{
    return innerOf(m_view);
}

bool CollectionItemAccessible::isValid() const
{
    return childNumber(inner(), m_index) >= 0;
}

QWindow* CollectionItemAccessible::window() const
{
    return m_view ? m_view->window()->windowHandle() : nullptr;
}

QAccessibleInterface* CollectionItemAccessible::parent() const
{
    return m_view ? QAccessible::queryAccessibleInterface(m_view) : nullptr;
}

QString CollectionItemAccessible::text(QAccessible::Text t) const
{
    NewInnerWidget* in = inner();
    if (t != QAccessible::Name || !isValid())
        return QString();
    ICollectionViewDelegate* delegate = in->delegate();
    return delegate ? delegate->accessibleName(*m_view, m_index) : defaultName(*m_view, m_index);
}

QRect CollectionItemAccessible::rect() const
{
    const NewInnerWidget* in = inner();
    if (!isValid())
        return QRect();
    const QRect r = in->itemRect(m_index);
    return QRect(in->mapToGlobal(r.topLeft()), r.size());
}

QString CollectionItemAccessible::defaultName(
    CollectionView& view, const CollectionViewIndex& index)
{
    if (const NewInnerWidget* in = innerOf(&view)) {
        if (const CollectionViewItem* cell = in->placedItem(index)) {
            if (!cell->accessibleName().isEmpty())
                return cell->accessibleName();
        }
    }
    return QCoreApplication::translate("Corvane", "Group %1, item %2")
        .arg(quint64(index.group) + 1)
        .arg(quint64(index.item) + 1);
}

QAccessible::State CollectionItemAccessible::state() const
{
    QAccessible::State s;
    const NewInnerWidget* in = inner();
    if (!isValid()) {
        s.invalid = true;
        return s;
    }
    s.selectable = m_view->selectionType() != CollectionViewSelectionNone;
    s.selected = in->selectionState().contains(m_index);
    s.focusable = true;
    s.focused = m_view->hasFocus() && in->anchor() == m_index;
    const QRect shown(in->mapFrom(m_view->viewport(), QPoint()), m_view->viewport()->size());
    s.offscreen = !in->itemRect(m_index).intersects(shown);
    return s;
}
