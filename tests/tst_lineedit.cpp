#include <corvane/LineEdit.h>

#include "TestUtils.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>

class TestLineEdit : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void dragStep_data();
    void dragStep();
    void verticalMoveNeverSteps();
    void eachStepNeedsNewTravel();
    void clickWithoutDragEdits();
    void tabSelectsAllClickDoesNot();
    void keyPressEntersEditing();
    void focusLostBeforeLookChanges_data();
    void focusLostBeforeLookChanges();
    void hoverShowsResizeCursorUnlessFocused();
    void receiverDeletingFieldDuringDrag();

private:
    QPoint centre() const { return QPoint(m_edit->width() / 2, m_edit->height() / 2); }
    void drag(int dx, int dy = 0)
    {
        QTest::mousePress(m_edit, Qt::LeftButton, Qt::NoModifier, centre());
        testutils::mouseMoveHeld(m_edit, centre() + QPoint(dx, dy));
    }

    QWidget* m_window = nullptr;
    LineEdit* m_edit = nullptr;
    QLineEdit* m_other = nullptr;
};

void TestLineEdit::init()
{
    m_window = new QWidget;
    auto* layout = new QVBoxLayout(m_window);
    m_edit = new LineEdit(m_window);
    m_edit->setFixedSize(120, 24);
    m_edit->setText(QStringLiteral("12345"));
    m_other = new QLineEdit(m_window);
    layout->addWidget(m_edit);
    layout->addWidget(m_other);
    m_window->move(100, 100);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    m_other->setFocus();
    QCursor::setPos(0, 0);
}

void TestLineEdit::cleanup()
{
    delete m_window;
}

void TestLineEdit::dragStep_data()
{
    QTest::addColumn<bool>("realValues");
    QTest::addColumn<double>("step");
    QTest::addColumn<int>("dx");
    QTest::addColumn<QList<double>>("expected");

    // Real values: range above 100 -> dx / 6, above 1 -> dx * 0.01, else dx / 4.
    QTest::newRow("real 10, 30 px") << true << 10.0 << 30 << QList<double> { 0.3 };
    QTest::newRow("real 10, 8 px") << true << 10.0 << 8 << QList<double> {};
    QTest::newRow("real 100, 20 px") << true << 100.0 << 20 << QList<double> { 0.2 };
    QTest::newRow("real 500, 13 px") << true << 500.0 << 13 << QList<double> { 2 };
    QTest::newRow("real 500, 9 px") << true << 500.0 << 9 << QList<double> { 1 };
    QTest::newRow("real 500, 11 px") << true << 500.0 << 11 << QList<double> { 1 };
    QTest::newRow("real 500, -9 px") << true << 500.0 << -9 << QList<double> { -1 };
    QTest::newRow("real 500, -8 px") << true << 500.0 << -8 << QList<double> {};
    QTest::newRow("real 1, 9 px") << true << 1.0 << 9 << QList<double> { 2 };
    QTest::newRow("real 0.5, -13 px") << true << 0.5 << -13 << QList<double> { -3 };
    // Integer values: a range of 1 or more steps by one, else dx / 4.
    QTest::newRow("int 100, 9 px") << false << 100.0 << 9 << QList<double> { 1 };
    QTest::newRow("int 100, 45 px") << false << 100.0 << 45 << QList<double> { 1 };
    QTest::newRow("int 1, -30 px") << false << 1.0 << -30 << QList<double> { -1 };
    QTest::newRow("int 0.5, 9 px") << false << 0.5 << 9 << QList<double> { 2 };
    QTest::newRow("never given a step, 9 px") << false << 0.0 << 9 << QList<double> { 2 };
    QTest::newRow("NaN range, 12 px") << true << qQNaN() << 12 << QList<double> { 3 };
}

void TestLineEdit::dragStep()
{
    QFETCH(bool, realValues);
    QFETCH(double, step);
    QFETCH(int, dx);
    QFETCH(QList<double>, expected);

    if (step != 0.0 || realValues)
        m_edit->setStep(step, realValues);
    QSignalSpy spy(m_edit, &LineEdit::mouseDraging);
    drag(dx);

    QCOMPARE(m_edit->cursor().shape(), Qt::BlankCursor);
    QCOMPARE(spy.count(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(spy.at(i).at(0).toDouble(), expected.at(i));
    if (!expected.isEmpty())
        QCOMPARE(QCursor::pos(), m_edit->mapToGlobal(centre()));
    else
        QCOMPARE(QCursor::pos(), QPoint(0, 0));

    QTest::mouseRelease(m_edit, Qt::LeftButton, Qt::NoModifier, centre());
    // After a drag the field rests; a press without one starts editing.
    QCOMPARE(m_edit->getStyleType(),
        expected.isEmpty() ? QStringLiteral("white") : QStringLiteral("transp"));
    QCOMPARE(m_edit->cursor().shape(), expected.isEmpty() ? Qt::ArrowCursor : Qt::SizeHorCursor);
}

void TestLineEdit::verticalMoveNeverSteps()
{
    m_edit->setStep(10, false);
    QSignalSpy spy(m_edit, &LineEdit::mouseDraging);
    drag(4, 40);
    drag(-8, -40);
    QCOMPARE(spy.count(), 0);
}

void TestLineEdit::eachStepNeedsNewTravel()
{
    m_edit->setStep(50, false);
    QSignalSpy spy(m_edit, &LineEdit::mouseDraging);
    drag(10);
    QCOMPARE(spy.count(), 1);
    // The pointer went back to the centre: 5 more pixels from there are not a step, 9 are.
    testutils::mouseMoveHeld(m_edit, centre() + QPoint(5, 0));
    QCOMPARE(spy.count(), 1);
    testutils::mouseMoveHeld(m_edit, centre() + QPoint(-9, 0));
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).toDouble(), -1.0);
    QTest::mouseRelease(m_edit, Qt::LeftButton, Qt::NoModifier, centre());
    QCOMPARE(m_edit->getStyleType(), QStringLiteral("transp"));
}

