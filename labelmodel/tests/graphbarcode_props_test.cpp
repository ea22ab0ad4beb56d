// Barcode object properties: the symbology forwarders in the user's units, changing the
// symbology by name, and the content kinds a QR Code takes.
#include "labelmodel/tests/text_fixtures.h"

#include "barcode/barcodefactory.h"
#include "labelmodel/graphbarcode.h"

#include "testsupport/localeguard.h"

#include <gtest/gtest.h>
#include <clocale>
#include <string>

namespace {

std::string Text(bool (CGraphBarcode::*getter)(char*, int), CGraphBarcode& object)
{
    char buffer[64] = "unchanged";
    return (object.*getter)(buffer, sizeof buffer) ? std::string(buffer) : std::string("(none)");
}

CGraphBarcode& With(CGraphBarcode& object, const char* symbology)
{
    EXPECT_TRUE(object.SetSymbologyByName(symbology));
    return object;
}

} // namespace

TEST(BarcodeObject, NewObjectIsATextFieldWithCode39)
{
    CGraphBarcode object;
    EXPECT_TRUE(object.IsBarcode());
    EXPECT_EQ(159, object.GetTypeCode());
    EXPECT_EQ(std::string("Code 39"), Text(&CGraphBarcode::GetSymbologyName, object));
    EXPECT_EQ(kKindTable, object.GetContentKind());
    EXPECT_EQ(2, object.GetAlignment());
    EXPECT_TRUE(object.IsShrinkToFit());
    EXPECT_EQ(0, object.GetRotation());
    EXPECT_EQ(300, object.GetModuleWidth());
    EXPECT_EQ(10000, object.GetBarHeight());
}

TEST(BarcodeObject, ModuleWidthAndBarHeightInTheUsersUnits)
{
    CGraphBarcode object;   // Code 39: micrometres
    EXPECT_EQ("0.3 mm", Text(&CGraphBarcode::GetModuleWidthText, object));
    EXPECT_EQ("10 mm", Text(&CGraphBarcode::GetBarHeightText, object));
    object.SetModuleWidth(254);
    object.SetBarHeight(12500);
    EXPECT_EQ(254, object.GetModuleWidth());
    EXPECT_EQ("0.254 mm", Text(&CGraphBarcode::GetModuleWidthText, object));
    EXPECT_EQ("12.5 mm", Text(&CGraphBarcode::GetBarHeightText, object));
    object.SetModuleWidth(-1);
    object.SetBarHeight(-5);
    EXPECT_EQ(254, object.GetModuleWidth());
    EXPECT_EQ(12500, object.GetBarHeight());
    EXPECT_EQ("(none)", Text(&CGraphBarcode::GetHeightPercentText, object));
    EXPECT_EQ(-1, object.GetHeightPercent());
    object.SetMagnification(100);            // a percentage of 330 um, whatever the symbology
    EXPECT_EQ(330, object.GetModuleWidth());

    With(object, "EAN 13");                  // magnification: percent of 330 um
    EXPECT_EQ("(none)", Text(&CGraphBarcode::GetModuleWidthText, object));
    EXPECT_EQ("(none)", Text(&CGraphBarcode::GetBarHeightText, object));
    object.SetModuleWidth(100);
    EXPECT_EQ(330, object.GetModuleWidth());
    EXPECT_EQ(100, object.GetMagnification());
    EXPECT_EQ("100 %", Text(&CGraphBarcode::GetMagnificationText, object));
    object.SetModuleWidth(80);
    EXPECT_EQ(264, object.GetModuleWidth());
    EXPECT_EQ(80, object.GetMagnification());
    object.SetModuleWidth(79);
    object.SetModuleWidth(201);
    EXPECT_EQ(264, object.GetModuleWidth());
    object.SetModuleWidth(200);
    EXPECT_EQ(660, object.GetModuleWidth());
    object.SetMagnification(150);
    EXPECT_EQ(495, object.GetModuleWidth());
    EXPECT_EQ(150, object.GetMagnification());
    object.SetMagnification(-1);
    object.SetMagnification(2000000000);     // past int micrometres: refused, not wrapped
    EXPECT_EQ(495, object.GetModuleWidth());
    object.GetSymbology()->SetModuleWidth(331);   // 100.3 % rounds to 100
    EXPECT_EQ(100, object.GetMagnification());

    EXPECT_EQ(100, object.GetHeightPercent());
    object.SetBarHeight(75);
    EXPECT_EQ(25, object.GetSymbology()->GetHeightReduction());
    EXPECT_EQ(75, object.GetHeightPercent());
    EXPECT_EQ("75 %", Text(&CGraphBarcode::GetHeightPercentText, object));
    object.SetBarHeight(40);
    object.SetBarHeight(101);
    EXPECT_EQ(75, object.GetHeightPercent());
    object.SetBarHeight(50);
    EXPECT_EQ(50, object.GetHeightPercent());
    object.SetHeightPercent(70);
    EXPECT_EQ(30, object.GetSymbology()->GetHeightReduction());
    object.SetHeightPercent(-1);
    object.SetHeightPercent(100000);          // the reduction would not fit its 16 bits
    EXPECT_EQ(70, object.GetHeightPercent());
    EXPECT_EQ(2, object.GetModuleWidthUnit());
    EXPECT_EQ(2, object.GetBarHeightUnit());
    EXPECT_TRUE(object.UsesMagnification());

    With(object, "QR Code\xAE");             // no bar height of its own
    EXPECT_EQ("(none)", Text(&CGraphBarcode::GetBarHeightText, object));
    EXPECT_EQ("0.15 mm", Text(&CGraphBarcode::GetModuleWidthText, object));
}

