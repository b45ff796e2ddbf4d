// Descriptions made other ways than by hand: rows from a class's Q_PROPERTYs, lists read from and
// written to JSON; what a record adds to any row (tooltip, reset); the sheet's filter; and the
// messages about setups and records that cannot work as written.

#include "SheetFixture.h"

#include "propertysheet/DescriptionCheck.h"

#include <QDebug>
#include <QLoggingCategory>
#include <QMetaProperty>
#include <QRect>
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

// One property of every type a row edits, one of a type none does, and a derived property.
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
    Q_PROPERTY(float size MEMBER m_size RESET resetSize)
    Q_PROPERTY(QColor tint MEMBER m_tint)
    Q_PROPERTY(bool tintEnabled MEMBER m_tintEnabled)
    Q_PROPERTY(Kind kind MEMBER m_kind)
    Q_PROPERTY(Edges edges READ edges WRITE setEdges)
    Q_PROPERTY(QUrl link MEMBER m_link)
    Q_PROPERTY(QString texture MEMBER m_texture)
    Q_PROPERTY(uint steps MEMBER m_steps)
    Q_PROPERTY(QVariantList items MEMBER m_items)

public:
    // The class's own rows, unless `list` holds others.
    PropertyDescriptionList propertyList() override
    {
        PropertiesListBuilder builder("Drawing"_q);
        builder.AddProperties(this);
        return list.isEmpty() ? builder.list() : list;
    }
    void resetSize() { m_size = 0.25f; }
    Edges edges() const { return m_edges; }
    void setEdges(Edges edges) { m_edges = edges; }

    PropertyDescriptionList list;
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

// The list with the type of every value: lists of equal values but other types differ.
QString withTypes(PropertyDescriptionList const& list)
{
    QString text;
    QDebug(&text) << list;
    return text;
}

// The description written as JSON, one record per entry.
QStringList jsonLines(PropertyDescriptionList const& list)
{
    return QString::fromUtf8(corvane::descriptionsToJson(list)).split(QLatin1Char('\n'));
}

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

} // namespace

