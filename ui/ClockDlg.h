// The main dialog: crystal frequency and ratio in, nine registers and six
// clock frequencies out.
#pragma once

#include "Afx.h"

#include <cstdint>

class CClockDlg : public CDialog {
public:
    explicit CClockDlg(CWnd* pParent = nullptr);

    std::int32_t m_ratio = 0; // field 1002
    double m_xtiMHz = 0.0;    // field 1001, MHz

protected:
    HICON m_hIcon; // shared application icon; never destroyed here

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnCompute();
    void OnAbout();

    DECLARE_MESSAGE_MAP()
};
