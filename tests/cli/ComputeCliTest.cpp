// quorvane-cli compute end to end: the worked requests in every format, the
// engine's failures, refused input and --max-ppm, checked on standard
// output, standard error and the exit code.
#include "CliProcess.h"
#include "ConfigRun.h"
#include "EngineCompare.h"
#include "PllEngine.h"
#include "WorkedRequests.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <array>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Json = nlohmann::json;

const char* const kRegisterNames[] = {"07", "06", "11", "80", "81", "82", "97", "100", "101"};
const char* const kJsonRegisterNames[] = {"reg07", "reg06", "reg11",  "reg80", "reg81",
                                          "reg82", "reg97", "reg100", "reg101"};

std::vector<const WorkedRequest*> WorkedToRun()
{
    std::vector<const WorkedRequest*> cases;
    for (const WorkedRequest& w : kWorkedRequests)
        cases.push_back(&w);
    if (!RunEveryCase())
        cases.resize(2);
    return cases;
}

std::string Line(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));
std::string Line(const char* format, ...)
{
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return std::string(text) + "\n";
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

double PpmOf(double oclkHz, double targetHz)
{
    return (oclkHz - targetHz) / targetHz * 1e6;
}

TEST(ComputeCliTest, DefaultRequestAsText)
{
    const CliRun run = RunCli({"compute", "14.31818", "256"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "XTI 14.31818 MHz, ratio 256\n"
                       "\n"
                       "Register 07    0  0x00\n"
                       "Register 06   12  0x0C\n"
                       "Register 11    3  0x03\n"
                       "Register 80   16  0x10\n"
                       "Register 81  119  0x77\n"
                       "Register 82  103  0x67\n"
                       "Register 97   15  0x0F\n"
                       "Register 100  58  0x3A\n"
                       "Register 101 187  0xBB\n"
                       "\n"
                       "Setting         44.1 KHz    48 KHz\n"
                       "inputDivider           0         0\n"
                       "multiplier            12        12\n"
                       "fraction           26487     47930\n"
                       "dspDivider             3         3\n"
                       "oclkDivider           16        15\n"
                       "\n"
                       "Clocks (MHz)    44.1 KHz    48 KHz\n"
                       "VCO               191.92    196.61\n"
                       "DSP                23.99     24.58\n"
                       "OCLK              11.290    12.288\n"
                       "\n"
                       "Exact (Hz)                 44.1 KHz            48 KHz\n"
                       "VCO                191923169.126892  196607994.776001\n"
                       "DSP                 23990396.140862   24575999.347000\n"
                       "OCLK                11289598.183935   12287999.673500\n"
                       "OCLK target         11289600.000000   12288000.000000\n"
                       "OCLK error (ppm)          -0.160862         -0.026571\n");
}

TEST(ComputeCliTest, WorkedRequestsAsText)
{
    for (const WorkedRequest* w : WorkedToRun()) {
        SCOPED_TRACE(std::string(w->xtiText) + " MHz, ratio " + w->ratioText);
        const CliRun run = RunCli({"compute", w->xtiText, w->ratioText, "--format", "text"});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, "");
        for (int i = 0; i < 9; ++i) {
            const std::string label = std::string("Register ") + kRegisterNames[i];
            EXPECT_TRUE(
                Contains(run.out, Line("%-12s %3d  0x%02X", label.c_str(), w->registers[i], w->registers[i])))
                << label;
        }
        EXPECT_TRUE(Contains(run.out, Line("VCO           %10s%10s", w->shown44[0], w->shown48[0])));
        EXPECT_TRUE(Contains(run.out, Line("DSP           %10s%10s", w->shown44[1], w->shown48[1])));
        EXPECT_TRUE(Contains(run.out, Line("OCLK          %10s%10s", w->shown44[2], w->shown48[2])));
        EXPECT_TRUE(Contains(
            run.out, Line("%-17s%18.6f%18.6f", "OCLK target", w->ratio * 44100.0, w->ratio * 48000.0)));
    }
}

// The JSON result reads back to the engine's own result, double for double.
TEST(ComputeCliTest, WorkedRequestsAsJsonMatchTheEngine)
{
    for (const WorkedRequest* w : WorkedToRun()) {
        SCOPED_TRACE(std::string(w->xtiText) + " MHz, ratio " + w->ratioText);
        const CliRun run = RunCli({"compute", w->xtiText, w->ratioText, "--format", "json"});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err, "");
        const Json doc = Json::parse(run.out);
        const ConfigResult expected = RunConfiguration(ConfigRequest{w->xtiMHz, w->ratio});

        EXPECT_TRUE(SameBits(doc.at("xtiMHz").get<double>(), w->xtiMHz));
        EXPECT_EQ(doc.at("ratio").get<int>(), w->ratio);
        EXPECT_EQ(doc.at("status"), "Success");
        EXPECT_FALSE(doc.contains("message"));
        EXPECT_EQ(doc.at("inputDivider").get<int>(), expected.setting48.inputDivider);
        for (int i = 0; i < 9; ++i)
            EXPECT_EQ(doc.at("registers").at(kJsonRegisterNames[i]).get<int>(), w->registers[i])
                << kRegisterNames[i];

        const struct {
            const char* name;
            const PllSetting& setting;
        } settings[] = {{"setting48", expected.setting48}, {"setting44", expected.setting44}};
        for (const auto& s : settings) {
            const Json& j = doc.at(s.name);
            ExpectSameSetting(PllSetting{j.at("inputDivider"), j.at("multiplier"), j.at("fraction"),
                                         j.at("dspDivider"), j.at("oclkDivider")},
                              s.setting);
        }

        const struct {
            const char* name;
            const ClockSet& clocks;
            double targetHz;
            const char* shownOclk;
        } families[] = {{"clocks48", expected.clocks48, w->ratio * 48000.0, w->shown48[2]},
                        {"clocks44", expected.clocks44, w->ratio * 44100.0, w->shown44[2]}};
        double larger = 0.0;
        for (const auto& f : families) {
            SCOPED_TRACE(f.name);
            const Json& j = doc.at(f.name);
            ExpectSameClocks(ClockSet{j.at("vcoHz"), j.at("dspHz"), j.at("oclkHz")}, f.clocks);
            EXPECT_TRUE(SameBits(j.at("targetHz").get<double>(), f.targetHz));
            const double ppm = j.at("errorPpm").get<double>();
            EXPECT_TRUE(SameBits(ppm, PpmOf(f.clocks.oclkHz, f.targetHz)));
            // An independent look at the same number: the shown OCLK in MHz
            // is the target within the error.
            EXPECT_NEAR(std::stod(f.shownOclk) * 1e6, f.targetHz * (1 + ppm * 1e-6), 500.0);
            larger = std::fmax(larger, std::fabs(ppm));
        }
        EXPECT_TRUE(SameBits(doc.at("largerErrorPpm").get<double>(), larger));
    }
}

