// The about box as a modal dialog of the framework's loop: driven, its link goes to the shell
// opener (recorded here, never run).
#include "ui/aboutdlg.h"

#include "testsupport/dialogdriver.h"
#include "testsupport/shellrecorder.h"

#include <gtest/gtest.h>

TEST(AboutBox, RunsModallyAndItsLinkOpensTheAddressOnce)
{
    ShellRecorder shell;
    HWND link = nullptr;
    CString tip;
    ScopedDialogDriver driver({[&](CWnd* d) {
        auto& box = dynamic_cast<CAboutDlg&>(*d);
        link = box.m_link.m_hWnd;
        tip = box.m_link.GetToolTip().GetText(&box.m_link);
        // A click on the link: it opens the address itself; the box must not open it again.
        ::SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        ::SendMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        ScopedDialogDriver::Send(d, IDOK);
    }});
    CAboutDlg about;
    EXPECT_EQ(IDOK, about.DoModal());
    ASSERT_NE(nullptr, link);
    EXPECT_EQ(CAboutDlg::WebAddress(), tip);
    ASSERT_EQ(1u, shell.Count());
    EXPECT_FALSE(shell.Last().help);
    EXPECT_EQ("open", shell.Last().verb);
    EXPECT_EQ(CAboutDlg::WebAddress(), shell.Last().file);
    EXPECT_EQ(SW_SHOWDEFAULT, shell.Last().show);
    EXPECT_EQ(link, shell.Last().owner);
    EXPECT_EQ(nullptr, about.m_hWnd);
}
