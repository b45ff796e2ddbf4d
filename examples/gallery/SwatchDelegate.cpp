#include "SwatchDelegate.h"

#include "SwatchItem.h"

#include <QLabel>
#include <QMimeData>

namespace {
const char* const kFamilies[]
    = { "Reds", "Oranges", "Ambers", "Yellows", "Limes", "Greens", "Teals", "Cyans", "Azures",
          "Blues", "Indigos", "Violets", "Purples", "Magentas", "Pinks", "Roses" };
constexpr int kFamilyCount = int(std::size(kFamilies));
} // namespace

SwatchDelegate::SwatchDelegate(unsigned long groups, unsigned long itemsPerGroup, QObject* parent)
    : QObject(parent)
    , m_groups(groups)
    , m_itemsPerGroup(itemsPerGroup)
{ }

QColor SwatchDelegate::colorAt(CollectionViewIndex const& index)
{
    // Each group is one hue band; items walk through saturation and value within it.
    const int band = int(index.group % kFamilyCount);
    const int hue = (band * 360 / kFamilyCount + int(index.item % 23)) % 360;
    const int saturation = 90 + int((index.item * 37) % 160);
    const int value = 120 + int((index.item * 53 + index.group * 11) % 135);
    return QColor::fromHsv(hue, saturation, value);
}

unsigned long SwatchDelegate::groupCount(CollectionView&)
{
    return m_groups;
}

unsigned long SwatchDelegate::itemCount(CollectionView&, unsigned long)
{
    return m_itemsPerGroup;
}

CollectionViewItem* SwatchDelegate::itemForIndex(
    CollectionView& view, CollectionViewIndex const& index)
{
    auto* cell = qobject_cast<SwatchItem*>(view.dequeueItem());
    if (!cell)
        cell = new SwatchItem;
    cell->setSwatch(colorAt(index), QString::number(index.item + 1));
    return cell;
}

QWidget* SwatchDelegate::headerForGroup(CollectionView& view, unsigned long group)
{
    auto* header = qobject_cast<QLabel*>(view.dequeueHeader());
    if (!header) {
        header = new QLabel;
        header->setObjectName(QStringLiteral("groupHeader"));
    }
    header->setText(tr("%1 %2  \u00b7  %3 swatches")
                        .arg(QString::fromLatin1(kFamilies[group % kFamilyCount]))
                        .arg(group / kFamilyCount + 1)
                        .arg(m_itemsPerGroup));
    return header;
}

QMimeData* SwatchDelegate::mimeDataForSelection(
    CollectionView&, std::set<CollectionViewIndex> const& selection)
{
    if (selection.empty())
        return nullptr;
    QStringList names;
    for (const CollectionViewIndex& index : selection)
        names.append(colorAt(index).name());
    auto* data = new QMimeData;
    data->setText(names.join(QLatin1Char('\n')));
    if (selection.size() == 1)
        data->setColorData(colorAt(*selection.begin()));
    return data;
}

void SwatchDelegate::selectionActivated(CollectionView& view)
{
    if (!view.selection().empty())
        Q_EMIT activated(*view.selection().begin());
}

void SwatchDelegate::selectionChanged(CollectionView& view)
{
    // The count, not the set: a select-all of a large collection is not handed over as a set.
    Q_EMIT selectionUpdated(static_cast<unsigned long>(view.selectionCount()));
}

QString SwatchDelegate::accessibleName(CollectionView&, CollectionViewIndex const& index)
{
    return tr("%1 %2, shade %3, %4")
        .arg(QString::fromLatin1(kFamilies[index.group % kFamilyCount]))
        .arg(index.group / kFamilyCount + 1)
        .arg(index.item + 1)
        .arg(colorAt(index).name());
}

void SwatchDelegate::selectionClicked(CollectionView&) { }

void SwatchDelegate::itemsLaidOut(
    CollectionView&, unsigned long visibleCount, unsigned long pooledCount)
{
    Q_EMIT laidOut(visibleCount, pooledCount);
}
