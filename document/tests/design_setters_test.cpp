// Design commands on the selected objects of each area: every command changes what it should,
// takes exactly one undo step, marks the project modified, refreshes the views, and one Undo gives
// back the area's records byte for byte. Area 3 and a locked template change nothing.
#include "designhelpers.h"

#include "labelmodel/graphimage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

using namespace designtest;

namespace {

using Doc = COstrelindSoftLabelDoc;

struct CommandRow {
    const char* name;
    std::function<bool(Doc&, int)> apply;
    std::function<bool(CGraphCollection*)> check;   // the change is there
};

HGLOBAL GlobalText(const char* text)
{
    const size_t n = strlen(text) + 1;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, n);
    memcpy(::GlobalLock(block), text, n);
    ::GlobalUnlock(block);
    return block;
}

// A packed 2 x 2 bitmap of 24 bits, as CF_DIB carries it.
HGLOBAL GlobalDib()
{
    const size_t bytes = sizeof(BITMAPINFOHEADER) + 2 * 8;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    auto* header = static_cast<BITMAPINFOHEADER*>(::GlobalLock(block));
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = 2;
    header->biHeight = 2;
    header->biPlanes = 1;
    header->biBitCount = 24;
    ::GlobalUnlock(block);
    return block;
}

int Selected(CGraphCollection* c)
{
    return c->GetSelectedCount();
}

// Barcode flags answer from the first selected object: the barcode alone is selected.
bool OnlyBarcodes(Doc& d, int area)
{
    CGraphCollection* c = d.GetCurrentTemplate()->GetArea(area);
    if (c == nullptr)
        return true;
    for (int i = 0; i < c->GetCount(); ++i)
        c->GetAt(i)->SetSelected(c->GetAt(i)->IsBarcode());
    return true;
}


