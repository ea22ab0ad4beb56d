// The framework's own modal loop: PreTranslateMessage inside modal dialogs, the dialog manager's
// keys, nested dialogs and a message box over one, the owner disabled and given back, a dialog
// ended while it initialises, exceptions and WM_QUIT inside the loop. The cases that need the
// owner activated again (ModalLoopFocus) run on the focus cases' desktop, where no other program
// takes the activation.
#include "testsupport/platformprobe.h"
#include "framework/dialog.h"
#include "framework/edit.h"
#include "framework/msgbox.h"
#include "testsupport/dialogdriver.h"
#include "testsupport/dlgtemplate.h"
#include "testsupport/systemboxanswer.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

enum : WORD { IDC_TEXT = 200, IDC_OTHER = 201 };
constexpr UINT ID_RENAME = 0x8101;
constexpr UINT ID_NESTED = 0x8102;
constexpr UINT ID_BOX = 0x8103;
constexpr UINT ID_THROW = 0x8104;
constexpr UINT ID_NOTE_FOCUS = 0x8105;

DialogTemplateBuilder TextDialog(const char* title)
{
    DialogTemplateBuilder b(title);
    b.Item(IDC_TEXT, DialogTemplateBuilder::kEdit, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, "", 5, 5)
        .Item(IDC_OTHER, DialogTemplateBuilder::kEdit, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, "", 5, 25)
        .Item(IDOK, DialogTemplateBuilder::kButton, BS_DEFPUSHBUTTON | WS_TABSTOP, "OK", 5, 90, 50, 14)
        .Item(IDCANCEL, DialogTemplateBuilder::kButton, BS_PUSHBUTTON | WS_TABSTOP, "Cancel", 60, 90, 50, 14);
    return b;
}

// The in-place editor of a grid in miniature: F2 means something only to it, and it says so from
// PreTranslateMessage, which the system's own dialog loop would never call.
class CF2Edit : public CEdit {
public:
    int f2 = 0;
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN && msg->wParam == VK_F2) {
            ++f2;
            GetParent()->SendMessage(WM_COMMAND, ID_RENAME);
            return TRUE;
        }
        if (msg->message == WM_KEYDOWN && msg->wParam == VK_F9)
            throw std::runtime_error("pre-translation failed");
        return FALSE;
    }
};

const char kBoxCaption[] = "Box over a dialog";
const char kIdleCaption[] = "Idle";


class CTextDialog : public CDialog {
public:
    CF2Edit text;
    std::vector<std::string> log;
    HWND ownerDuring = nullptr;
    BOOL ownerEnabledDuring = TRUE;
    int endInInit = 0;
    int kicks = 0;
    bool endAfterNested = false;
    bool cancelWhenIdle = false;
    INT_PTR nestedResult = -2;
    HWND focusNoted = nullptr;
    DialogTemplateBuilder tmpl;

    explicit CTextDialog(const char* title, CWnd* parent) : tmpl(TextDialog(title))
    {
        InitModalIndirect(tmpl.Get(), parent);
    }
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, IDC_TEXT, text); }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        log.push_back("init");
        ownerDuring = ::GetWindow(m_hWnd, GW_OWNER);
        ownerEnabledDuring = ::IsWindowEnabled(ownerDuring);
        if (endInInit != 0) {
            EndDialog(endInInit);
            return TRUE;
        }
        text.SetFocus();
        return FALSE;
    }
    void OnRename()
    {
        log.push_back("rename");
        EndDialog(IDOK);
    }
    void OnNested()
    {
        CTextDialog inner("Inner", this);
        nestedResult = inner.DoModal();
        log.push_back("nested returned");
        log.insert(log.end(), inner.log.begin(), inner.log.end());
        if (endAfterNested)
            EndDialog(IDCANCEL);
    }
    void OnBox()
    {
        // A real box over this dialog: a thread timer presses its OK.
        systembox::PressOkSoon(kBoxCaption);
        const int answer = ShowMessageBox(m_hWnd, "Shown over a modal dialog", kBoxCaption, MB_OK);
        log.push_back("box " + std::to_string(answer));
        log.push_back(::IsWindowEnabled(m_hWnd) ? "enabled after box" : "disabled after box");
        // The next key comes through this dialog's loop again.
        ::PostMessageA(text.m_hWnd, WM_KEYDOWN, VK_F2, 1);
    }
    void OnThrow() { throw std::runtime_error("handler failed"); }
    void OnNoteFocus()
    {
        focusNoted = ::GetFocus();
        EndDialog(IDCANCEL);
    }
    LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        ++kicks;
        if (cancelWhenIdle)
            PostMessage(WM_COMMAND, IDCANCEL);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTextDialog, CDialog)
    ON_COMMAND(ID_RENAME, OnRename)
    ON_COMMAND(ID_NESTED, OnNested)
    ON_COMMAND(ID_BOX, OnBox)
    ON_COMMAND(ID_THROW, OnThrow)
    ON_COMMAND(ID_NOTE_FOCUS, OnNoteFocus)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

