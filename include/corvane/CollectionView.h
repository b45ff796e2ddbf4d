#pragma once

#include <corvane/CollectionViewItem.h>
#include <corvane/CorvaneExport.h>

#include <QScrollArea>

#include <set>
#include <utility>
#include <vector>

class CollectionView;
class NewInnerWidget;
class QMimeData;

// Supplies the content of a CollectionView and hears about its selection. Implemented by the
// host; the view never owns it. Cells and headers that scrolled out of view are pooled and
// handed back through CollectionView::dequeueItem() and dequeueHeader().
//
// A delegate may be destroyed before its views: its destructor tells every view that uses it,
// which then shows nothing until it is given content again. Its memory must therefore be
// released through its destructor, and a view must not be made to call it (say, by resizing or
// reloading the view) from within that destructor.
//
// A cell or header must be handed out once: a widget the view already holds (placed, pooled
// and not dequeued for another kind, or held by another view) is refused like a null result,
// with one warning per view. A widget still in the view's pool of its own kind is taken back
// out of it.
//
// Any of these calls may delete the view; the view then touches nothing of itself afterwards.
// Qt's own handling of what led to the call may still use the view (a resize; with Qt 5, a move
// of the scroll bar), so a delegate that closes a view is better served by
// QObject::deleteLater().
class CORVANE_WIDGETS_EXPORT ICollectionViewDelegate
{
public:
    virtual ~ICollectionViewDelegate();

    virtual unsigned long groupCount(CollectionView& view) = 0;
    virtual unsigned long itemCount(CollectionView& view, unsigned long group) = 0;
    virtual CollectionViewItem* itemForIndex(CollectionView& view, const CollectionViewIndex& index)
        = 0;
    // May return null for a group without a header.
    virtual QWidget* headerForGroup(CollectionView& view, unsigned long group) = 0;
    // May return null for no drag; the drag takes ownership of the data.
    virtual QMimeData* mimeDataForSelection(
        CollectionView& view, const std::set<CollectionViewIndex>& selection)
        = 0;
    virtual void selectionActivated(CollectionView& view) = 0;
    virtual void selectionChanged(CollectionView& view) = 0;
    virtual void selectionClicked(CollectionView& view) = 0;
    virtual void itemsLaidOut(
        CollectionView& view, unsigned long visibleCount, unsigned long pooledCount)
        = 0;
    // The name assistive technology reads for an item, placed or not. By default, the placed
    // cell's accessible name, else "Group g, item i" counted from 1 (translatable in the
    // "Corvane" context).
    virtual QString accessibleName(CollectionView& view, const CollectionViewIndex& index);
};

// A vertically scrolling grid of equally sized cells in groups, each group under a full-width
// header. Only the cells in view exist as placed widgets; the rest are asked for on demand.
//
// Content of any height scrolls to the pixel. While it fits in a widget (QWIDGETSIZE_MAX - 1
// pixels tall), the content widget has the content's size: cell and header geometry is in
// content coordinates and the vertical scroll bar's value is the content position at the top of
// the viewport, as they always were. Taller content is shown through a content widget of the
// viewport's size that stays in place: cells and headers are placed in it at their content
// position minus contentOffset(), and the scroll bar counts one unit per pixel while the
// scrolling distance stays below about 2^31 pixels, proportionally beyond (its last value is
// always the content's end). scrollPosition(), setScrollPosition() and contentOffset() read and
// move the content the same way in both cases; every full pass (reload, resize, show) chooses
// the arrangement again and keeps the content position at the top of the viewport.
//
// Right to left, rows start at the right and the Left and Right keys move visually.
//
// Assistive technology sees a list whose children are all items (at most INT_MAX of them),
// placed or not, named through ICollectionViewDelegate::accessibleName().
class CORVANE_WIDGETS_EXPORT CollectionView : public QScrollArea
{
    Q_OBJECT
public:
    // selection() and what mimeDataForSelection() receives hold the selected indices while there
    // are at most this many; a larger selection (everything in a huge view, a long range) reads
    // as an empty set there, while selectionCount() and selectionRanges() describe it whole.
    static constexpr quint64 SelectionSetLimit = 1000000;

    CollectionView(ICollectionViewDelegate* delegate, const QSize& itemSize, int horizontalSpacing,
        int verticalSpacing, int headerHeight, unsigned long fixedColumns, bool centerItems,
        int margin, QWidget* parent = nullptr);
    ~CollectionView() override;

    void updateItems(bool scrollOnly);
    CollectionViewItem* dequeueItem();
    QWidget* dequeueHeader();
    std::vector<CollectionViewItem*> visibleItems() const;

    const std::set<CollectionViewIndex>& selection() const;
    void setSelection(const std::set<CollectionViewIndex>& selection);
    CollectionViewSelectionType selectionType() const;
    void setSelectionType(CollectionViewSelectionType type);
    quint64 selectionCount() const;
    // Ascending runs, each holding every item from its first to its last index (empty groups
    // hold none); a selected index that is not valid is a run of its own.
    std::vector<std::pair<CollectionViewIndex, CollectionViewIndex>> selectionRanges() const;
    bool isSelected(const CollectionViewIndex& index) const;
    // Selects every item and tells the delegate once, as Ctrl+A does.
    void selectAll();

    void ensureItemVisible(const CollectionViewIndex& index);
    // The content's height, the content position at the top of the viewport, and the content
    // position of the content widget's top edge (0 while the content fits in a widget).
    qint64 contentHeight() const;
    qint64 scrollPosition() const;
    void setScrollPosition(qint64 y);
    qint64 contentOffset() const;

public Q_SLOTS:
    void reload();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    NewInnerWidget* m_inner;
};
