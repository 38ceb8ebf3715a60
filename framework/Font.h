// A font the object owns: made from a description, deleted with the object.
#pragma once

#include <windows.h>

class CFont {
public:
    CFont() = default;
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;
    ~CFont() { DeleteObject(); }

    HFONT m_hObject = nullptr;
    HFONT GetSafeHandle() const { return m_hObject; }

    BOOL CreateFontIndirect(const LOGFONTA* logFont);
    BOOL DeleteObject();

    // How many fonts the program's CFont objects hold right now: a session
    // that ends with more than it started with has lost some.
    static long HeldCount();
};
