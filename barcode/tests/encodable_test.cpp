// What each symbology takes as data: a table of texts that can and cannot be encoded, each drawn
// through the barcode object as a label is printed and as the previews show it. A text that can
// be encoded prints; encodable.txt lists its picture for decode_check.sh, which reads it back with
// zbarimg and ZXingReader. A text that cannot draws no symbol, shows the overflow mark on the
// screen and stops printing with a message naming the label and its text; its preview picture is
// listed too, and the decoders must find no symbol in it.
#include "barcode/barcodefactory.h"
#include "barcode/code39.h"
#include "barcode/tests/decodeoutput.h"
#include "barcode/tests/testowner.h"
#include "labelmodel/graphbarcode.h"
#include "testsupport/emfrecorder.h"
#include "testsupport/msgboxrecorder.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

namespace {

const int kDpi = 300;
const int kMargin = 30;   // pixels around the box
// The box: room for the longest symbol of the table and for EAN digits below their bars.
const int kBoxWidth = 100000, kBoxHeight = 35000;

struct TextCase {
    int typeCode;
    std::string text;
    bool encodable;
    std::string decoded;        // what the decoders read from a symbol of an encodable text
    const char* zbarType;       // "-": zbar cannot read it
    const char* zxingFormat;    // "-": ZXing cannot read it
    std::function<void(CBarcode&)> setup = [](CBarcode&) {};
};

void CheckCharacterOn(CBarcode& code) { code.SetCheckDigit(true); }

std::vector<TextCase> Cases()
{
    return {
        // Code 39: upper-case letters, digits and - . space $ / + % only.
        {401, "AB-12", true, "AB-12", "CODE-39", "Code39"},
        {401, "CODE 39 $/+%.", true, "CODE 39 $/+%.", "CODE-39", "Code39"},
        {401, "ABC", true, "ABCX", "CODE-39", "Code39", CheckCharacterOn},
        {401, "ab-12", false, "", "", ""},           // once printed as "  -12" under "ab-12"
        {401, "Ab", false, "", "", ""},
        {401, "A*B", false, "", "", ""},             // "*" is the start and stop character
        {401, "*AB*", false, "", "", ""},
        {401, "abc", false, "", "", "", CheckCharacterOn},   // once the check character 0xFF
        {401, "AB\x01", false, "", "", ""},
        {401, "K\xD6L", false, "", "", ""},
        // 2/5 interleaved: digits only.
        {402, "123456", true, "123456", "I2/5", "ITF"},   // ZXing reads ITF of 6 digits and more
        {402, "1234567", true, "12345670", "I2/5", "ITF", CheckCharacterOn},
        {402, "12A4", false, "", "", ""},            // once printed as 1204
        {402, "12 34", false, "", "", ""},
        {402, "-123", false, "", "", ""},
        // Code 128: the 7-bit characters.
        {406, "Goteborg", true, "Goteborg", "CODE-128", "Code128"},
        {406, "A-12", true, "A-12", "CODE-128", "Code128"},
        {406, "G\xF6teborg", false, "", "", ""},     // once an empty box, and the job went on
        {406, "\xC5-12", false, "", "", ""},
        {406, "\xE9", false, "", "", ""},
        {406, "AB\xB6", false, "", "", ""},          // the marker byte is EAN 128's only
        // EAN 128: the same, and the marker byte as FNC1.
        {407, "0112345678901231", true, "0112345678901231", "CODE-128", "Code128"},
        {407, "\xC5-12", false, "", "", ""},
        {407, "10\xE9", false, "", "", ""},
        // EAN 13: up to 12 digits (padded), or 13 with their own check digit.
        {403, "400638133393", true, "4006381333931", "EAN-13", "EAN-13"},
        {403, "4006381333931", true, "4006381333931", "EAN-13", "EAN-13"},
        {403, "12345", true, "0000000123457", "EAN-13", "EAN-13"},
        {403, "ABC", false, "", "", ""},             // once printed as 0000000000000
        {403, "40063813339X", false, "", "", ""},
        {403, "4006381333939", false, "", "", ""},   // a wrong check digit: another number
        {403, "40063813339312", false, "", "", ""},  // a digit more than the symbol holds
        // EAN 8: up to 7 digits, or 8 with their own check digit.
        {405, "1234567", true, "12345670", "EAN-8", "EAN-8"},
        {405, "12345670", true, "12345670", "EAN-8", "EAN-8"},
        {405, "1234567A", false, "", "", ""},
        {405, "12345671", false, "", "", ""},
        {405, "123456701", false, "", "", ""},
        // UPC-A: up to 11 digits, or 12 with their own check digit.
        {404, "03600029145", true, "036000291452", "UPC-A", "UPC-A"},
        {404, "036000291452", true, "036000291452", "UPC-A", "UPC-A"},
        {404, "0360002914A", false, "", "", ""},
        {404, "036000291453", false, "", "", ""},
        {404, "0360002914520", false, "", "", ""},
    };
}

// A barcode object of the case with a box that holds the symbol with room to spare.
void MakeObject(CGraphBarcode& object, const TextCase& c, const char* text)
{
    object.SetSymbology(CreateBarcodeByCode(c.typeCode));
    c.setup(*object.GetSymbology());
    object.SetContentKind(kKindFixed);
    object.SetFixedText(text);
    object.SetAlignment(2);
    LOGFONTA font = CaptionFont();
    object.SetLogFont(&font);
    object.SetX(kMargin * 25400 / kDpi);
    object.SetY(kMargin * 25400 / kDpi);
    object.SetWidth(kBoxWidth);
    object.SetHeight(kBoxHeight);
}

// The zoom at which a memory device context has 300 dpi.
int Zoom(CDC& dc)
{
    return kDpi * 100 / dc.GetDeviceCaps(LOGPIXELSX);
}

int CanvasWidth() { return (kBoxWidth * kDpi + 12700) / 25400 + 2 * kMargin; }
int CanvasHeight() { return (kBoxHeight * kDpi + 12700) / 25400 + 2 * kMargin; }

bool DrawOn(CGraphBarcode& object, CDC& dc, int flags, int row)
{
    return object.Draw(&dc, Zoom(dc), 0, 0, false, row, flags, kDpi, kDpi, nullptr, nullptr, false);
}

bool HasOverflowMark(EmfRecorder& emf)
{
    for (const EmfText& t : emf.Texts())
        if (std::strcmp(t.font.lfFaceName, "Wingdings") == 0 && t.wide.size() == 1 &&
            (t.wide[0] == 0x22 || t.wide[0] == 0xF022))
            return true;
    return false;
}

std::string Name(const CGraphBarcode& object)
{
    return object.GetSymbology()->GetNameString().GetString();
}

}   // namespace