const CommandRow kCommands[] = {
    {"SetSelectionX", [](Doc& d, int a) { return d.SetSelectionX(a, 7000); },
     [](CGraphCollection* c) { return First<CGraphRectRounded>(c)->GetX() == 7000 && First<CGraphTriangleExt>(c)->GetX() == 7000
                                      && First<CGraphTextExt>(c, false)->GetX() != 7000; }},
    {"SetSelectionY", [](Doc& d, int a) { return d.SetSelectionY(a, 1234); },
     [](CGraphCollection* c) { return First<CGraphBarcode>(c)->GetY() == 1234; }},
    {"SetSelectionWidth", [](Doc& d, int a) { return d.SetSelectionWidth(a, 12345); },
     [](CGraphCollection* c) { return First<CGraphTextExt>(c)->GetWidth() == 12345; }},
    {"SetSelectionHeight", [](Doc& d, int a) { return d.SetSelectionHeight(a, 4321); },
     [](CGraphCollection* c) { return First<CGraphRectRounded>(c)->GetHeight() == 4321; }},
    {"SetLineWidth", [](Doc& d, int a) { return d.SetLineWidth(a, 2500); },
     [](CGraphCollection* c) { return First<CGraphRectRounded>(c)->GetLineWidth() == 2500; }},
    {"SetRoundingRadius", [](Doc& d, int a) { return d.SetRoundingRadius(a, 1500); },
     [](CGraphCollection* c) { return First<CGraphRectRounded>(c)->GetCornerRadius() == 1500; }},
    {"SetFontFaceName", [](Doc& d, int a) { return d.SetFontFaceName(a, "Courier New"); },
     [](CGraphCollection* c) { return strcmp(First<CGraphTextExt>(c)->GetFont().lfFaceName, "Courier New") == 0
                                      && strcmp(First<CGraphTextExt>(c, false)->GetFont().lfFaceName, "Times New Roman") == 0; }},
    {"SetFontSize", [](Doc& d, int a) { return d.SetFontSize(a, 20); },
     [](CGraphCollection* c) { return First<CGraphTextExt>(c)->GetFont().lfHeight == -26; }},
    {"ToggleBold", [](Doc& d, int a) { return d.ToggleBold(a); },
     [](CGraphCollection* c) { return First<CGraphTextExt>(c)->IsBold() && !First<CGraphTextExt>(c, false)->IsBold(); }},
    {"ToggleItalic", [](Doc& d, int a) { return d.ToggleItalic(a); },
     [](CGraphCollection* c) { return First<CGraphTextExt>(c)->IsItalic(); }},
    {"ToggleUnderline", [](Doc& d, int a) { return d.ToggleUnderline(a); },
     [](CGraphCollection* c) { return First<CGraphTextExt>(c)->IsUnderline(); }},
    {"SetTextAlignment", [](Doc& d, int a) { return d.SetTextAlignment(a, 3); },
     [](CGraphCollection* c) { return First<CGraphTextExt>(c)->GetAlignment() == 3; }},
    {"ToggleTransparent", [](Doc& d, int a) { return d.ToggleTransparent(a); },
     [](CGraphCollection* c) { return First<CGraphRectRounded>(c)->IsTransparent() == First<CGraphTextExt>(c)->IsTransparent(); }},
    {"SetTextColor", [](Doc& d, int a) { return d.SetTextColor(a, RGB(1, 2, 3)); },
     [](CGraphCollection* c) { return First<CGraphTextExt>(c)->GetTextColour() == RGB(1, 2, 3); }},
    {"SetBorderColor", [](Doc& d, int a) { return d.SetBorderColor(a, RGB(4, 5, 6)); },
     [](CGraphCollection* c) { return First<CGraphRectRounded>(c)->GetLineColour() == RGB(4, 5, 6); }},
    {"SetFillColor", [](Doc& d, int a) { return d.SetFillColor(a, RGB(7, 8, 9)); },
     [](CGraphCollection* c) { return First<CGraphRectRounded>(c)->GetFillColour() == RGB(7, 8, 9); }},
    {"SetDataSource", [](Doc& d, int a) { return d.SetDataSource(a, 2); },
     [](CGraphCollection* c) { return First<CGraphTextExt>(c)->GetSourceKind() == 2; }},
    {"ToggleAutoSizeFont", [](Doc& d, int a) { return d.ToggleAutoSizeFont(a); },
     [](CGraphCollection* c) { return !First<CGraphTextExt>(c)->IsShrinkToFit(); }},
    {"ToggleCenterVertical", [](Doc& d, int a) { return d.ToggleCenterVertical(a); },
     [](CGraphCollection* c) { return !First<CGraphTextExt>(c)->IsCentred(); }},
    {"ToggleWarningSign", [](Doc& d, int a) { return d.ToggleWarningSign(a); },
     [](CGraphCollection* c) { return !First<CGraphTriangleExt>(c)->IsEquilateral(); }},
    {"SetCharacterSet", [](Doc& d, int a) { return d.SetCharacterSet(a, 238); },
     [](CGraphCollection* c) { return First<CGraphTextExt>(c)->GetCharSet() == 238; }},
    {"SetBarcodeSymbology", [](Doc& d, int a) { return d.SetBarcodeSymbology(a, "EAN 13"); },
     [](CGraphCollection* c) { char t[100] = {}; return First<CGraphBarcode>(c)->GetSymbologyName(t, 100) && _stricmp(t, "EAN 13") == 0; }},
    {"SetBarcodeModuleWidth", [](Doc& d, int a) { return d.SetBarcodeModuleWidth(a, 400); },
     [](CGraphCollection* c) { return First<CGraphBarcode>(c)->GetModuleWidth() == 400; }},
    {"SetBarcodeHeight", [](Doc& d, int a) { return d.SetBarcodeHeight(a, 15000); },
     [](CGraphCollection* c) { return First<CGraphBarcode>(c)->GetBarHeight() == 15000; }},
    {"SetBarcodeRatio", [](Doc& d, int a) { return d.SetBarcodeRatio(a, "2:1"); },
     [](CGraphCollection* c) { char t[100] = {}; return c->GetSelectedRatioText(t) && strcmp(t, "2:1") == 0; }},
    {"ToggleShowHumanReadable", [](Doc& d, int a) { return OnlyBarcodes(d, a) && d.ToggleShowHumanReadable(a); },
     [](CGraphCollection* c) { return !First<CGraphBarcode>(c)->GetHumanReadable(); }},
    {"ToggleAddCheckDigit", [](Doc& d, int a) { return d.ToggleAddCheckDigit(a); },
     [](CGraphCollection* c) { return First<CGraphBarcode>(c)->GetCheckDigit(); }},
    {"SetIncrementPrefix", [](Doc& d, int a) { return d.SetIncrementPrefix(a, "P-"); },
     [](CGraphCollection* c) { char t[100] = {}; return c->GetCounterPrefix(t, 100) && strcmp(t, "P-") == 0; }},
    {"SetIncrementSuffix", [](Doc& d, int a) { return d.SetIncrementSuffix(a, "-S"); },
     [](CGraphCollection* c) { char t[100] = {}; return c->GetCounterSuffix(t, 100) && strcmp(t, "-S") == 0; }},
    {"SetIncrementValue", [](Doc& d, int a) { return d.SetIncrementValue(a, "17"); },
     [](CGraphCollection* c) { char t[100] = {}; return c->GetCounterStartText(t, 100) && strcmp(t, "17") == 0; }},
    {"ToggleIncrementLeadingZero", [](Doc& d, int a) { return d.ToggleIncrementLeadingZero(a); },
     [](CGraphCollection* c) { return c->IsCounterZeroPadded(); }},
    {"RotateSelectionLeft", [](Doc& d, int a) { return d.RotateSelectionLeft(a); },
     [](CGraphCollection* c) { return First<CGraphRectRounded>(c)->GetWidth() == 9000; }},
    {"RotateSelectionRight", [](Doc& d, int a) { return d.RotateSelectionRight(a); },
     [](CGraphCollection* c) { return First<CGraphRectRounded>(c)->GetHeight() == 20000; }},
    {"AlignSelectionLeft", [](Doc& d, int a) { return d.AlignSelectionLeft(a); },
     [](CGraphCollection* c) { return First<CGraphTriangleExt>(c)->GetX() == First<CGraphTextExt>(c)->GetX(); }},
    {"AlignSelectionBottom", [](Doc& d, int a) { return d.AlignSelectionBottom(a); },
     [](CGraphCollection* c) { return First<CGraphRectRounded>(c)->GetBottom() == First<CGraphTextExt>(c)->GetBottom(); }},
    {"DistributeSelectionVertically", [](Doc& d, int a) { return d.DistributeSelectionVertically(a); },
     [](CGraphCollection* c) { return First<CGraphRectRounded>(c)->GetY() != 12000 || First<CGraphBarcode>(c)->GetY() != 25000; }},
    {"BringSelectionToFront", [](Doc& d, int a) { return d.BringSelectionToFront(a); },
     [](CGraphCollection* c) { return c->GetAt(c->GetCount() - 1) == First<CGraphTextExt>(c) || c->GetAt(0) != First<CGraphTextExt>(c); }},
    {"DuplicateSelectionBelow", [](Doc& d, int a) { return d.DuplicateSelectionBelow(a); },
     [](CGraphCollection* c) { return c->GetCount() == 11 && Selected(c) == 5; }},
    {"GroupSelection", [](Doc& d, int a) { return d.GroupSelection(a); },
     [](CGraphCollection* c) { return c->GetCount() == 2 && c->GetAt(1)->IsGroup() && c->GetAt(1)->IsSelected(); }},
    {"DeleteSelection", [](Doc& d, int a) { return d.DeleteSelection(a); },
     [](CGraphCollection* c) { return c->GetCount() == 1 && !c->GetAt(0)->IsSelected(); }},
    {"AddObject", [](Doc& d, int a) { return d.AddObject(a, Placed(new CGraphEllipse, 1, 2, 3, 4, false)); },
     [](CGraphCollection* c) { return c->GetCount() == 7 && dynamic_cast<CGraphEllipse*>(c->GetAt(6)) != nullptr; }},
    {"PasteObjects", [](Doc& d, int a) {
         CGraphCollection buffer;
         buffer.Append(Placed(new CGraphEllipse, 1000, 1000, 3000, 3000, false));
         return d.PasteObjects(a, &buffer); },
     [](CGraphCollection* c) { return c->GetCount() == 7 && Selected(c) == 1 && c->GetAt(6)->GetX() == 6000; }},
    {"InsertTextObject", [](Doc& d, int a) {
         HGLOBAL text = GlobalText("Pasted\r\nlines");
         const bool done = d.InsertTextObject(a, text);
         ::GlobalFree(text);
         return done; },
     [](CGraphCollection* c) { CGraphObject* o = c->GetAt(6);
                               return o && o->IsText() && o->GetX() == 5000 && o->GetY() == 5000 && o->IsSelected(); }},
    {"InsertImageObject", [](Doc& d, int a) {
         HGLOBAL dib = GlobalDib();
         const bool done = d.InsertImageObject(a, CF_DIB, dib);
         ::GlobalFree(dib);
         return done; },
     [](CGraphCollection* c) { CGraphObject* o = c->GetAt(6);
                               return o && o->IsImage() && o->GetX() == 5000 && o->GetY() == 5000 && o->IsSelected(); }},
};

