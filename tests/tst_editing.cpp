// Editing with a property sheet: the edit reports, undo, live refresh and several objects bound
// at once, and the parts of the controls they rest on (mixed states, the end of a movement).
#include "FakeHost.h"
#include "TestUtils.h"

#include <corvane/CorvaneWidgets.h>

#include <QAccessible>
#include <QColorDialog>
#include <QComboBox>
#include <QPushButton>
#include <QSlider>
#include <QTextEdit>
#include <QTimer>
#include <QUndoStack>

#include <functional>

using namespace testutils;

// A host whose "level" counts how often the sheet reads it, and announces its changes.
class CountingHost : public FakeHost
{
    Q_OBJECT
    Q_PROPERTY(float level READ level WRITE setLevel NOTIFY levelChanged)
public:
    using FakeHost::FakeHost;
    float level() const { return ++reads, m_level; }
    void setLevel(float v) { m_level = v, Q_EMIT levelChanged(); }
    mutable int reads = 0;
    float m_level = 0;
Q_SIGNALS:
    void levelChanged();
};

// A report as one line: "final size 2.5>7.25 x1", "step ...", "invoke reset x2"; the old values
// of several objects are joined by "|".
static QString describe(PropertyEdit const& e)
{
    const auto text = [](QVariant const& v) {
        return v.userType() == QMetaType::QColor ? v.value<QColor>().name() : v.toString();
    };
    if (e.kind == PropertyEdit::Invocation)
        return "invoke %1 x%2"_q.arg(e.property).arg(e.objectCount());
    QStringList olds;
    for (QVariant const& old : e.oldValues)
        olds << text(old);
    return "%1 %2 %3>%4 x%5"_q
        .arg(e.isFinal() ? "final"_q : "step"_q, e.property, olds.join(QLatin1Char('|')),
            text(e.value))
        .arg(e.objectCount());
}

// Rows of every bound kind over `count` hosts that start alike; build() makes the sheet, shown,
// once the hosts are as a test wants them.
struct Editor
{
    explicit Editor(int count = 1, bool buildNow = true)
    {
        PropertiesListBuilder b("Edit"_q);
        b.AddSlider("Size"_q, "size"_q, 0, 10, NumberFlags::Default, 2);
        b.AddFilePicker("Texture"_q, "texture"_q, "img"_q);
        b.AddColorPicker("Fill"_q, "fill"_q, ePrimary);
        b.AddCheckBox("Outline"_q, "outline"_q, eSecondary);
        b.AddComboBox("Width"_q, "width"_q, true, false);
        b.AddComboBox("Shape"_q, "shape"_q, false, false);
        b.AddComboBox("Mood"_q, "mood"_q, false, false);
        b.AddTextField("Caption"_q, "caption"_q, QString(), false);
        b.AddMultiTextField("Notes"_q, "notes"_q, QString(), false);
        b.AddButton("Reset"_q, "reset"_q);
        for (int i = 0; i < count; ++i) {
            auto* host = new FakeHost(b);
            host->preset(
                { { "widthValues"_q,
                      QVariantMap { { "Thin"_q, 1 }, { "Normal"_q, 2 }, { "Thick"_q, 4 } } },
                    { "shapeValues"_q, QStringList { "Circle"_q, "Square"_q, "Star"_q } },
                    { "moodValues"_q, QStringList { "calm"_q, "grumpy"_q } } });
            host->preset({ { "size"_q, 2.5f }, { "fill"_q, QColor(Qt::red) }, { "outline"_q, true },
                { "shape"_q, 1 }, { "caption"_q, "Hello"_q }, { "notes"_q, "Line"_q } });
            host->m_texture = helper.files.at(0);
            host->m_sizeEnabled = true;
            hosts << host;
        }
        if (buildNow)
            build();
    }
    ~Editor()
    {
        delete sheet;
        qDeleteAll(hosts);
    }
    void build()
    {
        QList<QObject*> objects(hosts.cbegin(), hosts.cend());
        sheet = new PropertyListWidget(objects, &helper);
        QObject::connect(sheet, &PropertyListWidget::propertyEdited,
            [this](PropertyEdit const& e) { log << describe(e), edits << e; });
        sheet->resize(400, 800);
        sheet->show();
        active = QTest::qWaitForWindowActive(sheet);
        // The first field takes the focus; leaving it would commit its value.
        if (QWidget* focused = QApplication::focusWidget())
            focused->clearFocus();
        for (FakeHost* host : std::as_const(hosts))
            host->writes.clear();
        log.clear();
        edits.clear();
    }
    template<typename T = QWidget> T* row(char const* name)
    {
        return sheet->findChild<T*>(QLatin1String(name));
    }
    template<typename T> T* part(char const* rowName, char const* partName = nullptr)
    {
        return row(rowName)->findChild<T*>(partName ? QLatin1String(partName) : QString());
    }
    // Drags on the size field by `steps` steps to the right, then releases.
    void drag(int steps)
    {
        auto* edit = part<QLineEdit>("size", "edit");
        const QPoint centre(edit->width() / 2, edit->height() / 2);
        QTest::mousePress(edit, Qt::LeftButton, Qt::NoModifier, centre);
        for (int i = 0; i < steps; ++i)
            mouseMoveHeld(edit, centre + QPoint(9, 0));
        QTest::mouseRelease(edit, Qt::LeftButton, Qt::NoModifier, centre);
    }

