// The sheet preview: which labels of which page it shows and where, the current row's label in
// yellow, row and column order, roll stock, the zoom commands and typed zooms, the splitter grip
// along the top edge, and panes or stocks that must not stall a repaint.
#include "document/labeldoc.h"
#include "framework/menu.h"
#include "framework/msgmap.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/graphobject.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/template.h"
#include "testsupport/dibcanvas.h"
#include "testsupport/emfrecorder.h"
#include "testsupport/testcmdui.h"
#include "ui/commandids.h"
#include "ui/labelpreview.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <vector>

namespace {

const COLORREF kYellow = RGB(255, 255, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

struct LabelCall {
    int row, x, y, zoom, dpi;
};

// A label object that notes every time it is asked to draw, and where.
class LabelNote : public CGraphObject {
public:
    std::vector<LabelCall>* calls;
    explicit LabelNote(std::vector<LabelCall>* list) : calls(list) {}
    bool Draw(CDC*, int zoom, int originX, int originY, bool, int row, int, int dpiX, int,
              CDataTableBase*, CDataTableMap*, bool) override
    {
        calls->push_back({row, originX, originY, zoom, dpiX});
        return true;
    }
    CGraphObject* Clone() override { return new LabelNote(*this); }
    int GetTypeCode() override { return 151; }
};

// A stock whose page header and footer can be switched on from here.
class HeaderStock : public CLabelFileNew {
public:
    void SetHeader(int left, int top, int width, int height)
    {
        m_header.enabled = 1;
        m_header.left = left;
        m_header.top = top;
        m_header.width = width;
        m_header.height = height;
    }
    void SetFooter(int left, int top, int width, int height)
    {
        m_footer.enabled = 1;
        m_footer.left = left;
        m_footer.top = top;
        m_footer.width = width;
        m_footer.height = height;
    }
};

HeaderStock* MakeSheet(int columns, int rows, int width, int height, int left = 0, int top = 0)
{
    auto* stock = new HeaderStock;
    stock->SetWidth(0, width, false);
    stock->SetHeight(0, height);
    stock->SetPitchH(width);
    stock->SetPitchV(height);
    stock->SetColumns(columns);
    stock->SetRows(rows);
    stock->SetLeft(0, left);
    stock->SetTop(0, top);
    stock->SetVerticalBlocks(1);
    return stock;
}

int Px(long long um, int dpi)
{
    return static_cast<int>((um * dpi + 12700) / 25400);
}

// The splitter as the preview sees it: it only records what reaches it.
class RecordingParent : public CWnd {
public:
    std::vector<CPoint> presses;
    std::vector<UINT> commands;
    void OnLButtonDown(UINT, CPoint point) { presses.push_back(point); }
    BOOL OnCommand(WPARAM wParam, LPARAM) override
    {
        commands.push_back(LOWORD(wParam));
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(RecordingParent, CWnd)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

// The preview with the zoom combo box's text in the test's hand.
class TestPreview : public CLabelPreview {
public:
    CString comboText;
    CSize Total() const { return GetTotalSize(); }

protected:
    CString GetZoomComboText() const override { return comboText; }
};

class LabelPreviewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = std::make_unique<COstrelindSoftLabelDoc>();
        doc->m_bAutoDelete = FALSE;
        doc->OnNewDocument();
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "splitter", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 3000, 3200,
                                    nullptr, nullptr));
    }
    void TearDown() override
    {
        if (preview != nullptr && ::IsWindow(previewWnd))
            preview->DestroyWindow();   // deletes itself and leaves the document
        parent.DestroyWindow();
    }

    // A preview of width x height client pixels at (10, 100) in the splitter.
    TestPreview* Open(int width, int height)
    {
        preview = new TestPreview;
        EXPECT_TRUE(preview->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(10, 100, 10 + width, 100 + height),
                                    &parent, 0xE901));
        previewWnd = preview->m_hWnd;
        doc->AddView(preview);
        return preview;
    }

    void Draw(DibCanvas& canvas)
    {
        calls.clear();
        preview->OnDraw(&canvas.dc());
    }

    LabelNote* AddNote(int area = 0)
    {
        auto* note = new LabelNote(&calls);
        doc->GetCurrentTemplate()->GetArea(area)->Append(note);
        return note;
    }

    std::unique_ptr<COstrelindSoftLabelDoc> doc;
    RecordingParent parent;
    TestPreview* preview = nullptr;
    HWND previewWnd = nullptr;
    std::vector<LabelCall> calls;
};

std::vector<int> Rows(const std::vector<LabelCall>& calls)
{
    std::vector<int> rows;
    for (const LabelCall& call : calls)
        rows.push_back(call.row);
    return rows;
}

