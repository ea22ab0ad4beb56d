// The property operations of the image objects: sources, column names, paths, fitting, turning,
// aspect, copies, the picture file dialog and pictures through the clipboard.
#include "graphimage_testutil.h"

#include "testsupport/dibcanvas.h"
#include "testsupport/msgboxrecorder.h"

#include <gtest/gtest.h>
#include <cstring>
#include <memory>

using namespace imgobj;

namespace {

// The abstract base with the drawing it never does.
class PlainImage : public CGraphImage {
public:
    CGraphObject* Clone() override { return new PlainImage(*this); }
    bool Draw(CDC*, int, int, int, bool, int, int, int, int, CDataTableBase*, CDataTableMap*,
              bool) override
    {
        return true;
    }
};

CImageBitmapNew* BitmapHolder(int width, int height)
{
    auto* holder = new CImageBitmapNew;
    EXPECT_TRUE(holder->Attach(CreateDib24(width, height)));
    return holder;
}

CImageMetafile* MetafileHolder()
{
    Bytes body;
    imagetest::Append32(body, 25400);
    imagetest::Append32(body, 12700);
    const Bytes bits = imagetest::TwoColourMetafileBits();
    imagetest::Append32(body, (uint32_t)bits.size());
    imagetest::Append(body, bits);
    auto* holder = new CImageMetafile;
    EXPECT_TRUE(imagetest::LoadBytes(*holder, body));
    return holder;
}

} // namespace

TEST(GraphImageProps, SourcesAndTheQueriesThatFollowThem)
{
    CGraphImageExt ext;
    EXPECT_EQ(0, ext.GetLineWidth());
    EXPECT_TRUE(ext.IsImage());
    EXPECT_TRUE(ext.CanEditContent());
    EXPECT_TRUE(ext.HasPictureOptions());
    EXPECT_TRUE(ext.HasImageSource());
    EXPECT_TRUE(ext.IsImageCentred());
    EXPECT_FALSE(ext.IsStretchToFit());
    EXPECT_EQ(1, ext.GetImageSource());
    EXPECT_TRUE(ext.IsFileSource());
    EXPECT_EQ(1, ext.GetSourceKind());

    ext.SetImageSource(3);
    EXPECT_EQ(1, ext.GetImageSource());
    ext.SetSourceKind(0);
    EXPECT_EQ(2, ext.GetImageSource());
    EXPECT_FALSE(ext.IsFileSource());
    EXPECT_EQ(0, ext.GetSourceKind());
    ext.SetSourceKind(5);
    EXPECT_EQ(2, ext.GetImageSource());
    // A table picture takes no path from outside.
    EXPECT_FALSE(ext.SetImagePath("C:\\a.png"));
    EXPECT_TRUE(ext.GetPath().IsEmpty());
    ext.SetSourceKind(1);
    EXPECT_TRUE(ext.SetImagePath("C:\\a.png"));
    EXPECT_EQ(kImageHolderBitmapNew, ext.GetHolder()->GetTypeCode());

    // A source that only a damaged record holds.
    Bytes saved = SaveObject(ext);
    const size_t sourceAt = 16 + 13 + 128 + 2 + 2;   // after the empty 165 holder's one word
    ASSERT_EQ(1, saved[sourceAt]);
    saved[sourceAt] = 7;
    CGraphImageExt odd;
    ASSERT_TRUE(LoadObject(odd, saved));
    EXPECT_EQ(-1, odd.GetSourceKind());
    EXPECT_FALSE(odd.IsFileSource());

    PlainImage plain;
    EXPECT_EQ(161, plain.GetTypeCode());
    EXPECT_TRUE(plain.IsFileSource());
    EXPECT_EQ(1, plain.GetSourceKind());
    EXPECT_FALSE(plain.HasPictureOptions());
    EXPECT_FALSE(plain.HasImageSource());
    EXPECT_TRUE(plain.SetImagePath("C:\\b.wmf"));
    EXPECT_EQ(kImageHolderMetafile, plain.GetHolder()->GetTypeCode());
}

