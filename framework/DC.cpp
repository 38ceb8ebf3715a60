#include "DC.h"

#include "Font.h"
#include "Wnd.h"

HGDIOBJ CDC::SelectObject(CFont* font)
{
    return ::SelectObject(m_hDC, font->m_hObject);
}

SIZE CDC::GetTextExtent(const std::string& text) const
{
    SIZE size{};
    ::GetTextExtentPoint32A(m_hDC, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd)
{
    m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd != nullptr ? pWnd->m_hWnd : nullptr)
{
    m_hDC = ::GetDC(m_hWnd);
}

CClientDC::~CClientDC()
{
    ::ReleaseDC(m_hWnd, m_hDC);
}
