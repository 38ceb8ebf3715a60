#include "Dialog.h"

#include "WinApp.h"

namespace {

// The position in a dialog template's header, plain or extended.
bool TemplatePlacedAtOrigin(HINSTANCE hInstance, UINT nIDTemplate, DWORD* style)
{
    HRSRC resource = ::FindResourceA(hInstance, MAKEINTRESOURCEA(nIDTemplate), MAKEINTRESOURCEA(5));
    if (resource == nullptr)
        return false;
    HGLOBAL loaded = ::LoadResource(hInstance, resource);
    const auto* bytes = static_cast<const BYTE*>(::LockResource(loaded));
    if (bytes == nullptr || ::SizeofResource(hInstance, resource) < 18)
        return false;
    auto word = [bytes](size_t offset) {
        return static_cast<WORD>(bytes[offset] | (bytes[offset + 1] << 8));
    };
    auto dword = [&word](size_t offset) {
        return static_cast<DWORD>(word(offset) | (word(offset + 2) << 16));
    };
    const bool extended = word(0) == 1 && word(2) == 0xFFFF;
    // Extended: version, signature, help id, ext style, style, count, x, y.
    // Plain: style, ext style, count, x, y.
    *style = extended ? dword(12) : dword(0);
    const size_t xOffset = extended ? 18 : 10;
    if (::SizeofResource(hInstance, resource) < xOffset + 4)
        return false;
    return word(xOffset) == 0 && word(xOffset + 2) == 0;
}

} // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate), m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

HWND CDialog::CreateFromTemplate(HWND owner)
{
    return ::CreateDialogParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), owner,
                                &AfxDialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CDialog::DoModal()
{
    CWinApp* app = AfxGetApp();
    HWND owner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
    if (owner == nullptr && app != nullptr && app->m_pMainWnd != nullptr && app->m_pMainWnd != this)
        owner = app->m_pMainWnd->m_hWnd;

    // The owner is disabled before the dialog exists, so that the dialog
    // opens as the only window that takes input.
    const bool disabledOwner = owner != nullptr && ::IsWindowEnabled(owner);
    if (disabledOwner)
        ::EnableWindow(owner, FALSE);

    m_nModalResult = -1;
    m_inModalLoop = true;
    if (CreateFromTemplate(owner) == nullptr) {
        m_inModalLoop = false;
        if (disabledOwner)
            ::EnableWindow(owner, TRUE);
        return -1;
    }
    if (m_inModalLoop && !::IsWindowVisible(m_hWnd))
        ::ShowWindow(m_hWnd, SW_SHOWNORMAL);

    RunModalLoop();

    // The owner must be usable again before this window goes, or the
    // system activates some other program's window in between.
    if (disabledOwner)
        ::EnableWindow(owner, TRUE);
    if (owner != nullptr && m_hWnd != nullptr && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(owner);
    if (m_hWnd != nullptr) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        DestroyWindow();
    }
    return m_nModalResult;
}

void CDialog::RunModalLoop()
{
    MSG msg;
    while (m_inModalLoop) {
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            // Someone asked the program to quit: end this run and hand the
            // request on to whatever loop encloses it.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            m_inModalLoop = false;
            break;
        }
        if (got < 0)
            break;
        const bool input = (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) ||
                           (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST);
        if (input && AfxPreTranslateWalk(nullptr, &msg))
            continue;
        if (m_hWnd != nullptr && ::IsDialogMessageA(m_hWnd, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDTemplate = nIDTemplate;
    if (m_nIDHelp == 0)
        m_nIDHelp = nIDTemplate;
    m_pParentWnd = pParentWnd;
    return CreateFromTemplate(pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr) != nullptr;
}

void CDialog::EndDialog(int nResult)
{
    if (!m_inModalLoop)
        return;
    m_nModalResult = nResult;
    m_inModalLoop = false;
    // Wake the loop, which may be waiting for a message.
    ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    // F1 without Shift, Ctrl or Alt asks for help on this dialog.
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F1 && ::GetKeyState(VK_SHIFT) >= 0 &&
        ::GetKeyState(VK_CONTROL) >= 0 && ::GetKeyState(VK_MENU) >= 0) {
        SendMessage(WM_COMMAND, ID_HELP, 0);
        return TRUE;
    }
    return FALSE;
}

DWORD CDialog::GetHelpContext() const
{
    return m_nIDHelp != 0 ? kDialogHelpContextBase + m_nIDHelp : 0;
}

bool CDialog::WantsAutoCenter() const
{
    DWORD style = 0;
    if (!TemplatePlacedAtOrigin(AfxGetInstanceHandle(), m_nIDTemplate, &style))
        return false;
    if ((style & (DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN | WS_CHILD)) != 0)
        return false;
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    return owner == nullptr || !::IsWindowEnabled(owner);
}

INT_PTR CALLBACK AfxDialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    // From here on the framework's window procedure sees every message
    // first and the dialog manager's default processing comes after it.
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    if (dialog == nullptr || !dialog->SubclassWindow(hWnd))
        return TRUE;
    const BOOL focusDefault = dialog->OnInitDialog();
    if (dialog->m_hWnd != nullptr && dialog->WantsAutoCenter())
        dialog->CenterWindow();
    return focusDefault;
}
