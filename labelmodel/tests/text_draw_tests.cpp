// Text objects drawing: what is asked of GDI (fonts, start points, clipping, reading order, marks),
// read back from an enhanced metafile so that no test depends on the pixels of a font.
#include "labelmodel/tests/text_fixtures.h"

#include "labelmodel/graphtext.h"
#include "testsupport/dibcanvas.h"
#include "testsupport/emfrecorder.h"

#include <gtest/gtest.h>
#include <cstring>
#include <memory>

namespace {

// A 40 x 20 mm box at (10 mm, 5 mm): at 96 dots per inch the device rectangle is (38, 19)-(189, 94).
const CRect kBox(38, 19, 189, 94);

LOGFONTA TestFont(int height = -13)
{
    LOGFONTA lf = {};
    lf.lfHeight = height;
    lf.lfWeight = FW_NORMAL;
    std::strcpy(lf.lfFaceName, "Liberation Sans");
    return lf;
}

template <class T>
std::unique_ptr<T> MakeText(const char* fixedText, int rotation = 0, int alignment = 1)
{
    std::unique_ptr<T> text(new T);
    text->SetX(10000);
    text->SetY(5000);
    text->SetWidth(40000);
    text->SetHeight(20000);
    LOGFONTA lf = TestFont();
    text->SetLogFont(&lf);
    text->SetContentKind(kKindFixed);
    text->SetMultiLineText(fixedText);
    text->SetRotation(rotation);
    text->SetAlignment(alignment);
    text->SetShrinkToFit(false);
    return text;
}

bool Draw(CGraphText& text, EmfRecorder& emf, int flags = 4, bool designFrame = false, int row = 1,
          const FakeTable* table = nullptr)
{
    static const FakeColumnMap identity;
    return text.Draw(&emf.dc(), 100, 0, 0, designFrame, row, flags, 300, 300,
                     table ? const_cast<CDataTableBase*>(table->Handle()) : nullptr,
                     const_cast<CDataTableMap*>(identity.Handle()), false);
}

// Height of a text line in the font the object drew with, on the screen (the metafile's reference).
int LineHeight(const LOGFONTA& lf)
{
    CClientDC screen(nullptr);
    CFont font;
    font.CreateFontIndirect(&lf);
    CFont* old = screen.SelectObject(&font);
    TEXTMETRICA tm = {};
    screen.GetTextMetrics(&tm);
    screen.SelectObject(old);
    return tm.tmHeight;
}

int TextWidth(const LOGFONTA& lf, const char* text)
{
    CClientDC screen(nullptr);
    CFont font;
    font.CreateFontIndirect(&lf);
    CFont* old = screen.SelectObject(&font);
    int cx = screen.GetTextExtent(text, static_cast<int>(std::strlen(text))).cx;
    screen.SelectObject(old);
    return cx;
}

std::vector<EmfText> TextsOf(EmfRecorder& emf, const char* text)
{
    std::vector<EmfText> found;
    for (const EmfText& t : emf.Texts()) {
        if (t.text == text)
            found.push_back(t);
    }
    return found;
}

bool HasMark(EmfRecorder& emf)
{
    for (const EmfText& t : emf.Texts()) {
        if (std::strcmp(t.font.lfFaceName, "Wingdings") == 0 && t.wide.size() == 1
            && (t.wide[0] == 0x22 || t.wide[0] == 0xF022))
            return true;
    }
    return false;
}

} // namespace

TEST(TextDraw, StartPointsAndFontsOfEveryRotation)
{
    // Start point by rotation for each alignment: (x, y) with o the alignment's offset.
    struct { int rotation; int alignment; int x; int y; UINT align; int escapement; } cases[] = {
        { 0, 1, 39, 20, TA_LEFT, 0 },
        { 0, 2, 38 + 151 / 2 - 1 + 1, 20, TA_CENTER, 0 },
        { 0, 3, 38 + 151 - 2 + 1, 20, TA_RIGHT, 0 },
        { 900, 1, 39, 94, TA_LEFT, 900 },
        { 900, 2, 39, 94 - (75 / 2 - 1), TA_CENTER, 900 },
        { 900, 3, 39, 94 - (75 - 2), TA_RIGHT, 900 },
        { 1800, 1, 189, 94, TA_LEFT, 1800 },
        { 1800, 3, 189 - (151 - 2), 94, TA_RIGHT, 1800 },
        { 2700, 1, 189, 19, TA_LEFT, -900 },
        { 2700, 2, 189, 19 + 75 / 2 - 1, TA_CENTER, -900 },
    };
    for (auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rotation << " alignment " << c.alignment);
        auto text = MakeText<CGraphText>("Hi", c.rotation, c.alignment);
        EmfRecorder emf;
        EXPECT_TRUE(Draw(*text, emf));
        ASSERT_EQ(kBox, text->GetDeviceRect());
        auto drawn = TextsOf(emf, "Hi");
        ASSERT_EQ(1u, drawn.size());
        EXPECT_EQ(c.x, drawn[0].x);
        EXPECT_EQ(c.y, drawn[0].y);
        EXPECT_EQ(c.align, drawn[0].textAlign & (TA_LEFT | TA_CENTER | TA_RIGHT));
        EXPECT_EQ(c.escapement, drawn[0].font.lfEscapement);
        EXPECT_EQ(-13, drawn[0].font.lfHeight);
        EXPECT_EQ(CLIP_LH_ANGLES, drawn[0].font.lfClipPrecision);
        EXPECT_EQ(TRANSPARENT, drawn[0].bkMode);
    }

    // Any other rotation draws no text.
    auto odd = MakeText<CGraphText>("Hi", 450);
    EmfRecorder emf;
    Draw(*odd, emf);
    EXPECT_TRUE(TextsOf(emf, "Hi").empty());
}

