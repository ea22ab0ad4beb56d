#include "labelmodel/qrtextdialog.h"

#include "labelmodel/dialogids.h"
#include "labelmodel/textcontent.h"

CEditText4QRCodeDlg::CEditText4QRCodeDlg(CWnd* parent) : CDialog(IDD_QR_TEXT, parent) {}

void CEditText4QRCodeDlg::DoDataExchange(CDataExchange* dx)
{
    DDX_Text(dx, IDC_QR_TEXT, m_text);
    // The content keeps at most this much of a text; the edit takes no more.
    DDV_MaxChars(dx, m_text, kRecordTextMax);
}
