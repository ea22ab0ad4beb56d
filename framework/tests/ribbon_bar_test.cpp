// The ribbon bar in a frame: building, finding by id, clicks raising commands, idle-time updates
// through CCmdUI, edit and combo boxes as child controls, category switching, drop-downs and the
// quick access toolbar.
#include "testsupport/platformprobe.h"
#include "framework/app.h"
#include "framework/ribbonappmenu.h"
#include "framework/ribbonbuilder.h"
#include "framework/stdids.h"
#include "testsupport/dibcanvas.h"
#include "testsupport/keyinput.h"
#include "testsupport/ribbonframetest.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

enum : UINT {
    ID_R_FIRST = 41000,
    ID_R_BUTTON = ID_R_FIRST,
    ID_R_DISABLED,        // update handler disables it
    ID_R_CHECK,           // check box checked by its update handler
    ID_R_BOLD,            // button of a group, checked by its update handler
    ID_R_EDIT,            // edit written by a handler that needs the view's focus
    ID_R_SPIN,
    ID_R_COMBO,
    ID_R_SECOND,          // on the second tab
    ID_R_SECOND_EDIT,
    ID_R_HIDDEN,          // hidden element, shown only on the quick access toolbar
    ID_R_COLOR,
    ID_R_SPLIT,
    ID_R_SUB,
    ID_R_TEXT,            // caption set by its update handler
    ID_R_LAST = 41099,
    ID_R_NO_HANDLER = 41500,
};

std::vector<UINT> g_commands;

class CTestRibbon : public CMFCRibbonBar {
public:
    struct Item {
        UINT id;
        std::string text;
        UINT state;
    };
    std::vector<Item> shown;     // items of the last popup
    UINT answer = 0;
    UINT TrackPopup(HMENU menu, CPoint, bool) override
    {
        shown.clear();
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
            char text[128] = {};
            ::GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
            shown.push_back({ ::GetMenuItemID(menu, i), text, ::GetMenuState(menu, i, MF_BYPOSITION) });
        }
        return answer;
    }
    bool ChooseOtherColor(COLORREF& color) override
    {
        color = RGB(1, 2, 3);
        return true;
    }
};

class CRibbonFrame : public CFrameWnd {
public:
    CTestRibbon m_wndRibbon;
    CWnd m_wndView;              // stands for the design view
    int m_nCheck = 1;
    CString m_strStored = "12.5 mm";
    UINT m_nLook = 216;

