// The main dialog as a user meets it, run for real under the window system.
#include "ClockDlg.h"
#include "CenterRules.h"
#include "UiTestSupport.h"
#include "WorkedRequests.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

using namespace WindowDriver;

namespace {

constexpr const char* kCaption = "Quorvane v1.0";

const int kRegisterFields[] = {IDC_REG07, IDC_REG06, IDC_REG11,  IDC_REG80, IDC_REG81,
                               IDC_REG82, IDC_REG97, IDC_REG100, IDC_REG101};
const int kClockFields48[] = {IDC_VCO_48K, IDC_DSP_48K, IDC_OCLK_48K};
const int kClockFields44[] = {IDC_VCO_44K1, IDC_DSP_44K1, IDC_OCLK_44K1};

struct Shown {
    std::array<std::string, 9> registers;
    std::array<std::string, 3> clocks48;
    std::array<std::string, 3> clocks44;
    bool operator==(const Shown& o) const
    {
        return registers == o.registers && clocks48 == o.clocks48 && clocks44 == o.clocks44;
    }
};

std::ostream& operator<<(std::ostream& out, const Shown& s)
{
    for (const std::string& r : s.registers)
        out << '[' << r << ']';
    out << " 48:";
    for (const std::string& c : s.clocks48)
        out << '[' << c << ']';
    out << " 44.1:";
    for (const std::string& c : s.clocks44)
        out << '[' << c << ']';
    return out;
}

Shown ReadResults(HWND hDlg)
{
    Shown shown;
    for (int i = 0; i < 9; ++i)
        shown.registers[i] = ItemText(hDlg, kRegisterFields[i]);
    for (int i = 0; i < 3; ++i) {
        shown.clocks48[i] = ItemText(hDlg, kClockFields48[i]);
        shown.clocks44[i] = ItemText(hDlg, kClockFields44[i]);
    }
    return shown;
}

const Shown kTemplateTexts = {{"000", "000", "000", "000", "000", "000", "000", "000", "000"},
                              {"000.00", "000.00", "000.00"},
                              {"000.00", "000.00", "000.00"}};
const Shown kDefaultResults = {{"  0", " 12", "  3", " 16", "119", "103", " 15", " 58", "187"},
                               {"196.61", "24.58", "12.288"},
                               {"191.92", "23.99", "11.290"}};

// A Compute press that ends without a message box: the handler has run when
// the sent click returns.
void ComputeNow(HWND hDlg)
{
    ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDC_COMPUTE, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(hDlg, IDC_COMPUTE)));
}

RECT WindowRect(HWND hWnd)
{
    RECT r{};
    ::GetWindowRect(hWnd, &r);
    return r;
}

RECT WorkArea()
{
    RECT area{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

void ExpectCenteredOn(const RECT& window, const RECT& on)
{
    const CenterRect area = {WorkArea().left, WorkArea().top, WorkArea().right, WorkArea().bottom};
    const CenterRect expected = CenterRectOn({window.left, window.top, window.right, window.bottom},
                                             {on.left, on.top, on.right, on.bottom}, area);
    EXPECT_EQ(window.left, expected.left);
    EXPECT_EQ(window.top, expected.top);
}

int CountEvents(const WindowLog& log, const char* caption, WindowEvent::Kind kind)
{
    int count = 0;
    for (const WindowEvent& e : log.EventsFor(caption))
        count += e.kind == kind;
    return count;
}

class ClockDlgTest : public ::testing::Test {
protected:
    CClockDlg dlg;
    WindowLog log;
};

TEST_F(ClockDlgTest, StartState)
{
    RunDriven(dlg, kCaption, [&](HWND hDlg) {
        EXPECT_EQ(ItemText(hDlg, IDC_XTI), "14.31818");
        EXPECT_EQ(ItemText(hDlg, IDC_RATIO), "256");
        EXPECT_EQ(ReadResults(hDlg), kTemplateTexts);
        EXPECT_EQ(FocusOf(hDlg), ::GetDlgItem(hDlg, IDOK));
        EXPECT_EQ(TextOf(hDlg), kCaption);

        HMENU sysMenu = ::GetSystemMenu(hDlg, FALSE);
        ASSERT_NE(sysMenu, nullptr);
        const int count = ::GetMenuItemCount(sysMenu);
        ASSERT_GE(count, 2);
        char text[64] = {};
        ::GetMenuStringA(sysMenu, count - 1, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, "&About Quorvane...");
        EXPECT_EQ(::GetMenuItemID(sysMenu, count - 1), static_cast<UINT>(IDM_ABOUTBOX));
        EXPECT_TRUE(::GetMenuState(sysMenu, count - 2, MF_BYPOSITION) & MF_SEPARATOR);

        // No owner: centred in the work area.
        ExpectCenteredOn(WindowRect(hDlg), WorkArea());
        HICON big = reinterpret_cast<HICON>(::SendMessageA(hDlg, WM_GETICON, ICON_BIG, 0));
        EXPECT_NE(big, nullptr);
        EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageA(hDlg, WM_GETICON, ICON_SMALL, 0)), big);
    });
    EXPECT_EQ(dlg.m_xtiMHz, 14.31818);
    EXPECT_EQ(dlg.m_ratio, 256);
}