TEST(GraphImageProps, ColumnNamesReadAndWriteTheImageColumn)
{
    CGraphImageExtExt image;
    char name[32] = "untouched";
    EXPECT_FALSE(image.GetColumnName(name, sizeof name));
    image.SetImageSource(kImageSourceTable);
    image.SetImageColumn(1);
    EXPECT_TRUE(image.GetColumnName(name, sizeof name));
    EXPECT_STREQ("Image 2", name);

    EXPECT_TRUE(image.SetColumnName("Image 3"));
    EXPECT_EQ(2, image.GetImageColumn());
    EXPECT_TRUE(image.SetColumnName("4"));
    EXPECT_EQ(3, image.GetImageColumn());
    EXPECT_TRUE(image.SetColumnName("Bild 1"));
    EXPECT_EQ(0, image.GetImageColumn());
    EXPECT_TRUE(image.SetColumnName("5"));
    EXPECT_EQ(0, image.GetImageColumn());
    EXPECT_TRUE(image.SetColumnName("0"));
    EXPECT_EQ(0, image.GetImageColumn());
    EXPECT_FALSE(image.SetColumnName("Image"));
    EXPECT_FALSE(image.SetColumnName(""));
    EXPECT_FALSE(image.SetColumnName(nullptr));

    image.SetImageColumn(-1);
    std::strcpy(name, "untouched");
    EXPECT_TRUE(image.GetColumnName(name, sizeof name));
    EXPECT_STREQ("untouched", name);
}

TEST(GraphImageProps, FittingTurningAndAspectFollowTheHolder)
{
    CGraphImageExtExt image;
    image.SetWidth(20000);
    image.SetHeight(10000);
    EXPECT_FALSE(image.FitToPicture());
    EXPECT_EQ(50, image.GetAspectPercent());           // the box's own, without a picture
    image.SetHeight(0);
    EXPECT_EQ(100, image.GetAspectPercent());

    image.SetHolder(BitmapHolder(600, 300));
    ASSERT_TRUE(image.FitToPicture());
    EXPECT_EQ(50800, image.GetWidth());
    EXPECT_EQ(25400, image.GetHeight());
    EXPECT_EQ(50, image.GetAspectPercent());

    image.Rotate90(25400, 12700, 1);
    EXPECT_EQ(25400, image.GetWidth());
    EXPECT_EQ(50800, image.GetHeight());
    auto* bitmap = static_cast<CImageBitmapNew*>(image.GetHolder());
    EXPECT_EQ(300, bitmap->Width());
    EXPECT_EQ(600, bitmap->Height());
    image.Rotate90(0, 0, 2);
    EXPECT_EQ(25400, image.GetWidth());

    // A metafile cannot turn: neither may its box.
    image.SetHolder(MetafileHolder());
    image.SetX(100);
    image.Rotate90(0, 0, -1);
    EXPECT_EQ(100, image.GetX());
    EXPECT_EQ(25400, image.GetWidth());
    ASSERT_TRUE(image.FitToPicture());
    EXPECT_EQ(25400, image.GetWidth());
    EXPECT_EQ(12700, image.GetHeight());

    // Without a picture the box turns.
    image.SetHolder(nullptr);
    ASSERT_NE(nullptr, image.GetHolder());
    image.Rotate90(0, 0, 1);
    EXPECT_EQ(12700, image.GetWidth());
    EXPECT_EQ(25400, image.GetHeight());
}

