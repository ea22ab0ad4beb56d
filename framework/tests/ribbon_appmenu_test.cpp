// The application menu's drop-down panel in a frame: what it shows and where, the pictures of
// the main category's strips, split buttons and their drop-downs by click, hover and key, key tips,
// recent entries, and closing by Escape, by a click elsewhere and with the frame, giving the focus
// back where it was.
#include "framework/app.h"
#include "framework/ribbonappmenu.h"
#include "framework/ribbonbuilder.h"
#include "framework/ribboncategory.h"
#include "framework/ribbonlook.h"
#include "framework/stdids.h"
#include "testsupport/dibcanvas.h"
#include "testsupport/focusrecorder.h"
#include "testsupport/ribbonframetest.h"
#include "testsupport/appmenuprobe.h"

#include <gtest/gtest.h>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

enum : UINT {
    ID_M_TEMPLATE = 42000,
    ID_M_TABLE,
    ID_M_SEND,
    ID_M_FIRST = ID_M_TEMPLATE,
    ID_M_LAST = ID_M_SEND,
};

using Kind = CRibbonApplicationMenu::Kind;
using Item = CRibbonApplicationMenu::Item;

std::vector<UINT> g_run;

class CMenuFrame : public CFrameWnd {
public:
    CMFCRibbonBar m_wndRibbon;
    CWnd m_wndView;    // stands for the design view
    CWnd m_wndOther;   // another window the focus could wander to
    int OnCreate(LPCREATESTRUCTA cs)
    {
        if (CFrameWnd::OnCreate(cs) == -1 || !m_wndRibbon.Create(this))
            return -1;
        m_wndView.CreateEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE, CRect(0, 200, 100, 220), this, AFX_IDW_PANE_FIRST);
        m_wndOther.CreateEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE, CRect(120, 200, 220, 220), this, 1234);
        // The program's own strips of the main category: 16 x 16 (115) and 32 x 32 (114).
        RibbonBuilder(m_wndRibbon)
            .ApplicationButton("\nf", "File")
            .MainCategory("File", 115, 114)
              .Button(ID_FILE_NEW, "&New", 0).DropDown()
                .Label("Create a new project")
                .Button(ID_FILE_NEW, "Project").Description("Start a new project.")
                .Label("Add to project")
                .Button(ID_M_TEMPLATE, "Template").Description("Add a label template to the project.")
                .Button(ID_M_TABLE, "Table").Description("Add a data table to the project.")
              .EndDropDown()
              .Button(ID_FILE_OPEN, "&Open...", 1)
              .Button(ID_FILE_SAVE, "&Save", 2)
              .Button(ID_FILE_PRINT, "Print", 6).Keys("p", "w").DropDown()
                .Button(ID_FILE_PRINT_SETUP, "Print Set&up", 11).Description("Choose the printer and its paper.")
              .EndDropDown()
              .Button(ID_M_SEND, "Send to", 5)
              .Separator()
              .Button(ID_FILE_CLOSE, "&Close", 9)
              .RecentFiles("Recent Documents", 300)
              .Bottom(ID_APP_ABOUT, "About Test")
              .Bottom(ID_APP_EXIT, "E&xit", 15)
            .Category("&Home")
              .Panel("Clipboard", 27)
                .Button(ID_EDIT_PASTE, "Paste\nv", 0);
        RecalcLayout();
        return 0;
    }
    bool m_bCanSave = false;
    void OnRun(UINT id) { g_run.push_back(id); }
    void OnUpdateSave(CCmdUI* ui) { ui->Enable(m_bCanSave); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CMenuFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND_RANGE(ID_M_FIRST, ID_M_LAST, OnRun)
    ON_COMMAND_RANGE(ID_FILE_NEW, ID_FILE_MRU_FILE16, OnRun)
    ON_COMMAND_RANGE(ID_APP_EXIT, ID_APP_EXIT, OnRun)   // recorded rather than closing
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE, OnUpdateSave)
END_MESSAGE_MAP()

MSG Message(HWND wnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    MSG msg = {};
    msg.hwnd = wnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    if (message == WM_KEYUP || message == WM_SYSKEYUP)
        msg.lParam = static_cast<LPARAM>(0xC0000001);
    return msg;
}

