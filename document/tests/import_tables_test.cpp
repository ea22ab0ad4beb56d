#include "document/datatable.h"
#include "document/labeldoc.h"
#include "document/tablefiles.h"
#include "document/tablefilter.h"
#include "document/tableslot.h"
#include "document/tableundo.h"
#include "document/textimport.h"
#include "document/tests/biffbuilder.h"
#include "document/tests/tablehelpers.h"
#include "framework/file.h"
#include "framework/recordio.h"
#include "testsupport/msgboxrecorder.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>

namespace {

// Collects what a parser stores, as the table would hold it.
class Collect : public TextImportTarget {
public:
    explicit Collect(int rows = 0) : m_rows(rows) {}
    int GetRowCount() const override { return m_rows; }
    void Store(int row, int column, const char* text) override { table.SetCellText(row, column, text); }
    CDataTableBase table;

private:
    int m_rows;
};

Rows Delimited(const std::string& data, char separator = ';')
{
    Collect target;
    ParseDelimitedText(data, separator, false, target);
    return Dump(target.table);
}

Rows Fixed(const std::string& data, std::vector<int> widths)
{
    widths.resize(26, -1);
    Collect target;
    ParseFixedWidthText(data, widths.data(), false, target);
    return Dump(target.table);
}

} // namespace

TEST(TextImport, DelimitedFieldsQuotesAndRows)
{
    EXPECT_EQ((Rows{{"a", "b"}}), Delimited("a;;b"));
    EXPECT_EQ((Rows{{"x;y", "say \"hi\" now"}}), Delimited("\"x;y\";\"say \"\"hi\"\" now\""));
    EXPECT_EQ((Rows{{"one"}, {}, {"two", "2"}}), Delimited("one\r\n\r\ntwo;2\r\n"));
    EXPECT_EQ((Rows{{"last"}}), Delimited("last"));
    EXPECT_EQ((Rows{{"a"}}), Delimited("a\x1A" "b;c"));
    // A tab separator inside quotes is a control byte and skipped; outside it separates.
    EXPECT_EQ((Rows{{"ab", "c"}}), Delimited("\"a\tb\"\tc", '\t'));
    EXPECT_EQ((Rows{{std::string(255, 'z')}}), Delimited(std::string(400, 'z')));
    EXPECT_EQ(Rows{}, Delimited(""));
    Collect after(3);
    ParseDelimitedText("n", ';', false, after);
    EXPECT_STREQ("n", after.table.GetCellText(3, 0));
}

TEST(TextImport, FixedWidthColumns)
{
    EXPECT_EQ((Rows{{"abc", "de", "fgh"}}), Fixed("abcdefgh", {3, 2, -1}));
    EXPECT_EQ((Rows{{"ab", "cd"}}), Fixed("ab   cd", {5, -1}));
    // The widths start again on every line; a field of blanks keeps one.
    EXPECT_EQ((Rows{{"x", " ", "y"}, {"n", "ext", " "}}), Fixed("x   y\r\nnext  ", {1, 3, -1}));
    EXPECT_EQ((Rows{{"a"}, {}, {"b"}}), Fixed("a\r\n\r\nb", {4}));
}

TEST(TextImport, LinesEndInCrCrLfOrLfAlone)
{
    // Files from other systems end their lines in LF alone: each line is a row.
    EXPECT_EQ((Rows{{"a", "b"}, {"c", "d"}}), Delimited("a;b\nc;d"));
    EXPECT_EQ((Rows{{"a", "b"}, {"c", "d"}}), Delimited("a;b\r\nc;d\r\n"));
    EXPECT_EQ((Rows{{"a", "b"}, {"c", "d"}}), Delimited("a;b\nc;d\n"));
    // CR LF counts once; CR alone, LF alone and an empty line each end one row.
    EXPECT_EQ((Rows{{"cr"}, {"lf"}, {"crlf"}, {}, {"end"}}), Delimited("cr\rlf\ncrlf\r\n\nend"));
    EXPECT_EQ((Rows{{"x"}, {}, {}, {"y"}}), Delimited("x\n\r\n\ry"));
    EXPECT_EQ((Rows{{"ab", "c"}, {"de", "f"}}), Fixed("abc\ndef", {2, -1}));
    EXPECT_EQ((Rows{{"ab", "c"}, {"de", "f"}}), Fixed("abc\r\ndef\r\n", {2, -1}));
    EXPECT_EQ((Rows{{"a"}, {}, {"b"}}), Fixed("a\n\nb", {4}));
}

