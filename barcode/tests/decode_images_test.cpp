// Draws every symbology through the barcode object, as labels are drawn, in the four rotations,
// the three alignments and with both space corrections into BMP files and writes what each must
// decode to into manifest.txt; barcode/tests/decode_check.sh then reads them back with zbarimg
// and ZXingReader, and compares the QR Code module matrices with the qrencode command's. The
// folder is KORVELTA_DECODE_DIR, else "decode-images" here.
#include "barcode/barcodefactory.h"
#include "barcode/qrcode.h"
#include "barcode/tests/decodeoutput.h"
#include "barcode/tests/testowner.h"
#include "labelmodel/graphbarcode.h"
#include "testsupport/msgboxrecorder.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

namespace {

struct DecodeCase {
    int typeCode;
    std::function<void(CBarcode&)> setup;
    std::string text;
    std::string expected;      // what the decoders must read, check character included
    const char* zbarType;      // "-": zbar cannot read it
    const char* zxingFormat;   // "-": ZXing cannot read it
    const char* identifier;    // ZXing symbology identifier, "-" not checked
    int dpi = 300;
};

std::string Range(int from, int to)
{
    std::string s;
    for (int c = from; c <= to; ++c)
        s += static_cast<char>(c);
    return s;
}

std::string DigitPairs()
{
    std::string s;
    for (int i = 0; i < 100; ++i) {
        s += static_cast<char>('0' + i / 10);
        s += static_cast<char>('0' + i % 10);
    }
    return s;
}

// A QR Code with the case flag off can only come from a record.
void LoadCaseInsensitive(CBarcode& code)
{
    CMemFile out;
    code.Save(&out);
    std::vector<BYTE> bytes = out.Bytes();
    bytes[12 + 16] = 0;   // case sensitive
    CMemFile in(bytes.data(), static_cast<UINT>(bytes.size()));
    ASSERT_TRUE(code.Load(&in));
}

std::vector<DecodeCase> Cases()
{
    auto none = [](CBarcode&) {};
    auto module = [](int um) { return [um](CBarcode& c) { c.SetModuleWidth(um); }; };
    std::vector<DecodeCase> cases = {
        {401, [](CBarcode& c) { c.SetCheckDigit(true); }, "ABC123", "ABC123$", "CODE-39", "Code39", "-"},
        {401, none, "CODE-39 $/+%.", "CODE-39 $/+%.", "CODE-39", "Code39", "-"},
        {402, none, "123", "0123", "I2/5", "-", "-"},
        {402, [](CBarcode& c) { c.SetCheckDigit(true); }, "1234567", "12345670", "I2/5", "ITF", "-"},
        {402, none, "12345678", "12345678", "I2/5", "ITF", "-"},
        {406, none, "1234", "1234", "CODE-128", "Code128", "]C0"},
        {406, none, "AB12345678", "AB12345678", "CODE-128", "Code128", "]C0"},
        {406, module(254), Range(32, 126), Range(32, 126), "CODE-128", "Code128", "]C0"},
        {406, none, "\x01" "AB\x02" "cd\x1F" "x", "\x01" "AB\x02" "cd\x1F" "x", "CODE-128", "Code128", "]C0"},
        {406, module(254), Range(1, 31) + "AZ", Range(1, 31) + "AZ", "CODE-128", "Code128", "]C0"},
        {406, module(254), DigitPairs(), DigitPairs(), "CODE-128", "Code128", "]C0"},
        {407, none, "0112345678901231\xB6" "10AB12", "0112345678901231\x1D" "10AB12", "CODE-128", "Code128", "]C1"},
        {403, none, "400638133393", "4006381333931", "EAN-13", "EAN-13", "-"},
        {403, none, "12345", "0000000123457", "EAN-13", "EAN-13", "-"},
        {405, none, "1234567", "12345670", "EAN-8", "EAN-8", "-"},
        {404, none, "036000291452", "036000291452", "UPC-A", "UPC-A", "-"},
        {404, none, "12345678901", "123456789012", "UPC-A", "UPC-A", "-"},
        {408, [](CBarcode& c) { c.SetErrorCorrectionLevel('M'); }, "HELLO WORLD", "HELLO WORLD", "QR-Code", "QRCode", "-", 600},
        {408, [](CBarcode& c) { c.SetErrorCorrectionLevel('Q'); }, "https://example.com/label?id=12345&x=y",
         "https://example.com/label?id=12345&x=y", "QR-Code", "QRCode", "-", 600},
        {408, LoadCaseInsensitive, "hello world 42", "HELLO WORLD 42", "QR-Code", "QRCode", "-", 600},
        {408, [](CBarcode& c) { c.SetErrorCorrectionLevel('H'); c.SetVersion(7); }, std::string(300, 'k') + "END",
         std::string(300, 'k') + "END", "QR-Code", "QRCode", "-", 600},
    };
    return cases;
}

int Px(int64_t um, int dpi) { return static_cast<int>((um * dpi + 12700) / 25400); }

}   // namespace

