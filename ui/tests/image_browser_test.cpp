// The thumbnail browser as a child of a test window: what a rescan lists, the pixels it paints,
// selection by mouse messages, the rubber band, scrolling and the capture taken away.
#include "ui/imagebrowser.h"
#include "testsupport/cursorcliprecorder.h"
#include "testsupport/handjpeg.h"
#include "ui/tests/imagefolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace imagefolder;

namespace {

class BrowserHost {
public:
    BrowserHost(int width, int height)
    {
        RegisterImageWindowClasses();
        m_host = ::CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, 40, 40,
                                   width + 40, height + 40, nullptr, nullptr, nullptr, nullptr);
        // The browser scans only inside a dialog that has the file-type combo box.
        ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 1, 1, m_host, reinterpret_cast<HMENU>(1136), nullptr,
                          nullptr);
        HWND wnd = ::CreateWindowExA(0, kImageBrowserClass, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 10, 10, width,
                                     height, m_host, reinterpret_cast<HMENU>(1051), nullptr, nullptr);
        browser.SubclassWindow(wnd);
        ::SetForegroundWindow(m_host);
    }
    ~BrowserHost()
    {
        ::DestroyWindow(m_host);
        Drain();
    }
    void Rescan()
    {
        browser.SendMessage(WM_IMAGEBROWSER_RESCAN);
        browser.UpdateWindow();
    }
    void Down(int index, UINT flags)
    {
        const POINT p = CellCentre(browser, index);
        browser.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | flags, At(p.x, p.y));
    }
    void Up(int index, UINT flags)
    {
        const POINT p = CellCentre(browser, index);
        browser.SendMessage(WM_LBUTTONUP, flags, At(p.x, p.y));
    }
    void Click(int index, UINT flags = 0)
    {
        Down(index, flags);
        Up(index, flags);
    }
    std::vector<int> Order() const
    {
        std::vector<int> order;
        for (int k = 0; browser.GetSelectionOrder(k) >= 0; ++k)
            order.push_back(browser.GetSelectionOrder(k));
        return order;
    }

    CImageBrowser browser;

private:
    HWND m_host = nullptr;
};

bool Near(COLORREF a, COLORREF b)
{
    return picturefiles::NearColour(a, b, 48);
}

RECT ScreenClient(const CWnd& wnd)
{
    RECT r;
    wnd.GetClientRect(&r);
    wnd.ClientToScreen(&r);
    return r;
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class ImageBrowserTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(WriteKinds(m_dir)); }
    TempDir m_dir;
};

}  // namespace

TEST_F(ImageBrowserTest, RescanListsThePicturesInFileSystemOrderAndPaintsEachCell)
{
    CurrentFolder folder(m_dir.Path());
    BrowserHost host(400, 200);
    host.Rescan();
    const std::vector<std::string> expected = ImageNamesInOrder(m_dir.Path());
    ASSERT_EQ(6u, expected.size());
    ASSERT_EQ(6, host.browser.GetEntryCount());
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(expected[i], host.browser.GetEntryName(i)) << i;
    EXPECT_EQ(0, host.browser.GetScrollPos(SB_VERT));

    for (int i = 0; i < 6; ++i) {
        const std::string name = host.browser.GetEntryName(i);
        const COLORREF want = name == "a.png"   ? kYellow
                              : name == "b.jpg" ? kGreen
                              : name == "c.bmp" ? kBlue
                              : name == "d.wmf" ? kRed
                              : name == "F.PNG" ? kMagenta
                                                : kCyan;   // e.jpeg: the holder factory reads ".jpeg" too
        const COLORREF got = ScreenPixel(host.browser.m_hWnd, CellCentre(host.browser, i));
        EXPECT_TRUE(Near(got, want)) << name << " " << std::hex << got;
        // The grey frame one pixel outside the cell.
        const RECT cell = host.browser.CellRect(i);
        EXPECT_EQ(RGB(128, 128, 128), ScreenPixel(host.browser.m_hWnd, POINT{cell.left - 1, cell.top + 24}));
    }

    host.Click(2);
    host.browser.UpdateWindow();
    const RECT cell = host.browser.CellRect(2);
    EXPECT_EQ(kNavy, ScreenPixel(host.browser.m_hWnd, POINT{cell.left - 4, cell.top + 24}));
    EXPECT_EQ(kNavy, ScreenPixel(host.browser.m_hWnd, POINT{cell.left + 24, cell.top - 4}));
    const RECT other = host.browser.CellRect(3);
    EXPECT_NE(kNavy, ScreenPixel(host.browser.m_hWnd, POINT{other.left - 4, other.top + 24}));
}

