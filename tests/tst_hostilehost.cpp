// Hosts that do what no host should: delete rows and sheets from inside the sheet's calls,
// destroy focused rows, throw from the helper, hand over pictures no label can hold. Run under
// AddressSanitizer and UndefinedBehaviorSanitizer, a use after free or a bad downcast fails.
// Also the refresh as it follows properties that come and go.
#include "SheetFixture.h"
#include "controls/ColorPicker_PushButton.h"
#include "propertysheet/Panel.h"
#include "thumbnails/ThumbnailLabel.h"

#include <QAction>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QSignalSpy>
#include <QUndoStack>

using namespace testutils;

namespace {

// Deletes `victim` when the sheet writes the dynamic property `trigger`, reads "trap" (trigger
// "trap"), or calls the slot kill().
class Killer : public FakeHost
{
    Q_OBJECT
    Q_PROPERTY(int trap READ trap)
public:
    using FakeHost::FakeHost;
    int trap() const
    {
        if (trigger == "trap")
            strike();
        return 3;
    }
    bool event(QEvent* e) override
    {
        const bool hit = e->type() == QEvent::DynamicPropertyChange
            && static_cast<QDynamicPropertyChangeEvent*>(e)->propertyName() == trigger;
        const bool handled = FakeHost::event(e);
        if (hit)
            strike();
        return handled;
    }
    void strike() const { delete victim.data(); }

    QPointer<QWidget> victim;
    QByteArray trigger;

public Q_SLOTS:
    void kill() { strike(); }
};

// One row of each kind, every one bound to a dynamic property but "trap"; "edge" has a default;
// the host holds `hostileValues()`.
PropertyDescriptionList hostileRows()
{
    PropertiesListBuilder b("Hostile"_q);
    b.AddSlider("Edge"_q, "edge"_q, 0, 200, NumberFlags::Default, 0);
    b.AddFilePicker("Texture"_q, "tex"_q, "img"_q);
    b.AddColorPicker("Tint"_q, "tint"_q);
    b.AddCheckBox("Shown"_q, "shown"_q);
    b.AddComboBox("Size"_q, "size"_q, true);
    b.AddComboBox("Mode"_q, "mode"_q);
    b.AddButton("Kill"_q, "kill"_q);
    b.AddTextField("Name"_q, "name"_q);
    b.AddMultiTextField("Notes"_q, "notes"_q);
    b.AddSlider("Trap"_q, "trap"_q, 0, 9, NumberFlags::Default, 0);
    PropertyDescriptionList list = b;
    list[1].insert(PropertyKey::Default, 42);
    return list;
}
QVariantMap hostileValues()
{
    return { { "edge"_q, 5 }, { "tex"_q, "/tmp/a.png"_q }, { "tint"_q, QColor(Qt::blue) },
        { "shown"_q, false }, { "sizeValues"_q, QVariantMap { { "S"_q, 1 }, { "L"_q, 2 } } },
        { "size"_q, "S"_q }, { "modeValues"_q, QStringList { "a"_q, "b"_q } }, { "mode"_q, 0 },
        { "name"_q, "n"_q }, { "notes"_q, "x"_q } };
}

// The user's edit of a row as its control reports it; "reset" is the row's context action.
void edit(PropertyListWidget* sheet, QString const& prop, QString const& how)
{
    QWidget* row = sheet->findWidget(prop);
    if (how == "reset"_q)
        return row->findChild<QAction*>("reset"_q)->trigger();
    if (how == "choose"_q)
        return row->findChild<QComboBox*>()->setCurrentIndex(1);
    if (auto* w = qobject_cast<InputLineSlider*>(row))
        Q_EMIT w->changed(7.0f);
    else if (auto* w = qobject_cast<FilePicker*>(row))
        Q_EMIT w->fileChanged("/tmp/b.png"_q);
    else if (auto* w = qobject_cast<ColorPicker*>(row))
        Q_EMIT w->colorChanged(QColor(Qt::red));
    else if (auto* w = qobject_cast<CheckBox*>(row))
        Q_EMIT w->clicked(true);
    else if (auto* w = qobject_cast<ComboBox*>(row))
        Q_EMIT w->currentIndexChanged(how);
    else if (auto* w = qobject_cast<Button*>(row))
        QTest::mouseClick(w, Qt::LeftButton);
    else if (auto* w = qobject_cast<TextField*>(row))
        Q_EMIT w->editingFinished("typed"_q);
    else if (auto* w = qobject_cast<MultiTextField*>(row))
        Q_EMIT w->editingFinished("typed"_q);
}

} // namespace