TEST(TextImport, AQuoteOpensQuotingOnlyAtTheStartOfAField)
{
    // Inside a field a quote is text, and the separators and lines after it keep their meaning.
    EXPECT_EQ((Rows{{"12\" pipe", "A", "B"}, {"next", "row"}}), Delimited("12\" pipe;A;B\r\nnext;row\r\n"));
    EXPECT_EQ((Rows{{"a\"b\"c", "d"}}), Delimited("a\"b\"c;d"));
    EXPECT_EQ((Rows{{"x", "5\"", "y"}}), Delimited("x;5\";y"));
    // At the start of a field it quotes; after the closing quote the field goes on as text.
    EXPECT_EQ((Rows{{"q;x tail", "z"}}), Delimited("\"q;x\" tail;z"));
    EXPECT_EQ((Rows{{" \"lead\"", "z"}}), Delimited(" \"lead\";z"));
    // A quote left open ends with its line: the next line is read as usual.
    EXPECT_EQ((Rows{{"x", "open;"}, {"next", "row"}}), Delimited("x;\"open;\nnext;row"));
    // Consecutive separators still count as one.
    EXPECT_EQ((Rows{{"a", "b", "c"}}), Delimited("a;;b;\"\";c"));
}

TEST(TextImport, OemFieldsComeOutInTheAnsiCodePage)
{
    Collect target;
    const std::string oem = "M\x81ller;\x86sa";            // cp437/cp850: u-umlaut, a-ring
    ParseDelimitedText(oem, ';', true, target);
    EXPECT_STREQ("M\xFCller", target.table.GetCellText(0, 0));
    EXPECT_STREQ("\xE5sa", target.table.GetCellText(0, 1));
}

TEST(TextImport, FilesGoThroughTheFilterAndMissingFilesAreReported)
{
    TempDir dir;
    const CString path = dir.Path("in.txt");
    ASSERT_TRUE(WriteFileBytes(path, Bytes{'n', 'e', 'w', ';', 'r', 'o', 'w'}));
    TableSlot slot;
    slot.Table()->SetCellText(0, 0, "base");
    ASSERT_TRUE(ImportDelimitedText(slot, path, ';', false));
    EXPECT_EQ((Rows{{"base"}, {"new", "row"}}), Dump(*slot.Table()));

    MessageBoxRecorder boxes;
    const CDataTableBase before = *slot.Table();
    const int widths[26] = {3};
    EXPECT_FALSE(ImportFixedWidthText(slot, dir.Path("missing.txt"), widths, false));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(CString("Can not open file ") + dir.Path("missing.txt"), boxes[0].text);
    EXPECT_TRUE(SameTable(before, *slot.Table()));
}

// ---------------------------------------------------------------------------------------------
// ".tbl"

namespace {

Bytes TblHeader(unsigned signature, std::vector<std::string> names, unsigned images)
{
    BodyBuilder b;
    b.U16(signature).U16(static_cast<unsigned>(names.size()));
    for (size_t i = 0; i < names.size(); ++i)
        b.U16(10).U16(0);
    if ((signature >> 8) >= 0x7E && (signature & 0x10)) {
        for (const std::string& n : names)
            b.U16(static_cast<unsigned>(n.size())).Text(n);
    }
    if ((signature >> 8) >= 0x7E && (signature & 0x40)) {
        for (size_t i = 0; i < names.size(); ++i)
            b.U16(0);
    }
    if ((signature >> 8) == 0x7E && (signature & 0x02))
        b.U16(images);
    return b.bytes;
}

} // namespace