TEST(TextDraw, ClippingByRotation)
{
    auto flat = MakeText<CGraphTextExt>("Clipped");
    EmfRecorder emf;
    Draw(*flat, emf);
    auto drawn = TextsOf(emf, "Clipped");
    ASSERT_EQ(1u, drawn.size());
    EXPECT_TRUE(drawn[0].options & ETO_CLIPPED);
    EXPECT_EQ(CRect(39, 20, 189, 94), CRect(drawn[0].rect));
    EXPECT_TRUE(emf.ClipRects().empty());

    auto turned = MakeText<CGraphTextExt>("Turned", 900);
    EmfRecorder emfTurned;
    Draw(*turned, emfTurned);
    drawn = TextsOf(emfTurned, "Turned");
    ASSERT_EQ(1u, drawn.size());
    EXPECT_FALSE(drawn[0].options & ETO_CLIPPED);
    ASSERT_EQ(1u, emfTurned.ClipRects().size());
    EXPECT_EQ(CRect(39, 20, 189, 94), CRect(emfTurned.ClipRects()[0]));
}

TEST(TextDraw, ColoursAndTheFill)
{
    auto text = MakeText<CGraphText>("");
    text->SetFillColour(RGB(255, 0, 0));
    DibCanvas canvas(220, 120);
    text->Draw(&canvas.dc(), 100, 0, 0, false, 1, 4, 300, 300, nullptr, nullptr, false);
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(39, 20));
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(188, 93));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(38, 50));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(100, 19));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(189, 50));

    auto coloured = MakeText<CGraphText>("Red");
    coloured->SetFillColour(RGB(0, 0, 255));
    coloured->SetTextColour(RGB(0, 128, 0));
    EmfRecorder emf;
    Draw(*coloured, emf);
    auto drawn = TextsOf(emf, "Red");
    ASSERT_EQ(1u, drawn.size());
    EXPECT_EQ(OPAQUE, drawn[0].bkMode);
    EXPECT_EQ(RGB(0, 0, 255), drawn[0].bkColour);
    EXPECT_EQ(RGB(0, 128, 0), drawn[0].textColour);
}

TEST(TextDraw, ShrinkToFitAndItsMark)
{
    // A text exactly as wide as its box does not fit: it counts as shrunk (the ratio is 1).
    LOGFONTA lf = TestFont();
    int cx = TextWidth(lf, "Exactly");
    auto text = MakeText<CGraphText>("Exactly");
    text->SetX(0);
    text->SetWidth((cx * 25400 + 48) / 96);
    text->SetShrinkToFit(true);
    EmfRecorder emf;
    Draw(*text, emf, 1, true);
    ASSERT_EQ(cx, text->GetDeviceRect().Width());
    auto drawn = TextsOf(emf, "Exactly");
    ASSERT_EQ(1u, drawn.size());
    EXPECT_EQ(-13, drawn[0].font.lfHeight);
    // The mark at the top-right corner, after the design frame's four sides.
    const CRect r = text->GetDeviceRect();
    ASSERT_EQ(5u, emf.Lines().size());
    const EmfLine& mark = emf.Lines().back();
    EXPECT_EQ(r.right - 10, mark.from.x);
    EXPECT_EQ(r.top, mark.from.y);
    EXPECT_EQ(r.right, mark.to.x);
    EXPECT_EQ(r.top + 10, mark.to.y);

    // Half the width halves the font.
    text->SetWidth((cx / 2 * 25400 + 48) / 96);
    EmfRecorder half;
    Draw(*text, half, 1, true);
    drawn = TextsOf(half, "Exactly");
    ASSERT_EQ(1u, drawn.size());
    EXPECT_EQ(-(cx / 2 * 500 / cx) * 13 / 500, drawn[0].font.lfHeight);

    // A wider box keeps the font and shows no mark.
    text->SetWidth(((cx + 8) * 25400 + 48) / 96);
    EmfRecorder wide;
    Draw(*text, wide, 1, true);
    drawn = TextsOf(wide, "Exactly");
    ASSERT_EQ(1u, drawn.size());
    EXPECT_EQ(-13, drawn[0].font.lfHeight);
    EXPECT_EQ(4u, wide.Lines().size());

    // Shrinking off: the text keeps its font (and is clipped at rotation 0).
    text->SetWidth((cx / 2 * 25400 + 48) / 96);
    text->SetShrinkToFit(false);
    EmfRecorder clipped;
    Draw(*text, clipped, 1, true);
    drawn = TextsOf(clipped, "Exactly");
    ASSERT_EQ(1u, drawn.size());
    EXPECT_EQ(-13, drawn[0].font.lfHeight);
    EXPECT_TRUE(drawn[0].options & ETO_CLIPPED);
    EXPECT_EQ(4u, clipped.Lines().size());
}