// Camera-sized JPEG files are shrunk from their DC coefficients; a progressive one, which that
// reading refuses, still shows through the full decoder.
TEST(ImageBrowserLargePictures, ThumbnailsKeepTheAspectCentredAndProgressiveFilesStillShow)
{
    TempDir dir;
    ASSERT_TRUE(picturefiles::WritePicture(dir.Path("big.jpg").GetString(), GUID_ContainerFormatJpeg, 1600, 1200,
                                           picturefiles::QuadrantPixels(1600, 1200)));
    handjpeg::HandJpeg progressive;
    progressive.progressive = true;
    progressive.width = 400;
    progressive.height = 320;
    progressive.mean = [](int c, int, int) { return c == 0 ? 120 : c == 1 ? 90 : 170; };
    const std::string bytes = progressive.Bytes();
    ASSERT_TRUE(dir.WriteBytes("prog.jpg", bytes.data(), bytes.size()));
    // Six more in their own colours: a page of them is read on several threads at once, and each
    // result must land in its own cell.
    const COLORREF colours[6] = {RGB(200, 30, 30), RGB(30, 200, 30), RGB(30, 30, 200),
                                 RGB(200, 200, 30), RGB(30, 200, 200), RGB(120, 120, 120)};
    for (int k = 0; k < 6; ++k) {
        const COLORREF colour = colours[k];
        const std::string name = "c" + std::to_string(k) + ".jpg";
        ASSERT_TRUE(picturefiles::WritePicture(dir.Path(name.c_str()).GetString(), GUID_ContainerFormatJpeg, 800,
                                               600, [colour](int, int) { return colour; }));
    }
    CurrentFolder folder(dir.Path());
    BrowserHost host(500, 200);
    host.Rescan();
    ASSERT_EQ(8, host.browser.GetEntryCount());
    int big = -1, prog = -1;
    for (int i = 0; i < 8; ++i) {
        const std::string name = host.browser.GetEntryName(i);
        if (name == "big.jpg")
            big = i;
        else if (name == "prog.jpg")
            prog = i;
        else
            EXPECT_TRUE(picturefiles::NearColour(colours[name[1] - '0'],
                                                 ScreenPixel(host.browser.m_hWnd, CellCentre(host.browser, i)), 8))
                << name;
    }
    ASSERT_GE(big, 0);
    ASSERT_GE(prog, 0);
    const RECT cell = host.browser.CellRect(big);
    auto at = [&](int x, int y) { return ScreenPixel(host.browser.m_hWnd, POINT{cell.left + x, cell.top + y}); };
    // 48 x 36, six white rows above and below.
    EXPECT_EQ(RGB(255, 255, 255), at(24, 2));
    EXPECT_EQ(RGB(255, 255, 255), at(24, 45));
    EXPECT_TRUE(picturefiles::NearColour(RGB(255, 0, 0), at(10, 14), 24)) << std::hex << at(10, 14);
    EXPECT_TRUE(picturefiles::NearColour(RGB(0, 255, 0), at(37, 14), 24)) << std::hex << at(37, 14);
    EXPECT_TRUE(picturefiles::NearColour(RGB(0, 0, 255), at(10, 34), 24)) << std::hex << at(10, 34);
    EXPECT_TRUE(picturefiles::NearColour(RGB(255, 255, 0), at(37, 34), 24)) << std::hex << at(37, 34);
    // Y 120, Cb 90, Cr 170.
    const COLORREF progColour = ScreenPixel(host.browser.m_hWnd, CellCentre(host.browser, prog));
    EXPECT_TRUE(picturefiles::NearColour(RGB(179, 103, 53), progColour, 8)) << std::hex << progColour;
}