class tst_Descriptions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The sheet's debug messages on: the tests that expect them and those that expect none.
    void initTestCase() { QLoggingCategory::setFilterRules("corvane.sheet.debug=true"_q); }

    // A panel per class, base first, declaration order, class information applied (the derived
    // class's over the base's); what gets no row is named, and non-designable, read-only and
    // constant properties are skipped.
    void introspectedList()
    {
        Drawing drawing;
        PropertiesListBuilder b("T"_q);
        QCOMPARE(b.AddProperties(&drawing), (QStringList { "area"_q, "items"_q }));
        const QString number
            = R"(  {"type": "number", "label": "%1", "prop": "%1", "w_flags": %2, )"
              R"("w_maxValue": %3, "w_minValue": %4, "w_percent": false, )"_q;
        QCOMPARE(jsonLines(b),
            (QStringList { "["_q, R"(  {"type": "title", "label": "T"},)"_q,
                R"(  {"type": "panel", "label": "Basic settings"},)"_q,
                number.arg("count"_q).arg(160).arg("80.0"_q, "-5.0"_q) + R"("w_precision": 0},)"_q,
                R"(  {"type": "check", "label": "visible", "prop": "visible", "w_order": 0},)"_q,
                R"(  {"type": "text", "label": "name", "prop": "name", "w_flags": 0, "w_value": ""},)"_q,
                R"(  {"type": "panel", "label": "Drawing"},)"_q,
                R"(  {"type": "number", "label": "Aspect ratio", "prop": "ratio", "w_flags": 194, "w_maxValue": 2.5, )"_q
                    + R"("w_minValue": 0.5, "w_percent": false, "w_precision": 2, "w_tooltip": "Width over height"},)"_q,
                number.arg("size"_q).arg(194).arg("1.0"_q, "0.0"_q) + R"("w_precision": 3},)"_q,
                R"(  {"type": "color", "label": "tint", "prop": "tint", "w_order": 0},)"_q,
                R"(  {"type": "combo", "label": "kind", "prop": "kind", "w_flags": 0, "w_isEditable": false, )"_q
                    + R"("w_values": {"Circle": 0, "Square": 1, "Star": 5}},)"_q,
                R"(  {"type": "combo", "label": "edges", "prop": "edges", "w_flags": 0, "w_isEditable": false, )"_q
                    + R"("w_values": {"Bottom": 2, "Left": 4, "NoEdges": 0, "Top": 1}},)"_q,
                R"(  {"type": "file", "label": "link", "prop": "link", "w_mode": ""},)"_q,
                R"(  {"type": "file", "label": "texture", "prop": "texture", "w_mode": "image"},)"_q,
                number.arg("steps"_q).arg(160).arg("100.0"_q, "0.0"_q) + R"("w_precision": 0})"_q,
                "]"_q, QString() }));

        // The same from the class alone; up to a base; beyond QObject; nothing from no object.
        PropertiesListBuilder fromClass("T"_q), own { QString() }, all { QString() };
        QCOMPARE(fromClass.AddProperties(Drawing::staticMetaObject), b.AddProperties(&drawing));
        QCOMPARE(withTypes(fromClass), withTypes(b.list().mid(0, fromClass.list().size())));
        QCOMPARE(own.AddProperties(&drawing, &Basics::staticMetaObject), QStringList { "items"_q });
        QCOMPARE(withTypes(own.list().mid(1)), withTypes(b.list().mid(5, 9)));
        all.AddProperties(&drawing, nullptr);
        QCOMPARE(all.list().value(1).value(Key::Label), QVariant("QObject"_q));
        QCOMPARE(all.list().value(2).value(Key::Prop), QVariant("objectName"_q));
        QCOMPARE(withTypes(all.list().mid(3)), withTypes(fromClass.list().mid(1)));
        PropertiesListBuilder none { QString() };
        QCOMPARE(none.AddProperties(static_cast<QObject*>(nullptr)), QStringList());
        QCOMPARE(none.list().size(), 1);
    }

    void introspectedSheetEdits_data()
    {
        columns<SheetEdit, QByteArray, QString>("edit", "prop", "result");
        row("int", typed("count", "7"_q), QByteArray("count"), "7 7");
        row("unsigned", typed("steps", "42"_q), QByteArray("steps"), "42 42");
        row("double", typed("ratio", "1.25"_q), QByteArray("ratio"), "1.25 1.25");
        row("float", typed("size", "0.75"_q), QByteArray("size"), "0.75 0.750");
        row("enum", pressed("kind", Qt::Key_Down), QByteArray("kind"), "5 Star");
        row("flags", pressed("edges", Qt::Key_Down), QByteArray("edges"), "4 Left");
        row("bool", checkClicked("visible"), QByteArray("visible"), "false false");
        row("string", typed("name", "Bob"_q), QByteArray("name"), "Bob Bob");
        row("colour", colourChosen("tint", Qt::blue), QByteArray("tint"), "#0000ff #0000ff");
        row("url", fileSelected("link", "/tmp/b.png"_q), QByteArray("link"),
            "/tmp/b.png /tmp/b.png");
        row("file", fileSelected("texture", "/tmp/a.png"_q), QByteArray("texture"),
            "/tmp/a.png /tmp/a.png");
    }

    // A sheet built from the class's own records edits each property through its control, and
    // the row shows what the object then holds; an enum reads as its number, alike with every Qt.
    void introspectedSheetEdits()
    {
        DrawingSheet s;
        QVERIFY(s.active);
        auto [edit, prop, result] = fetch<SheetEdit, QByteArray, QString>("edit", "prop", "result");
        edit(s);
        const QVariant now = s.host.property(prop.constData());
        const bool isEnum = s.host.metaObject()
                                ->property(s.host.metaObject()->indexOfProperty(prop.constData()))
                                .isEnumType();
        QCOMPARE("%1 %2"_q.arg(isEnum ? QString::number(now.toInt()) : now.toString(),
                     shownValue(s.row(prop.constData()))),
            result);
    }

    // Enum rows select by number whether Qt reads the property as its key or its number; flags
    // that no single entry stands for select none.
    void enumRows()
    {
        DrawingSheet s;
        auto* kind = s.row<ComboBox>("kind");
        auto* edges = s.row<ComboBox>("edges");
        QCOMPARE(kind->currentValue() + edges->currentValue(), "SquareBottom"_q);
        QCOMPARE(kind->property("w_enum"), QVariant(true));
        QCOMPARE(kind->property("w_nokeys"), QVariant(false));
        s.host.m_kind = Drawing::Circle;
        s.host.m_edges = Drawing::Edges(Drawing::Top) | Drawing::Left;
        s.sheet->updateAll();
        QCOMPARE(kind->currentValue(), "Circle"_q);
        QCOMPARE(edges->currentIndex(), -1);
        s.host.m_edges = Drawing::Left;
        s.sheet->updateAll();
        QCOMPARE(edges->currentValue(), "Left"_q);

        // An enum takes its keys only, whatever the record says.
        Drawing editable;
        editable.list = { s.host.propertyList().value(9) };
        editable.list[0].insert(Key::IsEditable, true);
        PropertyListWidget fixed(&editable, nullptr);
        QVERIFY(!fixed.findChild<ComboBox*>("kind"_q)->findChild<QComboBox*>()->isEditable());

        // An object's own "<prop>Values" comes first, with its own meaning: a plain list.
        s.host.setProperty("kindValues", QStringList { "a"_q, "b"_q });
        PropertyListWidget own(&s.host, nullptr);
        QCOMPARE(own.findChild<ComboBox*>("kind"_q)->count(), 2);
        QCOMPARE(own.findChild<ComboBox*>("kind"_q)->property("w_nokeys"), QVariant(true));
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
        QCOMPARE(plain->property("w_nokeys"), QVariant(true));
        QCOMPARE(sheet.findChild<ComboBox*>("dyn1"_q)->currentValue(), "Thick"_q);
        QVERIFY(!sheet.findChild<ComboBox*>("dyn1"_q)->property("w_enum").isValid());
        plain->setCurrentIndex(0);
        QCOMPARE(host.writes, (QList<Write> { Write("dyn0"_q, "x"_q), Write("dyn0"_q, 0) }));
    }

    void jsonValues_data()
    {
        columns<QVariant, QString, QVariant>("value", "text", "back");
        const auto same = [](char const* name, QVariant v, QString text) { row(name, v, text, v); };
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
        row("double a float spells alike", QVariant(0.1), "0.1", QVariant(0.1f));
        row("double infinity", QVariant(qInf()), "Infinity",
            QVariant(std::numeric_limits<float>::infinity()));
        same("float infinity", -std::numeric_limits<float>::infinity(), "-Infinity"_q);
        same("bool", true, "true"_q);
        same("escapes", "q\"b\\s/\n\t\x01é😀"_q, "\"q\\\"b\\\\s/\\n\\t\\u0001é😀\""_q);
        same("lone surrogate", QString(QChar(0xD800)), "\"\\ud800\""_q);
        // The first and last code points of each length of UTF-8 sequence.
        same("UTF-8 bounds", "\u0080\u07FF\u0800\uD7FF\uE000\uFFFD\U00010000\U0010FFFF"_q,
            "\"\u0080\u07FF\u0800\uD7FF\uE000\uFFFD\U00010000\U0010FFFF\""_q);
        same("strings", QStringList { "a"_q, "b"_q }, "[\"a\", \"b\"]"_q);
        same("no strings", QStringList(), "[]"_q);
        same("mixed list", QVariantList { 1, "a"_q, QVariantList { 2.5f } }, "[1, \"a\", [2.5]]"_q);
        same("map", QVariantMap { { "b"_q, 1 }, { "a"_q, QStringList { "x"_q } } },
            "{\"a\": [\"x\"], \"b\": 1}"_q);
        same("none", QVariant(), "null"_q);
        row("colour", QVariant(QColor(Qt::red)), "\"#ff0000\"", QVariant("#ff0000"_q));
    }

    // How a value is written, and what comes back, of the same type.
    void jsonValues()
    {
        auto [value, text, back] = fetch<QVariant, QString, QVariant>("value", "text", "back");
        const QByteArray json = corvane::descriptionsToJson({ { { "v"_q, value } } });
        QCOMPARE(QString::fromUtf8(json), "[\n  {\"v\": %1}\n]\n"_q.arg(text));
        DescriptionJsonError error;
        const PropertyDescriptionList list = corvane::descriptionsFromJson(json, &error);
        QCOMPARE(error.toString(), QString());
        QCOMPARE(list, (PropertyDescriptionList { { { "v"_q, back } } }));
        QCOMPARE(withTypes(list), withTypes({ { { "v"_q, back } } }));
    }

    // NaN, and what JSON allows besides what the writer writes; every key of the format has a
    // kind of value, which the reader checks.
    void jsonSpecialCases()
    {
        const QByteArray nan = corvane::descriptionsToJson({ { { "v"_q, qQNaN() } } });
        QCOMPARE(nan, QByteArray("[\n  {\"v\": NaN}\n]\n"));
        const QVariant back = corvane::descriptionsFromJson(nan).value(0).value("v"_q);
        QCOMPARE(back.userType(), int(QMetaType::Float));
        QVERIFY(std::isnan(back.toFloat()));
        const QByteArray json = "\xEF\xBB\xBF[\r\n\t{\"label\": \"\\u00e9\\ud83d\\ude00\\/\", "
                                "\"other\": {}, \"w_maxValue\": -1.5E+2, \"w_flags\": -0}]";
        DescriptionJsonError error;
        const PropertyDescriptionList list = corvane::descriptionsFromJson(json, &error);
        QCOMPARE(error.toString(), QString());
        const PropertyDescriptionList expected { { { Key::Label, "é😀/"_q },
            { "other"_q, QVariantMap() }, { Key::MaxValue, -150.0f }, { Key::Flags, 0 } } };
        QCOMPARE(withTypes(list), withTypes(expected));
        QCOMPARE(corvane::descriptionsFromJson("[]", &error), PropertyDescriptionList());
        QVERIFY(!error.isError());
        // An error in words, with its key where there is one.
        corvane::descriptionsFromJson("[{\"w_flags\": 1.5}]", &error);
        QCOMPARE(error.toString(), R"(line 1, column 14, key "w_flags": expected an integer)"_q);
        corvane::descriptionsFromJson("[{}] x", &error);
        QCOMPARE(error.toString(), "line 1, column 6: unexpected text after the list"_q);
        DescriptionCheck::Kind kind;
        for (QLatin1String key : Key::All)
            QVERIFY2(DescriptionCheck::kindOf(key, &kind), key.data());
        QVERIFY(!DescriptionCheck::kindOf("w_maxvalue"_q, &kind));
    }

    // One record per call of the builder, key by key, in the types it gives them (ints stay ints,
    // floats floats and flags bools); every record, the meta-object's included, comes back from
    // JSON as it was.
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
        const QString percent = R"("w_maxValue": 1, "w_minValue": 0, "w_percent": true},)"_q;
        QCOMPARE(jsonLines(b),
            (QStringList { "["_q, "  {\"type\": \"title\", \"label\": \"Title \\\"quoted\\\"\"},"_q,
                R"(  {"type": "panel", "label": "P"},)"_q,
                number.arg("L"_q, "p"_q).arg(161) + percent,
                number.arg("L"_q, "p"_q).arg(673) + percent,
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
        QCOMPARE(b.list(), PropertyDescriptionList(b));
        b.AddProperties(Drawing::staticMetaObject);
        DescriptionJsonError error;
        const PropertyDescriptionList back
            = corvane::descriptionsFromJson(corvane::descriptionsToJson(b), &error);
        QCOMPARE(error.toString(), QString());
        QCOMPARE(back, b.list());
        QCOMPARE(withTypes(back), withTypes(b));
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
        const auto error
            = [](QByteArray json, char const* text) { row(json.left(40).constData(), json, text); };
        error(" {}", "1:2 : expected a list of records");
        error("[1]", "1:2 : expected a record");
        error("[{}", "1:4 : unexpected end of input");
        error("[{} {}]", "1:5 : expected ',' or ']'");
        error(R"([{"type": "check",}])", "1:19 type: expected a key");
        error(R"([{"type" "check"}])", "1:10 type: expected ':'");
        error(R"([{"type": "check" "prop": "p"}])", "1:19 type: expected ',' or '}'");
        error(R"([{"type": "check", "type": "line"}])", "1:20 type: duplicate key");
        // Values of the wrong kind for their key.
        error(R"([{"w_order": 1.0}])", "1:14 w_order: expected an integer");
        error(R"([{"w_minValue": "0"}])", "1:17 w_minValue: expected a number");
        error(R"([{"w_isEditable": 1}])", "1:19 w_isEditable: expected true or false");
        error(R"([{"label": null}])", "1:12 label: expected a string");
        error(R"([{"w_value": true}])", "1:14 w_value: expected a string or an integer");
        const char* entries = "1:15 w_values: expected a list of strings or an object of numbers";
        error(R"([{"w_values": [1, 2]}])", entries);
        error(R"([{"w_values": {"a": "1"}}])", entries);
        error(R"([{"w_values": "a"}])", entries);
        error(R"([{"w_default": null}])", "1:16 w_default: expected a value");
        // Strings.
        error(R"([{"label": "a\qb"}])", "1:14 label: invalid escape");
        error(R"([{"label": "\u12"}])", "1:13 label: invalid escape");
        error("[{\"label\": \"ab", "1:12 label: unterminated string");
        error("[{\"label\": \"a\tb\"}]", "1:14 label: control character in string");
        error("[{\"label\": \"a\nb\"}]", "1:14 label: control character in string");
        error("[{\"label\": \"a\xC3(\"}]", "1:14 label: invalid UTF-8");
        error("[{\"label\": \"\xC0\xAF\"}]", "1:13 label: invalid UTF-8"); // overlong
        error("[{\"label\": \"\xED\xA0\x80\"}]", "1:13 label: invalid UTF-8"); // a surrogate
        error("[{\"label\": \"\xF5\x80\x80\x80\"}]", "1:13 label: invalid UTF-8"); // past U+10FFFF
        // Numbers and words.
        error(R"([{"w_flags": 012}])", "1:14 w_flags: invalid number");
        error(R"([{"w_flags": -}])", "1:14 w_flags: invalid number");
        error(R"([{"w_minValue": 1.}])", "1:17 w_minValue: invalid number");
        error(R"([{"w_maxValue": 1e999}])", "1:17 w_maxValue: number out of range");
        error(R"([{"w_percent": tru}])", "1:16 w_percent: expected a value");
        error(R"([{"w_percent": truex}])", "1:16 w_percent: expected a value");
        // Nested values of keys outside the format.
        error(R"([{"other": [1, 2}])", "1:17 other: expected ',' or ']'");
        error(R"([{"other": {"a": 1, "a": 2}}])", "1:21 other: duplicate key");
        error("[{\"other\": " + QByteArray(70, '[') + QByteArray(70, ']') + "}]",
            "1:75 other: nesting too deep");
        // Lines and columns: a column counts characters, not bytes.
        error("[\n  {\"type\": \"check\"},\n  {\"label\": \"ÄÖÜ\", \"w_order\": \"x\"}\n]",
            "3:31 w_order: expected an integer");
        error("[{\"type\": \"line\"}, {\"w_flags\": 1.5}]", "1:32 w_flags: expected an integer");
    }
    void jsonErrors()
    {
        auto [json, expected] = fetch<QByteArray, QString>("json", "error");
        DescriptionJsonError error;
        QVERIFY(corvane::descriptionsFromJson(json, &error).isEmpty());
        QVERIFY(error.isError());
        QCOMPARE("%1:%2 %3: %4"_q.arg(error.line).arg(error.column).arg(error.key, error.message),
            expected);
    }

    // Panels: an implicit one, one with a separator, one with a label, and an empty one; the
    // same before the sheet is first shown and after; only what the filter hid comes back.
    void filter_data()
    {
        columns<QString, QString>("text", "shown");
        row("none", QString(),
            "panel:Sheet[size] panel:Geometry[width alpha SeparatorLine] panel:Text[caption hint] "
            "panel:Empty[]");
        row("a label, in any case", "WIDTH", "panel:Geometry[width]");
        row("a property name", "alp", "panel:Geometry[alpha]");
        row("label rows by their text", "corner", "panel:Text[hint]");
        row("several panels", "i",
            "panel:Sheet[size] panel:Geometry[width alpha] panel:Text[caption hint]");
        row("panel titles do not count", "geometry", "");
        row("nothing matches", "zzz", "");
    }
    void filter()
    {
        auto [text, shown] = fetch<QString, QString>("text", "shown");
        const QString expected = ("Sheet: "_q + shown + " stretch:1000"_q).simplified();
        const QString everything = "Sheet: panel:Sheet[size] panel:Geometry[width alpha "
                                   "SeparatorLine] panel:Text[caption hint] panel:Empty[] "
                                   "stretch:1000"_q;
        FakeHost host(records(R"([{"type": "title", "label": "Sheet"},
            {"type": "number", "label": "Size", "prop": "size"}, {"type": "panel", "label": "Geometry"},
            {"type": "number", "label": "Width", "prop": "width"},
            {"type": "number", "label": "Opacity", "prop": "alpha"}, {"type": "line"},
            {"type": "panel", "label": "Text"}, {"type": "text", "label": "Caption", "prop": "caption"},
            {"type": "label", "label": "Drawn in the corner", "w_obj_id": "hint"},
            {"type": "panel", "label": "Empty"}])"));
        PropertyListWidget sheet(&host, nullptr);
        sheet.setFilter(text);
        QCOMPARE(sheet.filter(), text);
        sheet.resize(300, 400);
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        QCOMPARE(column(sheet), expected);
        sheet.setFilter(QString());
        QCOMPARE(column(sheet), everything);
        sheet.setFilter(text);
        QCOMPARE(column(sheet), expected);
        // What the host hid stays hidden.
        sheet.setFilter(QString());
        sheet.findWidget("alpha"_q)->hide();
        sheet.setFilter("a"_q);
        QCOMPARE(column(sheet), "Sheet: panel:Text[caption hint] stretch:1000"_q);
        sheet.setFilter("wid"_q);
        QCOMPARE(column(sheet), "Sheet: panel:Geometry[width] stretch:1000"_q);
        sheet.setFilter(QString());
        QCOMPARE(column(sheet), QString(everything).remove("alpha "_q));
        QVERIFY(sheet.findWidget("width"_q)->isVisible());
    }

    void toolTipsAndReset_data()
    {
        columns<PropertyDescription, QString, QString, QList<Write>>(
            "record", "toolTip", "reset", "resetWrites");
        const auto add = [](PropertyDescription record, char const* tip, char const* reset = "",
                             QList<Write> writes = {}) {
            row(qPrintable(record.value(Key::Type).toString()), record, tip, reset, writes);
        };
        add(record(R"({"type": "text", "prop": "dyn0", "w_tooltip": "Tip"})"), "Tip");
        add(record(R"({"type": "label", "w_obj_id": "dyn0", "w_tooltip": "About"})"), "About");
        add(record(R"({"type": "number", "prop": "dyn0"})"), "");
        add(record(R"({"type": "check", "prop": "dyn0", "w_default": true})"), "", "true",
            { Write("dyn0"_q, true) });
        add(record(R"({"type": "number", "prop": "dyn0", "w_default": 0.75, "w_tooltip": "T"})"),
            "T", "0.750", { Write("dyn0"_q, 0.75f) });
        // The setter throws: nothing is written, the row shows what the object holds.
        add(record(R"({"type": "file", "prop": "texture", "w_default": "x/bad.png"})"), "",
            "/tmp/a.png");
        add(record(R"({"type": "button", "prop": "reset", "w_default": true})"), "");
        add(record(R"({"type": "check", "w_default": true})"), ""); // no property
        add(rec(Type::Check, { { Key::Prop, "dyn0"_q }, { Key::Default, QVariant() } }), "");
    }

    // A tooltip on the row widget itself; a reset action exactly for rows with a default, which
    // writes it and shows what the object then holds.
    void toolTipsAndReset()
    {
        auto [record, toolTip, shown, writes]
            = fetch<PropertyDescription, QString, QString, QList<Write>>(
                "record", "toolTip", "reset", "resetWrites");
        FakeHost host({ record });
        host.preset({ { "dyn0"_q, false } });
        host.m_texture = "/tmp/a.png"_q;
        PropertyListWidget sheet(&host, nullptr);
        QLayout* panel = sheet.findChild<PropsPanel*>()->layout();
        QWidget* row = panel->itemAt(panel->count() - 1)->widget();
        QCOMPARE(row->toolTip(), toolTip);
        QAction* reset = resetAction(row);
        QCOMPARE(reset != nullptr, !shown.isEmpty());
        QCOMPARE(row->actions(), reset ? QList<QAction*> { reset } : QList<QAction*>());
        QCOMPARE(row->contextMenuPolicy(), reset ? Qt::ActionsContextMenu : Qt::DefaultContextMenu);
        if (!reset)
            return;
        QCOMPARE(reset->text(), "Reset"_q);
        reset->trigger();
        QCOMPARE(host.writes, writes);
        QCOMPARE(shownValue(row), shown);
    }

    // RESET in the Q_PROPERTY offers the reset too, reported like any edit so that an undo stack
    // can take it back; a recorded default comes first.
    void resetFunction()
    {
        DrawingSheet s;
        QVERIFY(!resetAction(s.row("ratio")));
        QCOMPARE(s.row("ratio")->toolTip(), "Width over height"_q);
        s.host.m_size = 0.75f;
        s.sheet->updateAll();
        QStringList edits;
        connect(s.sheet, &PropertyListWidget::propertyEdited, this,
            [&](PropertyEdit const& e) { edits << describe(e); });
        resetAction(s.row("size"))->trigger();
        QCOMPARE(s.host.m_size, 0.25f);
        QCOMPARE(s.row<InputLineSlider>("size")->getValue(), 0.25f);
        QCOMPARE(edits, QStringList { "final size 0.75>0.25 x1"_q });

        Drawing host;
        host.list = { rec(Type::Number, { { Key::Prop, "size"_q }, { Key::Default, 0.5f } }),
            rec(Type::Text, { { Key::Prop, "objectName"_q }, { Key::Default, QVariantMap() } }) };
        PropertyListWidget sheet(&host, nullptr);
        connect(&sheet, &PropertyListWidget::propertyEdited, this,
            [&](PropertyEdit const& e) { edits << describe(e); });
        host.m_size = 0.75f;
        resetAction(sheet.findWidget("size"_q))->trigger();
        QCOMPARE(host.m_size, 0.5f);
        // A declared property that cannot take its default, a name given a map, is no edit.
        resetAction(sheet.findWidget("objectName"_q))->trigger();
        QCOMPARE(edits.mid(1), QStringList { "final size 0.75>0.5 x1"_q });
    }

    void recordMessages_data()
    {
        columns<PropertyDescription, QString>("record", "message");
        row("sound record",
            rec(Type::Number,
                { { Key::Prop, "dyn0"_q }, { Key::MinValue, 1 }, { Key::ToolTip, "t"_q },
                    { Key::Default, 0.5f } }),
            QString());
        row("sound entries", rec(Type::Combo, { { Key::Values, QVariantList { "a"_q } } }),
            QString());
        row("miscased type", rec(QLatin1String("Number")), R"(unknown type "Number")");
        row("no type", PropertyDescription { { Key::Prop, "p"_q } }, R"(unknown type "")");
        row("text for an int", rec(Type::Text, { { Key::Flags, "yes"_q } }),
            R"("w_flags" should be an integer, not QString)");
        row("mistyped key", rec(Type::Number, { { "w_maxvalue"_q, 2.0f } }),
            R"(unknown key "w_maxvalue")");
        row("several problems, one message",
            rec(QLatin1String("slider"),
                { { Key::MinValue, "0"_q }, { Key::IsEditable, 1 }, { Key::Default, QVariant() } }),
            R"(unknown type "slider"; "w_default" should be a value, not none; "w_isEditable" )"
            R"(should be true or false, not int; "w_minValue" should be a number, not QString)");
    }

    // One debug message per record that cannot work as written, none at refreshes.
    void recordMessages()
    {
        auto [record, message] = fetch<PropertyDescription, QString>("record", "message");
        FakeHost host({ rec(Type::Line), record });
        MessageLog log;
        PropertyListWidget sheet(&host, nullptr);
        sheet.updateAll();
        QCOMPARE(log.messages.join(QString()),
            message.isEmpty()
                ? message
                : "debug corvane.sheet: PropertyListWidget: record 1 of FakeHost: "_q + message);
    }

    // Class information that is no usable number is named and left out; sheets set up right
    // print nothing, debug messages included, while built, refreshed, filtered and reset.
    void classInfoMessagesAndSoundSetups()
    {
        MessageLog log;
        PropertiesListBuilder misdescribed { QString() };
        misdescribed.AddProperties(Misdescribed::staticMetaObject);
        const QString unusable = "debug corvane.sheet: PropertiesListBuilder: class info "
                                 "\"level.%1\" of Misdescribed is not a usable number"_q;
        QCOMPARE(
            log.messages, (QStringList { unusable.arg("max"_q), unusable.arg("precision"_q) }));
        QCOMPARE(misdescribed.list().last().value(Key::MaxValue), QVariant(100.0f));
        QCOMPARE(misdescribed.list().last().value(Key::Precision), QVariant(0));
        log.messages.clear();
        {
            DrawingSheet s;
            s.sheet->updateAll();
            s.sheet->setFilter("s"_q);
            s.sheet->setFilter(QString());
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
