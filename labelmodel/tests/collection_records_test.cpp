// Collection and group records: exact bytes, the type-code factory, and damaged input.
#include "collectiontestutil.h"
#include "labelmodel/graphtext.h"
#include "labelmodel/typecodes.h"

#include <gtest/gtest.h>
#include <memory>
#include <typeinfo>

using namespace colltest;
using objtest::ByteBuilder;

namespace {

ByteBuilder& RectRecord(ByteBuilder& b, int x, int y, int w, int h)
{
    // x, y, width, height, line width, line colour, fill colour, transparent
    return b.I32(x).I32(y).I32(w).I32(h).I32(1000).I32(0).I32(0).U8(1);
}

// Area: a rectangle, a group of a line and an ellipse, then a rounded rectangle.
void FillArea(CGraphCollection& area)
{
    area.Append(RectMm(1, 2, 3, 4));
    CGraphGroup* group = new CGraphGroup;
    group->Append(new CGraphLine(10000, 20000, 30000, 25000));
    CGraphEllipse* ellipse = new CGraphEllipse;
    ellipse->SetX(5000);
    ellipse->SetY(6000);
    ellipse->SetWidth(7000);
    ellipse->SetHeight(8000);
    group->Append(ellipse);
    area.Append(group);
    CGraphRectRounded* rounded = new CGraphRectRounded;
    rounded->SetCornerRadius(1500);
    area.Append(rounded);
}

Bytes AreaBytes()
{
    ByteBuilder b;
    b.I16(3).I16(10).I16(5);
    b.I16(151);
    RectRecord(b, 1000, 2000, 3000, 4000);
    // The group: its box (the members' bounding box), tag 175, its collection record.
    b.I16(185).I32(5000).I32(6000).I16(175).I16(2).I16(10).I16(5);
    b.I16(153).I32(10000).I32(20000).I32(30000).I32(25000).I32(1000).I32(0);
    b.I16(131);
    RectRecord(b, 5000, 6000, 7000, 8000);
    b.I16(132);
    RectRecord(b, 0, 0, 0, 0).I32(1500);
    return b.bytes;
}

} // namespace

TEST(CollectionRecord, WritesCountReservedFieldsAndEveryMemberWithItsCode)
{
    CGraphCollection area;
    FillArea(area);
    EXPECT_EQ(AreaBytes(), SaveRecord(area));

    CGraphCollection empty;
    EXPECT_EQ(ByteBuilder().I16(0).I16(10).I16(5).bytes, SaveRecord(empty));
}

TEST(CollectionRecord, ReadsBackTheSameObjectsInOrderAndKeepsTheReservedValues)
{
    Bytes bytes = AreaBytes();
    bytes[2] = 0x34;   // reservedA = 0x34
    bytes[4] = 0x12;   // reservedB = 0x12
    CGraphCollection area;
    ASSERT_TRUE(LoadRecord(area, bytes));
    ASSERT_EQ(3, area.GetCount());
    EXPECT_EQ(typeid(CGraphRect), typeid(*area.GetAt(0)));
    EXPECT_EQ(typeid(CGraphGroup), typeid(*area.GetAt(1)));
    EXPECT_EQ(typeid(CGraphRectRounded), typeid(*area.GetAt(2)));
    CGraphGroup* group = static_cast<CGraphGroup*>(area.GetAt(1));
    ASSERT_EQ(2, group->GetCount());
    EXPECT_EQ(typeid(CGraphLine), typeid(*group->GetAt(0)));
    EXPECT_EQ(0x34, area.GetReservedA());
    EXPECT_EQ(0x12, area.GetReservedB());
    EXPECT_EQ(bytes, SaveRecord(area));
}

TEST(CollectionRecord, LoadingAppendsToWhatIsThere)
{
    CGraphCollection area;
    area.Append(RectMm(0, 0, 1, 1));
    ASSERT_TRUE(LoadRecord(area, AreaBytes()));
    EXPECT_EQ(4, area.GetCount());
}

