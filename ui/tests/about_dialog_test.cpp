// The about box as a modal dialog of the framework's loop: driven, its link goes to the shell
// opener (recorded here, never run).
#include "ui/aboutdlg.h"

#include "testsupport/dialogdriver.h"
#include "testsupport/shellrecorder.h"

#include <gtest/gtest.h>

TEST(AboutBox, RunsModallyAndItsLinkGoesThroughTheShellOpener)
{
    ShellRecorder shell;
    HWND shown = nullptr;
    ScopedDialogDriver driver({[&](CWnd* d) {
        shown = d->m_hWnd;
        dynamic_cast<CAboutDlg&>(*d).OnLinkClicked();
        ScopedDialogDriver::Send(d, IDOK);
    }});
    CAboutDlg about;
    EXPECT_EQ(IDOK, about.DoModal());
    ASSERT_NE(nullptr, shown);
    ASSERT_EQ(1u, shell.Count());
    EXPECT_FALSE(shell.Last().help);
    EXPECT_EQ("open", shell.Last().verb);
    EXPECT_EQ(CAboutDlg::WebAddress(), shell.Last().file);
    EXPECT_EQ(shown, shell.Last().owner);
    EXPECT_EQ(nullptr, about.m_hWnd);
}
