#pragma once

// Helpers shared by the unit tests.

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>

#include <tuple>

// "text"_q: a QString from a UTF-8 literal, short enough to keep a data row on one line (the
// project builds with QT_NO_CAST_FROM_ASCII).
inline QString operator""_q(const char* text, std::size_t size)
{
    return QString::fromUtf8(text, int(size));
}

namespace testutils {

// Adds a data column per name, of the types in order: columns<int, QString>("flags", "text").
template<class... T, class... Names> void columns(Names... names)
{
    static_assert(sizeof...(T) == sizeof...(Names), "one type per column");
    (QTest::addColumn<T>(names), ...);
}

// QFETCH for several columns at once: auto [flags, text] = fetch<int, QString>("flags", "text").
template<class... T, class... Names> std::tuple<T...> fetch(Names... names)
{
    static_assert(sizeof...(T) == sizeof...(Names), "one type per column");
    return std::tuple<T...>(*static_cast<T*>(QTest::qData(names, qMetaTypeId<T>()))...);
}

// Turns the wheel over `w` as the platform would. QApplication only propagates wheel events
// from a child to its parents when they are spontaneous, so the event is marked as such and
// handed to notify() directly, as QTest does for key events (sendEvent() would clear the mark).
inline bool sendWheel(QWidget* w, int angleDelta, QPoint pos = QPoint(2, 2))
{
    const QPointF local(pos);
    const QPointF global(w->mapToGlobal(pos));
    QWheelEvent event(local, global, QPoint(), QPoint(0, angleDelta), Qt::NoButton, Qt::NoModifier,
        Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&event);
    qApp->notify(w, &event);
    return event.isAccepted();
}

} // namespace testutils

// --- numeric rows ---
#include <corvane/InputLine.h>
#include <corvane/InputLineSlider.h>

#include <QLineEdit>
#include <QMouseEvent>
#include <QStringList>
#include <QVBoxLayout>

// The host supplies the layout option that InputLine leaves open.
struct HostInputLine : InputLine
{
    using InputLine::InputLine;
    void setTwoLines(bool) override { }
};

namespace testutils {

// A top-level window whose layout stacks a plain field, `other`, that takes the focus away, above
// the widget under test; more widgets go into its layout.
struct HostWindow : QWidget
{
    explicit HostWindow(QWidget* w = nullptr)
    {
        auto* column = new QVBoxLayout(this);
        column->addWidget(other);
        if (w)
            column->addWidget(w);
    }
    // Shows the window and waits until it is the active one.
    bool showActive()
    {
        show();
        activateWindow();
        return QTest::qWaitForWindowActive(this);
    }
    QLineEdit* other = new QLineEdit(this);
};

// Moves the pointer over `w` with the left button held, as the platform reports a drag.
// QTest::mouseMove cannot be used for this: on Qt 5 it only warps the cursor, and the move the
// platform then reports carries no buttons.
inline void mouseMoveHeld(QWidget* w, QPoint pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent event(QEvent::MouseMove, QPointF(pos), QPointF(w->mapToGlobal(pos)), Qt::NoButton,
        Qt::LeftButton, modifiers);
    QSpontaneKeyEvent::setSpontaneous(&event);
    qApp->notify(w, &event);
}

// Replaces the text of `field` by typing `text`, then presses Return.
inline void typeAndReturn(QLineEdit* field, const QString& text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

// Every changed(int) / changed(float) of a numeric row, in order, as "i:<int>" and "f:<float>".
struct ChangeLog : QObject
{
    explicit ChangeLog(QObject* row)
    {
        if (auto* line = qobject_cast<InputLine*>(row))
            listen(line);
        else
            listen(qobject_cast<InputLineSlider*>(row));
    }
    template<class Row> void listen(Row* row)
    {
        connect(row, qOverload<int>(&Row::changed), this,
            [this](int v) { entries << QStringLiteral("i:%1").arg(v); });
        connect(row, qOverload<float>(&Row::changed), this,
            [this](float v) { entries << QStringLiteral("f:%1").arg(double(v), 0, 'g', 7); });
    }
    QStringList entries;
};

// The log entries of one changed(int), changed(float) pair.
inline QStringList changedPair(int i, double f)
{
    return { QStringLiteral("i:%1").arg(i), QStringLiteral("f:%1").arg(float(f), 0, 'g', 7) };
}

} // namespace testutils

// --- value controls ---

namespace testutils {

// Hands the next modal dialog of class `Dialog`, from inside its own event loop, to `action`, which
// must close it. The watch ends with `context`.
template<class Dialog, class Action> void onModal(QObject* context, Action action)
{
    auto* timer = new QTimer(context);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            timer->stop();
            action(dialog);
        }
    });
    timer->start(10);
}

