// Themes switched at run time, the shared theme mode, and what a sheet costs Qt in polishes.
#include "FakeHost.h"
#include "TestUtils.h"

#include <corvane/CorvaneWidgets.h>

#include <QAction>
#include <QPushButton>
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

// The text colours of `parts`, "#rrggbb" for each, in order.
template<class W> QString colours(const QList<W*>& parts)
{
    QStringList names;
    for (QWidget* w : parts)
        names << w->palette().color(w->foregroundRole()).name();
    return names.join(QLatin1Char(' '));
}

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
        for (QWidget* w : { static_cast<QWidget*>(scroll), static_cast<QWidget*>(list),
                 static_cast<QWidget*>(toolbar) })
            column->addWidget(w);
        for (int i = 0; i < 3; ++i)
            list->addItem(QPixmap(40, 30), "Page %1"_q.arg(i));
        list->setSelected(list->getItem(0));
        for (QString id : { "pen"_q, "brush"_q })
            toolbar->insertAction(toolbar->actions().size(), new QAction(id, this));
        resize(400, 900);
        show();
        activateWindow();
        exposed = QTest::qWaitForWindowActive(this);
    }

    // Labels; number fields; the text fields' edits; the check box; captions; toolbar buttons.
    QString looks() const
    {
        QList<QWidget*> captions,
            edits { sheet->findChild<TextField*>()->findChild<QLineEdit*>(),
                sheet->findChild<MultiTextField*>()->findChild<QTextEdit*>() };
        for (int i = 0; i < list->count(); ++i)
            captions << list->getItem(i)->findChild<QLineEdit*>();
        return QStringList { colours(sheet->findChildren<Label*>()),
            colours(sheet->findChildren<LineEdit*>()), colours(edits),
            colours(sheet->findChildren<CheckBox*>()), colours(captions),
            colours(toolbar->findChildren<QPushButton*>()) }
            .join(QLatin1String("; "));
    }

    FakeHost host;
    PropertyListWidget* sheet;
    ThumbnailsList* list = new ThumbnailsList;
    Toolbar* toolbar = new Toolbar;
    bool exposed;
};

// One row for each theme mode.
void modes()
{
    QTest::addColumn<bool>("shared");
    QTest::newRow("copy on each control") << false;
    QTest::newRow("shared") << true;
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
        QVERIFY(window.exposed);

        corvane::setTheme(NewTheme);
        QCOMPARE(corvane::theme(), NewTheme);
        // The entry selected before the switch shows the new look of its variant.
        QCOMPARE(window.looks(),
            "#010203 #010203 #010203 #010203 #010203 #010203 #010203; "
            "#040506 #040506; #0a0b0c #0a0b0c; #0d0e0f; #131415 #101112 #101112; #161718 #161718"_q);
        // Looks chosen after the switch come from the new theme too.
        window.list->setSelected(window.list->getItem(2));
        auto* length = window.sheet->findChild<InputLineSlider*>("length"_q);
        QVERIFY(focus(length->findChild<LineEdit*>()));
        QTest::keyClick(length->findChild<LineEdit*>(), Qt::Key_1);
        QCOMPARE(window.looks(),
            "#010203 #191a1b #010203 #010203 #010203 #010203 #010203; "
            "#070809 #040506; #0a0b0c #0a0b0c; #0d0e0f; #101112 #101112 #131415; #161718 #161718"_q);

        // Back to the resource: the test sheet's colour of a primary check box.
        corvane::resetTheme();
        QCOMPARE(colours(window.sheet->findChildren<CheckBox*>()), "#0a141e"_q);
        // Controls made later take the theme of the moment.
        corvane::setTheme(NewTheme);
        TextField later("Later"_q, QString(), false, window.sheet);
        later.show();
        QCOMPARE(colours(later.findChildren<QLineEdit*>()), "#0a0b0c"_q);
        // A field first polished while the theme is empty carries the next one too.
        corvane::setTheme(QString());
        LineEdit blank(window.sheet);
        blank.show();
        corvane::setTheme(NewTheme);
        QCOMPARE(blank.styleSheet(), shared ? QString() : NewTheme);
    }

    void restyling_data()
    {
        modes();
    }
    void restyling()
    {
        QFETCH(bool, shared);
        corvane::setSharedTheme(shared);
        EventCount count;
        ThemedWindow window;
        QVERIFY(window.exposed);
        // Every re-polish of a control that carries its own copy makes Qt parse the copy again:
        // one polish, and one style change for the copy itself, when it arrives in place.
        QList<QWidget*> carriers { window.sheet->findChild<TextField*>(),
            window.sheet->findChild<MultiTextField*>() };
        for (auto* w : window.sheet->findChildren<LineEdit*>())
            carriers << w;
        for (QWidget* w : carriers) {
            QCOMPARE(w->styleSheet(), shared ? QString() : corvane::theme());
            QCOMPARE(count.polish.value(w), 1);
            QVERIFY2(count.styleChange.value(w) <= 2, w->metaObject()->className());
        }
        auto* row = window.sheet->findChild<InputLineSlider*>("length"_q);
        auto* edit = row->findChild<LineEdit*>();
        count.styleChange.clear();
        QVERIFY(focus(edit));
        QTest::keyClick(edit, Qt::Key_1);
        // Typing gives the field and the row their looks for editing, once.
        const int onFirstKey = count.styleChange.value(edit);
        QVERIFY(onFirstKey > 0 && count.styleChange.value(row) > 0);
        QTest::keyClicks(edit, "23"_q);
        QCOMPARE(count.styleChange.value(edit), onFirstKey);
        // Nothing outside the row was touched.
        const QList<QObject*> inside = row->findChildren<QObject*>();
        for (auto it = count.styleChange.cbegin(); it != count.styleChange.cend(); ++it)
            QVERIFY2(
                it.key() == row || inside.contains(it.key()), it.key()->metaObject()->className());
        // Selecting a cell restyles it only under a shared theme; a copy of its own needs none.
        CollectionViewItem cell(&window);
        cell.show();
        count.styleChange.clear();
        cell.setSelected(true);
        QCOMPARE(count.styleChange.value(&cell) > 0, shared);
    }
};

QTEST_MAIN(tst_Theme)
#include "tst_theme.moc"
