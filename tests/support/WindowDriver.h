// Drives real windows from a second thread or process the way a user would:
// finds dialogs and message boxes, reads and types texts, clicks, and waits
// for conditions with a deadline instead of sleeping for fixed times.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace WindowDriver {

using namespace std::chrono_literals;
inline constexpr std::chrono::milliseconds kDefaultTimeout = 10s;

// Polls `condition` until it holds or the deadline passes.
bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout = kDefaultTimeout);

std::string ClassOf(HWND hWnd);
// The window text, read with WM_GETTEXT (works across threads and processes).
std::string TextOf(HWND hWnd);
std::string ItemText(HWND hDlg, int id);
void SetItemText(HWND hDlg, int id, const std::string& text);

// Matches windows of every process.
inline constexpr DWORD kAnyProcess = 0xFFFFFFFF;

// Top-level windows of process `pid` (0: this process) whose class is
// `className` and, when given, whose caption is `caption`.
std::vector<HWND> TopLevelWindows(DWORD pid, const char* className, const char* caption = nullptr);
// Waits for one such window that is visible.
HWND WaitForWindow(DWORD pid, const char* className, const char* caption,
                   std::chrono::milliseconds timeout = kDefaultTimeout);

// A message box owned by `owner`: a "#32770" window with a button, whose
// text sits in the static control 0xFFFF.
struct MessageBoxInfo {
    HWND hWnd = nullptr;
    std::string caption;
    std::string text;
};
MessageBoxInfo WaitForMessageBox(HWND owner, std::chrono::milliseconds timeout = kDefaultTimeout);
// Presses the box's button `id` (IDOK, IDYES, IDNO, ...) and waits until it has gone.
bool AnswerMessageBox(HWND box, int id = IDOK);

// Clicks a button the way the dialog manager reports it.
void Click(HWND hDlg, int id);
// Posts a key press (down and up) to `hWnd`.
void PressKey(HWND hWnd, WPARAM key);

// The focused window of the thread that owns `hWnd`.
HWND FocusOf(HWND hWnd);

} // namespace WindowDriver
