#pragma once

// Random description records and host states over FakeHost, for the randomized sheet test and
// the sheet fuzzer: sound values most of the time, anything at all otherwise, every key of the
// format possibly missing. `Choices` takes every decision, through pick(n) (a number below n),
// bits() (32 random bits) and freeText() (any text).

#include "FakeHost.h"

#include <QColor>

#include <algorithm>
#include <climits>
#include <functional>
#include <iterator>

template<class Choices> class RandomRecords
{
public:
    explicit RandomRecords(Choices& choices)
        : m_choices(choices)
    { }

    std::size_t pick(std::size_t n) { return m_choices.pick(n); }
    std::uint32_t bits() { return m_choices.bits(); }
    bool chance(int percent) { return pick(100) < std::size_t(percent); }
    template<class T, std::size_t N> const T& oneOf(const T (&items)[N]) { return items[pick(N)]; }

    double real()
    {
        static const double specials[] = { 0.0, -0.0, 1.0, -1.0, 1e-300, 1e300, -1e300, 3.4e38,
            1e39, qQNaN(), qInf(), -qInf(), 2147483648.0, -2147483649.0 };
        return chance(40) ? oneOf(specials) : (double(bits()) / UINT32_MAX - 0.5) * 2000;
    }
    float single() { return float(std::clamp(real(), -1e30, 1e30)); } // NaN passes through
    QString text()
    {
        static const char* const texts[] = { "", "0", "-1", "3.14159", "1e5", "nan", "inf", "-inf",
            "abc", "12,5", " 7 ", "1e400", "0x10", "99999999999999999999", "Thin", "Normal",
            "/no/such/file.png", "~!@#%", "bad.png", "grumpy" };
        return chance(80) ? QString::fromLatin1(oneOf(texts)) : m_choices.freeText();
    }
    // Any type a host or a careless record may hold; lists and maps two levels deep at most.
    QVariant variant(int depth = 0)
    {
        const std::function<QVariant()> make[] = { [] { return QVariant(); },
            [&] { return QVariant(chance(50)); }, [&] { return QVariant(int(bits())); },
            [&] { return QVariant(real()); }, [&] { return QVariant(single()); },
            [&] { return QVariant(text()); }, [&] { return QVariant(text().toUtf8()); },
            [&] { return QVariant(QColor::fromRgb(bits() & RGB_MASK)); },
            [&] { return QVariant(qlonglong(bits()) << 31); }, [&] { return QVariant(typeName()); },
            [&] { return QVariant(QVariant(list(depth)).toStringList()); },
            [&] { return QVariant(list(depth)); }, [&] { return QVariant(map(depth)); } };
        return make[pick(std::size(make))]();
    }
    // Every row type, and names of none.
    QString typeName()
    {
        static const char* const others[] = { "Number", "", "x" };
        const std::size_t i = pick(std::size(RowType::All) + 1);
        return i < std::size(RowType::All) ? QString(RowType::All[i])
                                           : QString::fromLatin1(oneOf(others));
    }
    // A property of the host, now and then a name derived from one.
    QString prop()
    {
        const QString base = QString::fromLatin1(oneOf(FakeHost::Props));
        return chance(85) ? base : base + oneOf(PropertySuffix::All);
    }
    PropertyDescription record()
    {
        const float lo = chance(70) ? float(int(pick(21)) - 10) : single();
        // The maximum above, equal to or below the minimum, or anything.
        const float hi
            = chance(15) ? single() : lo + float(int(pick(3)) - 1) * float(1 + pick(999)) / 10;
        const double precisions[] = { -5, -1, 0, 1, 2, 2.9, 6, 17, 300, 1e9, 3e9, -1e12 };
        const int percent = ePercents | eIntValues | eSliderInsteadSpinner;
        // The options, every option bit up to the highest one, all bits, the sign bit.
        const int flags[] = { NumberFlags::Default, percent, percent | eTwoLines, eIntValues,
            eRealValues, eSliderInsteadSpinner, eTwoLines, eSliderIntStep, eFineStep,
            eFineStep * 2 - 1, 0, -1, INT_MIN };
        // Values that suit their key; any other key gets text.
        const std::pair<QLatin1String, std::function<QVariant()>> sensible[] = {
            { PropertyKey::Type, [&] { return typeName(); } },
            { PropertyKey::Prop, [&] { return prop(); } },
            { PropertyKey::MinValue, [&] { return lo; } },
            { PropertyKey::MaxValue,
                [&] { return chance(50) ? QVariant(hi) : QString::number(double(hi)); } },
            { PropertyKey::Precision, [&] { return oneOf(precisions); } },
            { PropertyKey::Flags, [&] { return oneOf(flags); } },
            { PropertyKey::IsEditable, [&] { return chance(50); } },
            { PropertyKey::Percent, [&] { return chance(50); } },
            { PropertyKey::Order, [&] { return int(pick(5)) - 1; } },
            { PropertyKey::Padding, [&] { return int(pick(5)) - 1; } },
            { PropertyKey::Values, [&] { return entries(); } },
            { PropertyKey::Default, [&] { return variant(); } },
        };
        PropertyDescription r;
        for (QLatin1String key : PropertyKey::All) {
            if (!chance(key == PropertyKey::Type || key == PropertyKey::Prop ? 92 : 65))
                continue;
            const auto it = std::find_if(std::begin(sensible), std::end(sensible),
                [key](auto const& s) { return s.first == key; });
            r.insert(key,
                chance(15)                     ? variant()
                    : it != std::end(sensible) ? it->second()
                                               : text());
        }
        if (chance(10)) // keys outside the format are ignored
            r.insert(QStringLiteral("other"), variant());
        return r;
    }
    // New values for the host's properties, derived ones included, often of odd types.
    void randomize(FakeHost& host)
    {
        host.m_number = single(), host.m_count = int(bits()), host.m_flag = chance(50);
        host.m_color = variant().template value<QColor>(), host.m_texture = text();
        host.m_mood = variant();
        for (const char* base : FakeHost::Props) {
            QStringList names { QString::fromLatin1(base) };
            for (QLatin1String suffix : PropertySuffix::All)
                names << names.first() + suffix;
            for (const QString& name : names) {
                try {
                    if (chance(20))
                        host.setProperty(name.toLatin1(), variant());
                } catch (std::exception const&) { // the host refuses some values
                }
            }
        }
    }

    // Gives file rows sources, or none, that browse to random names and accept files at random.
    struct Helper : FakeHelper
    {
        struct Files : FakeHelper::Files
        {
            explicit Files(RandomRecords& r)
                : FakeHelper::Files({ QStringLiteral("a.png"), QString() })
                , r(r)
            { }
            bool browseFile(QWidget*, QString& f) override
            {
                return files << (f = r.text()), r.chance(70);
            }
            bool isFileAccepted(QString const&) override { return r.chance(50); }
            RandomRecords& r;
        };
        explicit Helper(RandomRecords& r)
            : r(r)
        { }
        IFileSource* fileSource(QString const&) override
        {
            return r.chance(80) ? new Files(r) : nullptr;
        }
        RandomRecords& r;
    };

private:
    // Combo entries: a list of texts, or texts standing for numbers, enum keys among them.
    QVariant entries()
    {
        QStringList texts;
        QVariantMap numbered;
        for (std::size_t n = pick(5); n > 0; --n) {
            const QString key
                = chance(50) ? QString::fromLatin1(oneOf(FakeHost::ShadeKeys)) : text();
            texts << key;
            numbered.insert(key, chance(70) ? QVariant(int(pick(6))) : QVariant(real()));
        }
        return chance(50) ? QVariant(texts) : QVariant(numbered);
    }
    QVariantList list(int depth)
    {
        QVariantList items;
        for (std::size_t n = depth < 2 ? pick(4) : 0; n > 0; --n)
            items << variant(depth + 1);
        return items;
    }
    QVariantMap map(int depth)
    {
        QVariantMap items;
        for (std::size_t n = depth < 2 ? pick(5) : 0; n > 0; --n)
            items.insert(text(), variant(depth + 1));
        return items;
    }

    Choices& m_choices;
};
