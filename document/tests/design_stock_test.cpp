// Design commands on the label definition, locking and the template guide: every change of the
// definition marks the project modified and refreshes the views; counts, sizes and guide
// positions outside their range are refused.
#include "designhelpers.h"

#include "testsupport/localeguard.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cstring>
#include <functional>
#include <string>

using namespace designtest;

namespace {

using Doc = COstrelindSoftLabelDoc;

struct StockRow {
    const char* name;
    std::function<bool(Doc&)> apply;
    std::function<bool(CLabelFileNew&)> check;
};

const StockRow kStockRows[] = {
    {"SetPaperWidth", [](Doc& d) { return d.SetPaperWidth(150049); }, [](CLabelFileNew& s) { return s.GetPaperWidthTenths() == 1500; }},
    {"SetPaperHeight", [](Doc& d) { return d.SetPaperHeight(99950); }, [](CLabelFileNew& s) { return s.GetPaperHeightTenths() == 1000; }},
    {"SetPaperSize", [](Doc& d) { return d.SetPaperSize("A5"); }, [](CLabelFileNew& s) { return s.GetPaperCode() == DMPAPER_A5; }},
    {"SetOrientation", [](Doc& d) { return d.SetOrientation(2); }, [](CLabelFileNew& s) { return s.GetOrientation() == 2; }},
    {"SetAreaLeft", [](Doc& d) { return d.SetAreaLeft(0, 3000); }, [](CLabelFileNew& s) { return s.GetLeft(0) == 3000; }},
    {"SetAreaTopHeader", [](Doc& d) { return d.SetAreaTop(1, 4000); }, [](CLabelFileNew& s) { return s.GetTop(1) == 4000 && s.GetTop(0) == 2000; }},
    {"SetAreaWidth", [](Doc& d) { return d.SetAreaWidth(40000, 0); }, [](CLabelFileNew& s) { return s.GetWidth(0) == 40000; }},
    {"SetAreaHeightFooter", [](Doc& d) { return d.SetAreaHeight(7000, 2); }, [](CLabelFileNew& s) { return s.GetHeight(2) == 7000 && s.IsFooterEnabled(); }},
    {"SetHorizontalPitch", [](Doc& d) { return d.SetHorizontalPitch(85000); }, [](CLabelFileNew& s) { return s.GetPitchH() == 85000 && s.IsModified(); }},
    {"SetVerticalPitch", [](Doc& d) { return d.SetVerticalPitch(95000); }, [](CLabelFileNew& s) { return s.GetPitchV() == 95000 && s.IsModified(); }},
    {"SetRowCountText", [](Doc& d) { return d.SetRowCountText("4"); }, [](CLabelFileNew& s) { return s.GetRows() == 4 && s.IsModified(); }},
    {"SetColumnCountText", [](Doc& d) { return d.SetColumnCountText(" 3 labels"); }, [](CLabelFileNew& s) { return s.GetColumns() == 3; }},
    {"SetBlockCountText", [](Doc& d) { return d.SetBlockCountText("2"); }, [](CLabelFileNew& s) { return s.GetVerticalBlocks() == 2; }},
    // Shown as gap plus top margin: 12 mm with a top margin of 2 mm keeps a gap of 10 mm.
    {"SetBlockSpace", [](Doc& d) { return d.SetBlockSpace(12000); }, [](CLabelFileNew& s) { return s.GetBlockGap() == 10000 && s.IsModified(); }},
    {"SetLabelShape", [](Doc& d) { return d.SetLabelShape(1, 0); }, [](CLabelFileNew& s) { return s.GetShape(0) == 1; }},
    {"SetCornerRadius", [](Doc& d) { return d.SetCornerRadius(2000, 0); }, [](CLabelFileNew& s) { return s.GetCornerRadius() == 2000; }},
    {"ToggleMarkingType", [](Doc& d) { return d.ToggleMarkingType(kMarkCable); }, [](CLabelFileNew& s) { return (s.GetMarkingTypes() & kMarkCable) == 0; }},
    {"TogglePrinterType", [](Doc& d) { return d.TogglePrinterType(kPrinterThermo); }, [](CLabelFileNew& s) { return (s.GetPrinterTypes() & kPrinterThermo) == 0; }},
    {"NewLabelDefinition", [](Doc& d) { return d.NewLabelDefinition(); }, [](CLabelFileNew& s) { return s.GetPaperWidthTenths() == 2100; }},
    {"ReplaceLabelDefinition", [](Doc& d) {
         CLabelFileNew other;
         other.SetFamilyName("Other");
         return d.ReplaceLabelDefinition(&other); },
     [](CLabelFileNew& s) { return strcmp(s.GetFamilyName(), "Other") == 0; }},
};

class DesignStock : public ::testing::TestWithParam<StockRow> {};

std::string RowName(const ::testing::TestParamInfo<StockRow>& info)
{
    return info.param.name;
}

CLabelFileNew* Stock(Doc& doc)
{
    return dynamic_cast<CLabelFileNew*>(doc.GetCurrentTemplate()->GetLabelStock());
}

} // namespace

