// Image and OLE 1 objects among the members of a collection record: the factory makes them, and
// the records around them are found again after them.
#include "graphimage_testutil.h"

#include "labelmodel/graphcollection.h"
#include "labelmodel/graphole1.h"
#include "labelmodel/graphshapes.h"
#include "labelmodel/typecodes.h"

#include <gtest/gtest.h>
#include <memory>
#include <typeinfo>

using namespace imgobj;

TEST(GraphImageCollection, FactoryMakesTheImageKinds)
{
    std::unique_ptr<CGraphObject> ext(CreateGraphObject(169));
    std::unique_ptr<CGraphObject> extExt(CreateGraphObject(189));
    std::unique_ptr<CGraphObject> ole(CreateGraphObject(999));
    ASSERT_TRUE(ext && extExt && ole);
    EXPECT_EQ(typeid(CGraphImageExt), typeid(*ext));
    EXPECT_EQ(typeid(CGraphImageExtExt), typeid(*extExt));
    EXPECT_EQ(typeid(CGraphOLE1), typeid(*ole));
    EXPECT_EQ(nullptr, CreateGraphObject(161));
}

TEST(GraphImageCollection, MembersAfterPicturesAndOle1ObjectsReadBack)
{
    CGraphCollection collection;
    auto* ext = new CGraphImageExt;
    ext->SetImagePath("C:\\a.wmf");
    collection.Append(ext);
    auto* extExt = new CGraphImageExtExt;
    auto* holder = new CImageBitmapNew;
    ASSERT_TRUE(holder->Attach(imagetest::ToGlobal(imagetest::QuadrantDib(6, 3))));
    extExt->SetHolder(holder);
    collection.Append(extExt);
    auto* ole = new CGraphOLE1;
    {
        // An embedded object with native data and no presentation.
        Bytes record;
        for (uint32_t v : {10u, 20u, 3000u, 4000u, kOle1Version, kOle1FormatEmbedded, 2u})
            imagetest::Append32(record, v);
        record.insert(record.end(), {'X', 0});
        imagetest::Append32(record, 0);
        imagetest::Append32(record, 0);
        imagetest::Append32(record, 5);
        record.insert(record.end(), {1, 2, 3, 4, 5});
        imagetest::Append32(record, kOle1Version);
        imagetest::Append32(record, 0);
        ASSERT_TRUE(LoadObject(*ole, record));
    }
    collection.Append(ole);
    auto* rect = new CGraphRect;
    rect->SetX(777);
    collection.Append(rect);

    CMemFile file;
    ASSERT_TRUE(collection.Save(&file));
    const Bytes saved = file.Bytes();
    file.SeekToBegin();
    CGraphCollection back;
    ASSERT_TRUE(back.LoadObjects(&file));
    EXPECT_EQ(saved.size(), file.GetPosition());
    ASSERT_EQ(4, back.GetCount());
    EXPECT_EQ(777, back.GetAt(3)->GetX());
    EXPECT_EQ(typeid(CGraphOLE1), typeid(*back.GetAt(2)));
    CMemFile again;
    ASSERT_TRUE(back.Save(&again));
    EXPECT_EQ(saved, again.Bytes());
}
