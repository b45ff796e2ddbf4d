// Descriptions made other ways than by hand: rows from a class's Q_PROPERTYs, lists read from and
// written to JSON; what a record adds to any row (tooltip, reset); the sheet's filter; and the
// messages about setups and records that cannot work as written.

#include "SheetFixture.h"

#include "propertysheet/DescriptionCheck.h"
#include "propertysheet/Panel.h"

#include <QLayout>
#include <QLoggingCategory>
#include <QMetaProperty>
#include <QPointF>
#include <QRect>
#include <QSignalSpy>
#include <QUrl>

#include <cmath>

using namespace testutils;
namespace Key = PropertyKey;
namespace Type = RowType;

// A base class with a titled panel, a range given in class information and rows that are none.
class Basics : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("panel", "Basic settings")
    Q_CLASSINFO("count.min", "-5")
    Q_CLASSINFO("count.max", "50")
    Q_PROPERTY(int count MEMBER m_count)
    Q_PROPERTY(bool visible MEMBER m_visible)
    Q_PROPERTY(QString name MEMBER m_name)
    Q_PROPERTY(QRect area MEMBER m_area)
    Q_PROPERTY(QString secret MEMBER m_name DESIGNABLE false)
    Q_PROPERTY(QString version READ version CONSTANT)
public:
    QString version() const { return QStringLiteral("1"); }

    int m_count = 3;
    bool m_visible = true;
    QString m_name = QStringLiteral("n");
    QRect m_area;
};

// One property of every type a row edits, some of types none does, and a derived property.
class Drawing : public Basics, public IUserInterfaceProperties
{
    Q_OBJECT
    Q_INTERFACES(IUserInterfaceProperties)
    Q_CLASSINFO("count.max", "80") // wins over the base class's
    Q_CLASSINFO("ratio.label", "Aspect ratio")
    Q_CLASSINFO("ratio.tooltip", "Width over height")
    Q_CLASSINFO("ratio.min", "0.5")
    Q_CLASSINFO("ratio.max", "2.5")
    Q_CLASSINFO("ratio.precision", "2")
    Q_CLASSINFO("texture.file", "image")
public:
    enum Kind { Circle, Square, Star = 5 };
    Q_ENUM(Kind)
    enum Edge { NoEdges = 0, Top = 1, Bottom = 2, Left = 4 };
    Q_DECLARE_FLAGS(Edges, Edge)
    Q_FLAG(Edges)
    Q_PROPERTY(double ratio MEMBER m_ratio)
    Q_PROPERTY(float size READ size WRITE setSize RESET resetSize)
    Q_PROPERTY(QColor tint MEMBER m_tint)
    Q_PROPERTY(bool tintEnabled MEMBER m_tintEnabled)
    Q_PROPERTY(Kind kind MEMBER m_kind)
    Q_PROPERTY(Edges edges READ edges WRITE setEdges)
    Q_PROPERTY(QUrl link MEMBER m_link)
    Q_PROPERTY(QString texture MEMBER m_texture)
    Q_PROPERTY(uint steps MEMBER m_steps)
    Q_PROPERTY(QVariantList items MEMBER m_items)
    Q_PROPERTY(QPointF origin MEMBER m_origin)

public:
    PropertyDescriptionList propertyList() override
    {
        if (!list.isEmpty())
            return list;
        PropertiesListBuilder builder("Drawing"_q);
        builder.AddProperties(this);
        return builder;
    }
    float size() const { return m_size; }
    void setSize(float size) { m_size = size; }
    void resetSize() { m_size = 0.25f; }
    Edges edges() const { return m_edges; }
    void setEdges(Edges edges) { m_edges = edges; }

    PropertyDescriptionList list; // the description, when not the class's own
    double m_ratio = 1.0;
    float m_size = 0.5f;
    QColor m_tint = Qt::red;
    bool m_tintEnabled = true;
    Kind m_kind = Square;
    Edges m_edges = Bottom;
    QUrl m_link;
    QString m_texture;
    uint m_steps = 4;
    QVariantList m_items;
    QPointF m_origin;
};

// Class information that no row can use.
class Misdescribed : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("level.max", "lots")
    Q_CLASSINFO("level.precision", "2.5")
    Q_PROPERTY(int level MEMBER m_level)
public:
    int m_level = 0;
};

