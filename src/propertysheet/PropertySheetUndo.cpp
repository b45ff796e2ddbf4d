#include <corvane/PropertySheetUndo.h>

#include "propertysheet/PropertyEditCommand.h"

#include <corvane/PropertyListWidget.h>

#include <QUndoStack>

#include <algorithm>

PropertySheetUndo::PropertySheetUndo(PropertyListWidget* sheet, QUndoStack* stack)
    : QObject(sheet)
    , m_sheet(sheet)
    , m_stack(stack)
{
    connect(sheet, &PropertyListWidget::propertyEdited, this, &PropertySheetUndo::onPropertyEdited);
}

PropertyListWidget* PropertySheetUndo::sheet() const
{
    return m_sheet;
}

QUndoStack* PropertySheetUndo::stack() const
{
    return m_stack;
}

void PropertySheetUndo::onPropertyEdited(PropertyEdit const& edit)
{
    if (!m_stack || edit.kind != PropertyEdit::Write || !edit.isFinal())
        return;
    const bool changed = std::any_of(edit.oldValues.cbegin(), edit.oldValues.cend(),
        [&edit](QVariant const& old) { return old != edit.value; });
    if (changed)
        m_stack->push(new PropertyEditCommand(m_sheet, edit));
}
