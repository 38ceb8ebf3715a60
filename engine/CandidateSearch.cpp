#include "CandidateSearch.h"

#include <cmath>
#include <limits>

// How the search gets its candidates is its own affair; what it
// appends, in which order and with which bits, is exactly what the literal
// visit of all 32 x 128 x 32 combinations appends. Two observations make that
// cheap without changing a single result:
//
// 1. The tests factor. Every clock of ComputeClocks divides the VCO of step 3,
//    which depends on the multiplier and the fraction only (the clock model: a caller
//    that divides vcoHz by a divisor itself obtains exactly the clock). So the
//    DSP window depends on (multiplier, dspDivider), the VCO floor on the
//    multiplier, the OCLK window on (multiplier, oclkDivider), and the exact
//    fraction, both errors, the choice and the VCO ceiling on (multiplier,
//    oclkDivider) alone. A combination passes exactly when its DSP divider is
//    in the multiplier's DSP set and its OCLK divider in the multiplier's OCLK
//    set, and all DSP dividers of one (multiplier, oclkDivider) record the same
//    fraction and error; visiting OCLK dividers rising and, for each, the DSP
//    set rising is the stated order.
//
// 2. The ranges narrow. Each window bounds a code by a quotient of clocks; a
//    double estimate of that quotient, widened by a relative margin far above
//    rounding (a few units in the last place, about 1e-15) and by one whole
//    code on each side, brackets every code that can pass. Only codes inside
//    the bracket are visited, and every one of them still meets the exact
//    stated test on exactly the stated values. Where an input is not an
//    ordinary positive finite number, the bracket is the whole code range.

