#include "FakeHost.h"
#include "TestUtils.h"
#include "numeric/InputLineFlags.h"

#include <corvane/CorvaneWidgets.h>

#include <QShortcut>

using testutils::changedPair;
using testutils::fetch;

// Counts the Esc presses that reach the window: unhandled, or as the window's shortcut.
struct EscCounter : QObject
{
    explicit EscCounter(QWidget* window)
        : shortcut(Qt::Key_Escape, window)
    {
        window->installEventFilter(this);
        connect(&shortcut, &QShortcut::activated, this, [this] { ++count; });
    }
    bool eventFilter(QObject*, QEvent* e) override
    {
        count
            += e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape;
        return false;
    }
    QShortcut shortcut;
    int count = 0;
};

// Keyboard use with and without corvane::setFullKeyboardAccess(), which every test leaves off.
// Drag steps with modifiers are checked with the other steps, in tst_numeric.
class tst_Keyboard : public QObject
{
    Q_OBJECT
    std::unique_ptr<testutils::HostWindow> m_window;

private Q_SLOTS:
    void init()
    {
        m_window.reset(new testutils::HostWindow);
        QVERIFY(m_window->showActive());
    }
    void cleanup() { corvane::setFullKeyboardAccess(false); }

    void tabOrder_data()
    {
        testutils::columns<bool, bool, bool, QStringList>("full", "file", "back", "stops");
        const QStringList before { "SpinBox Size"_q, "SpinBox Opacity"_q };
        const QStringList after { "Button Fill"_q, "CheckBox Visible"_q, "ComboBox Width"_q,
            "Button Reset"_q, "EditableText Name"_q, "EditableText Notes"_q, "EditableText "_q };
        const QStringList picker { "ComboBox Texture"_q, "Button Browse"_q, "Button Remove"_q };
        const auto reversed = [](QStringList stops) {
            std::reverse(stops.begin(), stops.end() - 1);
            return stops;
        };
        QTest::newRow("off") << false << true << false << before + after;
        QTest::newRow("on") << true << true << false << before + picker + after;
        QTest::newRow("on, back") << true << true << true << reversed(before + picker + after);
        // Without a file there is nothing to remove.
        QTest::newRow("on, no file") << true << false << false << before + picker.mid(0, 2) + after;
    }
    void tabOrder()
    {
        const auto [full, file, back] = fetch<bool, bool, bool>("full", "file", "back");
        FakeHelper helper;
        FakeHost host(oneRowOfEachKind());
        host.m_texture = file ? helper.files.at(0) : QString();
        // Built with the switch the other way: the pickers follow it when it changes.
        corvane::setFullKeyboardAccess(!full);
        auto* sheet = new PropertyListWidget(&host, &helper, m_window.get());
        m_window->layout()->addWidget(sheet);
        QCoreApplication::processEvents(); // the rows show
        corvane::setFullKeyboardAccess(full);
        QVERIFY(testutils::focus(m_window->other));

        QStringList stops;
        while (stops.size() < 12 && (stops.isEmpty() || stops.last() != "EditableText "_q)) {
            QTest::keyClick(QApplication::focusWidget(), back ? Qt::Key_Backtab : Qt::Key_Tab);
            stops << testutils::roleAndName(
                QAccessible::queryAccessibleInterface(QApplication::focusWidget()));
            // A number row reached by Tab shows that it has the focus.
            for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
                if (auto* number = qobject_cast<InputLineSlider*>(w))
                    QCOMPARE(number->getStyleType(), "focus"_q);
        }
        QTEST(stops, "stops");
    }

    // Numbers 0 to 10 starting at 3, worked with keys: digits type, '#' selects the text, '!' is
    // Esc, '>' Return, '^' Up, and '~' leaves the field. The window has a shortcut on Esc.
    void escape_data()
    {
        testutils::columns<bool, QString, QStringList, QString, int>(
            "full", "keys", "changes", "shown", "escapes");
        using testutils::row;
        row("abandoned", true, "#7!~", QStringList(), "3", 0);
        row("typed again", true, "#7!#8~", changedPair(8, 8), "8", 0);
        row("Return commits the old value", true, "#7!>~", changedPair(3, 3), "3", 0);
        row("stepped after", true, "#7!^~", changedPair(4, 4), "4", 0);
        row("at rest: for the window", true, "!~", changedPair(3, 3), "3", 1);
        // Without full keyboard access Esc is a key like any other, and leaving commits.
        row("off", false, "#7!~", changedPair(7, 7), "7", 1);
        row("off, at rest", false, "!~", changedPair(3, 3), "3", 1);
    }
    void escape()
    {
        const auto [full, keys] = fetch<bool, QString>("full", "keys");
        corvane::setFullKeyboardAccess(full);
        for (IInputLine* row : { static_cast<IInputLine*>(new InputLineSlider(
                                     "S"_q, eRealValues | NumberFlags::PlainWrite)),
                 static_cast<IInputLine*>(new HostInputLine("L"_q)) }) {
            m_window->layout()->addWidget(row);
            row->setMaxValue(10);
            row->setValueAndInit(3, eRealValues);
            auto* field = row->findChild<LineEdit*>();
            EscCounter escapes(m_window.get());
            testutils::ChangeLog log(row);
            QVERIFY(testutils::focus(field));
            const Qt::Key specials[] = { Qt::Key_Escape, Qt::Key_Return, Qt::Key_Up };
            for (QChar key : keys) {
                if (key == QLatin1Char('#'))
                    field->selectAll();
                else if (key == QLatin1Char('~'))
                    m_window->other->setFocus();
                else
                    QTest::keyClick(field,
                        key.isDigit() ? Qt::Key(key.unicode()) : specials["!>^"_q.indexOf(key)]);
                if (key == QLatin1Char('!') && full) // editing ends: the field is at rest
                    QCOMPARE(field->getStyleType() + field->selectedText(), "transp"_q);
            }
            QTEST(log.entries, "changes");
            QTEST(field->text(), "shown");
            QTEST(escapes.count, "escapes");
            delete row;
        }
    }
};

QTEST_MAIN(tst_Keyboard)
#include "tst_keyboard.moc"
