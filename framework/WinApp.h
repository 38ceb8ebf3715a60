// The application object: one global instance, its start-up operation, its
// title, its message box and the Help command.
#pragma once

#include "CmdTarget.h"

#include <windows.h>

#include <string>

class CWnd;

// The framework's Help command, raised by F1 in a dialog.
inline constexpr UINT ID_HELP = 0xE146; // 57670
// The help context the framework gives a dialog template.
inline constexpr DWORD kDialogHelpContextBase = 0x20000;

class CWinApp : public CCmdTarget {
public:
    // Registers this object as the application. Without a name, the title is
    // the executable's file name without its extension.
    explicit CWinApp(const char* appName = nullptr);
    ~CWinApp() override;

    // Start-up: false ends the program at once.
    virtual BOOL InitInstance();
    virtual int ExitInstance();

    // Three-dimensional control drawing is built into Windows 4 and later,
    // where this does nothing.
    BOOL Enable3dControlsStatic();

    HICON LoadIcon(UINT nID) const;
    HCURSOR LoadCursor(UINT nID) const;

    // The framework's default Help handler: the help engine, the file named
    // after the executable with ".HLP", the active dialog's context.
    void OnHelp();
    // What OnHelp asks the help engine for; tests stand in for the engine.
    virtual BOOL WinHelp(DWORD_PTR data, UINT command = HELP_CONTEXT);

    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;
    std::string m_strTitle;    // the application title
    std::string m_strHelpPath; // <exe dir>\<exe name>.HLP

    DECLARE_MESSAGE_MAP()

private:
    std::string m_strAppName;
    friend BOOL AfxWinInit(HINSTANCE hInstance);
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
const char* AfxGetAppTitle();

// Fills in the application's instance, title and help path from the running
// executable. The entry point calls it before InitInstance.
BOOL AfxWinInit(HINSTANCE hInstance);

// The application's message box: OK and the exclamation icon unless told
// otherwise, the title as caption, owned by the most recently active popup
// of the main window.
int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);
int AfxMessageBox(UINT stringId, UINT type = MB_OK);

// A string resource of the application, or "" when there is none.
std::string AfxLoadString(UINT nID);

// The entry point's work: initialise, run InitInstance, end.
int AfxWinMain(HINSTANCE hInstance);
