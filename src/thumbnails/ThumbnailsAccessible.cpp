// A thumbnails list is a list whose children are its entries, in order; an entry is a list item
// named by its caption, selected while it is the list's current one.

#include <corvane/ThumbnailsList.h>
#include <corvane/ThumbnailsListItem.h>

#include "platform/Accessibility.h"

namespace {

ThumbnailsList* listOf(QWidget* entry)
{
    // The entries sit in a frame inside the list's scroll area.
    for (QWidget* w = entry->parentWidget(); w; w = w->parentWidget()) {
        if (auto* list = qobject_cast<ThumbnailsList*>(w))
            return list;
    }
    return nullptr;
}

class ThumbnailsListAccessible : public QAccessibleWidget
{
public:
    explicit ThumbnailsListAccessible(QWidget* list)
        : QAccessibleWidget(list, QAccessible::List)
    { }

    int childCount() const override { return list()->count(); }
    QAccessibleInterface* child(int index) const override
    {
        ThumbnailsListItem* entry = list()->getItem(index);
        return entry ? QAccessible::queryAccessibleInterface(entry) : nullptr;
    }
    int indexOfChild(QAccessibleInterface const* child) const override
    {
        for (int i = 0; child && i < list()->count(); ++i) {
            if (list()->getItem(i) == child->object())
                return i;
        }
        return -1;
    }

private:
    ThumbnailsList* list() const { return static_cast<ThumbnailsList*>(widget()); }
};

class ThumbnailAccessible : public QAccessibleWidget
{
public:
    explicit ThumbnailAccessible(QWidget* entry)
        : QAccessibleWidget(entry, QAccessible::ListItem)
    { }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return entry()->text();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.selectable = true;
        s.selected = entry()->selected();
        return s;
    }
    QAccessibleInterface* parent() const override
    {
        ThumbnailsList* list = listOf(widget());
        return list ? QAccessible::queryAccessibleInterface(list) : QAccessibleWidget::parent();
    }

private:
    ThumbnailsListItem* entry() const { return static_cast<ThumbnailsListItem*>(widget()); }
};

QAccessibleInterface* thumbnailsFactory(QString const& className, QObject* object)
{
    if (!object->isWidgetType())
        return nullptr;
    if (className == QLatin1String("ThumbnailsList"))
        return new ThumbnailsListAccessible(static_cast<QWidget*>(object));
    if (className == QLatin1String("ThumbnailsListItem"))
        return new ThumbnailAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

} // namespace

void corvane::accessibility::installThumbnails()
{
    static const bool installed = (QAccessible::installFactory(&thumbnailsFactory), true);
    Q_UNUSED(installed)
}

void corvane::accessibility::entryRenamed(ThumbnailsListItem* entry)
{
    if (!entry->accessibleName().isEmpty())
        return;
    QAccessibleEvent renamed(entry, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
}

void corvane::accessibility::entrySelected(ThumbnailsListItem* entry)
{
    QAccessible::State selected;
    selected.selected = true;
    QAccessibleStateChangeEvent change(entry, selected);
    QAccessible::updateAccessibility(&change);
    // Qt reports the focus when it moves to the new current entry; one that has it already
    // becomes current without such a move.
    if (entry->selected() && entry->hasFocus()) {
        QAccessibleEvent focus(entry, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}