    FakeHelper helper;
    QList<FakeHost*> hosts;
    PropertyListWidget* sheet = nullptr;
    QStringList log;
    QList<PropertyEdit> edits;
    bool active = false;
};
using Edit = std::function<void(Editor&)>;
Q_DECLARE_METATYPE(Edit)

// What a row shows: its value as text, or "[Mixed]" when it shows a mixed state both to the eye
// and to a screen reader.
static QString shown(QWidget* row)
{
    const auto said = [](QWidget* w) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        return a ? a->text(QAccessible::Description) : QString();
    };
    const auto mixedText = [&](QWidget* w, QString const& text, QString const& placeholder) {
        return text.isEmpty() && placeholder == "Mixed"_q && said(w) == "Mixed"_q ? "[Mixed]"_q
                                                                                  : text;
    };
    const auto combo = [&](QComboBox* box) {
        return mixedText(box, box->currentIndex() < 0 ? QString() : box->currentText(),
            box->isEditable() ? box->lineEdit()->placeholderText() : box->placeholderText());
    };
    if (auto* box = qobject_cast<QCheckBox*>(row)) {
        const bool partial = box->checkState() == Qt::PartiallyChecked
            && QAccessible::queryAccessibleInterface(box)->state().checkStateMixed;
        return partial ? "[Mixed]"_q : QVariant(box->isChecked()).toString();
    }
    if (auto* picker = qobject_cast<ColorPicker*>(row)) {
        // Hatched in grey across the swatch's middle line.
        auto* swatch = picker->findChild<QPushButton*>("button"_q);
        const QImage pixels = swatch->grab().toImage();
        bool hatched = false;
        for (int x = 0; x < pixels.width(); ++x)
            hatched |= pixels.pixel(x, pixels.height() / 2) == qRgb(0x80, 0x80, 0x80);
        return hatched && said(swatch) == "Mixed"_q ? "[Mixed]"_q : picker->getValue().name();
    }
    if (qobject_cast<ComboBox*>(row) || qobject_cast<FilePicker*>(row))
        return combo(row->findChild<QComboBox*>());
    if (auto* multi = row->findChild<QTextEdit*>())
        return mixedText(multi, multi->toPlainText(), multi->placeholderText());
    auto* edit = row->findChild<QLineEdit*>("edit"_q);
    return mixedText(edit, edit->text(), edit->placeholderText());
}

