#include "CollectionDelegate.h"
#include "FakeHost.h"
#include "TestUtils.h"
#include "numeric/Slider.h"
#include "numeric/Spinner.h"

#include <corvane/CorvaneWidgets.h>

#include <QAction>
#include <QColorDialog>
#include <QSignalSpy>
#include <QSlider>
#include <QTextEdit>

using testutils::heard;

// Every event an assistive technology would be sent about thumbnail entries, as
// "<event> <name of the entry>".
struct EventLog
{
    EventLog() { QAccessible::installUpdateHandler(&EventLog::record), entries.clear(); }
    ~EventLog() { QAccessible::installUpdateHandler(nullptr); }
    static void record(QAccessibleEvent* e)
    {
        if (qobject_cast<ThumbnailsListItem*>(e->object()))
            entries << QString::fromLatin1(
                           QMetaEnum::fromType<QAccessible::Event>().valueToKey(e->type()))
                    + QLatin1Char(' ') + e->accessibleInterface()->text(QAccessible::Name);
    }
    static inline QStringList entries;
};

// A window with a sheet of one row of each kind, a numeric row with a popup slider, one with a
// spinner and one of fine steps, a thumbnails list, a collection view that shows only its first
// row, and a toolbar.
struct Everything
{
    Everything()
    {
        host.preset({ { "edge"_q, 40.0f }, { "opacity"_q, 0.25f }, { "color"_q, QColor(Qt::red) },
            { "flagEnabled"_q, false }, { "widthValues"_q, QVariantMap { { "Normal"_q, 2 } } },
            { "name"_q, "Box"_q }, { "notes"_q, "Two\nlines"_q } });
        host.m_list = oneRowOfEachKind();
        host.m_list[1].insert(PropertyKey::ToolTip, "Edge length"_q);
        host.m_texture = helper.files.at(0);
        sheet = new PropertyListWidget(&host, &helper, &window);
        auto* depth = new HostInputLine("Depth"_q, &window);
        depth->setValue(5, 0);
        depth->setToolTip("In steps"_q);
        auto* steps = new HostInputLine("Steps"_q, &window);
        steps->setSpinner(true);
        auto* zoom = new InputLineSlider("Zoom"_q, eRealValues | eFineStep, &window);
        zoom->setMaxValue(4);
        zoom->setValueAndInit(1.5f, eRealValues | eFineStep);
        thumbnails = new ThumbnailsList(&window);
        cells.counts = { 2, 2 };
        auto* collection
            = new CollectionView(&cells, QSize(100, 80), 10, 10, 20, 2, false, 5, &window);
        collection->setFixedSize(240, 120);
        collection->setSelectionType(CollectionViewSelectionMultiple);
        auto* toolbar = new Toolbar(&window);
        bold = new QAction("&Bold"_q, toolbar);
        bold->setCheckable(true);
        bold->setChecked(true);
        bold->setShortcut(QKeySequence("Ctrl+B"_q));
        auto* brush = new QAction(toolbar);
        brush->setToolTip("Brush"_q);
        for (QAction* a : { bold, brush })
            toolbar->insertAction(toolbar->itemsCount(), a);
        for (QWidget* w :
            QList<QWidget*> { sheet, depth, steps, zoom, thumbnails, collection, toolbar })
            window.layout()->addWidget(w);
        window.resize(400, 1200);
        active = window.showActive();
        for (const char* caption : { "Cover", "Page" })
            thumbnails->addItem(QPixmap(40, 20), QLatin1String(caption));
        collection->reload();
        collection->setSelection({ { 0, 1 }, { 1, 1 } });
    }