class DesignCommands : public ::testing::TestWithParam<CommandRow> {};

std::string RowName(const ::testing::TestParamInfo<CommandRow>& info)
{
    return info.param.name;
}

} // namespace

TEST_P(DesignCommands, ChangesTheSelectionOfEachAreaInOneUndoStep)
{
    const CommandRow& row = GetParam();
    for (int area = 0; area < 3; ++area) {
        SCOPED_TRACE(area);
        auto doc = DesignDoc();
        HintView view;
        doc->AddView(&view);
        CTemplate* t = doc->GetCurrentTemplate();
        Bytes before[3];
        for (int k = 0; k < 3; ++k)
            before[k] = AreaBytes(t->GetArea(k));

        ASSERT_TRUE(row.apply(*doc, area));
        CGraphCollection* objects = t->GetArea(area);
        EXPECT_TRUE(row.check(objects));
        EXPECT_NE(before[area], AreaBytes(objects));
        EXPECT_EQ(1, UndoSteps(t, area));
        EXPECT_TRUE(doc->IsModified());
        EXPECT_TRUE(view.Saw(kHintDesignViews));
        EXPECT_TRUE(view.Saw(kHintLabelPreviews));
        for (int k = 0; k < 3; ++k)
            if (k != area) {
                EXPECT_EQ(before[k], AreaBytes(t->GetArea(k))) << "area " << k;
                EXPECT_EQ(0, UndoSteps(t, k));
            }

        ASSERT_TRUE(doc->Undo(area));
        EXPECT_EQ(before[area], AreaBytes(t->GetArea(area)));
        EXPECT_EQ(0, UndoSteps(t, area));
        ASSERT_TRUE(doc->Redo(area));
        EXPECT_TRUE(row.check(t->GetArea(area)));
        doc->RemoveView(&view);
    }
}

