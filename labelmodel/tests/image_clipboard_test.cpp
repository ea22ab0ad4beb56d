// Pictures through the system clipboard: CF_DIB and CF_METAFILEPICT both ways.
#include "imagetestutil.h"

#include "testsupport/dibcanvas.h"

#include <gtest/gtest.h>
#include <memory>

using namespace imagetest;

namespace {

// A message-only window that owns the clipboard while a test opens it.
class ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, m_window);
    }
    void TearDown() override
    {
        if (Open()) {
            EmptyClipboard();
            CloseClipboard();
        }
        DestroyWindow(m_window);
    }
    // Another process (Wine's own) may hold the clipboard for a moment.
    bool Open()
    {
        for (int attempt = 0; attempt < 50; ++attempt) {
            if (OpenClipboard(m_window))
                return true;
            Sleep(20);
        }
        return false;
    }
    // Opens and empties the clipboard, runs `put`, closes it; answers put's result.
    template <class F> bool Put(F put)
    {
        if (!Open())
            return false;
        EmptyClipboard();
        const bool ok = put();
        CloseClipboard();
        return ok;
    }

    HWND m_window = nullptr;
};

TEST_F(ClipboardTest, DibRoundTripGivesTheOwnerItsSize)
{
    const Bytes dib = QuadrantDib(96, 48);
    CImageBitmapNew source;
    ASSERT_TRUE(source.Attach(ToGlobal(dib)));
    ASSERT_TRUE(Put([&] { return source.CopyPictureToClipboard(); }));

    ASSERT_TRUE(Open());
    HGLOBAL handle = GetClipboardData(CF_DIB);
    ASSERT_NE(nullptr, handle);
    CImageBitmapNew pasted;
    SizeOwner owner;
    EXPECT_TRUE(pasted.SetFromClipboard(&owner, CF_DIB, handle));
    CloseClipboard();
    EXPECT_EQ(dib, GlobalBytes(pasted.Dib()));
    EXPECT_NE(handle, pasted.Dib());                 // a copy: the clipboard keeps its own
    EXPECT_EQ(96, pasted.Width());
    EXPECT_EQ(48, pasted.Height());
    // 96 dots per inch: one inch by half an inch.
    EXPECT_EQ(25400, owner.width);
    EXPECT_EQ(12700, owner.height);
}

TEST_F(ClipboardTest, OldBitmapPutsHeaderAndBitsAsOneBlock)
{
    Bytes body;
    Append16(body, 1234);
    Append16(body, 2);
    Append16(body, 2);
    Append16(body, 40);
    const Bytes dib = QuadrantDib(2, 2);
    Append(body, dib);
    CImageBitmap holder;
    ASSERT_TRUE(LoadBytes(holder, body));
    ASSERT_TRUE(Put([&] { return holder.CopyPictureToClipboard(); }));
    ASSERT_TRUE(Open());
    HGLOBAL handle = GetClipboardData(CF_DIB);
    CImageBitmapNew pasted;
    EXPECT_TRUE(pasted.SetFromClipboard<SizeOwner>(nullptr, CF_DIB, handle));
    CloseClipboard();
    EXPECT_EQ(dib, GlobalBytes(pasted.Dib()));
    // Reporting success without putting anything would paste the clipboard's older content.
    CImageBitmap empty;
    EXPECT_FALSE(Put([&] { return empty.CopyPictureToClipboard(); }));
}

