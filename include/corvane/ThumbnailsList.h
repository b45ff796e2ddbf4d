#pragma once

#include <corvane/CorvaneExport.h>

#include <QFrame>

class QPixmap;
class QScrollArea;
class QVBoxLayout;
class ThumbnailsListItem;

// A vertically scrolling column of thumbnails with one current entry, keyboard navigation,
// activation, in-place renaming and a delete request. The list never removes entries on its
// own: it reports through its signals and the host calls back.
class CORVANE_WIDGETS_EXPORT ThumbnailsList : public QFrame
{
    Q_OBJECT
public:
    explicit ThumbnailsList(QWidget* parent = nullptr);
    ~ThumbnailsList() override;

    // Builds the scroll area and the entries' layout; the constructor calls it, later calls
    // change nothing.
    void makeGui();

    int count() const;
    int currentIndex() const;
    ThumbnailsListItem* current() const;
    ThumbnailsListItem* getItem(int index) const;

    void addItem(const QPixmap& pixmap, const QString& text);
    void insertItem(int index, const QPixmap& pixmap, const QString& text, bool select);
    // Returns whether entries remain.
    bool removeItem(int index);

    void setSelected(QWidget* entry);
    void setSelected(int index);
    void setSelected(const QPoint& globalPos);
    ThumbnailsListItem* findSelecting(const QPoint& globalPos) const;

    void initRename(int index);
    void renameItem(int index, const QString& text);
    void currentActivate();

public Q_SLOTS:
    void clickTimeOut();
    void fireRenameItem(const QString& text);

Q_SIGNALS:
    void activateItem(int index);
    void renameItem(const QString& text);
    void selectionChanged();
    void deleted();

protected:
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
