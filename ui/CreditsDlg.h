// The About box with links: the web site and a mail link to the authors.
#pragma once

#include "Afx.h"
#include "LinkStatic.h"

class CCreditsDlg : public CDialog {
public:
    explicit CCreditsDlg(CWnd* pParent = nullptr);
    ~CCreditsDlg() override;

    CLinkStatic m_linkWebSite; // control 1091
    CLinkStatic m_linkMail;    // control 1092

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    DECLARE_MESSAGE_MAP()
};

// Where the links lead.
inline constexpr const char kWebSiteAddress[] = "https://quorvane.example.org/";
inline constexpr const char kMailTarget[] = "mailto:quorvane@example.org";
