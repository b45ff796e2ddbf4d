#include <corvane/Label.h>
#include <corvane/PropertyListWidget.h>
#include <corvane/SeparatorLine.h>

#include "propertysheet/Panel.h"

#include <QLayout>
#include <QSpacerItem>
#include <QTest>

// A host object that hands out whatever list the test gives it.
class DescribedObject : public QObject, public IUserInterfaceProperties
{
    Q_OBJECT
    Q_INTERFACES(IUserInterfaceProperties)
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

private:
    PropertyDescriptionList m_list;
};

static PropertyDescription record(std::initializer_list<std::pair<QString, QVariant>> pairs)
{
    PropertyDescription r;
    for (const auto& [key, value] : pairs)
        r.insert(key, value);
    return r;
}

static PropertyDescription typed(char const* type, QString const& label = QString())
{
    return record({ { QStringLiteral("type"), QString::fromLatin1(type) },
        { QStringLiteral("label"), label } });
}

// The sheet's outer column as a readable list: "panel:<title>", "sheet", "space:<n>",
// "stretch:<factor>".
static QStringList describeColumn(PropertyListWidget& sheet)
{
    QStringList out;
    QLayout* layout = sheet.layout();
    auto* box = qobject_cast<QBoxLayout*>(layout);
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (auto* panel = qobject_cast<PropsPanel*>(item->widget())) {
            auto* title = panel->findChild<Label*>(QStringLiteral("panelTitle"));
            out << QStringLiteral("panel:") + (title ? title->text() : QStringLiteral("-"));
        } else if (qobject_cast<PropertyListWidget*>(item->widget())) {
            out << QStringLiteral("sheet");
        } else if (item->widget()) {
            out << QStringLiteral("widget:") + item->widget()->objectName();
        } else if (QSpacerItem* spacer = item->spacerItem()) {
            if (box->stretch(i) > 0)
                out << QStringLiteral("stretch:%1").arg(box->stretch(i));
            else
                out << QStringLiteral("space:%1").arg(spacer->sizeHint().height());
        }
    }
    return out;
}

// The rows of a panel, skipping its title: the class and object name of each.
static QStringList rows(PropsPanel* panel)
{
    QStringList out;
    QLayout* layout = panel->layout();
    for (int i = 0; i < layout->count(); ++i) {
        QWidget* w = layout->itemAt(i)->widget();
        if (!w || w->objectName() == QLatin1String("panelTitle"))
            continue;
        out << QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(':')
                + w->objectName();
    }
    return out;
}

static QList<PropsPanel*> panelsOf(PropertyListWidget& sheet)
{
    QList<PropsPanel*> out;
    for (int i = 0; i < sheet.layout()->count(); ++i) {
        if (auto* panel = qobject_cast<PropsPanel*>(sheet.layout()->itemAt(i)->widget()))
            out << panel;
    }
    return out;
}

class tst_PropertySheet : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void builderRecords_data();
    void builderRecords();
    void builderKeepsOrder();
    void column_data();
    void column();
    void noSettings();
    void implicitPanelTitle();
    void labelAndLineRows();
    void enabledFromHost();
    void addPanelAndPanels();
    void objectWithoutInterface();
    void propertyListAskedOnce();
};