TEST(GraphImageProps, CopiesOwnTheirOwnHolder)
{
    CGraphImageExtExt image;
    image.SetImageSource(kImageSourceTable);
    image.SetImageColumn(3);
    image.SetCrop(1, 2, 3, 4);
    image.SetStretchToFit(true);
    image.SetHolder(BitmapHolder(6, 3));
    image.SetSelected(true);
    std::unique_ptr<CGraphObject> copy(image.Clone());
    auto* clone = dynamic_cast<CGraphImageExtExt*>(copy.get());
    ASSERT_NE(nullptr, clone);
    EXPECT_NE(image.GetHolder(), clone->GetHolder());
    EXPECT_EQ(SaveObject(image), SaveObject(*clone));
    EXPECT_TRUE(clone->IsSelected());
    image.SetHolder(nullptr);
    EXPECT_EQ(kImageHolderBitmapNew, clone->GetHolder()->GetTypeCode());
}

namespace {

struct DialogScript {
    static inline BOOL answer = TRUE;
    static inline std::string chosen;
    static inline OPENFILENAMEA seen = {};
    static inline std::string initialFile;
    static inline std::string filter;
    static BOOL Show(OPENFILENAMEA* ofn)
    {
        seen = *ofn;
        initialFile = ofn->lpstrFile;
        const char* f = ofn->lpstrFilter;
        filter.assign(f, f + (std::strlen(f) + 1 + std::strlen(f + std::strlen(f) + 1) + 2));
        if (answer)
            lstrcpynA(ofn->lpstrFile, chosen.c_str(), (int)ofn->nMaxFile);
        else
            std::strcpy(ofn->lpstrFile, "scribbled by a cancelled dialog");
        return answer;
    }
};

class ScriptedDialog {
public:
    ScriptedDialog() : m_previous(SetPictureFileDialogFunction(&DialogScript::Show)) {}
    ~ScriptedDialog() { SetPictureFileDialogFunction(m_previous); }

private:
    PictureFileDialogFunction m_previous;
};

} // namespace

TEST(GraphImageProps, PictureFileDialogOffersPictureFiles)
{
    const std::string expected("Image files \0*.jpg;*.jpeg;*.bmp;*.png;*.wmf\0\0", 45);
    EXPECT_EQ(expected, PictureFileFilter());

    ScriptedDialog scripted;
    CGraphImageExtExt image;
    image.SetImagePath("C:\\old.png");
    DialogScript::answer = TRUE;
    DialogScript::chosen = "C:\\new.WMF";
    ASSERT_TRUE(image.EditContent(nullptr));
    EXPECT_EQ("C:\\old.png", DialogScript::initialFile);
    EXPECT_EQ(expected, DialogScript::filter);
    EXPECT_STREQ("jpg", DialogScript::seen.lpstrDefExt);
    EXPECT_EQ((DWORD)(OFN_EXPLORER | OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY),
              DialogScript::seen.Flags);
    EXPECT_GE(DialogScript::seen.nMaxFile, 261u);
    EXPECT_STREQ("C:\\new.WMF", image.GetPath());
    EXPECT_EQ(kImageHolderMetafile, image.GetHolder()->GetTypeCode());

    DialogScript::answer = FALSE;
    EXPECT_FALSE(image.EditContent(nullptr));
    EXPECT_STREQ("C:\\new.WMF", image.GetPath());
    EXPECT_EQ(kImageHolderMetafile, image.GetHolder()->GetTypeCode());
}

// A picture chosen in the dialog whose path the record cannot keep is refused there, with a
// message that names the path and the limit; the object keeps its picture.
TEST(GraphImageProps, PictureDialogRefusesAPathTheRecordCannotKeep)
{
    ScriptedDialog scripted;
    MessageBoxRecorder boxes;
    CGraphImageExtExt image;
    image.SetImagePath("C:\\old.png");
    const std::string longPath = "C:\\" + std::string(140, 'd') + "\\new.png";
    DialogScript::answer = TRUE;
    DialogScript::chosen = longPath;
    EXPECT_FALSE(image.EditContent(nullptr));
    EXPECT_STREQ("C:\\old.png", image.GetPath());
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_NE(-1, boxes.Last().text.Find(longPath.c_str()));
    EXPECT_NE(-1, boxes.Last().text.Find("127 characters"));
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes.Last().Icon());

    // Exactly 127 characters still fit.
    DialogScript::chosen = "C:\\" + std::string(120, 'd') + ".wmf";
    ASSERT_EQ(127u, DialogScript::chosen.size());
    EXPECT_TRUE(image.EditContent(nullptr));
    EXPECT_STREQ(DialogScript::chosen.c_str(), image.GetPath());
    EXPECT_EQ(1u, boxes.Count());
}

