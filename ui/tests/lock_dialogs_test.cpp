// The lock command's two password dialogs, driven: mismatches keep the dialog open with what was
// typed, matching texts lock with that password, unlocking wants exactly the same text.
#include "ui/lockdialogs.h"

#include "document/labeldoc.h"
#include "labelmodel/template.h"
#include "testsupport/dialogdriver.h"
#include "testsupport/msgboxrecorder.h"
#include "testsupport/testcmdui.h"
#include "ui/res/smalldialogs.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::unique_ptr<COstrelindSoftLabelDoc> NewDoc()
{
    auto doc = std::make_unique<COstrelindSoftLabelDoc>();
    doc->m_bAutoDelete = FALSE;
    doc->OnNewDocument();
    doc->SetModifiedFlag(FALSE);
    return doc;
}

CString Text(CWnd* dialog, int id)
{
    char buffer[128] = {};
    ::GetDlgItemTextA(dialog->m_hWnd, id, buffer, sizeof buffer);
    return buffer;
}

void Type(CWnd* dialog, int id, const char* text)
{
    ::SetDlgItemTextA(dialog->m_hWnd, id, text);
}

bool Locked(const COstrelindSoftLabelDoc& doc)
{
    return doc.GetCurrentTemplate()->IsLocked();
}

} // namespace

TEST(LockDialogs, MismatchKeepsTheDialogThenMatchingTextsLock)
{
    auto doc = NewDoc();
    MessageBoxRecorder boxes;
    bool stayed = false;
    CString keptPassword, keptConfirm, caption;
    int checkShown = -1;
    LRESULT limit = 0;
    ScopedDialogDriver driver({[&](CWnd* d) {
        caption = d->GetWindowText();
        checkShown = static_cast<int>(::IsDlgButtonChecked(d->m_hWnd, IDC_LOCK_TEMPLATE));
        limit = ::SendDlgItemMessageA(d->m_hWnd, IDC_LOCK_PASSWORD, EM_GETLIMITTEXT, 0, 0);
        Type(d, IDC_LOCK_PASSWORD, "Secret");
        Type(d, IDC_LOCK_CONFIRM, "secret");
        ScopedDialogDriver::Send(d, IDOK);
        stayed = ::IsWindow(d->m_hWnd) && ::IsWindowVisible(d->m_hWnd);
        keptPassword = Text(d, IDC_LOCK_PASSWORD);
        keptConfirm = Text(d, IDC_LOCK_CONFIRM);
        Type(d, IDC_LOCK_CONFIRM, "Secret");
        ScopedDialogDriver::Send(d, IDOK);
    }});
    EXPECT_TRUE(OnLockDocumentCommand(nullptr, doc.get()));
    EXPECT_EQ("Lock document", caption);
    EXPECT_EQ(BST_CHECKED, checkShown);
    EXPECT_EQ(32, limit);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("Bad password", boxes[0].text);
    EXPECT_EQ("Error", boxes[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK), boxes[0].Buttons());
    EXPECT_TRUE(stayed);
    EXPECT_EQ("Secret", keptPassword);
    EXPECT_EQ("secret", keptConfirm);
    EXPECT_TRUE(Locked(*doc));
    EXPECT_EQ("Secret", doc->GetLockPassword());
    EXPECT_TRUE(doc->IsModified());

    CTestCmdUI ui;
    OnUpdateLockDocumentCommand(&ui, doc.get());
    EXPECT_EQ(1, ui.m_nCheck);
    EXPECT_TRUE(ui.m_bEnabled);
}

TEST(LockDialogs, EmptyFieldsLockAndACheckBoxClearedOrCancelLeavesItOpen)
{
    {
        auto doc = NewDoc();
        ScopedDialogDriver driver({[&](CWnd* d) { ScopedDialogDriver::Send(d, IDOK); }});
        EXPECT_TRUE(OnLockDocumentCommand(nullptr, doc.get()));
        EXPECT_TRUE(Locked(*doc));
        EXPECT_EQ("", doc->GetLockPassword());
    }
    {
        auto doc = NewDoc();
        ScopedDialogDriver driver({[&](CWnd* d) {
            ::CheckDlgButton(d->m_hWnd, IDC_LOCK_TEMPLATE, BST_UNCHECKED);
            Type(d, IDC_LOCK_PASSWORD, "abc");
            Type(d, IDC_LOCK_CONFIRM, "abc");
            ScopedDialogDriver::Send(d, IDOK);
        }});
        EXPECT_FALSE(OnLockDocumentCommand(nullptr, doc.get()));
        EXPECT_FALSE(Locked(*doc));
        EXPECT_FALSE(doc->IsModified());
        CTestCmdUI ui;
        OnUpdateLockDocumentCommand(&ui, doc.get());
        EXPECT_EQ(0, ui.m_nCheck);
    }
    {
        auto doc = NewDoc();
        ScopedDialogDriver driver({[&](CWnd* d) {
            Type(d, IDC_LOCK_PASSWORD, "abc");
            Type(d, IDC_LOCK_CONFIRM, "abc");
            ScopedDialogDriver::Send(d, IDCANCEL);
        }});
        EXPECT_FALSE(OnLockDocumentCommand(nullptr, doc.get()));
        EXPECT_FALSE(Locked(*doc));
    }
}

TEST(LockDialogs, UnlockComparesCaseSensitively)
{
    auto doc = NewDoc();
    doc->LockTemplate("Key");
    MessageBoxRecorder boxes;
    CString caption;
    bool stayed = false;
    ScopedDialogDriver driver({[&](CWnd* d) {
        caption = d->GetWindowText();
        Type(d, IDC_LOCK_PASSWORD, "key");
        ScopedDialogDriver::Send(d, IDOK);
        stayed = ::IsWindowVisible(d->m_hWnd) != FALSE;
        Type(d, IDC_LOCK_PASSWORD, "Key");
        ScopedDialogDriver::Send(d, IDOK);
    }});
    EXPECT_TRUE(OnLockDocumentCommand(nullptr, doc.get()));
    EXPECT_EQ("Unlock document", caption);
    EXPECT_TRUE(stayed);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("Bad password", boxes[0].text);
    EXPECT_EQ("Error", boxes[0].caption);
    EXPECT_FALSE(Locked(*doc));
    EXPECT_EQ("", doc->GetLockPassword());

    // Cancel leaves it locked.
    doc->LockTemplate("Key");
    ScopedDialogDriver cancel({[&](CWnd* d) { ScopedDialogDriver::Send(d, IDCANCEL); }});
    EXPECT_FALSE(OnLockDocumentCommand(nullptr, doc.get()));
    EXPECT_TRUE(Locked(*doc));
}
