#include "CandidateSearch.h"
#include "ConfigRun.h"
#include "InputDivider.h"

namespace {
PllSetting SettingOf(std::int32_t inputDivider, const Candidate& shared, const Candidate& own)
{
    return PllSetting{inputDivider, shared.multiplier, own.fraction, shared.dspDivider, own.oclkDivider};
}
} // namespace

ConfigResult RunConfigurationWithSearch(const ConfigRequest& request, ConfigRun& run,
                                        CandidateSearchFunction search)
{
    // Starting afresh needs only the counts: a table's entries beyond its
    // count are never read, and clearing all 2 x 100 slots would be a
    // measurable share of a run.
    run.inputDivider = 0;
    run.table48.count = 0;
    run.table44.count = 0;
    run.pair.reset();
    ConfigResult result;

    const std::optional<std::int32_t> inputDivider = SelectInputDivider(request.xtiMHz);
    if (!inputDivider) {
        result.status = ConfigStatus::InputDividerOutOfRange;
        result.message = kInputDividerMessage;
        result.caption = kInputDividerCaption;
        return result;
    }
    run.inputDivider = *inputDivider;

    const double xtiHz = request.xtiMHz * kHzPerMHz;
    search(xtiHz, run.inputDivider, request.ratio, kSampleRate48Hz, run.table48);
    search(xtiHz, run.inputDivider, request.ratio, kSampleRate44Hz, run.table44);

    run.pair = PairCandidates(run.table48, run.table44);
    if (!run.pair) {
        result.status = ConfigStatus::NoPairFound;
        result.message = kNoPairMessage;
        return result;
    }

    const Candidate& c48 = run.table48.entries[run.pair->index48];
    const Candidate& c44 = run.table44.entries[run.pair->index44];
    // The pairing guarantees c44 shares c48's multiplier and DSP divider.
    result.setting48 = SettingOf(run.inputDivider, c48, c48);
    result.setting44 = SettingOf(run.inputDivider, c48, c44);
    result.registers = EncodeRegisters(run.inputDivider, c48, c44);
    result.clocks48 = ComputeClocks(xtiHz, result.setting48);
    result.clocks44 = ComputeClocks(xtiHz, result.setting44);
    result.status = ConfigStatus::Success;
    return result;
}

ConfigResult RunConfiguration(const ConfigRequest& request, ConfigRun& run)
{
    return RunConfigurationWithSearch(request, run, &SearchCandidates);
}

ConfigResult RunConfiguration(const ConfigRequest& request)
{
    ConfigRun run;
    return RunConfiguration(request, run);
}
