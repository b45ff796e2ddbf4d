// Editing with a property sheet: the edit reports, undo, refreshes (live, and what they read)
// and several objects bound at once, and the parts of the controls they rest on (mixed states,
// the end of a movement).
#include "SheetFixture.h"

#include <QSlider>
#include <QUndoStack>

using namespace testutils;

// A host that counts the sheet's reads of "level", which announces its changes, and of a probe
// row's value, "Enabled" and "Values".
class CountingHost : public FakeHost
{
    Q_OBJECT
    Q_PROPERTY(float level READ level WRITE setLevel NOTIFY levelChanged)
    Q_PROPERTY(QVariant probe READ probe WRITE setProbe)
    Q_PROPERTY(bool probeEnabled READ probeEnabled)
    Q_PROPERTY(QVariant probeValues READ probeValues)
public:
    using FakeHost::FakeHost;
    float level() const { return ++reads["level"_q], m_level; }
    void setLevel(float v) { m_level = v, Q_EMIT levelChanged(); }
    QVariant probe() const { return ++reads["probe"_q], m_probe; }
    void setProbe(QVariant const& v) { m_probe = v; }
    bool probeEnabled() const { return ++reads["probeEnabled"_q], true; }
    QVariant probeValues() const { return ++reads["probeValues"_q], m_probeValues; }

    mutable QMap<QString, int> reads;
    float m_level = 0;
    QVariant m_probe, m_probeValues;
Q_SIGNALS:
    void levelChanged();
};

