// The Designer plugin: one widget box entry per stand-alone control, each created through
// Designer's interface, and a form of all of them loaded with QUiLoader.
#include "TestUtils.h"
#include "ui_uic-form.h"

#include <corvane/CheckBox.h>
#include <corvane/InputLineSlider.h>

#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QPluginLoader>
#include <QUiLoader>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>

using namespace testutils;

static const QStringList Offered { "Button"_q, "CheckBox"_q, "ColorPicker"_q, "ComboBox"_q,
    "FilePicker"_q, "ImageViewer"_q, "InputLineSlider"_q, "Label"_q, "MultiTextField"_q,
    "SeparatorLine"_q, "TextField"_q, "ThumbnailsList"_q, "Toolbar"_q };

class TestDesigner : public QObject
{
    Q_OBJECT
    QDesignerCustomWidgetCollectionInterface* m_collection = nullptr;

private Q_SLOTS:
    void initTestCase()
    {
        QPluginLoader loader(QStringLiteral(CORVANE_DESIGNER_PLUGIN));
        QVERIFY2(loader.load(), qPrintable(loader.errorString()));
        m_collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
        QVERIFY(m_collection);
        QStringList names;
        for (QDesignerCustomWidgetInterface* widget : m_collection->customWidgets())
            names << widget->name();
        std::sort(names.begin(), names.end());
        QCOMPARE(names, Offered);
    }

    void entry_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < m_collection->customWidgets().size(); ++i)
            QTest::newRow(qPrintable(m_collection->customWidgets().at(i)->name())) << i;
    }

    void entry()
    {
        QFETCH(int, index);
        QDesignerCustomWidgetInterface* entry = m_collection->customWidgets().at(index);
        const QString name = entry->name();
        QCOMPARE(entry->group(), "Corvane Widgets"_q);
        QCOMPARE(entry->includeFile(), "corvane/%1.h"_q.arg(name));
        QVERIFY(!entry->toolTip().isEmpty());
        QVERIFY(!entry->isContainer());
        // Something is drawn on the icon at the widget box's size.
        const QImage icon
            = entry->icon().pixmap(22, 22).toImage().convertToFormat(QImage::Format_Alpha8);
        QImage blank(icon.size(), QImage::Format_Alpha8);
        blank.fill(0);
        QVERIFY(icon != blank);

        QWidget parent;
        QWidget* widget = entry->createWidget(&parent);
        QVERIFY(widget);
        QCOMPARE(widget->parentWidget(), &parent);
        QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), name);

        // The new instance's element names the class, a lower-case object name and the global
        // header.
        QDomDocument dom;
        QVERIFY(dom.setContent(entry->domXml()));
        const QDomElement element = dom.documentElement().firstChildElement("widget"_q);
        QCOMPARE(element.attribute("class"_q), name);
        QCOMPARE(element.attribute("name"_q), name.left(1).toLower() + name.mid(1));
        const QDomElement header = dom.documentElement()
                                       .firstChildElement("customwidgets"_q)
                                       .firstChildElement("customwidget"_q)
                                       .firstChildElement("header"_q);
        QCOMPARE(header.text(), "corvane/%1.h"_q.arg(name));
        QCOMPARE(header.attribute("location"_q), "global"_q);
    }

    // Loaded with the plugin's factories: every control, what the form sets and what the plugin
    // defaults.
    void form()
    {
        QUiLoader loader;
        loader.clearPluginPaths();
        loader.addPluginPath(QFileInfo(QStringLiteral(CORVANE_DESIGNER_PLUGIN)).absolutePath());
        for (QString const& name : Offered)
            QVERIFY2(loader.availableWidgets().contains(name), qPrintable(name));
        QFile file(QStringLiteral(CORVANE_DESIGNER_FORM));
        QVERIFY(file.open(QIODevice::ReadOnly));
        std::unique_ptr<QWidget> form(loader.load(&file));
        QVERIFY2(form, qPrintable(loader.errorString()));
        QStringList made;
        for (QObject* o : form->children())
            if (o->isWidgetType())
                made << o->objectName() + QLatin1Char(':')
                        + QLatin1String(o->metaObject()->className());
        QCOMPARE(made.join(QLatin1Char(' ')),
            "speed:InputLineSlider name:TextField notes:MultiTextField mode:ComboBox "
            "tint:ColorPicker texture:FilePicker preview:ImageViewer tools:Toolbar "
            "pages:ThumbnailsList caption:Label apply:Button loop:CheckBox rule:SeparatorLine"_q);
        const auto value = [&](char const* object, char const* property) {
            return form->findChild<QWidget*>(QLatin1String(object))->property(property);
        };
        QCOMPARE(value("speed", "m_maxValue"), QVariant(10.0f));
        QCOMPARE(value("speed", "no_slider"), QVariant(false));
        QCOMPARE(value("caption", "text"), QVariant("Speed"_q));
        QCOMPARE(value("apply", "text"), QVariant("Apply"_q));
        QCOMPARE(value("loop", "checked"), QVariant(true));
        QCOMPARE(value("loop", "style_type"), QVariant("primary"_q));
    }

    void uicForm()
    {
        // Code from uic creates each control with its parent alone and lays it out in the form.
        QWidget form;
        Ui::UicForm ui;
        ui.setupUi(&form);
        for (QWidget* w :
            std::initializer_list<QWidget*> { ui.name, ui.preview, ui.tools, ui.pages, ui.rule }) {
            QCOMPARE(w->parentWidget(), &form);
            QVERIFY(ui.column->indexOf(w) >= 0);
        }
        QCOMPARE(ui.rule->objectName(), "rule"_q);
    }
};

QTEST_MAIN(TestDesigner)
#include "tst_designer.moc"
