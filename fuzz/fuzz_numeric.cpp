// Bytes -> range, precision and flags of a numeric row, a typed text committed with Return,
// and formatting of arbitrary doubles. Besides crashes and sanitizer reports, a committed value
// outside a sound range aborts.

#include "FuzzApp.h"

#include <corvane/InputLineSlider.h>
#include <corvane/LineEdit.h>

#include "numeric/InputLineFlags.h"

#include <QKeyEvent>

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>

namespace {

void pressReturn(QWidget* w)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QCoreApplication::sendEvent(w, &press);
    QCoreApplication::sendEvent(w, &release);
}

void checkInRange(InputLineSlider& row, float before)
{
    const float lo = row.getMinValue();
    const float hi = row.getMaxValue();
    const float v = row.getValue();
    if (!std::isfinite(lo) || !std::isfinite(hi) || lo > hi)
        return;
    // Integer rows floor what they show; text that does not parse keeps the old value.
    const float bottom = row.isIntValues() ? std::floor(lo) : lo;
    if (!(v >= bottom && v <= hi) && v != before) {
        fprintf(stderr, "value %g outside [%g, %g], was %g\n", double(v), double(lo), double(hi),
            double(before));
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    FuzzedDataProvider data(bytes, size);
    const int flags = data.ConsumeIntegral<int>();
    const float minValue = data.ConsumeFloatingPoint<float>();
    const float maxValue = data.ConsumeBool() ? data.ConsumeFloatingPoint<float>()
                                              : minValue + data.ConsumeIntegralInRange(-2, 200);
    const int precision = data.ConsumeIntegral<int>();
    const float initial = data.ConsumeFloatingPoint<float>();

    InputLineSlider row(QStringLiteral("n"), static_cast<eInputLineFlags>(flags), nullptr);
    row.setMinValue(minValue);
    row.setMaxValue(maxValue);
    row.setPrecision(precision);
    if (data.ConsumeBool())
        row.setDecimalDigits(data.ConsumeIntegral<int>());
    row.setValueAndInit(initial, static_cast<eInputLineFlags>(flags));
    auto* edit = row.findChild<LineEdit*>(QStringLiteral("edit"));

    for (int round = data.ConsumeIntegralInRange(1, 4); round > 0 && edit; --round) {
        const float before = row.getValue();
        edit->setText(QString::fromUtf8(data.ConsumeRandomLengthString(48).c_str()));
        row.getEditValue();
        pressReturn(edit);
        checkInRange(row, before);
        const float dragged = row.getValue();
        Q_EMIT edit->mouseDraging(data.ConsumeFloatingPoint<double>());
        checkInRange(row, dragged);
    }
    for (int n = data.ConsumeIntegralInRange(0, 4); n > 0; --n)
        row.fillLineEdit(data.ConsumeFloatingPoint<double>());
    row.setValue(data.ConsumeFloatingPoint<float>(), NumberFlags::RefreshWrite);
    return 0;
}
