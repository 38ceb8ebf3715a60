// OCLK targets and errors in ppm.
#include "ClockReport.h"

#include <gtest/gtest.h>

namespace {

TEST(ClockReportTest, TargetIsRatioTimesSampleRate)
{
    EXPECT_EQ(OclkTargetHz(256, 48000.0), 12288000.0);
    EXPECT_EQ(OclkTargetHz(256, 44100.0), 11289600.0);
    EXPECT_EQ(OclkTargetHz(512, 44100.0), 22579200.0);
}

TEST(ClockReportTest, ErrorIsSignedAndInPpm)
{
    const struct {
        double oclkHz;
        double targetHz;
        double ppm;
    } cases[] = {
        {12288000.0, 12288000.0, 0.0},
        {12288012.288, 12288000.0, 1.0},  // fast by one part per million
        {12287987.712, 12288000.0, -1.0}, // slow
        {11289600.0 * 1.0001, 11289600.0, 100.0},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(OclkErrorPpm(c.oclkHz, c.targetHz), c.ppm, 1e-6) << c.oclkHz;
}

TEST(ClockReportTest, LargerErrorComparesMagnitudes)
{
    FamilyClocks a;
    FamilyClocks b;
    a.errorPpm = -0.5;
    b.errorPpm = 0.2;
    EXPECT_EQ(LargerErrorPpm(a, b), 0.5);
    EXPECT_EQ(LargerErrorPpm(b, a), 0.5);
    a.errorPpm = 0.0;
    EXPECT_EQ(LargerErrorPpm(a, b), 0.2);
}

TEST(ClockReportTest, FamilyWithoutRatioHasNoTarget)
{
    const ClockSet clocks{196607994.0, 24575999.0, 12287999.0};
    EXPECT_FALSE(FamilyOf(clocks, std::nullopt, 48000.0).hasTarget);
    const FamilyClocks family = FamilyOf(clocks, 256, 48000.0);
    EXPECT_TRUE(family.hasTarget);
    EXPECT_EQ(family.targetHz, 12288000.0);
    EXPECT_LT(family.errorPpm, 0.0);
}

} // namespace
