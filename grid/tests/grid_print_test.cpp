// Printing the grid: pages recorded as metafiles (page counts, header and footer bands, fixed rows
// on every page, a row taller than the page) and a whole job on the PostScript file printer.
#include "grid/tests/gridtesthost.h"
#include "framework/print.h"
#include "framework/view.h"
#include "testsupport/dibcanvas.h"
#include "testsupport/emfrecorder.h"
#include "testsupport/fileprinter.h"
#include "testsupport/msgboxrecorder.h"
#include "testsupport/tempdir.h"
#include <memory>
#include <string>
#include <vector>

namespace {

// A view that prints its grid, as an owner view forwards the callbacks.
class GridPrintView : public CView {
public:
    explicit GridPrintView(CGridCtrl* grid) : m_grid(grid) {}
    void OnBeginPrinting(CDC* dc, CPrintInfo* info) override { m_grid->OnBeginPrinting(dc, info); }
    void OnPrint(CDC* dc, CPrintInfo* info) override { m_grid->OnPrint(dc, info); }
    void OnEndPrinting(CDC* dc, CPrintInfo* info) override { m_grid->OnEndPrinting(dc, info); }

private:
    CGridCtrl* m_grid;
};

bool HasText(const std::vector<EmfText>& texts, const std::string& s)
{
    for (const EmfText& t : texts)
        if (t.text == s)
            return true;
    return false;
}

bool HasPrefix(const std::vector<EmfText>& texts, const std::string& s)
{
    for (const EmfText& t : texts)
        if (t.text.compare(0, s.size(), s) == 0)
            return true;
    return false;
}

}  // namespace

class GridPrintTest : public GridTest {
protected:
    // Every page of the job into its own metafile; returns the texts of each page.
    std::vector<std::vector<EmfText>> PrintPages(CPrintInfo& info)
    {
        std::vector<std::vector<EmfText>> pages;
        EmfRecorder begin;
        m_grid->OnBeginPrinting(&begin.dc(), &info);
        for (UINT p = 1; p <= info.GetMaxPage(); p++) {
            EmfRecorder page;
            info.m_nCurPage = p;
            m_grid->OnPrint(&page.dc(), &info);
            pages.push_back(page.Texts());
        }
        m_grid->OnEndPrinting(&begin.dc(), &info);
        return pages;
    }

    void MakeNamedGrid(int rows, int cols)
    {
        MakeGrid(rows, cols, 1, 1);
        for (int c = 0; c < cols; c++)
            m_grid->SetItemText(0, c, ("Head" + std::to_string(c)).c_str());
        for (int r = 1; r < rows; r++) {
            m_grid->SetItemText(r, 0, std::to_string(r).c_str());
            m_grid->SetItemText(r, 1, ("row" + std::to_string(r)).c_str());
        }
    }
};

TEST_F(GridPrintTest, TwoHundredRowsMakeFivePagesWithHeadingsOnEach)
{
    MakeNamedGrid(200, 4);
    for (int c = 0; c < 4; c++)
        m_grid->SetColumnWidth(c, 150);
    CPrintInfo info;
    EmfRecorder probe;
    m_grid->OnBeginPrinting(&probe.dc(), &info);
    const int body = m_grid->GetPrintBodyHeight();
    ASSERT_GT(body, 100);
    // Rows of a height that puts 40 to 49 on a page: 199 rows make five pages.
    int h = 1;
    while (body / h > 49)
        h++;
    ASSERT_GE(body / h, 40);
    for (int r = 1; r < 200; r++)
        m_grid->SetRowHeight(r, h);
    m_grid->OnEndPrinting(&probe.dc(), &info);

    std::vector<std::vector<EmfText>> pages = PrintPages(info);
    ASSERT_EQ(pages.size(), 5u) << "body " << body << " row " << h << " now " << m_grid->GetPrintBodyHeight()
                                << " width " << m_grid->GetPrintPageWidth() << " rowh " << m_grid->GetRowHeight(5);
    EXPECT_EQ(info.GetMaxPage(), 5u);
    const int perPage = body / h;
    for (size_t p = 0; p < pages.size(); p++) {
        SCOPED_TRACE(p + 1);
        EXPECT_TRUE(HasText(pages[p], "Page " + std::to_string(p + 1) + " of 5"));
        EXPECT_TRUE(HasText(pages[p], "Head1")) << "the fixed row on every page";
        EXPECT_TRUE(HasText(pages[p], "host")) << "the nearest titled ancestor";
        EXPECT_TRUE(HasText(pages[p], "KORVELTA-PRINT"));
        const int first = 1 + static_cast<int>(p) * perPage;
        EXPECT_TRUE(HasText(pages[p], "row" + std::to_string(first)));
        if (p > 0)
            EXPECT_FALSE(HasText(pages[p], "row" + std::to_string(first - 1))) << "no row twice";
    }
    EXPECT_TRUE(HasText(pages[4], "row199"));
}

