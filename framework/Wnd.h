// A C++ object bound to a window handle: message tables, subclassing,
// reflection of child notifications, pre-translation, and thin wrappers over
// the window functions the front end calls.
#pragma once

#include "CmdTarget.h"

#include <windows.h>

#include <string>

class CDataExchange;
class CMenu;

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    // The object bound to `hWnd`, or nullptr when none is.
    static CWnd* FromHandlePermanent(HWND hWnd);
    // How many windows are bound to objects right now.
    static size_t BoundCount();

    // Binding. SubclassWindow attaches, runs PreSubclassWindow and then puts
    // the framework's window procedure in front of the window's own.
    BOOL Attach(HWND hWnd);
    HWND Detach();
    BOOL SubclassWindow(HWND hWnd);
    HWND UnsubclassWindow();

    // Framework hooks.
    virtual void PreSubclassWindow() {}
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual void DoDataExchange(CDataExchange* pDX);
    // The help context that F1 asks for while this window is active.
    virtual DWORD GetHelpContext() const { return 0; }

    // Runs DoDataExchange; false when a field was refused.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // Message processing: the table chain first, then the default.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The default processing of the message being handled now.
    LRESULT Default();

    // Default handlers that derived classes call to pass a message on.
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();

    // Thin wrappers.
    void SetDlgItemText(int nID, const char* text);
    HWND GetDlgItem(int nID) const;
    BOOL ShowWindow(int nCmdShow);
    virtual BOOL DestroyWindow();
    int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    void UpdateWindow();
    CMenu GetSystemMenu(BOOL bRevert) const;
    BOOL IsIconic() const;
    BOOL IsWindowVisible() const;
    void GetClientRect(RECT* rect) const;
    void GetWindowRect(RECT* rect) const;
    HWND GetParentHwnd() const;
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    void SetWindowText(const char* text);
    std::string GetWindowText() const;
    DWORD GetStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
    void InvalidateRect(const RECT* rect, BOOL bErase = TRUE);
    HFONT GetFont() const;

protected:
    // The window's own procedure that the framework's one chains to.
    WNDPROC m_pfnSuper = nullptr;

    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend class CDialog;

    DECLARE_MESSAGE_MAP()

private:
    // Hands a child's notification back to the child's own object first;
    // true when the child handled it.
    bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
};

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Walks PreTranslateMessage from the message's window up through its parents
// to `hWndStop` (inclusive); true when one of them consumed the message.
BOOL AfxPreTranslateWalk(HWND hWndStop, MSG* pMsg);

template <class T, BOOL (T::*Fn)(CWnd*, UINT, UINT)>
LRESULT MessageInvoke::SetCursor(CCmdTarget& target, WPARAM wParam, LPARAM lParam)
{
    CWnd* under = CWnd::FromHandlePermanent(reinterpret_cast<HWND>(wParam));
    return (static_cast<T&>(target).*Fn)(under, LOWORD(lParam), HIWORD(lParam));
}