TEST_F(ImageBrowserTest, NarrowBrowserKeepsOneColumnAndEmptyFolderStartsAtTheTop)
{
    CurrentFolder folder(m_dir.Path());
    BrowserHost narrow(40, 300);
    narrow.Rescan();
    EXPECT_EQ(1, narrow.browser.GetColumns());
    const RECT second = narrow.browser.CellRect(1);
    EXPECT_EQ(6, second.left);
    EXPECT_EQ(66, second.top);
    SCROLLINFO info = {sizeof info, SIF_ALL};
    narrow.browser.GetScrollInfo(SB_VERT, &info);
    EXPECT_EQ(0, info.nMin);
    EXPECT_EQ(5 * 60 + 72 - 300, info.nMax);

    TempDir empty;
    CurrentFolder inEmpty(empty.Path());
    BrowserHost host(400, 200);
    host.Rescan();
    EXPECT_EQ(0, host.browser.GetEntryCount());
    host.browser.GetScrollInfo(SB_VERT, &info);
    EXPECT_EQ(0, info.nPos);
    EXPECT_EQ(0, info.nMax);   // never below 0
    EXPECT_STREQ("", host.browser.GetSelectedPath(0));
}

TEST_F(ImageBrowserTest, ListsAtMost1024FilesAndScrollsByWholeRows)
{
    TempDir many;
    const char bytes[] = "BM";
    for (int i = 0; i < 1030; ++i) {
        char name[32];
        wsprintfA(name, "p%04d.bmp", i);
        ASSERT_TRUE(many.WriteBytes(name, bytes, 2));
    }
    CurrentFolder folder(many.Path());
    BrowserHost host(366, 200);   // 6 columns
    host.Rescan();
    EXPECT_EQ(1024, host.browser.GetEntryCount());
    SCROLLINFO info = {sizeof info, SIF_ALL};
    host.browser.GetScrollInfo(SB_VERT, &info);
    RECT client;
    host.browser.GetClientRect(&client);
    const int columns = host.browser.GetColumns();
    EXPECT_EQ((1023 / columns) * 60 + 72 - client.bottom, info.nMax);
    EXPECT_EQ(0, info.nPos);

    host.browser.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(60, host.browser.GetScrollPos(SB_VERT));
    EXPECT_EQ(6 - 60, host.browser.CellRect(0).top);
    const int page = ((client.bottom - 8) / 60) * 60;
    host.browser.SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(60 + page - 60, host.browser.GetScrollPos(SB_VERT));
    host.browser.SendMessage(WM_VSCROLL, SB_PAGEUP);
    EXPECT_EQ(60, host.browser.GetScrollPos(SB_VERT));
    host.browser.SendMessage(WM_VSCROLL, SB_ENDSCROLL);   // ignored
    EXPECT_EQ(60, host.browser.GetScrollPos(SB_VERT));
    host.browser.SendMessage(WM_VSCROLL, SB_LINEUP);
    host.browser.SendMessage(WM_VSCROLL, SB_LINEUP);
    EXPECT_EQ(0, host.browser.GetScrollPos(SB_VERT));
}

TEST_F(ImageBrowserTest, ClicksCtrlTogglesAndShiftRangesBuildTheSelectionOrder)
{
    CurrentFolder folder(m_dir.Path());
    BrowserHost host(400, 200);
    host.Rescan();

    // Shift without an earlier anchor: the hit alone.
    host.Click(3, MK_SHIFT);
    EXPECT_EQ(std::vector<int>({3}), host.Order());

    host.Click(0);
    EXPECT_EQ(std::vector<int>({0}), host.Order());
    EXPECT_FALSE(host.browser.IsDragging());

    // Ctrl toggles on the release.
    host.Down(2, MK_CONTROL);
    EXPECT_FALSE(host.browser.IsSelected(2));
    host.Up(2, MK_CONTROL);
    EXPECT_TRUE(host.browser.IsSelected(2));
    host.Click(1, MK_CONTROL);
    EXPECT_EQ(std::vector<int>({0, 2, 1}), host.Order());
    host.Click(2, MK_CONTROL);
    EXPECT_EQ(std::vector<int>({0, 1}), host.Order());
    EXPECT_EQ(2, host.browser.GetSelectedCount());

    // Shift ranges both ways from the last hit.
    host.Click(1);
    host.Click(4, MK_SHIFT);
    EXPECT_EQ(std::vector<int>({1, 2, 3, 4}), host.Order());
    host.Click(2, MK_SHIFT);
    EXPECT_EQ(std::vector<int>({4, 3, 2}), host.Order());
    // Ctrl+Shift over entries already selected adds only the new ones, once.
    host.Click(0, MK_SHIFT | MK_CONTROL);
    EXPECT_EQ(std::vector<int>({4, 3, 2, 1, 0}), host.Order());
    EXPECT_EQ(5, host.browser.GetSelectedCount());

    char expected[260];
    ASSERT_TRUE(CImageBrowser::JoinPath(m_dir.Path().GetString(), host.browser.GetEntryName(4), expected));
    EXPECT_STREQ(expected, host.browser.GetSelectedPath(0));
    EXPECT_EQ(m_dir.Path() + "\\" + host.browser.GetEntryName(0), CString(host.browser.GetSelectedPath(4)));
    EXPECT_STREQ("", host.browser.GetSelectedPath(5));
    EXPECT_STREQ("", host.browser.GetSelectedPath(1024));
    EXPECT_STREQ("", host.browser.GetSelectedPath(-1));

    // Focus elsewhere clears the selection.
    ::SetFocus(nullptr);
    EXPECT_EQ(0, host.browser.GetSelectedCount());
}

