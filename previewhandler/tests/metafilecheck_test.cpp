// The metafile check against what GDI itself records, and against records whose sizes and counts
// have been bent out of shape; and GDI playing whatever the check lets through.
#include "previewhandler/metafilecheck.h"
#include "previewhandler/tests/previewtestsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Records a little of everything a drawing program puts into a metafile.
Bytes RichMetafile()
{
    return RecordMetafile([](HDC dc) {
        SetWindowOrgEx(dc, 0, 0, nullptr);
        SetWindowExtEx(dc, 1000, 1000, nullptr);
        SaveDC(dc);
        HPEN pen = CreatePen(PS_DASH, 1, RGB(0, 0, 255));
        HBRUSH hatch = CreateHatchBrush(HS_CROSS, RGB(0, 128, 0));
        SelectObject(dc, pen);
        SelectObject(dc, hatch);
        Rectangle(dc, 10, 10, 300, 200);
        Ellipse(dc, 20, 20, 200, 150);
        RoundRect(dc, 30, 30, 250, 180, 20, 20);
        Arc(dc, 0, 0, 100, 100, 0, 50, 100, 50);
        Pie(dc, 0, 0, 100, 100, 0, 50, 100, 50);
        Chord(dc, 0, 0, 100, 100, 0, 50, 100, 50);
        MoveToEx(dc, 5, 5, nullptr);
        LineTo(dc, 500, 500);
        const POINT points[] = {{0, 0}, {100, 10}, {50, 100}, {10, 80}, {0, 0}, {300, 300}, {400, 320}, {350, 400}};
        Polygon(dc, points, 4);
        Polyline(dc, points, 5);
        const INT counts[] = {5, 3};
        PolyPolygon(dc, points, counts, 2);
        SetPixel(dc, 7, 7, RGB(1, 2, 3));

        LOGFONTW font = {};
        font.lfHeight = 40;
        lstrcpyW(font.lfFaceName, L"Liberation Sans");
        HFONT hfont = CreateFontIndirectW(&font);
        SelectObject(dc, hfont);
        SetTextColor(dc, RGB(10, 20, 30));
        SetBkMode(dc, TRANSPARENT);
        TextOutA(dc, 10, 10, "Preview", 7);
        RECT box = {0, 0, 200, 50};
        const INT dx[] = {10, 10, 10, 10, 10};
        ExtTextOutA(dc, 10, 60, ETO_OPAQUE | ETO_CLIPPED, &box, "Hello", 5, dx);
        ExtTextOutA(dc, 10, 90, 0, nullptr, "abc", 3, nullptr);

        HRGN region = CreateEllipticRgn(100, 100, 300, 250);
        HBRUSH solid = CreateSolidBrush(RGB(200, 100, 0));
        FillRgn(dc, region, solid);
        FrameRgn(dc, region, solid, 2, 2);
        InvertRgn(dc, region);
        PaintRgn(dc, region);

        struct {
            BITMAPINFOHEADER header;
            uint32_t pixels[8 * 8];
        } dib = {};
        dib.header.biSize = sizeof(BITMAPINFOHEADER);
        dib.header.biWidth = 8;
        dib.header.biHeight = 8;
        dib.header.biPlanes = 1;
        dib.header.biBitCount = 32;
        // Some recorders take the size of the bits from here rather than working it out.
        dib.header.biSizeImage = sizeof(dib.pixels);
        for (uint32_t& pixel : dib.pixels)
            pixel = 0x00FF8800;
        const BITMAPINFO* info = reinterpret_cast<const BITMAPINFO*>(&dib.header);
        StretchDIBits(dc, 400, 400, 80, 80, 0, 0, 8, 8, dib.pixels, info, DIB_RGB_COLORS, SRCCOPY);
        SetDIBitsToDevice(dc, 500, 500, 8, 8, 0, 0, 0, 8, dib.pixels, info, DIB_RGB_COLORS);
        HBRUSH pattern = CreateDIBPatternBrushPt(&dib, DIB_RGB_COLORS);
        SelectObject(dc, pattern);
        PatBlt(dc, 600, 600, 50, 50, PATCOPY);

        HDC memory = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = CreateCompatibleBitmap(memory, 16, 16);
        SelectObject(memory, bitmap);
        BitBlt(dc, 700, 700, 16, 16, memory, 0, 0, SRCCOPY);
        StretchBlt(dc, 700, 800, 32, 32, memory, 0, 0, 16, 16, SRCCOPY);
        DeleteDC(memory);
        DeleteObject(bitmap);

        struct {
            WORD version;
            WORD count;
            PALETTEENTRY entries[4];
        } palette = {0x300, 4, {{1, 2, 3, 0}, {4, 5, 6, 0}, {7, 8, 9, 0}, {10, 11, 12, 0}}};
        HPALETTE hpalette = CreatePalette(reinterpret_cast<LOGPALETTE*>(&palette));
        SelectPalette(dc, hpalette, FALSE);
        RealizePalette(dc);

        IntersectClipRect(dc, 0, 0, 900, 900);
        ExcludeClipRect(dc, 10, 10, 20, 20);
        RestoreDC(dc, -1);
        DeleteObject(pen);
        DeleteObject(hatch);
        DeleteObject(hfont);
        DeleteObject(region);
        DeleteObject(solid);
        DeleteObject(pattern);
        DeleteObject(hpalette);
    });
}

