// The label selection dialog: filters, the sorted list, the picture and the library's files.
#include "ui/selectlabeldlg.h"

#include "document/designstrings.h"
#include "document/labeldoc.h"
#include "framework/paths.h"
#include "framework/app.h"
#include "framework/edit.h"
#include "framework/filedlg.h"
#include "framework/guard.h"
#include "framework/msgbox.h"
#include "framework/msgmap.h"
#include "framework/shellopen.h"
#include "labelmodel/labelmanager.h"
#include "labelmodel/labelpaper.h"
#include "labelmodel/labelstock.h"
#include "ui/labelapp.h"
#include "ui/labeldialogids.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// The printer-type combo box lists these names of GetPrinterTypeName, and each index past "All"
// asks for one bit of the definition's printer-type mask.
const int kPrinterTypeNames[] = {0, 1, 3, 4, 6};
const uint32_t kPrinterTypeBits[] = {0, kPrinterLaser, kPrinterThermo, kPrinterThermalTransfer, kPrinterOther};
const int kMarkingTypes = 8;
// Import: the file dialog's name buffer.
const DWORD kImportBufferBytes = 32768;

// Reads a definition for its picture or information file. Damaged or missing files answer false;
// nothing is thrown past the dialog's handlers.
bool ReadDefinition(const char* path, CLabelFileNew& definition)
{
    if (path == nullptr || *path == 0)
        return false;
    try {
        return definition.LoadFromFile(path, false);
    } catch (...) {
        return false;
    }
}

int CompareNumbers(int a, int b) { return a < b ? -1 : a > b ? 1 : 0; }

// The list's text of a size: "%g mm" in the user's number format.
CString SizeText(double millimetres)
{
    CString text;
    text.Format("%g mm", millimetres);
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(CSelectLabelDialog, CDialogEx)
    ON_CBN_SELCHANGE(IDC_SELECT_MARKING_TYPE, OnTypeFilterChanged)
    ON_CBN_SELCHANGE(IDC_SELECT_PRINTER_TYPE, OnTypeFilterChanged)
    ON_CBN_SELCHANGE(IDC_SELECT_FAMILY, OnFilterChanged)
    ON_BN_CLICKED(IDC_SELECT_SEARCH, OnSearch)
    ON_BN_CLICKED(IDC_SELECT_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_SELECT_SHOW_INFO, OnShowInfo)
    ON_BN_CLICKED(IDC_SELECT_IMPORT, OnImport)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_SELECT_LABEL_LIST, OnListItemChanged)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_SELECT_LABEL_LIST, OnListColumnClick)
    ON_NOTIFY(LVN_GETDISPINFOA, IDC_SELECT_LABEL_LIST, OnListDisplayInfo)
    ON_NOTIFY(LVN_DELETEALLITEMS, IDC_SELECT_LABEL_LIST, OnListDeleteAll)
END_MESSAGE_MAP()

CSelectLabelDialog::CSelectLabelDialog(CLabelManager& manager, CWnd* parent)
    : CDialogEx(IDD_SELECT_LABEL, parent), m_manager(manager)
{
    // The template names the picture's window class.
    CLabelImagePreview::RegisterWindowClass();
    SetFolders(manager.GetFolder(), manager.GetImagesFolder(), manager.GetInfoFolder());
}

CSelectLabelDialog::~CSelectLabelDialog() = default;

void CSelectLabelDialog::SetFolders(const char* labels, const char* images, const char* info)
{
    m_labelsFolder = WithBackslash(labels);
    m_imagesFolder = WithBackslash(images);
    m_infoFolder = WithBackslash(info);
}

void CSelectLabelDialog::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, IDC_SELECT_LABEL_LIST, m_list);
    DDX_Control(dx, IDC_SELECT_MARKING_TYPE, m_marking);
    DDX_Control(dx, IDC_SELECT_PRINTER_TYPE, m_printer);
    DDX_Control(dx, IDC_SELECT_FAMILY, m_family);
    DDX_Control(dx, IDC_SELECT_PREVIEW, m_preview);
}

