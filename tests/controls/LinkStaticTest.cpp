// The hyperlink control bound to real static controls under the window system.
#include "LinkStatic.h"
#include "CreditsDlg.h"
#include "UiTestSupport.h"
#include "WindowDriver.h"
#include "WinePath.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

using namespace WindowDriver;

namespace {

// The link's internals that the tests look at.
class TestLink : public CLinkStatic {
public:
    using CLinkStatic::FitToText;
    using CLinkStatic::OpenTarget;
};

std::string TipText(const CLinkStatic& link)
{
    char text[512] = {};
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = link.m_hWnd;
    info.uId = 1;
    info.lpszText = text;
    ::SendMessageA(link.m_tipTarget.m_hWnd, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
    return text;
}

RECT ToolRect(const CLinkStatic& link)
{
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = link.m_hWnd;
    info.uId = 1;
    ::SendMessageA(link.m_tipTarget.m_hWnd, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info));
    return info.rect;
}

RECT RectInParent(HWND hWnd)
{
    RECT r{};
    ::GetWindowRect(hWnd, &r);
    ::MapWindowPoints(nullptr, ::GetParent(hWnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

SIZE SystemFontExtent(HWND hWnd, const std::string& text)
{
    SIZE size{};
    HDC dc = ::GetDC(hWnd);
    ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    ::ReleaseDC(hWnd, dc);
    return size;
}

// A modeless host dialog (the About box's template) on which the tests put
// static controls of their own.
class LinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Create(IDD_CREDITS));
        TheTestApp().m_pMainWnd = &host;
    }
    void TearDown() override
    {
        TheTestApp().m_pMainWnd = nullptr;
        host.DestroyWindow();
    }

    HWND AddStatic(const char* text, DWORD style, int x, int y, int cx, int cy, bool withFont = true)
    {
        HWND hWnd = ::CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy,
                                      host.m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextId++)),
                                      ::GetModuleHandleA(nullptr), nullptr);
        if (withFont)
            ::SendMessageA(hWnd, WM_SETFONT, host.SendMessage(WM_GETFONT), FALSE);
        return hWnd;
    }

    CDialog host;
    int nextId = 3000;
};

TEST_F(LinkTest, BindingFillsTargetAndTextFromEachOther)
{
    TestLink fromText;
    ASSERT_TRUE(fromText.SubclassWindow(AddStatic("Read the manual", SS_LEFT, 10, 10, 150, 20)));
    EXPECT_EQ(fromText.m_strTarget, "Read the manual");
    EXPECT_EQ(TipText(fromText), "Read the manual");
    EXPECT_TRUE(fromText.GetStyle() & SS_NOTIFY);
    EXPECT_EQ(fromText.m_hOverCursor, ::LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(ClassOf(fromText.m_tipTarget.m_hWnd), "tooltips_class32");

    TestLink fromTarget;
    fromTarget.m_strTarget = "https://quorvane.example.org/";
    ASSERT_TRUE(fromTarget.SubclassWindow(AddStatic("", SS_LEFT, 10, 40, 150, 20)));
    EXPECT_EQ(fromTarget.GetWindowText(), "https://quorvane.example.org/");
    EXPECT_EQ(TipText(fromTarget), "https://quorvane.example.org/");

    TestLink empty;
    ASSERT_TRUE(empty.SubclassWindow(AddStatic("", SS_LEFT, 10, 70, 150, 20)));
    EXPECT_EQ(empty.m_strTarget, "");
    EXPECT_EQ(empty.GetWindowText(), "");
}

TEST_F(LinkTest, SetTargetChangesTheTooltipNotTheText)
{
    TestLink link;
    ASSERT_TRUE(link.SubclassWindow(AddStatic("Internet site", SS_LEFT, 10, 10, 150, 20)));
    const RECT toolBefore = ToolRect(link);
    link.SetTarget("https://quorvane.example.org/");
    EXPECT_EQ(TipText(link), "https://quorvane.example.org/");
    EXPECT_EQ(link.GetWindowText(), "Internet site");
    const RECT toolAfter = ToolRect(link);
    EXPECT_EQ(toolAfter.right - toolAfter.left, toolBefore.right - toolBefore.left);
    EXPECT_EQ(toolAfter.bottom - toolAfter.top, toolBefore.bottom - toolBefore.top);
}

TEST_F(LinkTest, BindingFitsTheWindowToItsText)
{
    struct Case {
        const char* name;
        DWORD style;
        const char* text;
    };
    const Case cases[] = {
        {"centred", SS_CENTER, "E-mail : quorvane@example.org"},
        {"centred, text wider than the control", SS_CENTER,
         "Internet site : https://quorvane.example.org/ and some more"},
        {"right-aligned", SS_RIGHT, "quorvane"},
        {"left-aligned", SS_LEFT, "quorvane"},
        {"centred vertically too", SS_CENTER | SS_CENTERIMAGE, "quorvane"},
    };
    int y = 10;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int left = 20, width = 119, height = 30;
        HWND hWnd = AddStatic(c.text, c.style, left, y, width, height);
        const SIZE text = SystemFontExtent(hWnd, c.text);
        TestLink link;
        ASSERT_TRUE(link.SubclassWindow(hWnd));
        const RECT r = RectInParent(hWnd);
        if (c.style & SS_CENTER) {
            const int d = (width - text.cx) / 2;
            EXPECT_EQ(r.left, left + d);
            EXPECT_EQ(r.right, left + width - d);
        } else if (c.style & SS_RIGHT) {
            EXPECT_EQ(r.right, left + width);
            EXPECT_EQ(r.left, left + width - text.cx);
        } else {
            EXPECT_EQ(r.left, left);
            EXPECT_EQ(r.right, left + text.cx);
        }
        if (c.style & SS_CENTERIMAGE) {
            const int d = (height - text.cy) / 2;
            EXPECT_EQ(r.top, y + d);
            EXPECT_EQ(r.bottom, y + height - d);
        } else {
            EXPECT_EQ(r.top, y);
            EXPECT_EQ(r.bottom, y + text.cy);
        }
        y += 40;
    }
}

