// The real Quorvane.exe, started as its own process and used from outside.
#include "StartProcess.h"
#include "WindowDriver.h"
#include "WinePath.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <string>

using namespace WindowDriver;

namespace {

std::string ProgramPath()
{
    return WindowsPathOf(QUORVANE_EXE);
}

class Program {
public:
    Program()
    {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string command = "\"" + ProgramPath() + "\"";
        const ProcessStart start = StartProcess(command, false, startup, process);
        started = start.started;
        if (!started)
            failure = DescribeFailedStart(command, start);
    }
    ~Program()
    {
        if (!started)
            return;
        if (::WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
            ::TerminateProcess(process.hProcess, 1);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    bool Ended(DWORD timeoutMs) const
    {
        return ::WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0;
    }

    bool started = false;
    std::string failure;
    PROCESS_INFORMATION process{};
};

TEST(ProgramTest, StartsComputesAndEnds)
{
    Program program;
    ASSERT_TRUE(program.started) << program.failure;
    HWND hDlg =
        WaitForWindow(program.process.dwProcessId, "#32770", "Quorvane v1.0", std::chrono::seconds(30));
    ASSERT_NE(hDlg, nullptr);
    EXPECT_EQ(ItemText(hDlg, IDC_XTI), "14.31818");
    EXPECT_EQ(ItemText(hDlg, IDC_RATIO), "256");

    Click(hDlg, IDC_COMPUTE);
    EXPECT_TRUE(WaitFor([&] { return ItemText(hDlg, IDC_REG101) == "187"; }));
    EXPECT_EQ(ItemText(hDlg, IDC_REG07), "  0");
    EXPECT_EQ(ItemText(hDlg, IDC_REG81), "119");
    EXPECT_EQ(ItemText(hDlg, IDC_VCO_48K), "196.61");
    EXPECT_EQ(ItemText(hDlg, IDC_OCLK_44K1), "11.290");

    // The application's own message box carries the program's title.
    SetItemText(hDlg, IDC_XTI, "4");
    Click(hDlg, IDC_COMPUTE);
    const MessageBoxInfo box = WaitForMessageBox(hDlg);
    ASSERT_NE(box.hWnd, nullptr);
    EXPECT_EQ(box.caption, "Quorvane");
    EXPECT_EQ(box.text, "Sorry, this crystal frequency does not allow this config");
    AnswerMessageBox(box.hWnd);

    ::PostMessageA(hDlg, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.Ended(10000));
}

} // namespace
