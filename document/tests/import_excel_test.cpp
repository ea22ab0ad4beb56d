#include "document/datatable.h"
#include "document/excel80book.h"
#include "document/excelfile.h"
#include "document/excelimport.h"
#include "document/tests/biffbuilder.h"
#include "document/tests/tablehelpers.h"
#include "testsupport/msgboxrecorder.h"
#include "testsupport/tempdir.h"

#include "testsupport/localeguard.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <clocale>
#include <cstdio>
#include <functional>

namespace {

struct SheetSpec {
    std::string name;
    bool hidden;
    Bytes cells;                           // records between the sheet's BOF and EOF
    unsigned type = 0x0010;                // the substream's BOF type: 0x0020 a chart sheet
};

// An Excel 97 workbook stream: formats, XFs (0 general, 1 built-in "0.00", 2 "0.000"), the
// sheets' directory, an optional shared string table (records as given), then the sheets.
Bytes MakeBook(const std::vector<SheetSpec>& sheets, const std::vector<Bytes>& sstRecords = {},
               const Bytes& extraGlobals = {})
{
    Bytes stream;
    AddRecord(stream, 0x0809, Biff8Bof(0x0005));
    stream.insert(stream.end(), extraGlobals.begin(), extraGlobals.end());
    AddRecord(stream, 0x041E, Concat(BodyBuilder().U16(164).bytes, Biff8Text("0.000")));
    for (unsigned format : {0u, 2u, 164u}) {
        BodyBuilder xf;
        xf.U16(0).U16(format);
        xf.bytes.resize(20, 0);
        AddRecord(stream, 0x00E0, xf.bytes);
    }
    std::vector<size_t> offsetAt;
    for (const SheetSpec& sheet : sheets) {
        offsetAt.push_back(stream.size() + 4);
        BodyBuilder b;
        // The sheet record's kind: 0 worksheet, 2 chart.
        b.U32(0).U8(sheet.hidden ? 1 : 0).U8(sheet.type == 0x0020 ? 2 : 0)
            .U8(static_cast<unsigned>(sheet.name.size())).U8(0).Text(sheet.name);
        AddRecord(stream, 0x0085, b.bytes);
    }
    for (size_t i = 0; i < sstRecords.size(); ++i)
        AddRecord(stream, i == 0 ? 0x00FC : 0x003C, sstRecords[i]);
    AddRecord(stream, 0x000A, {});
    for (size_t i = 0; i < sheets.size(); ++i) {
        const uint32_t offset = static_cast<uint32_t>(stream.size());
        for (int k = 0; k < 4; ++k)
            stream[offsetAt[i] + k] = static_cast<uint8_t>(offset >> (8 * k));
        AddRecord(stream, 0x0809, Biff8Bof(sheets[i].type));
        stream.insert(stream.end(), sheets[i].cells.begin(), sheets[i].cells.end());
        AddRecord(stream, 0x000A, {});
    }
    return stream;
}

Bytes Number(unsigned row, unsigned column, unsigned xf, double value)
{
    Bytes r;
    AddRecord(r, 0x0203, BodyBuilder().U16(row).U16(column).U16(xf).F64(value).bytes);
    return r;
}

Bytes Rk(unsigned row, unsigned column, unsigned xf, uint32_t rk)
{
    Bytes r;
    AddRecord(r, 0x027E, BodyBuilder().U16(row).U16(column).U16(xf).U32(rk).bytes);
    return r;
}

Bytes LabelSst(unsigned row, unsigned column, uint32_t index)
{
    Bytes r;
    AddRecord(r, 0x00FD, BodyBuilder().U16(row).U16(column).U16(0).U32(index).bytes);
    return r;
}

Bytes Cells(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

// The shared strings "plain", "abc" + "déf" continued as UTF-16, "xyz" with rich-text runs that
// spill into the next CONTINUE, and "pq" with phonetic data.
std::vector<Bytes> SharedStrings()
{
    BodyBuilder sst;
    sst.U32(4).U32(4);
    sst.bytes = Concat(sst.bytes, Biff8Text("plain"));
    sst.U16(6).U8(0).Text("abc");
    BodyBuilder first;
    first.U8(0x01).Wide(L"d\u00e9f");
    first.U16(3).U8(0x08).U16(2).Text("xyz").U32(0x11111111);
    BodyBuilder second;
    second.U32(0x22222222);
    second.U16(2).U8(0x04).U32(5).Text("pq").Text("PHONE");
    return {sst.bytes, first.bytes, second.bytes};
}

struct ImportRun {
    ExcelImportResult result;
    int asked = 0;
    std::vector<std::string> offered;
    CString sheetName;
    CString typeName;
};

ImportRun Import(const char* path, CDataTableBase& table, int choose = 0)
{
    ImportRun run;
    CExcelFileManager manager;
    manager.SetSheetChooser([&](const CExcelFile& reader, int& index) {
        ++run.asked;
        for (int i = 0; i < reader.GetSheetCount(); ++i)
            run.offered.push_back(reader.GetSheetName(i).GetString());
        if (choose < 0)
            return -1;
        index = choose;
        return 1;
    });
    run.result = manager.Open(path, table);
    run.sheetName = manager.GetSheetName();
    run.typeName = manager.GetTypeName();
    return run;
}

Bytes FullSheet()
{
    Bytes formula;
    AddRecord(formula, 0x0006, BodyBuilder().U16(4).U16(0).U16(0).U8(0).U8(0).U8(0).U8(0).U8(0)
                                   .U8(0).U16(0xFFFF).U16(0).U32(0).U16(0).bytes);
    AddRecord(formula, 0x0207, BodyBuilder().U16(3).U8(1).Wide(L"f\u00f6o").bytes);
    AddRecord(formula, 0x0006, BodyBuilder().U16(4).U16(1).U16(0).F64(2.5).U16(0).U32(0).U16(0).bytes);
    Bytes label;
    AddRecord(label, 0x0204, Concat(BodyBuilder().U16(5).U16(0).U16(0).bytes, Biff8Text("label")));
    // Longer than any record Excel writes: read to the limit, the rest skipped.
    AddRecord(label, 0x0204, Concat(BodyBuilder().U16(5).U16(1).U16(0).bytes,
                                    Biff8Text(std::string(8300, 'L'))));
    Bytes mulrk;
    AddRecord(mulrk, 0x00BD, BodyBuilder().U16(6).U16(2).U16(0).U32((7u << 2) | 2).U16(2)
                                 .U32((7u << 2) | 2).U16(3).bytes);
    return Cells({LabelSst(0, 0, 0), LabelSst(0, 1, 1), LabelSst(0, 2, 2), LabelSst(0, 3, 3),
                  LabelSst(0, 4, 99),
                  Number(1, 0, 1, 3.14159), Number(1, 1, 0, 3.14159), Number(1, 2, 0, 4006381333931.0),
                  Number(1, 3, 0, 1.5e20), Number(1, 4, 500, 0.5),
                  Rk(2, 0, 0, 14), Rk(2, 1, 0, 15), Rk(2, 2, 0, static_cast<uint32_t>((-5 << 2) | 2)),
                  Rk(2, 3, 2, (7u << 2) | 2), Rk(2, 4, 1, (1234u << 2) | 3),
                  formula, label, mulrk});
}

} // namespace

TEST(ExcelNumbers, FormatsAsTheCellsFormatSays)
{
    EXPECT_STREQ("3.14", FormatExcelNumber(3.14159, "0.00", ExcelNumberKind::kNumber));
    EXPECT_STREQ("2.500", FormatExcelNumber(2.5, "0.000", ExcelNumberKind::kRk));
    EXPECT_STREQ("3.14159", FormatExcelNumber(3.14159, "", ExcelNumberKind::kNumber));
    EXPECT_STREQ("3.1415927", FormatExcelNumber(3.14159265358979, "", ExcelNumberKind::kNumber));
    EXPECT_STREQ("3.14159265358979", FormatExcelNumber(3.14159265358979, "", ExcelNumberKind::kRk));
    EXPECT_STREQ("4006381333931", FormatExcelNumber(4006381333931.0, "", ExcelNumberKind::kNumber));
    EXPECT_STREQ("-123456789", FormatExcelNumber(-123456789.0, "General", ExcelNumberKind::kNumber));
    EXPECT_STREQ("0", FormatExcelNumber(-0.0, "", ExcelNumberKind::kRk));
    EXPECT_STREQ("1.5e+020", FormatExcelNumber(1.5e20, "", ExcelNumberKind::kNumber));
    EXPECT_STREQ("1e+015", FormatExcelNumber(1e15, "", ExcelNumberKind::kRk));
    // "0." alone is general; very many decimals are capped.
    EXPECT_STREQ("7", FormatExcelNumber(7, "0.", ExcelNumberKind::kNumber));
    EXPECT_STREQ("0.100000000000000",
                 FormatExcelNumber(0.1, "0.0000000000000000000000000000000", ExcelNumberKind::kNumber));
    EXPECT_EQ(317, FormatExcelNumber(1e300, "0.000000000000000000", ExcelNumberKind::kNumber).GetLength());
}

TEST(ExcelNumbers, RkWordsDecode)
{
    EXPECT_EQ(3.0, DecodeRk(14));
    EXPECT_DOUBLE_EQ(0.03, DecodeRk(15));
    EXPECT_EQ(-5.0, DecodeRk(static_cast<uint32_t>((-5 << 2) | 2)));
    EXPECT_EQ(-536870912.0, DecodeRk(0x80000002u));
    EXPECT_EQ(1.0, DecodeRk(0x3FF00000u));
    // The high half of 1/3 is 0.333333015441895: fifteen digits show it, "%0.8g" would not.
    EXPECT_STREQ("0.333333015441895", FormatExcelNumber(DecodeRk(0x3FD55554u), "", ExcelNumberKind::kRk));
}

TEST(ExcelNumbersLocale, DecimalSeparatorFollowsTheUserLocale)
{
    char separator;
    CString two, general;
    {
        NumericLocaleGuard user("");
        ASSERT_TRUE(user.ok());
        ASSERT_TRUE(DecimalSeparatorMatchesTheRun());
        separator = *localeconv()->decimal_point;
        two = FormatExcelNumber(3.14159, "0.00", ExcelNumberKind::kNumber);
        general = FormatExcelNumber(0.03, "", ExcelNumberKind::kRk);
    }
    EXPECT_STREQ((std::string("3") + separator + "14").c_str(), two);
    EXPECT_STREQ((std::string("0") + separator + "03").c_str(), general);
}

TEST(ExcelImport, Biff8CellsSharedStringsAndFormulas)
{
    TempDir dir;
    const CString path = dir.Path("book.xls");
    ASSERT_TRUE(WriteFileBytes(path, MakeBook({{"Data", false, FullSheet()}}, SharedStrings())));
    CDataTableBase table;
    table.SetCellText(9, 9, "kept");
    const ImportRun run = Import(path, table);
    ASSERT_EQ(ExcelImportResult::kImported, run.result);
    EXPECT_EQ(0, run.asked);
    EXPECT_STREQ("", run.sheetName);
    EXPECT_STREQ("Excel 97 workbook", run.typeName);

    EXPECT_EQ(Column(table, 0)[0], "plain");
    EXPECT_STREQ("abcd\xE9" "f", table.GetCellText(0, 1));
    EXPECT_STREQ("xyz", table.GetCellText(0, 2));
    EXPECT_STREQ("pq", table.GetCellText(0, 3));
    EXPECT_STREQ("", table.GetCellText(0, 4));
    EXPECT_STREQ("3.14", table.GetCellText(1, 0));
    EXPECT_STREQ("3.14159", table.GetCellText(1, 1));
    EXPECT_STREQ("4006381333931", table.GetCellText(1, 2));
    EXPECT_STREQ("1.5e+020", table.GetCellText(1, 3));
    EXPECT_STREQ("0.5", table.GetCellText(1, 4));        // an XF the file never defined
    EXPECT_STREQ("3", table.GetCellText(2, 0));
    EXPECT_STREQ("0.03", table.GetCellText(2, 1));
    EXPECT_STREQ("-5", table.GetCellText(2, 2));
    EXPECT_STREQ("7.000", table.GetCellText(2, 3));
    EXPECT_STREQ("12.34", table.GetCellText(2, 4));
    EXPECT_STREQ("f\xF6o", table.GetCellText(4, 0));
    EXPECT_STREQ("2.5", table.GetCellText(4, 1));
    EXPECT_STREQ("label", table.GetCellText(5, 0));
    EXPECT_EQ(std::string(255, 'L'), table.GetCellText(5, 1));
    EXPECT_STREQ("7", table.GetCellText(6, 2));
    EXPECT_STREQ("7.000", table.GetCellText(6, 3));
    EXPECT_STREQ("kept", table.GetCellText(9, 9));
}

TEST(ExcelImport, SheetChoiceOffersVisibleWorksheetsAndCancelChangesNothing)
{
    TempDir dir;
    const CString path = dir.Path("two.xls");
    const Bytes book = MakeBook({{"One", false, Number(0, 0, 0, 1)}, {"Secret", true, Number(0, 0, 0, 2)},
                                 {"Two", false, Number(0, 0, 0, 3)}});
    ASSERT_TRUE(WriteFileBytes(path, book));
    CDataTableBase table = MakeTable({{"a", "b"}});
    ImportRun run = Import(path, table, 1);
    ASSERT_EQ(ExcelImportResult::kImported, run.result);
    EXPECT_EQ(1, run.asked);
    EXPECT_EQ((std::vector<std::string>{"One", "Two"}), run.offered);
    EXPECT_STREQ("Two", run.sheetName);
    EXPECT_STREQ("3", table.GetCellText(0, 0));
    EXPECT_STREQ("b", table.GetCellText(0, 1));

    const CDataTableBase before = table;
    run = Import(path, table, -1);
    EXPECT_EQ(ExcelImportResult::kCancelled, run.result);
    EXPECT_TRUE(SameTable(before, table));

    MessageBoxRecorder boxes;
    CString title = "unchanged";
    EXPECT_EQ(ExcelImportResult::kCancelled,
              ImportExcelFile(table, path, &title, [](const CExcelFile&, int&) { return -1; }));
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_STREQ("unchanged", title);
    EXPECT_EQ(ExcelImportResult::kImported,
              ImportExcelFile(table, path, &title, [](const CExcelFile&, int& i) { i = 0; return 1; }));
    EXPECT_STREQ("two.xls - One", title);
}

TEST(ExcelImport, OneVisibleSheetNeedsNoChoice)
{
    TempDir dir;
    const CString path = dir.Path("one.xls");
    ASSERT_TRUE(WriteFileBytes(path, MakeBook({{"Hidden", true, Number(0, 0, 0, 1)},
                                               {"Shown", false, Number(0, 0, 0, 2)}})));
    CDataTableBase table;
    CString title;
    EXPECT_EQ(ExcelImportResult::kImported,
              ImportExcelFile(table, path, &title, [](const CExcelFile&, int&) -> int {
                  ADD_FAILURE() << "asked for a sheet";
                  return -1;
              }));
    EXPECT_STREQ("2", table.GetCellText(0, 0));
    EXPECT_STREQ("one.xls - ", title);
}

TEST(ExcelImport, DamagedOrForeignFilesFailWithTheTableUnchanged)
{
    TempDir dir;
    Bytes badOption = SharedStrings()[0];
    badOption[8 + 7 + 2] = 0x02;           // the option byte of "abc..."
    Bytes encrypted;
    AddRecord(encrypted, 0x002F, BodyBuilder().U16(0).U16(0).bytes);
    Bytes noEof = MakeBook({{"S", false, Number(0, 0, 0, 1)}});
    noEof.resize(noEof.size() - 4);
    Bytes version6 = MakeBook({{"S", false, {}}});
    version6[1] = 0x06;
    Bytes shortSst = SharedStrings()[0];
    const std::vector<std::pair<std::string, Bytes>> cases = {
        {"sst.xls", MakeBook({{"S", false, LabelSst(0, 0, 0)}}, {badOption})},
        {"sstshort.xls", MakeBook({{"S", false, LabelSst(0, 0, 0)}}, {shortSst})},
        {"encrypted.xls", MakeBook({{"S", false, Number(0, 0, 0, 1)}}, {}, encrypted)},
        {"noeof.xls", noEof},
        {"version.xls", version6},
        {"text.xls", Bytes{'a', ';', 'b', '\r', '\n'}},
        {"empty.xls", Bytes{}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        const CString path = dir.Path(c.first.c_str());
        ASSERT_TRUE(WriteFileBytes(path, c.second));
        CDataTableBase table = MakeTable({{"x"}, {"", "y"}});
        const CDataTableBase before = table;
        MessageBoxRecorder boxes;
        EXPECT_EQ(ExcelImportResult::kFailed, ImportExcelFile(table, path, nullptr));
        EXPECT_TRUE(SameTable(before, table));
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_EQ(CString("Can not open file ") + path, boxes[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes[0].Icon());
    }
    // A sheet offset outside the stream.
    Bytes book = MakeBook({{"S", false, Number(0, 0, 0, 1)}, {"T", false, {}}});
    const CString path = dir.Path("offset.xls");
    bool patched = false;
    for (size_t i = 0; i + 4 < book.size() && !patched; ++i) {
        if (book[i] == 0x85 && book[i + 1] == 0x00) {
            book[i + 4 + 3] = 0x7F;        // the first sheet's offset far past the end
            patched = true;
        }
    }
    ASSERT_TRUE(patched) << "no sheet record in the built workbook";
    ASSERT_TRUE(WriteFileBytes(path, book));
    CDataTableBase table;
    EXPECT_EQ(ExcelImportResult::kFailed, Import(path, table, 0).result);
    EXPECT_EQ(0, table.GetRowCount());
    EXPECT_EQ(ExcelImportResult::kFailed, Import(dir.Path("missing.xls"), table).result);
}

TEST(ExcelImport, TruncatedAndMutatedStreamsNeverCrashOrHalfImport)
{
    TempDir dir;
    const Bytes book = MakeBook({{"Data", false, FullSheet()}, {"Other", false, Number(3, 3, 0, 9)}},
                                SharedStrings());
    const CString path = dir.Path("cut.xls");
    const CDataTableBase before = MakeTable({{"keep", "me"}});
    for (size_t size = 0; size < book.size(); size += (size < 600 ? 1 : 97)) {
        ASSERT_TRUE(WriteFileBytes(path, Bytes(book.begin(), book.begin() + size)));
        CDataTableBase table = before;
        const ImportRun run = Import(path, table, 0);
        ASSERT_EQ(ExcelImportResult::kFailed, run.result) << "cut at " << size;
        ASSERT_TRUE(SameTable(before, table)) << "cut at " << size;
    }
    for (size_t at = 0; at < book.size(); at += 7) {
        Bytes mutated = book;
        mutated[at] ^= (at % 2) ? 0xFF : 0x80;
        ASSERT_TRUE(WriteFileBytes(path, mutated));
        CDataTableBase table = before;
        const ImportRun run = Import(path, table, 1);
        if (run.result != ExcelImportResult::kImported)
            ASSERT_TRUE(SameTable(before, table)) << "mutated at " << at;
    }
}

TEST(ExcelImport, Biff2WorksheetTakesFormatsFromTheCellAttributes)
{
    TempDir dir;
    Bytes stream;
    AddRecord(stream, 0x0009, BodyBuilder().U16(2).U16(0x10).bytes);
    for (const char* f : {"General", "0", "0.00"})
        AddRecord(stream, 0x001E, BodyBuilder().U8(static_cast<unsigned>(strlen(f))).Text(f).bytes);
    AddRecord(stream, 0x0002, BodyBuilder().U16(0).U16(0).U8(0).U8(0).U8(0).U16(4711).bytes);
    AddRecord(stream, 0x0003, BodyBuilder().U16(0).U16(1).U8(0).U8(2).U8(0).F64(3.14159).bytes);
    AddRecord(stream, 0x0003, BodyBuilder().U16(0).U16(2).U8(0).U8(0).U8(0).F64(3.14159).bytes);
    AddRecord(stream, 0x0004, BodyBuilder().U16(1).U16(0).U8(0).U8(0).U8(0).U8(4).Text("\xC5sa!").bytes);
    AddRecord(stream, 0x000A, {});
    const CString path = dir.Path("old.xls");
    ASSERT_TRUE(WriteFileBytes(path, stream));
    CDataTableBase table;
    const ImportRun run = Import(path, table);
    ASSERT_EQ(ExcelImportResult::kImported, run.result);
    EXPECT_STREQ("Excel 2.1 worksheet", run.typeName);
    EXPECT_EQ((Rows{{"4711", "3.14", "3.14159"}, {"\xC5sa!"}}), Dump(table));
}

namespace {

bool WriteCompoundFile(const CString& path, const wchar_t* streamName, const Bytes& data)
{
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH);
    IStorage* storage = nullptr;
    if (FAILED(StgCreateDocfile(wide, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &storage)))
        return false;
    bool ok = true;
    if (streamName) {
        IStream* stream = nullptr;
        ok = SUCCEEDED(storage->CreateStream(streamName, STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE,
                                             0, 0, &stream));
        if (ok) {
            ULONG written = 0;
            ok = SUCCEEDED(stream->Write(data.data(), static_cast<ULONG>(data.size()), &written));
            stream->Release();
        }
    }
    storage->Release();
    return ok;
}

} // namespace

TEST(ExcelImport, CompoundFilesOpenReadOnlyAndWhileOpenElsewhere)
{
    CoInitialize(nullptr);
    TempDir dir;
    const Bytes book = MakeBook({{"Data", false, FullSheet()}}, SharedStrings());
    const CString workbook = dir.Path("wb.xls");
    ASSERT_TRUE(WriteCompoundFile(workbook, L"Workbook", book));
    CDataTableBase table;
    EXPECT_EQ(ExcelImportResult::kImported, Import(workbook, table).result);
    EXPECT_STREQ("3.14", table.GetCellText(1, 0));

    // Marked read-only, and held open by another program that lets others read.
    ASSERT_TRUE(SetFileAttributesA(workbook, FILE_ATTRIBUTE_READONLY));
    HANDLE other = CreateFileA(workbook, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, other);
    CDataTableBase again;
    EXPECT_EQ(ExcelImportResult::kImported, Import(workbook, again).result);
    EXPECT_TRUE(SameTable(table, again));
    CloseHandle(other);
    SetFileAttributesA(workbook, FILE_ATTRIBUTE_NORMAL);

    // Held open for writing by a program that lets others read it.
    HANDLE writer = CreateFileA(workbook, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, writer);
    CDataTableBase whileWritten;
    EXPECT_EQ(ExcelImportResult::kImported, Import(workbook, whileWritten).result);
    EXPECT_TRUE(SameTable(table, whileWritten));
    CloseHandle(writer);

    // Excel 5.0/95 keeps its stream under "Book".
    const CString book5 = dir.Path("b5.xls");
    ASSERT_TRUE(WriteCompoundFile(book5, L"Book", book));
    CDataTableBase fromBook;
    const ImportRun run = Import(book5, fromBook);
    EXPECT_EQ(ExcelImportResult::kImported, run.result);
    EXPECT_TRUE(SameTable(table, fromBook));

    const CString none = dir.Path("none.xls");
    ASSERT_TRUE(WriteCompoundFile(none, L"Other", book));
    CDataTableBase empty;
    EXPECT_EQ(ExcelImportResult::kFailed, Import(none, empty).result);
    CoUninitialize();
}

namespace {

HWND g_found = nullptr;
int g_pick = 0;

void CALLBACK DriveSheetDialog(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND dialog = FindWindowA("#32770", "Select Excel worksheet ");
    if (!dialog)
        return;
    KillTimer(nullptr, id);
    g_found = dialog;
    HWND list = GetDlgItem(dialog, IDC_EXCEL_SHEET_LIST);
    if (g_pick >= 0) {
        // OK without a selection does nothing; then choose and confirm.
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        SendMessageA(list, LB_SETCURSEL, g_pick, 0);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    } else {
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }
}

} // namespace

TEST(ExcelImport, SheetDialogListsTheSheetsAndReturnsTheChoice)
{
    TempDir dir;
    const CString path = dir.Path("dlg.xls");
    ASSERT_TRUE(WriteFileBytes(path, MakeBook({{"One", false, Number(0, 0, 0, 1)},
                                               {"Two", false, Number(0, 0, 0, 2)}})));
    for (int pick : {1, -1}) {
        g_found = nullptr;
        g_pick = pick;
        SetTimer(nullptr, 0, 30, DriveSheetDialog);
        CDataTableBase table;
        CExcelFileManager manager;
        const ExcelImportResult result = manager.Open(path, table);
        EXPECT_NE(nullptr, g_found);
        if (pick >= 0) {
            EXPECT_EQ(ExcelImportResult::kImported, result);
            EXPECT_STREQ("Two", manager.GetSheetName());
            EXPECT_STREQ("2", table.GetCellText(0, 0));
        } else {
            EXPECT_EQ(ExcelImportResult::kCancelled, result);
            EXPECT_EQ(0, table.GetRowCount());
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Excel 4.0 FORMAT records and charts inside worksheets

namespace {

const char* const kOldFormats[] = {"General", "0.00", "0.000", "0.0", "0.0000", "d/m/yy"};
const int kOldFormatCount = 6;

// What Excel 4.0 writers leave in a FORMAT record's first two (unused) bytes.
enum class FormatWord { kZero, kAllOnes, kMisleading };

unsigned FormatWordOf(FormatWord word, int place)
{
    switch (word) {
    case FormatWord::kZero:
        return 0;
    case FormatWord::kAllOnes:
        return 0xFFFF;
    default:
        return static_cast<unsigned>((place + 2) % kOldFormatCount);   // another format's place
    }
}

// An Excel 4.0 worksheet substream: the formats above, XF k naming format k, and one cell per
// format in row `row`: 2.5 "0.000", 3.14159 "0.000", 7.26 "0.0", 0.123456 "0.0000", 1.006
// "0.00", 45000 as a date, 0.5 general, and the RK 12.34 with "0.0000".
Bytes Biff4Sheet(FormatWord word, unsigned row)
{
    Bytes s;
    AddRecord(s, 0x0409, BodyBuilder().U16(0).U16(0x0010).U16(0).bytes);
    for (int i = 0; i < kOldFormatCount; ++i) {
        const std::string text = kOldFormats[i];
        AddRecord(s, 0x041E, BodyBuilder().U16(FormatWordOf(word, i))
                                 .U8(static_cast<unsigned>(text.size())).Text(text).bytes);
    }
    for (int i = 0; i < kOldFormatCount; ++i)
        AddRecord(s, 0x0443, BodyBuilder().U8(0).U8(static_cast<unsigned>(i)).U16(0).U16(0).U16(0).U32(0).bytes);
    const std::pair<unsigned, double> cells[] = {{2, 2.5}, {2, 3.14159}, {3, 7.26}, {4, 0.123456},
                                                 {1, 1.006}, {5, 45000}, {0, 0.5}};
    unsigned column = 0;
    for (const auto& cell : cells)
        AddRecord(s, 0x0203, BodyBuilder().U16(row).U16(column++).U16(cell.first).F64(cell.second).bytes);
    AddRecord(s, 0x027E, BodyBuilder().U16(row).U16(column).U16(4).U32((1234u << 2) | 3).bytes);
    AddRecord(s, 0x000A, {});
    return s;
}

const std::vector<std::string> kOldFormatTexts = {"2.500", "3.142", "7.3", "0.1235", "1.01",
                                                  "45000", "0.5", "12.3400"};

} // namespace

TEST(ExcelImport, Biff4FormatsCountInOrderWhateverTheirFirstBytesHold)
{
    TempDir dir;
    const CString sheetPath = dir.Path("old4.xls");
    for (FormatWord word : {FormatWord::kZero, FormatWord::kAllOnes, FormatWord::kMisleading}) {
        SCOPED_TRACE(static_cast<int>(word));
        ASSERT_TRUE(WriteFileBytes(sheetPath, Biff4Sheet(word, 0)));
        CDataTableBase table;
        const ImportRun run = Import(sheetPath, table);
        ASSERT_EQ(ExcelImportResult::kImported, run.result);
        EXPECT_STREQ("Excel 4.0 worksheet", run.typeName);
        EXPECT_EQ((Rows{kOldFormatTexts}), Dump(table));
    }

    // A workbook: every sheet numbers its own formats from 0, each written another way.
    Bytes book;
    AddRecord(book, 0x0409, BodyBuilder().U16(0).U16(0x0100).U16(0).bytes);
    for (const char* name : {"Zero", "Ones", "Wrong"})
        AddRecord(book, 0x0085, BodyBuilder().U8(static_cast<unsigned>(strlen(name))).Text(name).bytes);
    int k = 0;
    for (FormatWord word : {FormatWord::kZero, FormatWord::kAllOnes, FormatWord::kMisleading}) {
        const Bytes sheet = Biff4Sheet(word, static_cast<unsigned>(k++));
        AddRecord(book, 0x008F, BodyBuilder().U32(static_cast<uint32_t>(sheet.size())).U8(1).Text("s").bytes);
        book.insert(book.end(), sheet.begin(), sheet.end());
    }
    AddRecord(book, 0x000A, {});
    const CString bookPath = dir.Path("old4.xlw");
    ASSERT_TRUE(WriteFileBytes(bookPath, book));
    for (int sheet = 0; sheet < 3; ++sheet) {
        SCOPED_TRACE(sheet);
        CDataTableBase table;
        const ImportRun run = Import(bookPath, table, sheet);
        ASSERT_EQ(ExcelImportResult::kImported, run.result);
        EXPECT_STREQ("Excel 4.0 workbook", run.typeName);
        Rows expected(sheet + 1);
        expected[sheet] = kOldFormatTexts;
        EXPECT_EQ(expected, Dump(table));
    }
}

TEST(ExcelImport, Biff5FormatsKeepTheIndexTheyCarry)
{
    // A plain Excel 5.0 stream: the formats come in another order than their indices.
    Bytes stream;
    AddRecord(stream, 0x0809, BodyBuilder().U16(0x0500).U16(0x0005).U16(0).U16(0).bytes);
    const std::pair<unsigned, std::string> formats[] = {{165, "0.0000"}, {164, "0.0"}, {2, "0.000"}};
    for (const auto& f : formats)
        AddRecord(stream, 0x041E, BodyBuilder().U16(f.first).U8(static_cast<unsigned>(f.second.size()))
                                      .Text(f.second).bytes);
    for (unsigned format : {0u, 164u, 165u, 2u}) {
        BodyBuilder xf;
        xf.U16(0).U16(format);
        xf.bytes.resize(16, 0);
        AddRecord(stream, 0x00E0, xf.bytes);
    }
    const size_t offsetAt = stream.size() + 4;
    AddRecord(stream, 0x0085, BodyBuilder().U32(0).U8(0).U8(0).U8(5).Text("Sheet").bytes);
    AddRecord(stream, 0x000A, {});
    const uint32_t offset = static_cast<uint32_t>(stream.size());
    for (int i = 0; i < 4; ++i)
        stream[offsetAt + i] = static_cast<uint8_t>(offset >> (8 * i));
    AddRecord(stream, 0x0809, BodyBuilder().U16(0x0500).U16(0x0010).U16(0).U16(0).bytes);
    stream = Concat(stream, Cells({Number(0, 0, 1, 7.26), Number(0, 1, 2, 0.123456), Number(0, 2, 3, 2.5),
                                   Number(0, 3, 0, 0.5)}));
    AddRecord(stream, 0x000A, {});
    TempDir dir;
    const CString path = dir.Path("five.xls");
    ASSERT_TRUE(WriteFileBytes(path, stream));
    CDataTableBase table;
    const ImportRun run = Import(path, table);
    ASSERT_EQ(ExcelImportResult::kImported, run.result);
    EXPECT_STREQ("Excel 5.0/95 workbook", run.typeName);
    EXPECT_EQ((Rows{{"7.3", "0.1235", "2.500", "0.5"}}), Dump(table));
}

namespace {

// A chart embedded in a worksheet as Excel 97 writes it: a substream of its own with chart
// records, here with a further substream nested inside it. Its records would read as cells
// (NUMBER, LABEL) if the reader took them for the sheet's.
Bytes EmbeddedChart()
{
    Bytes chart;
    AddRecord(chart, 0x0809, Biff8Bof(0x0020));
    AddRecord(chart, 0x1001, BodyBuilder().U16(0).bytes);                          // UNITS
    AddRecord(chart, 0x1002, BodyBuilder().U32(0).U32(0).U32(0x01000000).U32(0x00800000).bytes);
    chart = Concat(chart, Number(40, 40, 0, 666));
    AddRecord(chart, 0x0809, Biff8Bof(0x0020));
    chart = Concat(chart, Number(41, 41, 0, 667));
    AddRecord(chart, 0x000A, {});
    AddRecord(chart, 0x1033, {});                                                 // BEGIN
    AddRecord(chart, 0x1034, {});                                                 // END
    AddRecord(chart, 0x000A, {});
    return chart;
}

} // namespace

TEST(ExcelImport, CellsAfterAChartInsideTheWorksheetImport)
{
    TempDir dir;
    const CString path = dir.Path("chart.xls");
    Bytes drawing;                       // the drawing and object records that come before it
    AddRecord(drawing, 0x00EC, Bytes(16, 0));
    AddRecord(drawing, 0x005D, Bytes(26, 0));
    const Bytes data = Cells({LabelSst(0, 0, 0), Number(0, 1, 2, 2.5), drawing, EmbeddedChart(),
                              Number(1, 0, 1, 3.14159), LabelSst(1, 1, 1), EmbeddedChart(),
                              Rk(2, 2, 0, 14)});
    const Bytes book = MakeBook({{"Data", false, data}, {"Next", false, Number(5, 5, 0, 55)},
                                 {"Chart", false, Cells({Number(7, 7, 0, 77)}), 0x0020}},
                                SharedStrings());
    ASSERT_TRUE(WriteFileBytes(path, book));

    CDataTableBase table;
    ImportRun run = Import(path, table, 0);
    ASSERT_EQ(ExcelImportResult::kImported, run.result);
    EXPECT_EQ((Rows{{"plain", "2.500"}, {"3.14", "abcd\xE9" "f"}, {"", "", "3"}}), Dump(table));

    // A chart sheet chosen in the dialog still gives no cells.
    CDataTableBase chartTable = MakeTable({{"keep"}});
    run = Import(path, chartTable, 2);
    ASSERT_EQ(ExcelImportResult::kImported, run.result);
    EXPECT_EQ((Rows{{"keep"}}), Dump(chartTable));

    // A chart whose EOF never comes: the sheet is damaged, and nothing of it is imported.
    const Bytes chart = EmbeddedChart();
    const Bytes unclosed = MakeBook({{"Data", false, Cells({Number(0, 0, 0, 1),
                                                            Bytes(chart.begin(), chart.end() - 4)})}});
    ASSERT_TRUE(WriteFileBytes(path, unclosed));
    CDataTableBase damaged = MakeTable({{"keep"}});
    run = Import(path, damaged, 0);
    EXPECT_EQ(ExcelImportResult::kFailed, run.result);
    EXPECT_EQ((Rows{{"keep"}}), Dump(damaged));
}

namespace {

// A chart sheet as Gnumeric writes it: the sheet's BOF is followed at once by the chart's own BOF
// and one EOF (added by MakeBook) closes both. The NUMBER among the chart records would read as
// a cell.
Bytes GnumericChartSheet()
{
    Bytes chart;
    AddRecord(chart, 0x0809, Biff8Bof(0x0020));
    AddRecord(chart, 0x1002, BodyBuilder().U32(0).U32(0).U32(0x01000000).U32(0x00800000).bytes);
    AddRecord(chart, 0x1033, {});                                                 // BEGIN
    chart = Concat(chart, Number(3, 3, 0, 99));
    AddRecord(chart, 0x1034, {});                                                 // END
    return chart;
}

} // namespace

TEST(ExcelImport, ChartSheetsImportAsSheetsWithoutCells)
{
    TempDir dir;
    MessageBoxRecorder boxes;
    const auto chooseSheet = [](int wanted) {
        return [wanted](const CExcelFile&, int& index) { index = wanted; return 1; };
    };

    // A data sheet and a chart sheet; the chart sheet chosen.
    const CString mixed = dir.Path("mixed.xls");
    ASSERT_TRUE(WriteFileBytes(mixed, MakeBook({{"Data", false, Cells({Number(0, 0, 0, 1), Number(1, 1, 1, 3.14159)})},
                                                {"Graph", false, GnumericChartSheet(), 0x0020}})));
    CDataTableBase table;
    ImportRun run = Import(mixed, table, 1);
    ASSERT_EQ(ExcelImportResult::kImported, run.result);
    EXPECT_EQ((std::vector<std::string>{"Data", "Graph"}), run.offered);
    EXPECT_STREQ("Graph", run.sheetName);
    EXPECT_EQ(0, table.GetRowCount());
    CString title;
    CDataTableBase kept = MakeTable({{"keep"}, {"", "these"}});
    EXPECT_EQ(ExcelImportResult::kImported, ImportExcelFile(kept, mixed, &title, chooseSheet(1)));
    EXPECT_EQ((Rows{{"keep"}, {"", "these"}}), Dump(kept));
    EXPECT_STREQ("mixed.xls - Graph", title);
    // The data sheet beside it reads as before.
    CDataTableBase data;
    EXPECT_EQ(ExcelImportResult::kImported, ImportExcelFile(data, mixed, &title, chooseSheet(0)));
    EXPECT_EQ((Rows{{"1"}, {"", "3.14"}}), Dump(data));
    EXPECT_STREQ("mixed.xls - Data", title);

    // A workbook whose only sheet is a chart: no question, no cells, the single sheet's title.
    const CString only = dir.Path("only.xls");
    ASSERT_TRUE(WriteFileBytes(only, MakeBook({{"Graph", false, GnumericChartSheet(), 0x0020}})));
    CDataTableBase alone;
    run = Import(only, alone, 5);
    ASSERT_EQ(ExcelImportResult::kImported, run.result);
    EXPECT_EQ(0, run.asked);
    EXPECT_EQ(0, alone.GetRowCount());
    EXPECT_EQ(ExcelImportResult::kImported, ImportExcelFile(alone, only, &title));
    EXPECT_STREQ("only.xls - ", title);
    EXPECT_EQ(0, alone.GetRowCount());
    EXPECT_EQ(0u, boxes.Count());
}
