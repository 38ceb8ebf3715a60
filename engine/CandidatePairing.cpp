#include "CandidatePairing.h"

namespace {
constexpr std::int32_t kByteRange = 256;

struct FractionBytes {
    std::int32_t low;
    std::int32_t high;
};

FractionBytes SplitFraction(std::int32_t fraction)
{
    const std::int32_t high = fraction / kByteRange;
    return {fraction - kByteRange * high, high};
}
} // namespace

std::optional<CandidatePair> PairCandidates(const CandidateTable& table48, const CandidateTable& table44)
{
    std::optional<CandidatePair> held;
    // No ranking by error: every qualifying combination replaces the one
    // held, so the last one in scan order wins.
    for (std::int32_t i = 0; i < table48.count; ++i) {
        const Candidate& a = table48.entries[i];
        for (std::int32_t j = 0; j < table44.count; ++j) {
            const Candidate& b = table44.entries[j];
            if (a.multiplier == b.multiplier && a.dspDivider == b.dspDivider &&
                a.relativeError + b.relativeError < kPairErrorSumBound)
                held = CandidatePair{i, j};
        }
    }
    return held;
}

RegisterSet EncodeRegisters(std::int32_t inputDivider, const Candidate& c48, const Candidate& c44)
{
    const FractionBytes bytes44 = SplitFraction(c44.fraction);
    const FractionBytes bytes48 = SplitFraction(c48.fraction);
    RegisterSet registers;
    registers.reg07 = inputDivider;
    registers.reg06 = c48.multiplier;
    registers.reg11 = c48.dspDivider;
    registers.reg80 = c44.oclkDivider;
    registers.reg81 = bytes44.low;
    registers.reg82 = bytes44.high;
    registers.reg97 = c48.oclkDivider;
    registers.reg100 = bytes48.low;
    registers.reg101 = bytes48.high;
    return registers;
}
