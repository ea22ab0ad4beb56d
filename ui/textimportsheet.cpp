#include "ui/textimportsheet.h"

#include "document/labeldoc.h"
#include "document/textimport.h"
#include "framework/app.h"
#include "framework/filedlg.h"
#include "ui/tabledialogids.h"

#include <cstdio>

namespace {
const char kSection[] = "Text import";

CString WidthEntry(int column)
{
    CString name;
    name.Format("%s %c", "Fixed length", 'A' + column);
    return name;
}

int ProfileInt(const char* entry, int fallback)
{
    CWinApp* app = AfxGetApp();
    return app != nullptr ? static_cast<int>(app->GetProfileInt(kSection, entry, fallback)) : fallback;
}

void WriteProfile(const char* entry, int value)
{
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileInt(kSection, entry, value);
}
} // namespace

CTextImportFormatPropertyPage::CTextImportFormatPropertyPage() : CPropertyPage(IDD_TEXTIMPORT_FORMAT) {}

void CTextImportFormatPropertyPage::DoDataExchange(CDataExchange* dx)
{
    DDX_Radio(dx, IDC_TI_DELIMITED, m_nFormat);
}

CTextImportDelimiterPropertyPage::CTextImportDelimiterPropertyPage() : CPropertyPage(IDD_TEXTIMPORT_DELIMITER) {}

void CTextImportDelimiterPropertyPage::DoDataExchange(CDataExchange* dx)
{
    DDX_Radio(dx, IDC_TI_COMMA, m_nDelimiter);
    DDX_Text(dx, IDC_TI_OTHER_TEXT, m_strOther);
}

char CTextImportDelimiterPropertyPage::GetSeparator() const
{
    if (m_nDelimiter == 0)
        return ',';
    if (m_nDelimiter == 1)
        return '\t';
    return m_strOther.GetAt(0);
}

void CTextImportDelimiterPropertyPage::SetSeparator(int code)
{
    m_strOther.Empty();
    if (code == '\t') {
        m_nDelimiter = 1;
    } else if (code == ',') {
        m_nDelimiter = 0;
    } else {
        // 0 is "Other" with nothing in it: every line one field.
        m_nDelimiter = 2;
        if (code != 0)
            m_strOther = CString(static_cast<char>(code), 1);
    }
}

BEGIN_MESSAGE_MAP(CTextImportFixedLengthPropertyPage, CPropertyPage)
    ON_NOTIFY(GRIDN_GETDISPINFO, IDC_TI_GRID, OnGridDispInfo)
    ON_NOTIFY(GRIDN_ENDEDIT, IDC_TI_GRID, OnGridEndEdit)
END_MESSAGE_MAP()

CTextImportFixedLengthPropertyPage::CTextImportFixedLengthPropertyPage() : CPropertyPage(IDD_TEXTIMPORT_FIXEDLENGTH)
{
    for (int i = 0; i < 26; ++i)
        m_widths[i] = i < 3 ? 10 : -1;
}

BOOL CTextImportFixedLengthPropertyPage::OnInitDialog()
{
    m_grid.SubclassDlgItem(IDC_TI_GRID, this);
    m_grid.SetVirtualMode(TRUE);
    m_grid.SetEditable(TRUE);
    m_grid.SetRowCount(26);
    m_grid.SetColumnCount(2);
    m_grid.SetFixedRowCount(0);
    m_grid.SetFixedColumnCount(1);
    m_grid.SetColumnWidth(0, 66);
    m_grid.SetColumnWidth(1, 56);
    return CPropertyPage::OnInitDialog();
}

void CTextImportFixedLengthPropertyPage::OnGridDispInfo(NMHDR* header, LRESULT* result)
{
    GRID_DISPINFO* info = reinterpret_cast<GRID_DISPINFO*>(header);
    *result = 0;
    if (info->row < 0 || info->row >= 26)
        return;
    if (info->col == 0)
        info->strText.Format("%c", 'A' + info->row);
    else if (m_widths[info->row] != -1)
        info->strText.Format("%d", m_widths[info->row]);
    else
        info->strText.Empty();
}