TEST(TableFiles, TblFieldsRecordsAndImageColumns)
{
    TempDir dir;
    const CString path = dir.Path("t.tbl");
    Bytes file = TblHeader(0x7E52, {"Name", "Pic", "Other"}, 2);
    const std::string data = "A\x10\x10" "B\r\n" "x\x10y\x1Az\r" "tail";
    file.insert(file.end(), data.begin(), data.end());
    ASSERT_TRUE(WriteFileBytes(path, file));
    TableSlot slot;
    slot.Table()->SetCellText(0, 0, "existing");
    ASSERT_TRUE(ImportTableFile(slot, path));
    EXPECT_EQ((Rows{{"existing"}, {"A", "", "B"}, {"x", "z"}, {"tail"}}), Dump(*slot.Table()));
    EXPECT_FALSE(slot.Table()->IsImageColumn(0));
    EXPECT_TRUE(slot.Table()->IsImageColumn(1));
    EXPECT_TRUE(slot.Table()->IsImageColumn(2));

    Bytes plain = TblHeader(0x0101, {"a"}, 0);
    plain.push_back('p');
    ASSERT_TRUE(WriteFileBytes(path, plain));
    CDataTableBase table;
    EXPECT_TRUE(ReadTblFile(table, path));
    EXPECT_EQ((Rows{{"p"}}), Dump(table));
}

TEST(TableFiles, BadTblFilesAreReportedAndChangeNothing)
{
    TempDir dir;
    const CString path = dir.Path("bad.tbl");
    Bytes file = TblHeader(0x7F50, {"Name", "Long"}, 0);
    file.push_back('v');
    for (size_t size = 0; size < file.size() - 1; ++size) {
        ASSERT_TRUE(WriteFileBytes(path, Bytes(file.begin(), file.begin() + size)));
        CDataTableBase table = MakeTable({{"keep"}});
        MessageBoxRecorder boxes;
        EXPECT_FALSE(ReadTblFile(table, path)) << size;
        EXPECT_EQ((Rows{{"keep"}}), Dump(table));
        EXPECT_EQ(1u, boxes.Count());
    }
    Bytes unknown = TblHeader(0x1234, {"a"}, 0);
    ASSERT_TRUE(WriteFileBytes(path, unknown));
    CDataTableBase table;
    MessageBoxRecorder boxes;
    EXPECT_FALSE(ReadTblFile(table, path));
    EXPECT_EQ(0, table.GetRowCount());
}

// ---------------------------------------------------------------------------------------------
// ".TBF" and "LBAT"

namespace {

Bytes MakeTbf(int32_t version, bool withTag, const CDataTableFilter& filter,
              int32_t firstImage = 1, int32_t imageCount = 2)
{
    CMemFile file;
    RecordWriter out(&file);
    out.I32(0x4642542E);
    out.I32(version);
    out.I32(7);
    out.I32(8);
    filter.Save(out);
    out.I32(withTag ? 0x54584554 : 0x12345678);
    out.I32(firstImage);                   // image columns B and C
    out.I32(imageCount);
    out.I32(2);                            // rows
    out.I32(2);
    out.I32(1); out.Raw("a", 1);
    out.I32(0);
    out.I32(3);
    out.I32(1); out.Raw("x", 1);
    out.I32(300); out.Raw(std::string(300, 'L').data(), 300);
    out.I32(2); out.Raw("zz", 2);
    out.I32(2);                            // columns
    out.U8(0); out.I32(0);
    out.U8(1); out.I32(0);
    out.I32(1);                            // filtered rows
    out.I32(0);
    out.I32(1); out.Raw("f", 1);
    return file.Bytes();
}

} // namespace

