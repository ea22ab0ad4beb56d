// The print engine on a memory DC (96 dpi, no printing offset): where each label lands and which
// row it shows, copies, passes, start position, order, selection, the filter, cut lines, and what
// happens to counters after a job.
#include "printhelpers.h"
#include "projecthelpers.h"

#include "testsupport/dibcanvas.h"
#include "testsupport/emfrecorder.h"
#include "testsupport/msgboxrecorder.h"
#include "testsupport/tempdir.h"
#include "testsupport/testcmdui.h"

#include <gtest/gtest.h>
#include <set>
#include <utility>

using namespace printtest;

namespace {

// A label of 1 x 0.5 inch is 96 x 48 pixels here.
const int kInch = 25400;
const int kLabelW = kInch, kLabelH = kInch / 2;

struct Fixture {
    std::unique_ptr<COstrelindSoftLabelDoc> doc;
    std::vector<DrawCall> calls;
    CallRecorder* object = nullptr;

    Fixture(int columns, int rows, bool usesTable, int tableRows, int blocks = 1)
    {
        doc = std::make_unique<COstrelindSoftLabelDoc>();
        doc->m_bAutoDelete = FALSE;
        doc->OnNewDocument();
        CTemplate* tmpl = doc->GetCurrentTemplate();
        tmpl->SetLabelStock(MakeSheet(columns, rows, kLabelW, kLabelH, 0, 0, 0, 0, blocks));
        object = new CallRecorder(&calls);
        object->usesColumn = usesTable;
        tmpl->GetArea(0)->Append(object);
        for (int r = 0; r < tableRows; ++r)
            doc->CurrentSlot().Table()->SetCellText(r, 0, ("row" + std::to_string(r + 1)).c_str());
    }
    CTemplate* Template() { return doc->GetCurrentTemplate(); }
};

std::vector<std::pair<int, int>> Positions(const std::vector<DrawCall>& page)
{
    std::vector<std::pair<int, int>> out;
    for (const DrawCall& c : page)
        out.emplace_back(c.x, c.y);
    return out;
}

using Rows = std::vector<int>;
using Points = std::vector<std::pair<int, int>>;

// The first page of a run: a run without pages fails the test rather than reading past the end.
std::vector<DrawCall> FirstPage(const std::vector<std::vector<DrawCall>>& pages)
{
    EXPECT_FALSE(pages.empty()) << "the run printed no page";
    return pages.empty() ? std::vector<DrawCall>() : pages[0];
}

} // namespace

TEST(PrintEngine, StartPositionLeavesTheFirstPlacesOfTheFirstPageEmpty)
{
    Fixture f(2, 5, true, 12);
    CPrintInfo info;
    PrintOptionBlock options = Options(1, 3);
    info.m_pPD->m_pd.lCustData = reinterpret_cast<LPARAM>(&options);
    EngineView view(f.doc.get());
    DibCanvas canvas(400, 400);
    const auto pages = RunPages(*f.doc, info, &view, canvas.dc(), f.calls);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(RowsOf(pages[0]), (Rows{1, 2, 3, 4, 5, 6, 7, 8}));
    // Position 3 is the first label of the second row of the sheet.
    EXPECT_EQ(Positions(pages[0]).front(), std::make_pair(0, 48));
    EXPECT_EQ(Positions(pages[0])[1], std::make_pair(96, 48));
    EXPECT_EQ(RowsOf(pages[1]), (Rows{9, 10, 11, 12}));
    EXPECT_EQ(Positions(pages[1]).front(), std::make_pair(0, 0));
    EXPECT_EQ(pages[0].front().mode, 4);
    EXPECT_EQ(pages[0].front().dpiX, 96);
    // The job ended for good.
    EXPECT_FALSE(info.m_bContinuePrinting);
    EXPECT_EQ(info.GetMaxPage(), 0xFFFFu);
}

TEST(PrintEngine, ColumnMajorOrderFillsTheFirstColumnFirst)
{
    Fixture f(3, 4, true, 6);
    CPrintInfo info;
    PrintOptionBlock options = Options();
    options.columnOrder = 1;
    info.m_pPD->m_pd.lCustData = reinterpret_cast<LPARAM>(&options);
    EngineView view(f.doc.get());
    DibCanvas canvas(400, 400);
    const auto pages = RunPages(*f.doc, info, &view, canvas.dc(), f.calls);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(Positions(pages[0]), (Points{{0, 0}, {0, 48}, {0, 96}, {0, 144}, {96, 0}, {96, 48}}));
    EXPECT_TRUE(f.Template()->IsColumnMajor());
}

