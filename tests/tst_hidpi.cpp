// Painting on a screen of device pixel ratio 2 (run with QT_SCALE_FACTOR=2).
#include "TestUtils.h"

#include "numeric/Spinner.h"
#include "thumbnails/ThumbnailLabel.h"
#include <corvane/ImageViewer.h>
#include <corvane/Theme.h>

#include <QPainter>
#include <QTemporaryDir>

using namespace testutils;

namespace {

// Black and white alternating at every pixel: detail that any scaling through fewer pixels loses.
QImage checker(QSize size, QRgb a = qRgb(0, 0, 0), QRgb b = qRgb(255, 255, 255))
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, (x + y) % 2 ? a : b);
    return image;
}

// The widget as the screen shows it, one pixel per device pixel.
QImage shown(QWidget* w)
{
    QImage image = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    return image;
}

} // namespace

class tst_HiDpi : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QCOMPARE(qApp->devicePixelRatio(), 2.0); }

    // The picture is exactly a plain scale to the device pixels of the label's width: a pixmap
    // of ratio 1 that fits keeps every device pixel (scaled to the width and doubled by the
    // painter, the detail would be gone); one of ratio 2 covers the label's width too.
    void thumbnail_data()
    {
        columns<QSize, qreal>("pixels", "ratio");
        QTest::newRow("ratio 1, every device pixel") << QSize(200, 100) << 1.0;
        QTest::newRow("ratio 1, scaled down") << QSize(400, 200) << 1.0;
        QTest::newRow("ratio 2") << QSize(400, 200) << 2.0;
    }
    void thumbnail()
    {
        auto [pixels, ratio] = fetch<QSize, qreal>("pixels", "ratio");
        const QImage source = checker(pixels);
        QPixmap pixmap = QPixmap::fromImage(source);
        pixmap.setDevicePixelRatio(ratio);
        ThumbnailLabel label;
        label.setStyleSheet("ThumbnailLabel { background: rgb(0, 250, 0); }"_q);
        label.setPixmap(pixmap);
        label.resize(102, 60);
        shown(&label); // takes its height from the first paint
        QCOMPARE(label.height(), 52);
        QImage expected(204, 104, QImage::Format_RGB32);
        expected.fill(qRgb(0, 250, 0));
        QPainter(&expected).drawImage(2, 2, source.scaledToWidth(200, Qt::FastTransformation));
        QCOMPARE(shown(&label), expected);
    }

    void imageViewerScalesToDevicePixels()
    {
        const QImage source = checker(QSize(200, 200));
        ImageViewer viewer;
        viewer.setScaledToWidth(100);
        viewer.resize(100, 100);
        viewer.setImage(source);
        QCOMPARE(viewer.getImage().size(), QSize(200, 200));
        QCOMPARE(viewer.getImage().devicePixelRatio(), 2.0);
        QCOMPARE(shown(&viewer), source);
    }

    void checkerTileOfTheScreensRatio()
    {
        // A theme that ships its tile at both densities; Qt picks the one of the screen.
        QTemporaryDir dir;
        QVERIFY(checker(QSize(4, 4), qRgb(9, 9, 9), qRgb(9, 9, 9)).save(dir.filePath("t.png"_q)));
        QVERIFY(
            checker(QSize(8, 8), qRgb(1, 2, 3), qRgb(4, 5, 6)).save(dir.filePath("t@2x.png"_q)));
        corvane::setTheme(
            "ImageViewer[style_type=\"checkers\"] { background-image: url(%1); }"_q.arg(
                dir.filePath("t.png"_q)));
        ImageViewer viewer;
        viewer.addTransparent();
        viewer.resize(10, 10);
        const QImage background = shown(&viewer);
        corvane::resetTheme();
        QCOMPARE(background.copy(0, 0, 8, 8), checker(QSize(8, 8), qRgb(1, 2, 3), qRgb(4, 5, 6)));
    }

    void spinnerArrowsAreSmoothed()
    {
        Spinner spinner;
        spinner.setFixedSize(22, 22);
        const QImage image = shown(&spinner);
        QCOMPARE(image.size(), QSize(44, 44));
        // Between the arrow's black and the background's grey lie the shades of smoothed edges.
        int shades = 0;
        for (int y = 0; y < 22; ++y)
            for (int x = 0; x < 44; ++x)
                shades += qGray(image.pixel(x, y)) > 0 && qGray(image.pixel(x, y)) < 128;
        QVERIFY2(shades > 10, qPrintable(QString::number(shades)));
    }
};

QTEST_MAIN(tst_HiDpi)
#include "tst_hidpi.moc"