// Plays bits the check let through onto a bitmap; a crash here fails the whole test program.
void PlayOnBitmap(const Bytes& bits, size_t size)
{
    HMETAFILE metafile = SetMetaFileBitsEx(UINT(size), bits.data());
    if (!metafile)
        return;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 64, 64);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SetMapMode(memory, MM_ANISOTROPIC);
    SetWindowExtEx(memory, 1000, 1000, nullptr);
    SetViewportExtEx(memory, 64, 64, nullptr);
    PlayMetaFile(memory, metafile);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    DeleteMetaFile(metafile);
}

size_t Check(const Bytes& bits)
{
    return CheckMetafileBits(bits.data(), bits.size());
}

Bytes Record(uint16_t function, const std::vector<uint16_t>& params)
{
    Bytes record(6 + 2 * params.size(), 0);
    PutDword(record, 0, uint32_t(record.size() / 2));
    PutWord(record, 4, function);
    for (size_t i = 0; i < params.size(); ++i)
        PutWord(record, 6 + 2 * i, params[i]);
    return record;
}

// Header, the records and the end record; an object table of `objects` entries.
Bytes AssembleMetafile(const std::vector<Bytes>& records, uint16_t objects = 4)
{
    Bytes bits(18, 0);
    PutWord(bits, 0, 1);
    PutWord(bits, 2, 9);
    PutWord(bits, 4, 0x300);
    PutWord(bits, 10, objects);
    for (const Bytes& record : records)
        bits = Concat(bits, record);
    bits = Concat(bits, Record(0, {}));
    PutDword(bits, 6, uint32_t(bits.size() / 2));
    return bits;
}

} // namespace

TEST(MetafileCheck, AcceptsWhatGdiRecords)
{
    const Bytes bits = RichMetafile();
    EXPECT_EQ(Check(bits), bits.size());
    // The check has been through every kind of record that carries a count or a bitmap.
    for (uint16_t function : {META_POLYGON, META_POLYLINE, META_POLYPOLYGON, META_EXTTEXTOUT,
                              META_CREATEFONTINDIRECT, META_CREATEREGION, META_STRETCHDIB, META_SETDIBTODEV,
                              META_DIBCREATEPATTERNBRUSH, META_CREATEPALETTE, META_SELECTOBJECT, META_FILLREGION})
        EXPECT_NE(FindRecord(bits, function), 0u) << std::hex << function;
    const bool bitBlt = FindRecord(bits, META_DIBBITBLT) || FindRecord(bits, META_DIBSTRETCHBLT);
    EXPECT_TRUE(bitBlt);
}

TEST(MetafileCheck, AnswersTheHeaderSizeWhenMoreBytesFollow)
{
    const Bytes bits = FilledRectangleMetafile(100, 100, kRed);
    Bytes padded = bits;
    padded.resize(bits.size() + 64, 0xCC);
    EXPECT_EQ(Check(padded), bits.size());
}

