#include "DecodeCommand.h"

#include "CandidateSearch.h"
#include "CliError.h"
#include "ClockReport.h"
#include "ExitCode.h"
#include "InputRules.h"
#include "JsonFields.h"
#include "RegisterValues.h"

#include <cmath>

int RunDecodeCommand(const DecodeOptions& options, std::string_view standardInput, std::string& out)
{
    const double xtiMHz = ReadNumberInput("--xti", options.xtiText);
    // The clock model takes any number, but a crystal at or below zero, or
    // an infinite one, has no clocks worth printing.
    if (!(xtiMHz > 0.0) || std::isinf(xtiMHz))
        throw UsageError("--xti: the crystal frequency must be a positive, finite number of MHz");
    std::optional<std::int32_t> ratio;
    if (options.ratioText) {
        ratio = ReadIntegerInput("--ratio", *options.ratioText);
        if (*ratio <= 0)
            throw UsageError("--ratio: the ratio must be 1 or more to give an OCLK target");
    }
    const RegisterSet registers =
        ReadRegisterValues(options.values.empty() ? SplitRegisterWords(standardInput) : options.values);

    const PllSetting setting48 = Setting48Of(registers);
    const PllSetting setting44 = Setting44Of(registers);
    // The engine's own conversion, so that decoded clocks match computed
    // ones bit for bit.
    const double xtiHz = xtiMHz * kHzPerMHz;
    const FamilyClocks family48 = FamilyOf(ComputeClocks(xtiHz, setting48), ratio, kSampleRate48Hz);
    const FamilyClocks family44 = FamilyOf(ComputeClocks(xtiHz, setting44), ratio, kSampleRate44Hz);

    if (options.format == "json") {
        Json doc;
        doc["xtiMHz"] = xtiMHz;
        if (ratio)
            doc["ratio"] = *ratio;
        AddConfigurationJson(doc, setting48, setting44, registers, family48, family44);
        if (ratio)
            doc["largerErrorPpm"] = LargerErrorPpm(family48, family44);
        out += DocumentText(doc);
    } else {
        out += RequestLineText(xtiMHz, ratio) + "\n" +
               ConfigurationText(registers, setting44, setting48, family44, family48);
    }
    return kExitOk;
}
