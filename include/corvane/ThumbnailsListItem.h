#pragma once

/// @file
/// ThumbnailsListItem, one entry of a ThumbnailsList.

#include <corvane/CorvaneExport.h>

#include <QFrame>
#include <QPixmap>

class QLineEdit;
class QPushButton;
class QVBoxLayout;
class ThumbnailLabel;

/// One entry of a ThumbnailsList: a picture above a caption that can be edited in place, with a
/// delete button beside the caption while the entry is selected.
///
/// Theming: class `ThumbnailsListItem`, `style_type` "default" or "active" (selected); the
/// picture is a label named "image", the delete button is named "del"; the caption is a
/// frameless QLineEdit, disabled except while renaming.
class CORVANE_WIDGETS_EXPORT ThumbnailsListItem : public QFrame
{
    Q_OBJECT
    /// The look for the style sheet: "default", "active" while selected, or empty before either.
    Q_PROPERTY(QString style_type READ getStyleType)
public:
    /// An entry showing `pixmap` above the caption `text`.
    ThumbnailsListItem(const QString& text, const QPixmap& pixmap, QWidget* parent = nullptr);
    ~ThumbnailsListItem() override;

    /// Builds the children; the constructor calls it, later calls change nothing.
    void makeGui(const QString& text);

    /// The `style_type` property.
    QString getStyleType() const;
    /// Sets `style_type` and applies the theme again.
    void forceStyles(const QString& type);
    /// The unselected look: "default", the delete button hidden.
    void setDefaultStyle();
    /// The selected look: "active", the delete button shown.
    void setActiveStyle();

    /// The label that paints the picture, scaled to the entry's width.
    ThumbnailLabel* getThumbnailLabel() const;

    /// Whether the entry is selected.
    bool selected() const;
    /// Selects the entry (the "active" look, and the focus) or deselects it, which ends a rename
    /// in progress as leaving the caption does.
    void setSelected(bool on);

    /// Whether a caption edit is in progress (the editor is enabled).
    bool edited() const;
    /// Same as edited().
    bool isEdited() const;
    /// Selects the caption's whole text.
    void setTextSelected();
    /// Abandons a rename: the caption shows the text it had when the rename began, and
    /// editingText() is not emitted.
    void revertText();

    /// Sets the caption; emits nothing.
    void setText(const QString& text);
    /// The caption.
    QString text() const;

    /// The caption editor's rectangle in global coordinates.
    QRect textRect() const;
    /// The item's rectangle in global coordinates.
    QRect globalRect() const;

    /// The current width, and the height of the picture and the caption.
    QSize sizeHint() const override;

public Q_SLOTS:
    /// Starts (true) or stops renaming; starting gives the caption the focus and remembers its
    /// text for revertText().
    void enableEdit(bool on);
    /// Starts renaming.
    void enableEdit();
    /// Ends a rename in progress and emits editingText(); otherwise does nothing. Return,
    /// Enter and leaving the caption call it.
    void editingFinished();

Q_SIGNALS:
    /// A double click outside the caption.
    void activate();
    /// A rename ended, with the caption's text, changed or not.
    void editingText(const QString& text);
    /// The delete button was clicked.
    void deleted();
    /// Declared for subclasses that track focus; the entry does not emit it itself.
    void focusChanged(QWidget* item);

protected:
    /// On the caption starts renaming; elsewhere emits activate().
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    /// Shows the selected look again for a selected entry.
    void showEvent(QShowEvent* e) override;
    /// Ends a rename when the caption loses the focus (not to its own context menu).
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
