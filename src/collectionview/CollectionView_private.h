#pragma once

#include <corvane/CollectionView.h>
#include <corvane/CorvaneExport.h>

#include "collectionview/CollectionGrid.h"
#include "collectionview/CollectionSelection.h"

#include <QFrame>
#include <QPointer>

#include <map>
#include <set>
#include <vector>

// The content widget of a CollectionView: lays out the cells in view, recycles the rest and
// handles selection, drag start and keyboard navigation. It watches mouse events on itself and
// on every placed cell through an event filter.
//
// The widget is sized to the content but at most CollectionGrid::MaxExtent pixels, so widget
// and content coordinates coincide: content below that line exists in the grid's arithmetic
// but cannot be scrolled to.
class CORVANE_AUTOTEST_EXPORT NewInnerWidget : public QFrame
{
public:
    NewInnerWidget(ICollectionViewDelegate* delegate, const QSize& itemSize, int horizontalSpacing,
        int verticalSpacing, int headerHeight, unsigned long fixedColumns, bool centerItems,
        int margin, CollectionView& owner);
    ~NewInnerWidget() override;

    QSize sizeHint() const override;

    // The y of the first cell row of a group.
    int ComputeGroupTop(unsigned long group) const;
    const CollectionGrid& grid() const { return m_grid; }
    CollectionViewIndex anchor() const { return m_selection.anchor(); }

    void updateItems(bool scrollOnly);
    void reload();
    CollectionViewItem* dequeueItem();
    QWidget* dequeueHeader();
    std::vector<CollectionViewItem*> visibleItems() const { return m_visibleItemList; }
    void scrollTo(const CollectionViewIndex& index);

    const std::set<CollectionViewIndex>& selection() const { return m_selection.indices(); }
    void setSelection(const std::set<CollectionViewIndex>& selection);
    CollectionViewSelectionType selectionType() const { return m_selectionType; }
    void setSelectionType(CollectionViewSelectionType type);
    void SelectByIndex(const CollectionViewIndex& index);
    void SelectSingleItem(CollectionViewItem* cell);
    void AddItemToSelection(CollectionViewItem* cell);
    void UnselectItem(CollectionViewItem* cell);
    void UnselectAll();

    // Walks over the indices (see CollectionSelection).
    bool IsValid(const CollectionViewIndex& index) const;
    CollectionViewIndex FindNextItem(const CollectionViewIndex& index) const;
    CollectionViewIndex FindPrevItem(const CollectionViewIndex& index) const;
    CollectionViewIndex FindNextRowItem(const CollectionViewIndex& index) const;
    CollectionViewIndex FindPrevRowItem(const CollectionViewIndex& index) const;

    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    ICollectionViewDelegate* delegate() const;
    QRect visibleBounds() const;
    void layOut(bool scrollOnly);
    void recycle(const CollectionGrid::Range& kept);
    void place(const CollectionGrid::Range& range, int visibleWidth);
    void placeHeader(unsigned long group, int visibleWidth);
    void placeCell(const CollectionViewIndex& index, int visibleWidth);
    void adopt(QWidget* w);
    void forget(QObject* object);
    void notifySelectionChanged();
    void clearSelectionOnPress();
    void selectRange(CollectionViewItem* cell);
    void handlePress(CollectionViewItem* cell, Qt::KeyboardModifiers modifiers);

    CollectionView& m_owner;
    ICollectionViewDelegate* m_delegate;
    // Sizes, spacings, columns and the item counts last read from the delegate.
    CollectionGrid m_grid;
    CollectionViewSelectionType m_selectionType = CollectionViewSelectionNone;
    CollectionSelection m_selection;
    std::vector<CollectionViewItem*> m_visibleItemList;
    std::vector<CollectionViewItem*> m_itemPool;
    std::map<unsigned long, QWidget*> m_visibleHeaders;
    std::vector<QWidget*> m_headerPool;
    QSize m_contentSize { 10, 10 };
    bool m_pendingSingleSelect = false;

    // A delegate that is also a QObject is watched, so that its early destruction leaves an
    // empty view instead of a dangling pointer.
    QPointer<QObject> m_delegateObject;
    bool m_delegateIsObject = false;
    // What the pass in progress has placed so far.
    std::map<unsigned long, QWidget*> m_newHeaders;
    std::map<CollectionViewIndex, CollectionViewItem*> m_newCells;
    bool m_inLayout = false;
    bool m_relayoutPending = false;
};
