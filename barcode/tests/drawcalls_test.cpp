// Symbols drawn in few device calls: every bar and module gathered into one fill must give the
// pixels of the simple way, each bar and each dark module a rectangle of its own (drawn here in
// the test as the reference), at every module size, rotation, space correction and clip; and a
// metafile of a symbol holds a handful of records instead of one per bar or module.
#include "barcode/barfill.h"
#include "barcode/code128.h"
#include "barcode/code39.h"
#include "barcode/interleaved25.h"
#include "barcode/qrcode.h"
#include "barcode/tests/testowner.h"
#include "testsupport/emfrecorder.h"
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace {

const COLORREF kInk = RGB(20, 40, 160);

int CALLBACK PlayRecord(HDC dc, HANDLETABLE* table, const ENHMETARECORD* record, int count, LPARAM)
{
    // One to one: the player's fit of the picture frame into the target is undone.
    ::SetGraphicsMode(dc, GM_ADVANCED);
    ::ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
    ::PlayEnhMetaFileRecord(dc, table, record, count);
    return 1;
}

// Draws through an enhanced metafile, where the gathered rectangles go out as one region, and
// plays it back one to one onto canvas: the pixels a printer's raster would get.
void ThroughMetafile(DibCanvas& canvas, const std::function<void(CDC*)>& draw)
{
    CDC emf;
    emf.Attach(::CreateEnhMetaFileA(canvas.dc().GetSafeHdc(), nullptr, nullptr, nullptr));
    draw(&emf);
    HENHMETAFILE bits = ::CloseEnhMetaFile(emf.Detach());
    const RECT all = {0, 0, canvas.Width(), canvas.Height()};
    ::EnumEnhMetaFile(canvas.dc().GetSafeHdc(), bits, PlayRecord, nullptr, &all);
    ::DeleteEnhMetaFile(bits);
}

void FillOne(HDC dc, const CRect& r)
{
    ::PatBlt(dc, r.left, r.top, r.Width(), r.Height(), PATCOPY);
}

// Micrometres that come out as exactly px pixels at 300 dpi.
int UmFor(int px)
{
    return (px * 25400 + 150) / 300;
}

// The reference for a linear pattern: each bar its own rectangle, laid out as the symbologies
// lay out their bars (quiet zone of ten modules, spaces widened by the correction), clipped.
void ReferenceBars(HDC dc, const CBarPattern& pattern, int rotation, int m, int wide, int s, int h,
                   bool quietZone, const CRect& clip, int X, int Y)
{
    CBarOrigin at;
    at.rotation = rotation;
    at.X = X;
    at.Y = Y;
    int pos = quietZone ? 10 * m : 0;
    for (size_t i = 0; i < pattern.Size(); ++i) {
        int width = pattern[i] == CBarPattern::kWide ? wide : pattern[i] * m;
        if (i % 2 == 1) {
            pos += width + s;
            continue;
        }
        CRect bar, visible;
        if (width > 0 && h > 0 && at.MapRect(pos, width, 0, h, bar) &&
            ::IntersectRect(&visible, &bar, &clip))
            FillOne(dc, visible);
        pos += width;
    }
}

class OpenCode128 : public CBarcodeCode128 {
public:
    using CBarcodeCode128::EncodePattern;
};

struct LinearCase {
    const char* name;
    std::function<CBarcodeModular*()> make;
    std::function<bool(CBarcodeModular*, const char*, CBarPattern&)> encode;
    const char* text;
    int ratio;   // tenths, 0 for none
};

std::vector<LinearCase> LinearCases()
{
    return {
        {"Code 39", [] { return new CBarcodeCode39; },
         [](CBarcodeModular* c, const char* t, CBarPattern& p) {
             return static_cast<CBarcodeCode39*>(c)->Encode(t, p);
         },
         "AB-12", 25},
        {"2/5 interleaved", [] { return new CBarcodeCode2of5Int; },
         [](CBarcodeModular* c, const char* t, CBarPattern& p) {
             return static_cast<CBarcodeCode2of5Int*>(c)->Encode(t, p);
         },
         "123456", 30},
        {"Code 128", [] { return new OpenCode128; },
         [](CBarcodeModular* c, const char* t, CBarPattern& p) {
             return static_cast<OpenCode128*>(c)->EncodePattern(t, p);
         },
         "KV-00017", 0},
    };
}

}   // namespace