BOOL CSelectLabelDialog::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    for (bool& descending : m_descending)
        descending = false;

    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    CRect client;
    m_list.GetClientRect(&client);
    const int width = client.Width();
    static const char* const kHeadings[kColumns] = {"Family", "Name", "Width", "Height"};
    static const int kPerMille[kColumns] = {175, 400, 175, 175};
    for (int c = 0; c < kColumns; ++c)
        m_list.InsertColumn(c, kHeadings[c], LVCFMT_LEFT, width * kPerMille[c] / 1000);

    ReloadLibrary();
    for (int k = 0; k < kMarkingTypes; ++k)
        m_marking.AddString(GetMarkingTypeName(k));
    m_marking.SetCurSel(0);
    for (int k : kPrinterTypeNames)
        m_printer.AddString(GetPrinterTypeName(k));
    m_printer.SetCurSel(0);
    FillFamilyCombo();
    FillList();
    SortByColumn(kColumnName);
    SortByColumn(kColumnFamily);
    return TRUE;
}

void CSelectLabelDialog::ReloadLibrary()
{
    CWaitCursor wait;
    m_manager.DeleteLabels();
    m_manager.LoadLabels();
}

CSelectLabelDialog::Filters CSelectLabelDialog::CurrentFilters() const
{
    // Read once per filling: thousands of definitions are tested against the same choice.
    Filters filters;
    filters.marking = m_marking.m_hWnd ? m_marking.GetCurSel() : 0;
    filters.printer = m_printer.m_hWnd ? m_printer.GetCurSel() : 0;
    const int family = m_family.m_hWnd ? m_family.GetCurSel() : 0;
    if (family > 0)
        m_family.GetLBText(family, filters.family);
    filters.anyFamily = family <= 0;
    return filters;
}

bool CSelectLabelDialog::PassesFilters(const CLabelFileNew& definition, const Filters& filters) const
{
    if (filters.marking > 0 && filters.marking < kMarkingTypes &&
        (definition.GetMarkingTypes() & (1 << (filters.marking - 1))) == 0)
        return false;
    if (filters.printer > 0 && filters.printer < static_cast<int>(sizeof kPrinterTypeBits / sizeof kPrinterTypeBits[0]) &&
        (definition.GetPrinterTypes() & kPrinterTypeBits[filters.printer]) == 0)
        return false;
    if (!filters.anyFamily && filters.family.CompareNoCase(definition.GetFamilyName()) != 0)
        return false;
    // Library definitions carry no article numbers: any typed number matches none of them.
    if (m_article[0] != 0)
        return false;
    return true;
}

void CSelectLabelDialog::FillFamilyCombo()
{
    CWaitCursor wait;
    m_families.clear();
    m_family.ResetContent();
    m_family.AddString(GetAllFamiliesText(0));
    m_family.SetCurSel(0);
    const Filters filters = CurrentFilters();
    for (int i = 0; i < m_manager.GetCount(); ++i) {
        const CLabelFileNew* definition = m_manager.GetLabel(i);
        if (definition == nullptr || !PassesFilters(*definition, filters))
            continue;
        const char* name = definition->GetFamilyName();
        bool listed = false;
        for (const CString& family : m_families)
            listed = listed || family.CompareNoCase(name) == 0;
        if (!listed && static_cast<int>(m_families.size()) < kMaxFamilies)
            m_families.emplace_back(name);
    }
    // The same order as the library's own family list: ascending without regard to case (no two
    // names are equal that way, so any sort gives that one order).
    std::sort(m_families.begin(), m_families.end(),
              [](const CString& a, const CString& b) { return a.CompareNoCase(b) < 0; });
    for (const CString& family : m_families)
        m_family.AddString(family);
}

void CSelectLabelDialog::FillList()
{
    CWaitCursor wait;
    m_filling = true;
    m_list.SetRedraw(FALSE);
    m_list.DeleteAllItems();
    m_rows.clear();
    m_rows.reserve(static_cast<size_t>(m_manager.GetCount()));
    m_list.SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(m_manager.GetCount()), 0);
    int item = 0;
    const Filters filters = CurrentFilters();
    for (int i = 0; i < m_manager.GetCount(); ++i) {
        const CLabelFileNew* definition = m_manager.GetLabel(i);
        if (definition == nullptr || !PassesFilters(*definition, filters))
            continue;
        Row row;
        row.family = definition->GetFamilyName();
        row.name = definition->GetDefinitionName();
        row.width = definition->GetWidth(0) / 1000.0;
        row.height = definition->GetHeight(0) / 1000.0;
        row.widthText = SizeText(row.width);
        row.heightText = SizeText(row.height);
        m_rows.push_back(row);

        // The list asks for its texts when it shows them: one message per row while filling.
        LVITEMA entry = {};
        entry.mask = LVIF_TEXT | LVIF_PARAM;
        entry.iItem = item;
        entry.pszText = LPSTR_TEXTCALLBACKA;
        entry.lParam = static_cast<LPARAM>(m_rows.size() - 1);
        if (m_list.InsertItem(&entry) >= 0)
            ++item;
    }
    m_list.SetRedraw(TRUE);
    m_list.Invalidate();
    m_filling = false;
    m_preview.SetImageFile("");
    if (CWnd* info = GetDlgItem(IDC_SELECT_SHOW_INFO))
        info->EnableWindow(TRUE);
}

