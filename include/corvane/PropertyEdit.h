#pragma once

/// @file
/// PropertyEdit, one user edit of a property sheet.

#include <QList>
#include <QMetaType>
#include <QPointer>
#include <QString>
#include <QVariant>

/// One user edit of a property sheet row, as PropertyListWidget::propertyEdited() reports it,
/// right after the sheet's write. Only writes that an object took are reported: a setter that
/// throws, a declared property that does not take the value, and a keyed combo entry that the
/// object turns into "0" leave the object out, and an edit that no object took is not reported.
struct PropertyEdit
{
    /// The steps of a drag on a number field or of a held slider handle are Intermediate, and the
    /// movement ends with one Final report. Typing, choosing, clicking and arrow keys are Final.
    enum Phase {
        Intermediate, ///< A step of a movement that goes on.
        Final ///< A whole edit, or the end of a movement.
    };
    /// A value row writes its property; a button row invokes its slot and carries no values.
    enum Kind {
        Write, ///< A value row wrote its property.
        Invocation ///< A button row invoked its slot.
    };

    /// Whether a property was written or a slot invoked.
    Kind kind = Write;
    /// Whether the edit is a step of a movement or final.
    Phase phase = Final;
    /// The row's "prop": the property written, or the slot invoked.
    QString property;
    /// The row's title, for texts such as "Change Size".
    QString label;
    /// The value written.
    QVariant value;
    /// The objects that took the write (or whose slot was invoked), in binding order.
    QList<QPointer<QObject>> objects;
    /// The value each of `objects` held when the edit began; for a movement, before its first
    /// step.
    QVariantList oldValues;

    /// Whether phase is Final.
    bool isFinal() const { return phase == Final; }
    /// The number of objects written.
    int objectCount() const { return int(objects.size()); }
    /// The value before the edit on the first object written.
    QVariant oldValue() const { return oldValues.value(0); }
};
Q_DECLARE_METATYPE(PropertyEdit)
