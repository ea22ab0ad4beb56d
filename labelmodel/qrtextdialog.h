#pragma once
// CEditText4QRCodeDlg: the modal dialog in which the constant text of a QR Code barcode object is
// typed (several lines). The caller sets m_text before DoModal and reads it after IDOK.
#include "framework/dialog.h"

class CEditText4QRCodeDlg : public CDialog {
public:
    explicit CEditText4QRCodeDlg(CWnd* parent = nullptr);

    CString m_text;

    void DoDataExchange(CDataExchange* dx) override;
};
