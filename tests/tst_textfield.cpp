#include <corvane/Label.h>
#include <corvane/MultiTextField.h>
#include <corvane/TextField.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QVBoxLayout>

class tst_TextField : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void titlePlacement_data();
    void titlePlacement();
    void signalSequence_data();
    void signalSequence();
    void setTextEmitsOnlyTextChanged();
    void styleType();
    void oneArgumentConstructor();
    void multiCommitsOnEveryFocusLoss();
    void multiPastesPlainText();
    void multiTabMovesFocus();
    void focusedFieldsDestroyedSilently();
};

namespace {

// A window with the control under test followed by a plain line edit to move the focus to.
struct Window
{
    QWidget window;
    QLineEdit* other;

    explicit Window(QWidget* field)
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(field);
        other = new QLineEdit(&window);
        layout->addWidget(other);
        window.resize(300, 200);
        window.show();
        window.activateWindow();
    }
    bool ready() { return QTest::qWaitForWindowActive(&window); }
};

template<typename Field> void recordSignals(Field* field, QStringList* log)
{
    QObject::connect(field, &Field::editingFinished, field,
        [log](QString const& text) { log->append(QStringLiteral("finished:") + text); });
}

} // namespace

void tst_TextField::titlePlacement_data()
{
    QTest::addColumn<bool>("twoLines");
    QTest::addColumn<bool>("multi");
    QTest::newRow("single, beside") << false << false;
    QTest::newRow("single, above") << true << false;
    QTest::newRow("multi, beside") << false << true;
    QTest::newRow("multi, above") << true << true;
}

void tst_TextField::titlePlacement()
{
    QFETCH(bool, twoLines);
    QFETCH(bool, multi);
    QWidget* field = multi
        ? static_cast<QWidget*>(new MultiTextField(QStringLiteral("Title"), QString(), twoLines))
        : static_cast<QWidget*>(new TextField(QStringLiteral("Title"), QString(), twoLines));
    QScopedPointer<QWidget> owner(field);
    field->resize(300, 200);
    field->show();
    QVERIFY(QTest::qWaitForWindowExposed(field));

    const QWidget* label = field->findChild<Label*>();
    const QWidget* edit = field->findChild<QWidget*>(QStringLiteral("edit"));
    QVERIFY(label && edit);
    QCOMPARE(field->property("two_lines").toBool(), twoLines);
    if (twoLines) {
        QCOMPARE(edit->geometry().top(), label->geometry().bottom() + 1 + 5);
        QCOMPARE(edit->x(), label->x());
    } else {
        QCOMPARE(edit->geometry().left(), label->geometry().right() + 1 + 5);
        QCOMPARE(field->layout()->spacing(), 5);
    }
}

void tst_TextField::signalSequence_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("pressReturn");
    QTest::addColumn<bool>("leave");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("typing only") << QStringLiteral("c") << false << false
                                 << QStringList { QStringLiteral("changed:abc") };
    QTest::newRow("return without change")
        << QString() << true << false << QStringList { QStringLiteral("finished:ab") };
    QTest::newRow("leaving without change")
        << QString() << false << true << QStringList { QStringLiteral("finished:ab") };
    QTest::newRow("type, return, leave")
        << QStringLiteral("c") << true << true
        << QStringList { QStringLiteral("changed:abc"), QStringLiteral("finished:abc"),
               QStringLiteral("finished:abc") };
    QTest::newRow("type, leave") << QStringLiteral("cd") << false << true
                                 << QStringList { QStringLiteral("changed:abc"),
                                        QStringLiteral("changed:abcd"),
                                        QStringLiteral("finished:abcd") };
}

void tst_TextField::signalSequence()
{
    QFETCH(QString, typed);
    QFETCH(bool, pressReturn);
    QFETCH(bool, leave);
    QFETCH(QStringList, expected);

    QStringList log; // outlives the window, whose closing takes the focus away
    auto* field = new TextField(QStringLiteral("ab"), false);
    Window w(field);
    QVERIFY(w.ready());
    auto* edit = field->findChild<QLineEdit*>(QStringLiteral("edit"));
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    edit->end(false);

    connect(field, &TextField::textChanged, this,
        [&log](QString const& text) { log.append(QStringLiteral("changed:") + text); });
    recordSignals(field, &log);

    QTest::keyClicks(edit, typed);
    if (pressReturn)
        QTest::keyClick(edit, Qt::Key_Return);
    if (leave) {
        w.other->setFocus();
        QTRY_VERIFY(w.other->hasFocus());
    }
    QCOMPARE(log, expected);
    QCOMPARE(field->text(), QStringLiteral("ab") + typed);
}

