#pragma once

/// @file
/// CollectionView, a recycling grid of grouped cells, and its delegate interface.

#include <corvane/CollectionViewItem.h>
#include <corvane/CorvaneExport.h>

#include <QScrollArea>

#include <set>
#include <utility>
#include <vector>

class CollectionView;
class NewInnerWidget;
class QMimeData;

/// Supplies the content of a CollectionView and hears about its selection. Implemented by the
/// host; the view never owns it. Cells and headers that scrolled out of view are pooled and
/// handed back through CollectionView::dequeueItem() and dequeueHeader().
///
/// A delegate may be destroyed before its views: its destructor tells every view that uses it,
/// which then shows nothing until it is given content again. Its memory must therefore be
/// released through its destructor, and a view must not be made to call it (say, by resizing or
/// reloading the view) from within that destructor.
///
/// A cell or header must be handed out once: a widget the view already holds (placed, pooled
/// and not dequeued for another kind, or held by another view) is refused like a null result,
/// with one warning per view. A widget still in the view's pool of its own kind is taken back
/// out of it.
///
/// Any of these calls may delete the view; the view then touches nothing of itself afterwards.
/// Qt's own handling of what led to the call may still use the view (a resize, a move of the
/// scroll bar, which CollectionView::ensureItemVisible() makes too), so a delegate that closes a
/// view is better served by QObject::deleteLater().
class CORVANE_WIDGETS_EXPORT ICollectionViewDelegate
{
public:
    /// Tells every view that uses this delegate to forget it.
    virtual ~ICollectionViewDelegate();

    /// The number of groups; asked by CollectionView::reload().
    virtual unsigned long groupCount(CollectionView& view) = 0;
    /// The number of items in `group`; asked by CollectionView::reload() for each group.
    virtual unsigned long itemCount(CollectionView& view, unsigned long group) = 0;
    /// The cell for `index` as it comes into view: typically CollectionView::dequeueItem(), or a
    /// new one when the pool is empty, filled for `index`. The view reparents it to itself and
    /// sets its index and selected flag.
    virtual CollectionViewItem* itemForIndex(CollectionView& view, const CollectionViewIndex& index)
        = 0;
    /// The header of `group` as it comes into view, typically from CollectionView::dequeueHeader();
    /// may return null for a group without a header.
    virtual QWidget* headerForGroup(CollectionView& view, unsigned long group) = 0;
    /// The data of a drag that starts with the first move of the pointer with the left button
    /// held over a view with a selection. May return null for no drag; the drag takes ownership
    /// of the data.
    virtual QMimeData* mimeDataForSelection(
        CollectionView& view, const std::set<CollectionViewIndex>& selection)
        = 0;
    /// A double click on a cell (after selecting it alone), or Return or Enter.
    virtual void selectionActivated(CollectionView& view) = 0;
    /// After every change of the selection, by the user or by CollectionView::setSelection() or
    /// selectAll(); once per change. reload() clears the selection without calling it.
    virtual void selectionChanged(CollectionView& view) = 0;
    /// The mouse button came up over a selected cell without Ctrl held.
    virtual void selectionClicked(CollectionView& view) = 0;
    /// After every layout pass, with the number of placed cells and of pooled cells.
    virtual void itemsLaidOut(
        CollectionView& view, unsigned long visibleCount, unsigned long pooledCount)
        = 0;
    /// The name assistive technology reads for an item, placed or not. By default, the placed
    /// cell's accessible name, else "Group g, item i" counted from 1 (translatable in the
    /// "Corvane" context).
    virtual QString accessibleName(CollectionView& view, const CollectionViewIndex& index);
};

