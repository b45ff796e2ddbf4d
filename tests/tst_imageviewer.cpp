#include <corvane/ImageViewer.h>

#include <QSignalSpy>
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
    void recordPixelsAreNotCopied();
    void badRecords_data();
    void badRecords();
    void drawingOffset_data();
    void drawingOffset();
    void autoResize();
    void removeImage();
    void transparentStyle();
};

static QImage filled(int width, int height, QRgb colour = qRgb(200, 30, 40))
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

enum Setup { NoScale, ToWidth, ToHeight, ToSize };

void tst_ImageViewer::scaling_data()
{
    QTest::addColumn<int>("setup");
    QTest::addColumn<QSize>("target");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("stored");

    QTest::newRow("width: wider is shrunk")
        << int(ToWidth) << QSize(200, 0) << QSize(400, 300) << QSize(200, 150);
    QTest::newRow("width: narrower stays")
        << int(ToWidth) << QSize(200, 0) << QSize(100, 80) << QSize(100, 80);
    QTest::newRow("height: taller is shrunk")
        << int(ToHeight) << QSize(0, 100) << QSize(300, 400) << QSize(75, 100);
    QTest::newRow("height: shorter stays")
        << int(ToHeight) << QSize(0, 100) << QSize(300, 50) << QSize(300, 50);
    QTest::newRow("size: enlarged")
        << int(ToSize) << QSize(200, 200) << QSize(100, 50) << QSize(200, 100);
    QTest::newRow("size: shrunk") << int(ToSize) << QSize(200, 200) << QSize(800, 1600)
                                  << QSize(100, 200);
    QTest::newRow("no scale") << int(NoScale) << QSize() << QSize(640, 10) << QSize(640, 10);
    QTest::newRow("zero target shows nothing")
        << int(ToWidth) << QSize(0, 0) << QSize(40, 40) << QSize();
    QTest::newRow("negative target shows nothing")
        << int(ToSize) << QSize(-5, 100) << QSize(40, 40) << QSize();
}

void tst_ImageViewer::scaling()
{
    QFETCH(int, setup);
    QFETCH(QSize, target);
    QFETCH(QSize, picture);
    QFETCH(QSize, stored);

    ImageViewer viewer(nullptr);
    if (setup == ToWidth)
        viewer.setScaledToWidth(target.width());
    else if (setup == ToHeight)
        viewer.setScaledToHeight(target.height());
    else if (setup == ToSize)
        viewer.setScaledTo(target.width(), target.height());

    viewer.setImage(filled(picture.width(), picture.height()));
    const QImage image = viewer.getImage();
    QCOMPARE(image.isNull(), stored.isEmpty());
    if (!stored.isEmpty())
        QCOMPARE(image.size(), stored);
}

void tst_ImageViewer::threeArgumentSetImage_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("first");
    QTest::addColumn<QSize>("second");

    // The viewer starts scaling to width 50; the pictures are 100 x 100, then 400 x 200.
    QTest::newRow("no scale keeps the width mode")
        << int(ImageViewer::eNoScale) << QSize(300, 300) << QSize(50, 50) << QSize(50, 25);
    QTest::newRow("unknown mode keeps the width mode")
        << 17 << QSize(300, 300) << QSize(50, 50) << QSize(50, 25);
    QTest::newRow("to size takes both")
        << int(ImageViewer::eScaleToSize) << QSize(300, 30) << QSize(30, 30) << QSize(60, 30);
    QTest::newRow("to height takes only the height")
        << int(ImageViewer::eScaleToHeight) << QSize(7, 40) << QSize(40, 40) << QSize(80, 40);
    QTest::newRow("to width takes only the width")
        << int(ImageViewer::eScaleToWidth) << QSize(80, 7) << QSize(80, 80) << QSize(80, 40);
}

void tst_ImageViewer::threeArgumentSetImage()
{
    QFETCH(int, mode);
    QFETCH(QSize, size);
    QFETCH(QSize, first);
    QFETCH(QSize, second);

    ImageViewer viewer(nullptr);
    viewer.setScaledToWidth(50);
    const QImage square = filled(100, 100);
    const sImage record { reinterpret_cast<const quint32*>(square.constBits()), 100, 100 };
    viewer.setImage(record, static_cast<ImageViewer::eTypeScale>(mode), size);
    QCOMPARE(viewer.getImage().size(), first);

    // Mode and targets persist for the next picture.
    const QImage wide = filled(400, 200);
    viewer.setImage(sImage { reinterpret_cast<const quint32*>(wide.constBits()), 400, 200 });
    QCOMPARE(viewer.getImage().size(), second);
}

void tst_ImageViewer::recordPixelsAreNotCopied()
{
    QVector<quint32> pixels(6, 0xff102030u);
    pixels[4] = 0x80ff0000u; // half transparent red, not premultiplied

    ImageViewer viewer(nullptr);
    viewer.setImage(sImage { pixels.constData(), 3, 2 });
    QImage shown = viewer.getImage();
    QCOMPARE(shown.size(), QSize(3, 2));
    QCOMPARE(shown.format(), QImage::Format_ARGB32);
    QCOMPARE(shown.pixel(1, 1), 0x80ff0000u);
    QCOMPARE(shown.pixel(0, 0), 0xff102030u);
    // The stored picture still reads the caller's buffer.
    QCOMPARE(shown.constBits(), reinterpret_cast<const uchar*>(pixels.constData()));
}