class tst_Editing : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // What one user edit of each row kind reports, with one host and with three alike; each
    // host gets the writes a sheet of its own would give it, each once.
    void editReports_data()
    {
        columns<int, SheetEdit, QStringList, QList<Write>>("hosts", "edit", "reports", "writes");
        const auto w = [](char const* prop, QVariant v) {
            return QList<Write> { Write(QLatin1String(prop), v) };
        };
        const auto slide = [](QList<int> positions, bool held) {
            return SheetEdit([=](SheetParts& s) {
                auto* slider = s.part<QSlider>("size");
                slider->setSliderDown(held);
                for (int position : positions)
                    slider->setValue(position);
                slider->setSliderDown(false);
            });
        };
        for (int hosts : { 1, 3 }) {
            // The reports, as with one host and separated by ";", are those of all: the old value
            // once per host ("2.5|2.5|2.5") and their count (x3).
            const auto row = [hosts](char const* name, SheetEdit edit, QString reports,
                                 QList<Write> writes = {}) {
                QStringList lines;
                for (QString line : reports.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
                    const int gt = line.indexOf(QLatin1Char('>'));
                    const int old = line.lastIndexOf(QLatin1Char(' '), gt) + 1;
                    const QString value = line.mid(old, gt - old) + QLatin1Char('|');
                    if (gt > 0)
                        line.replace(old, gt - old, value.repeated(hosts).chopped(1));
                    lines << line.replace("x1"_q, "x%1"_q.arg(hosts));
                }
                QTest::newRow(qPrintable("%1 x%2"_q.arg(QLatin1String(name)).arg(hosts)))
                    << hosts << edit << lines << writes;
            };
            row("typed number", typed("size", "7.25"_q), "final size 2.5>7.25 x1"_q,
                w("size", 7.25f));
            row(
                "drag", [](SheetParts& s) { dragNumber(s.row("size"), 2); },
                "step size 2.5>4 x1;step size 2.5>5 x1;final size 2.5>5 x1"_q,
                w("size", 4.0f) + w("size", 5.0f));
            row("held slider", slide({ 30, 60 }, true),
                "step size 2.5>3 x1;step size 2.5>6 x1;final size 2.5>6 x1"_q,
                w("size", 3.0f) + w("size", 6.0f));
            row("slider page", slide({ 35 }, false), "final size 2.5>3.5 x1"_q, w("size", 3.5f));
            const auto arrowUp = [](SheetParts& s) {
                s.part<QLineEdit>("size", "edit")->setFocus();
                QTest::keyClick(s.part<QLineEdit>("size", "edit"), Qt::Key_Up);
            };
            row("arrow key", arrowUp, "final size 2.5>3.5 x1"_q, w("size", 3.5f));
            row("check", checkClicked("outline"), "final outline true>false x1"_q,
                w("outline", false));
            row("colour", colourChosen("fill", Qt::blue), "final fill #ff0000>#0000ff x1"_q,
                w("fill", QColor(Qt::blue)));
            const auto removeFile = [](SheetParts& s) {
                QTest::mouseClick(s.part<QPushButton>("texture", "remove"), Qt::LeftButton);
            };
            row("file removed", removeFile, "final texture /tmp/a.png> x1"_q,
                w("texture", QString()));
            row("file's empty entry", pressed("texture", Qt::Key_Up, "combo"),
                "final texture /tmp/a.png> x1"_q, w("texture", QString()));
            row("keyed combo", pressed("width", Qt::Key_Down), "final width Normal>Thick x1"_q,
                w("width", "Thick"_q));
            // A plain list writes the entry's text first, then its index.
            row("plain combo: the index", pressed("shape", Qt::Key_Down), "final shape 1>2 x1"_q,
                w("shape", "Star"_q) + w("shape", 2));
            row("text", typed("caption", "Hi"_q), "final caption Hello>Hi x1"_q,
                w("caption", "Hi"_q));
            // A multi-line field commits when it loses the focus.
            const auto typeNotes = [](SheetParts& s) {
                auto* editor = s.part<QTextEdit>("notes");
                editor->setFocus();
                QTest::keyClicks(editor, "+"_q);
                QTest::keyClick(editor, Qt::Key_End, Qt::ControlModifier);
                QTest::keyClicks(editor, "-"_q);
                s.part<QLineEdit>("caption")->setFocus();
            };
            row("multitext on leaving", typeNotes, "final notes Line>+Line- x1"_q,
                w("notes", "+Line-"_q));
            row(
                "button", [](SheetParts& s) { QTest::mouseClick(s.row("reset"), Qt::LeftButton); },
                "invoke reset x1"_q);
            // Refused writes are not reported: a throwing file setter leaves the picker showing
            // the object's file.
            row(
                "throwing file setter",
                [](SheetParts& s) {
                    fileSelected("texture", "/tmp/bad.png"_q)(s);
                    QCOMPARE(shownValue(s.row("texture")), "/tmp/a.png"_q);
                },
                QString());
            // The text throws, the index that follows is taken.
            row("throwing combo text", pressed("mood", Qt::Key_Down), "final mood 0>1 x1"_q,
                w("mood", 1));
        }
    }
    // Exactly these writes, with these values and types, and these reports.
    void editReports()
    {
        const auto [hosts, edit] = fetch<int, SheetEdit>("hosts", "edit");
        EditSheet e(hosts);
        QVERIFY(e.active);
        edit(e);
        QTEST(e.log, "reports");
        QFETCH(QList<Write>, writes);
        for (FakeHost* host : std::as_const(e.hosts)) {
            QCOMPARE(host->writes, writes);
            for (int i = 0; i < writes.size(); ++i)
                QCOMPARE(host->writes.at(i).second.userType(), writes.at(i).second.userType());
            QCOMPARE(host->resets, e.log.value(0).startsWith("invoke"_q) ? 1 : 0);
        }
        for (PropertyEdit const& report : std::as_const(e.edits))
            QCOMPARE(report.objects, (QList<QPointer<QObject>>(e.hosts.cbegin(), e.hosts.cend())));
    }

    // A keyed entry that an object stores as "0" is no edit of it: it gets the entry, then its
    // old value back; only the objects that took the entry are in the report. The last
    // `refusing` objects offer "Normal" alone.
    void refusedKeyedEntry_data()
    {
        columns<int, int, SheetEdit, QString, QString>("hosts", "refusing", "edit", "entry", "log");
        const auto huge = [](SheetParts& s) {
            typeAndReturn(s.part<QComboBox>("width")->lineEdit(), "Huge"_q);
        };
        row("typed, one host", 1, 1, SheetEdit(huge), "Huge", "");
        row("typed, three hosts", 3, 3, SheetEdit(huge), "Huge", "");
        row("chosen, the second of two", 2, 1, pressed("width", Qt::Key_Down), "Thick",
            "final width Normal>Thick x1");
    }
    void refusedKeyedEntry()
    {
        const auto [hosts, refusing, edit, entry]
            = fetch<int, int, SheetEdit, QString>("hosts", "refusing", "edit", "entry");
        EditSheet e(hosts, false);
        for (int i = hosts - refusing; i < hosts; ++i)
            e.hosts[i]->preset({ { "widthValues"_q, QVariantMap { { "Normal"_q, 2 } } } });
        e.build();
        edit(e);
        QTEST(e.log.join(QLatin1Char(';')), "log");
        // The entry goes only when the first object refused it: the others may hold it.
        QCOMPARE(e.part<QComboBox>("width")->findText(entry) >= 0, refusing < hosts);
        // Where some took it, the objects now differ.
        QCOMPARE(shownValue(e.row("width")), refusing == hosts ? "Normal"_q : "[Mixed]"_q);
        for (int i = 0; i < hosts; ++i) {
            const QString kept = i < hosts - refusing ? entry : "Normal"_q;
            QCOMPARE(e.hosts[i]->writes.first(), Write("width"_q, entry));
            QCOMPARE(e.hosts[i]->writes.last(), Write("width"_q, kept));
            QCOMPARE(e.hosts[i]->m_width, kept);
        }
        QCOMPARE(e.edits.value(0).objects,
            QList<QPointer<QObject>>(e.hosts.cbegin(), e.hosts.cend() - refusing));
    }

    // Without a listener the sheet reads nothing more than it always did.
    void noListenerNoReads()
    {
        CountingHost host({ PropertyDescription {
            { "type"_q, "number"_q }, { "prop"_q, "level"_q }, { "w_maxValue"_q, 10 } } });
        PropertyListWidget sheet(&host, nullptr);
        auto* row = sheet.findChild<InputLineSlider*>("level"_q);
        host.reads.clear();
        row->setEditValue(3, true);
        QCOMPARE(host.reads.value("level"_q), 0);
        QCOMPARE(host.m_level, 3.0f);
        int reports = 0;
        connect(&sheet, &PropertyListWidget::propertyEdited, this, [&] { ++reports; });
        row->setEditValue(4, true);
        QCOMPARE(host.reads.value("level"_q), 1); // the old value
        QCOMPARE(reports, 1);
    }

    void undoDragAsOneCommand()
    {
        EditSheet e(2);
        QUndoStack stack;
        new PropertySheetUndo(e.sheet, &stack);
        dragNumber(e.row("size"), 30);
        QCOMPARE(e.log.size(), 31);
        QCOMPARE(stack.count(), 1);
        QCOMPARE(stack.undoText(), "Change Size"_q);
        QCOMPARE(e.hosts[1]->property("size"), QVariant(10.0f)); // clamped at the maximum

        e.log.clear();
        stack.undo();
        for (FakeHost* host : std::as_const(e.hosts))
            QCOMPARE(host->property("size"), QVariant(2.5f));
        QCOMPARE(e.part<QLineEdit>("size", "edit")->text(), "2.50"_q);
        stack.redo();
        QCOMPARE(e.hosts[0]->property("size"), QVariant(10.0f));
        QCOMPARE(e.part<QLineEdit>("size", "edit")->text(), "10.00"_q);
        QVERIFY(e.log.isEmpty()); // undo and redo are no edits

        // An edit that changed nothing makes no command; a button none either.
        typeAndReturn(e.part<QLineEdit>("size", "edit"), "10"_q);
        QTest::mouseClick(e.row("reset"), Qt::LeftButton);
        QCOMPARE(stack.count(), 1);
    }

    // One undo gives every object its own old value back.
    void undoRestoresEachObjectsValue()
    {
        EditSheet e(3, false);
        for (int i = 0; i < 3; ++i)
            e.hosts[i]->preset({ { "caption"_q, "C%1"_q.arg(i) }, { "outline"_q, i == 1 } });
        e.build();
        QUndoStack stack;
        new PropertySheetUndo(e.sheet, &stack);
        typeAndReturn(e.part<QLineEdit>("caption", "edit"), "All"_q);
        checkClicked("outline")(e);
        // Leaving the caption for the box commits it again, which changes nothing: no command.
        QCOMPARE(e.log,
            (QStringList { "final caption C0|C1|C2>All x3"_q, "final caption All|All|All>All x3"_q,
                "final outline false|true|false>true x3"_q }));
        QCOMPARE(stack.count(), 2);
        stack.undo();
        stack.undo();
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(e.hosts[i]->property("caption"), QVariant("C%1"_q.arg(i)));
            QCOMPARE(e.hosts[i]->property("outline"), QVariant(i == 1));
        }
        QCOMPARE(shownValue(e.row("caption")), "[Mixed]"_q);
        QCOMPARE(shownValue(e.row("outline")), "[Mixed]"_q);
    }

    // Sheets sharing a stack undo each their own edits; once an object, or the sheet too, is
    // gone, undo and redo pass it by and do not crash.
    void twoSheetsOneStack()
    {
        EditSheet first(2), second;
        QUndoStack stack;
        new PropertySheetUndo(first.sheet, &stack);
        new PropertySheetUndo(second.sheet, &stack);
        typeAndReturn(first.part<QLineEdit>("caption", "edit"), "One"_q);
        typeAndReturn(second.part<QLineEdit>("size", "edit"), "9"_q);
        QCOMPARE(stack.count(), 2);
        QCOMPARE(stack.undoText(), "Change Size"_q);
        stack.undo();
        QCOMPARE(second.hosts[0]->property("size"), QVariant(2.5f));
        QCOMPARE(first.hosts[0]->property("caption"), QVariant("One"_q));
        delete first.hosts.takeFirst();
        stack.undo();
        QCOMPARE(first.hosts[0]->property("caption"), QVariant("Hello"_q));
        QCOMPARE(first.row<TextField>("caption")->text(), "Hello"_q);
        stack.redo();
        QCOMPARE(first.hosts[0]->property("caption"), QVariant("One"_q));
        delete first.hosts.takeFirst();
        stack.undo();
        delete first.sheet;
        first.sheet = nullptr;
        stack.redo();
        QCOMPARE(stack.index(), 1);
    }

    // Several NOTIFY signals in one turn make one refresh; dynamic properties follow as well;
    // switched off, the sheet waits for updateAll() as it always did.
    void liveRefresh_data()
    {
        columns<bool>("on");
        QTest::newRow("on") << true;
        QTest::newRow("off") << false;
    }
    void liveRefresh()
    {
        QFETCH(bool, on);
        const auto number = [](char const* prop) {
            return PropertyDescription { { "type"_q, "number"_q },
                { "prop"_q, QLatin1String(prop) }, { "w_maxValue"_q, 10 } };
        };
        CountingHost host({ number("level"), number("number"),
            { { "type"_q, "text"_q }, { "prop"_q, "caption"_q } },
            { { "type"_q, "combo"_q }, { "prop"_q, "later"_q } } });
        PropertyListWidget sheet(&host, nullptr);
        QVERIFY(!sheet.liveRefresh());
        sheet.setLiveRefresh(on);
        QCOMPARE(sheet.liveRefresh(), on);
        host.reads.clear();
        host.setLevel(1);
        host.setLevel(2);
        host.setProperty("number", 3.0f); // another NOTIFY signal
        host.setProperty("caption", "Live"_q);
        host.setProperty("captionEnabled", false);
        host.preset({ { "laterValues"_q, QStringList { "x"_q, "y"_q } } });
        QCOMPARE(host.reads.value("level"_q), 0);
        QCoreApplication::processEvents();
        QCOMPARE(host.reads.value("level"_q), on ? 1 : 0);
        QCOMPARE(sheet.findChild<InputLineSlider*>("level"_q)->getValue(), on ? 2.0f : 0.0f);
        QCOMPARE(sheet.findChild<InputLineSlider*>("number"_q)->getValue(), on ? 3.0f : 0.0f);
        QCOMPARE(sheet.findChild<TextField*>("caption"_q)->text(), on ? "Live"_q : QString());
        QCOMPARE(sheet.findChild<TextField*>("caption"_q)->isEnabled(), !on);
        QCOMPARE(sheet.findChild<ComboBox*>("later"_q)->count(), on ? 2 : 0);
        QVERIFY(host.writes.isEmpty());
        // An enabled state alone is followed too.
        host.setProperty("captionEnabled", true);
        QCoreApplication::processEvents();
        QCOMPARE(sheet.findChild<TextField*>("caption"_q)->isEnabled(), true);
        // A property no row shows refreshes nothing; nor does anything once switched off.
        host.setProperty("unrelated", 1);
        sheet.setLiveRefresh(false);
        QVERIFY(!sheet.liveRefresh());
        host.setLevel(5);
        QCoreApplication::processEvents();
        QCOMPARE(host.reads.value("level"_q), on ? 1 : 0);
    }

    // One read per property and pass; a combo reads its value a second time, as it always did.
    void refreshReadsEachPropertyOnce_data()
    {
        columns<QString, QVariant, QVariant, int>("type", "value", "values", "reads");
        row("number", QString(RowType::Number), QVariant(0.5), QVariant(), 1);
        row("check", QString(RowType::Check), QVariant(true), QVariant(), 1);
        row("color", QString(RowType::Color), QVariant(QColor(Qt::red)), QVariant(), 1);
        row("text", QString(RowType::Text), QVariant("t"_q), QVariant(), 1);
        row("plain combo", QString(RowType::Combo), QVariant(1),
            QVariant(QStringList { "a"_q, "b"_q }), 2);
        row("keyed combo", QString(RowType::Combo), QVariant("b"_q),
            QVariant(QVariantMap { { "a"_q, 1 }, { "b"_q, 2 } }), 2);
    }
    void refreshReadsEachPropertyOnce()
    {
        auto [type, value, values] = fetch<QString, QVariant, QVariant>("type", "value", "values");
        CountingHost host({ { { PropertyKey::Type, type }, { PropertyKey::Prop, "probe"_q } } });
        host.m_probe = value;
        host.m_probeValues = values;
        PropertyListWidget sheet(&host, nullptr);
        for (int pass = 0; pass < 2; ++pass) {
            host.reads.clear();
            sheet.updateAll();
            QTEST(host.reads.value("probe"_q), "reads");
            QCOMPARE(host.reads.value("probeEnabled"_q), 1);
            QCOMPARE(host.reads.value("probeValues"_q), 0);
        }
        // Objects that die in one turn leave one refresh behind them.
        auto* gone = new QObject;
        sheet.setObjects({ &host, gone, new QObject(gone) });
        host.reads.clear();
        delete gone;
        QCoreApplication::processEvents();
        QCOMPARE(host.reads.value("probeEnabled"_q), 1);
    }

    // Agreeing objects show their value, differing ones a mixed state, for every row kind: as the
    // sheet is built, and after a refresh that finds the hosts so after they agreed.
    void mixedValues_data()
    {
        columns<bool, bool, QString>("refreshed", "differ", "rows");
        for (bool refreshed : { false, true }) {
            const char* when = refreshed ? ", refreshed" : "";
            // A text row of no property shows its record's text until a refresh.
            const QString start = refreshed ? QString() : "start"_q;
            QTest::newRow(qPrintable("agree"_q + QLatin1String(when)))
                << refreshed << false
                << "size=4.00 texture=/tmp/b.png fill=#0000ff outline=false width=Thin shape=Star "
                   "mood=calm later= caption=A notes=N missing=%1 reset="_q.arg(start);
            QTest::newRow(qPrintable("differ"_q + QLatin1String(when)))
                << refreshed << true
                << "size=[Mixed] texture=[Mixed] fill=[Mixed] outline=[Mixed] width=[Mixed] "
                   "shape=[Mixed] mood=calm later= caption=[Mixed] notes=[Mixed] missing=%1 "
                   "reset="_q.arg(start);
        }
    }
    void mixedValues()
    {
        const auto [refreshed, differ] = fetch<bool, bool>("refreshed", "differ");
        const QVariantMap others { { "size"_q, 4.0f }, { "texture"_q, "/tmp/b.png"_q },
            { "fill"_q, QColor(Qt::blue) }, { "outline"_q, false }, { "width"_q, "Thin"_q },
            { "shape"_q, 2 }, { "caption"_q, "A"_q }, { "notes"_q, "N"_q } };
        const QVariantMap first = differ
            ? QVariantMap { { "size"_q, 5.0f }, { "texture"_q, "/tmp/a.png"_q },
                  { "fill"_q, QColor(Qt::red) }, { "outline"_q, true }, { "width"_q, "Thick"_q },
                  { "shape"_q, 0 }, { "caption"_q, "B"_q }, { "notes"_q, "M"_q } }
            : others;
        EditSheet e(3, false);
        for (int i = 0; i < 3; ++i)
            e.hosts[i]->preset(i || refreshed ? others : first);
        e.build();
        e.hosts[0]->preset(first);
        if (refreshed)
            e.sheet->updateAll();
        QTEST(e.rows(), "rows");
        QVERIFY(e.log.isEmpty());
        // Whatever the rows show, the objects keep their own values.
        for (int i = 0; i < 3; ++i) {
            for (auto it = others.cbegin(); it != others.cend(); ++it)
                QCOMPARE(e.hosts[i]->property(it.key().toLatin1()), (i ? others : first)[it.key()]);
        }
    }

    // Leaving a mixed row untouched writes nothing; an edit ends the mixed state everywhere.
    void mixedRowsUntouched()
    {
        EditSheet e(2, false);
        e.hosts[1]->preset({ { "size"_q, 5.0f }, { "caption"_q, "Other"_q }, { "notes"_q, "N"_q },
            { "shape"_q, 2 } });
        e.hosts[1]->m_width = "Thin"_q;
        e.hosts[1]->m_texture = e.helper.files.at(1);
        e.build();
        // Return where it commits; the multi-line field commits on leaving only.
        for (QWidget* editor : { static_cast<QWidget*>(e.part<QLineEdit>("size", "edit")),
                 static_cast<QWidget*>(e.part<QLineEdit>("caption", "edit")),
                 static_cast<QWidget*>(e.part<QComboBox>("width")),
                 static_cast<QWidget*>(e.part<QTextEdit>("notes")) }) {
            QVERIFY(focus(editor));
            if (!qobject_cast<QTextEdit*>(editor))
                QTest::keyClick(editor, Qt::Key_Return);
        }
        QVERIFY(focus(e.part<QLineEdit>("size", "edit")));
        QVERIFY(e.hosts[0]->writes.isEmpty() && e.hosts[1]->writes.isEmpty());
        QVERIFY(e.log.isEmpty());
        QTest::keyClick(e.part<QLineEdit>("size", "edit"), Qt::Key_Up);
        // A mixed file row announces even the file it showed last: one object holds another.
        e.row<FilePicker>("texture")->SelectFile(e.helper.files.at(0));
        QCOMPARE(e.log,
            (QStringList { "final size 2.5|5>3.5 x2"_q,
                "final texture /tmp/a.png|/tmp/b.png>/tmp/a.png x2"_q }));
        QCOMPARE(shownValue(e.row("size")), "3.50"_q);
        QCOMPARE(shownValue(e.row("texture")), "/tmp/a.png"_q);
        // A plain list leaves its mixed state for the entry chosen, and writes that entry's index.
        pressed("shape", Qt::Key_Down)(e);
        QCOMPARE(e.log.last(), "final shape 1|2>0 x2"_q);
    }

    // A row is enabled when it is for every object; setObjects() and the destruction of an object
    // change the set, and the rows then show, write and invoke what the others hold.
    void objectSetChanges()
    {
        EditSheet e(4, false);
        e.hosts[1]->preset({ { "caption"_q, "Odd"_q } });
        e.build();
        e.hosts[3]->preset({ { "outlineEnabled"_q, false }, { "resetEnabled"_q, true } });
        e.sheet->updateAll();
        QVERIFY(!e.row("outline")->isEnabled());
        QVERIFY(e.row("reset")->isEnabled());
        e.sheet->setObjects({ e.hosts[0], e.hosts[1], e.hosts[2] });
        QVERIFY(e.row("outline")->isEnabled());
        QCOMPARE(shownValue(e.row("caption")), "[Mixed]"_q);
        delete e.hosts.takeAt(1);
        QCOMPARE(e.sheet->objects(), (QList<QObject*> { e.hosts[0], e.hosts[1] }));
        QTRY_COMPARE(shownValue(e.row("caption")), "Hello"_q);
        checkClicked("outline")(e);
        QTest::mouseClick(e.row("reset"), Qt::LeftButton);
        QCOMPARE(
            e.log, (QStringList { "final outline true|true>false x2"_q, "invoke reset x2"_q }));
        QCOMPARE(e.hosts[0]->resets + e.hosts[1]->resets + e.hosts[2]->resets, 2);
        e.hosts[1]->preset({ { "caption"_q, "Kept"_q } }); // every death refreshes
        delete e.hosts.takeAt(0);
        QCOMPARE(e.sheet->objects(), QList<QObject*> { e.hosts[0] });
        QTRY_COMPARE(shownValue(e.row("caption")), "Kept"_q);
        QTest::mouseClick(e.row("reset"), Qt::LeftButton);
        QCOMPARE(e.hosts[0]->resets, 2);
        // A button invokes, and reports, only the objects that have its slot.
        QObject plain;
        const MessageLog silenced; // Qt's remark on the slot that is missing
        e.sheet->setObjects({ e.hosts[0], &plain });
        QTest::mouseClick(e.row("reset"), Qt::LeftButton);
        QCOMPARE(e.log.last(), "invoke reset x1"_q);
    }

    // The end of a movement comes on its own, after the pairs that existing listeners see as
    // before; a commit during a drag ends it instead.
    void movementEnds()
    {
        EditSheet e;
        auto* size = e.row<InputLineSlider>("size");
        ChangeLog log(size);
        connect(size, &InputLineSlider::adjustmentFinished, this,
            [&] { log.entries << (size->isAdjusting() ? "end?"_q : "end"_q); });
        dragNumber(e.row("size"), 2);
        QCOMPARE(log.entries, changedPair(4, 4) + changedPair(5, 5) + QStringList { "end"_q });
        log.entries.clear();
        auto* slider = e.part<QSlider>("size");
        slider->setSliderDown(true);
        slider->setValue(70);
        QVERIFY(size->isAdjusting());
        slider->setSliderDown(false);
        slider->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(log.entries, changedPair(7, 7) + QStringList { "end"_q } + changedPair(8, 8));
        QVERIFY(!size->isAdjusting());
    }

    // Mixed states belong to hosts that ask for them: a refresh of a sheet of one object, which
    // turns each row's off, changes no pixel.
    void mixedStateUnused()
    {
        EditSheet e(1, false);
        e.hosts[0]->preset({ { "missing"_q, "start"_q } }); // else a refresh empties the row
        e.build();
        const QImage before = e.sheet->grab().toImage();
        e.sheet->updateAll();
        QCOMPARE(e.sheet->grab().toImage(), before);
        QVERIFY(e.hosts[0]->writes.isEmpty());
        // A mixed check box never offers the partial state again.
        auto* check = e.row<CheckBox>("outline");
        check->setMixed(true);
        QVERIFY(check->isMixed());
        check->click();
        QCOMPARE(check->checkState(), Qt::Checked);
        check->click();
        check->click();
        QCOMPARE(check->checkState(), Qt::Checked);
        QVERIFY(!check->isMixed() && !check->isTristate());
    }
};

QTEST_MAIN(tst_Editing)
#include "tst_editing.moc"
