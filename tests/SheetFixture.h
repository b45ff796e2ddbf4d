#pragma once

// A shown property sheet over fake hosts, the user's edits of its rows as table entries, and what
// its rows show: shared by the property sheet's tests.

#include "FakeHost.h"
#include "TestUtils.h"
#include "propertysheet/Panel.h"

#include <corvane/CorvaneWidgets.h>

#include <QAccessible>
#include <QColorDialog>
#include <QComboBox>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

#include <functional>

namespace testutils {

// The controls of a sheet: a row by its object name (its "prop"), a part of it by class and name.
struct SheetParts
{
    template<typename T = QWidget> T* row(char const* name) const
    {
        return sheet->findChild<T*>(QLatin1String(name));
    }
    template<typename T> T* part(char const* rowName, char const* partName = nullptr) const
    {
        return row(rowName)->findChild<T*>(partName ? QLatin1String(partName) : QString());
    }
    PropertyListWidget* sheet = nullptr;
};

// One thing a user does to a sheet, as an entry of a table.
using SheetEdit = std::function<void(SheetParts&)>;

// Types `text` into a row's field and presses Return.
inline SheetEdit typed(char const* row, QString text)
{
    return [=](SheetParts& s) { typeAndReturn(s.part<QLineEdit>(row, "edit"), text); };
}

// Presses `key` on the combo box of a row, or on its part `partName`.
inline SheetEdit pressed(char const* row, Qt::Key key, char const* partName = nullptr)
{
    return [=](SheetParts& s) {
        auto* combo = s.part<QComboBox>(row, partName);
        combo->setFocus();
        QTest::keyClick(combo, key);
    };
}

// Clicks a check box row on its indicator, which is what takes the click.
inline SheetEdit checkClicked(char const* row)
{
    return [=](SheetParts& s) {
        QTest::mouseClick(s.row(row), Qt::LeftButton, {}, QPoint(6, s.row(row)->height() / 2));
    };
}

// Chooses `colour` in the dialog that the swatch of a colour row opens.
inline SheetEdit colourChosen(char const* row, QColor colour)
{
    return [=](SheetParts& s) {
        QTimer::singleShot(0, [colour] {
            auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->setCurrentColor(colour);
            dialog->accept();
        });
        QTest::mouseClick(s.part<QPushButton>(row, "button"), Qt::LeftButton);
    };
}

// Has a file row select `file`.
inline SheetEdit fileSelected(char const* row, QString file)
{
    return [=](SheetParts& s) { s.row<FilePicker>(row)->SelectFile(file); };
}

// Drags on a number row's field by `steps` steps to the right, then releases.
inline void dragNumber(QWidget* row, int steps)
{
    auto* edit = row->findChild<QLineEdit*>("edit"_q);
    const QPoint centre(edit->width() / 2, edit->height() / 2);
    QTest::mousePress(edit, Qt::LeftButton, Qt::NoModifier, centre);
    for (int i = 0; i < steps; ++i)
        mouseMoveHeld(edit, centre + QPoint(9, 0));
    QTest::mouseRelease(edit, Qt::LeftButton, Qt::NoModifier, centre);
}

// The sheet's column in one line: its window title, then "panel:<title>[<row> ...]" ("-" for a
// panel without title; a row by object name, by class without one, "*" after a two-line one),
// "sheet", "space:<height>", "stretch:<factor>"; panels and rows hidden on purpose left out.
inline QString column(PropertyListWidget& sheet)
{
    const auto hidden = [](QWidget* w) {
        return w->isHidden() && w->testAttribute(Qt::WA_WState_ExplicitShowHide);
    };
    QStringList out { sheet.windowTitle() + QLatin1Char(':') };
    auto* box = static_cast<QBoxLayout*>(sheet.layout());
    for (int i = 0; i < box->count(); ++i) {
        QWidget* w = box->itemAt(i)->widget();
        if (auto* panel = qobject_cast<PropsPanel*>(w); panel && !hidden(panel)) {
            auto* title = panel->findChild<Label*>("panelTitle"_q);
            QStringList rows;
            for (int r = title ? 1 : 0; r < panel->layout()->count(); ++r) {
                QWidget* row = panel->layout()->itemAt(r)->widget();
                if (!hidden(row))
                    rows << (row->objectName().isEmpty()
                                    ? QString::fromLatin1(row->metaObject()->className())
                                    : row->objectName())
                            + (row->property("two_lines").toBool() ? "*"_q : QString());
            }
            out << "panel:%1[%2]"_q.arg(title ? title->text() : "-"_q, rows.join(QLatin1Char(' ')));
        } else if (qobject_cast<PropertyListWidget*>(w)) {
            out << "sheet"_q;
        } else if (!w) {
            const int stretch = box->stretch(i);
            out << (stretch > 0 ? "stretch:%1"_q.arg(stretch)
                                : "space:%1"_q.arg(box->itemAt(i)->sizeHint().height()));
        }
    }
    return out.join(QLatin1Char(' '));
}

// A record of `type` with the keys of `more`.
inline PropertyDescription rec(QLatin1String type, PropertyDescription more = {})
{
    return more.insert(PropertyKey::Type, QString(type)), more;
}

// A record, or a list of them, written as JSON: one line of a table each.
inline PropertyDescriptionList records(QByteArray const& json)
{
    DescriptionJsonError error;
    const PropertyDescriptionList list = corvane::descriptionsFromJson(json, &error);
    if (error.isError())
        qFatal("%s: %s", json.constData(), qPrintable(error.toString()));
    return list;
}
inline PropertyDescription record(QByteArray const& json)
{
    return records('[' + json + ']').value(0);
}

// A report as one line: "final size 2.5>7.25 x1", "step ...", "invoke reset x2"; the old values
// of several objects are joined by "|".
inline QString describe(PropertyEdit const& e)
{
    const auto text = [](QVariant const& v) {
        return v.userType() == QMetaType::QColor ? v.value<QColor>().name() : v.toString();
    };
    if (e.kind == PropertyEdit::Invocation)
        return "invoke %1 x%2"_q.arg(e.property).arg(e.objectCount());
    QStringList olds;
    for (QVariant const& old : e.oldValues)
        olds << text(old);
    return "%1 %2 %3>%4 x%5"_q
        .arg(e.isFinal() ? "final"_q : "step"_q, e.property, olds.join(QLatin1Char('|')),
            text(e.value))
        .arg(e.objectCount());
}

// What a row shows: its value as text (a file row its whole path), or "[Mixed]" when it shows a
// mixed state both to the eye and to a screen reader.
inline QString shownValue(QWidget* row)
{
    const auto said = [](QWidget* w) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        return a ? a->text(QAccessible::Description) : QString();
    };
    const auto mixedText = [&](QWidget* w, QString const& text, QString const& placeholder) {
        return text.isEmpty() && placeholder == "Mixed"_q && said(w) == "Mixed"_q ? "[Mixed]"_q
                                                                                  : text;
    };
    const auto combo = [&](QComboBox* box) {
        return mixedText(box, box->currentIndex() < 0 ? QString() : box->currentText(),
            box->isEditable() ? box->lineEdit()->placeholderText() : box->placeholderText());
    };
    if (auto* box = qobject_cast<QCheckBox*>(row)) {
        const bool partial = box->checkState() == Qt::PartiallyChecked
            && QAccessible::queryAccessibleInterface(box)->state().checkStateMixed;
        return partial ? "[Mixed]"_q : QVariant(box->isChecked()).toString();
    }
    if (auto* picker = qobject_cast<ColorPicker*>(row)) {
        // Hatched in grey across the swatch's middle line.
        auto* swatch = picker->findChild<QPushButton*>("button"_q);
        const QImage pixels = swatch->grab().toImage();
        bool hatched = false;
        for (int x = 0; x < pixels.width(); ++x)
            hatched |= pixels.pixel(x, pixels.height() / 2) == qRgb(0x80, 0x80, 0x80);
        return hatched && said(swatch) == "Mixed"_q ? "[Mixed]"_q : picker->getValue().name();
    }
    if (auto* file = qobject_cast<FilePicker*>(row)) {
        const QString mixed = combo(row->findChild<QComboBox*>());
        return mixed == "[Mixed]"_q ? mixed : file->getFileName();
    }
    if (qobject_cast<ComboBox*>(row))
        return combo(row->findChild<QComboBox*>());
    if (auto* multi = row->findChild<QTextEdit*>())
        return mixedText(multi, multi->toPlainText(), multi->placeholderText());
    if (qobject_cast<QAbstractButton*>(row))
        return QString();
    auto* edit = row->findChild<QLineEdit*>("edit"_q);
    return mixedText(edit, edit->text(), edit->placeholderText());
}