TEST(DrawCalls, LinearSymbolsMatchOneRectanglePerBar)
{
    for (const LinearCase& lc : LinearCases()) {
        for (int px : {1, 2, 3, 5, 8, 12}) {
            for (int rotation : {0, 900, 1800, 2700}) {
                // Space corrections: none, widening, and one that closes the narrow spaces so
                // that neighbouring bars touch.
                for (int s : {0, 2, -px}) {
                    for (bool quiet : {true, false}) {
                        if (!quiet && rotation != 0)
                            continue;
                        std::unique_ptr<CBarcodeModular> code(lc.make());
                        code->SetModuleWidth(UmFor(px));
                        code->SetSpaceCorrection(s);
                        code->SetHumanReadable(false);
                        code->SetQuietZone(quiet);
                        code->SetBarHeight(UmFor(40));
                        if (lc.ratio)
                            code->SetRatio(lc.ratio);
                        TestOwner owner;
                        owner.rotation = rotation;
                        // A clip that cuts the symbol on two sides.
                        owner.deviceRect = CRect(20, 30, 620, 610);
                        const int X = rotation == 1800 || rotation == 2700 ? 630 : 10;
                        const int Y = rotation == 900 || rotation == 1800 ? 630 : 10;

                        DibCanvas drawn(640, 640), played(640, 640);
                        code->GetBarBrush().CreateSolidBrush(kInk);
                        code->Draw(&owner, &drawn.dc(), 300, 300, X, Y, 1, lc.text);
                        ThroughMetafile(played, [&](CDC* dc) {
                            code->Draw(&owner, dc, 300, 300, X, Y, 1, lc.text);
                        });
                        code->ReleaseBrush();

                        CBarPattern pattern;
                        ASSERT_TRUE(lc.encode(code.get(), lc.text, pattern)) << lc.name;
                        const int wide = lc.ratio ? ::MulDiv(px, lc.ratio, 10) : px;
                        DibCanvas reference(640, 640);
                        CBrush ink(kInk);
                        HGDIOBJ old = ::SelectObject(reference.dc().GetSafeHdc(), ink.GetSafeHandle());
                        ReferenceBars(reference.dc().GetSafeHdc(), pattern, rotation, px, wide, s, 40,
                                      quiet, owner.deviceRect, X, Y);
                        ::SelectObject(reference.dc().GetSafeHdc(), old);

                        ASSERT_GT(reference.CountPixels(kInk), 0) << lc.name;
                        ASSERT_TRUE(drawn.SameAs(reference))
                            << lc.name << " module " << px << " rotation " << rotation
                            << " space " << s << " quiet " << quiet;
                        ASSERT_TRUE(played.SameAs(reference))
                            << lc.name << " (metafile) module " << px << " rotation " << rotation
                            << " space " << s << " quiet " << quiet;
                    }
                }
            }
        }
    }
}

namespace {

// The reference for a QR Code: every dark module its own square, placed as the symbology places
// the matrix in the owner's box (margin, centring, rotation), clipped.
void ReferenceModules(HDC dc, CBarcodeQRCode& code, TestOwner& owner, const QRcode* symbol, int m,
                      int X, int Y)
{
    const int M = code.GetMargin();
    int vertical = 0, horizontal = 0;
    if (code.IsCentred()) {
        vertical = BarcodeUmToPx((int64_t(owner.height) - code.GetSymbolHeight(&owner, 300)) / 2, 300);
        horizontal = BarcodeUmToPx((int64_t(owner.width) - code.GetSymbolHeight(&owner, 300)) / 2, 300);
    }
    for (int r = 0; r < symbol->width; ++r)
        for (int c = 0; c < symbol->width; ++c) {
            if (!(symbol->data[r * symbol->width + c] & 1))
                continue;
            CRect sq;
            switch (owner.rotation) {
            case 0:
                sq.left = X + m * (c + M);
                sq.top = Y + m * (r + M) + vertical;
                break;
            case 900:
                sq.left = X + m * (r + M) + horizontal;
                sq.top = Y - m * (c + M) - m;
                break;
            case 1800:
                sq.left = X - m * (c + M) - m;
                sq.top = Y - m * (r + M) - vertical - m;
                break;
            default:
                sq.left = X - m * (r + M) - horizontal - m;
                sq.top = Y + m * (c + M);
                break;
            }
            sq.right = sq.left + m;
            sq.bottom = sq.top + m;
            CRect visible;
            if (::IntersectRect(&visible, &sq, &owner.deviceRect))
                FillOne(dc, visible);
        }
}

}   // namespace

