// Themes switched at run time, the shared theme mode, and what a sheet costs Qt in polishes.
#include "FakeHost.h"
#include "TestUtils.h"

#include <corvane/CorvaneWidgets.h>

#include <QAction>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollArea>
#include <QTextEdit>

using namespace testutils;

namespace {

// Colours the test sheet does not use, one per kind of part, and a look per style_type.
const QString NewTheme = R"(
Label { color: rgb(1, 2, 3); }
LineEdit[style_type="transp"] { color: rgb(4, 5, 6); }
LineEdit[style_type="white"] { color: rgb(7, 8, 9); }
TextField #edit, MultiTextField #edit { color: rgb(10, 11, 12); }
CheckBox { color: rgb(13, 14, 15); }
ThumbnailsListItem[style_type="default"] QLineEdit { color: rgb(16, 17, 18); }
ThumbnailsListItem[style_type="active"] QLineEdit { color: rgb(19, 20, 21); }
Toolbar QPushButton { color: rgb(22, 23, 24); }
InputLineSlider[style_type="focus"] #label { color: rgb(25, 26, 27); }
)"_q;

// Every Polish and StyleChange that reaches a widget while it lives.
struct EventCount : QObject
{
    EventCount() { qApp->installEventFilter(this); }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Polish)
            ++polish[o];
        else if (e->type() == QEvent::StyleChange)
            ++styleChange[o];
        return false;
    }
    QHash<QObject*, int> polish, styleChange;
};

// A window as a host themes it: a sheet built on its own and placed in a scroll area, a
// thumbnails list with its first entry selected, and a toolbar.
struct ThemedWindow : QWidget
{
    ThemedWindow()
    {
        PropertiesListBuilder b("Theme"_q);
        b.AddSlider("Length"_q, "length"_q, 0, 10, NumberFlags::Default, 2);
        b.AddSlider("Angle"_q, "angle"_q, 0, 10, NumberFlags::Default, 2);
        b.AddCheckBox("Outline"_q, "outline"_q, ePrimary);
        b.AddComboBox("Shape"_q, "shape"_q, false, false);
        b.AddColorPicker("Fill"_q, "fill"_q, ePrimary);
        b.AddTextField("Caption"_q, "caption"_q, "w"_q, false);
        b.AddMultiTextField("Notes"_q, "notes"_q, "w"_q, true);
        host.m_list = b;
        host.preset({ { "shapeValues"_q, QStringList { "Circle"_q, "Star"_q } } });
        corvane::applyTheme(this);
        auto* column = new QVBoxLayout(this);
        sheet = new PropertyListWidget(&host, nullptr);
        auto* scroll = new QScrollArea;
        scroll->setWidget(sheet);
        scroll->setWidgetResizable(true);
        column->addWidget(scroll);
        column->addWidget(list);
        column->addWidget(toolbar);
        for (int i = 0; i < 3; ++i) {
            QPixmap page(40, 30);
            page.fill(Qt::white);
            list->addItem(page, "Page %1"_q.arg(i));
        }
        list->setSelected(list->getItem(0));
        for (QString id : { "pen"_q, "brush"_q }) {
            auto* action = new QAction(id, this);
            action->setProperty("buttonId", id);
            toolbar->insertAction(toolbar->actions().size(), action);
        }
        resize(400, 900);
    }
    bool showExposed()
    {
        show();
        activateWindow();
        return QTest::qWaitForWindowActive(this);
    }
    FakeHost host;
    PropertyListWidget* sheet;
    ThumbnailsList* list = new ThumbnailsList;
    Toolbar* toolbar = new Toolbar;
};

// One row for each theme mode.
void modes()
{
    QTest::addColumn<bool>("shared");
    QTest::newRow("copy on each control") << false;
    QTest::newRow("shared") << true;
}

QColor textOf(QWidget* w, QPalette::ColorRole role = QPalette::Text)
{
    return w->palette().color(role);
}

QColor captionOf(ThumbnailsList* list, int index)
{
    return textOf(list->getItem(index)->findChild<QLineEdit*>());
}

} // namespace

class tst_Theme : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
#if QT_VERSION >= QT_VERSION_CHECK(6, 3, 0)
        // A correct setup says nothing (the offscreen platform's own remark aside).
        QTest::failOnWarning(QRegularExpression("^(?!This plugin does not support)"_q));