// A shown sheet with a row of every bound kind over `count` hosts that start alike:
//   size: number, 0 to 10, two decimals, 2.5     texture: file "img", /tmp/a.png
//   fill: colour, red                            outline: check (secondary), checked
//   width: editable keyed combo, Thin 1, Normal 2, Thick 4; the host stores "0" for others
//   shape: plain list on two lines, Circle Square Star, 1
//   mood: plain list, calm grumpy; the host's setter throws on "grumpy"
//   later: combo without entries     caption: text, Hello     notes: multi-line, two lines, Line
//   missing: text of no property, "start"                    reset: button
// build() makes the sheet once the hosts are as a test wants them, and forgets what was
// written and reported until then; every report of the sheet goes to `log` and `edits`.
struct EditSheet : SheetParts
{
    explicit EditSheet(int count = 1, bool buildNow = true)
    {
        PropertiesListBuilder b("Edit"_q);
        b.AddSlider("Size"_q, "size"_q, 0, 10, NumberFlags::Default, 2);
        b.AddFilePicker("Texture"_q, "texture"_q, "img"_q);
        b.AddColorPicker("Fill"_q, "fill"_q, ePrimary);
        b.AddCheckBox("Outline"_q, "outline"_q, eSecondary);
        b.AddComboBox("Width"_q, "width"_q, true, false);
        b.AddComboBox("Shape"_q, "shape"_q, false, true);
        b.AddComboBox("Mood"_q, "mood"_q, false, false);
        b.AddComboBox("Later"_q, "later"_q, false, false);
        b.AddTextField("Caption"_q, "caption"_q, QString(), false);
        b.AddMultiTextField("Notes"_q, "notes"_q, QString(), true);
        b.AddTextField("Missing"_q, "missing"_q, "start"_q, false);
        b.AddButton("Reset"_q, "reset"_q);
        for (int i = 0; i < count; ++i) {
            auto* host = new FakeHost(b);
            host->preset(
                { { "widthValues"_q,
                      QVariantMap { { "Thin"_q, 1 }, { "Normal"_q, 2 }, { "Thick"_q, 4 } } },
                    { "shapeValues"_q, QStringList { "Circle"_q, "Square"_q, "Star"_q } },
                    { "moodValues"_q, QStringList { "calm"_q, "grumpy"_q } } });
            host->preset({ { "size"_q, 2.5f }, { "fill"_q, QColor(Qt::red) }, { "outline"_q, true },
                { "shape"_q, 1 }, { "caption"_q, "Hello"_q }, { "notes"_q, "Line"_q } });
            host->m_texture = helper.files.at(0);
            host->m_sizeEnabled = true;
            hosts << host;
        }
        if (buildNow)
            build();
    }
    ~EditSheet()
    {
        delete sheet;
        qDeleteAll(hosts);
    }
    void build()
    {
        sheet = new PropertyListWidget(QList<QObject*>(hosts.cbegin(), hosts.cend()), &helper);
        QObject::connect(sheet, &PropertyListWidget::propertyEdited,
            [this](PropertyEdit const& e) { log << describe(e), edits << e; });
        sheet->resize(400, 900);
        sheet->show();
        active = QTest::qWaitForWindowActive(sheet);
        for (FakeHost* host : std::as_const(hosts))
            wroteWhileBuilt |= !host->writes.isEmpty();
        // The first field takes the focus; leaving it would commit its value.
        if (QWidget* focused = QApplication::focusWidget())
            focused->clearFocus();
        for (FakeHost* host : std::as_const(hosts))
            host->writes.clear();
        log.clear();
        edits.clear();
    }
    // "prop=shown" of every row, in order, "!" after a disabled one.
    QString rows() const
    {
        QStringList out;
        for (char const* prop : { "size", "texture", "fill", "outline", "width", "shape", "mood",
                 "later", "caption", "notes", "missing", "reset" })
            out << "%1=%2%3"_q.arg(QLatin1String(prop), shownValue(row(prop)),
                row(prop)->isEnabled() ? QString() : "!"_q);
        return out.join(QLatin1Char(' '));
    }

    FakeHelper helper;
    QList<FakeHost*> hosts;
    QStringList log;
    QList<PropertyEdit> edits;
    bool active = false, wroteWhileBuilt = false;
};

} // namespace testutils

Q_DECLARE_METATYPE(testutils::SheetEdit)
