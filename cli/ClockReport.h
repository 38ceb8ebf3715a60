// How far a family's OCLK lies from its target, and the text blocks that the
// compute and decode commands share.
#pragma once

#include "PllEngine.h"

#include <cstdint>
#include <optional>
#include <string>

// The clocks of one sample-rate family and, when a ratio is known, its OCLK
// target and the signed error against it.
struct FamilyClocks {
    ClockSet clocks;
    bool hasTarget = false;
    double targetHz = 0.0;
    double errorPpm = 0.0;
};

// ratio x sample rate, formed as the candidate search forms it.
double OclkTargetHz(std::int32_t ratio, double sampleRateHz);

// (oclkHz - targetHz) / targetHz x 1e6: positive when OCLK runs fast.
double OclkErrorPpm(double oclkHz, double targetHz);

FamilyClocks FamilyOf(const ClockSet& clocks, std::optional<std::int32_t> ratio, double sampleRateHz);

// The larger of the two errors' magnitudes, in ppm.
double LargerErrorPpm(const FamilyClocks& a, const FamilyClocks& b);

// "XTI 14.31818 MHz, ratio 256" (the ratio only when there is one).
std::string RequestLineText(double xtiMHz, std::optional<std::int32_t> ratio);

// What compute and decode print after the request line, in blocks
// separated by blank lines: the nine registers under the dialog's labels in
// "%3d" and hexadecimal; the codes of both settings side by side; VCO, DSP
// and OCLK in MHz with the dialog's formats, then in Hz with six decimals,
// with the targets and errors when known. 44.1 kHz comes first, as in the
// dialog.
std::string ConfigurationText(const RegisterSet& registers, const PllSetting& setting44,
                              const PllSetting& setting48, const FamilyClocks& family44,
                              const FamilyClocks& family48);
