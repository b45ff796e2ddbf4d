#pragma once

#include <corvane/CollectionView.h>
#include <corvane/CorvaneExport.h>

#include <QFrame>
#include <QPointer>

#include <map>
#include <set>
#include <vector>

// The content widget of a CollectionView: lays out the cells in view, recycles the rest and
// handles selection, drag start and keyboard navigation. It watches mouse events on itself and
// on every placed cell through an event filter.
//
// All content positions are computed in 64 bits, saturating far beyond any widget. The widget
// itself is sized to the content but at most QWIDGETSIZE_MAX - 1 pixels: content below that
// line exists in the arithmetic but cannot be scrolled to.
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
    unsigned long columns() const { return m_columns; }
    CollectionViewIndex anchor() const { return m_anchor; }

    void updateItems(bool scrollOnly);
    void reload();
    CollectionViewItem* dequeueItem();
    QWidget* dequeueHeader();
    std::vector<CollectionViewItem*> visibleItems() const { return m_visibleItemList; }
    void scrollTo(const CollectionViewIndex& index);

    const std::set<CollectionViewIndex>& selection() const { return m_selectionSet; }
    void setSelection(const std::set<CollectionViewIndex>& selection);
    CollectionViewSelectionType selectionType() const { return m_selectionType; }
    void setSelectionType(CollectionViewSelectionType type);
    void SelectByIndex(const CollectionViewIndex& index);
    void SelectSingleItem(CollectionViewItem* cell);
    void AddItemToSelection(CollectionViewItem* cell);
    void UnselectItem(CollectionViewItem* cell);
    void UnselectAll();

    // Walks over the indices. Empty groups are stepped over, so every index they return is
    // either valid or none.
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
    qint64 pitchX() const;
    qint64 pitchY() const;
    void recomputeGroupTops();
    qint64 groupTop(unsigned long group) const;
    qint64 blockHeight(unsigned long group) const;
    unsigned long firstGroupEndingAfter(qint64 y) const;
    bool visibleRange(
        qint64 top, qint64 bottom, CollectionViewIndex& first, CollectionViewIndex& last) const;
    void layOut(bool scrollOnly);
    void placeHeader(unsigned long group, int width);
    void placeCell(const CollectionViewIndex& index, int x0);
    void adopt(QWidget* w);
    void forget(QObject* object);
    void notifySelectionChanged();
    void clearSelectionOnPress();
    void selectRange(CollectionViewItem* cell);
    void handlePress(CollectionViewItem* cell, Qt::KeyboardModifiers modifiers);

    CollectionView& m_owner;
    ICollectionViewDelegate* m_delegate;
    QSize m_itemSize;
    int m_horizontalSpacing;
    int m_verticalSpacing;
    int m_headerHeight;
    unsigned long m_fixedColumns;
    bool m_centerItems;
    CollectionViewSelectionType m_selectionType = CollectionViewSelectionNone;
    int m_margin;
    unsigned long m_columns;
    unsigned long m_groupCount = 0;
    std::vector<unsigned long> m_itemCounts;
    CollectionViewIndex m_anchor;
    std::vector<CollectionViewItem*> m_visibleItemList;
    std::vector<CollectionViewItem*> m_itemPool;
    std::map<unsigned long, QWidget*> m_visibleHeaders;
    std::vector<QWidget*> m_headerPool;
    QSize m_contentSize { 10, 10 };
    std::set<CollectionViewIndex> m_selectionSet;
    bool m_pendingSingleSelect = false;

    // A delegate that is also a QObject is watched, so that its early destruction leaves an
    // empty view instead of a dangling pointer.
    QPointer<QObject> m_delegateObject;
    bool m_delegateIsObject = false;
    // Top of each group's header band (without the margin), one past the last group giving the
    // content height; and the running maximum of the group bottoms, which is what the visible
    // range is searched in (a group's block may be negative when it is empty).
    std::vector<qint64> m_groupTops;
    std::vector<qint64> m_maxBottoms;
    // What the pass in progress has placed so far.
    std::map<unsigned long, QWidget*> m_newHeaders;
    std::map<CollectionViewIndex, CollectionViewItem*> m_newCells;
    bool m_inLayout = false;
    bool m_relayoutPending = false;
};