    int OnCreate(LPCREATESTRUCTA cs)
    {
        if (CFrameWnd::OnCreate(cs) == -1 || !m_wndRibbon.Create(this))
            return -1;
        m_wndView.CreateEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE, CRect(0, 200, 100, 220), this, AFX_IDW_PANE_FIRST);
        HMENU style = ::CreatePopupMenu();
        ::AppendMenuA(style, MF_STRING, 215, "Office 2007 (&Blue Style)");
        ::AppendMenuA(style, MF_STRING, 216, "Office 2007 (B&lack Style)");
        RibbonBuilder(m_wndRibbon)
            .ApplicationButton("\nf", "File")
            .MainCategory("File")
              .Button(ID_FILE_NEW, "&New", 0).DropDown()
                .Label("Create a new project")
                .Button(ID_FILE_NEW, "Project")
                .Button(ID_R_SUB, "Template")
              .EndDropDown()
              .Button(ID_FILE_OPEN, "&Open...", 1)
              .Separator()
              .RecentFiles("Recent Documents", 300)
              .Bottom(ID_APP_ABOUT, "About")
              .Bottom(ID_APP_EXIT, "E&xit", 15)
            .Category("&Home")
              .Panel("Clipboard\nd", 27)
                .Button(ID_R_BUTTON, "Paste\nv", 0)
                .Button(ID_R_DISABLED, "Cut\nx", 1)
                .Button(ID_R_NO_HANDLER, "Copy\nc", 2)
              .Panel("View", 36)
                .CheckBox(ID_R_CHECK, "Field codes")
                .Combo(ID_R_COMBO, "Zoom", 50, { "50 %", "100 %", "200 %", "400 %" })
                .Separator()
                .Button(ID_R_TEXT, "Header")
              .Panel("Font/Text alignment", 29)
                .Group()
                  .Button(ID_R_BOLD, "Bold", 6)
                  .Button(ID_R_NO_HANDLER + 1, "Italic", 7)
                .EndGroup()
                .ColorButton(ID_R_COLOR, "Color").Palette({ RGB(0, 0, 0), RGB(255, 0, 0) }).OtherButton("Other...")
                .Button(ID_R_SPLIT, "Split").DropDown().Button(ID_R_SUB, "Sub").EndDropDown()
              .Panel("Position", 43)
                .Edit(ID_R_EDIT, "X:", 70)
                .Edit(ID_R_SPIN, "Rows :", 50).Spin(1, 100)
                .Edit(ID_R_NO_HANDLER + 2, "Y:", 70)
              .Panel("Font", 29)
                .FontCombo(ID_R_NO_HANDLER + 3)
            .Category("Format")
              .Panel("Text", 1)
                .Edit(ID_R_SECOND_EDIT, "Prefix: ", 50)
                .Button(ID_R_SECOND, "Second")
              .Hidden(ID_R_HIDDEN, "Undo", 10)
            .TabButton(static_cast<UINT>(-1), "Style").Menu(style, false, true).ToolTip("Modify Visual Style")
              .Description("Choose one of the Office 2007 themes")
            .TabButton(ID_HELP, "\na", 0)
            .QuickAccess({ ID_FILE_NEW, ID_FILE_OPEN, ID_R_HIDDEN, ID_R_NO_HANDLER, 49999 });
        RecalcLayout();
        return 0;
    }
    void OnAny(UINT id) { g_commands.push_back(id); }
    void OnUpdateDisabled(CCmdUI* ui) { ui->Enable(FALSE); }
    void OnUpdateCheck(CCmdUI* ui) { ui->SetCheck(m_nCheck); }
    void OnUpdateText(CCmdUI* ui) { ui->SetText("Footer"); }
    BOOL m_bEditEnabled = TRUE;
    void OnUpdateEdit(CCmdUI* ui)
    {
        // Boxes showing a value are only written while the view has the focus.
        if (::GetFocus() != m_wndView.m_hWnd)
            return;
        ui->Enable(m_bEditEnabled);
        ui->SetText(m_strStored);
    }
    void OnLook(UINT id) { g_commands.push_back(id); }
    void OnUpdateLook(CCmdUI* ui) { ui->SetRadio(ui->m_nID == m_nLook); }
    void OnFileCommand(UINT id) { g_commands.push_back(id); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CRibbonFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND_RANGE(ID_R_FIRST, ID_R_LAST, OnAny)
    ON_COMMAND_RANGE(215, 218, OnLook)
    ON_COMMAND_RANGE(ID_FILE_NEW, ID_FILE_MRU_FILE16, OnFileCommand)
    ON_UPDATE_COMMAND_UI_RANGE(215, 218, OnUpdateLook)
    ON_UPDATE_COMMAND_UI(ID_R_DISABLED, OnUpdateDisabled)
    ON_UPDATE_COMMAND_UI(ID_R_CHECK, OnUpdateCheck)
    ON_UPDATE_COMMAND_UI(ID_R_BOLD, OnUpdateCheck)
    ON_UPDATE_COMMAND_UI(ID_R_TEXT, OnUpdateText)
    ON_UPDATE_COMMAND_UI(ID_R_EDIT, OnUpdateEdit)
END_MESSAGE_MAP()

class Ribbon : public RibbonFrameTest<CRibbonFrame, CTestRibbon> {
protected:
    void SetUp() override
    {
        g_commands.clear();
        app.m_pRecentFileList = new CRecentFileList(ID_FILE_MRU_FILE1, "Recent File List", "File%d", 4);
        app.m_pRecentFileList->Add("C:\\labels\\shelf.proj");
        OpenFrame("Ribbon test", CRect(0, 0, 1000, 400));
    }
    void Idle() { frame->OnIdleUpdateCmdUI(); }
    void Click(CPoint pt)
    {
        ribbon->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        ribbon->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    }
    void Click(UINT id) { Click(ribbon->FindByID(id)->GetRect().CenterPoint()); }
    template <class T> T* Find(UINT id) { return dynamic_cast<T*>(ribbon->FindByID(id)); }

    CWinApp app{ "KorveltaRibbonTest" };
};

} // namespace

TEST_F(Ribbon, BuildsCategoriesPanelsAndElementsInTableOrder)
{
    ASSERT_EQ(2, ribbon->GetCategoryCount());
    CMFCRibbonCategory* home = ribbon->GetCategory(0);
    EXPECT_STREQ("&Home", home->GetName());
    ASSERT_EQ(5, home->GetPanelCount());
    CMFCRibbonPanel* clipboard = home->GetPanel(0);
    EXPECT_STREQ("Clipboard", clipboard->GetName());
    EXPECT_STREQ("d", clipboard->GetKeys());
    EXPECT_EQ(27, clipboard->GetIcon());
    ASSERT_EQ(3, clipboard->GetCount());
    EXPECT_STREQ("Paste", clipboard->GetElement(0)->GetText());
    EXPECT_STREQ("v", clipboard->GetElement(0)->GetKeys());
    EXPECT_EQ(0, clipboard->GetElement(0)->GetImageIndex(false));

    CMFCRibbonPanel* view = home->GetPanel(1);
    ASSERT_EQ(4, view->GetCount());
    EXPECT_NE(nullptr, dynamic_cast<CMFCRibbonCheckBox*>(view->GetElement(0)));
    EXPECT_NE(nullptr, dynamic_cast<CMFCRibbonComboBox*>(view->GetElement(1)));
    EXPECT_NE(nullptr, dynamic_cast<CMFCRibbonSeparator*>(view->GetElement(2)));
    auto* group = dynamic_cast<CMFCRibbonButtonsGroup*>(home->GetPanel(2)->GetElement(0));
    ASSERT_NE(nullptr, group);
    EXPECT_EQ(2, group->GetCount());

    // Panels sit side by side; the three clipboard buttons stack in one column.
    EXPECT_LT(clipboard->GetRect().right, view->GetRect().left);
    CRect paste = clipboard->GetElement(0)->GetRect(), cut = clipboard->GetElement(1)->GetRect();
    EXPECT_EQ(paste.left, cut.left);
    EXPECT_EQ(paste.bottom, cut.top);
    // The group's buttons share a row.
    EXPECT_EQ(group->GetButton(0)->GetRect().top, group->GetButton(1)->GetRect().top);
    EXPECT_LE(group->GetButton(0)->GetRect().right, group->GetButton(1)->GetRect().left);
    // Edits of one column line their boxes up behind the widest label.
    EXPECT_EQ(Find<CMFCRibbonEdit>(ID_R_EDIT)->GetControlRect().left, Find<CMFCRibbonEdit>(ID_R_SPIN)->GetControlRect().left);

    auto* combo = Find<CMFCRibbonComboBox>(ID_R_COMBO);
    ASSERT_EQ(4, combo->GetCount());
    EXPECT_STREQ("200 %", combo->GetItem(2));
}

