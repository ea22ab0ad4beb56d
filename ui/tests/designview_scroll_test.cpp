// The design canvas's scroll sizes in the program's own window tree: a label larger than the view
// scrolls from the first paint, whether the project came from the command line or the Open
// dialog, and the sizes follow a template tab or area switched, a label definition loaded, chosen
// or resized, the stored zoom taken at the first paint, and the window resized; the wheel scrolls
// on thirds of a notch.
#include "document/labeldoc.h"
#include "framework/cmdline.h"
#include "framework/doc.h"
#include "framework/stdids.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/graphshapes.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/template.h"
#include "testsupport/dialogdriver.h"
#include "testsupport/filedialogrecorder.h"
#include "testsupport/wheellines.h"
#include "ui/commandids.h"
#include "ui/designview.h"
#include "ui/labelview.h"
#include "ui/mainview.h"
#include "ui/tabviews.h"
#include "ui/templateview.h"
#include "ui/tests/uitestsupport.h"

#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace {

// A saved project: template 0 with a label of w x h micrometres (and whatever `more` adds).
bool WriteProject(const CString& path, int w, int h,
                  const std::function<void(COstrelindSoftLabelDoc&)>& more = nullptr)
{
    auto doc = std::make_unique<COstrelindSoftLabelDoc>();
    doc->m_bAutoDelete = FALSE;
    doc->OnNewDocument();
    if (!doc->NewLabelDefinition() || !doc->SetAreaWidth(w, 0) || !doc->SetAreaHeight(h, 0))
        return false;
    if (more)
        more(*doc);
    doc->SetCurrentTemplate(0);
    return doc->SaveFileByType(path);
}

class CanvasScrolling : public StartedAppTest {
protected:
    void SetUp() override
    {
        StartedAppTest::SetUp();
        if (HasFatalFailure())
            return;
        frame->MoveWindow(0, 0, 1000, 700);
        // 190 x 270 mm: far taller than the canvas at zoom 100.
        ASSERT_TRUE(WriteProject(dir.Path("tall.proj"), 190000, 270000));
    }
    void TearDown() override
    {
        // Nothing to offer for saving when the application closes.
        for (CDocument* doc : app->GetDocTemplate(0)->GetDocuments()) {
            doc->SetModifiedFlag(FALSE);
            auto* project = dynamic_cast<COstrelindSoftLabelDoc*>(doc);
            for (int i = 0; project != nullptr && i < project->GetTemplateCount(); ++i)
                if (CLabel* stock = project->GetTemplate(i)->GetLabelStock())
                    stock->SetModified(false);
        }
        StartedAppTest::TearDown();
    }