void tst_PropertySheet::builderRecords_data()
{
    QTest::addColumn<PropertyDescription>("actual");
    QTest::addColumn<PropertyDescription>("expected");

    auto last = [](auto call) {
        PropertiesListBuilder b(QStringLiteral("T"));
        call(b);
        return b.list().last();
    };
    const QString L = QStringLiteral("L");
    const QString P = QStringLiteral("p");
    const QString type = QStringLiteral("type"), label = QStringLiteral("label"),
                  prop = QStringLiteral("prop");

    QTest::newRow("title") << PropertiesListBuilder(QString()).list().first()
                           << record({ { type, QStringLiteral("title") }, { label, QString() } });
    QTest::newRow("panel") << last([&](auto& b) { b.AddPanel(L); })
                           << record({ { type, QStringLiteral("panel") }, { label, L } });
    QTest::newRow("percent slider")
        << last([&](auto& b) { b.AddPercentSlider(L, P, false); })
        << record({ { type, QStringLiteral("number") }, { label, L },
               { QStringLiteral("w_minValue"), 0 }, { QStringLiteral("w_maxValue"), 1 },
               { QStringLiteral("w_percent"), true }, { prop, P },
               { QStringLiteral("w_flags"), 0xa1 } });
    QTest::newRow("percent slider, two lines")
        << last([&](auto& b) { b.AddPercentSlider(L, P, true); })
        << record({ { type, QStringLiteral("number") }, { label, L },
               { QStringLiteral("w_minValue"), 0 }, { QStringLiteral("w_maxValue"), 1 },
               { QStringLiteral("w_percent"), true }, { prop, P },
               { QStringLiteral("w_flags"), 0x2a1 } });
    QTest::newRow("slider") << last([&](auto& b) { b.AddSlider(L, P, 0.5f, 2.5f, 0x42, 1); })
                            << record({ { type, QStringLiteral("number") }, { label, L },
                                   { QStringLiteral("w_minValue"), 0.5f },
                                   { QStringLiteral("w_maxValue"), 2.5f },
                                   { QStringLiteral("w_percent"), false },
                                   { QStringLiteral("w_precision"), 1 }, { prop, P },
                                   { QStringLiteral("w_flags"), 0x42 } });
    QTest::newRow("color") << last([&](auto& b) { b.AddColorPicker(L, P, eSecondary); })
                           << record({ { type, QStringLiteral("color") }, { label, L }, { prop, P },
                                  { QStringLiteral("w_order"), 2 } });
    QTest::newRow("file") << last([&](auto& b) { b.AddFilePicker(L, P, QStringLiteral("images")); })
                          << record({ { type, QStringLiteral("file") }, { label, L }, { prop, P },
                                 { QStringLiteral("w_mode"), QStringLiteral("images") } });
    QTest::newRow("check") << last([&](auto& b) { b.AddCheckBox(L, P, ePrimaryLight); })
                           << record({ { type, QStringLiteral("check") }, { label, L }, { prop, P },
                                  { QStringLiteral("w_order"), 1 } });
    QTest::newRow("combo") << last([&](auto& b) { b.AddComboBox(L, P, true, false); })
                           << record({ { type, QStringLiteral("combo") }, { label, L }, { prop, P },
                                  { QStringLiteral("w_isEditable"), true },
                                  { QStringLiteral("w_flags"), 0 } });
    QTest::newRow("combo, two lines")
        << last([&](auto& b) { b.AddComboBox(L, P, false, true); })
        << record({ { type, QStringLiteral("combo") }, { label, L }, { prop, P },
               { QStringLiteral("w_isEditable"), false }, { QStringLiteral("w_flags"), 0x200 } });
    QTest::newRow("separator") << last([&](auto& b) { b.AddSeparator(eLineThick); })
                               << record({ { type, QStringLiteral("line") },
                                      { QStringLiteral("w_value"), int(eLineThick) } });
    QTest::newRow("label") << last(
        [&](auto& b) { b.AddLabel(L, 7, eSecondary, eSideLeft, QStringLiteral("id")); })
                           << record({ { type, QStringLiteral("label") }, { label, L },
                                  { QStringLiteral("w_padding"), int(eSideLeft) },
                                  { QStringLiteral("w_value"), 7 },
                                  { QStringLiteral("w_order"), 2 },
                                  { QStringLiteral("w_obj_id"), QStringLiteral("id") } });
    QTest::newRow("button") << last([&](auto& b) {
        b.AddButton(L, P);
    }) << record({ { type, QStringLiteral("button") }, { label, L }, { prop, P } });
    QTest::newRow("text") << last([&](auto& b) { b.AddTextField(L, P, QStringLiteral("v"), true); })
                          << record({ { type, QStringLiteral("text") }, { label, L }, { prop, P },
                                 { QStringLiteral("w_value"), QStringLiteral("v") },
                                 { QStringLiteral("w_flags"), 0x200 } });
    QTest::newRow("multitext") << last(
        [&](auto& b) { b.AddMultiTextField(L, P, QStringLiteral("v"), false); })
                               << record({ { type, QStringLiteral("multitext") }, { label, L },
                                      { prop, P },
                                      { QStringLiteral("w_value"), QStringLiteral("v") },
                                      { QStringLiteral("w_flags"), 0 } });
}

void tst_PropertySheet::builderRecords()
{
    QFETCH(PropertyDescription, actual);
    QFETCH(PropertyDescription, expected);

    QCOMPARE(actual.keys(), expected.keys());
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        const QVariant value = actual.value(it.key());
        // The stored type matters: floats stay floats, ints ints and flags bools.
        QCOMPARE(value.userType(), it.value().userType());
        QCOMPARE(value, it.value());
    }
}

void tst_PropertySheet::builderKeepsOrder()
{
    PropertiesListBuilder builder(QStringLiteral("Sheet"));
    builder.AddPanel(QStringLiteral("A"));
    builder.AddCheckBox(QStringLiteral("c"), QStringLiteral("c"), ePrimary);
    builder.AddPanel(QStringLiteral("B"));

    const PropertyDescriptionList list = builder;
    QCOMPARE(list, builder.list());
    QStringList types;
    for (const auto& r : list)
        types << r.value(QStringLiteral("type")).toString();
    QCOMPARE(types,
        QStringList({ QStringLiteral("title"), QStringLiteral("panel"), QStringLiteral("check"),
            QStringLiteral("panel") }));

    // A copy is independent of the builder it came from.
    PropertiesListBuilder copy = builder;
    copy.AddButton(QStringLiteral("b"), QStringLiteral("b"));
    QCOMPARE(builder.list().size(), 4);
    QCOMPARE(copy.list().size(), 5);
}