TEST(CollectionRecord, UnknownCodeInThirdPlaceKeepsTheFirstTwoAndFails)
{
    ByteBuilder b;
    b.I16(4).I16(10).I16(5);
    b.I16(151);
    RectRecord(b, 1000, 0, 0, 0);
    b.I16(131);
    RectRecord(b, 2000, 0, 0, 0);
    const size_t unknownAt = b.bytes.size();
    b.I16(777);
    b.I16(151);
    RectRecord(b, 3000, 0, 0, 0);

    CGraphCollection area;
    CMemFile file;
    objtest::FillFile(file, b.bytes, b.bytes.size());
    EXPECT_FALSE(area.LoadObjects(&file));
    ASSERT_EQ(2, area.GetCount());
    EXPECT_EQ(1000, area.GetAt(0)->GetX());
    EXPECT_EQ(2000, area.GetAt(1)->GetX());
    // The reading stopped right after the code it did not know.
    EXPECT_EQ(unknownAt + 2, file.GetPosition());
}

TEST(CollectionRecord, FactoryKnowsTheDrawableCodesOnly)
{
    const struct {
        int code;
        const std::type_info& type;
    } known[] = {
        {131, typeid(CGraphEllipse)}, {132, typeid(CGraphRectRounded)}, {151, typeid(CGraphRect)},
        {153, typeid(CGraphLine)}, {155, typeid(CGraphTriangle)}, {156, typeid(CGraphTriangleExt)},
        {185, typeid(CGraphGroup)}, {152, typeid(CGraphText)}, {252, typeid(CGraphTextExt)},
    };
    for (const auto& k : known) {
        std::unique_ptr<CGraphObject> o(CreateGraphObject(k.code));
        ASSERT_NE(nullptr, o) << k.code;
        EXPECT_EQ(k.type, typeid(*o)) << k.code;
        EXPECT_EQ(k.code, o->GetTypeCode());
    }
    // Tags, abstract kinds and the codes of other families are no members.
    for (int code : {0, 141, 161, 175, 136, 140, 171, 163, 401, 65535})
        EXPECT_EQ(nullptr, CreateGraphObject(code)) << code;
}

TEST(GroupRecord, IsTheBoxTagAndCollectionRecord)
{
    CGraphGroup group;
    group.Append(RectMm(4, 5, 1, 1));
    group.Append(RectMm(2, 9, 1, 1));
    ByteBuilder b;
    b.I32(2000).I32(5000).I16(175).I16(2).I16(10).I16(5);
    b.I16(151);
    RectRecord(b, 4000, 5000, 1000, 1000);
    b.I16(151);
    RectRecord(b, 2000, 9000, 1000, 1000);
    EXPECT_EQ(b.bytes, SaveRecord(group));

    CGraphGroup loaded;
    loaded.SetSelected(true);
    ASSERT_TRUE(objtest::LoadBytes(loaded, b.bytes));
    EXPECT_FALSE(loaded.IsSelected());
    EXPECT_EQ(2, loaded.GetCount());
    EXPECT_EQ(b.bytes, SaveRecord(loaded));
}

TEST(GroupRecord, WrongInnerTagOrUnknownMemberRefusesTheGroupAndLeavesItAlone)
{
    CGraphGroup source;
    source.Append(RectMm(1, 1, 1, 1));
    source.Append(RectMm(2, 2, 1, 1));
    const Bytes good = SaveRecord(source);

    Bytes wrongTag = good;
    wrongTag[8] = 176;
    Bytes unknownMember = good;
    unknownMember[17] = 0x99;   // high byte of the first member's code

    for (const Bytes* bad : {&wrongTag, &unknownMember}) {
        CGraphGroup group;
        group.Append(RectMm(7, 7, 1, 1));
        group.SetSelected(true);
        const Bytes before = SaveRecord(group);
        EXPECT_FALSE(objtest::LoadBytes(group, *bad));
        EXPECT_EQ(before, SaveRecord(group));
        EXPECT_TRUE(group.IsSelected());
    }

    // Inside a collection, the failed group fails the collection too.
    ByteBuilder area;
    area.I16(1).I16(10).I16(5).I16(185);
    area.bytes.insert(area.bytes.end(), unknownMember.begin(), unknownMember.end());
    CGraphCollection c;
    EXPECT_FALSE(LoadRecord(c, area.bytes));
    EXPECT_EQ(0, c.GetCount());
}