TEST(TextDraw, ShrinkingIntoNoRoomKeepsTheSmallestFont)
{
    for (bool multiLine : { false, true }) {
        std::unique_ptr<CGraphText> text;
        if (multiLine)
            text = MakeText<CGraphTextExt>("No room");
        else
            text = MakeText<CGraphText>("No room");
        text->SetHeight(0);
        text->SetShrinkToFit(true);
        EmfRecorder emf;
        Draw(*text, emf);
        auto drawn = TextsOf(emf, "No room");
        ASSERT_EQ(1u, drawn.size());
        EXPECT_EQ(-1, drawn[0].font.lfHeight) << multiLine;

        // A top margin beyond the box (a barcode's caption) does not turn the font over.
        EmfRecorder emfMargin;
        text->SetHeight(20000);
        text->PrepareForDevice(&emfMargin.dc(), 100, 0, 0);
        text->DrawTextInBox(&emfMargin.dc(), 200, 0, false, "Margin", 4);
        drawn = TextsOf(emfMargin, "Margin");
        ASSERT_EQ(1u, drawn.size());
        EXPECT_EQ(-1, drawn[0].font.lfHeight) << multiLine;
    }
}

TEST(TextDraw, LinesAreCentredVertically)
{
    auto text = MakeText<CGraphTextExt>("one\r\ntwo\r\nthree");
    EmfRecorder emf;
    Draw(*text, emf);
    int tmHeight = LineHeight(text->GetLastDrawingFont());
    ASSERT_GT(tmHeight, 0);
    const char* lines[] = { "one", "two", "three" };
    int top = kBox.top + (kBox.Height() - 3 * tmHeight) / 2 + 1;
    for (int i = 0; i < 3; ++i) {
        auto drawn = TextsOf(emf, lines[i]);
        ASSERT_EQ(1u, drawn.size()) << lines[i];
        EXPECT_EQ(kBox.left + 1, drawn[0].x);
        EXPECT_EQ(top + i * tmHeight, drawn[0].y);
    }

    // From the top when not centred; turned lines stack away from the start edge.
    text->SetCentred(false);
    text->SetRotation(900);
    EmfRecorder emfTop;
    Draw(*text, emfTop);
    for (int i = 0; i < 3; ++i) {
        auto drawn = TextsOf(emfTop, lines[i]);
        ASSERT_EQ(1u, drawn.size());
        EXPECT_EQ(kBox.left + 1 + i * tmHeight, drawn[0].x);
        EXPECT_EQ(kBox.bottom, drawn[0].y);
    }
}

TEST(TextDraw, HebrewAndArabicReadRightToLeft)
{
    for (int charSet : { 0, 177, 178, 161 }) {
        auto text = MakeText<CGraphTextExt>("abc");
        text->SetCharSet(charSet);
        EmfRecorder emf;
        Draw(*text, emf);
        ASSERT_EQ(1u, emf.Texts().size());
        bool rtl = (emf.Texts()[0].options & ETO_RTLREADING) != 0;
        EXPECT_EQ(charSet == 177 || charSet == 178, rtl) << charSet;
    }
}

