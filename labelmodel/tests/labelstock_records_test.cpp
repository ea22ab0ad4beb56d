// Records of every stock generation and the ".label" file: exact bytes, round trips, damaged input.
#include "labelmodel/labelstock.h"
#include "labelmodel/tests/labelstock_testutil.h"
#include "testsupport/msgboxrecorder.h"
#include "testsupport/tempdir.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

// A library stock with a distinct value in every field.
void FillDistinct(CLabelFileNew& s) {
    s.SetFamilyName("Cable markers");
    s.SetPaperCode(256);
    s.SetPaperWidthTenths(1500, true);
    s.SetPaperHeightTenths(2500, true);
    s.SetWidth(0, 40000, true);
    s.SetHeight(0, 20000);
    s.SetPitchH(42000);
    s.SetPitchV(21000);
    s.SetColumns(3);
    s.SetRows(11);
    s.SetLeft(0, 1100);
    s.SetTop(0, 1200);
    s.SetBlockGap(1300);
    s.SetVerticalBlocks(2);
    s.SetShape(0, 1);
    s.SetCornerRadius(1500);
    s.SetOrientation(2);
    s.SetWidth(1, 180000, true);
    s.SetHeight(1, 10000);
    s.SetLeft(1, 5000);
    s.SetTop(1, 6000);
    s.SetHeight(2, 9000);
    s.SetLeft(2, 7000);
    s.SetTop(2, 8000);
    s.ToggleMarkingTypes(kMarkWire | kMarkModule);
    s.TogglePrinterTypes(kPrinterLaser);
    s.SetImageFile("cable.jpg");
    s.SetInfoFile("cable.pdf");
    s.SetPrinterStrings("Zebra", "winspool", "USB001");
    s.SetPath("C:\\labels\\Cable.label");
}

Bytes FileBytesOf(const TempDir& dir, const char* name) {
    std::string s = dir.ReadBytes(name);
    return Bytes(s.begin(), s.end());
}

}  // namespace

TEST(LabelStockFile, WithoutPrinterSettingsIsHeadAndBodyOf1024Bytes) {
    TempDir dir;
    CLabelFileNew stock;
    FillDistinct(stock);
    ASSERT_TRUE(stock.SaveToFile(dir.Path("Cable.label")));
    const Bytes b = FileBytesOf(dir, "Cable.label");
    ASSERT_EQ(1024u, b.size());
    const Bytes head = {0x4C, 0x42, 0x4C, 0x46, 0x5A, 0, 0, 0, 3, 0, 0, 0};
    EXPECT_EQ(head, Bytes(b.begin(), b.begin() + 12));

    // Every field at its offset in the body (after the 12-byte head).
    const size_t o = 12;
    EXPECT_EQ(1, b[o + 0]);                              // size set
    EXPECT_EQ(13, b[o + 1]);                             // family name length
    EXPECT_EQ(0, memcmp(&b[o + 2], "Cable markers", 14));
    // The orientation swap exchanged the label area's width/height, pitches, columns/rows, margins.
    EXPECT_EQ(20000, I32At(b, o + 67));
    EXPECT_EQ(40000, I32At(b, o + 71));
    EXPECT_EQ(42000, I32At(b, o + 75));                  // vertical pitch
    EXPECT_EQ(21000, I32At(b, o + 79));                  // horizontal pitch
    EXPECT_EQ(11, I32At(b, o + 83));
    EXPECT_EQ(3, I32At(b, o + 87));
    EXPECT_EQ(1200, I32At(b, o + 91));
    EXPECT_EQ(1100, I32At(b, o + 95));
    EXPECT_EQ(1300, I32At(b, o + 99));
    EXPECT_EQ(1, b[o + 103]);
    EXPECT_EQ(2, I16At(b, o + 104));
    EXPECT_EQ(1, I16At(b, o + 106));                     // shape
    EXPECT_EQ(1500, I32At(b, o + 108));
    EXPECT_EQ(2, I16At(b, o + 112));                     // orientation
    EXPECT_EQ(256, I16At(b, o + 114));
    EXPECT_EQ(2500, I16At(b, o + 116));
    EXPECT_EQ(1500, I16At(b, o + 118));
    EXPECT_EQ(63 ^ 65, I32At(b, o + 120));
    EXPECT_EQ(1, b[o + 124]);                            // header enabled
    EXPECT_EQ(5000, I32At(b, o + 125));
    EXPECT_EQ(6000, I32At(b, o + 129));
    EXPECT_EQ(10000, I32At(b, o + 133));
    EXPECT_EQ(180000, I32At(b, o + 137));
    EXPECT_EQ(1, b[o + 141]);                            // footer enabled
    EXPECT_EQ(7000, I32At(b, o + 142));
    EXPECT_EQ(8000, I32At(b, o + 146));
    EXPECT_EQ(9000, I32At(b, o + 150));
    EXPECT_EQ(0, I32At(b, o + 154));
    EXPECT_STREQ("cable.jpg", reinterpret_cast<const char*>(&b[o + 158]));
    EXPECT_STREQ("cable.pdf", reinterpret_cast<const char*>(&b[o + 414]));
    EXPECT_STREQ("Zebra", reinterpret_cast<const char*>(&b[o + 673]));
    EXPECT_STREQ("winspool", reinterpret_cast<const char*>(&b[o + 754]));
    EXPECT_STREQ("USB001", reinterpret_cast<const char*>(&b[o + 835]));
    EXPECT_EQ(0, b[o + 916]);                            // no printer settings
    EXPECT_EQ(int32_t(0x8000000C), I32At(b, o + 917));
    for (size_t i = o + 921; i < o + 1012; ++i)
        ASSERT_EQ(0, b[i]) << "reserved byte " << i - o;
    EXPECT_FALSE(stock.IsModified());                    // saving cleared it
}