TEST_F(GridPrintTest, ScreenScaleSplitsWideGridsIntoPagesAcross)
{
    MakeNamedGrid(30, 40);   // 40 columns of 60 pixels: wider than any page at screen scale
    for (int c = 0; c < 40; c++)
        m_grid->SetItemText(1, c, ("c" + std::to_string(c)).c_str());
    CPrintInfo info;
    std::vector<std::vector<EmfText>> pages = PrintPages(info);
    ASSERT_EQ(pages.size(), 1u) << "without screen scale every column fits one page width";
    EXPECT_TRUE(HasText(pages[0], "c39"));

    m_grid->SetPrintScreenScale(TRUE);
    pages = PrintPages(info);
    ASSERT_GT(pages.size(), 1u);
    EXPECT_FALSE(HasText(pages[0], "c39"));
    size_t across = 0;
    while (across < pages.size() && !HasText(pages[across], "c39"))
        across++;
    ASSERT_LT(across, pages.size());
    EXPECT_GT(across, 0u);
    EXPECT_TRUE(HasText(pages[across], "2")) << "the fixed column on the pages across";
    EXPECT_TRUE(HasText(pages[across], "Head39"));
    EXPECT_TRUE(HasPrefix(pages.back(), "Page " + std::to_string(pages.size()) + " of"));
}

TEST_F(GridPrintTest, ARowTallerThanThePageIsPrintedClipped)
{
    MakeNamedGrid(5, 3);
    CPrintInfo info;
    EmfRecorder probe;
    m_grid->OnBeginPrinting(&probe.dc(), &info);
    const int body = m_grid->GetPrintBodyHeight();
    m_grid->OnEndPrinting(&probe.dc(), &info);
    m_grid->SetRowHeight(2, body * 2);
    std::vector<std::vector<EmfText>> pages = PrintPages(info);
    ASSERT_EQ(pages.size(), 3u) << "row 1, the tall row 2 alone, rows 3 and 4";
    EXPECT_TRUE(HasText(pages[0], "row1"));
    EXPECT_TRUE(HasText(pages[1], "row2"));
    EXPECT_TRUE(HasText(pages[2], "row3"));
    EXPECT_TRUE(HasText(pages[2], "row4"));
}

TEST_F(GridPrintTest, AHiddenRowOrColumnBeforeOneLargerThanThePageLosesNeither)
{
    MakeNamedGrid(5, 4);
    m_grid->SetPrintScreenScale(TRUE);   // pages across, so that a column can be wider than one
    CPrintInfo info;
    EmfRecorder probe;
    m_grid->OnBeginPrinting(&probe.dc(), &info);
    const int body = m_grid->GetPrintBodyHeight();
    const int across = m_grid->GetPrintPageWidth();
    m_grid->OnEndPrinting(&probe.dc(), &info);
    m_grid->SetRowHeight(1, 0);
    m_grid->SetRowHeight(2, body * 2);
    std::vector<std::vector<EmfText>> pages = PrintPages(info);
    ASSERT_EQ(pages.size(), 2u) << "the hidden row 1 and the tall row 2, then rows 3 and 4";
    EXPECT_TRUE(HasText(pages[0], "row2"));
    EXPECT_TRUE(HasText(pages[1], "row3"));

    for (int r = 1; r < 5; r++) {
        m_grid->SetRowHeight(r, 20);
        m_grid->SetItemText(r, 2, ("wide" + std::to_string(r)).c_str());
    }
    m_grid->SetColumnWidth(1, 0);
    m_grid->SetColumnWidth(2, across * 2);
    pages = PrintPages(info);
    ASSERT_EQ(pages.size(), 2u) << "the hidden column 1 and the wide column 2, then column 3";
    EXPECT_TRUE(HasText(pages[0], "wide1"));
    EXPECT_TRUE(HasText(pages[0], "Head2"));
    EXPECT_TRUE(HasText(pages[1], "Head3"));
}

