#include "TestUtils.h"

#include <corvane/FilePicker.h>
#include <corvane/FileSource.h>
#include <corvane/Label.h>

#include "platform/DragAndDropUrl.h"

#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolTip>
#include <QVBoxLayout>

namespace {

class TestSource : public IFileSource
{
public:
    explicit TestSource(QStringList files = {}, QObject* parent = nullptr)
        : IFileSource(parent)
        , files(std::move(files))
    { }

    QStringList getFileList(QWidget*) override
    {
        ++listCalls;
        return files;
    }
    bool browseFile(QWidget* parent, QString& fileName) override
    {
        browseParent = parent;
        browseStart = fileName;
        if (browseResult.isEmpty())
            return false;
        fileName = browseResult;
        return true;
    }
    bool isFileAccepted(QString const& filePath) override
    {
        asked << filePath;
        return !QFileInfo(filePath).fileName().startsWith(QLatin1String("refused"));
    }

    QStringList files;
    int listCalls = 0;
    QStringList asked;
    QString browseResult;
    QWidget* browseParent = nullptr;
    QString browseStart;
};

QComboBox* combo(FilePicker& picker)
{
    return picker.findChild<QComboBox*>(QStringLiteral("combo"));
}

QPushButton* button(FilePicker& picker, char const* name)
{
    return picker.findChild<QPushButton*>(QLatin1String(name));
}

QStringList column(QComboBox* box, int role)
{
    QStringList result;
    for (int i = 0; i < box->count(); ++i)
        result << box->itemData(i, role).toString();
    return result;
}

// Delivers a drag entering the picker, and tells whether it was accepted; then drops the same
// data. QApplication would route the drop only to a widget that accepted the drag, so the drop
// is handed to the picker directly: its own checks must hold even for a drop it never asked for.
bool dragAndDrop(FilePicker* picker, QMimeData* mime)
{
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QApplication::sendEvent(picker, &enter);
    const bool accepted = enter.isAccepted() && enter.dropAction() == Qt::CopyAction;
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    static_cast<QObject*>(picker)->event(&drop);
    return accepted;
}

} // namespace

class tst_FilePicker : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void titleOptional_data();
    void titleOptional();
    void entries_data();
    void entries();
    void choosingEntries();
    void setFileNameAndSelectFile();
    void eliding();
    void hiddenPickerRebuildsWhenShown();
    void pressRebuilds();
    void browse_data();
    void browse();
    void sourceOwnership();
    void sourceDestroyedEarly();
    void dragAndDrop_data();
    void dragAndDrop();
    void noSourceRefusesDrops();
    void wheelGoesToScrollArea();
    void tooltipShowsFullName();
    void fixDragAndDropUrl_data();
    void fixDragAndDropUrl();

private:
    QTemporaryDir m_dir;
    QString path(QString const& name) const { return m_dir.filePath(name); }
};

