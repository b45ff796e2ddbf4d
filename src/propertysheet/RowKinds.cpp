#include "propertysheet/RowKinds.h"

#include "propertysheet/EditReporter.h"

#include <corvane/Button.h>
#include <corvane/CheckBox.h>
#include <corvane/ColorPicker.h>
#include <corvane/ComboBox.h>
#include <corvane/FilePicker.h>
#include <corvane/InputLineSlider.h>
#include <corvane/MultiTextField.h>
#include <corvane/TextField.h>

#include <QColor>
#include <QMetaProperty>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>

namespace {

QString stringOf(PropertyDescription const& record, QLatin1String key)
{
    return record.value(key).toString();
}

// A kind whose control reports each edit with one signal, connected to one slot of the sheet.
template<class Control, class Arg> class SheetRowKind : public RowKind
{
public:
    using Edited = void (Control::*)(Arg);
    using Slot = void (PropertyListWidget::*)(Arg);

    SheetRowKind(QLatin1String type, Edited edited, Slot slot)
        : RowKind(type)
        , m_edited(edited)
        , m_slot(slot)
    { }

    void connectEdits(QWidget* control, RowContext const& row) const override
    {
        if (auto* c = qobject_cast<Control*>(control))
            QObject::connect(c, m_edited, row.sheet, m_slot);
    }
    void refresh(QWidget* control, RowContext const& row) const final
    {
        if (auto* c = qobject_cast<Control*>(control)) {
            const QPointer<Control> alive(c);
            refreshControl(c, row);
            if (alive)
                c->setMixed(row.mixed);
        }
    }
    void showMixed(QWidget* control, bool mixed) const final
    {
        if (auto* c = qobject_cast<Control*>(control))
            c->setMixed(mixed);
    }

protected:
    virtual void refreshControl(Control* control, RowContext const& row) const = 0;
    void disconnectEdits(Control* control, RowContext const& row) const
    {
        QObject::disconnect(control, m_edited, row.sheet, m_slot);
    }

private:
    Edited m_edited;
    Slot m_slot;
};

// Precision arrives as a float and is truncated toward zero; values no int can hold fall back to
// the default instead of overflowing.
int precisionOf(PropertyDescription const& record)
{
    constexpr int defaultPrecision = 3;
    constexpr float largestFloatBelowIntLimit = 2147483520.0f; // 2^31 - 128
    const auto it = record.constFind(PropertyKey::Precision);
    if (it == record.cend())
        return defaultPrecision;
    const float precision = it->toFloat();
    if (!std::isfinite(precision) || std::fabs(precision) >= largestFloatBelowIntLimit)
        return defaultPrecision;
    return static_cast<int>(precision);
}

class NumberRow final : public SheetRowKind<InputLineSlider, float>
{
public:
    NumberRow()
        : SheetRowKind(
            RowType::Number, &InputLineSlider::changed, &PropertyListWidget::onNumberChanged)
    { }

    QWidget* create(RowContext const& row) const override
    {
        const auto flags = eInputLineFlags(
            row.record.value(PropertyKey::Flags, int(NumberFlags::Default)).toInt());
        auto* w = new InputLineSlider(row.label(), flags, nullptr);
        w->setMinValue(row.record.value(PropertyKey::MinValue, 0.0f).toFloat());
        w->setMaxValue(row.record.value(PropertyKey::MaxValue, 1.0f).toFloat());
        w->setPrecision(precisionOf(row.record));
        w->setObjectName(row.prop);
        w->setValueAndInit(row.value.toFloat(), flags);
        return w;
    }
    void connectEdits(QWidget* control, RowContext const& row) const override
    {
        SheetRowKind::connectEdits(control, row);
        if (auto* w = qobject_cast<InputLineSlider*>(control))
            QObject::connect(w, &InputLineSlider::adjustmentFinished, row.edits,
                &EditReporter::onMovementFinished);
    }

protected:
    void refreshControl(InputLineSlider* w, RowContext const& row) const override
    {
        w->setEnabled(row.enabled());
        w->setValue(row.value.toFloat(), NumberFlags::RefreshWrite);
    }
};

class FileRow final : public SheetRowKind<FilePicker, QString const&>
{
public:
    FileRow()
        : SheetRowKind(RowType::File, &FilePicker::fileChanged, &PropertyListWidget::onFileChanged)
    { }

    QWidget* create(RowContext const& row) const override
    {
        auto* w = new FilePicker(row.label(), nullptr);
        w->setObjectName(row.prop);
        if (row.helper) {
            // A helper that throws gives the row no source, as a sheet without helper has.
            IFileSource* source = nullptr;
            try {
                source = row.helper->fileSource(stringOf(row.record, PropertyKey::Mode));
            } catch (...) { }
            w->setSource(source);
        }
        w->setFileName(row.value.toString());
        return w;
    }

protected:
    void refreshControl(FilePicker* w, RowContext const& row) const override
    {
        w->QWidget::setEnabled(row.enabled());
        w->setFileName(row.value.toString());
    }
};

class ColorRow final : public SheetRowKind<ColorPicker, QColor const&>
{
public:
    ColorRow()
        : SheetRowKind(
            RowType::Color, &ColorPicker::colorChanged, &PropertyListWidget::onColorClicked)
    { }