    COstrelindSoftLabelDoc* ActiveDoc() const
    {
        CMDIChildWnd* child = frame->MDIGetActive();
        return child != nullptr ? dynamic_cast<COstrelindSoftLabelDoc*>(child->GetActiveDocument()) : nullptr;
    }
    CTemplateTabView* Templates() const
    {
        auto* mainView = MainViewOf(frame->MDIGetActive());
        return mainView != nullptr ? mainView->GetTemplateTabView() : nullptr;
    }
    // The canvas of a template tab of the active project (the shown one by default).
    Ostrelind_SoftLabelDesignView* Canvas(int tab = -1) const
    {
        CTemplateTabView* tabs = Templates();
        if (tabs == nullptr)
            return nullptr;
        COstrelindSoftTemplateView* view = tabs->GetTemplateView(tab < 0 ? tabs->GetActiveTab() : tab);
        COstrelindSoftLabelView* label = view != nullptr ? view->GetLabelView() : nullptr;
        return label != nullptr ? label->GetDesignView() : nullptr;
    }
    // The sizes the canvas is to scroll over for what it shows.
    static CSize Expected(Ostrelind_SoftLabelDesignView* canvas, COstrelindSoftLabelDoc* doc)
    {
        HDC dc = ::GetDC(canvas->m_hWnd);
        const long long dpiX = ::GetDeviceCaps(dc, LOGPIXELSX), dpiY = ::GetDeviceCaps(dc, LOGPIXELSY);
        ::ReleaseDC(canvas->m_hWnd, dc);
        const int zoom = canvas->GetZoom(), area = canvas->GetArea();
        return CSize(static_cast<int>((dpiX * zoom + 50) / 100 * doc->GetDesignWidth(area) / 25400),
                     static_cast<int>((dpiY * zoom + 50) / 100 * doc->GetDesignHeight(area) / 25400));
    }
    // The canvas shows bars for what it shows, and its vertical bar reaches the bottom.
    void ExpectScrollsOver(Ostrelind_SoftLabelDesignView* canvas, COstrelindSoftLabelDoc* doc, const char* step)
    {
        SCOPED_TRACE(step);
        ASSERT_NE(nullptr, canvas);
        ASSERT_NE(nullptr, doc);
        const CSize expected = Expected(canvas, doc);
        EXPECT_EQ(expected.cx, canvas->GetTotalSize().cx);
        EXPECT_EQ(expected.cy, canvas->GetTotalSize().cy);
        RECT client;
        ::GetClientRect(canvas->m_hWnd, &client);
        if (expected.cy > client.bottom) {
            EXPECT_NE(0u, canvas->GetStyle() & WS_VSCROLL);
            SCROLLINFO info = { sizeof info, SIF_RANGE | SIF_PAGE };
            ASSERT_TRUE(::GetScrollInfo(canvas->m_hWnd, SB_VERT, &info));
            EXPECT_EQ(expected.cy - 1, info.nMax);
            EXPECT_EQ(static_cast<UINT>(client.bottom), info.nPage);
            canvas->SendMessage(WM_VSCROLL, SB_BOTTOM);
            EXPECT_EQ(expected.cy - client.bottom, canvas->GetScrollPosition().y);
            canvas->SendMessage(WM_VSCROLL, SB_TOP);
        } else {
            EXPECT_EQ(0u, canvas->GetStyle() & WS_VSCROLL);
        }
    }
    void ClickTab(int index)
    {
        CTemplateTabView* tabs = Templates();
        ASSERT_NE(nullptr, tabs);
        CRect tab = tabs->GetTabRect(index);
        ASSERT_FALSE(tab.IsRectEmpty()) << index;
        tabs->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(tab.left + 4, tab.CenterPoint().y));
        tabs->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(tab.left + 4, tab.CenterPoint().y));
        DrainMessages();
    }
    // Opens the tall project from the command line, as the shell or a user's shortcut does.
    COstrelindSoftLabelDoc* OpenFromCommandLine(const CString& path)
    {
        CCommandLineInfo info;
        info.ParseParam(path, FALSE, TRUE);
        EXPECT_EQ(CCommandLineInfo::FileOpen, info.m_nShellCommand);
        EXPECT_TRUE(app->ProcessShellCommand(info));
        DrainMessages();
        return ActiveDoc();
    }

    ScopedDialogDriver dialogs;        // a dialog nobody expects is cancelled, never waited for
};

} // namespace

TEST_F(CanvasScrolling, AProjectOpenedFromTheCommandLineScrollsFromItsFirstPaint)
{
    COstrelindSoftLabelDoc* doc = OpenFromCommandLine(dir.Path("tall.proj"));
    ASSERT_NE(nullptr, doc);
    ASSERT_STREQ(dir.Path("tall.proj"), doc->GetPathName());
    Ostrelind_SoftLabelDesignView* canvas = Canvas();
    ASSERT_NE(nullptr, canvas);
    canvas->UpdateWindow();
    EXPECT_GT(Expected(canvas, doc).cy, 1000);
    ExpectScrollsOver(canvas, doc, "command line");
}

TEST_F(CanvasScrolling, AProjectOpenedThroughTheOpenDialogScrollsFromItsFirstPaint)
{
    FileDialogRecorder files;
    files.AnswerPath(dir.Path("tall.proj"));
    frame->SendMessage(WM_COMMAND, ID_FILE_OPEN);
    DrainMessages();
    ASSERT_EQ(1u, files.Count());
    COstrelindSoftLabelDoc* doc = ActiveDoc();
    ASSERT_NE(nullptr, doc);
    ASSERT_STREQ(dir.Path("tall.proj"), doc->GetPathName());
    Canvas()->UpdateWindow();
    ExpectScrollsOver(Canvas(), doc, "open dialog");
}

