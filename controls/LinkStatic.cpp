#include "LinkStatic.h"

#include "LinkRules.h"

#include <shellapi.h>

namespace {
constexpr COLORREF kUnvisitedColor = 0xEE0000; // red 0, green 0, blue 238
constexpr COLORREF kVisitedColor = 0x8B1A55;   // red 85, green 26, blue 139
constexpr UINT_PTR kToolId = 1;
// ShellExecute and WinExec report success with a status above this.
constexpr int kLastFailureStatus = 32;
} // namespace

BEGIN_MESSAGE_MAP(CLinkStatic, CStatic)
ON_CONTROL_REFLECT(STN_CLICKED, OnLinkClicked)
ON_WM_CTLCOLOR_REFLECT()
ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CLinkStatic::CLinkStatic()
    : m_crUnvisited(kUnvisitedColor), m_crVisited(kVisitedColor), m_bLinkVisited(FALSE), m_bUnderlined(TRUE),
      m_bSizeToText(TRUE)
{
    m_strTarget.clear();
}

CLinkStatic::~CLinkStatic()
{
    m_fontUnderlined.DeleteObject();
}

void CLinkStatic::SetTarget(const char* target)
{
    m_strTarget = target;
    FitToText();
    m_tipTarget.UpdateTipText(m_strTarget.c_str(), this, kToolId);
}

void CLinkStatic::SetLinkVisited(BOOL bVisited)
{
    m_bLinkVisited = bVisited;
    InvalidateRect(nullptr, TRUE);
}

void CLinkStatic::SetUnderlined(BOOL bUnderlined)
{
    m_bUnderlined = bUnderlined;
    InvalidateRect(nullptr, TRUE);
}

void CLinkStatic::PreSubclassWindow()
{
    // Without SS_NOTIFY a static control neither takes the mouse nor tells
    // its parent of clicks.
    ModifyStyle(0, SS_NOTIFY);
    if (m_strTarget.empty())
        m_strTarget = GetWindowText();
    if (GetWindowText().empty())
        SetWindowText(m_strTarget.c_str());
    FitToText();
    m_hOverCursor = ::LoadCursorA(nullptr, IDC_ARROW);

    RECT client;
    GetClientRect(&client);
    m_tipTarget.Create(this);
    m_tipTarget.AddTool(this, m_strTarget.c_str(), &client, kToolId);

    CStatic::PreSubclassWindow();
}

BOOL CLinkStatic::PreTranslateMessage(MSG* pMsg)
{
    m_tipTarget.RelayEvent(pMsg);
    return CStatic::PreTranslateMessage(pMsg);
}

void CLinkStatic::FitToText()
{
    if (!m_bSizeToText)
        return;
    RECT window;
    GetWindowRect(&window);
    if (HWND parent = GetParentHwnd())
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&window), 2);

    // Measured in the window's plain context, whose font is the system
    // font, not the control's own.
    const std::string text = GetWindowText();
    SIZE extent{};
    HDC dc = ::GetDC(m_hWnd);
    ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    ::ReleaseDC(m_hWnd, dc);

    const Rect fitted = FitRectToText({static_cast<int>(window.left), static_cast<int>(window.top),
                                       static_cast<int>(window.right), static_cast<int>(window.bottom)},
                                      extent.cx, extent.cy, GetStyle());
    SetWindowPos(nullptr, fitted.left, fitted.top, fitted.right - fitted.left, fitted.bottom - fitted.top,
                 SWP_NOZORDER);
}

HBRUSH CLinkStatic::CtlColor(CDC* pDC, UINT)
{
    pDC->SetTextColor(m_bLinkVisited ? m_crVisited : m_crUnvisited);
    if (m_bUnderlined) {
        if (m_fontUnderlined.GetSafeHandle() == nullptr) {
            // A control without a font of its own draws in the system font:
            // underline that one.
            HGDIOBJ font = GetFont();
            if (font == nullptr)
                font = ::GetStockObject(SYSTEM_FONT);
            LOGFONTA logFont{};
            if (::GetObjectA(font, sizeof logFont, &logFont) == sizeof logFont) {
                logFont.lfUnderline = TRUE;
                m_fontUnderlined.CreateFontIndirect(&logFont);
            }
        }
        // If making the font failed, the text keeps the control's own font
        // and the next paint tries again.
        if (m_fontUnderlined.GetSafeHandle() != nullptr)
            pDC->SelectObject(&m_fontUnderlined);
    }
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

BOOL CLinkStatic::OnSetCursor(CWnd*, UINT, UINT)
{
    ::SetCursor(m_hOverCursor);
    return TRUE;
}

void CLinkStatic::OnLinkClicked()
{
    const int status = OpenTarget(m_strTarget.c_str(), SW_SHOW);
    m_bLinkVisited = status > kLastFailureStatus;
    if (!m_bLinkVisited) {
        ::MessageBeep(MB_ICONEXCLAMATION);
        ReportOpenFailure(status);
        return;
    }
    SetLinkVisited(TRUE);
}

int CLinkStatic::OpenTarget(const char* target, int nShowCmd)
{
    const int shellStatus = static_cast<int>(
        reinterpret_cast<INT_PTR>(::ShellExecuteA(nullptr, "open", target, nullptr, nullptr, nShowCmd)));
    if (shellStatus > kLastFailureStatus)
        return shellStatus;

    // Fallback: the program registered for opening ".htm" files. Whatever
    // goes wrong on the way, the user hears of the shell's own failure.
    char command[kFallbackCommandCapacity];
    if (ReadDefaultValue(HKEY_CLASSES_ROOT, ".htm", command, sizeof command) != ERROR_SUCCESS)
        return shellStatus;
    if (!AppendOpenCommandKey(command, sizeof command))
        return shellStatus;
    if (ReadDefaultValue(HKEY_CLASSES_ROOT, command, command, sizeof command) != ERROR_SUCCESS)
        return shellStatus;
    const std::optional<std::string> commandLine = BuildFallbackCommandLine(command, target);
    if (!commandLine)
        return shellStatus;
    return static_cast<int>(::WinExec(commandLine->c_str(), static_cast<UINT>(nShowCmd)));
}

void CLinkStatic::ReportOpenFailure(int status)
{
    AfxMessageBox(OpenFailureReport(status).c_str(), MB_ICONEXCLAMATION | MB_OK, 0);
}

LONG CLinkStatic::ReadDefaultValue(HKEY root, const char* subKey, char* value, size_t valueCapacity)
{
    HKEY key = nullptr;
    // The key is open before `value` is written, so `subKey` may be the
    // same buffer.
    LONG status = ::RegOpenKeyExA(root, subKey, 0, KEY_QUERY_VALUE, &key);
    if (status != ERROR_SUCCESS)
        return status;
    char local[kRegistryValueCapacity] = {};
    LONG size = static_cast<LONG>(sizeof local);
    status = ::RegQueryValueA(key, nullptr, local, &size);
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS)
        return status;
    return CopyRegistryValue(local, sizeof local, value, valueCapacity) ? ERROR_SUCCESS
                                                                        : ERROR_FILE_NOT_FOUND;
}
