#pragma once

#include <corvane/CorvaneExport.h>
#include <corvane/PropertyListBuilder.h>

#include <QFrame>
#include <QHash>
#include <QPointer>
#include <QVector>

class IFileSource;
class PropsPanel;
class QColor;
class QVBoxLayout;

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

public Q_SLOTS:
    void onNumberChanged(float value);
    void onFileChanged(QString const& file);
    void onColorClicked(QColor const& color);
    void onCheckClicked(bool checked);
    void onButtonClicked();
    void onTextFieldChanged(QString const& text);
    void onComboCurrentIndex(QString const& text);
    void updateAll();

protected:
    bool event(QEvent* e) override;

private:
    bool writeProperty(QObject* w, QVariant const& value);
    // Shows the panels that Qt holds back for a queued show since they came into the visible
    // sheet; each of those shows would lay out the whole sheet again.
    void showPanels();

    QVBoxLayout* m_layout = nullptr;
    // Held weakly: the host may destroy its object before the sheet.
    QPointer<QObject> m_object;
    QVector<PropsPanel*> m_panels;
    QHash<QWidget*, PropertyDescription> m_descriptions;
    IPropertyListHelper* m_listHelper = nullptr;
};