TEST(GraphImageProps, ClipboardPicturesMakeNewImageObjects)
{
    ClipboardOwner owner;
    const Bytes dib = imagetest::QuadrantDib(96, 48);
    CGraphImageExtExt source;
    EXPECT_FALSE(source.CopyPictureToClipboard());          // no picture yet
    auto* holder = new CImageBitmapNew;
    ASSERT_TRUE(holder->Attach(imagetest::ToGlobal(dib)));
    source.SetHolder(holder);

    ASSERT_TRUE(owner.Open());
    EmptyClipboard();
    EXPECT_TRUE(source.CopyPictureToClipboard());
    CloseClipboard();

    ASSERT_TRUE(owner.Open());
    HGLOBAL handle = GetClipboardData(CF_DIB);
    ASSERT_NE(nullptr, handle);
    CGraphImageExtExt pasted;
    pasted.SetX(500);
    pasted.SetImageSource(kImageSourceTable);
    pasted.SetCrop(10, 10, 20, 20);
    pasted.SetLineWidth(300);
    const Bytes untouched = SaveObject(pasted);
    EXPECT_FALSE(pasted.CreateFromClipboard(CF_TEXT, handle));
    EXPECT_FALSE(pasted.CreateFromClipboard(CF_METAFILEPICT, nullptr));
    EXPECT_EQ(untouched, SaveObject(pasted));
    EXPECT_TRUE(pasted.CreateFromClipboard(CF_DIB, handle));
    CloseClipboard();

    EXPECT_EQ(0, pasted.GetX());
    EXPECT_EQ(25400, pasted.GetWidth());                     // 96 pixels at 96 dots per inch
    EXPECT_EQ(12700, pasted.GetHeight());
    EXPECT_EQ(0, pasted.GetLineWidth());
    EXPECT_EQ(kImageSourceFile, pasted.GetImageSource());
    EXPECT_FALSE(pasted.IsImageCentred());
    EXPECT_FALSE(pasted.IsStretchToFit());
    int l, t, r, b;
    pasted.GetCrop(&l, &t, &r, &b);
    EXPECT_EQ(0, l + t);
    EXPECT_EQ(200, r + b);
    EXPECT_TRUE(pasted.GetPath().IsEmpty());
    EXPECT_EQ(dib, imagetest::GlobalBytes(static_cast<CImageBitmapNew*>(pasted.GetHolder())->Dib()));

    // A metafile picture the other way round.
    CGraphImageExtExt drawing;
    drawing.SetHolder(MetafileHolder());
    ASSERT_TRUE(owner.Open());
    EmptyClipboard();
    EXPECT_TRUE(drawing.CopyPictureToClipboard());
    CloseClipboard();
    ASSERT_TRUE(owner.Open());
    CGraphImageExtExt metafile;
    EXPECT_TRUE(metafile.CreateFromClipboard(CF_METAFILEPICT, GetClipboardData(CF_METAFILEPICT)));
    CloseClipboard();
    EXPECT_EQ(kImageHolderMetafile, metafile.GetHolder()->GetTypeCode());
    EXPECT_EQ(25400, metafile.GetWidth());
    EXPECT_EQ(12700, metafile.GetHeight());
    DibCanvas canvas(100, 60);
    metafile.Draw(&canvas.dc(), 100, 0, 0, false, 1, 2, 300, 300, nullptr, nullptr, false);
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(20, 20));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(75, 20));
}