TEST(LabelStockFile, PrinterSettingsBlockAddsTwentyBytesAndTheDevMode) {
    PosedWindowsVersion win7(6, 1);
    TempDir dir;
    CLabelFileNew stock;
    const Bytes dm = MakeDevMode(156, 24);
    ASSERT_TRUE(stock.SetDevMode(reinterpret_cast<const DEVMODEA*>(dm.data())));
    ASSERT_TRUE(stock.SaveToFile(dir.Path("a.label")));
    const Bytes b = FileBytesOf(dir, "a.label");
    ASSERT_EQ(1024u + 20 + 156 + 24, b.size());
    EXPECT_EQ(1, b[12 + 916]);
    EXPECT_EQ(6, I32At(b, 1024));
    EXPECT_EQ(1, I32At(b, 1028));
    EXPECT_EQ(VER_PLATFORM_WIN32_NT, I32At(b, 1032));
    EXPECT_EQ(156, I32At(b, 1036));
    EXPECT_EQ(24, I32At(b, 1040));
    EXPECT_EQ(dm, Bytes(b.begin() + 1044, b.end()));

    CLabelFileNew back;
    ASSERT_TRUE(back.LoadFromFile(dir.Path("a.label"), false));
    ASSERT_TRUE(back.HasDevMode());
    EXPECT_TRUE(back.GetStorePrinterSettings());
    EXPECT_EQ(1, back.IsLoadedFromFile());
    EXPECT_EQ(0, memcmp(back.GetDevMode(), dm.data(), dm.size()));
}