void tst_PropertySheet::column_data()
{
    QTest::addColumn<PropertyDescriptionList>("list");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("empty list") << PropertyDescriptionList()
                                << QStringList { QStringLiteral("stretch:1000") };

    QTest::newRow("panel, label, space, label, panel")
        << PropertyDescriptionList { typed("panel", QStringLiteral("A")),
               typed("label", QStringLiteral("x")), typed("space"),
               typed("label", QStringLiteral("y")), typed("panel", QStringLiteral("B")) }
        << QStringList { QStringLiteral("panel:A"), QStringLiteral("space:10"),
               QStringLiteral("panel:B"), QStringLiteral("stretch:1000") };

    QTest::newRow("two panels in a row, one untitled")
        << PropertyDescriptionList { typed("panel", QStringLiteral("A")), typed("panel") }
        << QStringList { QStringLiteral("panel:A"), QStringLiteral("panel:-"),
               QStringLiteral("stretch:1000") };

    QTest::newRow("unknown and miscased types") << PropertyDescriptionList {
        typed("Number"), typed("slider"), record({}), typed("panel", QStringLiteral("P"))
    } << QStringList { QStringLiteral("panel:P"), QStringLiteral("stretch:1000") };

    QTest::newRow("one structural row gets the stretch")
        << PropertyDescriptionList { typed("line") }
        << QStringList { QStringLiteral("panel:Untitled"), QStringLiteral("stretch:1000") };

    QTest::newRow("space before any panel")
        << PropertyDescriptionList { typed("space"), typed("label", QStringLiteral("x")) }
        << QStringList { QStringLiteral("space:10"), QStringLiteral("panel:Untitled"),
               QStringLiteral("stretch:1000") };
}

void tst_PropertySheet::column()
{
    QFETCH(PropertyDescriptionList, list);
    QFETCH(QStringList, expected);

    DescribedObject object(list);
    PropertyListWidget sheet(&object, nullptr);
    QCOMPARE(describeColumn(sheet), expected);
}

