#pragma once

#include <corvane/CollectionViewItem.h>
#include <corvane/CorvaneExport.h>

#include <QScrollArea>

#include <set>
#include <vector>

class CollectionView;
class NewInnerWidget;
class QMimeData;

// Supplies the content of a CollectionView and hears about its selection. Implemented by the
// host; the view never owns it. Cells and headers that scrolled out of view are pooled and
// handed back through CollectionView::dequeueItem() and dequeueHeader().
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
};

// A vertically scrolling grid of equally sized cells in groups, each group under a full-width
// header. Only the cells in view exist as placed widgets; the rest are asked for on demand.
class CORVANE_WIDGETS_EXPORT CollectionView : public QScrollArea
{
    Q_OBJECT
public:
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

    void ensureItemVisible(const CollectionViewIndex& index);

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