TEST(TableFiles, TbfReplacesTheFilterAndAppendsBothTables)
{
    TempDir dir;
    const CString path = dir.Path("t.tbf");
    CDataTableFilter filter;
    filter.SetIncludeString(0, "inc");
    filter.SetEnabled(true);
    ASSERT_TRUE(WriteFileBytes(path, MakeTbf(0x901, true, filter)));
    TableSlot slot;
    slot.Table()->SetCellText(0, 0, "old");
    ASSERT_TRUE(ImportTableFile(slot, path));     // by its extension
    ASSERT_NE(nullptr, slot.Filter());
    EXPECT_STREQ("inc", slot.Filter()->GetIncludeString(0));
    EXPECT_TRUE(slot.Filter()->IsEnabled());
    EXPECT_EQ((Rows{{"old"}, {"a"}, {"x", std::string(255, 'L'), "zz"}}), Dump(*slot.Table()));
    EXPECT_TRUE(slot.Table()->IsImageColumn(1));
    EXPECT_TRUE(slot.Table()->IsImageColumn(2));
    ASSERT_NE(nullptr, slot.Filtered());
    // The file's filtered row shows no row of the table: the filter, on, is applied to the table
    // as it now stands (no column is selected for "inc", so every row passes), and edits through
    // it reach the table.
    EXPECT_EQ(Dump(*slot.Table()), Dump(*slot.Filtered()));
    EXPECT_TRUE(slot.IsRowMapUsable());
    EXPECT_TRUE(slot.SetCellText("A", 1, 0));
    EXPECT_STREQ("A", slot.Table()->GetCellText(1, 0));
}

TEST(TableFiles, TbfImageColumnsOutsideTheTableAreIgnoredAtOnce)
{
    TempDir dir;
    const CString path = dir.Path("t.tbf");
    CDataTableFilter filter;
    const std::pair<int32_t, int32_t> ranges[] = {{INT32_MIN, INT32_MAX}, {-3, 5}, {250, INT32_MAX}};
    for (const auto& range : ranges) {
        ASSERT_TRUE(WriteFileBytes(path, MakeTbf(1, true, filter, range.first, range.second)));
        TableSlot slot;
        ASSERT_TRUE(ReadTbfFile(slot, path));
        for (int c = 0; c < 256; ++c) {
            const bool inRange = c >= range.first && static_cast<int64_t>(c) < static_cast<int64_t>(range.first) + range.second;
            EXPECT_EQ(inRange, slot.Table()->IsImageColumn(c)) << range.first << " " << c;
        }
    }
}

