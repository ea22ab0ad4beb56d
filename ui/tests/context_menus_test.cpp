// The views' context menus and the main accelerator table as the resource script defines them,
// and the accelerators' rule for edit controls: a key an edit control uses itself stays with it.
#include "framework/edit.h"
#include "framework/frame.h"
#include "framework/menu.h"
#include "framework/view.h"
#include "ui/commandids.h"
#include "ui/resourceids.h"
#include "testsupport/keyinput.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>

namespace {

struct Item {
    UINT id;          // 0: separator, -1: sub-menu
    const char* text;
};

void ExpectMenu(HMENU menu, const std::vector<Item>& expected)
{
    ASSERT_NE(nullptr, menu);
    ASSERT_EQ(static_cast<int>(expected.size()), ::GetMenuItemCount(menu));
    for (size_t i = 0; i < expected.size(); ++i) {
        UINT pos = static_cast<UINT>(i);
        UINT id = ::GetSubMenu(menu, pos) ? static_cast<UINT>(-1) : ::GetMenuItemID(menu, pos);
        EXPECT_EQ(expected[i].id, id) << "item " << i;
        char text[128] = {};
        ::GetMenuStringA(menu, pos, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(expected[i].text, text) << "item " << i;
    }
}

// The first popup of a menu resource and its name.
HMENU PopupOf(HMENU bar, std::string& name)
{
    char text[64] = {};
    ::GetMenuStringA(bar, 0, text, sizeof text, MF_BYPOSITION);
    name = text;
    return ::GetSubMenu(bar, 0);
}

const std::vector<Item> kEditItems = {
    { ID_EDIT_CUT, "Cu&t\tCtrl+X" }, { ID_EDIT_COPY, "&Copy\tCtrl+C" }, { ID_EDIT_PASTE, "&Paste\tCtrl+V" },
};

} // namespace

TEST(ContextMenus, LoadFromTheResourcesWithTheirItems)
{
    HINSTANCE module = ::GetModuleHandleA(nullptr);
    std::string name;

    HMENU edit = ::LoadMenuA(module, MAKEINTRESOURCEA(IDR_CONTEXT_EDIT));
    ExpectMenu(PopupOf(edit, name), kEditItems);
    EXPECT_EQ("Edit", name);

    HMENU design = ::LoadMenuA(module, MAKEINTRESOURCEA(IDR_CONTEXT_DESIGN));
    HMENU designPopup = PopupOf(design, name);
    EXPECT_EQ("Design", name);
    ExpectMenu(designPopup, {
        { ID_EDIT_CUT, "Cu&t\tCtrl+X" }, { ID_EDIT_COPY, "&Copy\tCtrl+C" }, { ID_EDIT_PASTE, "&Paste\tCtrl+V" },
        { ID_EDIT_DELETE, "Delete\tDel" }, { ID_EDIT_SELECT_ALL, "Select all\tCtrl+A" }, { 0, "" },
        { ID_EDIT_COMBINE, "Combine" }, { ID_EDIT_SPLIT, "Split" }, { 0, "" },
        { static_cast<UINT>(-1), "Zoom" }, { 0, "" },
        { ID_TEMPLATE_EXPORT, "Export template" }, { ID_DELETE_TEMPLATE, "Delete template" },
    });
    const std::vector<Item> zoom = {
        { ID_ZOOM_50, "50%" }, { ID_ZOOM_75, "75%" }, { ID_ZOOM_100, "100%" },
        { ID_ZOOM_200, "200%" }, { ID_ZOOM_300, "300%" }, { ID_ZOOM_400, "400%" },
    };
    ExpectMenu(::GetSubMenu(designPopup, 9), zoom);

    HMENU table = ::LoadMenuA(module, MAKEINTRESOURCEA(IDR_CONTEXT_TABLE));
    HMENU tablePopup = PopupOf(table, name);
    EXPECT_EQ("Table", name);
    ASSERT_NE(nullptr, tablePopup);
    std::vector<Item> tableStart(kEditItems);
    tableStart.push_back({ ID_EDIT_DELETE, "Delete\tDel" });
    tableStart.push_back({ ID_EDIT_SELECT_ALL, "Select all\tCtrl+A" });
    for (size_t i = 0; i < tableStart.size(); ++i)
        EXPECT_EQ(tableStart[i].id, ::GetMenuItemID(tablePopup, static_cast<int>(i)));
    std::vector<UINT> tableIds;
    for (int i = 0; i < ::GetMenuItemCount(tablePopup); ++i)
        tableIds.push_back(::GetMenuItemID(tablePopup, i));
    for (UINT id : { ID_TABLE_INSERT_ROW, ID_TABLE_INSERT_COLUMN, ID_TABLE_SORT_ASCENDING, ID_TABLE_SORT_DESCENDING,
                     ID_TABLE_IMAGE_COLUMN, ID_TABLE_LINK_IMAGE })
        EXPECT_NE(tableIds.end(), std::find(tableIds.begin(), tableIds.end(), id)) << id;

    HMENU preview = ::LoadMenuA(module, MAKEINTRESOURCEA(IDR_CONTEXT_PREVIEW));
    ExpectMenu(PopupOf(preview, name), zoom);
    EXPECT_EQ("Preview", name);

    for (HMENU m : { edit, design, table, preview })
        ::DestroyMenu(m);
}

TEST(Accelerators, TheMainTableHoldsTheEditingKeys)
{
    HACCEL table = ::LoadAcceleratorsA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(nullptr, table);
    ACCEL entries[64];
    int count = ::CopyAcceleratorTableA(table, entries, 64);
    auto find = [&](BYTE modifiers, WORD key) -> int {
        for (int i = 0; i < count; ++i)
            if ((entries[i].fVirt & ~FNOINVERT) == (FVIRTKEY | modifiers) && entries[i].key == key)
                return entries[i].cmd;
        return -1;
    };
    struct Case {
        BYTE modifiers;
        WORD key;
        UINT cmd;
    } cases[] = {
        { FCONTROL, 'X', ID_EDIT_CUT },       { FCONTROL, 'C', ID_EDIT_COPY },     { FCONTROL, 'V', ID_EDIT_PASTE },
        { FCONTROL, 'A', ID_EDIT_SELECT_ALL }, { FCONTROL, 'Z', ID_EDIT_UNDO },    { FCONTROL, 'Y', ID_EDIT_REDO },
        { FCONTROL, 'P', ID_FILE_PRINT },     { FCONTROL, 'S', ID_FILE_SAVE },     { FCONTROL, 'O', ID_FILE_OPEN },
        { FCONTROL, 'N', ID_FILE_NEW },       { FSHIFT, VK_DELETE, ID_EDIT_CUT },  { FCONTROL, VK_INSERT, ID_EDIT_COPY },
        { FSHIFT, VK_INSERT, ID_EDIT_PASTE },
    };
    for (const Case& c : cases)
        EXPECT_EQ(static_cast<int>(c.cmd), find(c.modifiers, c.key)) << c.key;
    ::DestroyAcceleratorTable(table);
}

namespace {

std::vector<UINT> g_raised;

class CKeysView : public CView {
public:
    void OnCopy() { g_raised.push_back(ID_EDIT_COPY); }
    void OnPaste() { g_raised.push_back(ID_EDIT_PASTE); }
    void OnCut() { g_raised.push_back(ID_EDIT_CUT); }
    void OnSave() { g_raised.push_back(ID_FILE_SAVE); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CKeysView, CView)
    ON_COMMAND(ID_EDIT_COPY, OnCopy)
    ON_COMMAND(ID_EDIT_PASTE, OnPaste)
    ON_COMMAND(ID_EDIT_CUT, OnCut)
    ON_COMMAND(ID_FILE_SAVE, OnSave)
END_MESSAGE_MAP()

} // namespace

TEST(Accelerators, ViewGetsEditingKeysButAnEditControlKeepsThem)
{
    CFrameWnd* frame = new CFrameWnd;   // deletes itself with its window
    ASSERT_TRUE(frame->Create(nullptr, "Keys", WS_OVERLAPPEDWINDOW));
    ASSERT_TRUE(frame->LoadAccelTable(IDR_MAINFRAME));
    CKeysView* view = new CKeysView;
    ASSERT_TRUE(view->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), frame, AFX_IDW_PANE_FIRST));
    frame->SetActiveView(view, FALSE);
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 120, 100, 140), frame, 1001));

    auto press = [&](HWND target, WPARAM key) {
        MSG msg = { target, WM_KEYDOWN, key, 1, 0, { 0, 0 } };
        return CWnd::WalkPreTranslateTree(frame->m_hWnd, &msg);
    };
    g_raised.clear();
    {
        HeldKeys ctrl({ VK_CONTROL });
        EXPECT_TRUE(press(view->m_hWnd, 'C'));
        EXPECT_FALSE(press(edit.m_hWnd, 'C'));
        EXPECT_FALSE(press(edit.m_hWnd, 'V'));
        EXPECT_FALSE(press(edit.m_hWnd, 'Z'));
        EXPECT_FALSE(press(edit.m_hWnd, 'A'));
        // Keys an edit control has no use for still reach the frame.
        EXPECT_TRUE(press(edit.m_hWnd, 'S'));
        EXPECT_TRUE(press(view->m_hWnd, VK_INSERT));
        EXPECT_FALSE(press(edit.m_hWnd, VK_INSERT));
    }
    {
        HeldKeys shift({ VK_SHIFT });
        EXPECT_TRUE(press(view->m_hWnd, VK_INSERT));
        EXPECT_TRUE(press(view->m_hWnd, VK_DELETE));
        EXPECT_FALSE(press(edit.m_hWnd, VK_INSERT));
        EXPECT_FALSE(press(edit.m_hWnd, VK_DELETE));
    }
    EXPECT_EQ((std::vector<UINT>{ ID_EDIT_COPY, ID_FILE_SAVE, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CUT }), g_raised);
    edit.DestroyWindow();
    frame->DestroyWindow();
}
