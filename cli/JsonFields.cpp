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
