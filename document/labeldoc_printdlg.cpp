// The print dialog of the project document: filling the framework's dialog from the current
// template, the hook that shows and reads the program's extra fields through the option block,
// the printer a template remembers, print setup, the paper check and paper names, and the
// "Default barcode" texts of the profile.
#include "document/labeldoc.h"

#include "document/printids.h"
#include "document/printoptions.h"
#include "document/registrydefaults.h"
#include "framework/app.h"
#include "framework/guard.h"
#include "framework/msgbox.h"
#include "framework/print.h"
#include "framework/view.h"
#include "labelmodel/labelpaper.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/template.h"

#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

const char kOptionsProperty[] = "KorveltaPrintOptions";
const int kNameLimit = 80;

// A profile text into a 32-character buffer of the caller's.
const char* ReadIntoBuffer(char (&buffer)[32], const char* entry, const char* defaultValue)
{
    const CString text = RegistryDefaults::ReadText(RegistryDefaults::kDefaultBarcode, entry, defaultValue);
    lstrcpynA(buffer, text, sizeof buffer);
    return buffer;
}

HWND MessageOwner()
{
    CWnd* main = AfxGetMainWnd();
    return main ? main->GetSafeHwnd() : nullptr;
}

PrintOptionBlock* BlockOfDialog(HWND dialog)
{
    return static_cast<PrintOptionBlock*>(::GetPropA(dialog, kOptionsProperty));
}

CString ControlText(HWND dialog, int id)
{
    char text[64] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return CString(text);
}

void SetLengthText(HWND dialog, int id, int micrometres)
{
    CString text;
    text.Format("%g mm", micrometres / 1000.0);
    ::SetDlgItemTextA(dialog, id, text.Left(19));
}

int NumberOf(HWND dialog, int id, bool* ok)
{
    BOOL translated = FALSE;
    const int value = static_cast<int>(::GetDlgItemInt(dialog, id, &translated, TRUE));
    if (ok)
        *ok = translated != FALSE;
    return translated ? value : 0;
}

void InitDialog(HWND dialog, PrintOptionBlock* block)
{
    ::SetPropA(dialog, kOptionsProperty, block);
    if (block == nullptr)
        return;
    ::CheckDlgButton(dialog, IDC_PRINT_REVERSE, block->reverseOrder ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(dialog, IDC_PRINT_SORT_VERTICAL, block->columnOrder ? BST_CHECKED : BST_UNCHECKED);
    SetLengthText(dialog, IDC_PRINT_TOP_COMPENSATION, block->topCompensation);
    SetLengthText(dialog, IDC_PRINT_LEFT_COMPENSATION, block->leftCompensation);
    char copies[16];
    FormatCopiesText(block->copies, copies, sizeof copies);
    ::SetDlgItemTextA(dialog, IDC_PRINT_REPEAT, copies);
    ::SetDlgItemInt(dialog, IDC_PRINT_FIRST_LABEL, static_cast<UINT>(block->startPosition), FALSE);
    ::SetDlgItemInt(dialog, IDC_PRINT_SETS, static_cast<UINT>(block->passes), FALSE);
    ::CheckDlgButton(dialog, IDC_PRINT_PAGE_BREAK, block->stopAfterPass ? BST_CHECKED : BST_UNCHECKED);
    if (HWND hidden = ::GetDlgItem(dialog, IDC_PRINT_HIDDEN))
        ::ShowWindow(hidden, SW_HIDE);
}

void ReadDialog(HWND dialog, PrintOptionBlock* block)
{
    if (block == nullptr)
        return;
    block->reverseOrder = ::IsDlgButtonChecked(dialog, IDC_PRINT_REVERSE) == BST_CHECKED;
    block->columnOrder = ::IsDlgButtonChecked(dialog, IDC_PRINT_SORT_VERTICAL) == BST_CHECKED;
    // A compensation that does not parse keeps the value the dialog started with.
    ParseLengthText(block->topCompensation, ControlText(dialog, IDC_PRINT_TOP_COMPENSATION));
    ParseLengthText(block->leftCompensation, ControlText(dialog, IDC_PRINT_LEFT_COMPENSATION));
    block->copies = ParseCopiesText(ControlText(dialog, IDC_PRINT_REPEAT));
    block->startPosition = NumberOf(dialog, IDC_PRINT_FIRST_LABEL, nullptr);
    bool ok = false;
    const int passes = NumberOf(dialog, IDC_PRINT_SETS, &ok);
    block->passes = ok && passes > 0 ? passes : 1;
    block->stopAfterPass = ::IsDlgButtonChecked(dialog, IDC_PRINT_PAGE_BREAK) == BST_CHECKED ? 1 : 0;
}

// The printer the Name box has just been set to (the system's dialog changes its own printer
// after the hook has seen the change).
CString SelectedPrinter(HWND dialog, HWND combo)
{
    if (combo == nullptr)
        combo = ::GetDlgItem(dialog, cmb4);
    if (combo == nullptr)
        return CString();
    const LRESULT index = ::SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) {
        char text[256] = {};
        ::GetWindowTextA(combo, text, sizeof text);
        return CString(text);
    }
    const LRESULT length = ::SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR || length <= 0 || length > 4096)
        return CString();
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    if (::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data())) == CB_ERR)
        return CString();
    return CString(text.data());
}

