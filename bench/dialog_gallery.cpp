// Shows one of the small dialogs so that scripts/screenshot.sh --dialog can picture it:
//   dialog_gallery lock | unlock | qrtext | about | linkimage
// The dialog runs modally until it is closed (or the program is ended).
#include "labelmodel/qrtextdialog.h"
#include "ui/aboutdlg.h"
#include "ui/lockdialogs.h"
#include "document/labeldoc.h"
#include "testsupport/picturefiles.h"
#include "ui/linkimagedlg.h"
#include "ui/linkimagerows.h"
#include <string>

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
    } else if (std::strcmp(name, "linkimage") == 0) {
        // A folder of coloured pictures and a table with two image columns, the first row filled.
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        const std::string folder = std::string(temp) + "korvelta-linkimage";
        ::CreateDirectoryA(folder.c_str(), nullptr);
        const COLORREF colours[] = {RGB(220, 40, 40), RGB(40, 160, 60), RGB(40, 80, 220), RGB(240, 200, 0),
                                    RGB(160, 60, 200), RGB(0, 170, 190), RGB(250, 130, 20), RGB(90, 90, 90)};
        for (int i = 0; i < 8; ++i) {
            const std::string path = folder + "\\picture" + std::to_string(i + 1) + ".png";
            const COLORREF c = colours[i];
            picturefiles::WritePicture(path.c_str(), GUID_ContainerFormatPng, 64, 48, [c](int x, int y) {
                return (x / 8 + y / 8) % 2 ? c : RGB(255, 255, 255);
            });
        }
        COstrelindSoftLabelDoc doc;
        doc.m_bAutoDelete = FALSE;
        doc.OnNewDocument();
        doc.ToggleImageColumn(1);
        doc.ToggleImageColumn(2);
        doc.SetTableCellText((folder + "\\picture1.png").c_str(), 0, 1);
        CLinkImageRows rows(&doc, 1);
        LinkImageCommand(rows, nullptr, folder.c_str());
    } else {
        CAboutDlg dialog;
        dialog.DoModal();
    }
    return 0;
}
