#include <corvane/Label.h>
#include <corvane/PropertyListWidget.h>

#include "propertysheet/Panel.h"

#include <QLayout>
#include <QTest>

// A host object that hands out whatever list the test gives it.
class DescribedObject : public QObject, public IUserInterfaceProperties
{
    Q_OBJECT
    Q_INTERFACES(IUserInterfaceProperties)
    Q_PROPERTY(bool greetingEnabled MEMBER m_enabled)
public:
    explicit DescribedObject(PropertyDescriptionList list)
        : m_list(std::move(list))
    { }
    PropertyDescriptionList propertyList() override
    {
        ++calls;
        return m_list;
    }
    int calls = 0;
    bool m_enabled = false;

private:
    PropertyDescriptionList m_list;
};

// A record written compactly: "key=t:value ..." with t one of s (string), i (int), f (float),
// b (bool). Keys and values hold no spaces.
static PropertyDescription rec(char const* text)
{
    PropertyDescription r;
    for (const QString& item :
        QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString key = item.section(QLatin1Char('='), 0, 0);
        const QString typed = item.section(QLatin1Char('='), 1);
        const QString value = typed.mid(2);
        switch (typed.at(0).toLatin1()) {
        case 'i':
            r.insert(key, value.toInt());
            break;
        case 'f':
            r.insert(key, value.toFloat());
            break;
        case 'b':
            r.insert(key, value == QLatin1String("true"));
            break;
        default:
            r.insert(key, value);
        }
    }
    return r;
}

// The sheet's outer column: "panel:<title>" ("panel:-" without title), "sheet", "space:<n>",
// "stretch:<factor>".
static QStringList describeColumn(PropertyListWidget& sheet)
{
    QStringList out;
    auto* box = static_cast<QBoxLayout*>(sheet.layout());
    for (int i = 0; i < box->count(); ++i) {
        QWidget* w = box->itemAt(i)->widget();
        if (auto* panel = qobject_cast<PropsPanel*>(w)) {
            auto* title = panel->findChild<Label*>(QStringLiteral("panelTitle"));
            out << QStringLiteral("panel:") + (title ? title->text() : QStringLiteral("-"));
        } else if (qobject_cast<PropertyListWidget*>(w)) {
            out << QStringLiteral("sheet");
        } else if (box->stretch(i) > 0) {
            out << QStringLiteral("stretch:%1").arg(box->stretch(i));
        } else if (box->itemAt(i)->spacerItem()) {
            out << QStringLiteral("space:%1").arg(box->itemAt(i)->sizeHint().height());
        }
    }
    return out;
}

// The rows of every panel as "class:objectName", panels separated by "|".
static QStringList describeRows(PropertyListWidget& sheet)
{
    QStringList out;
    for (auto* panel : sheet.findChildren<PropsPanel*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!out.isEmpty())
            out << QStringLiteral("|");
        for (int i = 0; i < panel->layout()->count(); ++i) {
            QWidget* w = panel->layout()->itemAt(i)->widget();
            if (w->objectName() != QLatin1String("panelTitle"))
                out << QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(':')
                        + w->objectName();
        }
    }
    return out;
}

class tst_PropertySheet : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void builderRecords_data();
    void builderRecords();
    void sheetStructure_data();
    void sheetStructure();
    void noSettings();
    void enabledFromHost();
    void addPanelAndPanels();
};

