// The ".tpe" file (round trip, import into a template with objects, damaged files leave the
// template alone) and loading a ".label" file into a template.
#include "templatetestutil.h"
#include "testsupport/msgboxrecorder.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>
#include <string>

using namespace tpltest;

namespace {

Bytes FileBytes(const TempDir& dir, const char* name)
{
    const std::string s = dir.ReadBytes(name);
    return Bytes(s.begin(), s.end());
}

int FilesIn(const TempDir& dir)
{
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA(dir.Path("*"), &data);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    int n = 0;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++n;
    } while (FindNextFileA(h, &data));
    FindClose(h);
    return n;
}

} // namespace

TEST(TemplateFile, HoldsExactlyOneStandaloneBlockAndReadsBack)
{
    MessageBoxRecorder boxes;
    TempDir dir;
    CTemplate t;
    FillTemplate(t);
    ASSERT_TRUE(t.SaveTemplateFile(dir.Path("design.tpe")));
    const Bytes file = FileBytes(dir, "design.tpe");
    EXPECT_EQ(BlockBytes(t, true), file);
    EXPECT_EQ(1, FilesIn(dir));

    CTemplate back;
    ASSERT_TRUE(back.LoadTemplateFile(dir.Path("design.tpe")));
    EXPECT_EQ(file, BlockBytes(back, true));
    EXPECT_EQ(0u, boxes.Count());

    // Saving again replaces the file and leaves no temporary behind.
    t.SetCopies(5);
    ASSERT_TRUE(t.SaveTemplateFile(dir.Path("design.tpe")));
    EXPECT_EQ(BlockBytes(t, true), FileBytes(dir, "design.tpe"));
    EXPECT_EQ(1, FilesIn(dir));
}

TEST(TemplateFile, ImportingTwoObjectsIntoThreeGivesFiveAndReplacesTheSettings)
{
    MessageBoxRecorder boxes;
    TempDir dir;
    CTemplate source;
    source.GetArea(0)->Append(colltest::RectMm(1, 1, 1, 1));
    source.GetArea(0)->Append(colltest::RectMm(2, 2, 1, 1));
    source.SetCopies(-3);
    source.SetZoom(0, 75);
    CLabelFileNew* stock = new CLabelFileNew;
    stock->SetColumns(7);
    source.SetLabelStock(stock);
    ASSERT_TRUE(source.SaveTemplateFile(dir.Path("two.tpe")));

    CTemplate target;
    for (int i = 0; i < 3; ++i)
        target.GetArea(0)->Append(colltest::RectMm(10 + i, 0, 1, 1));
    target.GetArea(1)->Append(colltest::RectMm(0, 0, 1, 1));
    target.SetPrinter("Kept", "when", "absent");
    ASSERT_TRUE(target.LoadTemplateFile(dir.Path("two.tpe")));
    ASSERT_EQ(5, target.GetArea(0)->GetCount());
    EXPECT_EQ(10000, target.GetArea(0)->GetAt(0)->GetX());
    EXPECT_EQ(2000, target.GetArea(0)->GetAt(4)->GetX());
    EXPECT_EQ(1, target.GetArea(1)->GetCount());
    EXPECT_EQ(-3, target.GetCopies());
    EXPECT_EQ(75, target.GetZoom(0));
    EXPECT_EQ(7, target.GetLabelStock()->GetColumns());
    // The file names no printer, so the one here stays.
    EXPECT_EQ("Kept", CString(target.GetDeviceName()));
}

TEST(TemplateFile, DamagedFileIsRefusedAtEveryLengthAndTheTemplateStaysAsItWas)
{
    MessageBoxRecorder boxes;
    TempDir dir;
    CTemplate source;
    FillTemplate(source);
    const Bytes block = BlockBytes(source, true);

    CTemplate target;
    target.GetArea(0)->Append(colltest::RectMm(3, 3, 3, 3));
    target.SetZoom(1, 120);
    target.SetPassword("mine");
    const Bytes before = BlockBytes(target, false);

    // Every length up to the lock, and a stride through the rest.
    for (size_t n = 0; n < block.size(); n += (n < 800 ? 1 : 7)) {
        ASSERT_TRUE(dir.WriteBytes("cut.tpe", block.data(), n));
        boxes.Clear();
        EXPECT_FALSE(target.LoadTemplateFile(dir.Path("cut.tpe"))) << n;
        ASSERT_EQ(1u, boxes.Count()) << n;
        EXPECT_EQ(889u, boxes.Last().stringId);
        EXPECT_EQ(UINT(MB_ICONERROR), boxes.Last().Icon());
        ASSERT_EQ(before, BlockBytes(target, false)) << n;
    }
    // An unknown object code in area 2 refuses the whole file as well.
    Bytes unknown = block;
    // From the end: zooms, lock with "secret", then area 2: tag, header, the group's code and
    // record (box, tag, header, one rectangle).
    const size_t area2At = block.size() - 12 - 9 - (2 + 6 + 2 + 16 + 2 + 29);
    const size_t area2Code = area2At + 8;
    ASSERT_EQ(185, unknown[area2Code]);
    unknown[area2Code + 1] = 0x30;
    ASSERT_TRUE(dir.WriteBytes("unknown.tpe", unknown.data(), unknown.size()));
    EXPECT_FALSE(target.LoadTemplateFile(dir.Path("unknown.tpe")));
    EXPECT_EQ(before, BlockBytes(target, false));
}

