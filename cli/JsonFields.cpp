#include "JsonFields.h"

#include "RegisterValues.h"

const char* StatusName(ConfigStatus status)
{
    switch (status) {
    case ConfigStatus::Success:
        return "Success";
    case ConfigStatus::InputDividerOutOfRange:
        return "InputDividerOutOfRange";
    case ConfigStatus::NoPairFound:
        return "NoPairFound";
    }
    return "Unknown";
}

Json SettingJson(const PllSetting& setting)
{
    Json json;
    json["inputDivider"] = setting.inputDivider;
    json["multiplier"] = setting.multiplier;
    json["fraction"] = setting.fraction;
    json["dspDivider"] = setting.dspDivider;
    json["oclkDivider"] = setting.oclkDivider;
    return json;
}

Json RegistersJson(const RegisterSet& registers)
{
    Json json;
    for (const RegisterField& field : kRegisterFields)
        json[field.key] = registers.*field.member;
    return json;
}

Json ClocksJson(const FamilyClocks& family)
{
    Json json;
    json["vcoHz"] = family.clocks.vcoHz;
    json["dspHz"] = family.clocks.dspHz;
    json["oclkHz"] = family.clocks.oclkHz;
    if (family.hasTarget) {
        json["targetHz"] = family.targetHz;
        json["errorPpm"] = family.errorPpm;
    }
    return json;
}

Json CandidateTableJson(const CandidateTable& table)
{
    Json entries = Json::array();
    for (int i = 0; i < table.count; ++i) {
        const Candidate& c = table.entries[i];
        Json entry;
        entry["multiplier"] = c.multiplier;
        entry["fraction"] = c.fraction;
        entry["dspDivider"] = c.dspDivider;
        entry["oclkDivider"] = c.oclkDivider;
        entry["relativeError"] = c.relativeError;
        entries.push_back(entry);
    }
    return entries;
}

void AddConfigurationJson(Json& doc, const PllSetting& setting48, const PllSetting& setting44,
                          const RegisterSet& registers, const FamilyClocks& family48,
                          const FamilyClocks& family44)
{
    doc["inputDivider"] = setting48.inputDivider;
    doc["setting48"] = SettingJson(setting48);
    doc["setting44"] = SettingJson(setting44);
    doc["registers"] = RegistersJson(registers);
    doc["clocks48"] = ClocksJson(family48);
    doc["clocks44"] = ClocksJson(family44);
}

std::string DocumentText(const Json& doc)
{
    constexpr int kIndent = 2;
    return doc.dump(kIndent) + "\n";
}
