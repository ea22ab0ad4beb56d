// QR Code: settings, the encoding cache, sizes, drawing in the owner's box, the library's limits.
#include "barcode/qrcode.h"
#include "barcode/tests/testowner.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>

TEST(QRCode, SettingsAndNames)
{
    CBarcodeQRCode code;
    EXPECT_EQ(150, code.GetModuleWidth());
    EXPECT_EQ(1, code.GetVersion());
    EXPECT_EQ('L', code.GetErrorCorrectionLevel());
    EXPECT_EQ(4, code.GetMargin());
    EXPECT_TRUE(code.IsCentred());
    code.SetErrorCorrectionLevel('m');
    EXPECT_EQ('L', code.GetErrorCorrectionLevel());
    code.SetErrorCorrectionLevel('M');
    EXPECT_EQ('M', code.GetErrorCorrectionLevel());
    code.SetErrorCorrectionLevel('H');
    EXPECT_EQ('H', code.GetErrorCorrectionLevel());
    code.SetErrorCorrectionLevel('\0');
    EXPECT_EQ('H', code.GetErrorCorrectionLevel());

    char name[32];
    ASSERT_TRUE(code.GetEncodingModeName(name, sizeof name));
    EXPECT_STREQ("8-bit data", name);
    code.SetEncodingModeByName("KANJI");
    ASSERT_TRUE(code.GetEncodingModeName(name, sizeof name));
    EXPECT_STREQ("Kanji", name);
    code.SetEncodingModeByName("numeric");
    ASSERT_TRUE(code.GetEncodingModeName(name, sizeof name));
    EXPECT_STREQ("Kanji", name);
    code.SetEncodingModeByName("8-BIT DATA");
    ASSERT_TRUE(code.GetEncodingModeName(name, 4));
    EXPECT_STREQ("8-b", name);

    ASSERT_TRUE(code.GetName(name, sizeof name));
    EXPECT_STREQ("QR Code\xAE", name);
    int centred = -1;
    EXPECT_TRUE(code.QueryCentred(&centred));
    EXPECT_EQ(1, centred);
    code.SetCentredFlag(0);
    EXPECT_FALSE(code.IsCentred());
    EXPECT_FALSE(code.IsTextEditableInPlace());
    EXPECT_FALSE(code.AllowsPlaceholderText());
    EXPECT_FALSE(code.UsesFont());
    EXPECT_FALSE(code.HasBarHeight());
    EXPECT_FALSE(code.HasSpaceCorrection());
    EXPECT_FALSE(code.GetHumanReadable());
    EXPECT_FALSE(code.HasHumanReadable());
    EXPECT_TRUE(code.HasCentring() && code.HasVersion() && code.HasMargin());
    EXPECT_TRUE(code.HasErrorCorrectionLevel() && code.HasEncodingMode());
}

TEST(QRCode, SizesFollowTheSymbol)
{
    CBarcodeQRCode code;
    // 150 um at 600 dpi is 4 pixels; version 1 with margin 4 is 29 modules.
    EXPECT_EQ(4 * 29 * 25400 / 600, code.MeasureWidth("HELLO", 600));
    EXPECT_EQ(1, code.GetLastVersion());
    EXPECT_EQ(29 * (4 * 25400 / 600), code.GetSymbolHeight(nullptr, 600));
    // The library takes a larger version when the text needs it: the size follows.
    std::string text(100, 'x');
    EXPECT_EQ(4 * (8 + 4 * 5 + 17) * 25400 / 600, code.MeasureWidth(text.c_str(), 600));
    EXPECT_EQ(5, code.GetLastVersion());
    EXPECT_EQ(0, code.MeasureWidth("HELLO", 0));
    // A margin far beyond anything sensible measures without overflowing.
    code.SetMargin(1000);
    code.SetModuleWidth(100000);
    int64_t expected = int64_t(BarcodeUmToPx(100000, 600)) * (2000 + 4 * 1 + 17) * 25400 / 600;
    EXPECT_EQ(expected, code.MeasureWidth("HELLO", 600));
    code.SetModuleWidth(2000000000);
    EXPECT_EQ(INT_MAX, code.MeasureWidth("HELLO", 600));
}

TEST(QRCode, EncodesOnlyWhenSomethingChanged)
{
    CBarcodeQRCode code;
    DibCanvas canvas(200, 200);
    TestOwner owner;
    owner.dpi = 600;
    owner.PlaceFor(25400 * 150 / 600, 25400 * 150 / 600);
    owner.DrawSymbol(code, canvas.dc(), "HELLO");
    owner.DrawSymbol(code, canvas.dc(), "HELLO");
    code.MeasureWidth("HELLO", 600);
    EXPECT_EQ(1, code.GetEncodeCount());
    owner.DrawSymbol(code, canvas.dc(), "HELLO2");
    EXPECT_EQ(2, code.GetEncodeCount());
    code.SetErrorCorrectionLevel('Q');
    owner.DrawSymbol(code, canvas.dc(), "HELLO2");
    EXPECT_EQ(3, code.GetEncodeCount());
    code.SetVersion(2);
    owner.DrawSymbol(code, canvas.dc(), "HELLO2");
    EXPECT_EQ(4, code.GetEncodeCount());
    // A clone has the settings but its own, empty cache.
    std::unique_ptr<CBarcode> clone(code.Clone());
    auto* qr = static_cast<CBarcodeQRCode*>(clone.get());
    EXPECT_EQ(2, qr->GetVersion());
    EXPECT_EQ('Q', qr->GetErrorCorrectionLevel());
    EXPECT_EQ(0, qr->GetEncodeCount());
}

