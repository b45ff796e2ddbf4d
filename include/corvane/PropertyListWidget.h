#pragma once

/// @file
/// PropertyListWidget, the property sheet, and the interfaces its host implements.

#include <corvane/CorvaneExport.h>
#include <corvane/PropertyEdit.h>
#include <corvane/PropertyListBuilder.h>

#include <QFrame>
#include <QHash>
#include <QPointer>
#include <QVector>

#include <memory>

class EditReporter;
class IFileSource;
class LiveRefresh;
class PropertyLookup;
class PropsPanel;
class QColor;
class QVBoxLayout;
class SheetFilter;

/// Implemented by the host object whose Qt properties a PropertyListWidget shows and edits. The
/// object must be a QObject that declares the interface with
/// `Q_INTERFACES(IUserInterfaceProperties)`; without it the sheet stays empty and warns once in
/// the logging category `corvane.sheet`.
class CORVANE_WIDGETS_EXPORT IUserInterfaceProperties
{
public:
    virtual ~IUserInterfaceProperties();
    /// The complete row list of the object's sheet; asked once, by the sheet's constructor.
    virtual PropertyDescriptionList propertyList() = 0;
};

/// The Qt interface identifier of IUserInterfaceProperties.
#define IUserInterfaceProperties_iid "com.quillbarrow.corvane.IUserInterfaceProperties"
Q_DECLARE_INTERFACE(IUserInterfaceProperties, IUserInterfaceProperties_iid)

/// Supplies what the sheet cannot make by itself: the file sources of its file rows. The sheet
/// does not own it. It may be null; file rows then have no source (see FilePicker::setSource()).
class CORVANE_WIDGETS_EXPORT IPropertyListHelper
{
public:
    virtual ~IPropertyListHelper();
    /// A new source for one file row, asked once when the row is made, with the record's
    /// `w_mode`; the row's FilePicker takes it over.
    virtual IFileSource* fileSource(QString const& mode) = 0;
};

/// A property sheet: a column of titled panels whose rows are built from the host object's
/// property descriptions and bound to its Qt properties.
///
/// What the host provides:
/// - an object implementing IUserInterfaceProperties, whose propertyList() describes the rows
///   (see PropertiesListBuilder and \ref descriptions "Describing a property sheet");
/// - for each row, the Qt property named by its `prop` (a Q_PROPERTY or a dynamic property),
///   read with QObject::property() and written with QObject::setProperty();
/// - optionally `<prop>Enabled` (bool): the row is enabled exactly while it is true;
/// - for combo rows, `<prop>Values`: a QStringList (the property holds the chosen index) or a
///   QVariantMap of texts to numbers (the property holds the chosen text);
/// - for button rows, a slot `prop()` without arguments;
/// - an IPropertyListHelper for file rows.
///
/// The sheet builds every row in its constructor and never adds or removes rows later. Each user
/// edit is written straight into the property, and the sheet does nothing more: after reacting
/// to a change (a setter that changes other properties, a change made elsewhere), the host calls
/// updateAll(), which reads every property again, sets the enabled states, and updates the
/// controls without any control emitting a change. setLiveRefresh() makes the sheet follow
/// NOTIFY signals instead.
///
/// Ownership: the sheet owns its rows; it owns neither the objects (held weakly: one may be
/// destroyed before the sheet) nor the helper.
///
/// Theming: class `PropertyListWidget`; each panel is a `PropsPanel` with a title Label named
/// "panelTitle"; a sheet whose list holds only a title shows a Label "No Settings" named
/// "noSettings"; each row widget is named after its `prop`, and a `label` row after its
/// `w_obj_id`. The rows are the library's controls: InputLineSlider, CheckBox, ColorPicker,
/// FilePicker, ComboBox, TextField, MultiTextField, Button, Label and SeparatorLine.
class CORVANE_WIDGETS_EXPORT PropertyListWidget : public QFrame
{
    Q_OBJECT
public:
    /// A sheet for `object`, built at once from its propertyList(). A null object gives an empty
    /// sheet; `listHelper` may be null.
    PropertyListWidget(QObject* object, IPropertyListHelper* listHelper, QWidget* parent = nullptr);
    /// A sheet that edits several objects of the same kind at once; its rows come from the first
    /// object's description. Where the objects agree a row shows their value, where they differ
    /// it shows a mixed state (see the controls' setMixed()). An edit gives every object the
    /// writes a sheet of its own would give it, once; an object that refuses a keyed combo entry
    /// gets its own old value back. A button invokes its slot on every object, and a row is
    /// enabled when it is enabled for every object. An object destroyed while bound drops out of
    /// the set, and the rows are refreshed at the next turn of the event loop. With one object
    /// the sheet is the one the constructor above builds.
    PropertyListWidget(
        QList<QObject*> const& objects, IPropertyListHelper* listHelper, QWidget* parent = nullptr);
    ~PropertyListWidget() override;

