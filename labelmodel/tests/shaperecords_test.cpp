// Records of the shapes and help lines: exact bytes, round trips, and damaged input.
#include "labelmodel/graphshapes.h"
#include "labelmodel/helplines.h"
#include "objecttestutil.h"

#include <gtest/gtest.h>
#include <functional>
#include <map>
#include <string>
#include <memory>
#include <typeinfo>

using namespace objtest;

namespace {

void SetRectFields(CGraphObject& o)
{
    o.SetX(1000);
    o.SetY(-2000);
    o.SetWidth(30000);
    o.SetHeight(12345);
    o.SetLineWidth(500);
    o.SetLineColour(RGB(0x11, 0x22, 0x33));
    o.SetFillColour(RGB(0xAB, 0xCD, 0xEF));   // also makes it filled
}

ByteBuilder RectBytes()
{
    ByteBuilder b;
    b.I32(1000).I32(-2000).I32(30000).I32(12345).I32(500).I32(0x00332211).I32(0x00EFCDAB).U8(0);
    return b;
}

struct RecordCase {
    const char* name;
    int typeCode;
    std::function<std::unique_ptr<CGraphObject>()> make;     // default-constructed object
    std::function<void(CGraphObject&)> fill;                 // the fields of the expected record
    Bytes expected;
};

std::vector<RecordCase> Cases()
{
    std::vector<RecordCase> cases;
    cases.push_back({"Rect", 151, [] { return std::make_unique<CGraphRect>(); }, SetRectFields,
                     RectBytes().bytes});
    cases.push_back({"Ellipse", 131, [] { return std::make_unique<CGraphEllipse>(); },
                     SetRectFields, RectBytes().bytes});
    cases.push_back({"RectRounded", 132, [] { return std::make_unique<CGraphRectRounded>(); },
                     [](CGraphObject& o) { SetRectFields(o); o.SetCornerRadius(4321); },
                     RectBytes().I32(4321).bytes});
    cases.push_back({"Triangle", 155, [] { return std::make_unique<CGraphTriangle>(); },
                     [](CGraphObject& o) {
                         SetRectFields(o);
                         static_cast<CGraphTriangle&>(o).SetRotation(1800);
                     },
                     RectBytes().I16(1800).bytes});
    cases.push_back({"TriangleExt", 156, [] { return std::make_unique<CGraphTriangleExt>(); },
                     [](CGraphObject& o) {
                         SetRectFields(o);
                         static_cast<CGraphTriangle&>(o).SetRotation(2700);
                         o.SetEquilateral(false);
                         o.SetCornerRadius(777);
                     },
                     RectBytes().I16(2700).I32(777).U8(0).bytes});
    cases.push_back({"Line", 153,
                     [] { return std::make_unique<CGraphLine>(); },
                     [](CGraphObject& o) {
                         CGraphLine& line = static_cast<CGraphLine&>(o);
                         line.SetPoints(-5, 6, 70000, 80000);
                         line.SetLineWidth(250);
                         line.SetLineColour(RGB(1, 2, 3));
                     },
                     ByteBuilder().I32(-5).I32(6).I32(70000).I32(80000).I32(250).I32(0x030201).bytes});
    return cases;
}

} // namespace

TEST(ShapeRecords, LengthsOfEveryRecord)
{
    std::map<std::string, size_t> sizes;
    for (RecordCase& c : Cases())
        sizes[c.name] = c.expected.size();
    EXPECT_EQ(29u, sizes["Rect"]);
    EXPECT_EQ(29u, sizes["Ellipse"]);
    EXPECT_EQ(33u, sizes["RectRounded"]);
    EXPECT_EQ(31u, sizes["Triangle"]);
    EXPECT_EQ(36u, sizes["TriangleExt"]);
    EXPECT_EQ(24u, sizes["Line"]);
}

TEST(ShapeRecords, SaveWritesTheExactBytesAndLoadReadsThemBack)
{
    for (RecordCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CGraphObject> source = c.make();
        c.fill(*source);
        EXPECT_EQ(c.typeCode, source->GetTypeCode());
        EXPECT_EQ(c.expected, SaveBytes(*source));

        std::unique_ptr<CGraphObject> loaded = c.make();
        loaded->SetSelected(true);
        ASSERT_TRUE(LoadBytes(*loaded, c.expected));
        EXPECT_FALSE(loaded->IsSelected());
        EXPECT_EQ(c.expected, SaveBytes(*loaded));
        EXPECT_EQ(source->GetX(), loaded->GetX());
        EXPECT_EQ(source->GetWidth(), loaded->GetWidth());
        EXPECT_EQ(source->GetLineColour(), loaded->GetLineColour());
        EXPECT_EQ(source->IsTransparent(), loaded->IsTransparent());
    }
}

