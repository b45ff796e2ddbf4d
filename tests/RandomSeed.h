#pragma once

// Helpers of the randomized tests.

#include <QTest>

#include <cstdint>
#include <random>

namespace testutils {

// The rows of a randomized test: a "seed" column and one row per round, with seeds counting up
// from CORVANE_TEST_SEED or, by default, from a fixed seed so that every run checks the same
// cases. The base seed is printed and every row names its own, so any failure can be replayed.
inline void addSeedRows(std::uint32_t rounds)
{
    bool ok = false;
    const std::uint32_t fromEnv = qEnvironmentVariable("CORVANE_TEST_SEED").toUInt(&ok, 0);
    const std::uint32_t seed = ok ? fromEnv : 20261205u;
    qInfo("random seed: CORVANE_TEST_SEED=%u", seed);
    QTest::addColumn<std::uint32_t>("seed");
    for (std::uint32_t round = 0; round < rounds; ++round)
        QTest::addRow("round %u (seed %u)", round, seed + round) << seed + round;
}

struct Random
{
    explicit Random(std::uint32_t seed = 0)
        : rng(seed)
    { }
    long pick(long n) { return std::uniform_int_distribution<long>(0, n - 1)(rng); }
    bool chance(int percent) { return pick(100) < percent; }
    template<class T, std::size_t N> const T& oneOf(const T (&items)[N]) { return items[pick(N)]; }

    std::mt19937 rng;
};

} // namespace testutils