class AppMenu : public RibbonFrameTest<CMenuFrame> {
protected:
    void SetUp() override
    {
        g_run.clear();
        app.m_pRecentFileList = new CRecentFileList(ID_FILE_MRU_FILE1, "Recent File List", "File%d", 10);
        app.m_pRecentFileList->Add("C:\\labels\\tags.proj");
        app.m_pRecentFileList->Add("C:\\labels\\shelf.proj");   // newest first
        OpenFrame("Menu test", CRect(0, 0, 900, 500));
    }
    // A click on the application button, as the mouse gives it to the bar.
    CRibbonApplicationMenu* ClickAppButton()
    {
        CPoint pt = ribbon->GetApplicationButtonRect().CenterPoint();
        ribbon->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        ribbon->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        return ribbon->GetApplicationMenu();
    }
    // Alt (F10 here) and F, through the message filter the frame runs before translating.
    CRibbonApplicationMenu* KeyTipF()
    {
        Key(VK_F10, WM_SYSKEYDOWN);
        Key('F');
        return ribbon->GetApplicationMenu();
    }
    BOOL Key(WPARAM key, UINT message = WM_KEYDOWN)
    {
        MSG msg = Message(frame->m_wndView.m_hWnd, message, key, 1);
        return ribbon->ProcessKeyTipMessage(&msg);
    }
    CRibbonApplicationMenu* Menu() { return ribbon->GetApplicationMenu(); }
    int Find(UINT id, Kind kind) { return FindAppMenuItem(Menu(), id, kind); }
    const Item& ItemOf(UINT id, Kind kind = Kind::Button) { return AppMenuItemOf(Menu(), id, kind); }
    void ClickMenu(CPoint pt) { ClickAppMenuAt(Menu(), pt); }
    void Hover(CPoint pt) { ::SendMessageA(Menu()->GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y)); }
    std::vector<std::string> Pane() { return AppMenuPane(Menu()); }
    std::unique_ptr<DibCanvas> Paint()
    {
        CSize size = Menu()->GetSize();
        auto canvas = std::make_unique<DibCanvas>(size.cx, size.cy);
        Menu()->Render(canvas->dc());
        return canvas;
    }

    CWinApp app{ "KorveltaAppMenuTest" };
};

} // namespace