namespace {

// Relative widening of every bound estimate (rounding moves them by ~1e-15).
constexpr double kBoundMargin = 1e-9;
// The VCO a combination reaches at fraction 65535 is below (multiplier + 2)
// times the divided crystal; at fraction t + 1 it is at least (multiplier + 1)
// times that. Offsets between the multiplier code and those factors:
constexpr double kHighestFactorOffset = 2.0; // multiplier + 1 + 65535/65536 < multiplier + 2
constexpr double kLowestFactorOffset = 1.0;  // multiplier + 1 + 0
// DSP divisor per DSP divider code: 2 x (code + 1).
constexpr double kDspDivisorPerStep = 2.0;

// Inclusive range of codes, empty when first > last.
struct CodeRange {
    std::int32_t first;
    std::int32_t last;
};

// The first code to visit when every code c that can pass satisfies
// c >= bound: the bound widened by the relative margin and one more code,
// rounded down and kept inside [lowest, highest]; highest + 1 (nothing to
// visit) when no code can pass, and lowest for a NaN bound. Converts to an
// integer only values already known to lie inside the range.
std::int32_t FirstCodeFrom(double bound, std::int32_t lowest, std::int32_t highest)
{
    const double widened = (bound > 0.0 ? bound * (1.0 - kBoundMargin) : bound * (1.0 + kBoundMargin)) - 1.0;
    if (!(widened > lowest))
        return lowest;
    if (!(widened <= highest))
        return highest + 1;
    return static_cast<std::int32_t>(widened); // positive: truncation rounds down
}

// The last code to visit when every code c that can pass satisfies
// c <= bound; the mirror of FirstCodeFrom, with highest for a NaN bound.
std::int32_t LastCodeUpTo(double bound, std::int32_t lowest, std::int32_t highest)
{
    const double widened = (bound > 0.0 ? bound * (1.0 + kBoundMargin) : bound * (1.0 - kBoundMargin)) + 1.0;
    if (!(widened < highest))
        return highest;
    if (!(widened >= lowest))
        return lowest - 1;
    return static_cast<std::int32_t>(widened); // non-negative: truncation rounds down
}

bool IsPositiveFinite(double value)
{
    return value > 0.0 && value <= std::numeric_limits<double>::max();
}

// Multipliers that can yield a candidate. The VCO floor (at fraction 65535)
// needs (multiplier + 2) x xtiHz / divisor above 120 MHz. The VCO ceiling
// needs the VCO at fraction t + 1 below 197 MHz, and for a combination that
// passes the windows t is never negative: with OCLK at fraction 0 at or
// below the target, step 3's quotient is at least (multiplier + 1) less five
// roundings, and its two subtractions of whole numbers lose at most one more,
// so the exact fraction is above -32 x 6 x 2^-53 x 65536 (about -1.4e-9) and
// truncates to 0 or more. The VCO at t + 1 is then at least the VCO at
// fraction 0 (every step of ComputeClocks is monotonic for a positive crystal
// and divisor), so (multiplier + 1) x xtiHz / divisor must be below 197 MHz.
CodeRange MultiplierRange(double xtiHz, std::int32_t inputDivider)
{
    const CodeRange all{0, kMultiplierCodes - 1};
    if (!IsPositiveFinite(xtiHz) || inputDivider < 0)
        return all;
    const double dividedXtiHz = xtiHz / (static_cast<double>(inputDivider) + 1.0);
    const double floorFactor = kVcoFloorHz / dividedXtiHz;
    const double ceilingFactor = kVcoCeilingHz / dividedXtiHz;
    return {FirstCodeFrom(floorFactor - kHighestFactorOffset, all.first, all.last),
            LastCodeUpTo(ceilingFactor - kLowestFactorOffset, all.first, all.last)};
}

// DSP dividers whose DSP clock at fraction 65535, vcoHighestHz / (2 x (code +
// 1)), can lie strictly between the floor and the ceiling.
CodeRange DspDividerRange(double vcoHighestHz)
{
    const CodeRange all{0, kDspDividerCodes - 1};
    if (!IsPositiveFinite(vcoHighestHz))
        return all;
    const double lowestDivisorSteps = vcoHighestHz / (kDspDivisorPerStep * kDspCeilingHz);
    const double highestDivisorSteps = vcoHighestHz / (kDspDivisorPerStep * kDspFloorHz);
    return {FirstCodeFrom(lowestDivisorSteps - 1.0, all.first, all.last),
            LastCodeUpTo(highestDivisorSteps - 1.0, all.first, all.last)};
}

// OCLK dividers whose OCLK at fraction 0 can be at or below the target and
// whose OCLK at fraction 65535 can be at or above it.
CodeRange OclkDividerRange(double vcoZeroHz, double vcoHighestHz, double targetHz)
{
    const CodeRange all{0, kOclkDividerCodes - 1};
    if (!IsPositiveFinite(vcoZeroHz) || !IsPositiveFinite(vcoHighestHz) || !IsPositiveFinite(targetHz))
        return all;
    const double lowestDivisor = vcoZeroHz / targetHz;
    const double highestDivisor = vcoHighestHz / targetHz;
    return {FirstCodeFrom(lowestDivisor - 1.0, all.first, all.last),
            LastCodeUpTo(highestDivisor - 1.0, all.first, all.last)};
}

// The VCO of step 3 of ComputeClocks at one multiplier and fraction; it does
// not depend on the DSP or OCLK divider.
double VcoHz(double xtiHz, std::int32_t inputDivider, std::int32_t multiplier, std::int32_t fraction)
{
    return ComputeClocks(xtiHz, PllSetting{inputDivider, multiplier, fraction, 0, 0}).vcoHz;
}

// Steps 4 and 5 of ComputeClocks: the DSP and OCLK clocks divided from a VCO,
// the divisors formed as integers and converted, exactly as there.
double DspHz(double vcoHz, std::int32_t dspDivider)
{
    return vcoHz / static_cast<double>(2 * std::int64_t{dspDivider} + 2);
}

double OclkHz(double vcoHz, std::int32_t oclkDivider)
{
    return vcoHz / static_cast<double>(std::int64_t{oclkDivider} + 1);
}

// The DSP dividers of one multiplier that pass the DSP window, one bit each.
std::uint32_t PassingDspDividers(double vcoHighestHz)
{
    const CodeRange range = DspDividerRange(vcoHighestHz);
    std::uint32_t passing = 0;
    for (std::int32_t dspDivider = range.first; dspDivider <= range.last; ++dspDivider) {
        const double dspHz = DspHz(vcoHighestHz, dspDivider);
        if (dspHz > kDspFloorHz && dspHz < kDspCeilingHz)
            passing |= std::uint32_t{1} << dspDivider;
    }
    return passing;
}
} // namespace