std::vector<int> Range(int first, int last)
{
    std::vector<int> values;
    for (int v = first; v <= last; ++v)
        values.push_back(v);
    return values;
}

const LabelCall* Find(const std::vector<LabelCall>& calls, int row)
{
    for (const LabelCall& call : calls)
        if (call.row == row)
            return &call;
    return nullptr;
}

struct Tracked {
    int calls = 0;
    POINT at = {};
    std::vector<UINT> ids;
    std::vector<UINT> states;
    UINT answer = 0;
};
Tracked g_tracked;

UINT TrackMenu(HMENU menu, UINT, int x, int y, HWND)
{
    ++g_tracked.calls;
    g_tracked.at = {x, y};
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        g_tracked.ids.push_back(::GetMenuItemID(menu, i));
        g_tracked.states.push_back(::GetMenuState(menu, i, MF_BYPOSITION) & (MF_CHECKED | MF_GRAYED));
    }
    return g_tracked.answer;
}

} // namespace

TEST_F(LabelPreviewTest, ThePageOfTheCurrentRowWithItsLabelInYellow)
{
    // 3 x 8 labels of 68 x 36 mm on A4, 3 mm and 4 mm from the edges; the current row 30 (0-based) is on the second page.
    doc->GetCurrentTemplate()->SetLabelStock(MakeSheet(3, 8, 68000, 36000, 3000, 4000));
    AddNote();
    doc->SetPreviewRow(30);
    Open(400, 500);
    DibCanvas canvas(400, 500, RGB(0xE0, 0xE0, 0xE0));
    Draw(canvas);

    EXPECT_EQ(Rows(calls), Range(25, 48));
    const int dpi = preview->GetAreaDpi();
    ASSERT_GT(dpi, 0);
    // The fitted resolution: the page's height limits it here.
    const long long fitted = std::min((500LL - 8) * 100 * 254 / 297000, (400LL - 16) * 100 * 254 / 210000);
    const int zoom = static_cast<int>((fitted * 100 + 48) / 96);
    EXPECT_EQ(preview->GetAreaZoom(), zoom);
    EXPECT_EQ(dpi, (96 * zoom + 50) / 100);
    for (const LabelCall& call : calls) {
        EXPECT_EQ(call.zoom, zoom);
        EXPECT_EQ(call.dpi, dpi);
    }

    // Row after row: 31 is the first label of the third row.
    const LabelCall* l31 = Find(calls, 31);
    ASSERT_NE(nullptr, l31);
    EXPECT_EQ(l31->x, 8 + Px(3000, dpi));
    EXPECT_EQ(l31->y, 4 + Px(4000 + 2 * 36000, dpi));
    EXPECT_EQ(Find(calls, 32)->x, 8 + Px(3000 + 68000, dpi));
    EXPECT_EQ(Find(calls, 32)->y, l31->y);

    // The page: a black frame from (8, 4).
    const CRect frame = canvas.ExtentOf(kBlack);
    EXPECT_EQ(frame, CRect(8, 4, 8 + Px(210000, dpi) + 1, 4 + Px(297000, dpi) + 1))
        << frame.left << "," << frame.top << "," << frame.right << "," << frame.bottom << " dpi " << dpi;
    // Label 31 is yellow inside its outline; its neighbours are white.
    const int cw = Px(68000, dpi), ch = Px(36000, dpi);
    EXPECT_EQ(canvas.Pixel(l31->x + cw / 2, l31->y + ch / 2), kYellow);
    EXPECT_EQ(canvas.Pixel(l31->x + cw + cw / 2, l31->y + ch / 2), kWhite);
    EXPECT_EQ(canvas.Pixel(l31->x + cw / 2, l31->y - ch / 2), kWhite);
    const CRect yellow = canvas.ExtentOf(kYellow);
    EXPECT_GE(yellow.left, l31->x);
    EXPECT_LE(yellow.right, l31->x + cw + 2);
    EXPECT_GE(yellow.top, l31->y);
    EXPECT_LE(yellow.bottom, l31->y + ch + 2);

    // Without a table nothing is marked.
    doc->CurrentSlot().Clear();
    DibCanvas plain(400, 500);
    Draw(plain);
    EXPECT_EQ(plain.CountPixels(kYellow), 0);
    EXPECT_EQ(Rows(calls), Range(25, 48));
}

