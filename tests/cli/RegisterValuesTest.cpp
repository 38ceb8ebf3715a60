// Register values as text and back to the PLL settings.
#include "RegisterValues.h"
#include "CandidatePairing.h"
#include "UsageErrorText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const RegisterSet kDefault{0, 12, 3, 16, 119, 103, 15, 58, 187};

TEST(RegisterValuesTest, AssignmentLinesInTheDialogsOrder)
{
    EXPECT_EQ(RegisterAssignmentsText(kDefault),
              "R07=0x00\nR06=0x0C\nR11=0x03\nR80=0x10\nR81=0x77\nR82=0x67\nR97=0x0F\nR100=0x3A\nR101=0xBB\n");
}

TEST(RegisterValuesTest, AssignmentLinesReadBack)
{
    const RegisterSet read = ReadRegisterValues(SplitRegisterWords(RegisterAssignmentsText(kDefault)));
    for (const RegisterField& field : kRegisterFields)
        EXPECT_EQ(read.*field.member, kDefault.*field.member) << field.name;
}

TEST(RegisterValuesTest, WordsSkipBlanksAndComments)
{
    EXPECT_EQ(SplitRegisterWords("  R07=0 # divider\r\n\tR06=12#x\n# all comment\n3"),
              (std::vector<std::string>{"R07=0", "R06=12", "3"}));
    EXPECT_TRUE(SplitRegisterWords("").empty());
}

// Each field takes 0 to its maximum and refuses one more.
TEST(RegisterValuesTest, EveryFieldsRange)
{
    for (int i = 0; i < kRegisterCount; ++i) {
        const RegisterField& field = kRegisterFields[i];
        SCOPED_TRACE(field.name);
        std::vector<std::string> words(kRegisterCount, "0");
        words[i] = std::to_string(field.maximum);
        EXPECT_EQ(ReadRegisterValues(words).*field.member, field.maximum);
        words[i] = "0x" + std::to_string(0); // hexadecimal zero
        EXPECT_EQ(ReadRegisterValues(words).*field.member, 0);
        words[i] = std::to_string(field.maximum + 1);
        EXPECT_EQ(UsageErrorText([&] { ReadRegisterValues(words); }),
                  std::string(field.label) + ": " + words[i] + " is out of range: the " + field.meaning +
                      " runs from 0 to " + std::to_string(field.maximum));
    }
}

TEST(RegisterValuesTest, MalformedValues)
{
    for (const char* bad : {"", "0x", "x10", "1.0", "+1", "-0", "0b1", "1e2", "0x1G", " 1"}) {
        std::vector<std::string> words(kRegisterCount, "0");
        words[4] = bad;
        EXPECT_EQ(UsageErrorText([&] { ReadRegisterValues(words); }),
                  std::string("Register 81: \"") + bad +
                      "\" is not a register value (write it in decimal or as 0x hexadecimal)");
    }
}

// The registers that EncodeRegisters writes decode to the settings they
// came from.
TEST(RegisterValuesTest, SettingsFromRegisters)
{
    const Candidate c48{12, 47930, 3, 15, 0.0};
    const Candidate c44{12, 26487, 3, 16, 0.0};
    const RegisterSet registers = EncodeRegisters(0, c48, c44);
    const PllSetting s48 = Setting48Of(registers);
    const PllSetting s44 = Setting44Of(registers);
    EXPECT_EQ(s48.inputDivider, 0);
    EXPECT_EQ(s48.multiplier, 12);
    EXPECT_EQ(s48.fraction, 47930);
    EXPECT_EQ(s48.dspDivider, 3);
    EXPECT_EQ(s48.oclkDivider, 15);
    EXPECT_EQ(s44.multiplier, 12);
    EXPECT_EQ(s44.fraction, 26487);
    EXPECT_EQ(s44.dspDivider, 3);
    EXPECT_EQ(s44.oclkDivider, 16);

    const RegisterSet extremes =
        EncodeRegisters(15, Candidate{31, 65535, 31, 127, 0.0}, Candidate{31, 0, 31, 0, 0.0});
    EXPECT_EQ(Setting48Of(extremes).fraction, 65535);
    EXPECT_EQ(Setting44Of(extremes).fraction, 0);
    EXPECT_EQ(Setting44Of(extremes).inputDivider, 15);
}

} // namespace