TEST(MetafileCheck, RefusesEveryTruncation)
{
    const Bytes bits = RichMetafile();
    for (size_t size = 0; size < bits.size(); ++size) {
        const Bytes cut(bits.begin(), bits.begin() + size);
        ASSERT_EQ(Check(cut), 0u) << "cut at " << size;
    }
    EXPECT_EQ(CheckMetafileBits(nullptr, 100), 0u);
}

TEST(MetafileCheck, RefusesABadHeader)
{
    const Bytes good = FilledRectangleMetafile(100, 100, kRed);
    struct Case {
        const char* what;
        size_t offset;
        uint16_t value;
    } cases[] = {
        {"type 0", 0, 0},
        {"type 3", 0, 3},
        {"header of 10 words", 2, 10},
        {"version 2", 4, 0x200},
        {"version 0", 4, 0},
    };
    for (const Case& c : cases) {
        Bytes bits = good;
        PutWord(bits, c.offset, c.value);
        EXPECT_EQ(Check(bits), 0u) << c.what;
    }
    Bytes diskVersionOne = good;
    PutWord(diskVersionOne, 0, 2);
    PutWord(diskVersionOne, 4, 0x100);
    EXPECT_EQ(Check(diskVersionOne), good.size());
}

TEST(MetafileCheck, TheSizeFieldIsNotTrustedEitherWay)
{
    // Writers get the header's size wrong in both directions; the record chain decides.
    const Bytes good = FilledRectangleMetafile(100, 100, kRed);
    const uint32_t words = uint32_t(good.size() / 2);
    for (uint32_t field : {0u, 8u, 9u, words - 1, words + 1, words + 11, 0x80000000u, 0xFFFFFFFFu}) {
        Bytes bits = good;
        PutDword(bits, 6, field);
        EXPECT_EQ(Check(bits), good.size()) << field;
    }

    // What GDI is given ends at the end record and says so in its header.
    Bytes overstated = good;
    PutDword(overstated, 6, words + 11);
    overstated.resize(good.size() + 22, 0);
    EXPECT_EQ(MakeMetafilePlayable(overstated.data(), overstated.size()), good.size());
    EXPECT_EQ(GetDword(overstated, 6), words);
    EXPECT_TRUE(std::equal(good.begin(), good.end(), overstated.begin()));

    Bytes old = good;
    PutWord(old, 0, 2);
    PutWord(old, 4, 0x100);
    EXPECT_EQ(MakeMetafilePlayable(old.data(), old.size()), good.size());
    EXPECT_TRUE(old == good) << "type and version as GDI takes them";

    Bytes refused = good;
    PutDword(refused, RecordOffsets(refused).front(), 2);
    const Bytes before = refused;
    EXPECT_EQ(MakeMetafilePlayable(refused.data(), refused.size()), 0u);
    EXPECT_TRUE(refused == before) << "refused bits stay as they were";
}

TEST(MetafileCheck, RefusesRecordSizesThatDoNotFit)
{
    const Bytes good = FilledRectangleMetafile(100, 100, kRed);
    const size_t first = RecordOffsets(good).front();
    for (uint32_t words : {0u, 1u, 2u, uint32_t(good.size()), 0x80000000u, 0xFFFFFFFFu}) {
        Bytes bits = good;
        PutDword(bits, first, words);
        EXPECT_EQ(Check(bits), 0u) << words;
    }

    // A chain without its end record is a cut file, whatever the size field says.
    Bytes noEnd(good.begin(), good.end() - 6);
    PutDword(noEnd, 6, uint32_t(noEnd.size() / 2));
    EXPECT_EQ(Check(noEnd), 0u);
    Bytes ragged = noEnd;
    ragged.resize(ragged.size() + 4, 0);
    PutDword(ragged, 6, uint32_t(ragged.size() / 2));
    EXPECT_EQ(Check(ragged), 0u);
    // An end record that claims more than arrived.
    Bytes longEnd = good;
    PutDword(longEnd, good.size() - 6, 4);
    EXPECT_EQ(Check(longEnd), 0u);
}