TEST_F(AppMenu, OpensAsAPanelUnderTheApplicationButtonWithTheMainCategoryInOrder)
{
    CRibbonApplicationMenu* menu = ClickAppButton();
    ASSERT_NE(nullptr, menu);
    ASSERT_TRUE(menu->IsOpen());
    EXPECT_FALSE(menu->IsShowingKeyTips());
    HWND wnd = menu->GetSafeHwnd();
    ASSERT_TRUE(::IsWindow(wnd));
    EXPECT_TRUE(::IsWindowVisible(wnd));
    // A window of its own (not a popup menu), owned by the frame, at the button's lower left corner.
    char className[64] = {};
    ::GetClassNameA(wnd, className, sizeof className);
    EXPECT_STRNE("#32768", className);
    EXPECT_TRUE(::GetWindowLongA(wnd, GWL_STYLE) & WS_POPUP);
    EXPECT_EQ(frame->m_hWnd, ::GetWindow(wnd, GW_OWNER));
    CRect button = ribbon->GetApplicationButtonRect();
    CPoint corner(button.left, button.bottom);
    ribbon->ClientToScreen(&corner);
    RECT placed;
    ::GetWindowRect(wnd, &placed);
    EXPECT_EQ(corner.x, placed.left);
    EXPECT_EQ(corner.y, placed.top);
    EXPECT_EQ(menu->GetSize().cx, placed.right - placed.left);

    // The column in the panel's order, then the bottom row; the pane holds the recent documents.
    std::vector<std::string> column, bottom;
    AppMenuColumnAndBottom(menu, column, bottom);
    EXPECT_EQ((std::vector<std::string>{ "New", "Open...", "Save", "Print", "Send to", "-", "Close" }), column);
    EXPECT_EQ((std::vector<std::string>{ "About Test", "Exit" }), bottom);
    EXPECT_EQ((std::vector<std::string>{ "heading:Recent Documents", "recent:C:\\labels\\shelf.proj",
                                         "recent:C:\\labels\\tags.proj" }),
              Pane());
    EXPECT_EQ(300, menu->GetPaneRect().Width());
    EXPECT_EQ(nullptr, menu->GetDropDownButton());

    // Column items stack downwards; the pane is right of the column; the bottom row is under both,
    // its buttons at the right, About before Exit.
    CRect column0 = ItemOf(ID_FILE_NEW).rect, column1 = ItemOf(ID_FILE_OPEN).rect;
    EXPECT_EQ(column0.bottom, column1.top);
    EXPECT_LE(menu->GetColumnRect().right, menu->GetPaneRect().left);
    EXPECT_LE(menu->GetPaneRect().bottom, menu->GetBottomRect().top);
    CRect about = ItemOf(ID_APP_ABOUT, Kind::Bottom).rect, exit = ItemOf(ID_APP_EXIT, Kind::Bottom).rect;
    EXPECT_LT(about.right, exit.left);
    EXPECT_GT(exit.right, menu->GetPaneRect().left);
    EXPECT_TRUE(menu->GetBottomRect().PtInRect(exit.CenterPoint()));

    // The elements' states come from the update handlers on opening: nobody saves, nobody answers About.
    EXPECT_FALSE(ItemOf(ID_FILE_SAVE).element->IsEnabled());
    EXPECT_TRUE(ItemOf(ID_FILE_OPEN).element->IsEnabled());
    EXPECT_FALSE(ItemOf(ID_APP_ABOUT, Kind::Bottom).element->IsEnabled());
    EXPECT_TRUE(ItemOf(ID_APP_EXIT, Kind::Bottom).element->IsEnabled());

    // The application button shows pressed while its panel is open.
    CRect client;
    ribbon->GetClientRect(&client);
    DibCanvas bar(client.Width(), client.Height());
    ribbon->Render(bar.dc());
    EXPECT_EQ(CRibbonLook::Colors().hotBorder, bar.Pixel(button.left + 6, button.CenterPoint().y));

    // A second click on the button closes it.
    ClickAppButton();
    EXPECT_FALSE(menu->IsOpen());
    EXPECT_FALSE(::IsWindow(wnd));
    EXPECT_TRUE(g_run.empty());
}

TEST_F(AppMenu, ColumnShowsTheLargePicturesAndTheBottomRowTheSmallOnes)
{
    CRibbonApplicationMenu* menu = ClickAppButton();
    ASSERT_TRUE(menu->IsOpen());
    frame->m_bCanSave = false;
    auto canvas = Paint();
    CMFCRibbonCategory* main = ribbon->GetMainCategory();
    ASSERT_NE(nullptr, main->GetImages(true));
    ASSERT_NE(nullptr, main->GetImages(false));
    const COLORREF face = CRibbonLook::Colors().panelFace;
    // Each enabled picture is the strip's picture at the element's index, drawn over the face.
    auto same = [&](const Item& item, bool large, int index) {
        CRect at = item.ImageRect();
        int size = large ? 32 : 16;
        EXPECT_EQ(size, at.Width());
        DibCanvas picture(size, size, face);
        ::ImageList_Draw(main->GetImages(large), index, picture.dc().m_hDC, 0, 0, ILD_TRANSPARENT);
        int differ = 0, drawn = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                differ += canvas->Pixel(at.left + x, at.top + y) != picture.Pixel(x, y);
                drawn += picture.Pixel(x, y) != face;
            }
        EXPECT_EQ(0, differ) << item.text.GetString();
        EXPECT_GT(drawn, size * size / 16) << item.text.GetString();   // not an empty slot
    };
    const struct { UINT id; int index; } column[] = {
        { ID_FILE_NEW, 0 }, { ID_FILE_OPEN, 1 }, { ID_FILE_PRINT, 6 }, { ID_M_SEND, 5 }, { ID_FILE_CLOSE, 9 },
    };
    for (const auto& entry : column)
        same(ItemOf(entry.id), true, entry.index);
    same(ItemOf(ID_APP_EXIT, Kind::Bottom), false, 15);
    EXPECT_TRUE(ItemOf(ID_APP_ABOUT, Kind::Bottom).ImageRect().IsRectEmpty());

    // The disabled Save draws its picture in greys.
    CRect save = ItemOf(ID_FILE_SAVE).ImageRect();
    int coloured = 0, grey = 0;
    for (int y = save.top; y < save.bottom; ++y)
        for (int x = save.left; x < save.right; ++x) {
            COLORREF c = canvas->Pixel(x, y);
            if (c == face)
                continue;
            int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
            (std::abs(r - g) <= 2 && std::abs(g - b) <= 2 ? grey : coloured)++;
        }
    EXPECT_GT(grey, 50);
    EXPECT_EQ(0, coloured);
}

