// Property forwarders of the collection (setter to every selected member, getter from the first
// that has the property, flag from any) and the duplicate's column naming on real text fields.
#include "collectiontestutil.h"
#include "labelmodel/graphtext.h"

#include <gtest/gtest.h>
#include <cstring>

using namespace colltest;

namespace {

CGraphTextExt* TextOnColumn(int column, int x = 0, int y = 0, bool selected = false)
{
    CGraphTextExt* t = new CGraphTextExt;
    t->SetContentKind(kKindTable);
    t->SetTableColumn(0, column);
    t->SetX(x);
    t->SetY(y);
    t->SetWidth(20000);
    t->SetHeight(5000);
    t->SetSelected(selected);
    return t;
}

std::string ColumnOf(CGraphObject* o)
{
    char name[256] = {};
    return o->GetColumnName(name, sizeof(name)) ? std::string(name) : std::string("-");
}

} // namespace

TEST(CollectionForwarders, GettersAnswerFromTheFirstSelectedMemberThatHasTheProperty)
{
    CGraphCollection c;
    EXPECT_EQ(-1, c.GetSelectedX());
    EXPECT_EQ(1000, c.GetSelectedLineWidth());
    EXPECT_EQ(-1, c.GetSelectedCornerRadius());
    EXPECT_EQ(-1, c.GetSelectedFontSize());
    EXPECT_EQ(1, c.GetCharSet());

    CGraphRect* plain = RectMm(7, 8, 1, 1, false);
    plain->SetLineWidth(111);
    c.Append(plain);                                  // not selected: never answers
    CGraphTextExt* text = TextOnColumn(0, 3000, 4000, true);
    text->SetFillColour(RGB(4, 5, 6));
    c.Append(text);                                   // has a fill but no line
    CGraphRect* rect = RectMm(1, 1, 1, 1, true);
    rect->SetLineWidth(250);
    rect->SetFillColour(RGB(1, 2, 3));
    c.Append(rect);
    CGraphRectRounded* rounded = new CGraphRectRounded;
    rounded->SetCornerRadius(900);
    rounded->SetSelected(true);
    c.Append(rounded);

    EXPECT_EQ(3000, c.GetSelectedX());
    EXPECT_EQ(4000, c.GetSelectedY());
    EXPECT_EQ(250, c.GetSelectedLineWidth());
    EXPECT_EQ(900, c.GetSelectedCornerRadius());
    EXPECT_EQ(RGB(4, 5, 6), c.GetSelectedFillColour());
    EXPECT_EQ(kKindTable, c.GetSelectedSourceKind());
    EXPECT_TRUE(c.HasSelectedColumnName());
    EXPECT_TRUE(c.HasTextSource());
    EXPECT_FALSE(c.IsImageSelected());
}

TEST(CollectionForwarders, SettersReachEverySelectedMemberOnlyAndGuardedOnesOnlyThoseWithTheProperty)
{
    CGraphCollection c;
    c.Append(RectMm(0, 0, 1, 1, true));
    c.Append(RectMm(0, 0, 1, 1, false));
    c.Append(TextOnColumn(1, 0, 0, true));
    c.SetSelectedLineWidth(321);
    c.SetSelectedX(5000);
    c.SetSelectedLineColour(RGB(9, 9, 9));
    EXPECT_EQ(321, c.GetAt(0)->GetLineWidth());
    EXPECT_EQ(1000, c.GetAt(1)->GetLineWidth());
    EXPECT_EQ(5000, c.GetAt(2)->GetX());
    EXPECT_EQ(0, c.GetAt(1)->GetX());
    EXPECT_EQ(RGB(9, 9, 9), c.GetSelectedLineColour());

    c.SetSelectedFontSize(12);
    LOGFONTA font = {};
    ASSERT_TRUE(c.GetAt(2)->GetLogFont(&font));
    EXPECT_EQ(-16, font.lfHeight);
    EXPECT_EQ(12, c.GetSelectedFontSize());
    c.SetSelectedFontName("Times New Roman");
    char face[100] = "unchanged";
    ASSERT_TRUE(c.GetSelectedFontName(face));
    EXPECT_STREQ("Times New Roman", face);

    c.SetSelectedAlignment(CGraphText::kAlignRight);
    int alignment = -5;
    ASSERT_TRUE(c.GetSelectedAlignment(&alignment));
    EXPECT_EQ(2, alignment);   // stored minus one: 0 left, 1 centre, 2 right

    EXPECT_FALSE(c.IsSelectionBold());
    c.SetSelectionBold(true);
    EXPECT_TRUE(c.IsSelectionBold());
    EXPECT_TRUE(c.IsBold());   // the slot answers the same

    c.SetSelectedTextColour(RGB(200, 0, 0));
    EXPECT_EQ(RGB(200, 0, 0), c.GetSelectedTextColour());

    // Without a font member the font getters keep their defaults and the buffer.
    CGraphCollection shapes;
    shapes.Append(RectMm(0, 0, 1, 1, true));
    char untouched[100] = "keep";
    EXPECT_FALSE(shapes.GetSelectedFontName(untouched));
    EXPECT_STREQ("keep", untouched);
    EXPECT_FALSE(shapes.GetSelectedAlignment(&alignment));
    EXPECT_EQ(-1, shapes.GetSelectedFontSize());
}