TEST(MetafileCheck, RefusesCountsThatRunPastTheirRecord)
{
    const Bytes good = RichMetafile();
    struct Case {
        const char* what;
        uint16_t function;
        size_t paramWord; // which parameter word to overwrite
        uint16_t value;
    } cases[] = {
        {"polygon points", META_POLYGON, 0, 1000},
        {"polyline points", META_POLYLINE, 0, 0xFFFF},
        {"polypolygon polygons", META_POLYPOLYGON, 0, 500},
        {"polypolygon points", META_POLYPOLYGON, 1, 4000},
        {"ext text length", META_EXTTEXTOUT, 2, 200},
        {"region bands", META_CREATEREGION, 5, 900},
        {"palette entries", META_CREATEPALETTE, 1, 300},
        {"selected object", META_SELECTOBJECT, 0, 0x7FFF},
        {"deleted object", META_DELETEOBJECT, 0, 0x7FFF},
        {"fill brush", META_FILLREGION, 0, 0x7FFF},
        {"filled region", META_FILLREGION, 1, 0x7FFF},
        {"frame brush", META_FRAMEREGION, 2, 0x7FFF},
        {"framed region", META_FRAMEREGION, 3, 0x7FFF},
        {"selected palette", META_SELECTPALETTE, 0, 0x7FFF},
    };
    for (const Case& c : cases) {
        Bytes bits = good;
        const size_t record = FindRecord(bits, c.function);
        ASSERT_NE(record, 0u) << c.what;
        PutWord(bits, record + 6 + 2 * c.paramWord, c.value);
        EXPECT_EQ(Check(bits), 0u) << c.what;
    }

    // An object index equal to the header's object count is one past the table.
    Bytes bits = good;
    PutWord(bits, FindRecord(bits, META_SELECTOBJECT) + 6, GetWord(bits, 10));
    EXPECT_EQ(Check(bits), 0u);
}

TEST(MetafileCheck, RefusesBitmapsLargerThanTheirRecord)
{
    const Bytes good = RichMetafile();
    const size_t record = FindRecord(good, META_STRETCHDIB);
    ASSERT_NE(record, 0u);
    const size_t dib = record + 6 + 2 * 11;
    struct Case {
        const char* what;
        size_t offset;
        uint32_t value;
        bool dword;
    } cases[] = {
        {"header size 0", 0, 0, true},
        {"header size past the record", 0, 0x10000, true},
        {"height 30000", 8, 30000, true},
        {"height -30000", 8, uint32_t(-30000), true},
        {"width 0x7FFFFFFF", 4, 0x7FFFFFFF, true},
        {"width 0", 4, 0, true},
        {"7 bits per pixel", 14, 7, false},
        {"colours used 0x40000000", 32, 0x40000000, true},
        {"JPEG compression", 16, BI_JPEG, true},
        {"RLE8 of 1 MiB", 20, 0x100000, true},
    };
    for (const Case& c : cases) {
        Bytes bits = good;
        if (c.what == std::string("RLE8 of 1 MiB"))
            PutDword(bits, dib + 16, BI_RLE8);
        if (c.dword)
            PutDword(bits, dib + c.offset, c.value);
        else
            PutWord(bits, dib + c.offset, uint16_t(c.value));
        EXPECT_EQ(Check(bits), 0u) << c.what;
    }

    // Top-down bitmaps of the right size pass.
    Bytes topDown = good;
    PutDword(topDown, dib + 8, uint32_t(-int32_t(GetDword(good, dib + 8))));
    EXPECT_EQ(Check(topDown), topDown.size());
}

