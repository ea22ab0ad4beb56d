// The link-image dialog's work per repaint and per notification: an image slot reads its picture
// once per path (repaints, focus changes and rows with the same path read nothing), and the
// folder and type boxes rescan the browser only when their selection really changes or a folder
// is opened, not on focus or drop-down notifications.
#include "document/labeldoc.h"
#include "testsupport/dialogdriver.h"
#include "ui/imagewindow.h"
#include "ui/linkimagedlg.h"
#include "ui/linkimagerows.h"
#include "ui/tests/imagefolder.h"

#include <gtest/gtest.h>

#include <dlgs.h>
#include <memory>
#include <string>

using namespace imagefolder;

namespace {

bool Near(COLORREF want, COLORREF got)
{
    auto close = [](int a, int b) { return a - b < 24 && b - a < 24; };
    return close(GetRValue(want), GetRValue(got)) && close(GetGValue(want), GetGValue(got)) &&
           close(GetBValue(want), GetBValue(got));
}

std::unique_ptr<COstrelindSoftLabelDoc> ImageDoc(const std::vector<CString>& column)
{
    auto doc = std::make_unique<COstrelindSoftLabelDoc>();
    doc->m_bAutoDelete = FALSE;
    doc->OnNewDocument();
    for (size_t r = 0; r < column.size() + 2; ++r)
        doc->GetTableSlot(0).SetCellText(("r" + std::to_string(r)).c_str(), static_cast<int>(r), 0);
    doc->ToggleImageColumn(1);
    for (size_t r = 0; r < column.size(); ++r)
        doc->GetTableSlot(0).SetCellText(column[r], static_cast<int>(r), 1);
    doc->SetModifiedFlag(FALSE);
    return doc;
}

class SlotPictures : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(WriteKinds(dir));
        ASSERT_TRUE(RegisterImageWindowClasses());
        ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "slots", WS_POPUP | WS_VISIBLE, 10, 10, 200, 200, nullptr,
                                  nullptr));
    }
    void TearDown() override
    {
        if (host.m_hWnd != nullptr)
            host.DestroyWindow();
        Drain();
    }
    // The slot as the dialog has it: a window of the slot class, id 1056, over the rows.
    void MakeSlot(CLinkImageRows& rows)
    {
        HWND wnd = ::CreateWindowExA(0, kImageWindowClass, "", WS_CHILD | WS_VISIBLE, 20, 20, 80, 80, host.m_hWnd,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(CImageWindow::kFirstId)), nullptr,
                                     nullptr);
        ASSERT_NE(nullptr, wnd);
        ASSERT_TRUE(slot.SubclassWindow(wnd));
        slot.SetRows(&rows);
    }
    void Repaint()
    {
        slot.Invalidate(TRUE);
        slot.UpdateWindow();
    }
    COLORREF Centre()
    {
        RECT client;
        slot.GetClientRect(&client);
        HDC dc = ::GetDC(slot.m_hWnd);
        const COLORREF c = ::GetPixel(dc, client.right / 2, client.bottom / 2);
        ::ReleaseDC(slot.m_hWnd, dc);
        return c;
    }

    TempDir dir;
    CWnd host;
    CImageWindow slot;
};

} // namespace

