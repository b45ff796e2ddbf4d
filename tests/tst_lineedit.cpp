#include <corvane/LineEdit.h>

#include "TestUtils.h"

#include <QSignalSpy>

using Ints = QList<int>;
using Steps = QList<double>;

// Also run as the test "tst_lineedit_nowarp" on the "minimal" platform, which like Wayland cannot
// move the pointer: there each step is measured from where the previous one was taken.
class TestLineEdit : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void pointer_data();
    void pointer();

private:
    QPoint centre() const { return QPoint(m_edit->width() / 2, m_edit->height() / 2); }
    std::unique_ptr<testutils::HostWindow> m_window;
    LineEdit* m_edit = nullptr;
    bool m_warps = true;
};

void TestLineEdit::init()
{
    m_window.reset(new testutils::HostWindow);
    m_edit = new LineEdit(m_window.get());
    m_window->layout()->addWidget(m_edit);
    m_edit->setFixedSize(120, 24);
    m_edit->setText("12345"_q);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    m_window->other->setFocus();
    QCursor::setPos(1, 2);
    m_warps = QCursor::pos() == QPoint(1, 2);
    QCOMPARE(m_warps, QGuiApplication::platformName() != "minimal"_q);
}

void TestLineEdit::pointer_data()
{
    QTest::addColumn<int>("before"); // 1: click, 2: key press, 3: Tab arrival (else none)
    QTest::addColumn<bool>("realValues");
    QTest::addColumn<double>("step"); // 0: never given
    QTest::addColumn<Ints>("moves"); // pointer x of each held move, from the centre
    QTest::addColumn<Steps>("steps");
    QTest::addColumn<Steps>("stepsWithoutWarp"); // if they differ

    // Real values: a range above 100 steps by dx / 6, above 1 by dx * 0.01, else by dx / 4.
    QTest::newRow("real 10: 30") << 0 << true << 10.0 << Ints { 30 } << Steps { 0.3 } << Steps {};
    QTest::newRow("real 10: 8") << 0 << true << 10.0 << Ints { 8 } << Steps {} << Steps {};
    QTest::newRow("real 100: 20") << 0 << true << 100.0 << Ints { 20 } << Steps { 0.2 } << Steps {};
    QTest::newRow("real 500: 13") << 0 << true << 500.0 << Ints { 13 } << Steps { 2 } << Steps {};
    QTest::newRow("real 500: 9") << 0 << true << 500.0 << Ints { 9 } << Steps { 1 } << Steps {};
    QTest::newRow("real 500: -9") << 0 << true << 500.0 << Ints { -9 } << Steps { -1 } << Steps {};
    QTest::newRow("real 1: 9") << 0 << true << 1.0 << Ints { 9 } << Steps { 2 } << Steps {};
    // Integer values: a range of 1 or more steps by one, a smaller one (or none) by dx / 4.
    QTest::newRow("int 100: 45") << 0 << false << 100.0 << Ints { 45 } << Steps { 1 } << Steps {};
    QTest::newRow("int 1: -30") << 0 << false << 1.0 << Ints { -30 } << Steps { -1 } << Steps {};
    QTest::newRow("int 0.5: 9") << 0 << false << 0.5 << Ints { 9 } << Steps { 2 } << Steps {};
    QTest::newRow("no step given") << 0 << false << 0.0 << Ints { 9 } << Steps { 2 } << Steps {};
    // Each step needs 9 more pixels from the centre, or from the last step without warping.
    QTest::newRow("steps in a row")
        << 0 << false << 50.0 << Ints { 10, 19, 10, 5 } << Steps { 1, 1, 1 } << Steps { 1, 1, -1 };
    // While editing, a drag selects text instead of stepping.
    QTest::newRow("after a click") << 1 << false << 50.0 << Ints { -55 } << Steps {} << Steps {};
    QTest::newRow("after a key") << 2 << false << 50.0 << Ints { -55 } << Steps {} << Steps {};
    QTest::newRow("after Tab") << 3 << false << 50.0 << Ints { -55 } << Steps {} << Steps {};
}

void TestLineEdit::pointer()
{
    QFETCH(int, before);
    QFETCH(bool, realValues);
    QFETCH(double, step);
    QFETCH(Ints, moves);
    QFETCH(Steps, steps);
    QFETCH(Steps, stepsWithoutWarp);

    if (step > 0)
        m_edit->setStep(step, realValues);
    if (before == 1)
        QTest::mouseClick(m_edit, Qt::LeftButton, Qt::NoModifier, centre());
    else if (before > 1)
        m_edit->setFocus(); // which alone starts no editing
    if (before == 2)
        QTest::keyClick(m_edit, Qt::Key_End);
    if (before == 3) // the release of the Tab that brought the focus arrives here
        QTest::keyRelease(m_edit, Qt::Key_Tab);
    QCOMPARE(m_edit->getStyleType(), before ? "white"_q : "transp"_q);
    QCOMPARE(m_edit->selectedText(), before == 3 ? "12345"_q : QString());

    QSignalSpy spy(m_edit, &LineEdit::mouseDraging);
    QTest::mousePress(m_edit, Qt::LeftButton, Qt::NoModifier, centre());
    for (int dx : moves)
        testutils::mouseMoveHeld(m_edit, centre() + QPoint(dx, 0));
    Steps seen;
    for (const QList<QVariant>& args : spy)
        seen << args.at(0).toDouble();
    QCOMPARE(seen, m_warps || stepsWithoutWarp.isEmpty() ? steps : stepsWithoutWarp);
    QCOMPARE(m_edit->hasSelectedText(), before > 0);
    QCOMPARE(m_edit->cursor().shape(), before ? Qt::ArrowCursor : Qt::BlankCursor);
    const bool dragged = !steps.isEmpty();
    if (m_warps) // back to the centre after a step, left alone otherwise
        QCOMPARE(QCursor::pos(), dragged ? m_edit->mapToGlobal(centre()) : QPoint(1, 2));

    // After a drag the field rests; a press without one starts editing.
    QTest::mouseRelease(m_edit, Qt::LeftButton, Qt::NoModifier, centre());
    const QString look = dragged ? "transp"_q : "white"_q;
    QCOMPARE(m_edit->getStyleType(), look);
    QCOMPARE(m_edit->cursor().shape(), dragged ? Qt::SizeHorCursor : Qt::ArrowCursor);

    // Focus out announces itself before the look changes, and ends any editing.
    QStringList looks;
    QObject context;
    connect(m_edit, &LineEdit::focusLost, &context, [&] { looks << m_edit->getStyleType(); });
    m_window->other->setFocus();
    QCOMPARE(looks, QStringList { look });
    QCOMPARE(m_edit->getStyleType(), "transp"_q);
    QTest::mousePress(m_edit, Qt::LeftButton, Qt::NoModifier, centre());
    testutils::mouseMoveHeld(m_edit, centre() + QPoint(-30, 0));
    QCOMPARE(spy.count(), int(seen.size()) + 1);
    QTest::mouseRelease(m_edit, Qt::LeftButton, Qt::NoModifier, centre());
}

QTEST_MAIN(TestLineEdit)
#include "tst_lineedit.moc"
