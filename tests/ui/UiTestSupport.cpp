#include "UiTestSupport.h"

#include <gtest/gtest.h>

#include <thread>

using namespace WindowDriver;

BOOL TestApp::WinHelp(DWORD_PTR data, UINT command)
{
    helpCalls.push_back({m_strHelpPath, data, command});
    return CWinApp::WinHelp(data, command);
}

TestApp& TheTestApp()
{
    static TestApp app;
    return app;
}

namespace {
// Gives the application object its instance, title and help path before any
// test runs, as the program's entry point does.
class AppEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(AfxWinInit(::GetModuleHandleA(nullptr))); }
};
[[maybe_unused]] auto* const g_environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);
[[maybe_unused]] TestApp& g_app = TheTestApp();

std::string WindowCaption(HWND hWnd)
{
    char text[256] = {};
    ::GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

// The notice window, noted when it is created. Looking windows up by text
// from inside the hook would send messages to a window being created.
HWND g_notice = nullptr;

bool NoticeOnScreen()
{
    return g_notice != nullptr && ::IsWindow(g_notice) && ::IsWindowVisible(g_notice);
}
} // namespace

WindowLog* WindowLog::s_current = nullptr;

WindowLog::WindowLog()
{
    s_current = this;
    m_hook = ::SetWindowsHookExA(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId());
}

WindowLog::~WindowLog()
{
    ::UnhookWindowsHookEx(m_hook);
    s_current = nullptr;
}

LRESULT CALLBACK WindowLog::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    WindowLog* log = s_current;
    if (log != nullptr && code == HCBT_CREATEWND) {
        const auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
        const CREATESTRUCTA* cs = create->lpcs;
        if ((cs->style & WS_CHILD) == 0) {
            WindowEvent event{WindowEvent::Create, "", "", false, {}, NoticeOnScreen()};
            if (cs->lpszName != nullptr && !IS_INTRESOURCE(cs->lpszName))
                event.caption = cs->lpszName;
            if (event.caption == "Computing....")
                g_notice = reinterpret_cast<HWND>(wParam);
            std::lock_guard<std::mutex> lock(log->m_mutex);
            log->m_events.push_back(event);
        }
    } else if (log != nullptr && code == HCBT_ACTIVATE) {
        // Message boxes get their caption after creation; they are noted
        // when they come up.
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        WindowEvent event{WindowEvent::Activate, ClassOf(hWnd), WindowCaption(hWnd), true, {},
                          NoticeOnScreen()};
        std::lock_guard<std::mutex> lock(log->m_mutex);
        log->m_events.push_back(event);
    } else if (log != nullptr && code == HCBT_DESTROYWND) {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        if ((::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD) == 0) {
            WindowEvent event{WindowEvent::Destroy,
                              ClassOf(hWnd),
                              WindowCaption(hWnd),
                              ::IsWindowVisible(hWnd) != FALSE,
                              {},
                              false};
            ::GetWindowRect(hWnd, &event.rect);
            std::lock_guard<std::mutex> lock(log->m_mutex);
            log->m_events.push_back(event);
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

std::vector<WindowEvent> WindowLog::Events() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_events;
}

std::vector<WindowEvent> WindowLog::EventsFor(const std::string& caption) const
{
    std::vector<WindowEvent> matching;
    for (const WindowEvent& event : Events())
        if (event.caption == caption)
            matching.push_back(event);
    return matching;
}

void WindowLog::Clear()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_events.clear();
}

INT_PTR RunDriven(CDialog& dialog, const char* caption, const std::function<void(HWND)>& drive)
{
    TestApp& app = TheTestApp();
    app.m_pMainWnd = &dialog;
    std::thread driver([&] {
        HWND hDlg = WaitForWindow(0, "#32770", caption);
        if (hDlg == nullptr) {
            ADD_FAILURE() << "the dialog \"" << caption << "\" did not appear";
            return;
        }
        drive(hDlg);
        // Whatever a failed check left open goes first, then the dialog.
        for (HWND popup : TopLevelWindows(0, "#32770"))
            if (popup != hDlg && ::GetWindow(popup, GW_OWNER) == hDlg)
                ::PostMessageA(popup, WM_COMMAND, IDCANCEL, 0);
        if (::IsWindow(hDlg))
            ::PostMessageA(hDlg, WM_COMMAND, IDCANCEL, 0);
    });
    const INT_PTR result = dialog.DoModal();
    driver.join();
    app.m_pMainWnd = nullptr;
    return result;
}
