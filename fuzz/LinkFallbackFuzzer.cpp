// The link's fallback command line from an arbitrary registered command and
// an arbitrary target, of any length. The input is the command, delimited as
// FuzzedDataProvider delimits a random-length string, then the target.
// The same input also plays a registry default value of any length and
// termination, copied into a destination of any size, and a file class name
// of any length that gets its open-command key appended in the command
// buffer.
//
// The result must fit the control's fixed command buffer, terminating zero
// included (it is copied into a buffer of exactly that size, which the
// address sanitizer watches), must be refused exactly when it would not fit,
// and must be the command cut at its placeholder, one blank and the whole
// target.
#include "FuzzCheck.h"
#include "LinkRules.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
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

// The registry's read buffer holds `read` exactly (a terminator or not) and
// the destination has `capacity` characters; both are heap blocks of exactly
// that size, which the address sanitizer watches.
void CheckRegistryValue(const std::string& read, std::size_t capacity)
{
    const std::size_t readSize = std::min(read.size(), kRegistryValueCapacity);
    if (readSize == 0)
        return;
    const std::unique_ptr<char[]> registry(new char[readSize]);
    std::memcpy(registry.get(), read.data(), readSize);
    const std::size_t valueCapacity = std::max<std::size_t>(capacity % (2 * kFallbackCommandCapacity), 1);
    const std::unique_ptr<char[]> value(new char[valueCapacity]);
    std::memset(value.get(), '#', valueCapacity);

    const std::size_t length = strnlen(registry.get(), readSize);
    const bool fits = length < readSize && length > 0 && length < valueCapacity;
    const bool copied = CopyRegistryValue(registry.get(), readSize, value.get(), valueCapacity);
    FUZZ_REQUIRE(copied == fits, "registry value of %zu bytes into %zu: %s", readSize, valueCapacity,
                 copied ? "copied" : "refused");
    if (copied)
        FUZZ_REQUIRE(std::memcmp(value.get(), registry.get(), length + 1) == 0, "copied value differs");
}

// A class name of any length in the fallback's command buffer.
void CheckOpenCommandKey(const std::string& className)
{
    const std::unique_ptr<char[]> buffer(new char[kFallbackCommandCapacity]);
    const std::size_t length =
        std::min(strnlen(className.c_str(), className.size()), kFallbackCommandCapacity - 1);
    std::memcpy(buffer.get(), className.data(), length);
    buffer[length] = '\0';
    const std::size_t keyLength = std::strlen("\\shell\\open\\command");
    const bool appended = AppendOpenCommandKey(buffer.get(), kFallbackCommandCapacity);
    FUZZ_REQUIRE(appended == (length + keyLength < kFallbackCommandCapacity),
                 "class name of %zu characters: %s", length, appended ? "appended" : "refused");
    FUZZ_REQUIRE(std::strlen(buffer.get()) == (appended ? length + keyLength : length), "wrong key length");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const std::string command = provider.ConsumeRandomLengthString();
    const std::string target = provider.ConsumeRemainingBytesAsString();

    CheckRegistryValue(command, target.size());
    CheckOpenCommandKey(command);

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