TEST_F(LabelPreviewTest, ColumnMajorTemplatesNumberDownTheColumns)
{
    doc->GetCurrentTemplate()->SetLabelStock(MakeSheet(3, 8, 70000, 37000, 0, 0));
    doc->GetCurrentTemplate()->SetColumnMajor(true);
    AddNote();
    doc->SetPreviewRow(30);
    Open(400, 500);
    DibCanvas canvas(400, 500);
    Draw(canvas);

    EXPECT_EQ(Rows(calls), Range(25, 48));
    const int dpi = preview->GetAreaDpi();
    // 25..32 fill the first column, 33 heads the second.
    EXPECT_EQ(Find(calls, 26)->x, 8);
    EXPECT_EQ(Find(calls, 26)->y, 4 + Px(37000, dpi));
    EXPECT_EQ(Find(calls, 33)->x, 8 + Px(70000, dpi));
    EXPECT_EQ(Find(calls, 33)->y, 4);
    const LabelCall* l31 = Find(calls, 31);
    EXPECT_EQ(l31->x, 8);
    EXPECT_EQ(l31->y, 4 + Px(6 * 37000, dpi));
    EXPECT_EQ(canvas.Pixel(l31->x + 5, l31->y + 5), kYellow);
}

TEST_F(LabelPreviewTest, ARollIsAsLongAsItsRowsAndALandscapeSheetLiesOnItsSide)
{
    HeaderStock* roll = MakeSheet(2, 5, 50000, 28000, 4000, 2000);
    roll->SetSheet(false);
    roll->SetBlockGap(3000);
    doc->GetCurrentTemplate()->SetLabelStock(roll);
    AddNote();
    Open(400, 500);
    DibCanvas canvas(400, 500);
    Draw(canvas);

    const int dpi = preview->GetAreaDpi();
    const long long height = 5 * 28000 + 3000 + 2000;
    EXPECT_EQ(preview->GetAreaDpi(),
              (96 * static_cast<int>((std::min((500LL - 8) * 100 * 254 / height,
                                               (400LL - 16) * 100 * 254 / 210000) * 100 + 48) / 96) + 50) / 100);
    EXPECT_EQ(canvas.ExtentOf(kBlack), CRect(8, 4, 8 + Px(210000, dpi) + 1, 4 + Px(height, dpi) + 1));
    EXPECT_EQ(Rows(calls), Range(1, 10));
    EXPECT_EQ(Find(calls, 1)->x, 8 + Px(4000, dpi));
    EXPECT_EQ(Find(calls, 1)->y, 4 + Px(2000, dpi));

    HeaderStock* sheet = MakeSheet(2, 2, 50000, 28000);
    sheet->SetOrientation(2);
    doc->GetCurrentTemplate()->SetLabelStock(sheet);
    DibCanvas turned(400, 500);
    Draw(turned);
    const int turnedDpi = preview->GetAreaDpi();
    EXPECT_EQ(turned.ExtentOf(kBlack),
              CRect(8, 4, 8 + Px(297000, turnedDpi) + 1, 4 + Px(210000, turnedDpi) + 1));
}

TEST_F(LabelPreviewTest, HeaderAndFooterStartFromThePageCornerAsTheLabelsDo)
{
    HeaderStock* stock = MakeSheet(2, 4, 80000, 50000, 10000, 30000);
    stock->SetHeader(12000, 6000, 150000, 20000);
    stock->SetFooter(14000, 270000, 150000, 20000);
    doc->GetCurrentTemplate()->SetLabelStock(stock);
    AddNote(1);
    AddNote(2);
    doc->SetPreviewRow(9);
    Open(400, 500);
    DibCanvas canvas(400, 500);
    Draw(canvas);

    const int dpi = preview->GetAreaDpi();
    ASSERT_EQ(calls.size(), 2u);
    // Both get the first label number of the page shown (8 per page: the second page).
    EXPECT_EQ(calls[0].row, 9);
    EXPECT_EQ(calls[0].x, 8 + Px(12000, dpi));
    EXPECT_EQ(calls[0].y, 4 + Px(6000, dpi));
    EXPECT_EQ(calls[1].row, 9);
    EXPECT_EQ(calls[1].x, 8 + Px(14000, dpi));
    EXPECT_EQ(calls[1].y, 4 + Px(270000, dpi));
}

TEST_F(LabelPreviewTest, WithoutALabelDefinitionThePreviewSaysSo)
{
    doc->GetCurrentTemplate()->SetLabelStock(nullptr);
    Open(400, 500);
    EmfRecorder emf;
    preview->OnDraw(&emf.dc());
    ASSERT_EQ(emf.Texts().size(), 1u);
    EXPECT_EQ(emf.Texts()[0].text, "Preview: No label selected");
    EXPECT_EQ(emf.Texts()[0].bkMode, TRANSPARENT);
}

