// The link's fallback command line from an arbitrary registered command and
// an arbitrary target, of any length. The input is the command, delimited as
// FuzzedDataProvider delimits a random-length string, then the target.
//
// The result must fit the control's fixed command buffer, terminating zero
// included (it is copied into a buffer of exactly that size, which the
// address sanitizer watches), must be refused exactly when it would not fit,
// and must be the command cut at its placeholder, one blank and the whole
// target.
#include "FuzzCheck.h"
#include "LinkRules.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace {

// What of the registered command stays: everything before the first quoted
// placeholder, else before the first bare one, else all of it.
std::string_view ProgramPart(std::string_view command)
{
    for (const std::string_view placeholder : {std::string_view("\"%1\""), std::string_view("%1")}) {
        const std::size_t at = command.find(placeholder);
        if (at != std::string_view::npos)
            return command.substr(0, at);
    }
    return command;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const std::string command = provider.ConsumeRandomLengthString();
    const std::string target = provider.ConsumeRemainingBytesAsString();

    const std::optional<std::string> commandLine = BuildFallbackCommandLine(command, target);
    const std::string_view program = ProgramPart(command);
    const std::size_t needed = program.size() + 1 + target.size() + 1; // blank and terminating zero
    FUZZ_REQUIRE(commandLine.has_value() == (needed <= kFallbackCommandCapacity),
                 "command of %zu and target of %zu characters: %s", command.size(), target.size(),
                 commandLine ? "built" : "refused");
    if (!commandLine)
        return 0;

    FUZZ_REQUIRE(*commandLine == std::string(program) + " " + target,
                 "command line of %zu characters is not the program part, a blank and the target",
                 commandLine->size());

    // As the control holds it: in its fixed buffer, with the terminator.
    const std::unique_ptr<char[]> buffer(new char[kFallbackCommandCapacity]);
    std::memcpy(buffer.get(), commandLine->c_str(), commandLine->size() + 1);
    return 0;
}
