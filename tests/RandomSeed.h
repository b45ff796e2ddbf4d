#pragma once

// Seeds of the randomized tests: fixed by default so that every run checks the same cases, any
// other by setting CORVANE_TEST_SEED. The seed in use is printed so that a failure can be replayed.

#include <QDebug>
#include <QtGlobal>

#include <cstdint>

namespace testutils {

inline std::uint32_t baseSeed()
{
    static const std::uint32_t seed = [] {
        bool ok = false;
        const std::uint32_t fromEnv = qEnvironmentVariable("CORVANE_TEST_SEED").toUInt(&ok, 0);
        const std::uint32_t chosen = ok ? fromEnv : 20261205u;
        qInfo("random seed: CORVANE_TEST_SEED=%u", chosen);
        return chosen;
    }();
    return seed;
}

// Rounds of one test use consecutive seeds, so a failing row names the seed to replay.
inline std::uint32_t roundSeed(int round)
{
    return baseSeed() + static_cast<std::uint32_t>(round);
}

} // namespace testutils