    /// The objects the sheet edits, in binding order.
    QList<QObject*> objects() const;
    /// A new set of objects: rebinds and refreshes every row as UpdateValues() does for one
    /// object. The rows stay those of the first description.
    void setObjects(QList<QObject*> const& objects);

    /// Off by default: the sheet shows changes made other than through its rows only when the
    /// host calls updateAll(). On, it follows its objects: a NOTIFY signal of a bound property,
    /// or of its "Enabled" or "Values" property, and a QEvent::DynamicPropertyChange of such a
    /// dynamic property refresh the rows bound to it, once per turn of the event loop however
    /// many changes came in between.
    void setLiveRefresh(bool on);
    /// Whether the sheet follows its objects by itself.
    bool liveRefresh() const;

    /// The bound property of a row widget; empty for anything else.
    QString findProperty(QObject* w) const;
    /// The row bound to a property, or null.
    QWidget* findWidget(QString const& prop) const;
    /// The first object's value of the property bound to the row `w`.
    QVariant getProperty(QObject* w) const;
    /// Writes `value` into the property bound to the row `w` on every object; reports no edit.
    void setProperty(QObject* w, QVariant const& value);
    using QObject::setProperty;

    /// Settles a combo after its property was written with `newText`: a plain combo writes its
    /// index; for a keyed one, an object that turned the text into "0" gets `oldText` back and
    /// the entry is removed, otherwise the combo shows the property's value.
    void updateCombo(QObject* combo, QString const& newText, QString const& oldText);
    /// Re-reads every row from the object, after rebinding the sheet to `object` when it is
    /// not null.
    void UpdateValues(QObject* object = nullptr);

    /// Sets up the sheet's layout; the constructor calls it.
    void makeGui();
    /// Appends the rows of `list`, as the constructor does with the object's description.
    void processProperties(QList<QMap<QString, QVariant>> const& list);
    /// The row widget for `record`, bound to the objects; null for records that make no row
    /// (`title`, `panel`, `space`, an unknown type).
    QWidget* createWidget(QMap<QString, QVariant> const& record);
    /// Whether the row of `record` is enabled: false when `<prop>Enabled` is false on an object.
    bool checkForEnabled(QMap<QString, QVariant> const& record);

    /// Appends `w` to the last panel, making one titled with the window title if none exists.
    void addWidget(QWidget* w);
    /// Appends `size` pixels of space after the panels made so far.
    void addSpacing(int size);
    /// Inserts `w`, typically a nested sheet, after the panels; the sheet owns it.
    void addPanel(QWidget* w);
    /// The nested sheets added with addPanel().
    QVector<PropertyListWidget*> panels();

