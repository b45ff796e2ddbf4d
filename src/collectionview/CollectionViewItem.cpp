#include <corvane/CollectionViewItem.h>

#include "platform/ThemeRegistry.h"

CollectionViewItem::CollectionViewItem(QWidget* parent)
    : QWidget(parent)
{ }

CollectionViewItem::~CollectionViewItem() = default;

void CollectionViewItem::setSelected(bool selected)
{
    if (selected == m_selected)
        return;
    m_selected = selected;
    update();
    // The theme selects cells on `selected`; without a copy of their own they are polished here.
    ThemeRegistry::instance().refreshLook(this);
    OnSelectionChanged(selected);
}

void CollectionViewItem::setIndex(const CollectionViewIndex& index)
{
    m_index = index;
}

void CollectionViewItem::OnSelectionChanged(bool) { }