TEST_P(DesignStock, ChangesTheDefinitionMarksModifiedAndRefreshes)
{
    const StockRow& row = GetParam();
    auto doc = DesignDoc();
    HintView view;
    doc->AddView(&view);
    ASSERT_TRUE(row.apply(*doc));
    ASSERT_NE(nullptr, Stock(*doc));
    EXPECT_TRUE(row.check(*Stock(*doc)));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(view.Saw(kHintDesignViews));
    EXPECT_TRUE(view.Saw(kHintLabelPreviews));
    for (int area = 0; area < 3; ++area)
        EXPECT_EQ(0, UndoSteps(doc->GetCurrentTemplate(), area));
    doc->RemoveView(&view);

    // The same command a second time changes nothing more (the toggles flip back).
    doc->SetModifiedFlag(FALSE);
    const std::string name = row.name;
    if (name.find("Toggle") == std::string::npos && name != "NewLabelDefinition" && name != "ReplaceLabelDefinition") {
        EXPECT_FALSE(row.apply(*doc));
        EXPECT_FALSE(doc->IsModified());
    }
}

TEST_P(DesignStock, LockedTemplateRefuses)
{
    auto doc = DesignDoc();
    doc->GetCurrentTemplate()->SetLocked(true);
    EXPECT_FALSE(GetParam().apply(*doc));
    EXPECT_FALSE(doc->IsModified());
}

INSTANTIATE_TEST_SUITE_P(Rows, DesignStock, ::testing::ValuesIn(kStockRows), RowName);

TEST(DesignStockRules, OutOfRangeValuesAreRefused)
{
    auto doc = DesignDoc();
    const struct {
        const char* what;
        std::function<bool(Doc&)> apply;
    } refused[] = {
        {"rows 0", [](Doc& d) { return d.SetRowCountText("0"); }},
        {"rows past 32 bits", [](Doc& d) { return d.SetRowCountText("4294967297"); }},
        {"rows not a number", [](Doc& d) { return d.SetRowCountText("x4"); }},
        {"columns negative", [](Doc& d) { return d.SetColumnCountText("-3"); }},
        {"blocks past 16 bits", [](Doc& d) { return d.SetBlockCountText("40000"); }},
        {"paper width too big", [](Doc& d) { return d.SetPaperWidth(INT_MAX); }},
        {"paper width 0", [](Doc& d) { return d.SetPaperWidth(0); }},
        {"paper past 16-bit tenths", [](Doc& d) { return d.SetPaperHeight(3276800); }},
        {"block space below top margin", [](Doc& d) { return d.SetBlockSpace(1000); }},
        {"negative pitch", [](Doc& d) { return d.SetHorizontalPitch(-1); }},
        {"zero vertical pitch", [](Doc& d) { return d.SetVerticalPitch(0); }},
        {"width below 0", [](Doc& d) { return d.SetAreaWidth(-1, 0); }},
        {"height below 1", [](Doc& d) { return d.SetAreaHeight(0, 0); }},
        {"shape 3", [](Doc& d) { return d.SetLabelShape(3, 0); }},
        {"orientation 3", [](Doc& d) { return d.SetOrientation(3); }},
        {"area 3 left", [](Doc& d) { return d.SetAreaLeft(3, 1000); }},
        {"area 3 width", [](Doc& d) { return d.SetAreaWidth(1000, 3); }},
    };
    for (const auto& r : refused) {
        EXPECT_FALSE(r.apply(*doc)) << r.what;
        EXPECT_FALSE(doc->IsModified()) << r.what;
    }
    char text[100];
    EXPECT_FALSE(doc->GetAreaLeftText(3, text, sizeof text));
    EXPECT_STREQ("", text);
    EXPECT_EQ(-1, doc->GetLabelShape(3));
}

TEST(DesignStockRules, WithoutDefinition)
{
    auto doc = DesignDoc();
    doc->GetCurrentTemplate()->SetLabelStock(nullptr);
    EXPECT_EQ(90000, doc->GetPaperWidth());
    EXPECT_EQ(60000, doc->GetPaperHeight());
    EXPECT_EQ(0, doc->GetPaperSizeCode());
    EXPECT_EQ(-1, doc->GetLabelShape(0));
    EXPECT_EQ(0, doc->GetCornerRadius(0));
    EXPECT_FALSE(doc->SetPaperWidth(100000));
    EXPECT_FALSE(doc->SetAreaLeft(0, 100));
    EXPECT_FALSE(doc->SetRowCountText("2"));
    EXPECT_FALSE(doc->ReplaceLabelDefinition(nullptr));
    EXPECT_FALSE(doc->DeleteLabelDefinition());
    EXPECT_FALSE(doc->IsModified());
    // The width creates a default definition.
    ASSERT_TRUE(doc->SetAreaWidth(30000, 0));
    ASSERT_NE(nullptr, Stock(*doc));
    EXPECT_EQ(30000, Stock(*doc)->GetWidth(0));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(doc->DeleteLabelDefinition());
    EXPECT_EQ(nullptr, doc->GetCurrentTemplate()->GetLabelStock());
}

