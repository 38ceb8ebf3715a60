// Whole computations: the worked requests, the input divider's bounds, the
// failures and their texts, and independence of successive runs.
#include "ConfigRun.h"
#include "EngineCompare.h"
#include "InputDivider.h"
#include "PllEngine.h"
#include "WorkedRequests.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <limits>
#include <string>

namespace {

std::string Format(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Format(const char* format, int value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::array<int, 9> AsArray(const RegisterSet& r)
{
    return {r.reg07, r.reg06, r.reg11, r.reg80, r.reg81, r.reg82, r.reg97, r.reg100, r.reg101};
}

std::array<std::string, 3> Texts(const std::array<const char*, 3>& texts)
{
    return {texts[0], texts[1], texts[2]};
}

// What the dialog writes into its VCO, DSP and OCLK fields for one column.
std::array<std::string, 3> ShownClocks(const ClockSet& clocks)
{
    return {Format("%5.2f", clocks.vcoHz * 1e-6), Format("%4.2f", clocks.dspHz * 1e-6),
            Format("%5.3f", clocks.oclkHz * 1e-6)};
}

class WorkedRequestTest : public ::testing::TestWithParam<WorkedRequest> {};

TEST_P(WorkedRequestTest, GivesTheDocumentedRegistersAndClocks)
{
    const WorkedRequest& w = GetParam();
    const ConfigResult result = RunConfiguration({w.xtiMHz, w.ratio});

    ASSERT_EQ(result.status, ConfigStatus::Success);
    EXPECT_STREQ(result.message, "");
    EXPECT_STREQ(result.caption, "");
    EXPECT_EQ(AsArray(result.registers), w.registers);
    EXPECT_EQ(ShownClocks(result.clocks48), Texts(w.shown48));
    EXPECT_EQ(ShownClocks(result.clocks44), Texts(w.shown44));
    EXPECT_EQ(BitsOf(result.clocks48.oclkHz), w.oclkBits48);
    EXPECT_EQ(BitsOf(result.clocks44.oclkHz), w.oclkBits44);

    // The two settings share input divider, multiplier and DSP divider, and
    // the registers are exactly their encoding.
    const PllSetting& s48 = result.setting48;
    const PllSetting& s44 = result.setting44;
    EXPECT_EQ(s48.inputDivider, w.inputDivider);
    EXPECT_EQ(s44.inputDivider, w.inputDivider);
    EXPECT_EQ(s44.multiplier, s48.multiplier);
    EXPECT_EQ(s44.dspDivider, s48.dspDivider);
    const std::array<int, 9> encoded = {s48.inputDivider, s48.multiplier,     s48.dspDivider,
                                        s44.oclkDivider,  s44.fraction % 256, s44.fraction / 256,
                                        s48.oclkDivider,  s48.fraction % 256, s48.fraction / 256};
    EXPECT_EQ(AsArray(result.registers), encoded);

    // The OCLK the dialog would derive from the VCO is the engine's OCLK.
    EXPECT_TRUE(SameBits(result.clocks48.vcoHz / (s48.oclkDivider + 1), result.clocks48.oclkHz));
    EXPECT_TRUE(SameBits(result.clocks44.vcoHz / (s44.oclkDivider + 1), result.clocks44.oclkHz));
}

INSTANTIATE_TEST_SUITE_P(Engine, WorkedRequestTest, ::testing::ValuesIn(kWorkedRequests));

TEST(RunConfigurationTest, DefaultRequestSettingsAndClocksInFull)
{
    const ConfigResult result = RunConfiguration({14.31818, 256});
    ASSERT_EQ(result.status, ConfigStatus::Success);
    ExpectSameSetting(result.setting48, PllSetting{0, 12, 47930, 3, 15});
    ExpectSameSetting(result.setting44, PllSetting{0, 12, 26487, 3, 16});
    EXPECT_EQ(Format("%.3f", result.clocks48.vcoHz), "196607994.776");
    EXPECT_EQ(Format("%.3f", result.clocks48.dspHz), "24575999.347");
    EXPECT_EQ(Format("%.3f", result.clocks48.oclkHz), "12287999.674");
    EXPECT_EQ(Format("%.3f", result.clocks44.vcoHz), "191923169.127");
    EXPECT_EQ(Format("%.3f", result.clocks44.dspHz), "23990396.141");
    EXPECT_EQ(Format("%.3f", result.clocks44.oclkHz), "11289598.184");
    // Register fields print right-aligned in three characters.
    EXPECT_EQ(Format("%3d", result.registers.reg07), "  0");
    EXPECT_EQ(Format("%3d", result.registers.reg81), "119");
}

TEST(RunConfigurationTest, ThirtyThreeMHzGivesAnExact44kHzSetting)
{
    ConfigRun run;
    const ConfigResult result = RunConfiguration({33.8688, 256}, run);
    ASSERT_EQ(result.status, ConfigStatus::Success);
    ASSERT_TRUE(run.pair.has_value());
    const Candidate& c44 = run.table44.entries[run.pair->index44];
    EXPECT_EQ(c44.fraction, 0);
    EXPECT_EQ(BitsOf(c44.relativeError), BitsOf(0.0));
    EXPECT_EQ(result.clocks44.oclkHz, 11289600.0);
}

TEST(RunConfigurationTest, TwentySevenMHzRatio512PairsWithTheFirst44kHzEntry)
{
    ConfigRun run;
    ASSERT_EQ(RunConfiguration({27.0, 512}, run).status, ConfigStatus::Success);
    EXPECT_EQ(run.table48.count, 3);
    EXPECT_EQ(run.table44.count, 3);
    ASSERT_TRUE(run.pair.has_value());
    EXPECT_EQ(run.pair->index48, 1);
    EXPECT_EQ(run.pair->index44, 0);
}

struct DividerCase {
    double xtiMHz;
    int inputDivider; // -1: out of range
};

TEST(InputDividerTest, SmallestDivisorThatReaches15MHz)
{
    const DividerCase cases[] = {
        {14.31818, 0},
        {15.0, 0},
        {15.000001, 1},
        {30.0, 1},
        {30.000001, 2},
        {45.0, 2},
        {240.0, 15},
        {240.0001, -1},
        {0.0, 0},
        {-5.0, 0},
        {std::numeric_limits<double>::infinity(), -1},
        {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const DividerCase& c : cases) {
        SCOPED_TRACE(c.xtiMHz);
        const std::optional<std::int32_t> divider = SelectInputDivider(c.xtiMHz);
        if (c.inputDivider < 0) {
            EXPECT_FALSE(divider.has_value());
        } else {
            ASSERT_TRUE(divider.has_value());
            EXPECT_EQ(*divider, c.inputDivider);
        }
    }
}

TEST(RunConfigurationTest, CrystalAbove240MHzFailsBeforeAnySearch)
{
    for (double xtiMHz : {240.0001, 300.0, std::numeric_limits<double>::infinity()}) {
        SCOPED_TRACE(xtiMHz);
        ConfigRun run;
        // Leave something in the run to prove that the failure leaves the
        // tables empty rather than searched.
        run.table48.count = 7;
        const ConfigResult result = RunConfiguration({xtiMHz, 256}, run);
        EXPECT_EQ(result.status, ConfigStatus::InputDividerOutOfRange);
        EXPECT_STREQ(result.message, "ERROR: Unable to scale down XTI freq./nTry with a lower frequency.");
        EXPECT_STREQ(result.caption, "Error");
        EXPECT_EQ(run.table48.count, 0);
        EXPECT_EQ(run.table44.count, 0);
        EXPECT_FALSE(run.pair.has_value());
    }
}

TEST(RunConfigurationTest, Exactly240MHzStillSearches)
{
    ConfigRun run;
    const ConfigResult result = RunConfiguration({240.0, 256}, run);
    EXPECT_NE(result.status, ConfigStatus::InputDividerOutOfRange);
    EXPECT_EQ(run.inputDivider, 15);
}

struct NoPairCase {
    double xtiMHz;
    int ratio;
    int count48;
    int count44;
};

TEST(RunConfigurationTest, RequestsWithoutAPairEndInNoPairFound)
{
    const NoPairCase cases[] = {
        {4.0, 256, 0, 0},
        {4.0, 384, 0, 0},
        {16.9344, 384, 4, 4},
        {14.31818, 0, 0, 0},
        {14.31818, -256, 0, 0},
        {14.31818, std::numeric_limits<int>::min(), 0, 0},
        {0.0, 256, 0, 0},
        {-14.31818, 256, 0, 0},
        {14.31818, std::numeric_limits<int>::max(), 0, 0},
        {std::numeric_limits<double>::quiet_NaN(), 256, 0, 0},
    };
    for (const NoPairCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.xtiMHz) + " MHz, ratio " + std::to_string(c.ratio));
        ConfigRun run;
        const ConfigResult result = RunConfiguration({c.xtiMHz, c.ratio}, run);
        EXPECT_EQ(result.status, ConfigStatus::NoPairFound);
        EXPECT_STREQ(result.message, "Sorry, this crystal frequency does not allow this config");
        EXPECT_STREQ(result.caption, "");
        EXPECT_EQ(run.table48.count, c.count48);
        EXPECT_EQ(run.table44.count, c.count44);
    }
}

TEST(RunConfigurationTest, SixteenMHzTablesShareNoMultiplier)
{
    ConfigRun run;
    ASSERT_EQ(RunConfiguration({16.9344, 384}, run).status, ConfigStatus::NoPairFound);
    const int multipliers48[] = {14, 16, 18, 20};
    const int multipliers44[] = {15, 17, 19, 21};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(run.table48.entries[i].multiplier, multipliers48[i]);
        EXPECT_EQ(run.table44.entries[i].multiplier, multipliers44[i]);
    }
}

TEST(RunConfigurationTest, RunsAreIndependentOfEachOther)
{
    const ConfigRequest first{14.31818, 256};
    const ConfigRequest second{27.0, 512};
    const ConfigResult firstAlone = RunConfiguration(first);
    const ConfigResult secondAlone = RunConfiguration(second);

    ExpectSameResult(RunConfiguration(first), firstAlone);
    ExpectSameResult(RunConfiguration(second), secondAlone);
    ExpectSameResult(RunConfiguration(first), firstAlone);

    // A run reusing the working state of another starts afresh.
    ConfigRun run;
    RunConfiguration(second, run);
    ConfigRun fresh;
    const ConfigResult reused = RunConfiguration(first, run);
    ExpectSameResult(reused, RunConfiguration(first, fresh));
    ExpectSameTable(run.table48, fresh.table48);
    ExpectSameTable(run.table44, fresh.table44);

    // A failure in between changes nothing either.
    EXPECT_EQ(RunConfiguration({300.0, 256}).status, ConfigStatus::InputDividerOutOfRange);
    EXPECT_EQ(RunConfiguration({4.0, 256}).status, ConfigStatus::NoPairFound);
    ExpectSameResult(RunConfiguration(first), firstAlone);
}

TEST(ComputeClocksTest, FollowsTheClockModel)
{
    // 12.288 MHz x 15 / 1 = 184.32 MHz; DSP / 8, OCLK / 15.
    const ClockSet clocks = ComputeClocks(12288000.0, PllSetting{0, 14, 0, 3, 14});
    EXPECT_EQ(clocks.vcoHz, 184320000.0);
    EXPECT_EQ(clocks.dspHz, 23040000.0);
    EXPECT_EQ(clocks.oclkHz, 12288000.0);

    // Half a fraction step: multiplier 1 + 1 + 32768/65536 = 2.5; divided by 2.
    const ClockSet half = ComputeClocks(10000000.0, PllSetting{1, 1, 32768, 0, 4});
    EXPECT_EQ(half.vcoHz, 12500000.0);
    EXPECT_EQ(half.dspHz, 6250000.0);
    EXPECT_EQ(half.oclkHz, 2500000.0);

    // Any 32-bit code is accepted without overflow.
    const int big = std::numeric_limits<int>::max();
    const ClockSet extreme = ComputeClocks(1.0, PllSetting{big, big, big, big, big});
    EXPECT_GT(extreme.vcoHz, 0.0);
    EXPECT_GT(extreme.dspHz, 0.0);
}

} // namespace