// What the dialog shows for a worked request: registers in "%3d", clocks
// as the table gives them.
Shown ShownFor(const WorkedRequest& w)
{
    Shown shown;
    for (std::size_t i = 0; i < shown.registers.size(); ++i) {
        char text[16];
        std::snprintf(text, sizeof text, "%3d", w.registers[i]);
        shown.registers[i] = text;
    }
    for (std::size_t i = 0; i < 3; ++i) {
        shown.clocks48[i] = w.shown48[i];
        shown.clocks44[i] = w.shown44[i];
    }
    return shown;
}

TEST_F(ClockDlgTest, ComputeShowsTheNoticeThenTheResults)
{
    RunDriven(dlg, kCaption, [&](HWND hDlg) {
        for (const WorkedRequest& r : kWorkedRequests) {
            SCOPED_TRACE(std::string(r.xtiText) + " MHz, ratio " + r.ratioText);
            SetItemText(hDlg, IDC_XTI, r.xtiText);
            SetItemText(hDlg, IDC_RATIO, r.ratioText);
            log.Clear();
            ComputeNow(hDlg);
            EXPECT_EQ(ReadResults(hDlg), ShownFor(r));
            // The inputs stay as typed.
            EXPECT_EQ(ItemText(hDlg, IDC_XTI), r.xtiText);
            EXPECT_EQ(ItemText(hDlg, IDC_RATIO), r.ratioText);

            // The notice came, on screen and centred on the dialog, and went.
            const std::vector<WindowEvent> notice = log.EventsFor("Computing....");
            ASSERT_GE(notice.size(), 2u);
            EXPECT_EQ(notice.front().kind, WindowEvent::Create);
            EXPECT_EQ(notice.back().kind, WindowEvent::Destroy);
            EXPECT_TRUE(notice.back().visible);
            ExpectCenteredOn(notice.back().rect, WindowRect(hDlg));
            EXPECT_TRUE(TopLevelWindows(0, "#32770", "Computing....").empty());
        }
    });
}

