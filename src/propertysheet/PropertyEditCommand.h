#pragma once

#include <corvane/PropertyEdit.h>

#include <QPointer>
#include <QUndoCommand>

class PropertyListWidget;

// One user edit of a sheet on an undo stack: undo gives every object its own old value back,
// redo the value written, each through QObject::setProperty; then the sheet shows them.
class PropertyEditCommand : public QUndoCommand
{
public:
    PropertyEditCommand(PropertyListWidget* sheet, PropertyEdit const& edit);

    void undo() override;
    void redo() override;

private:
    void write(bool oldValues);

    QPointer<PropertyListWidget> m_sheet;
    PropertyEdit m_edit;
    // The sheet wrote the value before the command was pushed; the push's redo() is no write.
    bool m_written = true;
};