TEST_F(Ribbon, FindByIdSearchesEveryCategoryTheMenuTabsAndToolbar)
{
    CMFCRibbonBaseElement* second = ribbon->FindByID(ID_R_SECOND);
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(ribbon->GetCategory(1), second->GetCategory());
    EXPECT_NE(nullptr, Find<CMFCRibbonEdit>(ID_R_SECOND_EDIT));
    EXPECT_NE(nullptr, ribbon->FindByID(ID_R_SUB));             // inside a drop-down
    EXPECT_NE(nullptr, ribbon->FindByID(ID_APP_EXIT));          // bottom of the application menu
    EXPECT_NE(nullptr, ribbon->FindByID(ID_HELP));              // at the right of the tabs
    EXPECT_EQ(nullptr, ribbon->FindByID(ID_R_LAST));

    // Hidden elements only when asked for; the toolbar's copy is found unless excluded.
    CMFCRibbonBaseElement* copy = ribbon->FindByID(ID_R_HIDDEN);
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(ribbon->GetQuickAccessElement(2), copy);
    EXPECT_EQ(nullptr, ribbon->FindByID(ID_R_HIDDEN, TRUE, TRUE));
    CMFCRibbonBaseElement* hidden = ribbon->FindByID(ID_R_HIDDEN, FALSE, TRUE);
    ASSERT_NE(nullptr, hidden);
    EXPECT_NE(copy, hidden);
    // The panel's element comes before the toolbar's copy.
    EXPECT_EQ(ribbon->GetMainCategory(), ribbon->FindByID(ID_FILE_OPEN)->GetCategory());
}

TEST_F(Ribbon, ClickRaisesTheCommandOnlyWhenReleasedOverAnEnabledElement)
{
    Idle();
    Click(ID_R_BUTTON);
    Click(ID_R_DISABLED);
    Click(ID_R_CHECK);
    Click(ID_R_BOLD);
    EXPECT_EQ((std::vector<UINT>{ ID_R_BUTTON, ID_R_CHECK, ID_R_BOLD }), g_commands);

    g_commands.clear();
    CPoint down = ribbon->FindByID(ID_R_BUTTON)->GetRect().CenterPoint();
    CPoint up = ribbon->FindByID(ID_R_CHECK)->GetRect().CenterPoint();
    ribbon->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y));
    ribbon->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
    EXPECT_TRUE(g_commands.empty());
}

TEST_F(Ribbon, IdleUpdatesDisableCheckAndRename)
{
    Idle();
    EXPECT_TRUE(ribbon->FindByID(ID_R_BUTTON)->IsEnabled());        // command handler only
    EXPECT_FALSE(ribbon->FindByID(ID_R_DISABLED)->IsEnabled());     // disabled by its handler
    EXPECT_FALSE(ribbon->FindByID(ID_R_NO_HANDLER)->IsEnabled());   // neither handler
    EXPECT_FALSE(ribbon->FindByID(ID_R_NO_HANDLER + 1)->IsEnabled());
    EXPECT_TRUE(ribbon->FindByID(ID_R_CHECK)->IsChecked());
    EXPECT_TRUE(ribbon->FindByID(ID_R_BOLD)->IsChecked());
    EXPECT_STREQ("Footer", ribbon->FindByID(ID_R_TEXT)->GetText());
    frame->m_nCheck = 0;
    Idle();
    EXPECT_FALSE(ribbon->FindByID(ID_R_CHECK)->IsChecked());
    EXPECT_FALSE(ribbon->FindByID(ID_R_BOLD)->IsChecked());
}

