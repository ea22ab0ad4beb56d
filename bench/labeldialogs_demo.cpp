// Shows the label selection dialog or the template guide over a small generated library and
// project, to look at them (scripts/screenshot.sh --dialog selectlabel|guide). Closes itself
// after the given milliseconds.
//   labeldialogs_demo selectlabel|guide [milliseconds]
#include "document/labeldoc.h"
#include "framework/cstring.h"
#include "labelmodel/labelmanager.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/template.h"
#include "ui/labeldialogids.h"
#include "ui/selectlabeldlg.h"
#include "ui/templateguidedlg.h"

#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// A 64 x 40 picture with a coloured border, written as a plain 24-bit BMP file.
bool WritePicture(const char* path)
{
    const int width = 64, height = 40;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<BYTE> bits(static_cast<size_t>(stride) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            BYTE* p = &bits[static_cast<size_t>(y) * stride + static_cast<size_t>(x) * 3];
            const bool edge = x < 4 || y < 4 || x >= width - 4 || y >= height - 4;
            p[0] = edge ? 200 : 250;
            p[1] = edge ? 60 : 230;
            p[2] = edge ? 20 : 180;
        }
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(bits.size());
    FILE* out = std::fopen(path, "wb");
    if (out == nullptr)
        return false;
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info, sizeof info, 1, out);
    std::fwrite(bits.data(), 1, bits.size(), out);
    return std::fclose(out) == 0;
}

void WriteDefinition(const CString& folder, const char* name, const char* family, int w, int h, const char* image)
{
    CLabelFileNew stock;
    stock.SetFamilyName(family);
    stock.SetWidth(0, w, false);
    stock.SetHeight(0, h);
    if (image != nullptr)
        stock.SetImageFile(image);
    stock.SaveToFile(folder + name + ".label");
}

UINT_PTR g_timer = 0;
void CALLBACK CloseAll(HWND, UINT, UINT_PTR, DWORD)
{
    // The dialog's own loop ends at its Cancel.
    HWND active = ::GetActiveWindow();
    HWND dialog = ::FindWindowA(nullptr, "Select label");
    if (dialog == nullptr)
        dialog = ::FindWindowA(nullptr, "Template guide");
    ::PostMessageA(dialog ? dialog : active, WM_COMMAND, IDCANCEL, 0);
}

} // namespace

int main(int argc, char** argv)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const char* which = argc > 1 ? argv[1] : "selectlabel";
    const UINT wait = argc > 2 ? static_cast<UINT>(std::atoi(argv[2])) : 30000;
    g_timer = ::SetTimer(nullptr, 0, wait, CloseAll);

    if (std::strcmp(which, "guide") == 0) {
        COstrelindSoftLabelDoc doc;
        doc.OnNewDocument();
        auto* stock = new CLabelFileNew;
        stock->SetWidth(0, 50000, false);
        stock->SetHeight(0, 30000);
        doc.GetCurrentTemplate()->SetLabelStock(stock);
        doc.AddGuideRowColumn(0, 0);
        doc.AddGuideRowColumn(0, 1);
        doc.AddGuideRowColumn(1, 2);
        CTemplateGuideDlg dialog;
        dialog.m_pDoc = &doc;
        dialog.m_nArea = 0;
        dialog.DoModal();
        return 0;
    }

    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    CString base;
    base.Format("%slabeldialogs_demo_%lu\\", temp, ::GetCurrentProcessId());
    const CString labels = base + "labels\\", images = base + "images\\";
    ::CreateDirectoryA(base, nullptr);
    ::CreateDirectoryA(labels, nullptr);
    ::CreateDirectoryA(images, nullptr);
    WritePicture(images + "sample.bmp");
    WriteDefinition(labels, "Label 25x12", "Wire", 25000, 12000, "sample.bmp");
    WriteDefinition(labels, "Label 25x8", "Wire", 25000, 8000, "sample.bmp");
    WriteDefinition(labels, "Tag 2", "Tags", 30000, 15000, nullptr);
    WriteDefinition(labels, "Tag 10", "Tags", 30000, 15500, nullptr);
    WriteDefinition(labels, "Sleeve 4", "Sleeves", 12500, 4000, nullptr);
    CLabelManager manager;
    manager.SetFolder(labels);
    manager.SetImagesFolder(images);
    manager.SetInfoFolder(base);
    CSelectLabelDialog dialog(manager);
    struct Select {
        static void CALLBACK Run(HWND, UINT, UINT_PTR id, DWORD)
        {
            ::KillTimer(nullptr, id);
            HWND found = ::FindWindowA(nullptr, "Select label");
            HWND list = found ? ::GetDlgItem(found, IDC_SELECT_LABEL_LIST) : nullptr;
            if (list != nullptr) {
                LVITEMA item = {};
                item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
                item.state = item.stateMask;
                ::SendMessageA(list, LVM_SETITEMSTATE, 3, reinterpret_cast<LPARAM>(&item));
            }
        }
    };
    ::SetTimer(nullptr, 0, 300, &Select::Run);
    dialog.DoModal();
    WIN32_FIND_DATAA found;
    for (const CString& folder : {labels, images}) {
        HANDLE search = ::FindFirstFileA(folder + "*.*", &found);
        if (search != INVALID_HANDLE_VALUE) {
            do
                ::DeleteFileA(folder + found.cFileName);
            while (::FindNextFileA(search, &found));
            ::FindClose(search);
        }
        ::RemoveDirectoryA(folder);
    }
    ::RemoveDirectoryA(base);
    return 0;
}
