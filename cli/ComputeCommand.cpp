#include "ComputeCommand.h"

#include "CandidateSearch.h"
#include "CliError.h"
#include "ClockReport.h"
#include "ConfigRun.h"
#include "DataExchangeRules.h"
#include "ExitCode.h"
#include "InputRules.h"
#include "JsonFields.h"
#include "NumberText.h"
#include "RegisterValues.h"

namespace {

std::string CandidateTableText(const char* heading, const CandidateTable& table, double targetHz,
                               std::optional<std::int32_t> chosen)
{
    std::string text =
        Printf("Candidates at %s (OCLK target %s Hz)\n", heading, ShortestText(targetHz).c_str());
    if (table.count == 0)
        return text + "  none\n";
    text += "  index  multiplier  fraction  dspDivider  oclkDivider  |error| (ppm)\n";
    for (int i = 0; i < table.count; ++i) {
        const Candidate& c = table.entries[i];
        text += Printf("%s%5d  %10d  %8d  %10d  %11d  %13.6f\n", chosen && *chosen == i ? "* " : "  ", i,
                       c.multiplier, c.fraction, c.dspDivider, c.oclkDivider, c.relativeError * 1e6);
    }
    return text;
}

std::string CandidatesText(const ConfigRun& run, std::int32_t ratio)
{
    std::string text = CandidateTableText("48 KHz", run.table48, OclkTargetHz(ratio, kSampleRate48Hz),
                                          run.pair ? std::optional(run.pair->index48) : std::nullopt);
    text += "\n" + CandidateTableText("44.1 KHz", run.table44, OclkTargetHz(ratio, kSampleRate44Hz),
                                      run.pair ? std::optional(run.pair->index44) : std::nullopt);
    if (run.pair)
        text += Printf("\nChosen pair: index %d at 48 KHz with index %d at 44.1 KHz (marked *)\n",
                       run.pair->index48, run.pair->index44);
    else
        text += "\nNo 48 KHz candidate shares multiplier and dspDivider with a 44.1 KHz candidate.\n";
    return text;
}

void AddCandidatesJson(Json& json, const ConfigRun& run)
{
    json["table48"] = CandidateTableJson(run.table48);
    json["table44"] = CandidateTableJson(run.table44);
    if (run.pair) {
        Json pair;
        pair["index48"] = run.pair->index48;
        pair["index44"] = run.pair->index44;
        json["pair"] = pair;
    } else {
        json["pair"] = nullptr;
    }
}

} // namespace

int RunComputeCommand(const ComputeOptions& options, std::string& out, std::string& err)
{
    const double xtiMHz = ReadNumberInput("XTI_MHZ", options.xtiText);
    const std::int32_t ratio = ReadIntegerInput("RATIO", options.ratioText);
    std::optional<double> maxPpm;
    if (options.maxPpmText)
        maxPpm = ReadPpmLimitInput("--max-ppm", *options.maxPpmText);
    const bool json = options.format == "json";
    const bool regs = options.format == "regs";
    if (options.candidates && regs)
        throw UsageError("--candidates does not go with --format regs, whose output is register lines only");

    ConfigRun run;
    const ConfigResult result = RunConfiguration(ConfigRequest{xtiMHz, ratio}, run);
    // The tables hold something only when the search ran.
    const bool searched = result.status != ConfigStatus::InputDividerOutOfRange;

    if (result.status != ConfigStatus::Success) {
        if (json) {
            Json doc;
            doc["xtiMHz"] = xtiMHz;
            doc["ratio"] = ratio;
            doc["status"] = StatusName(result.status);
            doc["message"] = result.message;
            doc["caption"] = result.caption;
            if (options.candidates && searched) {
                doc["inputDivider"] = run.inputDivider;
                AddCandidatesJson(doc, run);
            }
            out += DocumentText(doc);
        } else if (options.candidates && searched) {
            out += RequestLineText(xtiMHz, ratio) + Printf("Input divider %d\n\n", run.inputDivider) +
                   CandidatesText(run, ratio);
        }
        err += std::string("quorvane-cli: ") + result.message + "\n";
        return kExitEngineFailure;
    }

    const FamilyClocks family48 = FamilyOf(result.clocks48, ratio, kSampleRate48Hz);
    const FamilyClocks family44 = FamilyOf(result.clocks44, ratio, kSampleRate44Hz);
    const double largerPpm = LargerErrorPpm(family48, family44);
    const bool exceeded = maxPpm && largerPpm > *maxPpm;

    if (json) {
        Json doc;
        doc["xtiMHz"] = xtiMHz;
        doc["ratio"] = ratio;
        doc["status"] = StatusName(result.status);
        AddConfigurationJson(doc, result.setting48, result.setting44, result.registers, family48, family44);
        doc["largerErrorPpm"] = largerPpm;
        if (maxPpm) {
            doc["maxPpm"] = *maxPpm;
            doc["withinMaxPpm"] = !exceeded;
        }
        if (options.candidates)
            AddCandidatesJson(doc, run);
        out += DocumentText(doc);
    } else if (regs) {
        // A script that applies these lines may not look at the exit code:
        // a result over the limit gives it nothing to apply.
        if (!exceeded)
            out += RegisterAssignmentsText(result.registers);
    } else {
        out += RequestLineText(xtiMHz, ratio) + "\n" +
               ConfigurationText(result.registers, result.setting44, result.setting48, family44, family48);
        if (options.candidates)
            out += "\n" + CandidatesText(run, ratio);
    }

    if (exceeded) {
        err += Printf("quorvane-cli: the larger OCLK error, %.6f ppm, exceeds --max-ppm %s\n", largerPpm,
                      ShortestText(*maxPpm).c_str());
        return kExitMaxPpm;
    }
    return kExitOk;
}
