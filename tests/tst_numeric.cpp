#include "TestUtils.h"
#include "numeric/InputLineFlags.h"
#include "numeric/Slider.h"
#include "numeric/Spinner.h"

#include <corvane/Keyboard.h>
#include <corvane/LineEdit.h>

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalSpy>
#include <QSlider>
#include <QTimer>

using testutils::changedPair;
using testutils::fetch;
using Ints = QList<int>;
using Steps = QList<double>;

// The flag sets of the tables: the sheet's number row (slider, real values, plain writes) and
// its percent row, plain percents, and fine real steps.
constexpr int SliderReal = NumberFlags::Default;
constexpr int SheetPercent = eSliderInsteadSpinner | eIntValues | ePercents;
constexpr int IntPercent = eIntValues | ePercents;
constexpr int RealPercent = eRealValues | ePercents;
constexpr int FineReal = eFineStep | eRealValues;

// A single flag goes into the tables' int columns like the sets do (found by testutils::row).
inline int cell(eInputLineFlags flag)
{
    return flag;
}

static float valueOf(QObject* row)
{
    return row->property("m_value").toFloat();
}

// The drag-editable field and the two numeric rows built on it; also run on the "minimal"
// platform, which like Wayland cannot move the pointer.
class TestNumeric : public QObject
{
    Q_OBJECT
    std::unique_ptr<testutils::HostWindow> m_window;
    LineEdit* m_field = nullptr;

    void show(QWidget* w)
    {
        m_window->layout()->addWidget(w);
        w->show();
        m_window->layout()->activate();
    }

    // Shows an InputLineSlider ('s') or an InputLine ('l'); m_field is its field.
    IInputLine* addRow(char kind, int flags, double min, double max)
    {
        IInputLine* row = kind == 's'
            ? static_cast<IInputLine*>(new InputLineSlider("Title"_q, flags, m_window.get()))
            : new HostInputLine("Title"_q, m_window.get());
        row->setMinValue(float(min));
        row->setMaxValue(float(max));
        show(row);
        m_field = row->findChild<LineEdit*>("edit"_q);
        return row;
    }

private Q_SLOTS:
    void init()
    {
        m_window.reset(new testutils::HostWindow);
        QVERIFY(m_window->showActive());
    }
    void cleanup() { corvane::setFullKeyboardAccess(false); }

    void pointer_data()
    {
        // before: 1 click, 2 key press, 3 Tab arrival, else none; step 0: never given; moves:
        // pointer x of each held move from the centre; noWarp: the steps where they differ.
        testutils::columns<int, bool, double, Ints, Steps, Steps>(
            "before", "realValues", "step", "moves", "steps", "noWarp");
        const auto row = [](const char* name, int before, bool real, double step, Ints moves,
                             Steps steps, Steps noWarp = {}) {
            QTest::newRow(name) << before << real << step << moves << steps << noWarp;
        };
        // Real values: a range above 100 steps by dx / 6, above 1 by dx * 0.01, else by dx / 4.
        row("real 10: 30", 0, true, 10, { 30 }, { 0.3 });
        row("real 10: 8", 0, true, 10, { 8 }, {});
        row("real 100: 20", 0, true, 100, { 20 }, { 0.2 });
        row("real 500: 13", 0, true, 500, { 13 }, { 2 });
        row("real 500: 9", 0, true, 500, { 9 }, { 1 });
        row("real 500: -9", 0, true, 500, { -9 }, { -1 });
        row("real 1: 9", 0, true, 1, { 9 }, { 2 });
        // Integer values: a range of 1 or more steps by one, a smaller one (or none) by dx / 4.
        row("int 100: 45", 0, false, 100, { 45 }, { 1 });
        row("int 1: -30", 0, false, 1, { -30 }, { -1 });
        row("int 0.5: 9", 0, false, 0.5, { 9 }, { 2 });
        row("no step given", 0, false, 0, { 9 }, { 2 });
        // Each step needs 9 more pixels from the centre, or from the last step without warping.
        row("steps in a row", 0, false, 50, { 10, 19, 10, 5 }, { 1, 1, 1 }, { 1, 1, -1 });
        // While editing, a drag selects text instead of stepping.
        row("after a click", 1, false, 50, { -55 }, {});
        row("after a key", 2, false, 50, { -55 }, {});
        row("after Tab", 3, false, 50, { -55 }, {});
    }
    void pointer()
    {
        const auto [before, realValues, step, moves, steps, noWarp]
            = fetch<int, bool, double, Ints, Steps, Steps>(
                "before", "realValues", "step", "moves", "steps", "noWarp");
        auto* edit = new LineEdit(m_window.get());
        edit->setFixedSize(120, 24);
        edit->setText("12345"_q);
        show(edit);
        m_window->other->setFocus();
        QCursor::setPos(1, 2);
        const bool warps = QCursor::pos() == QPoint(1, 2);
        QCOMPARE(warps, QGuiApplication::platformName() != "minimal"_q);
        const QPoint centre(edit->width() / 2, edit->height() / 2);

        if (step > 0)
            edit->setStep(step, realValues);
        if (before == 1)
            QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, centre);
        else if (before > 1)
            edit->setFocus(); // which alone starts no editing
        if (before == 2)
            QTest::keyClick(edit, Qt::Key_End);
        if (before == 3) // the release of the Tab that brought the focus arrives here
            QTest::keyRelease(edit, Qt::Key_Tab);
        QCOMPARE(edit->getStyleType() + edit->selectedText(),
            before ? (before == 3 ? "white12345"_q : "white"_q) : "transp"_q);

