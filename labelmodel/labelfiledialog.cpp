// Save dialogs of label definition files.
#include "labelmodel/labelfiledialog.h"
#include "framework/filedlg.h"
#include "framework/msgbox.h"
#include "framework/wnd.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/labelstockids.h"

std::string BuildFileDialogFilter(const char* filter) {
    std::string list = filter ? filter : "";
    for (char& c : list)
        if (c == '|')
            c = '\0';
    // The dialog reads pairs until an empty name: make sure the list ends in two NULs.
    while (list.size() < 2 || list[list.size() - 1] != '\0' || list[list.size() - 2] != '\0')
        list.push_back('\0');
    return list;
}

DWORD LabelSaveDialogFlags() {
    // A name typed for a new label definition may be one the library already holds: the
    // dialog asks before that file is replaced.
    return OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
}

bool CLabelFileNew::AskPath(HWND parent, bool saveAs, CString& path) const {
    CFileDialog dialog(FALSE, "label", saveAs ? m_path.GetString() : nullptr, LabelSaveDialogFlags(),
                       LoadStringOr(IDS_LABEL_FILE_FILTER, "Label files (*.label)|*.label||"),
                       CWnd::FromHandle(parent));
    // The stock's path field holds 256 characters: the dialog is given no room for more.
    dialog.m_ofn.nMaxFile = kStockPathField;
    const char* folder = GetLabelsFolder();
    if (folder != nullptr && *folder != '\0')
        dialog.m_ofn.lpstrInitialDir = folder;
    if (dialog.DoModal() != IDOK)
        return false;
    path = dialog.GetPathName();
    return !path.IsEmpty();
}

bool CLabelFileNew::SaveToFileOrReport(HWND parent) {
    if (SaveToFile(m_path))
        return true;
    // The person asked for this save: a file that could not be written must not pass unseen.
    CString text;
    text.Format(LoadStringOr(IDS_STOCK_CANNOT_WRITE, "Can not open file %s"), m_path.GetString());
    ShowMessageBox(parent, text, nullptr, MB_OK | MB_ICONERROR);
    return false;
}

bool CLabelFileNew::SaveLabelFile(HWND parent) {
    if (m_path.IsEmpty()) {
        CString chosen;
        if (!AskPath(parent, false, chosen))
            return false;
        SetPath(chosen);
    }
    return SaveToFileOrReport(parent);
}

bool CLabelFileNew::SaveLabelFileAs(HWND parent) {
    CString chosen;
    if (!AskPath(parent, true, chosen))
        return false;
    SetPath(chosen);
    return SaveToFileOrReport(parent);
}