TEST(TableFiles, DamagedOrForeignTbfFilesChangeNothing)
{
    TempDir dir;
    const CString path = dir.Path("bad.tbf");
    CDataTableFilter filter;
    const Bytes good = MakeTbf(1, true, filter);
    // Every one of these is refused: the last record ends with the file, so no cut of it is whole.
    std::vector<std::pair<std::string, Bytes>> bad = {
        {"version 0x900", MakeTbf(0x900, true, filter)},
        {"version 0x902", MakeTbf(0x902, true, filter)},
        {"no TEXT tag", MakeTbf(1, false, filter)},
    };
    for (size_t size = 0; size < good.size(); size += 3)
        bad.emplace_back("cut to " + std::to_string(size) + " bytes", Bytes(good.begin(), good.begin() + size));
    Bytes hugeCount = good;
    hugeCount[hugeCount.size() - 25] = 0x7F;      // a count far beyond the file
    bad.emplace_back("a count beyond the file", hugeCount);
    for (const auto& file : bad) {
        SCOPED_TRACE(file.first);
        ASSERT_TRUE(WriteFileBytes(path, file.second));
        TableSlot slot;
        slot.Table()->SetCellText(0, 0, "keep");
        MessageBoxRecorder boxes;
        EXPECT_FALSE(ReadTbfFile(slot, path));
        EXPECT_EQ(nullptr, slot.Filter());
        EXPECT_EQ((Rows{{"keep"}}), Dump(*slot.Table()));
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_STREQ("Corrupt file or wrong file version", boxes[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes[0].Icon());
    }
}

TEST(TableFiles, LbatLayoutIsWrittenFieldByField)
{
    TempDir dir;
    const CString path = dir.Path("out.tbf");
    TableSlot slot;
    slot.Table()->SetCellText(0, 0, "v");
    ASSERT_TRUE(WriteTbfFile(slot, path));
    CMemFile expected;
    RecordWriter out(&expected);
    out.I32(0x5441424C);
    out.I32(0);
    slot.Table()->Save(&expected);
    EXPECT_EQ(expected.Bytes(), ReadFileBytes(path));

    slot.CreateFilter();
    ASSERT_TRUE(WriteTbfFile(slot, path));
    const Bytes withFilter = ReadFileBytes(path);
    const size_t marker = expected.Bytes().size();
    ASSERT_GT(withFilter.size(), marker + 4);
    EXPECT_EQ((Bytes{0x44, 0x33, 0x22, 0x11}), Bytes(withFilter.begin() + marker, withFilter.begin() + marker + 4));
}

namespace {

// Texts of every kind a table holds: full 255-character cells, cp1252 letters, empty cells
// between others, and image columns among them.
void FillForTbf(TableSlot& slot, int rows)
{
    CDataTableBase& table = *slot.Table();
    for (int r = 0; r < rows; ++r) {
        table.SetCellText(r, 0, ("row " + std::to_string(r)).c_str());
        table.SetCellText(r, 1, r % 3 ? "M\xFCller \x80 \xC5sa \xDF" : "K\xF6ln");
        if (r % 7 == 0)
            table.SetCellText(r, 2, std::string(255, static_cast<char>('a' + r % 26)).c_str());
        if (r % 5 == 0)
            table.SetCellText(r, 4, "pic\\" + CString(std::to_string(r).c_str()) + ".bmp");
    }
    table.SetImageColumn(4, true);
    table.SetImageColumn(25, true);
    table.SetImageColumn(200, true);
}

void AddFilter(TableSlot& slot)
{
    slot.CreateFilter();
    CDataTableFilter& filter = *slot.Filter();
    filter.SetIncludeString(0, "\xFC");    // column B must hold it
    filter.ToggleFilterFlag(kFilterInclude1, 1);
    filter.SetExcludeString(0, "row 1");   // column A must not
    filter.ToggleFilterFlag(kFilterExclude1, 0);
    filter.SetStripChar(2, "-");
    filter.ToggleFilterFlag(kFilterShow, 3);   // column D hidden
    filter.SetEnabled(true);
    slot.ApplyFilter();
}

Bytes FilterBytes(const CDataTableFilter* filter)
{
    if (!filter)
        return {};
    CMemFile file;
    filter->Save(&file);
    return file.Bytes();
}

std::unique_ptr<COstrelindSoftLabelDoc> NewTableDoc()
{
    auto doc = std::make_unique<COstrelindSoftLabelDoc>();
    doc->m_bAutoDelete = FALSE;
    doc->OnNewDocument();
    return doc;
}

} // namespace

TEST(TableFiles, TbfSavedByTheDocumentOpensAgainAsItWas)
{
    TempDir dir;
    for (bool withFilter : {true, false}) {
        SCOPED_TRACE(withFilter);
        const CString path = dir.Path(withFilter ? "saved.tbf" : "plain.TBF");
        auto doc = NewTableDoc();
        TableSlot& slot = doc->CurrentSlot();
        FillForTbf(slot, 1000);
        if (withFilter)
            AddFilter(slot);
        ASSERT_TRUE(doc->OnSaveDocument(path));

        MessageBoxRecorder boxes;
        auto opened = NewTableDoc();
        ASSERT_TRUE(opened->OnOpenDocument(path));
        EXPECT_EQ(0u, boxes.Count());
        const TableSlot& again = opened->CurrentSlot();
        EXPECT_EQ(1000, again.Table()->GetRowCount());
        EXPECT_TRUE(SameTable(*slot.Table(), *again.Table()));
        EXPECT_EQ(FilterBytes(slot.Filter()), FilterBytes(again.Filter()));
        if (withFilter) {
            ASSERT_NE(nullptr, again.Filtered());
            EXPECT_GT(slot.Filtered()->GetRowCount(), 0);
            EXPECT_LT(slot.Filtered()->GetRowCount(), 1000);
            EXPECT_EQ(Dump(*slot.Filtered()), Dump(*again.Filtered()));
            EXPECT_TRUE(again.IsFilterOn());
        } else {
            EXPECT_EQ(nullptr, again.Filtered());
        }
    }
}

TEST(TableFiles, LbatRowsAreAppendedLikeTheOtherImports)
{
    TempDir dir;
    const CString path = dir.Path("t.tbf");
    TableSlot written;
    written.Table()->SetCellText(0, 1, "b");
    written.Table()->SetCellText(2, 2, "");    // an empty row, then one of empty cells
    written.Table()->SetImageColumn(3, true);
    ASSERT_TRUE(WriteTbfFile(written, path));

    TableSlot slot;
    slot.Table()->SetCellText(0, 0, "old");
    slot.Table()->SetImageColumn(1, true);
    MessageBoxRecorder boxes;
    ASSERT_TRUE(ImportTableFile(slot, path));
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_EQ((Rows{{"old"}, {"", "b"}, {}, {"", "", ""}}), Dump(*slot.Table()));
    EXPECT_TRUE(slot.Table()->IsImageColumn(1));
    EXPECT_TRUE(slot.Table()->IsImageColumn(3));
    EXPECT_EQ(nullptr, slot.Filter());
}

TEST(TableFiles, CutOrMutatedLbatFilesChangeNothing)
{
    TempDir dir;
    const CString path = dir.Path("bad.tbf");
    TableSlot source;
    FillForTbf(source, 8);
    AddFilter(source);
    ASSERT_TRUE(WriteTbfFile(source, path));
    const Bytes good = ReadFileBytes(path);
    CMemFile tableOnly;
    source.Table()->Save(&tableOnly);
    const size_t tableEnd = 8 + tableOnly.Bytes().size();   // a whole file without a filter

    std::vector<Bytes> bad;
    for (size_t size = 0; size < good.size(); ++size) {
        if (size != tableEnd)
            bad.emplace_back(good.begin(), good.begin() + size);
    }
    bad.push_back(Concat(good, Bytes{0}));          // a byte after the last record
    Bytes version = good;
    version[4] = 1;
    bad.push_back(version);
    for (size_t i = 0; i < bad.size(); ++i) {
        ASSERT_TRUE(WriteFileBytes(path, bad[i]));
        TableSlot slot;
        slot.Table()->SetCellText(0, 0, "keep");
        MessageBoxRecorder boxes;
        ASSERT_FALSE(ReadTbfFile(slot, path)) << "file " << i << " of " << bad[i].size() << " bytes";
        EXPECT_EQ(nullptr, slot.Filter());
        EXPECT_EQ(nullptr, slot.Filtered());
        EXPECT_EQ((Rows{{"keep"}}), Dump(*slot.Table()));
        EXPECT_EQ(std::vector<int>(256, 0), Flags(*slot.Table()));
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_STREQ("Corrupt file or wrong file version", boxes[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes[0].Icon());
    }

    // Every byte turned over: a file that still reads is taken whole, any other changes nothing.
    for (size_t at = 0; at < good.size(); ++at) {
        Bytes mutated = good;
        mutated[at] = static_cast<uint8_t>(mutated[at] ^ ((at % 2) ? 0xFF : 0x80));
        TableSlot slot;
        slot.Table()->SetCellText(0, 0, "keep");
        if (ParseTbfData(mutated.data(), mutated.size(), slot)) {
            // Taken whole: after the row that was there, with the filter the file carries.
            ASSERT_NE(nullptr, slot.Filter()) << "mutated at " << at;
            ASSERT_STREQ("keep", slot.Table()->GetCellText(0, 0)) << "mutated at " << at;
            ASSERT_GT(slot.Table()->GetRowCount(), 1) << "mutated at " << at;
            continue;
        }
        ASSERT_EQ(nullptr, slot.Filter()) << "mutated at " << at;
        ASSERT_EQ((Rows{{"keep"}}), Dump(*slot.Table())) << "mutated at " << at;
    }
    // The message for a mutated file, through the file reader.
    Bytes magic = good;
    magic[0] = 'X';
    ASSERT_TRUE(WriteFileBytes(path, magic));
    TableSlot slot;
    MessageBoxRecorder boxes;
    EXPECT_FALSE(ReadTbfFile(slot, path));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("Corrupt file or wrong file version", boxes[0].text);

    // The table-only file at the cut after the table record is whole: it reads.
    ASSERT_TRUE(WriteFileBytes(path, Bytes(good.begin(), good.begin() + tableEnd)));
    TableSlot cut;
    EXPECT_TRUE(ReadTbfFile(cut, path));
    EXPECT_TRUE(SameTable(*source.Table(), *cut.Table()));
    EXPECT_EQ(nullptr, cut.Filter());
}

// ---------------------------------------------------------------------------------------------
// Undo

TEST(TableUndo, UndoStepsBackOneEditAtATime)
{
    TableSlot slot;
    CTableUndo undo;
    EXPECT_GE(undo.GetUndoDepth(), 1);
    EXPECT_LE(undo.GetUndoDepth(), 16);
    slot.SetCellText("one", 0, 0);
    undo.PushTableUndo(slot);
    slot.SetCellText("two", 0, 0);
    undo.PushTableUndo(slot);
    slot.SetCellText("three", 0, 0);
    EXPECT_TRUE(undo.CanUndo());
    EXPECT_TRUE(undo.UndoTableEdit(slot));
    EXPECT_STREQ("two", slot.GetCellText(0, 0));
    EXPECT_TRUE(undo.UndoTableEdit(slot));
    EXPECT_STREQ("one", slot.GetCellText(0, 0));
    EXPECT_FALSE(undo.UndoTableEdit(slot));
    EXPECT_STREQ("one", slot.GetCellText(0, 0));

    undo.SetRecordUndo(false);
    undo.PushTableUndo(slot);
    EXPECT_EQ(0, undo.GetCopyCount());
    undo.SetRecordUndo(true);
    for (int i = 0; i < 40; ++i) {
        slot.SetCellText(std::to_string(i).c_str(), 0, 0);
        undo.PushTableUndo(slot);
    }
    EXPECT_EQ(undo.GetUndoDepth(), undo.GetCopyCount());
    EXPECT_LE(undo.GetCopyCount(), 16);
}

TEST(TableUndo, UndoRestoresTheFilteredTableAndItsRowMap)
{
    TableSlot slot;
    slot.Table()->SetCellText(0, 0, "keep 1");
    slot.Table()->SetCellText(1, 0, "drop");
    slot.Table()->SetCellText(2, 0, "keep 2");
    slot.CreateFilter();
    slot.SetFilterText(kFilterInclude1, "keep");
    slot.ToggleFilterFlag(kFilterInclude1, 0);
    slot.ToggleFilter();
    ASSERT_TRUE(slot.IsFilterOn());
    ASSERT_EQ(2, slot.GetRowCount());

    CTableUndo undo;
    undo.PushTableUndo(slot);
    EXPECT_TRUE(undo.CanUndo());
    ASSERT_TRUE(slot.DeleteRow(0));
    ASSERT_EQ(1, slot.GetRowCount());
    ASSERT_TRUE(undo.UndoTableEdit(slot));
    ASSERT_EQ(2, slot.GetRowCount());
    EXPECT_EQ(3, slot.Table()->GetRowCount());
    // With the row map back, an edit through the filter reaches the base row it shows.
    EXPECT_TRUE(slot.IsRowMapUsable());
    EXPECT_TRUE(slot.SetCellText("edited", 1, 0));
    EXPECT_STREQ("edited", slot.Table()->GetCellText(2, 0));
    EXPECT_STREQ("drop", slot.Table()->GetCellText(1, 0));
}
