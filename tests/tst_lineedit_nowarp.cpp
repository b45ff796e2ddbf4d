#include <corvane/LineEdit.h>

#include "TestUtils.h"

#include <QSignalSpy>

// Runs on the "minimal" platform, which like Wayland cannot move the pointer: each drag step is
// then measured from where the previous one was taken, since the pointer stays there.
class TestLineEditNoWarp : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void stepsFromLastStep();
};

void TestLineEditNoWarp::stepsFromLastStep()
{
    LineEdit edit;
    edit.setFixedSize(120, 24);
    edit.setStep(50, false);
    edit.show();
    const QPoint centre(60, 12);
    const QPoint pointer = QCursor::pos();
    QCursor::setPos(edit.mapToGlobal(centre));
    if (QCursor::pos() != pointer)
        QSKIP("This platform moves the pointer after all");

    QSignalSpy spy(&edit, &LineEdit::mouseDraging);
    QTest::mousePress(&edit, Qt::LeftButton, Qt::NoModifier, centre);
    const QList<int> xs { 72, 72, 80, 81, 75, 72, 50 };
    for (int x : xs)
        testutils::mouseMoveHeld(&edit, QPoint(x, 12));
    QCOMPARE(QCursor::pos(), pointer);
    QList<double> deltas;
    for (const QList<QVariant>& args : spy)
        deltas << args.at(0).toDouble();
    // 72: 12 from the centre; 81: 9 from 72; 72: 9 back from 81; 50: 22 back from 72.
    QCOMPARE(deltas, (QList<double> { 1, 1, -1, -1 }));
    QTest::mouseRelease(&edit, Qt::LeftButton, Qt::NoModifier, QPoint(50, 12));
    QCOMPARE(edit.getStyleType(), QStringLiteral("transp"));

    // A new drag starts from the centre again.
    spy.clear();
    QTest::mousePress(&edit, Qt::LeftButton, Qt::NoModifier, centre);
    testutils::mouseMoveHeld(&edit, QPoint(52, 12));
    QCOMPARE(spy.count(), 0);
    testutils::mouseMoveHeld(&edit, QPoint(51, 12));
    QCOMPARE(spy.count(), 1);
    QTest::mouseRelease(&edit, Qt::LeftButton, Qt::NoModifier, QPoint(51, 12));
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "minimal");
    QApplication app(argc, argv);
    TestLineEditNoWarp test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_lineedit_nowarp.moc"
