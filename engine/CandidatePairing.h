// Pairing of one 48 kHz and one 44.1 kHz candidate, and the register encoding.
#pragma once

#include "PllEngine.h"

#include <cstdint>
#include <optional>

// The bound on the summed relative errors of a pair (strictly below).
inline constexpr double kPairErrorSumBound = 10.0;

// Positions of the chosen candidates in table48 and table44.
struct CandidatePair {
    std::int32_t index48 = 0;
    std::int32_t index44 = 0;
};

// The last combination, in (index48, index44) scan order, whose candidates
// share multiplier and DSP divider and whose error sum is below the bound;
// nothing when there is none or a table is empty.
std::optional<CandidatePair> PairCandidates(const CandidateTable& table48, const CandidateTable& table44);

// The nine registers of a pair: the shared fields from c48, the 44.1 kHz
// OCLK divider and fraction bytes from c44, the 48 kHz ones from c48.
RegisterSet EncodeRegisters(std::int32_t inputDivider, const Candidate& c48, const Candidate& c44);
