// Workbooks and texts written by other programs (made before the tests by
// tests/fixtures/make_fixtures.sh): every workbook must import cell by cell as xlrd reads it.
#include "document/datatable.h"
#include "document/excelfile.h"
#include "document/excelimport.h"
#include "document/excelnumbers.h"
#include "document/textimport.h"
#include "document/tests/biffbuilder.h"
#include "document/tests/tablehelpers.h"
#include "testsupport/msgboxrecorder.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace {

using CellMap = std::map<std::pair<int, int>, std::string>;

struct Expected {
    int rows = -1;
    std::vector<std::string> names;
    std::vector<CellMap> sheets;
};

std::string FixtureFolder()
{
    const char* folder = std::getenv("KORVELTA_IMPORT_FIXTURES");
    return folder ? WinePath(folder) : std::string();
}

std::string FromHex(const std::string& hex)
{
    std::string text;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        text.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return text;
}

Expected LoadExpected(const std::string& path)
{
    Expected expected;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string tag;
        words >> tag;
        if (tag == "ROWS") {
            words >> expected.rows;
            expected.sheets.emplace_back();
        } else if (tag == "SHEET") {
            int index;
            std::string hex;
            words >> index >> hex;
            expected.names.push_back(FromHex(hex));
            expected.sheets.emplace_back();
        } else if (tag == "C") {
            int row, column;
            std::string hex;
            words >> row >> column >> hex;
            expected.sheets.back()[{row, column}] = FromHex(hex);
        }
    }
    return expected;
}

CellMap NonEmptyCells(const CDataTableBase& table)
{
    CellMap cells;
    for (int r = 0; r < table.GetRowCount(); ++r) {
        for (int c = 0; c < table.GetCellCount(r); ++c) {
            if (*table.GetCellText(r, c))
                cells[{r, c}] = table.GetCellText(r, c);
        }
    }
    return cells;
}

std::vector<std::string> Workbooks(const std::string& folder)
{
    std::vector<std::string> names;
    std::ifstream in(folder + "\\workbooks.txt");
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty())
            names.push_back(line);
    }
    return names;
}

// Reports the first differing cells, not thousands.
void ExpectSameCells(const CellMap& expected, const CellMap& actual)
{
    int reported = 0;
    for (const auto& cell : expected) {
        auto it = actual.find(cell.first);
        const std::string got = it == actual.end() ? "<none>" : it->second;
        if (got != cell.second && reported++ < 10)
            ADD_FAILURE() << "cell " << cell.first.first << "," << cell.first.second << ": expected '"
                          << cell.second << "' got '" << got << "'";
    }
    for (const auto& cell : actual) {
        if (!expected.count(cell.first) && reported++ < 10)
            ADD_FAILURE() << "extra cell " << cell.first.first << "," << cell.first.second << ": '"
                          << cell.second << "'";
    }
}

} // namespace

TEST(ImportFixtures, EveryWorkbookReadsAsXlrdReadsIt)
{
    const std::string folder = FixtureFolder();
    ASSERT_FALSE(folder.empty()) << "KORVELTA_IMPORT_FIXTURES is not set: run the tests through ctest";
    const std::vector<std::string> books = Workbooks(folder);
    ASSERT_GE(books.size(), 12u) << "fixtures missing in " << folder;
    for (const std::string& name : books) {
        SCOPED_TRACE(name);
        const std::string path = folder + "\\" + name;
        const Expected expected = LoadExpected(path + ".expect");
        ASSERT_FALSE(expected.sheets.empty());
        const int sheetCount = static_cast<int>(expected.sheets.size());
        for (int sheet = 0; sheet < sheetCount; ++sheet) {
            SCOPED_TRACE(sheet);
            CDataTableBase table;
            CExcelFileManager manager;
            std::vector<std::string> offered;
            manager.SetSheetChooser([&](const CExcelFile& reader, int& index) {
                for (int i = 0; i < reader.GetSheetCount(); ++i)
                    offered.push_back(reader.GetSheetName(i).GetString());
                index = sheet;
                return 1;
            });
            ASSERT_EQ(ExcelImportResult::kImported, manager.Open(path.c_str(), table));
            if (sheetCount > 1) {
                EXPECT_EQ(expected.names, offered);
                EXPECT_EQ(expected.names[sheet], manager.GetSheetName());
            } else {
                EXPECT_TRUE(offered.empty());
            }
            ExpectSameCells(expected.sheets[sheet], NonEmptyCells(table));
        }
    }
}