TEST(ComputeCliTest, DefaultRequestErrorsHaveTheRightSignAndSize)
{
    // 14.31818 MHz runs both OCLKs slightly slow: relative errors of about
    // 2.657e-8 (48 kHz) and 1.609e-7 (44.1 kHz).
    const Json doc = Json::parse(RunCli({"compute", "14.31818", "256", "--format", "json"}).out);
    EXPECT_NEAR(doc["clocks48"]["errorPpm"].get<double>(), -0.02657, 0.00001);
    EXPECT_NEAR(doc["clocks44"]["errorPpm"].get<double>(), -0.1609, 0.0001);
}

TEST(ComputeCliTest, WorkedRequestsAsRegisterLines)
{
    for (const WorkedRequest* w : WorkedToRun()) {
        SCOPED_TRACE(std::string(w->xtiText) + " MHz, ratio " + w->ratioText);
        const CliRun run = RunCli({"compute", w->xtiText, w->ratioText, "--format", "regs"});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, "");
        std::string expected;
        for (int i = 0; i < 9; ++i)
            expected += Line("R%s=0x%02X", kRegisterNames[i], w->registers[i]);
        EXPECT_EQ(run.out, expected);
    }
}

// compute --format regs piped into decode gives the very clocks of compute.
TEST(ComputeCliTest, RegisterLinesDecodeToTheSameClocks)
{
    for (const WorkedRequest* w : WorkedToRun()) {
        SCOPED_TRACE(std::string(w->xtiText) + " MHz, ratio " + w->ratioText);
        const CliRun regs = RunCli({"compute", w->xtiText, w->ratioText, "--format", "regs"});
        ASSERT_EQ(regs.exitCode, 0);
        const CliRun decoded =
            RunCli({"decode", "--xti", w->xtiText, "--ratio", w->ratioText, "--format", "json"}, regs.out);
        ASSERT_EQ(decoded.exitCode, 0) << decoded.err;
        EXPECT_EQ(decoded.err, "");
        const Json doc = Json::parse(decoded.out);
        const ConfigResult expected = RunConfiguration(ConfigRequest{w->xtiMHz, w->ratio});
        for (const char* family : {"clocks48", "clocks44"}) {
            SCOPED_TRACE(family);
            const ClockSet& clocks =
                std::string(family) == "clocks48" ? expected.clocks48 : expected.clocks44;
            const Json& j = doc.at(family);
            ExpectSameClocks(ClockSet{j.at("vcoHz"), j.at("dspHz"), j.at("oclkHz")}, clocks);
        }
        for (int i = 0; i < 9; ++i)
            EXPECT_EQ(doc.at("registers").at(kJsonRegisterNames[i]).get<int>(), w->registers[i]);
    }
}

