#include "FakeHost.h"
#include "TestUtils.h"

#include "propertysheet/Panel.h"
#include <corvane/CorvaneWidgets.h>

#include <QColorDialog>
#include <QComboBox>
#include <QLayout>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

#include <functional>

using namespace testutils;
namespace Key = PropertyKey;
namespace Type = RowType;

// A record of `type` with the keys of `more`.
static PropertyDescription rec(QLatin1String type, PropertyDescription more = {})
{
    return more.insert(Key::Type, QString(type)), more;
}

// The sheet's column: "panel:<title>[<class>:<objectName> ...]" ("-" for a panel without title,
// "*" after a row with its title above), "sheet", "space:<height>", "stretch:<factor>".
static QStringList describe(PropertyListWidget& sheet)
{
    QStringList out;
    auto* box = static_cast<QBoxLayout*>(sheet.layout());
    for (int i = 0; i < box->count(); ++i) {
        QWidget* w = box->itemAt(i)->widget();
        if (auto* panel = qobject_cast<PropsPanel*>(w)) {
            auto* title = panel->findChild<Label*>("panelTitle"_q);
            QStringList rows;
            for (int r = title ? 1 : 0; r < panel->layout()->count(); ++r) {
                QWidget* row = panel->layout()->itemAt(r)->widget();
                rows << "%1:%2%3"_q.arg(QLatin1String(row->metaObject()->className()),
                    row->objectName(), row->property("two_lines").toBool() ? "*"_q : QString());
            }
            out << "panel:%1[%2]"_q.arg(title ? title->text() : "-"_q, rows.join(QLatin1Char(' ')));
        } else if (w) {
            out << (qobject_cast<PropertyListWidget*>(w) ? "sheet"_q : "widget"_q);
        } else {
            const bool stretch = box->stretch(i) > 0;
            out << (stretch ? "stretch:"_q : "space:"_q)
                    + QString::number(
                        stretch ? box->stretch(i) : box->itemAt(i)->sizeHint().height());
        }
    }
    return out;
}

// A shown sheet over a host with rows of every bound kind.
struct BoundSheet
{
    BoundSheet()
    {
        PropertiesListBuilder b("Host"_q);
        b.AddSlider("Size"_q, "size"_q, 0, 10, NumberFlags::Default, 2);
        b.AddFilePicker("Texture"_q, "texture"_q, "img"_q);
        b.AddColorPicker("Fill"_q, "fill"_q, ePrimary);
        b.AddCheckBox("Outline"_q, "outline"_q, eSecondary);
        b.AddComboBox("Width"_q, "width"_q, true, false);
        b.AddComboBox("Shape"_q, "shape"_q, false, true);
        b.AddComboBox("Mood"_q, "mood"_q, false, false);
        b.AddComboBox("Later"_q, "later"_q, false, false);
        b.AddTextField("Caption"_q, "caption"_q, "w"_q, false);
        b.AddMultiTextField("Notes"_q, "notes"_q, "w"_q, true);
        b.AddTextField("Missing"_q, "missing"_q, "start"_q, false);
        b.AddButton("Reset"_q, "reset"_q);
        host = new FakeHost(b);
        host->preset({ { "size"_q, 2.5f }, { "fill"_q, QColor(Qt::red) }, { "outline"_q, true },
            { "widthValues"_q,
                QVariantMap { { "Thin"_q, 1 }, { "Normal"_q, 2 }, { "Thick"_q, 4 } } },
            { "shape"_q, 1 }, { "shapeValues"_q, QStringList { "Circle"_q, "Square"_q, "Star"_q } },
            { "moodValues"_q, QStringList { "calm"_q, "grumpy"_q } }, { "caption"_q, "Hello"_q },
            { "notes"_q, "Line 1\nLine 2"_q } });
        host->m_texture = helper.files.at(0);
        sheet = new PropertyListWidget(host, &helper);
        sheet->resize(400, 900);
        sheet->show();
        active = QTest::qWaitForWindowActive(sheet);
    }
    ~BoundSheet() { delete sheet, delete host; }
    template<typename T = QWidget> T* row(char const* name)
    {
        return sheet->findChild<T*>(QLatin1String(name));
    }
    // The first T inside a row, or the one named `partName`.
    template<typename T> T* part(char const* rowName, char const* partName = nullptr)
    {
        return row(rowName)->findChild<T*>(partName ? QLatin1String(partName) : QString());
    }
    void click(char const* name) { QTest::mouseClick(row(name), Qt::LeftButton); }
    void clickCheck() // on the indicator, which is what takes the click
    {
        QTest::mouseClick(
            row("outline"), Qt::LeftButton, {}, QPoint(6, row("outline")->height() / 2));
    }

