#pragma once

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

// Implemented by the host object whose Qt properties a PropertyListWidget shows and edits.
class CORVANE_WIDGETS_EXPORT IUserInterfaceProperties
{
public:
    virtual ~IUserInterfaceProperties();
    // The complete row list of the object's sheet; asked once per sheet.
    virtual PropertyDescriptionList propertyList() = 0;
};

#define IUserInterfaceProperties_iid "com.quillbarrow.corvane.IUserInterfaceProperties"
Q_DECLARE_INTERFACE(IUserInterfaceProperties, IUserInterfaceProperties_iid)

// Supplies what the sheet cannot make by itself: the file sources of its file rows.
class CORVANE_WIDGETS_EXPORT IPropertyListHelper
{
public:
    virtual ~IPropertyListHelper();
    // A new source for one file row; the row's FilePicker takes it over.
    virtual IFileSource* fileSource(QString const& mode) = 0;
};

// A property sheet: a column of titled panels whose rows are built from the host object's
// property descriptions and bound to its Qt properties.
class CORVANE_WIDGETS_EXPORT PropertyListWidget : public QFrame
{
    Q_OBJECT
public:
    PropertyListWidget(QObject* object, IPropertyListHelper* listHelper, QWidget* parent = nullptr);
    // A sheet that edits several objects of the same kind at once; its rows come from the first
    // object's description. Where the objects agree a row shows their value, where they differ
    // it shows a mixed state (see the controls' setMixed()). An edit gives every object the
    // writes a sheet of its own would give it, once; an object that refuses a keyed combo entry
    // gets its own old value back. A button invokes its slot on every object, and a row is
    // enabled when it is enabled for every object. An object destroyed while bound drops out of
    // the set, and the rows are refreshed at the next turn of the event loop. With one object
    // the sheet is the one the constructor above builds.
    PropertyListWidget(
        QList<QObject*> const& objects, IPropertyListHelper* listHelper, QWidget* parent = nullptr);
    ~PropertyListWidget() override;

    // The objects the sheet edits, in binding order, and a new set of them: rebinds and refreshes
    // every row as UpdateValues() does for one object.
    QList<QObject*> objects() const;
    void setObjects(QList<QObject*> const& objects);

    // Off by default: the sheet shows changes made other than through its rows only when the host
    // calls updateAll(). On, it follows its objects: a NOTIFY signal of a bound property, or of its
    // "Enabled" or "Values" property, and a QEvent::DynamicPropertyChange of such a dynamic
    // property refresh the rows bound to it, once per turn of the event loop however many changes
    // came in between.
    void setLiveRefresh(bool on);
    bool liveRefresh() const;

    // The bound property of a row widget, and the row bound to a property.
    QString findProperty(QObject* w) const;
    QWidget* findWidget(QString const& prop) const;
    QVariant getProperty(QObject* w) const;
    void setProperty(QObject* w, QVariant const& value);
    using QObject::setProperty;

    void updateCombo(QObject* combo, QString const& newText, QString const& oldText);
    // Re-reads every row from the object, after rebinding the sheet to `object` when it is
    // not null.
    void UpdateValues(QObject* object = nullptr);

    void makeGui();
    void processProperties(QList<QMap<QString, QVariant>> const& list);
    QWidget* createWidget(QMap<QString, QVariant> const& record);
    bool checkForEnabled(QMap<QString, QVariant> const& record);

    void addWidget(QWidget* w);
    void addSpacing(int size);
    void addPanel(QWidget* w);
    QVector<PropertyListWidget*> panels();

    // Shows only the rows whose label or property name contains `text`, ignoring case; a panel
    // left without a shown row hides. An empty text shows every row and panel again. Nested
    // sheets added with addPanel() keep their own filter.
    void setFilter(QString const& text);
    QString filter() const;

public Q_SLOTS:
    void onNumberChanged(float value);
    void onFileChanged(QString const& file);
    void onColorClicked(QColor const& color);
    void onCheckClicked(bool checked);
    void onButtonClicked();
    void onTextFieldChanged(QString const& text);
    void onComboCurrentIndex(QString const& text);
    void updateAll();

Q_SIGNALS:
    // After each write the sheet makes for a user edit, and after a button row's invocation;
    // never for a refresh. See PropertyEdit.
    void propertyEdited(PropertyEdit const& edit);

protected:
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
