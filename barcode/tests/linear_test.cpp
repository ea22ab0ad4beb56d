// Code 39, 2/5 interleaved, Code 128 and EAN 128: encoding, check characters and widths.
#include "barcode/code128.h"
#include "barcode/code39.h"
#include "barcode/interleaved25.h"
#include "barcode/tests/testowner.h"
#include <gtest/gtest.h>
#include <string>

namespace {

std::vector<uint8_t> Values128(const CBarcodeCode128& code, const char* text)
{
    std::vector<uint8_t> v;
    EXPECT_TRUE(code.Encode(text, v)) << text;
    return v;
}

using V = std::vector<uint8_t>;

// Draws text at rotation 0 on a canvas wide enough and answers (drawn length, inked extent).
std::pair<int, CRect> DrawFlat(CBarcode& code, const char* text, int canvasWidth = 4000)
{
    DibCanvas canvas(canvasWidth, 300);
    TestOwner owner;
    owner.x = 0;
    owner.y = 0;
    owner.PlaceFor(canvasWidth * 25400 / 300, 200 * 25400 / 300);
    int drawn = owner.DrawSymbol(code, canvas.dc(), text);
    return {drawn, canvas.Extent()};
}

}   // namespace

TEST(Code39, CheckCharacters)
{
    EXPECT_EQ('X', CBarcodeCode39::CheckCharacter("ABC"));     // 10 + 11 + 12 = 33
    EXPECT_EQ('$', CBarcodeCode39::CheckCharacter("ABC123"));  // 39
    EXPECT_EQ('R', CBarcodeCode39::CheckCharacter("CODE 39")); // 113 mod 43 = 27
    EXPECT_EQ('0', CBarcodeCode39::CheckCharacter(""));
    EXPECT_EQ('+', CBarcodeCode39::CheckCharacter("%%"));     // 42 + 42 = 84, mod 43 = 41
    EXPECT_EQ(-1, CBarcodeCode39::CharacterValue('a'));
    EXPECT_EQ(43, CBarcodeCode39::CharacterValue('*'));
    // A text with a character that is not data has no check character at all: no 0xFF byte,
    // and no symbol is made for it.
    EXPECT_EQ(0, CBarcodeCode39::CheckCharacter("abc"));
    EXPECT_EQ(0, CBarcodeCode39::CheckCharacter("AB*C"));
    EXPECT_EQ(0, CBarcodeCode39::CheckCharacter("AB\xFF"));
}

TEST(Code39, ModulesOfStartAndCharacters)
{
    CBarcodeCode39 code;
    code.SetRatio(30);   // wide = 3 modules
    CBarPattern p;
    ASSERT_TRUE(code.Encode("A", p));
    // "*" 010010100, gap, "A" 100001001, gap, "*"
    EXPECT_EQ("100010111011101" "0" "111010100010111" "0" "100010111011101", p.ToModules(3));
    // A control character and a lower-case letter are laid out as the space character, which
    // only the design view's placeholder is drawn with: as data they draw nothing.
    CBarPattern ctl, space;
    ASSERT_TRUE(code.Encode("\x01" "a", ctl));
    ASSERT_TRUE(code.Encode("  ", space));
    EXPECT_EQ(space.ToModules(3), ctl.ToModules(3));
    EXPECT_FALSE(code.IsEncodable("\x01" "a"));
    EXPECT_EQ(0, DrawFlat(code, "\x01" "a").first);
    EXPECT_TRUE(DrawFlat(code, "\x01" "a").second.IsRectEmpty());
}

TEST(Code39, WidthAtFourPixelModules)
{
    CBarcodeCode39 code;   // 300 um at 300 dpi: m = 4, wide = 10
    code.SetCheckDigit(true);
    code.SetSpaceCorrection(0);
    code.SetHumanReadable(false);
    // 9 characters x (3w + 7m) - m + 20m quiet zone = 598 pixels.
    EXPECT_EQ(598 * 25400 / 300, code.MeasureWidth("ABC123", 300));
    auto drawn = DrawFlat(code, "ABC123");
    EXPECT_EQ(598, drawn.first);
    EXPECT_EQ(40, drawn.second.left);            // quiet zone: 10 modules
    EXPECT_EQ(40 + 598 - 80, drawn.second.right);

    code.SetSpaceCorrection(1);                  // 5 spaces per character widened by 1
    EXPECT_EQ((9 * (30 + 5 + 28) - 1 - 4 + 80) * 25400 / 300, code.MeasureWidth("ABC123", 300));
    code.SetQuietZone(false);
    EXPECT_EQ((9 * (30 + 5 + 28) - 1 - 4) * 25400 / 300, code.MeasureWidth("ABC123", 300));
    EXPECT_EQ(0, code.MeasureWidth("ABC123", 0));
}

