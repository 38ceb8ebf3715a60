// The texts of the result fields.
#include "ResultText.h"

#include <gtest/gtest.h>

namespace {

TEST(ResultTextTest, RegistersRightAlignedInThreeCharacters)
{
    EXPECT_EQ(FormatRegisterText(0), "  0");
    EXPECT_EQ(FormatRegisterText(12), " 12");
    EXPECT_EQ(FormatRegisterText(119), "119");
    EXPECT_EQ(FormatRegisterText(255), "255");
}

TEST(ResultTextTest, ClocksInMHzWithTheFieldFormats)
{
    struct Case {
        double vcoHz, dspHz, oclkHz;
        const char *vco, *dsp, *oclk;
    };
    const Case cases[] = {
        {196607994.776, 24575999.347, 12287999.674, "196.61", "24.58", "12.288"},
        {191923169.127, 23990396.141, 11289598.184, "191.92", "23.99", "11.290"},
        {0.0, 0.0, 0.0, " 0.00", "0.00", "0.000"},
        {9000000.0, 9000000.0, 9000000.0, " 9.00", "9.00", "9.000"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatVcoText(c.vcoHz), c.vco);
        EXPECT_EQ(FormatDspText(c.dspHz), c.dsp);
        EXPECT_EQ(FormatOclkText(c.oclkHz), c.oclk);
    }
}

TEST(ResultTextTest, HugeValuesAreWrittenWhole)
{
    // "%f" of a value near 1e302 has over 300 digits; nothing is cut off.
    const std::string text = FormatVcoText(1e308);
    EXPECT_GT(text.size(), 300u);
    EXPECT_EQ(text.substr(text.size() - 3), ".00");
}

} // namespace
