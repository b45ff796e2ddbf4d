#pragma once

/// @file
/// The cells of a CollectionView, their index, and the selection types.

#include <corvane/CorvaneExport.h>

#include <QWidget>

/// The address of one cell of a CollectionView: a group and an item within it. A field with all
/// bits set means none; a default-constructed index is none in both fields.
struct CollectionViewIndex
{
    /// The value of a field that means none.
    static constexpr unsigned long None = static_cast<unsigned long>(-1);

    /// None in both fields.
    CollectionViewIndex() = default;
    /// Item `i` of group `g`.
    constexpr CollectionViewIndex(unsigned long g, unsigned long i)
        : group(g)
        , item(i)
    { }

    unsigned long group = None; ///< The group, from 0.
    unsigned long item = None; ///< The item within the group, from 0.
};

/// Groups first, then items, each compared as a signed number so that none sorts before every
/// real index.
inline bool operator<(const CollectionViewIndex& a, const CollectionViewIndex& b)
{
    const auto ga = static_cast<long>(a.group);
    const auto gb = static_cast<long>(b.group);
    if (ga != gb)
        return ga < gb;
    return static_cast<long>(a.item) < static_cast<long>(b.item);
}

/// Same group and same item.
inline bool operator==(const CollectionViewIndex& a, const CollectionViewIndex& b)
{
    return a.group == b.group && a.item == b.item;
}

/// Not operator==().
inline bool operator!=(const CollectionViewIndex& a, const CollectionViewIndex& b)
{
    return !(a == b);
}

/// How the user may select in a CollectionView.
enum CollectionViewSelectionType {
    CollectionViewSelectionNone = 0, ///< Not at all, and the view takes no keys. The default.
    CollectionViewSelectionSingle = 1, ///< One item at a time.
    CollectionViewSelectionMultiple = 2 ///< Several items, with Ctrl and Shift.
};

/// Base class of every cell shown by a CollectionView. The view sets the index and the selected
/// flag; host cells override OnSelectionChanged() to restyle themselves.
///
/// Theming: the host's cell class, and the `selected` property.
class CORVANE_WIDGETS_EXPORT CollectionViewItem : public QWidget
{
    Q_OBJECT
    /// For the style sheet: whether the cell is selected.
    Q_PROPERTY(bool selected READ selected)
public:
    /// An unselected cell without an index.
    explicit CollectionViewItem(QWidget* parent = nullptr);
    ~CollectionViewItem() override;

    /// Whether the cell is selected.
    bool selected() const { return m_selected; }
    /// Sets the selected flag; when it changes, applies the style sheet again and calls
    /// OnSelectionChanged(). The view calls it; hosts change the selection through the view.
    void setSelected(bool selected);

    /// The item the cell shows.
    CollectionViewIndex index() const { return m_index; }
    /// Sets the item the cell shows; the view calls it when it places the cell.
    void setIndex(const CollectionViewIndex& index);

    /// Called after the selected flag changed; does nothing by default.
    virtual void OnSelectionChanged(bool selected);

private:
    bool m_selected = false;
    CollectionViewIndex m_index;
};
