#pragma once
// The table view's Excel import: CExcelFileManager opens an Excel file (a plain BIFF stream or
// the "Workbook"/"Book" stream of a compound file), picks the reader for its version, lets the
// user choose a worksheet and reads it into a table. The manager owns the reader while it runs;
// the table belongs to the caller and changes only when the whole sheet was read.
#include "document/importids.h"
#include "framework/cstring.h"
#include "framework/object.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CDataTableBase;
class CExcelFile;

// Dialog IDD_EXCEL_SELECT_SHEET: the reader's sheet names in a list.

enum class ExcelImportResult { kImported, kCancelled, kFailed };

// Loads the workbook stream of path into memory. compound tells whether it came out of a
// compound file ("Workbook" is the Excel 97 stream, "Book" the Excel 5.0/95 one).
bool LoadExcelStream(const char* path, std::vector<uint8_t>& stream, bool& compound);
// The reader for a stream by its first record, or null when it is not a workbook we read.
// fileName decides between an Excel 4.0 workbook (".xlw") and worksheet.
std::unique_ptr<CExcelFile> CreateExcelReader(std::vector<uint8_t> stream, const char* fileName);

class CExcelSelectSheetDlg {
public:
    explicit CExcelSelectSheetDlg(const CExcelFile& reader, HWND owner = nullptr);
    // IDOK with the chosen index in GetSelection, or IDCANCEL.
    INT_PTR DoModal();
    int GetSelection() const { return m_selection; }

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(HWND dialog, UINT message, WPARAM wParam);

    const CExcelFile& m_reader;
    HWND m_owner;
    int m_selection = -1;
};

class CExcelFileManager : public CObject {
public:
    // Chooses a sheet of the reader: 1 with the index, -1 for Cancel.
    using SheetChooser = std::function<int(const CExcelFile& reader, int& index)>;

    CExcelFileManager();
    ~CExcelFileManager() override;

    // Tests (and callers without a window) answer the sheet question themselves.
    void SetSheetChooser(SheetChooser chooser) { m_chooser = std::move(chooser); }
    void SetOwner(HWND owner) { m_owner = owner; }

    // Reads the chosen sheet over the table's cells (other cells stay). The table changes only on
    // kImported; no message is shown.
    ExcelImportResult Open(const char* path, CDataTableBase& table);
    int ChooseSheet(const CExcelFile& reader, int& index);
    // The chosen sheet's name; empty for a file with one sheet.
    const char* GetSheetName() const { return m_sheetName; }
    // The type of the last file opened ("Excel 97 workbook", ...); empty when none was.
    const char* GetTypeName() const { return m_typeName; }

private:
    SheetChooser m_chooser;
    HWND m_owner = nullptr;
    CString m_sheetName;
    CString m_typeName;
};

// The document's import: the file into the table; on failure the message "Can not open file %s".
// tabTitle receives the file name, its extension, " - " and the sheet name.
ExcelImportResult ImportExcelFile(CDataTableBase& table, const char* path, CString* tabTitle,
                                  CExcelFileManager::SheetChooser chooser = nullptr,
                                  HWND owner = nullptr);
// The tab title of an imported sheet.
CString MakeExcelTabTitle(const char* path, const char* sheetName);
