// The hyperlink control's rules that need no window: fitting its rectangle to
// the measured text, building the fallback command line from the command
// registered for ".htm" files, and the texts that explain a failed open.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A rectangle in a parent's client coordinates; right and bottom are
// exclusive, as for a window rectangle.
struct Rect {
    int left;
    int top;
    int right;
    int bottom;
};

// The static-control style bits that decide how a link fits its text.
inline constexpr std::uint32_t kLinkStyleCenter = 0x0001;      // SS_CENTER
inline constexpr std::uint32_t kLinkStyleRight = 0x0002;       // SS_RIGHT
inline constexpr std::uint32_t kLinkStyleCenterImage = 0x0200; // SS_CENTERIMAGE

// The rectangle a link takes to hug a text measuring textWidth by textHeight,
// keeping the edge (or centre) that its alignment style holds still.
Rect FitRectToText(Rect rect, int textWidth, int textHeight, std::uint32_t style);

// Characters of the fallback command line, its terminating zero included.
inline constexpr std::size_t kFallbackCommandCapacity = 520;

// The command that opens target with the program registered as
// registeredCommand: cut at its "%1" placeholder, then a blank and the
// target. Nothing when the result would not fit kFallbackCommandCapacity.
std::optional<std::string> BuildFallbackCommandLine(std::string_view registeredCommand,
                                                    std::string_view target);

// The largest registry default value the fallback reads, its terminating
// zero included.
inline constexpr std::size_t kRegistryValueCapacity = 260;

// Copies a default value as the registry returned it (`read`, a buffer of
// `readSize` bytes that need not hold a terminating zero) into `value`, which
// holds `valueCapacity` characters. False, with `value` untouched, when the
// value is empty, fills the whole read buffer without a terminator, or would
// not fit: the fallback then ends instead of running unset or cut text.
bool CopyRegistryValue(const char* read, std::size_t readSize, char* value, std::size_t valueCapacity);

// Turns the file class name in `buffer` (zero-terminated, `capacity`
// characters) into the key of its open command by appending
// "\shell\open\command"; false, with the buffer unchanged, when that would
// not fit.
bool AppendOpenCommandKey(char* buffer, std::size_t capacity);

// What a failed open with this shell or WinExec status means to the user.
std::string OpenFailureMessage(int status);

// The whole text of the failure box: "Unable to open hyperlink:", an empty
// line, then OpenFailureMessage(status).
std::string OpenFailureReport(int status);
