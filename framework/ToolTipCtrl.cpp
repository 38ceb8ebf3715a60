#include "ToolTipCtrl.h"

#include "WinApp.h"

#include <commctrl.h>

namespace {
// The tool record without the fields of later common-control versions,
// which older ones reject.
TOOLINFOA ToolInfo(CWnd* pWnd, UINT_PTR id, const char* text)
{
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.uFlags = 0;
    info.hwnd = pWnd->m_hWnd;
    info.uId = id;
    info.lpszText = const_cast<char*>(text);
    return info;
}
} // namespace

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD style)
{
    INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&init);
    HWND hWnd =
        ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr,
                          nullptr, AfxGetInstanceHandle(), nullptr);
    return hWnd != nullptr && Attach(hWnd);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, const char* text, const RECT* rect, UINT_PTR id)
{
    TOOLINFOA info = ToolInfo(pWnd, id, text);
    if (rect != nullptr)
        info.rect = *rect;
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::UpdateTipText(const char* text, CWnd* pWnd, UINT_PTR id)
{
    TOOLINFOA info = ToolInfo(pWnd, id, text);
    SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::RelayEvent(MSG* pMsg)
{
    if (m_hWnd != nullptr)
        SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg));
}
