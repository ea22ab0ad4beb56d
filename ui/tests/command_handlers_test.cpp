// Every command a person can reach has a handler: each element of the ribbon (with its drop-downs
// and menus, the application menu, the buttons beside the tabs and the quick access toolbar), each
// item of the views' context menus and each accelerator is walked, and its id must reach a handler
// along the route it travels: the main frame's for the ribbon and the keys, the view's own for a
// view's context menu. Once with a project open, once with none. What is meant to be unreachable
// at that moment is listed below with the reason: it must then be disabled (no handler takes it, or
// the one that does disables it) and show greyed where it shows.
#include "framework/menu.h"
#include "framework/ribbonappmenu.h"
#include "framework/ribbonbar.h"
#include "framework/ribboncategory.h"
#include "framework/ribboncontrols.h"
#include "framework/ribbonelements.h"
#include "framework/view.h"
#include "ui/commandids.h"
#include "ui/designview.h"
#include "ui/labelpreview.h"
#include "ui/labelview.h"
#include "ui/resourceids.h"
#include "ui/tabviews.h"
#include "ui/templateview.h"
#include "ui/tests/uitestsupport.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

// Without a project these tabs are greyed as a whole: everything on them works on the open
// project, so nothing takes their commands or what takes them disables them.
struct ProjectTab {
    const char* name;
    const char* reason;
};
const ProjectTab kProjectTabs[] = {
    { "Home", "the template on screen: its areas, objects, their contents and text" },
    { "Label", "the label definition, paper and printer of the open template" },
    { "Page", "the page header, footer and blocks of the open template" },
    { "Label info", "the library entry of the open template's label definition" },
    { "Table", "the project's tables" },
    { "Draw", "the objects of the template on screen" },
    { "Fine tune layout", "the objects of the template on screen" },
    { "Edit", "the objects of the template on screen" },
    { "Format", "the selected texts and barcodes" },
    { "Options", "the open project's rulers, help lines, engraving and export settings" },
};

// Without a project these are greyed too, wherever they show.
struct Greyed {
    const char* reason;
    std::vector<UINT> ids;
};
const Greyed kWithoutProject[] = {
    { "the project's file commands need a project", {
        ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_PRINT, ID_FILE_SEND_TO, ID_FILE_CLOSE, ID_NEW_TEMPLATE,
        ID_NEW_TABLE } },
    { "undo, redo, the editing keys and Escape act on a project window's view", {
        ID_EDIT_UNDO, ID_EDIT_REDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_SELECT_ALL,
        ID_CANCEL_INPLACE_EDIT } },
};

// One command as a person reaches it.
struct Reachable {
    enum Place { ApplicationMenu, Tab, BesideTheTabs, QuickAccess, Key, ContextMenu };
    UINT id;
    Place place;
    std::string where;
    CMFCRibbonCategory* category;      // the tab it is on
};

std::string Caption(const CString& text)
{
    std::string caption = text.GetString();
    caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
    return caption.substr(0, caption.find_first_of("\t\n"));
}

void WalkMenu(HMENU menu, Reachable at, std::vector<Reachable>& out)
{
    const std::string where = at.where;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        ::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        at.where = where + " > " + Caption(text);
        if (HMENU sub = ::GetSubMenu(menu, i)) {
            WalkMenu(sub, at, out);
            continue;
        }
        at.id = ::GetMenuItemID(menu, i);
        if (at.id != 0 && at.id != static_cast<UINT>(-1))
            out.push_back(at);
    }
}

// An element with its groups, drop-downs and menus; the recent documents list gives one entry per
// file of the application's list.
void WalkElement(CMFCRibbonBaseElement* element, Reachable at, int recentFiles, std::vector<Reachable>& out)
{
    if (auto* group = dynamic_cast<CMFCRibbonButtonsGroup*>(element)) {
        for (int i = 0; i < group->GetCount(); ++i)
            WalkElement(group->GetButton(i), at, recentFiles, out);
        return;
    }
    at.where += " > " + Caption(element->GetText());
    if (dynamic_cast<CMFCRibbonRecentFilesList*>(element) != nullptr) {
        const std::string where = at.where;
        for (int i = 0; i < recentFiles; ++i) {
            at.id = static_cast<UINT>(ID_FILE_MRU_FILE1 + i);
            at.where = where + " " + std::to_string(i + 1);
            out.push_back(at);
        }
        return;
    }
    at.id = element->GetID();
    if (element->HasCommand())
        out.push_back(at);
    if (auto* button = dynamic_cast<CMFCRibbonButton*>(element)) {
        for (int i = 0; i < button->GetSubItemCount(); ++i)
            WalkElement(button->GetSubItem(i), at, recentFiles, out);
        if (button->GetMenu() != nullptr)
            WalkMenu(button->GetMenu(), at, out);
    }
}