    FakeHelper helper;
    FakeHost* host;
    PropertyListWidget* sheet;
    bool active;
};
using Edit = std::function<void(BoundSheet&)>;
Q_DECLARE_METATYPE(Edit)

class tst_PropertySheet : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The spellings are the format that hosts write; none of them may change.
    void vocabulary()
    {
        const auto names
            = [](auto const& all) { return QStringList(std::begin(all), std::end(all)); };
        QCOMPARE(names(Key::All),
            "type label prop w_minValue w_maxValue w_precision w_flags w_isEditable w_order "
            "w_mode w_value w_obj_id w_values w_tooltip w_default w_percent w_padding"_q.split(
                QLatin1Char(' ')));
        QCOMPARE(names(Type::All),
            "panel title space line label number file color check combo "
            "button text multitext"_q.split(QLatin1Char(' ')));
        QCOMPARE(names(PropertySuffix::All), (QStringList { "Enabled"_q, "Values"_q }));
        QCOMPARE(ComboNoKeysProperty, "w_nokeys");
        QCOMPARE(ComboEnumProperty, "w_enum");
    }

    void builderRecords()
    {
        PropertiesListBuilder b { QString() };
        b.AddPanel("P"_q);
        b.AddPercentSlider("L"_q, "p"_q, false);
        b.AddPercentSlider("L"_q, "p"_q, true);
        b.AddSlider("L"_q, "p"_q, 0.5f, 2.5f, eRealValues | NumberFlags::PlainWrite, 1);
        b.AddColorPicker("L"_q, "p"_q, eSecondary);
        b.AddFilePicker("L"_q, "p"_q, "img"_q);
        b.AddCheckBox("L"_q, "p"_q, ePrimaryLight);
        b.AddComboBox("L"_q, "p"_q, true, false);
        b.AddComboBox("L"_q, "p"_q, false, true);
        b.AddSeparator(eLineThick);
        b.AddLabel("L"_q, 7, eSecondary, eSideLeft, "id"_q);
        b.AddButton("L"_q, "p"_q);
        b.AddTextField("L"_q, "p"_q, "v"_q, true);
        b.AddMultiTextField("L"_q, "p"_q, "v"_q, false);

        const int percent = ePercents | eIntValues | eSliderInsteadSpinner;
        const auto bound = [](QLatin1String type, PropertyDescription more = {}) {
            return more.insert({ { Key::Label, "L"_q }, { Key::Prop, "p"_q } }), rec(type, more);
        };
        const PropertyDescriptionList expected { rec(Type::Title, { { Key::Label, QString() } }),
            rec(Type::Panel, { { Key::Label, "P"_q } }),
            bound(Type::Number,
                { { Key::MinValue, 0 }, { Key::MaxValue, 1 }, { Key::Percent, true },
                    { Key::Flags, percent } }),
            bound(Type::Number,
                { { Key::MinValue, 0 }, { Key::MaxValue, 1 }, { Key::Percent, true },
                    { Key::Flags, percent | eTwoLines } }),
            bound(Type::Number,
                { { Key::MinValue, 0.5f }, { Key::MaxValue, 2.5f }, { Key::Percent, false },
                    { Key::Precision, 1 }, { Key::Flags, eRealValues | NumberFlags::PlainWrite } }),
            bound(Type::Color, { { Key::Order, int(eSecondary) } }),
            bound(Type::File, { { Key::Mode, "img"_q } }),
            bound(Type::Check, { { Key::Order, int(ePrimaryLight) } }),
            bound(Type::Combo, { { Key::IsEditable, true }, { Key::Flags, 0 } }),
            bound(Type::Combo, { { Key::IsEditable, false }, { Key::Flags, int(eTwoLines) } }),
            rec(Type::Line, { { Key::Value, int(eLineThick) } }),
            rec(Type::Label,
                { { Key::Label, "L"_q }, { Key::Padding, int(eSideLeft) }, { Key::Value, 7 },
                    { Key::Order, int(eSecondary) }, { Key::ObjectId, "id"_q } }),
            bound(Type::Button),
            bound(Type::Text, { { Key::Value, "v"_q }, { Key::Flags, int(eTwoLines) } }),
            bound(Type::MultiText, { { Key::Value, "v"_q }, { Key::Flags, 0 } }) };

        // The list, in order, key by key; floats stay floats, ints ints and flags bools.
        const PropertyDescriptionList list = b;
        QCOMPARE(b.list(), list);
        QCOMPARE(list, expected);
        for (int i = 0; i < list.size(); ++i) {
            for (auto it = expected[i].cbegin(); it != expected[i].cend(); ++it)
                QCOMPARE(list[i].value(it.key()).userType(), it.value().userType());
        }
    }

    void sheetStructure_data()
    {
        QTest::addColumn<PropertyDescriptionList>("list");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("column");

        const auto label = [](char const* id) {
            return rec(Type::Label, { { Key::ObjectId, QLatin1String(id) } });
        };
        const auto titled = [](QLatin1String type, QString title) {
            return rec(type, { { Key::Label, title } });
        };
        const PropertyDescription line = rec(Type::Line), space = rec(Type::Space);
        QTest::newRow("empty list")
            << PropertyDescriptionList() << "Untitled"_q << QStringList { "stretch:1000"_q };
        QTest::newRow("panel A, x, space, y, panel B")
            << PropertyDescriptionList { titled(Type::Panel, "A"_q), label("x"), space, label("y"),
                   titled(Type::Panel, "B"_q) }
            << "Untitled"_q
            << QStringList { "panel:A[Label:x Label:y]"_q, "space:10"_q, "panel:B[]"_q,
                   "stretch:1000"_q };
        QTest::newRow("implicit panel keeps the title of its moment")
            << PropertyDescriptionList { titled(Type::Title, "First"_q), line,
                   titled(Type::Title, "Second"_q), titled(Type::Label, "t"_q) }
            << "Second"_q
            << QStringList { "panel:First[SeparatorLine: Label:]"_q, "stretch:1000"_q };
        QTest::newRow("untitled implicit panel, untitled explicit one")
            << PropertyDescriptionList { line, rec(Type::Panel) } << "Untitled"_q
            << QStringList { "panel:Untitled[SeparatorLine:]"_q, "panel:-[]"_q, "stretch:1000"_q };
        QTest::newRow("unknown, miscased and missing types make nothing")
            << PropertyDescriptionList { rec(QLatin1String("Number"), { { Key::Prop, "n"_q } }),
                   rec(QLatin1String("slider")), {}, titled(Type::Panel, "P"_q) }
            << "Untitled"_q << QStringList { "panel:P[]"_q, "stretch:1000"_q };
        QTest::newRow("space before any panel")
            << PropertyDescriptionList { space, label("x") } << "Untitled"_q
            << QStringList { "space:10"_q, "panel:Untitled[Label:x]"_q, "stretch:1000"_q };
        // Combos take the two-line bit, text rows any int but zero, multi-line rows anything true.
        const auto flagged = [](QLatin1String type, char const* prop, QVariant flags) {
            return rec(type, { { Key::Prop, QLatin1String(prop) }, { Key::Flags, flags } });
        };
        QTest::newRow("two-line flags")
            << PropertyDescriptionList { flagged(Type::Combo, "a", int(eTwoLines)),
                   flagged(Type::Combo, "b", eTwoLines - 1), flagged(Type::Text, "c", 1),
                   flagged(Type::Text, "d", "yes"_q), flagged(Type::MultiText, "e", "yes"_q),
                   flagged(Type::MultiText, "f", 0) }
            << "Untitled"_q
            << QStringList { "panel:Untitled[ComboBox:a* ComboBox:b TextField:c* TextField:d "
                             "MultiTextField:e* MultiTextField:f]"_q,
                   "stretch:1000"_q };
        // One record of a row type gets the stretch, not the "No Settings" label.
        QTest::newRow("single number")
            << PropertyDescriptionList { rec(Type::Number, { { Key::Prop, "n"_q } }) }
            << "Untitled"_q
            << QStringList { "panel:Untitled[InputLineSlider:n]"_q, "stretch:1000"_q };
    }

    void sheetStructure()
    {
        QFETCH(PropertyDescriptionList, list);
        FakeHost host(list);
        PropertyListWidget sheet(&host, nullptr);
        QCOMPARE(host.listCalls, 1);
        QTEST(sheet.windowTitle(), "title");
        QTEST(describe(sheet), "column");
    }

    void noSettings()
    {
        FakeHost host(PropertiesListBuilder("Empty"_q));
        PropertyListWidget sheet(&host, nullptr);
        QCOMPARE(sheet.windowTitle(), "Empty"_q);
        QCOMPARE(describe(sheet), QStringList { "panel:Empty[Label:noSettings]"_q });
        auto* label = sheet.findChild<Label*>("noSettings"_q);
        QCOMPARE(label->text(), "No Settings"_q);
        QCOMPARE(label->alignment(), Qt::AlignCenter);
        QCOMPARE(label->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);

        // A null object, or one without the interface, describes an empty sheet.
        QObject plain;
        QTest::ignoreMessage(QtWarningMsg,
            "PropertyListWidget: QObject does not implement IUserInterfaceProperties (is "
            "Q_INTERFACES(IUserInterfaceProperties) missing?); the sheet stays empty");
        for (QObject* object : { &plain, static_cast<QObject*>(nullptr) })
            QCOMPARE(describe(*new PropertyListWidget(object, nullptr, &sheet)),
                QStringList { "stretch:1000"_q });
    }

    void enabledFromHost()
    {
        // "size" has the static sizeEnabled, false; "dyn0" a dynamic one; "dyn1" none.
        const auto label = [](QString prop) {
            return rec(Type::Label, { { Key::Prop, prop }, { Key::ObjectId, prop } });
        };
        FakeHost host({ label("size"_q), label("dyn0"_q), label("dyn1"_q),
            rec(Type::Color, { { Key::Prop, "color"_q } }) });
        host.preset({ { "dyn0Enabled"_q, "true"_q }, { "colorEnabled"_q, false } });
        PropertyListWidget sheet(&host, nullptr);
        QVERIFY(!sheet.findChild<QWidget*>("size"_q)->isEnabled());
        // A colour row is born grey.
        QCOMPARE(sheet.findChild<ColorPicker*>("color"_q)->getValue(), QColor(0xF0, 0xF0, 0xF0));
        QVERIFY(sheet.findChild<QWidget*>("dyn0"_q)->isEnabled());
        QVERIFY(sheet.findChild<QWidget*>("dyn1"_q)->isEnabled());
        host.m_sizeEnabled = true;
        host.setProperty("dyn0Enabled", false);
        QVERIFY(sheet.checkForEnabled({ { Key::Prop, "size"_q } }));
        QVERIFY(!sheet.checkForEnabled({ { Key::Prop, "dyn0"_q } }));
        QVERIFY(sheet.checkForEnabled({}));
    }

    void addPanelAndPanels()
    {
        FakeHost host({ rec(Type::Panel, { { Key::Label, "A"_q } }) });
        PropertyListWidget sheet(&host, nullptr);
        auto* first = new PropertyListWidget(nullptr, nullptr);
        auto* second = new PropertyListWidget(nullptr, nullptr);
        sheet.addPanel(first);
        sheet.addPanel(second);
        sheet.addSpacing(7);
        QCOMPARE(describe(sheet),
            (QStringList { "panel:A[]"_q, "sheet"_q, "sheet"_q, "stretch:1000"_q, "space:7"_q }));
        QCOMPARE(sheet.panels(), (QVector<PropertyListWidget*> { first, second }));

        // A column that is still empty takes the nested sheet at its end.
        PropertyListWidget bare(nullptr, nullptr);
        delete bare.layout()->takeAt(0);
        auto* nested = new PropertyListWidget(nullptr, nullptr);
        bare.addPanel(nested);
        QCOMPARE(bare.panels(), QVector<PropertyListWidget*> { nested });
    }

    // What a number record leaves out: range 0 to 1, three decimals, a real-valued slider row.
    void numberDefaults_data()
    {
        QTest::addColumn<PropertyDescription>("more");
        QTest::addColumn<float>("max");
        QTest::addColumn<int>("precision");
        QTest::addColumn<QString>("text");

        QTest::newRow("only type and prop") << PropertyDescription() << 1.0f << 3 << "0.500"_q;
        QTest::newRow("precision 2.9, range as text")
            << PropertyDescription { { Key::Precision, 2.9 }, { Key::MaxValue, "4.5"_q } } << 4.5f
            << 2 << "0.50"_q;
        QTest::newRow("percent slider's flags") << PropertyDescription {
            { Key::Flags, ePercents | eIntValues | eSliderInsteadSpinner }
        } << 1.0f << 3 << "50"_q;
        QTest::newRow("precision beyond an int")
            << PropertyDescription { { Key::Precision, 3e9 } } << 1.0f << 3 << "0.500"_q;
    }

    void numberDefaults()
    {
        QFETCH(PropertyDescription, more);
        more.insert(Key::Prop, "number"_q);
        FakeHost host({ rec(Type::Number, more) });
        host.m_number = 0.5f;
        PropertyListWidget sheet(&host, nullptr);
        auto* row = sheet.findChild<InputLineSlider*>("number"_q);
        QCOMPARE(row->getMinValue(), 0.0f);
        QTEST(row->getMaxValue(), "max");
        QTEST(row->getPrecision(), "precision");
        QTEST(row->findChild<QLineEdit*>("edit"_q)->text(), "text");
        QCOMPARE(row->isRealValues(), !more.contains(Key::Flags));
        QVERIFY(!row->isNoSlider());
    }

    void rowsCreated()
    {
        BoundSheet s;
        auto* size = s.row<InputLineSlider>("size");
        QCOMPARE(size->getValue(), 2.5f);
        QCOMPARE(size->getMaxValue(), 10.0f);
        QCOMPARE(size->getPrecision(), 2);
        QVERIFY(!size->isEnabled()); // sizeEnabled is false
        QCOMPARE(s.row<FilePicker>("texture")->getFileName(), s.helper.files.at(0));
        QCOMPARE(s.helper.modes, QStringList { "img"_q });
        QCOMPARE(s.row<ColorPicker>("fill")->getValue(), QColor(Qt::red));
        QVERIFY(s.row<CheckBox>("outline")->isChecked());
        QCOMPARE(s.row<CheckBox>("outline")->getStyleType(), "secondary"_q);

        // Keyed, plain and not yet filled combos.
        QCOMPARE(s.row<ComboBox>("width")->currentValue(), "Normal"_q);
        QCOMPARE(s.row("width")->property(ComboNoKeysProperty), QVariant(false));
        QCOMPARE(s.row<ComboBox>("shape")->currentIndex(), 1);
        QCOMPARE(s.row("shape")->property(ComboNoKeysProperty), QVariant(true));
        QVERIFY(s.row<ComboBox>("shape")->isTwoLines());
        QCOMPARE(s.row<ComboBox>("later")->count(), 0);
        QVERIFY(!s.row("later")->property(ComboNoKeysProperty).isValid());

        // Text rows show the property from the start, or the description's text without one.
        QCOMPARE(s.row<TextField>("caption")->text(), "Hello"_q);
        QCOMPARE(s.part<QTextEdit>("notes")->toPlainText(), "Line 1\nLine 2"_q);
        QVERIFY(s.row<MultiTextField>("notes")->isTwoLines());
        QCOMPARE(s.row<TextField>("missing")->text(), "start"_q);
        QVERIFY(s.host->writes.isEmpty());
    }

    void userEdits_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QList<Write>>("expected");

        const auto w = [](char const* prop, QVariant v) {
            return QList<Write> { Write(QLatin1String(prop), v) };
        };
        const auto press = [](char const* name, char const* partName, Qt::Key key) {
            return Edit([=](BoundSheet& s) {
                auto* combo = s.part<QComboBox>(name, partName);
                combo->setFocus();
                QTest::keyClick(combo, key);
            });
        };
        const auto type = [](char const* name, QString text) {
            return Edit(
                [=](BoundSheet& s) { typeAndReturn(s.part<QLineEdit>(name, "edit"), text); });
        };
        QTest::newRow("number typed") << type("size", "7.25"_q) << w("size", 7.25f);
        QTest::newRow("check clicked") << Edit(&BoundSheet::clickCheck) << w("outline", false);
        QTest::newRow("file removed") << Edit([](BoundSheet& s) {
            QTest::mouseClick(s.part<QPushButton>("texture", "remove"), Qt::LeftButton);
        }) << w("texture", QString());
        QTest::newRow("file's empty entry")
            << press("texture", "combo", Qt::Key_Up) << w("texture", QString());
        QTest::newRow("colour chosen") << Edit([](BoundSheet& s) {
            QTimer::singleShot(0, [] {
                auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                dialog->setCurrentColor(Qt::blue);
                dialog->accept();
            });
            QTest::mouseClick(s.part<QPushButton>("fill", "button"), Qt::LeftButton);
        }) << w("fill", QColor(Qt::blue));
        QTest::newRow("keyed combo")
            << press("width", nullptr, Qt::Key_Down) << w("width", "Thick"_q);
        // A plain list writes the entry's text first, then its index.
        QTest::newRow("plain combo")
            << press("shape", nullptr, Qt::Key_Down) << w("shape", "Star"_q) + w("shape", 2);
        QTest::newRow("text") << type("caption", "Hello!"_q) << w("caption", "Hello!"_q);
        QTest::newRow("multitext") << Edit([](BoundSheet& s) {
            auto* editor = s.part<QTextEdit>("notes");
            editor->setFocus();
            QTest::keyClick(editor, Qt::Key_End, Qt::ControlModifier);
            QTest::keyClicks(editor, "+"_q);
            s.part<QLineEdit>("caption")->setFocus(); // a multi-line field finishes on focus loss
        }) << w("notes", "Line 1\nLine 2+"_q);
    }

    void userEdits()
    {
        BoundSheet s;
        QVERIFY(s.active);
        s.host->m_sizeEnabled = true;
        s.sheet->updateAll();
        QVERIFY(s.host->writes.isEmpty());

        // Exactly these writes, with these values and types.
        QFETCH(Edit, edit);
        QFETCH(QList<Write>, expected);
        edit(s);
        QCOMPARE(s.host->writes, expected);
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(s.host->writes.at(i).second.userType(), expected.at(i).second.userType());
    }

    void updateAllRefreshesWithoutWriting()
    {
        BoundSheet s;
        s.host->preset({ { "size"_q, 4.5f }, { "fill"_q, QColor(Qt::green) },
            { "outline"_q, false }, { "caption"_q, "Bye"_q }, { "notes"_q, "New"_q },
            { "fillEnabled"_q, false }, { "resetEnabled"_q, false }, { "widthEnabled"_q, false } });
        s.host->m_texture = s.helper.files.at(1);
        s.host->m_width = "Thin"_q;
        s.host->m_sizeEnabled = true;
        s.sheet->updateAll();

        QCOMPARE(s.row<InputLineSlider>("size")->getValue(), 4.5f);
        QVERIFY(s.row("size")->isEnabled());
        QCOMPARE(s.row<FilePicker>("texture")->getFileName(), s.helper.files.at(1));
        QVERIFY(!s.row("fill")->isEnabled());
        QCOMPARE(s.row<ColorPicker>("fill")->getValue(),
            QColor(0xF0, 0xF0, 0xF0)); // grey while disabled
        QVERIFY(!s.row<CheckBox>("outline")->isChecked());
        QCOMPARE(s.row<ComboBox>("width")->currentValue(), "Thin"_q);
        QVERIFY(!s.row("width")->isEnabled());
        QCOMPARE(s.row<TextField>("caption")->text(), "Bye"_q);
        QCOMPARE(s.part<QTextEdit>("notes")->toPlainText(), "New"_q);
        QVERIFY(!s.row("reset")->isEnabled());
        QCOMPARE(s.row<TextField>("missing")->text(), QString());
        QVERIFY(s.host->writes.isEmpty());

        // A plain list is refreshed by index through the combo's own signal, which writes back;
        // an unchanged index writes nothing.
        s.host->preset({ { "shape"_q, 0 } });
        s.sheet->updateAll();
        QCOMPARE(
            s.host->writes, (QList<Write> { Write("shape"_q, "Circle"_q), Write("shape"_q, 0) }));
        s.host->writes.clear();
        s.sheet->updateAll();
        QVERIFY(s.host->writes.isEmpty());
    }

    void keyedComboRefusal()
    {
        BoundSheet s;
        QVERIFY(s.active);
        auto* combo = s.part<QComboBox>("width");
        typeAndReturn(combo->lineEdit(), "Huge"_q);

        // The refused entry is gone, the old value is back in the object and the combo.
        QCOMPARE(combo->findText("Huge"_q), -1);
        QCOMPARE(s.host->m_width, "Normal"_q);
        QCOMPARE(combo->currentText(), "Normal"_q);
        QVERIFY(s.host->writes.contains(Write("width"_q, "Huge"_q)));
        QCOMPARE(s.host->writes.last(), Write("width"_q, "Normal"_q));
    }

    void comboEntriesArriveLater()
    {
        BoundSheet s;
        auto* later = s.row<ComboBox>("later");
        s.host->preset({ { "laterValues"_q, QStringList { "x"_q, "y"_q } }, { "later"_q, 1 } });
        s.sheet->updateAll();
        QCOMPARE(later->count(), 2);
        QCOMPARE(later->currentIndex(), 1);
        QCOMPARE(later->property(ComboNoKeysProperty), QVariant(true));
        // Filling and selecting happened with the sheet disconnected, so nothing was written back.
        QVERIFY(s.host->writes.isEmpty());
        s.sheet->updateAll();
        QCOMPARE(later->count(), 2);
    }

    void buttonsFollowRebinding()
    {
        BoundSheet s;
        s.click("reset");
        QCOMPARE(s.host->resets, 1);
        FakeHost other;
        other.setProperty("caption", "Other"_q);
        s.sheet->UpdateValues(&other);
        QCOMPARE(s.row<TextField>("caption")->text(), "Other"_q);
        s.click("reset");
        s.sheet->UpdateValues(&other); // the same object again does not double the connection
        s.click("reset");
        QCOMPARE(s.host->resets, 1);
        QCOMPARE(other.resets, 2);
        s.sheet->UpdateValues(s.host);
    }

    void throwingSetters()
    {
        // The file setter throws: the picker goes back to the object's file.
        BoundSheet s;
        s.row<FilePicker>("texture")->SelectFile(s.helper.files.at(2));
        QCOMPARE(s.row<FilePicker>("texture")->getFileName(), s.helper.files.at(0));
        QCOMPARE(s.host->m_texture, s.helper.files.at(0));

        // The combo setter throws on the text: swallowed, and the index write that follows for a
        // plain list goes through.
        s.row<ComboBox>("mood")->setCurrentIndex(1);
        QCOMPARE(s.host->writes, QList<Write> { Write("mood"_q, 1) });
    }

    void hostDestroyedFirst()
    {
        BoundSheet s;
        auto* size = s.row<InputLineSlider>("size");
        QCOMPARE(s.sheet->findProperty(size), "size"_q);
        QCOMPARE(s.sheet->findProperty(nullptr), QString());
        QCOMPARE(s.sheet->findWidget("nothing"_q), nullptr);
        delete s.host;
        s.host = nullptr;

        // Nothing to read or write any more, and nothing breaks.
        s.sheet->updateAll();
        QCOMPARE(size->getValue(), 2.5f);
        QCOMPARE(s.sheet->getProperty(size), QVariant());
        s.clickCheck();
        s.click("reset");
        s.row<ComboBox>("shape")->setCurrentIndex(0);
        s.row<FilePicker>("texture")->SelectFile(QString());

        // A new object takes over, buttons included.
        FakeHost other;
        s.sheet->UpdateValues(&other);
        s.click("reset");
        QCOMPARE(other.resets, 1);
    }
};

QTEST_MAIN(tst_PropertySheet)
#include "tst_propertysheet.moc"
