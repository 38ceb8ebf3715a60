// A menu handle. The object never destroys the menu: the system menu and
// the other menus it wraps belong to their windows.
#pragma once

#include <windows.h>

class CMenu {
public:
    explicit CMenu(HMENU hMenu = nullptr) : m_hMenu(hMenu) {}

    HMENU m_hMenu;
    HMENU GetSafeHmenu() const { return m_hMenu; }
    explicit operator bool() const { return m_hMenu != nullptr; }

    BOOL AppendMenu(UINT flags, UINT_PTR idNewItem = 0, const char* text = nullptr);
};
