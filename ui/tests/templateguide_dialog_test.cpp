// The template guide on a 50 x 30 mm label: golden layouts of the objects it builds, real clicks
// in its grid, the delimiter edit, the refused editor and the single undo step.
#include "ui/templateguidedlg.h"

#include "document/labeldoc.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/graphimage.h"
#include "labelmodel/graphshapes.h"
#include "labelmodel/graphtext.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/template.h"
#include "testsupport/dialogdriver.h"
#include "testsupport/testcmdui.h"
#include "ui/commandids.h"
#include "ui/labeldialogids.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct Box {
    int x, y, width, height;
    bool operator==(const Box& o) const { return x == o.x && y == o.y && width == o.width && height == o.height; }
};
std::ostream& operator<<(std::ostream& out, const Box& b)
{
    return out << "(" << b.x << ", " << b.y << ", " << b.width << ", " << b.height << ")";
}

Box BoxOf(CGraphObject* o) { return {o->GetX(), o->GetY(), o->GetWidth(), o->GetHeight()}; }

// A new project whose current template has a 50 x 30 mm label, and the guide over it (modeless).
class Guide {
public:
    Guide(bool open = true)
    {
        doc.OnNewDocument();
        auto* stock = new CLabelFileNew;
        stock->SetWidth(0, 50000, false);
        stock->SetHeight(0, 30000);
        doc.GetCurrentTemplate()->SetLabelStock(stock);
        if (open)
            Open();
    }
    ~Guide()
    {
        if (dialog.m_hWnd != nullptr)
            dialog.DestroyWindow();
    }
    bool Open()
    {
        dialog.m_pDoc = &doc;
        dialog.m_nArea = 0;
        return dialog.Create(IDD_TEMPLATE_GUIDE, nullptr) != FALSE;
    }
    CGraphCollection* Area() const { return doc.GetCurrentTemplate()->GetArea(0); }
    void Check(int id)
    {
        ::CheckDlgButton(dialog.m_hWnd, id, BST_CHECKED);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog.m_hWnd, id)));
    }
    // A real click: button down and up in the middle of the cell.
    void Click(int row, int column)
    {
        CRect cell;
        ASSERT_TRUE(dialog.m_grid.GetCellRect(row, column, &cell));
        const LPARAM at = MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
        dialog.m_grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        dialog.m_grid.SendMessage(WM_LBUTTONUP, 0, at);
    }
    LRESULT Notify(int code, int row, int column, const char* text = "")
    {
        GRID_DISPINFO info = {};
        info.hdr.hwndFrom = dialog.m_grid.m_hWnd;
        info.hdr.idFrom = IDC_GUIDE_GRID;
        info.hdr.code = static_cast<UINT>(code);
        info.row = row;
        info.col = column;
        info.strText = text;
        if (code == GRIDN_BEGINEDIT) {
            GRID_NOTIFY nm = {};
            nm.hdr = info.hdr;
            nm.iRow = row;
            nm.iColumn = column;
            return dialog.SendMessage(WM_NOTIFY, IDC_GUIDE_GRID, reinterpret_cast<LPARAM>(&nm));
        }
        return dialog.SendMessage(WM_NOTIFY, IDC_GUIDE_GRID, reinterpret_cast<LPARAM>(&info));
    }
    std::string Columns(int index)
    {
        char name[16] = {};
        Area()->GetAt(index)->GetColumnName(name, sizeof name);
        return name;
    }

    COstrelindSoftLabelDoc doc;
    CTemplateGuideDlg dialog;
};

} // namespace