void tst_PropertySheet::builderRecords_data()
{
    QTest::addColumn<PropertyDescriptionList>("list");
    QTest::addColumn<PropertyDescriptionList>("expected");

    PropertiesListBuilder b { QString() };
    b.AddPanel(QStringLiteral("P"));
    b.AddPercentSlider(QStringLiteral("L"), QStringLiteral("p"), false);
    b.AddPercentSlider(QStringLiteral("L"), QStringLiteral("p"), true);
    b.AddSlider(QStringLiteral("L"), QStringLiteral("p"), 0.5f, 2.5f, 0x42, 1);
    b.AddColorPicker(QStringLiteral("L"), QStringLiteral("p"), eSecondary);
    b.AddFilePicker(QStringLiteral("L"), QStringLiteral("p"), QStringLiteral("img"));
    b.AddCheckBox(QStringLiteral("L"), QStringLiteral("p"), ePrimaryLight);
    b.AddComboBox(QStringLiteral("L"), QStringLiteral("p"), true, false);
    b.AddComboBox(QStringLiteral("L"), QStringLiteral("p"), false, true);
    b.AddSeparator(eLineThick);
    b.AddLabel(QStringLiteral("L"), 7, eSecondary, eSideLeft, QStringLiteral("id"));
    b.AddButton(QStringLiteral("L"), QStringLiteral("p"));
    b.AddTextField(QStringLiteral("L"), QStringLiteral("p"), QStringLiteral("v"), true);
    b.AddMultiTextField(QStringLiteral("L"), QStringLiteral("p"), QStringLiteral("v"), false);

    // The builder's list, in order, key by key and type by type; the conversion gives the same.
    QTest::newRow("every builder call")
        << PropertyDescriptionList(b)
        << PropertyDescriptionList { rec("type=s:title label=s:"), rec("type=s:panel label=s:P"),
               rec("type=s:number label=s:L w_minValue=i:0 w_maxValue=i:1 w_percent=b:true "
                   "prop=s:p w_flags=i:161"),
               rec("type=s:number label=s:L w_minValue=i:0 w_maxValue=i:1 w_percent=b:true "
                   "prop=s:p w_flags=i:673"),
               rec("type=s:number label=s:L w_minValue=f:0.5 w_maxValue=f:2.5 w_percent=b:false "
                   "w_precision=i:1 prop=s:p w_flags=i:66"),
               rec("type=s:color label=s:L prop=s:p w_order=i:2"),
               rec("type=s:file label=s:L prop=s:p w_mode=s:img"),
               rec("type=s:check label=s:L prop=s:p w_order=i:1"),
               rec("type=s:combo label=s:L prop=s:p w_isEditable=b:true w_flags=i:0"),
               rec("type=s:combo label=s:L prop=s:p w_isEditable=b:false w_flags=i:512"),
               rec("type=s:line w_value=i:2"),
               rec("type=s:label label=s:L w_padding=i:1 w_value=i:7 w_order=i:2 w_obj_id=s:id"),
               rec("type=s:button label=s:L prop=s:p"),
               rec("type=s:text label=s:L prop=s:p w_value=s:v w_flags=i:512"),
               rec("type=s:multitext label=s:L prop=s:p w_value=s:v w_flags=i:0") };
    QTest::newRow("accessor") << b.list() << PropertyDescriptionList(b);
}

void tst_PropertySheet::builderRecords()
{
    QFETCH(PropertyDescriptionList, list);
    QFETCH(PropertyDescriptionList, expected);

    QCOMPARE(list.size(), expected.size());
    for (int i = 0; i < list.size(); ++i) {
        QCOMPARE(list[i].keys(), expected[i].keys());
        for (auto it = expected[i].cbegin(); it != expected[i].cend(); ++it) {
            // Floats stay floats, ints ints and flags bools.
            QCOMPARE(list[i].value(it.key()).userType(), it.value().userType());
            QCOMPARE(list[i].value(it.key()), it.value());
        }
    }
}

void tst_PropertySheet::sheetStructure_data()
{
    QTest::addColumn<PropertyDescriptionList>("list");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("column");
    QTest::addColumn<QStringList>("rows");

    const QStringList noRows;
    QTest::newRow("empty list") << PropertyDescriptionList() << QStringLiteral("Untitled")
                                << QStringList { QStringLiteral("stretch:1000") } << noRows;
    QTest::newRow("panel A, x, space, y, panel B")
        << PropertyDescriptionList { rec("type=s:panel label=s:A"),
               rec("type=s:label w_obj_id=s:x"), rec("type=s:space"),
               rec("type=s:label w_obj_id=s:y"), rec("type=s:panel label=s:B") }
        << QStringLiteral("Untitled")
        << QStringList { QStringLiteral("panel:A"), QStringLiteral("space:10"),
               QStringLiteral("panel:B"), QStringLiteral("stretch:1000") }
        << QStringList { QStringLiteral("Label:x"), QStringLiteral("Label:y"),
               QStringLiteral("|") };
    QTest::newRow("implicit panel keeps the title of its moment")
        << PropertyDescriptionList { rec("type=s:title label=s:First"), rec("type=s:line"),
               rec("type=s:title label=s:Second"), rec("type=s:label label=s:t") }
        << QStringLiteral("Second")
        << QStringList { QStringLiteral("panel:First"), QStringLiteral("stretch:1000") }
        << QStringList { QStringLiteral("SeparatorLine:"), QStringLiteral("Label:") };
    QTest::newRow("untitled implicit panel, untitled explicit one")
        << PropertyDescriptionList { rec("type=s:line"), rec("type=s:panel") }
        << QStringLiteral("Untitled")
        << QStringList { QStringLiteral("panel:Untitled"), QStringLiteral("panel:-"),
               QStringLiteral("stretch:1000") }
        << QStringList { QStringLiteral("SeparatorLine:"), QStringLiteral("|") };
    QTest::newRow("unknown, miscased and missing types make nothing")
        << PropertyDescriptionList { rec("type=s:Number prop=s:n"), rec("type=s:slider"), rec(""),
               rec("type=s:panel label=s:P") }
        << QStringLiteral("Untitled")
        << QStringList { QStringLiteral("panel:P"), QStringLiteral("stretch:1000") } << noRows;
    QTest::newRow("space before any panel")
        << PropertyDescriptionList { rec("type=s:space"), rec("type=s:label w_obj_id=s:x") }
        << QStringLiteral("Untitled")
        << QStringList { QStringLiteral("space:10"), QStringLiteral("panel:Untitled"),
               QStringLiteral("stretch:1000") }
        << QStringList { QStringLiteral("Label:x") };
}

