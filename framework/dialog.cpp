#include "framework/dialog.h"

#include "framework/app.h"
#include "framework/guard.h"
#include "framework/msgbox.h"

#include <cerrno>
#include <cstdlib>
#include <utility>

namespace {
// Thrown by CDataExchange::Fail and caught by UpdateData; never crosses a Win32 frame.
struct DataExchangeFailure {};

HWND OwnerFor(CWnd* parent)
{
    if (parent != nullptr && parent->m_hWnd != nullptr)
        return parent->m_hWnd;
    CWnd* mainWnd = AfxGetMainWnd();
    if (mainWnd != nullptr && mainWnd->m_hWnd != nullptr)
        return mainWnd->m_hWnd;
    return ::GetActiveWindow();
}
} // namespace

INT_PTR CALLBACK AfxDlgProc(HWND wnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    CDialog* dialog = reinterpret_cast<CDialog*>(lParam);
    if (dialog == nullptr || CWnd::FromHandlePermanent(wnd) != nullptr)
        return TRUE;
    dialog->SubclassWindow(wnd);
    return GuardedCall([&] { return static_cast<INT_PTR>(dialog->OnInitDialog()); }, INT_PTR(TRUE));
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOKCommand)
    ON_COMMAND(IDCANCEL, OnCancelCommand)
END_MESSAGE_MAP()

BOOL CDialog::InitModalIndirect(const DLGTEMPLATE* tmpl, CWnd* parent)
{
    m_lpDialogTemplate = tmpl;
    m_pParentWnd = parent;
    return tmpl != nullptr;
}

HWND CDialog::ModalOwnerFor(CWnd* parent)
{
    HWND owner = OwnerFor(parent);
    if (owner != nullptr) {
        HWND root = ::GetAncestor(owner, GA_ROOT);
        if (root != nullptr)
            owner = root;
        // Under a modal dialog already: the new one belongs to the window that is still enabled,
        // or the first dialog could be clicked while the second runs.
        if (!::IsWindowEnabled(owner)) {
            HWND popup = ::GetLastActivePopup(owner);
            if (popup != nullptr && popup != owner && ::IsWindowEnabled(popup))
                owner = popup;
        }
    }
    return owner;
}

INT_PTR CDialog::DoModal()
{
    if (m_hWnd != nullptr)
        return -1;
    HWND owner = ModalOwnerFor(m_pParentWnd);
    // The owner is disabled before the dialog exists, as the system's dialog box does, so that
    // nothing in it reacts while the dialog initialises.
    const bool disabledOwner = owner != nullptr && ::IsWindowEnabled(owner);
    if (disabledOwner)
        ::EnableWindow(owner, FALSE);

    m_bModal = true;
    m_bEndModal = false;
    m_nModalResult = -1;
    HWND wnd;
    if (m_lpDialogTemplate != nullptr)
        wnd = ::CreateDialogIndirectParamA(AfxGetResourceHandle(), m_lpDialogTemplate, owner, AfxDlgProc,
                                           reinterpret_cast<LPARAM>(this));
    else
        wnd = ::CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), owner, AfxDlgProc,
                                   reinterpret_cast<LPARAM>(this));

    INT_PTR result = -1;
    if (wnd != nullptr && m_hWnd == wnd) {
        if (!m_bEndModal) {
            // A template without WS_VISIBLE is shown all the same, as the system's dialog box does.
            ::ShowWindow(wnd, SW_SHOWNORMAL);
            AfxRunDialogDriver(this);
        }
        result = RunModalLoop(owner);
    }

    // The owner comes back before the dialog goes: destroying an active dialog whose owner is
    // still disabled would hand the activation to some other program.
    if (disabledOwner)
        ::EnableWindow(owner, TRUE);
    if (owner != nullptr && wnd != nullptr && ::IsWindow(wnd)) {
        HWND active = ::GetActiveWindow();
        if (active == wnd || ::IsChild(wnd, active))
            ::SetActiveWindow(owner);
    }
    if (wnd != nullptr && ::IsWindow(wnd))
        ::DestroyWindow(wnd);
    m_bModal = false;
    return result;
}