void tst_FilePicker::initTestCase()
{
    QVERIFY(m_dir.isValid());
    for (const char* name : { "one.png", "two.png", "refused.png" }) {
        QFile file(path(QLatin1String(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("png");
    }
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("folder.png")));
    QVERIFY(QFile::link(path(QStringLiteral("one.png")), path(QStringLiteral("link.png"))));
    QVERIFY(QFile::link(path(QStringLiteral("folder.png")), path(QStringLiteral("dirlink.png"))));
}

void tst_FilePicker::titleOptional_data()
{
    QTest::addColumn<QString>("title");
    QTest::newRow("with title") << QStringLiteral("Image");
    QTest::newRow("without title") << QString();
}

void tst_FilePicker::titleOptional()
{
    QFETCH(QString, title);
    FilePicker picker(title);
    picker.resize(300, 100);
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    auto* label = picker.findChild<Label*>(QStringLiteral("title"));
    QCOMPARE(label != nullptr, !title.isEmpty());
    QWidget* browse = button(picker, "browse");
    QWidget* remove = button(picker, "remove");
    QCOMPARE(browse->x(), combo(picker)->geometry().right() + 1);
    QCOMPARE(remove->x(), browse->geometry().right() + 1);
    if (label) {
        QCOMPARE(label->text(), title);
        QCOMPARE(combo(picker)->y(), label->geometry().bottom() + 1);
    } else {
        QCOMPARE(combo(picker)->y(), 0);
    }
}

void tst_FilePicker::entries_data()
{
    QTest::addColumn<bool>("withSource");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<int>("selected");

    const QStringList ab { QStringLiteral("/a/x.png"), QStringLiteral("/b/x.png") };
    const QStringList abPaths { QString(), ab.at(0), ab.at(1) };
    const QStringList abTexts { QString(), QStringLiteral("x.png"), QStringLiteral("x.png") };

    QTest::newRow("same names, told apart by path")
        << true << ab << QStringLiteral("/b/x.png") << abTexts << abPaths << 2;
    QTest::newRow("matched by absolute path")
        << true << ab << QStringLiteral("/a/../a/x.png") << abTexts << abPaths << 1;
    QTest::newRow("file not in the list")
        << true << ab << QStringLiteral("/c/y.png") << abTexts << abPaths << 0;
    QTest::newRow("no file") << true << ab << QString() << abTexts << abPaths << 0;
    QTest::newRow("duplicates kept, last one selected")
        << true << QStringList { ab.at(0), ab.at(0) } << QStringLiteral("/a/x.png") << abTexts
        << QStringList { QString(), ab.at(0), ab.at(0) } << 2;
    QTest::newRow("no source") << false << QStringList() << QStringLiteral("/c/y.png")
                               << QStringList { QStringLiteral("y.png") }
                               << QStringList { QStringLiteral("/c/y.png") } << 0;
    QTest::newRow("source without files") << true << QStringList() << QStringLiteral("/c/y.png")
                                          << QStringList { QStringLiteral("y.png") }
                                          << QStringList { QStringLiteral("/c/y.png") } << 0;
    QTest::newRow("nothing at all") << false << QStringList() << QString()
                                    << QStringList { QString() } << QStringList { QString() } << 0;
}

void tst_FilePicker::entries()
{
    QFETCH(bool, withSource);
    QFETCH(QStringList, files);
    QFETCH(QString, fileName);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, paths);
    QFETCH(int, selected);

    FilePicker picker { QString() };
    picker.resize(400, 40);
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    if (withSource)
        picker.setSource(new TestSource(files));
    QSignalSpy spy(&picker, &FilePicker::fileChanged);
    picker.setFileName(fileName);

    QComboBox* box = combo(picker);
    QCOMPARE(column(box, Qt::DisplayRole), texts);
    QCOMPARE(column(box, Qt::UserRole), paths);
    QCOMPARE(column(box, Qt::ToolTipRole), paths);
    QCOMPARE(box->currentIndex(), selected);
    QCOMPARE(picker.getFileName(), fileName);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(button(picker, "remove")->isEnabled(), !fileName.isEmpty());
}

void tst_FilePicker::choosingEntries()
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* picker = new FilePicker(QStringLiteral("Image"));
    layout->addWidget(picker);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    picker->setSource(new TestSource({ QStringLiteral("/a/x.png"), QStringLiteral("/b/x.png") }));
    picker->setFileName(QStringLiteral("/b/x.png"));
    combo(*picker)->setFocus();
    QTRY_VERIFY(combo(*picker)->hasFocus());

    QSignalSpy spy(picker, &FilePicker::fileChanged);
    combo(*picker)->setCurrentIndex(1);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("/a/x.png"));
    QCOMPARE(combo(*picker)->currentIndex(), 1);
    QVERIFY(button(*picker, "remove")->isEnabled());
    QVERIFY(combo(*picker)->hasFocus());

    // The empty entry clears the file and sends the focus to the browse button.
    combo(*picker)->setCurrentIndex(0);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).toString(), QString());
    QVERIFY(picker->getFileName().isEmpty());
    QVERIFY(!button(*picker, "remove")->isEnabled());
    QTRY_COMPARE(QApplication::focusWidget(), button(*picker, "browse"));

    // Remove clears too; with nothing to clear it says nothing.
    picker->setFileName(QStringLiteral("/a/x.png"));
    button(*picker, "remove")->click();
    QCOMPARE(spy.count(), 3);
    QVERIFY(picker->getFileName().isEmpty());
    QCOMPARE(combo(*picker)->currentIndex(), 0);
}

