#pragma once

#include <corvane/CheckBox.h>
#include <corvane/CorvaneExport.h>

#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

// One row of a property sheet: named settings such as "type", "label" and "prop".
using PropertyDescription = QMap<QString, QVariant>;
// The rows of a property sheet, in screen order.
using PropertyDescriptionList = QList<PropertyDescription>;

// Kind of separator line; the sheet stores it and never interprets it.
enum eLine : int {
    eLineDefault = 0,
    eLineThin = 1,
    eLineThick = 2,
};

// Padding side of a label row; the sheet stores it and never interprets it.
enum eSide : int {
    eSideNone = 0,
    eSideLeft = 1,
    eSideRight = 2,
    eSideTop = 3,
    eSideBottom = 4,
};

// Assembles a PropertyDescriptionList one row per call, starting with the sheet's title.
class CORVANE_WIDGETS_EXPORT PropertiesListBuilder
{
public:
    explicit PropertiesListBuilder(QString const& title);

    void AddPanel(QString const& label);
    void AddPercentSlider(QString const& label, QString const& prop, bool twoLines = false);
    void AddSlider(QString const& label, QString const& prop, float minValue, float maxValue,
        int flags, int precision);
    void AddColorPicker(QString const& label, QString const& prop, eOrder order = ePrimary);
    void AddFilePicker(QString const& label, QString const& prop, QString const& mode);
    void AddCheckBox(QString const& label, QString const& prop, eOrder order = ePrimary);
    void AddComboBox(
        QString const& label, QString const& prop, bool editable = false, bool twoLines = false);
    void AddSeparator(eLine line = eLineDefault);
    void AddLabel(QString const& label, int value = 0, eOrder order = ePrimary,
        eSide side = eSideNone, QString const& objectId = QString());
    void AddButton(QString const& label, QString const& prop);
    void AddTextField(QString const& label, QString const& prop, QString const& value = QString(),
        bool twoLines = false);
    void AddMultiTextField(QString const& label, QString const& prop,
        QString const& value = QString(), bool twoLines = false);

    // Appends a row per designable, readable and writable Q_PROPERTY of the classes from the
    // object's (or `metaObject`) up to, not including, `base`: a panel per class, base classes
    // first, the properties in declaration order. Numbers, bool, QString, QColor, QUrl, enums and
    // flags get rows; the result names the properties of other types, which get none. The
    // class's Q_CLASSINFO entries "<property>.label", ".tooltip", ".min", ".max", ".precision"
    // and ".file", and "panel", refine the rows (docs/descriptions.md).
    QStringList AddProperties(
        QObject const* object, QMetaObject const* base = &QObject::staticMetaObject);
    QStringList AddProperties(
        QMetaObject const& metaObject, QMetaObject const* base = &QObject::staticMetaObject);

    PropertyDescriptionList const& list() const { return m_list; }
    operator PropertyDescriptionList() const { return m_list; }

private:
    PropertyDescriptionList m_list;
};