// Each printer has its own calibration: a printer chosen in the dialog shows its own top and left
// compensation, and what is left in the boxes is stored for the printer that prints.
void ShowCompensationOf(HWND dialog, const CString& device)
{
    if (device.IsEmpty())
        return;
    int left = 0, top = 0;
    RegistryDefaults::ReadCompensation(device, left, top);
    SetLengthText(dialog, IDC_PRINT_TOP_COMPENSATION, top);
    SetLengthText(dialog, IDC_PRINT_LEFT_COMPENSATION, left);
}

void Spin(HWND dialog, const NMUPDOWN* change)
{
    const int edit = change->hdr.idFrom == IDC_PRINT_FIRST_LABEL_SPIN ? IDC_PRINT_FIRST_LABEL : IDC_PRINT_SETS;
    int value = NumberOf(dialog, edit, nullptr) - change->iDelta;
    if (value < 1)
        value = 1;
    ::SetDlgItemInt(dialog, edit, static_cast<UINT>(value), FALSE);
}

// Locks a movable DEVMODE block for the life of the object.
class LockedDevMode {
public:
    explicit LockedDevMode(HGLOBAL block)
        : m_block(block), m_mode(block ? static_cast<DEVMODEA*>(::GlobalLock(block)) : nullptr) {}
    ~LockedDevMode() { if (m_mode) ::GlobalUnlock(m_block); }
    LockedDevMode(const LockedDevMode&) = delete;
    LockedDevMode& operator=(const LockedDevMode&) = delete;
    DEVMODEA* get() const { return m_mode; }
    SIZE_T BlockSize() const { return m_block ? ::GlobalSize(m_block) : 0; }

private:
    HGLOBAL m_block;
    DEVMODEA* m_mode;
};

} // namespace

// ---------------------------------------------------------------------------------------------
// Option block, lengths and copies

PrintOptionBlock& GetPrintOptionBlock()
{
    static PrintOptionBlock block = {};
    return block;
}

bool ParseLengthText(int& micrometres, const char* text)
{
    if (text == nullptr)
        return false;
    char bounded[32];
    lstrcpynA(bounded, text, sizeof bounded);
    double number = 0;
    char unit[32] = {};
    // The Windows runtime reads the number, so the decimal separator follows the user's locale.
    if (__ms_sscanf(bounded, "%lg %31s", &number, unit) != 2)
        return false;
    double factor;
    if (_stricmp(unit, "mm") == 0)
        factor = 1000;
    else if (_stricmp(unit, "cm") == 0)
        factor = 10000;
    else if (_stricmp(unit, "in") == 0)
        factor = 25400;
    else
        return false;
    const double value = number * factor;
    if (!(value > -2147483648.0 && value < 2147483647.0))
        return false;
    micrometres = static_cast<int>(value);
    return true;
}

void FormatCopiesText(int copies, char* out, int size)
{
    if (out == nullptr || size <= 0)
        return;
    CString text;
    if (copies > 0)
        text.Format("%d", copies);
    else if (copies >= -26 && copies <= -1)
        text = CString(static_cast<char>(64 - copies), 1);
    lstrcpynA(out, text, size);
}

int ParseCopiesText(const char* text)
{
    if (text == nullptr || *text == '\0')
        return 0;
    const int first = std::toupper(static_cast<unsigned char>(text[0]));
    if (first >= 'A' && first <= 'Z' && text[1] == '\0')
        return -(first - 'A' + 1);
    int value = 0;
    return __ms_sscanf(text, "%d", &value) == 1 ? value : 0;
}

const char kCopiesOutOfRange[] =
    "The number of copies must be from 1 to 32767, or a column letter from A to Z whose cells hold the number.";

bool CopiesTextFits(const char* text)
{
    if (text == nullptr)
        return true;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    if (std::isalpha(*p) && p[1] == '\0')
        return true;
    // The number as the copies are read ("%d": blanks, a sign, digits), without overflowing.
    while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n' || *p == '\v' || *p == '\f')
        ++p;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    long long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > 100000)
            return false;
    }
    return negative ? -value >= -32768 : value <= 32767;
}