void tst_FilePicker::setFileNameAndSelectFile()
{
    FilePicker picker { QString() };
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    auto* source = new TestSource({ QStringLiteral("/a/x.png") });
    picker.setSource(source);
    QSignalSpy spy(&picker, &FilePicker::fileChanged);

    picker.setFileName(QStringLiteral("/a/x.png"));
    QCOMPARE(spy.count(), 0);
    const int calls = source->listCalls;
    picker.setFileName(QStringLiteral("/a/x.png")); // unchanged: no rebuild either
    QCOMPARE(source->listCalls, calls);
    picker.SelectFile(QStringLiteral("/a/x.png"));
    QCOMPARE(spy.count(), 0);
    QCOMPARE(source->listCalls, calls);

    picker.SelectFile(QStringLiteral("/z/new.png"));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("/z/new.png"));
    QCOMPARE(picker.getFileName(), QStringLiteral("/z/new.png"));
    QCOMPARE(combo(picker)->currentIndex(), 0); // not offered by the source
    QVERIFY(button(picker, "remove")->isEnabled());
}

void tst_FilePicker::eliding()
{
    FilePicker picker { QString() };
    combo(picker)->setFixedWidth(140);
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    const QString name
        = QStringLiteral("a-very-long-name-that-cannot-fit-anywhere-near-the-end.png");
    picker.setFileName(QStringLiteral("/d/") + name);

    const QString shown = combo(picker)->itemText(0);
    QVERIFY2(shown.startsWith(QChar(0x2026)), qPrintable(shown));
    QVERIFY(shown.endsWith(QStringLiteral("end.png")));
    QVERIFY(name.endsWith(shown.mid(1)));
    QVERIFY(combo(picker)->fontMetrics().horizontalAdvance(shown) <= 140 - 32);
    QCOMPARE(picker.elidedText(QStringLiteral("a.png")), QStringLiteral("a.png"));

    // A combo narrower than the margin leaves at most the ellipsis, and never fails.
    combo(picker)->setFixedWidth(10);
    QVERIFY(picker.elidedText(name).size() <= 1);
}

void tst_FilePicker::hiddenPickerRebuildsWhenShown()
{
    FilePicker picker { QString() };
    auto* source = new TestSource({ QStringLiteral("/a/x.png") });
    picker.setSource(source);
    picker.setFileName(QStringLiteral("/a/x.png"));
    QCOMPARE(source->listCalls, 0);
    QCOMPARE(combo(picker)->count(), 0);

    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    QCOMPARE(combo(picker)->count(), 2);
    QCOMPARE(combo(picker)->currentIndex(), 1);

    picker.hide();
    const int calls = source->listCalls;
    source->files << QStringLiteral("/b/y.png");
    picker.setFileName(QStringLiteral("/b/y.png"));
    QCOMPARE(source->listCalls, calls);
    QCOMPARE(combo(picker)->count(), 2); // keeps the old entries while hidden
    QCOMPARE(combo(picker)->currentIndex(), 1);

    picker.show();
    QCOMPARE(combo(picker)->count(), 3);
    QCOMPARE(combo(picker)->currentIndex(), 2);
}

