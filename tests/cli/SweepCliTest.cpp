// quorvane-cli sweep end to end: rows in request order in every format, the
// crystal sources, filters, the same bytes for any number of jobs, and a
// clean stop on Ctrl-C.
#include "CliProcess.h"
#include "EngineCompare.h"
#include "PllEngine.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#endif

namespace {

using Json = nlohmann::json;

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line))
        lines.push_back(line);
    return lines;
}

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    std::size_t begin = 0;
    for (;;) {
        const std::size_t comma = line.find(',', begin);
        fields.push_back(line.substr(begin, comma == std::string::npos ? std::string::npos : comma - begin));
        if (comma == std::string::npos)
            return fields;
        begin = comma + 1;
    }
}

const char kCsvHeader[] =
    "xtiMHz,ratio,status,reg07,reg06,reg11,reg80,reg81,reg82,reg97,reg100,reg101,largerErrorPpm";

// Crystal by crystal, each with every ratio: the rows of a small sweep and
// what the engine says of each.
TEST(SweepCliTest, CsvRowsFollowTheRequestsAndMatchTheEngine)
{
    const CliRun run =
        RunCli({"sweep", "--crystals", "14.31818,27,300,4", "--ratio", "256,384", "--format", "csv"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0], kCsvHeader);
    const struct {
        double xti;
        const char* xtiText;
        int ratio;
    } requests[] = {
        {14.31818, "14.31818", 256}, {14.31818, "14.31818", 384}, {27, "27", 256}, {27, "27", 384},
        {300, "300", 256},           {300, "300", 384},           {4, "4", 256},   {4, "4", 384}};
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(lines[i + 1]);
        const std::vector<std::string> f = Fields(lines[i + 1]);
        ASSERT_EQ(f.size(), 13u);
        EXPECT_EQ(f[0], requests[i].xtiText);
        EXPECT_EQ(f[1], std::to_string(requests[i].ratio));
        const ConfigResult r = RunConfiguration(ConfigRequest{requests[i].xti, requests[i].ratio});
        const char* status = r.status == ConfigStatus::Success                  ? "Success"
                             : r.status == ConfigStatus::InputDividerOutOfRange ? "InputDividerOutOfRange"
                                                                                : "NoPairFound";
        EXPECT_EQ(f[2], status);
        if (r.status != ConfigStatus::Success) {
            for (int k = 3; k < 13; ++k)
                EXPECT_EQ(f[k], "");
            continue;
        }
        const int regs[] = {r.registers.reg07, r.registers.reg06,  r.registers.reg11,
                            r.registers.reg80, r.registers.reg81,  r.registers.reg82,
                            r.registers.reg97, r.registers.reg100, r.registers.reg101};
        for (int k = 0; k < 9; ++k)
            EXPECT_EQ(f[3 + k], std::to_string(regs[k]));
        const double e48 =
            (r.clocks48.oclkHz - requests[i].ratio * 48000.0) / (requests[i].ratio * 48000.0) * 1e6;
        const double e44 =
            (r.clocks44.oclkHz - requests[i].ratio * 44100.0) / (requests[i].ratio * 44100.0) * 1e6;
        EXPECT_TRUE(SameBits(std::stod(f[12]), std::fmax(std::fabs(e48), std::fabs(e44))));
    }
    EXPECT_EQ(run.err,
              "quorvane-cli: sweep: 8 requests, 4 successes; best by error: ratio 256 at 14.31818 MHz "
              "(0.160862 ppm), ratio 384 at 27 MHz (0.163913 ppm)\n");
}

