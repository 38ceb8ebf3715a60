// Dialog data exchange: moving values between dialog fields and members.
#pragma once

#include <windows.h>

#include <cstdint>

class CWnd;

// Thrown by CDataExchange::Fail to abandon an exchange; UpdateData catches
// it. Never leaves the framework.
class CUserException {};

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate; // true: fields to members
    CWnd* m_pDlgWnd;

    // The field that the next exchange works on, remembered for Fail.
    HWND PrepareEditCtrl(int nIDC);
    HWND PrepareCtrl(int nIDC);
    // Gives the last prepared field the focus with its whole text selected
    // and abandons the exchange.
    [[noreturn]] void Fail();

private:
    HWND m_hWndLastControl = nullptr;
    bool m_bEditLastControl = false;
};

// A signed 32-bit integer field ("%d"); refused with "Please enter an integer.".
void DDX_Text(CDataExchange* pDX, int nIDC, std::int32_t& value);
// A double field ("%.*g" with 15 digits); refused with "Please enter a number.".
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
// Binds `control` to the dialog's control `nIDC` at the first exchange.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& control);