void tst_FilePicker::pressRebuilds()
{
    FilePicker picker { QString() };
    picker.resize(300, 40);
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    auto* source = new TestSource({ QStringLiteral("/a/x.png") });
    picker.setSource(source);
    QCOMPARE(combo(picker)->count(), 2);
    source->files << QStringLiteral("/b/y.png");
    QSignalSpy spy(&picker, &FilePicker::fileChanged);
    QTest::mousePress(combo(picker), Qt::LeftButton);
    QCOMPARE(combo(picker)->count(), 3);
    QCOMPARE(spy.count(), 0);
    if (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
}

void tst_FilePicker::browse_data()
{
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("emissions");
    QTest::newRow("chosen") << QStringLiteral("/z/chosen.png") << 1;
    QTest::newRow("cancelled") << QString() << 0;
}

void tst_FilePicker::browse()
{
    QFETCH(QString, result);
    QFETCH(int, emissions);

    FilePicker picker { QString() };
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    button(picker, "browse")->click(); // without a source nothing happens

    auto* source = new TestSource;
    source->browseResult = result;
    picker.setSource(source);
    picker.setFileName(QStringLiteral("/start.png"));
    QSignalSpy spy(&picker, &FilePicker::fileChanged);
    button(picker, "browse")->click();
    QCOMPARE(source->browseParent, static_cast<QWidget*>(&picker));
    QCOMPARE(source->browseStart, QStringLiteral("/start.png"));
    QCOMPARE(spy.count(), emissions);
    QCOMPARE(picker.getFileName(), emissions ? result : QStringLiteral("/start.png"));
}

void tst_FilePicker::sourceOwnership()
{
    auto* picker = new FilePicker(QString());
    QPointer<TestSource> first = new TestSource;
    picker->setSource(first);
    QCOMPARE(first->parent(), picker);
    QCOMPARE(picker->getSource(), first.data());

    picker->setSource(first); // handing the same source over again keeps it
    QVERIFY(first);

    QObject owner;
    QPointer<TestSource> second = new TestSource({}, &owner);
    picker->setSource(second);
    QVERIFY(!first);
    QCOMPARE(second->parent(), &owner);

    QPointer<TestSource> third = new TestSource;
    picker->setSource(third);
    QVERIFY(!second); // replaced: deleted although another object was its parent

    picker->setSource(nullptr);
    QVERIFY(!third);
    QVERIFY(!picker->getSource());

    QPointer<TestSource> last = new TestSource;
    picker->setSource(last);
    delete picker;
    QVERIFY(!last);
}

void tst_FilePicker::sourceDestroyedEarly()
{
    FilePicker picker { QString() };
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    QObject owner;
    picker.setSource(new TestSource({ QStringLiteral("/a/x.png") }, &owner));
    QCOMPARE(combo(picker)->count(), 2);
    delete picker.getSource();
    QVERIFY(!picker.getSource());
    picker.setFileName(QStringLiteral("/a/x.png"));
    QCOMPARE(combo(picker)->count(), 1);
    button(picker, "browse")->click();
    auto* mime = new QMimeData;
    mime->setUrls({ QUrl::fromLocalFile(path(QStringLiteral("one.png"))) });
    QVERIFY(!::dragAndDrop(&picker, mime));
    delete mime;
    picker.setSource(new TestSource); // nothing left to delete
    QVERIFY(picker.getSource());
}

void tst_FilePicker::dragAndDrop_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("selected");

    const QString one = QStringLiteral("one.png");
    QTest::newRow("one file") << QStringList { one } << true << one;
    QTest::newRow("symbolic link resolves to its target")
        << QStringList { QStringLiteral("link.png") } << true << one;
    QTest::newRow("dot components resolved")
        << QStringList { QStringLiteral("folder.png/../one.png") } << true << one;
    // A drop that comes in spite of the refused drag takes the first URL.
    QTest::newRow("two files") << QStringList { one, QStringLiteral("two.png") } << false << one;
    QTest::newRow("folder") << QStringList { QStringLiteral("folder.png") } << false << QString();
    QTest::newRow("link to a folder")
        << QStringList { QStringLiteral("dirlink.png") } << false << QString();
    QTest::newRow("missing file") << QStringList { QStringLiteral("gone.png") } << false
                                  << QString();
    QTest::newRow("refused file") << QStringList { QStringLiteral("refused.png") } << false
                                  << QString();
    QTest::newRow("remote URL") << QStringList { QStringLiteral("http://example.com/one.png") }
                                << false << QString();
    QTest::newRow("file reference")
        << QStringList { QStringLiteral("file:///.file/id=6571367.2773272") } << false << QString();
    QTest::newRow("no URLs") << QStringList() << false << QString();
}

void tst_FilePicker::dragAndDrop()
{
    QFETCH(QStringList, names);
    QFETCH(bool, accepted);
    QFETCH(QString, selected);

    FilePicker picker { QString() };
    auto* source = new TestSource;
    picker.setSource(source);
    QSignalSpy spy(&picker, &FilePicker::fileChanged);

    QList<QUrl> urls;
    for (QString const& name : names)
        urls << (name.contains(QLatin1String(":/")) ? QUrl(name) : QUrl::fromLocalFile(path(name)));
    QMimeData mime;
    mime.setUrls(urls);
    QCOMPARE(::dragAndDrop(&picker, &mime), accepted);

    const QString expected = selected.isEmpty()
        ? QString()
        : QDir::toNativeSeparators(QFileInfo(path(selected)).canonicalFilePath());
    QCOMPARE(picker.getFileName(), expected);
    QCOMPARE(spy.count(), selected.isEmpty() ? 0 : 1);
    // The acceptance test sees the absolute path on entry and the canonical path on drop.
    if (accepted) {
        QCOMPARE(source->asked,
            (QStringList { QFileInfo(path(names.first())).absoluteFilePath(), expected }));
    }
}

