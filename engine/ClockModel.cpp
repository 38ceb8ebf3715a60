#include "PllEngine.h"

namespace {
// One fraction unit: the PLL's fractional multiplier counts in 1/65536.
constexpr double kFractionUnit = 1.0 / 65536.0;
} // namespace

ClockSet ComputeClocks(double xtiHz, const PllSetting& setting)
{
    // The divisors are formed in 64 bits: any 32-bit code is accepted, and
    // every such divisor converts to a double exactly.
    const std::int64_t multiplierPlusOne = std::int64_t{setting.multiplier} + 1;
    const std::int64_t inputDivisor = std::int64_t{setting.inputDivider} + 1;
    const std::int64_t dspDivisor = 2 * std::int64_t{setting.dspDivider} + 2;
    const std::int64_t oclkDivisor = std::int64_t{setting.oclkDivider} + 1;

    // Each line is one rounded double operation, in the order that defines
    // the results bit for bit; do not merge or reorder them.
    const double fractionPart = static_cast<double>(setting.fraction) * kFractionUnit; // exact
    const double s = static_cast<double>(multiplierPlusOne) + fractionPart;
    const double p = s * xtiHz;
    ClockSet clocks;
    clocks.vcoHz = p / static_cast<double>(inputDivisor);
    clocks.dspHz = clocks.vcoHz / static_cast<double>(dspDivisor);
    clocks.oclkHz = clocks.vcoHz / static_cast<double>(oclkDivisor);
    return clocks;
}
