// quorvane-cli: the PLL engine on the command line. Results go to standard
// output, diagnostics to standard error; the exit codes are in ExitCode.h.
#include "CliError.h"
#include "ComputeCommand.h"
#include "DecodeCommand.h"
#include "ExitCode.h"
#include "SweepCommand.h"

#include <CLI/CLI.hpp>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <exception>
#include <iterator>
#include <string>

#ifdef _WIN32
#include <io.h>
#define QUORVANE_ISATTY _isatty
#define QUORVANE_FILENO _fileno
#else
#include <unistd.h>
#define QUORVANE_ISATTY isatty
#define QUORVANE_FILENO fileno
#endif

namespace {

constexpr char kExitCodes[] = "Exit codes:\n"
                              "  0    success (sweep: every request ran, whatever its outcome)\n"
                              "  1    the engine found no configuration (its message is on standard error)\n"
                              "  2    refused input or bad arguments\n"
                              "  3    the larger OCLK error exceeds --max-ppm\n"
                              "  4    the output could not be written, or the system failed otherwise\n"
                              "  130  sweep stopped by Ctrl-C; the rows written so far are complete";

// Ctrl-C asks a running sweep to stop at the next whole block of rows.
std::atomic<bool> g_stopRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the stop flag is set from a signal handler");

extern "C" void OnInterrupt(int)
{
    g_stopRequested.store(true);
}

// A first Ctrl-C stops the sweep cleanly; the handler then falls back to the
// default, so that a second one ends the program at once.
void CatchInterrupt()
{
#ifdef _WIN32
    std::signal(SIGINT, OnInterrupt); // reset to the default on delivery
#else
    struct sigaction action = {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    // Restarted system calls keep a write of output from failing half-way.
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
#endif
}

bool IsTerminal(std::FILE* file)
{
    return QUORVANE_ISATTY(QUORVANE_FILENO(file)) != 0;
}

std::string ReadAll(std::FILE* file)
{
    std::string text;
    char chunk[4096];
    std::size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        text.append(chunk, n);
    return text;
}

void Write(std::FILE* file, const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), file);
}

