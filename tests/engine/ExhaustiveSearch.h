// The literal exhaustive candidate search, kept as the oracle
// that the engine's narrowed search is compared with (tests and benchmark).
#pragma once

#include "ConfigRun.h"
#include "PllEngine.h"

#include <cstdint>

// Visits all 32 x 128 x 32 combinations in the stated order, evaluating
// ComputeClocks twice for each and twice more for each one that passes the
// windows, exactly in the defined order.
void ExhaustiveSearchCandidates(double xtiHz, std::int32_t inputDivider, std::int32_t ratio,
                                double sampleRateHz, CandidateTable& table);

// RunConfiguration's steps with ExhaustiveSearchCandidates as the search.
ConfigResult ExhaustiveRunConfiguration(const ConfigRequest& request, ConfigRun& run);
ConfigResult ExhaustiveRunConfiguration(const ConfigRequest& request);