        QSignalSpy spy(edit, &LineEdit::mouseDraging);
        QTest::mousePress(edit, Qt::LeftButton, Qt::NoModifier, centre);
        for (int dx : moves)
            testutils::mouseMoveHeld(edit, centre + QPoint(dx, 0));
        Steps seen;
        for (const QList<QVariant>& args : spy)
            seen << args.at(0).toDouble();
        QCOMPARE(seen, warps || noWarp.isEmpty() ? steps : noWarp);
        QCOMPARE(std::pair(edit->hasSelectedText(), edit->cursor().shape()),
            std::pair(before > 0, before ? Qt::ArrowCursor : Qt::BlankCursor));
        const bool dragged = !steps.isEmpty();
        if (warps) // back to the centre after a step, left alone otherwise
            QCOMPARE(QCursor::pos(), dragged ? edit->mapToGlobal(centre) : QPoint(1, 2));

        // After a drag the field rests; a press without one starts editing.
        QTest::mouseRelease(edit, Qt::LeftButton, Qt::NoModifier, centre);
        const QString look = dragged ? "transp"_q : "white"_q;
        QCOMPARE(std::pair(edit->getStyleType(), edit->cursor().shape()),
            std::pair(look, dragged ? Qt::SizeHorCursor : Qt::ArrowCursor));

        // Focus out announces itself before the look changes, and ends any editing.
        QStringList looks;
        QObject context;
        connect(edit, &LineEdit::focusLost, &context, [&] { looks << edit->getStyleType(); });
        m_window->other->setFocus();
        QCOMPARE(looks, QStringList { look });
        QCOMPARE(edit->getStyleType(), "transp"_q);
        // Moving over the field at rest without a button only hints that it can be dragged.
        const QPoint aside = centre - QPoint(30, 0);
        QMouseEvent hover(QEvent::MouseMove, QPointF(aside), QPointF(edit->mapToGlobal(aside)),
            Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(edit, &hover);
        QCOMPARE(std::pair(int(spy.count()), edit->cursor().shape()),
            std::pair(int(seen.size()), Qt::SizeHorCursor));
        QTest::mousePress(edit, Qt::LeftButton, Qt::NoModifier, centre);
        testutils::mouseMoveHeld(edit, centre + QPoint(-30, 0));
        QCOMPARE(spy.count(), int(seen.size()) + 1);
        QTest::mouseRelease(edit, Qt::LeftButton, Qt::NoModifier, centre);
    }

