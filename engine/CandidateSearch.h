// The candidate search for one sample rate.
#pragma once

#include "PllEngine.h"

#include <cstdint>

// Windows that the clocks at the highest fraction must meet, in Hz.
inline constexpr double kDspFloorHz = 22000000.0;
inline constexpr double kDspCeilingHz = 29000000.0;
inline constexpr double kVcoFloorHz = 120000000.0;
// The VCO at the chosen fraction step plus one must stay below this, in Hz.
inline constexpr double kVcoCeilingHz = 197000000.0;

inline constexpr std::int32_t kHighestFraction = 65535;
inline constexpr double kFractionScale = 65536.0;
inline constexpr std::int32_t kMultiplierCodes = 32;
inline constexpr std::int32_t kOclkDividerCodes = 128;
inline constexpr std::int32_t kDspDividerCodes = 32;

inline constexpr double kSampleRate48Hz = 48000.0;
inline constexpr double kSampleRate44Hz = 44100.0;

// Appends to `table`, in visiting order (multiplier, then OCLK divider, then
// DSP divider, each rising), every combination whose OCLK can reach
// ratio x sampleRateHz inside the DSP and VCO windows, with the fraction that
// brings OCLK nearest the target. Does not empty the table; a full table
// drops further candidates.
void SearchCandidates(double xtiHz, std::int32_t inputDivider, std::int32_t ratio, double sampleRateHz,
                      CandidateTable& table);

// Records `candidate` in the next free slot; returns false (and drops it)
// when the table is already full.
bool AppendCandidate(CandidateTable& table, const Candidate& candidate);
