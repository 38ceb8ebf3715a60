#include "ClockReport.h"

#include "DataExchangeRules.h"
#include "NumberText.h"
#include "RegisterValues.h"
#include "ResultText.h"

#include <cmath>

namespace {

constexpr double kPpmPerUnit = 1e6;

// Column headings of the dialog's "Other clocks - MHz" box.
constexpr char kHeading44[] = "44.1 KHz";
constexpr char kHeading48[] = "48 KHz";

std::string Row3(const char* format, const std::string& label, const std::string& a, const std::string& b)
{
    return Printf(format, label.c_str(), a.c_str(), b.c_str());
}

std::string Hz(double hz)
{
    return Printf("%.6f", hz);
}

// The nine registers under the dialog's labels, "%3d" and hexadecimal.
std::string RegisterBlockText(const RegisterSet& registers)
{
    std::string text;
    for (const RegisterField& field : kRegisterFields) {
        const int value = registers.*field.member;
        text +=
            Printf("%-12s %s  %s\n", field.label, FormatRegisterText(value).c_str(), HexByte(value).c_str());
    }
    return text;
}

// The register codes of both settings side by side, 44.1 kHz first as in
// the dialog.
std::string SettingBlockText(const PllSetting& setting44, const PllSetting& setting48)
{
    const char* format = "%-14s%10s%10s\n";
    auto row = [&](const char* name, std::int32_t PllSetting::*member) {
        return Row3(format, name, Printf("%d", setting44.*member), Printf("%d", setting48.*member));
    };
    return Row3(format, "Setting", kHeading44, kHeading48) + row("inputDivider", &PllSetting::inputDivider) +
           row("multiplier", &PllSetting::multiplier) + row("fraction", &PllSetting::fraction) +
           row("dspDivider", &PllSetting::dspDivider) + row("oclkDivider", &PllSetting::oclkDivider);
}

// VCO, DSP and OCLK in MHz with the dialog's formats, then in Hz with six
// decimals, and the targets and errors when known.
std::string ClockBlockText(const FamilyClocks& family44, const FamilyClocks& family48)
{
    const ClockSet& c44 = family44.clocks;
    const ClockSet& c48 = family48.clocks;
    const char* mhz = "%-14s%10s%10s\n";
    std::string text = Row3(mhz, "Clocks (MHz)", kHeading44, kHeading48);
    text += Row3(mhz, "VCO", FormatVcoText(c44.vcoHz), FormatVcoText(c48.vcoHz));
    text += Row3(mhz, "DSP", FormatDspText(c44.dspHz), FormatDspText(c48.dspHz));
    text += Row3(mhz, "OCLK", FormatOclkText(c44.oclkHz), FormatOclkText(c48.oclkHz));

    const char* hz = "%-17s%18s%18s\n";
    text += "\n" + Row3(hz, "Exact (Hz)", kHeading44, kHeading48);
    text += Row3(hz, "VCO", Hz(c44.vcoHz), Hz(c48.vcoHz));
    text += Row3(hz, "DSP", Hz(c44.dspHz), Hz(c48.dspHz));
    text += Row3(hz, "OCLK", Hz(c44.oclkHz), Hz(c48.oclkHz));
    if (family44.hasTarget && family48.hasTarget) {
        text += Row3(hz, "OCLK target", Hz(family44.targetHz), Hz(family48.targetHz));
        text += Row3(hz, "OCLK error (ppm)", Printf("%+.6f", family44.errorPpm),
                     Printf("%+.6f", family48.errorPpm));
    }
    return text;
}

} // namespace

double OclkTargetHz(std::int32_t ratio, double sampleRateHz)
{
    return static_cast<double>(ratio) * sampleRateHz;
}

double OclkErrorPpm(double oclkHz, double targetHz)
{
    const double difference = oclkHz - targetHz;
    const double relative = difference / targetHz;
    return relative * kPpmPerUnit;
}

FamilyClocks FamilyOf(const ClockSet& clocks, std::optional<std::int32_t> ratio, double sampleRateHz)
{
    FamilyClocks family;
    family.clocks = clocks;
    if (ratio) {
        family.hasTarget = true;
        family.targetHz = OclkTargetHz(*ratio, sampleRateHz);
        family.errorPpm = OclkErrorPpm(clocks.oclkHz, family.targetHz);
    }
    return family;
}

double LargerErrorPpm(const FamilyClocks& a, const FamilyClocks& b)
{
    return std::fmax(std::fabs(a.errorPpm), std::fabs(b.errorPpm));
}

std::string RequestLineText(double xtiMHz, std::optional<std::int32_t> ratio)
{
    std::string text = "XTI " + FormatDoubleField(xtiMHz) + " MHz";
    if (ratio)
        text += Printf(", ratio %d", *ratio);
    return text + "\n";
}

std::string ConfigurationText(const RegisterSet& registers, const PllSetting& setting44,
                              const PllSetting& setting48, const FamilyClocks& family44,
                              const FamilyClocks& family48)
{
    return RegisterBlockText(registers) + "\n" + SettingBlockText(setting44, setting48) + "\n" +
           ClockBlockText(family44, family48);
}
