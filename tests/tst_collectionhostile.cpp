// Collection views in the hands of hostile delegates: a view deleted from inside any callback,
// a delegate destroyed before its view, widgets handed out twice, and seeded random delegates
// that do any of these from any callback. Run under AddressSanitizer, a use after free fails.
#include "CollectionDelegate.h"

#include <corvane/Keyboard.h>

#include <QRegularExpression>
#include <QScopeGuard>

using namespace testutils;
using namespace collectiontest;

namespace {

const char* const Refusal = "CollectionView: the delegate handed out a widget that the view "
                            "already holds or lives in; it is skipped";

// A delegate that is no QObject, so that nothing but its destructor can tell the view.
struct PlainDelegate : ICollectionViewDelegate
{
    unsigned long groupCount(CollectionView&) override { return 2; }
    unsigned long itemCount(CollectionView&, unsigned long) override { return 40; }
    CollectionViewItem* itemForIndex(CollectionView& view, const Index&) override
    {
        CollectionViewItem* cell = view.dequeueItem();
        return cell ? cell : new CollectionViewItem;
    }
    QWidget* headerForGroup(CollectionView&, unsigned long) override { return new QWidget; }
    QMimeData* mimeDataForSelection(CollectionView&, const std::set<Index>&) override
    {
        return nullptr;
    }
    void selectionActivated(CollectionView&) override { }
    void selectionChanged(CollectionView&) override { }
    void selectionClicked(CollectionView&) override { }
    void itemsLaidOut(CollectionView&, unsigned long, unsigned long) override { }
};

// Hands out what `cell` and `header` choose, when they choose anything.
struct Substituting : Delegate
{
    using Delegate::Delegate;
    CollectionViewItem* itemForIndex(CollectionView& view, const Index& index) override
    {
        CollectionViewItem* chosen = cell ? cell(view, index) : nullptr;
        return chosen ? chosen : Delegate::itemForIndex(view, index);
    }
    QWidget* headerForGroup(CollectionView& view, unsigned long group) override
    {
        QWidget* chosen = header ? header(view, group) : nullptr;
        return chosen ? chosen : Delegate::headerForGroup(view, group);
    }
    std::function<CollectionViewItem*(CollectionView&, const Index&)> cell;
    std::function<QWidget*(CollectionView&, unsigned long)> header;
};

// No widget is held twice: placed cells are distinct, alive, shown, in index order, and their
// flags follow the selection; placed headers are distinct and none is also a cell.
void checkHeldOnce(CollectionView& view)
{
    const std::vector<CollectionViewItem*> cells = view.visibleItems();
    for (std::size_t i = 0; i < cells.size(); ++i) {
        QVERIFY(cells[i]->isVisibleTo(view.widget()));
        QCOMPARE(cells[i]->parentWidget(), view.widget());
        QCOMPARE(cells[i]->selected(), view.isSelected(cells[i]->index()));
        if (i > 0)
            QVERIFY(cells[i - 1]->index() < cells[i]->index());
    }
    QSet<QWidget*> shown;
    for (QWidget* child :
        view.widget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (child->isVisibleTo(view.widget()))
            shown << child;
    const auto headers = std::count_if(shown.begin(), shown.end(),
        [](QWidget* w) { return !qobject_cast<CollectionViewItem*>(w); });
    QCOMPARE(qsizetype(shown.size()), qsizetype(cells.size() + std::size_t(headers)));
}

} // namespace

class tst_CollectionHostile : public QObject
{
    Q_OBJECT
private Q_SLOTS:

    void deleteView_data()
    {
        columns<QString, QString>("callback", "steps");
        // The delegate deletes the view from `callback` during the last step.
        const auto row = [](const char* callback, const char* how, const char* steps) {
            QTest::addRow("%s from %s", callback, how)
                << QString::fromLatin1(callback) << QString::fromLatin1(steps);
        };
        row("selectionChanged", "an arrow key", "p01 r01 kD");
        row("selectionChanged", "the first key", "kD");
        row("selectionChanged", "Ctrl+A", "p01 kAC");
        row("selectionChanged", "a press", "p01");
        row("selectionChanged", "a control press", "p01 r01 p02C");
        row("selectionChanged", "a control press on a selected cell", "p01 r01 p02C p02C");
        row("selectionChanged", "a press on the background", "p01 b");
        row("selectionChanged", "a release", "p01 r01 p02C r02C p02 r02");
        row("selectionChanged", "a double click", "d01");
        row("selectionChanged", "setSelection", "t");
        row("selectionClicked", "a release", "p01 r01");
        row("selectionActivated", "a double click", "d01");
        row("selectionActivated", "Return", "p01 kE");
        row("mimeDataForSelection", "a drag", "p01 r01 p02C m02");
        // Not from a scroll: Qt's scroll area goes on using itself once its scroll bar has moved.
        row("itemForIndex", "a reload", "o");
        row("headerForGroup", "a reload", "o");
        row("itemsLaidOut", "a reload", "o");
        row("groupCount", "a reload", "o");
        row("itemCount", "a reload", "o");
        row("accessibleName", "a screen reader", "n");
    }