std::vector<Reachable> RibbonCommands(const CMFCRibbonBar& bar, int recentFiles)
{
    std::vector<Reachable> out;
    CMFCRibbonMainPanel* menu = bar.GetMainCategory()->GetMainPanel();
    const Reachable inMenu{ 0, Reachable::ApplicationMenu, "application menu", nullptr };
    for (int i = 0; i < menu->GetCount(); ++i)
        WalkElement(menu->GetElement(i), inMenu, recentFiles, out);
    for (int i = 0; i < menu->GetBottomCount(); ++i)
        WalkElement(menu->GetBottomElement(i), inMenu, recentFiles, out);
    for (int c = 0; c < bar.GetCategoryCount(); ++c) {
        CMFCRibbonCategory* category = bar.GetCategory(c);
        for (int p = 0; p < category->GetPanelCount(); ++p) {
            CMFCRibbonPanel* panel = category->GetPanel(p);
            const Reachable onTab{ 0, Reachable::Tab,
                                   "ribbon " + Caption(category->GetName()) + " > " + Caption(panel->GetName()), category };
            for (int e = 0; e < panel->GetCount(); ++e)
                WalkElement(panel->GetElement(e), onTab, recentFiles, out);
        }
    }
    for (int i = 0; i < bar.GetTabElementCount(); ++i)
        WalkElement(bar.GetTabElement(i), { 0, Reachable::BesideTheTabs, "beside the tabs", nullptr }, recentFiles, out);
    for (int i = 0; i < bar.GetQuickAccessCount(); ++i)
        WalkElement(bar.GetQuickAccessElement(i), { 0, Reachable::QuickAccess, "quick access", nullptr }, recentFiles,
                    out);
    return out;
}

std::vector<Reachable> AcceleratorCommands()
{
    std::vector<Reachable> out;
    HACCEL table = ::LoadAcceleratorsA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    const int count = ::CopyAcceleratorTableA(table, nullptr, 0);
    std::vector<ACCEL> keys(static_cast<size_t>(count));
    ::CopyAcceleratorTableA(table, keys.data(), count);
    ::DestroyAcceleratorTable(table);
    for (const ACCEL& key : keys)
        out.push_back({ key.cmd, Reachable::Key,
                        "key " + std::to_string(key.key) + " flags " + std::to_string(key.fVirt), nullptr });
    return out;
}

std::vector<Reachable> ContextMenuCommands(UINT resource)
{
    std::vector<Reachable> out;
    HMENU menu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource));
    if (menu != nullptr) {
        WalkMenu(menu, { 0, Reachable::ContextMenu, "context menu " + std::to_string(resource), nullptr }, out);
        ::DestroyMenu(menu);
    }
    return out;
}

// Whether id reaches a handler along target's route, without running it.
bool Reaches(CCmdTarget* target, UINT id)
{
    CmdHandlerInfo info;
    return target->OnCmdMsg(id, CN_COMMAND, nullptr, &info) != FALSE;
}

bool Contains(const std::set<UINT>& ids, UINT id)
{
    return ids.count(id) != 0;
}

const ProjectTab* ProjectTabOf(const Reachable& command)
{
    if (command.category == nullptr)
        return nullptr;
    for (const ProjectTab& tab : kProjectTabs)
        if (Caption(command.category->GetName()) == tab.name)
            return &tab;
    return nullptr;
}

class CommandHandlers : public StartedAppTest {
protected:
    void SetUp() override
    {
        StartedAppTest::SetUp();
        if (HasFatalFailure())
            return;
        // One recent document, so that the application menu lists one.
        app->AddToRecentFileList(dir.Path("recent.proj"));
        DrainMessages();
    }
    void TearDown() override
    {
        if (app != nullptr)
            app->CloseAllDocuments(FALSE);
        StartedAppTest::TearDown();
    }
    CMFCRibbonBar& Bar() { return frame->GetRibbonBar(); }
    std::vector<Reachable> FrameCommands()
    {
        std::vector<Reachable> all = RibbonCommands(Bar(), app->m_pRecentFileList->GetCount());
        for (const Reachable& key : AcceleratorCommands())
            all.push_back(key);
        return all;
    }
    // Whether the ribbon element of command shows greyed once shown as a person shows it: its tab
    // brought up, or the application menu opened; the toolbar and the buttons beside the tabs are
    // always up to date after the idle-time update.
    bool ShownGreyed(const Reachable& command)
    {
        const bool quickAccess = command.place == Reachable::QuickAccess;
        CMFCRibbonBaseElement* element = Bar().FindByID(command.id, FALSE, !quickAccess);
        if (element == nullptr)
            return false;
        if (command.place == Reachable::ApplicationMenu) {
            Bar().ShowApplicationMenu();
            const bool greyed = !element->IsEnabled();
            Bar().GetApplicationMenu()->Close(false);
            return greyed;
        }
        if (command.category != nullptr)
            Bar().SetActiveCategory(command.category);
        app->OnIdle(0);
        if (quickAccess) {
            for (int i = 0; i < Bar().GetQuickAccessCount(); ++i)
                if (Bar().GetQuickAccessElement(i)->GetID() == command.id)
                    element = Bar().GetQuickAccessElement(i);
        }
        return !element->IsEnabled();
    }
};

} // namespace