    // Rows over [-max, max], starting at max / 4, take typed text with Return.
    void typedCommit_data()
    {
        testutils::columns<char, int, int, double, QString, double, QString>(
            "kind", "flags", "precision", "max", "typed", "value", "shown");
        using testutils::row;
        const char s = 's', l = 'l';
        // InputLineSlider: decimals filled up with zeros, percentages as bare numbers.
        row("precision 2: 2.5", s, eRealValues, 2, 1e9, "2.5", 2.5, "2.50");
        row("cut", s, eRealValues, 2, 1e9, "3.14159", 3.14159, "3.14");
        row("precision 2: 'g' form wins", s, eRealValues, 2, 1e9, "1234567.891", 1234567.891,
            "1.23457e+06");
        row("exponent", s, eRealValues, 2, 1e9, "1000000", 1e6, "1e+06");
        row("precision 0", s, eRealValues, 0, 1e9, "3.7", 3.7, "4");
        row("precision -1", s, eRealValues, -1, 1e9, "0.1", 0.1, "0.1");
        row("integer 2.7", s, eIntValues, -1, 1e9, "2.7", 2.0, "2");
        row("integer -2.5 floors", s, eIntValues, 2, 1e9, "-2.5", -3.0, "-3");
        row("real above max", s, SliderReal, -1, 10.0, "12", 10.0, "10");
        row("percent 25.6", s, IntPercent, -1, 1.0, "25.6", 0.256, "26");
        row("percent above max", s, SheetPercent, -1, 1.0, "150", 1.0, "100");
        row("percent below min", s, SheetPercent, -1, 1.0, "-150", -1.0, "-100");
        row("% half up", s, SheetPercent, -1, 1.0, "-12.5", -0.125, "-12");
        row("letters", s, SheetPercent, -1, 1.0, "abc", 0.25, "25");
        row("emptied", s, SliderReal, -1, 10.0, "\b", 2.5, "2.5");
        row("5 decimals", s, SliderReal | ePercents, -1, 1.0, "33.333", 0.33333, "33");
        row("6 decimals", s, SliderReal | ePercents, -1, 1.0, "33.3333", 0.25, "25");
        // InputLine: decimals cut without zeros, percentages with a sign; percent presentation
        // only for flags of exactly ePercents.
        row("l: percent", l, ePercents, -1, 1e9, "25", 0.25, "25%");
        row("l: percent sign typed", l, ePercents, -1, 1e9, "30%", 0.3, "30%");
        row("l: % half up", l, ePercents, -1, 1e9, "-12.5", -0.125, "-12%");
        row("l: not only percent", l, RealPercent, -1, 1e9, "0.25", 0.25, "0.25");
        row("l: cut, no zeros", l, 0, 2, 1e9, "3.14159", 3.14159, "3.14");
        row("l: exponent kept", l, 0, 2, 1e9, "1234567", 1234567.0, "1.23e+06");
        row("l: precision 0", l, 0, 0, 1e9, "3.7", 3.7, "4");
        row("l: six digits", l, 0, -1, 1e9, "123.45678", 123.45678, "123.457");
        row("l: integer floors", l, eIntValues, -1, 1e9, "-2.5", -3.0, "-3");
        row("l: below min", l, 0, -1, 1e9, "-2e9", -1e9, "-1e+09");
        row("l: letters", l, 0, -1, 2.0, "x", 0.5, "0.5");
    }
    void typedCommit()
    {
        const auto [kind, flags, precision, max, typed, value]
            = fetch<char, int, int, double, QString, double>(
                "kind", "flags", "precision", "max", "typed", "value");
        IInputLine* row = addRow(kind, flags, -max, max);
        testutils::ChangeLog log(row);
        row->setIntValues(flags & eIntValues); // InputLine takes no flags at construction
        row->setPrecision(precision);
        row->setValueAndInit(float(max / 4), flags);
        const QString start = m_field->text();
        auto* slider = row->findChild<QSlider*>();
        const int position = slider ? slider->value() : -1;
        // Beyond the range: dropped (InputLine checks only the maximum).
        row->setValue(float(max * 2), NumberFlags::RefreshWrite);
        if (kind == 's')
            row->setValue(float(-max * 2), NumberFlags::RefreshWrite);
        QCOMPARE(std::tuple(valueOf(row), m_field->text(), slider ? slider->value() : -1),
            std::tuple(float(max / 4), start, position));
        QVERIFY(log.entries.isEmpty());

        testutils::typeAndReturn(m_field, typed);
        QCOMPARE(valueOf(row), float(value));
        QTEST(m_field->text(), "shown");
        QCOMPARE(log.entries, changedPair(int(value), value));
        // Return again, then leaving: each commits what is shown once more.
        QTest::keyClick(m_field, Qt::Key_Return);
        m_window->other->setFocus();
        QCOMPARE(log.entries.size(), 6);
        QCOMPARE(log.entries.mid(4), log.entries.mid(2, 2));
        // A receiver taking the focus away does not make the focus loss commit a second time.
        connect(row, SIGNAL(changed(int)), m_window->other, SLOT(setFocus()));
        testutils::typeAndReturn(m_field, typed);
        QCOMPARE(log.entries.size(), 8);
    }