const CSelectLabelDialog::Row* CSelectLabelDialog::RowOf(int item) const
{
    if (item < 0 || item >= m_list.GetItemCount())
        return nullptr;
    const DWORD_PTR index = m_list.GetItemData(item);
    return index < m_rows.size() ? &m_rows[index] : nullptr;
}

int CSelectLabelDialog::CompareNames(const char* a, const char* b)
{
    a = a ? a : "";
    b = b ? b : "";
    // Names are up to 258 characters: every scanned word fits its buffer.
    char a1[MAX_PATH], a2[MAX_PATH], b1[MAX_PATH], b2[MAX_PATH];
    int an = 0, bn = 0, am = 0, bm = 0;
    char ac = 0, bc = 0;
    // Two words and a number: "Cable tie 12".
    if (std::sscanf(a, "%259s %259s %d", a1, a2, &an) == 3 && std::sscanf(b, "%259s %259s %d", b1, b2, &bn) == 3 &&
        std::strcmp(a1, b1) == 0 && std::strcmp(a2, b2) == 0)
        return CompareNumbers(an, bn);
    // A word and a size: "Label 25x12".
    if (std::sscanf(a, "%259s %d%c%d", a1, &an, &ac, &am) == 4 && std::sscanf(b, "%259s %d%c%d", b1, &bn, &bc, &bm) == 4 &&
        std::strcmp(a1, b1) == 0 && an == bn) {
        if (ac != bc)
            return static_cast<unsigned char>(ac) < static_cast<unsigned char>(bc) ? -1 : 1;
        return CompareNumbers(am, bm);
    }
    // A word and a number: "Tag 10".
    if (std::sscanf(a, "%259s %d", a1, &an) == 2 && std::sscanf(b, "%259s %d", b1, &bn) == 2 && std::strcmp(a1, b1) == 0)
        return CompareNumbers(an, bn);
    return std::strcmp(a, b);
}

int CALLBACK CSelectLabelDialog::CompareRows(LPARAM a, LPARAM b, LPARAM self)
{
    const auto* dialog = reinterpret_cast<const CSelectLabelDialog*>(self);
    const size_t ia = static_cast<size_t>(a);
    const size_t ib = static_cast<size_t>(b);
    if (ia >= dialog->m_rows.size() || ib >= dialog->m_rows.size())
        return 0;
    const Row& ra = dialog->m_rows[ia];
    const Row& rb = dialog->m_rows[ib];
    int order = 0;
    switch (dialog->m_sortColumn) {
    case kColumnFamily: order = std::strcmp(ra.family, rb.family); break;
    case kColumnName: order = CompareNames(ra.name, rb.name); break;
    case kColumnWidth: order = ra.width < rb.width ? -1 : ra.width > rb.width ? 1 : 0; break;
    default: order = ra.height < rb.height ? -1 : ra.height > rb.height ? 1 : 0; break;
    }
    return dialog->m_descending[dialog->m_sortColumn] ? -order : order;
}

void CSelectLabelDialog::SortByColumn(int column)
{
    if (column < 0 || column >= kColumns || m_list.m_hWnd == nullptr)
        return;
    m_sortColumn = column;
    // The list's own sort is a stable merge sort: the name order is not a strict weak order,
    // which a quicksort may not be given.
    m_list.SortItems(&CSelectLabelDialog::CompareRows, reinterpret_cast<DWORD_PTR>(this));
}

void CSelectLabelDialog::OnColumnClicked(int column)
{
    if (column < 0 || column >= kColumns)
        return;
    SortByColumn(column);
    m_descending[column] = !m_descending[column];
}

