// Bit-exact comparison of engine records for tests: doubles are equal only
// when their bit patterns are.
#pragma once

#include "EngineEquality.h"
#include "PllEngine.h"

#include <gtest/gtest.h>

#include <string>

inline ::testing::AssertionResult SameBits(double a, double b)
{
    if (BitsOf(a) == BitsOf(b))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << a << " (0x" << std::hex << BitsOf(a) << ") vs " << b << " (0x" << BitsOf(b) << ")";
}

inline void ExpectSameSetting(const PllSetting& a, const PllSetting& b)
{
    EXPECT_EQ(a.inputDivider, b.inputDivider);
    EXPECT_EQ(a.multiplier, b.multiplier);
    EXPECT_EQ(a.fraction, b.fraction);
    EXPECT_EQ(a.dspDivider, b.dspDivider);
    EXPECT_EQ(a.oclkDivider, b.oclkDivider);
}

inline void ExpectSameClocks(const ClockSet& a, const ClockSet& b)
{
    EXPECT_TRUE(SameBits(a.vcoHz, b.vcoHz));
    EXPECT_TRUE(SameBits(a.dspHz, b.dspHz));
    EXPECT_TRUE(SameBits(a.oclkHz, b.oclkHz));
}

inline void ExpectSameCandidate(const Candidate& a, const Candidate& b)
{
    EXPECT_EQ(a.multiplier, b.multiplier);
    EXPECT_EQ(a.fraction, b.fraction);
    EXPECT_EQ(a.dspDivider, b.dspDivider);
    EXPECT_EQ(a.oclkDivider, b.oclkDivider);
    EXPECT_TRUE(SameBits(a.relativeError, b.relativeError));
}

inline void ExpectSameTable(const CandidateTable& a, const CandidateTable& b)
{
    ASSERT_EQ(a.count, b.count);
    for (int i = 0; i < a.count; ++i) {
        SCOPED_TRACE("entry " + std::to_string(i));
        ExpectSameCandidate(a.entries[i], b.entries[i]);
    }
}

inline void ExpectSameRegisters(const RegisterSet& a, const RegisterSet& b)
{
    EXPECT_EQ(a.reg07, b.reg07);
    EXPECT_EQ(a.reg06, b.reg06);
    EXPECT_EQ(a.reg11, b.reg11);
    EXPECT_EQ(a.reg80, b.reg80);
    EXPECT_EQ(a.reg81, b.reg81);
    EXPECT_EQ(a.reg82, b.reg82);
    EXPECT_EQ(a.reg97, b.reg97);
    EXPECT_EQ(a.reg100, b.reg100);
    EXPECT_EQ(a.reg101, b.reg101);
}

// Two results agree in everything a caller can read of them.
inline void ExpectSameResult(const ConfigResult& a, const ConfigResult& b)
{
    ASSERT_EQ(a.status, b.status);
    EXPECT_STREQ(a.message, b.message);
    EXPECT_STREQ(a.caption, b.caption);
    if (a.status != ConfigStatus::Success)
        return;
    ExpectSameSetting(a.setting48, b.setting48);
    ExpectSameSetting(a.setting44, b.setting44);
    ExpectSameRegisters(a.registers, b.registers);
    ExpectSameClocks(a.clocks48, b.clocks48);
    ExpectSameClocks(a.clocks44, b.clocks44);
}
