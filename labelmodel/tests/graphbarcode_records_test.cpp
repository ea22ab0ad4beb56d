// Barcode object records: exact bytes, round trips with every symbology, damaged input, deep
// copies and the object inside a collection record.
#include "labelmodel/tests/text_fixtures.h"

#include "barcode/barcodefactory.h"
#include "barcode/qrcode.h"
#include "labelmodel/graphbarcode.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/typecodes.h"
#include "testsupport/dibcanvas.h"
#include "testsupport/msgboxrecorder.h"

#include <gtest/gtest.h>
#include <cstring>
#include <memory>

namespace {

Bytes SaveObject(CGraphObject& object)
{
    CMemFile file;
    EXPECT_TRUE(object.Save(&file));
    return file.Bytes();
}

bool LoadObject(CGraphObject& object, const Bytes& bytes)
{
    CMemFile file;
    FillMemFile(file, bytes);
    return object.Load(&file);
}

Bytes SymbologyBytes(const CBarcode& code)
{
    CMemFile file;
    EXPECT_TRUE(code.Save(&file));
    return file.Bytes();
}

// Text-object fields away from their defaults, applied alike to a text and a barcode object.
void FillFields(CGraphText& object)
{
    object.SetX(1000);
    object.SetY(2000);
    object.SetWidth(40000);
    object.SetHeight(15000);
    object.SetLineColour(0x112233);
    object.SetFillColour(0x445566);
    object.SetTransparent(true);
    LOGFONTA lf = {};
    lf.lfHeight = -13;
    lf.lfWeight = FW_BOLD;
    std::strcpy(lf.lfFaceName, "Liberation Sans");
    object.SetLogFont(&lf);
    object.SetTextColour(0x0000FF);
    object.SetAlignment(3);
    object.SetRotation(1800);
    object.SetContentKind(kKindFixed);
    object.SetFixedText("ABC123");
}

std::unique_ptr<CGraphBarcode> MakeBarcode(const char* symbology, const char* text = "ABC123")
{
    std::unique_ptr<CGraphBarcode> barcode(new CGraphBarcode);
    FillFields(*barcode);
    EXPECT_TRUE(barcode->SetSymbologyByName(symbology));
    barcode->SetFixedText(text);
    return barcode;
}

} // namespace

TEST(BarcodeObjectRecord, TextRecordThenSymbologyCodeThenSymbologyRecord)
{
    CGraphText text;
    FillFields(text);
    CGraphBarcode barcode;
    FillFields(barcode);
    const Bytes textPart = SaveObject(text);
    const Bytes bytes = SaveObject(barcode);
    // Code 39 with its defaults: quiet zone, human readable, space correction 1, bar height
    // 10000, module 300; ratio 25, no check character, reserved 100, check not in the text.
    Bytes expected = textPart;
    PutI16(expected, 401);
    const Bytes code39 = { 1, 1, 1, 0, 0x10, 0x27, 0, 0, 0x2C, 0x01, 0, 0, 25, 0, 0, 100, 0, 0 };
    expected.insert(expected.end(), code39.begin(), code39.end());
    EXPECT_EQ(expected, bytes);
    EXPECT_EQ(159, barcode.GetTypeCode());

    // Every symbology follows its own type code.
    for (const char* name : kBarcodeNames) {
        SCOPED_TRACE(name);
        std::unique_ptr<CGraphBarcode> object = MakeBarcode(name);
        Bytes tail = SymbologyBytes(*object->GetSymbology());
        Bytes want = textPart;
        PutI16(want, object->GetSymbology()->GetTypeCode());
        want.insert(want.end(), tail.begin(), tail.end());
        EXPECT_EQ(want, SaveObject(*object));
    }
}

