// RunConfiguration on every crystal bit pattern (NaN, infinities, subnormals,
// negatives) and every 32-bit ratio. The input is the crystal's eight bytes
// followed by the ratio's four, in the machine's byte order; missing bytes
// are zero.
//
// A run must end without a sanitizer report, and its result must hold what
// the front end relies on: a failure carries exactly one of the two fixed
// texts with its caption; a success has every register a byte, fractions of
// 16 bits, one input divider, multiplier and DSP divider for both settings,
// registers that are exactly the encoding of the settings, and finite clocks
// that are the clock model's for those settings.
#include "ConfigRun.h"
#include "EngineEquality.h"
#include "FuzzCheck.h"
#include "InputDivider.h"
#include "PllEngine.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>

namespace {

constexpr std::int32_t kByteMax = 255;
constexpr std::int32_t kFractionMax = 65535;
constexpr std::int32_t kFractionByte = 256;
constexpr std::int32_t kInputDividerMax = 15;
constexpr std::int32_t kMultiplierMax = 31;
constexpr std::int32_t kDspDividerMax = 31;
constexpr std::int32_t kOclkDividerMax = 127;

bool InRange(std::int32_t value, std::int32_t highest)
{
    return value >= 0 && value <= highest;
}

bool IsFinite(const ClockSet& clocks)
{
    return std::isfinite(clocks.vcoHz) && std::isfinite(clocks.dspHz) && std::isfinite(clocks.oclkHz);
}

bool SettingInRange(const PllSetting& s)
{
    return InRange(s.inputDivider, kInputDividerMax) && InRange(s.multiplier, kMultiplierMax) &&
           InRange(s.fraction, kFractionMax) && InRange(s.dspDivider, kDspDividerMax) &&
           InRange(s.oclkDivider, kOclkDividerMax);
}

// The registers that program exactly this pair of settings.
RegisterSet EncodingOf(const PllSetting& s48, const PllSetting& s44)
{
    RegisterSet r;
    r.reg07 = s48.inputDivider;
    r.reg06 = s48.multiplier;
    r.reg11 = s48.dspDivider;
    r.reg80 = s44.oclkDivider;
    r.reg81 = s44.fraction % kFractionByte;
    r.reg82 = s44.fraction / kFractionByte;
    r.reg97 = s48.oclkDivider;
    r.reg100 = s48.fraction % kFractionByte;
    r.reg101 = s48.fraction / kFractionByte;
    return r;
}

bool RegistersAreBytes(const RegisterSet& r)
{
    const std::int32_t values[] = {r.reg07, r.reg06, r.reg11,  r.reg80, r.reg81,
                                   r.reg82, r.reg97, r.reg100, r.reg101};
    for (const std::int32_t value : values) {
        if (!InRange(value, kByteMax))
            return false;
    }
    return true;
}

void CheckTable(const CandidateTable& table, const char* name)
{
    FUZZ_REQUIRE(table.count >= 0 && table.count <= kCandidateTableCapacity, "%s holds %d entries", name,
                 table.count);
    for (std::int32_t i = 0; i < table.count; ++i) {
        const Candidate& c = table.entries[i];
        FUZZ_REQUIRE(InRange(c.multiplier, kMultiplierMax) && InRange(c.fraction, kFractionMax) &&
                         InRange(c.dspDivider, kDspDividerMax) && InRange(c.oclkDivider, kOclkDividerMax) &&
                         c.relativeError >= 0.0,
                     "%s entry %d: multiplier %d fraction %d dspDivider %d oclkDivider %d error %a", name, i,
                     c.multiplier, c.fraction, c.dspDivider, c.oclkDivider, c.relativeError);
    }
}

void CheckSuccess(const ConfigRequest& request, const ConfigResult& result, const ConfigRun& run)
{
    const PllSetting& s48 = result.setting48;
    const PllSetting& s44 = result.setting44;
    FUZZ_REQUIRE(SameText(result.message, "") && SameText(result.caption, ""), "a success with texts");
    FUZZ_REQUIRE(SettingInRange(s48) && SettingInRange(s44),
                 "settings out of range: 48 kHz %d %d %d %d %d, 44.1 kHz %d %d %d %d %d", s48.inputDivider,
                 s48.multiplier, s48.fraction, s48.dspDivider, s48.oclkDivider, s44.inputDivider,
                 s44.multiplier, s44.fraction, s44.dspDivider, s44.oclkDivider);
    FUZZ_REQUIRE(s48.inputDivider == s44.inputDivider && s48.multiplier == s44.multiplier &&
                     s48.dspDivider == s44.dspDivider,
                 "the settings do not share input divider, multiplier and DSP divider");
    const std::optional<std::int32_t> divider = SelectInputDivider(request.xtiMHz);
    FUZZ_REQUIRE(divider && *divider == s48.inputDivider, "input divider %d", s48.inputDivider);
    FUZZ_REQUIRE(RegistersAreBytes(result.registers), "a register is not a byte");
    FUZZ_REQUIRE(SameRegisters(result.registers, EncodingOf(s48, s44)),
                 "the registers are not the encoding of the settings");

    FUZZ_REQUIRE(IsFinite(result.clocks48) && IsFinite(result.clocks44), "clocks not finite");
    const double xtiHz = request.xtiMHz * kHzPerMHz;
    FUZZ_REQUIRE(SameClocks(result.clocks48, ComputeClocks(xtiHz, s48)) &&
                     SameClocks(result.clocks44, ComputeClocks(xtiHz, s44)),
                 "the clocks are not the clock model's for the settings");

    // The settings are the chosen pair of the run's own tables.
    FUZZ_REQUIRE(run.pair && run.pair->index48 >= 0 && run.pair->index48 < run.table48.count &&
                     run.pair->index44 >= 0 && run.pair->index44 < run.table44.count,
                 "the chosen pair lies outside the tables");
    const Candidate& c48 = run.table48.entries[run.pair->index48];
    const Candidate& c44 = run.table44.entries[run.pair->index44];
    FUZZ_REQUIRE(c48.multiplier == c44.multiplier && c48.dspDivider == c44.dspDivider &&
                     c48.relativeError + c44.relativeError < kPairErrorSumBound,
                 "the chosen pair does not qualify");
    FUZZ_REQUIRE(s48.multiplier == c48.multiplier && s48.fraction == c48.fraction &&
                     s48.dspDivider == c48.dspDivider && s48.oclkDivider == c48.oclkDivider &&
                     s44.fraction == c44.fraction && s44.oclkDivider == c44.oclkDivider,
                 "the settings are not the chosen candidates");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::uint8_t bytes[sizeof(double) + sizeof(std::int32_t)] = {};
    std::memcpy(bytes, data, size < sizeof bytes ? size : sizeof bytes);
    ConfigRequest request;
    std::memcpy(&request.xtiMHz, bytes, sizeof request.xtiMHz);
    std::memcpy(&request.ratio, bytes + sizeof request.xtiMHz, sizeof request.ratio);

    ConfigRun run;
    const ConfigResult result = RunConfiguration(request, run);
    FUZZ_REQUIRE(SameResult(result, RunConfiguration(request)),
                 "the two entries disagree, or a run depends on an earlier one");
    CheckTable(run.table48, "table48");
    CheckTable(run.table44, "table44");

    switch (result.status) {
    case ConfigStatus::Success:
        CheckSuccess(request, result, run);
        break;
    case ConfigStatus::InputDividerOutOfRange:
        FUZZ_REQUIRE(SameText(result.message, kInputDividerMessage) &&
                         SameText(result.caption, kInputDividerCaption),
                     "InputDividerOutOfRange with \"%s\" / \"%s\"", result.message, result.caption);
        // Only a crystal above 240 MHz cannot be divided down; no search ran.
        FUZZ_REQUIRE(!SelectInputDivider(request.xtiMHz) && run.table48.count == 0 && run.table44.count == 0,
                     "InputDividerOutOfRange for %a MHz", request.xtiMHz);
        break;
    case ConfigStatus::NoPairFound:
        FUZZ_REQUIRE(SameText(result.message, kNoPairMessage) && SameText(result.caption, ""),
                     "NoPairFound with \"%s\" / \"%s\"", result.message, result.caption);
        FUZZ_REQUIRE(SelectInputDivider(request.xtiMHz).has_value() && !run.pair, "NoPairFound for %a MHz",
                     request.xtiMHz);
        break;
    default:
        FUZZ_REQUIRE(false, "status %d", static_cast<int>(result.status));
    }

    // No crystal at or below 0 MHz (nor NaN) can be configured, nor any
    // ratio at or below 0 once the crystal could be divided down.
    if (!(request.xtiMHz > 0.0) || (request.ratio <= 0 && SelectInputDivider(request.xtiMHz)))
        FUZZ_REQUIRE(result.status == ConfigStatus::NoPairFound, "%a MHz with ratio %d: status %d",
                     request.xtiMHz, request.ratio, static_cast<int>(result.status));
    return 0;
}