TEST(ImageBrowserPaths, RootFolderAndOverlongPaths)
{
    char out[260];
    ASSERT_TRUE(CImageBrowser::JoinPath("C:\\", "a.png", out));
    EXPECT_STREQ("C:\\a.png", out);
    ASSERT_TRUE(CImageBrowser::JoinPath("C:\\pics", "a.png", out));
    EXPECT_STREQ("C:\\pics\\a.png", out);
    const std::string folder = "C:\\" + std::string(248, 'f');
    EXPECT_TRUE(CImageBrowser::JoinPath(folder.c_str(), "abc.bmp", out));   // 259 bytes: fits
    EXPECT_FALSE(CImageBrowser::JoinPath(folder.c_str(), "abcd.bmp", out));
    EXPECT_STREQ("", out);
}

TEST_F(ImageBrowserTest, BandSelectsWholeCellsAndLosingTheCaptureEndsDragAndBand)
{
    CurrentFolder folder(m_dir.Path());
    BrowserHost host(400, 200);
    host.Rescan();
    ASSERT_EQ(6, host.browser.GetColumns());

    CursorClipRecorder clips;
    host.Click(5);
    EXPECT_EQ(0u, clips.Count());   // a click on a picture confines nothing
    host.browser.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(2, 2));
    EXPECT_TRUE(host.browser.IsBanding());
    EXPECT_EQ(0, host.browser.GetSelectedCount());
    // The band confines the pointer to the browser's client area, in screen coordinates.
    ASSERT_TRUE(clips.Clipped());
    EXPECT_TRUE(SameRect(ScreenClient(host.browser), clips.LastClip()));
    const RECT third = host.browser.CellRect(2);
    host.browser.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(third.right + 2, third.bottom + 2));
    host.browser.SendMessage(WM_LBUTTONUP, 0, At(third.right + 2, third.bottom + 2));
    EXPECT_FALSE(host.browser.IsBanding());
    EXPECT_FALSE(clips.Clipped());
    EXPECT_EQ(std::vector<int>({0, 1, 2}), host.Order());

    // A band that only touches cell 1 selects nothing (and, without Ctrl, clears).
    host.browser.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(57, 30));
    host.browser.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(100, 40));
    host.browser.SendMessage(WM_LBUTTONUP, 0, At(100, 40));
    EXPECT_EQ(0, host.browser.GetSelectedCount());

    // The capture taken away mid-band and mid-drag.
    host.browser.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(2, 2));
    ASSERT_TRUE(host.browser.IsBanding());
    ASSERT_TRUE(clips.Clipped());
    ::ReleaseCapture();
    EXPECT_FALSE(host.browser.IsBanding());
    EXPECT_FALSE(clips.Clipped());

    // And cancelled mid-band (a dialog or a menu taking over).
    host.browser.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(2, 2));
    ASSERT_TRUE(host.browser.IsBanding());
    ASSERT_TRUE(clips.Clipped());
    host.browser.SendMessage(WM_CANCELMODE);
    EXPECT_FALSE(host.browser.IsBanding());
    EXPECT_FALSE(clips.Clipped());
    host.Down(1, 0);
    ASSERT_TRUE(host.browser.IsDragging());
    host.browser.SendMessage(WM_CANCELMODE);
    EXPECT_FALSE(host.browser.IsDragging());
    EXPECT_EQ(nullptr, ::GetCapture());
}
