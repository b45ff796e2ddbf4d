// Property sheets built from random, often malformed, description lists over host objects with
// properties of random types. Every sheet is built, refreshed, rebound, edited through its
// controls and destroyed; the invariants below hold after every step.

#include "RandomSeed.h"

#include <corvane/Button.h>
#include <corvane/CheckBox.h>
#include <corvane/ColorPicker.h>
#include <corvane/ComboBox.h>
#include <corvane/FilePicker.h>
#include <corvane/FileSource.h>
#include <corvane/InputLineSlider.h>
#include <corvane/LineEdit.h>
#include <corvane/MultiTextField.h>
#include <corvane/PropertyListWidget.h>
#include <corvane/TextField.h>

#include "propertysheet/Panel.h"

#include <QColor>
#include <QComboBox>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTextEdit>

#include <climits>
#include <cmath>
#include <iterator>
#include <limits>
#include <memory>
#include <random>
#include <stdexcept>

namespace {

using Rng = std::mt19937;

int pick(Rng& rng, int n)
{
    return std::uniform_int_distribution<int>(0, n - 1)(rng);
}

bool chance(Rng& rng, int percent)
{
    return pick(rng, 100) < percent;
}

const char* const kStaticProps[]
    = { "fNum", "dNum", "iNum", "sText", "bFlag", "cColor", "vAny", "lList", "mMap" };
const char* const kOtherProps[] = { "dyn0", "dyn1", "dyn2", "missing", "", "act0", "act1" };
const char* const kTypes[] = { "panel", "title", "number", "file", "color", "check", "combo",
    "button", "space", "line", "label", "text", "multitext", "Number", "", "slider" };

QString randomProp(Rng& rng)
{
    constexpr int statics = int(std::size(kStaticProps));
    const int i = pick(rng, statics + int(std::size(kOtherProps)));
    return QLatin1String(i < statics ? kStaticProps[i] : kOtherProps[i - statics]);
}

double randomDouble(Rng& rng)
{
    static const double specials[] = { 0.0, -0.0, 1.0, -1.0, 0.5, 1e-300, 1e300, -1e300, 3.4e38,
        1e39, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(), 2147483648.0, -2147483649.0, 9.2e18 };
    if (chance(rng, 40))
        return specials[pick(rng, int(std::size(specials)))];
    return std::uniform_real_distribution<double>(-1000.0, 1000.0)(rng);
}

QString randomText(Rng& rng)
{
    static const char* const texts[] = { "", "0", "1", "-1", "3.14159", "1e5", "nan", "inf", "-inf",
        "abc", "12,5", " 7 ", "1e400", "0x10", "99999999999999999999", "Thin", "Normal",
        "/no/such/file.png", "\xc3\xa9t\xc3\xa9" };
    if (chance(rng, 80))
        return QString::fromUtf8(texts[pick(rng, int(std::size(texts)))]);
    return QString(pick(rng, 300), QChar(u'a' + pick(rng, 26)));
}

// What a test can type: QTest sends keys for ASCII characters only.
QString typed(Rng& rng, int length)
{
    QString text;
    for (QChar c : randomText(rng).left(length)) {
        if (c.unicode() < 128)
            text += c;
    }
    return text;
}

QVariant randomVariant(Rng& rng, int depth = 0)
{
    switch (pick(rng, depth > 1 ? 9 : 12)) {
    case 0:
        return QVariant();
    case 1:
        return QVariant(chance(rng, 50));
    case 2:
        return QVariant(std::uniform_int_distribution<int>(INT_MIN, INT_MAX)(rng));
    case 3:
        return QVariant(randomDouble(rng));
    case 4:
        return QVariant(float(std::clamp(randomDouble(rng), -1e30, 1e30)));
    case 5:
        return QVariant(randomText(rng));
    case 6:
        return QVariant(QColor::fromRgb(pick(rng, 256), pick(rng, 256), pick(rng, 256)));
    case 7:
        return QVariant(randomText(rng).toUtf8());
    case 8:
        return QVariant(qlonglong(std::uniform_int_distribution<qlonglong>()(rng)));
    case 9: {
        QStringList list;
        for (int n = pick(rng, 6); n > 0; --n)
            list << randomText(rng);
        return list;
    }
    case 10: {
        QVariantMap map;
        for (int n = pick(rng, 6); n > 0; --n)
            map.insert(randomText(rng), randomVariant(rng, depth + 1));
        return map;
    }
    default: {
        QVariantList list;
        for (int n = pick(rng, 4); n > 0; --n)
            list << randomVariant(rng, depth + 1);
        return list;
    }
    }
}

// Every write that reaches a host, through a setter or as a dynamic property.
struct WriteLog
{
    struct Entry
    {
        int host;
        QByteArray name;
    };
    QList<Entry> entries;
    QSet<int> destroyed;
    int writesToDestroyed = 0;

