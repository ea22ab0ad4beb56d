// Shows one of the small dialogs so that scripts/screenshot.sh --dialog can picture it:
//   dialog_gallery lock | unlock | qrtext | about
// The dialog runs modally until it is closed (or the program is ended).
#include "labelmodel/qrtextdialog.h"
#include "ui/aboutdlg.h"
#include "ui/lockdialogs.h"

#include <commctrl.h>
#include <cstring>

int main(int argc, char** argv)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    const char* name = argc > 1 ? argv[1] : "about";
    if (std::strcmp(name, "lock") == 0) {
        CLockDocumentDialog dialog;
        dialog.m_nLock = 1;
        dialog.DoModal();
    } else if (std::strcmp(name, "unlock") == 0) {
        CUnlockDocumentDialog dialog;
        dialog.DoModal();
    } else if (std::strcmp(name, "qrtext") == 0) {
        CEditText4QRCodeDlg dialog;
        dialog.m_text = "KORVELTA-PRINT\r\nLine two of the symbol\r\n12345";
        dialog.DoModal();
    } else {
        CAboutDlg dialog;
        dialog.DoModal();
    }
    return 0;
}
