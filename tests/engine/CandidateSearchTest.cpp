// The candidate search for one sample rate.
#include "CandidateSearch.h"
#include "EngineCompare.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Row {
    int multiplier;
    int fraction;
    int dspDivider;
    int oclkDivider;
    const char* relativeError; // "%.3e"
};

void ExpectTable(const CandidateTable& table, const std::vector<Row>& rows)
{
    ASSERT_EQ(table.count, static_cast<int>(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE("index " + std::to_string(i));
        const Candidate& c = table.entries[i];
        EXPECT_EQ(c.multiplier, rows[i].multiplier);
        EXPECT_EQ(c.fraction, rows[i].fraction);
        EXPECT_EQ(c.dspDivider, rows[i].dspDivider);
        EXPECT_EQ(c.oclkDivider, rows[i].oclkDivider);
        char error[32];
        std::snprintf(error, sizeof error, "%.3e", c.relativeError);
        EXPECT_STREQ(error, rows[i].relativeError);
    }
}

CandidateTable Search(double xtiHz, int inputDivider, int ratio, double sampleRateHz)
{
    CandidateTable table;
    SearchCandidates(xtiHz, inputDivider, ratio, sampleRateHz, table);
    return table;
}

TEST(CandidateSearchTest, DefaultRequestTablesInOrder)
{
    ExpectTable(Search(14318180.0, 0, 256, kSampleRate48Hz), {
                                                                 {8, 28856, 2, 10, "1.755e-07"},
                                                                 {9, 19564, 2, 11, "7.143e-07"},
                                                                 {10, 10271, 2, 12, "1.975e-07"},
                                                                 {11, 979, 3, 13, "2.909e-07"},
                                                                 {11, 57222, 3, 14, "4.711e-07"},
                                                                 {12, 47930, 3, 15, "2.657e-08"},
                                                             });
    ExpectTable(Search(14318180.0, 0, 256, kSampleRate44Hz), {
                                                                 {8, 30262, 2, 11, "2.887e-08"},
                                                                 {9, 16400, 2, 12, "2.770e-07"},
                                                                 {10, 2538, 2, 13, "4.896e-07"},
                                                                 {10, 54211, 2, 14, "6.162e-07"},
                                                                 {11, 40349, 3, 15, "3.743e-07"},
                                                                 {12, 26487, 3, 16, "1.609e-07"},
                                                             });
}

TEST(CandidateSearchTest, WindowsApplyAtTheHighestFractionNotTheChosenOne)
{
    // Index 3 of the default 48 kHz table runs its DSP clock below 22 MHz at
    // its own fraction; at fraction 65535 it is inside the window.
    const CandidateTable table48 = Search(14318180.0, 0, 256, kSampleRate48Hz);
    const Candidate& c = table48.entries[3];
    const ClockSet own =
        ComputeClocks(14318180.0, {0, c.multiplier, c.fraction, c.dspDivider, c.oclkDivider});
    EXPECT_LT(own.dspHz, kDspFloorHz);
    EXPECT_NEAR(own.dspHz, 21504000.0, 1000.0);

    // Likewise 14.9 MHz with ratio 249: the first 48 kHz candidate runs its
    // VCO below 120 MHz and its DSP clock near 19.92 MHz.
    const CandidateTable low = Search(14900000.0, 0, 249, kSampleRate48Hz);
    ASSERT_GE(low.count, 1);
    const Candidate& first = low.entries[0];
    EXPECT_EQ(first.multiplier, 7);
    EXPECT_EQ(first.fraction, 1407);
    EXPECT_EQ(first.dspDivider, 2);
    EXPECT_EQ(first.oclkDivider, 9);
    const ClockSet firstClocks = ComputeClocks(14900000.0, {0, 7, 1407, 2, 9});
    EXPECT_NEAR(firstClocks.vcoHz, 119.52e6, 0.01e6);
    EXPECT_NEAR(firstClocks.dspHz, 19.92e6, 0.01e6);
}

TEST(CandidateSearchTest, FractionRoundsToTheNearerStep)
{
    // Exact fractions about 28855.89 (t + 1 wins) and 10271.14 (t stays).
    const CandidateTable table48 = Search(14318180.0, 0, 256, kSampleRate48Hz);
    EXPECT_EQ(table48.entries[0].fraction, 28856);
    EXPECT_EQ(table48.entries[2].fraction, 10271);
}

TEST(CandidateSearchTest, ExactSettingHasFractionZeroAndNoError)
{
    // 12.288 MHz, ratio 256 at 48 kHz: multiplier 14, OCLK divider 14, DSP
    // divider 3 meets the target exactly at fraction 0 (the lower OCLK test
    // passes with equality).
    const CandidateTable table = Search(12288000.0, 0, 256, kSampleRate48Hz);
    bool found = false;
    for (int i = 0; i < table.count; ++i) {
        const Candidate& c = table.entries[i];
        if (c.multiplier == 14 && c.oclkDivider == 14 && c.dspDivider == 3) {
            found = true;
            EXPECT_EQ(c.fraction, 0);
            EXPECT_EQ(BitsOf(c.relativeError), BitsOf(0.0));
        }
    }
    EXPECT_TRUE(found);
}

TEST(CandidateSearchTest, NothingPassesTheWindowsForUnreachableRequests)
{
    struct Case {
        double xtiHz;
        int ratio;
    };
    const Case cases[] = {{4000000.0, 256}, {4000000.0, 512}, {14318180.0, 0},
                          {14318180.0, -1}, {0.0, 256},       {-14318180.0, 256}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.xtiHz) + " Hz, ratio " + std::to_string(c.ratio));
        EXPECT_EQ(Search(c.xtiHz, 0, c.ratio, kSampleRate48Hz).count, 0);
        EXPECT_EQ(Search(c.xtiHz, 0, c.ratio, kSampleRate44Hz).count, 0);
    }
}