TEST(LabelStockRecord, EveryGenerationRoundTripsThroughItsTypedRecord) {
    PosedWindowsVersion win7(6, 1);
    struct Case { int code; size_t bodySize; };
    const Case cases[] = {{140, 106}, {139, 112}, {138, 120}, {136, 1269}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        std::unique_ptr<CLabel> original(CLabel::CreateFromTypeCode(c.code));
        ASSERT_TRUE(original);
        EXPECT_EQ(c.code, original->GetTypeCode());
        original->SetFamilyName("PLC");
        original->SetWidth(0, 17500, true);
        original->SetHeight(0, 9000);
        original->SetLeft(0, 4000);
        original->SetTop(0, 4500);
        original->SetVerticalBlocks(3);
        original->SetBlockGap(2000);
        original->SetShape(0, 2);
        original->SetCornerRadius(700);
        original->SetPaperCode(11);
        original->SetOrientation(2);
        if (auto* file = dynamic_cast<CLabelFileNew*>(original.get())) {
            FillDistinct(*file);
            const Bytes dm = MakeDevMode(156, 4);
            file->SetDevMode(reinterpret_cast<const DEVMODEA*>(dm.data()));
        }
        CMemFile stream;
        ASSERT_TRUE(original->SaveWithType(&stream));
        const Bytes written = stream.Bytes();
        const size_t block = c.code == 136 ? 20 + 156 + 4 : 0;
        ASSERT_EQ(2 + c.bodySize + block, written.size());
        EXPECT_EQ(c.code, I16At(written, 0));

        stream.SeekToBegin();
        RecordReader in(&stream);
        int16_t code = 0;
        ASSERT_TRUE(in.I16(code));
        std::unique_ptr<CLabel> loaded(CLabel::CreateFromTypeCode(code));
        ASSERT_TRUE(loaded);
        ASSERT_TRUE(loaded->Load(&stream, true, false));
        EXPECT_EQ(written.size(), stream.GetPosition());
        EXPECT_EQ(SavedBody(*original, true), SavedBody(*loaded, true));
        EXPECT_EQ(CString(original->GetFamilyName()), CString(loaded->GetFamilyName()));
        EXPECT_EQ(original->GetWidth(0), loaded->GetWidth(0));
        EXPECT_EQ(original->GetShape(0), loaded->GetShape(0));
        EXPECT_EQ(original->GetOrientation(), loaded->GetOrientation());

        std::unique_ptr<CLabel> clone(original->Clone());
        EXPECT_EQ(c.code, clone->GetTypeCode());
        EXPECT_EQ(SavedBody(*original, true), SavedBody(*clone, true));
    }
    EXPECT_EQ(nullptr, CLabel::CreateFromTypeCode(137));
}

TEST(LabelStockRecord, ConstructionAndResetDefaultsAtTheirOffsets) {
    CLabelFileNew fresh;
    Bytes b = SavedBody(fresh, true);
    ASSERT_EQ(size_t(kBodySize136WithPath), b.size());
    EXPECT_EQ(1, b[103]);                                // paper format: sheet
    EXPECT_EQ(1, I16At(b, 104));                         // vertical blocks
    EXPECT_EQ(1, I16At(b, 112));                         // orientation
    EXPECT_EQ(9, I16At(b, 114));                         // A4
    EXPECT_EQ(600, I16At(b, 116));                       // user paper height
    EXPECT_EQ(900, I16At(b, 118));                       // user paper width
    EXPECT_EQ(63, I32At(b, 120));
    EXPECT_EQ(int32_t(0x8000000D), I32At(b, 917));

    CLabelFileNew used;
    FillDistinct(used);
    const Bytes dm = MakeDevMode();
    used.SetDevMode(reinterpret_cast<const DEVMODEA*>(dm.data()));
    used.Reset();
    EXPECT_FALSE(used.IsModified());
    EXPECT_FALSE(used.HasDevMode());
    EXPECT_STREQ("", used.GetPath());
    b = SavedBody(used, true);
    ASSERT_EQ(size_t(kBodySize136WithPath), b.size());
    for (size_t i = 0; i < 103; ++i)
        ASSERT_EQ(0, b[i]) << i;
    EXPECT_EQ(1, b[103]);
    EXPECT_EQ(1, I16At(b, 104));
    EXPECT_EQ(0, I16At(b, 106));
    EXPECT_EQ(0, I32At(b, 108));
    EXPECT_EQ(1, I16At(b, 112));
    EXPECT_EQ(9, I16At(b, 114));
    EXPECT_EQ(2970, I16At(b, 116));
    EXPECT_EQ(2100, I16At(b, 118));
    EXPECT_EQ(63, I32At(b, 120));
    for (size_t i = 124; i < 917; ++i)
        ASSERT_EQ(0, b[i]) << i;                         // areas, files, reserved, printer, flag
    EXPECT_EQ(int32_t(0x8000001F), I32At(b, 917));
    for (size_t i = 921; i < b.size(); ++i)
        ASSERT_EQ(0, b[i]) << i;                         // reserved tail and path
}

