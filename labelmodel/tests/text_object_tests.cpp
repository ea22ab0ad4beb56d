// Text objects: records, properties, fonts, quarter turns and clipboard texts.
#include "labelmodel/tests/text_fixtures.h"

#include "labelmodel/graphtext.h"
#include "testsupport/dibcanvas.h"
#include "testsupport/msgboxrecorder.h"

#include <gtest/gtest.h>
#include <cstring>
#include <memory>

namespace {

// Reaches the resolution an object keeps from its last PrepareForDevice.
class ProbeText : public CGraphTextExt {
public:
    void SetResolution(int dpiX, int dpiY)
    {
        m_dpiX = dpiX;
        m_dpiY = dpiY;
    }
    using CGraphText::ShrunkHeight;
};

LOGFONTA TestFont(int height = -13, const char* face = "Liberation Sans")
{
    LOGFONTA lf = {};
    lf.lfHeight = height;
    lf.lfWeight = FW_NORMAL;
    std::strcpy(lf.lfFaceName, face);
    return lf;
}

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

// A text object with every field of its record away from the defaults.
template <class T>
void FillFields(T& text)
{
    text.SetX(1000);
    text.SetY(2000);
    text.SetWidth(30000);
    text.SetHeight(8000);
    text.SetLineColour(0x112233);
    text.SetFillColour(0x445566);
    text.SetTransparent(true);
    LOGFONTA lf = TestFont(-13);
    lf.lfWeight = FW_BOLD;
    lf.lfItalic = 1;
    lf.lfOutPrecision = 3;
    lf.lfClipPrecision = 2;
    lf.lfQuality = 1;
    lf.lfPitchAndFamily = 34;
    text.SetLogFont(&lf);
    text.SetTextColour(0x0000FF);
    text.SetAlignment(3);
    text.SetShrinkToFit(false);
    text.SetRotation(900);
}

} // namespace

// ---- Records ------------------------------------------------------------------------------------

TEST(TextObjectRecord, FixedPartBytes)
{
    CGraphText text;
    FillFields(text);
    Bytes bytes = SaveObject(text);
    Bytes expected;
    PutI32(expected, 1000);
    PutI32(expected, 2000);
    PutI32(expected, 30000);
    PutI32(expected, 8000);
    PutI32(expected, 1000);                     // line width
    PutI32(expected, 0x112233);
    PutI32(expected, 0x445566);
    expected.push_back(1);                      // transparent
    ASSERT_EQ(29u, expected.size());
    PutI16(expected, -13);                      // the font, packed
    PutI16(expected, 0);
    PutI16(expected, 0);
    PutI16(expected, 0);
    PutI16(expected, 700);
    for (uint8_t b : { 1, 0, 0, 0, 3, 2, 1, 34 })
        expected.push_back(b);
    std::string face = "Liberation Sans";
    face.resize(32, '\0');
    PutText(expected, face);
    ASSERT_EQ(79u, expected.size());
    PutI32(expected, 0x0000FF);
    expected.push_back(3);                      // alignment
    expected.push_back(0);                      // shrink to fit
    PutI16(expected, 900);
    PutI16(expected, 275);
    ASSERT_EQ(89u, expected.size());
    Bytes content = SaveBody(*text.GetContent());
    expected.insert(expected.end(), content.begin(), content.end());
    EXPECT_EQ(expected, bytes);

    CGraphTextExt ext;
    FillFields(ext);
    ext.SetCentred(false);
    Bytes extBytes = SaveObject(ext);
    Bytes expectedExt = expected;
    PutI16(expectedExt, 0);
    EXPECT_EQ(expectedExt, extBytes);
}

TEST(TextObjectRecord, RoundTripsWithEveryContentKind)
{
    for (int code : { 171, 172, 173, 174, 271, 273, 275, 276 }) {
        for (bool multiLine : { false, true }) {
            SCOPED_TRACE(testing::Message() << code << (multiLine ? " ext" : ""));
            std::unique_ptr<CGraphText> text(multiLine ? new CGraphTextExt : new CGraphText);
            FillFields(*text);
            text->SetContent(CreateTextContentByCode(code));
            text->SetMultiLineText("line one\r\nline two");
            text->SetCounterPrefix("P");
            text->SetColumnName("BC");
            text->SetDatePart(3);
            Bytes bytes = SaveObject(*text);
            std::unique_ptr<CGraphText> read(multiLine ? new CGraphTextExt : new CGraphText);
            ASSERT_TRUE(LoadObject(*read, bytes));
            EXPECT_EQ(code, read->GetContent()->GetTypeCode());
            EXPECT_EQ(bytes, SaveObject(*read));
        }
    }
}