TEST_F(LinkTest, ColourRequestSetsColoursAndTheUnderlinedFontOnce)
{
    TestLink link;
    ASSERT_TRUE(link.SubclassWindow(AddStatic("quorvane", SS_LEFT, 10, 10, 150, 20)));
    HDC memory = ::CreateCompatibleDC(nullptr);
    CDC dc(memory);
    HGDIOBJ defaultFont = ::GetCurrentObject(memory, OBJ_FONT);

    // Through the dialog, as the static control asks when it paints.
    const auto brush = reinterpret_cast<HBRUSH>(host.SendMessage(
        WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(memory), reinterpret_cast<LPARAM>(link.m_hWnd)));
    EXPECT_EQ(brush, ::GetStockObject(NULL_BRUSH));
    EXPECT_EQ(::GetTextColor(memory), RGB(0, 0, 238));
    EXPECT_EQ(::GetBkMode(memory), TRANSPARENT);
    HFONT underlined = link.m_fontUnderlined.GetSafeHandle();
    ASSERT_NE(underlined, nullptr);
    EXPECT_EQ(::GetCurrentObject(memory, OBJ_FONT), underlined);
    LOGFONTA made{}, own{};
    ::GetObjectA(underlined, sizeof made, &made);
    ::GetObjectA(link.GetFont(), sizeof own, &own);
    EXPECT_TRUE(made.lfUnderline);
    EXPECT_STREQ(made.lfFaceName, own.lfFaceName);
    EXPECT_EQ(made.lfHeight, own.lfHeight);

    link.SetLinkVisited(TRUE);
    link.CtlColor(&dc, CTLCOLOR_STATIC);
    EXPECT_EQ(::GetTextColor(memory), RGB(85, 26, 139));

    // Off: no font is selected; on again: the same font.
    ::SelectObject(memory, defaultFont);
    link.SetUnderlined(FALSE);
    link.CtlColor(&dc, CTLCOLOR_STATIC);
    EXPECT_EQ(::GetCurrentObject(memory, OBJ_FONT), defaultFont);
    link.SetUnderlined(TRUE);
    link.CtlColor(&dc, CTLCOLOR_STATIC);
    EXPECT_EQ(link.m_fontUnderlined.GetSafeHandle(), underlined);
    EXPECT_EQ(::GetCurrentObject(memory, OBJ_FONT), underlined);
    ::DeleteDC(memory);
}