void tst_FilePicker::noSourceRefusesDrops()
{
    FilePicker picker { QString() };
    QSignalSpy spy(&picker, &FilePicker::fileChanged);
    QMimeData mime;
    mime.setUrls({ QUrl::fromLocalFile(path(QStringLiteral("one.png"))) });
    QVERIFY(!::dragAndDrop(&picker, &mime));
    QVERIFY(picker.getFileName().isEmpty());
    QCOMPARE(spy.count(), 0);

    QMimeData text;
    text.setText(path(QStringLiteral("one.png")));
    picker.setSource(new TestSource);
    QVERIFY(!::dragAndDrop(&picker, &text));
    QCOMPARE(spy.count(), 0);
}

void tst_FilePicker::wheelGoesToScrollArea()
{
    QScrollArea area;
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    auto* picker = new FilePicker(QString());
    layout->addWidget(picker);
    layout->addSpacing(2000);
    area.setWidget(content);
    area.resize(300, 200);
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    picker->setSource(new TestSource({ QStringLiteral("/a/x.png"), QStringLiteral("/b/y.png") }));
    picker->setFileName(QStringLiteral("/a/x.png"));

    QSignalSpy spy(picker, &FilePicker::fileChanged);
    testutils::sendWheel(combo(*picker), -120);
    testutils::sendWheel(combo(*picker), -120);
    QCOMPARE(picker->getFileName(), QStringLiteral("/a/x.png"));
    QCOMPARE(combo(*picker)->currentIndex(), 1);
    QCOMPARE(spy.count(), 0);
    QVERIFY(area.verticalScrollBar()->value() > 0);
}

void tst_FilePicker::tooltipShowsFullName()
{
    FilePicker picker { QString() };
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    picker.setSource(new TestSource({ QStringLiteral("/a/x.png") }));
    picker.setFileName(QStringLiteral("/elsewhere/missing.png"));
    QCOMPARE(combo(picker)->currentIndex(), 0); // not in the list, yet named in full below

    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), combo(picker)->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(combo(picker), &help);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("/elsewhere/missing.png"));
    QToolTip::hideText();
}

void tst_FilePicker::fixDragAndDropUrl_data()
{
    QTest::addColumn<QUrl>("url");
    QTest::addColumn<QUrl>("expected");

    const QUrl plain(QStringLiteral("file:///Users/a/picture.png"));
    const QUrl withHost(QStringLiteral("file://host/.file/id=6571367.2773272"));
    const QUrl upper(QStringLiteral("file:///.FILE/id=6571367.2773272"));
    const QUrl web(QStringLiteral("https://example.com/.file/id=1"));
    const QUrl almost(QStringLiteral("file:///.file/id"));
    QTest::newRow("plain file URL") << plain << plain;
    QTest::newRow("reference with a host") << withHost << withHost;
    QTest::newRow("prefix in other case") << upper << upper;
    QTest::newRow("web URL with host") << web << web;
    QTest::newRow("prefix incomplete") << almost << almost;
    QTest::newRow("empty URL") << QUrl() << QUrl();
    QTest::newRow("file reference")
        << QUrl(QStringLiteral("file:///.file/id=6571367.2773272")) << QUrl();
    QTest::newRow("reference, any scheme")
        << QUrl(QStringLiteral("x-other:///.file/id=12.34")) << QUrl();
    QTest::newRow("reference without scheme") << QUrl(QStringLiteral("/.file/id=1")) << QUrl();
}

void tst_FilePicker::fixDragAndDropUrl()
{
    QFETCH(QUrl, url);
    QFETCH(QUrl, expected);
#ifdef Q_OS_DARWIN
    QSKIP("macOS resolves file references through Cocoa; the portable rule is tested here");
#endif
    const QUrl fixed = qthelpers::fixDragAndDropUrl(url);
    QCOMPARE(fixed, expected);
    QCOMPARE(fixed.isEmpty(), expected.isEmpty());
}

QTEST_MAIN(tst_FilePicker)
#include "tst_filepicker.moc"
