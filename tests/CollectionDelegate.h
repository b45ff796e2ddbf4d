#pragma once

// A delegate for collection view tests that records what the view asks and knows, without the
// view's help, where the layout formulas put every cell.

#include "RandomSeed.h"
#include "TestUtils.h"

#include <corvane/CollectionView.h>

#include "collectionview/CollectionView_private.h"

#include <QAccessible>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>

#include <functional>
#include <memory>

using Index = CollectionViewIndex;
using Counts = std::vector<unsigned long>;
using Positions = QList<qint64>;
Q_DECLARE_METATYPE(Index)
Q_DECLARE_METATYPE(Counts)

namespace collectiontest {

constexpr qint64 Limit = qint64(1) << 60; // where content positions saturate

// Serves cells and headers, from the pools `pooling` percent of the time; gives no cell for
// (3, 1) and a null header `nullHeaders` percent of the time. The log holds "c", "k" and "a" for
// selectionChanged, -Clicked and -Activated and "m" with the size of the selection handed to
// mimeDataForSelection, which gives data for more than one. `onCall` hears every call first;
// when it returns true (it deleted the view, say) the call gives nothing back. By default cells
// are 100 x 80 with spacing 10, headers 20 and the margin 5.
struct Delegate : QObject, ICollectionViewDelegate, testutils::Random
{
    using Random::Random;
    bool called(const char* name) { return onCall && onCall(name); }
    unsigned long groupCount(CollectionView&) override
    {
        return called("groupCount") ? 0 : (unsigned long)(counts.size());
    }
    unsigned long itemCount(CollectionView&, unsigned long g) override
    {
        return called("itemCount") ? 0 : counts.at(g);
    }
    CollectionViewItem* itemForIndex(CollectionView& view, const Index& index) override
    {
        if (called("itemForIndex"))
            return nullptr;
        requested.push_back(index);
        if (index == Index(3, 1))
            return nullptr;
        CollectionViewItem* cell = chance(pooling) ? view.dequeueItem() : nullptr;
        return cell ? cell : made.emplace_back(new CollectionViewItem).data();
    }
    QWidget* headerForGroup(CollectionView& view, unsigned long group) override
    {
        if (called("headerForGroup"))
            return nullptr;
        requested.emplace_back(group, Index::None);
        QWidget* header = chance(pooling) ? view.dequeueHeader() : nullptr;
        return lastHeader = header || chance(nullHeaders) ? header : new QWidget;
    }
    QMimeData* mimeDataForSelection(CollectionView&, const std::set<Index>& selection) override
    {
        if (called("mimeDataForSelection"))
            return new QMimeData;
        log << QStringLiteral("m%1").arg(selection.size());
        return selection.size() > 1 ? new QMimeData : nullptr;
    }
    void note(const char* call, const char* entry)
    {
        if (!called(call))
            log << QLatin1String(entry);
    }
    void selectionActivated(CollectionView&) override { note("selectionActivated", "a"); }
    void selectionChanged(CollectionView&) override { note("selectionChanged", "c"); }
    void selectionClicked(CollectionView&) override { note("selectionClicked", "k"); }
    void itemsLaidOut(CollectionView&, unsigned long v, unsigned long p) override
    {
        if (!called("itemsLaidOut"))
            laidOut << QPoint(int(v), int(p));
    }
    QString accessibleName(CollectionView& view, const Index& index) override
    {
        if (called("accessibleName"))
            return QString();
        return names ? names(index) : ICollectionViewDelegate::accessibleName(view, index);
    }
    void clearRecords() { requested.clear(), laidOut.clear(), log.clear(); }
    // A shown view whose viewport has the given size.
    std::unique_ptr<CollectionView> showView(QSize viewport)
    {
        auto view = std::make_unique<CollectionView>(this, item, int(hSpacing), int(vSpacing),
            int(header), fixedColumns, center, int(margin));
        view->reload();
        view->show();
        for (int i = 0; i < 3; ++i)
            view->resize(view->size() + viewport - view->viewport()->size());
        clearRecords();
        return view;
    }

