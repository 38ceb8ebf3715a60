// The plain About box: product line, author, copyright; OK closes it.
#pragma once

#include "Afx.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    DECLARE_MESSAGE_MAP()
};
