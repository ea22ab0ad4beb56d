// The link control on a dialog of its own: the pixels of its underline row in each state, its
// self-sizing, the hover check across the tooltip, and what a click sends (recorded, never run).
#include "testsupport/platformprobe.h"
#include "ui/hyperlink.h"

#include "framework/dialog.h"
#include "testsupport/dlgtemplate.h"
#include "testsupport/shellrecorder.h"

#include <gtest/gtest.h>
#include <cstring>

namespace {

const WORD kLinkId = 100;
const char kUrl[] = "https://www.example.com/labels";

class LinkDialog : public CDialog {
public:
    CHyperLink m_link;
    int m_commands = 0;
    LPARAM m_lastFrom = 0;

    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, kLinkId, m_link); }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == kLinkId) {
            ++m_commands;
            m_lastFrom = lParam;
            return TRUE;
        }
        return CDialog::OnCommand(wParam, lParam);
    }
};

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
}

// Pumps until done() or about two seconds of messages have gone by.
template <class F> bool PumpUntil(F done)
{
    for (int i = 0; i < 200 && !done(); ++i) {
        Pump();
        ::Sleep(10);
    }
    return done();
}

class HyperLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The link asks where the pointer is to end its hover.
        KORVELTA_NEEDS_PLATFORM(ProbeCursorMoves(5, 5), "moving the pointer");
        DialogTemplateBuilder tmpl("Link test", WS_POPUP | WS_CAPTION | DS_MODALFRAME, 200, 80);
        tmpl.Item(kLinkId, DialogTemplateBuilder::kStatic, SS_LEFT, "Visit the maker", 20, 20, 120, 10);
        ASSERT_TRUE(m_dialog.CreateIndirect(tmpl.Get()));
        m_dialog.SetWindowPos(nullptr, 300, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_dialog.ShowWindow(SW_SHOWNOACTIVATE);
        m_dialog.m_link.SetURL(kUrl);
        Repaint();
    }
    void TearDown() override
    {
        if (m_dialog.m_hWnd)
            m_dialog.DestroyWindow();
        Pump();
    }

    HWND Link() const { return m_dialog.m_link.m_hWnd; }
    void Repaint()
    {
        ::RedrawWindow(Link(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        ::UpdateWindow(Link());   // a resize during paint asks for one more
        Pump();
    }
    // Height of the text in the link's font, as the control measures it.
    CSize Extent(const char* text)
    {
        HDC dc = ::GetDC(Link());
        HGDIOBJ old = ::SelectObject(dc, m_dialog.m_link.GetLinkFont().m_hObject);
        SIZE size = {};
        ::GetTextExtentPoint32A(dc, text, static_cast<int>(strlen(text)), &size);
        ::SelectObject(dc, old);
        ::ReleaseDC(Link(), dc);
        return CSize(size.cx, size.cy);
    }
    // How many pixels of the underline row (x 1 .. width) have colour.
    int UnderlinePixels(COLORREF colour)
    {
        const CSize e = Extent("Visit the maker");
        HDC dc = ::GetDC(Link());
        int n = 0;
        for (int x = 1; x <= e.cx; ++x)
            n += ::GetPixel(dc, x, e.cy) == colour ? 1 : 0;
        ::ReleaseDC(Link(), dc);
        return n;
    }
    void Send(UINT message, int x, int y, WPARAM flags = 0)
    {
        ::SendMessageA(Link(), message, flags, MAKELPARAM(x, y));
        Repaint();
    }

    // The real cursor goes onto the link too: leave tracking asks where it is.
    void Hover()
    {
        RECT r;
        ::GetWindowRect(Link(), &r);
        ::SetCursorPos(r.left + 3, r.top + 3);
        Send(WM_MOUSEMOVE, 3, 3);
    }

    LinkDialog m_dialog;
};

} // namespace

TEST_F(HyperLinkTest, SizesItselfAndUnderlinesByState)
{
    const CSize e = Extent("Visit the maker");
    RECT client;
    ::GetClientRect(Link(), &client);
    EXPECT_EQ(e.cx + 3, client.right);
    EXPECT_EQ(e.cy + 2 + 1, client.bottom);
    const LONG_PTR style = ::GetWindowLongPtrA(Link(), GWL_STYLE);
    EXPECT_EQ(SS_OWNERDRAW, style & SS_TYPEMASK);
    EXPECT_NE(0, style & SS_NOTIFY);

    EXPECT_EQ(0, UnderlinePixels(RGB(0, 0, 255)));
    EXPECT_EQ(0, UnderlinePixels(RGB(255, 0, 0)));
    Hover();
    EXPECT_TRUE(m_dialog.m_link.IsHovering());
    EXPECT_EQ(e.cx, UnderlinePixels(RGB(255, 0, 0)));
    Send(WM_LBUTTONDOWN, 3, 3, MK_LBUTTON);
    EXPECT_EQ(e.cx, UnderlinePixels(RGB(200, 0, 225)));
    EXPECT_EQ(0, UnderlinePixels(RGB(255, 0, 0)));

    // Pressed, moved off, released: nothing opens and the parent hears nothing.
    ShellRecorder shell;
    Send(WM_LBUTTONUP, 500, 3);
    EXPECT_EQ(0u, shell.Count());
    EXPECT_EQ(0, m_dialog.m_commands);
    EXPECT_FALSE(m_dialog.m_link.IsPressed());

    m_dialog.m_link.SetUnderlineAlways(TRUE);
    KORVELTA_NEEDS_PLATFORM(ProbeCursorMoves(5, 5), "moving the pointer");
    ::SendMessageA(Link(), WM_MOUSELEAVE, 0, 0);
    Repaint();
    EXPECT_FALSE(m_dialog.m_link.IsHovering());
    EXPECT_EQ(e.cx, UnderlinePixels(RGB(0, 0, 255)));
}

