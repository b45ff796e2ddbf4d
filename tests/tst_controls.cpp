#include "TestUtils.h"

#include <corvane/CorvaneWidgets.h>

#include "controls/ColorPicker_PushButton.h"
#include "platform/DragAndDropUrl.h"
#include "platform/Utils_p.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QMimeData>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolTip>

using testutils::fetch;
using Entries = QMap<QString, QVariant>;

struct TestSource : IFileSource
{
    explicit TestSource(QStringList files = {})
        : files(files)
    { }
    QStringList getFileList(QWidget*) override { return files; }
    bool browseFile(QWidget*, QString& name) override { return !(name = chosen).isEmpty(); }
    bool isFileAccepted(QString const& path) override { return !path.contains("refused"_q); }
    QStringList files;
    QString chosen;
};

static const QString ax = "/a/x.png"_q, bx = "/b/x.png"_q;

template<class T = QPushButton> static T* part(QWidget* w, char const* name)
{
    return w->findChild<T*>(QLatin1String(name));
}

// The basic controls, the window placement functions and the image viewer.
class tst_Controls : public QObject
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

    void adjustWindowRect_data()
    {
        testutils::columns<QRect, bool, int>("rect", "kept", "screens");
        using testutils::row;
        const QRect g = QGuiApplication::primaryScreen()->geometry();
        // Hanging off the bottom-left corner by everything but a 50 x 50 or 50 x 51 square.
        row("50x50 overlap moves", QRect(g.left() - 50, g.bottom() - 49, 100, 100), false, 1);
        row("50x51 overlap stays", QRect(g.left() - 50, g.bottom() - 50, 100, 100), true, 1);
        row("51x50 overlap stays", QRect(g.left() - 49, g.bottom() - 49, 100, 100), true, 1);
        row("wholly off screen moves", QRect(g.left(), g.bottom() + 5000, 300, 200), false, 1);
        row("inside stays", QRect(g.left() + 10, g.top() + 10, 300, 200), true, 1);
        row("empty rect moves", QRect(g.left() + 10, g.top() + 10, 0, 0), false, 1);
        // 40 x 40 on each of two screens: 3200 square pixels visible, but not 2500 on one of
        // them (it moves to (680, 410)); 40 x 80 on the second screen alone is enough.
        row("straddling two screens moves", QRect(1400, -40, 80, 80), false, 2);
        row("enough on the second screen", QRect(1400, 0, 80, 80), true, 2);
    }
    void adjustWindowRect()
    {
        const auto [rect, kept, screens] = fetch<QRect, bool, int>("rect", "kept", "screens");
        if (QGuiApplication::screens().size() < screens)
            QSKIP("This platform plugin offers a single screen (Qt 5's offscreen plugin)");
        const QRect primary = QGuiApplication::primaryScreen()->geometry();
        if (screens == 2) // the test's layout: 1440 x 900 at (0, 0) and 1280 x 1024 at (1440, 0)
            QCOMPARE(primary, QRect(0, 0, 1440, 900));
        QRect expected = rect;
        if (!kept)
            expected.moveCenter(primary.center());
        QCOMPARE(AdjustWindowRectToScreens(rect), expected);
    }

    void activateWindow()
    {
        QWidget window;
        window.resize(200, 100);
        window.showMinimized();
        QVERIFY(window.isMinimized());
        for (int round = 0; round < 2; ++round) { // the second time on the active window
            ActivateWindow(&window);
            QVERIFY(!window.isMinimized() && window.isVisible());
            QVERIFY(QTest::qWaitForWindowActive(&window));
        }
    }

    void buttonSignalOrder()
    {
        Button button("Go"_q), withIcon(QIcon(), "Icon"_q);
        QStringList order;
        for (Button* b : { &button, &withIcon }) {
            connect(b, qOverload<>(&Button::buttonClicked), this, [&] { order << "plain"_q; });
            connect(b, qOverload<QObject*>(&Button::buttonClicked), this,
                [&order, b](QObject* sender) { order << (sender == b ? "sender"_q : "other"_q); });
        }
        button.resize(80, 30);
        QTest::mouseClick(&button, Qt::LeftButton);
        withIcon.click();
        QCOMPARE(order.join(QLatin1Char(' ')), "plain sender plain sender"_q);
        QVERIFY(button.testAttribute(Qt::WA_LayoutUsesWidgetRect));
    }

    void wheelPassesToScrollArea_data()
    {
        testutils::columns<QString, bool>("control", "scrolls");
        QTest::newRow("check box") << "check"_q << true;
        QTest::newRow("disabled button") << "button"_q << true;
        QTest::newRow("plain label") << "label"_q << true;
        QTest::newRow("spin box keeps it") << "spin"_q << false;
    }
    void wheelPassesToScrollArea()
    {
        const auto [control, scrolls] = fetch<QString, bool>("control", "scrolls");
        auto* check = control == "check"_q ? new CheckBox("Check"_q, ePrimary) : nullptr;
        QWidget* target = check     ? check
            : control == "button"_q ? static_cast<QWidget*>(new Button("Button"_q))
            : control == "label"_q  ? static_cast<QWidget*>(new QLabel("L"_q))
                                    : new QSpinBox;
        target->setEnabled(control != "button"_q);
        QScrollArea area;
        area.resize(200, 150);
        auto* content = new QWidget;
        auto* layout = new QVBoxLayout(content);
        layout->addWidget(target);
        layout->addSpacing(2000);
        area.setWidget(content);
        area.show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        QCOMPARE(area.verticalScrollBar()->value(), 0);
        testutils::sendWheel(target, -120);
        QCOMPARE(area.verticalScrollBar()->value() > 0, scrolls);
        QVERIFY(!check || !check->isChecked());
    }

    void checkBoxStyleType_data()
    {
        testutils::columns<int, QString, QColor>("order", "styleType", "text");
        // The text colour as the test sheet gives each variant.
        const QColor unstyled = QApplication::palette().color(QPalette::WindowText);
        QTest::newRow("primary") << 0 << "primary"_q << QColor(10, 20, 30);
        QTest::newRow("primary light") << 1 << "primary_light"_q << QColor(40, 50, 60);
        QTest::newRow("secondary") << 2 << "secondary"_q << QColor(70, 80, 90);
        QTest::newRow("out of range") << 7 << QString() << unstyled;
        QTest::newRow("negative") << -1 << QString() << unstyled;
    }
    void checkBoxStyleType()
    {
        QFETCH(int, order);
        auto* box = new CheckBox("Box"_q, static_cast<eOrder>(order));
        QTEST(box->property("style_type").toString(), "styleType");
        QVERIFY(!box->testAttribute(Qt::WA_MacShowFocusRect));
        testutils::HostWindow window(box);
        forceStyles(&window);
        QVERIFY(window.showActive());
        QTEST(box->palette().color(QPalette::WindowText), "text");
    }

    void labelWraps()
    {
        Label label("A rather long title that cannot possibly fit on one line of a narrow "
                    "property sheet row"_q);
        QVERIFY(label.wordWrap() && !label.testAttribute(Qt::WA_MacShowFocusRect));
        QCOMPARE(label.indent(), 0);
        QCOMPARE(label.sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
        QCOMPARE(label.sizePolicy().verticalPolicy(), QSizePolicy::Preferred);
        const int oneLine = label.fontMetrics().height();
        QVERIFY(label.heightForWidth(80) >= 3 * oneLine);
        const int wide = label.heightForWidth(2000);
        QVERIFY(wide < 2 * oneLine);
        label.setContentsMargins(0, 5, 0, 7);
        QCOMPARE(label.heightForWidth(2000), wide + 12);
        // Left stays at the leading edge, absolute while right to left, and plain again after.
        label.setLayoutDirection(Qt::RightToLeft);
        QCOMPARE(label.alignment(), Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter);
        label.setLayoutDirection(Qt::LeftToRight);
        QCOMPARE(label.alignment(), Qt::AlignLeft | Qt::AlignVCenter);
    }

    void separatorLine()
    {
        auto* unnamed = new SeparatorLine(nullptr, nullptr);
        testutils::HostWindow window(unnamed);
        window.layout()->addWidget(new SeparatorLine(&window, "thin"));
        forceStyles(&window);
        QVERIFY(window.showActive());
        QVERIFY(unnamed->objectName().isEmpty() && window.findChild<SeparatorLine*>("thin"_q));
        // Height and colour come from the sheet alone.
        const QImage image = unnamed->grab().toImage();
        QCOMPARE(std::tuple(unnamed->frameShape(), unnamed->height(),
                     QColor(image.pixel(image.width() / 2, 1))),
            std::tuple(QFrame::NoFrame, 3, QColor(255, 0, 0)));
    }

    // Scripts: '>' leaves the field, '=' calls setText, '^' pastes rich text, '~' opens the
    // editor's own context menu and leaves it open; any other character is typed into the field
    // (focused again first if it was left), '\r' being Return, '\t' Tab.
    void textFieldSignals_data()
    {
        testutils::columns<QString, bool, QString>("script", "multi", "expected");
        using testutils::row;
        row("typing", "c", false, "changed:abc");
        row("Return unchanged", "\r", false, "finished:ab");
        row("leaving unchanged", ">", false, "finished:ab");
        row("type, Return, leave", "c\r>", false, "changed:abc|finished:abc|finished:abc");
        row("leaving while its menu is open", "~>", false, "finished:ab");
        row("multi: every leave", ">c>", true, "finished:ab|finished:abc");
        row("multi: Return, Tab leaves", "\rc\t", true, "finished:ab\nc");
        row("multi: paste as plain text", "^>", true, "finished:abBold words");
        row("multi: setText, silent", "=>", true, "finished:<b>x</b>");
    }
    void textFieldSignals()
    {
        const auto [script, multi] = fetch<QString, bool>("script", "multi");
        QStringList log; // outlives the window, whose closing takes the focus away
        const auto record = [&log](QString const& kind) {
            return [&log, kind](QString const& text) { log << kind + text; };
        };
        auto* single = multi ? nullptr : new TextField("ab"_q, false);
        auto* several = multi ? new MultiTextField("Notes"_q, "ab"_q, false) : nullptr;
        QWidget* field = several ? static_cast<QWidget*>(several) : single;
        if (single) {
            connect(single, &TextField::textChanged, this, record("changed:"_q));
            connect(single, &TextField::editingFinished, this, record("finished:"_q));
        } else {
            connect(several, &MultiTextField::editingFinished, this, record("finished:"_q));
        }
        QCOMPARE(field->property("style_type").toString(), "transp"_q);
        QCOMPARE(TextField().property("two_lines"), QVariant(false)); // the bare form too
        testutils::HostWindow w(field);
        QVERIFY(w.showActive());
        auto* edit = part<QWidget>(field, "edit");
        QVERIFY(testutils::focus(edit));
        QTest::keyClick(edit, Qt::Key_End);
        for (QChar c : script) {
            if (c == QLatin1Char('>')) {
                QVERIFY(testutils::focus(w.other));
            } else if (c == QLatin1Char('^')) {
                auto* mime = new QMimeData;
                mime->setHtml("<b>Bold</b> <i>words</i>"_q);
                mime->setText("Bold words"_q);
                QApplication::clipboard()->setMimeData(mime);
                QMetaObject::invokeMethod(edit, "paste");
            } else if (c == QLatin1Char('~')) {
                QContextMenuEvent menu(
                    QContextMenuEvent::Keyboard, QPoint(2, 2), edit->mapToGlobal(QPoint(2, 2)));
                QApplication::sendEvent(edit, &menu);
                QVERIFY(QApplication::activePopupWidget());
            } else if (c == QLatin1Char('=')) {
                single ? single->setText("<b>x</b>"_q) : several->setText("<b>x</b>"_q);
            } else {
                if (!edit->hasFocus())
                    QVERIFY(testutils::focus(edit));
                QTest::keyClick(edit, c.toLatin1());
            }
        }
        if (several) // pasted formatting was dropped
            QVERIFY(!several->findChild<QTextEdit*>()->toMarkdown().contains(QLatin1Char('*')));
        delete field; // while focused in some rows: no edit either
        QTEST(log.join(QLatin1Char('|')), "expected");
    }

    // plain: entries set first, which keyed entries follow, ordered by their number; shown:
    // the entries, as "text=number" where the number is stored as a float.
    void comboSetValue_data()
    {
        testutils::columns<QString, Entries, bool, int, QString, int, QString, QString>(
            "plain", "map", "editable", "start", "value", "index", "text", "shown");
        using testutils::row;
        const Entries thirds { { "third"_q, 0.33 }, { "half"_q, 0.5 } };
        const Entries lowHigh { { "Low"_q, 1 }, { "High"_q, 2 } };
        const Entries offHigh { { "Off"_q, 0 }, { "High"_q, 2 } };
        const Entries collapsing { { "b"_q, 2 }, { "a"_q, 1 }, { "c"_q, 1.0 } };
        const Entries odd { { "a"_q, "none"_q }, { "b"_q, qQNaN() }, { "hi"_q, qInf() },
            { "lo"_q, -qInf() }, { "m"_q, "0.5"_q } };
        row("0.333 within 0.01", "", thirds, false, 1, "0.333", 0, "third", "third=0.33 half=0.5");
        row("0.35 unmatched, fixed", "", thirds, false, 1, "0.35", 1, "half",
            "third=0.33 half=0.5");
        row("High reads as 0", "", offHigh, false, 1, "High", 0, "Off", "Off=0 High=2");
        row("text when no number", "", lowHigh, false, 0, "High", 1, "High", "Low=1 High=2");
        row("plain list", "x y z", Entries(), false, 2, "y", 0, "x", "x y z");
        row("unmatched, editable", "", lowHigh, true, 0, "7.5", 0, "7.5", "Low=1 High=2");
        row("unmatched, kept", "", lowHigh, false, 1, "Medium", 1, "High", "Low=1 High=2");
        row("matched, editable", "", thirds, true, 1, "0.333", 0, "third", "third=0.33 half=0.5");
        row("collapse, last key wins", "first", collapsing, false, 0, "2", 2, "b", "first c=1 b=2");
        row("non-numbers and NaN count as 0", "first", odd, false, 0, "0.5", 3, "m",
            "first lo=-inf b=0 m=0.5 hi=inf");
    }
    void comboSetValue()
    {
        const auto [plain, map, editable, start, value]
            = fetch<QString, Entries, bool, int, QString>(
                "plain", "map", "editable", "start", "value");
        ComboBox row(QString(), false);
        row.setEditable(editable);
        row.setValues(plain.split(QLatin1Char(' '), Qt::SkipEmptyParts));
        row.setValues(map);
        auto* box = row.findChild<QComboBox*>();
        QStringList shown;
        for (int i = 0; i < box->count(); ++i) {
            const QVariant data = box->itemData(i);
            const bool isFloat = data.userType() == QMetaType::Float;
            shown << box->itemText(i)
                    + (isFloat ? "="_q + QString::number(data.toFloat()) : QString());
        }
        QTEST(shown.join(QLatin1Char(' ')), "shown");
        row.setCurrentIndex(start);
        QSignalSpy spy(&row, &ComboBox::currentIndexChanged);
        row.setValue(value);
        QTEST(row.currentIndex(), "index");
        QTEST(row.currentValue(), "text");
        QCOMPARE(spy.count(), 0);
    }

    // Qt 6 dropped QComboBox::currentIndexChanged(QString); the row's own one must not change.
    void comboIndexChangedWithText()
    {
        auto* row = new ComboBox("Mode"_q, false);
        QStringList log;
        connect(row, &ComboBox::currentIndexChanged, this, [&log](QString const& t) { log << t; });
        row->setValues(QStringList { "one"_q, "two"_q, "Two"_q }); // selects "one"
        row->setCurrentIndex(2);
        auto* box = row->findChild<QComboBox*>();
        box->blockSignals(true);
        row->setValue("1"_q); // matches nothing, leaves the box unblocked
        row->setCurrentValue("TWO"_q); // exact text only: nothing selected
        row->setCurrentIndex(0);
        row->setEditable(true);
        testutils::HostWindow w(row);
        QVERIFY(w.showActive());
        for (QString typed : { QString(), "42"_q }) { // leaving emits, changed or not
            QVERIFY(testutils::focus(box));
            QTest::keyClicks(box, typed);
            QVERIFY(testutils::focus(w.other));
        }
        QVERIFY(!testutils::sendWheel(box, -120)); // left to the parents
        QCOMPARE(log, "one Two  one one one42"_q.split(QLatin1Char(' ')));
        // The popup list is the one the theme addresses by name.
        box->showPopup();
        QVERIFY(box->findChild<QWidget*>("view"_q));
        box->hidePopup();
    }

    // Title and box sit edge to edge from the top-left corner, and keep their height when the
    // row is given more.
    void comboLayout_data()
    {
        QTest::addColumn<bool>("twoLines");
        QTest::newRow("one line") << false;
        QTest::newRow("two lines") << true;
    }
    void comboLayout()
    {
        QFETCH(bool, twoLines);
        ComboBox row("Mode"_q, twoLines);
        auto* label = row.findChild<Label*>();
        const QSize l = label->sizeHint(), b = row.findChild<QComboBox*>()->sizeHint();
        const QSize packed = twoLines ? QSize(qMax(l.width(), b.width()), l.height() + b.height())
                                      : QSize(l.width() + b.width(), qMax(l.height(), b.height()));
        QCOMPARE(row.sizeHint(), packed);
        row.resize(packed + QSize(0, 100));
        row.show();
        QVERIFY(QTest::qWaitForWindowExposed(&row));
        QCOMPARE(label->pos(), QPoint(0, 0));
        QCOMPARE(row.findChild<QComboBox*>()->geometry().bottom(), packed.height() - 1);
        QCOMPARE(label->alignment(), Qt::AlignLeft | (twoLines ? Qt::AlignTop : Qt::AlignVCenter));
    }

    // The swatch opens its dialog from the mouse and the keyboard, never emitting clicked().
    void colorDialog_data()
    {
        QTest::addColumn<int>("key"); // 0: a click
        QTest::newRow("click") << 0;
        QTest::newRow("Space") << int(Qt::Key_Space);
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Enter") << int(Qt::Key_Enter);
    }
    void colorDialog()
    {
        QFETCH(int, key);
        QPointer<ColorPicker> picker = new ColorPicker("Colour"_q);
        testutils::HostWindow w(picker);
        QVERIFY(w.showActive());
        picker->setColor(Qt::red);
        auto* swatch = part<ColorPicker_PushButton>(picker, "button");
        QVERIFY(testutils::focus(swatch));
        QSignalSpy clicked(swatch, &QAbstractButton::clicked);
        QStringList log;
        connect(picker, &ColorPicker::colorChanged, this,
            [&log](QColor const& colour) { log << "picker:"_q + colour.name(); });
        // Hands the dialog, from inside its own event loop, to `action`, which must close it.
        const auto open = [swatch](int how, auto action) {
            QObject watch;
            testutils::onModal<QColorDialog>(&watch, action);
            how ? QTest::keyClick(swatch, Qt::Key(how)) : QTest::mouseClick(swatch, Qt::LeftButton);
        };
        // A letter opens nothing; then cancelled, and accepted twice with the same colour.
        open(Qt::Key_A, [&log](QColorDialog* dialog) {
            log << "letter"_q;
            dialog->reject();
        });
        for (bool accept : { false, true, true })
            open(key, [&](QColorDialog* dialog) {
                log << "offered:"_q + dialog->currentColor().name();
                dialog->setCurrentColor(Qt::blue);
                accept ? dialog->accept() : dialog->reject();
            });
        QCOMPARE(log.join(QLatin1Char(' ')),
            "offered:#ff0000 offered:#ff0000 picker:#0000ff offered:#0000ff picker:#0000ff"_q);
        QCOMPARE(std::pair(int(clicked.count()), swatch->isDown()), std::pair(0, false));
        QCOMPARE(picker->getValue(), QColor(Qt::blue));
        picker->setEnabled(true); // back to the colour last set, not the one picked
        QCOMPARE(picker->getValue(), QColor(Qt::red));
        open(0, [picker](QColorDialog*) { delete picker.data(); });
        QVERIFY(!picker); // and nothing more was announced
        QCOMPARE(log.size(), 5);
    }

    void colorSwatch()
    {
        ColorPicker picker { QString() };
        picker.setStyleSheet("#button { border: 1px solid #00ff00; background: black; }"_q);
        picker.resize(120, 40);
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        auto* swatch = part<ColorPicker_PushButton>(&picker, "button");
        const int w = swatch->width(), h = swatch->height();
        const auto at
            = [swatch](int x, int y) { return swatch->grab().toImage().pixelColor(x, y).name(); };
        QCOMPARE(at(w / 2, h / 2), "#ffffff"_q);
        picker.setColor(Qt::red);
        // The style's frame, the 2-pixel band, and the colour from 2 pixels in on every side.
        QCOMPARE(QStringList({ at(0, h / 2), at(1, h / 2), at(2, h / 2), at(w - 2, 1),
                                 at(w - 3, h - 3), at(w / 2, 1), at(w / 2, 2) })
                     .join(QLatin1Char(' ')),
            "#00ff00 #000000 #ff0000 #000000 #ff0000 #000000 #ff0000"_q);
        picker.setEnabled(false);
        QVERIFY(!swatch->isEnabled());
        picker.setValue(Qt::yellow); // kept, but grey while disabled
        QCOMPARE(at(w / 2, h / 2) + picker.getValue().name(), "#f0f0f0#f0f0f0"_q);
        picker.setEnabled(true);
        QCOMPARE(at(w / 2, h / 2) + picker.getValue().name(), "#ffff00#ffff00"_q);
    }

    // Entries read "text<path>", each path also being the tooltip.
    void fileEntries_data()
    {
        // files "-": no source.
        testutils::columns<QStringList, QString, QString, int>(
            "files", "fileName", "expected", "selected");
        const QString both = "<>|x.png</a/x.png>|x.png</b/x.png>"_q;
        QTest::newRow("same names") << QStringList { ax, bx } << bx << both << 2;
        QTest::newRow("not in the list") << QStringList { ax, bx } << "/c/y.png"_q << both << 0;
        QTest::newRow("duplicates")
            << QStringList { ax, ax } << ax << "<>|x.png</a/x.png>|x.png</a/x.png>"_q << 2;
        QTest::newRow("no source") << QStringList { "-"_q } << bx << "x.png</b/x.png>"_q << 0;
        QTest::newRow("no files") << QStringList() << ax << "x.png</a/x.png>"_q << 0;
    }
    void fileEntries()
    {
        const auto [files, fileName, selected]
            = fetch<QStringList, QString, int>("files", "fileName", "selected");
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
        // The row hugs the top-left corner, also when the host's sheet caps the combo's height.
        combo->setMaximumHeight(combo->height());
        w.resize(w.width(), w.height() + 100);
        QTRY_VERIFY(picker->height() > combo->height() + 50);
        QCOMPARE(combo->pos(), QPoint(0, 0));
        // The combo's filter: the wheel goes on to the parents, the tooltip names the file.
        QVERIFY(!testutils::sendWheel(combo, -120));
        QCOMPARE(combo->currentIndex(), selected);
        QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), combo->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(combo, &help);
        QTRY_COMPARE(QToolTip::text(), fileName);
        QCOMPARE(picker->getFileName(), fileName);
        QCOMPARE(spy.count(), 0);
    }

    void fileChoosingBrowsingRemoving()
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
        QCOMPARE(picker->findChild<Label*>()->objectName(), "title"_q);
        // Names are shortened from the left to the combo's width less 32 pixels.
        const QString shown = combo->itemText(3);
        QVERIFY2(shown.startsWith(QChar(0x2026)) && shown.endsWith("end.png"_q), qPrintable(shown));
        QCOMPARE(shown, combo->fontMetrics().elidedText(name, Qt::ElideLeft, 140 - 32));
        // A press opens the popup on the source's list as it is at that moment.
        source->files.removeLast();
        QTest::mouseClick(combo, Qt::LeftButton);
        QTRY_VERIFY(combo->view()->isVisible());
        QCOMPARE(combo->count(), 3);
        combo->hidePopup();

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
        picker->setMixed(true); // with no file, clearing the others' files is still offered
        QVERIFY(part(picker, "remove")->isEnabled());

        picker->hide(); // a hidden picker rebuilds its list only when shown again
        picker->setFileName(ax);
        QCOMPARE(combo->currentIndex(), 0);
        picker->show();
        QCOMPARE(combo->currentIndex(), 1);
    }

    void fileDragAndDrop_data()
    {
        // names, separated by spaces, "-" first: no source; dropped: also when the drag was
        // refused.
        testutils::columns<QString, bool, QString>("names", "accepted", "dropped");
        using testutils::row;
        row("one file", "one.png", true, "one.png");
        row("symbolic link", "link.png", true, "one.png");
        row("two files", "one.png two.png", false, "one.png");
        row("folder", "folder.png", false, "");
        row("missing file", "gone.png", false, "");
        row("refused", "refused.png", false, "");
        row("remote", "http://h/one.png", false, "");
        row("reference", "file:///.file/id=6.2", false, "");
        row("no source", "- one.png", false, "");
        row("no URLs", "", false, "");
    }
    void fileDragAndDrop()
    {
        const auto [list, dropped] = fetch<QString, QString>("names", "dropped");
        const QStringList names = list.split(QLatin1Char(' '), Qt::SkipEmptyParts);
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

    void imageScaling_data()
    {
        // The viewer starts out scaling to width 50; `stored` empty: nothing stored.
        testutils::columns<int, QSize, QSize, QSize>("mode", "size", "picture", "stored");
        using testutils::row;
        row("width shrinks", 0, QSize(200, 7), QSize(400, 300), QSize(200, 150));
        row("width never enlarges", 0, QSize(200, 7), QSize(100, 80), QSize(100, 80));
        row("height shrinks", 1, QSize(7, 100), QSize(300, 400), QSize(75, 100));
        row("size enlarges", 2, QSize(200, 200), QSize(100, 50), QSize(200, 100));
        row("size shrinks", 2, QSize(300, 30), QSize(800, 1600), QSize(15, 30));
        row("no scale keeps width 50", 3, QSize(9, 9), QSize(100, 80), QSize(50, 40));
        row("no picture", 0, QSize(200, 7), QSize(0, 80), QSize());
    }
    void imageScaling()
    {
        const auto [mode, size, picture, stored]
            = fetch<int, QSize, QSize, QSize>("mode", "size", "picture", "stored");
        const QVector<quint32> pixels(800 * 1600, 0xff102030u);
        ImageViewer viewer(nullptr);
        viewer.setScaledToWidth(50);
        viewer.setImage(QImage(4, 4, QImage::Format_ARGB32)); // replaced by what follows
        viewer.setImage(sImage { pixels.constData(), picture.width(), picture.height() },
            static_cast<ImageViewer::eTypeScale>(mode), size);
        QCOMPARE(viewer.getImage().size(), stored.isEmpty() ? QSize(0, 0) : stored);
    }

    void imageDrawing_data()
    {
        testutils::columns<QSize, QPoint>("viewerSize", "origin"); // of a 100 x 100 picture
        QTest::newRow("300x200 centres") << QSize(300, 200) << QPoint(100, 50);
        QTest::newRow("101x101: one pixel slack") << QSize(101, 101) << QPoint(0, 0);
        QTest::newRow("smaller than the picture") << QSize(50, 40) << QPoint(0, 0);
    }
    void imageDrawing()
    {
        const auto [viewerSize, origin] = fetch<QSize, QPoint>("viewerSize", "origin");
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
        QImage bitmap(8, 8, QImage::Format_Mono);
        bitmap.setColorTable({}); // a bitmap without colours gets Qt's own: black and white
        viewer.setImage(bitmap);
        QCOMPARE(
            viewer.getImage().colorTable(), (QVector<QRgb> { qRgb(0, 0, 0), qRgb(255, 255, 255) }));
    }
};

QTEST_MAIN(tst_Controls)
#include "tst_controls.moc"
