#include <corvane/CollectionViewItem.h>

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
    OnSelectionChanged(selected);
}

void CollectionViewItem::setIndex(const CollectionViewIndex& index)
{
    m_index = index;
}

void CollectionViewItem::OnSelectionChanged(bool) { }
