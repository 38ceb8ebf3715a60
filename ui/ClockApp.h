// The application object: runs the main dialog and ends with it.
#pragma once

#include "Afx.h"

class CClockApp : public CWinApp {
public:
    CClockApp() = default;
    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};
