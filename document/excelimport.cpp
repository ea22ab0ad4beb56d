#include "document/excelimport.h"

#include "document/compoundfile.h"
#include "document/datatable.h"
#include "document/excel80book.h"
#include "document/excelfile.h"
#include "document/excelsheets.h"
#include "document/filemessages.h"
#include "framework/guard.h"
#include "framework/msgbox.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

// Larger files than this are not workbooks anybody meant to put into a label table.
const ULONGLONG kMaxFileSize = 512u * 1024u * 1024u;

// The whole file in one read. Others may go on reading and writing it: a workbook that is open
// in the spreadsheet program, or marked read-only, still imports.
bool ReadWholeFile(const wchar_t* path, std::vector<uint8_t>& out)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = false;
    LARGE_INTEGER size;
    if (GetFileSizeEx(file, &size) && size.QuadPart >= 0 &&
        static_cast<ULONGLONG>(size.QuadPart) <= kMaxFileSize) {
        try {
            std::vector<uint8_t> data(static_cast<size_t>(size.QuadPart));
            DWORD got = 0;
            if (data.empty() ||
                (ReadFile(file, data.data(), static_cast<DWORD>(data.size()), &got, nullptr) &&
                 got == data.size())) {
                out.swap(data);
                ok = true;
            }
        } catch (const std::bad_alloc&) {
            ok = false;                      // no room for it in this process
        }
    }
    CloseHandle(file);
    return ok;
}

} // namespace

bool LoadExcelStream(const char* path, std::vector<uint8_t>& stream, bool& compound)
{
    size_t start = 0;
    if (!LoadExcelStream(path, stream, start, compound))
        return false;
    stream.erase(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(start));
    return true;
}

bool LoadExcelStream(const char* path, std::vector<uint8_t>& stream, size_t& start, bool& compound)
{
    compound = false;
    start = 0;
    if (!path || !*path)
        return false;
    wchar_t widePath[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH) == 0)
        return false;                        // longer than a path can be
    std::vector<uint8_t> file;
    if (!ReadWholeFile(widePath, file))
        return false;
    if (!IsCompoundFile(file.data(), file.size())) {
        stream.swap(file);
        return true;
    }
    // "Workbook" holds an Excel 97 workbook, "Book" an Excel 5.0/95 one.
    compound = true;
    try {
        CCompoundFile storage;
        if (!storage.Open(std::move(file)))
            return false;
        for (const wchar_t* name : {L"Workbook", L"Book"}) {
            const int entry = storage.FindStream(name);
            if (entry >= 0 && storage.TakeStream(entry, stream, start))
                return true;
        }
    } catch (const std::bad_alloc&) {
        // A directory or FAT as large as the file allows: no room for it in this process.
    }
    return false;
}

std::unique_ptr<CExcelFile> CreateExcelReader(std::vector<uint8_t> stream, const char* fileName,
                                              size_t start)
{
    if (start > stream.size() || stream.size() - start < 4 || stream[start] != 0x09)
        return nullptr;
    const uint8_t* bof = stream.data() + start;
    switch (bof[1]) {
    case 0x00:
        return std::make_unique<CExcelFile>(std::move(stream), start);
    case 0x02:
        return std::make_unique<CExcel30Sheet>(std::move(stream), start);
    case 0x04: {
        const size_t length = fileName ? std::strlen(fileName) : 0;
        if (length > 0 && (fileName[length - 1] == 'w' || fileName[length - 1] == 'W'))
            return std::make_unique<CExcel40Book>(std::move(stream), start);
        return std::make_unique<CExcel40Sheet>(std::move(stream), start);
    }
    case 0x08: {
        // The BOF's own version tells Excel 97 from Excel 5.0/95, whatever the container.
        const bool biff8 = stream.size() - start >= 6 && bof[4] == 0x00 && bof[5] == 0x06;
        if (biff8)
            return std::make_unique<CExcel80Book>(std::move(stream), start);
        return std::make_unique<CExcel50Book>(std::move(stream), start);
    }
    default:
        return nullptr;
    }
}

// ---------------------------------------------------------------------------------------------
// The sheet dialog

CExcelSelectSheetDlg::CExcelSelectSheetDlg(const CExcelFile& reader, HWND owner)
    : m_reader(reader), m_owner(owner)
{
}

