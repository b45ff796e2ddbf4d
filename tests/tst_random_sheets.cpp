// Property sheets built from random, often malformed, description lists over hosts with
// properties of random types. Every sheet is refreshed, rebound, edited through its controls and
// destroyed, sometimes after its host; its rows stay those of its list, its numbers in range, and
// no write reaches a destroyed host.

#include "FakeHost.h"
#include "RandomRecords.h"
#include "RandomSeed.h"

#include "propertysheet/Panel.h"
#include <corvane/CorvaneWidgets.h>

#include <QAction>
#include <QComboBox>
#include <QLoggingCategory>
#include <QTextEdit>

#include <cmath>
#include <memory>

using namespace testutils;

namespace {

// The seeded source of every choice.
struct SeededChoices : Random
{
    using Random::Random;
    std::size_t pick(std::size_t n) { return std::size_t(Random::pick(long(n))); }
    std::uint32_t bits() { return rng(); }
    QString freeText() { return QString(int(pick(300)), QChar(char16_t(u'a' + pick(26)))); }
};
using Records = RandomRecords<SeededChoices>;

// Each value record yields exactly one row of its type's class, named after its prop, and the
// sheet maps the row back to that prop.
void checkRows(PropertyListWidget& sheet, PropertyDescriptionList const& list)
{
    static const std::pair<QLatin1String, const char*> classes[]
        = { { RowType::Number, "InputLineSlider" }, { RowType::File, "FilePicker" },
              { RowType::Color, "ColorPicker" }, { RowType::Check, "CheckBox" },
              { RowType::Combo, "ComboBox" }, { RowType::Button, "Button" },
              { RowType::Text, "TextField" }, { RowType::MultiText, "MultiTextField" } };
    QStringList want, got;
    for (auto [type, className] : classes) {
        for (const auto& r : list)
            if (r.value(PropertyKey::Type).toString() == type)
                want << type + r.value(PropertyKey::Prop).toString();
        for (QWidget* row : sheet.findChildren<QWidget*>()) {
            // Rows sit directly in a panel; controls inside other controls do not count.
            if (qobject_cast<PropsPanel*>(row->parentWidget()) && row->inherits(className)) {
                got << type + row->objectName();
                QCOMPARE(sheet.findProperty(row), row->objectName());
            }
        }
    }
    want.sort();
    got.sort();
    QCOMPARE(got, want);
}

// One user edit of a random row; a number row ends finite and in its range, or where it was.
void poke(Records& r, PropertyListWidget& sheet, PropertyDescriptionList const& list)
{
    const QString prop
        = list.value(int(r.pick(list.size() + 1))).value(PropertyKey::Prop).toString();
    QWidget* row = sheet.findWidget(prop);
    if (!row || !row->isEnabled())
        return;
    const auto type = [&](QWidget* field) {
        field->setFocus();
        QTest::keyClicks(field, r.text());
        QTest::keyClick(field, Qt::Key_Return);
        sheet.setFocus(); // a multi-line field finishes on focus loss
    };
    auto* box = row->findChild<QComboBox*>();
    if (QAction* reset = row->findChild<QAction*>(QStringLiteral("reset")); reset && r.chance(15))
        reset->trigger();
    else if (auto* number = qobject_cast<InputLineSlider*>(row)) {
        const float before = number->getValue();
        auto* edit = number->findChild<LineEdit*>(QStringLiteral("edit"));
        if (r.chance(33))
            Q_EMIT edit->mouseDraging(r.chance(50) ? 9.0 : -9.0);
        else if (r.chance(50))
            edit->selectAll(), type(edit);
        else
            edit->setFocus(), QTest::keyClick(edit, r.chance(50) ? Qt::Key_Up : Qt::Key_Down);
        const float lo = number->getMinValue(), hi = number->getMaxValue(), v = number->getValue();
        if (std::isfinite(lo) && std::isfinite(hi) && lo <= hi && std::isfinite(before)) {
            // Integer rows floor what they show; an unparsable entry keeps the old value.
            const float bottom = number->isIntValues() ? std::floor(lo) : lo;
            QVERIFY2(std::isfinite(v) && ((v >= bottom && v <= hi) || v == before),
                qPrintable(prop + QStringLiteral(" = %1").arg(double(v))));
        }
    } else if (auto* button = qobject_cast<QAbstractButton*>(row)) { // check and button rows
        button->click();
    } else if (auto* browse = row->findChild<QPushButton*>(QStringLiteral("browse"));
               browse && r.chance(40)) {
        browse->click();
    } else if (box && box->isEditable() && r.chance(50)) {
        type(box->lineEdit());
    } else if (box && box->count() > 0) {
        box->setCurrentIndex(int(r.pick(std::size_t(box->count()))));
    } else if (QWidget* field = row->findChild<QLineEdit*>()) {
        type(field);
    } else if (QWidget* field = row->findChild<QTextEdit*>()) {
        type(field);
    } else if (auto* color = qobject_cast<ColorPicker*>(row)) {
        Q_EMIT color->colorChanged(QColor::fromRgb(r.bits() & RGB_MASK));
    }
}

} // namespace

class tst_RandomSheets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void randomSheet_data()
    {
        // Button rows bound to names that are no slots are expected; Qt's warnings are noise.
        QLoggingCategory::setFilterRules(QStringLiteral("qt.core.qobject.connect=false"));
        addSeedRows(40);
    }
    void randomSheet()
    {
        QFETCH(std::uint32_t, seed);
        SeededChoices choices(seed);
        Records r(choices);
        FakeHost::dead.clear(); // addresses of earlier rounds may come back
        FakeHost::lateWrites = 0;
        PropertyDescriptionList list;
        for (std::size_t n = r.pick(30); n > 0; --n)
            list << r.record();
        auto host = std::make_unique<FakeHost>(list);
        auto other = std::make_unique<FakeHost>();
        r.randomize(*host), r.randomize(*other);
        Records::Helper helper(r);
        auto* sheet = new PropertyListWidget(host.get(), r.chance(80) ? &helper : nullptr);
        sheet->resize(400, 600);
        sheet->show();
        for (int step = 0; step < 40 && !QTest::currentTestFailed(); ++step) {
            const std::size_t kind = r.pick(8);
            if (kind == 0)
                sheet->updateAll();
            else if (kind == 1)
                sheet->UpdateValues(r.chance(50) ? other.get() : host.get());
            else if (kind == 2 && host)
                r.randomize(*host);
            else if (kind == 3 && r.chance(20))
                (r.chance(50) ? host : other).reset(); // the host goes first
            else
                poke(r, *sheet, list);
            checkRows(*sheet, list);
        }
        if (r.chance(50))
            host.reset(), other.reset(); // the sheet outlives both hosts
        sheet->updateAll();
        poke(r, *sheet, list);
        delete sheet;
        QCOMPARE(FakeHost::lateWrites, 0);
    }
};

QTEST_MAIN(tst_RandomSheets)
#include "tst_random_sheets.moc"