TEST(MetafileCheck, HandMadeRecordsWithCounts)
{
    struct Case {
        const char* what;
        uint16_t function;
        std::vector<uint16_t> params;
        bool sound;
    } cases[] = {
        {"text of 5 characters", META_TEXTOUT, {5, 0x6548, 0x6C6C, 0x006F, 10, 20}, true},
        {"text of 7 characters in 6", META_TEXTOUT, {7, 0x6548, 0x6C6C, 0x006F, 10, 20}, false},
        {"text without its position", META_TEXTOUT, {5, 0x6548, 0x6C6C, 0x006F, 10}, false},
        {"comment of 4 bytes", META_ESCAPE, {15, 4, 0x4241, 0x4443}, true},
        {"comment of 6 bytes in 4", META_ESCAPE, {15, 6, 0x4241, 0x4443}, false},
        {"palette entries", META_SETPALENTRIES, {0, 2, 1, 2, 3, 4}, true},
        {"palette entries past the record", META_SETPALENTRIES, {0, 3, 1, 2, 3, 4}, false},
        {"animated entries past the record", META_ANIMATEPALETTE, {0, 9, 1, 2}, false},
        {"rectangle without corners", META_RECTANGLE, {1, 2, 3}, false},
        {"pen without colour", META_CREATEPENINDIRECT, {0, 1, 0, 0}, false},
        {"arc of 7 words", META_ARC, {1, 2, 3, 4, 5, 6, 7}, false},
        {"region of one band", META_CREATEREGION, {0, 6, 0, 0, 0, 1, 0, 0, 10, 10, 0, 2, 0, 10, 0, 10, 2}, true},
        {"region band past the record", META_CREATEREGION, {0, 6, 0, 0, 0, 1, 0, 0, 10, 10, 0, 8, 0, 10, 0, 10, 2}, false},
        {"unknown record", 0x0999, {}, true},
        // Device-dependent bitmaps of Windows 2: their bits are sized by the device, not by the record.
        {"old bit block transfer", META_BITBLT, std::vector<uint16_t>(20, 1), false},
        {"old stretched transfer", META_STRETCHBLT, std::vector<uint16_t>(20, 1), false},
        {"old pattern brush", META_CREATEPATTERNBRUSH, std::vector<uint16_t>(20, 1), false},
    };
    for (const Case& c : cases) {
        const Bytes bits = AssembleMetafile({Record(c.function, c.params)});
        EXPECT_EQ(Check(bits) != 0, c.sound) << c.what;
    }

    // A palette selection is read with one word too many by some players: the word after it
    // (here the next record's size) must also name an entry of the object table.
    const Bytes palette = Record(META_CREATEPALETTE, {0x300, 1, 0, 0});
    const Bytes select = Record(META_SELECTPALETTE, {0});
    EXPECT_NE(Check(AssembleMetafile({palette, select, Record(META_REALIZEPALETTE, {})})), 0u);
    EXPECT_EQ(Check(AssembleMetafile({palette, select, Record(META_ESCAPE, {15, 16, 0, 0, 0, 0, 0, 0, 0, 0})})), 0u);
}

TEST(MetafileCheck, FaceNameMustEndInsideItsRecord)
{
    // 18 bytes of font fields, then a face name of 6 characters.
    std::vector<uint16_t> params(9 + 3, 0);
    params[0] = 40;
    params[9] = 0x7241;  // "Ar"
    params[10] = 0x6169; // "ia"
    params[11] = 0x216C; // "l!": no end
    EXPECT_EQ(Check(AssembleMetafile({Record(META_CREATEFONTINDIRECT, params)})), 0u);
    params[11] = 0x006C; // "l" and the end
    EXPECT_NE(Check(AssembleMetafile({Record(META_CREATEFONTINDIRECT, params)})), 0u);
    EXPECT_EQ(Check(AssembleMetafile({Record(META_CREATEFONTINDIRECT, std::vector<uint16_t>(8, 0))})), 0u);
}

TEST(MetafileCheck, WhatPassesPlaysWithoutHarm)
{
    // Random damage to a rich metafile: whatever the check accepts, GDI must be able to play.
    const Bytes good = RichMetafile();
    const std::vector<size_t> records = RecordOffsets(good);
    uint32_t seed = 12345;
    auto next = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return seed >> 8;
    };
    int accepted = 0;
    for (int round = 0; round < 1500; ++round) {
        Bytes bits = good;
        const int changes = 1 + int(next() % 3);
        for (int i = 0; i < changes; ++i) {
            // Mostly the first parameter words of a record, where the sizes and counts are.
            const size_t record = records[next() % records.size()];
            size_t offset = record + next() % 32;
            if (next() % 4 == 0)
                offset = next() % bits.size();
            if (offset >= bits.size())
                continue;
            switch (next() % 4) {
            case 0: bits[offset] = uint8_t(next()); break;
            case 1: bits[offset] ^= uint8_t(1u << (next() % 8)); break;
            case 2: bits[offset] = 0xFF; break;
            default: bits[offset] = uint8_t(bits[offset] + 1); break;
            }
        }
        const size_t size = MakeMetafilePlayable(bits.data(), bits.size());
        if (size) {
            ++accepted;
            PlayOnBitmap(bits, size);
        }
    }
    EXPECT_GT(accepted, 100);
}