UINT_PTR CALLBACK PrintDialogHookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedCall([&]() -> UINT_PTR {
        switch (message) {
        case WM_INITDIALOG: {
            const auto* pd = reinterpret_cast<const PRINTDLGA*>(lParam);
            InitDialog(dialog, pd ? reinterpret_cast<PrintOptionBlock*>(pd->lCustData) : nullptr);
            return 1;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                // Copies the template cannot store are refused here, where they were typed: the
                // dialog stays open on the field.
                if (!CopiesTextFits(ControlText(dialog, IDC_PRINT_REPEAT))) {
                    ShowMessageBox(dialog, kCopiesOutOfRange, nullptr, MB_OK | MB_ICONEXCLAMATION);
                    if (HWND field = ::GetDlgItem(dialog, IDC_PRINT_REPEAT)) {
                        ::SetFocus(field);
                        ::SendMessageA(field, EM_SETSEL, 0, -1);
                    }
                    return 1;
                }
                ReadDialog(dialog, BlockOfDialog(dialog));
            } else if (LOWORD(wParam) == cmb4 && HIWORD(wParam) == CBN_SELCHANGE) {
                ShowCompensationOf(dialog, SelectedPrinter(dialog, reinterpret_cast<HWND>(lParam)));
            }
            return 0;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header && header->code == UDN_DELTAPOS &&
                (header->idFrom == IDC_PRINT_FIRST_LABEL_SPIN || header->idFrom == IDC_PRINT_SETS_SPIN))
                Spin(dialog, reinterpret_cast<const NMUPDOWN*>(lParam));
            return 0;
        }
        case WM_DESTROY:
            ::RemovePropA(dialog, kOptionsProperty);
            return 0;
        default:
            return 0;
        }
    }, 0);
}

// ---------------------------------------------------------------------------------------------
// Profile texts

const char* COstrelindSoftLabelDoc::GetDefaultBarcodeType()
{
    static char buffer[32];
    return ReadIntoBuffer(buffer, "Type", "");
}

const char* COstrelindSoftLabelDoc::GetDefaultQRVersion()
{
    static char buffer[32];
    return ReadIntoBuffer(buffer, "QR Version", "");
}

const char* COstrelindSoftLabelDoc::GetDefaultQREccLevel()
{
    static char buffer[32];
    return ReadIntoBuffer(buffer, "QR ECC level", "M");
}

const char* COstrelindSoftLabelDoc::GetDefaultQREncoding()
{
    static char buffer[32];
    return ReadIntoBuffer(buffer, "QR Encoding", "");
}

const char* COstrelindSoftLabelDoc::GetDefaultQRMargin()
{
    static char buffer[32];
    return ReadIntoBuffer(buffer, "QR Margin", "");
}

// ---------------------------------------------------------------------------------------------
// The dialog

PrintOptionBlock& COstrelindSoftLabelDoc::OptionsOf(CPrintInfo* info)
{
    if (info != nullptr && info->m_pPD->m_pd.lCustData != 0)
        return *reinterpret_cast<PrintOptionBlock*>(info->m_pPD->m_pd.lCustData);
    return GetPrintOptionBlock();
}

int COstrelindSoftLabelDoc::LabelsPerPage() const
{
    const CLabel* stock = GetCurrentTemplate()->GetLabelStock();
    if (stock == nullptr || stock->GetRows() <= 0 || stock->GetVerticalBlocks() <= 0 || stock->GetColumns() <= 0)
        return 0;
    const long long count = static_cast<long long>(stock->GetRows()) * stock->GetVerticalBlocks() * stock->GetColumns();
    return count > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(count);
}

