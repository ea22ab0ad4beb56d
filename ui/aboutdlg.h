#pragma once
// CAboutDlg: the "About KORVELTA-PRINT" box (dialog 100) with the program's version line and the
// maker's web address. Opened modally from ID_APP_ABOUT, or modeless as the start-up splash,
// which the application owns and deletes.
#include "framework/dialog.h"
#include "ui/hyperlink.h"

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(bool splash = false);

    BYTE m_bSplash;                    // 1 while shown as the start-up splash

    BOOL OnInitDialog() override;
    // Moves the window (no size or Z-order change) to the centre of `over`'s window rectangle.
    void CenterOver(CWnd* over);

    // "Version %d.%d.%d.%d" from a module's file version; empty when it has no version block.
    static CString GetVersionLine(const char* modulePath);
    // Where the address leads.
    static const char* WebAddress() { return "https://www.quendric.com"; }

    // The maker's address (control 2233): it opens the address itself when clicked, so the box
    // has no click handler of its own (the address would open twice).
    CHyperLink m_link;

    void DoDataExchange(CDataExchange* dx) override;
};
