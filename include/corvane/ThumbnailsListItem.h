#pragma once

#include <corvane/CorvaneExport.h>

#include <QFrame>
#include <QPixmap>

class QLineEdit;
class QPushButton;
class QVBoxLayout;
class ThumbnailLabel;

// One entry of a ThumbnailsList: a picture above a caption that can be edited in place, with a
// delete button beside the caption while the entry is selected.
class CORVANE_WIDGETS_EXPORT ThumbnailsListItem : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(QString style_type READ getStyleType)
public:
    ThumbnailsListItem(const QString& text, const QPixmap& pixmap, QWidget* parent = nullptr);
    ~ThumbnailsListItem() override;

    // Builds the children; the constructor calls it, later calls change nothing.
    void makeGui(const QString& text);

    QString getStyleType() const;
    void forceStyles(const QString& type);
    void setDefaultStyle();
    void setActiveStyle();

    ThumbnailLabel* getThumbnailLabel() const;

    bool selected() const;
    void setSelected(bool on);

    // Whether a caption edit is in progress (the editor is enabled).
    bool edited() const;
    bool isEdited() const;
    void setTextSelected();
    void revertText();

    void setText(const QString& text);
    QString text() const;

    // The caption editor's and the item's rectangles in global coordinates.
    QRect textRect() const;
    QRect globalRect() const;

    QSize sizeHint() const override;

public Q_SLOTS:
    void enableEdit(bool on);
    void enableEdit();
    void editingFinished();

Q_SIGNALS:
    void activate();
    void editingText(const QString& text);
    void deleted();
    void focusChanged(QWidget* item);

protected:
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    friend class ThumbnailsList;

    void applyStyleType(const QString& type);
    // Whether the entry shows just what setSelected(false) leaves, so that the call would change
    // nothing.
    bool isDeselected() const;

    QString m_styleType;
    QVBoxLayout* m_layout = nullptr;
    QLineEdit* m_editor = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QString m_savedText;
    ThumbnailLabel* m_thumbnail = nullptr;
    QPixmap m_pixmap;
    bool m_selected = false;
    bool m_reverting = false;
};
