// The link-image dialog run for real (modal, the old-style common dialog on template 331) over a
// project whose table has two image columns, driven by the dialog driver once it is initialised:
// hidden controls, drags onto a slot with their undo step, dropped files, Delete, the row moves,
// a folder changed by a double click, and a dialog without an owner.
#include "document/labeldoc.h"
#include "testsupport/dialogdriver.h"
#include "ui/linkimagedlg.h"
#include "ui/linkimagerows.h"
#include "ui/tests/imagefolder.h"
#include "testsupport/dropfiles.h"
#include "testsupport/msgboxrecorder.h"

#include <gtest/gtest.h>

#include <shlobj.h>
#include <memory>
#include <string>
#include <vector>

using namespace imagefolder;

namespace {

const int kImageB = 1;   // first image column: B
const int kImageD = 3;   // second image column: D

std::unique_ptr<COstrelindSoftLabelDoc> ImageDoc()
{
    auto doc = std::make_unique<COstrelindSoftLabelDoc>();
    doc->m_bAutoDelete = FALSE;
    doc->OnNewDocument();
    for (int r = 0; r < 6; ++r)
        doc->GetTableSlot(0).SetCellText(("r" + std::to_string(r)).c_str(), r, 0);
    doc->ToggleImageColumn(kImageB);
    doc->ToggleImageColumn(kImageD);
    doc->SetModifiedFlag(FALSE);
    return doc;
}

std::string Cell(COstrelindSoftLabelDoc& doc, int row, int column)
{
    const char* text = doc.GetTableSlot(0).GetCellText(row, column);
    return text != nullptr ? text : "";
}

bool Shown(HWND dialog, int id)
{
    return (::GetWindowLongA(::GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

std::string Text(HWND dialog, int id)
{
    char buffer[256] = {};
    ::GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
    return buffer;
}

// Drags the browser's selection (grabbed at entry `grab`) onto the slot with the given id.
void DragToSlot(CLinkImageFileDialog& dialog, int grab, int slotId)
{
    CImageBrowser& browser = dialog.m_browser;
    const POINT from = CellCentre(browser, grab);
    browser.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(from.x, from.y));
    RECT slot;
    ::GetWindowRect(::GetDlgItem(dialog.m_hWnd, slotId), &slot);
    POINT to = {(slot.left + slot.right) / 2, (slot.top + slot.bottom) / 2};
    browser.ScreenToClient(&to);
    browser.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(to.x, to.y));
    browser.SendMessage(WM_LBUTTONUP, 0, At(to.x, to.y));
}

std::vector<COLORREF> Pixels(HWND wnd, RECT rc)
{
    std::vector<COLORREF> out;
    HDC dc = ::GetDCEx(wnd, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    for (int y = rc.top; y < rc.bottom; y += 3)
        for (int x = rc.left; x < rc.right; x += 3)
            out.push_back(::GetPixel(dc, x, y));
    ::ReleaseDC(wnd, dc);
    return out;
}

class LinkImageDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(WriteKinds(m_dir));
        ::CreateDirectoryA(m_dir.Path("sub"), nullptr);
        ASSERT_TRUE(Solid(m_dir.Path("sub\\only.png"), GUID_ContainerFormatPng, kBlue));
        ::GetCurrentDirectoryA(sizeof m_saved, m_saved);
    }
    void TearDown() override { ::SetCurrentDirectoryA(m_saved); }

    TempDir m_dir;
    char m_saved[MAX_PATH] = {};
};

}  // namespace

