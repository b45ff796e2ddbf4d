#pragma once

#include <QList>
#include <QMetaType>
#include <QPointer>
#include <QString>
#include <QVariant>

// One user edit of a property sheet row, as PropertyListWidget::propertyEdited() reports it,
// right after the sheet's write. Only writes that an object took are reported: a setter that
// throws, a declared property that does not take the value, and a keyed combo entry that the
// object turns into "0" leave the object out, and an edit that no object took is not reported.
struct PropertyEdit
{
    // The steps of a drag on a number field or of a held slider handle are Intermediate, and the
    // movement ends with one Final report. Typing, choosing, clicking and arrow keys are Final.
    enum Phase { Intermediate, Final };
    // A value row writes its property; a button row invokes its slot and carries no values.
    enum Kind { Write, Invocation };

    Kind kind = Write;
    Phase phase = Final;
    // The row's "prop": the property written, or the slot invoked.
    QString property;
    // The row's title, for texts such as "Change Size".
    QString label;
    // The value written.
    QVariant value;
    // The objects that took the write (or whose slot was invoked), in binding order, and the
    // value each held when the edit began; for a movement, before its first step.
    QList<QPointer<QObject>> objects;
    QVariantList oldValues;

    bool isFinal() const { return phase == Final; }
    int objectCount() const { return int(objects.size()); }
    // The value before the edit on the first object written.
    QVariant oldValue() const { return oldValues.value(0); }
};
Q_DECLARE_METATYPE(PropertyEdit)