TEST_F(LinkTest, AControlWithoutAFontUnderlinesTheSystemFont)
{
    TestLink link;
    ASSERT_TRUE(link.SubclassWindow(AddStatic("quorvane", SS_LEFT, 10, 10, 150, 20, false)));
    ASSERT_EQ(link.GetFont(), nullptr);
    HDC memory = ::CreateCompatibleDC(nullptr);
    CDC dc(memory);
    link.CtlColor(&dc, CTLCOLOR_STATIC);
    ASSERT_NE(link.m_fontUnderlined.GetSafeHandle(), nullptr);
    LOGFONTA made{}, system{};
    ::GetObjectA(link.m_fontUnderlined.GetSafeHandle(), sizeof made, &made);
    ::GetObjectA(::GetStockObject(SYSTEM_FONT), sizeof system, &system);
    EXPECT_TRUE(made.lfUnderline);
    EXPECT_STREQ(made.lfFaceName, system.lfFaceName);
    ::DeleteDC(memory);
}

TEST_F(LinkTest, TheMouseOverTheLinkShowsItsCursor)
{
    TestLink link;
    ASSERT_TRUE(link.SubclassWindow(AddStatic("quorvane", SS_LEFT, 10, 10, 150, 20)));
    link.m_hOverCursor = TheTestApp().LoadCursor(IDC_HAND_CURSOR);
    ASSERT_NE(link.m_hOverCursor, nullptr);
    ::SetCursor(nullptr);
    EXPECT_TRUE(link.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(link.m_hWnd),
                                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(::GetCursor(), link.m_hOverCursor);
    // The relay never consumes a message.
    MSG msg{link.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), 0, {}};
    EXPECT_FALSE(link.PreTranslateMessage(&msg));
}

// Clicks: the notification reaches the link through the dialog's
// reflection, exactly as a real click does.
void ClickLink(CDialog& host, const CLinkStatic& link)
{
    host.SendMessage(WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(link.m_hWnd), STN_CLICKED),
                     reinterpret_cast<LPARAM>(link.m_hWnd));
}

TEST_F(LinkTest, ASuccessfulOpenTurnsTheLinkVisited)
{
    TestLink link;
    ASSERT_TRUE(link.SubclassWindow(AddStatic("mail", SS_LEFT, 10, 10, 150, 20)));
    link.SetTarget("mailto:quorvane@example.org");
    ClickLink(host, link);
    EXPECT_TRUE(link.m_bLinkVisited);
    ClickLink(host, link); // opens again
    EXPECT_TRUE(link.m_bLinkVisited);
}

// The ".htm" class and its open command, pointed at the recorder for the
// length of a test and put back afterwards.
class HtmClass {
public:
    HtmClass() { m_saved = Read(".htm", &m_hadValue); }
    ~HtmClass()
    {
        if (m_hadValue)
            Write(".htm", m_saved);
        ::RegDeleteKeyA(HKEY_CLASSES_ROOT, "QuorvaneTestPage\\shell\\open\\command");
        ::RegDeleteKeyA(HKEY_CLASSES_ROOT, "QuorvaneTestPage\\shell\\open");
        ::RegDeleteKeyA(HKEY_CLASSES_ROOT, "QuorvaneTestPage\\shell");
        ::RegDeleteKeyA(HKEY_CLASSES_ROOT, "QuorvaneTestPage");
    }
    void Register(const std::string& command)
    {
        Write(".htm", "QuorvaneTestPage");
        Write("QuorvaneTestPage\\shell\\open\\command", command);
    }
    void Unregister() { Write(".htm", "QuorvaneNoSuchClass"); }

private:
    static std::string Read(const char* key, bool* present)
    {
        char value[1024] = {};
        LONG size = sizeof value;
        *present = ::RegQueryValueA(HKEY_CLASSES_ROOT, key, value, &size) == ERROR_SUCCESS;
        return value;
    }
    static void Write(const char* key, const std::string& value)
    {
        ::RegSetValueA(HKEY_CLASSES_ROOT, key, REG_SZ, value.c_str(), static_cast<DWORD>(value.size()));
    }
    std::string m_saved;
    bool m_hadValue = false;
};

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

