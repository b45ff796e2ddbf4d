#pragma once

#include <QWidget>

class PropertyListWidget;
class QBoxLayout;
class QUndoStack;

// A page with a property sheet beside what it edits: the sheet scrolls in a column under Undo
// and Redo buttons (Ctrl+Z and Ctrl+Shift+Z anywhere on the page) and a box that filters its
// rows, and the preview stands on its right, or above it when the page is narrow.
class SheetPage : public QWidget
{
    Q_OBJECT
public:
    explicit SheetPage(QWidget* parent = nullptr);

    QUndoStack* undoStack() const { return m_undoStack; }

protected:
    // Places the sheet and the preview; the sheet's edits go onto the page's undo stack.
    void setContent(PropertyListWidget* sheet, QWidget* preview);
    void resizeEvent(QResizeEvent* event) override;

private:
    QUndoStack* m_undoStack;
    QWidget* m_column = nullptr;
    QWidget* m_preview = nullptr;
    QBoxLayout* m_layout;
};