TEST_P(DesignCommands, AreaThreeAndLockedTemplatesChangeNothing)
{
    const CommandRow& row = GetParam();
    auto doc = DesignDoc();
    CTemplate* t = doc->GetCurrentTemplate();
    Bytes before[3];
    for (int k = 0; k < 3; ++k)
        before[k] = AreaBytes(t->GetArea(k));
    EXPECT_FALSE(row.apply(*doc, 3));
    EXPECT_FALSE(row.apply(*doc, -1));

    t->SetLocked(true);
    for (int area = 0; area < 3; ++area)
        EXPECT_FALSE(row.apply(*doc, area)) << area;
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(before[k], AreaBytes(t->GetArea(k)));
        EXPECT_EQ(0, UndoSteps(t, k));
    }
    EXPECT_FALSE(doc->IsModified());
}

INSTANTIATE_TEST_SUITE_P(Rows, DesignCommands, ::testing::ValuesIn(kCommands), RowName);

// ---------------------------------------------------------------------------------------------

TEST(DesignSelectionRules, SetterToAllSelectedGetterFromFirstFlagFromAny)
{
    auto doc = DesignDoc();
    CGraphCollection* area = doc->GetCurrentTemplate()->GetArea(1);
    // The unselected 20-point text joins the selection after the 12-point one.
    First<CGraphTextExt>(area, false)->SetSelected(true);
    EXPECT_EQ(12, doc->GetFontSize(1));
    EXPECT_STREQ("Arial", doc->GetFontFaceName(1));

    ASSERT_TRUE(doc->SetFontSize(1, 9));
    int nines = 0;
    for (int i = 0; i < area->GetCount(); ++i)
        if (auto* text = dynamic_cast<CGraphText*>(area->GetAt(i)))
            nines += text->GetFont().lfHeight == -12;
    EXPECT_EQ(4, nines);           // both plain texts, the counter and the barcode's caption

    // Bold on the last selected text only: the flag answers from any.
    dynamic_cast<CGraphText*>(area->GetAt(5))->SetBold(true);
    EXPECT_TRUE(doc->IsBold(1));
    EXPECT_FALSE(doc->IsBold(0));
    // A flag answers from any: the counter is the fifth selected member.
    EXPECT_TRUE(doc->HasAutoIncrementSelected(1));
    EXPECT_EQ(-1, doc->GetSelectionX(3));
    EXPECT_EQ(1100, doc->GetSelectionX(1));
    doc->DeselectAll(1);
    EXPECT_EQ(-1, doc->GetSelectionX(1));
    EXPECT_FALSE(doc->SetSelectionX(1, 5));
}

TEST(DesignSelectionRules, SameValueTakesNoUndoStep)
{
    auto doc = DesignDoc();
    CTemplate* t = doc->GetCurrentTemplate();
    ASSERT_TRUE(doc->SetIncrementSuffix(0, "kg"));
    doc->SetModifiedFlag(FALSE);
    EXPECT_FALSE(doc->SetIncrementSuffix(0, "kg"));
    t->GetArea(2)->DeselectAll();
    First<CGraphRectRounded>(t->GetArea(2), false)->SetSelected(true);
    EXPECT_FALSE(doc->SetSelectionY(2, doc->GetSelectionY(2)));
    EXPECT_FALSE(doc->SetBarcodeSymbology(0, "code 39"));     // the name without regard to case
    EXPECT_FALSE(doc->SetTextColor(0, First<CGraphTextExt>(t->GetArea(0))->GetTextColour()));
    EXPECT_EQ(1, UndoSteps(t, 0));
    EXPECT_FALSE(doc->IsModified());
}