TEST(BarcodeObjectRecord, RoundTripsWithEverySymbologyAndItsSettings)
{
    for (const char* name : kBarcodeNames) {
        SCOPED_TRACE(name);
        std::unique_ptr<CGraphBarcode> object = MakeBarcode(name, "4006381333931");
        object->SetSpaceCorrectionText("2");
        object->SetHumanReadable(false);
        object->SetCheckDigit(true);
        object->SetRatioText("2.2");
        object->SetVersionText("7");
        object->SetMarginText("2");
        object->SetErrorCorrectionLevelText("Q");
        object->SetCentred(false);
        object->SetBarHeight(object->UsesMagnification() ? 60 : 12345);
        object->SetModuleWidth(object->UsesMagnification() ? 150 : 254);
        const Bytes bytes = SaveObject(*object);

        CGraphBarcode read;   // Code 39 before reading
        ASSERT_TRUE(LoadObject(read, bytes));
        EXPECT_EQ(bytes, SaveObject(read));
        char a[32], b[32];
        ASSERT_TRUE(read.GetSymbologyName(a, sizeof a));
        ASSERT_TRUE(object->GetSymbologyName(b, sizeof b));
        EXPECT_STREQ(b, a);
        EXPECT_EQ(object->GetModuleWidth(), read.GetModuleWidth());
        EXPECT_EQ(object->GetBarHeight(), read.GetBarHeight());
        EXPECT_EQ(object->GetHeightPercent(), read.GetHeightPercent());
        EXPECT_EQ(1800, read.GetRotation());
        CString fixed;
        EXPECT_TRUE(read.GetFixedText(fixed));
        EXPECT_STREQ("4006381333931", fixed);
    }
}

TEST(BarcodeObjectRecord, TruncatedRecordsLeaveTheObjectAsItWas)
{
    MessageBoxRecorder boxes;
    for (const char* name : { "Code 39", "EAN 13", "QR Code\xAE" }) {
        std::unique_ptr<CGraphBarcode> object = MakeBarcode(name);
        const Bytes bytes = SaveObject(*object);
        CGraphBarcode target;
        target.SetX(77);
        target.SetSymbologyByName("Code 128");
        target.SetModuleWidth(500);
        target.SetContentKind(kKindFixed);
        target.SetFixedText("keep");
        const Bytes before = SaveObject(target);
        for (size_t cut = 0; cut < bytes.size(); ++cut) {
            SCOPED_TRACE(testing::Message() << name << " cut at " << cut);
            EXPECT_FALSE(LoadObject(target, Bytes(bytes.begin(), bytes.begin() + static_cast<long>(cut))));
            ASSERT_EQ(before, SaveObject(target));
        }
    }
    EXPECT_EQ(0u, boxes.Count());
}

TEST(BarcodeObjectRecord, UnknownSymbologyCodeLeavesNoSymbology)
{
    MessageBoxRecorder boxes;
    std::unique_ptr<CGraphBarcode> object = MakeBarcode("Code 128");
    Bytes bytes = SaveObject(*object);
    CGraphText text;
    FillFields(text);
    const size_t codeAt = SaveObject(text).size();
    bytes[codeAt] = 0x99;           // 409
    bytes[codeAt + 1] = 0x01;
    CGraphBarcode read;
    EXPECT_FALSE(LoadObject(read, bytes));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("key = 409", boxes.Last().text);
    EXPECT_EQ(nullptr, read.GetSymbology());
    EXPECT_EQ(1800, read.GetRotation());

    // Without a symbology the forwarders answer neutrally and drawing leaves the bars out.
    char buffer[32] = "x";
    EXPECT_FALSE(read.GetSymbologyName(buffer, sizeof buffer));
    EXPECT_EQ(-1, read.GetModuleWidth());
    EXPECT_EQ(-1, read.GetBarHeight());
    EXPECT_EQ(-1, read.GetMagnification());
    EXPECT_EQ(-1, read.GetHeightPercent());
    EXPECT_FALSE(read.GetVersionText(buffer, sizeof buffer));
    EXPECT_FALSE(read.HasFont());
    EXPECT_FALSE(read.UsesMagnification());
    EXPECT_FALSE(read.CanEditContent());
    EXPECT_FALSE(read.IsTextEditableInPlace());
    read.SetModuleWidth(100);
    read.SetVersionText("3");
    DibCanvas canvas(300, 200);
    EXPECT_TRUE(read.Draw(&canvas.dc(), 100, 0, 0, false, 1, 4, 300, 300, nullptr, nullptr, false));
    EXPECT_EQ(0, canvas.CountPixels(RGB(255, 0, 0)));

    // It still writes a record that reads back (with a Code 39 in place of the lost symbology).
    CGraphBarcode again;
    again.SetSymbologyByName("EAN 8");
    EXPECT_TRUE(LoadObject(again, SaveObject(read)));
    ASSERT_NE(nullptr, again.GetSymbology());
    EXPECT_EQ(401, again.GetSymbology()->GetTypeCode());
}