    void deleteView()
    {
        auto [callback, steps] = fetch<QString, QString>("callback", "steps");
        Delegate d;
        d.counts = { 40, 40 };
        d.fixedColumns = 3;
        QPointer<CollectionView> view = d.showView(QSize(430, 300)).release();
        view->setSelectionType(CollectionViewSelectionMultiple);
        corvane::setFullKeyboardAccess(true);
        const auto cleanup = qScopeGuard([&view] {
            corvane::setFullKeyboardAccess(false);
            delete view;
        });
        QStringList all = steps.split(QLatin1Char(' '));
        const QString last = all.takeLast();
        for (const QString& step : all)
            play(view, step);
        d.onCall = [&](const char* name) {
            if (view && callback == QLatin1String(name))
                delete view;
            return !view;
        };
        play(view, last);
        QVERIFY(!view);
    }

    void delegateDestroyed_data()
    {
        columns<bool, QString>("plain", "step");
        // A delegate destroyed while its view lives; the view then resizes, reloads, scrolls, takes
        // a key or is read by a screen reader, and shows nothing.
        for (const bool plain : { false, true }) {
            for (const char* step : { "resize", "o", "s", "kD", "n" })
                QTest::addRow("%s, %s", plain ? "plain" : "QObject", step)
                    << plain << QString::fromLatin1(step);
        }
    }

    void delegateDestroyed()
    {
        auto [plain, step] = fetch<bool, QString>("plain", "step");
        std::unique_ptr<ICollectionViewDelegate> d(
            plain ? static_cast<ICollectionViewDelegate*>(new PlainDelegate) : new Delegate);
        if (!plain)
            static_cast<Delegate*>(d.get())->counts = { 40, 40 };
        QPointer<CollectionView> view
            = new CollectionView(d.get(), QSize(100, 80), 10, 10, 20, 3, false, 5);
        const auto cleanup = qScopeGuard([&view] { delete view; });
        view->resize(430, 300);
        view->show();
        view->reload();
        view->setSelectionType(CollectionViewSelectionSingle);
        QVERIFY(!view->visibleItems().empty());
        d.reset();
        if (step == QLatin1String("resize"))
            view->resize(300, 500);
        else
            play(view, step);
        QVERIFY(view);
        view->updateItems(false);
        QVERIFY(view->visibleItems().empty());
        QCOMPARE(QAccessible::queryAccessibleInterface(view)->childCount(),
            step == QLatin1String("o") ? 0 : 80);
    }

    void handedOutTwice_data()
    {
        columns<QString, bool>("kind", "warns");
        // What the delegate hands out: whether the view refuses it, with a warning.
        for (const auto& [kind, warns] : { std::pair("one cell for every index", true),
                 std::pair("one header for every group", true),
                 std::pair("a cell as a header", true), std::pair("cells of another view", true),
                 std::pair("the view as a header", true),
                 std::pair("a pooled cell without dequeuing", false) })
            QTest::newRow(kind) << QString::fromLatin1(kind) << warns;
    }

    void handedOutTwice()
    {
        auto [kind, warns] = fetch<QString, bool>("kind", "warns");
        Substituting d, other;
        d.counts = other.counts = { 3, 3, 3, 3, 3, 3 };
        d.fixedColumns = other.fixedColumns = 3;
        auto view = d.showView(QSize(430, 400));
        auto otherView = other.showView(QSize(430, 400));
        QPointer<CollectionViewItem> one;
        QPointer<QWidget> oneHeader;
        if (kind == QLatin1String("one cell for every index"))
            d.cell = [&](CollectionView&, const Index&) {
                return one ? one : (one = new CollectionViewItem);
            };
        else if (kind == QLatin1String("one header for every group"))
            d.header = [&](CollectionView&, unsigned long) {
                return oneHeader ? oneHeader : (oneHeader = new QWidget);
            };
        else if (kind == QLatin1String("a cell as a header"))
            d.header = [&](CollectionView&, unsigned long) -> QWidget* {
                return d.made.empty() ? nullptr : d.made.front().data();
            };
        else if (kind == QLatin1String("cells of another view"))
            d.cell = [&](CollectionView&, const Index& i) {
                return otherView->visibleItems().at(i.item % otherView->visibleItems().size());
            };
        else if (kind == QLatin1String("the view as a header"))
            d.header = [&](CollectionView& v, unsigned long) -> QWidget* { return &v; };
        else // keeps the cell it made for each index and hands it back, pooled or not
            d.cell = [&, cache = std::map<Index, QPointer<CollectionViewItem>>()](
                         CollectionView&, const Index& i) mutable {
                auto& cell = cache[i];
                return cell ? cell.data() : (cell = new CollectionViewItem).data();
            };
        if (warns)
            QTest::ignoreMessage(QtWarningMsg, Refusal);
#if QT_VERSION >= QT_VERSION_CHECK(6, 3, 0)
        QTest::failOnWarning(QRegularExpression(QStringLiteral("CollectionView")));
#endif
        // A reload, a scroll that brings new groups and cells, and a resize that re-flows all.
        const std::vector<CollectionViewItem*> others = otherView->visibleItems();
        view->reload();
        checkHeldOnce(*view);
        view->verticalScrollBar()->setValue(300);
        checkHeldOnce(*view);
        const std::vector<CollectionViewItem*> before = view->visibleItems();
        view->resize(view->size() + QSize(0, 1));
        checkHeldOnce(*view);
        checkHeldOnce(*otherView);
        QCOMPARE(otherView->visibleItems(), others);
        // A cell kept for its index comes back out of the pool, where it waited.
        if (kind == QLatin1String("a pooled cell without dequeuing"))
            QCOMPARE(view->visibleItems(), before);
        if (kind == QLatin1String("one cell for every index"))
            QCOMPARE(view->visibleItems(), std::vector<CollectionViewItem*>({ one.data() }));
    }

