#include "WindowDriver.h"

#include <thread>

namespace WindowDriver {

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

std::string ClassOf(HWND hWnd)
{
    char name[256] = {};
    ::GetClassNameA(hWnd, name, sizeof name);
    return name;
}

std::string TextOf(HWND hWnd)
{
    char text[1024] = {};
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutA(hWnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                               10000, &copied))
        return "<no answer>";
    return std::string(text, copied);
}

std::string ItemText(HWND hDlg, int id)
{
    return TextOf(::GetDlgItem(hDlg, id));
}

void SetItemText(HWND hDlg, int id, const std::string& text)
{
    ::SendMessageA(::GetDlgItem(hDlg, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

namespace {
struct Search {
    DWORD pid;
    const char* className;
    const char* caption;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND hWnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    if (search->pid != kAnyProcess && pid != search->pid)
        return TRUE;
    if (search->className != nullptr && ClassOf(hWnd) != search->className)
        return TRUE;
    if (search->caption != nullptr) {
        char caption[512] = {};
        ::GetWindowTextA(hWnd, caption, sizeof caption);
        if (std::string(caption) != search->caption)
            return TRUE;
    }
    search->found.push_back(hWnd);
    return TRUE;
}
} // namespace

std::vector<HWND> TopLevelWindows(DWORD pid, const char* className, const char* caption)
{
    Search search{pid != 0 ? pid : ::GetCurrentProcessId(), className, caption, {}};
    ::EnumWindows(&Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(DWORD pid, const char* className, const char* caption, std::chrono::milliseconds timeout)
{
    HWND found = nullptr;
    WaitFor(
        [&] {
            for (HWND hWnd : TopLevelWindows(pid, className, caption)) {
                if (::IsWindowVisible(hWnd)) {
                    found = hWnd;
                    return true;
                }
            }
            return false;
        },
        timeout);
    return found;
}

MessageBoxInfo WaitForMessageBox(HWND owner, std::chrono::milliseconds timeout)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(owner, &pid);
    MessageBoxInfo info;
    WaitFor(
        [&] {
            for (HWND hWnd : TopLevelWindows(pid, "#32770")) {
                // A box has its text and at least one button; other dialogs
                // of the owner, like a notice, have no button.
                HWND text = ::GetDlgItem(hWnd, 0xFFFF);
                HWND button = ::FindWindowExA(hWnd, nullptr, "Button", nullptr);
                if (::GetWindow(hWnd, GW_OWNER) == owner && text != nullptr && button != nullptr &&
                    ::IsWindowVisible(hWnd)) {
                    info.hWnd = hWnd;
                    return true;
                }
            }
            return false;
        },
        timeout);
    if (info.hWnd != nullptr) {
        info.caption = TextOf(info.hWnd);
        info.text = TextOf(::GetDlgItem(info.hWnd, 0xFFFF));
    }
    return info;
}

bool AnswerMessageBox(HWND box, int id)
{
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(box, id)));
    return WaitFor([box] { return !::IsWindow(box); });
}

void Click(HWND hDlg, int id)
{
    ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(hDlg, id)));
}

void PressKey(HWND hWnd, WPARAM key)
{
    const UINT scan = ::MapVirtualKeyA(static_cast<UINT>(key), 0);
    ::PostMessageA(hWnd, WM_KEYDOWN, key, 1 | (scan << 16));
    ::PostMessageA(hWnd, WM_KEYUP, key, 1 | (scan << 16) | (3u << 30));
}

HWND FocusOf(HWND hWnd)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(hWnd, nullptr), &info);
    return info.hwndFocus;
}

} // namespace WindowDriver