TEST(PrintEngine, ReverseOrderOverARangePrintsItBackwards)
{
    Fixture f(2, 5, true, 8);
    CPrintInfo info;
    PrintOptionBlock options = Options(1, 1, 1, false, true);
    info.m_pPD->m_pd.lCustData = reinterpret_cast<LPARAM>(&options);
    info.m_pPD->m_pd.Flags |= PD_PAGENUMS;
    info.m_pPD->m_pd.nFromPage = 2;
    info.m_pPD->m_pd.nToPage = 5;
    EngineView view(f.doc.get());
    DibCanvas canvas(400, 400);
    const auto pages = RunPages(*f.doc, info, &view, canvas.dc(), f.calls);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(RowsOf(pages[0]), (Rows{5, 4, 3, 2}));
    EXPECT_TRUE(f.doc->IsReverseOrder());
    // Counters of a reverse job count from the first row of the range.
    EXPECT_EQ(f.doc->GetPrintState().lastPrintedRow, 5);

    // All rows backwards, and forwards without the option.
    CPrintInfo all;
    all.m_pPD->m_pd.lCustData = reinterpret_cast<LPARAM>(&options);
    EXPECT_EQ(RowsOf(FirstPage(RunPages(*f.doc, all, &view, canvas.dc(), f.calls))), (Rows{8, 7, 6, 5, 4, 3, 2, 1}));
}

TEST(PrintEngine, CopiesFromColumnCAndBelowOneCountAsOne)
{
    Fixture f(4, 4, true, 0);
    CDataTableBase* table = f.doc->CurrentSlot().Table();
    const char* copies[] = {"2", "", "0", "-4", "3", "x"};
    for (int r = 0; r < 6; ++r) {
        table->SetCellText(r, 0, "v");
        table->SetCellText(r, 2, copies[r]);
    }
    CPrintInfo info;
    PrintOptionBlock options = Options(-3);
    info.m_pPD->m_pd.lCustData = reinterpret_cast<LPARAM>(&options);
    EngineView view(f.doc.get());
    DibCanvas canvas(500, 500);
    const auto pages = RunPages(*f.doc, info, &view, canvas.dc(), f.calls);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(RowsOf(pages[0]), (Rows{1, 1, 2, 3, 4, 5, 5, 5, 6}));
    EXPECT_EQ(f.Template()->GetCopies(), -3);

    // A fixed number, and a fixed value below one from an older file.
    CPrintInfo fixed;
    PrintOptionBlock three = Options(3);
    fixed.m_pPD->m_pd.lCustData = reinterpret_cast<LPARAM>(&three);
    fixed.m_pPD->m_pd.Flags |= PD_PAGENUMS;
    fixed.m_pPD->m_pd.nFromPage = 1;
    fixed.m_pPD->m_pd.nToPage = 2;
    EXPECT_EQ(RowsOf(FirstPage(RunPages(*f.doc, fixed, &view, canvas.dc(), f.calls))), (Rows{1, 1, 1, 2, 2, 2}));
    CPrintInfo negative;
    PrintOptionBlock minus = Options(-30);
    negative.m_pPD->m_pd.lCustData = reinterpret_cast<LPARAM>(&minus);
    negative.m_pPD->m_pd.Flags |= PD_PAGENUMS;
    negative.m_pPD->m_pd.nFromPage = 1;
    negative.m_pPD->m_pd.nToPage = 3;
    EXPECT_EQ(RowsOf(FirstPage(RunPages(*f.doc, negative, &view, canvas.dc(), f.calls))), (Rows{1, 2, 3}));
}