TEST_F(Ribbon, CheckStateIsDrawn)
{
    const RibbonColors& colors = CRibbonLook::Colors();
    auto* check = Find<CMFCRibbonCheckBox>(ID_R_CHECK);
    auto* bold = ribbon->FindByID(ID_R_BOLD);
    CRect client;
    ribbon->GetClientRect(&client);
    auto marks = [&](bool checked) {
        frame->m_nCheck = checked ? 1 : 0;
        Idle();
        DibCanvas canvas(client.Width(), client.Height());
        ribbon->Render(canvas.dc());
        CRect box = check->GetBoxRect();
        int inside = 0;
        for (int y = box.top + 1; y < box.bottom - 1; ++y)
            for (int x = box.left + 1; x < box.right - 1; ++x)
                inside += canvas.Pixel(x, y) == colors.text;
        CPoint face(bold->GetRect().left + 2, bold->GetRect().top + 3);
        return std::make_pair(inside, canvas.Pixel(face.x, face.y) == colors.checkedFace);
    };
    auto checked = marks(true);
    auto unchecked = marks(false);
    EXPECT_GT(checked.first, 5);
    EXPECT_TRUE(checked.second);
    EXPECT_EQ(0, unchecked.first);
    EXPECT_FALSE(unchecked.second);
}

TEST_F(Ribbon, EditsAndCombosAreChildControlsReadById)
{
    HWND edit = ::GetDlgItem(ribbon->m_hWnd, ID_R_EDIT);
    HWND combo = ::GetDlgItem(ribbon->m_hWnd, ID_R_COMBO);
    ASSERT_NE(nullptr, edit);
    ASSERT_NE(nullptr, combo);
    char className[32] = {};
    ::GetClassNameA(edit, className, sizeof className);
    EXPECT_STRCASEEQ("Edit", className);
    ::GetClassNameA(combo, className, sizeof className);
    EXPECT_STRCASEEQ("ComboBox", className);
    EXPECT_EQ(Find<CMFCRibbonEdit>(ID_R_EDIT)->GetControlHwnd(), edit);
    EXPECT_TRUE(::IsWindowVisible(edit));

    ::SetWindowTextA(edit, "0123456789");
    auto* element = Find<CMFCRibbonEdit>(ID_R_EDIT);
    EXPECT_STREQ("0123456789", element->GetEditText());
    char small[5];
    EXPECT_EQ(4, element->CopyEditText(small, sizeof small));   // bounded and terminated
    EXPECT_STREQ("0123", small);
    EXPECT_EQ(0, element->CopyEditText(small, 0));

    // Enter raises the command; the handler reads the text by id.
    ::SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ((std::vector<UINT>{ ID_R_EDIT }), g_commands);

    // A choice from the list shows in the box before the command runs.
    g_commands.clear();
    auto* zoom = Find<CMFCRibbonComboBox>(ID_R_COMBO);
    ::SendMessageA(combo, CB_SETCURSEL, 3, 0);
    ribbon->SendMessage(WM_COMMAND, MAKEWPARAM(ID_R_COMBO, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ((std::vector<UINT>{ ID_R_COMBO }), g_commands);
    EXPECT_STREQ("400 %", zoom->GetEditText());
    EXPECT_EQ(3, zoom->GetCurSel());
    zoom->SelectItem("100 %");
    EXPECT_STREQ("100 %", ribbon->GetDlgItemText(ID_R_COMBO));
    zoom->SelectItem("150 %");   // typed text that is not in the list stays in an editable box
    EXPECT_STREQ("150 %", zoom->GetEditText());
    EXPECT_EQ(-1, zoom->GetCurSel());

    // Spin buttons step the number and raise the command.
    g_commands.clear();
    auto* rows = Find<CMFCRibbonEdit>(ID_R_SPIN);
    ASSERT_NE(nullptr, rows->GetSpinHwnd());
    EXPECT_EQ(1, rows->GetSpinRange().first);
    EXPECT_EQ(100, rows->GetSpinRange().second);
    ribbon->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 5), reinterpret_cast<LPARAM>(rows->GetSpinHwnd()));
    EXPECT_EQ((std::vector<UINT>{ ID_R_SPIN }), g_commands);
}

