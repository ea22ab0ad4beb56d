// The ".proj" file: header bytes, the name lists, exact round trips, versions, and damaged files
// that must never open as a document.
#include "document/projectarchive.h"
#include "document/projectfile.h"
#include "framework/recordio.h"
#include "projecthelpers.h"
#include "testsupport/msgboxrecorder.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

using namespace doctest;

namespace {

// A document with nothing in it yet: each case makes it new or opens a file into it.
std::unique_ptr<COstrelindSoftLabelDoc> BareDoc()
{
    auto doc = std::make_unique<COstrelindSoftLabelDoc>();
    doc->m_bAutoDelete = FALSE;
    return doc;
}

int32_t I32At(const Bytes& b, size_t off)
{
    return int32_t(uint32_t(b.at(off)) | uint32_t(b.at(off + 1)) << 8 | uint32_t(b.at(off + 2)) << 16 |
                   uint32_t(b.at(off + 3)) << 24);
}

void PutI32(Bytes& b, size_t off, int32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.at(off + i) = uint8_t(uint32_t(v) >> (8 * i));
}

// Everything a reader could get wrong, as text: counts, names, objects per area, table cells.
std::string Describe(COstrelindSoftLabelDoc& doc)
{
    std::string s = std::to_string(doc.GetTemplateCount()) + "/" + std::to_string(doc.GetTableCount()) + ";";
    for (int k = 0; k < 256; ++k)
        s += std::string(doc.GetTemplateName(k)) + "|" + std::string(doc.GetTableName(k)) + "|";
    for (int k = 0; k < doc.GetTemplateCount(); ++k)
        for (int a = 0; a < 3; ++a)
            s += std::to_string(doc.GetTemplate(k)->GetArea(a)->GetCount()) + ",";
    for (int j = 0; j < doc.GetTableCount(); ++j) {
        const TableSlot& slot = doc.GetTableSlot(j);
        s += "T" + std::to_string(slot.Table()->GetRowCount()) + (slot.Filter() ? "F" : "") +
             (slot.IsFilterOn() ? "on" + std::to_string(slot.Filtered()->GetRowCount()) : "");
        for (int r = 0; r < slot.Table()->GetRowCount(); ++r)
            s += slot.Table()->GetCellText(r, 0);
    }
    return s;
}

class ProjectFileTest : public ::testing::Test {
protected:
    TempDir dir;
    MessageBoxRecorder boxes;

    CString SavedProject(const char* name)
    {
        auto doc = BareDoc();
        doc->OnNewDocument();
        BuildProject(*doc);
        const CString path = dir.Path(name);
        EXPECT_TRUE(doc->SaveFileByType(path));
        return path;
    }
};

} // namespace

// ---------------------------------------------------------------------------------------------
// Bytes

TEST(ProjectArchive, StringFormsAndListPadding)
{
    CMemFile file;
    RecordWriter out(&file);
    const CString names[3] = {"", "Ab", CString('x', 300)};
    projectarchive::WriteStringList(out, names, 3);
    Bytes b = file.Bytes();
    const Bytes head = {3, 0, 0, 2, 'A', 'b', 0xFF, 0x2C, 0x01};
    ASSERT_EQ(b.size(), head.size() + 300);
    EXPECT_TRUE(std::equal(head.begin(), head.end(), b.begin()));

    file.SeekToBegin();
    RecordReader in(&file);
    std::vector<CString> read;
    ASSERT_TRUE(projectarchive::ReadStringList(in, read, 256));
    ASSERT_EQ(read.size(), 256u);
    EXPECT_EQ(read[1], "Ab");
    EXPECT_EQ(read[2].GetLength(), 300);
    EXPECT_TRUE(read[3].IsEmpty() && read[255].IsEmpty());
}