TEST(ShapeRecords, TruncatedRecordFailsAtEveryOffsetAndLeavesTheObjectAlone)
{
    for (RecordCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        for (size_t n = 0; n < c.expected.size(); ++n) {
            std::unique_ptr<CGraphObject> o = c.make();
            o->SetX(42);
            o->SetY(43);
            o->SetLineWidth(44);
            o->SetSelected(true);
            const Bytes before = SaveBytes(*o);
            EXPECT_FALSE(LoadBytes(*o, c.expected, n)) << "bytes " << n;
            EXPECT_EQ(before, SaveBytes(*o)) << "bytes " << n;
            EXPECT_TRUE(o->IsSelected()) << "bytes " << n;
        }
    }
}

TEST(ShapeRecords, CloneKeepsClassCodeFieldsAndSelection)
{
    for (RecordCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CGraphObject> source = c.make();
        c.fill(*source);
        source->SetSelected(true);
        std::unique_ptr<CGraphObject> copy(source->Clone());
        EXPECT_EQ(typeid(*source), typeid(*copy));
        EXPECT_EQ(source->GetTypeCode(), copy->GetTypeCode());
        EXPECT_TRUE(copy->IsSelected());
        EXPECT_EQ(nullptr, copy->GetTracker());
        EXPECT_EQ(c.expected, SaveBytes(*copy));
    }
}

TEST(ShapeRecords, AnyNonZeroTransparentByteReadsAsTransparent)
{
    Bytes bytes = RectBytes().bytes;
    bytes[28] = 7;
    CGraphRect rect;
    ASSERT_TRUE(LoadBytes(rect, bytes));
    EXPECT_TRUE(rect.IsTransparent());
}

TEST(ShapeRecords, NewWarningSignIsYellowWithABlackMillimetreBorder)
{
    CGraphTriangleExt sign;
    EXPECT_EQ(RGB(255, 255, 0), sign.GetFillColour());
    EXPECT_FALSE(sign.IsTransparent());
    EXPECT_EQ(0u, sign.GetLineColour());
    EXPECT_EQ(1000, sign.GetLineWidth());
    EXPECT_EQ(2500, sign.GetCornerRadius());
    EXPECT_TRUE(sign.IsEquilateral());
}

// ---- help lines ----

TEST(HelpLinesRecord, StoresDivisionsAndReadsLines)
{
    CHelpLines lines;
    lines.ShowHorizontal(true);
    lines.SetHorizontalLines(2);
    lines.SetVerticalLines(0);
    const Bytes expected = ByteBuilder().U8(1).U8(0).I16(3).I16(1).bytes;
    EXPECT_EQ(expected, SaveBytes(lines));

    CHelpLines loaded;
    ASSERT_TRUE(LoadBytes(loaded, ByteBuilder().U8(0).U8(1).I16(5).I16(4).bytes));
    EXPECT_FALSE(loaded.IsHorizontalShown());
    EXPECT_TRUE(loaded.IsVerticalShown());
    EXPECT_EQ(4, loaded.GetHorizontalLines());
    EXPECT_EQ(3, loaded.GetVerticalLines());
}

TEST(HelpLinesRecord, SmallestDivisionCountDoesNotWrap)
{
    CHelpLines lines;
    ASSERT_TRUE(LoadBytes(lines, ByteBuilder().U8(1).U8(1).I16(-32768).I16(0).bytes));
    EXPECT_EQ(-32769, lines.GetHorizontalLines());
    EXPECT_EQ(-1, lines.GetVerticalLines());
    // Written back as read.
    EXPECT_EQ(ByteBuilder().U8(1).U8(1).I16(-32768).I16(0).bytes, SaveBytes(lines));
    // A count set beyond the record's range is stored as the nearest value it can hold.
    lines.SetHorizontalLines(40000);
    EXPECT_EQ(ByteBuilder().U8(1).U8(1).I16(32767).I16(0).bytes, SaveBytes(lines));
}

TEST(HelpLinesRecord, TruncatedRecordLeavesTheLinesAlone)
{
    const Bytes record = ByteBuilder().U8(0).U8(0).I16(9).I16(9).bytes;
    for (size_t n = 0; n < record.size(); ++n) {
        CHelpLines lines;
        lines.ShowHorizontal(true);
        lines.ShowVertical(true);
        lines.SetHorizontalLines(2);
        lines.SetVerticalLines(3);
        EXPECT_FALSE(LoadBytes(lines, record, n)) << n;
        EXPECT_TRUE(lines.IsHorizontalShown());
        EXPECT_TRUE(lines.IsVerticalShown());
        EXPECT_EQ(2, lines.GetHorizontalLines());
        EXPECT_EQ(3, lines.GetVerticalLines());
    }
}