TEST_F(Ribbon, UpdateCommandTextReachesTheEditOnlyWhileTheViewHasTheFocus)
{
    // Registered to run alone on a Wine virtual desktop (framework/CMakeLists.txt), where nothing
    // else takes the focus.
    KORVELTA_NEEDS_PLATFORM(ProbeKeyboardFocus(frame->m_wndView.m_hWnd), "the keyboard focus");
    auto* edit = Find<CMFCRibbonEdit>(ID_R_EDIT);
    Idle();
    EXPECT_STREQ("12.5 mm", edit->GetEditText());
    EXPECT_EQ(nullptr, ribbon->GetFocusedElement());

    // The user types into the box: idle updates leave the text alone.
    ::SetFocus(edit->GetControlHwnd());
    ASSERT_TRUE(edit->HasFocus());
    EXPECT_EQ(edit, ribbon->GetFocusedElement());
    ::SetWindowTextA(edit->GetControlHwnd(), "30");
    frame->m_strStored = "31 mm";
    Idle();
    EXPECT_STREQ("30", edit->GetEditText());

    // Enter applies it and leaves the box; once the view has the focus again it shows the
    // stored value.
    ::SendMessageA(edit->GetControlHwnd(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ((std::vector<UINT>{ ID_R_EDIT }), g_commands);
    EXPECT_FALSE(edit->HasFocus());
    ::SetFocus(frame->m_wndView.m_hWnd);
    Idle();
    EXPECT_STREQ("31 mm", edit->GetEditText());

    // Nor does the handler's silence change the enable state once the view loses the focus.
    frame->m_bEditEnabled = FALSE;
    Idle();
    EXPECT_FALSE(edit->IsEnabled());
    ::SetFocus(frame->m_hWnd);
    Idle();
    EXPECT_FALSE(edit->IsEnabled());
    EXPECT_FALSE(::IsWindowEnabled(edit->GetControlHwnd()));
}

TEST_F(Ribbon, TabClickSwitchesCategoryAndItsControls)
{
    HWND first = Find<CMFCRibbonEdit>(ID_R_EDIT)->GetControlHwnd();
    HWND second = Find<CMFCRibbonEdit>(ID_R_SECOND_EDIT)->GetControlHwnd();
    ASSERT_NE(nullptr, second);   // created with the bar, hidden until its tab is shown
    EXPECT_TRUE(::IsWindowVisible(first));
    EXPECT_FALSE(::IsWindowVisible(second));

    Click(ribbon->GetTabRect(1).CenterPoint());
    EXPECT_EQ(ribbon->GetCategory(1), ribbon->GetActiveCategory());
    EXPECT_FALSE(::IsWindowVisible(first));
    EXPECT_TRUE(::IsWindowVisible(second));
    Idle();
    Click(ID_R_SECOND);
    EXPECT_EQ((std::vector<UINT>{ ID_R_SECOND }), g_commands);
    // Elements of a hidden category are not hit.
    CMFCRibbonBaseElement* paste = ribbon->FindByID(ID_R_BUTTON);
    EXPECT_NE(paste, ribbon->HitTest(paste->GetRect().CenterPoint()));
    EXPECT_FALSE(ribbon->SetActiveCategory(nullptr));
}

TEST_F(Ribbon, DropDownsShowTheirItemsWithUpdatedState)
{
    Idle();
    // A split button: the face runs the command, the arrow opens the list.
    auto* split = Find<CMFCRibbonButton>(ID_R_SPLIT);
    Click(split->GetRect().CenterPoint());
    EXPECT_EQ((std::vector<UINT>{ ID_R_SPLIT }), g_commands);
    g_commands.clear();
    ribbon->answer = ID_R_SUB;
    Click(CPoint(split->GetRect().right - 3, split->GetRect().CenterPoint().y));
    ASSERT_EQ(3u, ribbon->shown.size());
    EXPECT_EQ(ID_R_SPLIT, ribbon->shown[0].id);
    EXPECT_EQ(ID_R_SUB, ribbon->shown[2].id);
    EXPECT_EQ((std::vector<UINT>{ ID_R_SUB }), g_commands);

    // The style button has no command of its own: a click opens its menu with the radio mark.
    g_commands.clear();
    ribbon->answer = 215;
    CMFCRibbonBaseElement* style = ribbon->GetTabElement(0);
    EXPECT_FALSE(style->HasCommand());
    EXPECT_STREQ("Modify Visual Style", style->GetToolTipText());
    Click(style->GetRect().CenterPoint());
    ASSERT_EQ(2u, ribbon->shown.size());
    EXPECT_FALSE(ribbon->shown[0].state & MF_CHECKED);
    EXPECT_TRUE(ribbon->shown[1].state & MF_CHECKED);
    EXPECT_EQ((std::vector<UINT>{ 215 }), g_commands);
}

TEST_F(Ribbon, ColorButtonAppliesThePaletteChoice)
{
    Idle();
    auto* color = Find<CMFCRibbonColorButton>(ID_R_COLOR);
    ASSERT_NE(nullptr, color);
    EXPECT_EQ(RGB(0, 0, 0), color->GetColor());
    Click(color->GetRect().CenterPoint());   // the face applies the current colour
    EXPECT_EQ((std::vector<UINT>{ ID_R_COLOR }), g_commands);

    ribbon->answer = 2;
    Click(CPoint(color->GetRect().right - 3, color->GetRect().CenterPoint().y));
    EXPECT_EQ(3u, ribbon->shown.size());     // two colours and "Other..."
    EXPECT_EQ(RGB(255, 0, 0), color->GetColor());
    ribbon->answer = 3;
    Click(CPoint(color->GetRect().right - 3, color->GetRect().CenterPoint().y));
    EXPECT_EQ(RGB(1, 2, 3), color->GetColor());
    ribbon->answer = 0;                      // dismissed: nothing changes
    Click(CPoint(color->GetRect().right - 3, color->GetRect().CenterPoint().y));
    EXPECT_EQ((std::vector<UINT>{ ID_R_COLOR, ID_R_COLOR, ID_R_COLOR }), g_commands);
}

TEST_F(Ribbon, QuickAccessToolbarCopiesElementsIncludingHiddenOnes)
{
    // Ids that no element carries are left out.
    ASSERT_EQ(4, ribbon->GetQuickAccessCount());
    EXPECT_EQ(static_cast<UINT>(ID_FILE_NEW), ribbon->GetQuickAccessElement(0)->GetID());
    EXPECT_STREQ("Undo", ribbon->GetQuickAccessElement(2)->GetText());
    EXPECT_EQ(10, ribbon->GetQuickAccessElement(2)->GetImageIndex(false));
    Idle();
    EXPECT_TRUE(ribbon->GetQuickAccessElement(2)->IsEnabled());
    EXPECT_FALSE(ribbon->GetQuickAccessElement(3)->IsEnabled());
    // On the top row, left of nothing else, and clickable.
    EXPECT_LT(ribbon->GetQuickAccessElement(0)->GetRect().bottom, ribbon->GetTabRect(0).bottom);
    Click(ribbon->GetQuickAccessElement(2)->GetRect().CenterPoint());
    Click(ribbon->GetQuickAccessElement(0)->GetRect().CenterPoint());
    EXPECT_EQ((std::vector<UINT>{ ID_R_HIDDEN, static_cast<UINT>(ID_FILE_NEW) }), g_commands);
}

TEST_F(Ribbon, ToolTipsComeFromTheStringPrompts)
{
    // 104 has a prompt without a line break: all of it describes, the caption is the tip.
    CMFCRibbonButton button(104, "Sockets");
    CString prompt;
    ASSERT_TRUE(prompt.LoadString(104));
    EXPECT_STREQ("Sockets", button.GetToolTipText());
    EXPECT_STREQ(prompt, button.GetDescription());
    button.SetToolTipText("Own tip");
    EXPECT_STREQ("Own tip", button.GetToolTipText());
    EXPECT_STREQ("Own tip\r\n" + prompt, ribbon->GetToolTipFor(&button));

    CMFCRibbonButton plain(ID_R_LAST, "&Open...");   // no prompt at all
    EXPECT_STREQ("Open...", plain.GetToolTipText());
    EXPECT_STREQ("", plain.GetDescription());
    EXPECT_STREQ("Modify Visual Style\r\nChoose one of the Office 2007 themes",
                 ribbon->GetToolTipFor(ribbon->GetTabElement(0)));
}

TEST_F(Ribbon, ControlsFollowTheirElementsState)
{
    auto* unhandled = Find<CMFCRibbonEdit>(ID_R_NO_HANDLER + 2);
    ASSERT_NE(nullptr, unhandled->GetControlHwnd());
    Idle();
    EXPECT_FALSE(unhandled->IsEnabled());
    EXPECT_FALSE(::IsWindowEnabled(unhandled->GetControlHwnd()));
    EXPECT_TRUE(::IsWindowEnabled(Find<CMFCRibbonEdit>(ID_R_SPIN)->GetControlHwnd()));
    EXPECT_TRUE(::IsWindowEnabled(Find<CMFCRibbonEdit>(ID_R_SPIN)->GetSpinHwnd()));
    // Tooltips and notifications of a control lead back to its element.
    EXPECT_EQ(unhandled, ribbon->FindByControl(unhandled->GetControlHwnd()));
    HWND inner = ::GetWindow(Find<CMFCRibbonComboBox>(ID_R_COMBO)->GetControlHwnd(), GW_CHILD);
    EXPECT_EQ(ribbon->FindByID(ID_R_COMBO), ribbon->FindByControl(inner));
}

TEST_F(Ribbon, FontComboListsEachFaceOnceInOrder)
{
    auto* fonts = Find<CMFCRibbonFontComboBox>(ID_R_NO_HANDLER + 3);
    ASSERT_NE(nullptr, fonts);
    ASSERT_GT(fonts->GetCount(), 1);
    for (int i = 0; i < fonts->GetCount(); ++i) {
        EXPECT_NE('@', fonts->GetItem(i)[0]);
        if (i > 0)
            EXPECT_LT(fonts->GetItem(i - 1).CompareNoCase(fonts->GetItem(i)), 0) << fonts->GetItem(i);
    }
    EXPECT_EQ(fonts->GetCount(), static_cast<int>(::SendMessageA(fonts->GetControlHwnd(), CB_GETCOUNT, 0, 0)));
    fonts->RemoveAllItems();
    EXPECT_EQ(0, fonts->GetCount());
    EXPECT_EQ(0, static_cast<int>(::SendMessageA(fonts->GetControlHwnd(), CB_GETCOUNT, 0, 0)));
}

TEST_F(Ribbon, HotAndPressedStatesAreDrawn)
{
    const RibbonColors& colors = CRibbonLook::Colors();
    Idle();
    CMFCRibbonBaseElement* paste = ribbon->FindByID(ID_R_BUTTON);
    CRect rect = paste->GetRect();
    CPoint centre = rect.CenterPoint();
    CRect client;
    ribbon->GetClientRect(&client);
    auto inside = [&] {
        DibCanvas canvas(client.Width(), client.Height());
        ribbon->Render(canvas.dc());
        return canvas.Pixel(rect.left + 1, rect.top + 1);
    };
    EXPECT_EQ(colors.panelFace, inside());
    ribbon->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
    EXPECT_EQ(colors.hotFace, inside());
    ribbon->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    EXPECT_EQ(colors.pressedFace, inside());
    ribbon->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
    ribbon->SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(colors.panelFace, inside());
    // A disabled element never lights up.
    CMFCRibbonBaseElement* cut = ribbon->FindByID(ID_R_DISABLED);
    ribbon->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(cut->GetRect().CenterPoint().x, cut->GetRect().CenterPoint().y));
    rect = cut->GetRect();
    EXPECT_EQ(colors.panelFace, inside());
}

TEST_F(Ribbon, HoveringTheApplicationButtonAfterAnElement)
{
    // Onto the button from a lit element and off again: the element goes dark, nothing stays hot.
    CMFCRibbonBaseElement* paste = ribbon->FindByID(ID_R_BUTTON);
    CPoint centre = paste->GetRect().CenterPoint();
    CPoint app = ribbon->GetApplicationButtonRect().CenterPoint();
    ribbon->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
    ribbon->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(app.x, app.y));
    ribbon->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
    ribbon->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(app.x, app.y));
    ribbon->SendMessage(WM_MOUSELEAVE);
    CRect client;
    ribbon->GetClientRect(&client);
    DibCanvas canvas(client.Width(), client.Height());
    ribbon->Render(canvas.dc());
    EXPECT_EQ(CRibbonLook::Colors().panelFace, canvas.Pixel(paste->GetRect().left + 1, paste->GetRect().top + 1));
}

