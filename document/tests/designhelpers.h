#pragma once
// Test helpers of the design commands: a document whose three areas hold the same mix of
// objects (most of them selected), the area's record bytes, and a view that logs the hints.
#include "document/labeldoc.h"
#include "framework/file.h"
#include "framework/view.h"
#include "labelmodel/graphbarcode.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/graphshapes.h"
#include "labelmodel/graphtext.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/template.h"

#include <memory>
#include <vector>

namespace designtest {

using Bytes = std::vector<BYTE>;

inline Bytes AreaBytes(CGraphCollection* area)
{
    CMemFile file;
    area->Save(&file);
    Bytes bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

template <class T> T* Placed(T* object, int x, int y, int w, int h, bool selected)
{
    object->SetX(x);
    object->SetY(y);
    object->SetWidth(w);
    object->SetHeight(h);
    object->SetSelected(selected);
    return object;
}

inline LOGFONTA Font(const char* face, int height)
{
    LOGFONTA font = {};
    font.lfHeight = height;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
    return font;
}

// Head to tail: a text (12 pt), a rounded rectangle, a Code 39 barcode, a warning sign, a
// counter text (all selected) and an unselected text, shifted by seed.
inline void Populate(CGraphCollection* area, int seed)
{
    auto* text = Placed(new CGraphTextExt, 1000 + seed, 2000, 30000, 8000, true);
    text->SetFixedText("Alpha");
    const LOGFONTA twelve = Font("Arial", -16);
    text->SetLogFont(&twelve);
    area->Append(text);
    area->Append(Placed(new CGraphRectRounded, 4000 + seed, 12000, 20000, 9000, true));
    auto* barcode = new CGraphBarcode;
    barcode->SetSymbologyByName("Code 39");
    area->Append(Placed(barcode, 3000 + seed, 25000, 40000, 15000, true));
    area->Append(Placed(new CGraphTriangleExt, 9000 + seed, 45000, 10000, 9000, true));
    auto* counter = Placed(new CGraphTextExt, 2000 + seed, 60000, 20000, 6000, true);
    counter->SetSourceKind(4);
    area->Append(counter);
    auto* idle = Placed(new CGraphTextExt, 500 + seed, 70000, 15000, 5000, false);
    idle->SetFixedText("Idle");
    const LOGFONTA twenty = Font("Times New Roman", -27);
    idle->SetLogFont(&twenty);
    area->Append(idle);
}

inline std::unique_ptr<COstrelindSoftLabelDoc> DesignDoc()
{
    auto doc = std::make_unique<COstrelindSoftLabelDoc>();
    doc->m_bAutoDelete = FALSE;
    doc->OnNewDocument();
    CTemplate* t = doc->GetCurrentTemplate();
    auto* stock = new CLabelFileNew;
    stock->SetWidth(0, 80000, false);
    stock->SetHeight(0, 90000);
    stock->SetTop(0, 2000);
    stock->SetModified(false);
    t->SetLabelStock(stock);
    for (int area = 0; area < 3; ++area)
        Populate(t->GetArea(area), area * 100);
    doc->SetModifiedFlag(FALSE);
    return doc;
}

// First member (selected or not, as asked) of class T.
template <class T> T* First(CGraphCollection* area, bool selected = true)
{
    for (int i = 0; i < area->GetCount(); ++i)
        if (auto* o = dynamic_cast<T*>(area->GetAt(i)))
            if (o->IsSelected() == selected)
                return o;
    return nullptr;
}

// Snapshots on the area's undo stack.
inline int UndoSteps(const CTemplate* t, int area)
{
    int steps = 0;
    while (t->GetUndoSnapshot(area, steps) != nullptr)
        ++steps;
    return steps;
}

class HintView : public CView {
public:
    std::vector<LPARAM> hints;
    void OnUpdate(CView*, LPARAM hint, CObject*) override { hints.push_back(hint); }
    bool Saw(LPARAM hint) const
    {
        for (LPARAM h : hints)
            if (h == hint)
                return true;
        return false;
    }
};

} // namespace designtest