TEST_F(CanvasScrolling, TheStoredZoomTakenAtTheFirstPaintSizesTheBars)
{
    ASSERT_TRUE(WriteProject(dir.Path("zoomed.proj"), 60000, 40000,
                             [](COstrelindSoftLabelDoc& d) { d.SetZoom(0, 400); }));
    COstrelindSoftLabelDoc* doc = OpenFromCommandLine(dir.Path("zoomed.proj"));
    ASSERT_NE(nullptr, doc);
    Ostrelind_SoftLabelDesignView* canvas = Canvas();
    ASSERT_NE(nullptr, canvas);
    canvas->Invalidate(TRUE);
    canvas->UpdateWindow();
    ASSERT_EQ(400, canvas->GetZoom());
    ExpectScrollsOver(canvas, doc, "zoom 400 from the project");
}

TEST_F(CanvasScrolling, SwitchingTemplateTabsAndAreasSizesTheCanvasForWhatItShows)
{
    ASSERT_TRUE(WriteProject(dir.Path("two.proj"), 40000, 20000, [](COstrelindSoftLabelDoc& d) {
        d.SetAreaWidth(150000, 1);      // a page header wider than the label
        d.SetAreaHeight(30000, 1);
        d.SetCurrentTemplate(1);
        d.NewLabelDefinition();
        d.SetAreaWidth(180000, 0);
        d.SetAreaHeight(260000, 0);
    }));
    COstrelindSoftLabelDoc* doc = OpenFromCommandLine(dir.Path("two.proj"));
    ASSERT_NE(nullptr, doc);
    ASSERT_EQ(0, doc->GetCurrentTemplateIndex());
    ExpectScrollsOver(Canvas(0), doc, "small first template");
    const CSize small = Canvas(0)->GetTotalSize();

    ClickTab(1);
    ASSERT_EQ(1, doc->GetCurrentTemplateIndex());
    ExpectScrollsOver(Canvas(1), doc, "tall second template");
    EXPECT_GT(Canvas(1)->GetTotalSize().cy, small.cy);

    ClickTab(0);
    ASSERT_EQ(0, doc->GetCurrentTemplateIndex());
    ExpectScrollsOver(Canvas(0), doc, "back to the first");
    EXPECT_EQ(small.cy, Canvas(0)->GetTotalSize().cy);

    Canvas(0)->SendMessage(WM_COMMAND, ID_AREA_HEADER);
    ASSERT_EQ(1, Canvas(0)->GetArea());
    ExpectScrollsOver(Canvas(0), doc, "page header");
    EXPECT_GT(Canvas(0)->GetTotalSize().cx, small.cx);
}

TEST_F(CanvasScrolling, ALabelDefinitionLoadedChosenOrResizedSizesEveryCanvas)
{
    COstrelindSoftLabelDoc* doc = OpenFromCommandLine(dir.Path("tall.proj"));
    ASSERT_NE(nullptr, doc);
    // An object on the label: a chosen definition then opens no guide.
    auto* rect = new CGraphRect;
    rect->SetWidth(5000);
    rect->SetHeight(5000);
    doc->GetCurrentTemplate()->GetArea(0)->Append(rect);
    Ostrelind_SoftLabelDesignView* canvas = Canvas();
    ASSERT_NE(nullptr, canvas);

    CLabelFileNew wide;
    wide.SetWidth(0, 240000, true);
    wide.SetHeight(0, 60000);
    ASSERT_TRUE(wide.SaveToFile(dir.Path("wide.label")));
    FileDialogRecorder files;
    files.AnswerPath(dir.Path("wide.label"));
    canvas->SendMessage(WM_COMMAND, ID_LABEL_LOAD);
    ASSERT_EQ(1u, files.Count());
    ASSERT_EQ(240000, doc->GetCurrentTemplate()->GetLabelStock()->GetWidth(0));
    ExpectScrollsOver(canvas, doc, "loaded");

    // Chosen in the label selection (the document's part of it): every canvas of the project,
    // also one in another tab, follows.
    CLabelFileNew tall;
    tall.SetWidth(0, 70000, true);
    tall.SetHeight(0, 300000);
    ASSERT_TRUE(tall.SaveToFile(dir.Path("tall.label")));
    ASSERT_TRUE(doc->SelectLabelDefinition(dir.Path("tall.label")));
    DrainMessages();
    ExpectScrollsOver(canvas, doc, "chosen, shown canvas");
    ExpectScrollsOver(Canvas(2), doc, "chosen, canvas of another tab");

    // Resized through the document's label size.
    ASSERT_TRUE(doc->SetAreaHeight(120000, 0));
    ExpectScrollsOver(canvas, doc, "resized");
    ExpectScrollsOver(Canvas(2), doc, "resized, canvas of another tab");
}

