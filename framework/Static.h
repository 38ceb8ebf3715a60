// A static control bound to an object.
#pragma once

#include "Wnd.h"

class CStatic : public CWnd {
public:
    CStatic() = default;

    DECLARE_MESSAGE_MAP()
};
