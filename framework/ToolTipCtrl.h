// A tooltip window of the common controls, owned by the object.
#pragma once

#include "Wnd.h"

#include <string>

class CToolTipCtrl : public CWnd {
public:
    CToolTipCtrl() = default;

    // A popup tooltip owned by `pParentWnd`, with `style` added to WS_POPUP.
    BOOL Create(CWnd* pParentWnd, DWORD style = 0);
    // One tool: the window `pWnd` with its identifier, rectangle and text;
    // no flags, so the tooltip learns of the mouse only through RelayEvent.
    BOOL AddTool(CWnd* pWnd, const char* text, const RECT* rect, UINT_PTR id);
    void UpdateTipText(const char* text, CWnd* pWnd, UINT_PTR id);
    void RelayEvent(MSG* pMsg);
};