// Gives `w` the focus and waits until it has it.
inline bool focus(QWidget* w)
{
    w->setFocus();
    return QTest::qWaitFor([w] { return w->hasFocus(); });
}

} // namespace testutils

// --- messages ---

namespace testutils {

// Every message Qt prints while it lives, as "<type> <category>: <text>" ("warning default: ..."),
// instead of printing them.
struct MessageLog
{
    MessageLog()
        : m_outer(current())
        , m_previous(qInstallMessageHandler(record))
    {
        current() = this;
    }
    ~MessageLog()
    {
        qInstallMessageHandler(m_previous);
        current() = m_outer;
    }
    MessageLog(MessageLog const&) = delete;
    MessageLog& operator=(MessageLog const&) = delete;

    QStringList messages;

private:
    static MessageLog*& current()
    {
        static MessageLog* log = nullptr;
        return log;
    }
    static void record(QtMsgType type, QMessageLogContext const& context, QString const& text)
    {
        static const char* const types[] = { "debug", "warning", "critical", "fatal", "info" };
        current()->messages << QStringLiteral("%1 %2: %3")
                                   .arg(QLatin1String(types[type]),
                                       QLatin1String(context.category ? context.category : ""),
                                       text);
    }

    MessageLog* m_outer;
    QtMessageHandler m_previous;
};

} // namespace testutils

// --- accessibility ---
#include <QAccessible>
#include <QMetaEnum>

namespace testutils {

// "<Role> <name>" of an interface, as a screen reader announces it first.
inline QString roleAndName(QAccessibleInterface* i)
{
    return QString::fromLatin1(QMetaEnum::fromType<QAccessible::Role>().valueToKey(i->role()))
        + QLatin1Char(' ') + i->text(QAccessible::Name);
}

// What an assistive technology hears of an interface, in one line: "<Role> <name>", then as far
// as there is any: " = <value text>", " [<value> in <minimum>..<maximum> by <step>]",
// " {<states>}", " (<description>)", " <<shortcut>>".
inline QString heard(QAccessibleInterface* i)
{
    if (!i)
        return QStringLiteral("none");
    QString line = roleAndName(i);
    if (!i->text(QAccessible::Value).isEmpty())
        line += QStringLiteral(" = ") + i->text(QAccessible::Value);
    if (QAccessibleValueInterface* v = i->valueInterface())
        line += QStringLiteral(" [%1 in %2..%3 by %4]")
                    .arg(v->currentValue().toString(), v->minimumValue().toString(),
                        v->maximumValue().toString(), v->minimumStepSize().toString());
    const QAccessible::State s = i->state();
    QStringList states;
    for (auto [on, name] : { std::pair(s.disabled, "disabled"), std::pair(s.invisible, "invisible"),
             std::pair(s.checkable, "checkable"), std::pair(s.checked, "checked"),
             std::pair(s.selected, "selected"), std::pair(s.focused, "focused") }) {
        if (on)
            states << QLatin1String(name);
    }
    if (!states.isEmpty())
        line += QStringLiteral(" {") + states.join(QLatin1Char(' ')) + QLatin1Char('}');
    if (!i->text(QAccessible::Description).isEmpty())
        line += QStringLiteral(" (") + i->text(QAccessible::Description) + QLatin1Char(')');
    if (!i->text(QAccessible::Accelerator).isEmpty())
        line += QStringLiteral(" <") + i->text(QAccessible::Accelerator) + QLatin1Char('>');
    return line;
}

inline QString heard(QObject* o)
{
    return heard(o ? QAccessible::queryAccessibleInterface(o) : nullptr);
}

} // namespace testutils

// --- data rows (added with the controls tests' condensing) ---

namespace testutils {

// A data cell as its column holds it: a text literal becomes a QString.
template<class T> const T& cell(const T& value)
{
    return value;
}
inline QString cell(const char* text)
{
    return QString::fromUtf8(text);
}

// Adds a row of cells in column order: row("name", 1, "text") for an int and a QString column.
// Every cell must have its column's type exactly, as QTest checks.
template<class... T> void row(const char* name, const T&... cells)
{
    (QTest::newRow(name) << ... << cell(cells));
}

} // namespace testutils
