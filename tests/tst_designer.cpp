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

namespace {

const QStringList Offered { "Button"_q, "CheckBox"_q, "ColorPicker"_q, "ComboBox"_q, "FilePicker"_q,
    "ImageViewer"_q, "InputLineSlider"_q, "Label"_q, "MultiTextField"_q, "SeparatorLine"_q,
    "TextField"_q, "ThumbnailsList"_q, "Toolbar"_q };

// Whether a painted icon has anything on it at the widget box's size.
bool painted(QIcon const& icon)
{
    const QImage image = icon.pixmap(22, 22).toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                return true;
    return false;
}

} // namespace

class TestDesigner : public QObject
{
    Q_OBJECT
    QDesignerCustomWidgetInterface* find(QString const& name) const
    {
        for (QDesignerCustomWidgetInterface* widget : m_collection->customWidgets())
            if (widget->name() == name)
                return widget;
        return nullptr;
    }

    QDesignerCustomWidgetCollectionInterface* m_collection = nullptr;

private Q_SLOTS:
    void initTestCase()
    {
        QPluginLoader loader(QStringLiteral(CORVANE_DESIGNER_PLUGIN));
        QVERIFY2(loader.load(), qPrintable(loader.errorString()));
        m_collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
        QVERIFY(m_collection);
    }

    void entries()
    {
        QStringList names;
        for (QDesignerCustomWidgetInterface* widget : m_collection->customWidgets())
            names << widget->name();
        std::sort(names.begin(), names.end());
        QCOMPARE(names, Offered);
    }

    void entry_data()
    {
        QTest::addColumn<QString>("name");
        for (QString const& name : Offered)
            QTest::newRow(qPrintable(name)) << name;
    }

    void entry()
    {
        QFETCH(QString, name);
        QDesignerCustomWidgetInterface* entry = find(name);
        QVERIFY(entry);
        QCOMPARE(entry->group(), "Corvane Widgets"_q);
        QCOMPARE(entry->includeFile(), QStringLiteral("corvane/%1.h").arg(name));
        QVERIFY(!entry->toolTip().isEmpty());
        QVERIFY(!entry->isContainer());
        QVERIFY(painted(entry->icon()));

        QWidget parent;
        QWidget* widget = entry->createWidget(&parent);
        QVERIFY(widget);
        QCOMPARE(widget->parentWidget(), &parent);
        QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), name);

        // The new instance's element names the class, a lower-case object name and the global
        // header.
        QDomDocument dom;
        QVERIFY(dom.setContent(entry->domXml()));
        const QDomElement element
            = dom.documentElement().firstChildElement(QStringLiteral("widget"));
        QCOMPARE(element.attribute(QStringLiteral("class")), name);
        QCOMPARE(element.attribute(QStringLiteral("name")), name.left(1).toLower() + name.mid(1));
        const QDomElement header = dom.documentElement()
                                       .firstChildElement(QStringLiteral("customwidgets"))
                                       .firstChildElement(QStringLiteral("customwidget"))
                                       .firstChildElement(QStringLiteral("header"));
        QCOMPARE(header.text(), QStringLiteral("corvane/%1.h").arg(name));
        QCOMPARE(header.attribute(QStringLiteral("location")), "global"_q);
    }

    void form_data()
    {
        // Object name in the form, its class, and a property the form sets or the plugin defaults.
        columns<QString, QString, QByteArray, QVariant>("object", "class", "property", "value");
        const auto row = [](char const* name, char const* object, char const* cls,
                             QByteArray property, QVariant value) {
            QTest::newRow(name) << QString::fromLatin1(object) << QString::fromLatin1(cls)
                                << property << value;
        };
        row("number row, the form's maximum", "speed", "InputLineSlider", "m_maxValue", 10.0f);
        row("number row with a slider", "speed", "InputLineSlider", "no_slider", false);
        row("label text", "caption", "Label", "text", "Speed"_q);
        row("button text", "apply", "Button", "text", "Apply"_q);
        row("check box, checked", "loop", "CheckBox", "checked", true);
        row("check box, primary rank", "loop", "CheckBox", "style_type", "primary"_q);
        const char* const plain[][2] = { { "name", "TextField" }, { "notes", "MultiTextField" },
            { "mode", "ComboBox" }, { "tint", "ColorPicker" }, { "texture", "FilePicker" },
            { "preview", "ImageViewer" }, { "tools", "Toolbar" }, { "pages", "ThumbnailsList" },
            { "rule", "SeparatorLine" } };
        for (auto const& [object, cls] : plain)
            row(cls, object, cls, "objectName", QString::fromLatin1(object));
    }

    void form()
    {
        auto [object, cls, property, value]
            = fetch<QString, QString, QByteArray, QVariant>("object", "class", "property", "value");
        QUiLoader loader;
        loader.clearPluginPaths();
        loader.addPluginPath(QFileInfo(QStringLiteral(CORVANE_DESIGNER_PLUGIN)).absolutePath());
        QVERIFY(loader.availableWidgets().contains(cls));

        QFile file(QStringLiteral(CORVANE_DESIGNER_FORM));
        QVERIFY(file.open(QIODevice::ReadOnly));
        std::unique_ptr<QWidget> form(loader.load(&file));
        QVERIFY2(form, qPrintable(loader.errorString()));
        QWidget* widget = form->findChild<QWidget*>(object);
        QVERIFY(widget);
        QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), cls);
        QCOMPARE(widget->property(property), value);
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
