// Where the keys go in a main frame with tabbed documents: the frame itself takes none, so whenever
// it gets the keyboard focus (activated, a modal dialog or a message box closed over it, the ribbon
// giving the focus back) the focus goes on to the active document's frame and from there to its
// view. Keys are posted to whichever window has the focus, as the system hands them on, and must
// reach the view. The cases need activation and the focus: they run on the focus cases' desktop.
#include "framework/app.h"
#include "framework/dialog.h"
#include "framework/doc.h"
#include "framework/frame.h"
#include "framework/msgbox.h"
#include "framework/ribbonbar.h"
#include "framework/ribbonbuilder.h"
#include "framework/view.h"
#include "testsupport/dialogdriver.h"
#include "testsupport/dlgtemplate.h"
#include "testsupport/msgboxrecorder.h"
#include "testsupport/systemboxanswer.h"

#include <gtest/gtest.h>
#include <string>

namespace {

constexpr UINT ID_FOCUS_BOX = 0x8201;
const char kBoxCaption[] = "Over the documents";

class CKeysDoc : public CDocument {};

// A document's view that keeps the characters it is typed.
class CKeysView : public CView {
public:
    std::string typed;
    void OnChar(UINT ch, UINT, UINT) { typed += static_cast<char>(ch); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CKeysView, CView)
    ON_WM_CHAR()
END_MESSAGE_MAP()

void DrainQueue()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message != WM_QUIT) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
}

// The keys of a word, posted to the focus window as the system posts typed keys.
void TypeIntoFocus(const char* word)
{
    for (const char* p = word; *p != '\0'; ++p)
        ::PostMessageA(::GetFocus(), WM_CHAR, static_cast<WPARAM>(*p), 1);
    DrainQueue();
}


class CDocumentsFrame : public CMDIFrameWnd {
public:
    CMFCRibbonBar m_wndRibbon;
};

class MdiFocus : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = new CDocumentsFrame;
        ASSERT_TRUE(frame->LoadFrame(9990, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
        app.m_pMainWnd = frame;
        ASSERT_TRUE(frame->m_wndRibbon.Create(frame));
        RibbonBuilder(frame->m_wndRibbon).Category("Home").Panel("Boxes").Edit(ID_FOCUS_BOX, "Box", 60);
        frame->MoveWindow(20, 20, 700, 400);
        frame->RecalcLayout();
        tmpl = new CMultiDocTemplate(9991, CreateNew<CKeysDoc>, CreateNew<CChildFrame>, CreateNew<CKeysView>);
        tmpl->SetDocStrings("\nKeys\nKeys\nKeys (*.key)\n.key\nKorvelta.Keys\nKeys");
        app.AddDocTemplate(tmpl);
        for (int i = 0; i < 2; ++i)
            ASSERT_NE(nullptr, tmpl->OpenDocumentFile(nullptr));
        frame->ShowWindow(SW_SHOW);
        ::SetForegroundWindow(frame->m_hWnd);
        ::SetActiveWindow(frame->m_hWnd);
        DrainQueue();
        ASSERT_EQ(frame->m_hWnd, ::GetActiveWindow()) << "the desktop must let the frame be activated";
    }
    void TearDown() override
    {
        MessageBoxRecorder quiet;
        if (app.m_pMainWnd == frame)
            frame->SendMessage(WM_CLOSE);
        DrainQueue();
    }
    CKeysView* ViewOf(CMDIChildWnd* child) { return dynamic_cast<CKeysView*>(child->GetActiveView()); }
    CKeysView* ActiveView() { return ViewOf(frame->MDIGetActive()); }

    CWinApp app{ "KorveltaMdiFocusTest" };
    CDocumentsFrame* frame = nullptr;
    CMultiDocTemplate* tmpl = nullptr;
};

} // namespace

