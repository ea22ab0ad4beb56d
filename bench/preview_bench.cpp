// Sheet preview benchmark: an A4 sheet of 65 labels (5 x 13), each of 20 objects (18 table texts,
// a Code 128 and a QR Code), shown in a preview pane of 800 x 1000 pixels beside a stand-in of the
// design canvas (the area drawing the canvas does at 300 dpi). Times
//   - a repaint of the preview pane (invalidate, erase, paint, UpdateWindow);
//   - a design change (bold on one text of the label) with the repaints it causes: the document
//     marks the design views and previews for repainting and both repaint.
// Prints the median and the worst of each in milliseconds.
//   preview_bench.exe [runs]
#include "bench/benchclock.h"
#include "document/labeldocviews.h"
#include "document/tests/printhelpers.h"
#include "testsupport/msgboxrecorder.h"
#include "ui/labelpreview.h"

#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace printtest;

namespace {

const int kColumns = 5, kRows = 13, kTexts = 18, kTableColumns = 20;

void BuildLabels(COstrelindSoftLabelDoc& doc, int rows)
{
    CTemplate* tmpl = doc.GetCurrentTemplate();
    // 38.1 x 21.2 mm labels on 40.6 mm columns, 4.7 mm and 10.7 mm from the paper's edges.
    tmpl->SetLabelStock(MakeSheet(kColumns, kRows, 38100, 21200, 4700, 10700, 2500));
    CGraphCollection* area = tmpl->GetArea(0);
    // Texts in two columns of nine lines on the left half, the codes on the right.
    for (int i = 0; i < kTexts; ++i)
        area->Append(TableText(i, 500 + (i % 2) * 9000, 500 + (i / 2) * 2200, 8800, 2100, -5));
    area->Append(TableBarcode("Code 128", kTexts, 19000, 600, 18500, 9000, 190));
    area->Append(TableBarcode("QR Code\xAE", kTexts + 1, 24000, 10500, 10000, 10000, 400));
    CDataTableBase* table = doc.CurrentSlot().Table();
    char text[32];
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < kTableColumns; ++c) {
            if (c == kTexts)
                std::snprintf(text, sizeof text, "KV-%05d", r + 1);
            else if (c == kTexts + 1)
                std::snprintf(text, sizeof text, "QR-%05d-%02d", r + 1, c);
            else
                std::snprintf(text, sizeof text, "Text %d.%d", r + 1, c + 1);
            table->SetCellText(r, c, text);
        }
    }
}

// What the design canvas does when it paints: the label definition and the label area at the
// design resolution, with the handles of the selection.
class DesignStandIn : public CScrollView {
public:
    void OnDraw(CDC* dc) override
    {
        auto* doc = static_cast<COstrelindSoftLabelDoc*>(GetDocument());
        if (doc == nullptr)
            return;
        doc->DrawLabelDefinition(dc, 0, 100);
        const int row = doc->CurrentSlot().Table() ? doc->GetPreviewRow() + 1 : -1;
        doc->DrawArea(0, dc, 100, 0, 0, true, row, 1, 300, 300, false);
        doc->DrawSelectionHandles(0, dc);
    }
    void OnUpdate(CView* sender, LPARAM hint, CObject* object) override
    {
        if (hint == 0 || (hint & kHintDesignViews) != 0)
            CScrollView::OnUpdate(sender, hint, object);
    }
};

struct Figures {
    double median;
    double worst;
};

Figures Summarise(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = std::max(1, argc > 1 ? std::atoi(argv[1]) : 20);
    MessageBoxRecorder quiet;
    COstrelindSoftLabelDoc doc;
    doc.m_bAutoDelete = FALSE;
    doc.OnNewDocument();
    BuildLabels(doc, 200);
    doc.SetPreviewRow(70);          // the second page: labels 66..130

    CWnd frame;
    if (!frame.CreateEx(0, nullptr, "preview_bench", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 1400, 1000, nullptr,
                        nullptr)) {
        std::printf("no window\n");
        return 1;
    }
    auto* design = new DesignStandIn;
    design->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 1000), &frame, 0xE900);
    doc.AddView(design);
    design->SetScrollSizes(MM_TEXT, CSize(600, 1000));
    auto* preview = new CLabelPreview;
    preview->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(600, 0, 1400, 1000), &frame, 0xE901);
    doc.AddView(preview);
    frame.UpdateWindow();

    // Warm-up: fonts, barcode caches.
    preview->RedrawWindow();
    design->RedrawWindow();

    std::vector<double> repaint, change;
    for (int i = 0; i < runs; ++i) {
        const double start = bench::Now();
        preview->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        ::GdiFlush();
        repaint.push_back(bench::Now() - start);
    }

    CGraphCollection* area = doc.GetCurrentTemplate()->GetArea(0);
    area->GetAt(0)->SetSelected(true);
    for (int i = 0; i < runs; ++i) {
        const double start = bench::Now();
        doc.ToggleBold(0);
        // The repaints the change asked for, as the message loop would run them.
        design->UpdateWindow();
        preview->UpdateWindow();
        ::GdiFlush();
        change.push_back(bench::Now() - start);
    }

    const Figures r = Summarise(repaint);
    const Figures c = Summarise(change);
    std::printf("preview: %d labels of %d objects, area zoom %d, %d dpi, %d runs\n", kColumns * kRows, kTexts + 2,
                preview->GetAreaZoom(), preview->GetAreaDpi(), runs);
    std::printf("preview repaint: median %.1f ms, worst %.1f ms\n", r.median, r.worst);
    std::printf("design change with repaints: median %.1f ms, worst %.1f ms\n", c.median, c.worst);

    design->DestroyWindow();
    preview->DestroyWindow();
    frame.DestroyWindow();
    return 0;
}