TEST(DesignSelectionRules, RefusedValues)
{
    auto doc = DesignDoc();
    EXPECT_FALSE(doc->SetSelectionWidth(0, -1));
    EXPECT_FALSE(doc->SetLineWidth(0, -5));
    EXPECT_FALSE(doc->SetRoundingRadius(0, -5));
    EXPECT_FALSE(doc->SetFontSize(0, 0));
    EXPECT_FALSE(doc->SetFontSize(0, 0x7FFFFFFF));
    EXPECT_FALSE(doc->SetTextAlignment(0, 4));
    EXPECT_FALSE(doc->SetDataSource(0, 5));
    EXPECT_FALSE(doc->SetBarcodeModuleWidth(0, 0));
    EXPECT_FALSE(doc->SetCharacterSet(0, 256));
    EXPECT_EQ(0, UndoSteps(doc->GetCurrentTemplate(), 0));
    EXPECT_FALSE(doc->IsModified());
}

TEST(DesignSelectionRules, EnablingTests)
{
    auto doc = DesignDoc();
    EXPECT_TRUE(doc->CanEditSelection(0));
    EXPECT_TRUE(doc->CanAlignSelection(0));
    EXPECT_TRUE(doc->CanDistributeSelection(0));
    EXPECT_FALSE(doc->CanUngroupSelection(0));
    EXPECT_TRUE(doc->CanEditDesign(2));
    EXPECT_FALSE(doc->CanEditDesign(3));
    EXPECT_TRUE(doc->CanSelectAll(1));
    ASSERT_TRUE(doc->GroupSelection(0));
    EXPECT_TRUE(doc->CanUngroupSelection(0));
    ASSERT_TRUE(doc->UngroupSelection(0));
    EXPECT_EQ(6, doc->GetCurrentTemplate()->GetArea(0)->GetCount());
    EXPECT_EQ(2, UndoSteps(doc->GetCurrentTemplate(), 0));
    doc->GetCurrentTemplate()->SetLocked(true);
    EXPECT_FALSE(doc->CanEditSelection(0));
    EXPECT_FALSE(doc->CanEditTemplate());
    EXPECT_FALSE(doc->Undo(0));
    doc->GetCurrentTemplate()->SetLocked(false);
    doc->GetCurrentTemplate()->SetLabelStock(nullptr);
    EXPECT_FALSE(doc->CanEditDesign(0));
}

TEST(DesignSelectionRules, CentringOneObjectUsesTheAreaAndNothingWithoutMove)
{
    auto doc = DesignDoc();
    CGraphCollection* area = doc->GetCurrentTemplate()->GetArea(0);
    area->DeselectAll();
    CGraphObject* rect = First<CGraphRectRounded>(area, false);
    rect->SetSelected(true);
    ASSERT_TRUE(doc->CenterSelectionHorizontally(0));
    EXPECT_EQ(40000, rect->GetX() + rect->GetWidth() / 2);
    EXPECT_EQ(1, UndoSteps(doc->GetCurrentTemplate(), 0));
    doc->SetModifiedFlag(FALSE);
    EXPECT_FALSE(doc->CenterSelectionHorizontally(0));        // already there
    EXPECT_EQ(1, UndoSteps(doc->GetCurrentTemplate(), 0));
    EXPECT_FALSE(doc->IsModified());
    doc->GetCurrentTemplate()->SetLabelStock(nullptr);
    EXPECT_FALSE(doc->CenterSelectionVertically(0));
}

TEST(DesignSelectionRules, CopyAndFirstUnusedColumn)
{
    auto doc = DesignDoc();
    CGraphCollection buffer;
    EXPECT_TRUE(doc->CopySelection(2, &buffer));
    EXPECT_EQ(5, buffer.GetCount());
    EXPECT_FALSE(doc->CopySelection(3, &buffer));
    EXPECT_EQ(0, UndoSteps(doc->GetCurrentTemplate(), 2));
    EXPECT_EQ(-1, doc->GetFirstUnusedColumn(3));
    const int column = doc->GetFirstUnusedColumn(0);
    EXPECT_GE(column, 0);
    EXPECT_LE(column, 25);
}
