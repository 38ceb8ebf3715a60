// Drawing contexts. CDC wraps a context it does not own; CPaintDC obtains
// one for painting a window and gives it back when it goes.
#pragma once

#include "MessageMap.h"

#include <windows.h>

class CFont;
class CWnd;

class CDC {
public:
    explicit CDC(HDC hDC = nullptr) : m_hDC(hDC) {}
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC() = default;

    HDC m_hDC;
    HDC GetSafeHdc() const { return m_hDC; }

    COLORREF SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
    HGDIOBJ SelectObject(CFont* font);
    BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps{};

private:
    HWND m_hWnd;
};

// A reflected colour request: the control gets the drawing context of its
// painting and answers with the brush for its background.
template <class T, HBRUSH (T::*Fn)(CDC*, UINT)>
LRESULT MessageInvoke::CtlColorReflect(CCmdTarget& target, WPARAM wParam, LPARAM)
{
    CDC dc(reinterpret_cast<HDC>(wParam));
    return reinterpret_cast<LRESULT>((static_cast<T&>(target).*Fn)(&dc, CTLCOLOR_STATIC));
}