INT_PTR CDialog::RunModalLoop(HWND owner)
{
    HWND self = m_hWnd;
    bool idle = true;
    LONG idleCount = 0;
    while (!m_bEndModal && m_hWnd == self && ::IsWindow(self)) {
        MSG msg;
        while (idle && !m_bEndModal && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (owner != nullptr)
                ::SendMessageA(owner, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(self));
            if (!::IsWindow(self) || !::SendMessageA(self, WM_KICKIDLE, MSGF_DIALOGBOX, idleCount++))
                idle = false;
        }
        if (m_bEndModal || !::IsWindow(self))
            break;
        BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // The program is asked to end: the loop that called us has to see WM_QUIT too.
            ::PostQuitMessage(got == 0 ? static_cast<int>(msg.wParam) : 0);
            m_nModalResult = IDCANCEL;
            break;
        }
        if (!GuardedCall([&] { return PreTranslateModalMessage(&msg); }, FALSE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        // Not WM_PAINT, the caret's system timer or a mouse move: those come by themselves.
        if (msg.message != WM_PAINT && msg.message != 0x0118 && msg.message != WM_MOUSEMOVE &&
            msg.message != WM_NCMOUSEMOVE) {
            idle = true;
            idleCount = 0;
        }
    }
    return m_nModalResult;
}

BOOL CDialog::PreTranslateModalMessage(MSG* msg)
{
    if (m_hWnd == nullptr)
        return FALSE;
    if (CWnd::WalkPreTranslateTree(m_hWnd, msg))
        return TRUE;
    return ::IsDialogMessageA(m_hWnd, msg);
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    m_nIDTemplate = templateId;
    m_pParentWnd = parent;
    m_bModal = false;
    HWND wnd = ::CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(templateId), OwnerFor(parent),
                                    AfxDlgProc, reinterpret_cast<LPARAM>(this));
    if (wnd == nullptr || m_hWnd != wnd)
        return FALSE;
    AfxRunDialogDriver(this);
    return TRUE;
}

BOOL CDialog::CreateIndirect(const DLGTEMPLATE* tmpl, CWnd* parent)
{
    m_lpDialogTemplate = tmpl;
    m_pParentWnd = parent;
    m_bModal = false;
    HWND wnd = ::CreateDialogIndirectParamA(AfxGetResourceHandle(), tmpl, OwnerFor(parent), AfxDlgProc,
                                            reinterpret_cast<LPARAM>(this));
    if (wnd == nullptr || m_hWnd != wnd)
        return FALSE;
    AfxRunDialogDriver(this);
    return TRUE;
}

void CDialog::EndDialog(int result)
{
    if (m_hWnd == nullptr)
        return;
    if (m_bModal) {
        // The loop ends after the message being handled; the window stays until the owner is
        // enabled again. The posted message wakes a loop that waits.
        m_bEndModal = true;
        m_nModalResult = result;
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
    } else {
        DestroyWindow();
    }
}

namespace {
DialogDriver& Driver()
{
    static DialogDriver driver;
    return driver;
}
} // namespace

DialogDriver SetDialogDriver(DialogDriver driver)
{
    std::swap(Driver(), driver);
    return driver;
}

bool AfxHasDialogDriver()
{
    return static_cast<bool>(Driver());
}

void AfxRunDialogDriver(CWnd* dialog)
{
    if (!Driver() || dialog == nullptr)
        return;
    // A copy: the driver may replace itself while it runs.
    DialogDriver driver = Driver();
    GuardedCall([&] { driver(dialog); });
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
        return TRUE;
    } catch (const DataExchangeFailure&) {
        return FALSE;
    }
}

void CDialog::GotoDlgCtrl(CWnd* control)
{
    if (control != nullptr)
        ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control->m_hWnd), TRUE);
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    // Keyboard navigation (Tab, arrows, Enter, Esc, mnemonics) of a modeless dialog; a modal one
    // runs its own loop.
    if (m_bModal || m_hWnd == nullptr || msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST)
        return FALSE;
    if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd))
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, msg);
}

// ---- data exchange

HWND CDataExchange::PrepareCtrl(int id)
{
    HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
    m_hWndLastControl = control;
    m_bEditLastControl = false;
    return control;
}

HWND CDataExchange::PrepareEditCtrl(int id)
{
    HWND control = PrepareCtrl(id);
    m_bEditLastControl = true;
    return control;
}

void CDataExchange::Fail()
{
    if (!m_bSaveAndValidate)
        throw DataExchangeFailure();
    if (m_hWndLastControl != nullptr) {
        ::SendMessageA(m_pDlgWnd->m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_hWndLastControl), TRUE);
        if (m_bEditLastControl)
            ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    throw DataExchangeFailure();
}

namespace {
CString WindowText(HWND wnd)
{
    CString text;
    if (wnd != nullptr)
        CWnd::FromHandle(wnd)->GetWindowText(text);
    return text;
}

// A whole number with optional surrounding blanks; false when anything else is there.
bool ParseLong(const CString& text, long& out)
{
    CString t = text;
    t.Trim();
    if (t.IsEmpty())
        return false;
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(t, &end, 10);
    if (errno == ERANGE || end == nullptr || *end != '\0')
        return false;
    out = value;
    return true;
}

void FailWith(CDataExchange* dx, const char* text)
{
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    dx->Fail();
}
} // namespace

void DDX_Text(CDataExchange* dx, int id, CString& value)
{
    HWND control = dx->PrepareEditCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = WindowText(control);
    else
        ::SetWindowTextA(control, value);
}

