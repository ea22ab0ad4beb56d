#pragma once
// CDialog: a dialog from the resource script (or an in-memory template), modal (DoModal) or
// modeless (Create). Once WM_INITDIALOG arrives the dialog is subclassed like any CWnd, so its
// message map sees every message and unhandled ones go to the system's dialog procedure.
// Data exchange: DoDataExchange moves values between members and controls with the DDX_ and
// DDV_ functions; a value that does not pass shows why, puts the focus on the control and stops
// UpdateData (FALSE). A modeless dialog belongs to its creator (override PostNcDestroy to delete).
// DoModal runs the framework's own modal loop (not the system's DialogBox), so that
// PreTranslateMessage of the focus window and its parents sees every message of a modal dialog.
#include "framework/cstring.h"
#include "framework/wnd.h"
#include <functional>

class CDataExchange;

// Sent to a modal dialog when its loop runs out of messages (wParam MSGF_DIALOGBOX, lParam the idle
// count); a dialog that updates its controls at idle time answers it.
#ifndef WM_KICKIDLE
#define WM_KICKIDLE 0x036A
#endif

class CDialog : public CWnd {
public:
    CDialog() = default;
    explicit CDialog(UINT templateId, CWnd* parent = nullptr) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

    UINT m_nIDTemplate = 0;
    const DLGTEMPLATE* m_lpDialogTemplate = nullptr;
    CWnd* m_pParentWnd = nullptr;

    // ---- modal
    BOOL InitModalIndirect(const DLGTEMPLATE* tmpl, CWnd* parent = nullptr);
    virtual INT_PTR DoModal();         // the EndDialog result, or -1 when it could not be shown
    // ---- modeless
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    BOOL CreateIndirect(const DLGTEMPLATE* tmpl, CWnd* parent = nullptr);
    // Modal: ends DoModal with result (the loop stops after the current message); modeless:
    // destroys the window.
    void EndDialog(int result);
    bool IsModal() const { return m_bModal; }
    // The window DoModal disables while the dialog runs: the top-level window of the parent (or the
    // main window, or the active window), or the last active popup of it when that one is itself
    // disabled under another modal dialog.
    static HWND ModalOwnerFor(CWnd* parent);

    virtual BOOL OnInitDialog();       // UpdateData(FALSE); TRUE lets the system set the focus
    virtual void OnOK();               // UpdateData(TRUE), then EndDialog(IDOK)
    virtual void OnCancel();           // EndDialog(IDCANCEL)
    virtual void DoDataExchange(CDataExchange*) {}
    // FALSE when a value did not pass (the user was told).
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    void GotoDlgCtrl(CWnd* control);
    void NextDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, FALSE); }
    void PrevDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, FALSE); }
    void SetDefID(UINT id) { SendMessage(DM_SETDEFID, id); }

    BOOL PreTranslateMessage(MSG* msg) override;

    void OnOKCommand() { OnOK(); }
    void OnCancelCommand() { OnCancel(); }
    DECLARE_MESSAGE_MAP()

protected:
    // The loop of DoModal: until EndDialog, the window's destruction or WM_QUIT (posted again).
    INT_PTR RunModalLoop(HWND owner);
    // A message of the modal loop: PreTranslateMessage from its window up to the dialog, then the
    // dialog manager's keys. TRUE when it was used up.
    virtual BOOL PreTranslateModalMessage(MSG* msg);

private:
    friend INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM);
    bool m_bModal = false;
    bool m_bEndModal = false;
    INT_PTR m_nModalResult = -1;
};

// ---- the dialog driver: a test seam
// While a driver is set it is called with every dialog (and property sheet) once it is
// initialised and shown, before its loop runs, so that a test can set controls by message and end
// it (SendMessage WM_COMMAND IDOK / IDCANCEL, or PostMessage for the system's common dialogs).
// Setting returns the previous driver; an empty driver leaves dialogs to the user.
using DialogDriver = std::function<void(CWnd* dialog)>;
DialogDriver SetDialogDriver(DialogDriver driver);
// Called by every dialog kind after its initialisation (guarded: a throwing driver is reported).
void AfxRunDialogDriver(CWnd* dialog);
bool AfxHasDialogDriver();

// The dialog procedure of every CDialog: binds at WM_INITDIALOG and then leaves everything to
// the subclassed window procedure.
INT_PTR CALLBACK AfxDlgProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    BOOL m_bSaveAndValidate;           // TRUE: controls -> members (and validate)
    CWnd* m_pDlgWnd;

    // The control with id; remembered so that a failure puts the focus back on it.
    HWND PrepareCtrl(int id);
    HWND PrepareEditCtrl(int id);
    HWND LastControl() const { return m_hWndLastControl; }
    // Focus (and select the text of an edit) on the last control, then stop the exchange.
    [[noreturn]] void Fail();

private:
    HWND m_hWndLastControl = nullptr;
    bool m_bEditLastControl = false;
};

// Texts of the validation messages.
#define AFX_MSG_PARSE_INT "Please enter an integer."
#define AFX_MSG_PARSE_REAL "Please enter a number."
#define AFX_MSG_PARSE_INT_RANGE "Please enter an integer between %d and %d."
#define AFX_MSG_PARSE_REAL_RANGE "Please enter a number between %g and %g."
#define AFX_MSG_PARSE_STRING_SIZE "Please enter no more than %d characters."

void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, UINT& value);
void DDX_Text(CDataExchange* dx, int id, double& value);
void DDX_Check(CDataExchange* dx, int id, int& value);
// id is the first button of a group (WS_GROUP); value is the index of the checked one or -1.
void DDX_Radio(CDataExchange* dx, int id, int& value);
void DDX_CBString(CDataExchange* dx, int id, CString& value);
void DDX_CBIndex(CDataExchange* dx, int id, int& value);
void DDX_LBIndex(CDataExchange* dx, int id, int& value);
// Binds control (subclassing) the first time.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue);
void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minValue, UINT maxValue);
void DDV_MinMaxDouble(CDataExchange* dx, double value, double minValue, double maxValue);
// Saving: at most count characters; loading: limits the edit control to count.
void DDV_MaxChars(CDataExchange* dx, const CString& value, int count);
