#include "document/excelimport.h"

#include "document/datatable.h"
#include "document/documentstrings.h"
#include "document/excel80book.h"
#include "document/excelfile.h"
#include "document/excelsheets.h"
#include "framework/file.h"
#include "framework/guard.h"
#include "framework/msgbox.h"

#include <objbase.h>

#include <algorithm>
#include <cstring>

namespace {

// Larger streams than this are not workbooks anybody meant to put into a label table.
const ULONGLONG kMaxStreamSize = 512u * 1024u * 1024u;

bool ReadStorageStream(IStorage* storage, const wchar_t* name, std::vector<uint8_t>& out)
{
    IStream* stream = nullptr;
    if (FAILED(storage->OpenStream(name, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream)) ||
        !stream)
        return false;
    bool ok = false;
    STATSTG stat = {};
    if (SUCCEEDED(stream->Stat(&stat, STATFLAG_NONAME)) &&
        stat.cbSize.QuadPart <= kMaxStreamSize) {
        const ULONG size = static_cast<ULONG>(stat.cbSize.QuadPart);
        std::vector<uint8_t> data(size);
        ULONG got = 0;
        if (size == 0 || (SUCCEEDED(stream->Read(data.data(), size, &got)) && got == size)) {
            out.swap(data);
            ok = true;
        }
    }
    stream->Release();
    return ok;
}

bool ReadCompoundFile(const wchar_t* path, std::vector<uint8_t>& out)
{
    // Read-only and letting others read: a workbook open elsewhere or marked read-only imports.
    IStorage* storage = nullptr;
    if (FAILED(StgOpenStorage(path, nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0,
                              &storage)) ||
        !storage)
        return false;
    const bool ok = ReadStorageStream(storage, L"Workbook", out) ||
                    ReadStorageStream(storage, L"Book", out);
    storage->Release();
    return ok;
}

bool ReadPlainFile(const char* path, std::vector<uint8_t>& out)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
        return false;
    const ULONGLONG length = file.GetLength();
    if (length > kMaxStreamSize)
        return false;
    std::vector<uint8_t> data(static_cast<size_t>(length));
    if (!data.empty() && file.Read(data.data(), static_cast<UINT>(data.size())) != data.size())
        return false;
    out.swap(data);
    return true;
}

} // namespace

bool LoadExcelStream(const char* path, std::vector<uint8_t>& stream, bool& compound)
{
    compound = false;
    if (!path || !*path)
        return false;
    wchar_t widePath[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH) == 0)
        return false;                        // longer than a path can be
    if (StgIsStorageFile(widePath) == S_OK) {
        compound = true;
        return ReadCompoundFile(widePath, stream);
    }
    return ReadPlainFile(path, stream);
}

std::unique_ptr<CExcelFile> CreateExcelReader(std::vector<uint8_t> stream, const char* fileName)
{
    if (stream.size() < 4 || stream[0] != 0x09)
        return nullptr;
    switch (stream[1]) {
    case 0x00:
        return std::make_unique<CExcelFile>(std::move(stream));
    case 0x02:
        return std::make_unique<CExcel30Sheet>(std::move(stream));
    case 0x04: {
        const size_t length = fileName ? std::strlen(fileName) : 0;
        if (length > 0 && (fileName[length - 1] == 'w' || fileName[length - 1] == 'W'))
            return std::make_unique<CExcel40Book>(std::move(stream));
        return std::make_unique<CExcel40Sheet>(std::move(stream));
    }
    case 0x08: {
        // The BOF's own version tells Excel 97 from Excel 5.0/95, whatever the container.
        const bool biff8 = stream.size() >= 6 && stream[4] == 0x00 && stream[5] == 0x06;
        if (biff8)
            return std::make_unique<CExcel80Book>(std::move(stream));
        return std::make_unique<CExcel50Book>(std::move(stream));
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
    bool compound = false;
    if (!LoadExcelStream(path, stream, compound))
        return ExcelImportResult::kFailed;
    std::unique_ptr<CExcelFile> reader = CreateExcelReader(std::move(stream), path);
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
        CString format;
        if (!format.LoadString(IDS_CANNOT_OPEN_FILE))
            format = "Can not open file %s";
        CString text;
        text.Format(format, path ? path : "");
        ShowMessageBox(owner, text, nullptr, MB_OK | MB_ICONERROR);
    }
    return result;
}
