#include "DC.h"

#include "Font.h"
#include "Wnd.h"

HGDIOBJ CDC::SelectObject(CFont* font)
{
    return ::SelectObject(m_hDC, font->m_hObject);
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd)
{
    m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
}
