// Dialogs from templates: modal runs with the framework's own loop,
// modeless creation, and the default initialisation, OK and Cancel.
#pragma once

#include "Wnd.h"

class CDialog : public CWnd {
public:
    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Runs the dialog modally: its owner is the given parent, else the
    // application's main window; the owner stays disabled until the run
    // ends. Returns the end code, or -1 when the window cannot be made.
    virtual INT_PTR DoModal();
    // Makes the dialog as a modeless window owned by `pParentWnd`.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    // Ends a modal run with `nResult`.
    void EndDialog(int nResult);

    // Default initialisation: members to fields. True lets the dialog
    // manager focus the first tab stop.
    virtual BOOL OnInitDialog();
    // Fields to members; the run ends only when that succeeds.
    virtual void OnOK();
    // Ends the run at once.
    virtual void OnCancel();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    DWORD GetHelpContext() const override;

    UINT m_nIDHelp = 0;

    DECLARE_MESSAGE_MAP()

protected:
    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;

private:
    bool m_inModalLoop = false;
    INT_PTR m_nModalResult = -1;

    HWND CreateFromTemplate(HWND owner);
    void RunModalLoop();
    // A template placed at 0, 0 without a centring style asks the framework
    // to centre the dialog when it opens, unless an enabled owner makes it
    // a modeless companion.
    bool WantsAutoCenter() const;

    friend INT_PTR CALLBACK AfxDialogProc(HWND, UINT, WPARAM, LPARAM);
};

INT_PTR CALLBACK AfxDialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
