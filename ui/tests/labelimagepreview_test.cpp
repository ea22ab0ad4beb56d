// The picture of a label definition: the "ImagePreview" class with its white background, the
// picture files it shows (PNG, JPEG, BMP in any case of extension), what it refuses (GIF), and a
// path too long for it.
#include "testsupport/picturefiles.h"
#include "testsupport/tempdir.h"
#include "ui/labelimagepreview.h"

#include <gtest/gtest.h>
#include <string>

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

class ImagePreviewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CLabelImagePreview::RegisterWindowClass());
        ASSERT_TRUE(host.CreateEx(0, nullptr, "dialog", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr));
        // As a dialog template makes it, then bound by subclassing.
        HWND control = ::CreateWindowExA(0, "ImagePreview", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 100, host.m_hWnd,
                                         reinterpret_cast<HMENU>(1001), ::GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, control);
        ASSERT_TRUE(preview.SubclassWindow(control));
    }
    void TearDown() override
    {
        preview.DestroyWindow();
        host.DestroyWindow();
    }

    std::string Write(const char* name, const GUID& format, COLORREF colour)
    {
        const std::string path = dir.Path(name).GetString();
        EXPECT_TRUE(picturefiles::WritePicture(path.c_str(), format, 40, 20, [colour](int, int) { return colour; }))
            << name;
        return path;
    }

    // Paints the window and reads one of its pixels back.
    COLORREF Shown(int x, int y)
    {
        preview.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        HDC dc = ::GetDC(preview.m_hWnd);
        const COLORREF pixel = ::GetPixel(dc, x, y);
        ::ReleaseDC(preview.m_hWnd, dc);
        return pixel;
    }

    TempDir dir;
    CWnd host;
    CLabelImagePreview preview;
};

} // namespace

TEST_F(ImagePreviewTest, TheClassHasAWhiteBackground)
{
    WNDCLASSA info = {};
    ASSERT_TRUE(::GetClassInfoA(::GetModuleHandleA(nullptr), "ImagePreview", &info));
    EXPECT_EQ(info.hbrBackground, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(Shown(50, 50), kWhite);
    EXPECT_EQ(preview.GetImage(), nullptr);
}

TEST_F(ImagePreviewTest, PngJpegAndBmpFilesAreShownKeepingTheirAspect)
{
    const struct {
        const char* name;
        GUID format;
        COLORREF colour;
    } files[] = {
        {"red.png", GUID_ContainerFormatPng, RGB(255, 0, 0)},
        {"blue.JPG", GUID_ContainerFormatJpeg, RGB(0, 0, 255)},
        {"green.Bmp", GUID_ContainerFormatBmp, RGB(0, 160, 0)},
    };
    for (const auto& file : files) {
        const std::string path = Write(file.name, file.format, file.colour);
        preview.SetImageFile(path.c_str());
        EXPECT_EQ(preview.GetImage(), nullptr) << "read when it paints";
        EXPECT_TRUE(picturefiles::NearColour(Shown(50, 20), file.colour, 24)) << file.name;
        ASSERT_NE(preview.GetImage(), nullptr) << file.name;
        // 40 x 20 into 100 x 100: the lower half stays white.
        EXPECT_EQ(Shown(50, 80), kWhite) << file.name;

        // The same path again keeps the picture; another lets it go.
        const CImageBitmapNew* held = preview.GetImage();
        preview.SetImageFile(path.c_str());
        EXPECT_EQ(preview.GetImage(), held);
    }
    preview.SetImageFile("");
    EXPECT_EQ(preview.GetImage(), nullptr);
    EXPECT_EQ(Shown(50, 20), kWhite);
}

TEST_F(ImagePreviewTest, OtherPictureFilesShowNothing)
{
    const std::string gif = Write("picture.gif", GUID_ContainerFormatGif, RGB(255, 0, 0));
    preview.SetImageFile(gif.c_str());
    EXPECT_EQ(Shown(50, 20), kWhite);
    EXPECT_EQ(preview.GetImage(), nullptr);

    // A missing file and a damaged one load nothing either.
    preview.SetImageFile(dir.Path("missing.png"));
    EXPECT_EQ(Shown(50, 20), kWhite);
    EXPECT_EQ(preview.GetImage(), nullptr);
    ASSERT_TRUE(dir.WriteBytes("broken.png", "\x89PNG\r\n\x1a\n", 8));
    preview.SetImageFile(dir.Path("broken.png"));
    EXPECT_EQ(Shown(50, 20), kWhite);
    EXPECT_EQ(preview.GetImage(), nullptr);
}

TEST_F(ImagePreviewTest, APathTooLongIsNotCutIntoAnotherFile)
{
    // A picture whose path is exactly the 259 characters the window keeps of a longer path.
    std::string kept = dir.Path().GetString();
    kept += "\\";
    kept += std::string(259 - kept.size() - 4, 'p');
    kept += ".png";
    ASSERT_EQ(kept.size(), 259u);
    ASSERT_TRUE(picturefiles::WritePicture(kept.c_str(), GUID_ContainerFormatPng, 40, 20,
                                           [](int, int) { return RGB(255, 0, 0); }));
    std::string longPath = kept + std::string(300 - kept.size() - 4, 'q') + ".png";
    ASSERT_EQ(longPath.size(), 300u);

    preview.SetImageFile(longPath.c_str());
    EXPECT_EQ(std::string(preview.GetImageFile()), kept);
    EXPECT_EQ(Shown(50, 20), kWhite);
    EXPECT_EQ(preview.GetImage(), nullptr);

    // The 259-character path itself is shown.
    preview.SetImageFile(kept.c_str());
    EXPECT_TRUE(picturefiles::NearColour(Shown(50, 20), RGB(255, 0, 0), 24));
}