TEST_F(ClockDlgTest, UnscalableCrystalShowsTheErrorBoxOverTheNotice)
{
    RunDriven(dlg, kCaption, [&](HWND hDlg) {
        ComputeNow(hDlg); // defaults first, so there are results to keep
        SetItemText(hDlg, IDC_XTI, "300");
        log.Clear();
        Click(hDlg, IDC_COMPUTE);
        const MessageBoxInfo box = WaitForMessageBox(hDlg);
        ASSERT_NE(box.hWnd, nullptr);
        EXPECT_EQ(box.caption, "Error");
        EXPECT_EQ(box.text, "ERROR: Unable to scale down XTI freq./nTry with a lower frequency.");
        // The notice is still there under the box.
        EXPECT_EQ(TopLevelWindows(0, "#32770", "Computing....").size(), 1u);
        const std::vector<WindowEvent> boxEvents = log.EventsFor("Error");
        ASSERT_FALSE(boxEvents.empty());
        EXPECT_EQ(boxEvents[0].kind, WindowEvent::Activate);
        EXPECT_TRUE(boxEvents[0].noticeOnScreen);
        EXPECT_EQ(::GetWindowLongPtrA(box.hWnd, GWL_STYLE) & WS_VISIBLE, WS_VISIBLE);

        ASSERT_TRUE(AnswerMessageBox(box.hWnd));
        EXPECT_TRUE(WaitFor([] { return TopLevelWindows(0, "#32770", "Computing....").empty(); }));
        EXPECT_EQ(ReadResults(hDlg), kDefaultResults);
    });
}

TEST_F(ClockDlgTest, RequestsWithoutAPairShowTheApplicationBoxAfterTheNotice)
{
    const std::pair<const char*, const char*> requests[] = {{"4", "256"}, {"14.31818", "0"}};
    RunDriven(dlg, kCaption, [&](HWND hDlg) {
        for (const auto& [xti, ratio] : requests) {
            SCOPED_TRACE(std::string(xti) + " MHz, ratio " + ratio);
            SetItemText(hDlg, IDC_XTI, xti);
            SetItemText(hDlg, IDC_RATIO, ratio);
            log.Clear();
            Click(hDlg, IDC_COMPUTE);
            const MessageBoxInfo box = WaitForMessageBox(hDlg);
            ASSERT_NE(box.hWnd, nullptr);
            EXPECT_EQ(box.caption, "Quorvane");
            EXPECT_EQ(box.text, "Sorry, this crystal frequency does not allow this config");
            // The notice had gone before the box came.
            const std::vector<WindowEvent> boxEvents = log.EventsFor("Quorvane");
            ASSERT_FALSE(boxEvents.empty());
            EXPECT_EQ(boxEvents[0].kind, WindowEvent::Activate);
            EXPECT_FALSE(boxEvents[0].noticeOnScreen);
            EXPECT_EQ(CountEvents(log, "Computing....", WindowEvent::Destroy), 1);
            ASSERT_TRUE(AnswerMessageBox(box.hWnd));
            EXPECT_EQ(ReadResults(hDlg), kTemplateTexts);
        }
    });
}

// One text typed into one field, and what the dialog makes of it.
struct FieldCase {
    int field;
    const char* text;
    const char* refusal; // nullptr: accepted
    double xtiMHz;       // the members afterwards
    int ratio;
    const char* outcome; // accepted: the message box that follows, or nullptr for results
};

