#include "LinkRules.h"

#include <cstring>

#include <cstdio>

// Vertically the text's height decides unless the control centres its
// content; horizontally SS_CENTER wins over SS_RIGHT, as the static control
// itself draws. Centring shrinks both sides by the same truncated half, so an
// odd pixel stays in the rectangle (119 wide around 100 pixels of text gives
// 101), and a text larger than the rectangle makes the half negative and the
// rectangle grow to both sides.
Rect FitRectToText(Rect rect, int textWidth, int textHeight, std::uint32_t style)
{
    if (style & kLinkStyleCenterImage) {
        const int half = (rect.bottom - rect.top - textHeight) / 2;
        rect.top += half;
        rect.bottom -= half;
    } else {
        rect.bottom = rect.top + textHeight;
    }

    if (style & kLinkStyleCenter) {
        const int half = (rect.right - rect.left - textWidth) / 2;
        rect.left += half;
        rect.right -= half;
    } else if (style & kLinkStyleRight) {
        rect.left = rect.right - textWidth;
    } else {
        rect.right = rect.left + textWidth;
    }
    return rect;
}

namespace {

constexpr std::string_view kQuotedPlaceholder = "\"%1\"";
constexpr std::string_view kBarePlaceholder = "%1";

} // namespace

// The registered command names the document as "%1" (usually quoted); that
// and anything after it, such as further arguments, is dropped, because the
// target goes last after one blank. A blank before a quoted placeholder stays,
// so "app.exe \"%1\"" gives two blanks before the target. A command line that
// would not fit the fixed buffer is refused rather than cut short: a
// truncated target would open something other than what the user clicked.
std::optional<std::string> BuildFallbackCommandLine(std::string_view registeredCommand,
                                                    std::string_view target)
{
    std::string_view program = registeredCommand;
    std::size_t cut = registeredCommand.find(kQuotedPlaceholder);
    if (cut == std::string_view::npos)
        cut = registeredCommand.find(kBarePlaceholder);
    if (cut != std::string_view::npos)
        program = registeredCommand.substr(0, cut);

    const std::size_t length = program.size() + 1 + target.size();
    if (length + 1 > kFallbackCommandCapacity)
        return std::nullopt;

    std::string commandLine;
    commandLine.reserve(length);
    commandLine.append(program);
    commandLine.push_back(' ');
    commandLine.append(target);
    return commandLine;
}

namespace {

struct StatusText {
    int status;
    const char* message;
};

// The error codes of ShellExecute and WinExec, with the explanation shown for
// each.
constexpr StatusText kStatusTexts[] = {
    {0, "The operating system is out\nof memory or resources."},
    {2, "The specified file was not found."},
    {3, "The specified path was not found."},
    {5, "The operating system denied\naccess to the specified file."},
    {8, "There was not enough memory to complete the operation."},
    {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
    {26, "A sharing violation occurred. "},
    {27, "The filename association is\nincomplete or invalid."},
    {28, "The DDE transaction could not\nbe completed because the request timed out."},
    {29, "The DDE transaction failed."},
    {30, "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed."},
    {31, "There is no application associated\nwith the given filename extension."},
    {32, "The specified dynamic-link library was not found."},
};

constexpr std::string_view kReportHeading = "Unable to open hyperlink:\n\n";

} // namespace

bool CopyRegistryValue(const char* read, std::size_t readSize, char* value, std::size_t valueCapacity)
{
    const char* end = static_cast<const char*>(std::memchr(read, '\0', readSize));
    if (end == nullptr)
        return false;
    const std::size_t length = static_cast<std::size_t>(end - read);
    if (length == 0 || length >= valueCapacity)
        return false;
    std::memcpy(value, read, length + 1);
    return true;
}

bool AppendOpenCommandKey(char* buffer, std::size_t capacity)
{
    static constexpr std::string_view kOpenCommandKey = "\\shell\\open\\command";
    const char* end = static_cast<const char*>(std::memchr(buffer, '\0', capacity));
    if (end == nullptr)
        return false;
    const std::size_t length = static_cast<std::size_t>(end - buffer);
    if (length + kOpenCommandKey.size() >= capacity)
        return false;
    std::memcpy(buffer + length, kOpenCommandKey.data(), kOpenCommandKey.size());
    buffer[length + kOpenCommandKey.size()] = '\0';
    return true;
}

std::string OpenFailureMessage(int status)
{
    for (const StatusText& entry : kStatusTexts) {
        if (entry.status == status)
            return entry.message;
    }
    char text[64];
    std::snprintf(text, sizeof text, "Unknown Error (%d) occurred.", status);
    return text;
}

std::string OpenFailureReport(int status)
{
    return std::string(kReportHeading) + OpenFailureMessage(status);
}