void DDX_Text(CDataExchange* dx, int id, int& value)
{
    HWND control = dx->PrepareEditCtrl(id);
    if (dx->m_bSaveAndValidate) {
        long parsed = 0;
        if (!ParseLong(WindowText(control), parsed) || parsed < INT_MIN || parsed > INT_MAX)
            FailWith(dx, AFX_MSG_PARSE_INT);
        value = static_cast<int>(parsed);
    } else {
        CString text;
        text.Format("%d", value);
        ::SetWindowTextA(control, text);
    }
}

void DDX_Text(CDataExchange* dx, int id, UINT& value)
{
    HWND control = dx->PrepareEditCtrl(id);
    if (dx->m_bSaveAndValidate) {
        CString t = WindowText(control);
        t.Trim();
        char* end = nullptr;
        errno = 0;
        unsigned long parsed = std::strtoul(t, &end, 10);
        if (t.IsEmpty() || t[0] == '-' || errno == ERANGE || *end != '\0' || parsed > UINT_MAX)
            FailWith(dx, AFX_MSG_PARSE_INT);
        value = static_cast<UINT>(parsed);
    } else {
        CString text;
        text.Format("%u", value);
        ::SetWindowTextA(control, text);
    }
}

void DDX_Text(CDataExchange* dx, int id, double& value)
{
    HWND control = dx->PrepareEditCtrl(id);
    if (dx->m_bSaveAndValidate) {
        CString t = WindowText(control);
        t.Trim();
        char* end = nullptr;
        double parsed = t.IsEmpty() ? 0.0 : std::strtod(t, &end);
        if (t.IsEmpty() || end == nullptr || *end != '\0')
            FailWith(dx, AFX_MSG_PARSE_REAL);
        value = parsed;
    } else {
        CString text;
        text.Format("%.15g", value);
        ::SetWindowTextA(control, text);
    }
}

void DDX_Check(CDataExchange* dx, int id, int& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(control, BM_GETCHECK, 0, 0));
    else
        ::SendMessageA(control, BM_SETCHECK, (value >= 0 && value <= 2) ? value : 0, 0);
}

void DDX_Radio(CDataExchange* dx, int id, int& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (control == nullptr)
        return;
    if (dx->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    for (HWND button = control; button != nullptr; button = ::GetWindow(button, GW_HWNDNEXT)) {
        if (button != control && (::GetWindowLongA(button, GWL_STYLE) & WS_GROUP))
            break;
        if (!(::SendMessageA(button, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON))
            continue;
        if (dx->m_bSaveAndValidate) {
            if (::SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = index;
        } else {
            ::SendMessageA(button, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++index;
    }
}

void DDX_CBString(CDataExchange* dx, int id, CString& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) {
        value = WindowText(control);
        return;
    }
    if (::SendMessageA(control, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.GetString())) ==
        CB_ERR)
        ::SetWindowTextA(control, value);   // editable combo: not in the list, shown as typed
}

void DDX_CBIndex(CDataExchange* dx, int id, int& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(control, CB_GETCURSEL, 0, 0));
    else
        ::SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(value), 0);
}

void DDX_LBIndex(CDataExchange* dx, int id, int& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(control, LB_GETCURSEL, 0, 0));
    else
        ::SendMessageA(control, LB_SETCURSEL, static_cast<WPARAM>(value), 0);
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (control.m_hWnd == nullptr)
        control.SubclassDlgItem(id, dx->m_pDlgWnd);
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue)
{
    if (!dx->m_bSaveAndValidate || (value >= minValue && value <= maxValue))
        return;
    CString text;
    text.Format(AFX_MSG_PARSE_INT_RANGE, minValue, maxValue);
    FailWith(dx, text);
}

void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minValue, UINT maxValue)
{
    if (!dx->m_bSaveAndValidate || (value >= minValue && value <= maxValue))
        return;
    CString text;
    text.Format("Please enter an integer between %u and %u.", minValue, maxValue);
    FailWith(dx, text);
}

void DDV_MinMaxDouble(CDataExchange* dx, double value, double minValue, double maxValue)
{
    if (!dx->m_bSaveAndValidate || (value >= minValue && value <= maxValue))
        return;
    CString text;
    text.Format(AFX_MSG_PARSE_REAL_RANGE, minValue, maxValue);
    FailWith(dx, text);
}

void DDV_MaxChars(CDataExchange* dx, const CString& value, int count)
{
    if (!dx->m_bSaveAndValidate) {
        if (dx->LastControl() != nullptr)
            ::SendMessageA(dx->LastControl(), EM_LIMITTEXT, static_cast<WPARAM>(count), 0);
        return;
    }
    if (value.GetLength() <= count)
        return;
    CString text;
    text.Format(AFX_MSG_PARSE_STRING_SIZE, count);
    FailWith(dx, text);
}
