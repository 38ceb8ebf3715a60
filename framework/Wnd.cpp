#include "Wnd.h"

#include "CenterRules.h"
#include "DataExchange.h"
#include "Menu.h"
#include "WinApp.h"

#include <map>
#include <vector>

namespace {

// Handle-to-object bindings. The whole program runs on one thread.
std::map<HWND, CWnd*>& Bindings()
{
    static std::map<HWND, CWnd*> bindings;
    return bindings;
}

// The message each window procedure call is handling, for Default().
struct CurrentMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
thread_local std::vector<CurrentMessage> t_messages;

CenterRect ToCenterRect(const RECT& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

} // namespace

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::~CWnd()
{
    // A window that outlives its object would be left without the object
    // its procedure refers to: it goes with the object.
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        DestroyWindow();
    if (m_hWnd != nullptr)
        UnsubclassWindow();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    const auto found = Bindings().find(hWnd);
    return found == Bindings().end() ? nullptr : found->second;
}

size_t CWnd::BoundCount()
{
    return Bindings().size();
}

BOOL CWnd::Attach(HWND hWnd)
{
    if (hWnd == nullptr || m_hWnd != nullptr || FromHandlePermanent(hWnd) != nullptr)
        return FALSE;
    m_hWnd = hWnd;
    Bindings()[hWnd] = this;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr)
        Bindings().erase(hWnd);
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (m_pfnSuper == nullptr) {
        Detach();
        return FALSE;
    }
    return TRUE;
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper != nullptr && m_hWnd != nullptr)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CUserException&) {
        // The refusal has been shown and the field focused; the exchange
        // stops where it was.
        return FALSE;
    }
    return TRUE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, &result))
        return result;
    return DefWindowProc(message, wParam, lParam);
}

bool CWnd::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const bool notification = (message == WM_COMMAND && lParam != 0) || message == WM_CTLCOLORSTATIC;
    if (!notification)
        return false;
    CWnd* child = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
    if (child == nullptr || child == this)
        return false;
    return child->DispatchMessageMap(message, wParam, lParam, true, *pResult);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (ReflectToChild(message, wParam, lParam, pResult))
        return TRUE;
    if (DispatchMessageMap(message, wParam, lParam, false, *pResult))
        return TRUE;
    // Commands nobody in the window handles go on to the application, which
    // owns the Help command.
    if (message == WM_COMMAND) {
        CWinApp* app = AfxGetApp();
        if (app != nullptr && app->DispatchMessageMap(message, wParam, lParam, false, *pResult))
            return TRUE;
    }
    return FALSE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    if (t_messages.empty())
        return 0;
    const CurrentMessage current = t_messages.back();
    return DefWindowProc(current.message, current.wParam, current.lParam);
}

void CWnd::OnSysCommand(UINT, LPARAM)
{
    Default();
}

void CWnd::OnPaint()
{
    Default();
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
    if (wnd == nullptr)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);

    if (message == WM_NCDESTROY) {
        // The window is going: give it its own procedure back for its last
        // message and let go of the handle.
        WNDPROC super = wnd->m_pfnSuper;
        wnd->UnsubclassWindow();
        const LRESULT result = super != nullptr ? ::CallWindowProcA(super, hWnd, message, wParam, lParam)
                                                : ::DefWindowProcA(hWnd, message, wParam, lParam);
        return result;
    }

    t_messages.push_back({message, wParam, lParam});
    const LRESULT result = wnd->WindowProc(message, wParam, lParam);
    t_messages.pop_back();
    return result;
}

BOOL AfxPreTranslateWalk(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
        if (wnd != nullptr && wnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

void CWnd::SetDlgItemText(int nID, const char* text)
{
    ::SetDlgItemTextA(m_hWnd, nID, text);
}

HWND CWnd::GetDlgItem(int nID) const
{
    return ::GetDlgItem(m_hWnd, nID);
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    return ::ShowWindow(m_hWnd, nCmdShow);
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    HWND hWnd = m_hWnd;
    const BOOL destroyed = ::DestroyWindow(hWnd);
    // A window without the framework's procedure never sees WM_NCDESTROY
    // here; let go of it all the same.
    if (m_hWnd == hWnd && !::IsWindow(hWnd))
        Detach();
    return destroyed;
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type)
{
    return ::MessageBoxA(m_hWnd, text, caption != nullptr ? caption : AfxGetAppTitle(), type);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    RECT workArea{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);

    HWND owner = pAlternateOwner != nullptr ? pAlternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
    // A hidden or minimised owner gives no useful place: use the work area.
    RECT centerOn = workArea;
    if (owner != nullptr && ::IsWindowVisible(owner) && !::IsIconic(owner))
        ::GetWindowRect(owner, &centerOn);

    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    const CenterRect placed =
        CenterRectOn(ToCenterRect(window), ToCenterRect(centerOn), ToCenterRect(workArea));
    ::SetWindowPos(m_hWnd, nullptr, placed.left, placed.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::UpdateWindow()
{
    ::UpdateWindow(m_hWnd);
}

CMenu CWnd::GetSystemMenu(BOOL bRevert) const
{
    return CMenu(::GetSystemMenu(m_hWnd, bRevert));
}

BOOL CWnd::IsIconic() const
{
    return ::IsIconic(m_hWnd);
}

BOOL CWnd::IsWindowVisible() const
{
    return ::IsWindowVisible(m_hWnd);
}

void CWnd::GetClientRect(RECT* rect) const
{
    ::GetClientRect(m_hWnd, rect);
}

void CWnd::GetWindowRect(RECT* rect) const
{
    ::GetWindowRect(m_hWnd, rect);
}

HWND CWnd::GetParentHwnd() const
{
    return ::GetParent(m_hWnd);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

void CWnd::SetWindowText(const char* text)
{
    ::SetWindowTextA(m_hWnd, text);
}

std::string CWnd::GetWindowText() const
{
    const int length = ::GetWindowTextLengthA(m_hWnd);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(m_hWnd, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

DWORD CWnd::GetStyle() const
{
    return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE));
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags)
{
    const DWORD style = GetStyle();
    const DWORD newStyle = (style & ~remove) | add;
    if (style == newStyle)
        return FALSE;
    ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(newStyle));
    if (flags != 0)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}

BOOL CWnd::SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    return ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags);
}

void CWnd::InvalidateRect(const RECT* rect, BOOL bErase)
{
    ::InvalidateRect(m_hWnd, rect, bErase);
}

HFONT CWnd::GetFont() const
{
    return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
}