struct FailureCase {
    const char* xti;
    const char* ratio;
    const char* status;
    const char* message;
    const char* caption;
};

const FailureCase kFailures[] = {
    {"300", "256", "InputDividerOutOfRange",
     "ERROR: Unable to scale down XTI freq./nTry with a lower frequency.", "Error"},
    {"4", "256", "NoPairFound", "Sorry, this crystal frequency does not allow this config", ""},
    {"16.9344", "384", "NoPairFound", "Sorry, this crystal frequency does not allow this config", ""},
};

TEST(ComputeCliTest, EngineFailuresPrintTheMessageAndExitOne)
{
    for (const FailureCase& f : kFailures) {
        SCOPED_TRACE(std::string(f.xti) + " MHz, ratio " + f.ratio);
        for (const char* format : {"text", "regs"}) {
            const CliRun run = RunCli({"compute", f.xti, f.ratio, "--format", format});
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_EQ(run.out, "") << format;
            EXPECT_EQ(run.err, std::string("quorvane-cli: ") + f.message + "\n");
        }
        const CliRun run = RunCli({"compute", f.xti, f.ratio, "--format", "json"});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, std::string("quorvane-cli: ") + f.message + "\n");
        const Json doc = Json::parse(run.out);
        EXPECT_EQ(doc.at("status"), f.status);
        EXPECT_EQ(doc.at("message"), f.message);
        EXPECT_EQ(doc.at("caption"), f.caption);
        EXPECT_FALSE(doc.contains("registers"));
        EXPECT_FALSE(doc.contains("clocks48"));
        if (!RunEveryCase())
            break;
    }
}

struct RefusalCase {
    const char* xti;
    const char* ratio;
    const char* err;
};

const char kNumberRefused[] = "quorvane-cli: XTI_MHZ: Please enter a number.\n";
const char kIntegerRefused[] = "quorvane-cli: RATIO: Please enter an integer.\n";