TEST_F(LinkTest, AFailedShellOpenFallsBackToTheHtmClass)
{
    const std::string recorder = WindowsPathOf(LINK_RECORDER_EXE);
    char temp[MAX_PATH] = {};
    ::GetTempPathA(sizeof temp, temp);
    const std::string out = std::string(temp) + "quorvane-link-recorder.txt";
    ::SetEnvironmentVariableA("QUORVANE_RECORDER_OUT", out.c_str());
    const std::string target = "quorvanetest:page"; // a scheme the shell does not know

    struct Case {
        const char* name;
        std::string registered;
        std::string expected;
    };
    const std::string quoted = "\"" + recorder + "\"";
    const Case cases[] = {
        {"quoted placeholder after a blank", quoted + " \"%1\" --new-window", quoted + "  " + target},
        {"bare placeholder", quoted + " %1 --new-window", quoted + "  " + target},
        {"no placeholder", quoted, quoted + " " + target},
        {"bare, then quoted", quoted + " -a %1 -b \"%1\"", quoted + " -a %1 -b  " + target},
    };
    HtmClass htm;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ::DeleteFileA(out.c_str());
        htm.Register(c.registered);
        TestLink link;
        ASSERT_TRUE(link.SubclassWindow(AddStatic("page", SS_LEFT, 10, 10, 150, 20)));
        link.SetTarget(target.c_str());
        ClickLink(host, link);
        EXPECT_TRUE(link.m_bLinkVisited);
        ASSERT_TRUE(WaitFor([&] { return !ReadFile(out).empty(); }));
        // The recorder may still be writing: wait for the whole line.
        EXPECT_TRUE(WaitFor([&] { return ReadFile(out) == c.expected; })) << ReadFile(out);
        link.DestroyWindow();
    }
}

struct FailureCase {
    const char* name;
    const char* target;
    const char* message;
};

TEST_F(LinkTest, AFailedOpenBeepsAndReportsTheShellsStatus)
{
    const FailureCase cases[] = {
        {"unknown scheme", "quorvanetest:page",
         "Unable to open hyperlink:\n\nThere is no application associated\nwith the given filename "
         "extension."},
        {"missing file", "C:\\quorvane\\no-such-file.qvtest",
         "Unable to open hyperlink:\n\nThe specified file was not found."},
    };
    HtmClass htm;
    htm.Unregister(); // a class without an open command: the fallback ends
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestLink link;
        ASSERT_TRUE(link.SubclassWindow(AddStatic("page", SS_LEFT, 10, 10, 150, 20)));
        link.SetTarget(c.target);
        link.m_bLinkVisited = TRUE; // a failed open clears it
        MessageBoxInfo box;
        std::thread answer([&] {
            box = WaitForMessageBox(host.m_hWnd);
            if (box.hWnd != nullptr)
                AnswerMessageBox(box.hWnd);
        });
        ClickLink(host, link);
        answer.join();
        EXPECT_EQ(box.caption, "Quorvane");
        EXPECT_EQ(box.text, c.message);
        EXPECT_FALSE(link.m_bLinkVisited);
        link.DestroyWindow();
    }
}

TEST(CreditsDlgTest, LinksKeepTheirTextsAndTargetTheBareAddresses)
{
    for (int opening = 0; opening < 2; ++opening) {
        CCreditsDlg credits;
        ASSERT_TRUE(credits.Create(IDD_CREDITS));
        EXPECT_EQ(credits.m_linkWebSite.GetWindowText(), "Internet site : https://quorvane.example.org/");
        EXPECT_EQ(credits.m_linkMail.GetWindowText(), "E-mail : quorvane@example.org");
        EXPECT_EQ(credits.m_linkWebSite.m_strTarget, "https://quorvane.example.org/");
        EXPECT_EQ(credits.m_linkMail.m_strTarget, "mailto:quorvane@example.org");
        EXPECT_EQ(TipText(credits.m_linkWebSite), "https://quorvane.example.org/");
        EXPECT_EQ(TipText(credits.m_linkMail), "mailto:quorvane@example.org");
        HCURSOR hand = TheTestApp().LoadCursor(IDC_HAND_CURSOR);
        EXPECT_EQ(credits.m_linkWebSite.m_hOverCursor, hand);
        EXPECT_EQ(credits.m_linkMail.m_hOverCursor, hand);
        // Every opening starts unvisited and underlined.
        EXPECT_FALSE(credits.m_linkWebSite.m_bLinkVisited);
        EXPECT_FALSE(credits.m_linkMail.m_bLinkVisited);
        EXPECT_TRUE(credits.m_linkMail.m_bUnderlined);
        if (opening == 0) {
            credits.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LINK_MAIL, STN_CLICKED),
                                reinterpret_cast<LPARAM>(credits.m_linkMail.m_hWnd));
            EXPECT_TRUE(credits.m_linkMail.m_bLinkVisited);
            EXPECT_FALSE(credits.m_linkWebSite.m_bLinkVisited);
        }
        credits.DestroyWindow();
    }
}

} // namespace