TEST_F(ClockDlgTest, FieldTextsAreAcceptedOrRefused)
{
    const double inf = std::numeric_limits<double>::infinity();
    const char* kInteger = "Please enter an integer.";
    const char* kNumber = "Please enter a number.";
    const char* kNoPair = "Sorry, this crystal frequency does not allow this config";
    const char* kNoDivider = "ERROR: Unable to scale down XTI freq./nTry with a lower frequency.";
    const FieldCase cases[] = {
        {IDC_RATIO, "abc", kInteger, 14.31818, 256, nullptr},
        {IDC_RATIO, "+0", kInteger, 14.31818, 256, nullptr},
        {IDC_RATIO, "-0", kInteger, 14.31818, 256, nullptr},
        {IDC_RATIO, "", kInteger, 14.31818, 256, nullptr},
        {IDC_RATIO, "0", nullptr, 14.31818, 0, kNoPair},
        {IDC_RATIO, "99999999999", nullptr, 14.31818, 2147483647, kNoPair},
        {IDC_XTI, "12abc", kNumber, 14.31818, 256, nullptr},
        {IDC_XTI, ".0", kNumber, 14.31818, 256, nullptr},
        {IDC_XTI, "1+5", kNumber, 14.31818, 256, nullptr},
        {IDC_XTI, "1e-400", kNumber, 14.31818, 256, nullptr},
        {IDC_XTI, "", kNumber, 14.31818, 256, nullptr},
        {IDC_XTI, "+0", kNumber, 14.31818, 256, nullptr},
        {IDC_XTI, "-0", kNumber, 14.31818, 256, nullptr},
        {IDC_XTI, "0", nullptr, 0.0, 256, kNoPair},
        {IDC_XTI, "0.0", nullptr, 0.0, 256, kNoPair},
        {IDC_XTI, " 27 ", nullptr, 27.0, 256, nullptr},
        {IDC_XTI, "2.7d1", nullptr, 27.0, 256, nullptr},
        {IDC_XTI, "1e999", nullptr, inf, 256, kNoDivider},
    };
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(std::string(c.field == IDC_XTI ? "crystal" : "ratio") + " field \"" + c.text + "\"");
        CClockDlg dialog;
        WindowLog events;
        RunDriven(dialog, kCaption, [&](HWND hDlg) {
            SetItemText(hDlg, c.field, c.text);
            Click(hDlg, IDC_COMPUTE);
            if (c.refusal != nullptr) {
                const MessageBoxInfo box = WaitForMessageBox(hDlg);
                ASSERT_NE(box.hWnd, nullptr);
                EXPECT_EQ(box.caption, "Quorvane");
                EXPECT_EQ(box.text, c.refusal);
                ASSERT_TRUE(AnswerMessageBox(box.hWnd));
                // The refused field has the focus with its whole text selected.
                HWND field = ::GetDlgItem(hDlg, c.field);
                EXPECT_TRUE(WaitFor([&] { return FocusOf(hDlg) == field; }));
                DWORD start = 1, end = 0;
                ::SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                               reinterpret_cast<LPARAM>(&end));
                EXPECT_EQ(start, 0u);
                EXPECT_EQ(end, std::string(c.text).size());
                // Nothing was computed: no notice, results untouched.
                ::SendMessageA(hDlg, WM_NULL, 0, 0);
                EXPECT_EQ(CountEvents(events, "Computing....", WindowEvent::Create), 0);
                EXPECT_EQ(ReadResults(hDlg), kTemplateTexts);
            } else if (c.outcome != nullptr) {
                const MessageBoxInfo box = WaitForMessageBox(hDlg);
                ASSERT_NE(box.hWnd, nullptr);
                EXPECT_EQ(box.text, c.outcome);
                ASSERT_TRUE(AnswerMessageBox(box.hWnd));
            } else {
                EXPECT_TRUE(WaitFor([&] { return ItemText(hDlg, IDC_REG07) != "000"; }));
                EXPECT_EQ(ItemText(hDlg, IDC_REG07), "  1"); // 27 MHz is halved
            }
            EXPECT_EQ(ItemText(hDlg, c.field), c.text); // kept as typed
        });
        EXPECT_EQ(dialog.m_xtiMHz, c.xtiMHz);
        EXPECT_EQ(dialog.m_ratio, c.ratio);
    }
}

// A refusal abandons the exchange where it stands: the ratio is read first,
// so a refused ratio leaves the crystal unread, and a refused crystal keeps
// the ratio already stored.
TEST(ClockDlgRefusalTest, TheExchangeStopsAtTheRefusedField)
{
    struct Case {
        const char* ratio;
        const char* xti;
        const char* refusal;
        double xtiMHz; // the members afterwards
        int ratioValue;
    };
    const Case cases[] = {
        {"abc", "27", "Please enter an integer.", 14.31818, 256},
        {"384", "abc", "Please enter a number.", 14.31818, 384},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("ratio \"") + c.ratio + "\", crystal \"" + c.xti + "\"");
        CClockDlg dialog;
        RunDriven(dialog, kCaption, [&](HWND hDlg) {
            SetItemText(hDlg, IDC_RATIO, c.ratio);
            SetItemText(hDlg, IDC_XTI, c.xti);
            Click(hDlg, IDC_COMPUTE);
            const MessageBoxInfo box = WaitForMessageBox(hDlg);
            ASSERT_NE(box.hWnd, nullptr);
            EXPECT_EQ(box.text, c.refusal);
            AnswerMessageBox(box.hWnd);
        });
        EXPECT_EQ(dialog.m_xtiMHz, c.xtiMHz);
        EXPECT_EQ(dialog.m_ratio, c.ratioValue);
    }
}