TEST_F(HyperLinkTest, AClickOpensTheAddressOnceAndTellsTheParentOnce)
{
    ShellRecorder shell;
    Hover();
    Send(WM_LBUTTONDOWN, 3, 3, MK_LBUTTON);
    Send(WM_LBUTTONUP, 3, 3);
    ASSERT_EQ(1u, shell.Count());
    EXPECT_EQ(kUrl, shell.Last().file);
    EXPECT_EQ("open", shell.Last().verb);
    EXPECT_EQ(SW_SHOWDEFAULT, shell.Last().show);
    EXPECT_FALSE(shell.Last().help);
    EXPECT_EQ(1, m_dialog.m_commands);
    EXPECT_EQ(reinterpret_cast<LPARAM>(Link()), m_dialog.m_lastFrom);

    // Disabled: no state of its own and no click.
    ::EnableWindow(Link(), FALSE);
    EXPECT_TRUE(m_dialog.m_link.IsDisabled());
    Send(WM_LBUTTONDOWN, 3, 3, MK_LBUTTON);
    Send(WM_LBUTTONUP, 3, 3);
    EXPECT_EQ(1u, shell.Count());
    EXPECT_EQ(1, m_dialog.m_commands);
    ::EnableWindow(Link(), TRUE);
    EXPECT_FALSE(m_dialog.m_link.IsDisabled());
}

TEST_F(HyperLinkTest, TooltipShowsTheAddressWithItsDelays)
{
    CToolTipCtrl& tip = m_dialog.m_link.GetToolTip();
    ASSERT_NE(nullptr, tip.m_hWnd);
    EXPECT_EQ(1, tip.GetToolCount());
    EXPECT_EQ(kUrl, tip.GetText(&m_dialog.m_link));
    EXPECT_EQ(1200, tip.GetDelayTime(TTDT_INITIAL));
    EXPECT_EQ(1600, tip.GetDelayTime(TTDT_AUTOPOP));
    m_dialog.m_link.SetURL("https://other.example");
    EXPECT_EQ(1, tip.GetToolCount());
    EXPECT_EQ("https://other.example", tip.GetText(&m_dialog.m_link));
}

TEST_F(HyperLinkTest, LeavingOntoTheTooltipKeepsTheHoverUntilTheMouseIsAwayFromBoth)
{
    const CSize e = Extent("Visit the maker");
    Hover();
    ASSERT_EQ(e.cx, UnderlinePixels(RGB(255, 0, 0)));
    // The tip stands where the system would put it, below the link; the mouse moves onto it.
    CToolTipCtrl& tip = m_dialog.m_link.GetToolTip();
    RECT link;
    ::GetWindowRect(Link(), &link);
    ::SetWindowPos(tip.m_hWnd, HWND_TOPMOST, link.left, link.bottom + 4, 160, 20, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    KORVELTA_NEEDS_PLATFORM(ProbeCursorMoves(link.left + 20, link.bottom + 14), "moving the pointer");
    ::SendMessageA(Link(), WM_MOUSELEAVE, 0, 0);
    Repaint();
    EXPECT_TRUE(m_dialog.m_link.IsHovering());
    EXPECT_EQ(e.cx, UnderlinePixels(RGB(255, 0, 0)));
    // Still on the tip when the check comes: still hovering.
    Pump();
    ::Sleep(CHyperLink::kHoverCheckMs + 100);
    Pump();
    Repaint();
    EXPECT_TRUE(m_dialog.m_link.IsHovering());
    // Away from both: back to normal after the check.
    KORVELTA_NEEDS_PLATFORM(ProbeCursorMoves(5, 5), "moving the pointer");
    EXPECT_TRUE(PumpUntil([&] { return !m_dialog.m_link.IsHovering(); }));
    Repaint();
    EXPECT_EQ(0, UnderlinePixels(RGB(255, 0, 0)));
    EXPECT_EQ(0, UnderlinePixels(RGB(0, 0, 255)));
}

TEST_F(HyperLinkTest, MultiLineTextSizesToItsWidestLine)
{
    m_dialog.m_link.SetMultiLine(TRUE);
    m_dialog.m_link.SetLinkText("One\nA longer line\n\n");
    Repaint();
    const CSize wide = Extent("A longer line");
    RECT client;
    ::GetClientRect(Link(), &client);
    EXPECT_EQ(wide.cx + 3, client.right);
    EXPECT_EQ(2 * (wide.cy + 2) + 2, client.bottom);
}