TEST_F(AppMenu, SplitButtonsRunTheirCommandFromTheFaceAndOpenTheDropDownFromTheArrow)
{
    ClickAppButton();
    const Item& fileNew = ItemOf(ID_FILE_NEW);
    ASSERT_TRUE(fileNew.IsSplit());
    ClickMenu(CPoint(fileNew.rect.left + 20, fileNew.rect.CenterPoint().y));
    EXPECT_EQ(std::vector<UINT>{ ID_FILE_NEW }, g_run);
    EXPECT_FALSE(ribbon->IsApplicationMenuOpen());

    // The arrow runs nothing: the pane shows the drop-down's labels and buttons in order.
    g_run.clear();
    ClickAppButton();
    ClickMenu(ItemOf(ID_FILE_NEW).ArrowRect().CenterPoint());
    EXPECT_TRUE(g_run.empty());
    ASSERT_TRUE(ribbon->IsApplicationMenuOpen());
    EXPECT_EQ(ribbon->FindByID(ID_FILE_NEW), Menu()->GetDropDownButton());
    EXPECT_EQ((std::vector<std::string>{ "heading:Create a new project", "button:Project", "heading:Add to project",
                                         "button:Template", "button:Table" }),
              Pane());
    // Each button shows its description under its caption: text is drawn in its lower half.
    auto canvas = Paint();
    const Item& table = ItemOf(ID_M_TABLE, Kind::SubButton);
    EXPECT_STREQ("Add a data table to the project.", table.element->GetDescription());
    CRect lower(table.rect.left + 50, table.rect.top + table.rect.Height() / 2, table.rect.right - 8, table.rect.bottom);
    int ink = 0;
    for (int y = lower.top; y < lower.bottom; ++y)
        for (int x = lower.left; x < lower.right; ++x)
            ink += canvas->Pixel(x, y) == CRibbonLook::Colors().text;
    EXPECT_GT(ink, 20);
    // Template runs its command and closes the panel.
    ClickMenu(ItemOf(ID_M_TEMPLATE, Kind::SubButton).rect.CenterPoint());
    EXPECT_EQ(std::vector<UINT>{ ID_M_TEMPLATE }, g_run);
    EXPECT_FALSE(ribbon->IsApplicationMenuOpen());

    // Print: the face prints, the arrow shows Print Setup with its description.
    g_run.clear();
    ClickAppButton();
    ClickMenu(CPoint(ItemOf(ID_FILE_PRINT).rect.left + 20, ItemOf(ID_FILE_PRINT).rect.CenterPoint().y));
    EXPECT_EQ(std::vector<UINT>{ ID_FILE_PRINT }, g_run);
    g_run.clear();
    ClickAppButton();
    ClickMenu(ItemOf(ID_FILE_PRINT).ArrowRect().CenterPoint());
    EXPECT_EQ((std::vector<std::string>{ "button:Print Setup" }), Pane());
    ClickMenu(ItemOf(ID_FILE_PRINT_SETUP, Kind::SubButton).rect.CenterPoint());
    EXPECT_EQ(std::vector<UINT>{ ID_FILE_PRINT_SETUP }, g_run);

    // Plain buttons, the bottom row and a recent entry run theirs.
    g_run.clear();
    for (UINT id : std::vector<UINT>{ ID_FILE_OPEN, ID_M_SEND, ID_FILE_CLOSE }) {
        ClickAppButton();
        ClickMenu(ItemOf(id).rect.CenterPoint());
        EXPECT_FALSE(ribbon->IsApplicationMenuOpen()) << id;
    }
    ClickAppButton();
    ClickMenu(ItemOf(ID_APP_EXIT, Kind::Bottom).rect.CenterPoint());
    ClickAppButton();
    ClickMenu(Menu()->GetItem(Menu()->FindRecentItem(1)).rect.CenterPoint());
    EXPECT_EQ((std::vector<UINT>{ ID_FILE_OPEN, ID_M_SEND, ID_FILE_CLOSE, static_cast<UINT>(ID_APP_EXIT),
                                  static_cast<UINT>(ID_FILE_MRU_FILE1 + 1) }),
              g_run);
    // A disabled one runs nothing and the panel stays.
    g_run.clear();
    ClickAppButton();
    ClickMenu(ItemOf(ID_FILE_SAVE).rect.CenterPoint());
    EXPECT_TRUE(g_run.empty());
    EXPECT_TRUE(ribbon->IsApplicationMenuOpen());
}

