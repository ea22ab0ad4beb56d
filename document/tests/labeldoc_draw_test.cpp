// Area drawing and the checks before printing: what DrawArea hands to the objects, the label
// definition behind the canvas, the design extent, objects outside the label, and the order of
// the print refusals.
#include "projecthelpers.h"
#include "testsupport/dibcanvas.h"
#include "testsupport/msgboxrecorder.h"

#include <gtest/gtest.h>

using namespace doctest;

namespace {

RecordingObject* AddRecorder(COstrelindSoftLabelDoc& doc, int area, int x, int y, int right, int bottom)
{
    auto* object = new RecordingObject(x, y, right, bottom);
    doc.GetCurrentTemplate()->GetArea(area)->Append(object);
    return object;
}

} // namespace

TEST(LabelDocDraw, AreasReadTheFilteredTableWhileTheFilterIsOn)
{
    auto doc = NewDoc();
    RecordingObject* object = AddRecorder(*doc, 0, 0, 0, 0, 0);
    TableSlot& slot = doc->CurrentSlot();
    FillTable(slot.Table(), 4, 2);
    DibCanvas canvas(50, 50);

    EXPECT_TRUE(doc->DrawArea(0, &canvas.dc(), 100, 0, 0, true, 3, 1, 300, 300, false));
    EXPECT_EQ(object->lastTable, slot.Table());
    EXPECT_EQ(object->lastMap, &slot.ColumnMap());
    EXPECT_EQ(object->lastRow, 3);
    EXPECT_EQ(object->lastMode, 1);
    EXPECT_TRUE(object->lastFrame);

    slot.CreateFilter();
    slot.ToggleFilter();
    doc->GetCurrentTemplate()->SetFieldContours(false);
    EXPECT_TRUE(doc->DrawArea(0, &canvas.dc(), 100, 0, 0, true, 1, 4, 600, 600, false));
    EXPECT_EQ(object->lastTable, slot.Filtered());
    EXPECT_FALSE(object->lastFrame);

    object->lastRow = -1;
    EXPECT_TRUE(doc->DrawArea(3, &canvas.dc(), 100, 0, 0, false, 9, 4, 600, 600, false));
    EXPECT_EQ(object->lastRow, -1);
}

TEST(LabelDocDraw, WithoutADefinitionTheCanvasAsksForOne)
{
    auto doc = NewDoc();
    DibCanvas canvas(700, 200);
    doc->DrawLabelDefinition(&canvas.dc(), 0, 100);
    const CRect drawn = canvas.Extent();
    ASSERT_FALSE(drawn.IsRectEmpty());
    EXPECT_GE(drawn.left, 20);
    EXPECT_GE(drawn.top, 20);
    EXPECT_LE(drawn.right, 600);
    EXPECT_LE(drawn.bottom, 100);
    // Transparent text, and the device context's state is given back.
    EXPECT_EQ(canvas.dc().SetBkMode(OPAQUE), OPAQUE);

    DibCanvas withLabel(700, 700);
    doc->GetCurrentTemplate()->SetLabelStock(MakeStock(40000, 20000));
    doc->DrawLabelDefinition(&withLabel.dc(), 0, 100);
    EXPECT_FALSE(withLabel.Extent().IsRectEmpty());
}

TEST(LabelDocDraw, DesignExtentIsAQuarterMoreThanLabelOrObjects)
{
    auto doc = NewDoc();
    EXPECT_EQ(doc->GetDesignWidth(0), 210000);
    EXPECT_EQ(doc->GetDesignHeight(0), 297000);
    doc->GetCurrentTemplate()->SetLabelStock(MakeStock(100000, 40000));
    EXPECT_EQ(doc->GetDesignWidth(0), 125000);
    EXPECT_EQ(doc->GetDesignHeight(0), 50000);
    AddRecorder(*doc, 0, 0, 0, 120001, 10000);
    EXPECT_EQ(doc->GetDesignWidth(0), 150001);
    EXPECT_EQ(doc->GetDesignHeight(0), 50000);
    EXPECT_EQ(doc->GetDesignWidth(3), 210000);
    EXPECT_EQ(doc->GetDesignHeight(-1), 297000);
}

TEST(LabelDocDraw, AnObjectOnTheEdgeIsInsideOneMicrometreMoreIsOutside)
{
    auto doc = NewDoc();
    doc->GetCurrentTemplate()->SetLabelStock(MakeStock(100000, 50000));
    RecordingObject* object = AddRecorder(*doc, 0, 0, 0, 100000, 50000);
    EXPECT_FALSE(doc->HasObjectsOutsideLabel());
    object->right = 100001;
    EXPECT_TRUE(doc->HasObjectsOutsideLabel());
    object->right = 100000;
    object->bottom = 50001;
    EXPECT_TRUE(doc->HasObjectsOutsideLabel());
    object->bottom = 50000;
    object->SetX(-1);
    EXPECT_TRUE(doc->HasObjectsOutsideLabel());
    object->SetX(0);
    // The page header of this stock is switched off and has no size: anything in it is outside.
    AddRecorder(*doc, 1, 0, 0, 10, 10);
    EXPECT_TRUE(doc->HasObjectsOutsideLabel());
}

TEST(LabelDocDraw, PrintChecksComeInTheirOrder)
{
    MessageBoxRecorder boxes;
    auto doc = NewDoc();
    RecordingObject* object = AddRecorder(*doc, 0, -5, 0, 200000, 10);
    object->usesColumn = true;
    object->counter = true;

    auto refusal = [&]() -> CString {
        boxes.Clear();
        if (doc->CheckBeforePrint(nullptr))
            return "";
        EXPECT_EQ(boxes.Count(), 1u);
        EXPECT_EQ(boxes.Last().Icon(), static_cast<UINT>(MB_ICONERROR));
        return boxes.Count() ? boxes.Last().text : CString("?");
    };
    EXPECT_EQ(refusal(), "The template does not contain a label definition.");
    doc->GetCurrentTemplate()->SetLabelStock(MakeStock(100000, 50000));
    EXPECT_EQ(refusal(), "The template contains object(s) with table data source but the table is empty");
    // A filter counts as data even over an empty table.
    doc->CurrentSlot().CreateFilter();
    EXPECT_EQ(refusal(), "The project contains auto incrementing objects and must be saved before printing.");
    doc->SetPathName("C:\\projects\\cables.proj", FALSE);
    EXPECT_EQ(refusal(), "The template contains objects not located within the label area.");
    object->SetX(0);
    object->right = 100000;
    EXPECT_EQ(refusal(), "");
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST(LabelDocDraw, HandlesOnlyForSelectedObjects)
{
    auto doc = NewDoc();
    CGraphRect* rect = Box(new CGraphRect, 2540, 2540, 5080, 5080);
    doc->GetCurrentTemplate()->GetArea(0)->Append(rect);
    DibCanvas canvas(200, 200);
    rect->PrepareForDevice(&canvas.dc(), 100, 0, 0);
    doc->DrawSelectionHandles(0, &canvas.dc());
    EXPECT_TRUE(canvas.Extent().IsRectEmpty());
    rect->SetSelected(true);
    doc->DrawSelectionHandles(0, &canvas.dc());
    EXPECT_FALSE(canvas.Extent().IsRectEmpty());
    doc->DrawSelectionHandles(7, &canvas.dc());
}