    void stepping_data()
    {
        // input: an arrow key, or the pointer's travel in a drag; the range is -max to max; held:
        // the modifiers of a drag, S(hift) and C(ontrol), after a + with full keyboard access.
        testutils::columns<int, double, double, int, QString, QStringList>(
            "flags", "max", "start", "input", "held", "expected");
        using testutils::row;
        const int up = Qt::Key_Up, down = Qt::Key_Down;
        row("drag: integer", eIntValues, 10.0, 3.0, 9, "", changedPair(4, 4));
        row("drag: clamped", eIntValues, 10.0, 10.0, 9, "", changedPair(10, 10));
        // The field steps by dx / 6 here, but a non-percent row moves by one unit per step.
        row("drag: wide range", SliderReal, 1000.0, 3.0, 60, "", changedPair(4, 4));
        row("drag: half rounds up", SliderReal, 20.0, -13.5, 30, "", changedPair(-12, -12));
        row("drag: fine step", FineReal, 10.0, 0.5, 30, "", changedPair(0, 0.501));
        row("drag: percent point", SheetPercent, 10.0, 0.25, 9, "", changedPair(0, 0.26));
        row("drag: flat range", SliderReal, 0.0, 0.0, -9, "", changedPair(0, 0));
        row("click", SliderReal, 10.0, 3.0, 0, "", QStringList());
        row("Up: percent", SheetPercent, 10.0, 0.25, up, "", changedPair(0, 0.26));
        row("Down: integer", eIntValues, 10.0, 3.0, down, "", changedPair(2, 2));
        row("Up: fine", FineReal, 10.0, 0.5, up, "", changedPair(0, 0.6));
        row("Down: clamped", eRealValues, 10.0, -9.5, down, "", changedPair(-10, -10));
        row("Up at max: nothing", eRealValues, 10.0, 10.0, up, "", QStringList());
        // With full keyboard access a drag step is a tenth with Shift, ten times with Control.
        row("integer, Ctrl", eIntValues, 100.0, 3.0, 9, "+C", changedPair(13, 13));
        row("integer, Shift: whole numbers", eIntValues, 100.0, 3.0, 9, "+S", changedPair(4, 4));
        row("real, Shift", SliderReal, 100.0, 3.0, 9, "+S", changedPair(3, 3.1));
        row("real, Ctrl, down", SliderReal, 100.0, 3.0, -9, "+C", changedPair(-7, -7));
        row("Shift before Ctrl", SliderReal, 100.0, 3.0, 9, "+SC", changedPair(3, 3.1));
        row("fine, Shift", FineReal, 100.0, 0.5, 9, "+S", changedPair(0, 0.5001));
        row("percent, Shift", SheetPercent, 1.0, 0.25, 9, "+S", changedPair(0, 0.251));
        row("percent, Ctrl", SheetPercent, 1.0, 0.25, 9, "+C", changedPair(0, 0.35));
        row("off: Shift", SliderReal, 100.0, 3.0, 9, "S", changedPair(4, 4));
        row("off: Ctrl", SheetPercent, 1.0, 0.25, 9, "C", changedPair(0, 0.26));
    }
    void stepping()
    {
        const auto [flags, max, start, input, held]
            = fetch<int, double, double, int, QString>("flags", "max", "start", "input", "held");
        corvane::setFullKeyboardAccess(held.startsWith(QLatin1Char('+')));
        const Qt::KeyboardModifiers modifiers
            = (held.contains(QLatin1Char('S')) ? Qt::ShiftModifier : Qt::NoModifier)
            | (held.contains(QLatin1Char('C')) ? Qt::ControlModifier : Qt::NoModifier);
        auto* row = static_cast<InputLineSlider*>(addRow('s', flags, -max, max));
        row->setPrecision(3);
        row->setValueAndInit(float(start), flags);
        testutils::ChangeLog log(row);
        const bool key = input == Qt::Key_Up || input == Qt::Key_Down;
        const QPoint centre(m_field->width() / 2, m_field->height() / 2);
        if (key) {
            m_field->setFocus();
            QTest::keyClick(m_field, Qt::Key(input));
        } else {
            QTest::mousePress(m_field, Qt::LeftButton, modifiers, centre);
            testutils::mouseMoveHeld(m_field, centre + QPoint(input, 0), modifiers);
            // A move where the step put the pointer back makes no step and ends no drag.
            testutils::mouseMoveHeld(m_field, centre, modifiers);
            QTest::mouseRelease(m_field, Qt::LeftButton, modifiers, centre);
        }
        QTEST(log.entries, "expected");
        // A key press or a click gives the row its focus look; ending a drag does not.
        QCOMPARE(row->getStyleType(), key || !input ? "focus"_q : QString());
        // A look the host forces shows at once, whatever the row's look was.
        row->forceStyles("focus"_q);
        auto* title = row->findChild<QLabel*>();
        QCOMPARE(title->palette().color(title->foregroundRole()), QColor(31, 32, 33));
    }

