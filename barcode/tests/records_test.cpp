// Symbology records: exact bytes, round trips, truncated and out-of-range input; the factory.
#include "barcode/barcodefactory.h"
#include "barcode/code128.h"
#include "barcode/code39.h"
#include "barcode/ean.h"
#include "barcode/interleaved25.h"
#include "barcode/qrcode.h"
#include "barcode/tests/testowner.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

using Bytes = std::vector<BYTE>;

const Bytes kCommon = {1, 1, 0x01, 0x00, 0x10, 0x27, 0, 0, 0x2C, 0x01, 0, 0};       // 10000, 300
const Bytes kCommonEan = {1, 1, 0x01, 0x00, 0x42, 0x59, 0, 0, 0x4A, 0x01, 0, 0};    // 22850, 330
const Bytes kCommonQr = {1, 1, 0x01, 0x00, 0x10, 0x27, 0, 0, 0x96, 0x00, 0, 0};     // 10000, 150

Bytes Cat(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

bool LoadBytes(CBarcode& code, const Bytes& bytes)
{
    Bytes copy = bytes;
    CMemFile f(copy.empty() ? nullptr : copy.data(), static_cast<UINT>(copy.size()));
    return code.Load(&f);
}

}   // namespace

TEST(BarcodeRecords, DefaultBytesOfEverySymbology)
{
    struct Case {
        int code;
        Bytes bytes;
    } cases[] = {
        {kBarcodeCode39, Cat(kCommon, {25, 0, 0, 100, 0, 0})},
        {kBarcodeCode2of5Int, Cat(kCommon, {25, 0, 0, 0, 2, 0, 0, 0, 1})},
        {kBarcodeEAN13, Cat(kCommonEan, {0, 0})},
        {kBarcodeUPCA, Cat(kCommonEan, {0, 0})},
        {kBarcodeEAN8, Cat(kCommonEan, {0, 0})},
        {kBarcodeCode128, Cat(kCommon, {0, 0, 0, 0})},
        {kBarcodeEAN128, Cat(kCommon, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
        {kBarcodeQRCode, Cat(kCommonQr, {0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0,
                                         4, 0, 0, 0, 2, 0, 0, 0, 1})},
    };
    for (const Case& c : cases) {
        std::unique_ptr<CBarcode> code(CreateBarcodeByCode(c.code));
        ASSERT_TRUE(code) << c.code;
        EXPECT_EQ(c.code, code->GetTypeCode());
        EXPECT_EQ(c.bytes, RecordBytes(*code)) << c.code;
    }
}

TEST(BarcodeRecords, FieldsInTheirPlaces)
{
    CBarcodeCode39 c39;
    c39.SetQuietZone(false);
    c39.SetSpaceCorrection(-1);
    c39.SetBarHeight(0x01020304);
    c39.SetModuleWidth(0x0A0B0C0D);
    c39.SetRatio(30);
    c39.SetCheckDigit(true);
    c39.SetCheckDigitInText(true);
    EXPECT_EQ((Bytes{0, 1, 0xFF, 0xFF, 4, 3, 2, 1, 0x0D, 0x0C, 0x0B, 0x0A, 30, 0, 1, 100, 0, 1}),
              RecordBytes(c39));

    CBarcodeCode2of5Int i25;
    i25.SetHumanReadable(false);
    i25.SetRatio(20);
    i25.SetCheckDigit(true);
    i25.SetCheckDigitInText(false);
    EXPECT_EQ(Cat({1, 0, 1, 0, 0x10, 0x27, 0, 0, 0x2C, 1, 0, 0}, {20, 0, 1, 0, 2, 0, 0, 0, 0}),
              RecordBytes(i25));

    CBarcodeEAN8 ean8;
    ean8.SetHeightReduction(30);
    EXPECT_EQ(Cat(kCommonEan, {30, 0}), RecordBytes(ean8));

    CBarcodeQRCode qr;
    qr.SetVersion(7);
    qr.SetErrorCorrectionLevel('Q');
    qr.SetEncodingModeByName("Kanji");
    qr.SetMargin(0x0102);
    qr.SetCentred(false);
    EXPECT_EQ(Cat(kCommonQr, {0, 0, 0, 0, 7, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 1, 0, 0, 0,
                              2, 1, 0, 0, 2, 0, 0, 0, 0}),
              RecordBytes(qr));
}

TEST(BarcodeRecords, RoundTripsKeepEverySetting)
{
    for (int typeCode = 401; typeCode <= 408; ++typeCode) {
        std::unique_ptr<CBarcode> source(CreateBarcodeByCode(typeCode));
        auto* modular = dynamic_cast<CBarcodeModular*>(source.get());
        ASSERT_TRUE(modular);
        modular->SetQuietZone(false);
        source->SetHumanReadable(false);
        source->SetSpaceCorrection(2);
        source->SetBarHeight(12345);
        source->SetModuleWidth(456);
        source->SetRatio(22);
        source->SetCheckDigit(true);
        source->SetCheckDigitInText(true);
        source->SetHeightReduction(40);
        source->SetVersion(12);
        source->SetMargin(9);
        source->SetErrorCorrectionLevel('H');
        source->SetCentred(false);
        Bytes bytes = RecordBytes(*source);
        std::unique_ptr<CBarcode> read(CreateBarcodeByCode(typeCode));
        ASSERT_TRUE(LoadBytes(*read, bytes)) << typeCode;
        EXPECT_EQ(bytes, RecordBytes(*read)) << typeCode;
        EXPECT_EQ(12345, read->GetBarHeight());
        EXPECT_EQ(456, read->GetModuleWidth());
        std::unique_ptr<CBarcode> clone(read->Clone());
        EXPECT_EQ(bytes, RecordBytes(*clone)) << typeCode;
        EXPECT_EQ(typeCode, clone->GetTypeCode());
    }
}

TEST(BarcodeRecords, TruncatedRecordsChangeNothing)
{
    for (int typeCode = 401; typeCode <= 408; ++typeCode) {
        std::unique_ptr<CBarcode> source(CreateBarcodeByCode(typeCode));
        source->SetBarHeight(777);
        source->SetModuleWidth(555);
        source->SetSpaceCorrection(0);
        source->SetVersion(3);
        Bytes full = RecordBytes(*source);
        std::unique_ptr<CBarcode> target(CreateBarcodeByCode(typeCode));
        Bytes before = RecordBytes(*target);
        for (size_t cut = 0; cut < full.size(); ++cut) {
            Bytes part(full.begin(), full.begin() + cut);
            EXPECT_FALSE(LoadBytes(*target, part)) << typeCode << " cut at " << cut;
            ASSERT_EQ(before, RecordBytes(*target)) << typeCode << " cut at " << cut;
        }
        EXPECT_TRUE(LoadBytes(*target, full));
        EXPECT_EQ(full, RecordBytes(*target));
    }
}

TEST(BarcodeRecords, QrVersionAndMarginFromFilesAreClamped)
{
    struct Case {
        int32_t version, margin;
        int wantVersion, wantMargin;
    } cases[] = {
        {0, -5, 1, 0}, {41, 1001, 40, 1000}, {-2147483647 - 1, 2147483647, 1, 1000}, {40, 0, 40, 0},
    };
    for (const Case& c : cases) {
        CBarcodeQRCode source;
        source.SetVersion(c.version);
        source.SetMargin(c.margin);
        CBarcodeQRCode read;
        ASSERT_TRUE(LoadBytes(read, RecordBytes(source)));
        EXPECT_EQ(c.wantVersion, read.GetVersion());
        EXPECT_EQ(c.wantMargin, read.GetMargin());
        EXPECT_GT(read.MeasureWidth("HELLO", 300), 0);
    }
    // A level or mode the library does not know: no symbol, no crash, no letter.
    Bytes bytes = RecordBytes(CBarcodeQRCode());
    bytes[12 + 8] = 9;    // level
    bytes[12 + 12] = 7;   // mode
    CBarcodeQRCode odd;
    ASSERT_TRUE(LoadBytes(odd, bytes));
    EXPECT_EQ(0, odd.GetErrorCorrectionLevel());
    EXPECT_FALSE(odd.IsEncodable("HELLO"));
    char name[16] = "x";
    EXPECT_TRUE(odd.GetEncodingModeName(name, sizeof name));
    EXPECT_STREQ("", name);
}

TEST(BarcodeRecords, CorruptSizesDrawNothingAbsurd)
{
    // A module width of two kilometres read from a file: measured as huge, never drawn past the
    // owner's box, and no arithmetic overflow on the way.
    for (int typeCode = 401; typeCode <= 408; ++typeCode) {
        std::unique_ptr<CBarcode> code(CreateBarcodeByCode(typeCode));
        Bytes bytes = RecordBytes(*code);
        bytes[8] = 0xFF; bytes[9] = 0xFF; bytes[10] = 0xFF; bytes[11] = 0x7F;
        ASSERT_TRUE(LoadBytes(*code, bytes));
        EXPECT_GE(code->MeasureWidth("1234", 300), 0) << typeCode;
        DibCanvas canvas(100, 100);
        TestOwner owner;
        owner.x = owner.y = 25400 * 10 / 300;
        owner.PlaceFor(25400 * 50 / 300, 25400 * 50 / 300);
        owner.DrawSymbol(*code, canvas.dc(), "1234");
        CRect ink = canvas.Extent();
        if (!ink.IsRectEmpty()) {
            EXPECT_TRUE(ink.left >= 10 && ink.top >= 10 && ink.right <= 60 && ink.bottom <= 60);
        }
    }
}

TEST(BarcodeFactory, ByCodeAndByName)
{
    const struct {
        const char* name;
        int code;
    } table[] = {
        {"Code 39", 401}, {"2/5 Interleaved", 402}, {"EAN 13", 403}, {"UPCA", 404},
        {"EAN 8", 405}, {"Code 128", 406}, {"EAN 128", 407}, {"QR Code\xAE", 408},
    };
    for (const auto& t : table) {
        std::unique_ptr<CBarcode> byCode(CreateBarcodeByCode(t.code));
        ASSERT_TRUE(byCode);
        EXPECT_EQ(CString(t.name), byCode->GetNameString());
        CString upper(t.name);
        upper.MakeUpper();
        std::unique_ptr<CBarcode> byName(CreateBarcodeByName(upper));
        ASSERT_TRUE(byName) << t.name;
        EXPECT_EQ(t.code, byName->GetTypeCode());
    }
    EXPECT_EQ(nullptr, CreateBarcodeByCode(400));
    EXPECT_EQ(nullptr, CreateBarcodeByCode(409));
    EXPECT_EQ(nullptr, CreateBarcodeByName("QR Code"));
    EXPECT_EQ(nullptr, CreateBarcodeByName(nullptr));
    char small[5];
    std::unique_ptr<CBarcode> ean(CreateBarcodeByCode(403));
    EXPECT_TRUE(ean->GetName(small, sizeof small));
    EXPECT_STREQ("EAN ", small);
    EXPECT_FALSE(ean->GetName(small, 0));
}

TEST(BarcodeRecords, BaseAnswers)
{
    CBarcodeCode128 code;
    EXPECT_EQ(-1, code.GetHeightReduction());
    EXPECT_EQ(0, code.GetRatio());
    EXPECT_EQ(-1, code.GetVersion());
    EXPECT_EQ(0, code.GetErrorCorrectionLevel());
    EXPECT_EQ(0, code.GetMargin());
    EXPECT_FALSE(code.HasCheckDigit());
    EXPECT_FALSE(code.CanShowCheckDigitInText());
    EXPECT_FALSE(code.HasCentring());
    EXPECT_FALSE(code.UsesMagnification());
    EXPECT_TRUE(code.IsTextEditableInPlace() && code.AllowsPlaceholderText() && code.UsesFont());
    EXPECT_EQ(10000, code.GetSymbolHeight(nullptr, 300));
    char name[8] = "x";
    EXPECT_FALSE(code.GetEncodingModeName(name, sizeof name));
}