/// A vertically scrolling grid of equally sized cells in groups, each group under a full-width
/// header. Only the cells in view exist as placed widgets; the rest are asked for on demand.
///
/// Content of any height scrolls to the pixel. While it fits in a widget (QWIDGETSIZE_MAX - 1
/// pixels tall), the content widget has the content's size: cell and header geometry is in
/// content coordinates and the vertical scroll bar's value is the content position at the top of
/// the viewport, as they always were. Taller content is shown through a content widget of the
/// viewport's size that stays in place: cells and headers are placed in it at their content
/// position minus contentOffset(), and the scroll bar counts one unit per pixel while the
/// scrolling distance stays below about 2^31 pixels, proportionally beyond (its last value is
/// always the content's end). scrollPosition(), setScrollPosition() and contentOffset() read and
/// move the content the same way in both cases; every full pass (reload, resize, show) chooses
/// the arrangement again and keeps the content position at the top of the viewport.
///
/// Right to left, rows start at the right and the Left and Right keys move visually.
///
/// Assistive technology sees a list whose children are all items (at most INT_MAX of them),
/// placed or not, named through ICollectionViewDelegate::accessibleName().
///
/// Selection follows the selection type. Single: a click selects the cell alone. Multiple: Ctrl
/// and a click toggles a cell, Shift and a click selects the run from the first selected item,
/// and a plain click on a selected cell keeps the selection until the release (so that a drag
/// carries all of it). A click beside the cells clears the selection. The arrow keys move a
/// single selection; Return and Enter activate. With corvane::setFullKeyboardAccess(), multiple
/// selection also extends with Shift and the arrows, moves with Home, End, Page Up and Page
/// Down, and selects everything with Ctrl+A.
///
/// Ownership: the view reparents the delegate's cells and headers to itself and keeps those that
/// leave the view in pools for reuse; it never owns the delegate. It shows nothing until
/// reload() is called.
class CORVANE_WIDGETS_EXPORT CollectionView : public QScrollArea
{
    Q_OBJECT
public:
    /// selection() and what mimeDataForSelection() receives hold the selected indices while
    /// there are at most this many; a larger selection (everything in a huge view, a long range)
    /// reads as an empty set there, while selectionCount() and selectionRanges() describe it
    /// whole.
    static constexpr quint64 SelectionSetLimit = 1000000;

    /// A view of cells of `itemSize` with the given spacings, a header of `headerHeight` above
    /// each group and `margin` around the content. `fixedColumns` of 0 fits as many columns as
    /// the width allows; `centerItems` centres the rows. The selection type starts as none.
    CollectionView(ICollectionViewDelegate* delegate, const QSize& itemSize, int horizontalSpacing,
        int verticalSpacing, int headerHeight, unsigned long fixedColumns, bool centerItems,
        int margin, QWidget* parent = nullptr);
    ~CollectionView() override;

    /// Lays the view out again and places what is in view: a full pass, or with `scrollOnly`
    /// one that keeps the placed cells and fills in what came into view. Then tells the
    /// delegate through itemsLaidOut().
    void updateItems(bool scrollOnly);
    /// The cell most recently pooled, which the view then no longer holds; null when none waits.
    CollectionViewItem* dequeueItem();
    /// The header most recently pooled; null when none waits.
    QWidget* dequeueHeader();
    /// The placed cells, in index order.
    std::vector<CollectionViewItem*> visibleItems() const;

    /// The selected indices (empty beyond SelectionSetLimit).
    const std::set<CollectionViewIndex>& selection() const;
    /// Replaces the selection, whatever the selection type, and tells the delegate.
    void setSelection(const std::set<CollectionViewIndex>& selection);
    /// How the user may select.
    CollectionViewSelectionType selectionType() const;
    /// Sets how the user may select; an unknown value means none.
    void setSelectionType(CollectionViewSelectionType type);
    /// The number of selected items, however many.
    quint64 selectionCount() const;
    /// Ascending runs, each holding every item from its first to its last index (empty groups
    /// hold none); a selected index that is not valid is a run of its own.
    std::vector<std::pair<CollectionViewIndex, CollectionViewIndex>> selectionRanges() const;
    /// Whether `index` is selected.
    bool isSelected(const CollectionViewIndex& index) const;
    /// Selects every item and tells the delegate once, as Ctrl+A does.
    void selectAll();

    /// Scrolls so that the row of `index` shows; an index outside the content is ignored.
    void ensureItemVisible(const CollectionViewIndex& index);
    /// The content's height.
    qint64 contentHeight() const;
    /// The content position at the top of the viewport.
    qint64 scrollPosition() const;
    /// Scrolls the content position `y` to the top of the viewport, within the content.
    void setScrollPosition(qint64 y);
    /// The content position of the content widget's top edge (0 while the content fits in a
    /// widget).
    qint64 contentOffset() const;

public Q_SLOTS:
    /// Asks the delegate for the counts again, clears the selection and lays out anew. A view
    /// shows nothing until the first call.
    void reload();

protected:
    /// Moves and activates the selection as described above.
    void keyPressEvent(QKeyEvent* event) override;
    /// Lays out anew for the new width.
    void resizeEvent(QResizeEvent* event) override;
    /// Lays out anew.
    void showEvent(QShowEvent* event) override;
    /// Moves the content with the scroll bars, also beyond a widget's height.
    void scrollContentsBy(int dx, int dy) override;

private:
    NewInnerWidget* m_inner;
};
