// quorvane-cli decode end to end: register values back to clocks, the two
// ways of writing them, and a clear refusal for every value out of range.
#include "CliProcess.h"
#include "EngineCompare.h"
#include "PllEngine.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace {

using Json = nlohmann::json;

std::vector<std::string> Args(std::vector<std::string> values, std::vector<std::string> options = {})
{
    std::vector<std::string> args = {"decode", "--xti", "14.31818"};
    args.insert(args.end(), options.begin(), options.end());
    args.insert(args.end(), values.begin(), values.end());
    return args;
}

const std::vector<std::string> kDefaultRegisters = {"0", "12", "3", "16", "119", "103", "15", "58", "187"};

TEST(DecodeCliTest, NamedHexAndBareDecimalValuesGiveTheSameOutput)
{
    const CliRun bare = RunCli(Args(kDefaultRegisters, {"--ratio", "256"}));
    EXPECT_EQ(bare.exitCode, 0);
    EXPECT_EQ(bare.err, "");
    // The default request's result, as compute shows it.
    const CliRun computed = RunCli({"compute", "14.31818", "256"});
    EXPECT_EQ(bare.out, computed.out);

    const CliRun named = RunCli(Args(
        {"R101=0xBB", "r100=58", "R97=0x0f", "R82=0x67", "R81=119", "R80=0x10", "R11=3", "R06=0X0C", "R07=0"},
        {"--ratio", "256"}));
    EXPECT_EQ(named.exitCode, 0) << named.err;
    EXPECT_EQ(named.out, bare.out);
}