// The expectations above come from the importer's number rule written again in xlrd_expect.py; a
// fault common to both would pass there. number_texts.tsv holds texts written by hand for every
// number format the fixtures use (make_fixtures.sh checks the oracle against it and fails on a
// format it lacks); here the importer meets the same texts.
TEST(ImportFixtures, NumberTextsWrittenByHandForEveryFormatOfTheFixtures)
{
    const std::string folder = FixtureFolder();
    ASSERT_FALSE(folder.empty());
    std::ifstream in(folder + "\\number_texts.tsv");
    ASSERT_TRUE(in.good()) << "no number_texts.tsv in " << folder;
    std::set<std::string> formats;
    int rows = 0;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> fields;
        std::istringstream split(line);
        for (std::string field; std::getline(split, field, '\t');)
            fields.push_back(field);
        ASSERT_EQ(4u, fields.size()) << line;
        const std::string format = fields[1] == "\"\"" ? std::string() : fields[1];
        const ExcelNumberKind kind = fields[0] == "R" ? ExcelNumberKind::kRk : ExcelNumberKind::kNumber;
        EXPECT_STREQ(fields[3].c_str(), FormatExcelNumber(std::strtod(fields[2].c_str(), nullptr), format.c_str(), kind))
            << fields[0] << " '" << format << "' " << fields[2];
        formats.insert(format);
        ++rows;
    }
    EXPECT_GE(rows, 30);
    for (const char* format : {"", "General", "0.00", "0.000", "0.0"})
        EXPECT_EQ(1u, formats.count(format)) << "no texts for '" << format << "'";
}

TEST(ImportFixtures, CutOrDamagedWorkbooksLeaveTheTableAlone)
{
    const std::string folder = FixtureFolder();
    ASSERT_FALSE(folder.empty());
    TempDir dir;
    const CString copy = dir.Path("damaged.xls");
    const CDataTableBase before = MakeTable({{"keep"}, {"", "these"}});
    const std::vector<std::string> books = Workbooks(folder);
    ASSERT_GE(books.size(), 12u) << "fixtures missing in " << folder;
    for (const std::string& name : books) {
        SCOPED_TRACE(name);
        const Bytes bytes = ReadFileBytes((folder + "\\" + name).c_str());
        ASSERT_FALSE(bytes.empty());
        CDataTableBase whole = before;
        CExcelFileManager full;
        full.SetSheetChooser([](const CExcelFile&, int& i) { i = 0; return 1; });
        ASSERT_EQ(ExcelImportResult::kImported, full.Open((folder + "\\" + name).c_str(), whole));

        const size_t step = bytes.size() / 37 + 1;
        for (size_t size = 0; size < bytes.size(); size += (size < 64 ? 7 : step)) {
            ASSERT_TRUE(WriteFileBytes(copy, Bytes(bytes.begin(), bytes.begin() + size)));
            CDataTableBase table = before;
            CExcelFileManager manager;
            manager.SetSheetChooser([](const CExcelFile&, int& i) { i = 0; return 1; });
            const ExcelImportResult result = manager.Open(copy, table);
            // A cut that only drops a compound file's unused tail still reads the whole sheet.
            if (result == ExcelImportResult::kImported)
                ASSERT_TRUE(SameTable(whole, table)) << "cut at " << size;
            else
                ASSERT_TRUE(SameTable(before, table)) << "cut at " << size;
        }
        for (size_t at = 0; at < bytes.size(); at += step) {
            Bytes mutated = bytes;
            for (size_t k = at; k < at + 4 && k < mutated.size(); ++k)
                mutated[k] = static_cast<uint8_t>(0xFF - mutated[k]);
            ASSERT_TRUE(WriteFileBytes(copy, mutated));
            CDataTableBase table = before;
            CExcelFileManager manager;
            manager.SetSheetChooser([](const CExcelFile& r, int& i) { i = r.GetSheetCount() - 1; return 1; });
            if (manager.Open(copy, table) != ExcelImportResult::kImported)
                ASSERT_TRUE(SameTable(before, table)) << "mutated at " << at;
        }
    }
}

TEST(ImportFixtures, TextsInTheAnsiAndTheOemCodePage)
{
    const std::string folder = FixtureFolder();
    ASSERT_FALSE(folder.empty());
    const Expected expected = LoadExpected(folder + "\\text.expect");
    ASSERT_EQ(1u, expected.sheets.size());
    for (const auto& file : {std::make_pair("text_cp1252.csv", false), std::make_pair("text_cp850.csv", true)}) {
        SCOPED_TRACE(file.first);
        CDataTableBase table;
        ASSERT_TRUE(ImportDelimitedText(table, (folder + "\\" + file.first).c_str(), ';', file.second));
        EXPECT_EQ(expected.rows, table.GetRowCount());
        ExpectSameCells(expected.sheets[0], NonEmptyCells(table));

        // Rows are appended after those the table has.
        CDataTableBase more = MakeTable({{"first"}});
        ASSERT_TRUE(ImportDelimitedText(more, (folder + "\\" + file.first).c_str(), ';', file.second));
        EXPECT_STREQ("first", more.GetCellText(0, 0));
        EXPECT_STREQ("Name", more.GetCellText(1, 0));
        EXPECT_EQ(expected.rows + 1, more.GetRowCount());
    }
}

