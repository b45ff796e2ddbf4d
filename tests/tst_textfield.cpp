#include "TestUtils.h"

#include <corvane/MultiTextField.h>
#include <corvane/TextField.h>

#include <QClipboard>
#include <QMimeData>
#include <QTextEdit>

class tst_TextField : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Scripts: '>' leaves the field, '=' calls setText, '^' pastes rich text; any other character
    // is typed into the field (focused again first if it was left), '\r' being Return, '\t' Tab.
    void signalSequence_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("multi");
        QTest::addColumn<QString>("expected");
        QTest::newRow("typing") << "c"_q << false << "changed:abc"_q;
        QTest::newRow("Return unchanged") << "\r"_q << false << "finished:ab"_q;
        QTest::newRow("leaving unchanged") << ">"_q << false << "finished:ab"_q;
        QTest::newRow("type, Return, leave")
            << "c\r>"_q << false << "changed:abc|finished:abc|finished:abc"_q;
        QTest::newRow("multi: every leave") << ">c>"_q << true << "finished:ab|finished:abc"_q;
        QTest::newRow("multi: Return, Tab leaves") << "\rc\t"_q << true << "finished:ab\nc"_q;
        QTest::newRow("multi: paste as plain text") << "^>"_q << true << "finished:abBold words"_q;
        QTest::newRow("multi: setText, silent") << "=>"_q << true << "finished:<b>x</b>"_q;
    }
    void signalSequence()
    {
        QFETCH(QString, script);
        QFETCH(bool, multi);
        QStringList log; // outlives the window, whose closing takes the focus away
        const auto record = [&log](QString const& kind) {
            return [&log, kind](QString const& text) { log << kind + text; };
        };
        auto* single = multi ? nullptr : new TextField("ab"_q, false);
        auto* several = multi ? new MultiTextField("Notes"_q, "ab"_q, false) : nullptr;
        QWidget* field = multi ? static_cast<QWidget*>(several) : single;
        if (single) {
            connect(single, &TextField::textChanged, this, record("changed:"_q));
            connect(single, &TextField::editingFinished, this, record("finished:"_q));
        } else {
            connect(several, &MultiTextField::editingFinished, this, record("finished:"_q));
        }
        testutils::HostWindow w(field);
        QVERIFY(w.showActive());
        auto* edit = field->findChild<QWidget*>("edit"_q);
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
};

QTEST_MAIN(tst_TextField)
#include "tst_textfield.moc"