TEST_F(LabelPreviewTest, ZoomCommandsAndTypedZooms)
{
    doc->GetCurrentTemplate()->SetLabelStock(MakeSheet(3, 8, 70000, 37000));
    TestPreview* view = Open(300, 400);

    struct Typed {
        const char* text;
        int zoom;
    };
    const Typed typed[] = {
        {"25 %", 100}, {"26 %", 26}, {"3200", 26}, {"3199 %", 3199}, {"abc", 3199}, {"", 3199}, {"100", 100},
    };
    for (const Typed& t : typed) {
        view->comboText = t.text;
        view->SendMessage(WM_COMMAND, ID_ZOOM);
        EXPECT_EQ(view->GetZoom(), t.zoom) << t.text;
    }

    const struct {
        UINT id;
        int zoom;
    } commands[] = {{ID_ZOOM_50, 50}, {ID_ZOOM_75, 75}, {ID_ZOOM_100, 100},
                    {ID_ZOOM_200, 200}, {ID_ZOOM_300, 300}, {ID_ZOOM_400, 400}};
    for (const auto& c : commands) {
        view->SendMessage(WM_COMMAND, c.id);
        EXPECT_EQ(view->GetZoom(), c.zoom);
        for (const auto& other : commands) {
            CTestCmdUI ui(other.id);
            EXPECT_TRUE(ui.DoUpdate(view, FALSE));
            EXPECT_EQ(ui.m_nCheck, other.id == c.id ? 1 : 0);
        }
        // The scrolled area is the client area times the zoom.
        RECT client;
        view->GetClientRect(&client);
        EXPECT_EQ(view->Total(), CSize(client.right * c.zoom / 100, client.bottom * c.zoom / 100));
    }

    // The fitted resolution grows with the zoom.
    view->SendMessage(WM_COMMAND, ID_ZOOM_100);
    DibCanvas canvas(300, 400);
    preview->OnDraw(&canvas.dc());
    const int at100 = preview->GetAreaDpi();
    view->SendMessage(WM_COMMAND, ID_ZOOM_200);
    preview->OnDraw(&canvas.dc());
    EXPECT_NEAR(preview->GetAreaDpi(), 2 * at100, 2);

    CTestCmdUI other(ID_SHOW_DESIGN);
    EXPECT_TRUE(other.DoUpdate(view, FALSE));
    EXPECT_EQ(other.m_nCheck, 0);
    CTestCmdUI shown(ID_SHOW_PREVIEW);
    EXPECT_TRUE(shown.DoUpdate(view, FALSE));
    EXPECT_EQ(shown.m_nCheck, 1);
    EXPECT_TRUE(shown.m_bEnabled);
}

TEST_F(LabelPreviewTest, TheHighestZoomOnALargePaneNeedsSixtyFourBits)
{
    doc->GetCurrentTemplate()->SetLabelStock(MakeSheet(3, 8, 70000, 37000));
    AddNote();
    TestPreview* view = Open(2800, 3000);
    view->comboText = "3199";
    view->SendMessage(WM_COMMAND, ID_ZOOM);
    ASSERT_EQ(view->GetZoom(), 3199);
    RECT client;
    view->GetClientRect(&client);
    // (W - 16) x 3199 x 254 passes 2^31 here.
    ASSERT_GT((client.right - 16LL) * 3199 * 254, 0x7FFFFFFFLL);
    DibCanvas canvas(client.right, client.bottom);
    Draw(canvas);
    const long long fitted = std::min((client.bottom - 8LL) * 3199 * 254 / 297000,
                                      (client.right - 16LL) * 3199 * 254 / 210000);
    const int zoom = static_cast<int>((fitted * 100 + 48) / 96);
    EXPECT_EQ(preview->GetAreaZoom(), zoom);
    EXPECT_EQ(preview->GetAreaDpi(), (96 * zoom + 50) / 100);
    // Only the first label reaches into the canvas at this size.
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls[0].row, 1);
    EXPECT_LE(calls.size(), 2u);
}

TEST_F(LabelPreviewTest, APressInTheTopFivePixelsGoesToTheSplitter)
{
    Open(300, 200);
    preview->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 4));
    ASSERT_EQ(parent.presses.size(), 1u);
    EXPECT_EQ(parent.presses[0], CPoint(40, 104));
    preview->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 5));
    preview->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 150));
    EXPECT_EQ(parent.presses.size(), 1u);
    preview->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 0));
    ASSERT_EQ(parent.presses.size(), 2u);
    EXPECT_EQ(parent.presses[1], CPoint(10, 100));

    // The pane commands go to the splitter as they came.
    preview->SendMessage(WM_COMMAND, ID_SHOW_PREVIEW);
    preview->SendMessage(WM_COMMAND, ID_SHOW_DESIGN);
    preview->SendMessage(WM_COMMAND, ID_SHOW_TABLE);
    EXPECT_EQ(parent.commands, (std::vector<UINT>{ID_SHOW_PREVIEW, ID_SHOW_DESIGN, ID_SHOW_TABLE}));
}

