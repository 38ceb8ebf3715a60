// Message tables as data. Each class with handlers has a static table of
// entries (message, notification code, control id, handler) and a link to its
// base class's table; dispatch walks the chain and the window's default
// processing takes whatever no table handles.
//
// Handlers are reached through small function templates instantiated with the
// exact member-function type that each kind of entry expects, so a handler
// with the wrong signature does not compile; no member-function pointer is
// ever cast.
#pragma once

#include <windows.h>

class CCmdTarget;
class CDC;
class CWnd;

using MessageHandler = LRESULT (*)(CCmdTarget& target, WPARAM wParam, LPARAM lParam);

struct MessageEntry {
    UINT message;           // WM_... ; WM_COMMAND for commands and notifications
    UINT code;              // notification code within WM_COMMAND
    UINT id;                // command or control id within WM_COMMAND
    bool reflected;         // handles the notification a parent reflects back
    MessageHandler handler; // nullptr ends a table
};

struct MessageMap {
    const MessageMap* (*base)(); // nullptr at the root
    const MessageEntry* entries;
};

// The invokers, one per handler signature. The static_cast turns the target
// into the class whose table holds the entry, which is the class it is.
namespace MessageInvoke {
template <class T, void (T::*Fn)()> LRESULT Void(CCmdTarget& target, WPARAM, LPARAM)
{
    (static_cast<T&>(target).*Fn)();
    return 0;
}

template <class T, void (T::*Fn)(UINT, LPARAM)>
LRESULT SysCommand(CCmdTarget& target, WPARAM wParam, LPARAM lParam)
{
    (static_cast<T&>(target).*Fn)(static_cast<UINT>(wParam), lParam);
    return 0;
}

template <class T, HCURSOR (T::*Fn)()> LRESULT QueryDragIcon(CCmdTarget& target, WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>((static_cast<T&>(target).*Fn)());
}

template <class T, BOOL (T::*Fn)(CWnd*, UINT, UINT)>
LRESULT SetCursor(CCmdTarget& target, WPARAM wParam, LPARAM lParam);

template <class T, HBRUSH (T::*Fn)(CDC*, UINT)>
LRESULT CtlColorReflect(CCmdTarget& target, WPARAM wParam, LPARAM lParam);
} // namespace MessageInvoke

#define DECLARE_MESSAGE_MAP()                                                                                \
public:                                                                                                      \
    static const MessageMap* GetThisMessageMap();                                                            \
    const MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                               \
    const MessageMap* theClass::GetMessageMap() const                                                        \
    {                                                                                                        \
        return GetThisMessageMap();                                                                          \
    }                                                                                                        \
    const MessageMap* theClass::GetThisMessageMap()                                                          \
    {                                                                                                        \
        using ThisClass [[maybe_unused]] = theClass;                                                         \
        using TheBaseClass = baseClass;                                                                      \
        static const MessageEntry entries[] = {

#define END_MESSAGE_MAP()                                                                                    \
    {                                                                                                        \
        0, 0, 0, false, nullptr                                                                              \
    }                                                                                                        \
    }                                                                                                        \
    ;                                                                                                        \
    static const MessageMap map = {&TheBaseClass::GetThisMessageMap, entries};                               \
    return &map;                                                                                             \
    }

#define ON_COMMAND(id, memberFn)                                                                             \
    {WM_COMMAND, 0, (id), false, &MessageInvoke::Void<ThisClass, &ThisClass::memberFn>},
#define ON_BN_CLICKED(id, memberFn)                                                                          \
    {WM_COMMAND, BN_CLICKED, (id), false, &MessageInvoke::Void<ThisClass, &ThisClass::memberFn>},
#define ON_CONTROL_REFLECT(code, memberFn)                                                                   \
    {WM_COMMAND, (code), 0, true, &MessageInvoke::Void<ThisClass, &ThisClass::memberFn>},
#define ON_WM_SYSCOMMAND()                                                                                   \
    {WM_SYSCOMMAND, 0, 0, false, &MessageInvoke::SysCommand<ThisClass, &ThisClass::OnSysCommand>},
#define ON_WM_PAINT() {WM_PAINT, 0, 0, false, &MessageInvoke::Void<ThisClass, &ThisClass::OnPaint>},
#define ON_WM_QUERYDRAGICON()                                                                                \
    {WM_QUERYDRAGICON, 0, 0, false, &MessageInvoke::QueryDragIcon<ThisClass, &ThisClass::OnQueryDragIcon>},
#define ON_WM_SETCURSOR()                                                                                    \
    {WM_SETCURSOR, 0, 0, false, &MessageInvoke::SetCursor<ThisClass, &ThisClass::OnSetCursor>},
#define ON_WM_CTLCOLOR_REFLECT()                                                                             \
    {WM_CTLCOLORSTATIC, 0, 0, true, &MessageInvoke::CtlColorReflect<ThisClass, &ThisClass::CtlColor>},
