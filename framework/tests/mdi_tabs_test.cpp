// The main frame's document tabs as they are drawn: rounded top corners and a slanted leading
// edge outlined in the look's colours, the active tab opening into its document, the close box on
// the active tab only, no icons, the document menu's button at the right; and the colours
// following a change of look.
#include "framework/app.h"
#include "framework/doc.h"
#include "framework/frame.h"
#include "framework/ribbonlook.h"
#include "framework/view.h"
#include "testsupport/dibcanvas.h"
#include "testsupport/msgboxrecorder.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

class CStripDoc : public CDocument {};
class CStripView : public CView {};

void DrainQueue()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message != WM_QUIT)
            ::DispatchMessageA(&msg);
}

int CountIn(const DibCanvas& canvas, const CRect& rect, COLORREF colour)
{
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            count += canvas.Pixel(x, y) == colour ? 1 : 0;
    return count;
}

class MdiTabs : public ::testing::Test {
protected:
    void SetUp() override
    {
        CRibbonLook::Apply(kLookVS2005);
        frame = new CMDIFrameWnd;
        ASSERT_TRUE(frame->LoadFrame(9980, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
        app.m_pMainWnd = frame;
        frame->MoveWindow(0, 0, 700, 300);
        frame->ShowWindow(SW_SHOWNOACTIVATE);
        tmpl = new CMultiDocTemplate(9981, CreateNew<CStripDoc>, CreateNew<CChildFrame>, CreateNew<CStripView>);
        tmpl->SetDocStrings("\nSheet\nSheet\nSheets (*.sht)\n.sht\nKorvelta.Sheet\nSheet");
        app.AddDocTemplate(tmpl);
        for (int i = 0; i < 3; ++i)
            ASSERT_NE(nullptr, tmpl->OpenDocumentFile(nullptr));
        frame->EnableDocumentMenu();
        frame->MDIActivate(frame->GetChildren()[1]);   // the middle one: inactive tabs on both sides
    }
    void TearDown() override
    {
        MessageBoxRecorder rec;
        if (app.m_pMainWnd == frame)
            frame->SendMessage(WM_CLOSE);
        DrainQueue();
        CRibbonLook::Apply(kDefaultApplicationLook);
    }
    CMDITabArea& Tabs() { return frame->GetTabArea(); }
    // The strip as the window paints it.
    std::unique_ptr<DibCanvas> Paint()
    {
        CRect client;
        Tabs().GetClientRect(&client);
        auto canvas = std::make_unique<DibCanvas>(client.Width(), CMDITabArea::kStripHeight, RGB(1, 2, 3));
        Tabs().Draw(canvas->dc());
        return canvas;
    }

    CWinApp app{ "KorveltaMdiTabsTest" };
    CMDIFrameWnd* frame = nullptr;
    CMultiDocTemplate* tmpl = nullptr;
};

} // namespace

TEST_F(MdiTabs, TabsHaveRoundedColouredEdgesAndTheActiveOneOpensIntoItsDocument)
{
    const CMDITabArea::TabColors colors = CMDITabArea::GetTabColors();
    const RibbonColors& look = CRibbonLook::ColorsOf(RibbonScheme::VisualStudio2005);
    EXPECT_EQ(look.background, colors.strip);
    EXPECT_EQ(look.checkedBorder, colors.activeEdge);
    // Edges in colour: neither the face they enclose nor a grey.
    for (COLORREF edge : { colors.edge, colors.activeEdge }) {
        EXPECT_NE(colors.face, edge);
        EXPECT_NE(colors.activeFace, edge);
    }
    for (COLORREF edge : { colors.edge, colors.activeEdge })
        EXPECT_FALSE(GetRValue(edge) == GetGValue(edge) && GetGValue(edge) == GetBValue(edge)) << std::hex << edge;
    EXPECT_NE(colors.edge, colors.activeEdge);

    auto canvas = Paint();
    const int r = CMDITabArea::kCornerRadius;
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const bool active = i == 1;
        const COLORREF edge = active ? colors.activeEdge : colors.edge;
        const COLORREF face = active ? colors.activeFace : colors.face;
        CRect tab = Tabs().GetTabRect(i);
        ASSERT_FALSE(tab.IsRectEmpty());
        const int top = tab.top, left = tab.left + CMDITabArea::kSlant;
        // The top edge and the straight right side in the edge colour...
        EXPECT_EQ(edge, canvas->Pixel(tab.CenterPoint().x, top));
        EXPECT_EQ(edge, canvas->Pixel(tab.right - 1, top + r + 3));
        // ...and the corners cut round: the corner pixels of the box are the strip's.
        EXPECT_EQ(colors.strip, canvas->Pixel(left, top));
        EXPECT_EQ(colors.strip, canvas->Pixel(tab.right - 1, top));
        EXPECT_EQ(edge, canvas->Pixel(left + r, top));
        // The leading edge leans: outside it at the top, on it at the bottom.
        EXPECT_EQ(colors.strip, canvas->Pixel(tab.left + 1, top + r));
        EXPECT_EQ(edge, canvas->Pixel(tab.left, CMDITabArea::kStripHeight - (active ? 1 : 2)));
        // The face inside, with nothing (no icon) between the leading edge and the title.
        EXPECT_EQ(face, canvas->Pixel(left + 2, tab.CenterPoint().y));
        EXPECT_EQ(face, canvas->Pixel(left + 3, tab.CenterPoint().y + 2));
        // Under an inactive tab runs the line the tabs stand on; the active tab's face goes through.
        EXPECT_EQ(active ? colors.activeFace : colors.activeEdge,
                  canvas->Pixel(tab.CenterPoint().x, CMDITabArea::kStripHeight - 1));
    }
    // Between the tabs and after them, the strip.
    EXPECT_EQ(colors.strip, canvas->Pixel(Tabs().GetTabRect(2).right + 20, 6));
}