TEST(EncodableTexts, EachSymbologyPrintsWhatItCanEncodeAndStopsOnWhatItCannot)
{
    CString dir = OutputFolder();
    FILE* manifest = fopen(dir + "\\encodable.txt", "wb");
    ASSERT_TRUE(manifest);
    int index = 0;
    for (const TextCase& c : Cases()) {
        ++index;
        const int row = index;   // the label's number in a print run
        SCOPED_TRACE(testing::Message() << "case " << index << " code " << c.typeCode << " text " << c.text);
        MessageBoxRecorder boxes;
        CGraphBarcode object;
        MakeObject(object, c, c.text.c_str());
        EXPECT_EQ(c.encodable, object.GetSymbology()->IsEncodable(c.text.c_str()));
        EXPECT_EQ(c.encodable, object.CanEncode(c.text.c_str()));
        EXPECT_EQ(c.encodable, object.FitsBox(c.text.c_str(), kDpi, kDpi));

        // As the print engine draws the label.
        DibCanvas printed(CanvasWidth(), CanvasHeight());
        EXPECT_EQ(c.encodable, DrawOn(object, printed.dc(), 4, row));
        // As the previews and the design view show it.
        EmfRecorder preview, design;
        EXPECT_TRUE(DrawOn(object, preview.dc(), 2, row));
        EXPECT_TRUE(DrawOn(object, design.dc(), 1, row));
        DibCanvas shown(CanvasWidth(), CanvasHeight());
        EXPECT_TRUE(DrawOn(object, shown.dc(), 2, row));

        char name[40];
        if (c.encodable) {
            EXPECT_EQ(0u, boxes.Count());
            EXPECT_GT(printed.CountPixels(RGB(0, 0, 0)), 0);
            EXPECT_FALSE(HasOverflowMark(preview));
            EXPECT_FALSE(HasOverflowMark(design));
            sprintf(name, "text%02d.bmp", index);
            ASSERT_TRUE(WriteBmp(printed, dir + "\\" + name));
            fprintf(manifest, "IMG %s %s %s - %s\n", name, c.zbarType, c.zxingFormat, Hex(c.decoded).c_str());
            continue;
        }
        // Refused: the run stops at this label with a message naming it and its text ...
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_EQ("Texten kan inte visas som " + Name(object) + " p\xE5 etikett nummer " + std::to_string(row) +
                      ": \"" + c.text + "\"",
                  std::string(boxes.Last().text.GetString()));
        EXPECT_STREQ("Utskrift avbruten", boxes.Last().caption);
        EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes.Last().Icon());
        // ... having drawn nothing of a symbol or its caption;
        EXPECT_EQ(0, printed.CountPixels(RGB(0, 0, 0)));
        // the screen shows the mark, and no symbol: the same pixels as the empty text with the mark.
        EXPECT_TRUE(HasOverflowMark(preview));
        EXPECT_TRUE(HasOverflowMark(design));
        CGraphBarcode empty;
        MakeObject(empty, c, "");
        DibCanvas reference(CanvasWidth(), CanvasHeight());
        EXPECT_TRUE(DrawOn(empty, reference.dc(), 2, row));
        CGraphText::DrawOverflowMark(0, empty.GetDeviceRect(), &reference.dc());
        EXPECT_TRUE(shown.SameAs(reference));
        sprintf(name, "refused%02d.bmp", index);
        ASSERT_TRUE(WriteBmp(shown, dir + "\\" + name));
        fprintf(manifest, "NONE %s\n", name);
    }
    fclose(manifest);
}

