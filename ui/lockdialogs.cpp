#include "ui/lockdialogs.h"

#include "document/labeldoc.h"
#include "framework/cmdtarget.h"
#include "framework/msgbox.h"
#include "labelmodel/template.h"
#include "ui/res/smalldialogs.h"

namespace {

const int kPasswordMax = CTemplate::kMaxPassword;

void SayBadPassword(CWnd* dialog)
{
    ShowMessageBox(dialog->m_hWnd, "Bad password", "Error", MB_OK);
}

} // namespace

CLockDocumentDialog::CLockDocumentDialog(CWnd* parent) : CDialog(IDD_LOCK_DOCUMENT, parent) {}

void CLockDocumentDialog::DoDataExchange(CDataExchange* dx)
{
    DDX_Check(dx, IDC_LOCK_TEMPLATE, m_nLock);
    DDX_Text(dx, IDC_LOCK_PASSWORD, m_strPassword);
    DDV_MaxChars(dx, m_strPassword, kPasswordMax);
}

BOOL CLockDocumentDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    // The confirmation can not be longer than what it confirms.
    SendDlgItemMessage(IDC_LOCK_CONFIRM, EM_LIMITTEXT, kPasswordMax);
    return TRUE;
}

void CLockDocumentDialog::OnOK()
{
    if (GetDlgItemText(IDC_LOCK_PASSWORD) != GetDlgItemText(IDC_LOCK_CONFIRM)) {
        SayBadPassword(this);
        return;
    }
    CDialog::OnOK();
}

CUnlockDocumentDialog::CUnlockDocumentDialog(CWnd* parent) : CDialog(IDD_UNLOCK_DOCUMENT, parent) {}

BOOL CUnlockDocumentDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SendDlgItemMessage(IDC_LOCK_PASSWORD, EM_LIMITTEXT, kPasswordMax);
    return TRUE;
}

void CUnlockDocumentDialog::OnOK()
{
    if (GetDlgItemText(IDC_LOCK_PASSWORD) != m_strExpected) {
        SayBadPassword(this);
        return;
    }
    EndDialog(IDOK);
}

bool OnLockDocumentCommand(CWnd* owner, COstrelindSoftLabelDoc* doc)
{
    if (doc == nullptr || doc->IsEditBlocked() || doc->GetCurrentTemplate() == nullptr)
        return false;
    if (doc->GetCurrentTemplate()->IsLocked()) {
        CUnlockDocumentDialog dialog(owner);
        dialog.m_strExpected = doc->GetLockPassword();
        if (dialog.DoModal() != IDOK)
            return false;
        doc->UnlockTemplate();
        return true;
    }
    CLockDocumentDialog dialog(owner);
    dialog.m_nLock = 1;
    // A cleared "Lock template" means the user chose not to lock, whatever OK says.
    if (dialog.DoModal() != IDOK || dialog.m_nLock == 0)
        return false;
    doc->LockTemplate(dialog.m_strPassword);
    return true;
}

void OnUpdateLockDocumentCommand(CCmdUI* ui, const COstrelindSoftLabelDoc* doc)
{
    const CTemplate* current = doc != nullptr ? doc->GetCurrentTemplate() : nullptr;
    ui->SetCheck(current != nullptr && current->IsLocked() ? 1 : 0);
    ui->Enable(doc != nullptr && !doc->IsEditBlocked());
}
