// A static text control turned into a hyperlink: link colours, underlined
// text, its target in a tooltip, its own cursor, and a click that hands the
// target to the shell, with a fallback through the ".htm" file class.
#pragma once

#include "Afx.h"

#include <string>

class CLinkStatic : public CStatic {
public:
    CLinkStatic();
    ~CLinkStatic() override;

    // Callers use these only on a bound control: fitting and the tooltip
    // need the window.
    void SetTarget(const char* target);
    void SetLinkVisited(BOOL bVisited);
    void SetUnderlined(BOOL bUnderlined);

    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnLinkClicked();

    COLORREF m_crUnvisited;
    COLORREF m_crVisited;
    BOOL m_bLinkVisited;
    BOOL m_bUnderlined;
    BOOL m_bSizeToText;
    std::string m_strTarget;
    CFont m_fontUnderlined;
    // Shown while the mouse is over the control; the owner may replace it
    // after binding. Cursors are shared: the control never destroys one.
    HCURSOR m_hOverCursor = nullptr;
    CToolTipCtrl m_tipTarget;

    DECLARE_MESSAGE_MAP()

protected:
    void FitToText();
    virtual int OpenTarget(const char* target, int nShowCmd);
    virtual void ReportOpenFailure(int status);
    // The default (unnamed) value of root\subKey copied into `value`, which
    // holds `valueCapacity` characters; 0, or the system's error code. A
    // value that is absent, empty or does not fit counts as a failure.
    static LONG ReadDefaultValue(HKEY root, const char* subKey, char* value, size_t valueCapacity);
};