TEST(PrintEngine, TwoPassesWithAPageBreakStartTheSecondOnANewPage)
{
    Fixture f(2, 5, true, 3);
    CPrintInfo info;
    PrintOptionBlock options = Options(1, 1, 2, true);
    info.m_pPD->m_pd.lCustData = reinterpret_cast<LPARAM>(&options);
    EngineView view(f.doc.get());
    DibCanvas canvas(400, 400);
    const auto pages = RunPages(*f.doc, info, &view, canvas.dc(), f.calls);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(RowsOf(pages[0]), (Rows{1, 2, 3}));
    EXPECT_EQ(RowsOf(pages[1]), (Rows{1, 2, 3}));
    EXPECT_EQ(Positions(pages[1]).front(), std::make_pair(0, 0));
    EXPECT_EQ(f.Template()->GetPasses(), 2);

    // Without the break the second pass follows on the same page.
    CPrintInfo joined;
    PrintOptionBlock together = Options(1, 1, 2, false);
    joined.m_pPD->m_pd.lCustData = reinterpret_cast<LPARAM>(&together);
    const auto one = RunPages(*f.doc, joined, &view, canvas.dc(), f.calls);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(RowsOf(one[0]), (Rows{1, 2, 3, 1, 2, 3}));
}

TEST(PrintEngine, CompensationMovesEveryLabelAndIsKeptWithTheTemplate)
{
    Fixture f(2, 2, true, 4);
    f.Template()->GetLabelStock()->SetLeft(0, kInch / 4);
    CPrintInfo info;
    PrintOptionBlock options = Options(1, 1, 1, true, false, false, kInch, kInch / 2);
    info.m_pPD->m_pd.lCustData = reinterpret_cast<LPARAM>(&options);
    EngineView view(f.doc.get());
    DibCanvas canvas(400, 400);
    f.doc->SetModifiedFlag(FALSE);
    const auto pages = RunPages(*f.doc, info, &view, canvas.dc(), f.calls);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(Positions(pages[0]), (Points{{120, 48}, {216, 48}, {120, 96}, {216, 96}}));
    EXPECT_EQ(f.Template()->GetLeftCompensation(), kInch);
    EXPECT_EQ(f.Template()->GetTopCompensation(), kInch / 2);
    // Compensation alone does not make the project modified; a changed copies value does.
    EXPECT_FALSE(f.doc->IsModified());
    CPrintInfo again;
    PrintOptionBlock twice = Options(2, 1, 1, true);
    again.m_pPD->m_pd.lCustData = reinterpret_cast<LPARAM>(&twice);
    RunPages(*f.doc, again, &view, canvas.dc(), f.calls);
    EXPECT_TRUE(f.doc->IsModified());
}

TEST(PrintEngine, WithoutTableDataEveryPositionOfThePageIsALabel)
{
    Fixture f(2, 3, false, 0);
    CPrintInfo info;
    PrintOptionBlock options = Options();
    info.m_pPD->m_pd.lCustData = reinterpret_cast<LPARAM>(&options);
    EngineView view(f.doc.get());
    DibCanvas canvas(400, 400);
    const auto pages = RunPages(*f.doc, info, &view, canvas.dc(), f.calls);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(RowsOf(pages[0]), (Rows{1, 2, 3, 4, 5, 6}));
}

TEST(PrintEngine, ASheetWithoutLabelPositionsPrintsNothing)
{
    MessageBoxRecorder boxes;
    Fixture f(0, 5, true, 3);
    EngineView view(f.doc.get());
    CPrintInfo info;
    EXPECT_FALSE(f.doc->PreparePrinting(&info, &view));
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().Icon(), static_cast<UINT>(MB_ICONERROR));

    PrintOptionBlock options = Options();
    info.m_pPD->m_pd.lCustData = reinterpret_cast<LPARAM>(&options);
    DibCanvas canvas(400, 400);
    const auto pages = RunPages(*f.doc, info, &view, canvas.dc(), f.calls);
    EXPECT_TRUE(pages.empty());
    EXPECT_TRUE(f.calls.empty());
    EXPECT_FALSE(info.m_bContinuePrinting);
    // A stock changed to no blocks between the dialog and the pages ends the job as well.
    f.Template()->GetLabelStock()->SetColumns(2);
    f.Template()->GetLabelStock()->SetVerticalBlocks(0);
    CPrintInfo late;
    late.m_pPD->m_pd.lCustData = reinterpret_cast<LPARAM>(&options);
    late.m_bContinuePrinting = TRUE;
    f.doc->PrintPage(&canvas.dc(), &late, &view);
    EXPECT_FALSE(late.m_bContinuePrinting);
    EXPECT_TRUE(f.calls.empty());
}