TEST(TextObjectRecord, NegativeFontValuesAndLongFaceNames)
{
    CGraphText text;
    LOGFONTA lf = TestFont(-200);
    lf.lfEscapement = -900;
    lf.lfWidth = -5;
    text.SetLogFont(&lf);
    text.SetFontName("A face name that is longer than thirty-one characters");
    CGraphText read;
    ASSERT_TRUE(LoadObject(read, SaveObject(text)));
    LOGFONTA got;
    ASSERT_TRUE(read.GetLogFont(&got));
    EXPECT_EQ(-200, got.lfHeight);
    EXPECT_EQ(-900, got.lfEscapement);
    EXPECT_EQ(-5, got.lfWidth);
    EXPECT_STREQ("A face name that is longer than", got.lfFaceName);

    // A face name field without a terminator is cut to 31 characters.
    Bytes bytes = SaveObject(text);
    std::memset(&bytes[29 + 18], 'F', 32);
    ASSERT_TRUE(LoadObject(read, bytes));
    ASSERT_TRUE(read.GetLogFont(&got));
    EXPECT_EQ(std::string(31, 'F'), got.lfFaceName);

    // A height beyond the field is stored at the field's limit, and reads back.
    lf.lfHeight = -40000;
    text.SetLogFont(&lf);
    ASSERT_TRUE(LoadObject(read, SaveObject(text)));
    ASSERT_TRUE(read.GetLogFont(&got));
    EXPECT_EQ(-32768, got.lfHeight);
}

TEST(TextObjectRecord, TruncatedRecordsLeaveTheObjectAlone)
{
    for (bool multiLine : { false, true }) {
        std::unique_ptr<CGraphText> text(multiLine ? new CGraphTextExt : new CGraphText);
        FillFields(*text);
        text->SetContentKind(kKindCounter);
        Bytes bytes = SaveObject(*text);
        for (size_t cut = 0; cut < bytes.size(); ++cut) {
            SCOPED_TRACE(testing::Message() << (multiLine ? "252" : "152") << " cut at " << cut);
            std::unique_ptr<CGraphText> target(multiLine ? new CGraphTextExt : new CGraphText);
            target->SetX(77);
            target->SetFixedText("keep");
            Bytes before = SaveObject(*target);
            EXPECT_FALSE(LoadObject(*target, Bytes(bytes.begin(), bytes.begin() + static_cast<long>(cut))));
            EXPECT_EQ(before, SaveObject(*target));
        }
    }
}

TEST(TextObjectRecord, UnknownContentCodeGivesAnEmptyFixedText)
{
    MessageBoxRecorder boxes;
    CGraphTextExt text;
    FillFields(text);
    Bytes bytes = SaveObject(text);
    bytes[87] = 0xE7;                           // content code 999
    bytes[88] = 0x03;
    CGraphTextExt read;
    read.SetCentred(false);
    EXPECT_FALSE(LoadObject(read, bytes));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("key = 999", boxes.Last().text);
    EXPECT_STREQ("", boxes.Last().caption);
    ASSERT_NE(nullptr, read.GetContent());
    EXPECT_EQ(kTextFixedExtCode, read.GetContent()->GetTypeCode());
    EXPECT_EQ("", std::string(read.GetContent()->FormatToString(1, nullptr, nullptr, false)));
    EXPECT_EQ(1000, read.GetX());
    EXPECT_EQ(900, read.GetRotation());
    EXPECT_EQ(kKindFixed, read.GetContentKind());

    // It draws, and writes a record that reads back.
    DibCanvas canvas(200, 100);
    EXPECT_TRUE(read.Draw(&canvas.dc(), 100, 0, 0, true, 1, 1, 300, 300, nullptr, nullptr, false));
    CGraphTextExt again;
    EXPECT_TRUE(LoadObject(again, SaveObject(read)));
}