TEST_F(AppMenu, HoveringASplitButtonShowsItsDropDownBesideTheColumn)
{
    ClickAppButton();
    Hover(ItemOf(ID_FILE_NEW).rect.CenterPoint());
    EXPECT_EQ(ribbon->FindByID(ID_FILE_NEW), Menu()->GetDropDownButton());
    EXPECT_EQ(Find(ID_FILE_NEW, Kind::Button), Menu()->GetHotItem());
    // Into the pane: the drop-down stays.
    Hover(ItemOf(ID_M_TABLE, Kind::SubButton).rect.CenterPoint());
    EXPECT_EQ(ribbon->FindByID(ID_FILE_NEW), Menu()->GetDropDownButton());
    EXPECT_EQ(Find(ID_M_TABLE, Kind::SubButton), Menu()->GetHotItem());
    // Resting on a plain button gives the pane back to the recent documents: not while the mouse
    // only crosses it on its way to the drop-down, but when the moment is over.
    Hover(ItemOf(ID_FILE_OPEN).rect.CenterPoint());
    EXPECT_EQ(ribbon->FindByID(ID_FILE_NEW), Menu()->GetDropDownButton());
    Hover(ItemOf(ID_M_TEMPLATE, Kind::SubButton).rect.CenterPoint());
    ::SendMessageA(Menu()->GetSafeHwnd(), WM_TIMER, CRibbonApplicationMenu::kPaneTimer, 0);
    EXPECT_EQ(ribbon->FindByID(ID_FILE_NEW), Menu()->GetDropDownButton());   // it reached the pane
    Hover(ItemOf(ID_FILE_OPEN).rect.CenterPoint());
    ::SendMessageA(Menu()->GetSafeHwnd(), WM_TIMER, CRibbonApplicationMenu::kPaneTimer, 0);
    EXPECT_EQ(nullptr, Menu()->GetDropDownButton());
    EXPECT_EQ("heading:Recent Documents", Pane().front());
    EXPECT_EQ(Find(ID_FILE_OPEN, Kind::Button), Menu()->GetHotItem());
    // The moment also passes by itself.
    Hover(ItemOf(ID_FILE_NEW).rect.CenterPoint());
    Hover(ItemOf(ID_FILE_OPEN).rect.CenterPoint());
    ASSERT_NE(nullptr, Menu()->GetDropDownButton());
    const DWORD until = ::GetTickCount() + 5000;
    while (Menu()->GetDropDownButton() != nullptr && ::GetTickCount() < until) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        ::Sleep(20);
    }
    EXPECT_EQ(nullptr, Menu()->GetDropDownButton());
    Hover(ItemOf(ID_FILE_PRINT).rect.CenterPoint());
    EXPECT_EQ(ribbon->FindByID(ID_FILE_PRINT), Menu()->GetDropDownButton());
    EXPECT_TRUE(g_run.empty());
    // The panel's size stays while its pane changes.
    RECT placed;
    ::GetWindowRect(Menu()->GetSafeHwnd(), &placed);
    EXPECT_EQ(Menu()->GetSize().cy, placed.bottom - placed.top);
    EXPECT_GE(Menu()->GetPaneRect().bottom, ItemOf(ID_FILE_PRINT_SETUP, Kind::SubButton).rect.bottom);
}