// A top-level window standing in for the main frame; it counts the idle calls of modal loops.
class CIdleCounter : public CWnd {
public:
    int enterIdle = 0;
    HWND idleDialog = nullptr;
    LRESULT OnEnterIdle(WPARAM reason, LPARAM dialog)
    {
        if (reason == MSGF_DIALOGBOX) {
            ++enterIdle;
            idleDialog = reinterpret_cast<HWND>(dialog);
        }
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CIdleCounter, CWnd)
    ON_MESSAGE(WM_ENTERIDLE, OnEnterIdle)
END_MESSAGE_MAP()

struct OwnerWindow {
    CIdleCounter wnd;
    OwnerWindow()
    {
        wnd.CreateEx(0, nullptr, "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 400, 300, nullptr, nullptr);
        ::SetActiveWindow(wnd.m_hWnd);
    }
};

void PostKey(HWND wnd, UINT key)
{
    ::PostMessageA(wnd, WM_KEYDOWN, key, 1);
    ::PostMessageA(wnd, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

TEST(ModalLoopFocus, PreTranslateMessageTurnsAKeyIntoACommandInsideAModalDialog)
{
    OwnerWindow owner;
    // The owner must be active again afterwards, which only a platform that activates windows tells.
    KORVELTA_NEEDS_PLATFORM(ProbeActivation(owner.wnd.m_hWnd), "activating a window");
    CTextDialog dlg("F2", &owner.wnd);
    BOOL ownerEnabledInDriver = TRUE;
    HWND focusInDriver = nullptr;
    HWND textInDriver = nullptr;
    ScopedDialogDriver driver({[&](CWnd* d) {
        ownerEnabledInDriver = owner.wnd.IsWindowEnabled();
        focusInDriver = ::GetFocus();
        textInDriver = dlg.text.m_hWnd;
        PostKey(::GetDlgItem(d->m_hWnd, IDC_TEXT), VK_F2);
    }});
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(1, dlg.text.f2);
    EXPECT_EQ((std::vector<std::string>{"init", "rename"}), dlg.log);
    // The owner is disabled before the dialog initialises and given back, active, afterwards.
    EXPECT_EQ(owner.wnd.m_hWnd, dlg.ownerDuring);
    EXPECT_FALSE(dlg.ownerEnabledDuring);
    EXPECT_FALSE(ownerEnabledInDriver);
    EXPECT_TRUE(owner.wnd.IsWindowEnabled());
    EXPECT_EQ(owner.wnd.m_hWnd, ::GetActiveWindow());
    ASSERT_EQ(1u, driver.Seen().size());
    EXPECT_EQ(textInDriver, focusInDriver);
    EXPECT_FALSE(::IsWindow(driver.Seen()[0]));
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_EQ(nullptr, dlg.text.m_hWnd);
    EXPECT_EQ("F2", driver.Captions()[0]);
}

TEST(ModalLoop, AnIdleLoopTellsTheOwnerAndTheDialog)
{
    OwnerWindow owner;
    CTextDialog dlg(kIdleCaption, &owner.wnd);
    dlg.cancelWhenIdle = true;           // ends only once the loop ran out of messages
    HWND shown = nullptr;
    ScopedDialogDriver driver({[&](CWnd* d) { shown = d->m_hWnd; }});
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_GT(owner.wnd.enterIdle, 0);
    EXPECT_EQ(shown, owner.wnd.idleDialog);
    EXPECT_GT(dlg.kicks, 0);
}

TEST(ModalLoop, EscapeEnterAndTabWorkAsInAnyDialog)
{
    OwnerWindow owner;
    {
        CTextDialog dlg("Escape", &owner.wnd);
        ScopedDialogDriver driver({[](CWnd* d) { PostKey(::GetDlgItem(d->m_hWnd, IDC_TEXT), VK_ESCAPE); }});
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
        EXPECT_EQ(0, dlg.text.f2);
    }
    {
        CTextDialog dlg("Enter", &owner.wnd);
        ScopedDialogDriver driver({[](CWnd* d) { PostKey(::GetDlgItem(d->m_hWnd, IDC_TEXT), VK_RETURN); }});
        EXPECT_EQ(IDOK, dlg.DoModal());
    }
    {
        CTextDialog dlg("Tab", &owner.wnd);
        HWND other = nullptr;
        ScopedDialogDriver driver({[&](CWnd* d) {
            other = ::GetDlgItem(d->m_hWnd, IDC_OTHER);
            PostKey(::GetDlgItem(d->m_hWnd, IDC_TEXT), VK_TAB);
            ::PostMessageA(d->m_hWnd, WM_COMMAND, ID_NOTE_FOCUS, 0);
        }});
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
        EXPECT_EQ(other, dlg.focusNoted);
    }
    EXPECT_TRUE(owner.wnd.IsWindowEnabled());
}

TEST(ModalLoopFocus, NestedDialogWithAMessageBoxOverIt)
{
    OwnerWindow owner;
    // The owner must be active again afterwards, which only a platform that activates windows tells.
    KORVELTA_NEEDS_PLATFORM(ProbeActivation(owner.wnd.m_hWnd), "activating a window");
    CTextDialog outer("Outer", &owner.wnd);
    outer.endAfterNested = true;
    BOOL outerEnabledDuringInner = TRUE;
    BOOL ownerEnabledDuringInner = TRUE;
    HWND innerOwner = nullptr;
    HWND outerWnd = nullptr;
    ScopedDialogDriver driver({
        [](CWnd* d) { ::PostMessageA(d->m_hWnd, WM_COMMAND, ID_NESTED, 0); },
        [&](CWnd* inner) {
            outerEnabledDuringInner = outer.IsWindowEnabled();
            ownerEnabledDuringInner = owner.wnd.IsWindowEnabled();
            innerOwner = ::GetWindow(inner->m_hWnd, GW_OWNER);
            outerWnd = outer.m_hWnd;
            ::PostMessageA(inner->m_hWnd, WM_COMMAND, ID_BOX, 0);
        },
    });
    EXPECT_EQ(IDCANCEL, outer.DoModal());
    EXPECT_EQ(IDOK, outer.nestedResult);
    EXPECT_EQ(outerWnd, innerOwner);
    EXPECT_FALSE(outerEnabledDuringInner);
    EXPECT_FALSE(ownerEnabledDuringInner);
    EXPECT_EQ((std::vector<std::string>{"init", "nested returned", "init", "box 1", "enabled after box", "rename"}),
              outer.log);
    EXPECT_TRUE(owner.wnd.IsWindowEnabled());
    EXPECT_EQ(owner.wnd.m_hWnd, ::GetActiveWindow());
    EXPECT_EQ(2u, driver.Seen().size());
}

TEST(ModalLoop, NestedDialogWithoutParentBelongsToTheDialogUnderIt)
{
    OwnerWindow owner;
    HWND innerOwner = nullptr;
    HWND outerWnd = nullptr;
    BOOL outerEnabled = TRUE;
    CTextDialog outer("Outer", &owner.wnd);
    ScopedDialogDriver driver({
        [&](CWnd*) {
            CTextDialog inner("Inner", nullptr);   // no parent: the active window chain decides
            ScopedDialogDriver innerDriver({[&](CWnd* d) {
                innerOwner = ::GetWindow(d->m_hWnd, GW_OWNER);
                outerWnd = outer.m_hWnd;
                outerEnabled = outer.IsWindowEnabled();
                ScopedDialogDriver::Send(d, IDOK);
            }});
            EXPECT_EQ(IDOK, inner.DoModal());
            ::PostMessageA(outer.m_hWnd, WM_COMMAND, IDCANCEL, 0);
        },
    });
    EXPECT_EQ(IDCANCEL, outer.DoModal());
    EXPECT_EQ(outerWnd, innerOwner);
    EXPECT_FALSE(outerEnabled);
    EXPECT_TRUE(owner.wnd.IsWindowEnabled());
}

TEST(ModalLoopFocus, EndDialogFromOnInitDialog)
{
    OwnerWindow owner;
    // The owner must be active again afterwards, which only a platform that activates windows tells.
    KORVELTA_NEEDS_PLATFORM(ProbeActivation(owner.wnd.m_hWnd), "activating a window");
    CTextDialog dlg("Ends at once", &owner.wnd);
    dlg.endInInit = 77;
    ScopedDialogDriver driver;
    EXPECT_EQ(77, dlg.DoModal());
    EXPECT_TRUE(driver.Seen().empty());      // never shown, never driven
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_TRUE(owner.wnd.IsWindowEnabled());
    EXPECT_EQ(owner.wnd.m_hWnd, ::GetActiveWindow());
}

TEST(ModalLoop, ExceptionsInsideTheLoopDoNotEndTheProgram)
{
    OwnerWindow owner;
    CTextDialog dlg("Throws", &owner.wnd);
    ScopedDialogDriver driver({[](CWnd* d) {
        ::PostMessageA(d->m_hWnd, WM_COMMAND, ID_THROW, 0);                // in a handler
        PostKey(::GetDlgItem(d->m_hWnd, IDC_TEXT), VK_F9);                 // in PreTranslateMessage
        PostKey(::GetDlgItem(d->m_hWnd, IDC_TEXT), VK_F2);
    }});
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(1, dlg.text.f2);
    EXPECT_TRUE(owner.wnd.IsWindowEnabled());
}

TEST(ModalLoop, QuitInsideTheLoopEndsTheDialogAndReachesTheOuterLoop)
{
    OwnerWindow owner;
    CTextDialog dlg("Quit", &owner.wnd);
    ScopedDialogDriver driver({[](CWnd*) { ::PostQuitMessage(5); }});
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_TRUE(owner.wnd.IsWindowEnabled());
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(5u, msg.wParam);
}

const char kUndrivenCaption[] = "Closed by a timer";

BOOL CALLBACK CancelUndriven(HWND wnd, LPARAM)
{
    char caption[64] = {};
    ::GetWindowTextA(wnd, caption, sizeof caption);
    if (std::string(caption) == kUndrivenCaption && ::IsWindowVisible(wnd))
        ::PostMessageA(wnd, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

void CALLBACK UndrivenTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    ::EnumThreadWindows(::GetCurrentThreadId(), CancelUndriven, 0);
}

TEST(ModalLoop, WithoutADriverTheDialogWaitsForItsUser)
{
    OwnerWindow owner;
    CTextDialog dlg(kUndrivenCaption, &owner.wnd);
    ::SetTimer(nullptr, 0, 50, UndrivenTimer);
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ((std::vector<std::string>{"init"}), dlg.log);
    EXPECT_TRUE(owner.wnd.IsWindowEnabled());
}

TEST(ModalLoop, ModelessDialogsAreDrivenToo)
{
    CTextDialog dlg("Modeless", nullptr);
    ScopedDialogDriver driver({[](CWnd* d) { ::SetDlgItemTextA(d->m_hWnd, IDC_OTHER, "driven"); }});
    ASSERT_TRUE(dlg.CreateIndirect(dlg.tmpl.Get(), nullptr));
    EXPECT_EQ("driven", dlg.GetDlgItemText(IDC_OTHER));
    dlg.DestroyWindow();
    EXPECT_EQ(1u, driver.Seen().size());
}

}  // namespace
