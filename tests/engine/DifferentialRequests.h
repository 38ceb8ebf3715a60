// Reproducible random requests for comparing the engine's search with the
// exhaustive oracle: crystals typed with 1 to 7 decimals between 0.5 and
// 250 MHz, ratios from realistic values plus 0, negatives and the extremes.
#pragma once

#include "PllEngine.h"

#include <cstdint>
#include <limits>

// SplitMix64: a fixed, documented generator, so that every build and
// platform draws the same sequence (the standard distributions may differ
// between library versions).
class SplitMix64 {
public:
    explicit SplitMix64(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t Next()
    {
        std::uint64_t z = (m_state += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }

    // Uniform in [0, bound) (the bias of a modulo on 64 bits is negligible here).
    std::uint64_t Below(std::uint64_t bound) { return Next() % bound; }

private:
    std::uint64_t m_state;
};

// Ratios that users type, and the odd ones the engine must survive.
inline constexpr std::int32_t kDifferentialRatios[] = {1,
                                                       2,
                                                       16,
                                                       32,
                                                       48,
                                                       64,
                                                       96,
                                                       128,
                                                       192,
                                                       200,
                                                       249,
                                                       250,
                                                       256,
                                                       300,
                                                       320,
                                                       384,
                                                       400,
                                                       448,
                                                       500,
                                                       512,
                                                       576,
                                                       640,
                                                       768,
                                                       1000,
                                                       1024,
                                                       1152,
                                                       1536,
                                                       2048,
                                                       3072,
                                                       4096,
                                                       0,
                                                       -1,
                                                       -256,
                                                       -512,
                                                       std::numeric_limits<std::int32_t>::min(),
                                                       std::numeric_limits<std::int32_t>::max()};

// One random request: a crystal from 0.5 to 250 MHz written with 1 to 7
// decimals (converted as a text of that many decimals would be: an exact
// integer divided by an exact power of ten, rounded once), and a ratio from
// the list above or, one time in eight, any value from 1 to 4096.
inline ConfigRequest RandomRequest(SplitMix64& random)
{
    static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7};
    const int decimals = 1 + static_cast<int>(random.Below(7));
    const std::int64_t scale = static_cast<std::int64_t>(kPowersOfTen[decimals]);
    const std::int64_t lowest = scale / 2;    // 0.5 MHz
    const std::int64_t highest = 250 * scale; // 250 MHz
    const std::int64_t digits = lowest + static_cast<std::int64_t>(random.Below(highest - lowest + 1));
    ConfigRequest request;
    request.xtiMHz = static_cast<double>(digits) / kPowersOfTen[decimals];
    constexpr std::uint64_t kListed = sizeof kDifferentialRatios / sizeof kDifferentialRatios[0];
    if (random.Below(8) == 0)
        request.ratio = 1 + static_cast<std::int32_t>(random.Below(4096));
    else
        request.ratio = kDifferentialRatios[random.Below(kListed)];
    return request;
}
