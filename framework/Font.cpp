#include "Font.h"

namespace {
long g_heldFonts = 0;
}

long CFont::HeldCount()
{
    return g_heldFonts;
}

BOOL CFont::CreateFontIndirect(const LOGFONTA* logFont)
{
    DeleteObject();
    m_hObject = ::CreateFontIndirectA(logFont);
    if (m_hObject != nullptr)
        ++g_heldFonts;
    return m_hObject != nullptr;
}

BOOL CFont::DeleteObject()
{
    if (m_hObject == nullptr)
        return FALSE;
    const BOOL deleted = ::DeleteObject(m_hObject);
    m_hObject = nullptr;
    --g_heldFonts;
    return deleted;
}
