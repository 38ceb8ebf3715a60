#include "Menu.h"

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR idNewItem, const char* text)
{
    return ::AppendMenuA(m_hMenu, flags, idNewItem, text);
}