    // The interfaces below `i` that a user acts on or finds things in, in tree order; combo boxes
    // and list items are not entered.
    static QStringList walk(QAccessibleInterface* i)
    {
        static const QList<QAccessible::Role> shown { QAccessible::Grouping, QAccessible::SpinBox,
            QAccessible::Slider, QAccessible::ComboBox, QAccessible::Button, QAccessible::CheckBox,
            QAccessible::EditableText, QAccessible::List, QAccessible::ListItem,
            QAccessible::ToolBar };
        QStringList lines;
        if (shown.contains(i->role()))
            lines << heard(i) + (i->state().offscreen ? " offscreen"_q : QString());
        if (i->role() == QAccessible::ComboBox || i->role() == QAccessible::ListItem)
            return lines;
        for (int c = 0; c < i->childCount(); ++c) {
            QAccessibleInterface* child = i->child(c);
            if (child->parent()->object() != i->object())
                lines << "parent of "_q + heard(child) + " is "_q + heard(child->parent());
            lines << walk(child);
        }
        return lines;
    }

    FakeHelper helper;
    FakeHost host;
    collectiontest::Delegate cells;
    testutils::HostWindow window;
    PropertyListWidget* sheet;
    ThumbnailsList* thumbnails;
    QAction* bold;
    bool active;
};