TEST_F(LinkImageDialogTest, DragsDropsDeleteAndRowMovesFillTheImageColumns)
{
    auto doc = ImageDoc();
    CLinkImageRows rows(doc.get(), 1);
    bool ran = false;
    std::vector<std::string> paths;
    ScopedDialogDriver driver({[&](CWnd* wnd) {
        ran = true;
        auto* dialog = dynamic_cast<CLinkImageFileDialog*>(wnd);
        ASSERT_NE(nullptr, dialog);
        const HWND hwnd = dialog->m_hWnd;
        // The dialog box shows itself once its queue is idle; the script runs before that.
        ::ShowWindow(hwnd, SW_SHOW);
        Drain();
        ::UpdateWindow(hwnd);

        // Initialisation.
        char caption[64] = {};
        ::GetWindowTextA(hwnd, caption, sizeof caption);
        EXPECT_STREQ("Link image", caption);
        EXPECT_EQ("Close", Text(hwnd, IDCANCEL));
        for (int id : {IDOK, 1038, 1040, 1090, 1152, 1120, 1058, 1059, 1054, 1055})
            EXPECT_FALSE(Shown(hwnd, id)) << id;
        for (int id : {1056, 1057, 1052, 1053, 1051, 1121, 1136, 1137, 1062, 1063})
            EXPECT_TRUE(Shown(hwnd, id)) << id;
        EXPECT_EQ("1", Text(hwnd, 1061));
        EXPECT_NE(0, ::GetWindowLongA(::GetDlgItem(hwnd, 1056), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
        CImageBrowser& browser = dialog->m_browser;
        ASSERT_EQ(6, browser.GetEntryCount());
        EXPECT_EQ(m_dir.Path(), CString(browser.GetFolder()));

        // Three thumbnails in the order 0, 2, 1, dragged onto slot 2 by the last of them.
        browser.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, At(CellCentre(browser, 0).x, CellCentre(browser, 0).y));
        browser.SendMessage(WM_LBUTTONUP, MK_CONTROL, At(CellCentre(browser, 0).x, CellCentre(browser, 0).y));
        for (int i : {2, 1}) {
            const POINT p = CellCentre(browser, i);
            browser.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, At(p.x, p.y));
            browser.SendMessage(WM_LBUTTONUP, MK_CONTROL, At(p.x, p.y));
        }
        for (int k = 0; k < 3; ++k)
            paths.push_back(browser.GetSelectedPath(k));
        DragToSlot(*dialog, 1, 1057);
        EXPECT_FALSE(browser.IsDragging());
        EXPECT_EQ(0, browser.GetSelectedCount());
        EXPECT_EQ(paths[0], Cell(*doc, 0, kImageD));
        EXPECT_EQ(paths[1], Cell(*doc, 1, kImageD));
        EXPECT_EQ(paths[2], Cell(*doc, 2, kImageD));
        EXPECT_EQ("", Cell(*doc, 0, kImageB));
        EXPECT_TRUE(doc->IsModified());
        // One undo step takes all three back.
        ASSERT_TRUE(doc->GetTableUndo(0).UndoTableEdit(doc->GetTableSlot(0)));
        EXPECT_EQ("", Cell(*doc, 0, kImageD));
        EXPECT_EQ("", Cell(*doc, 2, kImageD));

        // Files dropped on slot 1 from the shell, then one thumbnail on slot 2: the row is full,
        // so the dialog moves to the next row.
        const std::string first = m_dir.Path("a.png").GetString();
        const std::string second = m_dir.Path("c.bmp").GetString();
        ::SendMessageA(::GetDlgItem(hwnd, 1056), WM_DROPFILES, reinterpret_cast<WPARAM>(DropBlock({first, second})), 0);
        EXPECT_EQ(first, Cell(*doc, 0, kImageB));
        EXPECT_EQ(second, Cell(*doc, 1, kImageB));
        Drain();
        EXPECT_EQ(1, rows.GetCurrentRow());
        const POINT p = CellCentre(browser, 3);
        browser.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(p.x, p.y));
        browser.SendMessage(WM_LBUTTONUP, 0, At(p.x, p.y));
        DragToSlot(*dialog, 3, 1057);
        EXPECT_EQ(std::string(m_dir.Path(browser.GetEntryName(3)).GetString()), Cell(*doc, 0, kImageD));
        Drain();
        EXPECT_EQ(2, rows.GetCurrentRow());
        EXPECT_EQ("2", Text(hwnd, 1061));

        // Delete in slot 1 clears row 2's cell; Previous goes back.
        ::SendMessageA(::GetDlgItem(hwnd, 1056), WM_KEYDOWN, VK_DELETE, 0);
        EXPECT_EQ("", Cell(*doc, 1, kImageB));
        ::SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(1062, BN_CLICKED), 0);
        EXPECT_EQ("1", Text(hwnd, 1061));
        EXPECT_EQ(1, rows.GetCurrentRow());

        // A double click on the sub-folder in the folder list lists that folder.
        HWND folders = ::GetDlgItem(hwnd, 1121);
        const int sub = LastListItemContaining(folders, "sub");
        ASSERT_GE(sub, 0);
        ::SendMessageA(folders, LB_SETCURSEL, sub, 0);
        ::SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(1121, LBN_DBLCLK), reinterpret_cast<LPARAM>(folders));
        Drain();
        EXPECT_EQ(m_dir.Path("sub"), CString(browser.GetFolder()));
        ASSERT_EQ(1, browser.GetEntryCount());
        EXPECT_STREQ("only.png", browser.GetEntryName(0));

        // The capture taken away mid-drag: the dialog's pixels come back and the cursor is free.
        const POINT c = CellCentre(browser, 0);
        browser.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, At(c.x, c.y));
        browser.SendMessage(WM_LBUTTONUP, MK_CONTROL, At(c.x, c.y));
        browser.UpdateWindow();
        RECT area = browser.CellRect(0);
        ::MapWindowPoints(browser.m_hWnd, hwnd, reinterpret_cast<POINT*>(&area), 2);
        ::InflateRect(&area, 20, 20);
        const std::vector<COLORREF> before = Pixels(hwnd, area);
        browser.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(c.x, c.y));
        ASSERT_TRUE(browser.IsDragging());
        browser.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(c.x + 10, c.y + 10));
        EXPECT_NE(before, Pixels(hwnd, area));   // the drag image is on the dialog
        ::ReleaseCapture();
        EXPECT_FALSE(browser.IsDragging());
        EXPECT_EQ(before, Pixels(hwnd, area));

        ScopedDialogDriver::Post(dialog, IDCANCEL);
    }});
    LinkImageCommand(rows, nullptr, m_dir.Path().GetString());
    EXPECT_TRUE(ran);
}

