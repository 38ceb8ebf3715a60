#include "CliProcess.h"
#include "StartProcess.h"
#include "WinePath.h"

#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

namespace {

std::atomic<int> g_scratchCounter{0};

int ProcessId()
{
#ifdef _WIN32
    return static_cast<int>(GetCurrentProcessId());
#else
    return static_cast<int>(getpid());
#endif
}

std::string WithoutCarriageReturns(const std::string& text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            result += text[i];
    }
    return result;
}

#ifdef _WIN32
// ctest hands the test the program's Unix path; Wine's drive Z: is the
// Unix root.
std::string CliPath()
{
    return WindowsPathOf(QUORVANE_CLI_PATH);
}

// One argument quoted the way the C run time splits a command line.
std::string Quote(const std::string& arg)
{
    if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos)
        return arg;
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"')
            quoted.append(backslashes * 2 + 1, '\\');
        else
            quoted.append(backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}

HANDLE OpenInherited(const std::string& path, bool write)
{
    SECURITY_ATTRIBUTES security = {sizeof security, nullptr, TRUE};
    HANDLE handle =
        CreateFileA(path.c_str(), write ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    &security, write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot open " + path);
    return handle;
}
#endif

} // namespace

bool RunEveryCase()
{
#ifdef _WIN32
    return false;
#else
    return true;
#endif
}

ScratchFile::ScratchFile(const std::string& contents)
    : m_path("cli-test-" + std::to_string(ProcessId()) + "-" + std::to_string(g_scratchCounter++) + ".tmp")
{
    std::ofstream file(m_path, std::ios::binary);
    file << contents;
}

ScratchFile::~ScratchFile()
{
    std::remove(m_path.c_str());
}

std::string ScratchFile::Read() const
{
    std::ifstream file(m_path, std::ios::binary);
    return WithoutCarriageReturns(
        std::string{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()});
}

#ifdef _WIN32

CliRun RunCli(const std::vector<std::string>& args, const std::string& input)
{
    ScratchFile in(input);
    ScratchFile out;
    ScratchFile err;
    std::string commandLine = Quote(CliPath());
    for (const std::string& arg : args)
        commandLine += " " + Quote(arg);

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = OpenInherited(in.Path(), false);
    startup.hStdOutput = OpenInherited(out.Path(), true);
    startup.hStdError = OpenInherited(err.Path(), true);
    PROCESS_INFORMATION process = {};
    const ProcessStart start = StartProcess(commandLine, true, startup, process);
    CloseHandle(startup.hStdInput);
    CloseHandle(startup.hStdOutput);
    CloseHandle(startup.hStdError);
    if (!start.started)
        throw std::runtime_error(DescribeFailedStart(commandLine, start));
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return CliRun{static_cast<int>(exitCode), out.Read(), err.Read()};
}

#else

int SpawnCli(const std::vector<std::string>& args, const std::string& outPath, const std::string& errPath,
             const std::string& inPath)
{
    std::vector<std::string> argvText = {QUORVANE_CLI_PATH};
    argvText.insert(argvText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : argvText)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, inPath.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed)
        throw std::runtime_error(std::string("cannot start ") + QUORVANE_CLI_PATH);
    return pid;
}

int SpawnCli(const std::vector<std::string>& args, const std::string& outPath, const std::string& errPath)
{
    return SpawnCli(args, outPath, errPath, "/dev/null");
}

int WaitCli(int pid)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return WEXITSTATUS(status);
}

CliRun RunCli(const std::vector<std::string>& args, const std::string& input)
{
    ScratchFile in(input);
    ScratchFile out;
    ScratchFile err;
    const int code = WaitCli(SpawnCli(args, out.Path(), err.Path(), in.Path()));
    return CliRun{code, out.Read(), err.Read()};
}

#endif