// ---- Properties ---------------------------------------------------------------------------------

TEST(TextObject, DefaultsAndProperties)
{
    CGraphText old;
    EXPECT_EQ(152, old.GetTypeCode());
    EXPECT_EQ(kKindTable, old.GetContentKind());
    EXPECT_EQ("[A]", std::string(old.GetContent()->FormatToString(1, nullptr, nullptr, true)));
    EXPECT_EQ(1000, old.GetLineWidth());
    EXPECT_TRUE(old.IsTransparent());
    EXPECT_TRUE(old.IsShrinkToFit());
    int value = -1;
    ASSERT_TRUE(old.QueryAlignment(&value));
    EXPECT_EQ(2, value);
    EXPECT_FALSE(old.QueryShrinkToFit(&value));
    EXPECT_FALSE(old.QueryCentred(&value));
    EXPECT_FALSE(old.HasCentring());
    EXPECT_FALSE(old.HasLine());

    old.SetAlignment(4);
    old.SetAlignment(-1);
    ASSERT_TRUE(old.QueryAlignment(&value));
    EXPECT_EQ(2, value);
    old.SetAlignment(0);
    ASSERT_TRUE(old.QueryAlignment(&value));
    EXPECT_EQ(0, value);

    old.SetBold(true);
    EXPECT_TRUE(old.IsBold());
    EXPECT_EQ(FW_BOLD, old.GetFont().lfWeight);
    old.SetBold(false);
    EXPECT_EQ(FW_NORMAL, old.GetFont().lfWeight);
    old.SetCharSet(177);
    EXPECT_EQ(177, old.GetCharSet());

    // The content is replaced only when its kind changes.
    old.SetCounterPrefix("ignored");
    old.SetColumnName("C");
    old.SetContentKind(kKindTable);
    EXPECT_TRUE(old.UsesTableColumn(2));
    old.SetContentKind(7);
    EXPECT_EQ(kKindTable, old.GetSourceKind());
    old.SetSourceKind(kKindCounter);
    EXPECT_TRUE(old.IsCounter());
    old.SetCounterPrefix("N");
    old.SetContentKind(kKindCounter);
    char prefix[8] = {};
    ASSERT_TRUE(old.GetCounterPrefix(prefix, sizeof prefix));
    EXPECT_STREQ("N", prefix);
    EXPECT_FALSE(old.IsTextEditableInPlace());
    old.SetContentKind(kKindFixed);
    EXPECT_TRUE(old.IsTextEditableInPlace());

    CGraphTextExt ext;
    EXPECT_EQ(252, ext.GetTypeCode());
    EXPECT_TRUE(ext.IsCentred());
    ASSERT_TRUE(ext.QueryCentred(&value));
    EXPECT_EQ(1, value);
    ext.SetCentredFlag(0);
    EXPECT_FALSE(ext.IsCentred());
    EXPECT_EQ(0, ext.GetPlacement());
    ext.SetShrinkToFitFlag(5);
    ASSERT_TRUE(ext.QueryShrinkToFit(&value));
    EXPECT_EQ(1, value);
    ext.SetShrinkToFitFlag(0);
    EXPECT_FALSE(ext.IsShrinkToFit());
}

TEST(TextObject, ClonesOwnTheirContent)
{
    CGraphText old;
    old.SetContentKind(kKindFixed);
    old.SetFixedText("original");
    std::unique_ptr<CGraphObject> copy(old.Clone());
    EXPECT_EQ(152, copy->GetTypeCode());
    EXPECT_EQ(nullptr, dynamic_cast<CGraphTextExt*>(copy.get()));
    old.SetFixedText("changed");
    CString text;
    copy->GetFixedText(text);
    EXPECT_STREQ("original", text);
    EXPECT_NE(old.GetContent(), static_cast<CGraphText*>(copy.get())->GetContent());

    CGraphTextExt ext;
    ext.SetCentred(false);
    std::unique_ptr<CGraphObject> extCopy(ext.Clone());
    ASSERT_NE(nullptr, dynamic_cast<CGraphTextExt*>(extCopy.get()));
    EXPECT_FALSE(extCopy->IsCentred());
    EXPECT_EQ(SaveObject(ext), SaveObject(*extCopy));
}

