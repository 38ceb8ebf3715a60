// The crystals and ratios of a sweep: exact ranges, lists, files and the
// built-in list.
#include "CrystalList.h"
#include "DataExchangeRules.h"
#include "UsageErrorText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <limits>
#include <string>

namespace {

double Decimal(const std::string& text)
{
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// Every crystal of the long benchmark sweep is the double a user gets by
// typing its decimal, the last one 240 exactly.
TEST(CrystalSequenceTest, MillihertzStepsAreExactDecimals)
{
    const CrystalSequence range = CrystalSequence::Range(1.0, 240.0, 0.001);
    ASSERT_EQ(range.Size(), 239001u);
    char text[32];
    for (std::size_t i = 0; i < range.Size(); ++i) {
        std::snprintf(text, sizeof text, "%zu.%03zu", 1 + i / 1000, i % 1000);
        ASSERT_EQ(range.At(i), Decimal(text)) << text;
    }
    EXPECT_EQ(range.At(239000), 240.0);
}

TEST(CrystalSequenceTest, RangesOfSeveralShapes)
{
    const struct {
        double from, to, step;
        std::vector<double> crystals;
    } cases[] = {
        {26.7, 27.0, 0.1, {26.7, 26.8, 26.9, 27.0}},
        {-1.0, 1.0, 0.5, {-1.0, -0.5, 0.0, 0.5, 1.0}},
        {27.0, 27.0, 0.001, {27.0}},
        {10.0, 12.0, 5.0, {10.0}},
        {1.0, 1.25, 0.1, {1.0, 1.1, 1.2}}, // the end need not lie on the grid
        {0.0, 30.0, 15.0, {0.0, 15.0, 30.0}},
        {14.31818, 14.31819, 0.000005, {14.31818, 14.318185, 14.31819}},
        {1e3, 3e3, 1e3, {1000.0, 2000.0, 3000.0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + " .. " + std::to_string(c.to));
        const CrystalSequence range = CrystalSequence::Range(c.from, c.to, c.step);
        ASSERT_EQ(range.Size(), c.crystals.size());
        for (std::size_t i = 0; i < c.crystals.size(); ++i)
            EXPECT_EQ(range.At(i), c.crystals[i]) << i;
    }
    // What adding up would have given instead.
    EXPECT_NE(26.7 + 0.1 + 0.1 + 0.1, 27.0);
}

TEST(CrystalSequenceTest, RefusesRangesItCannotStep)
{
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double from, to, step;
        const char* message;
    } cases[] = {
        {10, 20, 0, "--step: the step must be a finite frequency above 0 MHz"},
        {10, 20, -1, "--step: the step must be a finite frequency above 0 MHz"},
        {10, 20, inf, "--step: the step must be a finite frequency above 0 MHz"},
        {-inf, 20, 1, "--from: the range must start at a finite frequency"},
        {10, inf, 1, "--to: the range must end at a finite frequency"},
        {20, 10, 1, "--to: the range ends below its start (--from)"},
        {1, 1, 1e-30, "--step: the step is too fine for a range that long to be stepped exactly"},
        {0, 1000, 0.00001,
         "--step: the range holds 100000001 crystals; a sweep takes at most 100000000 requests"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UsageErrorText([&] { CrystalSequence::Range(c.from, c.to, c.step); }), c.message);
}

TEST(CrystalListTest, CommaSeparatedList)
{
    EXPECT_EQ(ReadCrystalList("12.288, 24.576,\t2.7d1"), (std::vector<double>{12.288, 24.576, 27.0}));
    EXPECT_EQ(ReadCrystalList("27"), (std::vector<double>{27.0}));
    EXPECT_EQ(UsageErrorText([] { ReadCrystalList("27,,33"); }),
              "--crystals, entry 2 (\"\"): Please enter a number.");
    EXPECT_EQ(UsageErrorText([] { ReadCrystalList("27,"); }),
              "--crystals, entry 2 (\"\"): Please enter a number.");
    EXPECT_EQ(UsageErrorText([] { ReadCrystalList("abc"); }), "--crystals: Please enter a number.");
}

TEST(CrystalListTest, FileText)
{
    EXPECT_EQ(ParseCrystalText("# bench\r\n14.31818,27\r\n\n  33.8688 # exact\n12.288", "f"),
              (std::vector<double>{14.31818, 27.0, 33.8688, 12.288}));
    EXPECT_EQ(UsageErrorText([] { ParseCrystalText("14.31818\n\n27 x\n", "bench.txt"); }),
              "bench.txt:3 (\"x\"): Please enter a number.");
    EXPECT_EQ(UsageErrorText([] { ParseCrystalText("# nothing\n", "empty.txt"); }),
              "--crystals: \"empty.txt\" holds no crystal frequency");
}

// A list file is read only up to its bound, whatever its length: one at the
// bound is read, one byte more is refused without reading on.
TEST(CrystalListTest, FilesAreReadUpToTheirBound)
{
    const std::string path = "crystal-list-bound.txt";
    for (const std::size_t size : {kMaxCrystalFileBytes, kMaxCrystalFileBytes + 1}) {
        SCOPED_TRACE(size);
        {
            std::ofstream file(path, std::ios::binary);
            const std::string text = "27" + std::string(size - 2, ' ');
            file.write(text.data(), static_cast<std::streamsize>(text.size()));
        }
        if (size == kMaxCrystalFileBytes)
            EXPECT_EQ(ReadCrystalList("@" + path), (std::vector<double>{27.0}));
        else
            EXPECT_EQ(UsageErrorText([&] { ReadCrystalList("@" + path); }),
                      "--crystals: \"" + path + "\" is larger than 16 MiB");
    }
    std::remove(path.c_str());
}

// A file that opens but cannot be read is refused like a missing one.
TEST(CrystalListTest, UnreadableFilesAreRefused)
{
    const std::string message = UsageErrorText([] { ReadCrystalList("@."); });
    EXPECT_EQ(message.substr(0, message.find(':', message.find(':') + 1)), "--crystals: cannot read \".\"");
}

#ifndef _WIN32
// A device that never ends costs no more than the bound.
TEST(CrystalListTest, EndlessFilesAreRefused)
{
    EXPECT_EQ(UsageErrorText([] { ReadCrystalList("@/dev/zero"); }),
              "--crystals: \"/dev/zero\" is larger than 16 MiB");
}
#endif

TEST(CrystalListTest, Ratios)
{
    EXPECT_EQ(ReadRatioList("256,384, 512"), (std::vector<std::int32_t>{256, 384, 512}));
    EXPECT_EQ(ReadRatioList("-1"), (std::vector<std::int32_t>{-1}));
    EXPECT_EQ(UsageErrorText([] { ReadRatioList("256;384"); }), "--ratio: Please enter an integer.");
    EXPECT_EQ(UsageErrorText([] { ReadRatioList("256,0x10"); }),
              "--ratio, entry 2 (\"0x10\"): Please enter an integer.");
}

TEST(CrystalListTest, StandardCrystalsRiseAndReadBackAsPrinted)
{
    const std::vector<double>& crystals = StandardCrystalsMHz();
    ASSERT_GE(crystals.size(), 30u);
    for (std::size_t i = 1; i < crystals.size(); ++i)
        EXPECT_LT(crystals[i - 1], crystals[i]) << i;
    for (const double c : crystals)
        EXPECT_EQ(ParseDoubleField(FormatDoubleField(c)), c);
    for (const double worked : {14.31818, 27.0, 33.8688, 12.288, 11.2896, 24.576})
        EXPECT_NE(std::find(crystals.begin(), crystals.end(), worked), crystals.end()) << worked;
}

} // namespace
