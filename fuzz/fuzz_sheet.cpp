// Bytes -> a property description list of arbitrary types, keys and values over a host object
// with properties of arbitrary types -> a property sheet built, refreshed and destroyed.

#include "FakeHost.h"
#include "FuzzApp.h"
#include "RandomRecords.h"

#include <QAction>

#include <fuzzer/FuzzedDataProvider.h>

namespace {

// Every choice of the record generator is taken from the fuzzer's bytes.
struct FuzzedChoices
{
    FuzzedDataProvider& data;
    std::size_t pick(std::size_t n) { return data.ConsumeIntegralInRange<std::size_t>(0, n - 1); }
    std::uint32_t bits() { return data.ConsumeIntegral<std::uint32_t>(); }
    QString freeText() { return QString::fromUtf8(data.ConsumeRandomLengthString(64).c_str()); }
};

constexpr std::size_t MaxRows = 12;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    FuzzedDataProvider data(bytes, size);
    FuzzedChoices choices { data };
    RandomRecords<FuzzedChoices> records(choices);
    PropertyDescriptionList list;
    for (std::size_t rows = records.pick(MaxRows + 1); rows > 0 && data.remaining_bytes(); --rows)
        list << records.record();

    FakeHost host(list);
    records.randomize(host);
    RandomRecords<FuzzedChoices>::Helper helper(records);
    {
        PropertyListWidget sheet(&host, records.chance(80) ? &helper : nullptr);
        sheet.updateAll();
        sheet.setFilter(records.text());
        records.randomize(host);
        for (QAction* reset : sheet.findChildren<QAction*>(QStringLiteral("reset")))
            reset->trigger();
        sheet.updateAll();
        sheet.setFilter(QString());
    }
    return 0;
}