TEST(PrintEngine, AnEmptyRangePrintsNoLabel)
{
    Fixture f(2, 5, true, 0);
    f.doc->CurrentSlot().CreateFilter();        // passes the checks, but there is no row
    CPrintInfo info;
    PrintOptionBlock options = Options();
    info.m_pPD->m_pd.lCustData = reinterpret_cast<LPARAM>(&options);
    EngineView view(f.doc.get());
    DibCanvas canvas(400, 400);
    EXPECT_TRUE(RunPages(*f.doc, info, &view, canvas.dc(), f.calls).empty());
    EXPECT_TRUE(f.calls.empty());
}

TEST(PrintEngine, SelectedRowsComeOnlyFromATableViewWithASelection)
{
    Fixture f(2, 5, true, 6);
    DibCanvas canvas(400, 400);
    SelectingView table(f.doc.get());
    table.rows = {2, 4, 5};

    CPrintInfo info;
    EXPECT_TRUE(f.doc->PreparePrinting(&info, &table));
    EXPECT_EQ(info.m_pPD->m_pd.Flags & PD_NOSELECTION, 0u);
    info.m_pPD->m_pd.Flags |= PD_SELECTION;
    PrintOptionBlock options = Options();
    info.m_pPD->m_pd.lCustData = reinterpret_cast<LPARAM>(&options);
    EXPECT_EQ(RowsOf(FirstPage(RunPages(*f.doc, info, &table, canvas.dc(), f.calls))), (Rows{2, 4, 5}));
    EXPECT_EQ(f.doc->GetPrintState().lastRow, -1);

    CPrintInfo reverse;
    reverse.m_pPD->m_pd.Flags |= PD_SELECTION;
    PrintOptionBlock backwards = Options(1, 1, 1, false, true);
    reverse.m_pPD->m_pd.lCustData = reinterpret_cast<LPARAM>(&backwards);
    EXPECT_EQ(RowsOf(FirstPage(RunPages(*f.doc, reverse, &table, canvas.dc(), f.calls))), (Rows{5, 4, 2}));

    // The design view cannot select rows: no selection is offered, and a stale selection flag
    // prints every row instead of an old range.
    EngineView design(f.doc.get());
    CPrintInfo plain;
    EXPECT_TRUE(f.doc->PreparePrinting(&plain, &design));
    EXPECT_NE(plain.m_pPD->m_pd.Flags & PD_NOSELECTION, 0u);
    plain.m_pPD->m_pd.Flags |= PD_SELECTION;
    PrintOptionBlock forward = Options();
    plain.m_pPD->m_pd.lCustData = reinterpret_cast<LPARAM>(&forward);
    EXPECT_EQ(RowsOf(FirstPage(RunPages(*f.doc, plain, &design, canvas.dc(), f.calls))), (Rows{1, 2, 3, 4, 5, 6}));
    // A table view without selected rows is no different.
    table.rows.clear();
    CPrintInfo none;
    EXPECT_TRUE(f.doc->PreparePrinting(&none, &table));
    EXPECT_NE(none.m_pPD->m_pd.Flags & PD_NOSELECTION, 0u);
}

TEST(PrintEngine, RowsAreCountedInTheTableAsShownThroughItsFilter)
{
    Fixture f(2, 5, true, 0);
    CDataTableBase* table = f.doc->CurrentSlot().Table();
    const char* values[] = {"keep", "drop", "keep", "drop", "keep", "drop", "drop"};
    for (int r = 0; r < 7; ++r)
        table->SetCellText(r, 0, values[r]);
    TableSlot& slot = f.doc->CurrentSlot();
    slot.CreateFilter();
    slot.Filter()->SetIncludeString(0, "keep");
    slot.ToggleFilterFlag(5, 0);
    slot.ToggleFilter();
    ASSERT_TRUE(slot.IsFilterOn());
    ASSERT_EQ(slot.Filtered()->GetUsedRowCount(), 3);

    EngineView view(f.doc.get());
    CPrintInfo info;
    EXPECT_TRUE(f.doc->PreparePrinting(&info, &view));
    EXPECT_EQ(info.GetMaxPage(), 3u);
    PrintOptionBlock options = Options();
    info.m_pPD->m_pd.lCustData = reinterpret_cast<LPARAM>(&options);
    DibCanvas canvas(400, 400);
    const auto pages = RunPages(*f.doc, info, &view, canvas.dc(), f.calls);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(RowsOf(pages[0]), (Rows{1, 2, 3}));
    EXPECT_EQ(pages[0].front().table, slot.Filtered());
}