    void add(int host, QByteArray const& name)
    {
        if (destroyed.contains(host))
            ++writesToDestroyed;
        entries.append({ host, name });
    }
};

class RandomHost : public QObject, public IUserInterfaceProperties
{
    Q_OBJECT
    Q_INTERFACES(IUserInterfaceProperties)
    Q_PROPERTY(float fNum READ fNum WRITE setFNum)
    Q_PROPERTY(double dNum READ dNum WRITE setDNum)
    Q_PROPERTY(int iNum READ iNum WRITE setINum)
    Q_PROPERTY(QString sText READ sText WRITE setSText)
    Q_PROPERTY(bool bFlag READ bFlag WRITE setBFlag)
    Q_PROPERTY(QColor cColor READ cColor WRITE setCColor)
    Q_PROPERTY(QVariant vAny READ vAny WRITE setVAny)
    Q_PROPERTY(QStringList lList READ lList WRITE setLList)
    Q_PROPERTY(QVariantMap mMap READ mMap WRITE setMMap)
public:
    RandomHost(int id, WriteLog& log, PropertyDescriptionList list)
        : m_id(id)
        , m_log(log)
        , m_list(std::move(list))
    { }
    ~RandomHost() override { m_log.destroyed.insert(m_id); }

    PropertyDescriptionList propertyList() override { return m_list; }

    float fNum() const { return m_f; }
    void setFNum(float v) { write("fNum"), m_f = v; }
    double dNum() const { return m_d; }
    void setDNum(double v) { write("dNum"), m_d = v; }
    int iNum() const { return m_i; }
    void setINum(int v) { write("iNum"), m_i = v; }
    QString sText() const { return m_s; }
    void setSText(QString const& v) { write("sText"), m_s = v; }
    bool bFlag() const { return m_b; }
    void setBFlag(bool v) { write("bFlag"), m_b = v; }
    QColor cColor() const { return m_c; }
    void setCColor(QColor const& v) { write("cColor"), m_c = v; }
    QVariant vAny() const { return m_v; }
    void setVAny(QVariant const& v) { write("vAny"), m_v = v; }
    QStringList lList() const { return m_l; }
    void setLList(QStringList const& v) { write("lList"), m_l = v; }
    QVariantMap mMap() const { return m_m; }
    void setMMap(QVariantMap const& v) { write("mMap"), m_m = v; }

    void randomize(Rng& rng)
    {
        m_f = float(std::clamp(randomDouble(rng), -1e30, 1e30));
        m_d = randomDouble(rng);
        m_i = std::uniform_int_distribution<int>(INT_MIN, INT_MAX)(rng);
        m_s = randomText(rng);
        m_b = chance(rng, 50);
        m_c = randomVariant(rng).value<QColor>();
        m_v = randomVariant(rng);
        m_l = randomVariant(rng).toStringList();
        m_m = randomVariant(rng).toMap();
        m_throwing = chance(rng, 20);
        // Derived properties of odd types, set dynamically as a host may do.
        for (const char* base : kStaticProps) {
            for (const char* suffix : { "Values", "Enabled" }) {
                if (chance(rng, 40))
                    QObject::setProperty(QByteArray(base) + suffix, randomVariant(rng));
            }
        }
        for (const char* name : { "dyn0", "dyn1", "dyn2" }) {
            if (chance(rng, 60))
                QObject::setProperty(name, randomVariant(rng));
        }
        m_log.entries.clear();
    }

    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::DynamicPropertyChange)
            m_log.add(m_id, static_cast<QDynamicPropertyChangeEvent*>(e)->propertyName());
        return QObject::event(e);
    }

    int clicks = 0;