bool COstrelindSoftLabelDoc::PreparePrinting(CPrintInfo* info, CView* view)
{
    m_print.labelsPrinted = false;
    m_print.jobFailed = false;
    CTemplate* tmpl = GetCurrentTemplate();
    CLabel* stock = tmpl->GetLabelStock();
    // A sheet without label positions would give nothing but empty pages.
    if (stock != nullptr && LabelsPerPage() <= 0) {
        ShowMessageBox(nullptr, LoadStringOr(IDS_NO_LABEL_POSITIONS,
                                         "The label definition has no label positions: set its rows, columns and blocks."),
                       nullptr, MB_OK | MB_ICONERROR);
        return false;
    }
    // Rows of a table that none are left of (a filter hiding every row) would print nothing.
    if (stock != nullptr && UsesTableData() && PrintRowCount() <= 0) {
        const bool filtered = CurrentSlot().IsFilterOn();
        ShowMessageBox(MessageOwner(), filtered ? "The filter hides every row of the table, so there is no label to print.\n"
                                                  "Change or switch off the filter to print."
                                                : "The table has no row with data, so there is no label to print.",
                       nullptr, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    PRINTDLGA& pd = info->m_pPD->m_pd;
    CWinApp* app = AfxGetApp();
    if (pd.hDevNames == nullptr && app != nullptr)
        app->GetPrinterDeviceDefaults(&pd);
    const CString device = info->m_pPD->GetDeviceName();

    // Printer settings stored with a library label definition, for the printer they were made on.
    auto* library = dynamic_cast<CLabelFileNew*>(stock);
    CString storedDevice, storedDriver, storedPort;
    if (library != nullptr && library->HasDevMode() && pd.hDevMode != nullptr &&
        library->GetPrinterStrings(storedDevice, storedDriver, storedPort) && storedDevice == device) {
        LockedDevMode mode(pd.hDevMode);
        const DEVMODEA* stored = library->GetDevMode();
        const UINT storedBytes = library->GetDevModeBytes();
        DEVMODEA* current = mode.get();
        if (current != nullptr && current->dmSpecVersion == stored->dmSpecVersion &&
            current->dmSize == stored->dmSize && current->dmDriverExtra == stored->dmDriverExtra &&
            static_cast<UINT>(current->dmSize) + current->dmDriverExtra == storedBytes &&
            mode.BlockSize() >= storedBytes) {
            std::memcpy(current, stored, storedBytes);
        } else {
            ShowMessageBox(nullptr,
                           "Etiketten inneh\xE5ller skrivarinst\xE4llningar som inte \xE4r kompatibla med denna "
                           "version av Windows och/eller skrivardrivrutin.",
                           "Versionskonflikt", MB_OK | MB_ICONWARNING);
        }
    }

    if (stock != nullptr && stock->HasPaperFormat() && stock->GetPaperCode() != 0 && pd.hDevMode != nullptr &&
        !PrinterSupportsPaper(info, stock->GetPaperCode())) {
        const CString paper = GetPaperName(stock->GetPaperCode());
        CString text;
        text.Format(LoadStringOr(IDS_PAPER_NOT_SUPPORTED,
                             "The selected printer '%s' does not support the papersize '%s'.\n"
                             "Choose paper size manually in the print setup dialog.\n\n"
                             "Tip: Also change in the tab 'Label' in the column 'Paper' and click 'Save' to change "
                             "the label layout permanently.\nAdjusting of the left and top margins may need to be "
                             "made to fit '%s'."),
                    device.GetString(), paper.GetString(), device.GetString());
        CWnd* main = AfxGetMainWnd();
        ShowMessageBox(main ? main->GetSafeHwnd() : nullptr, text, nullptr, MB_OK);
    }

    if (stock != nullptr && stock->HasPaperSettings() && pd.hDevMode != nullptr) {
        LockedDevMode mode(pd.hDevMode);
        if (DEVMODEA* current = mode.get()) {
            current->dmOrientation = static_cast<short>(stock->GetOrientation());
            current->dmFields |= DM_ORIENTATION;
        }
    }

    // The selection is a choice only where rows can be selected.
    auto* tableView = dynamic_cast<CLabelDocTableView*>(view);
    if (tableView != nullptr && tableView->GetSelectedRowCount() > 0)
        pd.Flags &= ~static_cast<DWORD>(PD_NOSELECTION);
    else
        pd.Flags = (pd.Flags | PD_NOSELECTION) & ~static_cast<DWORD>(PD_SELECTION);
    int maxPage = UsesTableData() ? PrintRowCount() : LabelsPerPage();
    if (maxPage < 1)
        maxPage = 1;                   // the dialog refuses a range that ends before it starts
    if (maxPage > 0xFFFE)
        maxPage = 0xFFFE;
    info->SetMinPage(1);
    info->SetMaxPage(static_cast<UINT>(maxPage));
    pd.nFromPage = 1;
    pd.nToPage = static_cast<WORD>(maxPage);

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_UPDOWN_CLASS};
    ::InitCommonControlsEx(&controls);
    pd.Flags |= PD_ENABLEPRINTTEMPLATE | PD_ENABLEPRINTHOOK;
    pd.hInstance = AfxGetInstanceHandle();
    pd.lpPrintTemplateName = MAKEINTRESOURCEA(IDD_PRINT_DIALOG);
    pd.lpfnPrintHook = PrintDialogHookProc;

    PrintOptionBlock& block = GetPrintOptionBlock();
    std::memset(&block, 0, sizeof block);
    block.size = sizeof block;
    block.reverseOrder = m_print.reverseOrder ? 1 : 0;
    block.columnOrder = tmpl->IsColumnMajor() ? 1 : 0;
    int left = 0, top = 0;
    RegistryDefaults::ReadCompensation(device, left, top);
    block.topCompensation = top;
    block.leftCompensation = left;
    block.copies = tmpl->GetCopies();
    block.startPosition = 1;
    block.passes = tmpl->GetPasses();
    block.stopAfterPass = tmpl->GetStopAfterPass() ? 1 : 0;
    pd.lCustData = reinterpret_cast<LPARAM>(&block);
    return true;
}

void COstrelindSoftLabelDoc::GetStoredPrinter(CString& device, CString& driver, CString& port) const
{
    const CTemplate* tmpl = GetCurrentTemplate();
    device = tmpl->GetDeviceName();
    driver = tmpl->GetDriverName();
    port = tmpl->GetPortName();
}

void COstrelindSoftLabelDoc::SetStoredPrinter(const char* device, const char* driver, const char* port)
{
    GetCurrentTemplate()->SetPrinter(CString(device).Left(kNameLimit), CString(driver).Left(kNameLimit),
                                     CString(port).Left(kNameLimit));
    SetModifiedFlag(TRUE);
}

void COstrelindSoftLabelDoc::OnFilePrintSetup()
{
    CPrintDialog dlg(TRUE);
    CWinApp* app = AfxGetApp();
    const INT_PTR result = app ? app->DoPrintDialog(&dlg) : dlg.DoModal();
    if (result != IDOK)
        return;
    const CString device = dlg.GetDeviceName().Left(kNameLimit);
    const CString driver = dlg.GetDriverName().Left(kNameLimit);
    const CString port = dlg.GetPortName().Left(kNameLimit);
    const CTemplate* tmpl = GetCurrentTemplate();
    if (device != tmpl->GetDeviceName() || driver != tmpl->GetDriverName() || port != tmpl->GetPortName())
        SetStoredPrinter(device, driver, port);
}

// ---------------------------------------------------------------------------------------------
// Paper

bool COstrelindSoftLabelDoc::PrinterSupportsPaper(CPrintInfo* info, int paperCode)
{
    const PRINTDLGA& pd = info->m_pPD->m_pd;
    const CString device = info->m_pPD->GetDeviceName();
    const CString port = info->m_pPD->GetPortName();
    LockedDevMode mode(pd.hDevMode);
    DEVMODEA* devMode = mode.get();
    if (devMode == nullptr || device.IsEmpty())
        return false;
    // The driver says how many papers it has before the list is fetched into room for all.
    const int count = ::DeviceCapabilitiesA(device, port, DC_PAPERS, nullptr, devMode);
    if (count <= 0)
        return false;
    std::vector<WORD> papers(static_cast<size_t>(count) + 1, 0);
    const int fetched = ::DeviceCapabilitiesA(device, port, DC_PAPERS, reinterpret_cast<char*>(papers.data()), devMode);
    if (fetched <= 0)
        return false;
    const int names = ::DeviceCapabilitiesA(device, port, DC_PAPERNAMES, nullptr, devMode);
    int usable = fetched < count ? fetched : count;
    if (names > 0 && names < usable)
        usable = names;

    auto find = [&](int code) {
        for (int k = 0; k < usable; ++k)
            if (papers[static_cast<size_t>(k)] == code)
                return true;
        return false;
    };
    int code = paperCode;
    if (!find(code)) {
        if (code != 256 || !find(257))
            return false;
        code = 257;
    }
    const CLabel* stock = GetCurrentTemplate()->GetLabelStock();
    devMode->dmPaperSize = static_cast<short>(code);
    devMode->dmFields |= DM_PAPERSIZE;
    if (code == 0 || code >= 256) {
        devMode->dmPaperLength = static_cast<short>(stock ? stock->GetPaperHeightTenths() : 2970);
        devMode->dmPaperWidth = static_cast<short>(stock ? stock->GetPaperWidthTenths() : 2100);
        if (code != 0x7FFF)
            devMode->dmFields |= DM_PAPERLENGTH | DM_PAPERWIDTH;
    }
    return true;
}

CString COstrelindSoftLabelDoc::GetPaperName(int paperCode)
{
    if (paperCode == 256)
        return CString("User defined");
    if (paperCode >= 1 && paperCode <= 59)
        return CString(GetPaperTableName(paperCode));
    CString text;
    text.Format("%d", paperCode);
    return text.Left(79);
}
