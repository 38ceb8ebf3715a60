#include "ExhaustiveSearch.h"

#include "CandidateSearch.h"

#include <cmath>

void ExhaustiveSearchCandidates(double xtiHz, std::int32_t inputDivider, std::int32_t ratio,
                                double sampleRateHz, CandidateTable& table)
{
    const double targetHz = static_cast<double>(ratio) * sampleRateHz;

    for (std::int32_t multiplier = 0; multiplier < kMultiplierCodes; ++multiplier) {
        for (std::int32_t oclkDivider = 0; oclkDivider < kOclkDividerCodes; ++oclkDivider) {
            for (std::int32_t dspDivider = 0; dspDivider < kDspDividerCodes; ++dspDivider) {
                PllSetting setting{inputDivider, multiplier, 0, dspDivider, oclkDivider};
                const ClockSet atZero = ComputeClocks(xtiHz, setting);
                setting.fraction = kHighestFraction;
                const ClockSet atHighest = ComputeClocks(xtiHz, setting);

                if (!(atHighest.dspHz > kDspFloorHz && atHighest.dspHz < kDspCeilingHz &&
                      atZero.oclkHz <= targetHz && atHighest.oclkHz >= targetHz &&
                      atHighest.vcoHz > kVcoFloorHz))
                    continue;

                const double divisors =
                    static_cast<double>(inputDivider + 1) * static_cast<double>(oclkDivider + 1);
                const double scaled = divisors * targetHz;
                const double ratioToXti = scaled / xtiHz;
                const double minusOne = ratioToXti - 1.0;
                const double fractional = minusOne - static_cast<double>(multiplier);
                const double exactFraction = fractional * kFractionScale;
                const std::int32_t t = static_cast<std::int32_t>(exactFraction);

                setting.fraction = t;
                const ClockSet atT = ComputeClocks(xtiHz, setting);
                setting.fraction = t + 1;
                const ClockSet atNext = ComputeClocks(xtiHz, setting);
                const double lowError = (atT.oclkHz - targetHz) / targetHz;
                const double highError = (atNext.oclkHz - targetHz) / targetHz;

                const bool takeNext = highError < -lowError;
                if (!(atNext.vcoHz < kVcoCeilingHz))
                    continue;

                Candidate candidate;
                candidate.multiplier = multiplier;
                candidate.fraction = takeNext ? t + 1 : t;
                candidate.dspDivider = dspDivider;
                candidate.oclkDivider = oclkDivider;
                candidate.relativeError = std::fabs(takeNext ? highError : lowError);
                AppendCandidate(table, candidate);
            }
        }
    }
}

ConfigResult ExhaustiveRunConfiguration(const ConfigRequest& request, ConfigRun& run)
{
    return RunConfigurationWithSearch(request, run, &ExhaustiveSearchCandidates);
}

ConfigResult ExhaustiveRunConfiguration(const ConfigRequest& request)
{
    ConfigRun run;
    return ExhaustiveRunConfiguration(request, run);
}