const RefusalCase kRefusals[] = {
    {"12abc", "256", kNumberRefused},
    {".0", "256", kNumberRefused},
    {"", "256", kNumberRefused},
    {"1+5", "256", kNumberRefused},
    {"1e-400", "256", kNumberRefused},
    {"+0", "256", kNumberRefused},
    {"14.31818", "abc", kIntegerRefused},
    {"14.31818", "2.5", kIntegerRefused},
    {"14.31818", "", kIntegerRefused},
    {"14.31818", "-0", kIntegerRefused},
    // The dialog reads 31 characters; the rest must not be dropped unseen.
    {"0.000000000000000000000000000001e30", "256", kNumberRefused},
    {"14.31818", "0000000000000000000000000000256x", kIntegerRefused},
    // The crystal is looked at first.
    {"abc", "abc", kNumberRefused},
};

TEST(ComputeCliTest, RefusedInputGivesTheDialogsTextAndExitTwo)
{
    for (const RefusalCase& r : kRefusals) {
        SCOPED_TRACE(std::string("\"") + r.xti + "\", \"" + r.ratio + "\"");
        const CliRun run = RunCli({"compute", r.xti, r.ratio});
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, r.err);
        if (!RunEveryCase())
            break;
    }
}

// Texts that the dialog accepts mean the same crystal and ratio here.
TEST(ComputeCliTest, AcceptsWhatTheDialogAccepts)
{
    const std::string expected = RunCli({"compute", "27", "384", "--format", "regs"}).out;
    const std::vector<std::vector<std::string>> spellings = {
        {" 27 ", "384"}, {"2.7d1", "384"}, {"27.000", "\t+384"}, {"0.27E+2", "384 "}};
    for (const auto& args : spellings) {
        SCOPED_TRACE("\"" + args[0] + "\", \"" + args[1] + "\"");
        const CliRun run = RunCli({"compute", args[0], args[1], "--format", "regs"});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, expected);
        if (!RunEveryCase())
            break;
    }
}

TEST(ComputeCliTest, MaxPpmTurnsALargeErrorIntoExitThree)
{
    // The default request's larger error is 0.1608617817932875 ppm (44.1 kHz).
    const struct {
        const char* limit;
        int exitCode;
    } cases[] = {{"0.1", 3}, {"0.1608617817932875", 0}, {"0.16086178", 3}, {"0.2", 0}, {"0", 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.limit);
        const CliRun run = RunCli({"compute", "14.31818", "256", "--max-ppm", c.limit});
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_TRUE(Contains(run.out, "Register 101 187  0xBB"));
        if (c.exitCode == 3)
            EXPECT_EQ(run.err,
                      std::string("quorvane-cli: the larger OCLK error, 0.160862 ppm, exceeds --max-ppm ") +
                          c.limit + "\n");
        else
            EXPECT_EQ(run.err, "");
        if (!RunEveryCase())
            break;
    }
}

TEST(ComputeCliTest, MaxPpmFailureInJsonAndRegisterLines)
{
    const CliRun json = RunCli({"compute", "14.31818", "256", "--format", "json", "--max-ppm", "0.1"});
    EXPECT_EQ(json.exitCode, 3);
    const Json doc = Json::parse(json.out);
    EXPECT_EQ(doc.at("status"), "Success");
    EXPECT_EQ(doc.at("maxPpm").get<double>(), 0.1);
    EXPECT_EQ(doc.at("withinMaxPpm"), false);

    // A script that applies register lines gets none over the limit.
    const CliRun regs = RunCli({"compute", "14.31818", "256", "--format", "regs", "--max-ppm", "0.1"});
    EXPECT_EQ(regs.exitCode, 3);
    EXPECT_EQ(regs.out, "");
    EXPECT_NE(regs.err, "");
}

TEST(ComputeCliTest, BadMaxPpm)
{
    const struct {
        const char* limit;
        const char* err;
    } cases[] = {
        {"abc", "quorvane-cli: --max-ppm: Please enter a number.\n"},
        {"-1", "quorvane-cli: --max-ppm: the limit must be 0 ppm or more\n"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli({"compute", "14.31818", "256", "--max-ppm", c.limit});
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, c.err);
        if (!RunEveryCase())
            break;
    }
}

