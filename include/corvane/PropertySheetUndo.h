#pragma once

/// @file
/// PropertySheetUndo, undo and redo of a property sheet's edits.

#include <corvane/CorvaneExport.h>

#include <QObject>
#include <QPointer>

class PropertyListWidget;
class QUndoStack;
struct PropertyEdit;

/// Records the user edits of a property sheet on an undo stack. Each final edit is one command,
/// so a whole drag or slider movement is one; it is named "Change <row title>". Undo and redo
/// write each object's old or new value back through QObject::setProperty, then refresh the
/// sheet, which reports no edits for that. Several sheets may share one stack. Objects destroyed
/// since the edit are left out, and a command whose objects are all gone does nothing. Button
/// invocations and edits that left every value as it was make no command. The helper is a child
/// of the sheet; the stack may be destroyed first.
///
/// @code
/// auto* undo = new QUndoStack(window);
/// new PropertySheetUndo(sheet, undo); // owned by the sheet
/// editMenu->addAction(undo->createUndoAction(editMenu));
/// @endcode
class CORVANE_WIDGETS_EXPORT PropertySheetUndo : public QObject
{
    Q_OBJECT
public:
    /// Starts recording the edits of `sheet` on `stack`; the helper becomes the sheet's child.
    PropertySheetUndo(PropertyListWidget* sheet, QUndoStack* stack);

    /// The sheet whose edits are recorded.
    PropertyListWidget* sheet() const;
    /// The stack, or null once it was destroyed.
    QUndoStack* stack() const;

private:
    void onPropertyEdited(PropertyEdit const& edit);

    PropertyListWidget* m_sheet;
    QPointer<QUndoStack> m_stack;
};
