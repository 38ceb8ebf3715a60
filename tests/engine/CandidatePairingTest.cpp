// Pairing of hand-made tables, and the register encoding.
#include "CandidatePairing.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace {

struct Entry {
    int multiplier;
    int dspDivider;
    double relativeError = 0.0;
};

CandidateTable MakeTable(std::initializer_list<Entry> entries)
{
    CandidateTable table;
    int oclkDivider = 0;
    for (const Entry& e : entries) {
        Candidate& c = table.entries[table.count++];
        c.multiplier = e.multiplier;
        c.dspDivider = e.dspDivider;
        c.oclkDivider = oclkDivider++;
        c.fraction = 100 + oclkDivider;
        c.relativeError = e.relativeError;
    }
    return table;
}

// A table of `count` entries that share nothing with tables of multiplier 1.
CandidateTable Unrelated(int count)
{
    CandidateTable table;
    for (int i = 0; i < count; ++i)
        table.entries[table.count++] = Candidate{31, 0, 31, i, 0.0};
    return table;
}

struct PairCase {
    const char* name;
    CandidateTable table48;
    CandidateTable table44;
    int index48; // -1: no pair
    int index44;
};

TEST(PairCandidatesTest, LastQualifyingCombinationInScanOrder)
{
    const Entry x{1, 1};   // the pairing partner of every "x" below
    const Entry o48{2, 2}; // shares nothing with o44 or x
    const Entry o44{3, 3};
    CandidateTable full;
    for (int i = 0; i < kCandidateTableCapacity; ++i)
        full.entries[full.count++] = Candidate{1, 0, 1, i, 0.0};

    const PairCase cases[] = {
        {"empty 48 kHz table", CandidateTable{}, full, -1, -1},
        {"empty 44.1 kHz table", full, CandidateTable{}, -1, -1},
        {"both empty", CandidateTable{}, CandidateTable{}, -1, -1},
        {"nothing shared", MakeTable({o48, o48}), MakeTable({o44, o44, o44}), -1, -1},
        {"only (0, 0)", MakeTable({x, o48}), MakeTable({x, o44}), 0, 0},
        {"only (1, 0)", MakeTable({o48, x}), MakeTable({x, o44}), 1, 0},
        {"only (0, 3)", MakeTable({x}), MakeTable({o44, o44, o44, x}), 0, 3},
        {"(4, 1) beats (2, 5) whatever the errors", MakeTable({o48, o48, {1, 1, 0.0}, o48, {2, 5, 4.0}}),
         MakeTable({o44, {2, 5, 5.0}, o44, o44, o44, {1, 1, 0.0}}), 4, 1},
        {"(3, 4) beats (3, 1)", MakeTable({o48, o48, o48, x}), MakeTable({o44, x, o44, o44, x}), 3, 4},
        {"same multiplier, other DSP divider", MakeTable({{1, 1}}), MakeTable({{1, 2}}), -1, -1},
        {"same DSP divider, other multiplier", MakeTable({{1, 1}}), MakeTable({{2, 1}}), -1, -1},
        {"error sum exactly 10.0", MakeTable({{1, 1, 6.0}}), MakeTable({{1, 1, 4.0}}), -1, -1},
        {"error sum 9.9", MakeTable({{1, 1, 6.0}}), MakeTable({{1, 1, 3.9}}), 0, 0},
        {"sum 10.0 skipped for an earlier pair", MakeTable({x, {1, 1, 6.0}}), MakeTable({{1, 1, 4.0}}), 0, 0},
        {"full tables, last pair", full, full, 99, 99},
        {"full tables, nothing shared", Unrelated(100), full, -1, -1},
    };
    for (const PairCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<CandidatePair> pair = PairCandidates(c.table48, c.table44);
        if (c.index48 < 0) {
            EXPECT_FALSE(pair.has_value());
        } else {
            ASSERT_TRUE(pair.has_value());
            EXPECT_EQ(pair->index48, c.index48);
            EXPECT_EQ(pair->index44, c.index44);
        }
    }
}

TEST(EncodeRegistersTest, FractionByteSplits)
{
    struct Split {
        int fraction;
        int high;
        int low;
    };
    const Split splits[] = {{47930, 187, 58}, {26487, 103, 119}, {256, 1, 0},
                            {255, 0, 255},    {0, 0, 0},         {65535, 255, 255}};
    for (const Split& s : splits) {
        SCOPED_TRACE(s.fraction);
        const Candidate c48{5, s.fraction, 2, 9, 0.0};
        const Candidate c44{5, 65535 - s.fraction, 2, 10, 0.0};
        const RegisterSet r = EncodeRegisters(3, c48, c44);
        EXPECT_EQ(r.reg101, s.high);
        EXPECT_EQ(r.reg100, s.low);
        EXPECT_EQ(r.reg82 * 256 + r.reg81, 65535 - s.fraction);
        EXPECT_EQ(r.reg82, 255 - s.high);
    }
}

TEST(EncodeRegistersTest, DefaultPairInDialogOrder)
{
    const Candidate c48{12, 47930, 3, 15, 2.657e-8};
    const Candidate c44{12, 26487, 3, 16, 1.609e-7};
    const RegisterSet r = EncodeRegisters(0, c48, c44);
    const int shown[] = {r.reg07, r.reg06, r.reg11, r.reg80, r.reg81, r.reg82, r.reg97, r.reg100, r.reg101};
    const int expected[] = {0, 12, 3, 16, 119, 103, 15, 58, 187};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(shown[i], expected[i]) << "register " << i;
}

} // namespace
