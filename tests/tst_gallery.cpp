// Runs the gallery in screenshot mode, with and without its options, and checks the pictures.
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

namespace {

QString operator""_q(const char* text, std::size_t size)
{
    return QString::fromUtf8(text, int(size));
}
QStringList words(QString const& text)
{
    return text.split(QLatin1Char(' '));
}

const QStringList Pages = words("01-property-sheet 02-collection-view 03-thumbnails "
                                "04-toolbar-image 05-numeric-rows 06-several-shapes"_q);
const QStringList Steps
    = words("01-property-sheet-step-number-focus 01-property-sheet-step-text-focus "
            "01-property-sheet-step-combo 03-thumbnails-step-click 03-thumbnails-step-down "
            "02-collection-view-step-select 04-toolbar-image-step-tool 05-numeric-rows-step-focus "
            "05-numeric-rows-step-tab 03-thumbnails-step-theme"_q);

// The runs, by directory: the default one and the shared theme mode take the tour as well.
const QList<QPair<QString, QStringList>> Runs { { "default"_q, words("--steps"_q) },
    { "shared"_q, words("--steps --shared-theme"_q) },
    { "combined"_q, words("--scale 2 --reverse --theme dark"_q) } };

QImage rgb(QString const& path)
{
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

// The centre of the longest horizontal run of `colour` in the top `rows` rows, or -1 without
// any: the underline of the current tab, longer than any other mark in the accent colour there.
int longestRunCentre(QImage const& image, QRgb colour, int rows)
{
    int best = 0, centre = -1;
    for (int y = 0; y < rows; ++y) {
        int run = 0;
        for (int x = 0; x <= image.width(); ++x) {
            if (x < image.width() && image.pixel(x, y) == colour) {
                ++run;
                continue;
            }
            if (run > best) {
                best = run;
                centre = x - run / 2;
            }
            run = 0;
        }
    }
    return centre;
}

} // namespace

class tst_Gallery : public QObject
{
    Q_OBJECT

    QString shot(QString const& run, QString const& file) const
    {
        return m_dir.filePath(run + QLatin1Char('/') + file + ".png"_q);
    }
    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // The runs go side by side.
        std::vector<std::unique_ptr<QProcess>> galleries;
        for (const auto& [name, options] : Runs) {
            galleries.push_back(std::make_unique<QProcess>());
            galleries.back()->setProcessChannelMode(QProcess::ForwardedChannels);
            galleries.back()->start(QStringLiteral(CORVANE_GALLERY_EXE),
                QStringList { "--screenshot"_q, m_dir.filePath(name) } + options);
        }
        for (auto& gallery : galleries) {
            QVERIFY2(gallery->waitForFinished(240000), "the gallery did not finish");
            QCOMPARE(gallery->exitStatus(), QProcess::NormalExit);
            QCOMPARE(gallery->exitCode(), 0);
        }
    }

    // Every picture of each run at its size, drawn, and in the shared theme mode not one pixel
    // different from a copy of the theme on each control: every page at both widths, before and
    // after each selection and focus change of the tour.
    void picture_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("shared");
        for (const QString& picture : Pages + Steps)
            for (const QString& name : { picture, picture + "-narrow"_q })
                QTest::newRow(qPrintable(name))
                    << shot("default"_q, name) << QSize(name == picture ? 1000 : 560, 680)
                    << shot("shared"_q, name);
        // At scale 2 every picture has twice the pixels each way.
        for (const QString& page : Pages)
            QTest::newRow(qPrintable(page + " combined"_q))
                << shot("combined"_q, page) << QSize(2000, 1360) << QString();
    }
    void picture()
    {
        QFETCH(QString, path);
        QFETCH(QString, shared);
        const QImage image = rgb(path);
        QVERIFY2(!image.isNull(), qPrintable(path + " is missing or unreadable"_q));
        QTEST(image.size(), "size");
        if (!shared.isEmpty())
            QVERIFY(image == rgb(shared));

        // A blank or single-coloured picture means the page did not render; a styled page has
        // text, frames and accents in many colours, and no colour covers nearly all of it.
        QHash<QRgb, int> counts;
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                ++counts[line[x]];
        }
        QVERIFY2(counts.size() >= 32, qPrintable(QString::number(counts.size())));
        const int largest = *std::max_element(counts.cbegin(), counts.cend());
        QVERIFY2(largest < image.width() * image.height() * 9 / 10,
            qPrintable("one colour covers %1 of %2 pixels"_q.arg(largest).arg(
                image.width() * image.height())));
    }

    void options()
    {
        const QImage plain = rgb(shot("default"_q, Pages.first()));
        const QImage combined = rgb(shot("combined"_q, Pages.first()));
        // Dark: the window's own background, below the pages, by each theme.
        QCOMPARE(QColor(plain.pixel(4, plain.height() - 4)), QColor(0xf3, 0xf4, 0xf7));
        QCOMPARE(QColor(combined.pixel(8, combined.height() - 8)), QColor(0x1d, 0x1f, 0x25));
        // Reversed: the current tab, underlined in the accent colour, is the first one from the
        // left or from the right.
        const int plainTab = longestRunCentre(plain, qRgb(0x3b, 0x6f, 0xd8), plain.height() / 12);
        const int reversedTab
            = longestRunCentre(combined, qRgb(0x5b, 0x8e, 0xf0), combined.height() / 12);
        QVERIFY2(
            plainTab >= 0 && plainTab < plain.width() / 4, qPrintable(QString::number(plainTab)));
        QVERIFY2(reversedTab > combined.width() * 3 / 4, qPrintable(QString::number(reversedTab)));
    }

    void onlyThePicturesAreWritten()
    {
        const auto files = [](QStringList const& pictures) {
            QStringList names;
            for (const QString& picture : pictures)
                names << picture + ".png"_q << picture + "-narrow.png"_q;
            names.sort();
            return names;
        };
        for (const auto& [name, options] : Runs) {
            const bool toured = options.contains("--steps"_q);
            QCOMPARE(QDir(m_dir.filePath(name)).entryList(QDir::Files, QDir::Name),
                files(toured ? Pages + Steps : Pages));
        }
    }
};

QTEST_GUILESS_MAIN(tst_Gallery)

#include "tst_gallery.moc"