struct EndCase {
    const char* name;
    const char* ratioText;
    std::function<void(HWND)> act;
    INT_PTR result; // 0: the dialog stays open
};

TEST(ClockDlgEndTest, EnterEscapeExitAndCloseBox)
{
    const auto enterInRatio = [](HWND hDlg) { PressKey(::GetDlgItem(hDlg, IDC_RATIO), VK_RETURN); };
    const auto escape = [](HWND hDlg) { PressKey(::GetDlgItem(hDlg, IDC_XTI), VK_ESCAPE); };
    const auto exitButton = [](HWND hDlg) { Click(hDlg, IDOK); };
    const auto closeBox = [](HWND hDlg) { ::PostMessageA(hDlg, WM_SYSCOMMAND, SC_CLOSE, 0); };
    const EndCase cases[] = {
        {"Enter, valid fields", "256", enterInRatio, IDOK},
        {"Enter, invalid ratio", "abc", enterInRatio, 0},
        {"Exit, valid fields", "256", exitButton, IDOK},
        {"Exit, invalid ratio", "abc", exitButton, 0},
        {"Escape, valid fields", "256", escape, IDCANCEL},
        {"Escape, invalid ratio", "abc", escape, IDCANCEL},
        {"close box, invalid ratio", "abc", closeBox, IDCANCEL},
    };
    for (const EndCase& c : cases) {
        SCOPED_TRACE(c.name);
        CClockDlg dialog;
        const INT_PTR result = RunDriven(dialog, kCaption, [&](HWND hDlg) {
            SetItemText(hDlg, IDC_RATIO, c.ratioText);
            ::SetForegroundWindow(hDlg);
            c.act(hDlg);
            if (c.result != 0) {
                EXPECT_TRUE(WaitFor([hDlg] { return !::IsWindow(hDlg); }));
                return;
            }
            const MessageBoxInfo box = WaitForMessageBox(hDlg);
            ASSERT_NE(box.hWnd, nullptr);
            EXPECT_EQ(box.text, "Please enter an integer.");
            AnswerMessageBox(box.hWnd);
            EXPECT_TRUE(::IsWindow(hDlg));
        });
        EXPECT_EQ(result, c.result != 0 ? c.result : IDCANCEL);
    }
}

