#include "propertysheet/EditReporter.h"

#include "propertysheet/DescriptionKeys.h"

#include <corvane/PropertyListWidget.h>

#include <QMetaMethod>

EditReporter::EditReporter(PropertyListWidget* sheet)
    : QObject(sheet)
    , m_sheet(sheet)
{ }

bool EditReporter::listened() const
{
    return !m_sheet->m_refreshing
        && m_sheet->isSignalConnected(QMetaMethod::fromSignal(&PropertyListWidget::propertyEdited));
}

PropertyEdit EditReporter::before(QObject* row, PropertyEdit::Kind kind) const
{
    PropertyEdit edit;
    edit.kind = kind;
    const PropertyDescription record = row && row->isWidgetType()
        ? m_sheet->m_descriptions.value(static_cast<QWidget*>(row))
        : PropertyDescription();
    edit.property = record.value(PropertyKey::Prop).toString();
    edit.label = record.value(PropertyKey::Label).toString();
    const QByteArray name = edit.property.toLatin1();
    for (QObject* object : std::as_const(m_sheet->m_objects)) {
        if (!object)
            continue;
        edit.objects << object;
        if (kind == PropertyEdit::Write)
            edit.oldValues << object->property(name);
    }
    return edit;
}

// Reports `edit` for the objects in `took`, each with its old value; nothing when none took it,
// nor for a slot the host called itself: with no row behind it the edit names no property.
void EditReporter::report(PropertyEdit edit, QObjectList const& took)
{
    if (edit.property.isEmpty())
        return;
    QList<QPointer<QObject>> objects;
    QVariantList oldValues;
    for (int i = 0; i < edit.objects.size(); ++i) {
        QObject* object = edit.objects.at(i);
        if (!object || !took.contains(object))
            continue;
        objects << object;
        if (edit.kind == PropertyEdit::Write)
            oldValues << edit.oldValues.value(i);
    }
    if (objects.isEmpty())
        return;
    edit.objects = objects;
    edit.oldValues = oldValues;
    Q_EMIT m_sheet->propertyEdited(edit);
}

EditReporter::Write::Write(EditReporter* reporter, QObject* row, PropertyEdit::Phase phase)
    : m_reporter(reporter)
    , m_row(row)
    , m_phase(phase)
    , m_reported(reporter->m_writes == 0 && reporter->listened())
{
    ++reporter->m_writes;
    // The steps after the first, and the write that ends a movement, keep the movement's start.
    if (m_reported && !reporter->m_movements.contains(row))
        m_before = reporter->before(row, PropertyEdit::Write);
}

EditReporter::Write::~Write()
{
    if (m_reporter)
        --m_reporter->m_writes;
}

void EditReporter::Write::done(QVariant const& value, QObjectList const& took)
{
    if (!m_reported || !m_reporter)
        return;
    auto& movements = m_reporter->m_movements;
    Movement movement = movements.take(m_row);
    if (movement.edit.objects.isEmpty())
        movement.edit = m_before;
    for (QObject* object : took) {
        if (!movement.took.contains(object))
            movement.took << object;
    }
    PropertyEdit edit = movement.edit;
    edit.phase = m_phase;
    edit.value = value;
    if (m_phase == PropertyEdit::Intermediate) {
        // The movement's end reports the last value that an object took.
        if (!took.isEmpty())
            movement.edit.value = value;
        movements.insert(m_row, movement);
        m_reporter->report(edit, took);
    } else {
        m_reporter->report(edit, movement.took);
    }
}

void EditReporter::onMovementFinished()
{
    const Movement movement = m_movements.take(sender());
    if (movement.took.isEmpty() || !listened())
        return;
    PropertyEdit edit = movement.edit;
    edit.phase = PropertyEdit::Final;
    report(edit, movement.took);
}

void EditReporter::onButtonClicked()
{
    if (!listened())
        return;
    const PropertyEdit edit = before(sender(), PropertyEdit::Invocation);
    // Only objects with the slot: a button does nothing for the others.
    const QByteArray slot = QMetaObject::normalizedSignature(
        (edit.property + QStringLiteral("()")).toLatin1().constData());
    QObjectList took;
    for (QObject* object : edit.objects) {
        if (object && object->metaObject()->indexOfSlot(slot.constData()) >= 0)
            took << object;
    }
    report(edit, took);
}
