// The link's window-free rules: fitting to the text, the fallback command
// line and the failure texts.
#include "LinkRules.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <ostream>
#include <string>
#include <string_view>

bool operator==(const Rect& a, const Rect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::ostream& operator<<(std::ostream& out, const Rect& r)
{
    return out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace {

constexpr std::uint32_t kLeft = 0x0;

struct FitCase {
    const char* what;
    Rect rect;
    int cx;
    int cy;
    std::uint32_t style;
    Rect expected;
};

TEST(FitRectToTextTest, FollowsTheAlignment)
{
    const FitCase cases[] = {
        {"left keeps its left edge", {10, 20, 129, 28}, 100, 13, kLeft, {10, 20, 110, 33}},
        {"right keeps its right edge", {10, 20, 129, 28}, 100, 13, kLinkStyleRight, {29, 20, 129, 33}},
        {"centred 119 around 100 keeps the odd pixel",
         {10, 20, 129, 28},
         100,
         13,
         kLinkStyleCenter,
         {19, 20, 120, 33}},
        {"centred, even difference", {10, 20, 130, 28}, 100, 13, kLinkStyleCenter, {20, 20, 120, 33}},
        {"centre wins over right",
         {10, 20, 129, 28},
         100,
         13,
         kLinkStyleCenter | kLinkStyleRight,
         {19, 20, 120, 33}},
        {"left grows to the right", {10, 20, 60, 28}, 100, 13, kLeft, {10, 20, 110, 33}},
        {"right grows to the left", {10, 20, 60, 28}, 100, 13, kLinkStyleRight, {-40, 20, 60, 33}},
        {"centred grows to both sides", {10, 20, 60, 28}, 100, 13, kLinkStyleCenter, {-15, 20, 85, 33}},
        {"negative odd half truncates toward zero",
         {10, 20, 61, 28},
         100,
         13,
         kLinkStyleCenter,
         {-14, 20, 85, 33}},
        {"text exactly as wide", {10, 20, 110, 28}, 100, 8, kLinkStyleCenter, {10, 20, 110, 28}},
        {"centre image halves vertically",
         {10, 20, 129, 40},
         100,
         13,
         kLinkStyleCenterImage,
         {10, 23, 110, 37}},
        {"centre image grows when the text is taller",
         {10, 20, 129, 28},
         100,
         13,
         kLinkStyleCenterImage,
         {10, 18, 110, 30}},
        {"centre image with odd negative half",
         {10, 20, 129, 30},
         100,
         15,
         kLinkStyleCenterImage,
         {10, 18, 110, 32}},
        {"centre image and centre together",
         {10, 20, 129, 40},
         100,
         13,
         kLinkStyleCenterImage | kLinkStyleCenter,
         {19, 23, 120, 37}},
        {"other style bits are ignored",
         {10, 20, 129, 28},
         100,
         13,
         0x50000100u | kLinkStyleRight,
         {29, 20, 129, 33}},
        {"empty text", {10, 20, 129, 28}, 0, 0, kLeft, {10, 20, 10, 20}},
    };
    for (const FitCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(FitRectToText(c.rect, c.cx, c.cy, c.style), c.expected);
    }
}

TEST(FitRectToTextTest, CentredLinkOf119AroundTextOf100Becomes101Wide)
{
    const Rect fitted = FitRectToText({0, 0, 119, 8}, 100, 13, kLinkStyleCenter);
    EXPECT_EQ(fitted.right - fitted.left, 101);
    EXPECT_EQ(fitted.bottom - fitted.top, 13);
    EXPECT_EQ(fitted.top, 0);
}

struct CommandCase {
    const char* registered;
    const char* target;
    const char* expected;
};

TEST(BuildFallbackCommandLineTest, CutsAtThePlaceholder)
{
    const CommandCase cases[] = {
        // A quoted placeholder after a blank leaves two blanks before the target.
        {"\"C:\\Program Files\\Browser\\browser.exe\" \"%1\"", "https://quorvane.example.org/",
         "\"C:\\Program Files\\Browser\\browser.exe\"  https://quorvane.example.org/"},
        // Further arguments after the placeholder are dropped.
        {"browser.exe \"%1\" -new-window", "page.htm", "browser.exe  page.htm"},
        {"browser.exe %1 -new-window", "page.htm", "browser.exe  page.htm"},
        {"browser.exe -url=%1", "page.htm", "browser.exe -url= page.htm"},
        // A bare placeholder before a quoted one: the quoted one decides.
        {"app.exe %1 \"%1\"", "page.htm", "app.exe %1  page.htm"},
        {"app.exe \"%1\" %1", "page.htm", "app.exe  page.htm"},
        // Only the first quoted placeholder counts.
        {"app.exe \"%1\" \"%1\"", "page.htm", "app.exe  page.htm"},
        // No placeholder: the whole command stays and the target follows.
        {"app.exe -open", "page.htm", "app.exe -open page.htm"},
        {"\"%1\"", "page.htm", " page.htm"},
        {"", "page.htm", " page.htm"},
        {"app.exe", "", "app.exe "},
        // A quotation mark without the placeholder is no quoted placeholder.
        {"app.exe \"%2\"", "page.htm", "app.exe \"%2\" page.htm"},
        {"app.exe \"%", "page.htm", "app.exe \"% page.htm"},
        {"app.exe %", "page.htm", "app.exe % page.htm"},
    };
    for (const CommandCase& c : cases) {
        SCOPED_TRACE(std::string("command ") + c.registered);
        const std::optional<std::string> commandLine = BuildFallbackCommandLine(c.registered, c.target);
        ASSERT_TRUE(commandLine.has_value());
        EXPECT_EQ(*commandLine, c.expected);
    }
}

TEST(BuildFallbackCommandLineTest, RefusesWhatWouldPassTheBuffer)
{
    const std::string program = "browser.exe \"%1\""; // cut to "browser.exe ", 12 characters
    // 12 + 1 blank + 506 = 519 characters plus the terminating zero: exactly 520.
    const std::string fits(kFallbackCommandCapacity - 1 - 13, 'a');
    const std::optional<std::string> atLimit = BuildFallbackCommandLine(program, fits);
    ASSERT_TRUE(atLimit.has_value());
    EXPECT_EQ(atLimit->size(), kFallbackCommandCapacity - 1);
    EXPECT_EQ(*atLimit, "browser.exe  " + fits);

    EXPECT_FALSE(BuildFallbackCommandLine(program, fits + "a").has_value());
    EXPECT_FALSE(BuildFallbackCommandLine(program, std::string(4000, 'a')).has_value());

    // The part dropped at the cut does not count against the buffer.
    const std::string longTail = "browser.exe \"%1\"" + std::string(600, 'x');
    EXPECT_TRUE(BuildFallbackCommandLine(longTail, fits).has_value());

    // A command without a placeholder counts whole.
    const std::string noPlaceholder(kFallbackCommandCapacity - 2, 'p');
    EXPECT_TRUE(BuildFallbackCommandLine(noPlaceholder, "").has_value());
    EXPECT_FALSE(BuildFallbackCommandLine(noPlaceholder, "t").has_value());
}

struct MessageCase {
    int status;
    const char* message;
};

TEST(OpenFailureMessageTest, ExplainsEveryStatus)
{
    const MessageCase cases[] = {
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
        {30, "The DDE transaction could not\nbe completed because other DDE transactions\nwere being "
             "processed."},
        {31, "There is no application associated\nwith the given filename extension."},
        {32, "The specified dynamic-link library was not found."},
        {1, "Unknown Error (1) occurred."},
        {4, "Unknown Error (4) occurred."},
        {33, "Unknown Error (33) occurred."},
        {-1, "Unknown Error (-1) occurred."},
        {-5, "Unknown Error (-5) occurred."},
        {INT_MAX, "Unknown Error (2147483647) occurred."},
        {INT_MIN, "Unknown Error (-2147483648) occurred."},
    };
    for (const MessageCase& c : cases) {
        SCOPED_TRACE(c.status);
        EXPECT_EQ(OpenFailureMessage(c.status), c.message);
    }
}

TEST(OpenFailureReportTest, PutsTheHeadingAndAnEmptyLineInFront)
{
    EXPECT_EQ(OpenFailureReport(2), "Unable to open hyperlink:\n\nThe specified file was not found.");
    EXPECT_EQ(OpenFailureReport(26), "Unable to open hyperlink:\n\nA sharing violation occurred. ");
    EXPECT_EQ(OpenFailureReport(4), "Unable to open hyperlink:\n\nUnknown Error (4) occurred.");
    EXPECT_EQ(OpenFailureReport(-7), "Unable to open hyperlink:\n\nUnknown Error (-7) occurred.");
}

} // namespace

namespace {

TEST(CopyRegistryValueTest, CopiesOnlyAWholeValueThatFits)
{
    struct Case {
        const char* name;
        std::string read; // the registry's buffer, as returned
        std::size_t valueCapacity;
        bool copied;
    };
    const std::string longest(kRegistryValueCapacity - 1, 'x');
    const Case cases[] = {
        {"a class name", std::string("htmlfile\0", 9), 520, true},
        {"text after the terminator is not read", std::string("htmlfile\0junk", 13), 520, true},
        {"the longest value the buffer holds", longest + '\0', 520, true},
        {"a full buffer without a terminator", std::string(kRegistryValueCapacity, 'x'), 520, false},
        {"an empty value", std::string("\0", 1), 520, false},
        {"just fits the destination", std::string("123456789\0", 10), 10, true},
        {"one character too many for the destination", std::string("1234567890\0", 11), 10, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string value(c.valueCapacity, '#');
        EXPECT_EQ(CopyRegistryValue(c.read.data(), c.read.size(), value.data(), value.size()), c.copied);
        if (c.copied)
            EXPECT_STREQ(value.c_str(), c.read.c_str());
        else
            EXPECT_EQ(value, std::string(c.valueCapacity, '#')); // untouched
    }
}

TEST(AppendOpenCommandKeyTest, AppendsOnlyWhatFits)
{
    char buffer[520] = "htmlfile";
    ASSERT_TRUE(AppendOpenCommandKey(buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "htmlfile\\shell\\open\\command");

    const std::size_t keyLength = std::string_view("\\shell\\open\\command").size();
    for (const std::size_t classLength : {sizeof buffer - keyLength - 1, sizeof buffer - keyLength}) {
        SCOPED_TRACE(classLength);
        std::string name(classLength, 'c');
        std::memcpy(buffer, name.c_str(), classLength + 1);
        const bool fits = classLength + keyLength < sizeof buffer;
        EXPECT_EQ(AppendOpenCommandKey(buffer, sizeof buffer), fits);
        EXPECT_EQ(std::strlen(buffer), fits ? classLength + keyLength : classLength);
    }

    // A buffer without a terminator is not a class name.
    std::memset(buffer, 'c', sizeof buffer);
    EXPECT_FALSE(AppendOpenCommandKey(buffer, sizeof buffer));
}

} // namespace