bool AppendCandidate(CandidateTable& table, const Candidate& candidate)
{
    if (table.count >= kCandidateTableCapacity)
        return false;
    table.entries[table.count] = candidate;
    ++table.count;
    return true;
}

void SearchCandidates(double xtiHz, std::int32_t inputDivider, std::int32_t ratio, double sampleRateHz,
                      CandidateTable& table)
{
    const double targetHz = static_cast<double>(ratio) * sampleRateHz;
    // A full table takes nothing more; the rest of the visit has no effect.
    if (table.count >= kCandidateTableCapacity)
        return;

    const CodeRange multipliers = MultiplierRange(xtiHz, inputDivider);
    for (std::int32_t multiplier = multipliers.first; multiplier <= multipliers.last; ++multiplier) {
        const double vcoHighestHz = VcoHz(xtiHz, inputDivider, multiplier, kHighestFraction);
        if (!(vcoHighestHz > kVcoFloorHz))
            continue;
        const std::uint32_t dspDividers = PassingDspDividers(vcoHighestHz);
        if (dspDividers == 0)
            continue;

        const double vcoZeroHz = VcoHz(xtiHz, inputDivider, multiplier, 0);
        const CodeRange oclkDividers = OclkDividerRange(vcoZeroHz, vcoHighestHz, targetHz);
        for (std::int32_t oclkDivider = oclkDividers.first; oclkDivider <= oclkDividers.last; ++oclkDivider) {
            // The two OCLK tests put the target inside the range that the
            // fraction can reach.
            if (!(OclkHz(vcoZeroHz, oclkDivider) <= targetHz &&
                  OclkHz(vcoHighestHz, oclkDivider) >= targetHz))
                continue;

            // Invert the clock model for OCLK = target, one operation at a
            // time in this order. The divisors are formed in 64 bits so that
            // no input divider overflows; for every code the engine uses they
            // are the stated values.
            const double divisors = static_cast<double>(std::int64_t{inputDivider} + 1) *
                                    static_cast<double>(std::int64_t{oclkDivider} + 1);
            const double scaled = divisors * targetHz;
            const double ratioToXti = scaled / xtiHz;
            const double minusOne = ratioToXti - 1.0;
            const double fractional = minusOne - static_cast<double>(multiplier);
            const double exactFraction = fractional * kFractionScale;
            // Truncation toward zero; a value rounded to just below 0
            // therefore gives 0.
            const std::int32_t t = static_cast<std::int32_t>(exactFraction);

            PllSetting setting{inputDivider, multiplier, t, 0, oclkDivider};
            const ClockSet atT = ComputeClocks(xtiHz, setting);
            setting.fraction = t + 1;
            const ClockSet atNext = ComputeClocks(xtiHz, setting);
            const double lowError = (atT.oclkHz - targetHz) / targetHz;
            const double highError = (atNext.oclkHz - targetHz) / targetHz;

            // The nearer fraction wins; an exact tie keeps t.
            const bool takeNext = highError < -lowError;
            if (!(atNext.vcoHz < kVcoCeilingHz))
                continue;

            Candidate candidate;
            candidate.multiplier = multiplier;
            candidate.fraction = takeNext ? t + 1 : t;
            candidate.oclkDivider = oclkDivider;
            candidate.relativeError = std::fabs(takeNext ? highError : lowError);
            for (std::int32_t dspDivider = 0; dspDivider < kDspDividerCodes; ++dspDivider) {
                if ((dspDividers >> dspDivider & 1u) == 0)
                    continue;
                candidate.dspDivider = dspDivider;
                if (!AppendCandidate(table, candidate))
                    return;
            }
        }
    }
}