TEST_F(ClockDlgTest, F1AsksTheHelpEngineForTheDialogsContext)
{
    TheTestApp().helpCalls.clear();
    RunDriven(dlg, kCaption, [&](HWND hDlg) {
        PressKey(::GetDlgItem(hDlg, IDOK), VK_F1);
        // Wine's help engine finds no help file and asks whether to go on.
        HWND question = WaitForWindow(kAnyProcess, "#32770", "ERROR", std::chrono::seconds(20));
        if (question != nullptr)
            ::PostMessageA(question, WM_COMMAND, IDNO, 0);
        EXPECT_TRUE(WaitFor([] { return !TheTestApp().helpCalls.empty(); }));
    });
    ASSERT_EQ(TheTestApp().helpCalls.size(), 1u);
    const TestApp::HelpCall& call = TheTestApp().helpCalls[0];
    EXPECT_EQ(call.command, static_cast<UINT>(HELP_CONTEXT));
    EXPECT_EQ(call.data, 0x20000u + IDD_CLOCK_DIALOG);
    char exe[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string expected(exe);
    expected = expected.substr(0, expected.find_last_of('.')) + ".HLP";
    EXPECT_EQ(call.path, expected);
}

TEST_F(ClockDlgTest, MinimisedDialogOffersItsIconForDragging)
{
    RunDriven(dlg, kCaption, [&](HWND hDlg) {
        ::PostMessageA(hDlg, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        ASSERT_TRUE(WaitFor([hDlg] { return ::IsIconic(hDlg) != FALSE; }));
        HICON icon = reinterpret_cast<HICON>(::SendMessageA(hDlg, WM_GETICON, ICON_BIG, 0));
        EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageA(hDlg, WM_QUERYDRAGICON, 0, 0)), icon);
        // Painting while minimised draws the icon and nothing else.
        ::RedrawWindow(hDlg, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        ::PostMessageA(hDlg, WM_SYSCOMMAND, SC_RESTORE, 0);
        EXPECT_TRUE(WaitFor([hDlg] { return !::IsIconic(hDlg); }));
        EXPECT_EQ(ItemText(hDlg, IDC_XTI), "14.31818");
    });
}

TEST_F(ClockDlgTest, SystemMenuItemOpensThePlainAboutBox)
{
    RunDriven(dlg, kCaption, [&](HWND hDlg) {
        ::PostMessageA(hDlg, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        HWND about = WaitForWindow(0, "#32770", "About");
        ASSERT_NE(about, nullptr);
        EXPECT_EQ(::GetWindow(about, GW_OWNER), hDlg);
        EXPECT_FALSE(::IsWindowEnabled(hDlg));
        ExpectCenteredOn(WindowRect(about), WindowRect(hDlg));
        PressKey(about, VK_ESCAPE);
        EXPECT_TRUE(WaitFor([about] { return !::IsWindow(about); }));
        EXPECT_TRUE(::IsWindowEnabled(hDlg));
        EXPECT_EQ(::GetDlgItem(about, IDC_LINK_WEB), nullptr); // the plain box, not the one with links
        // Commands 17 to 31 are the same item.
        ::PostMessageA(hDlg, WM_SYSCOMMAND, IDM_ABOUTBOX + 15, 0);
        about = WaitForWindow(0, "#32770", "About");
        ASSERT_NE(about, nullptr);
        Click(about, IDOK);
        EXPECT_TRUE(WaitFor([about] { return !::IsWindow(about); }));
        EXPECT_EQ(ItemText(hDlg, IDC_XTI), "14.31818");
    });
}

TEST_F(ClockDlgTest, AboutButtonOpensTheBoxWithLinks)
{
    RunDriven(dlg, kCaption, [&](HWND hDlg) {
        for (int close : {VK_ESCAPE, VK_RETURN}) {
            Click(hDlg, IDC_ABOUT);
            HWND about = WaitForWindow(0, "#32770", "About");
            ASSERT_NE(about, nullptr);
            ASSERT_NE(::GetDlgItem(about, IDC_LINK_WEB), nullptr);
            EXPECT_EQ(ItemText(about, IDC_LINK_WEB), "Internet site : https://quorvane.example.org/");
            EXPECT_EQ(ItemText(about, IDC_LINK_MAIL), "E-mail : quorvane@example.org");
            EXPECT_EQ(::GetWindow(about, GW_OWNER), hDlg);
            EXPECT_FALSE(::IsWindowEnabled(hDlg));
            ExpectCenteredOn(WindowRect(about), WindowRect(hDlg));
            // OK has the focus, so Enter closes the box like Esc does.
            EXPECT_TRUE(WaitFor([about] { return FocusOf(about) == ::GetDlgItem(about, IDOK); }));
            PressKey(::GetDlgItem(about, IDOK), close);
            EXPECT_TRUE(WaitFor([about] { return !::IsWindow(about); }));
            EXPECT_TRUE(::IsWindowEnabled(hDlg));
            // The links' tooltips went with the box.
            EXPECT_TRUE(TopLevelWindows(0, "tooltips_class32").empty());
        }
        EXPECT_EQ(ItemText(hDlg, IDC_XTI), "14.31818");
        EXPECT_EQ(ReadResults(hDlg), kTemplateTexts);
    });
}

} // namespace