TEST(DrawCalls, QrCodeMatchesOneRectanglePerModule)
{
    struct Text {
        const char* text;
        int version;
    } texts[] = {{"QR-00017", 2}, {"https://example.invalid/label?id=12345&batch=7", 1}};
    for (const Text& t : texts) {
        for (int px : {1, 2, 3, 5, 8, 12}) {
            for (int rotation : {0, 900, 1800, 2700}) {
                for (bool centred : {false, true}) {
                    CBarcodeQRCode code;
                    code.SetModuleWidth(UmFor(px));
                    code.SetVersion(t.version);
                    code.SetCentred(centred);
                    code.SetMargin(px > 8 ? 1 : 4);
                    TestOwner owner;
                    owner.rotation = rotation;
                    owner.textColour = kInk;
                    owner.width = owner.height = 50000;
                    // A clip that cuts the larger symbols.
                    owner.deviceRect = CRect(15, 25, 585, 570);
                    const int X = rotation == 1800 || rotation == 2700 ? 590 : 10;
                    const int Y = rotation == 900 || rotation == 1800 ? 590 : 10;

                    DibCanvas drawn(600, 600), played(600, 600);
                    ASSERT_GT(code.Draw(&owner, &drawn.dc(), 300, 300, X, Y, 1, t.text), 0);
                    ThroughMetafile(played, [&](CDC* dc) {
                        code.Draw(&owner, dc, 300, 300, X, Y, 1, t.text);
                    });

                    const QRcode* symbol = code.Encode(t.text);
                    ASSERT_NE(nullptr, symbol);
                    DibCanvas reference(600, 600);
                    CBrush ink(kInk);
                    HGDIOBJ old = ::SelectObject(reference.dc().GetSafeHdc(), ink.GetSafeHandle());
                    ReferenceModules(reference.dc().GetSafeHdc(), code, owner, symbol, px, X, Y);
                    ::SelectObject(reference.dc().GetSafeHdc(), old);

                    ASSERT_GT(reference.CountPixels(kInk), 0);
                    ASSERT_TRUE(drawn.SameAs(reference)) << t.text << " module " << px << " rotation "
                                                         << rotation << " centred " << centred;
                    ASSERT_TRUE(played.SameAs(reference)) << t.text << " (metafile) module " << px
                                                          << " rotation " << rotation << " centred "
                                                          << centred;
                }
            }
        }
    }
}

TEST(DrawCalls, GatheredRectanglesFillTheirUnion)
{
    // Overlapping, touching, out of order, empty, and more than one batch: the same pixels as
    // filling each on its own, in a call per batch (on a metafile; a bitmap in memory is
    // filled directly).
    std::srand(31);
    std::vector<CRect> rects;
    for (int i = 0; i < 3000; ++i) {
        int x = std::rand() % 390, y = std::rand() % 390;
        rects.emplace_back(x, y, x + std::rand() % 12, y + std::rand() % 12);
    }
    for (int x = 0; x < 200; x += 4)   // a row of touching rectangles joins into one
        rects.emplace_back(x, 395, x + 4, 399);
    CBrush ink(kInk);
    DibCanvas gathered(400, 400), reference(400, 400);
    int calls = 0;
    ThroughMetafile(gathered, [&](CDC* dc) {
        CBarFill fill(dc->GetSafeHdc(), static_cast<HBRUSH>(ink.GetSafeHandle()));
        for (const CRect& r : rects)
            fill.Add(r);
        fill.Flush();
        calls = fill.Calls();
    });
    HGDIOBJ old = ::SelectObject(reference.dc().GetSafeHdc(), ink.GetSafeHandle());
    for (const CRect& r : rects)
        if (!r.IsRectEmpty())
            FillOne(reference.dc().GetSafeHdc(), r);
    ::SelectObject(reference.dc().GetSafeHdc(), old);
    EXPECT_TRUE(gathered.SameAs(reference));
    EXPECT_LE(calls, 4);
    EXPECT_GE(calls, 2);
    DibCanvas direct(400, 400);
    CBarFill fill(direct.dc().GetSafeHdc(), static_cast<HBRUSH>(ink.GetSafeHandle()));
    for (const CRect& r : rects)
        fill.Add(r);
    fill.Flush();
    EXPECT_TRUE(direct.SameAs(reference));
}

TEST(DrawCalls, MetafileOfASymbolHoldsFewRecords)
{
    // A QR Code of version 2 (hundreds of dark modules) and a Code 128: one fill each.
    CBarcodeQRCode qr;
    qr.SetModuleWidth(UmFor(6));
    qr.SetVersion(2);
    TestOwner owner;
    owner.width = owner.height = 30000;
    owner.deviceRect = CRect(0, 0, 400, 400);
    {
        EmfRecorder emf;
        ASSERT_GT(qr.Draw(&owner, &emf.dc(), 300, 300, 10, 10, 1, "QR-00017"), 0);
        EXPECT_EQ(1, emf.RecordCount(EMR_FILLRGN));
        EXPECT_EQ(0, emf.RecordCount(EMR_BITBLT));
        int drawing = emf.RecordCount(EMR_FILLRGN) + emf.RecordCount(EMR_BITBLT) +
                      emf.RecordCount(EMR_PAINTRGN) + emf.RecordCount(EMR_STRETCHDIBITS) +
                      emf.RecordCount(EMR_SELECTOBJECT) + emf.RecordCount(EMR_CREATEBRUSHINDIRECT);
        EXPECT_LE(drawing, 30);
    }
    CBarcodeCode128 code;
    code.SetModuleWidth(UmFor(3));
    code.SetHumanReadable(false);
    {
        EmfRecorder emf;
        ASSERT_GT(code.Draw(&owner, &emf.dc(), 300, 300, 10, 10, 1, "KV-00017"), 0);
        EXPECT_EQ(1, emf.RecordCount(EMR_FILLRGN));
        EXPECT_EQ(0, emf.RecordCount(EMR_BITBLT));
    }
}
