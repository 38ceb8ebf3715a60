// The engine's records as JSON under the engine's own names. Keys keep the
// order in which they are set, so the output reads like the records.
#pragma once

#include "ClockReport.h"
#include "PllEngine.h"

#include <nlohmann/json.hpp>

using Json = nlohmann::ordered_json;

// "Success", "InputDividerOutOfRange", "NoPairFound".
const char* StatusName(ConfigStatus status);

Json SettingJson(const PllSetting& setting);
Json RegistersJson(const RegisterSet& registers);
// vcoHz, dspHz, oclkHz, and targetHz and errorPpm when the family has a target.
Json ClocksJson(const FamilyClocks& family);
// The table's candidates in order, each with its relativeError.
Json CandidateTableJson(const CandidateTable& table);

// What compute and decode both report of a configuration: inputDivider,
// setting48, setting44, registers, clocks48 and clocks44, in that order.
void AddConfigurationJson(Json& doc, const PllSetting& setting48, const PllSetting& setting44,
                          const RegisterSet& registers, const FamilyClocks& family48,
                          const FamilyClocks& family44);

// A whole document as the commands print it: indented by two, ending the line.
std::string DocumentText(const Json& doc);