TEST_F(AppMenu, KeyTipsReachEveryElementAndPrintAnswersPAndW)
{
    frame->m_bCanSave = true;
    CRibbonApplicationMenu* menu = KeyTipF();
    ASSERT_NE(nullptr, menu);
    ASSERT_TRUE(menu->IsOpen());
    EXPECT_TRUE(menu->IsShowingKeyTips());
    EXPECT_EQ(Find(ID_FILE_NEW, Kind::Button), menu->GetHotItem());   // the keyboard starts on New
    // Own tips, the captions' mnemonics, made ones, and digits for the recent entries.
    EXPECT_STREQ("N", ItemOf(ID_FILE_NEW).keys);
    EXPECT_STREQ("O", ItemOf(ID_FILE_OPEN).keys);
    EXPECT_STREQ("S", ItemOf(ID_FILE_SAVE).keys);
    EXPECT_STREQ("P", ItemOf(ID_FILE_PRINT).keys);
    EXPECT_STREQ("W", ItemOf(ID_FILE_PRINT).menuKeys);
    EXPECT_STREQ("C", ItemOf(ID_FILE_CLOSE).keys);
    EXPECT_STREQ("X", ItemOf(ID_APP_EXIT, Kind::Bottom).keys);
    EXPECT_STREQ("1", menu->GetItem(menu->FindRecentItem(0)).keys);
    EXPECT_STREQ("2", menu->GetItem(menu->FindRecentItem(1)).keys);
    std::vector<CString> tips;
    for (int i = 0; i < menu->GetItemCount(); ++i) {
        const Item& item = menu->GetItem(i);
        if (item.kind == Kind::Button || item.kind == Kind::Bottom || item.kind == Kind::Recent) {
            ASSERT_FALSE(item.keys.IsEmpty()) << item.text.GetString();
            tips.push_back(item.keys);
        }
        if (!item.menuKeys.IsEmpty())
            tips.push_back(item.menuKeys);
    }
    for (size_t i = 0; i < tips.size(); ++i)
        for (size_t j = i + 1; j < tips.size(); ++j)
            EXPECT_NE(0, tips[i].Left(1).Compare(tips[j].Left(1))) << tips[i].GetString() << " " << tips[j].GetString();
    // They are drawn: the tips' yellow shows.
    EXPECT_GT(Paint()->CountPixels(RGB(255, 255, 225)), 100);

    // W opens Print's drop-down, whose Print Setup answers U.
    EXPECT_TRUE(Key('W'));
    EXPECT_EQ(ribbon->FindByID(ID_FILE_PRINT), menu->GetDropDownButton());
    EXPECT_EQ(1, menu->GetKeyLevel());
    EXPECT_STREQ("U", ItemOf(ID_FILE_PRINT_SETUP, Kind::SubButton).keys);
    EXPECT_TRUE(Key('U'));
    EXPECT_EQ(std::vector<UINT>{ ID_FILE_PRINT_SETUP }, g_run);
    EXPECT_FALSE(menu->IsOpen());
    EXPECT_TRUE(Key('U', WM_KEYUP));   // the rest of the key that closed it
    EXPECT_FALSE(Key('U', WM_KEYUP));

    // P prints; each of the others runs its own command.
    const struct { WPARAM key; UINT id; } keys[] = {
        { 'P', ID_FILE_PRINT }, { 'N', ID_FILE_NEW }, { 'O', ID_FILE_OPEN }, { 'S', ID_FILE_SAVE },
        { 'C', ID_FILE_CLOSE }, { 'X', ID_APP_EXIT }, { '1', ID_FILE_MRU_FILE1 }, { '2', ID_FILE_MRU_FILE1 + 1 },
    };
    for (const auto& entry : keys) {
        g_run.clear();
        KeyTipF();
        ASSERT_TRUE(Menu()->IsOpen());
        Key(entry.key);
        EXPECT_EQ(std::vector<UINT>{ entry.id }, g_run) << static_cast<char>(entry.key);
        EXPECT_FALSE(Menu()->IsOpen());
    }
    g_run.clear();
    KeyTipF();
    CString send = ItemOf(ID_M_SEND).keys;
    for (int i = 0; i < send.GetLength(); ++i)
        Key(static_cast<WPARAM>(send[i]));
    EXPECT_EQ(std::vector<UINT>{ ID_M_SEND }, g_run);

    // Right on New opens its drop-down for the keys; its buttons have tips of their own level.
    g_run.clear();
    KeyTipF();
    Key(VK_RIGHT);
    ASSERT_EQ(ribbon->FindByID(ID_FILE_NEW), Menu()->GetDropDownButton());
    EXPECT_EQ(1, Menu()->GetKeyLevel());
    EXPECT_EQ(Find(ID_FILE_NEW, Kind::SubButton), Menu()->GetHotItem());
    CString project = ItemOf(ID_FILE_NEW, Kind::SubButton).keys, tmpl = ItemOf(ID_M_TEMPLATE, Kind::SubButton).keys,
            table = ItemOf(ID_M_TABLE, Kind::SubButton).keys;
    EXPECT_STREQ("P", project);
    EXPECT_STREQ("T", tmpl);
    EXPECT_FALSE(table.IsEmpty());
    EXPECT_NE(tmpl, table);
    // Escape goes back to the column (its keys again), a second Escape closes.
    Key(VK_ESCAPE);
    EXPECT_TRUE(Menu()->IsOpen());
    EXPECT_EQ(0, Menu()->GetKeyLevel());
    EXPECT_EQ(nullptr, Menu()->GetDropDownButton());
    EXPECT_EQ(Find(ID_FILE_NEW, Kind::Button), Menu()->GetHotItem());
    Key(VK_DOWN);
    EXPECT_EQ(Find(ID_FILE_OPEN, Kind::Button), Menu()->GetHotItem());
    Key(VK_UP);
    Key(VK_RIGHT);
    Key(static_cast<WPARAM>(table[0]));
    EXPECT_EQ(std::vector<UINT>{ ID_M_TABLE }, g_run);

    // A disabled element's tip runs nothing and the panel stays.
    g_run.clear();
    frame->m_bCanSave = false;
    KeyTipF();
    Key('S');
    EXPECT_TRUE(g_run.empty());
    EXPECT_TRUE(Menu()->IsOpen());
    // Enter runs the selected button (the arrows pass over the disabled one).
    Key(VK_UP);
    EXPECT_EQ(Find(ID_FILE_OPEN, Kind::Button), Menu()->GetHotItem());
    Key(VK_DOWN);
    EXPECT_EQ(Find(ID_FILE_PRINT, Kind::Button), Menu()->GetHotItem());
    Key(VK_UP);
    Key(VK_RETURN);
    EXPECT_EQ(std::vector<UINT>{ ID_FILE_OPEN }, g_run);
}

