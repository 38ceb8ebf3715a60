// RunConfiguration with its working state laid open, for callers that show
// how a result came about (the command line's candidate listing, tests).
#pragma once

#include "CandidatePairing.h"
#include "PllEngine.h"

#include <cstdint>
#include <optional>

// What one run worked with. Filled afresh by every call; nothing in it is
// read by the run.
struct ConfigRun {
    std::int32_t inputDivider = 0; // meaningful once the divider was chosen
    CandidateTable table48;
    CandidateTable table44;
    std::optional<CandidatePair> pair;
};

ConfigResult RunConfiguration(const ConfigRequest& request, ConfigRun& run);

// The search step that a run takes for each sample rate.
using CandidateSearchFunction = void (*)(double xtiHz, std::int32_t inputDivider, std::int32_t ratio,
                                         double sampleRateHz, CandidateTable& table);

// RunConfiguration with `search` in place of SearchCandidates, so that the
// tests and the benchmark put another search through the very same steps.
ConfigResult RunConfigurationWithSearch(const ConfigRequest& request, ConfigRun& run,
                                        CandidateSearchFunction search);