    QWidget* create(RowContext const& row) const override
    {
        auto* w = new ColorPicker(row.label(), nullptr);
        w->setValue(row.value.value<QColor>());
        w->setObjectName(row.prop);
        w->setEnabled(row.enabled());
        return w;
    }

protected:
    void refreshControl(ColorPicker* w, RowContext const& row) const override
    {
        w->setEnabled(row.enabled());
        w->setValue(row.value.value<QColor>());
    }
};

class CheckRow final : public SheetRowKind<CheckBox, bool>
{
public:
    CheckRow()
        : SheetRowKind(RowType::Check, &CheckBox::clicked, &PropertyListWidget::onCheckClicked)
    { }

    QWidget* create(RowContext const& row) const override
    {
        const auto order = eOrder(row.record.value(PropertyKey::Order).toInt());
        auto* w = new CheckBox(row.label(), order, nullptr);
        w->setChecked(row.value.toBool());
        w->setObjectName(row.prop);
        return w;
    }

protected:
    void refreshControl(CheckBox* w, RowContext const& row) const override
    {
        w->setEnabled(row.enabled());
        w->setChecked(row.value.toBool());
    }
};

// Entries come from the object's "<prop>Values": a map gives a keyed combo bound to a string, a
// string list a plain one bound to an index.
class ComboRow final : public SheetRowKind<ComboBox, QString const&>
{
public:
    ComboRow()
        : SheetRowKind(RowType::Combo, &ComboBox::currentIndexChanged,
            &PropertyListWidget::onComboCurrentIndex)
    { }

    QWidget* create(RowContext const& row) const override
    {
        const bool twoLines = row.record.value(PropertyKey::Flags).toInt() & eTwoLines;
        auto* w = new ComboBox(row.label(), twoLines, nullptr);
        w->setEditable(row.record.value(PropertyKey::IsEditable).toBool());
        fill(w, row);
        w->setObjectName(row.prop);
        return w;
    }

protected:
    void refreshControl(ComboBox* w, RowContext const& row) const override
    {
        // A combo reads its property a second time, after the read every row makes: a host whose
        // getter counts or changes something sees the two reads it always saw.
        const QPointer<ComboBox> alive(w);
        const QVariant current = row.object->property(row.prop.toLatin1());
        if (!alive)
            return;
        // Entries that were missing at creation arrive with the first refresh that finds them;
        // filling them in is no edit of the user's.
        if (w->count() == 0) {
            disconnectEdits(w, row);
            fill(w, row);
            if (!alive)
                return;
            connectEdits(w, row);
        }
        // A plain list is refreshed through the combo's own signal on purpose: the sheet then
        // writes the entry text and its index back. Objects that disagree keep their values.
        if (row.mixed)
            w->setMixed(true);
        else if (w->property(ComboNoKeysProperty).toBool())
            w->setCurrentIndex(current.toInt());
        else if (w->property(ComboEnumProperty).toBool())
            showEnumValue(w, row.record, current);
        else
            w->setValue(current.toString());
        if (!alive)
            return;
        const bool enabled = row.enabled();
        if (alive)
            w->QWidget::setEnabled(enabled);
    }

private:
    static void fill(ComboBox* combo, RowContext const& row)
    {
        if (!row.object)
            return;
        const QPointer<ComboBox> alive(combo);
        QVariant values = row.object->property((row.prop + PropertySuffix::Values).toLatin1());
        if (!alive)
            return;
        // The record's entries stand in for a "<prop>Values" the object does not have.
        const bool fromRecord = !values.isValid();
        if (fromRecord)
            values = row.record.value(PropertyKey::Values);
        const QMap<QString, QVariant> map = values.toMap();
        const QStringList list = map.isEmpty() ? values.toStringList() : QStringList();
        const QVariant value = row.object->property(row.prop.toLatin1());
        if (!alive)
            return;

        if (!map.isEmpty()) {
            combo->setValues(map);
            if (fromRecord && isEnum(row)) {
                // An enum takes its keys only: no typed text.
                combo->setEditable(false);
                combo->setProperty(ComboEnumProperty, true);
                showEnumValue(combo, row.record, value);
            } else {
                combo->setValue(value.toString());
            }
            combo->setProperty(ComboNoKeysProperty, false);
        } else if (!list.isEmpty()) {
            combo->setValues(list);
            combo->setCurrentIndex(value.toInt());
            combo->setProperty(ComboNoKeysProperty, true);
        }
    }
    static bool isEnum(RowContext const& row)
    {
        const QMetaObject* meta = row.object->metaObject();
        return meta->property(meta->indexOfProperty(row.prop.toLatin1().constData())).isEnumType();
    }
};

// A button writes nothing: a click calls the object's slot named by "prop", and the slot follows
// the sheet to another object.
class ButtonRow final : public RowKind
{
public:
    ButtonRow()
        : RowKind(RowType::Button)
    { }