TEST_F(GridPrintTest, RowHeadingsEndThePageAsTheBodyDoesAndStayInItsBand)
{
    // Pages drawn into a bitmap of the screen's size, the device the layout is made for.
    HDC screen = ::GetDC(nullptr);
    const int width = ::GetDeviceCaps(screen, HORZRES), height = ::GetDeviceCaps(screen, VERTRES);
    ::ReleaseDC(nullptr, screen);
    const COLORREF red = RGB(255, 0, 0);
    for (bool hiddenFirst : { true, false }) {
        SCOPED_TRACE(hiddenFirst ? "a hidden row, then one taller than the page" : "a row taller than the page");
        m_grid.reset(new CGridCtrl);
        MakeNamedGrid(5, 3);
        DibCanvas canvas(width, height);
        CPrintInfo info;
        m_grid->OnBeginPrinting(&canvas.dc(), &info);
        const int body = m_grid->GetPrintBodyHeight();
        m_grid->OnEndPrinting(&canvas.dc(), &info);
        const int tall = hiddenFirst ? 2 : 1;
        if (hiddenFirst)
            m_grid->SetRowHeight(1, 0);
        m_grid->SetRowHeight(tall, body * 2);
        m_grid->SetItemBkColour(tall, 0, red);

        m_grid->OnBeginPrinting(&canvas.dc(), &info);
        ASSERT_EQ(m_grid->GetPrintBodyHeight(), body);
        info.m_nCurPage = 1;
        m_grid->OnPrint(&canvas.dc(), &info);
        EmfRecorder page;
        m_grid->OnPrint(&page.dc(), &info);
        m_grid->OnEndPrinting(&canvas.dc(), &info);
        EXPECT_TRUE(HasText(page.Texts(), "row" + std::to_string(tall)));
        EXPECT_TRUE(HasText(page.Texts(), std::to_string(tall))) << "the tall row's heading";

        // The body's band on the device: logical units scaled to the page, after the left margin.
        const CSize ch = m_grid->GetPrintCharSize();
        const int bodyTop = (m_grid->GetPrintHeaderLines() + m_grid->GetPrintGapLines()) * ch.cy +
                            m_grid->GetFixedRowHeight();
        const int left = ch.cx * m_grid->GetPrintLeftMargin();
        auto deviceX = [&](int x) { return ::MulDiv(x + left, width, m_grid->GetPrintPageWidth()); };
        auto deviceY = [&](int y) { return ::MulDiv(y, height, m_grid->GetPrintPageHeight()); };
        const CRect heading = canvas.ExtentOf(red);
        ASSERT_FALSE(heading.IsRectEmpty()) << "the heading is printed";
        // (The band takes in the grid lines on its edges: one logical unit, a few device pixels.)
        EXPECT_GE(heading.top, deviceY(bodyTop - 1) - 1);
        EXPECT_LE(heading.bottom, deviceY(bodyTop + body + 1) + 1) << "and cut at the body's bottom, above the footer";
        EXPECT_GE(heading.left, deviceX(-1) - 1);
        EXPECT_LE(heading.right, deviceX(m_grid->GetFixedColumnWidth() + 1) + 1);
        EXPECT_LT(heading.bottom, deviceY(m_grid->GetPrintPageHeight() - m_grid->GetPrintFooterLines() * ch.cy))
            << "the footer band stays clear";
    }
}

TEST_F(GridPrintTest, AJobOnThePostScriptPrinter)
{
    ASSERT_TRUE(printtest::EnsureFilePrinter());
    MessageBoxRecorder boxes;
    TempDir temp;
    const std::string file = OutputFolder("KORVELTA_PRINT_OUT", temp) + "\\grid.ps";
    ::DeleteFileA(file.c_str());
    MakeNamedGrid(120, 5);
    for (int r = 1; r < 120; r++)
        m_grid->SetItemText(r, 2, ("value " + std::to_string(r * 7)).c_str());
    GridPrintView view(m_grid.get());
    CPrintInfo info;
    ASSERT_TRUE(printtest::PrinterHandles(info.m_pPD->m_pd.hDevNames, info.m_pPD->m_pd.hDevMode));
    info.m_pPD->m_pd.nFromPage = 1;
    info.m_pPD->m_pd.nToPage = 0xFFFF;
    ASSERT_NE(info.m_pPD->CreatePrinterDC(), nullptr);
    CDC dc;
    dc.Attach(info.m_pPD->m_pd.hDC);
    info.m_strOutputFile = file.c_str();
    EXPECT_TRUE(view.RunPrintJob(&dc, &info));
    dc.Detach();
    EXPECT_TRUE(info.m_bJobCompleted);
    EXPECT_EQ(boxes.Count(), 0u);
    ASSERT_GE(info.GetMaxPage(), 1u);
    EXPECT_EQ(info.m_nPagesPrinted, static_cast<int>(info.GetMaxPage()));
    const std::vector<char> ps = printtest::ReadFileBytes(file.c_str());
    ASSERT_GT(ps.size(), 1000u);
    const std::string text(ps.begin(), ps.end());
    EXPECT_EQ(text.compare(0, 10, "%!PS-Adobe"), 0);
    EXPECT_NE(text.find("%%Pages: " + std::to_string(info.GetMaxPage())), std::string::npos);
}
