// quorvane-cli's own entry, in process, on arbitrary argument vectors. The
// input holds the arguments separated by zero bytes; an empty argument (two
// zero bytes in a row) ends them, and what follows is standard input, which
// decode reads when it is given no register values.
//
// Every run must end with one of the exit codes the program defines, and say
// why: a result on standard output for 0; the engine's own message for 1;
// the program's diagnostic for 2 and 3. Code 4 (the output could not be
// written, or the system failed otherwise) cannot arise with output going to
// memory, and 130 only after Ctrl-C: either is a fault.
//
// The fuzz build lowers the most requests a sweep takes, so that every sweep
// ends in moments; see QUORVANE_MAX_SWEEP_REQUESTS.
#include "ExitCode.h"
#include "FuzzCheck.h"
#include "PllEngine.h"

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

// The program's main(), renamed by the build of this target.
int QuorvaneCliMain(int argc, char** argv);

namespace {

constexpr std::size_t kMaxArguments = 64;
constexpr std::string_view kProgramName = "quorvane-cli";
constexpr std::string_view kDiagnosticPrefix = "quorvane-cli: ";

// Arguments that would lead a --crystals @FILE to a device, a kernel file or
// a pipe: those may never end (/dev/zero), or wait for a reader at the
// terminal. Reading them is the user's choice, not a fault; a bounded file
// is all the fuzzer needs.
constexpr std::string_view kSpecialFileParts[] = {"dev/", "proc/", "sys/", "run/"};

struct Invocation {
    std::vector<std::string> arguments;
    std::string standardInput;
};

Invocation Split(std::string_view input)
{
    Invocation invocation;
    std::size_t begin = 0;
    while (begin < input.size() && invocation.arguments.size() < kMaxArguments) {
        const std::size_t end = input.find('\0', begin);
        const std::string_view argument =
            input.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin);
        if (argument.empty() && end != std::string_view::npos) {
            invocation.standardInput = input.substr(end + 1);
            break;
        }
        invocation.arguments.emplace_back(argument);
        if (end == std::string_view::npos)
            break;
        begin = end + 1;
    }
    return invocation;
}

bool ReachesSpecialFiles(const Invocation& invocation)
{
    for (const std::string& argument : invocation.arguments) {
        for (const std::string_view part : kSpecialFileParts) {
            if (argument.find(part) != std::string::npos)
                return true;
        }
    }
    return false;
}

struct Outcome {
    int exitCode = -1;
    std::string out; // standard output, both the C and the C++ stream
    std::string err;
};

// Runs the program's main with its streams in memory, and puts back the
// streams and the Ctrl-C handler (a sweep installs its own) afterwards.
Outcome Run(const Invocation& invocation)
{
    std::vector<std::string> arguments;
    arguments.emplace_back(kProgramName);
    arguments.insert(arguments.end(), invocation.arguments.begin(), invocation.arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    struct sigaction interruptHandler = {};
    sigaction(SIGINT, nullptr, &interruptHandler);

    char* outText = nullptr;
    std::size_t outSize = 0;
    char* errText = nullptr;
    std::size_t errSize = 0;
    std::FILE* const savedIn = stdin;
    std::FILE* const savedOut = stdout;
    std::FILE* const savedErr = stderr;
    std::string inputText = invocation.standardInput;
    stdin = inputText.empty() ? std::fopen("/dev/null", "rb")
                              : fmemopen(inputText.data(), inputText.size(), "rb");
    stdout = open_memstream(&outText, &outSize);
    stderr = open_memstream(&errText, &errSize);
    FUZZ_REQUIRE(stdin && stdout && stderr, "cannot redirect the standard streams");
    std::ostringstream coutText;
    std::ostringstream cerrText;
    std::streambuf* const savedCout = std::cout.rdbuf(coutText.rdbuf());
    std::streambuf* const savedCerr = std::cerr.rdbuf(cerrText.rdbuf());

    Outcome outcome;
    outcome.exitCode = QuorvaneCliMain(static_cast<int>(arguments.size()), argv.data());

    std::cout.rdbuf(savedCout);
    std::cerr.rdbuf(savedCerr);
    std::fclose(stdin);
    std::fclose(stdout);
    std::fclose(stderr);
    stdin = savedIn;
    stdout = savedOut;
    stderr = savedErr;
    sigaction(SIGINT, &interruptHandler, nullptr);

    outcome.out = std::string(outText, outSize) + coutText.str();
    outcome.err = std::string(errText, errSize) + cerrText.str();
    std::free(outText);
    std::free(errText);
    return outcome;
}

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

bool Contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Invocation invocation = Split(std::string_view(reinterpret_cast<const char*>(data), size));
    if (ReachesSpecialFiles(invocation))
        return -1; // not worth keeping in the corpus
    const Outcome outcome = Run(invocation);
    const char* const err = outcome.err.c_str();

    switch (outcome.exitCode) {
    case kExitOk:
        FUZZ_REQUIRE(!outcome.out.empty(), "exit 0 without output; standard error:\n%s", err);
        break;
    case kExitEngineFailure:
        FUZZ_REQUIRE(
            StartsWith(outcome.err, kDiagnosticPrefix) &&
                (Contains(outcome.err, kNoPairMessage) || Contains(outcome.err, kInputDividerMessage)),
            "exit 1 without the engine's message; standard error:\n%s", err);
        break;
    case kExitUsage:
    case kExitMaxPpm:
        FUZZ_REQUIRE(StartsWith(outcome.err, kDiagnosticPrefix) &&
                         outcome.err.size() > kDiagnosticPrefix.size() && outcome.err.back() == '\n',
                     "exit %d without a diagnostic; standard error:\n%s", outcome.exitCode, err);
        break;
    default:
        FUZZ_REQUIRE(false, "exit %d; standard error:\n%s", outcome.exitCode, err);
    }
    return 0;
}
