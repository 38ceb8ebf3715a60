#include "ClockDlg.h"

#include "AboutDlg.h"
#include "CreditsDlg.h"
#include "IconPlacement.h"
#include "PllEngine.h"
#include "ResultText.h"
#include "resource.h"

#include <string>

namespace {
constexpr double kDefaultXtiMHz = 14.31818;
constexpr std::int32_t kDefaultRatio = 256;
// System-menu commands keep their four lowest bits for the system's use.
constexpr UINT kSysCommandMask = 0xFFF0;
} // namespace

BEGIN_MESSAGE_MAP(CClockDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_BN_CLICKED(IDC_COMPUTE, OnCompute)
ON_BN_CLICKED(IDC_ABOUT, OnAbout)
END_MESSAGE_MAP()

CClockDlg::CClockDlg(CWnd* pParent) : CDialog(IDD_CLOCK_DIALOG, pParent)
{
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
}

void CClockDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_RATIO, m_ratio);
    DDX_Text(pDX, IDC_XTI, m_xtiMHz);
}

BOOL CClockDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    CMenu sysMenu = GetSystemMenu(FALSE);
    if (sysMenu) {
        const std::string aboutText = AfxLoadString(IDS_ABOUTBOX);
        if (!aboutText.empty()) {
            sysMenu.AppendMenu(MF_SEPARATOR);
            sysMenu.AppendMenu(MF_STRING, IDM_ABOUTBOX, aboutText.c_str());
        }
    }

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    m_xtiMHz = kDefaultXtiMHz;
    m_ratio = kDefaultRatio;
    UpdateData(FALSE);
    return TRUE;
}

void CClockDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & kSysCommandMask) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
    } else {
        CDialog::OnSysCommand(nID, lParam);
    }
}

void CClockDlg::OnPaint()
{
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int cxIcon = ::GetSystemMetrics(SM_CXICON);
    const int cyIcon = ::GetSystemMetrics(SM_CYICON);
    RECT client;
    GetClientRect(&client);
    const IconOrigin origin =
        CenterIconInClient(client.right - client.left, client.bottom - client.top, cxIcon, cyIcon);
    dc.DrawIcon(origin.x, origin.y, m_hIcon);
}

HCURSOR CClockDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}

void CClockDlg::OnCompute()
{
    // A refused field has been reported and focused. Computing on with the
    // values of an earlier transfer would show registers that do not belong
    // to what the fields say, so the press ends here.
    if (!UpdateData(TRUE))
        return;

    const ConfigRequest request{m_xtiMHz, m_ratio};

    // No message is handled until the engine returns: the notice gets its
    // one painting now.
    CDialog notice;
    notice.Create(IDD_COMPUTING, this);
    notice.CenterWindow();
    notice.ShowWindow(SW_SHOW);
    notice.UpdateWindow();

    const ConfigResult result = RunConfiguration(request);

    if (result.status == ConfigStatus::InputDividerOutOfRange) {
        // This failure arises before any search: the box comes up over the
        // notice, which goes when the box is closed.
        MessageBox(result.message, result.caption, MB_OK | MB_ICONEXCLAMATION);
        notice.DestroyWindow();
        return;
    }
    notice.DestroyWindow();
    if (result.status == ConfigStatus::NoPairFound) {
        AfxMessageBox(result.message);
        return;
    }

    const RegisterSet& r = result.registers;
    const struct {
        int id;
        int value;
    } registers[] = {
        {IDC_REG07, r.reg07}, {IDC_REG06, r.reg06},   {IDC_REG11, r.reg11},
        {IDC_REG80, r.reg80}, {IDC_REG81, r.reg81},   {IDC_REG82, r.reg82},
        {IDC_REG97, r.reg97}, {IDC_REG100, r.reg100}, {IDC_REG101, r.reg101},
    };
    for (const auto& field : registers)
        SetDlgItemText(field.id, FormatRegisterText(field.value).c_str());

    SetDlgItemText(IDC_VCO_48K, FormatVcoText(result.clocks48.vcoHz).c_str());
    SetDlgItemText(IDC_DSP_48K, FormatDspText(result.clocks48.dspHz).c_str());
    SetDlgItemText(IDC_OCLK_48K, FormatOclkText(result.clocks48.oclkHz).c_str());
    SetDlgItemText(IDC_VCO_44K1, FormatVcoText(result.clocks44.vcoHz).c_str());
    SetDlgItemText(IDC_DSP_44K1, FormatDspText(result.clocks44.dspHz).c_str());
    SetDlgItemText(IDC_OCLK_44K1, FormatOclkText(result.clocks44.oclkHz).c_str());
}

void CClockDlg::OnAbout()
{
    CCreditsDlg credits;
    credits.DoModal();
}
