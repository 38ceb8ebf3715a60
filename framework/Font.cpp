#include "Font.h"

BOOL CFont::CreateFontIndirect(const LOGFONTA* logFont)
{
    DeleteObject();
    m_hObject = ::CreateFontIndirectA(logFont);
    return m_hObject != nullptr;
}

BOOL CFont::DeleteObject()
{
    if (m_hObject == nullptr)
        return FALSE;
    const BOOL deleted = ::DeleteObject(m_hObject);
    m_hObject = nullptr;
    return deleted;
}
