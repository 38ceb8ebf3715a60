// quorvane-cli's command line itself: version, help on every command, and a
// clear message with exit code 2 for arguments it cannot use.
#include "CliProcess.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

TEST(UsageCliTest, Version)
{
    const CliRun run = RunCli({"--version"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "quorvane-cli 1.0.0.1\n");
    EXPECT_EQ(run.err, "");
}

TEST(UsageCliTest, HelpOnEveryCommandNamesItsArgumentsAndTheExitCodes)
{
    const struct {
        std::vector<std::string> args;
        std::vector<std::string> mentions;
    } cases[] = {
        {{"--help"}, {"Usage: quorvane-cli", "compute", "decode", "sweep"}},
        {{"compute", "--help"},
         {"Usage: quorvane-cli compute", "XTI_MHZ", "RATIO", "--candidates", "--max-ppm"}},
        {{"decode", "--help"},
         {"Usage: quorvane-cli decode", "--xti", "R07 R06 R11 R80 R81 R82 R97 R100 R101"}},
        {{"sweep", "--help"},
         {"Usage: quorvane-cli sweep", "--from", "--crystals", "--standard", "--only-ok", "--jobs"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.front());
        const CliRun run = RunCli(c.args);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, "");
        for (const std::string& mention : c.mentions)
            EXPECT_TRUE(Contains(run.out, mention)) << mention;
        EXPECT_TRUE(Contains(run.out, "Exit codes:\n  0 "));
        EXPECT_TRUE(Contains(run.out, "  130  sweep stopped by Ctrl-C"));
        if (!RunEveryCase())
            break;
    }
}

TEST(UsageCliTest, BadArgumentsGiveAClearMessageAndExitTwo)
{
    const struct {
        std::vector<std::string> args;
        const char* firstLine;
    } cases[] = {
        {{}, "quorvane-cli: A subcommand is required"},
        {{"compile", "27", "384"},
         "quorvane-cli: unknown command \"compile\"; the commands are compute, decode and sweep"},
        {{"compute", "27"}, "quorvane-cli: RATIO is required"},
        {{"compute", "27", "384", "512"}, "quorvane-cli: The following argument was not expected: 512"},
        {{"compute", "27", "384", "--format", "xml"}, "quorvane-cli: --format: xml not in {text,json,regs}"},
        {{"compute", "27", "384", "--candidates", "--format", "regs"},
         "quorvane-cli: --candidates does not go with --format regs, whose output is register lines only"},
        {{"compute", "27", "384", "--verbose"},
         "quorvane-cli: The following argument was not expected: --verbose"},
        {{"decode", "0", "12", "3", "16", "119", "103", "15", "58", "187"},
         "quorvane-cli: --xti is required"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.firstLine);
        const CliRun run = RunCli(c.args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.substr(0, run.err.find('\n')), c.firstLine);
        if (!RunEveryCase())
            break;
    }
}

} // namespace