    // The slider fills from the leading side, like the value.
    void slider_data()
    {
        testutils::columns<int, double, int, double, Qt::LayoutDirection>(
            "flags", "max", "position", "value", "direction");
        // value 1: ignored (the constructor's value accepts two decimals).
        QTest::newRow("integer step: 4.7")
            << (eSliderIntStep | SliderReal) << 10.0 << 47 << 5.0 << Qt::LeftToRight;
        QTest::newRow("0.495: 3 decimals, two lines")
            << (SliderReal | eTwoLines) << 1.5 << 33 << 1.0 << Qt::RightToLeft;
        QTest::newRow("0.51") << SliderReal << 1.5 << 34 << 0.51 << Qt::LeftToRight;
    }
    void slider()
    {
        const auto [flags, max, position, value, direction]
            = fetch<int, double, int, double, Qt::LayoutDirection>(
                "flags", "max", "position", "value", "direction");
        m_window->setLayoutDirection(direction);
        m_window->setStyleSheet("QSlider::groove { height: 6px; background: rgb(0, 0, 255); }"
                                "QSlider::sub-page { background: rgb(255, 0, 0); }"
                                "QSlider::handle { width: 6px; background: rgb(0, 255, 0); }"_q);
        auto* row = new InputLineSlider("T"_q, eInputLineFlags(flags), 1);
        show(row);
        row->setMaxValue(float(max));
        row->setValueAndInit(1, flags);
        auto* slider = row->findChild<QSlider*>();
        testutils::ChangeLog log(row);
        slider->setValue(position);
        const QStringList expected = value == 1 ? QStringList() : changedPair(int(value), value);
        QCOMPARE(log.entries, expected);
        QCOMPARE(row->getValue(), float(value));
        QCOMPARE(row->isTwoLines(), bool(flags & eTwoLines));
        // The refresh that follows leaves the slider where the user put it; the next one moves it.
        row->setValue(1, NumberFlags::RefreshWrite);
        QCOMPARE(slider->value(), position);
        row->setValue(float(max / 2), NumberFlags::RefreshWrite);
        QCOMPARE(slider->value(), 50);
        QCOMPARE(log.entries, expected);
        QCOMPARE(slider->isRightToLeft(), direction == Qt::RightToLeft);
        const QImage image = slider->grab().toImage();
        const int w = image.width();
        const auto at = [&](int fromLeading) {
            return QColor(image.pixel(
                slider->isRightToLeft() ? w - 1 - fromLeading : fromLeading, image.height() / 2));
        };
        QCOMPARE(
            std::pair(at(w / 10), at(w - w / 10)), std::pair(QColor(Qt::red), QColor(Qt::blue)));
        // Two lines put the title above the slider and the field.
        auto* title = row->findChild<QLabel*>();
        if (flags & eTwoLines)
            QCOMPARE(row->findChild<LineEdit*>()->y(), title->geometry().bottom() + 1);
        // Below zero, the positions count from the minimum.
        row->setMinValue(float(-max));
        slider->setValue(75);
        QCOMPARE(row->getValue(), float(max / 2));
    }

    // The calls a host makes to show a value as if typed: what the field, the value and the
    // slider then hold, and what is emitted. Unlike setValue(), none of them checks the range.
    void programmaticEdits_data()
    {
        testutils::columns<int, QString, double, QString, double, int, QStringList>(
            "flags", "call", "value", "text", "kept", "position", "emitted");
        using testutils::row;
        row("shown only", SliderReal, "set", 7.25, "7.25", 7.25, 72, QStringList());
        row("shown and emitted", SliderReal, "set+emit", 7.25, "7.25", 7.25, 72,
            changedPair(7, 7.25));
        row("emitted, slider left", SliderReal, "setAndEmit", 7.25, "7.25", 7.25, 20,
            changedPair(7, 7.25));
        row("emitted past the maximum", SliderReal, "setAndEmit", 12.0, "12", 12.0, 20,
            changedPair(12, 12));
        row("integer row floors", SliderReal | eIntValues, "setAndEmit", 3.7, "3", 3.0, 20,
            changedPair(3, 3));
        row("percents", SliderReal, "set+emit", 0.256, "26", 0.256, 2, changedPair(0, 0.256));
        row("signals alone truncate", SliderReal, "emitSignals", -2.7, "2", 2.0, 20,
            changedPair(-2, -2.7));
    }
    void programmaticEdits()
    {
        const auto [flags, call, value] = fetch<int, QString, double>("flags", "call", "value");
        auto* row = static_cast<InputLineSlider*>(addRow('s', flags, 0, 10));
        row->setValue(2, qstrcmp(QTest::currentDataTag(), "percents") == 0 ? ePercents : 0);
        testutils::ChangeLog log(row);
        if (call == "setAndEmit"_q)
            row->setAndEmit(value);
        else if (call == "emitSignals"_q)
            row->emitSignals(value);
        else
            row->setEditValue(value, call == "set+emit"_q);
        QTEST(m_field->text(), "text");
        QFETCH(double, kept);
        QCOMPARE(row->getValue(), float(kept));
        QTEST(row->findChild<QSlider*>()->value(), "position");
        QTEST(log.entries, "emitted");
    }

