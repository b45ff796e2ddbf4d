#include <corvane/ImageViewer.h>

#include <QTest>
#include <QVector>

class tst_ImageViewer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void scaling_data();
    void scaling();
    void threeArgumentSetImage_data();
    void threeArgumentSetImage();
    void records();
    void drawingOffset_data();
    void drawingOffset();
    void autoResize();
    void styleType();
};

static QImage filled(QSize size, QRgb colour = qRgb(250, 0, 0))
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

static sImage record(const QImage& image)
{
    return sImage { reinterpret_cast<const quint32*>(image.constBits()), image.width(),
        image.height() };
}

void tst_ImageViewer::scaling_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QSize>("target");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("stored"); // empty: nothing stored

    QTest::newRow("width shrinks") << 0 << QSize(200, 0) << QSize(400, 300) << QSize(200, 150);
    QTest::newRow("width never enlarges") << 0 << QSize(200, 0) << QSize(100, 80) << QSize(100, 80);
    QTest::newRow("height shrinks") << 1 << QSize(0, 100) << QSize(300, 400) << QSize(75, 100);
    QTest::newRow("height never enlarges") << 1 << QSize(0, 100) << QSize(30, 50) << QSize(30, 50);
    QTest::newRow("size enlarges") << 2 << QSize(200, 200) << QSize(100, 50) << QSize(200, 100);
    QTest::newRow("size shrinks") << 2 << QSize(200, 200) << QSize(800, 1600) << QSize(100, 200);
    QTest::newRow("no scale") << 3 << QSize() << QSize(640, 10) << QSize(640, 10);
    QTest::newRow("zero target") << 0 << QSize(0, 0) << QSize(40, 40) << QSize();
    QTest::newRow("negative target") << 2 << QSize(-5, 100) << QSize(40, 40) << QSize();
    QTest::newRow("null picture") << 2 << QSize(10, 10) << QSize() << QSize();
}

void tst_ImageViewer::scaling()
{
    QFETCH(int, mode);
    QFETCH(QSize, target);
    QFETCH(QSize, picture);
    QFETCH(QSize, stored);

    ImageViewer viewer(nullptr);
    if (mode == ImageViewer::eScaleToWidth)
        viewer.setScaledToWidth(target.width());
    else if (mode == ImageViewer::eScaleToHeight)
        viewer.setScaledToHeight(target.height());
    else if (mode == ImageViewer::eScaleToSize)
        viewer.setScaledTo(target.width(), target.height());

    viewer.setImage(picture.isEmpty() ? QImage() : filled(picture));
    QCOMPARE(viewer.getImage().isNull(), stored.isEmpty());
    if (!stored.isEmpty())
        QCOMPARE(viewer.getImage().size(), stored);
}

void tst_ImageViewer::threeArgumentSetImage_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("first"); // of a 100 x 100 picture
    QTest::addColumn<QSize>("second"); // of a 400 x 200 picture, with the mode kept

    // The viewer starts out scaling to width 50.
    QTest::newRow("no scale keeps width 50")
        << 3 << QSize(300, 300) << QSize(50, 50) << QSize(50, 25);
    QTest::newRow("unknown keeps width 50")
        << 17 << QSize(300, 300) << QSize(50, 50) << QSize(50, 25);
    QTest::newRow("size takes both") << 2 << QSize(300, 30) << QSize(30, 30) << QSize(60, 30);
    QTest::newRow("height takes the height") << 1 << QSize(7, 40) << QSize(40, 40) << QSize(80, 40);
    QTest::newRow("width takes the width") << 0 << QSize(80, 7) << QSize(80, 80) << QSize(80, 40);
}

void tst_ImageViewer::threeArgumentSetImage()
{
    QFETCH(int, mode);
    QFETCH(QSize, size);
    QFETCH(QSize, first);
    QFETCH(QSize, second);

    ImageViewer viewer(nullptr);
    viewer.setScaledToWidth(50);
    const QImage square = filled(QSize(100, 100));
    viewer.setImage(record(square), static_cast<ImageViewer::eTypeScale>(mode), size);
    QCOMPARE(viewer.getImage().size(), first);
    const QImage wide = filled(QSize(400, 200));
    viewer.setImage(record(wide));
    QCOMPARE(viewer.getImage().size(), second);
}

