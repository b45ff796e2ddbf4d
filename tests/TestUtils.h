#pragma once

// Helpers shared by the unit tests.

#include <QApplication>
#include <QTest>
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
inline void mouseMoveHeld(QWidget* w, QPoint pos)
{
    QMouseEvent event(QEvent::MouseMove, QPointF(pos), QPointF(w->mapToGlobal(pos)), Qt::NoButton,
        Qt::LeftButton, Qt::NoModifier);
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
