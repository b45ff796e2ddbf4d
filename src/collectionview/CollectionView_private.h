#pragma once

#include <corvane/CollectionView.h>
#include <corvane/CorvaneExport.h>

#include "collectionview/CollectionGrid.h"
#include "collectionview/CollectionScrollMap.h"
#include "collectionview/CollectionSelection.h"

#include <QAccessible>
#include <QFrame>

#include <map>
#include <set>
#include <vector>

// The content widget of a CollectionView: lays out the cells in view, recycles the rest and
// handles selection, drag start and keyboard navigation. It watches mouse events on itself and
// on every placed cell through an event filter.
//
// While the content fits in a widget, the widget has the content's size and widget and content
// coordinates coincide. Taller content is windowed: the widget keeps the viewport's size at the
// viewport's top, a 64-bit offset says which content it shows, and the vertical scroll bar maps
// onto that offset (CollectionScrollMap). Scrolling then moves the placed widgets inside it.
//
// Every call into the delegate may delete the view: the code after it checks that the widget
// still lives before it touches anything of its own.
class CORVANE_AUTOTEST_EXPORT NewInnerWidget : public QFrame
{
public:
    NewInnerWidget(ICollectionViewDelegate* delegate, const QSize& itemSize, int horizontalSpacing,
        int verticalSpacing, int headerHeight, unsigned long fixedColumns, bool centerItems,
        int margin, CollectionView& owner);
    ~NewInnerWidget() override;

    // Tells every view of a delegate that is being destroyed to forget it.
    static void delegateDestroyed(const ICollectionViewDelegate* delegate);

    QSize sizeHint() const override;

    // The y of the first cell row of a group, in widget coordinates.
    int ComputeGroupTop(unsigned long group) const;
    const CollectionGrid& grid() const { return m_grid; }
    ICollectionViewDelegate* delegate() const { return m_delegate; }
    CollectionViewIndex anchor() const { return m_selection.anchor(); }

    void updateItems(bool scrollOnly);
    void reload();
    CollectionViewItem* dequeueItem();
    QWidget* dequeueHeader();
    std::vector<CollectionViewItem*> visibleItems() const { return m_visibleItemList; }
    // The placed cell of an index, or null.
    CollectionViewItem* placedItem(const CollectionViewIndex& index) const;
    // Where an index's cell is or would be placed, in widget coordinates (clamped to an int).
    QRect itemRect(const CollectionViewIndex& index) const;
    // The index whose cell holds a widget point, placed or not; none between cells.
    CollectionViewIndex indexAt(const QPoint& point) const;
    void scrollTo(const CollectionViewIndex& index);

    bool isWindowed() const { return m_windowed; }
    qint64 contentOffset() const { return m_windowed ? m_offset : 0; }
    qint64 scrollPosition() const;
    void setScrollPosition(qint64 y);
    // The scroll bars moved: windowed, the content follows the vertical one; then a scroll-only
    // pass.
    void followScrollBars();

    const std::set<CollectionViewIndex>& selection() const;
    const CollectionSelection& selectionState() const { return m_selection; }
    void setSelection(const std::set<CollectionViewIndex>& selection);
    CollectionViewSelectionType selectionType() const { return m_selectionType; }
    void setSelectionType(CollectionViewSelectionType type);
    void SelectByIndex(const CollectionViewIndex& index);
    void SelectSingleItem(CollectionViewItem* cell);
    void AddItemToSelection(CollectionViewItem* cell);
    void UnselectItem(CollectionViewItem* cell);
    void UnselectAll();
    void selectAll();

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
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QRect visibleBounds() const;
    QRect toWidget(const CollectionGrid::Rect& r) const;
    // Each returns false when the delegate deleted the view.
    bool layOut(bool scrollOnly);
    void fitContent();
    void recycle(const CollectionGrid::Range& kept);
    bool place(const CollectionGrid::Range& range, int visibleWidth);
    bool placeHeader(unsigned long group, int visibleWidth);
    bool placeCell(const CollectionViewIndex& index, int visibleWidth);
    template<class Pool> bool accept(QWidget* w, Pool& pool);
    template<class W> W* dequeue(std::vector<W*>& pool);
    void adopt(QWidget* w);
    void forget(QObject* object);

    // Windowed: moves the content (and the placed widgets with it); false when it stays.
    bool moveContentTo(qint64 offset);
    void syncScrollBar();
    CollectionViewIndex pageTarget(const CollectionViewIndex& from, int pages) const;

    // Tells assistive technology, then the delegate.
    bool notifySelectionChanged(QAccessible::Event event = QAccessible::SelectionWithin,
        const CollectionViewIndex& item = CollectionViewIndex());
    void announceCurrent(const CollectionViewIndex& before);
    bool refreshFlags();
    bool applySelection();
    bool extendSelectionTo(const CollectionViewIndex& target);
    bool unselectAll();
    bool clearSelectionOnPress();
    bool selectRange(CollectionViewItem* cell);
    bool handlePress(CollectionViewItem* cell, Qt::KeyboardModifiers modifiers);
    bool handleKey(QKeyEvent* event);

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

    // What the pass in progress has placed so far.
    std::map<unsigned long, QWidget*> m_newHeaders;
    std::map<CollectionViewIndex, CollectionViewItem*> m_newCells;
    bool m_inLayout = false;
    bool m_relayoutPending = false;
    int m_reportDepth = 0;
    int m_visibleWidth = 0;

    bool m_windowed = false;
    qint64 m_offset = 0;
    CollectionScrollMap m_scrollMap;
    bool m_syncingBar = false;

    // Shift and the keys extend a run from where the last one started, while the anchor stays
    // where the last extension left it.
    CollectionViewIndex m_extendFrom;
    CollectionViewIndex m_extendTo;
    bool m_warnedTwice = false;
};
