// The frame's caption as the ribbon bar draws it follows the frame's title: a document closed from
// the application menu takes its name off the caption on screen, although the paint that follows
// the menu only redraws the application button. The screen is read back from the bar's window and
// compared with what the bar draws for the current title.
#include "framework/app.h"
#include "framework/ribbonappmenu.h"
#include "framework/ribbonbuilder.h"
#include "framework/stdids.h"
#include "testsupport/appmenuprobe.h"
#include "testsupport/dibcanvas.h"
#include "testsupport/ribbonframetest.h"

#include <gtest/gtest.h>

namespace {

class CCaptionFrame : public CFrameWnd {
public:
    CMFCRibbonBar m_wndRibbon;
    int OnCreate(LPCREATESTRUCTA cs)
    {
        if (CFrameWnd::OnCreate(cs) == -1 || !m_wndRibbon.Create(this))
            return -1;
        m_wndRibbon.SetReplaceFrameCaption(true);
        RibbonBuilder(m_wndRibbon)
            .ApplicationButton("\nf", "File")
            .MainCategory("File")
              .Button(ID_FILE_OPEN, "&Open...", 1)
              .Button(ID_FILE_CLOSE, "&Close", 9)
            .Category("&Home")
              .Panel("Clipboard", 27)
                .Button(ID_EDIT_PASTE, "Paste\nv", 0);
        RecalcLayout();
        return 0;
    }
    // Closing the document takes its name out of the frame's title, as the document's frame does.
    void OnFileClose() { SetWindowText("Caption test"); }
    void OnFileOpen() { SetWindowText("Caption test - first.proj"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CCaptionFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
END_MESSAGE_MAP()

void DrainQueue()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message != WM_QUIT)
            ::DispatchMessageA(&msg);
}

class RibbonCaption : public RibbonFrameTest<CCaptionFrame> {
protected:
    void SetUp() override { OpenFrame("Caption test - first.proj", CRect(0, 0, 900, 400)); }
    // What the program's loop does between commands: the paints first, then the idle update,
    // then the paints that asked for.
    void RunLoopOnce()
    {
        DrainQueue();
        frame->OnIdleUpdateCmdUI();
        DrainQueue();
    }
    // The middle of the caption row, where the title stands: as on screen, or as the bar draws it
    // now.
    CRect TitleArea() const
    {
        CRect client;
        ribbon->GetClientRect(&client);
        return CRect(client.Width() / 4, 0, client.Width() * 3 / 4, CMFCRibbonBar::kQuickAccessHeight - 2);
    }
    std::vector<COLORREF> OnScreen()
    {
        CRect area = TitleArea();
        DibCanvas canvas(area.Width(), area.Height());
        HDC window = ::GetDC(ribbon->m_hWnd);
        ::BitBlt(canvas.dc().m_hDC, 0, 0, area.Width(), area.Height(), window, area.left, area.top, SRCCOPY);
        ::ReleaseDC(ribbon->m_hWnd, window);
        return Pixels(canvas);
    }
    std::vector<COLORREF> AsDrawn()
    {
        CRect client, area = TitleArea();
        ribbon->GetClientRect(&client);
        DibCanvas whole(client.Width(), client.Height());
        ribbon->Render(whole.dc());
        DibCanvas canvas(area.Width(), area.Height());
        ::BitBlt(canvas.dc().m_hDC, 0, 0, area.Width(), area.Height(), whole.dc().m_hDC, area.left, area.top, SRCCOPY);
        return Pixels(canvas);
    }
    static std::vector<COLORREF> Pixels(const DibCanvas& canvas)
    {
        std::vector<COLORREF> pixels;
        for (int y = 0; y < canvas.Height(); ++y)
            for (int x = 0; x < canvas.Width(); ++x)
                pixels.push_back(canvas.Pixel(x, y));
        return pixels;
    }
    void ChooseFromTheApplicationMenu(UINT id)
    {
        CPoint pt = ribbon->GetApplicationButtonRect().CenterPoint();
        ribbon->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        ribbon->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        CRibbonApplicationMenu* menu = ribbon->GetApplicationMenu();
        ASSERT_TRUE(menu != nullptr && menu->IsOpen());
        DrainQueue();   // the menu shows for a while before the person chooses
        ClickAppMenuAt(menu, AppMenuItemOf(menu, id, CRibbonApplicationMenu::Kind::Button).rect.CenterPoint());
        EXPECT_FALSE(menu->IsOpen());
    }
};

} // namespace

TEST_F(RibbonCaption, TheDocumentsNameLeavesTheCaptionOnScreenWhenClosedFromTheApplicationMenu)
{
    RunLoopOnce();
    EXPECT_STREQ("first.proj - Caption test", ribbon->GetCaptionTitle());
    const std::vector<COLORREF> withDocument = OnScreen();
    ASSERT_EQ(AsDrawn(), withDocument) << "the caption on screen shows the document's title";

    ChooseFromTheApplicationMenu(ID_FILE_CLOSE);
    RunLoopOnce();
    EXPECT_STREQ("Caption test", ribbon->GetCaptionTitle());
    const std::vector<COLORREF> closed = OnScreen();
    EXPECT_NE(withDocument, closed) << "the document's name still stands in the caption";
    EXPECT_EQ(AsDrawn(), closed);

    // And back: a document opened from the menu shows its name.
    ChooseFromTheApplicationMenu(ID_FILE_OPEN);
    RunLoopOnce();
    EXPECT_EQ(withDocument, OnScreen());
}