void tst_ImageViewer::records()
{
    QVector<quint32> pixels(6, 0xff102030u);
    pixels[4] = 0x80ff0000u; // half transparent red, not premultiplied
    ImageViewer viewer(nullptr);
    viewer.resize(20, 20);
    viewer.setImage(sImage { pixels.constData(), 3, 2 });
    const QImage shown = viewer.getImage();
    QCOMPARE(shown.size(), QSize(3, 2));
    QCOMPARE(shown.pixel(1, 1), 0x80ff0000u);
    QCOMPARE(shown.pixel(0, 0), 0xff102030u);
    QCOMPARE(shown.constBits(), reinterpret_cast<const uchar*>(pixels.constData())); // no copy

    // Records that describe no picture show none.
    for (const sImage& bad : { sImage(), sImage { nullptr, 3, 2 },
             sImage { pixels.constData(), 0, 2 }, sImage { pixels.constData(), 3, -2 } }) {
        viewer.setImage(filled(QSize(5, 5)));
        viewer.setImage(bad);
        QVERIFY(viewer.getImage().isNull());
        viewer.grab();
    }
}

void tst_ImageViewer::drawingOffset_data()
{
    QTest::addColumn<QSize>("viewerSize");
    QTest::addColumn<QPoint>("origin"); // of a 100 x 100 picture

    QTest::newRow("300x200 centres") << QSize(300, 200) << QPoint(100, 50);
    QTest::newRow("101x101: one pixel slack") << QSize(101, 101) << QPoint(0, 0);
    QTest::newRow("102x103") << QSize(102, 103) << QPoint(1, 1);
    QTest::newRow("smaller than the picture") << QSize(50, 40) << QPoint(0, 0);
}

void tst_ImageViewer::drawingOffset()
{
    QFETCH(QSize, viewerSize);
    QFETCH(QPoint, origin);

    const QRgb red = qRgb(250, 0, 0);
    ImageViewer viewer(nullptr);
    viewer.setStyleSheet(QStringLiteral("ImageViewer { background: rgb(0, 0, 250); }"));
    viewer.resize(viewerSize);
    viewer.setImage(filled(QSize(100, 100), red));

    const QImage shot = viewer.grab().toImage();
    const QRect drawn = QRect(origin, QSize(100, 100)) & shot.rect();
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            if ((shot.pixel(x, y) == red) != drawn.contains(x, y))
                QFAIL(qPrintable(QStringLiteral("wrong pixel at (%1, %2)").arg(x).arg(y)));
        }
    }

    // Without a picture the next paint shows nothing of the old one.
    viewer.removeImage();
    QVERIFY(viewer.getImage().isNull());
    QVERIFY(viewer.grab().toImage().pixel(drawn.topLeft()) != red);
}

void tst_ImageViewer::autoResize()
{
    ImageViewer viewer(nullptr);
    viewer.resize(100, 100);
    viewer.setImage(filled(QSize(640, 480)));
    viewer.grab();
    QCOMPARE(viewer.minimumSize(), QSize(0, 0));

    viewer.setAutoResize(true);
    QCOMPARE(viewer.minimumSize(), QSize(0, 0)); // from the next paint on
    viewer.grab();
    QCOMPARE(viewer.minimumSize(), QSize(640, 480));

    viewer.setImage(filled(QSize(20, 30)));
    viewer.grab();
    QCOMPARE(viewer.minimumSize(), QSize(20, 30));
}

void tst_ImageViewer::styleType()
{
    ImageViewer viewer(nullptr);
    QCOMPARE(viewer.property("style_type").toString(), QString());
    QVERIFY(viewer.styleSheet().isEmpty());

    viewer.resize(10, 10);
    viewer.addTransparent();
    QCOMPARE(viewer.property("style_type").toString(), QStringLiteral("checkers"));
    QVERIFY(viewer.autoFillBackground());
    // The test sheet gives the variant a colour of its own.
    QCOMPARE(viewer.grab().toImage().pixel(5, 5), qRgb(12, 34, 56));
}

QTEST_MAIN(tst_ImageViewer)
#include "tst_imageviewer.moc"