TEST(QRCode, TextsTheLibraryCannotTake)
{
    CBarcodeQRCode code;
    code.SetErrorCorrectionLevel('H');
    // 3000 bytes are more than version 40 holds at any level: no symbol, nothing drawn, and the
    // width is that of the configured version.
    std::string big(3000, 'x');
    EXPECT_FALSE(code.IsEncodable(big.c_str()));
    EXPECT_EQ(2 * 29 * 25400 / 300, code.MeasureWidth(big.c_str(), 300));
    DibCanvas canvas(300, 300);
    TestOwner owner;
    owner.PlaceFor(25400, 25400);
    EXPECT_EQ(0, owner.DrawSymbol(code, canvas.dc(), big.c_str()));
    EXPECT_TRUE(canvas.Extent().IsRectEmpty());
    // Kanji mode with text that is not Shift-JIS still encodes (as 8-bit data).
    code.SetEncodingModeByName("Kanji");
    EXPECT_TRUE(code.IsEncodable("ABC"));
    // Longer than the owner ever passes: not handed to the library at all.
    std::string over(kMaxBarcodeText + 1, '1');
    int before = code.GetEncodeCount();
    EXPECT_FALSE(code.IsEncodable(over.c_str()));
    EXPECT_EQ(0, code.MeasureWidth(over.c_str(), 300));
    EXPECT_EQ(before, code.GetEncodeCount());
    EXPECT_TRUE(code.IsEncodable(""));   // an empty text is not the library's to refuse
    EXPECT_EQ(0, owner.DrawSymbol(code, canvas.dc(), ""));
}

TEST(QRCode, LiveCount)
{
    int before = CBarcodeQRCode::GetLiveCount();
    {
        CBarcodeQRCode a;
        std::unique_ptr<CBarcode> b(a.Clone());
        EXPECT_EQ(before + 2, CBarcodeQRCode::GetLiveCount());
        a.IsEncodable("X");
    }
    EXPECT_EQ(before, CBarcodeQRCode::GetLiveCount());
}

TEST(QRCode, DrawsModulesTurnedAndCentred)
{
    CBarcodeQRCode code;
    code.SetMargin(0);
    TestOwner owner;
    owner.dpi = 600;   // m = 4
    const QRcode* symbol = code.Encode("HELLO");
    ASSERT_NE(nullptr, symbol);
    const int n = symbol->width;   // 21
    auto dark = [&](int r, int c) { return (symbol->data[r * n + c] & 1) != 0; };
    for (int rotation : {0, 900, 1800, 2700}) {
        owner.rotation = rotation;
        owner.x = owner.y = 25400 * 20 / 600;   // 20 pixels
        owner.PlaceFor(25400 * 84 / 600, 25400 * 84 / 600);
        DibCanvas canvas(140, 140);
        EXPECT_EQ(84, owner.DrawSymbol(code, canvas.dc(), "HELLO")) << rotation;
        EXPECT_EQ(CRect(20, 20, 104, 104), canvas.Extent()) << rotation;
        // Module (r, c) is where a turn of the matrix puts it, not a mirror image.
        for (int r = 0; r < n; ++r)
            for (int c = 0; c < n; ++c) {
                int px, py;
                switch (rotation) {
                case 0: px = c; py = r; break;
                case 900: px = r; py = n - 1 - c; break;
                case 1800: px = n - 1 - c; py = n - 1 - r; break;
                default: px = n - 1 - r; py = c; break;
                }
                COLORREF at = canvas.Pixel(20 + 4 * px + 2, 20 + 4 * py + 2);
                ASSERT_EQ(dark(r, c) ? RGB(0, 0, 0) : RGB(255, 255, 255), at)
                    << rotation << " " << r << "," << c;
            }
    }
    // Centred in a box taller than the symbol: moved down by half the difference.
    owner.rotation = 0;
    owner.PlaceFor(25400 * 84 / 600, 25400 * 124 / 600);
    DibCanvas canvas(140, 180);
    owner.DrawSymbol(code, canvas.dc(), "HELLO");
    EXPECT_EQ(CRect(20, 40, 104, 124), canvas.Extent());
    code.SetCentred(false);
    DibCanvas top(140, 180);
    owner.DrawSymbol(code, top.dc(), "HELLO");
    EXPECT_EQ(CRect(20, 20, 104, 104), top.Extent());
    // Clipped to the owner's box; any other rotation draws nothing.
    owner.PlaceFor(25400 * 40 / 600, 25400 * 30 / 600);
    DibCanvas clipped(140, 140);
    owner.DrawSymbol(code, clipped.dc(), "HELLO");
    EXPECT_TRUE(CRect(20, 20, 60, 50).PtInRect(clipped.Extent().TopLeft()));
    EXPECT_LE(clipped.Extent().right, 60);
    EXPECT_LE(clipped.Extent().bottom, 50);
    owner.rotation = 450;
    DibCanvas none(140, 140);
    EXPECT_EQ(0, owner.DrawSymbol(code, none.dc(), "HELLO"));
    EXPECT_TRUE(none.Extent().IsRectEmpty());
}

TEST(QRCode, ClipMessageIsBounded)
{
    EXPECT_EQ(CString("Streckkod klippt p\xE5 etikett nummer 4 med text \"ABC\""),
              FormatQrClipMessage(4, "ABC"));
    std::string big(20000, 'x');
    CString message = FormatQrClipMessage(12345, big.c_str());
    EXPECT_EQ(8191, message.GetLength());
    EXPECT_EQ('"', message[8190]);
    // The caption is seen where the message shows (graphbarcode_draw_test), not as a constant here.
}