class TestHostileHost : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A row, or a panel, deleted behind the sheet's back: refreshes, rebinding and the filter
    // pass it by, and the rows left follow the host.
    void rowDeletedByHost_data()
    {
        columns<QString>("prop");
        for (const char* prop :
            { "edge", "tex", "tint", "shown", "size", "mode", "kill", "name", "notes", "panel" })
            QTest::newRow(prop) << QString::fromLatin1(prop);
    }
    void rowDeletedByHost()
    {
        QFETCH(QString, prop);
        FakeHost host(hostileRows()), other(hostileRows());
        host.preset(hostileValues());
        other.preset(hostileValues());
        PropertyListWidget sheet(&host, nullptr);
        sheet.setLiveRefresh(true);
        delete (
            prop == "panel"_q ? sheet.findChild<PropsPanel*>() : sheet.findChild<QWidget*>(prop));
        // What the rows left show of the host: its name or, without that row, the check box.
        const auto shown = [&sheet] {
            if (auto* name = qobject_cast<TextField*>(sheet.findWidget("name"_q)))
                return name->text();
            auto* box = qobject_cast<CheckBox*>(sheet.findWidget("shown"_q));
            return box ? QVariant(box->isChecked()).toString() : "no rows"_q;
        };
        const auto expected = [&prop](char const* name) {
            return prop == "panel"_q ? "no rows"_q
                : prop == "name"_q   ? "true"_q
                                     : QLatin1String(name);
        };
        host.preset({ { "name"_q, "after"_q }, { "shown"_q, true } });
        sheet.updateAll();
        QTest::qWait(1);
        QCOMPARE(sheet.findWidget(prop), nullptr);
        QCOMPARE(shown(), expected("after"));
        other.preset({ { "name"_q, "other"_q }, { "shown"_q, true } });
        sheet.UpdateValues(&other);
        sheet.setFilter("e"_q);
        QCOMPARE(shown(), expected("other"));
    }

    void sheetDeletedInsideHostCall_data()
    {
        // "trigger prop how objects": the trigger the host destroys the sheet in (a property it is
        // written or read, "kill()" its slot, "edited" a listener, "undo"), the row edited (or
        // "live", refreshed by itself), how ("-": the row's usual edit), the objects bound; and
        // the value the edited property holds at the end, on every object.
        columns<QStringList, QVariant>("setup", "written");
        const auto row = [](const char* tag, const char* setup, QVariant const& written) {
            QTest::newRow(tag) << QString::fromLatin1(setup).split(QLatin1Char(' ')) << written;
        };
        row("number", "edge edge - 1", 7.0f);
        row("file", "tex tex - 1", "/tmp/b.png"_q);
        row("color", "tint tint - 1", QColor(Qt::red));
        row("check", "shown shown - 1", true);
        row("keyed combo", "size size L 1", "L"_q);
        row("keyed combo, 2", "size size L 2", "L"_q);
        row("plain combo", "mode mode b 1", "b"_q);
        row("plain combo, 2", "mode mode b 2", "b"_q);
        row("button", "kill() kill - 1", {});
        row("text", "name name - 1", "typed"_q);
        row("multitext, 2", "notes notes - 2", "typed"_q);
        row("reset", "edge edge reset 1", 42);
        row("listener", "edited name - 1", "typed"_q);
        row("listener, 2", "edited tex - 2", "/tmp/b.png"_q);
        row("undo", "undo name - 1", "n"_q);
        row("getter, updateAll", "trap - - 1", {});
        row("getter, 2", "trap - - 2", {});
        row("getter, live", "trap live - 1", {});
        row("plain combo, refresh", "mode mode refresh 1", "b"_q);
        row("keyed combo, chosen", "size size choose 1", "L"_q);
        row("plain combo, chosen, 2", "mode mode choose 2", "b"_q);
    }
    void sheetDeletedInsideHostCall()
    {
        auto [setup, written] = fetch<QStringList, QVariant>("setup", "written");
        const QString trigger = setup[0], prop = setup[1], how = setup[2];
        Killer host(hostileRows());
        FakeHost second(hostileRows());
        host.preset(hostileValues());
        second.preset(hostileValues());
        const QList<QObject*> bound
            = setup[3] == "2"_q ? QList<QObject*> { &host, &second } : QList<QObject*> { &host };
        QPointer<PropertyListWidget> sheet = new PropertyListWidget(bound, nullptr);
        QUndoStack stack;
        new PropertySheetUndo(sheet, &stack);
        host.victim = sheet;
        if (trigger == "edited"_q)
            connect(sheet, &PropertyListWidget::propertyEdited, &host, &Killer::strike);
        host.trigger = (trigger == "undo"_q ? "-"_q : trigger).toLatin1();
        if (prop == "live"_q) {
            sheet->setLiveRefresh(true);
            host.setProperty("trapEnabled", true);
            QTest::qWait(1);
        } else if (trigger == "trap"_q) {
            sheet->updateAll();
        } else if (how == "refresh"_q) {
            host.trigger = "-";
            host.setProperty("mode", 1);
            host.trigger = "mode";
            sheet->updateAll();
        } else {
            edit(sheet, prop, how);
        }
        if (trigger == "undo"_q) {
            host.trigger = prop.toLatin1();
            stack.undo();
        }
        QVERIFY(!sheet);
        // A sheet of several objects writes each of them, also when the first destroys it.
        for (QObject* object : bound)
            QCOMPARE(written.isValid() ? object->property(prop.toLatin1()) : QVariant(), written);
    }

    // A numeric row destroyed with the focus: what was typed and not committed goes with it, as a
    // QLineEdit's text does.
    void numericRowDestroyedWithFocus_data()
    {
        columns<bool, QString>("slider", "typed");
        QTest::newRow("InputLineSlider") << true << QString();
        QTest::newRow("InputLineSlider, typed") << true << "12"_q;
        QTest::newRow("InputLine") << false << QString();
        QTest::newRow("InputLine, typed") << false << "12"_q;
    }
    void numericRowDestroyedWithFocus()
    {
        auto [slider, typed] = fetch<bool, QString>("slider", "typed");
        QPointer<QWidget> row = slider
            ? static_cast<QWidget*>(new InputLineSlider("Edge"_q, NumberFlags::Default))
            : new HostInputLine("Edge"_q);
        QSignalSpy changes(row, SIGNAL(changed(float)));
        row->show();
        row->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(row));
        QVERIFY(focus(row->findChild<LineEdit*>()));
        QTest::keyClicks(row->findChild<LineEdit*>(), typed);
        delete row;
        QVERIFY(!row);
        QCOMPARE(changes.count(), 0);
    }

    // A combo that deletes itself from the commit its focus-out makes.
    void comboDeletedOnItsFocusOut_data()
    {
        columns<bool, QString>("editable", "typed");
        QTest::newRow("list") << false << QString();
        QTest::newRow("editable") << true << QString();
        QTest::newRow("editable, typed") << true << "new"_q;
    }
    void comboDeletedOnItsFocusOut()
    {
        auto [editable, typed] = fetch<bool, QString>("editable", "typed");
        auto* box = new ComboBox("Size"_q, false);
        box->setEditable(editable);
        box->setValues(QStringList { "a"_q, "b"_q });
        HostWindow window(box);
        QPointer<ComboBox> alive(box);
        QStringList committed;
        connect(box, &ComboBox::currentIndexChanged, [&](QString const& text) {
            committed << text;
            delete box;
        });
        QVERIFY(window.showActive());
        QVERIFY(focus(box->findChild<QComboBox*>()));
        QTest::keyClicks(box->findChild<QComboBox*>(), typed);
        QVERIFY(focus(window.other));
        QVERIFY(!alive);
        QCOMPARE(committed, QStringList { "a"_q + typed });
    }

    // A picture taller than four widths shows its top four widths, cropped: its red top fills
    // the label from top to bottom. (The label's ordinary sizing has its own tests.)
    void thumbnailHeightIsBounded_data()
    {
        columns<QSize, int, int>("picture", "labelWidth", "height");
        QTest::newRow("50x200, at the bound") << QSize(50, 200) << 52 << 202;
        QTest::newRow("1x3000") << QSize(1, 3000) << 12 << 42;
        QTest::newRow("1x30000") << QSize(1, 30000) << 12 << 42;
        QTest::newRow("3x30000, wider label") << QSize(3, 30000) << 62 << 242;
    }
    void thumbnailHeightIsBounded()
    {
        auto [picture, labelWidth, height]
            = fetch<QSize, int, int>("picture", "labelWidth", "height");
        QPixmap pixmap(picture);
        pixmap.fill(Qt::blue);
        QPainter(&pixmap).fillRect(0, 0, picture.width(), picture.width() * 4, Qt::red);
        ThumbnailLabel label;
        label.setPixmap(pixmap);
        label.resize(labelWidth, 10);
        label.grab();
        QCOMPARE(label.height(), height);
        const QImage shown = label.grab().toImage();
        QCOMPARE(shown.pixelColor(labelWidth / 2, 1), QColor(Qt::red));
        QCOMPARE(shown.pixelColor(labelWidth / 2, height - 2), QColor(Qt::red));
    }

    // A helper that throws for one file row leaves that row without a source and the sheet whole.
    void throwingHelper_data()
    {
        columns<int>("throwAt");
        QTest::newRow("first file row") << 1;
        QTest::newRow("second file row") << 2;
    }
    void throwingHelper()
    {
        QFETCH(int, throwAt);
        struct Throwing : FakeHelper
        {
            int calls = 0, throwAt = 0;
            IFileSource* fileSource(QString const& mode) override
            {
                if (++calls == throwAt)
                    throw std::runtime_error("no source");
                return FakeHelper::fileSource(mode);
            }
        } helper;
        helper.throwAt = throwAt;
        PropertiesListBuilder b("Files"_q);
        b.AddSlider("Edge"_q, "edge"_q, 0, 9, NumberFlags::Default, 0);
        b.AddFilePicker("One"_q, "one"_q, "a"_q);
        b.AddFilePicker("Two"_q, "two"_q, "b"_q);
        b.AddCheckBox("Shown"_q, "shown"_q);
        FakeHost host(b);
        PropertyListWidget sheet(&host, &helper);
        QCOMPARE(helper.calls, 2);
        QCOMPARE(helper.modes, QStringList { throwAt == 1 ? "b"_q : "a"_q });
        QCOMPARE(qobject_cast<FilePicker*>(sheet.findWidget("one"_q))->getSource() == nullptr,
            throwAt == 1);
        QCOMPARE(qobject_cast<FilePicker*>(sheet.findWidget("two"_q))->getSource() == nullptr,
            throwAt == 2);
        QVERIFY(qobject_cast<CheckBox*>(sheet.findWidget("shown"_q)));
    }

    // Indexed pictures without, or with a short, colour table, and a 1 x 3000 one claiming a
    // ratio of 0.01, scaled to a width of 200: the colour painted and the size kept.
    void imageViewerTakesHostilePictures_data()
    {
        columns<QImage, QColor, QSize>("picture", "shown", "stored");
        QImage indexed(4, 4, QImage::Format_Indexed8);
        indexed.fill(200);
        QTest::newRow("indexed, no table") << indexed << QColor(200, 200, 200) << QSize(4, 4);
        indexed.setColorTable({ qRgb(255, 0, 0) });
        indexed.fill(0);
        QTest::newRow("indexed, used entry") << indexed << QColor(Qt::red) << QSize(4, 4);
        indexed.fill(5);
        QTest::newRow("indexed, short table") << indexed << QColor(Qt::white) << QSize(4, 4);
        QImage bitmap(4, 4, QImage::Format_Mono);
        bitmap.fill(0);
        QTest::newRow("bitmap, no table") << bitmap << QColor(Qt::black) << QSize(4, 4);
        QImage sliver(1, 3000, QImage::Format_ARGB32);
        sliver.fill(Qt::green);
        sliver.setDevicePixelRatio(0.01);
        QTest::newRow("ratio 0.01") << sliver << QColor(Qt::green) << QSize(1, 3000);
    }
    void imageViewerTakesHostilePictures()
    {
        auto [picture, shown, stored] = fetch<QImage, QColor, QSize>("picture", "shown", "stored");
        QWidget page;
        page.setStyleSheet("background: white"_q);
        auto* viewer = new ImageViewer(&page);
        viewer->setScaledToWidth(200);
        viewer->setImage(picture);
        viewer->resize(4, 4);
        page.resize(4, 4);
        QCOMPARE(viewer->getImage().size(), stored);
        QCOMPARE(page.grab().toImage().pixelColor(1, 1), shown);
    }

    // Dynamic properties set on the bound objects before the first refresh, and again before the
    // second: "late=here,lateEnabled=false|..." per object ("late=" removes one, "-" sets none);
    // what the "late" text row shows after each refresh, "!" when disabled.
    void refreshFollowsPropertiesThatComeAndGo_data()
    {
        columns<QString, QString, QString>("before", "between", "shown");
        row("appears", "-", "late=here", ";here");
        row("disappears", "late=here", "late=", "here;");
        row("Enabled appears", "late=here", "lateEnabled=false", "here;here!");
        row("Enabled goes", "lateEnabled=false", "lateEnabled=", "!;");
        row("2, Enabled appears on the second", "late=here|late=here", "-|lateEnabled=false",
            "here;here!");
        row("2, appears on both", "-|-", "late=here|late=here", ";here");
        row("2, disappears on one", "late=here|late=here", "-|late=", "here;");
    }
    void refreshFollowsPropertiesThatComeAndGo()
    {
        auto [before, between] = fetch<QString, QString>("before", "between");
        PropertiesListBuilder b("Late"_q);
        b.AddTextField("Late"_q, "late"_q);
        FakeHost hosts[2] { FakeHost(b), FakeHost(b) };
        const QStringList sets[] { before.split(QLatin1Char('|')),
            between.split(QLatin1Char('|')) };
        PropertyListWidget sheet(sets[0].size() == 2 ? QList<QObject*> { &hosts[0], &hosts[1] }
                                                     : QList<QObject*> { &hosts[0] },
            nullptr);
        auto* field = qobject_cast<TextField*>(sheet.findWidget("late"_q));
        QStringList shown;
        for (QStringList const& set : sets) {
            for (int i = 0; i < set.size(); ++i) {
                for (QString const& item : set[i].split(QLatin1Char(','))) {
                    const QString value = item.section(QLatin1Char('='), 1);
                    if (item != "-"_q)
                        hosts[i].setProperty(item.section(QLatin1Char('='), 0, 0).toLatin1(),
                            value.isEmpty()          ? QVariant()
                                : value == "false"_q ? QVariant(false)
                                                     : QVariant(value));
                }
            }
            sheet.updateAll();
            shown << field->text() + (field->isEnabled() ? QString() : "!"_q);
        }
        QTEST(shown.join(QLatin1Char(';')), "shown");
        // An object built where a destroyed one lived is one the sheet has not looked at yet.
        hosts[0].~FakeHost();
        new (&hosts[0]) FakeHost(b);
        hosts[0].setProperty("late", "anew"_q);
        hosts[0].setProperty("lateEnabled", false);
        sheet.UpdateValues(&hosts[0]);
        QCOMPARE(field->text() + (field->isEnabled() ? QString() : "!"_q), "anew!"_q);
    }

    // A swatch in sight repaints at once; one scrolled away shows its new colour on screen when
    // it comes into view.
    void refreshPaintsColoursInSightAtOnce_data()
    {
        columns<int, int>("row", "paintsAtOnce");
        QTest::newRow("in sight") << 0 << 1;
        QTest::newRow("scrolled away") << 39 << 0;
    }
    void refreshPaintsColoursInSightAtOnce()
    {
        auto [row, paintsAtOnce] = fetch<int, int>("row", "paintsAtOnce");
        PropertiesListBuilder b("Colours"_q);
        for (int i = 0; i < 40; ++i)
            b.AddColorPicker("c%1"_q.arg(i), "c%1"_q.arg(i));
        FakeHost host(b);
        for (int i = 0; i < 40; ++i)
            host.setProperty(qPrintable("c%1"_q.arg(i)), QColor(Qt::blue));
        QScrollArea area;
        auto* sheet = new PropertyListWidget(&host, nullptr);
        area.setWidget(sheet);
        area.setWidgetResizable(true);
        area.resize(300, 200);
        area.show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        auto* swatch = sheet->findWidget("c%1"_q.arg(row))->findChild<ColorPicker_PushButton*>();
        struct Paints : QObject
        {
            int count = 0;
            bool eventFilter(QObject*, QEvent* e) override
            {
                return count += e->type() == QEvent::Paint, false;
            }
        } paints;
        swatch->installEventFilter(&paints);
        host.setProperty(qPrintable("c%1"_q.arg(row)), QColor(Qt::red));
        sheet->updateAll();
        QCOMPARE(paints.count, paintsAtOnce);
        area.ensureWidgetVisible(swatch);
        const QPoint centre = swatch->mapTo(&area, swatch->rect().center());
        QTRY_COMPARE(
            area.screen()->grabWindow(area.winId()).toImage().pixelColor(centre), QColor(Qt::red));
    }
};

QTEST_MAIN(TestHostileHost)
#include "tst_hostilehost.moc"