TEST(TemplateFile, MissingFileShowsCanNotOpenAndUncreatableFileFailsQuietly)
{
    MessageBoxRecorder boxes;
    TempDir dir;
    CTemplate t;
    const CString path = dir.Path("none.tpe");
    EXPECT_FALSE(t.LoadTemplateFile(path));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("Can not open " + path, boxes.Last().text);
    EXPECT_EQ(UINT(MB_ICONERROR), boxes.Last().Icon());

    boxes.Clear();
    EXPECT_FALSE(t.SaveTemplateFile(dir.Path("no folder\\x.tpe")));
    EXPECT_EQ(0u, boxes.Count());
}

TEST(TemplateLabelFile, LoadsTheStockWithItsPathAndPrinter)
{
    MessageBoxRecorder boxes;
    TempDir dir;
    CLabelFileNew stock;
    stock.SetColumns(5);
    stock.SetPrinterStrings("Zebra", "winspool", "USB001");
    ASSERT_TRUE(stock.SaveToFile(dir.Path("markers.label")));

    CTemplate t;
    ASSERT_TRUE(t.LoadLabelFile(dir.Path("markers.label")));
    CLabelFileNew* loaded = dynamic_cast<CLabelFileNew*>(t.GetLabelStock());
    ASSERT_NE(nullptr, loaded);
    EXPECT_EQ(5, loaded->GetColumns());
    EXPECT_EQ(dir.Path("markers.label"), CString(loaded->GetPath()));
    EXPECT_EQ(1, loaded->IsLoadedFromFile());
    EXPECT_EQ("Zebra", CString(t.GetDeviceName()));
    EXPECT_EQ("winspool", CString(t.GetDriverName()));
    EXPECT_EQ("USB001", CString(t.GetPortName()));
}

TEST(TemplateLabelFile, RefusedFilesAndOverlongPathsLeaveTheStockAlone)
{
    MessageBoxRecorder boxes;
    TempDir dir;
    CTemplate t;
    CLabelFileNew* current = new CLabelFileNew;
    current->SetColumns(9);
    t.SetLabelStock(current);

    const char notLabel[] = "TPLF and then some";
    ASSERT_TRUE(dir.WriteBytes("fake.label", notLabel, sizeof(notLabel)));
    EXPECT_FALSE(t.LoadLabelFile(dir.Path("fake.label")));
    EXPECT_FALSE(t.LoadLabelFile(dir.Path("missing.label")));
    EXPECT_FALSE(t.LoadLabelFile(nullptr));

    // A good file behind a path longer than the stock's path field.
    CLabelFileNew other;
    ASSERT_TRUE(other.SaveToFile(dir.Path("good.label")));
    // 257 or 258 characters: Windows opens it, the stock could not keep it.
    CString longPath = dir.Path("");
    while (longPath.GetLength() + 10 < 257)
        longPath += ".\\";
    longPath += "good.label";
    ASSERT_GE(longPath.GetLength(), 257);
    ASSERT_LT(longPath.GetLength(), MAX_PATH);
    CLabelFileNew probe;
    ASSERT_TRUE(probe.LoadFromFile(longPath, false));
    EXPECT_FALSE(t.LoadLabelFile(longPath));

    // Cut short: refused as well.
    CLabelFileNew full;
    ASSERT_TRUE(full.SaveToFile(dir.Path("full.label")));
    const std::string bytes = dir.ReadBytes("full.label");
    ASSERT_TRUE(dir.WriteBytes("short.label", bytes.data(), bytes.size() / 2));
    EXPECT_FALSE(t.LoadLabelFile(dir.Path("short.label")));

    EXPECT_EQ(current, t.GetLabelStock());
    EXPECT_EQ(9, t.GetLabelStock()->GetColumns());
}
