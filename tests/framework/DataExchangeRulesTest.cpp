// Reading and writing edit-field texts the way data exchange does.
#include "DataExchangeRules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr int kRefused = 0x7eadbeef; // marks a refusal in the integer table

struct IntegerCase {
    const char* text;
    int value; // kRefused when the field is refused
};

TEST(ParseIntegerFieldTest, AcceptsAndRefuses)
{
    const IntegerCase cases[] = {
        {"256", 256},
        {"  256\t", 256},
        {"\t-42 ", -42},
        {"+7", 7},
        {"0", 0},
        {"00", 0},
        {" 0 ", 0},
        {"-2147483648", std::numeric_limits<int>::min()},
        {"2147483647", std::numeric_limits<int>::max()},
        {"2147483648", std::numeric_limits<int>::max()},
        {"99999999999", std::numeric_limits<int>::max()},
        {"-99999999999", std::numeric_limits<int>::min()},
        {"0000000000000000000000000000012", 12}, // exactly 31 characters
        {"", kRefused},
        {"   ", kRefused},
        {"abc", kRefused},
        {"12abc", kRefused},
        {"1 2", kRefused},
        {"+0", kRefused},
        {"-0", kRefused},
        {"+", kRefused},
        {"-", kRefused},
        {"1.0", kRefused},
        {"1e3", kRefused},
        {"0x10", kRefused},
        {"\n5", kRefused}, // only blanks and tabs are skipped
        {"5\n", kRefused},
    };
    for (const IntegerCase& c : cases) {
        SCOPED_TRACE(std::string("text \"") + c.text + "\"");
        const std::optional<std::int32_t> value = ParseIntegerField(c.text);
        if (c.value == kRefused) {
            EXPECT_FALSE(value.has_value());
        } else {
            ASSERT_TRUE(value.has_value());
            EXPECT_EQ(*value, c.value);
        }
    }
}

TEST(ParseIntegerFieldTest, ReadsOnlyTheFirst31Characters)
{
    // What follows the 31st character is never seen, good or bad.
    EXPECT_EQ(ParseIntegerField(std::string(30, ' ') + "7xyz"), 7);
    EXPECT_EQ(ParseIntegerField(std::string(31, ' ') + "7"), std::nullopt);
    EXPECT_EQ(ParseIntegerField(std::string(29, '0') + "12345"), 12);
}

struct DoubleCase {
    const char* text;
    bool accepted;
    double value;
};

TEST(ParseDoubleFieldTest, AcceptsAndRefuses)
{
    const double inf = std::numeric_limits<double>::infinity();
    const DoubleCase cases[] = {
        {"14.31818", true, 14.31818},
        {" 27 ", true, 27.0},
        {"\t27\t", true, 27.0},
        {"2.7d1", true, 27.0},
        {"2.7D1", true, 27.0},
        {"2.7e1", true, 27.0},
        {"2.7E+1", true, 27.0},
        {"270e-1", true, 27.0},
        {"-3.5", true, -3.5},
        {"+3.5", true, 3.5},
        {"1.", true, 1.0},
        {".5", true, 0.5},
        {"0", true, 0.0},
        {"0.0", true, 0.0},
        {"00.000", true, 0.0},
        {"0e-400", true, 0.0},
        {"1e999", true, inf},
        {"-1e999", true, -inf},
        {"1e-320", true, 1e-320}, // subnormal, still non-zero
        {"", false, 0},
        {"  ", false, 0},
        {"abc", false, 0},
        {"12abc", false, 0},
        {".0", false, 0},
        {"+0", false, 0},
        {"-0", false, 0},
        {"-0.0", false, 0},
        {"1+5", false, 0},
        {"1e-400", false, 0}, // underflows to zero without a leading 0
        {".", false, 0},
        {"e5", false, 0},
        {"1e", false, 0},
        {"1e+", false, 0},
        {"1,5", false, 0},
        {"inf", false, 0},
        {"nan", false, 0},
        {"0x1p3", false, 0},
        {"1 5", false, 0},
        {"--1", false, 0},
    };
    for (const DoubleCase& c : cases) {
        SCOPED_TRACE(std::string("text \"") + c.text + "\"");
        const std::optional<double> value = ParseDoubleField(c.text);
        ASSERT_EQ(value.has_value(), c.accepted);
        if (c.accepted) {
            EXPECT_EQ(*value, c.value);
        }
    }
}

TEST(ParseDoubleFieldTest, ReadsCorrectlyRoundedValues)
{
    // The nearest double, as the compiler reads the same literal.
    EXPECT_EQ(ParseDoubleField("14.31818"), 14.31818);
    EXPECT_EQ(ParseDoubleField("33.8688"), 33.8688);
    EXPECT_EQ(ParseDoubleField("0.1"), 0.1);
    EXPECT_EQ(ParseDoubleField("2.2250738585072014e-308"), 2.2250738585072014e-308);
    EXPECT_EQ(ParseDoubleField("1.7976931348623157e308"), 1.7976931348623157e308);
    EXPECT_EQ(ParseDoubleField("1.8e308"), std::numeric_limits<double>::infinity());
}

TEST(ParseDoubleFieldTest, ReadsOnlyTheFirst31Characters)
{
    EXPECT_EQ(ParseDoubleField("14.3181800000000000000000000009999"), 14.31818);
    EXPECT_EQ(ParseDoubleField(std::string(30, ' ') + "5abc"), 5.0);
    EXPECT_EQ(ParseDoubleField(std::string(31, ' ') + "5"), std::nullopt);
}

TEST(FormatFieldTest, WritesWithPrintfConventions)
{
    EXPECT_EQ(FormatIntegerField(256), "256");
    EXPECT_EQ(FormatIntegerField(-2147483647 - 1), "-2147483648");
    EXPECT_EQ(FormatDoubleField(14.31818), "14.31818");
    EXPECT_EQ(FormatDoubleField(27.0), "27");
    EXPECT_EQ(FormatDoubleField(0.1), "0.1");
    EXPECT_EQ(FormatDoubleField(1e20), "1e+20");
    EXPECT_EQ(FormatDoubleField(123456789012345678.0), "1.23456789012346e+17");
}

TEST(FormatFieldTest, WrittenTextsReadBackToTheSameValue)
{
    for (int value : {0, 1, -1, 256, 2147483647, -2147483647 - 1})
        EXPECT_EQ(ParseIntegerField(FormatIntegerField(value)), value);
    // Fifteen digits bring back every value typed with at most 15 digits.
    for (double value : {0.0, 14.31818, 33.8688, 240.0001, 15.000001, 1e-300, 12345.6789012345})
        EXPECT_EQ(ParseDoubleField(FormatDoubleField(value)), value);
}

} // namespace