public Q_SLOTS:
    void act0() { ++clicks; }
    void act1() { clicks += 2; }

private:
    void write(const char* name)
    {
        m_log.add(m_id, name);
        if (m_throwing)
            throw std::runtime_error("setter refused");
    }

    int m_id;
    WriteLog& m_log;
    PropertyDescriptionList m_list;
    bool m_throwing = false;
    float m_f = 0;
    double m_d = 0;
    int m_i = 0;
    QString m_s;
    bool m_b = false;
    QColor m_c;
    QVariant m_v;
    QStringList m_l;
    QVariantMap m_m;
};

class RandomSource : public IFileSource
{
    Q_OBJECT
public:
    explicit RandomSource(std::uint32_t seed)
        : m_rng(seed)
    { }
    QStringList getFileList(QWidget*) override { return m_files; }
    bool browseFile(QWidget*, QString& fileName) override
    {
        fileName = randomText(m_rng);
        if (chance(m_rng, 50))
            m_files << fileName;
        return chance(m_rng, 70);
    }
    bool isFileAccepted(QString const&) override { return chance(m_rng, 50); }

private:
    Rng m_rng;
    QStringList m_files { QStringLiteral("a.png"), QStringLiteral("b.png"), QString() };
};

class RandomHelper : public IPropertyListHelper
{
public:
    explicit RandomHelper(Rng& rng)
        : m_rng(rng)
    { }
    IFileSource* fileSource(QString const&) override
    {
        return chance(m_rng, 80) ? new RandomSource(m_rng()) : nullptr;
    }

private:
    Rng& m_rng;
};

PropertyDescription randomRecord(Rng& rng)
{
    PropertyDescription r;
    const auto maybe = [&](const char* key, QVariant const& sensible) {
        if (chance(rng, 65))
            r.insert(QLatin1String(key), chance(rng, 70) ? sensible : randomVariant(rng));
    };
    if (chance(rng, 95))
        r.insert(QStringLiteral("type"),
            chance(rng, 95) ? QVariant(QLatin1String(kTypes[pick(rng, int(std::size(kTypes)))]))
                            : randomVariant(rng));
    maybe("label", randomText(rng));
    if (chance(rng, 90))
        r.insert(QStringLiteral("prop"),
            chance(rng, 90) ? QVariant(randomProp(rng)) : randomVariant(rng));
    const double lo = chance(rng, 70) ? double(pick(rng, 21) - 10) : randomDouble(rng);
    double hi = lo + pick(rng, 3) - 1; // min above, equal to or below max
    if (chance(rng, 50))
        hi = lo + pick(rng, 1000) / 10.0;
    if (chance(rng, 15))
        hi = randomDouble(rng);
    maybe("w_minValue", float(std::clamp(lo, -1e30, 1e30)));
    maybe("w_maxValue",
        chance(rng, 50) ? QVariant(float(std::clamp(hi, -1e30, 1e30)))
                        : QVariant(QString::number(hi)));
    static const double precisions[] = { -5, -1, 0, 1, 2, 2.9, 6, 17, 300, 1e9, 3e9, -1e12 };
    maybe("w_precision", precisions[pick(rng, int(std::size(precisions)))]);
    static const int flags[]
        = { 0xc2, 0xa1, 0x2a1, 0x20, 0x40, 0x80, 0x200, 0x400, 0x800, 0xfff, 0, -1, INT_MIN };
    maybe("w_flags", flags[pick(rng, int(std::size(flags)))]);
    maybe("w_isEditable", chance(rng, 50));
    maybe("w_order", pick(rng, 5) - 1);
    maybe("w_mode", randomText(rng));
    maybe("w_value", randomText(rng));
    maybe("w_obj_id", randomText(rng));
    return r;
}

bool isValueType(QString const& type)
{
    static const QStringList types { QStringLiteral("number"), QStringLiteral("file"),
        QStringLiteral("color"), QStringLiteral("check"), QStringLiteral("combo"),
        QStringLiteral("button"), QStringLiteral("text"), QStringLiteral("multitext") };
    return types.contains(type);
}