    /// Shows only the rows whose label or property name contains `text`, ignoring case; a panel
    /// left without a shown row hides. An empty text shows every row and panel again, except the
    /// rows the host hid itself. A row the host hides while the filter hides it shows again when
    /// the filter lets it through, since Qt reports no hide of a hidden widget: hide rows before
    /// filtering, or after clearing the filter. Nested sheets added with addPanel() keep their
    /// own filter.
    void setFilter(QString const& text);
    /// The text of the last setFilter().
    QString filter() const;

public Q_SLOTS:
    /// Writes the sending number row's value into its property.
    void onNumberChanged(float value);
    /// Writes the sending file row's file into its property; a setter that throws makes the row
    /// show the property again.
    void onFileChanged(QString const& file);
    /// Writes the sending colour row's colour into its property.
    void onColorClicked(QColor const& color);
    /// Writes the sending check box's state into its property.
    void onCheckClicked(bool checked);
    /// Writes true into the sending row's property. The sheet's button rows call their slot.
    void onButtonClicked();
    /// Writes the sending text row's text into its property.
    void onTextFieldChanged(QString const& text);
    /// Writes the sending combo row's choice into its property: the text for a keyed combo, the
    /// text and then the index for a plain one.
    void onComboCurrentIndex(QString const& text);
    /// Re-reads every row from the objects: values, entries, enabled states. Controls emit
    /// nothing while they are updated, so no edit is reported.
    void updateAll();

Q_SIGNALS:
    /// After each write the sheet makes for a user edit, and after a button row's invocation;
    /// never for a refresh, nor for a slot above called without a row as its sender. See
    /// PropertyEdit.
    void propertyEdited(PropertyEdit const& edit);

protected:
    /// Shows the panels at once when the sheet is placed in a window not yet shown.
    bool event(QEvent* e) override;

private:
    // Shows the panels that Qt holds back for a queued show since they came into the visible
    // sheet; each of those shows would lay out the whole sheet again.
    void showPanels();
    void addRowExtras(QWidget* w, PropertyDescription const& record);
    void resetRow(QWidget* w);
    friend class EditReporter;
    friend class LiveRefresh;
    using Objects = QVector<QPointer<QObject>>;

    QObjectList writeProperty(QObject* w, QVariant const& value, bool* threw = nullptr);
    QVariant boundValue(QString const& prop, bool* mixed) const;
    void rebind(QList<QObject*> const& objects);
    void refreshRows(bool rebound, Objects const& previous, QSet<QWidget*> const* only = nullptr);
    void dropDestroyedObjects();
    void watchDestruction(QWidget* w);
    void writeEdit(QObject* row, QVariant const& value);
    // The write that ends a combo edit: the entry's text, its index for a plain list, or none
    // when the object refused the text and got its old value back.
    struct ComboWrite
    {
        QVariant value;
        QObjectList took;
    };
    // A plain list writes its index and an enum combo shows what the object holds; true for
    // those two, with `write` set, and false for a keyed combo, which settles by its text.
    bool settleIndexOrEnum(
        QObject* combo, QString const& text, QObjectList const& textTook, ComboWrite* write);
    ComboWrite settleCombo(QObject* combo, QString const& newText, QString const& oldText,
        QObjectList const& textTook);
    ComboWrite settleComboOfAll(QObject* combo, QString const& text, Objects const& objects,
        QVariantList const& oldValues, QObjectList textTook);

    QVBoxLayout* m_layout = nullptr;
    // Held weakly: the host may destroy its object before the sheet.
    QPointer<QObject> m_object;
    QVector<PropsPanel*> m_panels;
    QHash<QWidget*, PropertyDescription> m_descriptions;
    IPropertyListHelper* m_listHelper = nullptr;
    std::unique_ptr<SheetFilter> m_filter;
    // Every bound object, m_object first; more than one when the sheet edits several at once.
    Objects m_objects;
    EditReporter* m_edits = nullptr;
    LiveRefresh* m_live = nullptr;
    PropertyLookup* m_lookup = nullptr;
    // Writes made while the rows are refreshed are no edits of the user's.
    bool m_refreshing = false;
    bool m_refreshQueued = false;
};
