#include <corvane/ImageViewer.h>

#include <QPainter>
#include <QTest>
#include <QVector>

class tst_ImageViewer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void scaling_data();
    void scaling();
    void drawing_data();
    void drawing();
};

void tst_ImageViewer::scaling_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("stored"); // empty: nothing stored

    // The viewer starts out scaling to width 50.
    QTest::newRow("width shrinks") << 0 << QSize(200, 7) << QSize(400, 300) << QSize(200, 150);
    QTest::newRow("width never enlarges") << 0 << QSize(200, 7) << QSize(100, 80) << QSize(100, 80);
    QTest::newRow("height shrinks") << 1 << QSize(7, 100) << QSize(300, 400) << QSize(75, 100);
    QTest::newRow("size enlarges") << 2 << QSize(200, 200) << QSize(100, 50) << QSize(200, 100);
    QTest::newRow("size shrinks") << 2 << QSize(300, 30) << QSize(800, 1600) << QSize(15, 30);
    QTest::newRow("no scale keeps width 50") << 3 << QSize(9, 9) << QSize(100, 80) << QSize(50, 40);
}

void tst_ImageViewer::scaling()
{
    QFETCH(int, mode);
    QFETCH(QSize, size);
    QFETCH(QSize, picture);
    QFETCH(QSize, stored);

    const QVector<quint32> pixels(800 * 1600, 0xff102030u);
    ImageViewer viewer(nullptr);
    viewer.setScaledToWidth(50);
    viewer.setImage(sImage { pixels.constData(), picture.width(), picture.height() },
        static_cast<ImageViewer::eTypeScale>(mode), size);
    QCOMPARE(viewer.getImage().size(), stored.isEmpty() ? QSize(0, 0) : stored);
}

void tst_ImageViewer::drawing_data()
{
    QTest::addColumn<QSize>("viewerSize");
    QTest::addColumn<QPoint>("origin"); // of a 100 x 100 picture

    QTest::newRow("300x200 centres") << QSize(300, 200) << QPoint(100, 50);
    QTest::newRow("101x101: one pixel slack") << QSize(101, 101) << QPoint(0, 0);
    QTest::newRow("smaller than the picture") << QSize(50, 40) << QPoint(0, 0);
}

void tst_ImageViewer::drawing()
{
    QFETCH(QSize, viewerSize);
    QFETCH(QPoint, origin);

    QImage picture(100, 100, QImage::Format_ARGB32);
    picture.fill(qRgb(250, 0, 0));
    QPainter(&picture).fillRect(0, 0, 10, 10, Qt::blue); // marks the top left corner
    ImageViewer viewer(nullptr);
    viewer.resize(viewerSize);
    viewer.addTransparent();
    viewer.setImage(picture);

    QImage expected(viewerSize, QImage::Format_RGB32);
    expected.fill(qRgb(12, 34, 56)); // the test sheet's background for "checkers"
    QPainter(&expected).drawImage(origin, picture);
    QCOMPARE(viewer.grab().toImage().convertToFormat(QImage::Format_RGB32), expected);
    viewer.setAutoResize(true);
    viewer.grab();
    QCOMPARE(viewer.minimumSize(), QSize(100, 100));
}

QTEST_MAIN(tst_ImageViewer)
#include "tst_imageviewer.moc"
