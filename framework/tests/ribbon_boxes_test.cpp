// The ribbon's edit and combo boxes: each shows its widest text whole however narrow it was
// planned (a drop-down button leaves a 30-pixel combo box little room), and entering a box by a
// key tip or a click selects its whole text, so that typing replaces the value.
#include "framework/app.h"
#include "framework/ribbonbuilder.h"
#include "framework/stdids.h"
#include "testsupport/keyinput.h"
#include "testsupport/ribbonframetest.h"

#include <gtest/gtest.h>
#include <string>

namespace {

enum : UINT {
    ID_B_EDIT = 42000,
    ID_B_SIZE,
    ID_B_ZOOM,
    ID_B_LENGTH,
    ID_B_WIDE,
};

class CBoxFrame : public CFrameWnd {
public:
    CMFCRibbonBar m_wndRibbon;
    CWnd m_wndView;

    int OnCreate(LPCREATESTRUCTA cs)
    {
        if (CFrameWnd::OnCreate(cs) == -1 || !m_wndRibbon.Create(this))
            return -1;
        m_wndView.CreateEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE, CRect(0, 200, 100, 220), this, AFX_IDW_PANE_FIRST);
        RibbonBuilder(m_wndRibbon)
            .Category("&Home")
              .Panel("Font", 29)
                .Combo(ID_B_SIZE, "Size", 30, { "8", "9", "10", "12", "72" })
                .Combo(ID_B_ZOOM, "Zoom", 50, { "50 %", "100 %", "400 %" })
              .Panel("Position", 43)
                .Edit(ID_B_EDIT, "X:", 70)
                .Edit(ID_B_LENGTH, "Radius", 40)
                .Edit(ID_B_WIDE, "Width", 120);
        RecalcLayout();
        return 0;
    }
    void OnAny(UINT) {}
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CBoxFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND_RANGE(ID_B_EDIT, ID_B_WIDE, OnAny)
END_MESSAGE_MAP()

std::pair<DWORD, DWORD> Selection(HWND edit)
{
    DWORD start = 0, end = 0;
    ::SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return { start, end };
}

std::string TextOf(HWND wnd)
{
    char text[64] = {};
    ::GetWindowTextA(wnd, text, sizeof text);
    return text;
}

void Type(HWND edit, const char* keys)
{
    for (const char* k = keys; *k != '\0'; ++k)
        ::SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(*k)), 1);
}

// The pixels text takes in the box's own font, and the room the box's edit has for it.
int TextWidth(HWND edit, const char* text)
{
    HDC dc = ::GetDC(edit);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(edit, WM_GETFONT, 0, 0)));
    SIZE size = {};
    ::GetTextExtentPoint32A(dc, text, static_cast<int>(strlen(text)), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(edit, dc);
    return size.cx;
}

int TextRoom(HWND edit)
{
    RECT client = {};
    ::GetClientRect(edit, &client);
    DWORD margins = static_cast<DWORD>(::SendMessageA(edit, EM_GETMARGINS, 0, 0));
    return client.right - client.left - LOWORD(margins) - HIWORD(margins);
}

class RibbonBoxes : public RibbonFrameTest<CBoxFrame> {
protected:
    void SetUp() override
    {
        OpenFrame("Ribbon boxes", CRect(0, 0, 1000, 400));
    }
    template <class T> T* Find(UINT id) { return dynamic_cast<T*>(ribbon->FindByID(id)); }
    bool Send(UINT message, WPARAM key)
    {
        MSG msg = KeyMessage(frame->m_wndView.m_hWnd, message, key);
        return ribbon->ProcessKeyTipMessage(&msg);
    }
    // Alt, the Home tab's letter, then the element's tip.
    void KeyTipTo(UINT id)
    {
        Send(WM_SYSKEYDOWN, VK_MENU);
        Send(WM_SYSKEYUP, VK_MENU);
        ASSERT_EQ(1, ribbon->GetKeyTipLevel());
        Send(WM_KEYDOWN, 'H');
        ASSERT_EQ(2, ribbon->GetKeyTipLevel());
        CString tip = ribbon->GetElementKeyTip(ribbon->FindByID(id));
        ASSERT_FALSE(tip.IsEmpty());
        for (int i = 0; i < tip.GetLength(); ++i)
            Send(WM_KEYDOWN, static_cast<WPARAM>(tip[i]));
        EXPECT_EQ(0, ribbon->GetKeyTipLevel());
    }

};

} // namespace