TEST_F(LinkImageDialogTest, WithoutAnOwnerOnlyRepaints)
{
    auto doc = ImageDoc();
    bool ran = false;
    ScopedDialogDriver driver({[&](CWnd* wnd) {
        ran = true;
        auto* dialog = dynamic_cast<CLinkImageFileDialog*>(wnd);
        ASSERT_NE(nullptr, dialog);
        const HWND hwnd = dialog->m_hWnd;
        Drain();
        for (int id : {1056, 1057, 1058, 1059})
            EXPECT_TRUE(Shown(hwnd, id)) << id;
        ::SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(1063, BN_CLICKED), 0);
        EXPECT_EQ("", Text(hwnd, 1061));
        const std::string path = m_dir.Path("a.png").GetString();
        ::SendMessageA(::GetDlgItem(hwnd, 1056), WM_DROPFILES, reinterpret_cast<WPARAM>(DropBlock({path})), 0);
        CImageBrowser& browser = dialog->m_browser;
        ASSERT_EQ(6, browser.GetEntryCount());
        const POINT p = CellCentre(browser, 0);
        browser.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(p.x, p.y));
        DragToSlot(*dialog, 0, 1056);
        ScopedDialogDriver::Post(dialog, IDCANCEL);
    }});
    CLinkImageFileDialog dialog("Image files |*.jpg;*.jpeg;*.bmp;*.png;*.wmf||", m_dir.Path().GetString(), nullptr);
    dialog.DoModal();
    EXPECT_TRUE(ran);
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ("", Cell(*doc, r, kImageB));
        EXPECT_EQ("", Cell(*doc, r, kImageD));
    }
    EXPECT_FALSE(doc->IsModified());
}