TEST(DecodeImages, EverySymbologyTurnedAndSpaceCorrected)
{
    MessageBoxRecorder boxes;
    CString dir = OutputFolder();
    FILE* manifest = fopen(dir + "\\manifest.txt", "wb");
    ASSERT_TRUE(manifest);
    int index = 0;
    for (const DecodeCase& c : Cases()) {
        ++index;
        for (int spaceCorrection : {0, 1}) {
            for (int rotation : {0, 900, 1800, 2700}) {
                SCOPED_TRACE(testing::Message() << "case " << index << " rotation " << rotation
                                                << " space correction " << spaceCorrection);
                CGraphBarcode object;
                object.SetSymbology(CreateBarcodeByCode(c.typeCode));
                CBarcode& code = *object.GetSymbology();
                c.setup(code);
                code.SetSpaceCorrection(spaceCorrection);
                object.SetContentKind(kKindFixed);
                object.SetFixedText(CString(c.text.data(), static_cast<int>(c.text.size())));
                object.SetRotation(rotation);
                object.SetAlignment(1 + index % 3);
                LOGFONTA font = CaptionFont();
                object.SetLogFont(&font);

                // The box: the symbol with 3 mm to spare along it (so that the alignment counts)
                // and, for a human-readable line, room below the bars.
                int along = code.MeasureWidth(c.text.c_str(), c.dpi);
                int depth = code.GetSymbolHeight(&object, c.dpi);
                ASSERT_GT(along, 0);
                along += 3000;
                if (code.UsesFont() && !code.UsesMagnification())
                    depth += 25400 * 60 / 300;
                const bool turned = rotation == 900 || rotation == 2700;
                const int margin = 30;
                object.SetX(margin * 25400 / c.dpi);
                object.SetY(margin * 25400 / c.dpi);
                object.SetWidth(turned ? depth : along);
                object.SetHeight(turned ? along : depth);
                int w = Px(object.GetWidth(), c.dpi) + 2 * margin;
                int h = Px(object.GetHeight(), c.dpi) + 2 * margin;
                DibCanvas canvas(w, h);

                // The zoom at which the memory device context has the case's resolution.
                const int logPixels = canvas.dc().GetDeviceCaps(LOGPIXELSX);
                const int zoom = c.dpi * 100 / logPixels;
                ASSERT_EQ(c.dpi, DpiAtZoom(zoom, logPixels));
                ASSERT_TRUE(object.Draw(&canvas.dc(), zoom, 0, 0, false, 1, 4, c.dpi, c.dpi,
                                        nullptr, nullptr, false));
                ASSERT_GT(canvas.CountPixels(RGB(0, 0, 0)), 0);
                char name[64];
                sprintf(name, "c%02d_r%d_s%d.bmp", index, rotation, spaceCorrection);
                ASSERT_TRUE(WriteBmp(canvas, dir + "\\" + name)) << name;
                fprintf(manifest, "IMG %s %s %s %s %s\n", name, c.zbarType, c.zxingFormat,
                        c.identifier, Hex(c.expected).c_str());
            }
        }
    }
    fclose(manifest);
    EXPECT_EQ(0u, boxes.Count());
}

