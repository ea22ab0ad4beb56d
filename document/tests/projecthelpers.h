#pragma once
// Test helpers of the project document: templates with mixed objects, a filled project, files as
// bytes, and a recording object that shows what the document passes to drawing.
#include "document/labeldoc.h"
#include "framework/file.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/graphshapes.h"
#include "labelmodel/graphtext.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/template.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace doctest {

using Bytes = std::vector<uint8_t>;

// A new project, as File New makes it, owned by the test.
inline std::unique_ptr<COstrelindSoftLabelDoc> NewDoc()
{
    auto doc = std::make_unique<COstrelindSoftLabelDoc>();
    doc->m_bAutoDelete = FALSE;
    doc->OnNewDocument();
    return doc;
}

inline CGraphRect* Box(CGraphRect* r, int x, int y, int w, int h)
{
    r->SetX(x);
    r->SetY(y);
    r->SetWidth(w);
    r->SetHeight(h);
    return r;
}

// count objects of every kind in turn: rectangle, ellipse, rounded rectangle, line, text, group.
inline void AddMixedObjects(CGraphCollection* area, int count, int seed)
{
    for (int i = 0; i < count; ++i) {
        const int x = 1000 * ((i + seed) % 50), y = 700 * ((i * 3 + seed) % 40);
        switch (i % 6) {
        case 0: area->Append(Box(new CGraphRect, x, y, 5000, 3000)); break;
        case 1: area->Append(Box(new CGraphEllipse, x, y, 4000, 4000)); break;
        case 2: {
            auto* r = new CGraphRectRounded;
            r->SetCornerRadius(500 + i);
            area->Append(Box(r, x, y, 6000, 2000));
            break;
        }
        case 3: area->Append(new CGraphLine(x, y, x + 9000, y + 1000)); break;
        case 4: {
            auto* t = new CGraphText;
            Box(t, x, y, 20000, 5000);
            t->SetFixedText(CString("Text ") + CString(std::to_string(seed * 100 + i).c_str()));
            area->Append(t);
            break;
        }
        default: {
            auto* g = new CGraphGroup;
            g->Append(Box(new CGraphRect, x, y, 1000, 1000));
            g->Append(new CGraphLine(x, y, x + 1000, y + 1000));
            area->Append(g);
            break;
        }
        }
    }
}

inline CLabelFileNew* MakeStock(int width, int height, const char* family = "Family")
{
    auto* stock = new CLabelFileNew;
    stock->SetWidth(0, width, false);
    stock->SetHeight(0, height);
    stock->SetFamilyName(family);
    return stock;
}

// A table of rows x columns texts "r<row>c<column>" (prefix first).
inline void FillTable(CDataTableBase* table, int rows, int columns, const char* prefix = "")
{
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            table->SetCellText(r, c, (std::string(prefix) + "r" + std::to_string(r) + "c" + std::to_string(c)).c_str());
}

// Five templates (objects in every area, own stocks and settings) and four tables, one of them
// with a filter that is on, one with image columns, relabelled names.
inline void BuildProject(COstrelindSoftLabelDoc& doc)
{
    doc.OnNewTemplate();
    doc.OnNewTemplate();
    for (int k = 0; k < doc.GetTemplateCount(); ++k) {
        CTemplate* t = doc.GetTemplate(k);
        AddMixedObjects(t->GetArea(0), 8 + k, k);
        AddMixedObjects(t->GetArea(1), 2, k + 10);
        AddMixedObjects(t->GetArea(2), 1, k + 20);
        t->SetLabelStock(MakeStock(50000 + 1000 * k, 30000 + 500 * k));
        t->SetCopies(k + 1);
        t->SetZoom(0, 100 + 25 * k);
        t->SetPrinter(k % 2 ? "Printer" : "", "", "");
    }
    doc.SetTemplateName(2, "Relabelled \xE5");
    doc.OnNewTable();
    for (int j = 0; j < doc.GetTableCount(); ++j)
        FillTable(doc.GetTableSlot(j).Table(), 5 + j * 3, 4 + j, j % 2 ? "x" : "");
    doc.GetTableSlot(1).Table()->SetImageColumn(2, true);
    TableSlot& filtered = doc.GetTableSlot(2);
    filtered.CreateFilter();
    filtered.Filter()->SetIncludeString(0, "r1");
    filtered.ToggleFilterFlag(5, 0);
    filtered.ToggleFilter();
    doc.SetTableName(3, "Parts");
}

inline Bytes FileBytes(const char* path)
{
    Bytes bytes;
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::typeBinary))
        return bytes;
    bytes.resize(static_cast<size_t>(file.GetLength()));
    if (!bytes.empty())
        bytes.resize(file.Read(bytes.data(), static_cast<UINT>(bytes.size())));
    return bytes;
}

inline bool WriteBytes(const char* path, const Bytes& bytes, size_t count)
{
    CFile file;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary))
        return false;
    return file.Write(bytes.data(), static_cast<UINT>(count)) && file.Close();
}

// A label object that remembers what it was drawn with; optionally names a column or counts.
class RecordingObject : public CGraphObject {
public:
    CDataTableBase* lastTable = nullptr;
    CDataTableMap* lastMap = nullptr;
    int lastRow = -1;
    int lastMode = -1;
    bool lastFrame = false;
    bool usesColumn = false;
    bool counter = false;
    int right = 0, bottom = 0;

    RecordingObject(int x = 0, int y = 0, int r = 0, int b = 0) : right(r), bottom(b) { m_x = x; m_y = y; }
    bool Draw(CDC*, int, int, int, bool designFrame, int row, int flags, int, int, CDataTableBase* table,
              CDataTableMap* columnMap, bool) override
    {
        lastTable = table;
        lastMap = columnMap;
        lastRow = row;
        lastMode = flags;
        lastFrame = designFrame;
        return true;
    }
    CGraphObject* Clone() override { return new RecordingObject(*this); }
    int GetTypeCode() override { return 151; }
    int GetRight() override { return right; }
    int GetBottom() override { return bottom; }
    bool GetColumnName(char* out, int size) override
    {
        if (!usesColumn)
            return false;
        lstrcpynA(out, "A", size);
        return true;
    }
    bool IsCounter() override { return counter; }
};

} // namespace doctest
