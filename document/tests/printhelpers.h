#pragma once
// Test helpers of printing: label objects that record every drawing call, a sheet of labels,
// views that forward the print callbacks like the program's views and a page loop on any DC; the
// PostScript printer in the Wine prefix comes from testsupport/fileprinter.h.
#include "document/labeldoc.h"
#include "document/printoptions.h"
#include "framework/print.h"
#include "framework/view.h"
#include "labelmodel/graphbarcode.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/graphtext.h"
#include "labelmodel/textcontent.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/template.h"
#include "testsupport/fileprinter.h"

#include <windows.h>
#include <winspool.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace printtest {

struct DrawCall {
    int x = 0, y = 0, row = 0, mode = 0, dpiX = 0, dpiY = 0;
    CDataTableBase* table = nullptr;
};

// A label object that appends each drawing call to a list; it may name column A (so that the
// template uses table data), count, or refuse to draw (as a QR Code that does not fit).
class CallRecorder : public CGraphObject {
public:
    std::vector<DrawCall>* calls;
    bool usesColumn = false;
    bool counter = false;
    bool refuse = false;
    int advancedBy = 0;

    explicit CallRecorder(std::vector<DrawCall>* list) : calls(list) {}
    bool Draw(CDC*, int, int originX, int originY, bool, int row, int flags, int dpiX, int dpiY,
              CDataTableBase* table, CDataTableMap*, bool) override
    {
        if (refuse)
            return false;
        DrawCall call;
        call.x = originX;
        call.y = originY;
        call.row = row;
        call.mode = flags;
        call.dpiX = dpiX;
        call.dpiY = dpiY;
        call.table = table;
        calls->push_back(call);
        return true;
    }
    CGraphObject* Clone() override { return new CallRecorder(*this); }
    int GetTypeCode() override { return 151; }
    bool GetColumnName(char* out, int size) override
    {
        if (!usesColumn)
            return false;
        lstrcpynA(out, "A", size);
        return true;
    }
    bool IsCounter() override { return counter; }
    void AdvanceCounter(int n) override { advancedBy += n; }
};

// A sheet of columns x rows labels (blocks vertical blocks), each width x height um on pitches
// of the same size plus the gaps, from the margins.
inline CLabelFileNew* MakeSheet(int columns, int rows, int width, int height, int left = 0, int top = 0,
                                int gapH = 0, int gapV = 0, int blocks = 1)
{
    auto* stock = new CLabelFileNew;
    stock->SetWidth(0, width, false);
    stock->SetHeight(0, height);
    stock->SetPitchH(width + gapH);
    stock->SetPitchV(height + gapV);
    stock->SetColumns(columns);
    stock->SetRows(rows);
    stock->SetLeft(0, left);
    stock->SetTop(0, top);
    stock->SetVerticalBlocks(blocks);
    stock->SetFamilyName("Sheet");
    return stock;
}

// A print view as the program's views are: the callbacks go to the document's engine.
class EngineView : public CView {
public:
    COstrelindSoftLabelDoc* doc;
    explicit EngineView(COstrelindSoftLabelDoc* d) : doc(d) {}
    BOOL OnPreparePrinting(CPrintInfo* info) override { return doc->PreparePrinting(info, this); }
    void OnBeginPrinting(CDC* dc, CPrintInfo* info) override { doc->BeginPrinting(dc, info, this); }
    void OnPrint(CDC* dc, CPrintInfo* info) override { doc->PrintPage(dc, info, this); }
    void OnEndPrinting(CDC*, CPrintInfo* info) override { doc->EndPrinting(info); }
};

// The same as a table view with a selection of rows (1-based).
class SelectingView : public EngineView, public CLabelDocTableView {
public:
    std::vector<int> rows;
    explicit SelectingView(COstrelindSoftLabelDoc* d) : EngineView(d) {}
    int GetSelectedRowCount() override { return static_cast<int>(rows.size()); }
    bool GetGridFont(LOGFONTA&) override { return false; }
    void SetGridFont(const LOGFONTA&) override {}
    void EndGridEdit() override {}
    int GetFirstSelectedRow() override { return rows.empty() ? -1 : rows.front(); }
    int GetLastSelectedRow() override { return rows.empty() ? -1 : rows.back(); }
    int GetNextSelectedRow(int row) override
    {
        for (int r : rows)
            if (r > row)
                return r;
        return -1;
    }
    int GetPrevSelectedRow(int row) override
    {
        for (auto it = rows.rbegin(); it != rows.rend(); ++it)
            if (*it < row && *it >= 1)
                return *it;
        return -1;
    }
};

// Options as the dialog would hand them over.
inline PrintOptionBlock Options(int copies = 1, int start = 1, int passes = 1, bool stop = false, bool reverse = false,
                                bool columnOrder = false, int left = 0, int top = 0)
{
    PrintOptionBlock block = {};
    block.size = sizeof block;
    block.copies = copies;
    block.startPosition = start;
    block.passes = passes;
    block.stopAfterPass = stop ? 1 : 0;
    block.reverseOrder = reverse ? 1 : 0;
    block.columnOrder = columnOrder ? 1 : 0;
    block.leftCompensation = left;
    block.topCompensation = top;
    return block;
}