TEST(TextObject, QuarterTurns)
{
    CGraphTextExt text;
    text.SetWidth(10001);
    text.SetHeight(10000);
    for (int turn = 1; turn <= 4; ++turn) {
        text.Rotate90(5000, 5000, 1);
        EXPECT_EQ((turn * 900) % 3600, text.GetRotation());
    }
    EXPECT_EQ(10001, text.GetWidth());
    text.Rotate90(5000, 5000, -1);
    EXPECT_EQ(2700, text.GetRotation());
    EXPECT_EQ(10000, text.GetWidth());
    text.Rotate90(5000, 5000, 2);
    EXPECT_EQ(2700, text.GetRotation());
    EXPECT_EQ(10000, text.GetWidth());
}

// ---- Fonts --------------------------------------------------------------------------------------

TEST(TextObjectFont, PointSizesRoundTrip)
{
    EXPECT_EQ(-13, FontHeightFromPoints(10));
    EXPECT_EQ(10, FontPointsFromHeight(-13));
    EXPECT_EQ(12, FontPointsFromHeight(12));
    for (int points = 1; points <= 400; ++points)
        EXPECT_EQ(points, FontPointsFromHeight(FontHeightFromPoints(points))) << points;
}

TEST(TextObjectFont, DrawingFontAtThreeHundredPercent)
{
    DibCanvas canvas(10, 10);
    ProbeText text;
    LOGFONTA lf = TestFont(-13);
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    text.SetLogFont(&lf);
    text.PrepareForDevice(&canvas.dc(), 300, 0, 0);
    ASSERT_EQ(96, canvas.dc().GetDeviceCaps(LOGPIXELSY));
    LOGFONTA drawn;
    text.MakeDrawLogFont(&drawn);
    EXPECT_EQ(-39, drawn.lfHeight);
    EXPECT_EQ(0, drawn.lfEscapement);
    EXPECT_EQ(CLIP_LH_ANGLES, drawn.lfClipPrecision);
    EXPECT_STREQ("Liberation Sans", drawn.lfFaceName);

    // The height follows the resolution across the reading direction.
    text.SetResolution(600, 300);
    const struct { int rotation; int height; int escapement; } cases[] = {
        { 0, -41, 0 }, { 900, -81, 900 }, { 1800, -41, 1800 }, { 2700, -81, -900 }, { 450, -41, 0 },
    };
    for (auto& c : cases) {
        text.SetRotation(c.rotation);
        text.MakeDrawLogFont(&drawn);
        EXPECT_EQ(c.height, drawn.lfHeight) << c.rotation;
        EXPECT_EQ(c.escapement, drawn.lfEscapement) << c.rotation;
    }
    // A positive (cell) height stays positive.
    lf.lfHeight = 20;
    text.SetLogFont(&lf);
    text.SetRotation(0);
    text.MakeDrawLogFont(&drawn);
    EXPECT_EQ(63, drawn.lfHeight);
}

TEST(TextObjectFont, ShrinkingNeverEnlargesNorFlips)
{
    EXPECT_EQ(-20, ProbeText::ShrunkHeight(-40, 100, 50, 200, 20));   // half the width
    EXPECT_EQ(-10, ProbeText::ShrunkHeight(-40, 400, 10, 100, 40));   // a quarter the height
    EXPECT_EQ(-40, ProbeText::ShrunkHeight(-40, 1000, 1000, 10, 10));  // never larger
    EXPECT_EQ(-1, ProbeText::ShrunkHeight(-40, 100, -30, 50, 20));     // no room: smallest, same sign
    EXPECT_EQ(-1, ProbeText::ShrunkHeight(-40, 0, 50, 50, 20));
    EXPECT_EQ(1, ProbeText::ShrunkHeight(40, -100, 50, 50, 20));
    EXPECT_EQ(30, ProbeText::ShrunkHeight(40, 75, 50, 100, 20));
    EXPECT_EQ(0, ProbeText::ShrunkHeight(0, 75, 50, 100, 20));
}

// ---- Lines and clipboard texts ------------------------------------------------------------------