TEST(DecodeCliTest, ExactSettingHasZeroError)
{
    // 33.8688 MHz at ratio 256: the 44.1 kHz setting has fraction 0 and an
    // OCLK of exactly 11289600 Hz.
    const CliRun run = RunCli({"decode", "--xti", "33.8688", "--ratio", "256", "--format", "json", "2", "16",
                               "3", "16", "0", "0", "15", "59", "106"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Json doc = Json::parse(run.out);
    EXPECT_EQ(doc["setting44"]["fraction"], 0);
    EXPECT_EQ(doc["setting48"]["fraction"], 106 * 256 + 59);
    EXPECT_TRUE(SameBits(doc["clocks44"]["oclkHz"].get<double>(), 11289600.0));
    EXPECT_TRUE(SameBits(doc["clocks44"]["errorPpm"].get<double>(), 0.0));
    EXPECT_EQ(doc["inputDivider"], 2);
}

TEST(DecodeCliTest, WithoutRatioThereAreNoTargets)
{
    const CliRun run = RunCli(Args(kDefaultRegisters, {"--format", "json"}));
    ASSERT_EQ(run.exitCode, 0);
    const Json doc = Json::parse(run.out);
    EXPECT_FALSE(doc.contains("ratio"));
    EXPECT_FALSE(doc["clocks48"].contains("targetHz"));
    EXPECT_FALSE(doc["clocks44"].contains("errorPpm"));
    // Any setting decodes, even one the engine would not choose.
    const CliRun text = RunCli(Args({"15", "31", "31", "127", "255", "255", "127", "255", "255"}));
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_EQ(text.out.find("OCLK target"), std::string::npos);
}

struct RangeCase {
    std::vector<std::string> args; // after "decode --xti 14.31818"
    const char* err;
};

TEST(DecodeCliTest, RefusesValuesOutOfRangeOrMalformed)
{
    const RangeCase cases[] = {
        {{"16", "12", "3", "16", "119", "103", "15", "58", "187"},
         "Register 07: 16 is out of range: the input divider code runs from 0 to 15"},
        {{"0", "32", "3", "16", "119", "103", "15", "58", "187"},
         "Register 06: 32 is out of range: the multiplier code runs from 0 to 31"},
        {{"0", "12", "0x20", "16", "119", "103", "15", "58", "187"},
         "Register 11: 32 is out of range: the DSP divider code runs from 0 to 31"},
        {{"0", "12", "3", "0x80", "119", "103", "15", "58", "187"},
         "Register 80: 128 is out of range: the 44.1 kHz OCLK divider code runs from 0 to 127"},
        {{"0", "12", "3", "16", "256", "103", "15", "58", "187"},
         "Register 81: 256 is out of range: the 44.1 kHz fraction's low byte runs from 0 to 255"},
        {{"0", "12", "3", "16", "119", "103", "128", "58", "187"},
         "Register 97: 128 is out of range: the 48 kHz OCLK divider code runs from 0 to 127"},
        {{"0", "12", "3", "16", "119", "103", "15", "58", "99999999999999999999"},
         "Register 101: 99999999999999999999 is out of range: the 48 kHz fraction's high byte runs from 0 to "
         "255"},
        {{"0", "12", "3", "16", "0xZZ", "103", "15", "58", "187"},
         "Register 81: \"0xZZ\" is not a register value (write it in decimal or as 0x hexadecimal)"},
        {{"0", "12", "3", "16", "119", "-1", "15", "58", "187"},
         "Register 82: \"-1\" is not a register value (write it in decimal or as 0x hexadecimal)"},
        {{"0", "12", "3", "16", "119", "103", "15", "58"},
         "decode needs the nine register values R07 R06 R11 R80 R81 R82 R97 R100 R101, got 8"},
        {{"R07=0", "R06=12", "R11=3", "R80=16", "R81=119", "R82=103", "R97=15", "R100=58"},
         "R101 is missing; decode needs all of R07 R06 R11 R80 R81 R82 R97 R100 R101"},
        {{"R07=0", "R07=0", "R11=3", "R80=16", "R81=119", "R82=103", "R97=15", "R100=58", "R101=187"},
         "R07 is given twice"},
        {{"R07=0", "R06=12", "R12=3", "R80=16", "R81=119", "R82=103", "R97=15", "R100=58", "R101=187"},
         "\"R12=3\" names no register; the registers are R07 R06 R11 R80 R81 R82 R97 R100 R101"},
        {{"R07=0", "12", "3", "16", "119", "103", "15", "58", "187"},
         "give the register values either all as NAME=VALUE or all bare, in the order R07 R06 R11 R80 R81 "
         "R82 R97 "
         "R100 R101"},
        {{"--ratio", "0", "0", "12", "3", "16", "119", "103", "15", "58", "187"},
         "--ratio: the ratio must be 1 or more to give an OCLK target"},
        {{"--ratio", "x", "0", "12", "3", "16", "119", "103", "15", "58", "187"},
         "--ratio: Please enter an integer."},
    };
    for (const RangeCase& c : cases) {
        SCOPED_TRACE(c.err);
        const CliRun run = RunCli(Args(c.args));
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, std::string("quorvane-cli: ") + c.err + "\n");
        if (!RunEveryCase())
            break;
    }
}

TEST(DecodeCliTest, RefusesACrystalWithoutClocks)
{
    const struct {
        const char* xti;
        const char* err;
    } cases[] = {
        {"0", "--xti: the crystal frequency must be a positive, finite number of MHz"},
        {"-12", "--xti: the crystal frequency must be a positive, finite number of MHz"},
        {"1e999", "--xti: the crystal frequency must be a positive, finite number of MHz"},
        {"12,288", "--xti: Please enter a number."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xti);
        std::vector<std::string> args = {"decode", "--xti", c.xti};
        args.insert(args.end(), kDefaultRegisters.begin(), kDefaultRegisters.end());
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.err, std::string("quorvane-cli: ") + c.err + "\n");
        if (!RunEveryCase())
            break;
    }
}

TEST(DecodeCliTest, ReadsAListingWithCommentsFromStandardInput)
{
    const std::string listing = "# board rev B, 14.31818 MHz crystal\n"
                                "R07=0x00\r\nR06=0x0C  # shared multiplier\n"
                                "R11=0x03\tR80=0x10\nR81=0x77\nR82=0x67\nR97=0x0F\nR100=0x3A\nR101=0xBB\n";
    const CliRun run = RunCli({"decode", "--xti", "14.31818", "--ratio", "256"}, listing);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, RunCli(Args(kDefaultRegisters, {"--ratio", "256"})).out);

    const CliRun empty = RunCli({"decode", "--xti", "14.31818"}, "");
    EXPECT_EQ(empty.exitCode, 2);
    EXPECT_EQ(
        empty.err,
        "quorvane-cli: decode needs the nine register values R07 R06 R11 R80 R81 R82 R97 R100 R101, got 0\n");
}

} // namespace