TEST(CollectionRecord, TruncatedAtEveryOffsetFailsWithoutCrashing)
{
    const Bytes bytes = AreaBytes();
    for (size_t n = 0; n < bytes.size(); ++n) {
        CGraphCollection area;
        EXPECT_FALSE(LoadRecord(area, bytes, n)) << n;
        EXPECT_LE(area.GetCount(), 3) << n;
    }
}

TEST(CollectionRecord, MutatedBytesNeverCrash)
{
    const Bytes bytes = AreaBytes();
    for (size_t i = 0; i < bytes.size(); ++i) {
        for (uint8_t v : {uint8_t(0x00), uint8_t(0xFF), uint8_t(bytes[i] ^ 0x5A)}) {
            Bytes mutated = bytes;
            mutated[i] = v;
            // A failed load leaves what the collection held alone (the members read before the
            // damage stay after it, as a damaged file keeps what could be read).
            CGraphCollection area;
            area.Append(RectMm(9, 8, 7, 6));
            std::unique_ptr<CGraphRect> held(RectMm(9, 8, 7, 6));
            if (!LoadRecord(area, mutated)) {
                ASSERT_GE(area.GetCount(), 1) << "offset " << i << " value " << int(v);
                ASSERT_EQ(SaveRecord(*held), SaveRecord(*area.GetAt(0))) << "offset " << i << " value " << int(v);
            }
            // Whatever the collection holds is written again, and that reads back and writes the same bytes.
            const Bytes saved = SaveRecord(area);
            ASSERT_FALSE(saved.empty()) << "offset " << i << " value " << int(v);
            CGraphCollection again;
            ASSERT_TRUE(LoadRecord(again, saved)) << "offset " << i << " value " << int(v);
            ASSERT_EQ(saved, SaveRecord(again)) << "offset " << i << " value " << int(v);
        }
    }
}

TEST(CollectionRecord, DeeplyNestedGroupsAreRefused)
{
    // 500 groups, each holding the next: far deeper than any design.
    ByteBuilder b;
    b.I16(1).I16(10).I16(5);
    for (int i = 0; i < 500; ++i)
        b.I16(185).I32(0).I32(0).I16(175).I16(1).I16(10).I16(5);
    b.I16(151);
    RectRecord(b, 0, 0, 1, 1);
    CGraphCollection area;
    EXPECT_FALSE(LoadRecord(area, b.bytes));

    // A modest nesting reads.
    ByteBuilder ok;
    ok.I16(1).I16(10).I16(5);
    for (int i = 0; i < 20; ++i)
        ok.I16(185).I32(0).I32(0).I16(175).I16(1).I16(10).I16(5);
    ok.I16(151);
    RectRecord(ok, 0, 0, 1, 1);
    CGraphCollection nested;
    EXPECT_TRUE(LoadRecord(nested, ok.bytes));
}

TEST(CollectionCopies, CloneAndCopyConstructionCloneEveryMember)
{
    CGraphCollection area;
    FillArea(area);
    area.GetAt(0)->SetSelected(true);
    std::unique_ptr<CGraphCollection> copy(area.CloneCollection());
    ASSERT_EQ(3, copy->GetCount());
    for (int i = 0; i < 3; ++i)
        EXPECT_NE(area.GetAt(i), copy->GetAt(i));
    EXPECT_TRUE(copy->GetAt(0)->IsSelected());
    EXPECT_EQ(SaveRecord(area), SaveRecord(*copy));

    CGraphGroup* group = static_cast<CGraphGroup*>(area.GetAt(1));
    std::unique_ptr<CGraphObject> groupCopy(group->Clone());
    EXPECT_EQ(typeid(CGraphGroup), typeid(*groupCopy));
    EXPECT_NE(group->GetAt(0), static_cast<CGraphGroup*>(groupCopy.get())->GetAt(0));
    EXPECT_EQ(SaveRecord(*group), SaveRecord(*groupCopy));
}