TEST(DecodeImages, QrModuleMatrices)
{
    struct QrCase {
        int version;
        char level;
        int margin;
        bool caseSensitive;
        std::string text;
    } cases[] = {
        {1, 'L', 4, true, "HELLO"},
        {1, 'H', 0, true, "12345"},
        {2, 'M', 2, true, "Label 0042 / KORVELTA"},
        {3, 'Q', 1, false, "case folded text 123"},
        {5, 'L', 4, true, "https://example.com/" + std::string(60, 'a')},
        {10, 'M', 3, true, "mixed MODE 0123456789 text"},
        {2, 'L', 4, true, "K\xF6ttbullar \xE5\xE4\xF6 \xAE"},   // cp1252 bytes as 8-bit data
    };
    CString dir = OutputFolder();
    FILE* manifest = fopen(dir + "\\qrmanifest.txt", "wb");
    ASSERT_TRUE(manifest);
    int index = 0;
    for (const QrCase& c : cases) {
        ++index;
        CBarcodeQRCode code;
        code.SetVersion(c.version);
        code.SetErrorCorrectionLevel(c.level);
        code.SetMargin(c.margin);
        code.SetCentred(false);
        code.SetModuleWidth(3 * 25400 / 300);   // 3 pixels at 300 dpi
        if (!c.caseSensitive)
            LoadCaseInsensitive(code);
        const QRcode* symbol = code.Encode(c.text.c_str());
        ASSERT_NE(nullptr, symbol) << index;
        const int n = symbol->width + 2 * c.margin;
        const int m = 3;
        TestOwner owner;
        owner.PlaceFor(n * m * 25400 / 300 + 1, n * m * 25400 / 300 + 1);
        DibCanvas canvas(n * m, n * m);
        ASSERT_EQ(n * m, owner.DrawSymbol(code, canvas.dc(), c.text.c_str()));
        std::string ascii;
        for (int r = 0; r < n; ++r) {
            for (int col = 0; col < n; ++col)
                ascii += canvas.Pixel(col * m + 1, r * m + 1) == RGB(0, 0, 0) ? "##" : "  ";
            ascii += "\n";
        }
        char name[32];
        sprintf(name, "qr%02d.txt", index);
        FILE* f = fopen(dir + "\\" + name, "wb");
        ASSERT_TRUE(f);
        fwrite(ascii.data(), 1, ascii.size(), f);
        fclose(f);
        fprintf(manifest, "QRASCII %s %d %c %d %d %s\n", name, c.version, c.level, c.margin,
                c.caseSensitive ? 1 : 0, Hex(c.text).c_str());
    }
    fclose(manifest);
}

// The matrices above agree with qrencode, which is the same library: a fault they share would pass.
// So every version and error level here is also drawn and read back by zbarimg and ZXingReader
// (decode_check.sh, qrdecode.txt), with a numeric and an alphanumeric text and a byte text as long
// as the version holds at level H.
TEST(DecodeImages, QrContentsDecodeAtEveryVersionAndLevel)
{
    struct Fill {
        int version;
        int bytesAtH;   // byte-mode capacity at level H (ISO/IEC 18004 table 7)
    } const fills[] = {{1, 7}, {2, 14}, {4, 34}, {7, 64}, {10, 119}};
    CString dir = OutputFolder();
    FILE* manifest = fopen(dir + "\\qrdecode.txt", "wb");
    ASSERT_TRUE(manifest);
    int written = 0;
    for (const Fill& fill : fills) {
        std::string full = "v" + std::to_string(fill.version) + ":";
        for (int i = 0; static_cast<int>(full.size()) < fill.bytesAtH; ++i)
            full += static_cast<char>('a' + i % 26);
        full.resize(fill.bytesAtH);
        for (char level : {'L', 'M', 'Q', 'H'}) {
            int content = 0;
            for (const std::string& text : {std::string("31415926535"), std::string("KV-42 $%*"), full}) {
                ++content;
                SCOPED_TRACE(testing::Message() << "version " << fill.version << " level " << level
                                                << " text " << text);
                CBarcodeQRCode code;
                code.SetVersion(fill.version);
                code.SetErrorCorrectionLevel(level);
                code.SetMargin(4);
                code.SetCentred(false);
                code.SetModuleWidth(3 * 25400 / 300);
                const QRcode* symbol = code.Encode(text.c_str());
                ASSERT_NE(nullptr, symbol);
                ASSERT_EQ(17 + 4 * fill.version, symbol->width) << "the symbol is of the version asked for";
                const int side = (symbol->width + 8) * 3;
                TestOwner owner;
                owner.PlaceFor(side * 25400 / 300 + 1, side * 25400 / 300 + 1);
                DibCanvas canvas(side, side);
                ASSERT_EQ(side, owner.DrawSymbol(code, canvas.dc(), text.c_str()));
                char name[40];
                sprintf(name, "qrd_v%02d_%c_%d.bmp", fill.version, level, content);
                ASSERT_TRUE(WriteBmp(canvas, dir + "\\" + name)) << name;
                fprintf(manifest, "QRIMG %s %c %s\n", name, level, Hex(text).c_str());
                ++written;
            }
        }
    }
    fclose(manifest);
    EXPECT_EQ(5 * 4 * 3, written);
}