TEST(BarcodeObject, SettingsAsTexts)
{
    CGraphBarcode object;
    EXPECT_EQ("2.5:1", Text(&CGraphBarcode::GetRatioText, object));
    object.SetRatioText("2.3");               // 23 tenths, not 22
    EXPECT_EQ(23, object.GetSymbology()->GetRatio());
    object.SetRatioText("3.1");
    object.SetRatioText("abc");
    object.SetRatioText("");
    EXPECT_EQ("2.3:1", Text(&CGraphBarcode::GetRatioText, object));
    object.SetRatioText("3");
    EXPECT_EQ("3:1", Text(&CGraphBarcode::GetRatioText, object));

    EXPECT_EQ("1", Text(&CGraphBarcode::GetSpaceCorrectionText, object));
    object.SetSpaceCorrectionText("-1");
    EXPECT_EQ("-1", Text(&CGraphBarcode::GetSpaceCorrectionText, object));
    object.SetSpaceCorrectionText("0x2");     // read as "%i" reads
    EXPECT_EQ("2", Text(&CGraphBarcode::GetSpaceCorrectionText, object));
    object.SetSpaceCorrectionText("3");
    object.SetSpaceCorrectionText("-2");
    object.SetSpaceCorrectionText("none");
    EXPECT_EQ("2", Text(&CGraphBarcode::GetSpaceCorrectionText, object));

    EXPECT_EQ("(none)", Text(&CGraphBarcode::GetVersionText, object));
    EXPECT_EQ("(none)", Text(&CGraphBarcode::GetMarginText, object));
    EXPECT_EQ("(none)", Text(&CGraphBarcode::GetErrorCorrectionLevelText, object));
    object.SetVersionText("5");               // Code 39 has none: nothing happens
    EXPECT_EQ(-1, object.GetSymbology()->GetVersion());

    With(object, "QR Code\xAE");
    EXPECT_EQ("(none)", Text(&CGraphBarcode::GetRatioText, object));
    EXPECT_EQ("(none)", Text(&CGraphBarcode::GetSpaceCorrectionText, object));
    EXPECT_EQ("1", Text(&CGraphBarcode::GetVersionText, object));
    object.SetVersionText("40");
    object.SetVersionText("41");
    object.SetVersionText("0");
    object.SetVersionText("99999999999999999999");
    EXPECT_EQ("40", Text(&CGraphBarcode::GetVersionText, object));
    EXPECT_EQ("4", Text(&CGraphBarcode::GetMarginText, object));
    object.SetMarginText("1000");
    object.SetMarginText("1001");
    object.SetMarginText("-1");
    EXPECT_EQ("1000", Text(&CGraphBarcode::GetMarginText, object));
    object.SetMarginText("0");
    EXPECT_EQ("0", Text(&CGraphBarcode::GetMarginText, object));
    EXPECT_EQ("L", Text(&CGraphBarcode::GetErrorCorrectionLevelText, object));
    object.SetErrorCorrectionLevelText("Q");
    EXPECT_EQ("Q", Text(&CGraphBarcode::GetErrorCorrectionLevelText, object));
    object.SetErrorCorrectionLevelText("m");
    object.SetErrorCorrectionLevelText("X");
    object.SetErrorCorrectionLevelText("");
    EXPECT_EQ("Q", Text(&CGraphBarcode::GetErrorCorrectionLevelText, object));
    EXPECT_EQ("8-bit data", Text(&CGraphBarcode::GetEncodingModeName, object));
    object.SetEncodingModeByName("kanji");
    EXPECT_EQ("Kanji", Text(&CGraphBarcode::GetEncodingModeName, object));

    // Centring, check digits, human-readable text and the font go to the symbology.
    EXPECT_TRUE(object.HasCentring());
    EXPECT_TRUE(object.IsCentred());
    object.SetCentredFlag(0);
    int centred = 7;
    EXPECT_TRUE(object.QueryCentred(&centred));
    EXPECT_EQ(0, centred);
    EXPECT_FALSE(object.HasHumanReadable());
    EXPECT_FALSE(object.HasFont());
    LOGFONTA lf = {};
    EXPECT_FALSE(object.GetLogFont(&lf));
    With(object, "2/5 Interleaved");
    EXPECT_FALSE(object.HasCentring());
    EXPECT_TRUE(object.HasCheckDigit());
    object.SetCheckDigit(true);
    EXPECT_TRUE(object.GetCheckDigit());
    EXPECT_TRUE(object.CanShowCheckDigitInText());
    EXPECT_TRUE(object.GetCheckDigitInText());
    object.SetCheckDigitInText(false);
    EXPECT_FALSE(object.GetCheckDigitInText());
    EXPECT_TRUE(object.HasFont());
    EXPECT_TRUE(object.GetLogFont(&lf));
    EXPECT_EQ(0, object.GetModuleWidthUnit());
}