TEST(ProjectArchive, RefusesLongListsWideStringsAndHugeLengths)
{
    auto refuses = [](const Bytes& bytes) {
        CMemFile file;
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        file.SeekToBegin();
        RecordReader in(&file);
        std::vector<CString> out(1, "kept");
        const bool read = projectarchive::ReadStringList(in, out, 256);
        return !read && out.size() == 1 && out[0] == "kept";
    };
    EXPECT_TRUE(refuses({0x01, 0x01}));                                      // 257 names
    EXPECT_TRUE(refuses({0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}));              // 0x10000 names
    EXPECT_TRUE(refuses({0x01, 0x00, 0xFF, 0xFE, 0xFF, 0x02}));              // wide string tag
    EXPECT_TRUE(refuses({0x01, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x10}));   // 256 MB name
    EXPECT_TRUE(refuses({0x02, 0x00, 0x01, 'a'}));                           // ends inside
}

TEST_F(ProjectFileTest, HeaderAndNameListsAreTheFixedBytes)
{
    auto doc = BareDoc();
    doc->OnNewDocument();
    const CString path = dir.Path("plain.proj");
    ASSERT_TRUE(doc->SaveFileByType(path));
    const Bytes b = FileBytes(path);
    const uint8_t magic[16] = {0xd3, 0x48, 0x3f, 0x8b, 0xe6, 0x14, 0x35, 0x47,
                               0xba, 0xee, 0xc8, 0xf6, 0x5f, 0x74, 0xa9, 0x3a};
    ASSERT_GT(b.size(), 100u);
    EXPECT_EQ(0, memcmp(b.data(), magic, 16));
    EXPECT_EQ(I32At(b, 16), 10);
    EXPECT_EQ(I32At(b, 20), 2);
    EXPECT_EQ(I32At(b, 24), 1);
    // u16 256, then "Template 1" .. "Template 3" and 253 empty names.
    EXPECT_EQ(b[28], 0x00);
    EXPECT_EQ(b[29], 0x01);
    EXPECT_EQ(b[30], 10);
    EXPECT_EQ(std::string(b.begin() + 31, b.begin() + 41), "Template 1");
    size_t off = 30 + 3 * 11;
    for (int k = 3; k < 256; ++k)
        EXPECT_EQ(b[off++], 0) << k;
    EXPECT_EQ(I32At(b, off), 3);
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(ProjectFileTest, FiveTemplatesAndFourTablesRoundTripExactly)
{
    const CString first = SavedProject("first.proj");
    auto doc = BareDoc();
    ASSERT_TRUE(doc->OnOpenDocument(first));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetTemplateCount(), 5);
    EXPECT_EQ(doc->GetTableCount(), 4);
    EXPECT_EQ(doc->GetTemplateName(2), "Relabelled \xE5");
    EXPECT_EQ(doc->GetTableName(3), "Parts");
    EXPECT_EQ(doc->GetTemplate(4)->GetArea(0)->GetCount(), 12);
    EXPECT_EQ(doc->GetTemplate(3)->GetCopies(), 4);
    EXPECT_TRUE(doc->GetTableSlot(2).IsFilterOn());
    EXPECT_TRUE(doc->GetTableSlot(1).Table()->IsImageColumn(2));
    // The filter's column map is rebuilt, the table font's character set kept.
    EXPECT_EQ(doc->GetTableSlot(2).ColumnMap().GetEntry(0), 0);

    const CString second = dir.Path("second.proj");
    ASSERT_TRUE(doc->SaveFileByType(second));
    EXPECT_EQ(FileBytes(first), FileBytes(second));
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(ProjectFileTest, OneTemplateAndOneTableStayOne)
{
    auto doc = BareDoc();
    doc->OnNewDocument();
    boxes.Answer({IDYES, IDYES, IDYES, IDYES});
    doc->OnDeleteTemplate();
    doc->OnDeleteTemplate();
    doc->OnDeleteTable();
    doc->OnDeleteTable();
    const CString path = dir.Path("one.proj");
    ASSERT_TRUE(doc->SaveFileByType(path));
    auto read = BareDoc();
    ASSERT_TRUE(read->OnOpenDocument(path));
    EXPECT_EQ(read->GetTemplateCount(), 1);
    EXPECT_EQ(read->GetTableCount(), 1);
}

TEST_F(ProjectFileTest, OverlongNamesAreCutSoTheSavedProjectOpensAgain)
{
    // A tab may be given any label; what is saved must still be a project the reader takes.
    auto doc = BareDoc();
    doc->OnNewDocument();
    doc->SetTemplateName(1, CString('t', 5000));
    doc->SetTableName(2, CString('b', 70000));
    const CString path = dir.Path("long.proj");
    ASSERT_TRUE(doc->SaveFileByType(path));
    auto read = BareDoc();
    ASSERT_TRUE(read->OnOpenDocument(path));
    EXPECT_EQ(read->GetTemplateName(1), CString('t', 4096));
    EXPECT_EQ(read->GetTableName(2), CString('b', 4096));
    EXPECT_EQ(read->GetTemplateName(0), "Template 1");
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(ProjectFileTest, VersionsAboveTenAndTwoAreIncompatible)
{
    const Bytes good = FileBytes(SavedProject("v.proj"));
    struct Case { int32_t major, minor; bool opens; } cases[] = {{10, 2, true}, {0, 0, true}, {11, 2, false},
                                                                  {10, 3, false}, {-1, 2, false}};
    for (const Case& c : cases) {
        Bytes b = good;
        PutI32(b, 16, c.major);
        PutI32(b, 20, c.minor);
        const CString path = dir.Path("changed.proj");
        ASSERT_TRUE(WriteBytes(path, b, b.size()));
        boxes.Clear();
        auto doc = BareDoc();
        EXPECT_EQ(doc->OnOpenDocument(path) != FALSE, c.opens) << c.major << "/" << c.minor;
        if (!c.opens) {
            ASSERT_EQ(boxes.Count(), 1u);
            EXPECT_EQ(boxes.Last().text, "Incompatible file version");
            EXPECT_EQ(boxes.Last().Icon(), static_cast<UINT>(MB_ICONERROR));
            EXPECT_EQ(boxes.Last().caption, AfxGetAppName());
        }
    }
}

TEST_F(ProjectFileTest, HeaderEndsMagicsAndCountsAreCorrupt)
{
    const Bytes good = FileBytes(SavedProject("h.proj"));
    const CString path = dir.Path("bad.proj");
    auto expectCorrupt = [&](const Bytes& b, size_t count, const char* what) {
        ASSERT_TRUE(WriteBytes(path, b, count));
        boxes.Clear();
        auto doc = BareDoc();
        const std::string before = Describe(*doc);
        EXPECT_FALSE(doc->OnOpenDocument(path)) << what;
        ASSERT_EQ(boxes.Count(), 1u) << what;
        EXPECT_EQ(boxes.Last().text, "Corrupt project file") << what;
        EXPECT_EQ(Describe(*doc), before) << what;
    };
    for (size_t n : {0u, 8u, 15u, 16u, 19u, 23u, 27u})
        expectCorrupt(good, n, "header");
    Bytes b = good;
    b[5] ^= 0x40;
    expectCorrupt(b, b.size(), "magic");
    // The template count follows the 256 names: four of 10 characters, "Relabelled \xE5", 251 empty.
    const size_t countAt = 28 + 2 + (1 + 10) * 4 + (1 + 12) + (256 - 5);
    ASSERT_EQ(I32At(good, countAt), 5);
    for (int32_t n : {0, 256, -1}) {
        b = good;
        PutI32(b, countAt, n);
        expectCorrupt(b, b.size(), "count");
    }
}

TEST_F(ProjectFileTest, WithoutTheCharsetFlagTheTableNamesFollowTheTemplates)
{
    auto doc = BareDoc();
    doc->OnNewDocument();
    const CString path = dir.Path("flags.proj");
    ASSERT_TRUE(doc->SaveFileByType(path));
    Bytes b = FileBytes(path);
    PutI32(b, 24, 0);
    // Remove the character-set byte that follows the last template block: it sits just before
    // the table name list (u16 256 then "Table 1").
    const std::string text(b.begin(), b.end());
    const size_t names = text.find(std::string("\x00\x01\x07Table 1", 10));
    ASSERT_NE(names, std::string::npos);
    b.erase(b.begin() + names - 1);
    ASSERT_TRUE(WriteBytes(path, b, b.size()));
    auto read = BareDoc();
    ASSERT_TRUE(read->OnOpenDocument(path));
    EXPECT_EQ(read->GetTableName(0), "Table 1");
    EXPECT_EQ(read->GetTableCount(), 3);
}

TEST_F(ProjectFileTest, EveryTruncationFailsAndLeavesTheDocumentAsItWas)
{
    const Bytes good = FileBytes(SavedProject("t.proj"));
    const CString path = dir.Path("cut.proj");
    auto doc = BareDoc();
    doc->OnNewDocument();
    doc->SetModifiedFlag(TRUE);
    const std::string before = Describe(*doc);
    // Every offset up to a few template blocks, then a stride through the rest.
    for (size_t n = 0; n < good.size(); n += (n < 4000 ? 1 : 97)) {
        ASSERT_TRUE(WriteBytes(path, good, n));
        boxes.Clear();
        ASSERT_FALSE(doc->OnOpenDocument(path)) << n;
        ASSERT_GE(boxes.Count(), 1u) << n;
        EXPECT_EQ(boxes.Last().text, "Corrupt project file") << n;
        ASSERT_EQ(Describe(*doc), before) << n;
        ASSERT_TRUE(doc->IsModified());
    }
}

TEST_F(ProjectFileTest, RandomMutationsNeverCrashNorHalfOpen)
{
    const Bytes good = FileBytes(SavedProject("m.proj"));
    const CString path = dir.Path("mut.proj");
    std::mt19937 random(1234);
    int opened = 0;
    for (int round = 0; round < 300; ++round) {
        Bytes b = good;
        const int changes = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < changes; ++i)
            b[random() % b.size()] = static_cast<uint8_t>(random());
        ASSERT_TRUE(WriteBytes(path, b, b.size()));
        boxes.Clear();
        auto doc = BareDoc();
        const std::string before = Describe(*doc);
        if (doc->OnOpenDocument(path)) {
            ++opened;
            EXPECT_GE(doc->GetTemplateCount(), 1);
            EXPECT_LE(doc->GetTemplateCount(), 255);
            EXPECT_GE(doc->GetTableCount(), 1);
            EXPECT_LE(doc->GetTableCount(), 255);
        } else {
            EXPECT_EQ(Describe(*doc), before) << round;
            EXPECT_GE(boxes.Count(), 1u) << round;
        }
    }
    // Most changes land in cells and coordinates, which read as other values.
    EXPECT_GT(opened, 0);
}

TEST_F(ProjectFileTest, AMissingFileIsReportedWithItsPath)
{
    auto doc = BareDoc();
    const CString path = dir.Path("absent.proj");
    EXPECT_FALSE(doc->OnOpenDocument(path));
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, "Can not open file " + path);
}

TEST_F(ProjectFileTest, AFailedSaveKeepsThePreviousFile)
{
    const CString path = SavedProject("keep.proj");
    const Bytes before = FileBytes(path);
    auto doc = BareDoc();
    doc->OnNewDocument();
    doc->SetModifiedFlag(TRUE);
    // Another program holds the file open without sharing: the replace cannot happen.
    HANDLE held = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(doc->SaveFileByType(path));
    CloseHandle(held);
    EXPECT_TRUE(doc->IsModified());
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, "Can not open file " + path);
    EXPECT_EQ(FileBytes(path), before);
    // No temporary file is left beside it.
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(dir.Path("*.tmp"), &found);
    EXPECT_EQ(find, INVALID_HANDLE_VALUE);
    if (find != INVALID_HANDLE_VALUE)
        FindClose(find);
}
