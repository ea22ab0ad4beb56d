#pragma once
// CEditText4QRCodeDlg: the modal dialog in which the constant text of a QR Code barcode object is
// typed (several lines). The caller sets m_text before DoModal and reads it after IDOK.
#include "framework/cstring.h"
#include <windows.h>

class CEditText4QRCodeDlg {
public:
    CString m_text;

    // IDOK (m_text holds the edit's text), IDCANCEL, or -1 when the dialog could not be shown.
    INT_PTR DoModal(HWND owner);

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(HWND dialog, UINT message, WPARAM wParam);
};