void CSelectLabelDialog::OnListDeleteAll(NMHDR*, LRESULT* result)
{
    // The rows own nothing: no notification per deleted row is needed.
    *result = TRUE;
}

void CSelectLabelDialog::OnListDisplayInfo(NMHDR* header, LRESULT* result)
{
    *result = 0;
    auto* info = reinterpret_cast<NMLVDISPINFOA*>(header);
    if (!(info->item.mask & LVIF_TEXT) || info->item.pszText == nullptr || info->item.cchTextMax <= 0)
        return;
    const size_t index = static_cast<size_t>(info->item.lParam);
    const Row* row = index < m_rows.size() ? &m_rows[index] : nullptr;
    const char* text = "";
    if (row != nullptr) {
        switch (info->item.iSubItem) {
        case kColumnFamily: text = row->family; break;
        case kColumnName: text = row->name; break;
        case kColumnWidth: text = row->widthText; break;
        case kColumnHeight: text = row->heightText; break;
        default: break;
        }
    }
    lstrcpynA(info->item.pszText, text, info->item.cchTextMax);
}

void CSelectLabelDialog::OnListColumnClick(NMHDR* header, LRESULT* result)
{
    OnColumnClicked(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
    *result = 0;
}

CString CSelectLabelDialog::DefinitionPathOf(int row) const
{
    const Row* entry = RowOf(row);
    if (entry == nullptr)
        return CString();
    CString path = m_labelsFolder + entry->name + ".label";
    return path.GetLength() < MAX_PATH ? path : CString();
}

void CSelectLabelDialog::ShowPictureOf(int row)
{
    CString picture;
    CLabelFileNew definition;
    if (ReadDefinition(DefinitionPathOf(row), definition) && definition.GetImageFile()[0] != 0)
        picture = m_imagesFolder + definition.GetImageFile();
    // A path that does not fit is not cut to some other file's name: it shows nothing.
    if (picture.GetLength() >= MAX_PATH)
        picture.Empty();
    m_preview.SetImageFile(picture);
}

void CSelectLabelDialog::OnListItemChanged(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const auto* change = reinterpret_cast<NMLISTVIEW*>(header);
    if (m_filling || !(change->uChanged & LVIF_STATE))
        return;
    if (!(change->uNewState & LVIS_SELECTED) || (change->uOldState & LVIS_SELECTED))
        return;
    ShowPictureOf(change->iItem);
    if (CWnd* info = GetDlgItem(IDC_SELECT_SHOW_INFO))
        info->EnableWindow(TRUE);
}

int CSelectLabelDialog::SelectedRow() const
{
    return m_list.m_hWnd ? m_list.GetNextSelectedItem(-1) : -1;
}

void CSelectLabelDialog::OnFilterChanged()
{
    FillList();
}

void CSelectLabelDialog::OnTypeFilterChanged()
{
    // The family box offers only families of definitions that pass the type filters, so that a
    // family chosen there always lists something.
    FillFamilyCombo();
    FillList();
}

void CSelectLabelDialog::OnSearch()
{
    CString text = GetDlgItemText(IDC_SELECT_ARTICLE);
    std::strncpy(m_article, text, kArticleField - 1);
    m_article[kArticleField - 1] = 0;
    FillList();
}

void CSelectLabelDialog::OnOK()
{
    const int row = SelectedRow();
    const Row* entry = RowOf(row);
    if (entry == nullptr)
        return;
    m_selectedPath = m_labelsFolder + entry->name + ".label";
    EndDialog(IDOK);
}

void CSelectLabelDialog::OnDelete()
{
    const CString path = DefinitionPathOf(SelectedRow());
    if (path.IsEmpty())
        return;
    const CString question = LoadStringOr(IDS_DELETE_LABEL_QUESTION, "Delete selected label, are you sure?");
    if (ShowMessageBox(m_hWnd, question, nullptr, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    // A file that could not be deleted leaves everything as it was.
    if (!::DeleteFileA(path))
        return;
    ReloadLibrary();
    FillFamilyCombo();
    FillList();
}

void CSelectLabelDialog::OnShowInfo()
{
    const int row = SelectedRow();
    if (RowOf(row) == nullptr)
        return;
    const CString definitionPath = DefinitionPathOf(row);
    CLabelFileNew definition;
    CString failed;
    if (!ReadDefinition(definitionPath, definition)) {
        // The whole path, also when it was too long to be read at all.
        failed = m_labelsFolder + RowOf(row)->name + ".label";
    } else if (definition.GetInfoFile()[0] != 0) {
        const CString info = m_infoFolder + definition.GetInfoFile();
        if (!AfxShellExecute(m_hWnd, "open", info, nullptr, nullptr, SW_SHOWNORMAL))
            failed = info;
    }
    if (failed.IsEmpty())
        return;
    CString text;
    text.Format("Can not open %s", failed.GetString());
    ShowMessageBox(m_hWnd, text, nullptr, MB_OK | MB_ICONSTOP);
}

void CSelectLabelDialog::OnImport()
{
    const CString filter = CFileDialog::JoinFilters({LoadStringOr(IDS_LABEL_FILE_FILTER, "Label files (*.label)|*.label||"),
                                                     LoadStringOr(IDS_IMAGE_FILE_FILTER, "Image files |*.jpg;*.jpeg;*.bmp;*.png;*.wmf||"),
                                                     LoadStringOr(IDS_PDF_FILTER, "PDF files |*.pdf||")});
    CFileDialog dialog(TRUE, "*.label", nullptr, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_EXPLORER | OFN_ENABLESIZING,
                       filter, this);
    std::vector<char> names(kImportBufferBytes, '\0');
    dialog.m_ofn.lpstrFile = names.data();
    dialog.m_ofn.nMaxFile = kImportBufferBytes;
    if (dialog.DoModal() != IDOK)
        return;
    std::vector<CString> files;
    for (POSITION pos = dialog.GetStartPosition(); pos != nullptr;)
        files.push_back(dialog.GetNextPathName(pos));
    ImportFiles(files);
}

int CSelectLabelDialog::ImportFiles(const std::vector<CString>& files)
{
    int definitions = 0;
    CString lastDefinition;
    for (const CString& file : files) {
        CString name, extension;
        SplitFileName(file, name, extension);
        const CString* folder = extension.CompareNoCase(".label") == 0 ? &m_labelsFolder
                              : extension.CompareNoCase(".jpg") == 0 ? &m_imagesFolder
                              : extension.CompareNoCase(".pdf") == 0 ? &m_infoFolder : nullptr;
        if (folder == nullptr || !COstrelindSoftLabelDoc::CopyToLabelLibrary(*folder, file))
            continue;
        if (folder == &m_labelsFolder) {
            ++definitions;
            lastDefinition = *folder + name + extension;
        }
    }
    ReloadLibrary();
    FillFamilyCombo();
    FillList();
    if (definitions != 1)
        return definitions;
    CLabelFileNew imported;
    if (!ReadDefinition(lastDefinition, imported))
        return definitions;
    CString title, extension;
    SplitFileName(lastDefinition, title, extension);
    for (int item = 0; item < m_list.GetItemCount(); ++item) {
        const Row* entry = RowOf(item);
        if (entry == nullptr || entry->family.CompareNoCase(imported.GetFamilyName()) != 0 ||
            entry->name.CompareNoCase(title) != 0)
            continue;
        m_list.SetItemState(item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        m_list.EnsureVisible(item, FALSE);
        m_list.SetFocus();
        break;
    }
    return definitions;
}

BOOL CSelectLabelDialog::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_F2) {
        ShowMessageBox(m_hWnd, m_labelsFolder, "Label directory", MB_OK);
        return TRUE;
    }
    return CDialogEx::PreTranslateMessage(msg);
}

bool RunSelectLabelDialog(COstrelindSoftLabelDoc* /*doc*/, CString& path)
{
    auto* app = dynamic_cast<COstrelindSoftLabelApp*>(AfxGetApp());
    if (app == nullptr)
        return false;
    CLabelManager& manager = app->GetLabelManager();
    CSelectLabelDialog dialog(manager, AfxGetMainWnd());
    dialog.SetFolders(app->GetLabelsFolder(), app->GetLabelImagesFolder(), app->GetLabelInfoFolder());
    if (dialog.DoModal() != IDOK || dialog.GetSelectedPath().IsEmpty())
        return false;
    path = dialog.GetSelectedPath();
    return true;
}