    // What Designer and QUiLoader do: write the properties one by one. A value goes in as a plain
    // write (silent, and dropped where setValue() would drop it); the others reach the setters.
    void propertyWrites_data()
    {
        testutils::columns<char, QString>("kind", "shown");
        // The text after each value written, then what the other properties read back.
        QTest::newRow("slider row") << 's' << "3.50|3.50|3.50|200 1 4 2 true"_q;
        // No zeros are added, and only the maximum is checked.
        QTest::newRow("input line") << 'l' << "3.5|3.5|0.5|200% 1 4 2 true"_q;
    }
    void propertyWrites()
    {
        QFETCH(char, kind);
        QObject* row = addRow(kind, SliderReal, 0, 10);
        testutils::ChangeLog log(row);
        QStringList texts;
        const auto write = [&](QVariantMap const& properties, float value) {
            for (auto it = properties.cbegin(); it != properties.cend(); ++it)
                QVERIFY(row->setProperty(qPrintable(it.key()), it.value()));
            QVERIFY(row->setProperty("m_value", value));
            texts << m_field->text();
        };
        write({ { "m_precision"_q, 2 } }, 3.5f);
        write({ { "m_maxValue"_q, 4.0f } }, 4.5f);
        write({ { "m_minValue"_q, 1.0f } }, 0.5f);
        write({ { "m_usePercents"_q, true } }, 2.0f);
        QStringList readBack { texts.join(QLatin1Char('|')) };
        for (const char* name : { "m_minValue", "m_maxValue", "m_precision", "m_usePercents" })
            readBack << row->property(name).toString();
        QTEST(readBack.join(QLatin1Char(' ')), "shown");
        QCOMPARE(log.entries, QStringList());
    }

    // Both rows run edge to edge. InputLine: the title as wide as asked, 5 pixels, the field, then
    // the 22-pixel button or spinner that only a click focuses. InputLineSlider without a slider:
    // the title, then a spacer that shares the spare width with the field.
    void rowLayouts()
    {
        auto* line = static_cast<InputLine*>(addRow('l', 0, 0, 10));
        line->setTitleWidth(60);
        m_field->setFont(QFont(m_field->font().family(), 30)); // the heights stay fixed
        line->layout()->activate();
        const QRect field(65, 0, line->width() - 87, 22), side(line->width() - 22, 0, 22, 22);
        const auto at = [line](const char* name) {
            const QWidget* part = line->findChild<QWidget*>(QLatin1String(name));
            return part->geometry().translated(0, -line->findChild<QLabel*>()->y());
        };
        QCOMPARE(QList<QRect>({ at("label"), at("edit"), at("button") }),
            QList<QRect>({ QRect(0, 0, 60, 22), field, side }));
        QCOMPARE(line->findChild<QPushButton*>()->focusPolicy(), Qt::ClickFocus);
        line->setSpinner(true);
        line->layout()->activate();
        QCOMPARE(std::pair(at("edit"), at("spin")), std::pair(field, side));

        QWidget* row = addRow('s', eRealValues, 0, 10);
        m_window->resize(600, m_window->height());
        const int spaceWidth = row->findChild<QFrame*>("space"_q)->width();
        QCOMPARE(std::pair(row->findChild<QLabel*>()->x(), m_field->geometry().right()),
            std::pair(0, row->width() - 1));
        QVERIFY(qAbs(spaceWidth - m_field->width()) <= 1);
    }