class tst_Editing : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // What one user edit of each row kind reports, with one host and with three alike; each
    // host gets the writes a sheet of its own would give it, each once.
    void editReports_data()
    {
        columns<int, Edit, QStringList, QList<Write>>("hosts", "edit", "reports", "writes");
        const auto w = [](char const* prop, QVariant v) {
            return QList<Write> { Write(QLatin1String(prop), v) };
        };
        const auto press = [](char const* name, char const* partName, Qt::Key key) {
            return Edit([=](Editor& e) {
                auto* combo = e.part<QComboBox>(name, partName);
                combo->setFocus();
                QTest::keyClick(combo, key);
            });
        };
        const auto type = [](char const* name, QString text) {
            return Edit([=](Editor& e) { typeAndReturn(e.part<QLineEdit>(name, "edit"), text); });
        };
        const auto slide = [](QList<int> positions, bool held) {
            return Edit([=](Editor& e) {
                auto* slider = e.part<QSlider>("size");
                slider->setSliderDown(held);
                for (int position : positions)
                    slider->setValue(position);
                slider->setSliderDown(false);
            });
        };
        const auto chooseColour = Edit([](Editor& e) {
            QTimer::singleShot(0, [] {
                auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                dialog->setCurrentColor(Qt::blue);
                dialog->accept();
            });
            QTest::mouseClick(e.part<QPushButton>("fill", "button"), Qt::LeftButton);
        });
        for (int hosts : { 1, 3 }) {
            const auto row = [hosts](char const* name) -> QTestData& {
                return QTest::newRow(qPrintable("%1 x%2"_q.arg(QLatin1String(name)).arg(hosts)))
                    << hosts;
            };
            // "2.5|2.5|2.5" with three hosts, and x3.
            const auto r = [hosts](QString line) {
                const int gt = line.indexOf(QLatin1Char('>'));
                const int old = line.lastIndexOf(QLatin1Char(' '), gt) + 1;
                QStringList olds;
                for (int i = 0; i < hosts; ++i)
                    olds << line.mid(old, gt - old);
                line.replace(old, gt - old, olds.join(QLatin1Char('|')));
                if (line.endsWith("x1"_q))
                    line.replace(line.size() - 1, 1, QString::number(hosts));
                return line;
            };
            row("typed number") << type("size", "7.25"_q)
                                << QStringList { r("final size 2.5>7.25 x1"_q) }
                                << w("size", 7.25f);
            row("drag") << Edit([](Editor& e) { e.drag(2); })
                        << QStringList { r("step size 2.5>4 x1"_q), r("step size 2.5>5 x1"_q),
                               r("final size 2.5>5 x1"_q) }
                        << w("size", 4.0f) + w("size", 5.0f);
            row("held slider") << slide({ 30, 60 }, true)
                               << QStringList { r("step size 2.5>3 x1"_q),
                                      r("step size 2.5>6 x1"_q), r("final size 2.5>6 x1"_q) }
                               << w("size", 3.0f) + w("size", 6.0f);
            row("slider page") << slide({ 35 }, false)
                               << QStringList { r("final size 2.5>3.5 x1"_q) } << w("size", 3.5f);
            row("arrow key") << Edit([](Editor& e) {
                e.part<QLineEdit>("size", "edit")->setFocus();
                QTest::keyClick(e.part<QLineEdit>("size", "edit"), Qt::Key_Up);
            }) << QStringList { r("final size 2.5>3.5 x1"_q) }
                             << w("size", 3.5f);
            row("check") << Edit([](Editor& e) {
                QTest::mouseClick(e.row("outline"), Qt::LeftButton, {},
                    QPoint(6, e.row("outline")->height() / 2));
            }) << QStringList { r("final outline true>false x1"_q) }
                         << w("outline", false);
            row("colour") << chooseColour << QStringList { r("final fill #ff0000>#0000ff x1"_q) }
                          << w("fill", QColor(Qt::blue));
            row("file removed") << Edit([](Editor& e) {
                QTest::mouseClick(e.part<QPushButton>("texture", "remove"), Qt::LeftButton);
            }) << QStringList { r("final texture /tmp/a.png> x1"_q) }
                                << w("texture", QString());
            row("keyed combo") << press("width", nullptr, Qt::Key_Down)
                               << QStringList { r("final width Normal>Thick x1"_q) }
                               << w("width", "Thick"_q);
            row("plain combo: the index") << press("shape", nullptr, Qt::Key_Down)
                                          << QStringList { r("final shape 1>2 x1"_q) }
                                          << w("shape", "Star"_q) + w("shape", 2);
            row("text") << type("caption", "Hi"_q)
                        << QStringList { r("final caption Hello>Hi x1"_q) } << w("caption", "Hi"_q);
            row("multitext on leaving") << Edit([](Editor& e) {
                auto* editor = e.part<QTextEdit>("notes");
                editor->setFocus();
                QTest::keyClicks(editor, "+"_q);
                e.part<QLineEdit>("caption")->setFocus();
            }) << QStringList { r("final notes Line>+Line x1"_q) }
                                        << w("notes", "+Line"_q);
            row("button") << Edit(
                [](Editor& e) { QTest::mouseClick(e.row("reset"), Qt::LeftButton); })
                          << QStringList { "invoke reset x%1"_q.arg(hosts) } << QList<Write>();
            // Refused writes are not reported: a throwing setter, a keyed entry stored as "0".
            row("throwing file setter") << Edit([](Editor& e) {
                e.row<FilePicker>("texture")->SelectFile("/tmp/bad.png"_q);
            }) << QStringList() << QList<Write>();
            // The text throws, the index that follows is taken.
            row("throwing combo text") << press("mood", nullptr, Qt::Key_Down)
                                       << QStringList { r("final mood 0>1 x1"_q) } << w("mood", 1);
        }
    }
    void editReports()
    {
        const auto [hosts, edit] = fetch<int, Edit>("hosts", "edit");
        Editor e(hosts);
        QVERIFY(e.active);
        edit(e);
        QTEST(e.log, "reports");
        QFETCH(QList<Write>, writes);
        for (FakeHost* host : std::as_const(e.hosts)) {
            QCOMPARE(host->writes, writes);
            QCOMPARE(host->resets, e.log.value(0).startsWith("invoke"_q) ? 1 : 0);
        }
        for (PropertyEdit const& report : std::as_const(e.edits))
            QCOMPARE(report.objects, (QList<QPointer<QObject>>(e.hosts.cbegin(), e.hosts.cend())));
    }

    // A keyed entry that every object stores as "0" is no edit; each gets its old value back.
    void refusedKeyedEntry_data()
    {
        columns<int>("hosts");
        QTest::newRow("one host") << 1;
        QTest::newRow("three hosts") << 3;
    }
    void refusedKeyedEntry()
    {
        QFETCH(int, hosts);
        Editor e(hosts);
        auto* combo = e.part<QComboBox>("width");
        typeAndReturn(combo->lineEdit(), "Huge"_q);
        QVERIFY(e.log.isEmpty());
        QCOMPARE(combo->findText("Huge"_q), -1);
        QCOMPARE(combo->currentText(), "Normal"_q);
        for (FakeHost* host : std::as_const(e.hosts)) {
            QCOMPARE(host->writes.first(), Write("width"_q, "Huge"_q));
            QCOMPARE(host->m_width, "Normal"_q);
        }
    }

    // A refresh reports nothing, even where a plain combo writes back through its own signal.
    void refreshReportsNothing()
    {
        Editor e;
        e.hosts[0]->preset({ { "shape"_q, 0 }, { "size"_q, 4.0f }, { "caption"_q, "Bye"_q } });
        e.sheet->updateAll();
        QCOMPARE(e.hosts[0]->writes,
            (QList<Write> { Write("shape"_q, "Circle"_q), Write("shape"_q, 0) }));
        QCOMPARE(e.row<TextField>("caption")->text(), "Bye"_q);
        QVERIFY(e.log.isEmpty());
    }

    // Without a listener the sheet reads nothing more than it always did.
    void noListenerNoReads()
    {
        CountingHost host({ PropertyDescription {
            { "type"_q, "number"_q }, { "prop"_q, "level"_q }, { "w_maxValue"_q, 10 } } });
        PropertyListWidget sheet(&host, nullptr);
        auto* row = sheet.findChild<InputLineSlider*>("level"_q);
        host.reads = 0;
        row->setEditValue(3, true);
        QCOMPARE(host.reads, 0);
        QCOMPARE(host.m_level, 3.0f);
        int reports = 0;
        connect(&sheet, &PropertyListWidget::propertyEdited, this, [&] { ++reports; });
        row->setEditValue(4, true);
        QCOMPARE(host.reads, 1); // the old value
        QCOMPARE(reports, 1);
    }

    void undoDragAsOneCommand()
    {
        Editor e(2);
        QUndoStack stack;
        new PropertySheetUndo(e.sheet, &stack);
        e.drag(30);
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
        Editor e(3, false);
        for (int i = 0; i < 3; ++i)
            e.hosts[i]->preset({ { "caption"_q, "C%1"_q.arg(i) }, { "outline"_q, i == 1 } });
        e.build();
        QUndoStack stack;
        new PropertySheetUndo(e.sheet, &stack);
        typeAndReturn(e.part<QLineEdit>("caption", "edit"), "All"_q);
        QTest::mouseClick(
            e.row("outline"), Qt::LeftButton, {}, QPoint(6, e.row("outline")->height() / 2));
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
        QCOMPARE(shown(e.row("caption")), "[Mixed]"_q);
        QCOMPARE(shown(e.row("outline")), "[Mixed]"_q);
    }

    void twoSheetsOneStack()
    {
        Editor first, second;
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
        stack.undo();
        QCOMPARE(first.row<TextField>("caption")->text(), "Hello"_q);
        stack.redo();
        QCOMPARE(first.hosts[0]->property("caption"), QVariant("One"_q));
    }

    // After the object, or the sheet too, is gone, undo and redo do nothing and do not crash.
    void undoAfterObjectDied()
    {
        QUndoStack stack;
        Editor e(2);
        new PropertySheetUndo(e.sheet, &stack);
        typeAndReturn(e.part<QLineEdit>("caption", "edit"), "Gone"_q);
        delete e.hosts.takeFirst();
        stack.undo();
        QCOMPARE(e.hosts[0]->property("caption"), QVariant("Hello"_q));
        delete e.hosts.takeFirst();
        stack.redo();
        delete e.sheet;
        e.sheet = nullptr;
        stack.undo();
        QCOMPARE(stack.index(), 0);
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
        host.reads = 0;
        host.setLevel(1);
        host.setLevel(2);
        host.setProperty("number", 3.0f); // another NOTIFY signal
        host.setProperty("caption", "Live"_q);
        host.setProperty("captionEnabled", false);
        host.preset({ { "laterValues"_q, QStringList { "x"_q, "y"_q } } });
        QCOMPARE(host.reads, 0);
        QCoreApplication::processEvents();
        QCOMPARE(host.reads, on ? 1 : 0);
        QCOMPARE(sheet.findChild<InputLineSlider*>("level"_q)->getValue(), on ? 2.0f : 0.0f);
        QCOMPARE(sheet.findChild<InputLineSlider*>("number"_q)->getValue(), on ? 3.0f : 0.0f);
        QCOMPARE(sheet.findChild<TextField*>("caption"_q)->text(), on ? "Live"_q : QString());
        QCOMPARE(sheet.findChild<TextField*>("caption"_q)->isEnabled(), !on);
        QCOMPARE(sheet.findChild<ComboBox*>("later"_q)->count(), on ? 2 : 0);
        QVERIFY(host.writes.isEmpty());
        // A property no row shows refreshes nothing; nor does anything once switched off.
        host.setProperty("unrelated", 1);
        sheet.setLiveRefresh(false);
        host.setLevel(5);
        QCoreApplication::processEvents();
        QCOMPARE(host.reads, on ? 1 : 0);
    }

    // Agreeing objects show their value, differing ones a mixed state, for every row kind.
    void mixedValues_data()
    {
        columns<QByteArray, QVariant, QVariant, QString>("prop", "first", "others", "shown");
        const auto row = [](char const* name, char const* prop) -> QTestData& {
            return QTest::newRow(name) << QByteArray(prop);
        };
        row("number agrees", "size") << QVariant(4.0f) << QVariant(4.0f) << "4.00"_q;
        row("number mixed", "size") << QVariant(4.0f) << QVariant(5.0f) << "[Mixed]"_q;
        row("file agrees", "texture")
            << QVariant("/tmp/b.png"_q) << QVariant("/tmp/b.png"_q) << "b.png"_q;
        row("file mixed", "texture")
            << QVariant("/tmp/a.png"_q) << QVariant("/tmp/b.png"_q) << "[Mixed]"_q;
        const QVariant red = QColor(Qt::red), blue = QColor(Qt::blue);
        row("colour agrees", "fill") << blue << blue << "#0000ff"_q;
        row("colour mixed", "fill") << red << blue << "[Mixed]"_q;
        row("check agrees", "outline") << QVariant(false) << QVariant(false) << "false"_q;
        row("check mixed", "outline") << QVariant(true) << QVariant(false) << "[Mixed]"_q;
        row("keyed combo agrees", "width") << QVariant("Thin"_q) << QVariant("Thin"_q) << "Thin"_q;
        row("keyed combo mixed", "width")
            << QVariant("Thin"_q) << QVariant("Thick"_q) << "[Mixed]"_q;
        row("plain combo agrees", "shape") << QVariant(2) << QVariant(2) << "Star"_q;
        row("plain combo mixed", "shape") << QVariant(0) << QVariant(2) << "[Mixed]"_q;
        row("text agrees", "caption") << QVariant("A"_q) << QVariant("A"_q) << "A"_q;
        row("text mixed", "caption") << QVariant("A"_q) << QVariant("B"_q) << "[Mixed]"_q;
        row("multitext agrees", "notes") << QVariant("N"_q) << QVariant("N"_q) << "N"_q;
        row("multitext mixed", "notes") << QVariant("N"_q) << QVariant("M"_q) << "[Mixed]"_q;
    }
    void mixedValues()
    {
        const auto [prop, first, others]
            = fetch<QByteArray, QVariant, QVariant>("prop", "first", "others");
        // As the sheet is built, and after a refresh that finds the hosts so after they agreed.
        for (bool refreshed : { false, true }) {
            Editor e(3, false);
            for (int i = 0; i < 3; ++i)
                e.hosts[i]->setProperty(prop, i || refreshed ? others : first);
            e.build();
            e.hosts[0]->setProperty(prop, first);
            if (refreshed)
                e.sheet->updateAll();
            QTEST(shown(e.row(prop)), "shown");
            QVERIFY(e.log.isEmpty());
            // Whatever the row shows, the objects keep their own values.
            for (int i = 0; i < 3; ++i)
                QCOMPARE(e.hosts[i]->property(prop), i ? others : first);
        }
    }

    // Leaving a mixed row untouched writes nothing; an edit ends the mixed state everywhere.
    void mixedRowsUntouched()
    {
        Editor e(2, false);
        e.hosts[1]->preset(
            { { "size"_q, 5.0f }, { "caption"_q, "Other"_q }, { "notes"_q, "N"_q } });
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
        QCOMPARE(shown(e.row("size")), "3.50"_q);
        QCOMPARE(shown(e.row("texture")), "a.png"_q);
    }

    // A row is enabled when it is enabled for every object; rebinding follows the new set.
    void enabledForEveryObject()
    {
        Editor e(3);
        e.hosts[2]->preset({ { "captionEnabled"_q, false }, { "resetEnabled"_q, true } });
        e.sheet->updateAll();
        QVERIFY(!e.row("caption")->isEnabled());
        QVERIFY(e.row("reset")->isEnabled());
        e.sheet->setObjects({ e.hosts[0], e.hosts[1] });
        QVERIFY(e.row("caption")->isEnabled());
        QTest::mouseClick(e.row("reset"), Qt::LeftButton);
        QCOMPARE(e.hosts[0]->resets + e.hosts[1]->resets + e.hosts[2]->resets, 2);
        QCOMPARE(e.log, QStringList { "invoke reset x2"_q });
        QCOMPARE(e.sheet->objects(), (QList<QObject*> { e.hosts[0], e.hosts[1] }));
    }

    // A destroyed object leaves the set; the rows then show what the others hold.
    void destroyedObjectDropped()
    {
        Editor e(3, false);
        e.hosts[1]->preset({ { "caption"_q, "Odd"_q } });
        e.build();
        QCOMPARE(shown(e.row("caption")), "[Mixed]"_q);
        delete e.hosts.takeAt(1);
        QCOMPARE(e.sheet->objects(), (QList<QObject*> { e.hosts[0], e.hosts[1] }));
        QTRY_COMPARE(shown(e.row("caption")), "Hello"_q);
        QTest::mouseClick(
            e.row("outline"), Qt::LeftButton, {}, QPoint(6, e.row("outline")->height() / 2));
        QCOMPARE(e.log, QStringList { "final outline true|true>false x2"_q });
        delete e.hosts.takeAt(0);
        QCOMPARE(e.sheet->objects(), QList<QObject*> { e.hosts[0] });
        QTest::mouseClick(e.row("reset"), Qt::LeftButton);
        QCOMPARE(e.hosts[0]->resets, 1);
    }

    // The end of a movement comes on its own, after the pairs that existing listeners see as
    // before; a commit during a drag ends it instead.
    void movementEnds()
    {
        Editor e;
        auto* size = e.row<InputLineSlider>("size");
        ChangeLog log(size);
        connect(size, &InputLineSlider::adjustmentFinished, this,
            [&] { log.entries << (size->isAdjusting() ? "end?"_q : "end"_q); });
        e.drag(2);
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
        Editor e;
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
