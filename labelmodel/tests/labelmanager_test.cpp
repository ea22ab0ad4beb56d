// The label library: loading a folder of definitions and the family list.
#include "labelmodel/labelmanager.h"
#include "labelmodel/tests/labelstock_testutil.h"
#include "testsupport/msgboxrecorder.h"
#include "testsupport/tempdir.h"
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

void WriteDefinition(const TempDir& dir, const char* name, const char* family, int width = 70000) {
    CLabelFileNew stock;
    stock.SetFamilyName(family);
    stock.SetWidth(0, width, true);
    ASSERT_TRUE(stock.SaveToFile(dir.Path(name)));
}

std::set<std::string> DefinitionNames(const CLabelManager& m) {
    std::set<std::string> names;
    for (int i = 0; i < m.GetCount(); ++i)
        names.insert(m.GetLabel(i)->GetDefinitionName());
    return names;
}

}  // namespace

TEST(LabelLibrary, LoadsTheGoodFilesAndPassesOverTheRest) {
    TempDir dir;
    WriteDefinition(dir, "Cable.24x8.label", "Cable");
    WriteDefinition(dir, "Wire.label", "Wire", 40000);
    WriteDefinition(dir, "PLC.LABEL", "PLC");

    // A truncated definition, a foreign file, an empty one and one that is not "*.label".
    CLabelFileNew stock;
    const Bytes whole = LabelFileBytes(stock);
    dir.WriteBytes("Truncated.label", whole.data(), 500);
    dir.WriteBytes("HeadOnly.label", whole.data(), 12);
    const char foreign[] = "TABL and then something else entirely";
    dir.WriteBytes("Foreign.label", foreign, sizeof(foreign));
    dir.WriteBytes("Empty.label", "", 0);
    dir.WriteBytes("Notes.txt", whole.data(), whole.size());
    ASSERT_TRUE(CreateDirectoryA(dir.Path("Folder.label"), nullptr));

    CLabelManager library;
    library.SetFolder(dir.Path());
    EXPECT_EQ(CString(dir.Path()) + "\\", library.GetFolder());
    MessageBoxRecorder boxes;
    EXPECT_EQ(3, library.LoadLabels());
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_EQ((std::set<std::string>{"Cable.24x8", "Wire", "PLC"}), DefinitionNames(library));
    for (int i = 0; i < library.GetCount(); ++i) {
        EXPECT_EQ(1, library.GetLabel(i)->IsLoadedFromFile());
        if (CString(library.GetLabel(i)->GetDefinitionName()) == "Wire")
            EXPECT_EQ(40000, library.GetLabel(i)->GetWidth(0));
    }
    EXPECT_EQ(nullptr, library.GetLabel(3));
    EXPECT_EQ(nullptr, library.GetLabel(-1));

    // A reload replaces the definitions; the family list is not touched by loading.
    library.CollectFamilyNames();
    library.SortFamilyNames();
    ASSERT_EQ(3, library.GetFamilyCount());
    EXPECT_STREQ("Cable", library.GetFamilyName(0));
    EXPECT_STREQ("PLC", library.GetFamilyName(1));
    EXPECT_STREQ("Wire", library.GetFamilyName(2));
    DeleteFileA(dir.Path("Wire.label"));
    EXPECT_EQ(2, library.LoadLabels());
    EXPECT_EQ(3, library.GetFamilyCount());
}

TEST(LabelLibrary, EmptyOrMissingFolderKeepsTheFamilyList) {
    TempDir dir;
    CLabelManager library;
    library.AddFamilyName("Cable");
    library.SetFolder(dir.Path());
    EXPECT_EQ(0, library.LoadLabels());
    EXPECT_EQ(0, library.GetCount());
    EXPECT_EQ(1, library.GetFamilyCount());
    library.SetFolder(dir.Path("missing"));
    EXPECT_EQ(0, library.LoadLabels());
    EXPECT_STREQ("Cable", library.GetFamilyName(0));
}

TEST(LabelLibrary, FamilyNamesAreUniqueIgnoringCaseAndAtMost512) {
    CLabelManager library;
    EXPECT_TRUE(library.AddFamilyName("PLC"));
    EXPECT_FALSE(library.AddFamilyName("plc"));
    EXPECT_FALSE(library.AddFamilyName("Plc"));
    EXPECT_TRUE(library.AddFamilyName("\xE5sa"));
    EXPECT_FALSE(library.AddFamilyName("\xC5SA"));         // cp1252 letters fold as well
    EXPECT_EQ(2, library.GetFamilyCount());
    EXPECT_STREQ("", library.GetFamilyName(2));
    EXPECT_STREQ("", library.GetFamilyName(512));
    EXPECT_STREQ("", library.GetFamilyName(-1));

    CLabelManager full;
    // Added in descending order with mixed case, so the sort has the most to do.
    for (int i = 511; i >= 0; --i) {
        CString name;
        name.Format(i % 2 ? "family %03d" : "FAMILY %03d", i);
        ASSERT_TRUE(full.AddFamilyName(name)) << i;
    }
    EXPECT_EQ(512, full.GetFamilyCount());
    EXPECT_FALSE(full.AddFamilyName("the 513th"));
    EXPECT_EQ(512, full.GetFamilyCount());
    full.SortFamilyNames();
    for (int i = 0; i < 512; ++i) {
        CString expected;
        expected.Format(i % 2 ? "family %03d" : "FAMILY %03d", i);
        ASSERT_STREQ(expected, full.GetFamilyName(i)) << i;
    }
    EXPECT_STREQ("", full.GetFamilyName(512));
}

TEST(LabelLibrary, CollectsFamiliesOfTheDefinitionsOnce) {
    TempDir dir;
    WriteDefinition(dir, "a.label", "Terminal");
    WriteDefinition(dir, "b.label", "terminal");
    WriteDefinition(dir, "c.label", "Cable");
    CLabelManager library;
    library.SetFolder(dir.Path());
    ASSERT_EQ(3, library.LoadLabels());
    library.CollectFamilyNames();
    library.SortFamilyNames();
    ASSERT_EQ(2, library.GetFamilyCount());
    EXPECT_STREQ("Cable", library.GetFamilyName(0));
    EXPECT_EQ(0, CString(library.GetFamilyName(1)).CompareNoCase("terminal"));
    library.DeleteLabels();
    EXPECT_EQ(0, library.GetCount());
    EXPECT_EQ(2, library.GetFamilyCount());
}