    void randomHostile_data()
    {
        addSeedRows(300);
    }
    void randomHostile()
    {
        // From any callback the delegate may reload, scroll, ask for a cell to be shown, change
        // the selection, delete a cell it made, hand out a widget again or delete the view.
        QFETCH(std::uint32_t, seed);
        Substituting d(seed);
        QPointer<CollectionView> view;
        const auto anyMade = [&d]() -> CollectionViewItem* {
            return d.made.empty() ? nullptr
                                  : d.made[std::size_t(d.pick(long(d.made.size())))].data();
        };
        d.cell = [&](CollectionView&, const Index&) { return d.chance(5) ? anyMade() : nullptr; };
        d.header = [&](CollectionView&, unsigned long) -> QWidget* {
            return d.chance(5)
                ? (d.chance(50) ? static_cast<QWidget*>(anyMade()) : d.lastHeader.data())
                : nullptr;
        };
        int depth = 0;
        // Qt goes on using a widget after its resize event: a resize is no time to delete it.
        bool mayDelete = true;
        d.onCall = [&](const char*) {
            if (!view || depth > 3 || !d.chance(12))
                return !view;
            ++depth;
            const auto leave = qScopeGuard([&depth] { --depth; });
            switch (d.pick(8)) {
            case 0:
                view->reload();
                break;
            case 1:
                view->verticalScrollBar()->setValue(
                    int(d.pick(view->verticalScrollBar()->maximum() + 1)));
                break;
            case 2:
                view->ensureItemVisible(Index(std::size_t(d.pick(3)), std::size_t(d.pick(60))));
                break;
            case 3:
                view->setSelection({ Index(0, std::size_t(d.pick(9))) });
                break;
            case 4:
                view->updateItems(d.chance(50));
                break;
            case 5:
                delete anyMade();
                break;
            case 6:
                delete d.lastHeader;
                break;
            default:
                // Qt's scroll area goes on using itself once its scroll bar has moved, and any
                // call may come from a scroll.
                if (mayDelete && d.chance(30))
                    view->deleteLater();
                break;
            }
            return !view;
        };
        d.counts
            = { 1 + std::size_t(d.pick(60)), std::size_t(d.pick(30)), 1 + std::size_t(d.pick(60)) };
        d.fixedColumns = 1 + d.pick(4);
        d.pooling = 70;
        view = d.showView(QSize(200 + int(d.pick(300)), 150 + int(d.pick(300)))).release();
        const auto cleanup = qScopeGuard([&view] { delete view; });
        const MessageLog silenced; // the refusals the view warns of
        const char* const steps[] = { "p01", "r01", "p12C", "r12C", "d02", "p00", "m00", "b", "kD",
            "kR", "kE", "o", "s", "e", "t", "n" };
        for (int i = 0; i < 30 && view && !QTest::currentTestFailed(); ++i) {
            if (d.chance(15))
                view->setSelectionType(CollectionViewSelectionType(d.pick(3)));
            if (d.chance(10)) {
                mayDelete = false;
                view->resize(150 + int(d.pick(400)), 100 + int(d.pick(400)));
                mayDelete = true;
            } else
                play(view, QString::fromLatin1(d.oneOf(steps)));
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (view)
                checkHeldOnce(*view);
        }
    }
};

QTEST_MAIN(tst_CollectionHostile)
#include "tst_collectionhostile.moc"
