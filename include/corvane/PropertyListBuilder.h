#pragma once

/// @file
/// Property descriptions and PropertiesListBuilder, which writes them.

#include <corvane/CheckBox.h>
#include <corvane/CorvaneExport.h>

#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

/// One row of a property sheet: named settings such as "type", "label" and "prop". The keys and
/// row types are listed in \ref descriptions "Describing a property sheet".
using PropertyDescription = QMap<QString, QVariant>;
/// The rows of a property sheet, in screen order.
using PropertyDescriptionList = QList<PropertyDescription>;

/// Kind of separator line, stored under `w_value` of a `line` record; the sheet stores it and
/// never interprets it.
enum eLine : int {
    eLineDefault = 0, ///< The default line.
    eLineThin = 1, ///< A thin line.
    eLineThick = 2, ///< A thick line.
};

/// Padding side of a label row, stored under `w_padding`; the sheet stores it and never
/// interprets it.
enum eSide : int {
    eSideNone = 0, ///< No padding.
    eSideLeft = 1, ///< Padding at the left.
    eSideRight = 2, ///< Padding at the right.
    eSideTop = 3, ///< Padding above.
    eSideBottom = 4, ///< Padding below.
};

/// Assembles a PropertyDescriptionList one row per call, starting with the sheet's title. Each
/// call appends exactly one record; `label` is the row's title and `prop` the name of the host
/// object's Qt property the row is bound to (see PropertyListWidget for what the host provides).
///
/// @code
/// PropertiesListBuilder b(tr("Shape"));
/// b.AddPanel(tr("Geometry"));
/// b.AddSlider(tr("Size"), "size", 20, 240, eIntValues | eSliderInsteadSpinner, 0);
/// b.AddCheckBox(tr("Outline"), "outline");
/// return b; // converts to PropertyDescriptionList
/// @endcode
class CORVANE_WIDGETS_EXPORT PropertiesListBuilder
{
public:
    /// A list holding the `title` record, which names the sheet (its window title).
    explicit PropertiesListBuilder(QString const& title);

    /// Starts a panel titled `label`; the rows after it go into it.
    void AddPanel(QString const& label);
    /// A `number` row for a 0 to 1 property shown as 0 to 100, with a slider (flags ePercents,
    /// eIntValues, eSliderInsteadSpinner, and eTwoLines with `twoLines`).
    void AddPercentSlider(QString const& label, QString const& prop, bool twoLines = false);
    /// A `number` row from `minValue` to `maxValue` with eInputLineFlags `flags` (declared in
    /// `<corvane/IInputLine.h>`) and `precision` decimals. The property is written as a float.
    void AddSlider(QString const& label, QString const& prop, float minValue, float maxValue,
        int flags, int precision);
    /// A `color` row; the property holds a QColor.
    void AddColorPicker(QString const& label, QString const& prop, eOrder order = ePrimary);
    /// A `file` row; `mode` is handed to IPropertyListHelper::fileSource() for its file source.
    /// The property holds the path as a QString.
    void AddFilePicker(QString const& label, QString const& prop, QString const& mode);
    /// A `check` row of rank `order`; the property holds a bool.
    void AddCheckBox(QString const& label, QString const& prop, eOrder order = ePrimary);
    /// A `combo` row, taking typed text when `editable`. Its entries come from the host property
    /// `<prop>Values`, or from the record's `w_values`.
    void AddComboBox(
        QString const& label, QString const& prop, bool editable = false, bool twoLines = false);
    /// A `line` row, a SeparatorLine.
    void AddSeparator(eLine line = eLineDefault);
    /// A `label` row showing `label`, its object name `objectId`; `value`, `order` and `side`
    /// are stored for the host and interpreted by no row.
    void AddLabel(QString const& label, int value = 0, eOrder order = ePrimary,
        eSide side = eSideNone, QString const& objectId = QString());
    /// A `button` row captioned `label` that calls the host object's slot `prop()`.
    void AddButton(QString const& label, QString const& prop);
    /// A `text` row, showing `value` until the first refresh; the property holds a QString.
    void AddTextField(QString const& label, QString const& prop, QString const& value = QString(),
        bool twoLines = false);
    /// A `multitext` row, showing `value` until the first refresh; the property holds a QString.
    void AddMultiTextField(QString const& label, QString const& prop,
        QString const& value = QString(), bool twoLines = false);

    /// Appends a row per designable, readable and writable Q_PROPERTY of the classes from the
    /// object's (or `metaObject`) up to, not including, `base`: a panel per class, base classes
    /// first, the properties in declaration order. Numbers, bool, QString, QColor, QUrl, enums and
    /// flags get rows; the result names the properties of other types, which get none. The
    /// class's Q_CLASSINFO entries "<property>.label", ".tooltip", ".min", ".max", ".precision"
    /// and ".file", and "panel", refine the rows (\ref descriptions "Describing a property
    /// sheet"). A null object appends nothing.
    QStringList AddProperties(
        QObject const* object, QMetaObject const* base = &QObject::staticMetaObject);
    /// AddProperties() for a class rather than an object.
    QStringList AddProperties(
        QMetaObject const& metaObject, QMetaObject const* base = &QObject::staticMetaObject);

    /// The records so far.
    PropertyDescriptionList const& list() const { return m_list; }
    /// The records so far, so that a builder can be returned from propertyList().
    operator PropertyDescriptionList() const { return m_list; }

private:
    PropertyDescriptionList m_list;
};
