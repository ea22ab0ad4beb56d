// Save dialogs of label definition files.
#include "labelmodel/labelfiledialog.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/labelstockids.h"
#include <cstring>

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

void PrepareLabelSaveDialog(OPENFILENAMEA& ofn, HWND parent, const std::string& filter,
                            char* fileBuffer, DWORD bufferSize, const char* initialFolder, bool saveAs) {
    memset(&ofn, 0, sizeof(ofn));
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = parent;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = fileBuffer;
    ofn.nMaxFile = bufferSize;
    ofn.lpstrInitialDir = initialFolder && *initialFolder ? initialFolder : nullptr;
    ofn.lpstrDefExt = "label";
    ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING;
    if (saveAs)
        ofn.Flags |= OFN_OVERWRITEPROMPT;
}

bool CLabelFileNew::AskPath(HWND parent, bool saveAs, CString& path) const {
    // The stock's path field holds 256 characters: the dialog is given no room for more.
    char file[kStockPathField] = {};
    if (saveAs)
        strncpy(file, m_path, sizeof(file) - 1);
    const std::string filter =
        BuildFileDialogFilter(LoadStringOr(IDS_LABEL_FILE_FILTER, "Label files (*.label)|*.label||"));
    OPENFILENAMEA ofn;
    PrepareLabelSaveDialog(ofn, parent, filter, file, sizeof(file), GetLabelsFolder(), saveAs);
    if (!GetSaveFileNameA(&ofn))
        return false;
    path = file;
    return true;
}

bool CLabelFileNew::SaveLabelFile(HWND parent) {
    if (m_path.IsEmpty()) {
        CString chosen;
        if (!AskPath(parent, false, chosen))
            return false;
        SetPath(chosen);
    }
    return SaveToFile(m_path);
}

bool CLabelFileNew::SaveLabelFileAs(HWND parent) {
    CString chosen;
    if (!AskPath(parent, true, chosen))
        return false;
    SetPath(chosen);
    return SaveToFile(m_path);
}
