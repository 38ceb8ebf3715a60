#include "CreditsDlg.h"

#include "resource.h"

BEGIN_MESSAGE_MAP(CCreditsDlg, CDialog)
END_MESSAGE_MAP()

CCreditsDlg::CCreditsDlg(CWnd* pParent) : CDialog(IDD_CREDITS, pParent) {}

CCreditsDlg::~CCreditsDlg() = default;

void CCreditsDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LINK_WEB, m_linkWebSite);
    DDX_Control(pDX, IDC_LINK_MAIL, m_linkMail);
}

BOOL CCreditsDlg::OnInitDialog()
{
    // Binds both links; each shows its template text and, until told
    // otherwise, takes that text as its target.
    CDialog::OnInitDialog();

    // The template's texts stay visible; the targets are the bare addresses.
    m_linkWebSite.SetTarget(kWebSiteAddress);
    m_linkWebSite.SetUnderlined(TRUE);
    m_linkWebSite.m_hOverCursor = AfxGetApp()->LoadCursor(IDC_HAND_CURSOR);

    m_linkMail.SetTarget(kMailTarget);
    m_linkMail.SetUnderlined(TRUE);
    m_linkMail.m_hOverCursor = AfxGetApp()->LoadCursor(IDC_HAND_CURSOR);
    return TRUE;
}