namespace {

struct SheetKind {
    unsigned kind;                         // the sheet record's: 0 worksheet, 2 chart
    unsigned bofType;                      // the sheet's BOF: 0x0010 worksheet, 0x0020 chart
};

// The workbook's own word on its sheets, read from the globals' sheet records and the BOF each
// points at, so that a fixture that came out as something else fails here and not silently.
std::vector<SheetKind> SheetKinds(const std::string& path)
{
    std::vector<SheetKind> kinds;
    std::vector<uint8_t> stream;
    bool compound = false;
    if (!LoadExcelStream(path.c_str(), stream, compound))
        return kinds;
    auto u16 = [&](size_t at) { return static_cast<unsigned>(stream[at] | (stream[at + 1] << 8)); };
    for (size_t at = 0; at + 4 <= stream.size();) {
        const unsigned id = u16(at), length = u16(at + 2);
        if (id == 0x000A || at + 4 + length > stream.size())
            break;
        if (id == 0x0085 && length >= 6) {
            const size_t offset = u16(at + 4) | (static_cast<size_t>(u16(at + 6)) << 16);
            const unsigned bofType = offset + 8 <= stream.size() ? u16(offset + 6) : 0xFFFF;
            kinds.push_back({stream[at + 4 + 5], bofType});
        }
        at += 4 + length;
    }
    return kinds;
}

} // namespace

// Gnumeric writes a sheet holding only a graph as a chart sheet (in Excel 5.0/95 and Excel 97
// alike): chosen, or the workbook's only sheet, it imports as a sheet without cells.
TEST(ImportFixtures, GnumericChartSheetsImportWithoutCells)
{
    const std::string folder = FixtureFolder();
    ASSERT_FALSE(folder.empty());
    struct Book {
        const char* name;
        const char* type;
        bool withData;
    };
    const Book books[] = {{"gnumeric_chartsheet_biff5.xls", "Excel 5.0/95 workbook", true},
                          {"gnumeric_chartsheet_biff8.xls", "Excel 97 workbook", true},
                          {"gnumeric_chartonly_biff5.xls", "Excel 5.0/95 workbook", false},
                          {"gnumeric_chartonly_biff8.xls", "Excel 97 workbook", false}};
    for (const Book& book : books) {
        SCOPED_TRACE(book.name);
        const std::string path = folder + "\\" + book.name;
        const std::vector<SheetKind> kinds = SheetKinds(path);
        const int chart = book.withData ? 1 : 0;
        ASSERT_EQ(static_cast<size_t>(chart + 1), kinds.size());
        EXPECT_EQ(2u, kinds[chart].kind);
        EXPECT_EQ(0x0020u, kinds[chart].bofType);
        if (book.withData) {
            EXPECT_EQ(0u, kinds[0].kind);
            EXPECT_EQ(0x0010u, kinds[0].bofType);
        }

        MessageBoxRecorder boxes;
        int asked = 0;
        auto chooser = [&](int sheet) {
            return [&asked, sheet](const CExcelFile&, int& index) { ++asked; index = sheet; return 1; };
        };
        CDataTableBase table;
        CString title;
        CExcelFileManager manager;
        manager.SetSheetChooser(chooser(chart));
        ASSERT_EQ(ExcelImportResult::kImported, manager.Open(path.c_str(), table));
        EXPECT_STREQ(book.type, manager.GetTypeName());
        EXPECT_EQ(0, table.GetRowCount());
        EXPECT_EQ(book.withData ? 1 : 0, asked);

        CDataTableBase kept = MakeTable({{"keep"}, {"", "these"}});
        ASSERT_EQ(ExcelImportResult::kImported, ImportExcelFile(kept, path.c_str(), &title, chooser(chart)));
        EXPECT_EQ((Rows{{"keep"}, {"", "these"}}), Dump(kept));
        EXPECT_EQ(std::string(book.name) + " - " + (book.withData ? "Graph" : ""), std::string(title));
        EXPECT_EQ(0u, boxes.Count());

        if (book.withData) {
            // The data sheet of the same workbook, cell for cell as xlrd reads it.
            const Expected expected = LoadExpected(path + ".expect");
            ASSERT_EQ(2u, expected.sheets.size());
            EXPECT_TRUE(expected.sheets[1].empty());
            ASSERT_GE(expected.sheets[0].size(), 30u);
            CDataTableBase data;
            ASSERT_EQ(ExcelImportResult::kImported, ImportExcelFile(data, path.c_str(), &title, chooser(0)));
            ExpectSameCells(expected.sheets[0], NonEmptyCells(data));
            EXPECT_EQ(std::string(book.name) + " - Data", std::string(title));
        }
    }
}
