#pragma once

#include <corvane/CorvaneExport.h>
#include <corvane/PropertyListBuilder.h>

#include <QFrame>
#include <QHash>
#include <QPointer>
#include <QVector>

#include <memory>

class IFileSource;
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
    ~PropertyListWidget() override;

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

private:
    bool writeProperty(QObject* w, QVariant const& value);
    void addRowExtras(QWidget* w, PropertyDescription const& record);
    void resetRow(QWidget* w);

    QVBoxLayout* m_layout = nullptr;
    // Held weakly: the host may destroy its object before the sheet.
    QPointer<QObject> m_object;
    QVector<PropsPanel*> m_panels;
    QHash<QWidget*, PropertyDescription> m_descriptions;
    IPropertyListHelper* m_listHelper = nullptr;
    std::unique_ptr<SheetFilter> m_filter;
};