TEST_F(MdiTabs, OnlyTheActiveTabHasACloseBox)
{
    const CMDITabArea::TabColors colors = CMDITabArea::GetTabColors();
    auto canvas = Paint();
    CRect close = Tabs().GetCloseRect();
    CRect active = Tabs().GetTabRect(1);
    ASSERT_FALSE(close.IsRectEmpty());
    EXPECT_TRUE(active.PtInRect(close.CenterPoint()));
    EXPECT_GE(CountIn(*canvas, close, colors.activeText), 8);
    // The same place on an inactive tab (its title is short and ends well before) holds none.
    for (int i : { 0, 2 }) {
        CRect tab = Tabs().GetTabRect(i);
        CRect same(tab.right - (active.right - close.left), close.top, tab.right - (active.right - close.right),
                   close.bottom);
        EXPECT_EQ(0, CountIn(*canvas, same, colors.text)) << i;
        EXPECT_EQ(0, CountIn(*canvas, same, colors.activeText)) << i;
        EXPECT_LT(tab.Width(), active.Width()) << "only the active tab keeps room for a close box";
    }
    // The document menu's button sits at the right end of the strip, in the look's colours.
    CRect button = Tabs().GetMenuButtonRect();
    ASSERT_FALSE(button.IsRectEmpty());
    CRect client;
    Tabs().GetClientRect(&client);
    EXPECT_GT(button.left, Tabs().GetTabRect(2).right);
    EXPECT_LE(client.right - button.right, 6);
    EXPECT_EQ(colors.edge, canvas->Pixel(button.left, button.CenterPoint().y));
    EXPECT_GT(CountIn(*canvas, button, colors.text), 4);   // its arrow

    // Another tab activated: the close box moves with it.
    frame->MDIActivate(frame->GetChildren()[2]);
    auto after = Paint();
    CRect moved = Tabs().GetCloseRect();
    EXPECT_TRUE(Tabs().GetTabRect(2).PtInRect(moved.CenterPoint()));
    EXPECT_GE(CountIn(*after, moved, colors.activeText), 8);
    CRect old = Tabs().GetTabRect(1);
    EXPECT_EQ(0, CountIn(*after, CRect(old.right - 16, close.top, old.right - 4, close.bottom), colors.activeText));
}

TEST_F(MdiTabs, ColoursFollowTheLookAndTheWindowPaintsThem)
{
    auto before = Paint();
    CRect tab = Tabs().GetTabRect(1);
    CPoint topEdge(tab.CenterPoint().x, tab.top);
    EXPECT_EQ(CRibbonLook::ColorsOf(RibbonScheme::VisualStudio2005).checkedBorder, before->Pixel(topEdge.x, topEdge.y));

    for (UINT look : { kLookOffice2007Black, kLookOffice2007Blue, kLookOffice2003 }) {
        SCOPED_TRACE(look);
        CRibbonLook::Apply(look);
        const RibbonColors& colours = CRibbonLook::Colors();
        auto canvas = Paint();
        EXPECT_EQ(colours.checkedBorder, canvas->Pixel(topEdge.x, topEdge.y));
        EXPECT_EQ(colours.background, canvas->Pixel(1, 1));
        CRect inactive = Tabs().GetTabRect(0);
        EXPECT_EQ(CMDITabArea::GetTabColors().edge, canvas->Pixel(inactive.CenterPoint().x, inactive.top));
        EXPECT_NE(CMDITabArea::GetTabColors().edge, before->Pixel(inactive.CenterPoint().x, inactive.top));
        EXPECT_EQ(colours.panelArea, canvas->Pixel(inactive.left + CMDITabArea::kSlant + 2, inactive.CenterPoint().y));
    }

    // The window's own painting (through its paint buffer) puts the same pixels on the screen.
    CRibbonLook::Apply(kLookOffice2007Black);
    Tabs().Invalidate(FALSE);
    Tabs().UpdateWindow();
    HDC dc = ::GetDC(Tabs().m_hWnd);
    EXPECT_EQ(CRibbonLook::Colors().checkedBorder, ::GetPixel(dc, topEdge.x, topEdge.y));
    EXPECT_EQ(CRibbonLook::Colors().background, ::GetPixel(dc, 1, 1));
    ::ReleaseDC(Tabs().m_hWnd, dc);
}