namespace {

// The first difference between two lists, values and their types, or nothing.
QString difference(PropertyDescriptionList const& actual, PropertyDescriptionList const& expected)
{
    if (actual.size() != expected.size())
        return "%1 records, not %2"_q.arg(actual.size()).arg(expected.size());
    for (int i = 0; i < actual.size(); ++i) {
        if (actual[i].keys() != expected[i].keys())
            return "record %1 has the keys %2"_q.arg(i).arg(
                actual[i].keys().join(QLatin1Char(' ')));
        for (auto it = expected[i].cbegin(); it != expected[i].cend(); ++it) {
            const QVariant got = actual[i].value(it.key());
            if (got != it.value() || got.userType() != it.value().userType())
                return "record %1, %2: %3 %4"_q.arg(i).arg(
                    it.key(), QLatin1String(got.typeName()), got.toString());
        }
    }
    return QString();
}

// The property as text; an enum as its number, which reads alike with every Qt.
QString valueOf(QObject* object, const char* prop)
{
    const QMetaObject* meta = object->metaObject();
    const QVariant value = object->property(prop);
    return meta->property(meta->indexOfProperty(prop)).isEnumType() ? QString::number(value.toInt())
                                                                    : value.toString();
}

// The panels the sheet shows and their shown rows: "title[row row]", a row by object name (by
// class without one).
QStringList shown(PropertyListWidget& sheet)
{
    QStringList out;
    auto* column = sheet.layout();
    for (int i = 0; i < column->count(); ++i) {
        auto* panel = qobject_cast<PropsPanel*>(column->itemAt(i)->widget());
        if (!panel || !panel->isVisibleTo(&sheet))
            continue;
        auto* title = panel->findChild<Label*>("panelTitle"_q);
        QStringList rows;
        for (int r = title ? 1 : 0; r < panel->layout()->count(); ++r) {
            QWidget* row = panel->layout()->itemAt(r)->widget();
            if (row->isVisibleTo(&sheet))
                rows << (row->objectName().isEmpty() ? QLatin1String(row->metaObject()->className())
                                                     : row->objectName());
        }
        out << "%1[%2]"_q.arg(title ? title->text() : "-"_q, rows.join(QLatin1Char(' ')));
    }
    return out;
}

// The sheet's debug messages on, for as long as it lives.
struct SheetDebug
{
    SheetDebug() { QLoggingCategory::setFilterRules("corvane.sheet.debug=true"_q); }
    ~SheetDebug() { QLoggingCategory::setFilterRules(QString()); }
};

QAction* resetAction(QWidget* row)
{
    return row ? row->findChild<QAction*>("reset"_q) : nullptr;
}

// A shown sheet over a Drawing with its own description, file rows offering FakeHelper's files.
struct DrawingSheet : SheetParts
{
    DrawingSheet()
    {
        sheet = &widget;
        widget.resize(400, 1200);
        widget.show();
        active = QTest::qWaitForWindowActive(sheet);
    }

    FakeHelper helper;
    Drawing host;
    PropertyListWidget widget { &host, &helper };
    bool active;
};

// Three panels: an implicit one, one with a separator, one with a label, and an empty one.
PropertyDescriptionList filterList()
{
    return records(R"([{"type": "title", "label": "Sheet"},
        {"type": "number", "label": "Size", "prop": "size"}, {"type": "panel", "label": "Geometry"},
        {"type": "number", "label": "Width", "prop": "width"},
        {"type": "number", "label": "Opacity", "prop": "alpha"}, {"type": "line"},
        {"type": "panel", "label": "Text"}, {"type": "text", "label": "Caption", "prop": "caption"},
        {"type": "label", "label": "Drawn in the corner", "w_obj_id": "hint"},
        {"type": "panel", "label": "Empty"}])");
}

} // namespace

