#pragma once

/// @file
/// ThumbnailsList, a column of thumbnails.

#include <corvane/CorvaneExport.h>

#include <QFrame>

class QPixmap;
class QScrollArea;
class QVBoxLayout;
class ThumbnailsListItem;

/// A vertically scrolling column of thumbnails with one current entry, keyboard navigation,
/// activation, in-place renaming and a delete request. The list never removes entries on its
/// own: it reports through its signals and the host calls back.
///
/// Keys, on the current entry: Up and Down move the selection, F2 starts renaming, Return or
/// Enter activates (or ends a rename), Esc abandons a rename, Tab selects the next entry (the
/// first after the last), and Delete emits deleted() before any Delete shortcut of the host. A
/// left click selects the entry under it; a double click activates it, or on the caption starts
/// renaming.
///
/// Theming: class `ThumbnailsList`; the scrolled column is a frame named "content". Entries are
/// ThumbnailsListItems.
class CORVANE_WIDGETS_EXPORT ThumbnailsList : public QFrame
{
    Q_OBJECT
public:
    /// An empty list; nothing is current.
    explicit ThumbnailsList(QWidget* parent = nullptr);
    ~ThumbnailsList() override;

    /// Builds the scroll area and the entries' layout; the constructor calls it, later calls
    /// change nothing.
    void makeGui();

    /// The number of entries.
    int count() const;
    /// The current entry's index, -1 for none.
    int currentIndex() const;
    /// The current entry, or null.
    ThumbnailsListItem* current() const;
    /// The entry at `index`, or null outside the list.
    ThumbnailsListItem* getItem(int index) const;

    /// Appends an entry and selects it (emitting selectionChanged()).
    void addItem(const QPixmap& pixmap, const QString& text);
    /// Inserts an entry at `index` (appending for an index outside the list) and scrolls to it;
    /// with `select` it becomes current and selectionChanged() is emitted.
    void insertItem(int index, const QPixmap& pixmap, const QString& text, bool select);
    /// Removes the entry at `index` (deleted later) and selects the one that takes its place, or
    /// the one before; emits nothing. Returns whether entries remain.
    bool removeItem(int index);

    /// Makes `entry` current and selected, deselecting the others; emits nothing.
    void setSelected(QWidget* entry);
    /// Only sets the current index; no entry changes its look.
    void setSelected(int index);
    /// Selects the entry under the global position, if any, as setSelected(QWidget*).
    void setSelected(const QPoint& globalPos);
    /// The entry under the global position, or null.
    ThumbnailsListItem* findSelecting(const QPoint& globalPos) const;

    /// Starts renaming the entry at `index`, its caption selected.
    void initRename(int index);
    /// Sets the caption of the entry at `index`; emits nothing.
    void renameItem(int index, const QString& text);
    /// Emits activateItem() for the current entry, if any.
    void currentActivate();

public Q_SLOTS:
    /// Does nothing; kept for hosts that connect to it.
    void clickTimeOut();
    /// Emits renameItem(QString) with `text`.
    void fireRenameItem(const QString& text);

Q_SIGNALS:
    /// An entry was activated (double click, Return or Enter, currentActivate()).
    void activateItem(int index);
    /// A rename of the current entry ended with `text`, changed or not. The entry already shows
    /// it; the host may keep it or set another with renameItem(int, QString).
    void renameItem(const QString& text);
    /// A click, addItem() or a selecting insertItem() made an entry current. Keys that move the
    /// selection do not emit it.
    void selectionChanged();
    /// The user asked to delete the current entry: its delete button, or the Delete key while
    /// the list has entries. The host removes it with removeItem().
    void deleted();

protected:
    /// Handles the keys, the clicks and Delete described above.
    bool eventFilter(QObject* watched, QEvent* event) override;

private Q_SLOTS:
    void activate();
    void indexChanged(QWidget* entry);

private:
    bool handleKeyPress(ThumbnailsListItem* entry, int key);
    void moveSelection(ThumbnailsListItem* from, int index);
    void ensureVisible(QWidget* entry);

    QVBoxLayout* m_itemsLayout = nullptr;
    QScrollArea* m_scrollArea = nullptr;
    int m_current = -1;
};