void tst_ImageViewer::badRecords_data()
{
    QTest::addColumn<bool>("withData");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");

    QTest::newRow("null pixels") << false << 4 << 4;
    QTest::newRow("zero width") << true << 0 << 4;
    QTest::newRow("negative height") << true << 4 << -3;
    QTest::newRow("default record") << false << 0 << 0;
}

void tst_ImageViewer::badRecords()
{
    QFETCH(bool, withData);
    QFETCH(int, width);
    QFETCH(int, height);

    QVector<quint32> pixels(16, 0xffffffffu);
    ImageViewer viewer(nullptr);
    viewer.resize(50, 50);
    viewer.setImage(filled(10, 10));
    viewer.setImage(sImage { withData ? pixels.constData() : nullptr, width, height });
    QVERIFY(viewer.getImage().isNull());
    viewer.grab(); // paints without a picture
}

void tst_ImageViewer::drawingOffset_data()
{
    QTest::addColumn<QSize>("viewerSize");
    QTest::addColumn<QSize>("pictureSize");
    QTest::addColumn<QPoint>("origin");

    QTest::newRow("300x200 centres") << QSize(300, 200) << QSize(100, 100) << QPoint(100, 50);
    QTest::newRow("101x101 one pixel slack") << QSize(101, 101) << QSize(100, 100) << QPoint(0, 0);
    QTest::newRow("102x103 halves") << QSize(102, 103) << QSize(100, 100) << QPoint(1, 1);
    QTest::newRow("larger picture from the edge")
        << QSize(50, 40) << QSize(100, 100) << QPoint(0, 0);
}

void tst_ImageViewer::drawingOffset()
{
    QFETCH(QSize, viewerSize);
    QFETCH(QSize, pictureSize);
    QFETCH(QPoint, origin);

    const QRgb red = qRgb(250, 0, 0);
    ImageViewer viewer(nullptr);
    viewer.setStyleSheet(QStringLiteral("ImageViewer { background: rgb(0, 0, 250); }"));
    viewer.resize(viewerSize);
    viewer.setImage(filled(pictureSize.width(), pictureSize.height(), red));

    const QImage shot = viewer.grab().toImage();
    QCOMPARE(shot.size(), viewerSize);
    const QRect drawn = QRect(origin, pictureSize).intersected(QRect(QPoint(), viewerSize));
    for (int y = 0; y < viewerSize.height(); ++y) {
        for (int x = 0; x < viewerSize.width(); ++x) {
            const bool inside = drawn.contains(x, y);
            if ((shot.pixel(x, y) == red) != inside)
                QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) should %3be the picture")
                                     .arg(x)
                                     .arg(y)
                                     .arg(inside ? QString() : QStringLiteral("not "))));
        }
    }
}

void tst_ImageViewer::autoResize()
{
    ImageViewer viewer(nullptr);
    viewer.resize(100, 100);
    viewer.setImage(filled(640, 480));
    viewer.grab();
    QCOMPARE(viewer.minimumSize(), QSize(0, 0)); // off by default

    viewer.setAutoResize(true);
    QCOMPARE(viewer.minimumSize(), QSize(0, 0)); // applies from the next paint
    viewer.grab();
    QCOMPARE(viewer.minimumSize(), QSize(640, 480));

    // A smaller picture lowers the minimum again at its first paint.
    viewer.setImage(filled(20, 30));
    viewer.grab();
    QCOMPARE(viewer.minimumSize(), QSize(20, 30));
}

void tst_ImageViewer::removeImage()
{
    const QRgb red = qRgb(250, 0, 0);
    ImageViewer viewer(nullptr);
    viewer.resize(40, 40);
    viewer.setImage(filled(40, 40, red));
    QCOMPARE(viewer.grab().toImage().pixel(20, 20), red);

    viewer.removeImage();
    QVERIFY(viewer.getImage().isNull());
    viewer.update();
    QVERIFY(viewer.grab().toImage().pixel(20, 20) != red);
}

void tst_ImageViewer::transparentStyle()
{
    ImageViewer viewer(nullptr);
    QCOMPARE(viewer.property("style_type").toString(), QString());
    QVERIFY(viewer.styleSheet().isEmpty()); // the constructor applies no sheet

    viewer.addTransparent();
    QCOMPARE(viewer.property("style_type").toString(), QStringLiteral("checkers"));
    QVERIFY(viewer.autoFillBackground());
    QVERIFY(!viewer.styleSheet().isEmpty());

    viewer.forceStyles(QStringLiteral("plain"));
    QCOMPARE(viewer.getStyleType(), QStringLiteral("plain"));
}

QTEST_MAIN(tst_ImageViewer)
#include "tst_imageviewer.moc"