// The framework's page loop without a spooler: pages while the engine keeps the job going.
// Returns the drawing calls of each page.
inline std::vector<std::vector<DrawCall>> RunPages(COstrelindSoftLabelDoc& doc, CPrintInfo& info, CView* view, CDC& dc,
                                                   std::vector<DrawCall>& calls, int maxPages = 50)
{
    std::vector<std::vector<DrawCall>> pages;
    calls.clear();
    doc.BeginPrinting(&dc, &info, view);
    for (int page = 0; page < maxPages && info.m_bContinuePrinting; ++page) {
        const size_t before = calls.size();
        doc.PrintPage(&dc, &info, view);
        pages.emplace_back(calls.begin() + static_cast<long>(before), calls.end());
        if (info.m_bJobAborted)
            break;
    }
    return pages;
}

inline std::vector<int> RowsOf(const std::vector<DrawCall>& calls)
{
    std::vector<int> rows;
    for (const DrawCall& c : calls)
        rows.push_back(c.row);
    return rows;
}

// ---- labels as the user makes them: table texts and barcodes

// The label sheet of the printer tests: A4 with 3 x 4 labels of 60 x 55 mm.
struct BarcodeSheet {
    static const int kColumns = 3, kRows = 4, kWidth = 60000, kHeight = 55000;
    static const int kPitchH = 63000, kPitchV = 62000, kLeft = 10000, kTop = 15000;
};

inline CGraphText* TableText(int column, int x, int y, int w, int h, int fontHeight = -12)
{
    auto* text = new CGraphText;
    text->SetX(x);
    text->SetY(y);
    text->SetWidth(w);
    text->SetHeight(h);
    text->SetContentKind(kKindTable);
    text->SetTableColumn(0, column);
    LOGFONTA font = {};
    font.lfHeight = fontHeight;
    font.lfWeight = FW_NORMAL;
    lstrcpynA(font.lfFaceName, "Liberation Sans", LF_FACESIZE);
    text->SetLogFont(&font);
    return text;
}

inline CGraphBarcode* TableBarcode(const char* symbology, int column, int x, int y, int w, int h, int module)
{
    auto* code = new CGraphBarcode;
    code->SetSymbologyByName(symbology);
    code->SetX(x);
    code->SetY(y);
    code->SetWidth(w);
    code->SetHeight(h);
    code->SetContentKind(kKindTable);
    code->SetTableColumn(0, column);
    code->SetHumanReadable(false);
    code->SetModuleWidth(module);
    return code;
}

// The template's label stock: a sheet described as BarcodeSheet is.
template <class Sheet> void SetSheet(CTemplate* tmpl)
{
    tmpl->SetLabelStock(MakeSheet(Sheet::kColumns, Sheet::kRows, Sheet::kWidth, Sheet::kHeight, Sheet::kLeft,
                                  Sheet::kTop, Sheet::kPitchH - Sheet::kWidth, Sheet::kPitchV - Sheet::kHeight));
}

// rows table rows; column c of row r holds formats[c] with r + 1.
inline void FillRows(COstrelindSoftLabelDoc& doc, int rows, const std::vector<const char*>& formats)
{
    CDataTableBase* table = doc.CurrentSlot().Table();
    char text[32];
    for (int r = 0; r < rows; ++r) {
        for (size_t c = 0; c < formats.size(); ++c) {
            std::snprintf(text, sizeof text, formats[c], r + 1);
            table->SetCellText(r, static_cast<int>(c), text);
        }
    }
}

// Three table texts (columns A, B, C), a Code 128 of column D and a QR Code of column E on the
// barcode sheet; rows of "Name %03d", "Part %03d", "Place %03d", "KV-%05d", "QR-%05d".
inline void BuildBarcodeLabels(COstrelindSoftLabelDoc& doc, int rows)
{
    CTemplate* tmpl = doc.GetCurrentTemplate();
    SetSheet<BarcodeSheet>(tmpl);
    CGraphCollection* area = tmpl->GetArea(0);
    area->Append(TableText(0, 3000, 2000, 54000, 5000));
    area->Append(TableText(1, 3000, 7000, 26000, 5000));
    area->Append(TableText(2, 31000, 7000, 26000, 5000));
    area->Append(TableBarcode("Code 128", 3, 3000, 13000, 54000, 16000, 300));
    area->Append(TableBarcode("QR Code\xAE", 4, 3000, 31000, 22000, 22000, 600));
    FillRows(doc, rows, {"Name %03d", "Part %03d", "Place %03d", "KV-%05d", "QR-%05d"});
}

// The job printing speed is judged on: A4 with 3 x 8 labels of 70 x 37 mm, each with three table
// texts, a Code 128 and a QR Code of version 2 (a text of 19 bytes).
struct DenseSheet {
    static const int kColumns = 3, kRows = 8, kWidth = 68000, kHeight = 35000;
    static const int kPitchH = 70000, kPitchV = 37000, kLeft = 1000, kTop = 1500;
};

inline void BuildDenseLabels(COstrelindSoftLabelDoc& doc, int rows)
{
    CTemplate* tmpl = doc.GetCurrentTemplate();
    SetSheet<DenseSheet>(tmpl);
    CGraphCollection* area = tmpl->GetArea(0);
    area->Append(TableText(0, 2000, 1000, 44000, 4500));
    area->Append(TableText(1, 2000, 5500, 44000, 4500));
    area->Append(TableText(2, 2000, 10000, 44000, 4500));
    area->Append(TableBarcode("Code 128", 3, 2000, 16000, 44000, 16000, 250));
    area->Append(TableBarcode("QR Code\xAE", 4, 47000, 2000, 20000, 20000, 500));
    FillRows(doc, rows, {"Name %05d", "Part %05d", "Place %05d", "KV-%05d", "qr-%05d lot 2026-12"});
}

} // namespace printtest