// The range of a number row when it is a sound one.
bool soundRange(PropertyDescription const& r, float& lo, float& hi)
{
    lo = r.contains(QStringLiteral("w_minValue")) ? r.value(QStringLiteral("w_minValue")).toFloat()
                                                  : 0.0f;
    hi = r.contains(QStringLiteral("w_maxValue")) ? r.value(QStringLiteral("w_maxValue")).toFloat()
                                                  : 1.0f;
    return std::isfinite(lo) && std::isfinite(hi) && lo <= hi;
}

} // namespace

class tst_RandomSheets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        testutils::baseSeed();
        // Button rows bound to names that are no slots are expected; Qt's warnings are noise.
        QLoggingCategory::setFilterRules(QStringLiteral("qt.core.qobject.connect=false"));
    }
    void randomSheet_data();
    void randomSheet();

private:
    void checkRows(PropertyListWidget& sheet, PropertyDescriptionList const& list);
    void poke(Rng& rng, PropertyListWidget& sheet, PropertyDescriptionList const& list);
};

void tst_RandomSheets::randomSheet_data()
{
    QTest::addColumn<std::uint32_t>("seed");
    for (int round = 0; round < 40; ++round) {
        const std::uint32_t seed = testutils::roundSeed(round);
        QTest::addRow("round %d (seed %u)", round, seed) << seed;
    }
}

// Each value record yields exactly one row of the right class, named after its prop, and the
// sheet maps the row back to that prop.
void tst_RandomSheets::checkRows(PropertyListWidget& sheet, PropertyDescriptionList const& list)
{
    QMap<QString, QStringList> expected;
    for (const auto& r : list) {
        const QString type = r.value(QStringLiteral("type")).toString();
        if (isValueType(type))
            expected[type] << r.value(QStringLiteral("prop")).toString();
    }
    const auto rowsOf = [&](auto* tag, const char* type) {
        using Row = std::remove_pointer_t<decltype(tag)>;
        QStringList names;
        for (Row* row : sheet.findChildren<Row*>()) {
            if (!qobject_cast<PropsPanel*>(row->parentWidget()))
                continue; // a control inside another control
            names << row->objectName();
            QCOMPARE(sheet.findProperty(row), row->objectName());
        }
        names.sort();
        QStringList want = expected.value(QLatin1String(type));
        want.sort();
        QCOMPARE(names, want);
    };
    rowsOf(static_cast<InputLineSlider*>(nullptr), "number");
    rowsOf(static_cast<FilePicker*>(nullptr), "file");
    rowsOf(static_cast<ColorPicker*>(nullptr), "color");
    rowsOf(static_cast<CheckBox*>(nullptr), "check");
    rowsOf(static_cast<ComboBox*>(nullptr), "combo");
    rowsOf(static_cast<Button*>(nullptr), "button");
    rowsOf(static_cast<TextField*>(nullptr), "text");
    rowsOf(static_cast<MultiTextField*>(nullptr), "multitext");
}