void TestLineEdit::clickWithoutDragEdits()
{
    m_edit->setStep(50, false);
    QSignalSpy spy(m_edit, &LineEdit::mouseDraging);
    QCOMPARE(m_edit->palette().color(QPalette::Text), QColor(11, 12, 13));
    QTest::mouseClick(m_edit, Qt::LeftButton, Qt::NoModifier, QPoint(4, 12));
    QCOMPARE(m_edit->getStyleType(), QStringLiteral("white"));
    // The sheet is applied again, so its rule for the new look takes effect.
    QCOMPARE(m_edit->palette().color(QPalette::Text), QColor(21, 22, 23));
    QVERIFY(m_edit->hasFocus());
    QVERIFY(!m_edit->hasSelectedText());

    // While editing, a drag selects text instead of stepping.
    QTest::mousePress(m_edit, Qt::LeftButton, Qt::NoModifier, QPoint(4, 12));
    testutils::mouseMoveHeld(m_edit, QPoint(110, 12));
    QTest::mouseRelease(m_edit, Qt::LeftButton, Qt::NoModifier, QPoint(110, 12));
    QCOMPARE(spy.count(), 0);
    QCOMPARE(m_edit->selectedText(), QStringLiteral("12345"));
    QCOMPARE(m_edit->cursor().shape(), Qt::ArrowCursor);
}

void TestLineEdit::tabSelectsAllClickDoesNot()
{
    // The Tab press moves the focus; its release reaches the field that now has it.
    QTest::keyPress(m_other, Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(m_edit->hasFocus());
    QCOMPARE(m_edit->getStyleType(), QStringLiteral("transp"));
    QTest::keyRelease(m_edit, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(m_edit->getStyleType(), QStringLiteral("white"));
    QCOMPARE(m_edit->selectedText(), QStringLiteral("12345"));

    m_other->setFocus();
    QCOMPARE(m_edit->getStyleType(), QStringLiteral("transp"));
    QTest::mouseClick(m_edit, Qt::LeftButton, Qt::NoModifier, QPoint(4, 12));
    QCOMPARE(m_edit->getStyleType(), QStringLiteral("white"));
    QVERIFY(!m_edit->hasSelectedText());
}

void TestLineEdit::keyPressEntersEditing()
{
    m_edit->setFocus();
    QCOMPARE(m_edit->getStyleType(), QStringLiteral("transp"));
    QCOMPARE(m_edit->cursor().shape(), Qt::ArrowCursor);
    QTest::keyClick(m_edit, Qt::Key_End);
    QTest::keyClick(m_edit, Qt::Key_6);
    QCOMPARE(m_edit->getStyleType(), QStringLiteral("white"));
    QCOMPARE(m_edit->text(), QStringLiteral("123456"));

    // Editing by keyboard survives a later press: the drag selects.
    QSignalSpy spy(m_edit, &LineEdit::mouseDraging);
    drag(40);
    QCOMPARE(spy.count(), 0);
    QTest::mouseRelease(m_edit, Qt::LeftButton);
}

void TestLineEdit::focusLostBeforeLookChanges_data()
{
    QTest::addColumn<bool>("editFirst");
    QTest::newRow("editing") << true;
    QTest::newRow("never edited") << false;
}

void TestLineEdit::focusLostBeforeLookChanges()
{
    QFETCH(bool, editFirst);
    m_edit->setFocus();
    if (editFirst)
        QTest::keyClick(m_edit, Qt::Key_Home);
    QStringList seen;
    QObject context;
    connect(m_edit, &LineEdit::focusLost, &context, [&](QFocusEvent* ev) {
        seen << m_edit->getStyleType();
        QCOMPARE(ev->type(), QEvent::FocusOut);
    });
    m_other->setFocus();
    QCOMPARE(seen, QStringList { editFirst ? QStringLiteral("white") : QStringLiteral("transp") });
    QCOMPARE(m_edit->getStyleType(), QStringLiteral("transp"));

    // Back at rest: a drag steps again.
    m_edit->setStep(50, false);
    QSignalSpy spy(m_edit, &LineEdit::mouseDraging);
    drag(20);
    QCOMPARE(spy.count(), 1);
    QTest::mouseRelease(m_edit, Qt::LeftButton);
}

void TestLineEdit::hoverShowsResizeCursorUnlessFocused()
{
    QTest::mouseMove(m_edit, QPoint(5, 5));
    QCOMPARE(m_edit->cursor().shape(), Qt::SizeHorCursor);
    m_edit->setFocus();
    QCOMPARE(m_edit->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(m_edit, QPoint(8, 5));
    QCOMPARE(m_edit->cursor().shape(), Qt::ArrowCursor);
    // Leaving the focus with the pointer over the field shows the drag hint again.
    m_other->setFocus();
    QCOMPARE(m_edit->cursor().shape(), Qt::SizeHorCursor);
}

void TestLineEdit::receiverDeletingFieldDuringDrag()
{
    m_edit->setStep(50, false);
    QPointer<LineEdit> field(m_edit);
    connect(m_edit, &LineEdit::mouseDraging, this, [&] { delete m_edit; });
    QTest::mousePress(m_edit, Qt::LeftButton, Qt::NoModifier, centre());
    testutils::mouseMoveHeld(m_edit, QPoint(110, 12));
    QVERIFY(field.isNull());
    QTest::mouseRelease(m_window, Qt::LeftButton);
}

QTEST_MAIN(TestLineEdit)
#include "tst_lineedit.moc"