#endif
    }
    void cleanup()
    {
        corvane::resetTheme();
        corvane::setSharedTheme(false);
    }

    void switchReachesEveryControl_data()
    {
        modes();
    }
    void switchReachesEveryControl()
    {
        QFETCH(bool, shared);
        corvane::setSharedTheme(shared);
        ThemedWindow window;
        QVERIFY(window.showExposed());

        corvane::setTheme(NewTheme);
        QCOMPARE(corvane::theme(), NewTheme);
        for (Label* label : window.sheet->findChildren<Label*>())
            QCOMPARE(textOf(label, QPalette::WindowText), QColor(1, 2, 3));
        const QList<LineEdit*> numbers = window.sheet->findChildren<LineEdit*>();
        QCOMPARE(numbers.size(), 2);
        for (LineEdit* edit : numbers)
            QCOMPARE(textOf(edit), QColor(4, 5, 6));
        QCOMPARE(textOf(window.sheet->findChild<TextField*>()->findChild<QLineEdit*>()),
            QColor(10, 11, 12));
        QCOMPARE(textOf(window.sheet->findChild<MultiTextField*>()->findChild<QTextEdit*>()),
            QColor(10, 11, 12));
        QCOMPARE(
            textOf(window.sheet->findChild<CheckBox*>(), QPalette::WindowText), QColor(13, 14, 15));
        // The entry selected before the switch shows the new look of its variant.
        QCOMPARE(captionOf(window.list, 0), QColor(19, 20, 21));
        QCOMPARE(captionOf(window.list, 1), QColor(16, 17, 18));
        for (QPushButton* button : window.toolbar->findChildren<QPushButton*>())
            QCOMPARE(textOf(button, QPalette::ButtonText), QColor(22, 23, 24));

        // Looks chosen after the switch come from the new theme too.
        window.list->setSelected(window.list->getItem(2));
        QCOMPARE(captionOf(window.list, 2), QColor(19, 20, 21));
        QCOMPARE(captionOf(window.list, 0), QColor(16, 17, 18));
        QVERIFY(focus(numbers.first()));
        QTest::keyClick(numbers.first(), Qt::Key_1);
        QCOMPARE(textOf(numbers.first()), QColor(7, 8, 9));
        QCOMPARE(textOf(window.sheet->findChild<InputLineSlider*>("length"_q)->findChild<Label*>(),
                     QPalette::WindowText),
            QColor(25, 26, 27));

        // Back to the resource: the test sheet's colour of a primary check box.
        corvane::resetTheme();
        QCOMPARE(
            textOf(window.sheet->findChild<CheckBox*>(), QPalette::WindowText), QColor(10, 20, 30));
        // Controls made later take the theme of the moment.
        corvane::setTheme(NewTheme);
        TextField later("Later"_q, QString(), false, window.sheet);
        later.show();
        QCOMPARE(textOf(later.findChild<QLineEdit*>()), QColor(10, 11, 12));
    }

    void sheetParsesEachCopyOnce()
    {
        EventCount count;
        ThemedWindow window;
        QVERIFY(window.showExposed());
        // Every re-polish of a control that carries its own copy makes Qt parse the copy again:
        // one polish, and one style change for the copy itself, when it arrives in place.
        QList<QWidget*> carriers;
        for (auto* w : window.sheet->findChildren<LineEdit*>())
            carriers << w;
        carriers << window.sheet->findChild<TextField*>()
                 << window.sheet->findChild<MultiTextField*>();
        for (QWidget* w : carriers) {
            QCOMPARE(w->styleSheet(), corvane::theme());
            QCOMPARE(count.polish.value(w), 1);
            QVERIFY2(count.styleChange.value(w) <= 2,
                qPrintable(QString::number(count.styleChange.value(w))));
        }
    }

    void unchangedLookIsNotApplied_data()
    {
        modes();
    }
    void unchangedLookIsNotApplied()
    {
        QFETCH(bool, shared);
        corvane::setSharedTheme(shared);
        ThemedWindow window;
        QVERIFY(window.showExposed());
        auto* row = window.sheet->findChild<InputLineSlider*>("length"_q);
        auto* edit = row->findChild<LineEdit*>();
        EventCount count;
        QVERIFY(focus(edit));
        QTest::keyClick(edit, Qt::Key_1);
        // Typing gives the field and the row their looks for editing, once.
        const int onFirstKey = count.styleChange.value(edit);
        QVERIFY(onFirstKey > 0);
        QVERIFY(count.styleChange.value(row) > 0);
        QTest::keyClicks(edit, "23"_q);
        QCOMPARE(count.styleChange.value(edit), onFirstKey);
        // Nothing outside the row was touched.
        QList<QObject*> inside { row };
        for (QWidget* part : row->findChildren<QWidget*>())
            inside << part;
        for (auto it = count.styleChange.cbegin(); it != count.styleChange.cend(); ++it)
            QVERIFY2(inside.contains(it.key()), it.key()->metaObject()->className());
    }
};

QTEST_MAIN(tst_Theme)
#include "tst_theme.moc"