TEST(PrintEngine, CutLinesFollowTheCompensationAndEachBlock)
{
    // Touching labels, two blocks of 2 x 2; labels at 1/4 inch left margin, 1/2 inch compensation.
    Fixture f(2, 2, true, 8, 2);
    CLabel* stock = f.Template()->GetLabelStock();
    stock->SetLeft(0, kInch / 4);
    stock->SetTop(0, kInch / 4);
    stock->SetBlockGap(kInch / 2);
    f.Template()->SetPrintBorders(true);
    f.Template()->SetBorderWidth(100);
    CPrintInfo info;
    PrintOptionBlock options = Options(1, 1, 1, false, false, false, kInch / 2, kInch / 2);
    info.m_pPD->m_pd.lCustData = reinterpret_cast<LPARAM>(&options);
    EngineView view(f.doc.get());
    EmfRecorder emf;
    const auto pages = RunPages(*f.doc, info, &view, emf.dc(), f.calls);
    ASSERT_EQ(pages.size(), 1u);
    ASSERT_EQ(pages[0].size(), 8u);
    // The labels: left = (1/4 + 1/2) inch = 72 px; block 1 starts 2 rows + gap + margin lower.
    EXPECT_EQ(pages[0].front().x, 72);
    EXPECT_EQ(pages[0].front().y, 72);
    EXPECT_EQ(pages[0][4].y, 72 + 96 + 48 + 24);

    std::set<int> horizontalY, verticalX;
    int minX = 1 << 30, minY = 1 << 30;
    for (const EmfLine& line : emf.Lines()) {
        if (line.from.y == line.to.y)
            horizontalY.insert(line.from.y);
        else if (line.from.x == line.to.x)
            verticalX.insert(line.from.x);
        minX = std::min<int>(minX, std::min(line.from.x, line.to.x));
        minY = std::min<int>(minY, std::min(line.from.y, line.to.y));
    }
    // The cut lines sit on the label edges as printed, in both blocks.
    EXPECT_EQ(horizontalY, (std::set<int>{72, 120, 168, 240, 288, 336}));
    EXPECT_EQ(verticalX, (std::set<int>{72, 168, 264}));
    EXPECT_EQ(minX, 72);
    EXPECT_EQ(minY, 72);
    // Touching rectangles get no outline of their own.
    EXPECT_EQ(emf.RecordCount(EMR_RECTANGLE), 0);
}

TEST(PrintEngine, OutlinesForLabelsWithGapsAndNoCutLinesOnAnEmptyPage)
{
    Fixture f(2, 1, true, 3);
    f.Template()->SetLabelStock(MakeSheet(2, 1, kLabelW, kLabelH, 0, 0, kInch / 4, kInch / 4));
    f.Template()->SetPrintBorders(true);
    CPrintInfo info;
    PrintOptionBlock options = Options();
    info.m_pPD->m_pd.lCustData = reinterpret_cast<LPARAM>(&options);
    EngineView view(f.doc.get());
    EmfRecorder emf;
    const auto pages = RunPages(*f.doc, info, &view, emf.dc(), f.calls);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(emf.RecordCount(EMR_RECTANGLE), 3);
    EXPECT_TRUE(emf.Lines().empty());

    // Positions skipped by the start position are no printed labels: no cut lines there.
    Fixture g(2, 2, true, 1);
    g.Template()->SetPrintBorders(true);
    g.Template()->GetLabelStock()->SetRows(1);
    CPrintInfo start;
    PrintOptionBlock late = Options(1, 2);
    start.m_pPD->m_pd.lCustData = reinterpret_cast<LPARAM>(&late);
    EngineView other(g.doc.get());
    EmfRecorder lines;
    ASSERT_EQ(RunPages(*g.doc, start, &other, lines.dc(), g.calls).size(), 1u);
    ASSERT_FALSE(lines.Lines().empty()) << "the printed label has cut lines of its own";
    for (const EmfLine& line : lines.Lines())
        EXPECT_GE(std::min(line.from.x, line.to.x), 96) << "a cut line beside the skipped position";
}

