// The label selection dialog over a generated library of 4096 definitions: opening the dialog
// (which reloads the library), one filter change and one sort by name. Prints milliseconds; not
// a test, the figures depend on the machine.
#include "framework/cstring.h"
#include "labelmodel/labelmanager.h"
#include "labelmodel/labelstock.h"
#include "ui/labeldialogids.h"
#include "ui/selectlabeldlg.h"

#include "bench/benchclock.h"

#include <windows.h>
#include <commctrl.h>
#include <cstdio>

namespace {

using bench::Now;

bool WriteLibrary(const CString& folder, int count)
{
    for (int i = 0; i < count; ++i) {
        CLabelFileNew stock;
        CString family;
        family.Format("Family %d", i % 300);
        stock.SetFamilyName(family);
        stock.SetWidth(0, 20000 + (i % 50) * 1000, false);
        stock.SetHeight(0, 10000 + (i % 30) * 1000);
        if (i % 3 == 0)
            stock.TogglePrinterTypes(kPrinterThermo);
        CString path;
        path.Format("%sLabel %dx%d.label", folder.GetString(), 20 + i % 50, i);
        if (!stock.SaveToFile(path))
            return false;
    }
    return true;
}

} // namespace

int main()
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    CString folder;
    folder.Format("%slabelselect_bench_%lu\\", temp, GetCurrentProcessId());
    CreateDirectoryA(folder, nullptr);
    const int count = CLabelManager::kMaxLabels;
    if (!WriteLibrary(folder, count)) {
        std::printf("could not write the library in %s\n", folder.GetString());
        return 1;
    }
    CLabelManager manager;
    manager.SetFolder(folder);
    manager.SetImagesFolder(folder);
    manager.SetInfoFolder(folder);

    CSelectLabelDialog dialog(manager);
    const double t0 = Now();
    if (!dialog.Create(IDD_SELECT_LABEL, nullptr)) {
        std::printf("the dialog could not be made\n");
        return 1;
    }
    const double t1 = Now();
    ::SendDlgItemMessageA(dialog.m_hWnd, IDC_SELECT_PRINTER_TYPE, CB_SETCURSEL, 2, 0);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SELECT_PRINTER_TYPE, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog.m_hWnd, IDC_SELECT_PRINTER_TYPE)));
    const double t2 = Now();
    const int listed = dialog.GetList().GetItemCount();
    dialog.OnColumnClicked(CSelectLabelDialog::kColumnName);
    const double t3 = Now();
    std::printf("definitions: %d, after the Thermo filter: %d\n", manager.GetCount(), listed);
    std::printf("opening (reload, fill, two sorts): %.1f ms\n", t1 - t0);
    std::printf("filter change (family box and list): %.1f ms\n", t2 - t1);
    std::printf("sort by name: %.1f ms\n", t3 - t2);
    const double t4 = Now();
    dialog.FillFamilyCombo();
    const double t5 = Now();
    dialog.FillList();
    const double t6 = Now();
    std::printf("  of which the family box: %.1f ms, the list: %.1f ms\n", t5 - t4, t6 - t5);
    dialog.DestroyWindow();

    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(folder + "*.label", &found);
    if (search != INVALID_HANDLE_VALUE) {
        do
            DeleteFileA(folder + found.cFileName);
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder);
    return 0;
}