class tst_Accessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // First of all, so that no other control has set up the accessibility of the controls yet.
    void swatchBuiltFirst()
    {
        ColorPicker picker("Fill"_q);
        picker.setValue(Qt::red);
        QCOMPARE(heard(picker.findChild<QPushButton*>("button"_q)),
            "Button Fill = #FF0000 {invisible}"_q);
    }
    void tree()
    {
        Everything all;
        QVERIFY(all.active);
        QCOMPARE(Everything::walk(QAccessible::queryAccessibleInterface(&all.window)),
            QStringList({
                "EditableText "_q,
                "Grouping Shape"_q,
                "SpinBox Size = 40 [40 in 0..200 by 1] (Edge length)"_q,
                "Slider Size = 40 [40 in 0..200 by 1] (Edge length)"_q,
                "SpinBox Opacity = 25 [25 in 0..100 by 1]"_q,
                "Slider Opacity = 25 [25 in 0..100 by 1]"_q,
                "ComboBox Texture = a.png"_q,
                "Button Browse"_q,
                "Button Remove"_q,
                "Button Fill = #FF0000"_q,
                "CheckBox Visible {disabled checkable}"_q,
                "ComboBox Width = Normal"_q,
                "Button Reset"_q,
                "EditableText Name = Box"_q,
                "EditableText Notes = Two\nlines"_q,
                "SpinBox Depth = 5 [5 in 0..10 by 1] (In steps)"_q,
                "Button Show slider (In steps)"_q,
                "Button Step {invisible} (In steps)"_q,
                "SpinBox Steps [ in 0..10 by 1]"_q,
                "Button Show slider {invisible}"_q,
                "Button Step"_q,
                "SpinBox Zoom = 1.5 [1.5 in 0..4 by 0.1]"_q,
                "List "_q,
                "ListItem Cover"_q,
                "ListItem Page {selected focused}"_q,
                "List "_q,
                "ListItem Group 1, item 1"_q,
                "ListItem Group 1, item 2 {selected}"_q,
                "ListItem Group 2, item 1 offscreen"_q,
                "ListItem Group 2, item 2 {selected} offscreen"_q,
                "ToolBar "_q,
                "Button Bold {checkable checked} <Ctrl+B>"_q,
                "Button Brush"_q,
            }));
        // What changes shows: a disabled row, tooltips, a new title, a deselected entry's button;
        // a mixed value shows none and says so.
        QWidget* texture = all.sheet->findWidget("texture"_q);
        const auto parts = [&] {
            return QStringList { heard(texture->findChild<QWidget*>("combo"_q)),
                heard(texture->findChild<QWidget*>("remove"_q)),
                heard(all.sheet->findWidget("name"_q)->findChild<QLineEdit*>()),
                heard(all.sheet->findWidget("notes"_q)->findChild<QTextEdit*>()),
                heard(all.sheet->findWidget("edge"_q)->findChild<LineEdit*>()),
                heard(all.sheet->findWidget("opacity"_q)->findChild<LineEdit*>()),
                heard(all.thumbnails->getItem(0)->findChild<QPushButton*>()) };
        };
        all.sheet->findWidget("opacity"_q)->setEnabled(false);
        texture->setToolTip("Image file"_q);
        all.sheet->findWidget("name"_q)->setToolTip("Shown in the title bar"_q);
        all.sheet->findChild<TextField*>("name"_q)->setTitle("Label"_q);
        all.sheet->findChild<MultiTextField*>("notes"_q)->setTitle("Remarks"_q);
        all.sheet->findChild<InputLineSlider*>("edge"_q)->setMixed(true);
        QCOMPARE(parts(),
            QStringList({ "ComboBox Texture = a.png (Image file)"_q, "Button Remove (Image file)"_q,
                "EditableText Label = Box (Shown in the title bar)"_q,
                "EditableText Remarks = Two\nlines"_q, "SpinBox Size [ in 0..200 by 1] (Mixed)"_q,
                "SpinBox Opacity = 25 [25 in 0..100 by 1] {disabled}"_q,
                "Button Delete {invisible}"_q }));
        all.sheet->findChild<TextField*>("name"_q)->setMixed(true);
        QCOMPARE(parts().at(2), "EditableText Label (Mixed)"_q);
        all.sheet->findChild<TextField*>("name"_q)->setMixed(false);
        QCOMPARE(parts().at(2), "EditableText Label (Shown in the title bar)"_q);
        QCOMPARE(
            all.sheet->findWidget("name"_q)->findChild<QLineEdit*>()->placeholderText(), QString());
        // A row's combo holds its popup list, as Qt's own combo does.
        QCOMPARE(QAccessible::queryAccessibleInterface(texture->findChild<QWidget*>("combo"_q))
                     ->child(0),
            QAccessible::queryAccessibleInterface(texture->findChild<QWidget*>("view"_q)));
    }

    // Values set through the value interface go the way of a typed value and Return.
    void setValue_data()
    {
        testutils::columns<QString, bool, double, QList<Write>>(
            "prop", "slider", "value", "writes");
        using testutils::row;
        row("field", "edge", false, 120.0, QList<Write> { { "edge"_q, 120.0f } });
        row("slider", "edge", true, 7.5, QList<Write> { { "edge"_q, 7.5f } });
        row("clamped", "edge", false, 900.0, QList<Write> { { "edge"_q, 200.0f } });
        row("percent", "opacity", false, 40.0, QList<Write> { { "opacity"_q, 0.4f } });
        row("disabled row", "opacity", true, 40.0, QList<Write> {});
    }
    void setValue()
    {
        const auto [prop, slider, value]
            = testutils::fetch<QString, bool, double>("prop", "slider", "value");
        Everything all;
        QWidget* row = all.sheet->findWidget(prop);
        row->setEnabled(QLatin1String(QTest::currentDataTag()) != QLatin1String("disabled row"));
        QWidget* part = slider ? static_cast<QWidget*>(row->findChild<QSlider*>())
                               : row->findChild<LineEdit*>();
        QAccessible::queryAccessibleInterface(part)->valueInterface()->setCurrentValue(value);
        QTEST(all.host.writes, "writes");
    }

    // Qt hands events on only while an assistive technology listens: CMake runs this once more
    // with an AT-SPI bus on X11 (tst_accessibility_atspi).
    void events()
    {
        if (QGuiApplication::platformName() != "xcb"_q)
            QSKIP("no accessibility bridge on this platform");
        QTRY_VERIFY(QAccessible::isActive());
        Everything all;
        EventLog log;
        QTest::keyClick(all.thumbnails->current(), Qt::Key_Up);
        QCOMPARE(log.entries,
            QStringList({ "StateChanged Page"_q, "StateChanged Cover"_q, "Focus Cover"_q }));
        // An entry that already has the focus becomes the current one on a click.
        all.thumbnails->insertItem(2, QPixmap(40, 20), "Back"_q, false);
        log.entries.clear();
        QTest::mouseClick(all.thumbnails->getItem(2), Qt::LeftButton);
        QCOMPARE(log.entries,
            QStringList({ "StateChanged Cover"_q, "StateChanged Back"_q, "Focus Back"_q }));
        // Renamed by the host, then by typing over the caption.
        log.entries.clear();
        all.thumbnails->renameItem(0, "Front"_q);
        all.thumbnails->initRename(2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A);
        QCOMPARE(log.entries, QStringList({ "NameChanged Front"_q, "NameChanged a"_q }));
    }

    void actions()
    {
        Everything all;
        QSignalSpy triggered(all.bold, &QAction::triggered);
        const auto actionsOf = [](QWidget* w) {
            return QAccessible::queryAccessibleInterface(w)->actionInterface();
        };
        auto* bold = actionsOf(all.window.findChild<Toolbar*>()->findChild<QPushButton*>());
        QCOMPARE(bold->keyBindingsForAction(QAccessibleActionInterface::toggleAction()),
            QStringList { "Ctrl+B"_q });
        bold->doAction(QAccessibleActionInterface::toggleAction());
        QCOMPARE(triggered.count(), 1);
        QVERIFY(!all.bold->isChecked());
        // Held down, a button says it is pressed, as Qt's own buttons do.
        auto* boldButton = all.window.findChild<Toolbar*>()->findChild<QPushButton*>();
        boldButton->setDown(true);
        QVERIFY(QAccessible::queryAccessibleInterface(boldButton)->state().pressed);

        // The spinner steps through its signal; the swatch opens its dialog once asked.
        auto* steps = all.window.findChildren<HostInputLine*>().at(1);
        actionsOf(steps->findChild<Spinner*>())
            ->doAction(QAccessibleActionInterface::increaseAction());
        QCOMPARE(steps->getValue(), 1.0f);
        // The popup's slider speaks for its row and sets the value as if it were typed.
        auto* depth = all.window.findChildren<HostInputLine*>().at(0);
        actionsOf(depth->findChild<QPushButton*>("button"_q))
            ->doAction(QAccessibleActionInterface::pressAction());
        auto* popupSlider = QApplication::activePopupWidget()->findChild<Slider*>();
        QCOMPARE(heard(popupSlider), "Slider Depth = 5 [5 in 0..10 by 1] {focused} (In steps)"_q);
        testutils::ChangeLog changes(depth);
        auto* value = QAccessible::queryAccessibleInterface(popupSlider)->valueInterface();
        value->setCurrentValue(7);
        depth->setEnabled(false); // a disabled row takes none, though its popup is still open
        value->setCurrentValue(9);
        QCOMPARE(changes.entries, testutils::changedPair(7, 7));
        popupSlider->window()->close();
        actionsOf(all.sheet->findWidget("color"_q)->findChild<QPushButton*>())
            ->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(!QApplication::activeModalWidget()); // not inside the caller's request
        testutils::onModal<QColorDialog>(&all.window, [](QColorDialog* dialog) {
            dialog->setCurrentColor(Qt::blue);
            dialog->accept();
        });
        QTRY_COMPARE(all.host.m_color, QColor(Qt::blue));
    }

    // A numeric field's text reads and edits as a line edit's: one selection, and replacements.
    void numericFieldText()
    {
        HostInputLine row("Depth"_q);
        auto* field = row.findChild<LineEdit*>();
        field->setText("12345"_q);
        field->setSelection(1, 3);
        QAccessibleInterface* text = QAccessible::queryAccessibleInterface(field);
        const auto selection = [text](int index) {
            int start = -1, end = -1;
            text->textInterface()->selection(index, &start, &end);
            return std::pair(start, end);
        };
        QCOMPARE(
            std::pair(selection(0), selection(1)), std::pair(std::pair(1, 4), std::pair(0, 0)));
        text->editableTextInterface()->replaceText(1, 3, "x"_q);
        QCOMPARE(field->text(), "1x45"_q);
    }
};

QTEST_MAIN(tst_Accessibility)
#include "tst_accessibility.moc"