TEST_F(MdiFocus, TheFrameHandsTheFocusOnToTheActiveDocumentsView)
{
    for (CMDIChildWnd* child : frame->GetChildren()) {
        SCOPED_TRACE(child->GetWindowText().GetString());
        frame->MDIActivate(child);
        CKeysView* view = ViewOf(child);
        ASSERT_NE(nullptr, view);
        // The focus given to the frame, as activating it does.
        ::SetFocus(frame->m_hWnd);
        DrainQueue();
        EXPECT_EQ(view->m_hWnd, ::GetFocus());
        TypeIntoFocus("ab");
        EXPECT_EQ("ab", view->typed);
    }
}

TEST_F(MdiFocus, KeysReachTheViewAfterAModalDialogCloses)
{
    CKeysView* view = ActiveView();
    ASSERT_NE(nullptr, view);
    ::SetFocus(view->m_hWnd);
    DialogTemplateBuilder form("Asked over the documents");
    form.Item(IDOK, DialogTemplateBuilder::kButton, BS_DEFPUSHBUTTON | WS_TABSTOP, "OK", 5, 30, 50, 14);
    CDialog dialog;
    dialog.InitModalIndirect(form.Get(), frame);
    HWND focusInDialog = nullptr;
    ScopedDialogDriver driver({[&](CWnd* d) {
        focusInDialog = ::GetFocus();
        ScopedDialogDriver::Post(d, IDOK);
    }});
    ASSERT_EQ(IDOK, dialog.DoModal());
    DrainQueue();
    ASSERT_NE(nullptr, focusInDialog);
    EXPECT_NE(view->m_hWnd, focusInDialog) << "the dialog had the keys meanwhile";
    EXPECT_EQ(frame->m_hWnd, ::GetActiveWindow());
    EXPECT_EQ(view->m_hWnd, ::GetFocus());
    TypeIntoFocus("second");
    EXPECT_EQ("second", view->typed);
}

TEST_F(MdiFocus, KeysReachTheViewAfterAMessageBoxCloses)
{
    CKeysView* view = ActiveView();
    ASSERT_NE(nullptr, view);
    ::SetFocus(view->m_hWnd);
    // A real box, no recorder: a thread timer presses its OK.
    systembox::PressOkSoon(kBoxCaption);
    EXPECT_EQ(IDOK, ShowMessageBox(frame->m_hWnd, "Told over the documents", kBoxCaption, MB_OK));
    DrainQueue();
    EXPECT_EQ(frame->m_hWnd, ::GetActiveWindow());
    EXPECT_EQ(view->m_hWnd, ::GetFocus());
    TypeIntoFocus("third");
    EXPECT_EQ("third", view->typed);
}

TEST_F(MdiFocus, TheRibbonGivesTheFocusBackToTheActiveDocumentsView)
{
    frame->MDIActivate(frame->GetChildren()[0]);
    CKeysView* view = ActiveView();
    ASSERT_NE(nullptr, view);
    auto* box = dynamic_cast<CMFCRibbonEdit*>(frame->m_wndRibbon.FindByID(ID_FOCUS_BOX));
    ASSERT_NE(nullptr, box);
    // Escape in the box gives the keys back.
    box->FocusAndSelectAll();
    ASSERT_TRUE(box->HasFocus());
    ::SendMessageA(box->GetControlHwnd(), WM_KEYDOWN, VK_ESCAPE, 1);
    DrainQueue();
    EXPECT_EQ(view->m_hWnd, ::GetFocus());
    // So does the frame taking the focus from the box (the window activated again).
    box->FocusAndSelectAll();
    ASSERT_TRUE(box->HasFocus());
    ::SetFocus(frame->m_hWnd);
    DrainQueue();
    EXPECT_EQ(view->m_hWnd, ::GetFocus());
    // Without a document nothing takes the keys but the frame.
    for (CMDIChildWnd* child : std::vector<CMDIChildWnd*>(frame->GetChildren()))
        child->SendMessage(WM_CLOSE);
    DrainQueue();
    ASSERT_EQ(nullptr, frame->MDIGetActive());
    box->FocusAndSelectAll();
    frame->m_wndRibbon.ReturnFocus();
    EXPECT_EQ(frame->m_hWnd, ::GetFocus());
}