INT_PTR CExcelSelectSheetDlg::DoModal()
{
    return DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDD_EXCEL_SELECT_SHEET),
                           m_owner, &CExcelSelectSheetDlg::DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CExcelSelectSheetDlg::DialogProc(HWND dialog, UINT message, WPARAM wParam,
                                                  LPARAM lParam)
{
    return GuardedCall(
        [&]() -> INT_PTR {
            if (message == WM_INITDIALOG)
                SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            auto* self =
                reinterpret_cast<CExcelSelectSheetDlg*>(GetWindowLongPtrA(dialog, DWLP_USER));
            return self ? self->OnMessage(dialog, message, wParam) : FALSE;
        },
        static_cast<INT_PTR>(FALSE));
}

INT_PTR CExcelSelectSheetDlg::OnMessage(HWND dialog, UINT message, WPARAM wParam)
{
    HWND list = GetDlgItem(dialog, IDC_EXCEL_SHEET_LIST);
    switch (message) {
    case WM_INITDIALOG:
        for (int i = 0; i < m_reader.GetSheetCount(); ++i)
            SendMessageA(list, LB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(m_reader.GetSheetName(i).GetString()));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK ||
            (LOWORD(wParam) == IDC_EXCEL_SHEET_LIST && HIWORD(wParam) == LBN_DBLCLK)) {
            const LRESULT selection = SendMessageA(list, LB_GETCURSEL, 0, 0);
            if (selection == LB_ERR)
                return TRUE;                 // nothing chosen yet
            m_selection = static_cast<int>(selection);
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

// ---------------------------------------------------------------------------------------------
// The manager

CExcelFileManager::CExcelFileManager() = default;
CExcelFileManager::~CExcelFileManager() = default;

int CExcelFileManager::ChooseSheet(const CExcelFile& reader, int& index)
{
    if (m_chooser)
        return m_chooser(reader, index);
    CExcelSelectSheetDlg dialog(reader, m_owner);
    if (dialog.DoModal() != IDOK)
        return -1;
    index = dialog.GetSelection();
    return 1;
}

ExcelImportResult CExcelFileManager::Open(const char* path, CDataTableBase& table)
{
    m_sheetName.Empty();
    m_typeName.Empty();
    std::vector<uint8_t> stream;
    size_t start = 0;
    bool compound = false;
    if (!LoadExcelStream(path, stream, start, compound))
        return ExcelImportResult::kFailed;
    std::unique_ptr<CExcelFile> reader = CreateExcelReader(std::move(stream), path, start);
    if (!reader || reader->HasFailed())
        return ExcelImportResult::kFailed;
    m_typeName = reader->GetTypeName();
    if (!reader->ReadGlobals())
        return ExcelImportResult::kFailed;

    int index = 0;
    if (reader->GetSheetCount() >= 2) {
        if (ChooseSheet(*reader, index) != 1)
            return ExcelImportResult::kCancelled;
        if (index < 0 || index >= reader->GetSheetCount())
            return ExcelImportResult::kFailed;
        m_sheetName = reader->GetSheetName(index);
    }
    if (!reader->SeekToSheet(index))
        return ExcelImportResult::kFailed;

    // The sheet goes into a copy: a file that breaks off half-way leaves the table as it was.
    CDataTableBase scratch(table);
    while (reader->ReadRecords(scratch)) {
    }
    if (reader->HasFailed())
        return ExcelImportResult::kFailed;
    scratch.ReserveRows(0, 0);               // later rows need no room reserved
    table.Swap(scratch);
    return ExcelImportResult::kImported;
}

CString MakeExcelTabTitle(const char* path, const char* sheetName)
{
    CString name(path);
    const int slash = std::max(name.ReverseFind('\\'), name.ReverseFind('/'));
    if (slash >= 0)
        name = name.Mid(slash + 1);
    return name + " - " + sheetName;
}

ExcelImportResult ImportExcelFile(CDataTableBase& table, const char* path, CString* tabTitle,
                                  CExcelFileManager::SheetChooser chooser, HWND owner)
{
    CExcelFileManager manager;
    manager.SetOwner(owner);
    if (chooser)
        manager.SetSheetChooser(std::move(chooser));
    const ExcelImportResult result = manager.Open(path, table);
    if (result == ExcelImportResult::kImported && tabTitle)
        *tabTitle = MakeExcelTabTitle(path, manager.GetSheetName());
    if (result == ExcelImportResult::kFailed) {
        ReportCannotOpenFile(path, owner);
    }
    return result;
}