TEST(TemplateGuide, FrameImageAndTwoRowsGiveTheGoldenLayout)
{
    Guide guide(false);
    guide.doc.AddGuideRowColumn(0, 0);
    guide.doc.AddGuideRowColumn(1, 1);
    ASSERT_TRUE(guide.Open());
    guide.Check(IDC_GUIDE_FRAME);
    guide.Check(IDC_GUIDE_IMAGE);

    CGraphCollection* area = guide.Area();
    ASSERT_EQ(4, area->GetCount());
    ASSERT_NE(nullptr, dynamic_cast<CGraphRectRounded*>(area->GetAt(0)));
    EXPECT_EQ((Box{1500, 1500, 47000, 27000}), BoxOf(area->GetAt(0)));
    ASSERT_NE(nullptr, dynamic_cast<CGraphImageExtExt*>(area->GetAt(1)));
    EXPECT_EQ((Box{3000, 3000, 22000, 12000}), BoxOf(area->GetAt(1)));
    ASSERT_NE(nullptr, dynamic_cast<CGraphTextExt*>(area->GetAt(2)));
    EXPECT_EQ((Box{3000, 18000, 44000, 4500}), BoxOf(area->GetAt(2)));
    EXPECT_EQ((Box{3000, 22500, 44000, 4500}), BoxOf(area->GetAt(3)));
    EXPECT_EQ("A", guide.Columns(2));
    EXPECT_EQ("B", guide.Columns(3));
    EXPECT_EQ(kKindTable, area->GetAt(2)->GetSourceKind());
    LOGFONTA font = {};
    ASSERT_TRUE(area->GetAt(2)->GetLogFont(&font));
    EXPECT_STREQ(guide.doc.GetDefaultFont().lfFaceName, font.lfFaceName);
    EXPECT_TRUE(guide.doc.IsModified());
}

TEST(TemplateGuide, WithoutRowsTheImageTakesTheInnerArea)
{
    Guide guide;
    guide.Check(IDC_GUIDE_FRAME);
    guide.Check(IDC_GUIDE_IMAGE);
    ASSERT_EQ(2, guide.Area()->GetCount());
    EXPECT_EQ((Box{3000, 3000, 44000, 24000}), BoxOf(guide.Area()->GetAt(1)));
}

TEST(TemplateGuide, OneRowAloneFillsTheLabelWithinTheNarrowMargin)
{
    Guide guide(false);
    guide.doc.AddGuideRowColumn(0, 2);
    ASSERT_TRUE(guide.Open());
    ASSERT_EQ(1, guide.Area()->GetCount());
    EXPECT_EQ((Box{1500, 1500, 47000, 27000}), BoxOf(guide.Area()->GetAt(0)));
    EXPECT_EQ("C", guide.Columns(0));
}

TEST(TemplateGuide, RealClicksOnABCDOfRowOneKeepTheNewestThreeInTheirOrder)
{
    Guide guide;
    guide.dialog.ShowWindow(SW_SHOWNOACTIVATE);
    for (int column = 2; column <= 5; ++column)
        guide.Click(1, column);
    ASSERT_EQ(1, guide.Area()->GetCount());
    EXPECT_EQ("BCD", guide.Columns(0));
    EXPECT_EQ("", guide.dialog.GetCellText(1, 2));
    EXPECT_EQ("x", guide.dialog.GetCellText(1, 3));
    EXPECT_EQ("x", guide.dialog.GetCellText(1, 5));
    EXPECT_EQ("C", guide.dialog.GetCellText(0, 4));
    EXPECT_EQ("Text row", guide.dialog.GetCellText(0, 0));
    EXPECT_EQ("Delimiter", guide.dialog.GetCellText(0, 1));
    EXPECT_EQ("1", guide.dialog.GetCellText(1, 0));

    // A second click removes the column; clicks outside the table columns change nothing.
    guide.Click(1, 3);
    EXPECT_EQ("CD", guide.Columns(0));
    guide.Click(1, 0);
    guide.Click(0, 4);
    EXPECT_EQ("CD", guide.Columns(0));
    EXPECT_EQ(1, guide.Area()->GetCount());
}

TEST(TemplateGuide, RowTenGetsItsTextAndTheDelimiterIsKeptToTenCharacters)
{
    Guide guide;
    guide.Click(10, 27);
    ASSERT_EQ(1, guide.Area()->GetCount());
    EXPECT_EQ("Z", guide.Columns(0));

    EXPECT_EQ(0, guide.Notify(GRIDN_BEGINEDIT, 10, 1));
    EXPECT_EQ(-1, guide.Notify(GRIDN_BEGINEDIT, 10, 2));
    EXPECT_EQ(-1, guide.Notify(GRIDN_BEGINEDIT, 10, 0));
    guide.Notify(GRIDN_ENDEDIT, 10, 1, "0123456789AB");
    EXPECT_EQ("0123456789", guide.doc.GetGuideRowCaption(9, 0));
    const CTemplateColumnMap* map = guide.doc.GetCurrentTemplate()->GetColumnMap(0);
    EXPECT_EQ('\0', map->separators[9][10]);
    EXPECT_EQ("0123456789", guide.dialog.GetCellText(10, 1));
    char separator[32] = {};
    guide.Area()->GetAt(0)->GetSeparatorName(separator, sizeof separator);
    EXPECT_STREQ("0123456789", separator);
}