TEST(TextDraw, OverflowMark)
{
    const char* tooWide = "A text far too wide for a box of forty millimetres";
    // Shown in the design view and the previews when shrinking is off.
    for (int flags : { 1, 2 }) {
        auto text = MakeText<CGraphTextExt>(tooWide);
        EmfRecorder emf;
        Draw(*text, emf, flags);
        EXPECT_TRUE(HasMark(emf)) << flags;
        ASSERT_FALSE(emf.FontsCreated().empty());
        const LOGFONTA& mark = emf.FontsCreated().back();
        EXPECT_STREQ("Wingdings", mark.lfFaceName);
        EXPECT_EQ(SYMBOL_CHARSET, mark.lfCharSet);
        EXPECT_EQ(FW_NORMAL, mark.lfWeight);
        EXPECT_EQ(PROOF_QUALITY, mark.lfQuality);
        EXPECT_EQ(18, mark.lfPitchAndFamily);
        EXPECT_EQ((75 + 1) / 2, mark.lfHeight);
    }
    // Not when printing, not when shrinking, not when the text fits, not for an odd rotation.
    auto printing = MakeText<CGraphTextExt>(tooWide);
    EmfRecorder emfPrinting;
    Draw(*printing, emfPrinting, 4);
    EXPECT_FALSE(HasMark(emfPrinting));
    auto shrinking = MakeText<CGraphTextExt>(tooWide);
    shrinking->SetShrinkToFit(true);
    EmfRecorder emfShrinking;
    Draw(*shrinking, emfShrinking, 1);
    EXPECT_FALSE(HasMark(emfShrinking));
    auto fits = MakeText<CGraphTextExt>("Fits");
    EmfRecorder emfFits;
    Draw(*fits, emfFits, 1);
    EXPECT_FALSE(HasMark(emfFits));
    auto tall = MakeText<CGraphTextExt>("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7");
    EmfRecorder emfTall;
    Draw(*tall, emfTall, 2);
    EXPECT_TRUE(HasMark(emfTall));

    EXPECT_EQ(1u, CGraphText::OverflowMarkFormat(0));
    EXPECT_EQ(4u, CGraphText::OverflowMarkFormat(900));
    EXPECT_EQ(9u, CGraphText::OverflowMarkFormat(1800));
    EXPECT_EQ(6u, CGraphText::OverflowMarkFormat(2700));
    for (int rotation : { 900, 1800, 2700 }) {
        auto turned = MakeText<CGraphTextExt>(tooWide, rotation);
        EmfRecorder emf;
        Draw(*turned, emf, 1);
        EXPECT_TRUE(HasMark(emf)) << rotation;
    }
    auto odd = MakeText<CGraphTextExt>(tooWide, 450);
    EmfRecorder emfOdd;
    Draw(*odd, emfOdd, 1);
    EXPECT_FALSE(HasMark(emfOdd));
}

TEST(TextDraw, KeptFontFollowsTheDesignView)
{
    auto text = MakeText<CGraphTextExt>("A text far too wide for a box of forty millimetres");
    text->SetShrinkToFit(true);
    LOGFONTA kept;
    text->GetDrawLogFont(&kept);
    EXPECT_EQ(-13, kept.lfHeight);                 // before any drawing: the font as drawn

    EmfRecorder printing;
    Draw(*text, printing, 4);
    text->GetDrawLogFont(&kept);
    EXPECT_EQ(-13, kept.lfHeight);

    EmfRecorder design;
    Draw(*text, design, 1);
    text->GetDrawLogFont(&kept);
    EXPECT_EQ(text->GetLastDrawingFont().lfHeight, kept.lfHeight);
    EXPECT_GT(kept.lfHeight, -13);

    // The single-line kind answers the font it would draw with.
    auto old = MakeText<CGraphText>("x", 2700);
    EmfRecorder emf;
    Draw(*old, emf);
    old->GetDrawLogFont(&kept);
    EXPECT_EQ(-900, kept.lfEscapement);
}

TEST(TextDraw, DesignFrameAndTableRows)
{
    FakeTableReader reader;
    FakeTable table;
    table.Set(1, 0, "second row");
    auto text = MakeText<CGraphTextExt>("");
    text->SetContentKind(kKindTable);
    EmfRecorder emf;
    // Drawn away from the origin: the frame runs around the device rectangle.
    ASSERT_TRUE(text->Draw(&emf.dc(), 100, 100, 50, true, 2, 1, 300, 300,
                           const_cast<CDataTableBase*>(table.Handle()), nullptr, false));
    CRect r = text->GetDeviceRect();
    EXPECT_EQ(CRect(138, 69, 289, 144), r);
    ASSERT_EQ(4u, emf.Lines().size());
    EXPECT_EQ(r.left, emf.Lines()[0].from.x);
    EXPECT_EQ(r.top, emf.Lines()[0].from.y);
    EXPECT_EQ(r.right, emf.Lines()[0].to.x);
    EXPECT_EQ(r.bottom, emf.Lines()[1].to.y);
    EXPECT_EQ(1u, TextsOf(emf, "second row").size());

    EmfRecorder design;
    text->Draw(&design.dc(), 100, 0, 0, true, 2, 1, 300, 300,
               const_cast<CDataTableBase*>(table.Handle()), nullptr, true);
    EXPECT_EQ(1u, TextsOf(design, "[A]").size());
}