TEST(BarcodeObject, SettingsTextsWithADecimalComma)
{
    // The texts are written and read as the Windows C runtime does, so a Swedish locale gives
    // (and takes) a decimal comma.
    NumericLocaleGuard swedish("Swedish_Sweden.1252");
    ASSERT_TRUE(swedish.ok()) << "the C runtime has no Swedish locale";
    ASSERT_STREQ(",", localeconv()->decimal_point);
    CGraphBarcode object;
    object.SetModuleWidth(254);
    EXPECT_EQ("2,5:1", Text(&CGraphBarcode::GetRatioText, object));
    EXPECT_EQ("0,254 mm", Text(&CGraphBarcode::GetModuleWidthText, object));
    object.SetRatioText("2,2");
    EXPECT_EQ(22, object.GetSymbology()->GetRatio());
}

TEST(BarcodeObject, ChangingTheSymbologyCarriesSizesOverOnlyBetweenLikeKinds)
{
    CGraphBarcode object;
    object.SetModuleWidth(400);
    object.SetBarHeight(15000);
    EXPECT_TRUE(object.SetSymbologyByName("code 128"));      // case does not matter
    EXPECT_EQ("Code 128", Text(&CGraphBarcode::GetSymbologyName, object));
    EXPECT_EQ(400, object.GetModuleWidth());
    EXPECT_EQ(15000, object.GetBarHeight());

    // The same name changes nothing, not even the settings.
    CBarcode* before = object.GetSymbology();
    EXPECT_TRUE(object.SetSymbologyByName("CODE 128"));
    EXPECT_EQ(before, object.GetSymbology());

    // To a magnification symbology: its own defaults.
    EXPECT_TRUE(object.SetSymbologyByName("EAN 13"));
    EXPECT_EQ(330, object.GetModuleWidth());
    EXPECT_EQ(22850, object.GetBarHeight());
    object.SetModuleWidth(150);
    object.SetBarHeight(80);
    EXPECT_TRUE(object.SetSymbologyByName("upca"));
    EXPECT_EQ("UPCA", Text(&CGraphBarcode::GetSymbologyName, object));
    EXPECT_EQ(495, object.GetModuleWidth());
    EXPECT_EQ(80, object.GetHeightPercent());
    EXPECT_TRUE(object.SetSymbologyByName("QR CODE\xAE"));
    EXPECT_EQ(150, object.GetModuleWidth());
    EXPECT_EQ(10000, object.GetBarHeight());

    // An unknown name changes nothing.
    before = object.GetSymbology();
    EXPECT_FALSE(object.SetSymbologyByName("Code 93"));
    EXPECT_FALSE(object.SetSymbologyByName(nullptr));
    EXPECT_EQ(before, object.GetSymbology());

    // Without a symbology any name makes one, with its defaults.
    object.SetSymbology(nullptr);
    EXPECT_TRUE(object.SetSymbologyByName("EAN 8"));
    EXPECT_EQ(330, object.GetModuleWidth());
}

TEST(BarcodeObject, ContentKindsAndEditing)
{
    CGraphBarcode object;
    EXPECT_FALSE(object.CanEditContent());        // a table column
    EXPECT_FALSE(object.IsTextEditableInPlace());
    object.SetContentKind(kKindFixed);
    EXPECT_TRUE(object.IsTextEditableInPlace());  // Code 39 text is typed in place
    EXPECT_FALSE(object.CanEditContent());

    // A QR Code's new fixed text starts empty, not with a text field's default line.
    CGraphBarcode qr;
    With(qr, "QR Code\xAE");
    qr.SetContentKind(kKindFixed);
    CString text("x");
    EXPECT_TRUE(qr.GetFixedText(text));
    EXPECT_STREQ("x", text);
    EXPECT_EQ("", std::string(qr.GetContent()->FormatToString(1, nullptr, nullptr, false)));
    EXPECT_TRUE(qr.CanEditContent());
    EXPECT_FALSE(qr.IsTextEditableInPlace());
    // Choosing the kind it already has keeps the text.
    qr.SetFixedText("KEEP");
    qr.SetContentKind(kKindFixed);
    text.Empty();
    qr.GetFixedText(text);
    EXPECT_STREQ("KEEP", text);

    // Other symbologies keep the default line.
    CGraphBarcode code128;
    With(code128, "Code 128");
    code128.SetContentKind(kKindFixed);
    EXPECT_NE("", std::string(code128.GetContent()->FormatToString(1, nullptr, nullptr, false)));
}