TEST_F(CommandHandlers, WithAProjectOpenEveryCommandReachesAHandler)
{
    CMDIChildWnd* child = frame->MDIGetActive();
    ASSERT_NE(nullptr, child);
    COstrelindSoftMainView* mainView = MainViewOf(child);
    ASSERT_NE(nullptr, mainView);
    COstrelindSoftTemplateView* templateView = mainView->GetTemplateTabView()->GetTemplateView(0);
    ASSERT_NE(nullptr, templateView);
    COstrelindSoftLabelView* labelView = templateView->GetLabelView();
    ASSERT_NE(nullptr, labelView);
    CView* canvas = labelView->GetDesignView();
    CView* table = mainView->GetTableTabView()->GetView(0);
    CView* preview = templateView->GetPreview();
    ASSERT_NE(nullptr, canvas);
    ASSERT_NE(nullptr, table);
    ASSERT_NE(nullptr, preview);

    // The ribbon and the keys go to the main frame, which hands them to the view a person last
    // clicked: a command counts as reachable when one of the project window's views takes it.
    CView* const views[] = { canvas, labelView, table, preview };
    CView* const before = child->GetActiveView();
    const std::vector<Reachable> commands = FrameCommands();
    EXPECT_GT(commands.size(), 200u);
    for (const Reachable& command : commands) {
        bool reached = false;
        for (CView* view : views) {
            child->SetActiveView(view, FALSE);
            reached = reached || Reaches(frame, command.id);
        }
        EXPECT_TRUE(reached) << command.where << " (" << command.id << ")";
    }
    child->SetActiveView(before, FALSE);

    // A context menu sends its choice to the view it was opened over.
    const struct {
        UINT menu;
        CView* owner;
    } menus[] = {
        { IDR_CONTEXT_EDIT, labelView }, { IDR_CONTEXT_DESIGN, canvas }, { IDR_CONTEXT_TABLE, table },
        { IDR_CONTEXT_PREVIEW, preview },
    };
    for (const auto& menu : menus) {
        const std::vector<Reachable> items = ContextMenuCommands(menu.menu);
        EXPECT_FALSE(items.empty()) << menu.menu;
        for (const Reachable& item : items)
            EXPECT_TRUE(Reaches(menu.owner, item.id)) << item.where << " (" << item.id << ")";
    }
}

TEST_F(CommandHandlers, WithoutAProjectEveryCommandButTheProjectsOwnReachesAHandler)
{
    app->CloseAllDocuments(FALSE);
    DrainMessages();
    ASSERT_EQ(nullptr, frame->MDIGetActive());
    ASSERT_EQ(0, app->GetOpenDocumentCount());

    // The context menus belong to the project window's views: without a project there is none.
    std::set<UINT> listed;
    for (const Greyed& group : kWithoutProject)
        listed.insert(group.ids.begin(), group.ids.end());
    std::set<std::string> tabsMet;
    const std::vector<Reachable> commands = FrameCommands();
    for (const Reachable& command : commands) {
        const bool reached = Reaches(frame, command.id);
        const ProjectTab* tab = ProjectTabOf(command);
        if (tab != nullptr)
            tabsMet.insert(tab->name);
        if (tab == nullptr && !Contains(listed, command.id)) {
            EXPECT_TRUE(reached) << command.where << " (" << command.id << ")";
            continue;
        }
        // Greyed: nothing takes it, or what takes it says it is disabled now.
        const char* reason = tab != nullptr ? tab->reason : "listed";
        EXPECT_TRUE(!reached || !frame->IsCommandEnabled(command.id))
            << command.where << " (" << command.id << ") is meant to be greyed without a project (" << reason
            << ") but is enabled";
        if (command.place != Reachable::Key)
            EXPECT_TRUE(ShownGreyed(command)) << command.where << " (" << command.id << ")";
    }
    for (const ProjectTab& tab : kProjectTabs)
        EXPECT_NE(0u, tabsMet.count(tab.name)) << tab.name << " is no tab";
    for (const Greyed& group : kWithoutProject) {
        for (UINT id : group.ids)
            EXPECT_TRUE(std::any_of(commands.begin(), commands.end(), [id](const Reachable& r) { return r.id == id; }))
                << id << " is listed (" << group.reason << ") but offered nowhere";
    }
}
