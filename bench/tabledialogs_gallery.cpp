// Shows one of the table view's dialogs over a small fixture project, to be looked at (and
// pictured by scripts/screenshot.sh --dialog NAME): sequence, repeat, filter, or textimport with
// an optional page number (textimport:2 shows "Fixed length"). Ends after the given milliseconds.
//   tabledialogs_gallery NAME [milliseconds]
#include "document/labeldoc.h"
#include "framework/app.h"
#include "ui/tabledialogids.h"
#include "ui/tablefilterdlg.h"
#include "ui/tablerepeatdlg.h"
#include "ui/tablesequencedlg.h"
#include "ui/textimportsheet.h"

#include <commctrl.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

int main(int argc, char** argv)
{
    INITCOMMONCONTROLSEX controls = { sizeof controls, ICC_WIN95_CLASSES };
    ::InitCommonControlsEx(&controls);
    const std::string name = argc > 1 ? argv[1] : "sequence";
    const UINT lifetime = argc > 2 ? static_cast<UINT>(std::atoi(argv[2])) : 30000;
    CWinApp app("KORVELTA-PRINT-gallery");

    COstrelindSoftLabelDoc doc;
    doc.m_bAutoDelete = FALSE;
    doc.OnNewDocument();
    TableSlot& slot = doc.GetTableSlot(0);
    const char* parts[] = { "W-101", "W-102", "C-201", "T-301", "W-103", "PLC-1" };
    for (int r = 0; r < 6; ++r) {
        slot.SetCellText(parts[r], r, 0);
        slot.SetCellText(std::to_string(r + 1).c_str(), r, 1);
    }

    std::unique_ptr<CDialog> dialog;
    std::unique_ptr<CTextImportSheet> sheet;
    CTableFilterDlg* filter = nullptr;
    if (name == "sequence") {
        auto d = std::make_unique<CTableSequenceDlg>();
        d->m_strCell = "C1";
        d->Create(IDD_TABLE_SEQUENCE);
        d->ShowWindow(SW_SHOW);
        dialog = std::move(d);
    } else if (name == "repeat") {
        auto d = std::make_unique<CTableRepeatDlg>();
        d->m_strColumn = "B";
        d->m_nRow = 3;
        d->m_strText = "W-102";
        d->Create(IDD_TABLE_REPEAT);
        d->ShowWindow(SW_SHOW);
        dialog = std::move(d);
    } else if (name == "filter") {
        slot.CreateFilter();
        slot.Filter()->SetIncludeString(0, "W-");
        slot.ToggleFilterFlag(kFilterInclude1, 0);
        slot.Filter()->SetStripChar(0, "0");
        slot.ToggleFilterFlag(kFilterShow, 3);
        OpenTableFilterDialog(doc, 0, nullptr, filter);
    } else if (name.compare(0, 10, "textimport") == 0) {
        sheet = std::make_unique<CTextImportSheet>();
        sheet->LoadSettings();
        if (name.size() > 11)
            sheet->m_nStartPage = static_cast<UINT>(std::atoi(name.c_str() + 11));
        sheet->Create();
    } else {
        std::fprintf(stderr, "unknown dialog %s (sequence, repeat, filter, textimport[:page])\n", name.c_str());
        return 2;
    }

    ::SetTimer(nullptr, 0, lifetime, nullptr);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == nullptr)
            break;
        if (sheet && sheet->m_hWnd && ::SendMessageA(sheet->m_hWnd, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(&msg)))
            continue;
        if (CWnd::WalkPreTranslateTree(nullptr, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    CloseTableFilterDialog(filter);
    if (dialog && dialog->m_hWnd)
        dialog->DestroyWindow();
    if (sheet)
        sheet->DestroyWindow();
    return 0;
}
