#include "TestUtils.h"

#include <corvane/FilePicker.h>
#include <corvane/FileSource.h>

#include "platform/DragAndDropUrl.h"

#include <QComboBox>
#include <QDir>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolTip>

struct TestSource : IFileSource
{
    explicit TestSource(QStringList files = {}, QObject* parent = nullptr)
        : IFileSource(parent)
        , files(files)
    { }
    QStringList getFileList(QWidget*) override { return files; }
    bool browseFile(QWidget*, QString& name) override { return !(name = chosen).isEmpty(); }
    bool isFileAccepted(QString const& path) override { return !path.contains("refused"_q); }
    QStringList files;
    QString chosen;
};

static const QString ax = "/a/x.png"_q, bx = "/b/x.png"_q;

template<class T = QPushButton> static T* part(FilePicker* picker, char const* name)
{
    return picker->findChild<T*>(QLatin1String(name));
}

class tst_FilePicker : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase()
    {
        for (const char* name : { "one.png", "two.png", "refused.png" })
            QVERIFY(QFile(m_dir.filePath(QLatin1String(name))).open(QIODevice::WriteOnly));
        QVERIFY(QDir(m_dir.path()).mkdir("folder.png"_q));
        QVERIFY(QFile::link(m_dir.filePath("one.png"_q), m_dir.filePath("link.png"_q)));
    }

    // Entries read "text<path>", each path also being the tooltip.
    void entries_data()
    {
        QTest::addColumn<QStringList>("files"); // "-": no source
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("selected");
        const QString both = "<>|x.png</a/x.png>|x.png</b/x.png>"_q;
        QTest::newRow("same names") << QStringList { ax, bx } << bx << both << 2;
        QTest::newRow("not in the list") << QStringList { ax, bx } << "/c/y.png"_q << both << 0;
        QTest::newRow("duplicates")
            << QStringList { ax, ax } << ax << "<>|x.png</a/x.png>|x.png</a/x.png>"_q << 2;
        QTest::newRow("no source") << QStringList { "-"_q } << bx << "x.png</b/x.png>"_q << 0;
        QTest::newRow("no files") << QStringList() << ax << "x.png</a/x.png>"_q << 0;
    }
    void entries()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, fileName);
        QFETCH(int, selected);
        auto* picker = new FilePicker(QString());
        testutils::HostWindow w(picker);
        QVERIFY(w.showActive());
        picker->setSource(files == QStringList { "-"_q } ? nullptr : new TestSource(files));
        QSignalSpy spy(picker, &FilePicker::fileChanged);
        picker->setFileName(fileName);
        auto* combo = part<QComboBox>(picker, "combo");
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i) {
            const QString path = combo->itemData(i, Qt::UserRole).toString();
            QCOMPARE(combo->itemData(i, Qt::ToolTipRole).toString(), path);
            shown << combo->itemText(i) + "<"_q + path + ">"_q;
        }
        QTEST(shown.join(QLatin1Char('|')), "expected");
        QCOMPARE(combo->currentIndex(), selected);
        QVERIFY(part(picker, "remove")->isEnabled());

        // The combo's filter: the wheel goes on to the parents, the tooltip names the file.
        QVERIFY(!testutils::sendWheel(combo, -120));
        QCOMPARE(combo->currentIndex(), selected);
        QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), combo->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(combo, &help);
        QTRY_COMPARE(QToolTip::text(), fileName);
        QCOMPARE(picker->getFileName(), fileName);
        QCOMPARE(spy.count(), 0);
    }

    void choosingBrowsingRemoving()
    {
        auto* picker = new FilePicker("Image"_q);
        auto* combo = part<QComboBox>(picker, "combo");
        combo->setFixedWidth(140);
        testutils::HostWindow w(picker);
        QVERIFY(w.showActive());
        const QString name = "a-very-long-name-that-cannot-fit-anywhere-near-the-end.png"_q;
        auto* source = new TestSource({ ax, bx, "/d/"_q + name });
        picker->setSource(source);
        QCOMPARE(source->parent(), picker); // owned, so destroyed with the picker
        // Names are shortened from the left to the combo's width less 32 pixels.
        const QString shown = combo->itemText(3);
        QVERIFY2(shown.startsWith(QChar(0x2026)) && shown.endsWith("end.png"_q), qPrintable(shown));
        QCOMPARE(shown, combo->fontMetrics().elidedText(name, Qt::ElideLeft, 140 - 32));

        picker->setFileName(bx);
        QStringList log;
        connect(picker, &FilePicker::fileChanged, this, [&log](QString const& f) { log << f; });
        picker->SelectFile(bx); // already set
        combo->setFocus();
        combo->setCurrentIndex(1);
        QTRY_VERIFY(combo->hasFocus());
        combo->setCurrentIndex(0); // the empty entry clears, and the focus goes to browse
        QVERIFY(!part(picker, "remove")->isEnabled());
        QTRY_COMPARE(QApplication::focusWidget(), part(picker, "browse"));
        part(picker, "browse")->click(); // cancelled
        source->chosen = bx;
        part(picker, "browse")->click();
        QCOMPARE(combo->currentIndex(), 2);
        part(picker, "remove")->click();
        QCOMPARE(log, (QStringList { ax, QString(), bx, QString() }));
        QCOMPARE(combo->currentIndex(), 0);

        picker->hide(); // a hidden picker rebuilds its list only when shown again
        picker->setFileName(ax);
        QCOMPARE(combo->currentIndex(), 0);
        picker->show();
        QCOMPARE(combo->currentIndex(), 1);
    }

    void dragAndDrop_data()
    {
        QTest::addColumn<QStringList>("names"); // "-" first: no source
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("dropped"); // also when the drag was refused
        const QString one = "one.png"_q;
        QTest::newRow("one file") << QStringList { one } << true << one;
        QTest::newRow("symbolic link") << QStringList { "link.png"_q } << true << one;
        QTest::newRow("two files") << QStringList { one, "two.png"_q } << false << one;
        QTest::newRow("folder") << QStringList { "folder.png"_q } << false << QString();
        QTest::newRow("missing file") << QStringList { "gone.png"_q } << false << QString();
        QTest::newRow("refused") << QStringList { "refused.png"_q } << false << QString();
        QTest::newRow("remote") << QStringList { "http://h/one.png"_q } << false << QString();
        QTest::newRow("reference")
            << QStringList { "file:///.file/id=6.2"_q } << false << QString();
        QTest::newRow("no source") << QStringList { "-"_q, one } << false << QString();
        QTest::newRow("no URLs") << QStringList() << false << QString();
    }
    void dragAndDrop()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, dropped);
        FilePicker picker { QString() };
        auto* source = names.value(0) == "-"_q ? nullptr : new TestSource;
        picker.setSource(source);
        QSignalSpy spy(&picker, &FilePicker::fileChanged);
        QList<QUrl> urls;
        for (QString const& name : names)
            urls << (name.contains(QLatin1Char(':')) ? QUrl(name)
                                                     : QUrl::fromLocalFile(m_dir.filePath(name)));
        QMimeData mime;
        mime.setUrls(source ? urls : urls.mid(1));
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        enter.ignore();
        QApplication::sendEvent(&picker, &enter);
        QTEST(enter.isAccepted() && enter.dropAction() == Qt::CopyAction, "accepted");
        // QApplication drops only on a widget that took the drag; the picker must check again.
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        static_cast<QObject&>(picker).event(&drop);

        const QString path = QFileInfo(m_dir.filePath(dropped)).canonicalFilePath();
        QCOMPARE(
            picker.getFileName(), dropped.isEmpty() ? QString() : QDir::toNativeSeparators(path));
        QCOMPARE(spy.count(), dropped.isEmpty() ? 0 : 1);
    }

    void fixDragAndDropUrl()
    {
        // Only an empty host with the exact prefix, whatever the scheme, makes a file reference;
        // one that cannot be resolved (as these made-up ones) becomes an empty URL.
        for (QString url : { "file:///a/p.png"_q, "file://host/.file/id=6.2"_q,
                 "file:///.FILE/id=6"_q, "file:///.file/id=6.2"_q, "x-other:///.file/id=6.2"_q }) {
            const bool reference = url.contains("//.file/"_q);
            QCOMPARE(qthelpers::fixDragAndDropUrl(QUrl(url)), reference ? QUrl() : QUrl(url));
        }
    }
};

QTEST_MAIN(tst_FilePicker)
#include "tst_filepicker.moc"
