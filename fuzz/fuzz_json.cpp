// Bytes -> a description list read as JSON. A list that reads is written, and the text read back
// gives the same text again; it builds a sheet that is refreshed, filtered and reset. Input that
// does not read gives no list and an error inside the input.

#include "FakeHost.h"
#include "FuzzApp.h"

#include <corvane/DescriptionJson.h>

#include <QAction>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int MaxRows = 40;

[[noreturn]] void failed(const char* what, QByteArray const& json)
{
    fprintf(stderr, "%s\n%s\n", what, json.constData());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    const QByteArray json(reinterpret_cast<const char*>(bytes), int(size));
    DescriptionJsonError error;
    const PropertyDescriptionList list = corvane::descriptionsFromJson(json, &error);
    if (error.isError()) {
        if (!list.isEmpty())
            failed("a partial list came with the error", json);
        if (error.line < 1 || error.line > json.count('\n') + 1 || error.column < 1)
            failed("the error lies outside the input", json);
        return 0;
    }

    const QByteArray written = corvane::descriptionsToJson(list);
    DescriptionJsonError again;
    const PropertyDescriptionList reread = corvane::descriptionsFromJson(written, &again);
    if (again.isError() || reread.size() != list.size())
        failed(qPrintable(again.toString()), written);
    if (corvane::descriptionsToJson(reread) != written)
        failed("writing what was read back changed the text", written);

    if (list.size() > MaxRows)
        return 0;
    FakeHost host(list);
    PropertyListWidget sheet(&host, nullptr);
    sheet.updateAll();
    sheet.setFilter(QStringLiteral("a"));
    for (QAction* reset : sheet.findChildren<QAction*>(QStringLiteral("reset")))
        reset->trigger();
    sheet.setFilter(QString());
    return 0;
}
