#pragma once
// The print dialog's test pieces: the application object with the run's profile key, the
// program's print dialog template driven through its hook as the system's dialog drives it, and a
// sheet document with one object over a filled table.
#include "printhelpers.h"
#include "projecthelpers.h"

#include "document/printids.h"
#include "framework/app.h"
#include "testsupport/testrun.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <memory>
#include <vector>

namespace printtest {

// The application object with the program's profile key under the run's own name (testrun.h).
struct ProfileApp {
    CWinApp app{RunScopedName("KORVELTA-PRINT")};
    ProfileApp() { app.SetRegistryKey("QUENDRIC"); }
};

inline INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

// The program's print dialog template as a window, driven through the hook like the system's
// print dialog drives it.
struct HookedDialog {
    HWND wnd = nullptr;
    PRINTDLGA pd = {};
    explicit HookedDialog(PrintOptionBlock* block)
    {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&controls);
        wnd = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PRINT_DIALOG), nullptr,
                                 PlainDialogProc, 0);
        pd.lStructSize = sizeof pd;
        pd.lCustData = reinterpret_cast<LPARAM>(block);
        if (wnd)
            EXPECT_EQ(PrintDialogHookProc(wnd, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(&pd)), 1u);
    }
    ~HookedDialog() { if (wnd) DestroyWindow(wnd); }
    CString Text(int id) const
    {
        char text[64] = {};
        GetDlgItemTextA(wnd, id, text, sizeof text);
        return CString(text);
    }
    void Set(int id, const char* text) { SetDlgItemTextA(wnd, id, text); }
    // What the hook answers to OK: 0 lets the dialog close, 1 keeps it open on a refused field.
    UINT_PTR Ok() { return PrintDialogHookProc(wnd, WM_COMMAND, IDOK, 0); }
    void Spin(int id, int delta)
    {
        NMUPDOWN change = {};
        change.hdr.hwndFrom = GetDlgItem(wnd, id);
        change.hdr.idFrom = static_cast<UINT_PTR>(id);
        change.hdr.code = UDN_DELTAPOS;
        change.iDelta = delta;
        PrintDialogHookProc(wnd, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&change));
    }
};

// A sheet of columns x rows labels whose one object reads the table when usesTable, over a table
// of tableRows filled rows.
inline std::unique_ptr<COstrelindSoftLabelDoc> SheetDoc(int columns, int rows, int tableRows, bool usesTable)
{
    auto doc = std::make_unique<COstrelindSoftLabelDoc>();
    doc->m_bAutoDelete = FALSE;
    doc->OnNewDocument();
    doc->GetCurrentTemplate()->SetLabelStock(MakeSheet(columns, rows, 25400, 12700));
    static std::vector<DrawCall> ignored;
    auto* object = new CallRecorder(&ignored);
    object->usesColumn = usesTable;
    doc->GetCurrentTemplate()->GetArea(0)->Append(object);
    doctest::FillTable(doc->CurrentSlot().Table(), tableRows, 2);
    return doc;
}

} // namespace printtest