namespace {

} // namespace

TEST_F(Ribbon, KeyTipsWalkFromTheTabsToTheElementsAndBack)
{
    Idle();
    HWND view = frame->m_wndView.m_hWnd;
    auto send = [&](UINT message, WPARAM key) {
        MSG msg = KeyMessage(view, message, key);
        return ribbon->ProcessKeyTipMessage(&msg);
    };
    // A plain key does nothing; Alt pressed and released alone shows the first level.
    EXPECT_FALSE(send(WM_KEYDOWN, 'H'));
    EXPECT_EQ(0, ribbon->GetKeyTipLevel());
    EXPECT_FALSE(send(WM_SYSKEYDOWN, VK_MENU));
    EXPECT_TRUE(send(WM_SYSKEYUP, VK_MENU));
    ASSERT_EQ(1, ribbon->GetKeyTipLevel());
    EXPECT_STREQ("H", ribbon->GetCategoryKeyTip(0));        // from "&Home"
    EXPECT_FALSE(ribbon->GetCategoryKeyTip(1).IsEmpty());
    EXPECT_NE(ribbon->GetCategoryKeyTip(0), ribbon->GetCategoryKeyTip(1));
    EXPECT_STREQ("A", ribbon->GetElementKeyTip(ribbon->FindByID(ID_HELP)));
    EXPECT_STREQ("1", ribbon->GetElementKeyTip(ribbon->GetQuickAccessElement(0)));

    // Alt+Format's tip opens Format; Escape goes back to the tabs, "H" opens Home.
    ribbon->SetActiveCategory(ribbon->GetCategory(1));
    EXPECT_TRUE(send(WM_KEYDOWN, VK_ESCAPE));
    EXPECT_EQ(0, ribbon->GetKeyTipLevel());
    send(WM_SYSKEYDOWN, VK_F10);
    ASSERT_EQ(1, ribbon->GetKeyTipLevel());
    EXPECT_TRUE(send(WM_KEYDOWN, 'H'));
    EXPECT_EQ(2, ribbon->GetKeyTipLevel());
    EXPECT_EQ(ribbon->GetCategory(0), ribbon->GetActiveCategory());
    // The captions' tips after "\n", and a made one for every other element.
    EXPECT_STREQ("V", ribbon->GetElementKeyTip(ribbon->FindByID(ID_R_BUTTON)));
    EXPECT_STREQ("X", ribbon->GetElementKeyTip(ribbon->FindByID(ID_R_DISABLED)));
    CString check = ribbon->GetElementKeyTip(ribbon->FindByID(ID_R_CHECK));
    EXPECT_FALSE(check.IsEmpty());
    EXPECT_FALSE(ribbon->GetElementKeyTip(ribbon->FindByID(ID_R_BOLD)).IsEmpty());   // inside a group

    // Escape twice hides everything.
    send(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(1, ribbon->GetKeyTipLevel());
    send(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(0, ribbon->GetKeyTipLevel());

    // Alt, H, V raises Paste's command and hides the tips.
    send(WM_SYSKEYDOWN, VK_MENU);
    send(WM_SYSKEYUP, VK_MENU);
    send(WM_KEYDOWN, 'H');
    g_commands.clear();
    EXPECT_TRUE(send(WM_KEYDOWN, 'V'));
    EXPECT_EQ(std::vector<UINT>{ ID_R_BUTTON }, g_commands);
    EXPECT_EQ(0, ribbon->GetKeyTipLevel());

    // A disabled element's tip raises nothing; the tips go.
    send(WM_SYSKEYDOWN, VK_F10);
    send(WM_KEYDOWN, 'H');
    g_commands.clear();
    send(WM_KEYDOWN, 'X');
    EXPECT_TRUE(g_commands.empty());

    // An edit's tip gives it the keyboard focus.
    send(WM_SYSKEYDOWN, VK_F10);
    send(WM_KEYDOWN, 'H');
    CString editTip = ribbon->GetElementKeyTip(ribbon->FindByID(ID_R_EDIT));
    ASSERT_FALSE(editTip.IsEmpty());
    for (int i = 0; i < editTip.GetLength(); ++i)
        send(WM_KEYDOWN, static_cast<WPARAM>(editTip[i]));
    EXPECT_EQ(ribbon->FindByID(ID_R_EDIT), static_cast<CMFCRibbonBaseElement*>(ribbon->GetFocusedElement()));
    ribbon->ReturnFocus();
}

TEST_F(Ribbon, KeyTipFOpensTheApplicationMenuAndAClickHidesTheTips)
{
    Idle();
    MSG alt = KeyMessage(frame->m_hWnd, WM_SYSKEYDOWN, VK_F10);
    ribbon->ProcessKeyTipMessage(&alt);
    ASSERT_EQ(1, ribbon->GetKeyTipLevel());
    MSG f = KeyMessage(frame->m_hWnd, WM_KEYDOWN, 'F');
    EXPECT_TRUE(ribbon->ProcessKeyTipMessage(&f));
    ASSERT_TRUE(ribbon->IsApplicationMenuOpen());
    EXPECT_TRUE(ribbon->GetApplicationMenu()->IsShowingKeyTips());
    EXPECT_EQ(0, ribbon->GetKeyTipLevel());
    MSG escape = KeyMessage(frame->m_hWnd, WM_KEYDOWN, VK_ESCAPE);
    EXPECT_TRUE(ribbon->ProcessKeyTipMessage(&escape));
    EXPECT_FALSE(ribbon->IsApplicationMenuOpen());

    ribbon->ProcessKeyTipMessage(&alt);
    ASSERT_EQ(1, ribbon->GetKeyTipLevel());
    MSG click = KeyMessage(frame->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_FALSE(ribbon->ProcessKeyTipMessage(&click));
    EXPECT_EQ(0, ribbon->GetKeyTipLevel());
}

TEST_F(Ribbon, DoubleClickOnATabMinimisesTheRibbonAndBringsItBack)
{
    CRect tab = ribbon->GetTabRect(1);
    ribbon->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(tab.CenterPoint().x, tab.CenterPoint().y));
    EXPECT_TRUE(ribbon->IsMinimized());
    EXPECT_EQ(ribbon->GetCategory(1), ribbon->GetActiveCategory());
    CRect bar;
    ribbon->GetWindowRect(&bar);
    EXPECT_EQ(CMFCRibbonBar::kMinimizedHeight, bar.Height());
    // Nothing of the panels answers while minimised.
    EXPECT_EQ(nullptr, ribbon->HitTest(CPoint(20, CMFCRibbonBar::kMinimizedHeight + 20)));
    ribbon->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(tab.CenterPoint().x, tab.CenterPoint().y));
    EXPECT_FALSE(ribbon->IsMinimized());
    ribbon->GetWindowRect(&bar);
    EXPECT_EQ(CMFCRibbonBar::kHeight, bar.Height());
}

TEST_F(Ribbon, NarrowBarCollapsesPanelsFromTheRightAndTheirPopupHoldsThem)
{
    CMFCRibbonCategory* home = ribbon->GetCategory(0);
    auto fits = [&](int width) {
        ribbon->MoveWindow(0, 0, width, CMFCRibbonBar::kHeight);
        ribbon->RecalcLayout();
    };
    fits(1000);
    for (int p = 0; p < home->GetPanelCount(); ++p)
        EXPECT_EQ(0, home->GetPanel(p)->GetCollapseLevel()) << p;
    fits(330);
    int last = home->GetPanelCount() - 1;
    EXPECT_GT(home->GetPanel(last)->GetCollapseLevel(), 0);
    // Levels never grow from right to left.
    for (int p = 0; p < last; ++p)
        EXPECT_LE(home->GetPanel(p)->GetCollapseLevel(), home->GetPanel(p + 1)->GetCollapseLevel());
    EXPECT_LE(home->GetPanel(last)->GetRect().right, 330);
    CMFCRibbonPanel* position = home->GetPanel(3);
    ASSERT_TRUE(position->IsCollapsed());
    EXPECT_TRUE(Find<CMFCRibbonEdit>(ID_R_EDIT)->GetRect().IsRectEmpty());

    // A click on the collapsed panel opens it as a popup with its boxes inside.
    CRect button = position->GetCollapsedButtonRect();
    ribbon->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(button.CenterPoint().x, button.CenterPoint().y));
    ASSERT_EQ(position, ribbon->GetPopupPanel());
    auto* edit = Find<CMFCRibbonEdit>(ID_R_EDIT);
    EXPECT_FALSE(edit->GetRect().IsRectEmpty());
    EXPECT_EQ(ribbon->GetPanelPopupHwnd(), ::GetParent(edit->GetControlHwnd()));
    EXPECT_TRUE(::IsWindowVisible(edit->GetControlHwnd()));
    ribbon->ClosePanelPopup();
    EXPECT_EQ(ribbon->m_hWnd, ::GetParent(edit->GetControlHwnd()));
    EXPECT_FALSE(::IsWindowVisible(edit->GetControlHwnd()));

    // Widening restores the panels.
    fits(1000);
    EXPECT_FALSE(position->IsCollapsed());
    EXPECT_FALSE(Find<CMFCRibbonEdit>(ID_R_EDIT)->GetRect().IsRectEmpty());
}
