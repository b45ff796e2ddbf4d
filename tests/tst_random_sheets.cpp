// Property sheets built from random, often malformed, description lists over hosts with
// properties of random types. Every sheet is built, refreshed, rebound, edited through its
// controls and destroyed, sometimes after its host; the invariants hold after every step.

#include "RandomSeed.h"

#include "propertysheet/Panel.h"
#include <corvane/CorvaneWidgets.h>

#include <QComboBox>
#include <QLoggingCategory>
#include <QSet>
#include <QTextEdit>

#include <cmath>
#include <memory>

using namespace testutils;

namespace {

const char* const kProps[]
    = { "fNum", "iNum", "sText", "bFlag", "cColor", "vAny", "dyn0", "dyn1", "missing", "", "act0" };

struct SheetRandom : Random
{
    using Random::Random;
    double real()
    {
        static const double specials[] = { 0.0, -0.0, 1.0, -1.0, 1e-300, 1e300, -1e300, 3.4e38,
            1e39, qQNaN(), qInf(), -qInf(), 2147483648.0, -2147483649.0 };
        return chance(40) ? oneOf(specials) : std::uniform_real_distribution<>(-1e3, 1e3)(rng);
    }
    float single() { return float(std::clamp(real(), -1e30, 1e30)); } // NaN passes through
    QString text()
    {
        static const char* const texts[] = { "", "0", "-1", "3.14159", "1e5", "nan", "inf", "-inf",
            "abc", "12,5", " 7 ", "1e400", "0x10", "99999999999999999999", "Thin", "Normal",
            "/no/such/file.png", "~!@#%" };
        return chance(80) ? QString::fromLatin1(oneOf(texts))
                          : QString(int(pick(300)), QChar(char16_t(u'a' + pick(26))));
    }
    QVariant variant(int depth = 0)
    {
        QVariantList list;
        for (long n = depth < 2 ? pick(4) : 0; n > 0; --n)
            list << variant(depth + 1);
        const QVariant any[] = { QVariant(), chance(50), int(rng()), real(), single(), text(),
            QColor::fromRgb(rng() & 0xffffff), text().toUtf8(), qlonglong(rng()) << 31,
            QVariant(list).toStringList(), list };
        return oneOf(any);
    }
    // Sound values most of the time, anything at all otherwise; every key may be missing.
    PropertyDescription record()
    {
        static const char* const types[] = { "panel", "title", "number", "file", "color", "check",
            "combo", "button", "space", "line", "label", "text", "multitext", "Number", "", "x" };
        static const char* const keys[] = { "type", "label", "prop", "w_minValue", "w_maxValue",
            "w_precision", "w_flags", "w_isEditable", "w_order", "w_mode", "w_value" };
        static const double precisions[] = { -5, -1, 0, 1, 2, 2.9, 6, 17, 300, 1e9, 3e9, -1e12 };
        static const int flags[] = { 0xc2, 0xa1, 0x2a1, 0x20, 0x40, 0x80, 0x200, 0x400, 0x800,
            0xfff, 0, -1, int(0x80000000u) };
        const float lo = chance(70) ? float(pick(21) - 10) : single();
        // The maximum above, equal to or below the minimum, or anything.
        const float hi
            = chance(15) ? single() : lo + float(pick(3) - 1) * float(1 + pick(999)) / 10;
        const QVariant sensible[]
            = { QString::fromLatin1(oneOf(types)), text(), QString::fromLatin1(oneOf(kProps)), lo,
                  chance(50) ? QVariant(hi) : QVariant(QString::number(double(hi))),
                  oneOf(precisions), oneOf(flags), chance(50), int(pick(5) - 1), text(), text() };
        PropertyDescription r;
        for (std::size_t k = 0; k < std::size(keys); ++k) {
            if (chance(k == 0 || k == 2 ? 92 : 65))
                r.insert(QLatin1String(keys[k]), chance(85) ? sensible[k] : variant());
        }
        return r;
    }
};

// Hosts count the writes that reach them after their destruction, known by address alone.
class RandomHost : public QObject, public IUserInterfaceProperties
{
    Q_OBJECT
    Q_INTERFACES(IUserInterfaceProperties)
    Q_PROPERTY(float fNum MEMBER m_f NOTIFY written)
    Q_PROPERTY(int iNum MEMBER m_i NOTIFY written)
    Q_PROPERTY(QString sText MEMBER m_s NOTIFY written)
    Q_PROPERTY(bool bFlag MEMBER m_b NOTIFY written)
    Q_PROPERTY(QColor cColor MEMBER m_c NOTIFY written)
    Q_PROPERTY(QVariant vAny MEMBER m_v NOTIFY written)
public:
    explicit RandomHost(SheetRandom& r, PropertyDescriptionList const& list = {})
    {
        m_list = list;
        randomize(r);
        connect(this, &RandomHost::written, this, &RandomHost::wrote);
    }
    ~RandomHost() override { dead.insert(this); }
    PropertyDescriptionList propertyList() override { return m_list; }
    void wrote() { lateWrites += dead.contains(this); }
    void randomize(SheetRandom& r)
    {
        m_f = r.single(), m_i = int(r.rng()), m_s = r.text(), m_b = r.chance(50);
        m_c = r.variant().value<QColor>(), m_v = r.variant();
        // Dynamic properties and derived ones ("...Values", "...Enabled"), of odd types.
        for (const char* base : kProps) {
            for (const char* suffix : { "", "Values", "Enabled" }) {
                if (r.chance(20))
                    QObject::setProperty(QByteArray(base) + suffix, r.variant());
            }
        }
    }
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::DynamicPropertyChange)
            wrote();
        return QObject::event(e);
    }
    static inline QSet<const void*> dead;
    static inline int lateWrites = 0;