TEST_F(RibbonBoxes, EveryValueShowsWholeInItsBox)
{
    auto* size = Find<CMFCRibbonComboBox>(ID_B_SIZE);
    auto* zoom = Find<CMFCRibbonComboBox>(ID_B_ZOOM);
    ASSERT_NE(nullptr, size);
    ASSERT_NE(nullptr, size->GetTextHwnd());
    // A 30-pixel combo box leaves less than a digit's room beside its button: it grows.
    EXPECT_GT(size->GetBoxWidth(), 30);
    for (auto* combo : { size, zoom }) {
        for (int i = 0; i < combo->GetCount(); ++i) {
            CString item = combo->GetItem(i);
            combo->SelectItem(i);
            EXPECT_STREQ(item, TextOf(combo->GetTextHwnd()).c_str());
            EXPECT_LE(TextWidth(combo->GetTextHwnd(), item), TextRoom(combo->GetTextHwnd())) << item.GetString();
        }
        // The box window is as wide as the layout made it, and the element makes room for it.
        CRect window;
        ::GetWindowRect(combo->GetControlHwnd(), &window);
        EXPECT_EQ(combo->GetBoxWidth(), window.Width());
        EXPECT_LE(combo->GetControlRect().right, combo->GetRect().right);
    }

    // An edit keeps the width it was given while its sample fits; a sample that does not fit
    // widens it on the next layout.
    auto* radius = Find<CMFCRibbonEdit>(ID_B_LENGTH);
    auto* wide = Find<CMFCRibbonEdit>(ID_B_WIDE);
    EXPECT_EQ(40, radius->GetBoxWidth());
    radius->SetSampleText("888.888 mm");
    wide->SetSampleText("888.888 mm");
    ribbon->RecalcLayout();
    EXPECT_GT(radius->GetBoxWidth(), 40);
    EXPECT_EQ(120, wide->GetBoxWidth());
    for (auto* edit : { radius, wide }) {
        edit->SetEditText("888.888 mm");
        EXPECT_LE(TextWidth(edit->GetTextHwnd(), "888.888 mm"), TextRoom(edit->GetTextHwnd()));
    }
    // The boxes of one panel do not overlap.
    auto* x = Find<CMFCRibbonEdit>(ID_B_EDIT);
    CRect a = x->GetRect(), b = radius->GetRect(), c = wide->GetRect();
    CRect overlap;
    EXPECT_FALSE(overlap.IntersectRect(a, b));
    EXPECT_FALSE(overlap.IntersectRect(b, c));
}

TEST_F(RibbonBoxes, AKeyTipIntoABoxSelectsItsTextAndTypingReplacesIt)
{
    auto* edit = Find<CMFCRibbonEdit>(ID_B_EDIT);
    HWND box = edit->GetTextHwnd();
    ::SetWindowTextA(box, "0");
    ::SendMessageA(box, EM_SETSEL, 0, 0);   // the caret before the value
    KeyTipTo(ID_B_EDIT);
    EXPECT_EQ(std::make_pair(DWORD(0), DWORD(1)), Selection(box));
    Type(box, "60");
    EXPECT_EQ("60", TextOf(box));
    ribbon->ReturnFocus();

    auto* size = Find<CMFCRibbonComboBox>(ID_B_SIZE);
    HWND inner = size->GetTextHwnd();
    ASSERT_NE(nullptr, inner);
    size->SelectItem("10");
    ::SendMessageA(inner, EM_SETSEL, 1, 1);
    KeyTipTo(ID_B_SIZE);
    EXPECT_EQ(std::make_pair(DWORD(0), DWORD(2)), Selection(inner));
    Type(inner, "14");
    EXPECT_STREQ("14", size->GetEditText());
    ribbon->ReturnFocus();
}

TEST_F(RibbonBoxes, AClickIntoABoxSelectsItsWholeText)
{
    ::SetFocus(frame->m_wndView.m_hWnd);
    auto* edit = Find<CMFCRibbonEdit>(ID_B_EDIT);
    HWND box = edit->GetTextHwnd();
    ::SetWindowTextA(box, "12.5 mm");
    ::SendMessageA(box, EM_SETSEL, 0, 0);
    ::SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 5));
    ::SendMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(12, 5));
    EXPECT_EQ(std::make_pair(DWORD(0), DWORD(7)), Selection(box));
    Type(box, "3");
    EXPECT_EQ("3", TextOf(box));

    // The same in a combo box's edit; a click on its button only opens the list.
    ::SetFocus(frame->m_wndView.m_hWnd);
    auto* zoom = Find<CMFCRibbonComboBox>(ID_B_ZOOM);
    zoom->SelectItem("100 %");
    HWND inner = zoom->GetTextHwnd();
    ::SendMessageA(inner, EM_SETSEL, 5, 5);
    ::SendMessageA(inner, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 5));
    ::SendMessageA(inner, WM_LBUTTONUP, 0, MAKELPARAM(3, 5));
    EXPECT_EQ(std::make_pair(DWORD(0), DWORD(5)), Selection(inner));
    ::SendMessageA(zoom->GetControlHwnd(), CB_SHOWDROPDOWN, FALSE, 0);

    // A click on the element's label enters the box the same way.
    ::SetFocus(frame->m_wndView.m_hWnd);
    ::SendMessageA(box, EM_SETSEL, 1, 1);
    CPoint label(edit->GetRect().left + 4, edit->GetRect().CenterPoint().y);
    ribbon->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(label.x, label.y));
    ribbon->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(label.x, label.y));
    EXPECT_EQ(std::make_pair(DWORD(0), DWORD(1)), Selection(box));
    ribbon->ReturnFocus();
}

// Needs the keyboard focus: registered to run on a Wine desktop of its own.
TEST_F(RibbonBoxes, AClickInsideABoxThatHasTheFocusPlacesTheCaret)
{
    ::SetForegroundWindow(frame->m_hWnd);
    auto* edit = Find<CMFCRibbonEdit>(ID_B_EDIT);
    HWND box = edit->GetTextHwnd();
    ::SetWindowTextA(box, "12.5 mm");
    ::SetFocus(frame->m_wndView.m_hWnd);
    ASSERT_EQ(frame->m_wndView.m_hWnd, ::GetFocus()) << "no keyboard focus: run on a desktop of its own";
    ::SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 5));
    ::SendMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(40, 5));
    ASSERT_EQ(box, ::GetFocus());
    EXPECT_EQ(std::make_pair(DWORD(0), DWORD(7)), Selection(box));
    // Now inside: the second click puts the caret where it lands, so a typed character goes there.
    ::SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 5));
    ::SendMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(1, 5));
    std::pair<DWORD, DWORD> caret = Selection(box);
    EXPECT_EQ(caret.first, caret.second);
    Type(box, "1");
    EXPECT_EQ(8u, TextOf(box).size());
    ribbon->ReturnFocus();
}