// One synthetic user edit on a random row.
void tst_RandomSheets::poke(
    Rng& rng, PropertyListWidget& sheet, PropertyDescriptionList const& list)
{
    QList<QWidget*> rows;
    for (const auto& r : list) {
        if (QWidget* w = sheet.findWidget(r.value(QStringLiteral("prop")).toString()))
            rows << w;
    }
    if (rows.isEmpty())
        return;
    QWidget* row = rows.at(pick(rng, int(rows.size())));
    if (!row->isEnabled())
        return;

    if (auto* number = qobject_cast<InputLineSlider*>(row)) {
        const float before = number->getValue();
        auto* edit = number->findChild<LineEdit*>(QStringLiteral("edit"));
        switch (pick(rng, 3)) {
        case 0:
            edit->setFocus();
            edit->selectAll();
            QTest::keyClicks(edit, typed(rng, 40));
            QTest::keyClick(edit, Qt::Key_Return);
            break;
        case 1:
            Q_EMIT edit->mouseDraging(pick(rng, 2) ? 9.0 : -9.0);
            break;
        default:
            edit->setFocus();
            QTest::keyClick(edit, pick(rng, 2) ? Qt::Key_Up : Qt::Key_Down);
            break;
        }
        const float lo = number->getMinValue();
        const float hi = number->getMaxValue();
        const float v = number->getValue();
        if (std::isfinite(lo) && std::isfinite(hi) && lo <= hi && std::isfinite(before)) {
            QVERIFY2(std::isfinite(v), qPrintable(number->objectName()));
            // Integer rows floor what they show; an unparsable entry keeps the old value.
            const float bottom = number->isIntValues() ? std::floor(lo) : lo;
            QVERIFY2((v >= bottom && v <= hi) || v == before,
                qPrintable(QStringLiteral("%1: %2 outside [%3, %4], was %5")
                               .arg(number->objectName())
                               .arg(double(v))
                               .arg(double(lo))
                               .arg(double(hi))
                               .arg(double(before))));
        }
    } else if (auto* check = qobject_cast<CheckBox*>(row)) {
        check->click();
    } else if (auto* button = qobject_cast<Button*>(row)) {
        button->click();
    } else if (auto* combo = qobject_cast<ComboBox*>(row)) {
        auto* box = combo->findChild<QComboBox*>();
        if (box && box->isEditable() && chance(rng, 50)) {
            box->lineEdit()->selectAll();
            QTest::keyClicks(box->lineEdit(), typed(rng, 20));
            QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        } else if (box && box->count() > 0) {
            box->setCurrentIndex(pick(rng, box->count()));
        }
    } else if (auto* file = qobject_cast<FilePicker*>(row)) {
        auto* box = file->findChild<QComboBox*>(QStringLiteral("combo"));
        auto* browse = file->findChild<QPushButton*>(QStringLiteral("browse"));
        if (browse && chance(rng, 40))
            browse->click();
        else if (box && box->count() > 0)
            box->setCurrentIndex(pick(rng, box->count()));
    } else if (auto* text = qobject_cast<TextField*>(row)) {
        auto* edit = text->findChild<QLineEdit*>();
        edit->setFocus();
        QTest::keyClicks(edit, typed(rng, 20));
        QTest::keyClick(edit, Qt::Key_Return);
    } else if (auto* multi = qobject_cast<MultiTextField*>(row)) {
        auto* edit = multi->findChild<QTextEdit*>();
        edit->setFocus();
        QTest::keyClicks(edit, typed(rng, 20));
        sheet.setFocus(); // leaving the field finishes the edit
    } else if (auto* color = qobject_cast<ColorPicker*>(row)) {
        Q_EMIT color->colorChanged(QColor::fromRgb(pick(rng, 256), pick(rng, 256), pick(rng, 256)));
    }
}

void tst_RandomSheets::randomSheet()
{
    QFETCH(std::uint32_t, seed);
    Rng rng(seed);
    WriteLog log;

    PropertyDescriptionList list;
    for (int n = pick(rng, 30); n > 0; --n)
        list << randomRecord(rng);

    auto host = std::make_unique<RandomHost>(1, log, list);
    host->randomize(rng);
    auto other = std::make_unique<RandomHost>(2, log, PropertyDescriptionList());
    other->randomize(rng);
    RandomHelper helper(rng);

    QWidget window;
    window.resize(400, 600);
    auto* sheet = new PropertyListWidget(host.get(), chance(rng, 80) ? &helper : nullptr, &window);
    window.show();
    QPointer<PropertyListWidget> guard(sheet);
    checkRows(*sheet, list);

    for (int step = 0; step < 40 && guard; ++step) {
        switch (pick(rng, 10)) {
        case 0:
            sheet->updateAll();
            break;
        case 1:
            sheet->UpdateValues(chance(rng, 50) ? other.get() : host.get());
            break;
        case 2:
            if (host)
                host->randomize(rng);
            break;
        case 3:
            if (chance(rng, 20)) {
                // The host goes first; the sheet outlives it.
                (chance(rng, 50) ? host : other).reset();
            }
            break;
        default:
            poke(rng, *sheet, list);
            break;
        }
        if (QTest::currentTestFailed())
            return;
        if (chance(rng, 30))
            checkRows(*sheet, list);
    }
    if (chance(rng, 50)) {
        host.reset();
        other.reset();
        sheet->updateAll();
        poke(rng, *sheet, list);
    }
    delete sheet;
    QCOMPARE(log.writesToDestroyed, 0);
}

QTEST_MAIN(tst_RandomSheets)
#include "tst_random_sheets.moc"
