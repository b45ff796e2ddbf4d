// Bytes -> a property description list of arbitrary types, keys and values over a host object
// with properties of arbitrary types -> a property sheet built, refreshed and destroyed.

#include "FuzzApp.h"

#include <corvane/PropertyListWidget.h>

#include <QColor>
#include <QVariant>

#include <fuzzer/FuzzedDataProvider.h>

#include <climits>

namespace {

const char* const kKeys[] = { "type", "label", "prop", "w_minValue", "w_maxValue", "w_precision",
    "w_flags", "w_isEditable", "w_order", "w_mode", "w_value", "w_obj_id", "w_percent", "w_padding",
    "other" };
const char* const kTypes[] = { "panel", "title", "number", "file", "color", "check", "combo",
    "button", "space", "line", "label", "text", "multitext", "Number", "" };
const char* const kProps[] = { "f", "s", "v", "missing", "", "fValues", "vEnabled", "d0", "d1" };

QString text(FuzzedDataProvider& data)
{
    return QString::fromUtf8(data.ConsumeRandomLengthString(64).c_str());
}

QVariant value(FuzzedDataProvider& data, int depth = 0)
{
    switch (data.ConsumeIntegralInRange(0, depth > 1 ? 8 : 11)) {
    case 0:
        return QVariant();
    case 1:
        return data.ConsumeBool();
    case 2:
        return data.ConsumeIntegral<int>();
    case 3:
        return data.ConsumeFloatingPoint<double>();
    case 4:
        return data.ConsumeFloatingPoint<float>();
    case 5:
        return text(data);
    case 6:
        return QColor(QRgb(data.ConsumeIntegral<unsigned>()));
    case 7:
        return QVariant(qlonglong(data.ConsumeIntegral<long long>()));
    case 8:
        return QString::fromLatin1(kTypes[data.ConsumeIntegralInRange<size_t>(0, 14)]);
    case 9: {
        QStringList list;
        for (int n = data.ConsumeIntegralInRange(0, 5); n > 0; --n)
            list << text(data);
        return list;
    }
    case 10: {
        QVariantMap map;
        for (int n = data.ConsumeIntegralInRange(0, 5); n > 0; --n)
            map.insert(text(data), value(data, depth + 1));
        return map;
    }
    default: {
        QVariantList list;
        for (int n = data.ConsumeIntegralInRange(0, 3); n > 0; --n)
            list << value(data, depth + 1);
        return list;
    }
    }
}

class Host : public QObject, public IUserInterfaceProperties
{
    Q_OBJECT
    Q_INTERFACES(IUserInterfaceProperties)
    Q_PROPERTY(float f MEMBER m_f)
    Q_PROPERTY(QString s MEMBER m_s)
    Q_PROPERTY(QVariant v MEMBER m_v)
public:
    explicit Host(PropertyDescriptionList list)
        : m_list(std::move(list))
    { }
    PropertyDescriptionList propertyList() override { return m_list; }

    float m_f = 0;
    QString m_s;
    QVariant m_v;

public Q_SLOTS:
    void s0() { }

private:
    PropertyDescriptionList m_list;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    corvaneFuzzInit(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    FuzzedDataProvider data(bytes, size);
    PropertyDescriptionList list;
    for (int rows = data.ConsumeIntegralInRange(0, 12); rows > 0 && data.remaining_bytes();
         --rows) {
        PropertyDescription record;
        for (int keys = data.ConsumeIntegralInRange(0, 8); keys > 0; --keys) {
            const char* key = kKeys[data.ConsumeIntegralInRange<size_t>(0, 14)];
            if (data.ConsumeBool() && qstrcmp(key, "type") == 0)
                record.insert(QLatin1String(key),
                    QLatin1String(kTypes[data.ConsumeIntegralInRange<size_t>(0, 14)]));
            else if (qstrcmp(key, "prop") == 0 && data.ConsumeBool())
                record.insert(QLatin1String(key),
                    QLatin1String(kProps[data.ConsumeIntegralInRange<size_t>(0, 8)]));
            else
                record.insert(QLatin1String(key), value(data));
        }
        list << record;
    }

    Host host(list);
    host.m_f = data.ConsumeFloatingPoint<float>();
    host.m_s = text(data);
    host.m_v = value(data);
    for (int n = data.ConsumeIntegralInRange(0, 6); n > 0; --n)
        host.setProperty(kProps[data.ConsumeIntegralInRange<size_t>(0, 8)], value(data));

    {
        PropertyListWidget sheet(&host, nullptr);
        sheet.updateAll();
        host.m_v = value(data);
        host.setProperty("fValues", value(data));
        sheet.updateAll();
    }
    return 0;
}

#include "fuzz_sheet.moc"