TEST(LabelStockRecord, ReadingMendsStoredValues) {
    CLabelFileNew stock;
    Bytes b = SavedBody(stock, false);
    // A stored printer-types 0 means the default; a negative paper width means 2100 tenths.
    b[917] = b[918] = b[919] = b[920] = 0;
    b[118] = 0x38; b[119] = 0xFF;                        // -200
    // Full text fields without a terminator, and a family length beyond its field.
    b[1] = 200;
    memset(&b[2], 'F', 65);
    memset(&b[158], 'I', 256);
    memset(&b[414], 'N', 256);
    memset(&b[673], 'P', 81 * 3);
    CMemFile file;
    WriteAll(file, b, b.size());
    CLabelFileNew back;
    ASSERT_TRUE(back.Load(&file, false, false));
    EXPECT_EQ(0x8000000Du, back.GetPrinterTypes());
    EXPECT_EQ(2100, back.GetPaperWidthTenths());
    EXPECT_EQ(CString('F', 65), back.GetFamilyName());
    EXPECT_EQ(CString('I', 255), back.GetImageFile());
    EXPECT_EQ(CString('N', 255), back.GetInfoFile());
    CString device, driver, port;
    ASSERT_TRUE(back.GetPrinterStrings(device, driver, port));
    EXPECT_EQ(CString('P', 80), device);
    EXPECT_EQ(CString('P', 80), port);
    EXPECT_TRUE(back.GetIncludePrinterName());
}

TEST(LabelStockFile, ForeignOrMissingFilesLeaveTheStockUnchanged) {
    TempDir dir;
    CLabelFileNew stock;
    FillDistinct(stock);
    const Bytes before = SavedBody(stock, true);
    const Bytes foreign = {'T', 'A', 'B', 'L', 0x5A, 0, 0, 0};
    dir.WriteBytes("foreign.label", foreign.data(), foreign.size());
    dir.WriteBytes("empty.label", "", 0);
    EXPECT_FALSE(stock.LoadFromFile(dir.Path("foreign.label"), true));
    EXPECT_FALSE(stock.LoadFromFile(dir.Path("empty.label"), true));
    EXPECT_FALSE(stock.LoadFromFile(dir.Path("missing.label"), true));
    EXPECT_EQ(before, SavedBody(stock, true));
    EXPECT_EQ(0, stock.IsLoadedFromFile());
}

