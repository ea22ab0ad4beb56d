// The QR Code text dialog as a framework dialog: its edit is bound by data exchange, keeps the
// content's length limit and carries line breaks both ways.
#include "labelmodel/qrtextdialog.h"

#include "labelmodel/dialogids.h"
#include "labelmodel/graphbarcode.h"
#include "labelmodel/textcontent.h"
#include "testsupport/dialogdriver.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

std::unique_ptr<CGraphBarcode> QrObject(const char* text)
{
    std::unique_ptr<CGraphBarcode> object(new CGraphBarcode);
    EXPECT_TRUE(object->SetSymbologyByName("QR Code\xAE"));
    object->SetWidth(20000);
    object->SetHeight(20000);
    object->SetContentKind(kKindFixed);
    object->SetFixedText(text);
    return object;
}

CString EditText(CWnd* dialog)
{
    char buffer[512] = {};
    ::GetDlgItemTextA(dialog->m_hWnd, IDC_QR_TEXT, buffer, sizeof buffer);
    return buffer;
}

} // namespace

TEST(QrTextDialog, LinesGoThroughTheContentEditingAndBack)
{
    auto object = QrObject("FIRST\r\nSECOND");
    CString shown, caption;
    LRESULT limit = 0;
    ScopedDialogDriver driver({[&](CWnd* d) {
        shown = EditText(d);
        caption = d->GetWindowText();
        limit = ::SendDlgItemMessageA(d->m_hWnd, IDC_QR_TEXT, EM_GETLIMITTEXT, 0, 0);
        ::SetDlgItemTextA(d->m_hWnd, IDC_QR_TEXT, "A\r\nB\r\nC");
        ScopedDialogDriver::Send(d, IDOK);
    }});
    EXPECT_TRUE(object->EditContent(nullptr));
    EXPECT_EQ("FIRST\r\nSECOND", shown);
    EXPECT_EQ("Constant text for QR Code\xAE symbol", caption);
    EXPECT_EQ(kRecordTextMax, limit);
    CString text;
    object->GetFixedText(text);
    EXPECT_EQ("A\r\nB\r\nC", text);
    EXPECT_EQ(1u, driver.Seen().size());
}

TEST(QrTextDialog, CancelChangesNothing)
{
    auto object = QrObject("KEEP\r\nME");
    ScopedDialogDriver driver({[&](CWnd* d) {
        ::SetDlgItemTextA(d->m_hWnd, IDC_QR_TEXT, "GONE");
        ScopedDialogDriver::Send(d, IDCANCEL);
    }});
    EXPECT_FALSE(object->EditContent(nullptr));
    CString text;
    object->GetFixedText(text);
    EXPECT_EQ("KEEP\r\nME", text);

    CEditText4QRCodeDlg dialog;
    dialog.m_text = "UNTOUCHED";
    ScopedDialogDriver cancel({[&](CWnd* d) { ScopedDialogDriver::Send(d, IDCANCEL); }});
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ("UNTOUCHED", dialog.m_text);
}
