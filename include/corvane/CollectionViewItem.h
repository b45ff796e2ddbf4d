#pragma once

#include <corvane/CorvaneExport.h>

#include <QWidget>

// The address of one cell of a CollectionView: a group and an item within it. A field with all
// bits set means none; a default-constructed index is none in both fields.
struct CollectionViewIndex
{
    static constexpr unsigned long None = static_cast<unsigned long>(-1);

    CollectionViewIndex() = default;
    constexpr CollectionViewIndex(unsigned long g, unsigned long i)
        : group(g)
        , item(i)
    { }

    unsigned long group = None;
    unsigned long item = None;
};

// Groups first, then items, each compared as a signed number so that none sorts before every
// real index.
inline bool operator<(const CollectionViewIndex& a, const CollectionViewIndex& b)
{
    const auto ga = static_cast<long>(a.group);
    const auto gb = static_cast<long>(b.group);
    if (ga != gb)
        return ga < gb;
    return static_cast<long>(a.item) < static_cast<long>(b.item);
}

inline bool operator==(const CollectionViewIndex& a, const CollectionViewIndex& b)
{
    return a.group == b.group && a.item == b.item;
}

inline bool operator!=(const CollectionViewIndex& a, const CollectionViewIndex& b)
{
    return !(a == b);
}

enum CollectionViewSelectionType {
    CollectionViewSelectionNone = 0,
    CollectionViewSelectionSingle = 1,
    CollectionViewSelectionMultiple = 2
};

// Base class of every cell shown by a CollectionView. The view sets the index and the selected
// flag; host cells override OnSelectionChanged() to restyle themselves.
class CORVANE_WIDGETS_EXPORT CollectionViewItem : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool selected READ selected)
public:
    explicit CollectionViewItem(QWidget* parent = nullptr);
    ~CollectionViewItem() override;

    bool selected() const { return m_selected; }
    void setSelected(bool selected);

    CollectionViewIndex index() const { return m_index; }
    void setIndex(const CollectionViewIndex& index);

    // Called after the selected flag changed.
    virtual void OnSelectionChanged(bool selected);

private:
    bool m_selected = false;
    CollectionViewIndex m_index;
};
