// Runs the gallery in screenshot mode and checks every page's picture.
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

class tst_Gallery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void page_data();
    void page();
    void onlyThePagesAreWritten();

private:
    QTemporaryDir m_dir;
};

void tst_Gallery::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QProcess gallery;
    gallery.setProcessChannelMode(QProcess::ForwardedChannels);
    gallery.start(QStringLiteral(CORVANE_GALLERY_EXE),
        { QStringLiteral("--screenshot"), m_dir.filePath(QStringLiteral("shots")) });
    QVERIFY2(gallery.waitForFinished(240000), "the gallery did not finish");
    QCOMPARE(gallery.exitStatus(), QProcess::NormalExit);
    QCOMPARE(gallery.exitCode(), 0);
}

void tst_Gallery::page_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    const QStringList pages { QStringLiteral("01-property-sheet"),
        QStringLiteral("02-collection-view"), QStringLiteral("03-thumbnails"),
        QStringLiteral("04-toolbar-image"), QStringLiteral("05-numeric-rows"),
        QStringLiteral("06-several-shapes") };
    for (const QString& page : pages) {
        QTest::newRow(qPrintable(page)) << page + QStringLiteral(".png") << QSize(1000, 680);
        QTest::newRow(qPrintable(page + QStringLiteral("-narrow")))
            << page + QStringLiteral("-narrow.png") << QSize(560, 680);
    }
}

void tst_Gallery::page()
{
    QFETCH(QString, file);
    QFETCH(QSize, size);
    const QImage image(m_dir.filePath(QStringLiteral("shots/") + file));
    QVERIFY2(!image.isNull(), qPrintable(file + QStringLiteral(" is missing or unreadable")));
    QCOMPARE(image.size(), size);

    // A blank or single-coloured picture means the page did not render; a styled page has
    // text, frames and accents in many colours, and no colour covers nearly all of it.
    QHash<QRgb, int> counts;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            ++counts[line[x]];
    }
    QVERIFY2(counts.size() >= 32, qPrintable(QString::number(counts.size())));
    int largest = 0;
    for (int count : std::as_const(counts))
        largest = qMax(largest, count);
    QVERIFY2(largest < rgb.width() * rgb.height() * 9 / 10,
        qPrintable(QStringLiteral("one colour covers %1 of %2 pixels")
                       .arg(largest)
                       .arg(rgb.width() * rgb.height())));
}

void tst_Gallery::onlyThePagesAreWritten()
{
    const QStringList files
        = QDir(m_dir.filePath(QStringLiteral("shots"))).entryList(QDir::Files, QDir::Name);
    QCOMPARE(files.size(), 12);
}

QTEST_GUILESS_MAIN(tst_Gallery)

#include "tst_gallery.moc"