TEST_F(CanvasScrolling, AResizedWindowShowsTheBarsItNeedsForWhatTheCanvasShows)
{
    COstrelindSoftLabelDoc* doc = OpenFromCommandLine(dir.Path("tall.proj"));
    ASSERT_NE(nullptr, doc);
    Ostrelind_SoftLabelDesignView* canvas = Canvas();
    ASSERT_NE(nullptr, canvas);
    ExpectScrollsOver(canvas, doc, "opened");

    // A definition that grew without a word to the views (as a file of the library read again
    // would): the next resize of the window finds the new size.
    doc->GetCurrentTemplate()->GetLabelStock()->SetWidth(0, 400000, false);
    RECT client;
    ::GetClientRect(canvas->m_hWnd, &client);
    frame->MoveWindow(0, 0, 900, 650);
    DrainMessages();
    RECT smaller;
    ::GetClientRect(canvas->m_hWnd, &smaller);
    ASSERT_NE(client.right, smaller.right);
    ExpectScrollsOver(canvas, doc, "window resized");
    EXPECT_NE(0u, canvas->GetStyle() & WS_HSCROLL);
    SCROLLINFO info = { sizeof info, SIF_PAGE };
    ASSERT_TRUE(::GetScrollInfo(canvas->m_hWnd, SB_HORZ, &info));
    EXPECT_EQ(static_cast<UINT>(smaller.right), info.nPage);
}

// A touchpad's thirds of a notch scroll the canvas as the whole notch does, and the ruler follows.
TEST_F(CanvasScrolling, ThirdsOfAWheelNotchScrollTheCanvasAndTheRulerFollows)
{
    ScopedWheelLines oneLine(1);
    COstrelindSoftLabelDoc* doc = OpenFromCommandLine(dir.Path("tall.proj"));
    ASSERT_NE(nullptr, doc);
    Ostrelind_SoftLabelDesignView* canvas = Canvas();
    ASSERT_NE(nullptr, canvas);
    auto* label = dynamic_cast<COstrelindSoftLabelView*>(canvas->GetParent());
    ASSERT_NE(nullptr, label);
    ExpectScrollsOver(canvas, doc, "opened");
    ASSERT_EQ(0, canvas->GetScrollPosition().y);
    CRect client;
    canvas->GetClientRect(&client);
    const CPoint inside = client.CenterPoint();
    auto turn = [&](int delta) {
        canvas->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), MAKELPARAM(inside.x, inside.y));
        DrainMessages();
        return canvas->GetScrollPosition().y;
    };

    // The whole notch first: what one line is on this canvas.
    const int line = turn(-WHEEL_DELTA);
    ASSERT_GT(line, 0);
    EXPECT_EQ(0, turn(WHEEL_DELTA));
    EXPECT_EQ(0, turn(-40));
    EXPECT_EQ(0, turn(-40));
    EXPECT_EQ(line, turn(-40));
    EXPECT_EQ(line, label->GetVerticalRuler().GetOrigin());
    EXPECT_EQ(line, turn(40));
    EXPECT_EQ(line, turn(40));
    EXPECT_EQ(0, turn(40));
    EXPECT_EQ(0, label->GetVerticalRuler().GetOrigin());
}
