#pragma once

#include <corvane/CollectionView.h>

#include <QObject>

// Supplies a CollectionView with generated colour swatches: hue families as groups, many shades
// in each. Cells come from the view's pool whenever it has one to give back.
class SwatchDelegate : public QObject, public ICollectionViewDelegate
{
    Q_OBJECT
public:
    SwatchDelegate(unsigned long groups, unsigned long itemsPerGroup, QObject* parent = nullptr);

    unsigned long totalCount() const { return m_groups * m_itemsPerGroup; }
    static QColor colorAt(CollectionViewIndex const& index);

    unsigned long groupCount(CollectionView& view) override;
    unsigned long itemCount(CollectionView& view, unsigned long group) override;
    CollectionViewItem* itemForIndex(
        CollectionView& view, CollectionViewIndex const& index) override;
    QWidget* headerForGroup(CollectionView& view, unsigned long group) override;
    QMimeData* mimeDataForSelection(
        CollectionView& view, std::set<CollectionViewIndex> const& selection) override;
    void selectionActivated(CollectionView& view) override;
    void selectionChanged(CollectionView& view) override;
    void selectionClicked(CollectionView& view) override;
    void itemsLaidOut(
        CollectionView& view, unsigned long visibleCount, unsigned long pooledCount) override;
    // Names a screen reader reads: the family, the shade and the colour.
    QString accessibleName(CollectionView& view, CollectionViewIndex const& index) override;

Q_SIGNALS:
    void laidOut(unsigned long placed, unsigned long pooled);
    void selectionUpdated(unsigned long count);
    void activated(CollectionViewIndex index);

private:
    unsigned long m_groups;
    unsigned long m_itemsPerGroup;
};