TEST(CandidateSearchTest, TableOrderAndOneCandidatePerOclkDivider)
{
    struct Crystal {
        double xtiHz;
        int inputDivider;
    };
    for (const Crystal& crystal : {Crystal{14318180.0, 0}, Crystal{14900000.0, 0}, Crystal{12288000.0, 0},
                                   Crystal{24576000.0, 1}, Crystal{49152000.0, 3}}) {
        for (double rate : {kSampleRate48Hz, kSampleRate44Hz}) {
            const CandidateTable table = Search(crystal.xtiHz, crystal.inputDivider, 256, rate);
            EXPECT_GT(table.count, 0);
            for (int i = 1; i < table.count; ++i) {
                const Candidate& a = table.entries[i - 1];
                const Candidate& b = table.entries[i];
                EXPECT_NE(a.oclkDivider, b.oclkDivider);
                // Visiting order: multiplier, then OCLK divider, then DSP divider.
                EXPECT_TRUE(a.multiplier < b.multiplier ||
                            (a.multiplier == b.multiplier && a.oclkDivider < b.oclkDivider));
            }
        }
    }
}

TEST(CandidateSearchTest, AppendsWithoutEmptyingAndAFullTableTakesNoMore)
{
    CandidateTable table;
    table.count = 2; // earlier entries stay where they are
    SearchCandidates(14318180.0, 0, 256, kSampleRate48Hz, table);
    EXPECT_EQ(table.count, 8);
    EXPECT_EQ(table.entries[2].fraction, 28856);

    CandidateTable full;
    for (int i = 0; i < kCandidateTableCapacity; ++i)
        ASSERT_TRUE(AppendCandidate(full, Candidate{i, i, i, i, 0.5}));
    const CandidateTable before = full;
    EXPECT_FALSE(AppendCandidate(full, Candidate{1, 2, 3, 4, 0.0}));
    SearchCandidates(14318180.0, 0, 256, kSampleRate48Hz, full);
    ExpectSameTable(full, before);

    // Ninety-seven entries leave room for three of the six.
    CandidateTable almost;
    for (int i = 0; i < kCandidateTableCapacity - 3; ++i)
        AppendCandidate(almost, Candidate{});
    SearchCandidates(14318180.0, 0, 256, kSampleRate48Hz, almost);
    EXPECT_EQ(almost.count, kCandidateTableCapacity);
    EXPECT_EQ(almost.entries[kCandidateTableCapacity - 1].fraction, 10271);
}

} // namespace
