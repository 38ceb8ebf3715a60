// Quorvane PLL configuration engine: the shared vocabulary and the two
// operations the front ends call. Plain records and plain functions; no
// allocation, no exceptions, no I/O, no platform code.
#pragma once

#include <cstdint>

// The inputs of one computation, as the user typed them.
struct ConfigRequest {
    double xtiMHz = 0.0;    // crystal (XTI) frequency in MHz
    std::int32_t ratio = 0; // oversampling ratio: OCLK target = ratio x sample rate
};

// One PLL setting, every field a register code (divisor or multiplier minus one).
struct PllSetting {
    std::int32_t inputDivider = 0; // 0..15
    std::int32_t multiplier = 0;   // 0..31
    std::int32_t fraction = 0;     // 0..65535, units of 1/65536
    std::int32_t dspDivider = 0;   // 0..31, DSP = VCO / (2 x (code + 1))
    std::int32_t oclkDivider = 0;  // 0..127, OCLK = VCO / (code + 1)
};

// The frequencies in Hz that one PllSetting produces.
struct ClockSet {
    double vcoHz = 0.0;
    double dspHz = 0.0;
    double oclkHz = 0.0;
};

// One search hit for one sample rate; the input divider is the run's.
struct Candidate {
    std::int32_t multiplier = 0;
    std::int32_t fraction = 0;
    std::int32_t dspDivider = 0;
    std::int32_t oclkDivider = 0;
    double relativeError = 0.0; // |OCLK - target| / target at this fraction
};

inline constexpr int kCandidateTableCapacity = 100;

// One sample rate's hits in the order the search found them.
struct CandidateTable {
    Candidate entries[kCandidateTableCapacity];
    std::int32_t count = 0;
};

// The nine device registers in the order the main dialog shows them.
struct RegisterSet {
    std::int32_t reg07 = 0;  // input divider
    std::int32_t reg06 = 0;  // shared multiplier
    std::int32_t reg11 = 0;  // shared DSP divider
    std::int32_t reg80 = 0;  // 44.1 kHz OCLK divider
    std::int32_t reg81 = 0;  // 44.1 kHz fraction, low byte
    std::int32_t reg82 = 0;  // 44.1 kHz fraction, high byte
    std::int32_t reg97 = 0;  // 48 kHz OCLK divider
    std::int32_t reg100 = 0; // 48 kHz fraction, low byte
    std::int32_t reg101 = 0; // 48 kHz fraction, high byte
};

enum class ConfigStatus { Success, InputDividerOutOfRange, NoPairFound };

// The outcome of one computation. `message` and `caption` always point at
// fixed, zero-terminated texts (empty on success); the settings, registers
// and clocks are meaningful on Success only.
struct ConfigResult {
    ConfigStatus status = ConfigStatus::Success;
    const char* message = "";
    const char* caption = "";
    PllSetting setting48;
    PllSetting setting44;
    RegisterSet registers;
    ClockSet clocks48;
    ClockSet clocks44;
};

// The failure texts, exactly as the message boxes show them. The first one
// carries a literal slash and "n", not a line break.
inline constexpr const char kInputDividerMessage[] =
    "ERROR: Unable to scale down XTI freq./nTry with a lower frequency.";
inline constexpr const char kInputDividerCaption[] = "Error";
inline constexpr const char kNoPairMessage[] = "Sorry, this crystal frequency does not allow this config";

// A request's crystal in MHz becomes the clock model's Hz by one
// multiplication with this; whoever feeds the clock model a typed crystal
// must do the same to get the engine's doubles.
inline constexpr double kHzPerMHz = 1000000.0;

// The clock model: VCO, DSP and OCLK of `setting` fed by a crystal of `xtiHz`.
// Accepts any integer codes and has no side effects.
ClockSet ComputeClocks(double xtiHz, const PllSetting& setting);

// One whole computation: input divider, both searches, pairing, registers
// and clocks. The same request always yields the same result.
ConfigResult RunConfiguration(const ConfigRequest& request);