TEST_F(SlotPictures, ASlotReadsItsPictureOncePerPathNotAtEveryPaint)
{
    auto doc = ImageDoc({ dir.Path("a.png"), dir.Path("c.bmp"), dir.Path("c.bmp"), "", dir.Path("d.wmf"),
                          dir.Path("e.jpeg") });
    CLinkImageRows rows(doc.get(), 1);
    MakeSlot(rows);
    Repaint();
    EXPECT_EQ(1, slot.GetPictureReads());
    EXPECT_STREQ(dir.Path("a.png"), slot.GetPicturePath());
    EXPECT_TRUE(Near(kYellow, Centre()));

    // Repaints and focus changes draw the kept picture.
    for (int i = 0; i < 5; ++i)
        Repaint();
    slot.SetFocus();
    slot.UpdateWindow();
    host.SetFocus();
    slot.UpdateWindow();
    EXPECT_EQ(1, slot.GetPictureReads());
    EXPECT_TRUE(Near(kYellow, Centre()));

    // Next: another path is read once; the row after it holds the same path and reads nothing.
    rows.MoveToNextRow();
    Repaint();
    Repaint();
    EXPECT_EQ(2, slot.GetPictureReads());
    EXPECT_TRUE(Near(kBlue, Centre()));
    rows.MoveToNextRow();
    Repaint();
    EXPECT_EQ(2, slot.GetPictureReads());
    EXPECT_TRUE(Near(kBlue, Centre()));

    // An empty cell shows nothing; a metafile is drawn by its holder, a JPEG by the shrinking
    // reader.
    rows.MoveToNextRow();
    Repaint();
    EXPECT_EQ(2, slot.GetPictureReads());
    EXPECT_EQ(RGB(255, 255, 255), Centre());
    rows.MoveToNextRow();
    Repaint();
    Repaint();
    EXPECT_EQ(3, slot.GetPictureReads());
    EXPECT_TRUE(Near(kRed, Centre()));
    rows.MoveToNextRow();
    Repaint();
    Repaint();
    EXPECT_EQ(4, slot.GetPictureReads());
    EXPECT_TRUE(Near(kCyan, Centre()));

    // Back at the first row the picture is read again (its path changed), once.
    for (int i = 0; i < 5; ++i)
        rows.MoveToPreviousRow();
    ASSERT_EQ(1, rows.GetCurrentRow());
    Repaint();
    Repaint();
    EXPECT_EQ(5, slot.GetPictureReads());
    EXPECT_TRUE(Near(kYellow, Centre()));

    // A new file dropped on the slot is read; Delete clears the cell and the picture.
    slot.TakeFiles({ dir.Path("F.PNG") });
    slot.UpdateWindow();
    EXPECT_EQ(6, slot.GetPictureReads());
    EXPECT_TRUE(Near(kMagenta, Centre()));
    slot.SendMessage(WM_KEYDOWN, VK_DELETE, 0);
    slot.UpdateWindow();
    EXPECT_EQ(6, slot.GetPictureReads());
    EXPECT_EQ(RGB(255, 255, 255), Centre());
    EXPECT_STREQ("", slot.GetPicturePath());
}

namespace {

// Counts the rescans the browser receives (they are posted to it).
HWND g_browser = nullptr;
int g_rescans = 0;

LRESULT CALLBACK CountRescans(int code, WPARAM wParam, LPARAM lParam)
{
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code >= 0 && wParam == PM_REMOVE && msg->hwnd == g_browser && msg->message == WM_IMAGEBROWSER_RESCAN)
        ++g_rescans;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

int Selection(HWND control, bool list)
{
    return static_cast<int>(::SendMessageA(control, list ? LB_GETCURSEL : CB_GETCURSEL, 0, 0));
}

} // namespace

