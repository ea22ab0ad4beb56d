#pragma once
// The two password dialogs of the lock command: CLockDocumentDialog asks for a password twice
// before a template is locked, CUnlockDocumentDialog asks for it again before it is opened.
// OnLockDocumentCommand runs the right one for the current template of a project and stores
// the answer there; the design view's lock command and its update handler call these.
#include "framework/dialog.h"

class CCmdUI;
class COstrelindSoftLabelDoc;

class CLockDocumentDialog : public CDialog {
public:
    explicit CLockDocumentDialog(CWnd* parent = nullptr);

    int m_nLock = 0;                   // check box "Lock template"
    CString m_strPassword;             // at most 32 characters

    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    // The two texts must be the same (exactly): else "Bad password" and the dialog stays.
    void OnOK() override;
};

class CUnlockDocumentDialog : public CDialog {
public:
    explicit CUnlockDocumentDialog(CWnd* parent = nullptr);

    CString m_strExpected;             // the template's password

    BOOL OnInitDialog() override;
    // The typed text must be the password (case counts): else "Bad password" and it stays.
    void OnOK() override;
};

// The lock command on the project's current template: the unlock dialog when it is locked, the
// lock dialog otherwise. Answers whether the lock state changed.
bool OnLockDocumentCommand(CWnd* owner, COstrelindSoftLabelDoc* doc);
// Checked while the template is locked; enabled while editing is not blocked.
void OnUpdateLockDocumentCommand(CCmdUI* ui, const COstrelindSoftLabelDoc* doc);
