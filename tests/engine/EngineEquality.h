// Equality of engine records as plain predicates, for the differential test,
// the long differential run and the fuzz target alike: doubles are equal only
// when their bit patterns are, and texts when their characters are.
#pragma once

#include "PllEngine.h"

#include <cstdint>
#include <cstring>

inline std::uint64_t BitsOf(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

inline bool SameText(const char* a, const char* b)
{
    return a != nullptr && b != nullptr && std::strcmp(a, b) == 0;
}

inline bool SameCandidate(const Candidate& a, const Candidate& b)
{
    return a.multiplier == b.multiplier && a.fraction == b.fraction && a.dspDivider == b.dspDivider &&
           a.oclkDivider == b.oclkDivider && BitsOf(a.relativeError) == BitsOf(b.relativeError);
}

inline bool SameTable(const CandidateTable& a, const CandidateTable& b)
{
    if (a.count != b.count)
        return false;
    for (int i = 0; i < a.count; ++i) {
        if (!SameCandidate(a.entries[i], b.entries[i]))
            return false;
    }
    return true;
}

inline bool SameSetting(const PllSetting& a, const PllSetting& b)
{
    return a.inputDivider == b.inputDivider && a.multiplier == b.multiplier && a.fraction == b.fraction &&
           a.dspDivider == b.dspDivider && a.oclkDivider == b.oclkDivider;
}

inline bool SameClocks(const ClockSet& a, const ClockSet& b)
{
    return BitsOf(a.vcoHz) == BitsOf(b.vcoHz) && BitsOf(a.dspHz) == BitsOf(b.dspHz) &&
           BitsOf(a.oclkHz) == BitsOf(b.oclkHz);
}

inline bool SameRegisters(const RegisterSet& a, const RegisterSet& b)
{
    return a.reg07 == b.reg07 && a.reg06 == b.reg06 && a.reg11 == b.reg11 && a.reg80 == b.reg80 &&
           a.reg81 == b.reg81 && a.reg82 == b.reg82 && a.reg97 == b.reg97 && a.reg100 == b.reg100 &&
           a.reg101 == b.reg101;
}

// Everything a caller can read of a result: status and texts, and on
// success the settings, registers and clocks.
inline bool SameResult(const ConfigResult& a, const ConfigResult& b)
{
    if (a.status != b.status || !SameText(a.message, b.message) || !SameText(a.caption, b.caption))
        return false;
    if (a.status != ConfigStatus::Success)
        return true;
    return SameSetting(a.setting48, b.setting48) && SameSetting(a.setting44, b.setting44) &&
           SameRegisters(a.registers, b.registers) && SameClocks(a.clocks48, b.clocks48) &&
           SameClocks(a.clocks44, b.clocks44);
}
