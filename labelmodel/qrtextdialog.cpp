// The QR Code text dialog: a thin modal run over the resource template.
#include "labelmodel/qrtextdialog.h"

#include "framework/guard.h"
#include "labelmodel/dialogids.h"
#include "labelmodel/textcontent.h"

INT_PTR CEditText4QRCodeDlg::DoModal(HWND owner)
{
    return ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_QR_TEXT), owner,
                             &CEditText4QRCodeDlg::DialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CEditText4QRCodeDlg::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedCall([&]() -> INT_PTR {
        if (message == WM_INITDIALOG)
            ::SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        CEditText4QRCodeDlg* self =
            reinterpret_cast<CEditText4QRCodeDlg*>(::GetWindowLongPtrA(dialog, DWLP_USER));
        return self ? self->OnMessage(dialog, message, wParam) : FALSE;
    }, static_cast<INT_PTR>(FALSE));
}

INT_PTR CEditText4QRCodeDlg::OnMessage(HWND dialog, UINT message, WPARAM wParam)
{
    switch (message) {
    case WM_INITDIALOG:
        // The content keeps at most this much of a text; the edit takes no more.
        ::SendDlgItemMessageA(dialog, IDC_QR_TEXT, EM_LIMITTEXT, kRecordTextMax, 0);
        ::SetDlgItemTextA(dialog, IDC_QR_TEXT, m_text);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: {
            HWND edit = ::GetDlgItem(dialog, IDC_QR_TEXT);
            const int length = ::GetWindowTextLengthA(edit);
            CString text;
            ::GetWindowTextA(edit, text.GetBuffer(length + 1), length + 1);
            text.ReleaseBuffer();
            m_text = text;
            ::EndDialog(dialog, IDOK);
            return TRUE;
        }
        case IDCANCEL:
            ::EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}