TEST(TemplateGuide, TypingInATableColumnOpensNoEditor)
{
    Guide guide;
    guide.dialog.ShowWindow(SW_SHOWNOACTIVATE);
    guide.dialog.m_grid.SetFocusCell(1, 2);
    guide.dialog.m_grid.SendMessage(WM_CHAR, 'a', 0);
    EXPECT_EQ(nullptr, ::GetWindow(guide.dialog.m_grid.m_hWnd, GW_CHILD));
    EXPECT_EQ("", guide.dialog.GetCellText(1, 2));
}

TEST(TemplateGuide, OneUndoRestoresTheAreaAsItWasBeforeTheGuide)
{
    Guide guide(false);
    auto* before = new CGraphRectRounded;
    before->SetX(777);
    before->SetWidth(1000);
    before->SetHeight(1000);
    CTemplate* current = guide.doc.GetCurrentTemplate();
    current->GetArea(0)->Append(before);
    current->PushUndo(0, true);
    ASSERT_TRUE(current->PushRedo(0));
    ASSERT_TRUE(current->CanRedo(0));
    ASSERT_TRUE(guide.Open());
    EXPECT_FALSE(current->CanRedo(0));
    ASSERT_NE(nullptr, current->GetUndoSnapshot(0, 0));
    EXPECT_EQ(1, current->GetUndoSnapshot(0, 0)->GetCount());
    guide.Check(IDC_GUIDE_FRAME);
    guide.Click(1, 2);
    guide.Click(2, 3);
    guide.Check(IDC_GUIDE_IMAGE);
    EXPECT_EQ(4, guide.Area()->GetCount());
    guide.dialog.DestroyWindow();

    ASSERT_TRUE(guide.doc.Undo(0));
    ASSERT_EQ(1, guide.Area()->GetCount());
    EXPECT_EQ(777, guide.Area()->GetAt(0)->GetX());
}

TEST(TemplateGuide, TheDocumentCommandOpensTheGuideOnlyOverTheLabelArea)
{
    static int opened = -1;
    static int area = 0;
    COstrelindSoftLabelDoc::LabelDialogRunners runners;
    runners.templateGuide = [](COstrelindSoftLabelDoc*, int a) { opened = a; };
    runners.firstDesignArea = [](const COstrelindSoftLabelDoc*) { return area; };
    const auto previous = COstrelindSoftLabelDoc::SetLabelDialogRunners(runners);
    Guide guide(false);
    CTestCmdUI update(ID_TEMPLATE_GUIDE);

    area = 1;
    guide.doc.OnUpdateTemplateGuide(&update);
    EXPECT_FALSE(update.m_bEnabled);
    guide.doc.OnTemplateGuide();
    EXPECT_EQ(-1, opened);

    area = 0;
    guide.doc.OnUpdateTemplateGuide(&update);
    EXPECT_TRUE(update.m_bEnabled);
    guide.doc.OnTemplateGuide();
    EXPECT_EQ(0, opened);

    guide.doc.GetCurrentTemplate()->SetLocked(true);
    guide.doc.OnUpdateTemplateGuide(&update);
    EXPECT_FALSE(update.m_bEnabled);
    COstrelindSoftLabelDoc::SetLabelDialogRunners(previous);
}

TEST(TemplateGuide, RunsModallyThroughTheDialogDriver)
{
    Guide guide(false);
    guide.doc.AddGuideRowColumn(0, 0);
    ScopedDialogDriver driver({[](CWnd* d) {
        auto& dialog = dynamic_cast<CTemplateGuideDlg&>(*d);
        dialog.ToggleCell(2, 3);
        ScopedDialogDriver::Send(d, IDOK);
    }});
    RunTemplateGuideDialog(&guide.doc, 0);
    ASSERT_EQ(1u, driver.Seen().size());
    EXPECT_EQ("Template guide", driver.Captions().at(0));
    EXPECT_EQ(2, guide.Area()->GetCount());
}