TEST(EncodableTexts, DesignViewPlaceholdersAreDrawnAsBeforeAndNeverMarked)
{
    // A table column shows "[A]" in the design view: not data, so neither refused nor marked;
    // its symbol is laid out as it always was (characters without a value as the neutral one).
    for (int code : {401, 402, 403}) {
        SCOPED_TRACE(code);
        MessageBoxRecorder boxes;
        CGraphBarcode object;
        TextCase c{code, "", true, "", "", ""};
        MakeObject(object, c, "");
        object.SetContentKind(kKindTable);
        EmfRecorder design;
        ASSERT_TRUE(object.Draw(&design.dc(), Zoom(design.dc()), 0, 0, false, 1, 1, kDpi, kDpi, nullptr, nullptr,
                                true));
        EXPECT_FALSE(HasOverflowMark(design));
        DibCanvas canvas(CanvasWidth(), CanvasHeight());
        ASSERT_TRUE(object.Draw(&canvas.dc(), Zoom(canvas.dc()), 0, 0, false, 1, 1, kDpi, kDpi, nullptr, nullptr,
                                true));
        EXPECT_GT(canvas.CountPixels(RGB(0, 0, 0)), 0);

        // The same symbology drawing "[A]" as data draws nothing.
        TestOwner owner;
        owner.PlaceFor(kBoxWidth, kBoxHeight);
        DibCanvas data(CanvasWidth(), CanvasHeight()), placeholder(CanvasWidth(), CanvasHeight());
        EXPECT_EQ(0, owner.DrawSymbol(*object.GetSymbology(), data.dc(), "[A]"));
        EXPECT_TRUE(data.Extent().IsRectEmpty());
        owner.placeholder = true;
        EXPECT_GT(owner.DrawSymbol(*object.GetSymbology(), placeholder.dc(), "[A]"), 0);
        EXPECT_EQ(0u, boxes.Count());
    }
}
