#include "propertysheet/PropertyEditCommand.h"

#include <corvane/PropertyListWidget.h>

#include <QCoreApplication>

#include <utility>

PropertyEditCommand::PropertyEditCommand(PropertyListWidget* sheet, PropertyEdit const& edit)
    : m_sheet(sheet)
    , m_edit(edit)
{
    setText(QCoreApplication::translate("Corvane", "Change %1")
                .arg(edit.label.isEmpty() ? edit.property : edit.label));
}

void PropertyEditCommand::undo()
{
    write(true);
}

void PropertyEditCommand::redo()
{
    if (std::exchange(m_written, false))
        return;
    write(false);
}

void PropertyEditCommand::write(bool oldValues)
{
    const QByteArray name = m_edit.property.toLatin1();
    for (int i = 0; i < m_edit.objects.size(); ++i) {
        const QPointer<QObject>& object = m_edit.objects.at(i);
        if (!object)
            continue;
        // A setter that throws leaves that object as it is; the others still follow.
        try {
            object->setProperty(name, oldValues ? m_edit.oldValues.value(i) : m_edit.value);
        } catch (...) { }
    }
    if (m_sheet)
        m_sheet->updateAll();
}
