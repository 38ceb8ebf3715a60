#include "WinApp.h"

#include "Wnd.h"

#include <vector>

namespace {
CWinApp* g_app = nullptr;

// The running executable's full path.
std::string ModulePath(HINSTANCE hInstance)
{
    std::vector<char> path(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameA(hInstance, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size())
            return std::string(path.data(), length);
        path.resize(path.size() * 2);
    }
}
} // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CWinApp::CWinApp(const char* appName)
{
    if (appName != nullptr)
        m_strAppName = appName;
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

BOOL CWinApp::Enable3dControlsStatic()
{
    const DWORD version = ::GetVersion();
    return LOBYTE(LOWORD(version)) >= 4;
}

HICON CWinApp::LoadIcon(UINT nID) const
{
    return ::LoadIconA(m_hInstance, MAKEINTRESOURCEA(nID));
}

HCURSOR CWinApp::LoadCursor(UINT nID) const
{
    return ::LoadCursorA(m_hInstance, MAKEINTRESOURCEA(nID));
}

void CWinApp::OnHelp()
{
    // The context of the window the user is in: the active dialog, else the
    // main window.
    DWORD context = 0;
    if (CWnd* active = CWnd::FromHandlePermanent(::GetActiveWindow()))
        context = active->GetHelpContext();
    if (context == 0 && m_pMainWnd != nullptr)
        context = m_pMainWnd->GetHelpContext();
    WinHelp(context, HELP_CONTEXT);
}

BOOL CWinApp::WinHelp(DWORD_PTR data, UINT command)
{
    HWND owner = m_pMainWnd != nullptr ? m_pMainWnd->m_hWnd : nullptr;
    return ::WinHelpA(owner, m_strHelpPath.c_str(), command, data);
}

CWinApp* AfxGetApp()
{
    return g_app;
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_app != nullptr && g_app->m_hInstance != nullptr ? g_app->m_hInstance
                                                             : ::GetModuleHandleA(nullptr);
}

const char* AfxGetAppTitle()
{
    return g_app != nullptr ? g_app->m_strTitle.c_str() : "";
}

BOOL AfxWinInit(HINSTANCE hInstance)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return FALSE;
    app->m_hInstance = hInstance;
    const std::string path = ModulePath(hInstance);
    const size_t slash = path.find_last_of("\\/");
    const std::string directory = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos)
        name.resize(dot);
    app->m_strTitle = app->m_strAppName.empty() ? name : app->m_strAppName;
    app->m_strHelpPath = directory + name + ".HLP";
    return TRUE;
}

int AfxMessageBox(const char* text, UINT type, UINT)
{
    if ((type & MB_ICONMASK) == 0)
        type |= MB_ICONEXCLAMATION;
    HWND owner = nullptr;
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd != nullptr && app->m_pMainWnd->m_hWnd != nullptr)
        owner = ::GetLastActivePopup(app->m_pMainWnd->m_hWnd);
    return ::MessageBoxA(owner, text, AfxGetAppTitle(), type);
}

int AfxMessageBox(UINT stringId, UINT type)
{
    return AfxMessageBox(AfxLoadString(stringId).c_str(), type);
}

std::string AfxLoadString(UINT nID)
{
    // A string resource is at most 4096 characters long.
    char text[4097];
    const int length = ::LoadStringA(AfxGetInstanceHandle(), nID, text, sizeof text);
    return std::string(text, length > 0 ? static_cast<size_t>(length) : 0);
}

int AfxWinMain(HINSTANCE hInstance)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr || !AfxWinInit(hInstance))
        return -1;
    // The program runs its main dialog modally inside InitInstance, whose
    // result only says whether to run a loop of the application's own; this
    // framework has none, so the program ends either way.
    app->InitInstance();
    return app->ExitInstance();
}