void CTextImportFixedLengthPropertyPage::OnGridEndEdit(NMHDR* header, LRESULT* result)
{
    const GRID_DISPINFO* info = reinterpret_cast<const GRID_DISPINFO*>(header);
    *result = 0;
    if (info->row < 0 || info->row >= 26 || info->col != 1)
        return;
    int value = 0;
    if (info->strText.IsEmpty())
        m_widths[info->row] = -1;
    else if (std::sscanf(info->strText, "%d", &value) == 1)
        m_widths[info->row] = value;
}

CTextImportCharacterSetPropertyPage::CTextImportCharacterSetPropertyPage() : CPropertyPage(IDD_TEXTIMPORT_CHARSET) {}

void CTextImportCharacterSetPropertyPage::DoDataExchange(CDataExchange* dx)
{
    DDX_Radio(dx, IDC_TI_ANSI, m_nCharset);
}

CTextImportSheet::CTextImportSheet(CWnd* parent) : CPropertySheet(LoadStringOr(IDS_TEXT_IMPORT, "Text import"), parent)
{
    AddPage(&m_format);
    AddPage(&m_delimiter);
    AddPage(&m_fixed);
    AddPage(&m_charset);
}

void CTextImportSheet::LoadSettings()
{
    const int format = ProfileInt("Format", 0);
    m_format.m_nFormat = format == 1 ? 1 : 0;
    // A stored 0 is what an empty "Other" wrote: it stays 0, not the default.
    int delimiter = ProfileInt("Delimiter", 59);
    if (delimiter < 0 || delimiter > 255)
        delimiter = 59;
    m_delimiter.SetSeparator(delimiter);
    for (int i = 0; i < 26; ++i) {
        const int width = ProfileInt(WidthEntry(i), i < 3 ? 10 : -1);
        m_fixed.m_widths[i] = width >= -1 && width <= 255 ? width : -1;
    }
    const int charset = ProfileInt("Character set", 0);
    m_charset.m_nCharset = charset == 1 ? 1 : 0;
}

void CTextImportSheet::SaveSettings()
{
    WriteProfile("Format", m_format.m_nFormat == 1 ? 1 : 0);
    if (m_format.m_nFormat == 1) {
        for (int i = 0; i < 26; ++i)
            WriteProfile(WidthEntry(i), m_fixed.m_widths[i]);
    } else {
        WriteProfile("Delimiter", static_cast<unsigned char>(m_delimiter.GetSeparator()));
    }
    WriteProfile("Character set", m_charset.m_nCharset == 1 ? 1 : 0);
}

bool TextImportCommand(COstrelindSoftLabelDoc& doc, int table, CWnd* parent)
{
    CFileDialog files(TRUE, "*.txt", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                      "Text files|*.txt|All files|*.*||", parent);
    if (files.DoModal() != IDOK)
        return false;
    const CString path = files.GetPathName();

    CTextImportSheet sheet(parent);
    sheet.LoadSettings();
    if (sheet.DoModal() != IDOK)
        return false;
    sheet.SaveSettings();

    TableSlot& slot = doc.GetTableSlot(table);
    // The importers read the whole file before they change a cell; the undo copy is taken only
    // when there is a file to read, so a failed import leaves everything as it was.
    HANDLE probe = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        ::CloseHandle(probe);
        doc.GetTableUndo(table).PushTableUndo(slot);
    }
    const bool oem = sheet.m_charset.m_nCharset == 1;
    bool read;
    if (sheet.m_format.m_nFormat == 1)
        read = ImportFixedWidthText(slot, path, sheet.m_fixed.m_widths, oem);
    else
        read = ImportDelimitedText(slot, path, sheet.m_delimiter.GetSeparator(), oem);
    if (!read)
        return false;
    doc.TablesChanged();
    return true;
}