    long pitchX() const { return item.width() + hSpacing; }
    long pitchY() const { return item.height() + vSpacing; }
    qint64 block(std::size_t g) const
    {
        return qint64((counts[g] + columns - 1) / columns) * pitchY() - vSpacing;
    }
    // The first row of every group, and where the next group's would be, in 64 bits.
    std::vector<qint64> groupTops() const
    {
        std::vector<qint64> tops { margin + header };
        for (std::size_t g = 0; g < counts.size(); ++g)
            tops.push_back(tops.back() + header + block(g));
        return tops;
    }
    qint64 cellY(const std::vector<qint64>& tops, const Index& i) const
    {
        return tops[i.group] + qint64(i.item / columns) * pitchY();
    }
    QRect cellRect(QPoint at, long visibleWidth) const
    {
        const long cells = columns * pitchX() - hSpacing;
        const long x0 = center ? (std::max(visibleWidth, cells + 2 * margin) - cells) / 2 : margin;
        const Index i(std::size_t(at.x()), std::size_t(at.y()));
        return QRect(int(x0 + at.y() % columns * pitchX()), int(cellY(groupTops(), i)),
            item.width(), item.height());
    }
    // What a pass over the band places: the walk runs from the row that holds the top edge
    // (less one row when the edge lies in a group's first two rows) to the row that holds the
    // bottom edge, or to item 0 of the group whose header holds it.
    QList<QPoint> placed(const QRect& band) const
    {
        QList<QPoint> result;
        const long t = band.top() - margin, b = band.bottom() - margin;
        bool started = false;
        long top = 0;
        for (std::size_t g = 0; g < counts.size() && !band.isEmpty(); top += header + block(g++)) {
            const long itemsTop = top + header, bottom = itemsTop + block(g);
            if (!started && t >= bottom)
                continue;
            long i
                = !started && t > itemsTop + pitchY() ? columns * ((t - itemsTop) / pitchY()) : 0;
            const long end = b >= bottom ? long(counts[g])
                : b < itemsTop           ? 1
                                         : columns * ((b - itemsTop) / pitchY() + 1);
            for (started = true; i < std::min(end, long(counts[g])); ++i)
                result << QPoint(int(g), int(i));
            if (b < bottom)
                break;
        }
        result.removeOne(QPoint(3, 1));
        return result;
    }

    std::function<bool(const char*)> onCall;
    std::function<QString(const Index&)> names;
    Counts counts;
    std::vector<Index> requested; // cells, and headers as (group, none)
    QPointer<QWidget> lastHeader;
    std::vector<QPointer<CollectionViewItem>> made;
    QList<QPoint> laidOut;
    QStringList log;
    int pooling = 100, nullHeaders = 0;
    QSize item { 100, 80 };
    long hSpacing = 10, vSpacing = 10, header = 20, margin = 5, columns = 1;
    unsigned long fixedColumns = 0;
    bool center = false;
};

// The delegate's default geometry, as a grid of the given counts laid out for a visible width.
inline CollectionGrid makeGrid(const Counts& counts, unsigned long fixedColumns, int width)
{
    CollectionGrid grid(QSize(100, 80), 10, 10, 20, fixedColumns, fixedColumns != 0, 5);
    grid.setItemCounts(counts);
    grid.fitColumns(width);
    return grid;
}

// Plays one step of a script on a view that may not survive it: k with one of DULREXAHZPQ sends
// Down, Up, Left, Right, Return, Escape, A, Home, End, Page Up or Page Down; p(ress), r(elease),
// d(ouble click) or m(ove with the left button) act on the placed cell "gi", or on the background
// for b; o reloads, s scrolls to the end, e shows item (0, 30), t selects (0, 1) and n reads item
// 1's accessible name. A trailing S or C holds Shift or Control. Returns whether a key was
// accepted, or a mouse event went to a cell.
inline bool play(const QPointer<CollectionView>& view, const QString& step)
{
    const auto modifiers = step.endsWith(QLatin1Char('S')) ? Qt::ShiftModifier
        : step.endsWith(QLatin1Char('C'))                  ? Qt::ControlModifier
                                                           : Qt::NoModifier;
    const char kind = step[0].toLatin1();
    if (kind == 'k') {
        const int keys[] = { Qt::Key_Down, Qt::Key_Up, Qt::Key_Left, Qt::Key_Right, Qt::Key_Return,
            Qt::Key_Escape, Qt::Key_A, Qt::Key_Home, Qt::Key_End, Qt::Key_PageUp,
            Qt::Key_PageDown };
        QKeyEvent e(
            QEvent::KeyPress, keys[QStringLiteral("DULREXAHZPQ").indexOf(step[1])], modifiers);
        QApplication::sendEvent(view, &e);
        return e.isAccepted();
    }
    QScrollBar* bar = view->verticalScrollBar();
    if (kind == 'o')
        view->reload();
    else if (kind == 's')
        bar->setValue(bar->maximum());
    else if (kind == 'e')
        view->ensureItemVisible({ 0, 30 });
    else if (kind == 't')
        view->setSelection({ { 0, 1 } });
    else if (kind == 'n' && QAccessible::queryAccessibleInterface(view)->child(1))
        QAccessible::queryAccessibleInterface(view)->child(1)->text(QAccessible::Name);
    if (!QStringLiteral("prdmb").contains(step[0]))
        return false;
    QWidget* w = view->widget();
    for (CollectionViewItem* cell : view->visibleItems())
        if (kind != 'b' && cell->index() == Index(step[1].digitValue(), step[2].digitValue()))
            w = cell;
    const bool onCell = w != view->widget();
    // Press, release, double click and move follow each other in QEvent::Type.
    const auto type = QEvent::Type(
        QEvent::MouseButtonPress + std::max<int>(0, QStringLiteral("prdm").indexOf(step[0])));
    QMouseEvent e(type, QPointF(2, 2), QPointF(w->mapToGlobal(QPoint(2, 2))),
        type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, modifiers);
    QApplication::sendEvent(w, &e);
    return onCell;
}

inline NewInnerWidget* inner(CollectionView& v)
{
    return static_cast<NewInnerWidget*>(v.widget());
}

} // namespace collectiontest