// Pictures whose path is longer than a label keeps (127 characters) are refused where they are
// linked, by a drag from the browser as by a drop from the shell: one message names them and the
// limit, their cells stay empty, and the pictures that fit are linked as before.
TEST_F(LinkImageDialogTest, PathsLongerThanALabelKeepsAreRefusedWhereTheyAreLinked)
{
    const CString deep = m_dir.Path(("deep" + std::string(120, 'x')).c_str());
    ASSERT_TRUE(::CreateDirectoryA(deep, nullptr));
    const std::string longPath = std::string(deep.GetString()) + "\\far.png";
    ASSERT_GT(longPath.size(), 127u);
    ASSERT_TRUE(Solid(longPath.c_str(), GUID_ContainerFormatPng, kBlue));
    const std::string shortPath = m_dir.Path("a.png").GetString();

    auto doc = ImageDoc();
    CLinkImageRows rows(doc.get(), 1);
    MessageBoxRecorder boxes;
    bool ran = false;
    ScopedDialogDriver driver({[&](CWnd* wnd) {
        ran = true;
        auto* dialog = dynamic_cast<CLinkImageFileDialog*>(wnd);
        ASSERT_NE(nullptr, dialog);
        const HWND hwnd = dialog->m_hWnd;
        Drain();
        CImageBrowser& browser = dialog->m_browser;
        ASSERT_EQ(1, browser.GetEntryCount());
        const POINT p = CellCentre(browser, 0);
        browser.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, At(p.x, p.y));
        browser.SendMessage(WM_LBUTTONUP, MK_CONTROL, At(p.x, p.y));
        ASSERT_EQ(longPath, browser.GetSelectedPath(0));
        DragToSlot(*dialog, 0, 1056);
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_NE(-1, boxes.Last().text.Find(longPath.c_str()));
        EXPECT_NE(-1, boxes.Last().text.Find("at most 127 characters"));
        EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes.Last().Icon());
        EXPECT_EQ("", Cell(*doc, 0, kImageB));
        EXPECT_FALSE(doc->IsModified());
        EXPECT_FALSE(doc->GetTableUndo(0).UndoTableEdit(doc->GetTableSlot(0)));

        // From the shell: the long one refused, the short one linked into the current row.
        ::SendMessageA(::GetDlgItem(hwnd, 1056), WM_DROPFILES,
                       reinterpret_cast<WPARAM>(DropBlock({longPath, shortPath})), 0);
        ASSERT_EQ(2u, boxes.Count());
        EXPECT_NE(-1, boxes.Last().text.Find(longPath.c_str()));
        EXPECT_EQ(-1, boxes.Last().text.Find(shortPath.c_str()));
        EXPECT_EQ(shortPath, Cell(*doc, 0, kImageB));
        EXPECT_EQ("", Cell(*doc, 1, kImageB));
        ScopedDialogDriver::Post(dialog, IDCANCEL);
    }});
    LinkImageCommand(rows, nullptr, deep.GetString());
    EXPECT_TRUE(ran);
}

TEST(LinkImageCommand, NeedsAnImageColumn)
{
    auto doc = std::make_unique<COstrelindSoftLabelDoc>();
    doc->m_bAutoDelete = FALSE;
    doc->OnNewDocument();
    EXPECT_FALSE(CanLinkImages(doc.get()));
    EXPECT_FALSE(CanLinkImages(nullptr));
    ScopedDialogDriver driver;
    CLinkImageRows rows(doc.get(), 1);
    EXPECT_EQ(IDCANCEL, LinkImageCommand(rows, nullptr, "C:\\"));
    EXPECT_TRUE(driver.Seen().empty());
    doc->ToggleImageColumn(0);
    EXPECT_TRUE(CanLinkImages(doc.get()));
}
