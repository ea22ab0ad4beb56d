// Printer settings of library stocks: which Windows versions accept them, what a damaged block
// does, and that exactly the held block is written.
#include "labelmodel/labelstock.h"
#include "labelmodel/tests/labelstock_testutil.h"
#include "testsupport/msgboxrecorder.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

// A ".label" file carrying `devMode`, stamped as written on Windows `major`.`minor`.
Bytes FileWithBlock(int major, int minor, const Bytes& devMode, int platformId = VER_PLATFORM_WIN32_NT) {
    PosedWindowsVersion writer(major, minor, platformId);
    CLabelFileNew stock;
    stock.SetFamilyName("Printer");
    EXPECT_TRUE(stock.SetDevMode(reinterpret_cast<const DEVMODEA*>(devMode.data())));
    return LabelFileBytes(stock);
}

// Loads `bytes` as a ".label" stream; reports where reading stopped.
bool LoadBytes(CLabelFileNew& stock, const Bytes& bytes, bool interactive, ULONGLONG* end = nullptr) {
    CMemFile file;
    WriteAll(file, bytes, bytes.size());
    const bool ok = stock.LoadFromStream(&file, interactive);
    if (end)
        *end = file.GetPosition();
    return ok;
}

void PutI32(Bytes& b, size_t off, int32_t v) {
    for (int i = 0; i < 4; ++i)
        b.at(off + i) = BYTE(uint32_t(v) >> (8 * i));
}

const size_t kBlockAt = 1024;   // the block follows the 12-byte head and the 1012-byte body

}  // namespace

TEST(LabelStockPrinterSettings, AcceptedOnlyWhereTheWritingWindowsFits) {
    const Bytes dm = MakeDevMode(156, 16);
    struct Case { int writtenMajor; int readMajor; int readMinor; int platform; bool kept; };
    const Case cases[] = {
        {6, 6, 1, VER_PLATFORM_WIN32_NT, true},      // same major, minor ignored
        {6, 6, 3, VER_PLATFORM_WIN32_NT, true},
        {6, 5, 1, VER_PLATFORM_WIN32_NT, true},      // 5 and 6 share DEVMODEs
        {5, 6, 1, VER_PLATFORM_WIN32_NT, true},
        {6, 10, 0, VER_PLATFORM_WIN32_NT, false},
        {10, 10, 0, VER_PLATFORM_WIN32_NT, true},
        {10, 6, 2, VER_PLATFORM_WIN32_NT, false},
        {4, 5, 0, VER_PLATFORM_WIN32_NT, false},
        {6, 6, 1, VER_PLATFORM_WIN32_WINDOWS, false},  // another platform
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.writtenMajor << " read on " << c.readMajor << "."
                                        << c.readMinor << " platform " << c.platform);
        const Bytes file = FileWithBlock(c.writtenMajor, 1, dm);
        PosedWindowsVersion reader(c.readMajor, c.readMinor, c.platform);
        MessageBoxRecorder boxes;
        CLabelFileNew stock;
        ULONGLONG end = 0;
        ASSERT_TRUE(LoadBytes(stock, file, true, &end));
        EXPECT_EQ(file.size(), end);                 // a dropped block is passed over whole
        EXPECT_STREQ("Printer", stock.GetFamilyName());
        EXPECT_EQ(c.kept, stock.HasDevMode());
        EXPECT_EQ(c.kept, stock.GetStorePrinterSettings());
        if (c.kept) {
            EXPECT_EQ(0u, boxes.Count());
            EXPECT_EQ(0, memcmp(stock.GetDevMode(), dm.data(), dm.size()));
        } else {
            ASSERT_EQ(1u, boxes.Count());
            EXPECT_STREQ("The file contains printer settings that are not compatible with this "
                         "version of Windows and will be deleted", boxes.Last().text);
            EXPECT_STREQ("Version conflict", boxes.Last().caption);
            EXPECT_EQ(UINT(MB_OK), boxes.Last().Buttons());
            // Not interactive: dropped without a word.
            CLabelFileNew quiet;
            ASSERT_TRUE(LoadBytes(quiet, file, false));
            EXPECT_FALSE(quiet.HasDevMode());
            EXPECT_EQ(1u, boxes.Count());
        }
    }
}

