// The root of everything that has a message table: windows and the
// application object.
#pragma once

#include "MessageMap.h"

class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    static const MessageMap* GetThisMessageMap();
    virtual const MessageMap* GetMessageMap() const;

    // Runs the first entry of the table chain that matches; false when no
    // table has one. `reflected` selects the entries for notifications that
    // a parent hands back to the control that sent them.
    bool DispatchMessageMap(UINT message, WPARAM wParam, LPARAM lParam, bool reflected, LRESULT& result);
};