TEST_F(ClipboardTest, MetafileRoundTripInHundredthsOfAMillimetre)
{
    const Bytes bits = TwoColourMetafileBits();
    Bytes body;
    Append32(body, 25400);
    Append32(body, 12700);
    Append32(body, (uint32_t)bits.size());
    Append(body, bits);
    CImageMetafile source;
    ASSERT_TRUE(LoadBytes(source, body));
    ASSERT_TRUE(Put([&] { return source.CopyPictureToClipboard(); }));

    ASSERT_TRUE(Open());
    HGLOBAL handle = GetClipboardData(CF_METAFILEPICT);
    ASSERT_NE(nullptr, handle);
    const auto* picture = static_cast<const METAFILEPICT*>(GlobalLock(handle));
    ASSERT_NE(nullptr, picture);
    EXPECT_EQ(MM_ANISOTROPIC, picture->mm);
    EXPECT_EQ(2540, picture->xExt);
    EXPECT_EQ(1270, picture->yExt);
    GlobalUnlock(handle);
    CImageMetafile pasted;
    SizeOwner owner;
    EXPECT_TRUE(pasted.SetFromClipboard(&owner, CF_METAFILEPICT, handle));
    CloseClipboard();
    EXPECT_EQ(25400, pasted.WidthUm());
    EXPECT_EQ(12700, pasted.HeightUm());
    EXPECT_EQ(25400, owner.width);
    EXPECT_EQ(12700, owner.height);
    EXPECT_EQ(bits, MetafileBitsOf(pasted.Metafile()));
    EXPECT_EQ(bits.size(), pasted.BitsSize());

    DibCanvas canvas(100, 100);
    pasted.Draw(&canvas.dc(), "", 0, 0, 100, 100, 0, 0, 100, 100, kImageCentre);
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(25, 50));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(75, 50));
}

TEST_F(ClipboardTest, MetafileWithoutSuggestedSizeKeepsTheOwnersSize)
{
    HMETAFILE mf = MetafileFromBits(TwoColourMetafileBits().data(),
                                    (UINT)TwoColourMetafileBits().size(), nullptr);
    ASSERT_NE(nullptr, mf);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof(METAFILEPICT));
    auto* picture = static_cast<METAFILEPICT*>(GlobalLock(block));
    picture->mm = MM_ANISOTROPIC;
    picture->xExt = -4;                               // an aspect only
    picture->yExt = -2;
    picture->hMF = mf;
    GlobalUnlock(block);
    CImageMetafile holder;
    SizeOwner owner;
    EXPECT_TRUE(holder.SetFromClipboard(&owner, CF_METAFILEPICT, block));
    EXPECT_FALSE(holder.IsEmpty());
    EXPECT_EQ(0, holder.WidthUm());
    EXPECT_EQ(-1, owner.width);
    EXPECT_EQ(-1, owner.height);
    DeleteMetaFile(mf);
    GlobalFree(block);
}

TEST_F(ClipboardTest, BadClipboardDataIsRefused)
{
    CImageBitmapNew bitmap;
    ASSERT_TRUE(bitmap.Attach(ToGlobal(QuadrantDib(2, 2))));
    const Bytes before = SavedBytes(bitmap);
    SizeOwner owner;
    HGLOBAL junk = CopyToGlobal("not a bitmap at all", 19);
    EXPECT_FALSE(bitmap.SetFromClipboard(&owner, CF_DIB, junk));
    EXPECT_FALSE(bitmap.SetFromClipboard(&owner, CF_DIB, nullptr));
    Bytes shortDib = QuadrantDib(8, 8);
    shortDib.resize(60);
    HGLOBAL cut = ToGlobal(shortDib);
    EXPECT_FALSE(bitmap.SetFromClipboard(&owner, CF_DIB, cut));
    HGLOBAL good = ToGlobal(QuadrantDib(4, 4));
    EXPECT_FALSE(bitmap.SetFromClipboard(&owner, CF_METAFILEPICT, good));
    EXPECT_EQ(before, SavedBytes(bitmap));
    EXPECT_EQ(-1, owner.width);

    CImageMetafile metafile;
    EXPECT_FALSE(metafile.SetFromClipboard(&owner, CF_METAFILEPICT, junk));   // hMF is no metafile
    HGLOBAL tiny = CopyToGlobal("ab", 2);
    EXPECT_FALSE(metafile.SetFromClipboard(&owner, CF_METAFILEPICT, tiny));
    EXPECT_FALSE(metafile.SetFromClipboard(&owner, CF_DIB, good));
    EXPECT_TRUE(metafile.IsEmpty());
    CImageBase base;
    EXPECT_FALSE(base.SetFromClipboard(&owner, CF_DIB, good));
    EXPECT_FALSE(base.CopyPictureToClipboard());
    EXPECT_FALSE(CImageBitmapNew().CopyPictureToClipboard());
    EXPECT_EQ(-1, owner.width);
    for (HGLOBAL h : {junk, cut, good, tiny})
        GlobalFree(h);
}

} // namespace