TEST(ComputeCliTest, CandidatesAsJsonAreTheEnginesTables)
{
    const struct {
        const char* xti;
        const char* ratio;
        double xtiMHz;
        int ratioValue;
        int exitCode;
    } cases[] = {{"27", "512", 27.0, 512, 0}, {"16.9344", "384", 16.9344, 384, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.xti) + " MHz, ratio " + c.ratio);
        const CliRun run = RunCli({"compute", c.xti, c.ratio, "--format", "json", "--candidates"});
        EXPECT_EQ(run.exitCode, c.exitCode);
        const Json doc = Json::parse(run.out);
        ConfigRun engine;
        RunConfiguration(ConfigRequest{c.xtiMHz, c.ratioValue}, engine);
        const struct {
            const char* name;
            const CandidateTable& table;
        } tables[] = {{"table48", engine.table48}, {"table44", engine.table44}};
        for (const auto& t : tables) {
            SCOPED_TRACE(t.name);
            const Json& entries = doc.at(t.name);
            ASSERT_EQ(entries.size(), static_cast<std::size_t>(t.table.count));
            for (int i = 0; i < t.table.count; ++i) {
                const Json& e = entries[i];
                ExpectSameCandidate(Candidate{e.at("multiplier"), e.at("fraction"), e.at("dspDivider"),
                                              e.at("oclkDivider"), e.at("relativeError")},
                                    t.table.entries[i]);
            }
        }
        if (engine.pair) {
            EXPECT_EQ(doc.at("pair").at("index48").get<int>(), engine.pair->index48);
            EXPECT_EQ(doc.at("pair").at("index44").get<int>(), engine.pair->index44);
        } else {
            EXPECT_TRUE(doc.at("pair").is_null());
        }
    }
}

TEST(ComputeCliTest, CandidatesAsTextMarkTheChosenPair)
{
    // 27 MHz at ratio 512: three candidates each, the pair is (1, 0).
    const CliRun run = RunCli({"compute", "27", "512", "--candidates"});
    EXPECT_EQ(run.exitCode, 0);
    const std::string expected = "Candidates at 48 KHz (OCLK target 24576000 Hz)\n"
                                 "  index  multiplier  fraction  dspDivider  oclkDivider  |error| (ppm)\n"
                                 "      0           8      6699           2            4       0.394881\n"
                                 "*     1           9     60468           2            5       0.163913\n"
                                 "      2          13     36933           3            7       0.185333\n"
                                 "\n"
                                 "Candidates at 44.1 KHz (OCLK target 22579200 Hz)\n"
                                 "  index  multiplier  fraction  dspDivider  oclkDivider  |error| (ppm)\n"
                                 "*     0           9      2307           2            5       0.201926\n"
                                 "      1          10     46382           2            6       0.015292\n"
                                 "      2          12     24921           3            7       0.178206\n"
                                 "\n"
                                 "Chosen pair: index 1 at 48 KHz with index 0 at 44.1 KHz (marked *)\n";
    ASSERT_GE(run.out.size(), expected.size());
    EXPECT_EQ(run.out.substr(run.out.size() - expected.size()), expected);

    // Without a pair the tables show why.
    const CliRun none = RunCli({"compute", "16.9344", "384", "--candidates"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(Contains(none.out, "      3          20     50378           3            9"));
    EXPECT_TRUE(Contains(none.out, "      3          21         0           3           10"));
    EXPECT_TRUE(Contains(
        none.out, "No 48 KHz candidate shares multiplier and dspDivider with a 44.1 KHz candidate.\n"));
    EXPECT_FALSE(Contains(none.out, "*"));
    EXPECT_EQ(none.err, "quorvane-cli: Sorry, this crystal frequency does not allow this config\n");
}

} // namespace