TEST_F(LabelPreviewTest, ATinyPaneDrawsOnlyItsBackground)
{
    doc->GetCurrentTemplate()->SetLabelStock(MakeSheet(3, 8, 70000, 37000));
    AddNote();
    for (SIZE size : {SIZE{1, 1}, SIZE{20, 10}, SIZE{15, 400}}) {
        Open(size.cx, size.cy);
        DibCanvas canvas(std::max<int>(size.cx, 1), std::max<int>(size.cy, 1), RGB(0xE0, 0xE0, 0xE0));
        const std::vector<uint32_t> before = canvas.Snapshot();
        Draw(canvas);
        EXPECT_TRUE(calls.empty()) << size.cx << "x" << size.cy;
        EXPECT_EQ(preview->GetAreaZoom(), 0);
        EXPECT_TRUE(canvas.Matches(before));
        preview->DestroyWindow();
        preview = nullptr;
    }
}

TEST_F(LabelPreviewTest, AMillionRowsOrAPitchOfZeroDrawOnlyWhatThePageHolds)
{
    HeaderStock* stock = MakeSheet(3, 1000000, 70000, 10000);
    doc->GetCurrentTemplate()->SetLabelStock(stock);
    AddNote();
    doc->SetPreviewRow(5000000);
    Open(400, 500);
    DibCanvas canvas(400, 500);
    Draw(canvas);
    // 297 mm of 10 mm rows: 30 rows begin on the page (the last at 290 mm), each of 3 labels,
    // numbered from the page that holds row 5000000.
    ASSERT_EQ(calls.size(), 30u * 3);
    EXPECT_EQ(calls.front().row, 3000001);
    EXPECT_EQ(calls.back().row, 3000000 + 30 * 3);

    // Every row on one spot: one row is drawn.
    stock->SetPitchV(0);
    Draw(canvas);
    EXPECT_EQ(Rows(calls), Range(3000001, 3000003));
    stock->SetPitchH(0);
    Draw(canvas);
    EXPECT_EQ(Rows(calls), std::vector<int>{3000001});

    // A roll of a million rows is 10 km long: the page has no pixel to spare.
    HeaderStock* roll = MakeSheet(3, 1000000, 70000, 10000);
    roll->SetSheet(false);
    doc->GetCurrentTemplate()->SetLabelStock(roll);
    Draw(canvas);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(preview->GetAreaZoom(), 0);
}

TEST_F(LabelPreviewTest, OnlyPreviewHintsRepaintThePane)
{
    doc->GetCurrentTemplate()->SetLabelStock(MakeSheet(3, 8, 70000, 37000));
    Open(300, 200);
    ::ValidateRect(previewWnd, nullptr);
    doc->InvalidateTableViews();
    EXPECT_FALSE(::GetUpdateRect(previewWnd, nullptr, FALSE));
    doc->InvalidateLabelPreviews();
    EXPECT_TRUE(::GetUpdateRect(previewWnd, nullptr, FALSE));
}

TEST_F(LabelPreviewTest, TheRightButtonOpensThePreviewMenuAtThePoint)
{
    Open(300, 200);
    g_tracked = Tracked();
    g_tracked.answer = ID_ZOOM_200;
    PopupMenuTracker previous = SetPopupMenuTracker(TrackMenu);
    preview->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(20, 30));
    SetPopupMenuTracker(previous);

    ASSERT_EQ(g_tracked.calls, 1);
    POINT expected = {20, 30};
    ::ClientToScreen(previewWnd, &expected);
    EXPECT_EQ(g_tracked.at.x, expected.x);
    EXPECT_EQ(g_tracked.at.y, expected.y);
    EXPECT_EQ(g_tracked.ids, (std::vector<UINT>{ID_ZOOM_50, ID_ZOOM_75, ID_ZOOM_100, ID_ZOOM_200, ID_ZOOM_300,
                                                ID_ZOOM_400}));
    EXPECT_EQ(g_tracked.states, (std::vector<UINT>{0, 0, MF_CHECKED, 0, 0, 0}));
    EXPECT_EQ(preview->GetZoom(), 200);
}