TEST(Code39, LongTextsAreDrawnAsMeasuredAndOverlongOnesNotAtAll)
{
    CBarcodeCode39 code;
    code.SetHumanReadable(false);
    code.SetQuietZone(false);
    code.SetSpaceCorrection(0);
    code.SetModuleWidth(100);   // m = 1 at 300 dpi, wide = 3 (MulDiv(1, 25, 10))
    // More than 200 characters: the whole text is encoded, and drawing covers what was measured.
    std::string text(300, 'A');
    int px = 302 * (9 + 7) - 1;
    EXPECT_EQ(px * 25400 / 300, code.MeasureWidth(text.c_str(), 300));
    auto drawn = DrawFlat(code, text.c_str(), 6000);
    EXPECT_EQ(px, drawn.first);
    EXPECT_EQ(px, drawn.second.Width());

    std::string full(kMaxBarcodeText, '1');
    EXPECT_TRUE(code.IsEncodable(full.c_str()));
    EXPECT_GT(code.MeasureWidth(full.c_str(), 300), 0);
    std::string over(kMaxBarcodeText + 1, '1');
    EXPECT_FALSE(code.IsEncodable(over.c_str()));
    EXPECT_EQ(0, code.MeasureWidth(over.c_str(), 300));
    EXPECT_EQ(0, DrawFlat(code, over.c_str()).first);
    EXPECT_TRUE(DrawFlat(code, over.c_str()).second.IsRectEmpty());
}

TEST(Code39, Settings)
{
    CBarcodeCode39 code;
    EXPECT_EQ(25, code.GetRatio());
    code.SetRatio(19);
    code.SetRatio(31);
    EXPECT_EQ(25, code.GetRatio());
    code.SetRatio(20);
    EXPECT_EQ(20, code.GetRatio());
    code.SetModuleWidth(-1);
    EXPECT_EQ(300, code.GetModuleWidth());
    code.SetBarHeight(-5);
    EXPECT_EQ(10000, code.GetBarHeight());
    EXPECT_TRUE(code.HasCheckDigit());
    EXPECT_FALSE(code.CanShowCheckDigitInText());
    code.SetCheckDigit(true);
    EXPECT_TRUE(code.CanShowCheckDigitInText());
    code.SetHumanReadable(false);
    EXPECT_FALSE(code.CanShowCheckDigitInText());
    EXPECT_EQ(1, code.GetModuleWidthUnit());
    EXPECT_EQ(1, code.GetBarHeightUnit());
}

TEST(Code39, HumanReadableTexts)
{
    CBarcodeCode39 code;
    code.SetCheckDigit(true);
    code.SetCheckDigitInText(true);
    DibCanvas canvas(1200, 300);
    TestOwner owner;
    owner.PlaceFor(1200 * 25400 / 300, 250 * 25400 / 300);
    owner.DrawSymbol(code, canvas.dc(), "ABC", 0);
    owner.DrawSymbol(code, canvas.dc(), "ABC", 3);
    code.SetCheckDigitInText(false);
    owner.DrawSymbol(code, canvas.dc(), "ABC", 3);
    ASSERT_EQ(3u, owner.captions.size());
    EXPECT_EQ("{Code39} ABC", owner.captions[0].text);
    EXPECT_TRUE(owner.captions[0].markShrunk);
    EXPECT_EQ("ABCX", owner.captions[1].text);
    EXPECT_FALSE(owner.captions[1].markShrunk);
    EXPECT_EQ("ABC", owner.captions[2].text);
    // Below bars of 10 mm, from the quiet zone, with the owner transparent only while drawing it.
    EXPECT_EQ(118, owner.captions[1].topMargin);
    EXPECT_EQ(40, owner.captions[1].xMargin);
    EXPECT_TRUE(owner.captions[1].transparentWhileDrawn);
    EXPECT_FALSE(owner.transparent);
    code.SetHumanReadable(false);
    owner.DrawSymbol(code, canvas.dc(), "ABC", 3);
    EXPECT_EQ(3u, owner.captions.size());
}

