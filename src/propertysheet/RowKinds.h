#pragma once

#include "propertysheet/DescriptionKeys.h"

#include <corvane/PropertyListWidget.h>

#include <QPointer>
#include <QVector>

#include <optional>

class EditReporter;

class ComboBox;

// One bound row as its kind sees it while the sheet creates or refreshes it.
struct RowContext
{
    PropertyListWidget* sheet;
    // The bound object; null when the host gave none or has destroyed it.
    QPointer<QObject> object;
    PropertyDescription const& record;
    // The record's "prop", and the bound property's value read before the kind was asked.
    QString prop;
    QVariant value;
    // At creation: the host's helper, may be null.
    IPropertyListHelper* helper = nullptr;
    // At a refresh that has just bound the sheet to other objects: the objects it left, null
    // where the host has destroyed them.
    bool rebound = false;
    QVector<QPointer<QObject>> previous = {};
    // Every bound object, `object` first; more than one when the sheet edits several at once.
    QVector<QPointer<QObject>> objects = {};
    // The objects disagree on the value; `value` is the first one's.
    bool mixed = false;
    // Where the rows report what is no write: the end of a movement, a button's invocation.
    EditReporter* edits = nullptr;
    // At a refresh: the enabled state, when the sheet has read it already.
    std::optional<bool> knownEnabled = {};

    QString label() const { return record.value(PropertyKey::Label).toString(); }
    bool enabled() const { return knownEnabled ? *knownEnabled : sheet->checkForEnabled(record); }
};

// A kind of bound row ("number", "file", ...): everything the sheet does with the rows of one
// type, in one place. Rows that only shape the sheet (panels, titles, spaces, lines, labels)
// are built by the sheet itself.
class RowKind
{
public:
    // The kind of the rows that records of `type` make; null for a type that makes no bound row.
    static const RowKind* find(QString const& type);

    explicit RowKind(QLatin1String type)
        : m_type(type)
    { }
    virtual ~RowKind() = default;
    RowKind(RowKind const&) = delete;
    RowKind& operator=(RowKind const&) = delete;

    QLatin1String type() const { return m_type; }

    // A new control without parent, showing the bound value.
    virtual QWidget* create(RowContext const& row) const = 0;
    // Routes the control's user edits to where they are written: the sheet's slot for the kind,
    // which stores them in the bound property (buttons call a slot of the object instead).
    virtual void connectEdits(QWidget* control, RowContext const& row) const = 0;
    // Shows the bound value and the enabled state again, without reporting an edit back. A
    // control of another class than the kind's is left as it is.
    virtual void refresh(QWidget* control, RowContext const& row) const = 0;
    // Shows that the objects disagree on the value, or no longer do.
    virtual void showMixed(QWidget* control, bool mixed) const;

private:
    QLatin1String m_type;
};

// Selects the entry of a combo bound to an enum or flags property (see ComboEnumProperty) that
// stands for the property's `value`, without reporting an edit; no entry when none does.
void showEnumValue(ComboBox* combo, PropertyDescription const& record, QVariant const& value);