TEST(DesignStockRules, TextFormsOfTheDefinitionLocale)
{
    NumericLocaleGuard user("");
    ASSERT_TRUE(user.ok());
    ASSERT_TRUE(DecimalSeparatorMatchesTheRun());
    const char point = *localeconv()->decimal_point;
    auto doc = DesignDoc();
    ASSERT_TRUE(doc->SetAreaLeft(0, 2500));
    ASSERT_TRUE(doc->SetBlockSpace(14500));
    char text[128];
    ASSERT_TRUE(doc->GetAreaLeftText(0, text, sizeof text));
    EXPECT_EQ(std::string("2") + point + "5 mm", text);
    ASSERT_TRUE(doc->GetBlockSpaceText(text, sizeof text));
    EXPECT_EQ(std::string("14") + point + "5 mm", text);
    ASSERT_TRUE(doc->GetAreaWidthText(0, text, sizeof text));
    EXPECT_STREQ("80 mm", text);
    ASSERT_TRUE(doc->SetRowCountText("7"));
    ASSERT_TRUE(doc->GetRowCountText(text, sizeof text));
    EXPECT_STREQ("7", text);
}

TEST(DesignLock, LockKeeps32CharactersDeselectsAndUnlockIsNoChange)
{
    auto doc = DesignDoc();
    HintView view;
    doc->AddView(&view);
    const std::string forty(40, 'p');
    doc->LockTemplate(forty.c_str());
    EXPECT_STREQ(forty.substr(0, 32).c_str(), doc->GetLockPassword());
    EXPECT_TRUE(doc->GetCurrentTemplate()->IsLocked());
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(view.Saw(kHintDesignViews));
    for (int area = 0; area < 3; ++area)
        EXPECT_FALSE(doc->HasSelection(area));
    doc->SetModifiedFlag(FALSE);
    doc->UnlockTemplate();
    EXPECT_FALSE(doc->GetCurrentTemplate()->IsLocked());
    EXPECT_STREQ("", doc->GetLockPassword());
    EXPECT_FALSE(doc->IsModified());
    doc->RemoveView(&view);
}

TEST(DesignGuide, RowsAndColumnsOutsideTheMapAreIgnored)
{
    auto doc = DesignDoc();
    CTemplateColumnMap* map = doc->GetCurrentTemplate()->GetColumnMap(0);
    const CTemplateColumnMap before = *map;
    EXPECT_FALSE(doc->AddGuideRowColumn(-1, 0));
    EXPECT_FALSE(doc->AddGuideRowColumn(10, 0));
    EXPECT_FALSE(doc->AddGuideRowColumn(0, 26));
    EXPECT_FALSE(doc->AddGuideRowColumn(0, -1));
    EXPECT_FALSE(doc->RemoveGuideRowColumn(0, 10));
    EXPECT_FALSE(doc->RemoveGuideRowColumn(26, 0));
    EXPECT_TRUE(before == *map);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(doc->IsGuideColumnUsed(0, 10, 0));
    EXPECT_TRUE(doc->IsGuideColumnUsed(3, 0, 0));
    EXPECT_TRUE(doc->IsGuideColumnUsed(0, 0, 26));
    EXPECT_STREQ("", doc->GetGuideRowCaption(10, 0));

    ASSERT_TRUE(doc->AddGuideRowColumn(9, 3));
    ASSERT_TRUE(doc->AddGuideRowColumn(9, 4));
    ASSERT_TRUE(doc->AddGuideRowColumn(9, 5));
    ASSERT_TRUE(doc->AddGuideRowColumn(9, 25));
    EXPECT_EQ(25, map->columns[27]);
    EXPECT_EQ(5, map->columns[28]);
    EXPECT_EQ(4, map->columns[29]);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(doc->IsGuideColumnUsed(0, 9, 4));
    EXPECT_FALSE(doc->IsGuideColumnUsed(0, 9, 3));
    ASSERT_TRUE(doc->RemoveGuideRowColumn(25, 9));
    EXPECT_EQ(5, map->columns[27]);
    EXPECT_EQ(4, map->columns[28]);
    EXPECT_EQ(-1, map->columns[29]);
    EXPECT_FALSE(doc->RemoveGuideRowColumn(7, 9));
}
