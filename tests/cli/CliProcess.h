// Runs the built quorvane-cli as a child process and captures what it
// writes, for end-to-end tests natively and under Wine.
#pragma once

#include <string>
#include <vector>

struct CliRun {
    int exitCode = -1;
    std::string out; // standard output, line breaks as "\n"
    std::string err; // standard error, line breaks as "\n"
};

// Runs quorvane-cli with `args`, `input` on its standard input, and waits.
CliRun RunCli(const std::vector<std::string>& args, const std::string& input = "");

// Under Wine every child process costs a good part of a second, so the
// Windows build runs fewer cases of the long tables; natively all run.
bool RunEveryCase();

// A file in the test's working directory, removed when the object goes.
class ScratchFile {
public:
    explicit ScratchFile(const std::string& contents = "");
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    const std::string& Path() const { return m_path; }
    std::string Read() const; // "\r\n" read as "\n"

private:
    std::string m_path;
};

#ifndef _WIN32
// Starts quorvane-cli without waiting: standard output to `outPath`,
// standard error to `errPath` (a terminal's name works too).
int SpawnCli(const std::vector<std::string>& args, const std::string& outPath, const std::string& errPath);
// Waits for a child started by SpawnCli; its exit code, or 128 + signal.
int WaitCli(int pid);
#endif