int Run(int argc, char** argv)
{
    CLI::App app{"Quorvane's PLL engine on the command line: the register values that program an audio\n"
                 "device's PLL for the 48 kHz and 44.1 kHz families, decoded back into clocks, and\n"
                 "sweeps over many crystals. The same engine and the same results as the dialog.",
                 "quorvane-cli"};
    app.set_version_flag("--version", "quorvane-cli " QUORVANE_VERSION, "Print the version and exit");
    app.require_subcommand(1);
    app.footer(kExitCodes);

    ComputeOptions compute;
    CLI::App* computeCommand = app.add_subcommand(
        "compute",
        "Compute the nine registers and the clocks for one crystal and ratio, with the OCLK error in ppm");
    computeCommand
        ->add_option("XTI_MHZ", compute.xtiText, "Crystal frequency in MHz (read as the dialog reads it)")
        ->required();
    computeCommand->add_option("RATIO", compute.ratioText, "Oversampling ratio (OCLK = ratio x sample rate)")
        ->required();
    computeCommand
        ->add_option("--format", compute.format,
                     "text: registers and clocks; json: the engine's result; regs: REGISTER=VALUE lines")
        ->check(CLI::IsMember({"text", "json", "regs"}))
        ->capture_default_str();
    computeCommand->add_flag("--candidates", compute.candidates,
                             "Also list both candidate tables in order, the chosen pair marked");
    computeCommand
        ->add_option("--max-ppm", compute.maxPpmText,
                     "Fail (exit 3) when the larger OCLK error exceeds P ppm")
        ->type_name("P");
    computeCommand->footer(kExitCodes);

    DecodeOptions decode;
    CLI::App* decodeCommand = app.add_subcommand(
        "decode", "Rebuild both settings from nine register values and print their clocks");
    decodeCommand->add_option("--xti", decode.xtiText, "Crystal frequency in MHz")
        ->required()
        ->type_name("MHZ");
    decodeCommand->add_option(
        "VALUES", decode.values,
        "R07 R06 R11 R80 R81 R82 R97 R100 R101 in this order, or NAME=VALUE in any order; decimal or 0x "
        "hexadecimal. Without values, read from standard input (e.g. the output of compute --format regs)");
    decodeCommand->add_option("--ratio", decode.ratioText, "Also print the OCLK targets and errors in ppm")
        ->type_name("N");
    decodeCommand->add_option("--format", decode.format, "text or json")
        ->check(CLI::IsMember({"text", "json"}))
        ->capture_default_str();
    decodeCommand->footer(kExitCodes);

    SweepOptions sweep;
    CLI::App* sweepCommand = app.add_subcommand(
        "sweep", "Run many requests: each crystal with each ratio, one row per request in request order");
    sweepCommand->add_option("--from", sweep.fromText, "First crystal of a range, in MHz")->type_name("MHZ");
    sweepCommand->add_option("--to", sweep.toText, "Last crystal of the range (inclusive)")->type_name("MHZ");
    sweepCommand->add_option("--step", sweep.stepText, "Step of the range; crystal i is from + i x step")
        ->type_name("MHZ");
    sweepCommand
        ->add_option("--crystals", sweep.crystalsText,
                     "Crystals in MHz, comma-separated, or @FILE (separated by commas, blanks or lines; "
                     "# starts a comment)")
        ->type_name("LIST");
    sweepCommand->add_flag("--standard", sweep.standard,
                           "The built-in list of common audio and video crystals");
    sweepCommand->add_option("--ratio", sweep.ratioText, "Ratios, comma-separated")
        ->required()
        ->type_name("R[,R...]");
    sweepCommand->add_option("--format", sweep.format, "text, csv or json")
        ->check(CLI::IsMember({"text", "csv", "json"}))
        ->capture_default_str();
    sweepCommand->add_flag("--only-ok", sweep.onlyOk, "Write only the successful rows");
    sweepCommand
        ->add_option("--max-ppm", sweep.maxPpmText,
                     "A success whose larger OCLK error exceeds P ppm counts as MaxPpmExceeded")
        ->type_name("P");
    sweepCommand
        ->add_option("--jobs", sweep.jobs,
                     "Threads (default: one per core); the output is the same for any N")
        ->check(CLI::Range(1, 1024))
        ->type_name("N");
    sweepCommand->footer(kExitCodes);

    // CLI11 would only say that a command is required.
    const std::string first = argc > 1 ? argv[1] : "-";
    if (first.empty() || (first[0] != '-' && first != "compute" && first != "decode" && first != "sweep"))
        throw UsageError("unknown command \"" + first + "\"; the commands are compute, decode and sweep");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::fprintf(stderr, "quorvane-cli: %s\nRun 'quorvane-cli --help' for more information.\n", e.what());
        return kExitUsage;
    }

    if (computeCommand->parsed()) {
        std::string out;
        std::string err;
        const int code = RunComputeCommand(compute, out, err);
        Write(stdout, out);
        Write(stderr, err);
        return code;
    }
    if (decodeCommand->parsed()) {
        std::string input;
        if (decode.values.empty()) {
            if (IsTerminal(stdin))
                throw UsageError("decode needs the nine register values, as arguments or on standard input");
            input = ReadAll(stdin);
        }
        std::string out;
        const int code = RunDecodeCommand(decode, input, out);
        Write(stdout, out);
        return code;
    }
    CatchInterrupt();
    return RunSweepCommand(sweep, SweepConsole{stdout, stderr, IsTerminal(stderr), &g_stopRequested});
}

} // namespace

int main(int argc, char** argv)
{
    int code = kExitOk;
    try {
        code = Run(argc, argv);
    } catch (const CliError& e) {
        std::fprintf(stderr, "quorvane-cli: %s\n", e.what());
        code = e.ExitCode();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quorvane-cli: %s\n", e.what());
        code = kExitOutput;
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "quorvane-cli: cannot write to standard output\n");
        return kExitOutput;
    }
    return code;
}