Q_SIGNALS:
    void written();

public Q_SLOTS:
    void act0() { }

public:
    PropertyDescriptionList m_list;
    float m_f = 0;
    int m_i = 0;
    QString m_s;
    bool m_b = false;
    QColor m_c;
    QVariant m_v;
};

// Browsing yields random names, accepted or not; the list grows with them.
struct Source : IFileSource, SheetRandom
{
    using SheetRandom::SheetRandom;
    QStringList getFileList(QWidget*) override { return files; }
    bool browseFile(QWidget*, QString& f) override { return files << (f = text()), chance(70); }
    bool isFileAccepted(QString const&) override { return chance(50); }
    QStringList files { QStringLiteral("a.png"), QString() };
};

struct Helper : IPropertyListHelper, Random
{
    using Random::Random;
    IFileSource* fileSource(const QString&) override { return chance(80) ? new Source(rng()) : 0; }
};

// Each value record yields exactly one row of its type's class, named after its prop, and the
// sheet maps the row back to that prop.
void checkRows(PropertyListWidget& sheet, PropertyDescriptionList const& list)
{
    // Pairs of a value row type and the class of its rows.
    static const char* const classes[] = { "number", "InputLineSlider", "file", "FilePicker",
        "color", "ColorPicker", "check", "CheckBox", "combo", "ComboBox", "button", "Button",
        "text", "TextField", "multitext", "MultiTextField" };
    QStringList want, got;
    for (std::size_t k = 0; k < std::size(classes); k += 2) {
        const QLatin1String type(classes[k]);
        for (const auto& r : list)
            if (r.value(QStringLiteral("type")).toString() == type)
                want << type + r.value(QStringLiteral("prop")).toString();
        for (QWidget* row : sheet.findChildren<QWidget*>()) {
            // Rows sit directly in a panel; controls inside other controls do not count.
            if (qobject_cast<PropsPanel*>(row->parentWidget()) && row->inherits(classes[k + 1])) {
                got << type + row->objectName();
                QCOMPARE(sheet.findProperty(row), row->objectName());
            }
        }
    }
    want.sort();
    got.sort();
    QCOMPARE(got, want);
}

// One synthetic user edit on a random row: numbers are checked to stay finite and in range.
void poke(SheetRandom& r, PropertyListWidget& sheet, PropertyDescriptionList const& list)
{
    const QString prop
        = list.value(int(r.pick(list.size() + 1))).value(QStringLiteral("prop")).toString();
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
    if (auto* number = qobject_cast<InputLineSlider*>(row)) {
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
        box->setCurrentIndex(int(r.pick(box->count())));
    } else if (QWidget* field = row->findChild<QLineEdit*>()) {
        type(field);
    } else if (QWidget* field = row->findChild<QTextEdit*>()) {
        type(field);
    } else if (auto* color = qobject_cast<ColorPicker*>(row)) {
        Q_EMIT color->colorChanged(QColor::fromRgb(r.rng() & 0xffffff));
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
    void randomSheet();
};

void tst_RandomSheets::randomSheet()
{
    QFETCH(std::uint32_t, seed);
    SheetRandom r(seed);
    RandomHost::dead.clear(); // addresses of earlier rounds may come back
    RandomHost::lateWrites = 0;
    PropertyDescriptionList list;
    for (long n = r.pick(30); n > 0; --n)
        list << r.record();
    auto host = std::make_unique<RandomHost>(r, list);
    auto other = std::make_unique<RandomHost>(r);
    Helper helper(r.rng());
    auto* sheet = new PropertyListWidget(host.get(), r.chance(80) ? &helper : nullptr);
    sheet->resize(400, 600);
    sheet->show();
    for (int step = 0; step < 40 && !QTest::currentTestFailed(); ++step) {
        const long kind = r.pick(8);
        if (kind == 0)
            sheet->updateAll();
        else if (kind == 1)
            sheet->UpdateValues(r.chance(50) ? other.get() : host.get());
        else if (kind == 2 && host)
            host->randomize(r);
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
    QCOMPARE(RandomHost::lateWrites, 0);
}

QTEST_MAIN(tst_RandomSheets)
#include "tst_random_sheets.moc"
