#include "ClockApp.h"

#include "ClockDlg.h"

BEGIN_MESSAGE_MAP(CClockApp, CWinApp)
END_MESSAGE_MAP()

// The one application object, made before the entry point runs.
CClockApp theApp;

BOOL CClockApp::InitInstance()
{
    Enable3dControlsStatic();

    CClockDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;

    // The dialog has closed: end the program rather than run a loop.
    return FALSE;
}