// Cutting a file anywhere gives a refused load and the stock as it was: never half of one.
TEST(LabelStockFile, TruncationAtEveryOffsetNeverYieldsAHalfReadStock) {
    PosedWindowsVersion win7(6, 1);
    CLabelFileNew source;
    FillDistinct(source);
    const Bytes dm = MakeDevMode(156, 12);
    source.SetDevMode(reinterpret_cast<const DEVMODEA*>(dm.data()));
    const Bytes whole = LabelFileBytes(source);
    ASSERT_EQ(1024u + 20 + 168, whole.size());

    CLabelFileNew target;
    target.SetFamilyName("Untouched");
    target.SetWidth(0, 12345, true);
    const Bytes before = SavedBody(target, true);
    MessageBoxRecorder boxes;
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        CMemFile file;
        WriteAll(file, whole, cut);
        ASSERT_FALSE(target.LoadFromStream(&file, true)) << cut;
        ASSERT_EQ(before, SavedBody(target, true)) << cut;
    }
    EXPECT_EQ(0u, boxes.Count());
    CMemFile file;
    WriteAll(file, whole, whole.size());
    ASSERT_TRUE(target.LoadFromStream(&file, true));
    EXPECT_EQ(SavedBody(source, true).size(), SavedBody(target, true).size());
    EXPECT_STREQ("Cable markers", target.GetFamilyName());

    // The form inside templates, path included, for every generation.
    for (int code : {140, 139, 138, 136}) {
        std::unique_ptr<CLabel> original(CLabel::CreateFromTypeCode(code));
        original->SetWidth(0, 30000, true);
        if (auto* file = dynamic_cast<CLabelFileNew*>(original.get())) {
            FillDistinct(*file);
            file->SetDevMode(reinterpret_cast<const DEVMODEA*>(dm.data()));
        }
        const Bytes body = SavedBody(*original, true);
        std::unique_ptr<CLabel> into(CLabel::CreateFromTypeCode(code));
        into->SetHeight(0, 777);
        const Bytes intoBefore = SavedBody(*into, true);
        for (size_t cut = 0; cut < body.size(); ++cut) {
            CMemFile file;
            WriteAll(file, body, cut);
            ASSERT_FALSE(into->Load(&file, true, false)) << code << " cut " << cut;
            ASSERT_EQ(intoBefore, SavedBody(*into, true)) << code << " cut " << cut;
        }
    }
}

TEST(LabelStockFile, SavingOverAFolderFailsAndLeavesNoTemporaryFile) {
    TempDir dir;
    ASSERT_TRUE(CreateDirectoryA(dir.Path("taken.label"), nullptr));
    CLabelFileNew stock;
    stock.SetFamilyName("x");
    EXPECT_FALSE(stock.SaveToFile(dir.Path("taken.label")));
    EXPECT_TRUE(stock.IsModified());
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA(dir.Path("*"), &found);
    int entries = 0;
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (strcmp(found.cFileName, ".") && strcmp(found.cFileName, ".."))
                ++entries;
        } while (FindNextFileA(h, &found));
        FindClose(h);
    }
    EXPECT_EQ(1, entries);

    // Saving over an existing definition replaces it.
    ASSERT_TRUE(stock.SaveToFile(dir.Path("b.label")));
    stock.SetFamilyName("second");
    ASSERT_TRUE(stock.SaveToFile(dir.Path("b.label")));
    CLabelFileNew back;
    ASSERT_TRUE(back.LoadFromFile(dir.Path("b.label"), false));
    EXPECT_STREQ("second", back.GetFamilyName());
}

// The modified flag says the definition differs from its ".label" file. Writing the same record
// into a template or a project is no save of that file: the flag stays, and only writing the
// definition's own file (successfully) clears it.
TEST(LabelStockFile, OnlyWritingItsOwnFileClearsTheModifiedFlag) {
    TempDir dir;
    CLabelFileNew stock;
    FillDistinct(stock);
    ASSERT_TRUE(stock.IsModified());

    const Bytes inTemplate = SavedBody(stock, true);
    ASSERT_EQ(size_t(kBodySize136WithPath), inTemplate.size());
    EXPECT_TRUE(stock.IsModified());
    CMemFile typed;
    ASSERT_TRUE(stock.SaveWithType(&typed));
    EXPECT_TRUE(stock.IsModified());

    EXPECT_FALSE(stock.SaveToFile(dir.Path("missing\\Cable.label")));
    EXPECT_TRUE(stock.IsModified());
    ASSERT_TRUE(stock.SaveToFile(dir.Path("Cable.label")));
    EXPECT_FALSE(stock.IsModified());
    // The file holds exactly the record the template holds, without the path.
    const std::string file = dir.ReadBytes("Cable.label");
    ASSERT_EQ(1024u, file.size());
    EXPECT_EQ(0, memcmp(file.data() + 12, inTemplate.data(), 1012));
}