TEST(BarcodeObjectRecord, QrVersionAndMarginFromFilesAreClamped)
{
    std::unique_ptr<CGraphBarcode> object = MakeBarcode("QR Code\xAE");
    Bytes bytes = SaveObject(*object);
    // The QR fields after the common part: unused, version, level, mode, case, margin, ...
    const size_t qr = bytes.size() - 29;
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    put32(qr + 4, 99);
    put32(qr + 20, 5000);
    CGraphBarcode read;
    ASSERT_TRUE(LoadObject(read, bytes));
    char text[16];
    ASSERT_TRUE(read.GetVersionText(text, sizeof text));
    EXPECT_STREQ("40", text);
    ASSERT_TRUE(read.GetMarginText(text, sizeof text));
    EXPECT_STREQ("1000", text);
    put32(qr + 4, static_cast<uint32_t>(-5));
    put32(qr + 20, static_cast<uint32_t>(-5));
    ASSERT_TRUE(LoadObject(read, bytes));
    ASSERT_TRUE(read.GetVersionText(text, sizeof text));
    EXPECT_STREQ("1", text);
    ASSERT_TRUE(read.GetMarginText(text, sizeof text));
    EXPECT_STREQ("0", text);
}

TEST(BarcodeObject, CloneIsDeep)
{
    std::unique_ptr<CGraphBarcode> object = MakeBarcode("QR Code\xAE", "HELLO");
    object->SetVersionText("3");
    std::unique_ptr<CGraphObject> copy(object->Clone());
    CGraphBarcode* clone = dynamic_cast<CGraphBarcode*>(copy.get());
    ASSERT_NE(nullptr, clone);
    ASSERT_NE(nullptr, clone->GetSymbology());
    EXPECT_NE(object->GetSymbology(), clone->GetSymbology());
    EXPECT_NE(object->GetContent(), clone->GetContent());
    EXPECT_EQ(SaveObject(*object), SaveObject(*clone));

    // Changing one leaves the other alone; deleting the original leaves the copy whole.
    object->SetVersionText("9");
    object->SetFixedText("OTHER");
    char text[16];
    ASSERT_TRUE(clone->GetVersionText(text, sizeof text));
    EXPECT_STREQ("3", text);
    CString fixed;
    clone->GetFixedText(fixed);
    EXPECT_STREQ("HELLO", fixed);
    const int live = CBarcodeQRCode::GetLiveCount();
    object.reset();
    EXPECT_EQ(live - 1, CBarcodeQRCode::GetLiveCount());
    ASSERT_TRUE(clone->GetVersionText(text, sizeof text));
    EXPECT_STREQ("3", text);
}

TEST(BarcodeObjectRecord, TheCollectionFactoryReadsBarcodeObjects)
{
    CGraphCollection area;
    CGraphRect* rect = new CGraphRect;
    rect->SetWidth(5000);
    area.Append(rect);
    area.Append(MakeBarcode("EAN 13", "400638133393").release());
    area.Append(MakeBarcode("QR Code\xAE", "HELLO").release());
    CMemFile file;
    ASSERT_TRUE(area.Save(&file));
    const Bytes bytes = file.Bytes();
    // The member's type code stands before its record.
    CGraphRect probe;
    probe.SetWidth(5000);
    const size_t second = 6 + 2 + SaveObject(probe).size();
    EXPECT_EQ(159, bytes[second] | (bytes[second + 1] << 8));

    std::unique_ptr<CGraphObject> made(CreateGraphObject(159));
    EXPECT_NE(nullptr, dynamic_cast<CGraphBarcode*>(made.get()));

    CGraphCollection read;
    CMemFile in;
    FillMemFile(in, bytes);
    ASSERT_TRUE(read.Load(&in));
    ASSERT_EQ(3, read.GetCount());
    const char* names[] = { "EAN 13", "QR Code\xAE" };
    for (int i = 1; i <= 2; ++i) {
        CGraphBarcode* barcode = dynamic_cast<CGraphBarcode*>(read.GetAt(i));
        ASSERT_NE(nullptr, barcode) << i;
        char name[32];
        ASSERT_TRUE(barcode->GetSymbologyName(name, sizeof name));
        EXPECT_STREQ(names[i - 1], name);
        EXPECT_TRUE(barcode->IsBarcode());
    }
    CMemFile again;
    ASSERT_TRUE(read.Save(&again));
    EXPECT_EQ(bytes, again.Bytes());
}
