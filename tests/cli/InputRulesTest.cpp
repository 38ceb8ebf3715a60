// Command-line numbers read by the dialog's field rules.
#include "InputRules.h"
#include "UsageErrorText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(InputRulesTest, ReadsLikeTheDialog)
{
    EXPECT_EQ(ReadNumberInput("XTI_MHZ", " 27 "), 27.0);
    EXPECT_EQ(ReadNumberInput("XTI_MHZ", "2.7d1"), 27.0);
    EXPECT_EQ(ReadNumberInput("XTI_MHZ", "14.31818"), 14.31818);
    EXPECT_EQ(ReadIntegerInput("RATIO", "+256"), 256);
    EXPECT_EQ(ReadIntegerInput("RATIO", "99999999999"), 2147483647); // clamps like the dialog
    EXPECT_EQ(UsageErrorText([] { ReadNumberInput("XTI_MHZ", "12abc"); }), "XTI_MHZ: Please enter a number.");
    EXPECT_EQ(UsageErrorText([] { ReadIntegerInput("RATIO", "2.5"); }), "RATIO: Please enter an integer.");
}

// The dialog reads 31 characters of a field. Blanks past them change
// nothing; anything else would be silently dropped, so it is refused.
TEST(InputRulesTest, TextPastTheReadLimit)
{
    const std::string thirtyOne = "27.0000000000000000000000000000"; // 31 characters
    ASSERT_EQ(thirtyOne.size(), 31u);
    EXPECT_EQ(ReadNumberInput("XTI_MHZ", thirtyOne), 27.0);
    EXPECT_EQ(ReadNumberInput("XTI_MHZ", thirtyOne + "    \t"), 27.0);
    EXPECT_EQ(UsageErrorText([&] { ReadNumberInput("XTI_MHZ", thirtyOne + "1"); }),
              "XTI_MHZ: Please enter a number.");
    EXPECT_EQ(UsageErrorText([] { ReadNumberInput("--from", "0.000000000000000000000000000001e30"); }),
              "--from: Please enter a number.");
    EXPECT_EQ(UsageErrorText([] { ReadIntegerInput("RATIO", "00000000000000000000000000002567"); }),
              "RATIO: Please enter an integer.");
}

TEST(InputRulesTest, PpmLimit)
{
    EXPECT_EQ(ReadPpmLimitInput("--max-ppm", "0"), 0.0);
    EXPECT_EQ(ReadPpmLimitInput("--max-ppm", "0.25"), 0.25);
    EXPECT_EQ(UsageErrorText([] { ReadPpmLimitInput("--max-ppm", "-0.1"); }),
              "--max-ppm: the limit must be 0 ppm or more");
    EXPECT_EQ(UsageErrorText([] { ReadPpmLimitInput("--max-ppm", "ppm"); }),
              "--max-ppm: Please enter a number.");
}

} // namespace