    void inputLineValueAndKeys()
    {
        IInputLine* row = addRow('l', 0, 0, 10);
        testutils::ChangeLog log(row);
        row->setValue(-5, 0); // only the maximum is checked
        QCOMPARE(m_field->text(), "-5"_q);
        row->setValue(11, 0);
        QCOMPARE(valueOf(row), -5.0f);
        row->setValue(10, 0); // the maximum itself is taken
        QCOMPARE(valueOf(row), 10.0f);
        row->setValue(9.5f, 0);
        m_field->setFocus();
        for (Qt::Key key : { Qt::Key_Down, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up })
            QTest::keyClick(m_field, key); // the last one finds the maximum: nothing
        QCOMPARE(log.entries, changedPair(8, 8.5) + changedPair(9, 9.5) + changedPair(10, 10));
        // With full keyboard access Esc ends the editing; the next one is the window's again.
        corvane::setFullKeyboardAccess(true);
        QShortcut escape(Qt::Key_Escape, m_window.get());
        QSignalSpy closes(&escape, &QShortcut::activated);
        for (int i = 0; i < 2; ++i)
            QTest::keyClick(m_field, Qt::Key_Escape);
        QCOMPARE(closes.count(), 1);
    }

    void spinnerRepeats_data()
    {
        testutils::columns<int, int>("y", "step");
        QTest::newRow("upper half") << 5 << 1;
        QTest::newRow("middle counts as upper") << 11 << 1;
        QTest::newRow("lower half") << 12 << -1;
    }
    void spinnerRepeats()
    {
        const auto [y, step] = fetch<int, int>("y", "step");
        auto* row = static_cast<InputLine*>(addRow('l', 0, 1, 10));
        auto* spinner = row->findChild<Spinner*>("spin"_q);
        QCOMPARE(std::pair(spinner->getMinimum(), spinner->getMaximum()), std::pair(1.0f, 10.0f));
        row->setSliderInsteadSpinner(false);
        QVERIFY(spinner->isVisible());
        row->setValue(8, 0); // the upper half's second step reaches the maximum, which it takes
        auto* timer = spinner->findChild<QTimer*>();
        testutils::ChangeLog log(row);
        // A receiver taking the focus from the field makes no commit of the step a second time.
        QVERIFY(testutils::focus(m_field));
        connect(row, SIGNAL(changed(int)), m_window->other, SLOT(setFocus()));
        QTest::mousePress(spinner, Qt::LeftButton, Qt::NoModifier, QPoint(11, y));
        QCOMPARE(log.entries, changedPair(8 + step, 8 + step));
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 200);
        QMetaObject::invokeMethod(timer, "timeout");
        QCOMPARE(
            log.entries, changedPair(8 + step, 8 + step) + changedPair(8 + 2 * step, 8 + 2 * step));
        QTest::mouseRelease(spinner, Qt::LeftButton, Qt::NoModifier, QPoint(11, y));
        QVERIFY(!timer->isActive());
    }

    void spinnerPaint_data()
    {
        testutils::columns<QString, QColor, QColor, QColor, bool>(
            "sheet", "arrow", "background", "frame", "smoothed");
        QTest::newRow("as it always was") << QString() << QColor(0, 0, 0) << QColor(128, 128, 128)
                                          << QColor(169, 169, 169) << false;
        QTest::newRow("colours from the theme")
            << "Spinner { qproperty-arrow_color: rgb(200, 0, 0); qproperty-background_color: "
               "rgb(0, 0, 200); qproperty-frame_color: rgb(0, 200, 0); }"_q
            << QColor(200, 0, 0) << QColor(0, 0, 200) << QColor(0, 200, 0) << false;
        QTest::newRow("smoothed by the theme")
            << "Spinner { qproperty-antialiased: true; }"_q << QColor(0, 0, 0)
            << QColor(128, 128, 128) << QColor(169, 169, 169) << true;
    }
    void spinnerPaint()
    {
        const auto [sheet, arrow, background, frame, smoothed]
            = fetch<QString, QColor, QColor, QColor, bool>(
                "sheet", "arrow", "background", "frame", "smoothed");
        QWidget window;
        window.setStyleSheet(sheet);
        auto* spinner = new Spinner(&window);
        spinner->setFixedSize(22, 22);
        const QImage shown = spinner->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(spinner->property("arrow_color").value<QColor>(), arrow);
        // At ratio 1 the picture is the one of old, pixel for pixel, unless the theme asks for
        // smooth edges: a frame, a line across the middle and two solid triangles.
        QImage expected(22, 22, QImage::Format_RGB32);
        expected.fill(shown.pixel(21, 21)); // the corner the spinner leaves to its parent
        QPainter p(&expected);
        p.fillRect(QRect(QPoint(0, 0), QPoint(20, 20)), background);
        p.setPen(frame);
        p.drawRect(QRect(QPoint(0, 0), QPoint(20, 20)));
        p.drawLine(0, 11, 21, 11);
        QPainterPath path;
        path.addPolygon(QPolygon({ QPoint(3, 8), QPoint(19, 8), QPoint(11, 3), QPoint(3, 8) }));
        path.addPolygon(QPolygon({ QPoint(3, 14), QPoint(19, 14), QPoint(11, 19), QPoint(3, 14) }));
        p.fillPath(path, arrow);
        p.end();
        QCOMPARE(shown == expected, !smoothed);
        if (smoothed)
            QCOMPARE(QColor(shown.pixel(11, 6)), arrow);
    }

    void popupGeometry_data()
    {
        // windowY < 0: from the bottom of the screen; pointerX < 0: from its right edge;
        // clampLeft -1: to the screen's left edge, 1: to its right edge.
        testutils::columns<int, int, int, bool, int>(
            "windowY", "pointerX", "clampLeft", "clampTop", "step");
        // 9 pixels per step of 1, 36 per step of 4, on a 92-pixel track: the handle 45 pixels in.
        QTest::newRow("on screen") << 200 << 300 << 0 << false << 1;
        QTest::newRow("pointer near the left edge") << 200 << 10 << -1 << false << 1;
        QTest::newRow("pointer near the right edge") << 200 << -5 << 1 << false << 1;
        QTest::newRow("row at the bottom") << -5 << 300 << 0 << true << 4;
    }
    void popupGeometry()
    {
        auto [windowY, pointerX, clampLeft, clampTop, step] = fetch<int, int, int, bool, int>(
            "windowY", "pointerX", "clampLeft", "clampTop", "step");
        auto* row = static_cast<InputLine*>(addRow('l', 0, 0, 10));
        auto* button = row->findChild<QPushButton*>("button"_q);
        row->setStep(step);
        row->setStep(10); // a step as long as the range is refused
        row->setValue(5, 0);
        const QRect screen = row->screen()->geometry();
        if (pointerX < 0)
            pointerX += screen.right();
        if (windowY < 0)
            windowY += screen.bottom() - m_window->frameGeometry().height() + 10;
        m_window->move(100, windowY);
        QTest::qWait(0);
        QCursor::setPos(pointerX, button->mapToGlobal(QPoint(0, 0)).y());
        QTest::mouseClick(button, Qt::LeftButton);

        auto* popup = qobject_cast<QFrame*>(QApplication::activePopupWidget());
        auto* slider = popup->findChild<Slider*>();
        QCOMPARE(std::tuple(slider->value(), slider->pageStep(), slider->hasFocus()),
            std::tuple(50, step, true));
        // A raised panel one pixel wide; the slider spans it but for 4 pixels on either side.
        QCOMPARE(std::tuple(popup->frameStyle(), slider->x(), slider->width()),
            std::tuple(int(QFrame::Panel | QFrame::Raised), 5, 90));
        const int buttonBottom = button->mapToGlobal(QPoint(0, 0)).y() + button->height();
        QCOMPARE(clampTop, buttonBottom > screen.bottom() - 19);
        const int top = clampTop ? screen.bottom() - 19 : buttonBottom;
        const int left = clampLeft < 0 ? screen.left()
            : clampLeft > 0            ? screen.right() - 99
                                       : pointerX - 4 - 45;
        QCOMPARE(popup->geometry(), QRect(left, top, 100, 20));

        testutils::ChangeLog log(row);
        slider->setValue(30);
        QCOMPARE(log.entries, changedPair(3, 3));
        QTest::mouseRelease(slider, Qt::LeftButton);
        QVERIFY(!popup->isVisible());
        // A receiver clicking the focused button while the row emits opens nothing.
        button->setFocus();
        connect(row, SIGNAL(changed(int)), button, SLOT(click()));
        slider->setValue(70);
        QVERIFY(!popup->isVisible());
        // Without the slider in use the button goes, and the popup's slider sets nothing.
        row->setSlider(false);
        slider->setValue(20);
        QCOMPARE(std::tuple(button->isVisible(), row->isSlider(), log.entries),
            std::tuple(false, false, changedPair(3, 3) + changedPair(7, 7)));
    }

    void popupWithFlatRange()
    {
        IInputLine* row = addRow('l', 0, 10, 10);
        static_cast<InputLine*>(row)->setStep(0);
        row->setValue(-1e30f, 0);
        QTest::mouseClick(row->findChild<QPushButton*>("button"_q), Qt::LeftButton);
        QWidget* popup = QApplication::activePopupWidget();
        QCOMPARE(popup->findChild<Slider*>()->value(), 0);
        QVERIFY(row->screen()->geometry().contains(popup->geometry()));
    }
};

QTEST_MAIN(TestNumeric)
#include "tst_numeric.moc"
