#pragma once

#include <corvane/CollectionViewItem.h>
#include <corvane/CorvaneExport.h>

#include <QAccessibleWidget>
#include <QPointer>

#include <map>

class CollectionView;
class NewInnerWidget;

// A collection view as assistive technology sees it: a list whose children are all its items,
// placed or not (at most INT_MAX of them), made on demand without asking for cells.
class CORVANE_AUTOTEST_EXPORT CollectionViewAccessible : public QAccessibleWidget
{
public:
    explicit CollectionViewAccessible(CollectionView* view);
    ~CollectionViewAccessible() override;

    // Installs the factory that describes every CollectionView this way; once.
    static void install();
    // Whether anyone listens: events are built only then.
    static bool isActive();
    // Tells assistive technology about the list, or about one of its items.
    static void notify(CollectionView* view, QAccessible::Event event,
        const CollectionViewIndex& item = CollectionViewIndex());
    // Tests observe the events here: nothing activates QAccessible on a headless platform.
    using Observer = void (*)(QAccessibleEvent* event);
    static void setObserver(Observer observer);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    QAccessible::State state() const override;

    // The child of an index; null when it is not valid or past INT_MAX.
    QAccessibleInterface* item(const CollectionViewIndex& index) const;

private:
    CollectionView* view() const;
    NewInnerWidget* inner() const;

    mutable std::map<CollectionViewIndex, QAccessible::Id> m_items;
};

// One item of a collection view, whether a cell shows it or not.
class CORVANE_AUTOTEST_EXPORT CollectionItemAccessible : public QAccessibleInterface
{
public:
    CollectionItemAccessible(CollectionView* view, const CollectionViewIndex& index);

    // The cell's accessible name when one is placed and named, else "Group g, item i" from 1.
    static QString defaultName(CollectionView& view, const CollectionViewIndex& index);

    CollectionView* view() const { return m_view; }
    CollectionViewIndex index() const { return m_index; }

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override { }
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override;

private:
    NewInnerWidget* inner() const;

    QPointer<CollectionView> m_view;
    CollectionViewIndex m_index;
};