void tst_TextField::setTextEmitsOnlyTextChanged()
{
    TextField field(QStringLiteral("old"), false);
    QSignalSpy changed(&field, &TextField::textChanged);
    QSignalSpy finished(&field, &TextField::editingFinished);
    field.setText(QStringLiteral("new"));
    field.setText(QStringLiteral("new"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toString(), QStringLiteral("new"));
    QCOMPARE(finished.count(), 0);
    QCOMPARE(field.text(), QStringLiteral("new"));
}

void tst_TextField::styleType()
{
    TextField single;
    MultiTextField multi(QString(), QString(), false);
    for (QWidget* w : { static_cast<QWidget*>(&single), static_cast<QWidget*>(&multi) })
        QCOMPARE(w->property("style_type").toString(), QStringLiteral("transp"));
    single.forceStyles(QStringLiteral("white"));
    multi.forceStyles(QStringLiteral("dark"));
    QCOMPARE(single.property("style_type").toString(), QStringLiteral("white"));
    QCOMPARE(multi.property("style_type").toString(), QStringLiteral("dark"));
    // The host's sheet is applied to the field itself.
    QVERIFY(single.styleSheet().contains(QStringLiteral("SeparatorLine")));
}

void tst_TextField::oneArgumentConstructor()
{
    TextField field;
    const QList<Label*> labels = field.findChildren<Label*>();
    QCOMPARE(labels.size(), 1);
    QVERIFY(labels.first()->text().isEmpty());
    QVERIFY(field.text().isEmpty());
    QVERIFY(!field.isTwoLines());
    field.setTitle(QStringLiteral("Name"));
    QCOMPARE(labels.first()->text(), QStringLiteral("Name"));
}

void tst_TextField::multiCommitsOnEveryFocusLoss()
{
    QStringList log;
    auto* field = new MultiTextField(QStringLiteral("Notes"), QStringLiteral("one"), true);
    Window w(field);
    QVERIFY(w.ready());
    auto* edit = field->findChild<QTextEdit*>(QStringLiteral("edit"));
    recordSignals(field, &log);

    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    w.other->setFocus();
    QTRY_VERIFY(w.other->hasFocus());
    QCOMPARE(log, QStringList { QStringLiteral("finished:one") });

    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    edit->moveCursor(QTextCursor::End);
    QTest::keyClick(edit, Qt::Key_Return); // a line break, no commit
    QTest::keyClicks(edit, QStringLiteral("two"));
    QCOMPARE(log.size(), 1);
    w.other->setFocus();
    QTRY_VERIFY(w.other->hasFocus());
    QCOMPARE(log.last(), QStringLiteral("finished:one\ntwo"));
    QCOMPARE(log.size(), 2);

    // setText replaces everything as plain text and commits nothing.
    field->setText(QStringLiteral("<b>x</b>"));
    QCOMPARE(edit->toPlainText(), QStringLiteral("<b>x</b>"));
    QCOMPARE(log.size(), 2);
}

void tst_TextField::multiPastesPlainText()
{
    auto* field = new MultiTextField(QString(), QString(), false);
    Window w(field);
    QVERIFY(w.ready());
    auto* edit = field->findChild<QTextEdit*>(QStringLiteral("edit"));

    auto* mime = new QMimeData;
    mime->setHtml(QStringLiteral("<b>Bold</b> <i>words</i>"));
    mime->setText(QStringLiteral("Bold words"));
    QApplication::clipboard()->setMimeData(mime);
    edit->setFocus();
    edit->paste();

    QCOMPARE(edit->toPlainText(), QStringLiteral("Bold words"));
    for (auto it = edit->document()->begin().begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        QVERIFY(format.fontWeight() != QFont::Bold);
        QVERIFY(!format.fontItalic());
    }
}

void tst_TextField::multiTabMovesFocus()
{
    QStringList log;
    auto* field = new MultiTextField(QString(), QStringLiteral("text"), false);
    Window w(field);
    QVERIFY(w.ready());
    auto* edit = field->findChild<QTextEdit*>(QStringLiteral("edit"));
    recordSignals(field, &log);
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());

    QTest::keyClick(edit, Qt::Key_Tab);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.other));
    QCOMPARE(edit->toPlainText(), QStringLiteral("text"));
    QCOMPARE(log, QStringList { QStringLiteral("finished:text") });
}

void tst_TextField::focusedFieldsDestroyedSilently()
{
    int finished = 0;
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* single = new TextField(QStringLiteral("a"), false);
    auto* multi = new MultiTextField(QString(), QStringLiteral("b"), false);
    layout->addWidget(single);
    layout->addWidget(multi);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    connect(single, &TextField::editingFinished, this, [&finished] { ++finished; });
    connect(multi, &MultiTextField::editingFinished, this, [&finished] { ++finished; });

    single->findChild<QLineEdit*>()->setFocus();
    QTRY_VERIFY(single->findChild<QLineEdit*>()->hasFocus());
    delete single;
    multi->findChild<QTextEdit*>()->setFocus();
    QTRY_VERIFY(multi->findChild<QTextEdit*>()->hasFocus());
    delete multi;
    QCOMPARE(finished, 0);
}

QTEST_MAIN(tst_TextField)
#include "tst_textfield.moc"