TEST(Interleaved25, DigitStringsAndCheckDigits)
{
    CBarcodeCode2of5Int code;
    EXPECT_EQ(CString("0123"), code.DigitString("123"));
    EXPECT_EQ(CString("1234"), code.DigitString("1234"));
    code.SetCheckDigit(true);
    EXPECT_EQ('8', CBarcodeCode2of5Int::CheckDigit("1234"));   // 4x3 + 3 + 2x3 + 1 = 22
    EXPECT_EQ(CString("012348"), code.DigitString("1234"));
    EXPECT_EQ(CString("1236"), code.DigitString("123"));       // 3x3 + 2 + 1x3 = 14
    EXPECT_EQ('0', CBarcodeCode2of5Int::CheckDigit(""));
    // A non-digit is laid out as "0", which only the design view's placeholder is drawn with:
    // as data "12A4" would print 1204, so it draws nothing.
    CBarPattern withLetter, withZero;
    code.SetCheckDigit(false);
    ASSERT_TRUE(code.Encode("1A", withLetter));
    ASSERT_TRUE(code.Encode("10", withZero));
    EXPECT_EQ(withZero.ToModules(3), withLetter.ToModules(3));
    EXPECT_FALSE(code.IsEncodable("12A4"));
    EXPECT_TRUE(code.IsEncodable("1204"));
    EXPECT_EQ(0, DrawFlat(code, "12A4").first);
    EXPECT_TRUE(DrawFlat(code, "12A4").second.IsRectEmpty());
}

TEST(Interleaved25, ModulesAndWidth)
{
    CBarcodeCode2of5Int code;
    code.SetRatio(30);
    CBarPattern p;
    ASSERT_TRUE(code.Encode("12", p));
    // start 1010, "1" in the bars 10001 with "2" in the spaces 01001, stop 11101
    EXPECT_EQ("1010" "111010001010111000" "11101", p.ToModules(3));

    code.SetRatio(25);
    code.SetCheckDigit(true);
    code.SetHumanReadable(false);
    // m = 4, e = 10, s = 1: e + 6m + 3s + (n / 2)(5s + 4e + 6m) + 20m with n = 6 for "12345"
    int px = 10 + 24 + 3 + 3 * (5 + 40 + 24) + 80;
    EXPECT_EQ(px * 25400 / 300, code.MeasureWidth("12345", 300));
    EXPECT_EQ(px, DrawFlat(code, "12345").first);
    EXPECT_EQ(0, code.GetModuleWidthUnit());
    EXPECT_EQ(0, code.GetBarHeightUnit());
    EXPECT_TRUE(code.CanShowCheckDigitInText());
}

TEST(Interleaved25, HumanReadableTexts)
{
    CBarcodeCode2of5Int code;
    code.SetCheckDigit(true);
    DibCanvas canvas(1200, 300);
    TestOwner owner;
    owner.PlaceFor(1200 * 25400 / 300, 250 * 25400 / 300);
    owner.DrawSymbol(code, canvas.dc(), "1234", 0);
    owner.DrawSymbol(code, canvas.dc(), "1234", 1);
    code.SetCheckDigitInText(false);
    owner.DrawSymbol(code, canvas.dc(), "1234", 1);
    ASSERT_EQ(3u, owner.captions.size());
    EXPECT_EQ("2/5 int 1234", owner.captions[0].text);
    EXPECT_EQ("12348", owner.captions[1].text);
    EXPECT_EQ("1234", owner.captions[2].text);
}

TEST(Code128, CodeSetChoices)
{
    CBarcodeCode128 code;
    EXPECT_EQ((V{105, 12, 34, 82, 106}), Values128(code, "1234"));
    // Two digit pairs in set C, then CODE B for the last digit.
    V v = Values128(code, "12345");
    EXPECT_EQ((V{105, 12, 34, 100, 21}), V(v.begin(), v.end() - 2));
    // An even run of eight digits switches to set C at once; check 57.
    EXPECT_EQ((V{104, 33, 34, 99, 12, 34, 56, 78, 57, 106}), Values128(code, "AB12345678"));
    // An odd run: the first digit in set B, then set C.
    v = Values128(code, "AB1234567");
    EXPECT_EQ((V{104, 33, 34, 17, 99, 23, 45, 67}), V(v.begin(), v.end() - 2));
    // Only three digits: no set C.
    v = Values128(code, "123");
    EXPECT_EQ((V{104, 17, 18, 19}), V(v.begin(), v.end() - 2));
    // A control character first: set A.
    v = Values128(code, "\x01" "AB");
    EXPECT_EQ((V{103, 65, 33, 34}), V(v.begin(), v.end() - 2));
    // A lower-case letter in set A followed by a control character: SHIFT; else CODE B.
    v = Values128(code, "\x01" "a\x02");
    EXPECT_EQ((V{103, 65, 98, 65, 66}), V(v.begin(), v.end() - 2));
    v = Values128(code, "\x01" "ab");
    EXPECT_EQ((V{103, 65, 100, 65, 66}), V(v.begin(), v.end() - 2));
    // A control character in set B: SHIFT when a lower-case letter follows before any other
    // control character; CODE A when another control character or the end follows.
    v = Values128(code, "a\x01" "b");
    EXPECT_EQ((V{104, 65, 98, 65, 66}), V(v.begin(), v.end() - 2));
    v = Values128(code, "a\x01" "B\x02");
    EXPECT_EQ((V{104, 65, 101, 65, 34, 66}), V(v.begin(), v.end() - 2));
    v = Values128(code, "a\x01");
    EXPECT_EQ((V{104, 65, 101, 65}), V(v.begin(), v.end() - 2));
    // From set C: a control character ahead gives set A, a letter or the end set B.
    v = Values128(code, "1234\x01");
    EXPECT_EQ((V{105, 12, 34, 101, 65}), V(v.begin(), v.end() - 2));
    v = Values128(code, "1234X");
    EXPECT_EQ((V{105, 12, 34, 100, 56}), V(v.begin(), v.end() - 2));
    // Empty: START B, check, stop.
    EXPECT_EQ((V{104, 1, 106}), Values128(code, ""));
}