class tst_Descriptions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Every key of the format has a kind of value, which the reader and the messages check.
    void everyKeyHasAKind()
    {
        for (QLatin1String key : Key::All) {
            DescriptionCheck::Kind kind;
            QVERIFY2(DescriptionCheck::kindOf(key, &kind), key.data());
        }
        DescriptionCheck::Kind kind;
        QVERIFY(!DescriptionCheck::kindOf("w_maxvalue"_q, &kind));
    }

    // A panel per class, base first, declaration order, class information applied (the derived
    // class's over the base's); what gets no row is named, and non-designable, read-only and
    // constant properties are skipped. Each record key by key, one per line.
    void introspectedList()
    {
        Drawing drawing;
        PropertiesListBuilder b("T"_q);
        QCOMPARE(b.AddProperties(&drawing), ("area items origin"_q.split(QLatin1Char(' '))));
        const QString number
            = R"(  {"type": "number", "label": "%1", "prop": "%1", "w_flags": %2, )"_q;
        QCOMPARE(QString::fromUtf8(corvane::descriptionsToJson(b)).split(QLatin1Char('\n')),
            (QStringList { "["_q, R"(  {"type": "title", "label": "T"},)"_q,
                R"(  {"type": "panel", "label": "Basic settings"},)"_q,
                number.arg("count"_q).arg(160)
                    + R"("w_maxValue": 80.0, "w_minValue": -5.0, "w_percent": false, "w_precision": 0},)"_q,
                R"(  {"type": "check", "label": "visible", "prop": "visible", "w_order": 0},)"_q,
                R"(  {"type": "text", "label": "name", "prop": "name", "w_flags": 0, "w_value": ""},)"_q,
                R"(  {"type": "panel", "label": "Drawing"},)"_q,
                R"(  {"type": "number", "label": "Aspect ratio", "prop": "ratio", "w_flags": 194, "w_maxValue": 2.5, )"_q
                    + R"("w_minValue": 0.5, "w_percent": false, "w_precision": 2, "w_tooltip": "Width over height"},)"_q,
                number.arg("size"_q).arg(194)
                    + R"("w_maxValue": 1.0, "w_minValue": 0.0, "w_percent": false, "w_precision": 3},)"_q,
                R"(  {"type": "color", "label": "tint", "prop": "tint", "w_order": 0},)"_q,
                R"(  {"type": "combo", "label": "kind", "prop": "kind", "w_flags": 0, "w_isEditable": false, )"_q
                    + R"("w_values": {"Circle": 0, "Square": 1, "Star": 5}},)"_q,
                R"(  {"type": "combo", "label": "edges", "prop": "edges", "w_flags": 0, "w_isEditable": false, )"_q
                    + R"("w_values": {"Bottom": 2, "Left": 4, "NoEdges": 0, "Top": 1}},)"_q,
                R"(  {"type": "file", "label": "link", "prop": "link", "w_mode": ""},)"_q,
                R"(  {"type": "file", "label": "texture", "prop": "texture", "w_mode": "image"},)"_q,
                number.arg("steps"_q).arg(160)
                    + R"("w_maxValue": 100.0, "w_minValue": 0.0, "w_percent": false, "w_precision": 0})"_q,
                "]"_q, QString() }));

        // The same from the class alone; up to a base; beyond QObject; nothing from no object.
        PropertiesListBuilder fromClass("T"_q);
        QCOMPARE(fromClass.AddProperties(Drawing::staticMetaObject), b.AddProperties(&drawing));
        QCOMPARE(difference(fromClass.list(), b.list().mid(0, fromClass.list().size())), QString());
        PropertiesListBuilder own { QString() };
        QCOMPARE(own.AddProperties(&drawing, &Basics::staticMetaObject),
            ("items origin"_q.split(QLatin1Char(' '))));
        QCOMPARE(difference(own.list().mid(1), b.list().mid(5, 9)), QString());
        PropertiesListBuilder all { QString() };
        all.AddProperties(&drawing, nullptr);
        QCOMPARE(all.list().value(1).value(Key::Label), QVariant("QObject"_q));
        QCOMPARE(all.list().value(2).value(Key::Prop), QVariant("objectName"_q));
        QCOMPARE(difference(all.list().mid(3), fromClass.list().mid(1)), QString());
        PropertiesListBuilder none { QString() };
        QCOMPARE(none.AddProperties(static_cast<QObject*>(nullptr)), QStringList());
        QCOMPARE(none.list().size(), 1);
    }

    void introspectedSheetEdits_data()
    {
        columns<SheetEdit, QByteArray, QString>("edit", "prop", "value");
        const auto row = [](char const* name, SheetEdit edit, char const* prop, QString value) {
            QTest::newRow(name) << edit << QByteArray(prop) << value;
        };
        row("int", typed("count", "7"_q), "count", "7"_q);
        row("unsigned", typed("steps", "42"_q), "steps", "42"_q);
        row("double", typed("ratio", "1.25"_q), "ratio", "1.25"_q);
        row("float", typed("size", "0.75"_q), "size", "0.75"_q);
        row("bool", checkClicked("visible"), "visible", "false"_q);
        row("string", typed("name", "Bob"_q), "name", "Bob"_q);
        row("colour", colourChosen("tint", Qt::blue), "tint", "#0000ff"_q);
        row("enum", pressed("kind", Qt::Key_Down), "kind", "5"_q);
        row("flags", pressed("edges", Qt::Key_Down), "edges", "4"_q);
        row("url", fileSelected("link", "/tmp/b.png"_q), "link", "/tmp/b.png"_q);
        row("file", fileSelected("texture", "/tmp/a.png"_q), "texture", "/tmp/a.png"_q);
    }

    // A sheet built from the class's own records edits each property through its control.
    void introspectedSheetEdits()
    {
        DrawingSheet s;
        QVERIFY(s.active);
        auto [edit, prop, value] = fetch<SheetEdit, QByteArray, QString>("edit", "prop", "value");
        edit(s);
        QCOMPARE(valueOf(&s.host, prop.constData()), value);
    }

    // Enum rows select by number whether Qt reads the property as its key or its number; flags
    // that no single entry stands for select none.
    void enumRows()
    {
        DrawingSheet s;
        auto* kind = s.row<ComboBox>("kind");
        auto* edges = s.row<ComboBox>("edges");
        QCOMPARE(kind->currentValue(), "Square"_q);
        QCOMPARE(kind->property(ComboEnumProperty), QVariant(true));
        QCOMPARE(kind->property(ComboNoKeysProperty), QVariant(false));
        QCOMPARE(edges->currentValue(), "Bottom"_q);
        s.host.m_kind = Drawing::Circle;
        s.host.m_edges = Drawing::Edges(Drawing::Top) | Drawing::Left;
        s.sheet->updateAll();
        QCOMPARE(kind->currentValue(), "Circle"_q);
        QCOMPARE(edges->currentIndex(), -1);
        s.host.m_edges = Drawing::Left;
        s.sheet->updateAll();
        QCOMPARE(edges->currentValue(), "Left"_q);

        // A choice shows what the object then holds.
        QVERIFY(s.active);
        QTest::keyClick(s.part<QComboBox>("kind"), Qt::Key_End);
        QCOMPARE(s.host.m_kind, Drawing::Star);
        QCOMPARE(kind->currentValue(), "Star"_q);
        QTest::keyClick(s.part<QComboBox>("edges"), Qt::Key_Up);
        QCOMPARE(int(s.host.m_edges), int(Drawing::Bottom));
        QCOMPARE(edges->currentValue(), "Bottom"_q);

        // An enum takes its keys only, whatever the record says.
        Drawing typed;
        typed.list = { s.host.propertyList().value(9) };
        typed.list[0].insert(Key::IsEditable, true);
        PropertyListWidget fixed(&typed, nullptr);
        QCOMPARE(
            fixed.findChild<ComboBox*>("kind"_q)->findChild<QComboBox*>()->isEditable(), false);

        // An object's own "<prop>Values" comes first, with its own meaning: a plain list.
        s.host.setProperty("kindValues", QStringList { "a"_q, "b"_q });
        PropertyListWidget own(&s.host, nullptr);
        QCOMPARE(own.findChild<ComboBox*>("kind"_q)->count(), 2);
        QCOMPARE(own.findChild<ComboBox*>("kind"_q)->property(ComboNoKeysProperty), QVariant(true));
    }

    // Entries carried by a record over a plain property work as a "<prop>Values" would.
    void recordEntries()
    {
        FakeHost host(records(R"([{"type": "combo", "prop": "dyn0", "w_values": ["x", "y", "z"]},
            {"type": "combo", "prop": "dyn1", "w_values": {"Thin": 1, "Thick": 4}}])"));
        host.preset({ { "dyn0"_q, 2 }, { "dyn1"_q, "Thick"_q } });
        PropertyListWidget sheet(&host, nullptr);
        auto* plain = sheet.findChild<ComboBox*>("dyn0"_q);
        QCOMPARE(plain->currentValue(), "z"_q);
        QCOMPARE(plain->property(ComboNoKeysProperty), QVariant(true));
        QCOMPARE(sheet.findChild<ComboBox*>("dyn1"_q)->currentValue(), "Thick"_q);
        QVERIFY(!sheet.findChild<ComboBox*>("dyn1"_q)->property(ComboEnumProperty).isValid());
        plain->setCurrentIndex(0);
        QCOMPARE(host.writes, (QList<Write> { Write("dyn0"_q, "x"_q), Write("dyn0"_q, 0) }));
    }

    void jsonValues_data()
    {
        columns<QVariant, QString, QVariant>("value", "text", "back");
        const auto same = [](char const* name, QVariant v, QString text) {
            QTest::newRow(name) << v << text << v;
        };
        same("int", 7, "7"_q);
        same("smallest int", INT_MIN, "-2147483648"_q);
        same("beyond an int", qlonglong(1) << 40, "1099511627776"_q);
        same("float", 0.1f, "0.1"_q);
        same("whole float", 2.0f, "2.0"_q);
        same("float in fewer digits than its exponent", 240.0f, "240.0"_q);
        same("small float", 1e-7f, "1e-07"_q);
        same("largest float", 3.4028235e38f, "3.4028235e+38"_q);
        same("double beyond a float", 0.30000000000000004, "0.30000000000000004"_q);
        same("huge double", 1e300, "1e+300"_q);
        QTest::newRow("double a float spells alike") << QVariant(0.1) << "0.1"_q << QVariant(0.1f);
        QTest::newRow("double infinity")
            << QVariant(qInf()) << "Infinity"_q << QVariant(std::numeric_limits<float>::infinity());
        same("float infinity", -std::numeric_limits<float>::infinity(), "-Infinity"_q);
        same("bool", true, "true"_q);
        same("escapes", "q\"b\\s/\n\t\x01é😀"_q, "\"q\\\"b\\\\s/\\n\\t\\u0001é😀\""_q);
        same("lone surrogate", QString(QChar(0xD800)), "\"\\ud800\""_q);
        same("strings", QStringList { "a"_q, "b"_q }, "[\"a\", \"b\"]"_q);
        same("no strings", QStringList(), "[]"_q);
        same("mixed list", QVariantList { 1, "a"_q, QVariantList { 2.5f } }, "[1, \"a\", [2.5]]"_q);
        same("map", QVariantMap { { "b"_q, 1 }, { "a"_q, QStringList { "x"_q } } },
            "{\"a\": [\"x\"], \"b\": 1}"_q);
        same("none", QVariant(), "null"_q);
        QTest::newRow("colour") << QVariant(QColor(Qt::red)) << "\"#ff0000\""_q
                                << QVariant("#ff0000"_q);
    }

    // How a value is written, and what comes back.
    void jsonValues()
    {
        auto [value, text, back] = fetch<QVariant, QString, QVariant>("value", "text", "back");
        const QByteArray json = corvane::descriptionsToJson({ { { "v"_q, value } } });
        QCOMPARE(QString::fromUtf8(json), "[\n  {\"v\": %1}\n]\n"_q.arg(text));
        DescriptionJsonError error;
        const PropertyDescriptionList list = corvane::descriptionsFromJson(json, &error);
        QVERIFY2(!error.isError(), qPrintable(error.toString()));
        QCOMPARE(difference(list, { { { "v"_q, back } } }), QString());
    }

    void jsonNaN()
    {
        const QByteArray json = corvane::descriptionsToJson({ { { "v"_q, qQNaN() } } });
        QCOMPARE(json, QByteArray("[\n  {\"v\": NaN}\n]\n"));
        const QVariant back = corvane::descriptionsFromJson(json).value(0).value("v"_q);
        QCOMPARE(back.userType(), int(QMetaType::Float));
        QVERIFY(std::isnan(back.toFloat()));
    }

    // One record per call of the builder, key by key, in the types it gives them (ints stay ints,
    // floats floats and flags bools), written one per line; every record, the meta-object's
    // included, comes back from JSON as it was.
    void builderRecordsAsJson()
    {
        PropertiesListBuilder b("Title \"quoted\""_q);
        b.AddPanel("P"_q);
        b.AddPercentSlider("L"_q, "p"_q, false);
        b.AddPercentSlider("L"_q, "p"_q, true);
        b.AddSlider("L"_q, "p"_q, 0.5f, 2.5f, eRealValues | NumberFlags::PlainWrite, 1);
        b.AddSlider("S"_q, "s"_q, -0.1f, 1e-7f, NumberFlags::Default, 2);
        b.AddSlider("E"_q, "e"_q, -3.4028235e38f, qInf(), eIntValues, -1);
        b.AddColorPicker("L"_q, "p"_q, eSecondary);
        b.AddFilePicker("L"_q, "p"_q, "img"_q);
        b.AddCheckBox("L"_q, "p"_q, ePrimaryLight);
        b.AddComboBox("L"_q, "p"_q, true, false);
        b.AddComboBox("L"_q, "p"_q, false, true);
        b.AddSeparator(eLineThick);
        b.AddLabel("L"_q, 7, eSecondary, eSideLeft, "id"_q);
        b.AddButton("L"_q, "p"_q);
        b.AddTextField("L"_q, "p"_q, "ünïcode\n"_q, true);
        b.AddMultiTextField("L"_q, "p"_q, "v"_q, false);
        const QString number
            = R"(  {"type": "number", "label": "%1", "prop": "%2", "w_flags": %3, )"_q;
        QCOMPARE(QString::fromUtf8(corvane::descriptionsToJson(b)).split(QLatin1Char('\n')),
            (QStringList { "["_q, "  {\"type\": \"title\", \"label\": \"Title \\\"quoted\\\"\"},"_q,
                R"(  {"type": "panel", "label": "P"},)"_q,
                number.arg("L"_q, "p"_q).arg(161)
                    + R"("w_maxValue": 1, "w_minValue": 0, "w_percent": true},)"_q,
                number.arg("L"_q, "p"_q).arg(673)
                    + R"("w_maxValue": 1, "w_minValue": 0, "w_percent": true},)"_q,
                number.arg("L"_q, "p"_q).arg(66)
                    + R"("w_maxValue": 2.5, "w_minValue": 0.5, "w_percent": false, "w_precision": 1},)"_q,
                number.arg("S"_q, "s"_q).arg(194)
                    + R"("w_maxValue": 1e-07, "w_minValue": -0.1, "w_percent": false, "w_precision": 2},)"_q,
                number.arg("E"_q, "e"_q).arg(32)
                    + R"("w_maxValue": Infinity, "w_minValue": -3.4028235e+38, "w_percent": false, "w_precision": -1},)"_q,
                R"(  {"type": "color", "label": "L", "prop": "p", "w_order": 2},)"_q,
                R"(  {"type": "file", "label": "L", "prop": "p", "w_mode": "img"},)"_q,
                R"(  {"type": "check", "label": "L", "prop": "p", "w_order": 1},)"_q,
                R"(  {"type": "combo", "label": "L", "prop": "p", "w_flags": 0, "w_isEditable": true},)"_q,
                R"(  {"type": "combo", "label": "L", "prop": "p", "w_flags": 512, "w_isEditable": false},)"_q,
                R"(  {"type": "line", "w_value": 2},)"_q,
                R"(  {"type": "label", "label": "L", "w_obj_id": "id", "w_order": 2, "w_padding": 1, "w_value": 7},)"_q,
                R"(  {"type": "button", "label": "L", "prop": "p"},)"_q,
                R"(  {"type": "text", "label": "L", "prop": "p", "w_flags": 512, "w_value": "ünïcode\n"},)"_q,
                R"(  {"type": "multitext", "label": "L", "prop": "p", "w_flags": 0, "w_value": "v"})"_q,
                "]"_q, QString() }));
        const PropertyDescriptionList list = b;
        QCOMPARE(b.list(), list);
        b.AddProperties(Drawing::staticMetaObject);
        DescriptionJsonError error;
        QCOMPARE(
            difference(corvane::descriptionsFromJson(corvane::descriptionsToJson(b), &error), b),
            QString());
        QCOMPARE(error.toString(), QString());
        // Key order and spacing are the writer's, not the format's.
        QCOMPARE(corvane::descriptionsFromJson(
                     " [ {\"w_flags\":194,\"prop\":\"s\" ,\"type\":\"number\"} ] "),
            PropertyDescriptionList(
                { rec(Type::Number, { { Key::Flags, 194 }, { Key::Prop, "s"_q } }) }));
    }

    // Each error says where ("line:column key"), and why; no part of the list is returned.
    void jsonErrors_data()
    {
        columns<QByteArray, QString>("json", "error");
        const auto row = [](QByteArray json, char const* error) {
            QTest::newRow(json.left(40).constData()) << json << QString::fromUtf8(error);
        };
        row("", "1:1 : unexpected end of input");
        row(" {}", "1:2 : expected a list of records");
        row("[1]", "1:2 : expected a record");
        row("[{}", "1:4 : unexpected end of input");
        row("[{} {}]", "1:5 : expected ',' or ']'");
        row("[{}] x", "1:6 : unexpected text after the list");
        row(R"([{"type": "check",}])", "1:19 type: expected a key");
        row(R"([{"type" "check"}])", "1:10 type: expected ':'");
        row(R"([{"type": "check" "prop": "p"}])", "1:19 type: expected ',' or '}'");
        row(R"([{"type": "check", "type": "line"}])", "1:20 type: duplicate key");
        // Values of the wrong kind for their key.
        row(R"([{"w_flags": "12"}])", "1:14 w_flags: expected an integer");
        row(R"([{"w_order": 1.0}])", "1:14 w_order: expected an integer");
        row(R"([{"w_minValue": "0"}])", "1:17 w_minValue: expected a number");
        row(R"([{"w_isEditable": 1}])", "1:19 w_isEditable: expected true or false");
        row(R"([{"label": null}])", "1:12 label: expected a string");
        row(R"([{"w_value": true}])", "1:14 w_value: expected a string or an integer");
        const char* entries = "1:15 w_values: expected a list of strings or an object of numbers";
        row(R"([{"w_values": [1, 2]}])", entries);
        row(R"([{"w_values": {"a": "1"}}])", entries);
        row(R"([{"w_default": null}])", "1:16 w_default: expected a value");
        // Strings.
        row(R"([{"label": "a\qb"}])", "1:14 label: invalid escape");
        row(R"([{"label": "\u12"}])", "1:13 label: invalid escape");
        row("[{\"label\": \"ab", "1:12 label: unterminated string");
        row("[{\"label\": \"a\tb\"}]", "1:14 label: control character in string");
        row("[{\"label\": \"a\xC3(\"}]", "1:14 label: invalid UTF-8");
        row("[{\"label\": \"\xC0\xAF\"}]", "1:13 label: invalid UTF-8"); // overlong
        row("[{\"label\": \"\xED\xA0\x80\"}]", "1:13 label: invalid UTF-8"); // a surrogate
        // Numbers and words.
        row(R"([{"w_flags": 012}])", "1:14 w_flags: invalid number");
        row(R"([{"w_flags": -}])", "1:14 w_flags: invalid number");
        row(R"([{"w_minValue": 1.}])", "1:17 w_minValue: invalid number");
        row(R"([{"w_maxValue": 1e999}])", "1:17 w_maxValue: number out of range");
        row(R"([{"w_percent": tru}])", "1:16 w_percent: expected a value");
        row(R"([{"w_percent": truex}])", "1:16 w_percent: expected a value");
        // Nested values of keys outside the format.
        row(R"([{"other": [1, 2}])", "1:17 other: expected ',' or ']'");
        row(R"([{"other": {"a": 1, "a": 2}}])", "1:21 other: duplicate key");
        row("[{\"other\": " + QByteArray(70, '[') + QByteArray(70, ']') + "}]",
            "1:75 other: nesting too deep");
        // Lines and columns: a column counts characters, not bytes.
        row("[\n  {\"type\": \"check\"},\n  {\"label\": \"ÄÖÜ\", \"w_order\": \"x\"}\n]",
            "3:31 w_order: expected an integer");
        row("[{\"type\": \"line\"}, {\"w_flags\": 1.5}]", "1:32 w_flags: expected an integer");
    }
    void jsonErrors()
    {
        auto [json, expected] = fetch<QByteArray, QString>("json", "error");
        DescriptionJsonError error;
        QVERIFY(corvane::descriptionsFromJson(json, &error).isEmpty());
        QCOMPARE("%1:%2 %3: %4"_q.arg(error.line).arg(error.column).arg(error.key, error.message),
            expected);
        QVERIFY(error.isError());
    }

    void jsonAcceptsWhatJsonAllows()
    {
        const QByteArray json = "\xEF\xBB\xBF[\r\n\t{\"label\": \"\\u00e9\\ud83d\\ude00\\/\", "
                                "\"other\": {}, \"w_maxValue\": -1.5E+2, \"w_flags\": -0}]";
        DescriptionJsonError error;
        const PropertyDescriptionList list = corvane::descriptionsFromJson(json, &error);
        QCOMPARE(error.toString(), QString());
        QCOMPARE(difference(list,
                     { { { Key::Label, "é😀/"_q }, { "other"_q, QVariantMap() },
                         { Key::MaxValue, -150.0f }, { Key::Flags, 0 } } }),
            QString());
        QCOMPARE(corvane::descriptionsFromJson("[]", &error), PropertyDescriptionList());
        QVERIFY(!error.isError());
        // An error in words, with its key where there is one.
        corvane::descriptionsFromJson("[{\"w_flags\": 1.5}]", &error);
        QCOMPARE(error.toString(), R"(line 1, column 14, key "w_flags": expected an integer)"_q);
        corvane::descriptionsFromJson("[{}] x", &error);
        QCOMPARE(error.toString(), "line 1, column 6: unexpected text after the list"_q);
    }

    void filter_data()
    {
        columns<QString, QStringList>("text", "shown");
        QTest::newRow("none") << QString()
                              << QStringList { "Sheet[size]"_q,
                                     "Geometry[width alpha SeparatorLine]"_q,
                                     "Text[caption hint]"_q, "Empty[]"_q };
        QTest::newRow("a label, in any case") << "WIDTH"_q << QStringList { "Geometry[width]"_q };
        QTest::newRow("a property name") << "alp"_q << QStringList { "Geometry[alpha]"_q };
        QTest::newRow("label rows by their text") << "corner"_q << QStringList { "Text[hint]"_q };
        QTest::newRow("several panels")
            << "i"_q
            << QStringList { "Sheet[size]"_q, "Geometry[width alpha]"_q, "Text[caption hint]"_q };
        QTest::newRow("panel titles do not count") << "geometry"_q << QStringList();
        QTest::newRow("nothing matches") << "zzz"_q << QStringList();
    }

    // The same before the sheet is first shown and after.
    void filter()
    {
        const QStringList everything { "Sheet[size]"_q, "Geometry[width alpha SeparatorLine]"_q,
            "Text[caption hint]"_q, "Empty[]"_q };
        FakeHost host(filterList());
        PropertyListWidget sheet(&host, nullptr);
        QFETCH(QString, text);
        sheet.setFilter(text);
        QCOMPARE(sheet.filter(), text);
        sheet.resize(300, 400);
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        QTEST(shown(sheet), "shown");
        sheet.setFilter(QString());
        QCOMPARE(shown(sheet), everything);
        sheet.setFilter(text);
        QTEST(shown(sheet), "shown");
    }

    // Only what the filter hid comes back; filtering again starts from the whole sheet.
    void filterKeepsWhatTheHostHid()
    {
        FakeHost host(filterList());
        PropertyListWidget sheet(&host, nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        sheet.findWidget("alpha"_q)->hide();
        sheet.setFilter("a"_q);
        QCOMPARE(shown(sheet), (QStringList { "Text[caption hint]"_q }));
        sheet.setFilter("wid"_q);
        QCOMPARE(shown(sheet), QStringList { "Geometry[width]"_q });
        sheet.setFilter(QString());
        QCOMPARE(shown(sheet),
            (QStringList { "Sheet[size]"_q, "Geometry[width SeparatorLine]"_q,
                "Text[caption hint]"_q, "Empty[]"_q }));
        QVERIFY(sheet.findWidget("width"_q)->isVisible());
    }

    void toolTipsAndReset_data()
    {
        columns<PropertyDescription, QString, bool, QList<Write>>(
            "record", "toolTip", "reset", "resetWrites");
        const auto row = [](PropertyDescription record, char const* tip, bool reset,
                             QList<Write> writes = {}) {
            QTest::newRow(qPrintable(record.value(Key::Type).toString()))
                << record << QString::fromLatin1(tip) << reset << writes;
        };
        const auto w = [](char const* prop, QVariant v) {
            return QList<Write> { Write(QLatin1String(prop), v) };
        };
        row(record(R"({"type": "text", "prop": "dyn0", "w_tooltip": "Tip"})"), "Tip", false);
        row(record(R"({"type": "label", "w_obj_id": "dyn0", "w_tooltip": "About"})"), "About",
            false);
        row(record(R"({"type": "number", "prop": "dyn0"})"), "", false);
        row(record(R"({"type": "check", "prop": "dyn0", "w_default": true})"), "", true,
            w("dyn0", true));
        row(record(R"({"type": "number", "prop": "dyn0", "w_default": 0.75, "w_tooltip": "T"})"),
            "T", true, w("dyn0", 0.75f));
        // The setter throws: nothing is written, the row shows what the object holds.
        row(record(R"({"type": "file", "prop": "texture", "w_default": "x/bad.png"})"), "", true);
        row(record(R"({"type": "button", "prop": "reset", "w_default": true})"), "", false);
        row(record(R"({"type": "check", "w_default": true})"), "", false); // no property
        row(rec(Type::Check, { { Key::Prop, "dyn0"_q }, { Key::Default, QVariant() } }), "", false);
    }

    // A tooltip on the row widget itself; a reset action exactly for rows with a default, which
    // writes it and shows what the object then holds.
    void toolTipsAndReset()
    {
        auto [record, toolTip, offered, writes]
            = fetch<PropertyDescription, QString, bool, QList<Write>>(
                "record", "toolTip", "reset", "resetWrites");
        FakeHost host({ record });
        host.preset({ { "dyn0"_q, false } });
        host.m_texture = "/tmp/a.png"_q;
        PropertyListWidget sheet(&host, nullptr);
        QLayout* panel = sheet.findChild<PropsPanel*>()->layout();
        QWidget* row = panel->itemAt(panel->count() - 1)->widget();
        QCOMPARE(row->toolTip(), toolTip);
        QAction* reset = resetAction(row);
        QCOMPARE(reset != nullptr, offered);
        QCOMPARE(
            row->contextMenuPolicy(), offered ? Qt::ActionsContextMenu : Qt::DefaultContextMenu);
        if (!reset)
            return;
        QCOMPARE(reset->text(), "Reset"_q);
        reset->trigger();
        QCOMPARE(host.writes, writes);
        if (auto* check = qobject_cast<CheckBox*>(row))
            QVERIFY(check->isChecked());
        if (auto* number = qobject_cast<InputLineSlider*>(row))
            QCOMPARE(number->getValue(), 0.75f);
        if (auto* file = qobject_cast<FilePicker*>(row))
            QCOMPARE(file->getFileName(), "/tmp/a.png"_q);
    }

    // RESET in the Q_PROPERTY offers the reset too; a recorded default comes first.
    void resetFunction()
    {
        DrawingSheet s;
        QVERIFY(!resetAction(s.row("ratio")));
        s.host.m_size = 0.9f;
        s.sheet->updateAll();
        QSignalSpy edits(s.sheet, &PropertyListWidget::propertyEdited);
        resetAction(s.row("size"))->trigger();
        QCOMPARE(s.host.m_size, 0.25f);
        QCOMPARE(s.row<InputLineSlider>("size")->getValue(), 0.25f);
        // Reported like any edit, so that an undo stack can take it back.
        QCOMPARE(edits.size(), 1);
        const auto edit = edits.at(0).at(0).value<PropertyEdit>();
        QCOMPARE(edit.oldValue(), QVariant(0.9f));
        QCOMPARE(edit.value, QVariant(0.25f));
        QVERIFY(edit.isFinal());
        QCOMPARE(s.row("ratio")->toolTip(), "Width over height"_q);

        Drawing host;
        host.list = { rec(Type::Number, { { Key::Prop, "size"_q }, { Key::Default, 0.5f } }) };
        PropertyListWidget sheet(&host, nullptr);
        host.m_size = 0.9f;
        resetAction(sheet.findWidget("size"_q))->trigger();
        QCOMPARE(host.m_size, 0.5f);
    }

    void recordMessages_data()
    {
        columns<PropertyDescription, QString>("record", "message");
        const auto row = [](char const* name, PropertyDescription record, QString message) {
            QTest::newRow(name) << record << message;
        };
        row("sound record", rec(Type::Number, { { Key::Prop, "dyn0"_q }, { Key::MinValue, 1 } }),
            QString());
        row("sound new keys",
            rec(Type::Combo,
                { { Key::Values, QVariantList { "a"_q } }, { Key::ToolTip, "t"_q },
                    { Key::Default, "a"_q } }),
            QString());
        row("miscased type", rec(QLatin1String("Number")), R"(unknown type "Number")"_q);
        row("no type", PropertyDescription { { Key::Prop, "p"_q } }, R"(unknown type "")"_q);
        row("text for an int", rec(Type::Text, { { Key::Flags, "yes"_q } }),
            R"("w_flags" should be an integer, not QString)"_q);
        row("mistyped key", rec(Type::Number, { { "w_maxvalue"_q, 2.0f } }),
            R"(unknown key "w_maxvalue")"_q);
        row("several problems, one message",
            rec(QLatin1String("slider"),
                { { Key::MinValue, "0"_q }, { Key::IsEditable, 1 }, { Key::Default, QVariant() } }),
            R"(unknown type "slider"; "w_default" should be a value, not none; "w_isEditable" )"
            R"(should be true or false, not int; "w_minValue" should be a number, not QString)"_q);
    }

    // One debug message per record that cannot work as written, none at refreshes; the sheet it
    // builds is the same.
    void recordMessages()
    {
        const SheetDebug debug;
        auto [record, message] = fetch<PropertyDescription, QString>("record", "message");
        FakeHost host({ rec(Type::Line), record });
        MessageLog log;
        PropertyListWidget sheet(&host, nullptr);
        sheet.updateAll();
        QCOMPARE(log.messages,
            message.isEmpty()
                ? QStringList()
                : QStringList { "debug corvane.sheet: PropertyListWidget: record 1 of FakeHost: "_q
                    + message });
    }

    void classInfoMessages()
    {
        const SheetDebug debug;
        MessageLog log;
        PropertiesListBuilder b { QString() };
        b.AddProperties(Misdescribed::staticMetaObject);
        QCOMPARE(log.messages,
            (QStringList {
                "debug corvane.sheet: PropertiesListBuilder: class info \"level.max\" of "
                "Misdescribed is not a usable number"_q,
                "debug corvane.sheet: PropertiesListBuilder: class info \"level.precision\" of "
                "Misdescribed is not a usable number"_q }));
        QCOMPARE(b.list().last().value(Key::MaxValue), QVariant(100.0f));
        QCOMPARE(b.list().last().value(Key::Precision), QVariant(0));
    }

    // Sheets set up right print nothing, debug messages included, while built, refreshed,
    // filtered and reset.
    void soundSetupsPrintNothing()
    {
        const SheetDebug debug;
#if QT_VERSION >= QT_VERSION_CHECK(6, 3, 0)
        QTest::failOnWarning(QRegularExpression("^(?!This plugin does not support)"_q));
#endif
        MessageLog log;
        {
            DrawingSheet s;
            PropertiesListBuilder b("T"_q);
            b.AddSlider("S"_q, "number"_q, 0, 2, NumberFlags::Default, 1);
            b.AddComboBox("W"_q, "width"_q, true);
            FakeHost host(b);
            host.setProperty("widthValues", QVariantMap { { "Normal"_q, 1 } });
            PropertyListWidget sheet(&host, nullptr);
            for (PropertyListWidget* each : { s.sheet, &sheet }) {
                each->updateAll();
                each->setFilter("s"_q);
                each->setFilter(QString());
            }
            resetAction(s.row("size"))->trigger();
            s.row<ComboBox>("kind")->setCurrentIndex(0);
        }
        // The offscreen platform remarks on every new window; that is not the library speaking.
        log.messages.removeAll(
            "warning default: This plugin does not support propagateSizeHints()"_q);
        QCOMPARE(log.messages, QStringList());
    }
};

QTEST_MAIN(tst_Descriptions)
#include "tst_descriptions.moc"