TEST(LabelStockPrinterSettings, TheRunningSystemAnswersWithoutAPose) {
    OsVersion v = CurrentOsVersion();
    EXPECT_GE(v.major, 5);
    EXPECT_EQ(VER_PLATFORM_WIN32_NT, v.platformId);
}

// Sizes from the file are checked before anything is allocated or read.
TEST(LabelStockPrinterSettings, DamagedBlocksAreRefusedOrPassedOver) {
    PosedWindowsVersion win7(6, 1);
    const Bytes good = FileWithBlock(6, 1, MakeDevMode(156, 16));
    ASSERT_EQ(kBlockAt + 20 + 172, good.size());

    CLabelFileNew target;
    target.SetFamilyName("Before");
    const Bytes before = SavedBody(target, true);

    // Sizes no DEVMODE can have: the block's end is unknown, so the file is corrupt.
    struct Bad { int32_t dmSize; int32_t extra; };
    const Bad corrupt[] = {{-1, 16}, {0, 16}, {20, 16}, {0x10000, 16}, {0x7FFFFFFF, 0},
                           {156, -1}, {156, 0x10000}, {156, int32_t(0x80000000)}};
    for (const Bad& c : corrupt) {
        Bytes b = good;
        PutI32(b, kBlockAt + 12, c.dmSize);
        PutI32(b, kBlockAt + 16, c.extra);
        EXPECT_FALSE(LoadBytes(target, b, false)) << c.dmSize << "/" << c.extra;
        EXPECT_EQ(before, SavedBody(target, true));
    }

    // Sane sizes that reach past the end of the file: a short file.
    Bytes longer = good;
    PutI32(longer, kBlockAt + 16, 400);
    EXPECT_FALSE(LoadBytes(target, longer, false));
    EXPECT_EQ(before, SavedBody(target, true));

    // Sizes that disagree with the DEVMODE's own: the block is passed over, the stock loads.
    Bytes shorter = good;
    PutI32(shorter, kBlockAt + 16, 10);              // the DEVMODE itself says 16
    shorter.resize(shorter.size() - 6);
    ULONGLONG end = 0;
    CLabelFileNew other;
    MessageBoxRecorder boxes;
    ASSERT_TRUE(LoadBytes(other, shorter, true, &end));
    EXPECT_EQ(shorter.size(), end);
    EXPECT_FALSE(other.HasDevMode());
    EXPECT_STREQ("Printer", other.GetFamilyName());
    EXPECT_EQ(0u, boxes.Count());

    // A truncated block inside a template record is a short read as well.
    CLabelFileNew withBlock;
    const Bytes dm = MakeDevMode();
    withBlock.SetDevMode(reinterpret_cast<const DEVMODEA*>(dm.data()));
    Bytes record = SavedBody(withBlock, true);
    record.resize(record.size() - 1);
    CMemFile file;
    WriteAll(file, record, record.size());
    EXPECT_FALSE(target.Load(&file, true, false));
    EXPECT_EQ(before, SavedBody(target, true));
}