TEST(SweepCliTest, JsonIsOneDocumentWithRowsAndSummary)
{
    const CliRun run = RunCli({"sweep", "--crystals", "14.31818,300", "--ratio", "256", "--format", "json"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Json doc = Json::parse(run.out);
    ASSERT_EQ(doc.at("rows").size(), 2u);
    const Json& ok = doc["rows"][0];
    EXPECT_TRUE(SameBits(ok.at("xtiMHz").get<double>(), 14.31818));
    EXPECT_EQ(ok.at("ratio"), 256);
    EXPECT_EQ(ok.at("status"), "Success");
    EXPECT_EQ(ok.at("registers").at("reg101"), 187);
    EXPECT_NEAR(ok.at("largerErrorPpm").get<double>(), 0.160862, 1e-6);
    const Json& failed = doc["rows"][1];
    EXPECT_EQ(failed.at("status"), "InputDividerOutOfRange");
    EXPECT_FALSE(failed.contains("registers"));
    const Json& summary = doc.at("summary");
    EXPECT_EQ(summary.at("requests"), 2);
    EXPECT_EQ(summary.at("completed"), 2);
    EXPECT_EQ(summary.at("successes"), 1);
    EXPECT_EQ(summary.at("interrupted"), false);
    EXPECT_EQ(summary.at("best").at(0).at("ratio"), 256);
    EXPECT_TRUE(SameBits(summary["best"][0].at("xtiMHz").get<double>(), 14.31818));
}

TEST(SweepCliTest, TextIsATable)
{
    const CliRun run = RunCli({"sweep", "--crystals", "14.31818,300", "--ratio", "256"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(
        run.out,
        "      xtiMHz   ratio  status                 R07 R06 R11 R80 R81 R82 R97 R100 R101  largerErrorPpm\n"
        "    14.31818     256  Success                  0  12   3  16 119 103  15   58  187        0.160862\n"
        "         300     256  InputDividerOutOfRange   -   -   -   -   -   -   -    -    -               "
        "-\n");
}

TEST(SweepCliTest, OnlyOkAndMaxPpmFilterRows)
{
    // 14.31818 MHz: 0.160862 ppm; 27 MHz at 256: 0.291369 ppm.
    const CliRun run = RunCli(
        {"sweep", "--crystals", "4,14.31818,27", "--ratio", "256", "--format", "csv", "--max-ppm", "0.2"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(Fields(lines[1])[2], "NoPairFound");
    EXPECT_EQ(Fields(lines[2])[2], "Success");
    EXPECT_EQ(Fields(lines[3])[2], "MaxPpmExceeded");
    EXPECT_EQ(Fields(lines[3])[5], "3"); // the registers are still shown
    EXPECT_EQ(run.err,
              "quorvane-cli: sweep: 3 requests, 1 successes; best by error: ratio 256 at 14.31818 MHz "
              "(0.160862 ppm)\n");

    const CliRun ok = RunCli({"sweep", "--crystals", "4,14.31818,27", "--ratio", "256", "--format", "csv",
                              "--max-ppm", "0.2", "--only-ok"});
    lines = Lines(ok.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].substr(0, 17), "14.31818,256,Succ");
    EXPECT_EQ(ok.err, run.err); // the summary counts every request
}

TEST(SweepCliTest, RangeStepsWithoutAccumulatingRounding)
{
    // 0.1 is not a double: adding it up drifts, from + i x step in decimal
    // does not.
    const CliRun run = RunCli(
        {"sweep", "--from", "26.7", "--to", "27.0", "--step", "0.1", "--ratio", "384", "--format", "csv"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 5u);
    const char* crystals[] = {"26.7", "26.8", "26.9", "27"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Fields(lines[i + 1])[0], crystals[i]);
    // The last row is the very request "compute 27 384".
    EXPECT_EQ(lines[4], "27,384,Success,1,12,3,10,100,204,9,65,167," + Fields(lines[4])[12]);
}

TEST(SweepCliTest, StandardCrystals)
{
    const CliRun run = RunCli({"sweep", "--standard", "--ratio", "256,384,512", "--format", "json"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Json doc = Json::parse(run.out);
    const Json& rows = doc.at("rows");
    ASSERT_EQ(rows.size() % 3, 0u);
    EXPECT_GE(rows.size(), 90u);
    // Each crystal with the three ratios, crystals rising.
    const int ratios[] = {256, 384, 512};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].at("ratio"), ratios[i % 3]);
        if (i >= 3) {
            EXPECT_GE(rows[i]["xtiMHz"].get<double>(), rows[i - 3]["xtiMHz"].get<double>());
        }
    }
    bool has14 = false;
    for (const Json& row : rows)
        has14 = has14 || row["xtiMHz"].get<double>() == 14.31818;
    EXPECT_TRUE(has14);
}

TEST(SweepCliTest, CrystalsFromAFile)
{
    ScratchFile file("# crystals on the bench\n14.31818, 27\n\n33.8688 # the exact one\n");
    const CliRun run =
        RunCli({"sweep", "--crystals", "@" + file.Path(), "--ratio", "256", "--format", "csv"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(Fields(lines[1])[0], "14.31818");
    EXPECT_EQ(Fields(lines[2])[0], "27");
    EXPECT_EQ(Fields(lines[3])[0], "33.8688");

    ScratchFile bad("14.31818\n27 2x7\n");
    const CliRun refused = RunCli({"sweep", "--crystals", "@" + bad.Path(), "--ratio", "256"});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err, "quorvane-cli: " + bad.Path() + ":2 (\"2x7\"): Please enter a number.\n");
}

// Blocks computed on several threads still come out in request order.
TEST(SweepCliTest, OutputIsTheSameForAnyNumberOfJobs)
{
    const std::vector<std::string> formats =
        RunEveryCase() ? std::vector<std::string>{"csv", "json", "text"} : std::vector<std::string>{"csv"};
    // 400 crystals x 2 ratios: several blocks, successes and failures mixed.
    for (const std::string& format : formats) {
        SCOPED_TRACE(format);
        std::vector<std::string> args = {"sweep", "--from",  "10",      "--to",     "49.9", "--step",
                                         "0.1",   "--ratio", "256,384", "--format", format};
        std::vector<std::string> one = args;
        one.insert(one.end(), {"--jobs", "1"});
        std::vector<std::string> two = args;
        two.insert(two.end(), {"--jobs", "2"});
        const CliRun a = RunCli(one);
        const CliRun b = RunCli(two);
        EXPECT_EQ(a.exitCode, 0);
        EXPECT_EQ(b.exitCode, 0);
        EXPECT_EQ(Lines(a.out).size(), format == "json" ? 803u : 801u);
        EXPECT_TRUE(a.out == b.out) << "the outputs differ";
        EXPECT_EQ(a.err, b.err);
    }
}

TEST(SweepCliTest, BadArguments)
{
    const struct {
        std::vector<std::string> args;
        const char* err;
    } cases[] = {
        {{"--ratio", "256"},
         "give the crystals in exactly one way: --from/--to/--step, --crystals or --standard"},
        {{"--standard", "--crystals", "27", "--ratio", "256"},
         "give the crystals in exactly one way: --from/--to/--step, --crystals or --standard"},
        {{"--from", "10", "--to", "20", "--ratio", "256"}, "a range needs all of --from, --to and --step"},
        {{"--from", "10", "--to", "20", "--step", "0", "--ratio", "256"},
         "--step: the step must be a finite frequency above 0 MHz"},
        {{"--from", "20", "--to", "10", "--step", "1", "--ratio", "256"},
         "--to: the range ends below its start (--from)"},
        {{"--from", "1", "--to", "240", "--step", "0.000001", "--ratio", "256"},
         "--step: the range holds 239000001 crystals; a sweep takes at most 100000000 requests"},
        {{"--crystals", "27,,33", "--ratio", "256"}, "--crystals, entry 2 (\"\"): Please enter a number."},
        {{"--crystals", "27", "--ratio", "256,x"}, "--ratio, entry 2 (\"x\"): Please enter an integer."},
        {{"--crystals", "27", "--ratio", "x"}, "--ratio: Please enter an integer."},
        {{"--crystals", "@no-such-file.txt", "--ratio", "256"},
         "--crystals: cannot read \"no-such-file.txt\": No such file or directory"},
        {{"--crystals", "27"}, "--ratio is required"},
        {{"--crystals", "27", "--ratio", "256", "--jobs", "0"}, "--jobs: Value 0 not in range 1 to 1024"},
        {{"--crystals", "27", "--ratio", "256", "--format", "xml"}, "--format: xml not in {text,csv,json}"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.err);
        std::vector<std::string> args = {"sweep"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.substr(0, run.err.find('\n')), std::string("quorvane-cli: ") + c.err);
        if (!RunEveryCase())
            break;
    }
}

#ifndef _WIN32

// Ctrl-C: the rows written so far are whole, JSON stays one document, and
// the exit code says the sweep did not finish.
TEST(SweepCliTest, CtrlCStopsCleanly)
{
    for (const char* format : {"csv", "json"}) {
        SCOPED_TRACE(format);
        ScratchFile out;
        ScratchFile err;
        // Long enough to be still running when the signal comes, even with
        // a fast engine: 239001 crystals x 10 ratios.
        const int pid =
            SpawnCli({"sweep", "--from", "1", "--to", "240", "--step", "0.001", "--ratio",
                      "128,192,256,320,384,448,512,640,768,1024", "--format", format, "--jobs", "2"},
                     out.Path(), err.Path());
        // Wait until some rows are out, then interrupt.
        for (int i = 0; i < 600 && Lines(out.Read()).size() < 300; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        kill(pid, SIGINT);
        EXPECT_EQ(WaitCli(pid), 130);
        const std::string text = out.Read();
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.back(), '\n');
        if (std::string(format) == "csv") {
            const std::vector<std::string> lines = Lines(text);
            EXPECT_GT(lines.size(), 1u);
            EXPECT_LT(lines.size(), 2390011u);
            for (const std::string& line : lines)
                EXPECT_EQ(Fields(line).size(), 13u) << line;
        } else {
            const Json doc = Json::parse(text);
            EXPECT_EQ(doc["summary"]["interrupted"], true);
            EXPECT_EQ(doc["summary"]["completed"].get<std::size_t>(), doc["rows"].size());
            EXPECT_EQ(doc["summary"]["requests"], 2390010);
        }
        EXPECT_NE(err.Read().find("quorvane-cli: sweep interrupted after "), std::string::npos) << err.Read();
    }
}

// On a terminal a long sweep shows its progress on standard error; into a
// file or pipe it does not.
TEST(SweepCliTest, ProgressBarOnlyOnATerminal)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const std::string terminal = ptsname(master);
    const std::vector<std::string> args = {"sweep", "--from",  "10",  "--to",     "15.000", "--step",
                                           "0.001", "--ratio", "256", "--format", "csv"};
    ScratchFile out;
    const int pid = SpawnCli(args, out.Path(), terminal);
    std::string shown;
    int code = -1;
    for (;;) {
        pollfd p = {master, POLLIN, 0};
        if (poll(&p, 1, 100) > 0) {
            char chunk[4096];
            const ssize_t n = read(master, chunk, sizeof chunk);
            if (n > 0)
                shown.append(chunk, static_cast<std::size_t>(n));
        }
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            code = WEXITSTATUS(status);
            break;
        }
    }
    // What is left after the child ended.
    for (;;) {
        pollfd p = {master, POLLIN, 0};
        if (poll(&p, 1, 100) <= 0)
            break;
        char chunk[4096];
        const ssize_t n = read(master, chunk, sizeof chunk);
        if (n <= 0)
            break;
        shown.append(chunk, static_cast<std::size_t>(n));
    }
    close(master);
    EXPECT_EQ(code, 0);
    EXPECT_NE(shown.find("] 100% 5001/5001"), std::string::npos) << shown;
    EXPECT_NE(shown.find("quorvane-cli: sweep: 5001 requests"), std::string::npos);

    ScratchFile err;
    EXPECT_EQ(WaitCli(SpawnCli(args, out.Path(), err.Path())), 0);
    EXPECT_EQ(err.Read().find('\r'), std::string::npos);
    EXPECT_EQ(err.Read().rfind("quorvane-cli: sweep: 5001 requests", 0), 0u);
}

#endif

} // namespace