void tst_PropertySheet::sheetStructure()
{
    QFETCH(PropertyDescriptionList, list);
    QFETCH(QString, title);

    DescribedObject object(list);
    PropertyListWidget sheet(&object, nullptr);
    QCOMPARE(object.calls, 1);
    QCOMPARE(sheet.windowTitle(), title);
    QTEST(describeColumn(sheet), "column");
    QTEST(describeRows(sheet), "rows");
}

void tst_PropertySheet::noSettings()
{
    DescribedObject object(PropertiesListBuilder(QStringLiteral("Empty")));
    PropertyListWidget sheet(&object, nullptr);
    QCOMPARE(sheet.windowTitle(), QStringLiteral("Empty"));
    QCOMPARE(describeColumn(sheet), QStringList { QStringLiteral("panel:Empty") });
    QCOMPARE(describeRows(sheet), QStringList { QStringLiteral("Label:noSettings") });
    auto* label = sheet.findChild<Label*>(QStringLiteral("noSettings"));
    QCOMPARE(label->text(), QStringLiteral("No Settings"));
    QCOMPARE(label->alignment(), Qt::AlignCenter);
    QCOMPARE(label->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);

    // A null object, or one without the interface, describes an empty sheet.
    QObject plain;
    for (QObject* host : { &plain, static_cast<QObject*>(nullptr) }) {
        PropertyListWidget empty(host, nullptr);
        QCOMPARE(describeColumn(empty), QStringList { QStringLiteral("stretch:1000") });
    }
}

void tst_PropertySheet::enabledFromHost()
{
    DescribedObject object({ rec("type=s:label prop=s:greeting w_obj_id=s:greeting"),
        rec("type=s:label prop=s:dynamic w_obj_id=s:dynamic"),
        rec("type=s:label prop=s:absent w_obj_id=s:absent") });
    object.setProperty("dynamicEnabled", QStringLiteral("true"));
    PropertyListWidget sheet(&object, nullptr);

    QVERIFY(!sheet.findChild<QWidget*>(QStringLiteral("greeting"))->isEnabled());
    QVERIFY(sheet.findChild<QWidget*>(QStringLiteral("dynamic"))->isEnabled());
    QVERIFY(sheet.findChild<QWidget*>(QStringLiteral("absent"))->isEnabled());
    object.m_enabled = true;
    object.setProperty("dynamicEnabled", false);
    QVERIFY(sheet.checkForEnabled(rec("prop=s:greeting")));
    QVERIFY(!sheet.checkForEnabled(rec("prop=s:dynamic")));
    QVERIFY(sheet.checkForEnabled(rec("")));
}

void tst_PropertySheet::addPanelAndPanels()
{
    DescribedObject outerObject({ rec("type=s:panel label=s:A") });
    PropertyListWidget sheet(&outerObject, nullptr);
    auto* first = new PropertyListWidget(nullptr, nullptr);
    auto* second = new PropertyListWidget(nullptr, nullptr);
    sheet.addPanel(first);
    sheet.addPanel(second);
    sheet.addSpacing(7);
    QCOMPARE(describeColumn(sheet),
        (QStringList { QStringLiteral("panel:A"), QStringLiteral("sheet"), QStringLiteral("sheet"),
            QStringLiteral("stretch:1000"), QStringLiteral("space:7") }));
    QCOMPARE(sheet.panels(), (QVector<PropertyListWidget*> { first, second }));

    // A column that is still empty takes the nested sheet at its end.
    auto* bare = new PropertyListWidget(nullptr, nullptr);
    delete bare->layout()->takeAt(0);
    auto* nested = new PropertyListWidget(nullptr, nullptr);
    bare->addPanel(nested);
    QCOMPARE(bare->panels(), QVector<PropertyListWidget*> { nested });
    delete bare;
}

QTEST_MAIN(tst_PropertySheet)
#include "tst_propertysheet.moc"