TEST(PrintEngine, ALabelThatCannotDrawAbandonsTheJob)
{
    Fixture f(2, 5, true, 4);
    f.object->refuse = true;
    CPrintInfo info;
    PrintOptionBlock options = Options();
    info.m_pPD->m_pd.lCustData = reinterpret_cast<LPARAM>(&options);
    EngineView view(f.doc.get());
    DibCanvas canvas(400, 400);
    const auto pages = RunPages(*f.doc, info, &view, canvas.dc(), f.calls);
    EXPECT_EQ(pages.size(), 1u);
    EXPECT_TRUE(info.m_bJobAborted);
    EXPECT_FALSE(info.m_bContinuePrinting);
}

TEST(PrintEngine, CountersAdvanceOnlyAfterAJobThatPrinted)
{
    TempDir dir;
    MessageBoxRecorder boxes;
    Fixture f(2, 5, true, 4);
    f.object->counter = true;
    const CString project = dir.Path("labels.proj");
    f.doc->SetPathName(project, FALSE);
    EngineView view(f.doc.get());
    DibCanvas canvas(400, 400);

    // A cancelled dialog: prepared, never begun.
    CPrintInfo cancelled;
    EXPECT_TRUE(f.doc->PreparePrinting(&cancelled, &view));
    EXPECT_FALSE(f.doc->CommitAutoIncrementAfterPrint());
    EXPECT_EQ(f.object->advancedBy, 0);

    // A printed job advances by the last printed row and saves the project.
    CPrintInfo info;
    EXPECT_TRUE(f.doc->PreparePrinting(&info, &view));
    PrintOptionBlock options = Options();
    info.m_pPD->m_pd.lCustData = reinterpret_cast<LPARAM>(&options);
    RunPages(*f.doc, info, &view, canvas.dc(), f.calls);
    f.doc->SetModifiedFlag(TRUE);
    EXPECT_TRUE(f.doc->CommitAutoIncrementAfterPrint());
    EXPECT_EQ(f.object->advancedBy, 4);
    EXPECT_FALSE(f.doc->IsModified());
    EXPECT_NE(GetFileAttributesA(project), INVALID_FILE_ATTRIBUTES);
    // Once only.
    EXPECT_FALSE(f.doc->CommitAutoIncrementAfterPrint());
    EXPECT_EQ(f.object->advancedBy, 4);

    // A job the spooler did not take.
    CPrintInfo failed;
    EXPECT_TRUE(f.doc->PreparePrinting(&failed, &view));
    failed.m_pPD->m_pd.lCustData = reinterpret_cast<LPARAM>(&options);
    RunPages(*f.doc, failed, &view, canvas.dc(), f.calls);
    failed.m_bJobCompleted = FALSE;
    f.doc->EndPrinting(&failed);
    EXPECT_FALSE(f.doc->CommitAutoIncrementAfterPrint());
    EXPECT_EQ(f.object->advancedBy, 4);

    // Under another kind of path the counters move but nothing is written over that file.
    const CString table = dir.Path("labels.tbl");
    f.doc->SetPathName(table, FALSE);
    f.doc->SetModifiedFlag(FALSE);
    CPrintInfo other;
    EXPECT_TRUE(f.doc->PreparePrinting(&other, &view));
    other.m_pPD->m_pd.lCustData = reinterpret_cast<LPARAM>(&options);
    RunPages(*f.doc, other, &view, canvas.dc(), f.calls);
    other.m_bJobCompleted = TRUE;
    f.doc->EndPrinting(&other);
    EXPECT_TRUE(f.doc->CommitAutoIncrementAfterPrint());
    EXPECT_EQ(f.object->advancedBy, 8);
    EXPECT_TRUE(f.doc->IsModified());
    EXPECT_EQ(GetFileAttributesA(table), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST(PrintEngine, ReverseOrderCommandTogglesAndChecks)
{
    Fixture f(1, 1, false, 0);
    f.doc->SetModifiedFlag(FALSE);
    CTestCmdUI ui;
    f.doc->OnUpdatePrintReverseOrder(&ui);
    EXPECT_EQ(ui.m_nCheck, 0);
    f.doc->OnPrintReverseOrder();
    f.doc->OnUpdatePrintReverseOrder(&ui);
    EXPECT_EQ(ui.m_nCheck, 1);
    EXPECT_TRUE(f.doc->IsModified());
}
