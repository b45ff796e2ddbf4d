#include "SheetFixture.h"

using namespace testutils;
namespace Key = PropertyKey;
namespace Type = RowType;

class tst_PropertySheet : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The record types spelt out as hosts write them; flags that make a row two-line: the bit on
    // a combo, any int but zero on a text row, anything true on a multi-line row.
    void sheetStructure_data()
    {
        columns<PropertyDescriptionList, QString>("list", "column");
        row("empty list", PropertyDescriptionList(), "Untitled: stretch:1000");
        row("panel A, x, space, y, panel B", records(R"([{"type": "panel", "label": "A"},
            {"type": "label", "w_obj_id": "x"}, {"type": "space"}, {"type": "label", "w_obj_id": "y"},
            {"type": "panel", "label": "B"}])"),
            "Untitled: panel:A[x y] space:10 panel:B[] stretch:1000");
        row("implicit panel keeps the title of its moment", records(R"([{"type": "title",
            "label": "First"}, {"type": "line"}, {"type": "title", "label": "Second"},
            {"type": "label", "label": "t"}])"),
            "Second: panel:First[SeparatorLine Label] stretch:1000");
        row("untitled implicit panel, untitled explicit one",
            records(R"([{"type": "line"}, {"type": "panel"}])"),
            "Untitled: panel:Untitled[SeparatorLine] panel:-[] stretch:1000");
        row("unknown, miscased and missing types make nothing",
            records(R"([{"type": "Number", "prop": "n"}, {"type": "slider"}, {},
            {"type": "panel", "label": "P"}])"),
            "Untitled: panel:P[] stretch:1000");
        row("space before any panel",
            records(R"([{"type": "space"}, {"type": "label", "w_obj_id": "x"}])"),
            "Untitled: space:10 panel:Untitled[x] stretch:1000");
        // One record of a row type gets the stretch, not the "No Settings" label.
        row("single number", records(R"([{"type": "number", "prop": "n"}])"),
            "Untitled: panel:Untitled[n] stretch:1000");
        const auto flagged = [](QLatin1String type, char const* prop, QVariant flags) {
            return rec(type, { { Key::Prop, QLatin1String(prop) }, { Key::Flags, flags } });
        };
        row("two-line flags",
            PropertyDescriptionList { flagged(Type::Combo, "a", int(eTwoLines)),
                flagged(Type::Combo, "b", eTwoLines - 1), flagged(Type::Text, "c", 1),
                flagged(Type::Text, "d", "yes"_q), flagged(Type::MultiText, "e", "yes"_q),
                flagged(Type::MultiText, "f", 0) },
            "Untitled: panel:Untitled[a* b c* d e* f] stretch:1000");
    }
    void sheetStructure()
    {
        QFETCH(PropertyDescriptionList, list);
        FakeHost host(list);
        PropertyListWidget sheet(&host, nullptr);
        QCOMPARE(host.listCalls, 1);
        QTEST(column(sheet), "column");
    }

    void noSettings()
    {
        FakeHost host(PropertiesListBuilder("Empty"_q));
        PropertyListWidget sheet(&host, nullptr);
        QCOMPARE(column(sheet), "Empty: panel:Empty[noSettings]"_q);
        auto* label = sheet.findChild<Label*>("noSettings"_q);
        QCOMPARE(label->text(), "No Settings"_q);
        QCOMPARE(label->alignment(), Qt::AlignCenter);
        QCOMPARE(label->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
    }

    // A host that forgot Q_INTERFACES hears about it once per sheet, by its class name, and gets
    // an empty sheet; a null object means no rows on purpose and says nothing.
    void missingInterface()
    {
        QTimer notAHost;
        const QString warning = "warning corvane.sheet: PropertyListWidget: QTimer does not "
                                "implement IUserInterfaceProperties (is "
                                "Q_INTERFACES(IUserInterfaceProperties) missing?); the sheet "
                                "stays empty"_q;
        MessageLog log;
        PropertyListWidget sheet(&notAHost, nullptr), nested(nullptr, nullptr);
        sheet.updateAll();
        QCOMPARE(column(sheet) + column(nested), "Untitled: stretch:1000Untitled: stretch:1000"_q);
        PropertyListWidget again(&notAHost, nullptr);
        QCOMPARE(log.messages, (QStringList { warning, warning }));
    }

    // "size" has the static sizeEnabled, false; "dyn0" a dynamic one; "dyn1" none. A colour row
    // is born grey.
    void enabledFromHost()
    {
        const auto label = [](QString prop) {
            return rec(Type::Label, { { Key::Prop, prop }, { Key::ObjectId, prop } });
        };
        FakeHost host({ label("size"_q), label("dyn0"_q), label("dyn1"_q),
            rec(Type::Color, { { Key::Prop, "color"_q } }) });
        host.preset({ { "dyn0Enabled"_q, "true"_q }, { "colorEnabled"_q, false } });
        PropertyListWidget sheet(&host, nullptr);
        QCOMPARE(sheet.findChild<ColorPicker*>("color"_q)->getValue(), QColor(0xF0, 0xF0, 0xF0));
        QVERIFY(!sheet.findChild<QWidget*>("size"_q)->isEnabled());
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
        QCOMPARE(column(sheet), "Untitled: panel:A[] sheet sheet stretch:1000 space:7"_q);
        QCOMPARE(sheet.panels(), (QVector<PropertyListWidget*> { first, second }));
        // A column that is still empty takes the nested sheet at its end.
        PropertyListWidget bare(nullptr, nullptr);
        delete bare.layout()->takeAt(0);
        auto* nested = new PropertyListWidget(nullptr, nullptr);
        bare.addPanel(nested);
        QCOMPARE(bare.panels(), QVector<PropertyListWidget*> { nested });
        // One holding only its closing stretch takes it before the stretch.
        PropertyListWidget plain(nullptr, nullptr);
        plain.addPanel(new PropertyListWidget(nullptr, nullptr));
        QCOMPARE(column(plain), "Untitled: sheet stretch:1000"_q);
    }

    // Untitled panels of rows that do not grow keep to the top left at their own size, stacked.
    void columnGeometry()
    {
        FakeHost host(records(R"([{"type": "panel"}, {"type": "check", "prop": "flag"},
            {"type": "check", "prop": "dyn1"}, {"type": "panel"},
            {"type": "check", "prop": "dyn0"}])"));
        PropertyListWidget sheet(&host, nullptr);
        sheet.resize(400, 300);
        QCoreApplication::processEvents(); // the panels are shown, and laid out, from there
        const auto panels = sheet.findChildren<PropsPanel*>();
        QCOMPARE(panels.at(0)->geometry(), QRect(QPoint(0, 0), panels.at(0)->sizeHint()));
        QCOMPARE(panels.at(1)->geometry(),
            QRect(QPoint(0, panels.at(0)->height()), panels.at(1)->sizeHint()));
        // Rows of a panel follow each other without a gap.
        const auto rows = panels.at(0)->findChildren<CheckBox*>();
        QCOMPARE(rows.at(1)->y(), rows.at(0)->geometry().bottom() + 1);
    }

    // What a number record leaves out: range 0 to 1, three decimals, a real-valued slider row.
    void numberDefaults_data()
    {
        columns<PropertyDescription, float, int, QString>("more", "max", "precision", "text");
        row("only type and prop", PropertyDescription(), 1.0f, 3, "0.500");
        row("precision 2.9, minimum, maximum as text",
            PropertyDescription {
                { Key::Precision, 2.9 }, { Key::MinValue, 0.25 }, { Key::MaxValue, "4.5"_q } },
            4.5f, 2, "0.50");
        row("percent slider's flags",
            PropertyDescription { { Key::Flags, ePercents | eIntValues | eSliderInsteadSpinner } },
            1.0f, 3, "50");
        row("precision beyond an int", PropertyDescription { { Key::Precision, 3e9 } }, 1.0f, 3,
            "0.500");
    }
    void numberDefaults()
    {
        auto [more, max, precision, text]
            = fetch<PropertyDescription, float, int, QString>("more", "max", "precision", "text");
        FakeHost host({ rec(Type::Number, more) });
        host.m_number = 0.5f;
        host.m_list[0].insert(Key::Prop, "number"_q);
        PropertyListWidget sheet(&host, nullptr);
        auto* row = sheet.findChild<InputLineSlider*>("number"_q);
        QCOMPARE(row->getMinValue(), more.value(Key::MinValue, 0).toFloat());
        QCOMPARE(row->getMaxValue(), max);
        QCOMPARE(row->getPrecision(), precision);
        QCOMPARE(row->findChild<QLineEdit*>("edit"_q)->text(), text);
        QCOMPARE(row->isRealValues(), !more.contains(Key::Flags));
        QVERIFY(!row->isNoSlider());
    }

    // Each row shows its property from the start, a text row without one the record's text, and
    // building writes nothing. A refresh shows the values and enabled states, colours grey while
    // disabled, fills a combo whose entries came late, and writes and reports nothing, but where
    // a plain list refreshed by index through the combo's own signal writes back; an unchanged
    // index writes nothing.
    void rowsShownAndRefreshed()
    {
        EditSheet e(1, false);
        FakeHost& host = *e.hosts[0];
        host.m_sizeEnabled = false;
        e.build();
        QVERIFY(!e.wroteWhileBuilt);
        QCOMPARE(e.rows(),
            "size=2.50! texture=/tmp/a.png fill=#ff0000 outline=true width=Normal shape=Square "
            "mood=calm later= caption=Hello notes=Line missing=start reset="_q);
        QCOMPARE(e.row<InputLineSlider>("size")->getValue(), 2.5f);
        QCOMPARE(e.row<InputLineSlider>("size")->getMaxValue(), 10.0f);
        QCOMPARE(e.helper.modes, QStringList { "img"_q });
        QCOMPARE(e.row<CheckBox>("outline")->getStyleType(), "secondary"_q);
        QVERIFY(e.row<ComboBox>("shape")->isTwoLines());
        QVERIFY(e.row<MultiTextField>("notes")->isTwoLines());
        // Keyed, plain and not yet filled combos.
        QCOMPARE(e.row("width")->property("w_nokeys"), QVariant(false));
        QCOMPARE(e.row("shape")->property("w_nokeys"), QVariant(true));
        QCOMPARE(e.row<ComboBox>("later")->count(), 0);
        QVERIFY(!e.row("later")->property("w_nokeys").isValid());

        host.preset({ { "size"_q, 4.5f }, { "fill"_q, QColor(Qt::green) }, { "outline"_q, false },
            { "caption"_q, "Bye"_q }, { "notes"_q, "New\nLines"_q }, { "fillEnabled"_q, false },
            { "resetEnabled"_q, false }, { "widthEnabled"_q, false }, { "textureEnabled"_q, false },
            { "captionEnabled"_q, false }, { "laterValues"_q, QStringList { "x"_q, "y"_q } },
            { "later"_q, 1 } });
        host.m_texture = e.helper.files.at(1);
        host.m_width = "Thin"_q;
        host.m_sizeEnabled = true;
        e.sheet->updateAll();
        QCOMPARE(e.rows(),
            "size=4.50 texture=/tmp/b.png! fill=#f0f0f0! outline=false width=Thin! shape=Square "
            "mood=calm later=y caption=Bye! notes=New\nLines missing= reset=!"_q);
        QCOMPARE(e.row<ComboBox>("later")->count(), 2);
        QCOMPARE(e.row("later")->property("w_nokeys"), QVariant(true));
        QVERIFY(host.writes.isEmpty());

        host.preset({ { "shape"_q, 0 } });
        e.sheet->updateAll();
        QCOMPARE(host.writes, (QList<Write> { Write("shape"_q, "Circle"_q), Write("shape"_q, 0) }));
        host.writes.clear();
        e.sheet->updateAll();
        QVERIFY(host.writes.isEmpty());
        QCOMPARE(e.row<ComboBox>("later")->count(), 2);
        // Settling a keyed combo the object turned to "0" restores the old text and drops the
        // entry.
        host.m_width = "0"_q;
        e.sheet->updateCombo(e.row("width"), "Thick"_q, "Thin"_q);
        QCOMPARE(host.writes, QList<Write> { Write("width"_q, "Thin"_q) });
        QCOMPARE(e.part<QComboBox>("width")->findText("Thick"_q), -1);
        QVERIFY(e.log.isEmpty());
    }

    // Buttons follow the object the sheet is bound to, once each; with the object gone there is
    // nothing to read or write any more, and nothing breaks.
    void rebindingAndHostDestroyed()
    {
        EditSheet e;
        // A public slot writes the property of the row that the host connects to it; called by
        // the host itself, with no row behind it, the property of no name, and reports nothing.
        e.sheet->onCheckClicked(false);
        QCOMPARE(e.log, QStringList());
        QVERIFY(connect(e.row("reset"), SIGNAL(buttonClicked()), e.sheet, SLOT(onButtonClicked())));
        Q_EMIT e.row<Button>("reset")->buttonClicked();
        QCOMPARE(
            e.hosts[0]->writes, (QList<Write> { Write(QString(), false), Write("reset"_q, true) }));
        const auto click = [&] { QTest::mouseClick(e.row("reset"), Qt::LeftButton); };
        click();
        FakeHost other;
        other.setProperty("caption", "Other"_q);
        e.sheet->UpdateValues(&other);
        QCOMPARE(e.row<TextField>("caption")->text(), "Other"_q);
        click();
        e.sheet->UpdateValues(&other);
        click();
        QCOMPARE(e.hosts[0]->resets, 1);
        QCOMPARE(other.resets, 2);

        e.sheet->UpdateValues(e.hosts[0]);
        auto* size = e.row<InputLineSlider>("size");
        QCOMPARE(e.sheet->findProperty(size), "size"_q);
        QCOMPARE(e.sheet->findProperty(nullptr), QString());
        QCOMPARE(e.sheet->findWidget("nothing"_q), nullptr);
        delete e.hosts.takeFirst();
        e.sheet->updateAll();
        QCOMPARE(size->getValue(), 2.5f);
        QCOMPARE(e.sheet->getProperty(size), QVariant());
        checkClicked("outline")(e);
        click();
        e.row<ComboBox>("shape")->setCurrentIndex(0);
        e.row<FilePicker>("texture")->SelectFile(QString());
        e.sheet->UpdateValues(&other);
        click();
        QCOMPARE(other.resets, 3);
    }

    // Titles keep to the leading edge whatever the direction of their text (left to right, the
    // alignment they always had), on the leading side of their controls.
    void mirroredRows_data()
    {
        QTest::addColumn<Qt::LayoutDirection>("direction");
        QTest::newRow("left to right") << Qt::LeftToRight;
        QTest::newRow("right to left") << Qt::RightToLeft;
    }
    void mirroredRows()
    {
        QFETCH(Qt::LayoutDirection, direction);
        const bool rtl = direction == Qt::RightToLeft;
        PropertiesListBuilder b("Mirror"_q);
        b.AddPanel("Panel"_q);
        b.AddSlider("Number"_q, "dyn0"_q, 0, 10, NumberFlags::Default, 2);
        b.AddTextField("Text"_q, "dyn1"_q, QString(), false);
        b.AddComboBox("Combo"_q, "combo"_q, false, false);
        b.AddColorPicker("Colour"_q, "color"_q);
        b.AddMultiTextField("Notes"_q, "notes"_q, QString(), true);
        FakeHost host(b);
        QWidget window;
        window.setLayoutDirection(direction);
        auto* sheet = new PropertyListWidget(&host, nullptr, &window);
        (new QVBoxLayout(&window))->addWidget(sheet);
        window.resize(400, 300);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const Qt::Alignment leading = rtl ? Qt::AlignAbsolute | Qt::AlignRight : Qt::AlignLeft;
        for (Label* title : sheet->findChildren<Label*>())
            QCOMPARE(title->alignment() & Qt::AlignHorizontal_Mask, leading);
        SheetParts s { sheet };
        const std::pair<char const*, QWidget*> rows[] = { { "dyn0", s.part<QSlider>("dyn0") },
            { "dyn1", s.part<QLineEdit>("dyn1") }, { "combo", s.part<QComboBox>("combo") },
            { "color", s.part<QWidget>("color", "button") } };
        for (const auto& [name, control] : rows) {
            const QRect title = s.part<Label>(name)->geometry();
            QVERIFY2(rtl ? title.left() > control->geometry().right()
                         : title.right() < control->geometry().left(),
                name);
        }
    }
};

QTEST_MAIN(tst_PropertySheet)
#include "tst_propertysheet.moc"