TEST(Code128, CharactersOfSetBOnlyInSetAStayReadable)
{
    CBarcodeCode128 code;
    // "{" and DEL are set B characters: from set A they switch (or shift) like lower-case letters.
    V v = Values128(code, "\x01{\x02");
    EXPECT_EQ((V{103, 65, 98, 91, 66}), V(v.begin(), v.end() - 2));
    v = Values128(code, "\x01~\x7F");
    EXPECT_EQ((V{103, 65, 100, 94, 95}), V(v.begin(), v.end() - 2));
    // Bytes of 128 and more have no value in any set: no symbol rather than a wrong one.
    std::vector<uint8_t> none;
    EXPECT_FALSE(code.Encode("AB\xE5", none));
    EXPECT_FALSE(code.IsEncodable("AB\xB6"));
    EXPECT_EQ(0, code.MeasureWidth("AB\xE5", 300));
    EXPECT_EQ(0, DrawFlat(code, "AB\xE5").first);
    EXPECT_TRUE(DrawFlat(code, "AB\xE5").second.IsRectEmpty());
}

TEST(Code128, Ean128AddsFnc1)
{
    CBarcodeEAN128 code;
    V v = Values128(code, "1234");
    EXPECT_EQ((V{105, 102, 12, 34}), V(v.begin(), v.end() - 2));
    // (105 + 102 + 2x12 + 3x34) mod 103 = 333 mod 103 = 24
    EXPECT_EQ(24, v[v.size() - 2]);
    v = Values128(code, "10AB\xB6" "21X");
    EXPECT_EQ((V{104, 102, 17, 16, 33, 34, 102, 18, 17, 56}), V(v.begin(), v.end() - 2));
    v = Values128(code, "0112345678901231\xB6" "10AB");
    EXPECT_EQ((V{105, 102, 1, 12, 34, 56, 78, 90, 12, 31, 102, 10, 100, 33, 34}),
              V(v.begin(), v.end() - 2));
    EXPECT_TRUE(code.IsEAN128());
    char prefix[4];
    EXPECT_TRUE(code.GetDesignPrefix(prefix, sizeof prefix));
    EXPECT_STREQ("EAN", prefix);   // cut to the buffer, terminated
}

TEST(Code128, WidthAndHumanReadable)
{
    CBarcodeCode128 code;
    code.SetHumanReadable(false);
    // m = 4, s = 1, n = 4 values before the stop: (3 + 44) x 5 + 8 + 80 = 323 pixels.
    EXPECT_EQ((323 * 25400 + 150) / 300, code.MeasureWidth("1234", 300));
    EXPECT_EQ(323, DrawFlat(code, "1234").first);
    code.SetQuietZone(false);
    code.SetSpaceCorrection(0);
    EXPECT_EQ(228, DrawFlat(code, "1234").first);
    EXPECT_EQ(228, DrawFlat(code, "1234").second.Width());

    code.SetHumanReadable(true);
    DibCanvas canvas(1200, 300);
    TestOwner owner;
    owner.PlaceFor(1200 * 25400 / 300, 250 * 25400 / 300);
    owner.DrawSymbol(code, canvas.dc(), "1234", 0);
    owner.DrawSymbol(code, canvas.dc(), "1234", 2);
    CBarcodeEAN128 ean;
    owner.DrawSymbol(ean, canvas.dc(), "10X", -1);
    ASSERT_EQ(3u, owner.captions.size());
    EXPECT_EQ("Code 128 1234", owner.captions[0].text);
    EXPECT_EQ("1234", owner.captions[1].text);
    EXPECT_EQ("EAN 128 10X", owner.captions[2].text);
}