TEST(LabelStockPrinterSettings, WritesExactlyTheBlockItHolds) {
    PosedWindowsVersion win7(6, 1);
    // A dialog's block may be larger than its DEVMODE: only dmSize + dmDriverExtra are stored.
    const Bytes dm = MakeDevMode(156, 8);
    HGLOBAL big = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 1000);
    memcpy(GlobalLock(big), dm.data(), dm.size());
    GlobalUnlock(big);
    CLabelFileNew stock;
    ASSERT_TRUE(stock.AttachDevMode(big));
    EXPECT_EQ(164u, stock.GetDevModeBytes());
    Bytes file = LabelFileBytes(stock);
    ASSERT_EQ(kBlockAt + 20 + 164, file.size());
    EXPECT_EQ(dm, Bytes(file.begin() + kBlockAt + 20, file.end()));

    // A DEVMODE that claims more than its block is never taken...
    HGLOBAL small = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 100);
    Bytes claims = MakeDevMode(156, 8);
    memcpy(GlobalLock(small), claims.data(), 100);
    GlobalUnlock(small);
    EXPECT_FALSE(stock.AttachDevMode(small));        // freed by the stock
    EXPECT_TRUE(stock.HasDevMode());                 // the old block stays

    // ...and one that grew past its block after it was taken is not written.
    DEVMODEA* held = const_cast<DEVMODEA*>(stock.GetDevMode());
    held->dmDriverExtra = 5000;
    file = LabelFileBytes(stock);
    EXPECT_EQ(kBlockAt, file.size());
    EXPECT_EQ(0, file[12 + 916]);
    held->dmDriverExtra = 8;

    // A detached block belongs to the caller.
    HGLOBAL mine = stock.DetachDevMode();
    ASSERT_TRUE(mine);
    EXPECT_FALSE(stock.HasDevMode());
    EXPECT_EQ(kBlockAt, LabelFileBytes(stock).size());
    GlobalFree(mine);
}

TEST(LabelStockPrinterSettings, CloneTogglesAndInfo) {
    const Bytes dm = MakeDevMode(156, 8);
    CLabelFileNew stock;
    ASSERT_TRUE(stock.SetDevMode(reinterpret_cast<const DEVMODEA*>(dm.data())));
    std::unique_ptr<CLabel> clone(stock.Clone());
    auto* copy = dynamic_cast<CLabelFileNew*>(clone.get());
    ASSERT_TRUE(copy && copy->HasDevMode());
    EXPECT_NE(stock.GetDevMode(), copy->GetDevMode());
    EXPECT_EQ(0, memcmp(copy->GetDevMode(), dm.data(), dm.size()));

    {
        MessageBoxRecorder boxes;
        stock.ShowDevModeInfo();
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_STREQ("m_pDevMode->dmSpecVersion = 1025\r\nm_pDevMode->dmDriverVersion = 515\r\n"
                     "m_pDevMode->dmSize = 156\r\nm_pDevMode->dmDriverExtra = 8",
                     boxes.Last().text);
        EXPECT_STREQ("CLabelFileNew::showDevModeInfo()", boxes.Last().caption);
        CLabelFileNew empty;
        empty.ShowDevModeInfo();
        EXPECT_EQ(1u, boxes.Count());
    }

    // Include printer name: on also stores settings; off clears the three strings.
    CLabelFileNew p;
    p.SetPrinterStrings("Zebra", "winspool", "USB001");
    EXPECT_TRUE(p.GetIncludePrinterName());
    p.ToggleIncludePrinterName();
    EXPECT_FALSE(p.GetIncludePrinterName());
    CString a, b, c;
    EXPECT_FALSE(p.GetPrinterStrings(a, b, c));
    p.ToggleIncludePrinterName();
    EXPECT_TRUE(p.GetIncludePrinterName());
    EXPECT_TRUE(p.GetStorePrinterSettings());
    EXPECT_TRUE(p.IsModified());

    // Store printer settings off frees the block.
    ASSERT_TRUE(p.SetDevMode(reinterpret_cast<const DEVMODEA*>(dm.data())));
    p.ToggleStorePrinterSettings();
    EXPECT_FALSE(p.GetStorePrinterSettings());
    EXPECT_FALSE(p.HasDevMode());
    p.SetPrinterStrings("Zebra", "", "USB001");
    EXPECT_FALSE(p.GetPrinterStrings(a, b, c));
}

TEST(LabelStockPrinterSettings, SettingTheHeldBlockAgainKeepsIt) {
    const Bytes dm = MakeDevMode(156, 8);
    CLabelFileNew stock;
    ASSERT_TRUE(stock.SetDevMode(reinterpret_cast<const DEVMODEA*>(dm.data())));
    ASSERT_TRUE(stock.SetDevMode(stock.GetDevMode()));
    ASSERT_TRUE(stock.HasDevMode());
    EXPECT_EQ(dm.size(), stock.GetDevModeBytes());
    EXPECT_EQ(0, memcmp(stock.GetDevMode(), dm.data(), dm.size()));
}
