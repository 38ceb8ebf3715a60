// Running the real dialogs in the test process: an application object named
// like the program, a record of the windows the GUI thread creates and
// destroys, and a runner that drives a modal dialog from a second thread.
#pragma once

#include "Afx.h"
#include "WindowDriver.h"

#include <functional>
#include <mutex>
#include <string>
#include <vector>

// The application object of the window tests. Its title is the program's,
// so that message boxes carry the caption users see.
class TestApp : public CWinApp {
public:
    TestApp() : CWinApp("Quorvane") {}

    struct HelpCall {
        std::string path;
        DWORD_PTR data;
        UINT command;
    };
    std::vector<HelpCall> helpCalls;

    BOOL WinHelp(DWORD_PTR data, UINT command) override;
};

TestApp& TheTestApp();

// What happened to the windows of the GUI thread, in order, as recorded by
// a hook on that thread.
struct WindowEvent {
    enum Kind { Create, Activate, Destroy } kind;
    std::string className;
    std::string caption;
    bool visible;        // at Destroy: was the window still on screen
    RECT rect;           // at Destroy: where it was
    bool noticeOnScreen; // at Create and Activate: was the "Computing...." notice visible
};

class WindowLog {
public:
    WindowLog();
    ~WindowLog();
    std::vector<WindowEvent> Events() const;
    // Events about windows captioned `caption`.
    std::vector<WindowEvent> EventsFor(const std::string& caption) const;
    void Clear();

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    HHOOK m_hook;
    mutable std::mutex m_mutex;
    std::vector<WindowEvent> m_events;
    static WindowLog* s_current;
};

// Runs `dialog` modally on this thread as the application's main window
// while `drive` works on it from a second thread. Afterwards the dialog is
// cancelled if it is still open. Returns DoModal's result.
INT_PTR RunDriven(CDialog& dialog, const char* caption, const std::function<void(HWND)>& drive);