void tst_PropertySheet::noSettings()
{
    DescribedObject object(PropertiesListBuilder(QStringLiteral("Empty")));
    PropertyListWidget sheet(&object, nullptr);

    QCOMPARE(sheet.windowTitle(), QStringLiteral("Empty"));
    QCOMPARE(describeColumn(sheet), QStringList { QStringLiteral("panel:Empty") });
    auto* label = sheet.findChild<Label*>(QStringLiteral("noSettings"));
    QVERIFY(label);
    QCOMPARE(label->text(), QStringLiteral("No Settings"));
    QCOMPARE(label->alignment(), Qt::AlignCenter);
    QCOMPARE(label->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    QCOMPARE(label->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
    QCOMPARE(rows(panelsOf(sheet).first()), QStringList { QStringLiteral("Label:noSettings") });
}

void tst_PropertySheet::implicitPanelTitle()
{
    // Rows before any panel land in a panel titled with the window title of that moment; a later
    // title changes the window title only.
    DescribedObject object({ typed("title", QStringLiteral("First")), typed("line"),
        typed("title", QStringLiteral("Second")), typed("line") });
    PropertyListWidget sheet(&object, nullptr);
    QCOMPARE(sheet.windowTitle(), QStringLiteral("Second"));
    QCOMPARE(describeColumn(sheet),
        (QStringList { QStringLiteral("panel:First"), QStringLiteral("stretch:1000") }));
    QCOMPARE(rows(panelsOf(sheet).first()),
        (QStringList { QStringLiteral("SeparatorLine:"), QStringLiteral("SeparatorLine:") }));

    DescribedObject untitled({ typed("line") });
    PropertyListWidget second(&untitled, nullptr);
    QCOMPARE(second.windowTitle(), QStringLiteral("Untitled"));
    QCOMPARE(describeColumn(second).first(), QStringLiteral("panel:Untitled"));
}

void tst_PropertySheet::labelAndLineRows()
{
    DescribedObject object({ typed("panel", QStringLiteral("A")),
        record({ { QStringLiteral("type"), QStringLiteral("label") },
            { QStringLiteral("label"), QStringLiteral("Hello") },
            { QStringLiteral("w_obj_id"), QStringLiteral("greeting") } }),
        typed("label", QStringLiteral("Anonymous")), typed("line"),
        typed("panel", QStringLiteral("B")), typed("label", QStringLiteral("In B")) });
    PropertyListWidget sheet(&object, nullptr);

    const QList<PropsPanel*> panels = panelsOf(sheet);
    QCOMPARE(panels.size(), 2);
    QCOMPARE(rows(panels.at(0)),
        (QStringList { QStringLiteral("Label:greeting"), QStringLiteral("Label:"),
            QStringLiteral("SeparatorLine:") }));
    QCOMPARE(rows(panels.at(1)), QStringList { QStringLiteral("Label:") });
    auto* greeting = sheet.findChild<Label*>(QStringLiteral("greeting"));
    QCOMPARE(greeting->text(), QStringLiteral("Hello"));
    QCOMPARE(greeting->parentWidget(), panels.at(0));
    auto* title = panels.at(0)->findChild<Label*>(QStringLiteral("panelTitle"));
    QVERIFY(title->wordWrap());
    QCOMPARE(panels.at(0)->layout()->itemAt(0)->widget(), title);
}

class EnabledHost : public DescribedObject
{
    Q_OBJECT
    Q_PROPERTY(bool greetingEnabled MEMBER m_enabled)
public:
    using DescribedObject::DescribedObject;
    bool m_enabled = false;
};

void tst_PropertySheet::enabledFromHost()
{
    auto labelRow = [](char const* prop) {
        return record({ { QStringLiteral("type"), QStringLiteral("label") },
            { QStringLiteral("prop"), QString::fromLatin1(prop) },
            { QStringLiteral("w_obj_id"), QString::fromLatin1(prop) } });
    };
    EnabledHost object(
        { labelRow("greeting"), labelRow("dynamic"), labelRow("absent"), typed("label") });
    object.setProperty("dynamicEnabled", QStringLiteral("true"));
    PropertyListWidget sheet(&object, nullptr);

    QVERIFY(!sheet.findChild<QWidget*>(QStringLiteral("greeting"))->isEnabled());
    QVERIFY(sheet.findChild<QWidget*>(QStringLiteral("dynamic"))->isEnabled());
    QVERIFY(sheet.findChild<QWidget*>(QStringLiteral("absent"))->isEnabled());

    QVERIFY(!sheet.checkForEnabled(labelRow("greeting")));
    object.m_enabled = true;
    QVERIFY(sheet.checkForEnabled(labelRow("greeting")));
    object.setProperty("dynamicEnabled", false);
    QVERIFY(!sheet.checkForEnabled(labelRow("dynamic")));
    QVERIFY(sheet.checkForEnabled(typed("label")));
}

void tst_PropertySheet::addPanelAndPanels()
{
    DescribedObject outerObject({ typed("panel", QStringLiteral("A")) });
    PropertyListWidget sheet(&outerObject, nullptr);
    DescribedObject innerObject({});
    auto* first = new PropertyListWidget(&innerObject, nullptr);
    auto* second = new PropertyListWidget(&innerObject, nullptr);
    sheet.addPanel(first);
    sheet.addPanel(second);
    sheet.addSpacing(7);

    QCOMPARE(describeColumn(sheet),
        (QStringList { QStringLiteral("panel:A"), QStringLiteral("sheet"), QStringLiteral("sheet"),
            QStringLiteral("stretch:1000"), QStringLiteral("space:7") }));
    QCOMPARE(sheet.panels(), (QVector<PropertyListWidget*> { first, second }));
    QCOMPARE(first->parentWidget(), &sheet);
}

void tst_PropertySheet::objectWithoutInterface()
{
    QObject plain;
    PropertyListWidget withPlain(&plain, nullptr);
    QCOMPARE(withPlain.windowTitle(), QStringLiteral("Untitled"));
    QCOMPARE(describeColumn(withPlain), QStringList { QStringLiteral("stretch:1000") });

    PropertyListWidget withNull(nullptr, nullptr);
    QCOMPARE(describeColumn(withNull), QStringList { QStringLiteral("stretch:1000") });
    QVERIFY(withNull.panels().isEmpty());
    // An empty sheet still takes nested sheets.
    auto* nested = new PropertyListWidget(nullptr, nullptr);
    withNull.addPanel(nested);
    QCOMPARE(withNull.panels(), QVector<PropertyListWidget*> { nested });
}

void tst_PropertySheet::propertyListAskedOnce()
{
    DescribedObject object({ typed("panel", QStringLiteral("A")) });
    PropertyListWidget sheet(&object, nullptr);
    QCOMPARE(object.calls, 1);
    QVERIFY(sheet.isVisibleTo(nullptr) || !sheet.isHidden());
}

QTEST_MAIN(tst_PropertySheet)
#include "tst_propertysheet.moc"