    QWidget* create(RowContext const& row) const override
    {
        auto* w = new Button(row.label(), nullptr);
        w->setObjectName(row.prop);
        return w;
    }
    void connectEdits(QWidget* control, RowContext const& row) const override
    {
        for (QObject* object : row.objects)
            connectSlot(control, object, row.prop, true);
        // After the button's own handling of the click, which runs the slots.
        if (auto* button = qobject_cast<Button*>(control))
            QObject::connect(button, &Button::clicked, row.edits, &EditReporter::onButtonClicked);
    }
    void refresh(QWidget* control, RowContext const& row) const override
    {
        auto* button = qobject_cast<Button*>(control);
        if (!button)
            return;
        button->setEnabled(row.enabled());
        if (row.rebound) {
            for (QObject* object : row.previous)
                connectSlot(button, object, row.prop, false);
            for (QObject* object : row.objects)
                connectSlot(button, object, row.prop, true);
        }
    }

private:
    // String-based on purpose: the slot is only known by name, and a host object without it
    // leaves the button inert.
    static void connectSlot(QWidget* button, QObject* object, QString const& prop, bool connect)
    {
        if (!object)
            return;
        const QByteArray slot = QStringLiteral("1%1()").arg(prop).toLatin1();
        if (connect)
            QObject::connect(button, "2buttonClicked(QObject*)", object, slot.constData());
        else
            QObject::disconnect(button, "2buttonClicked(QObject*)", object, slot.constData());
    }
};

// Text and multi-line text rows start with the record's "w_value" and show the property as soon
// as the object has one.
template<class Field> class TextRow final : public SheetRowKind<Field, QString const&>
{
public:
    // The two kinds read the two-line flag differently: a text row any non-zero int, a
    // multi-line row anything that converts to true.
    using TwoLines = bool (*)(QVariant const& flags);

    TextRow(QLatin1String type, TwoLines twoLines)
        : SheetRowKind<Field, QString const&>(
            type, &Field::editingFinished, &PropertyListWidget::onTextFieldChanged)
        , m_twoLines(twoLines)
    { }

    QWidget* create(RowContext const& row) const override
    {
        auto* w = new Field(row.label(), stringOf(row.record, PropertyKey::Value),
            m_twoLines(row.record.value(PropertyKey::Flags)), nullptr);
        if (row.value.isValid())
            w->setText(row.value.toString());
        w->setObjectName(row.prop);
        return w;
    }

protected:
    void refreshControl(Field* w, RowContext const& row) const override
    {
        w->setEnabled(row.enabled());
        w->setText(row.value.toString());
    }

private:
    TwoLines m_twoLines;
};

} // namespace

// An enum property reads as its key or as its number, depending on the Qt version and on whether
// its type is registered; the number is the same either way. Choosing an entry writes its key,
// which Qt turns into the number.
void showEnumValue(ComboBox* combo, PropertyDescription const& record, QVariant const& value)
{
    const int number = value.toInt();
    const QVariantMap entries = record.value(PropertyKey::Values).toMap();
    // The combo's own test: an entry stands for the numbers within 0.01 of its float.
    const bool known = std::any_of(entries.cbegin(), entries.cend(),
        [number](QVariant const& e) { return std::fabs(double(e.toFloat()) - number) < 0.01; });
    if (known) {
        combo->setValue(QString::number(number));
    } else {
        // Several flags at once, or a number without a key: no entry is right.
        const QSignalBlocker quiet(combo);
        combo->setCurrentIndex(-1);
    }
}

void RowKind::showMixed(QWidget*, bool) const { }

const RowKind* RowKind::find(QString const& type)
{
    static const NumberRow number;
    static const FileRow file;
    static const ColorRow color;
    static const CheckRow check;
    static const ComboRow combo;
    static const ButtonRow button;
    static const TextRow<TextField> text(
        RowType::Text, [](QVariant const& flags) { return flags.toInt() != 0; });
    static const TextRow<MultiTextField> multiText(
        RowType::MultiText, [](QVariant const& flags) { return flags.toBool(); });
    static const RowKind* const kinds[]
        = { &number, &file, &color, &check, &combo, &button, &text, &multiText };

    for (const RowKind* kind : kinds) {
        if (type == kind->type())
            return kind;
    }
    return nullptr;
}