TEST(TextObjectLines, CountAndRead)
{
    EXPECT_EQ(1, CGraphTextExt::CountLines(""));
    EXPECT_EQ(3, CGraphTextExt::CountLines("a\nb\r\nc"));
    char line[4];
    ASSERT_TRUE(CGraphTextExt::GetLine("one\r\ntwo\nthree", 1, line, sizeof line));
    EXPECT_STREQ("two", line);
    ASSERT_TRUE(CGraphTextExt::GetLine("one\r\ntwo\nthree", 2, line, sizeof line));
    EXPECT_STREQ("thr", line);
    ASSERT_TRUE(CGraphTextExt::GetLine("x\r", 0, line, sizeof line));
    EXPECT_STREQ("x", line);
    EXPECT_FALSE(CGraphTextExt::GetLine("one\r\ntwo", 2, line, sizeof line));
    EXPECT_FALSE(CGraphTextExt::GetLine("one", -1, line, sizeof line));
}

TEST(TextObjectClipboard, TwoLinesBecomeATransparentFixedText)
{
    const char clip[] = "Hello there\r\nWorld";
    HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE, sizeof clip);
    std::memcpy(GlobalLock(handle), clip, sizeof clip);
    GlobalUnlock(handle);
    CGraphTextExt text;
    LOGFONTA lf = TestFont(-16);
    ASSERT_TRUE(text.CreateFromClipboardText(&lf, handle));
    GlobalFree(handle);

    EXPECT_TRUE(text.IsTransparent());
    EXPECT_EQ(RGB(255, 255, 255), text.GetFillColour());
    EXPECT_EQ(0, text.GetX());
    EXPECT_EQ(0, text.GetLineWidth());
    EXPECT_EQ(1, text.GetAlignment());
    EXPECT_TRUE(text.IsCentred());
    EXPECT_TRUE(text.IsShrinkToFit());
    EXPECT_EQ(-16, text.GetFont().lfHeight);
    auto* content = dynamic_cast<CTextFixedExt*>(text.GetContent());
    ASSERT_NE(nullptr, content);
    EXPECT_EQ(std::vector<CString>({ "Hello there", "World" }), content->GetLines());
    EXPECT_FALSE(content->IsDefaultText());

    // Sized on the screen: two line heights and the wider line, plus one micrometre each.
    CClientDC screen(nullptr);
    CFont font;
    font.CreateFontIndirect(&lf);
    CFont* old = screen.SelectObject(&font);
    TEXTMETRICA tm = {};
    screen.GetTextMetrics(&tm);
    int wide = screen.GetTextExtent("Hello there", 11).cx;
    int dpiX = screen.GetDeviceCaps(LOGPIXELSX), dpiY = screen.GetDeviceCaps(LOGPIXELSY);
    screen.SelectObject(old);
    EXPECT_EQ(static_cast<int>(2 * tm.tmHeight * 25400.0 / dpiY + 0.5) + 1, text.GetHeight());
    EXPECT_EQ(static_cast<int>(wide * 25400.0 / dpiX + 0.5) + 1, text.GetWidth());
}

TEST(TextObjectClipboard, LongTextsAndBlocksWithoutTerminator)
{
    std::string big;
    for (int i = 0; i < 5000; ++i)
        big += "a line of clipboard text\r\n";
    big += "end";
    // Exactly the text's bytes: no terminating zero inside the block.
    HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE, big.size());
    std::memcpy(GlobalLock(handle), big.data(), big.size());
    GlobalUnlock(handle);
    CGraphTextExt text;
    LOGFONTA lf = TestFont(-12);
    ASSERT_TRUE(text.CreateFromClipboardText(&lf, handle));
    GlobalFree(handle);
    auto* content = dynamic_cast<CTextFixedExt*>(text.GetContent());
    ASSERT_NE(nullptr, content);
    ASSERT_EQ(5001u, content->GetLines().size());
    EXPECT_STREQ("end", content->GetLines().back().Left(3));
    EXPECT_GT(text.GetHeight(), 5000 * 25400 / 96);

    CGraphTextExt untouched;
    EXPECT_FALSE(untouched.CreateFromClipboardText(&lf, nullptr));
    EXPECT_EQ(kKindTable, untouched.GetContentKind());
}