TEST_F(AppMenu, OpenedByMouseTheKeysStillWorkButNoTipsShow)
{
    ClickAppButton();
    EXPECT_EQ(-1, Menu()->GetHotItem());
    EXPECT_EQ(0, Paint()->CountPixels(RGB(255, 255, 225)));
    // Keys do not reach the window below while the panel is open.
    EXPECT_TRUE(Key('Q'));
    EXPECT_TRUE(Key('Q', WM_CHAR));
    EXPECT_TRUE(Menu()->IsOpen());
    Key('O');
    EXPECT_EQ(std::vector<UINT>{ ID_FILE_OPEN }, g_run);
}

TEST_F(AppMenu, EscapeAClickElsewhereAndAltCloseIt)
{
    FocusRecorder focus(false);
    ClickAppButton();
    ASSERT_TRUE(Menu()->IsOpen());
    EXPECT_TRUE(Key(VK_ESCAPE));
    EXPECT_FALSE(Menu()->IsOpen());
    EXPECT_TRUE(Key(VK_ESCAPE, WM_KEYUP));

    // A click anywhere else closes it and goes no further, nor does its button-up.
    ClickAppButton();
    MSG down = Message(frame->m_wndOther.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_TRUE(ribbon->ProcessKeyTipMessage(&down));
    EXPECT_FALSE(Menu()->IsOpen());
    MSG up = Message(frame->m_wndOther.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(ribbon->ProcessKeyTipMessage(&up));
    EXPECT_FALSE(ribbon->ProcessKeyTipMessage(&up));   // the next click is the window's again
    EXPECT_FALSE(ribbon->ProcessKeyTipMessage(&down));

    // A click in the panel is the panel's own.
    ClickAppButton();
    MSG inside = Message(Menu()->GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_FALSE(ribbon->ProcessKeyTipMessage(&inside));
    EXPECT_TRUE(Menu()->IsOpen());
    // A click on the frame's caption or on the application button closes it too (and does not
    // open it again).
    MSG caption = Message(frame->m_hWnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    EXPECT_TRUE(ribbon->ProcessKeyTipMessage(&caption));
    EXPECT_FALSE(Menu()->IsOpen());
    ClickAppButton();
    CPoint app = ribbon->GetApplicationButtonRect().CenterPoint();
    MSG onButton = Message(ribbon->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(app.x, app.y));
    EXPECT_TRUE(ribbon->ProcessKeyTipMessage(&onButton));
    EXPECT_FALSE(Menu()->IsOpen());

    // Alt closes it, and its key-up opens no system menu and shows no key tips.
    ClickAppButton();
    EXPECT_TRUE(Key(VK_MENU, WM_SYSKEYDOWN));
    EXPECT_FALSE(Menu()->IsOpen());
    EXPECT_TRUE(Key(VK_MENU, WM_SYSKEYUP));
    EXPECT_EQ(0, ribbon->GetKeyTipLevel());
    // Another program coming forward closes it.
    ClickAppButton();
    ::SendMessageA(Menu()->GetSafeHwnd(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(Menu()->IsOpen());
    EXPECT_TRUE(g_run.empty());
}

TEST_F(AppMenu, FocusGoesBackWhereItWasWhenThePanelCloses)
{
    // On a desktop of its own the view really has the focus: it is remembered, kept while the
    // panel is open (the panel never takes it) and asked for again however the panel closes,
    // even when something moved the focus meanwhile.
    FocusRecorder focus(true);
    HWND view = frame->m_wndView.m_hWnd;
    ::SetForegroundWindow(frame->m_hWnd);
    for (int way = 0; way < 3; ++way) {
        ::SetFocus(view);
        ASSERT_EQ(view, ::GetFocus());
        ClickAppButton();
        ASSERT_TRUE(Menu()->IsOpen());
        EXPECT_EQ(view, Menu()->GetFocusOnOpen()) << way;
        EXPECT_EQ(view, ::GetFocus()) << way;
        ::SetFocus(frame->m_wndOther.m_hWnd);
        focus.Clear();
        if (way == 0) {
            Key(VK_ESCAPE);
        } else if (way == 1) {
            MSG down = Message(frame->m_wndOther.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
            ribbon->ProcessKeyTipMessage(&down);
        } else {
            ClickMenu(ItemOf(ID_FILE_OPEN).rect.CenterPoint());
        }
        EXPECT_FALSE(Menu()->IsOpen()) << way;
        EXPECT_EQ(std::vector<HWND>{ view }, focus.Calls()) << way;
        EXPECT_EQ(view, ::GetFocus()) << way;
    }
    // Another program coming forward closes it without pulling the focus back to this one.
    ::SetFocus(view);
    ClickAppButton();
    ASSERT_EQ(view, Menu()->GetFocusOnOpen());
    focus.Clear();
    ::SendMessageA(Menu()->GetSafeHwnd(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(Menu()->IsOpen());
    EXPECT_TRUE(focus.Calls().empty());
}

TEST_F(AppMenu, ThePanelGoesWithTheFrame)
{
    ClickAppButton();
    HWND wnd = Menu()->GetSafeHwnd();
    ASSERT_TRUE(::IsWindow(wnd));
    frame->DestroyWindow();
    frame = nullptr;
    EXPECT_FALSE(::IsWindow(wnd));
}