TEST(LinkImageFolderBoxes, OnlyARealSelectionChangeOrAnOpenedFolderRescansTheBrowser)
{
    TempDir dir;
    ASSERT_TRUE(WriteKinds(dir));
    ::CreateDirectoryA(dir.Path("sub"), nullptr);
    ASSERT_TRUE(Solid(dir.Path("sub\\only.png"), GUID_ContainerFormatPng, kBlue));
    char saved[MAX_PATH] = {};
    ::GetCurrentDirectoryA(sizeof saved, saved);

    HHOOK hook = ::SetWindowsHookExA(WH_GETMESSAGE, CountRescans, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(nullptr, hook);
    bool ran = false;
    ScopedDialogDriver driver({ [&](CWnd* wnd) {
        ran = true;
        auto* dialog = dynamic_cast<CLinkImageFileDialog*>(wnd);
        ASSERT_NE(nullptr, dialog);
        const HWND hwnd = dialog->m_hWnd;
        g_browser = dialog->m_browser.m_hWnd;
        ::ShowWindow(hwnd, SW_SHOW);
        Drain();
        EXPECT_EQ(1, g_rescans) << "the first listing";
        const HWND folders = ::GetDlgItem(hwnd, lst2);
        const HWND types = ::GetDlgItem(hwnd, cmb1);
        const HWND drives = ::GetDlgItem(hwnd, cmb2);
        ASSERT_NE(nullptr, folders);
        ASSERT_NE(nullptr, types);
        ASSERT_NE(nullptr, drives);

        // Focus moving through the three boxes, their lists dropped down and closed, and a
        // selection note that changes nothing: no rescan.
        for (HWND box : { folders, types, drives, folders })
            ::SetFocus(box);
        ::SendMessageA(types, CB_SHOWDROPDOWN, TRUE, 0);
        ::SendMessageA(types, CB_SHOWDROPDOWN, FALSE, 0);
        ::SendMessageA(drives, CB_SHOWDROPDOWN, TRUE, 0);
        ::SendMessageA(drives, CB_SHOWDROPDOWN, FALSE, 0);
        ::SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SETFOCUS), reinterpret_cast<LPARAM>(types));
        ::SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(cmb1, CBN_DROPDOWN), reinterpret_cast<LPARAM>(types));
        ::SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(lst2, LBN_SETFOCUS), reinterpret_cast<LPARAM>(folders));
        ::SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(types));
        ::SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(cmb2, CBN_SELCHANGE), reinterpret_cast<LPARAM>(drives));
        ::SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(lst2, LBN_SELCHANGE), reinterpret_cast<LPARAM>(folders));
        Drain();
        EXPECT_EQ(1, g_rescans);
        EXPECT_EQ(6, dialog->m_browser.GetEntryCount());

        // The type box set to its second type by the keyboard: one rescan; the same note again
        // changes nothing.
        ASSERT_GE(::SendMessageA(types, CB_GETCOUNT, 0, 0), 2);
        const int type = Selection(types, false);
        ::SetFocus(types);
        ::SendMessageA(types, WM_KEYDOWN, VK_DOWN, 0);
        Drain();
        ASSERT_NE(type, Selection(types, false));
        EXPECT_EQ(2, g_rescans);
        ::SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(types));
        Drain();
        EXPECT_EQ(2, g_rescans);

        // Another folder selected in the list: one rescan; a folder opened by a double click:
        // one more, and the browser lists that folder.
        const int sub = LastListItemContaining(folders, "sub");
        ASSERT_GE(sub, 0);
        ASSERT_NE(sub, Selection(folders, true));
        ::SendMessageA(folders, LB_SETCURSEL, sub, 0);
        ::SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(lst2, LBN_SELCHANGE), reinterpret_cast<LPARAM>(folders));
        Drain();
        EXPECT_EQ(3, g_rescans);
        ::SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(lst2, LBN_DBLCLK), reinterpret_cast<LPARAM>(folders));
        Drain();
        EXPECT_EQ(4, g_rescans);
        EXPECT_EQ(dir.Path("sub"), CString(dialog->m_browser.GetFolder()));
        EXPECT_EQ(1, dialog->m_browser.GetEntryCount());

        ScopedDialogDriver::Post(dialog, IDCANCEL);
    } });
    CLinkImageFileDialog dialog("Image files |*.jpg;*.jpeg;*.bmp;*.png;*.wmf|PNG files|*.png||", dir.Path().GetString(),
                                nullptr);
    dialog.DoModal();
    ::UnhookWindowsHookEx(hook);
    ::SetCurrentDirectoryA(saved);
    g_browser = nullptr;
    g_rescans = 0;
    EXPECT_TRUE(ran);
}