TEST(CollectionForwarders, StyleFlagsAnswerFromAnySelectedMemberWithAFont)
{
    // A shape without a font, a plain text and a styled text, all selected: a style shows as on
    // when any of the texts has it.
    CGraphCollection c;
    c.Append(RectMm(0, 0, 1, 1, true));
    CGraphTextExt* plain = TextOnColumn(0, 0, 0, true);
    c.Append(plain);
    CGraphTextExt* styled = TextOnColumn(1, 0, 0, true);
    styled->SetBold(true);
    styled->SetItalic(true);
    styled->SetUnderline(true);
    c.Append(styled);
    EXPECT_TRUE(c.IsSelectionBold());
    EXPECT_TRUE(c.IsSelectionItalic());
    EXPECT_TRUE(c.IsSelectionUnderline());

    // With the styled text out of the selection only the plain one answers.
    styled->SetSelected(false);
    EXPECT_FALSE(c.IsSelectionBold());
    EXPECT_FALSE(c.IsSelectionItalic());
    EXPECT_FALSE(c.IsSelectionUnderline());
}

TEST(CollectionForwarders, FontSizeTurnsCharacterHeightsIntoPointsAndKeepsCellHeights)
{
    CGraphCollection c;
    ColumnField* f = new ColumnField;
    f->SetSelected(true);
    c.Append(f);
    LOGFONTA font = {};
    f->GetLogFont(&font);
    font.lfHeight = -13;
    f->SetLogFont(&font);
    EXPECT_EQ((48 + 13 * 72) / 96, c.GetSelectedFontSize());
    font.lfHeight = 20;
    f->SetLogFont(&font);
    EXPECT_EQ(20, c.GetSelectedFontSize());
}

TEST(CollectionForwarders, FlagsAnswerTrueWhenAnySelectedMemberDoes)
{
    CGraphCollection c;
    CGraphRect* opaque = RectMm(0, 0, 1, 1, true);
    opaque->SetFillColour(RGB(5, 5, 5));
    c.Append(opaque);
    EXPECT_FALSE(c.IsTransparent());
    EXPECT_TRUE(c.HasTransparency());
    CGraphRect* clear = RectMm(0, 0, 1, 1, false);
    c.Append(clear);
    EXPECT_FALSE(c.IsTransparent());
    clear->SetSelected(true);
    EXPECT_TRUE(c.IsTransparent());
    c.SetTransparent(false);
    EXPECT_FALSE(c.IsTransparent());

    CGraphTriangleExt* sign = new CGraphTriangleExt;
    sign->SetSelected(true);
    c.Append(sign);
    EXPECT_TRUE(c.HasSelectedEquilateral());
    EXPECT_TRUE(c.GetSelectedEquilateral());
    c.SetSelectedEquilateral(false);
    EXPECT_FALSE(c.GetSelectedEquilateral());
    EXPECT_FALSE(c.HasSelectedCheckDigit());
    EXPECT_EQ(0, c.GetSelectedModuleWidthUnit());
    EXPECT_EQ(-1, c.GetSelectedModuleWidth());
}

TEST(CollectionForwarders, ASelectedGroupPassesSlotsOnToItsSelectedMembers)
{
    CGraphCollection area;
    CGraphGroup* g = new CGraphGroup;
    CGraphRect* inner = RectMm(0, 0, 1, 1, true);
    g->Append(inner);
    g->SetSelected(true);
    area.Append(g);
    area.SetTransparent(false);
    EXPECT_FALSE(inner->IsTransparent());
    EXPECT_TRUE(area.HasTransparency());
}

TEST(CollectionDuplicateText, TextOnColumnAWithAAndBUsedGivesCThenD)
{
    CGraphCollection c;
    c.Append(TextOnColumn(0, 0, 0));
    c.Append(TextOnColumn(1, 30000, 0));
    EXPECT_TRUE(c.IsColumnUsed(0));
    EXPECT_TRUE(c.IsColumnUsed(1));
    EXPECT_FALSE(c.IsColumnUsed(2));
    EXPECT_TRUE(c.HasColumnNames());

    c.GetAt(0)->SetSelected(true);
    c.DuplicateSelectedBelow();
    ASSERT_EQ(3, c.GetCount());
    EXPECT_EQ("C", ColumnOf(c.GetAt(2)));
    EXPECT_EQ(5000, c.GetAt(2)->GetY());
    EXPECT_EQ("A", ColumnOf(c.GetAt(0)));

    // Two texts duplicated at once: C and D.
    CGraphCollection two;
    two.Append(TextOnColumn(0, 0, 0, true));
    two.Append(TextOnColumn(1, 30000, 0, true));
    two.DuplicateSelectedBelow();
    ASSERT_EQ(4, two.GetCount());
    EXPECT_EQ("C", ColumnOf(two.GetAt(2)));
    EXPECT_EQ("D", ColumnOf(two.GetAt(3)));
    EXPECT_TRUE(two.GetAt(3)->IsSelected());
    EXPECT_FALSE(two.GetAt(0)->IsSelected());

    // A shape among them counts as a clone but has no column to rename.
    CGraphCollection mixed;
    mixed.Append(RectMm(0, 0, 1, 1, true));
    mixed.Append(TextOnColumn(0, 0, 0, true));
    mixed.DuplicateSelectedRight();
    EXPECT_EQ("C", ColumnOf(mixed.GetAt(3)));
}

TEST(CollectionDuplicateText, TextsTravelThroughACollectionRecord)
{
    CGraphCollection c;
    c.Append(new CGraphText);
    c.Append(TextOnColumn(4, 1000, 2000));
    const Bytes bytes = SaveRecord(c);
    ASSERT_FALSE(bytes.empty());
    CGraphCollection loaded;
    ASSERT_TRUE(LoadRecord(loaded, bytes));
    ASSERT_EQ(2, loaded.GetCount());
    EXPECT_EQ(152, loaded.GetAt(0)->GetTypeCode());
    EXPECT_EQ(252, loaded.GetAt(1)->GetTypeCode());
    EXPECT_EQ("E", ColumnOf(loaded.GetAt(1)));
    EXPECT_EQ(bytes, SaveRecord(loaded));
}
