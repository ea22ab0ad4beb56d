#pragma once
// Picture folders for the image browser and link-image dialog tests, written at test time: one
// picture of each kind in its own colour, a ".jpeg" (listed, never drawn), an upper-case ".PNG"
// and a text file; and a browser living as a child of a test window.
#include "testsupport/picturefiles.h"
#include "testsupport/tempdir.h"
#include "testsupport/writermetafiles.h"
#include "ui/imagebrowser.h"

#include <string>
#include <vector>

namespace imagefolder {

const COLORREF kYellow = RGB(255, 255, 0);    // a.png
const COLORREF kGreen = RGB(0, 160, 0);       // b.jpg
const COLORREF kBlue = RGB(0, 0, 255);        // c.bmp
const COLORREF kRed = RGB(255, 0, 0);         // d.wmf (the helper's rectangle)
const COLORREF kCyan = RGB(0, 255, 255);      // e.jpeg
const COLORREF kMagenta = RGB(255, 0, 255);   // F.PNG
const COLORREF kNavy = RGB(0, 0, 128);

inline bool Solid(const CString& path, const GUID& format, COLORREF colour)
{
    return picturefiles::WritePicture(path.GetString(), format, 32, 32, [colour](int, int) { return colour; });
}

inline bool WriteKinds(const TempDir& dir)
{
    const auto wmf = writermetafiles::OfficeStyleFile();
    return Solid(dir.Path("a.png"), GUID_ContainerFormatPng, kYellow) &&
           Solid(dir.Path("b.jpg"), GUID_ContainerFormatJpeg, kGreen) &&
           Solid(dir.Path("c.bmp"), GUID_ContainerFormatBmp, kBlue) &&
           dir.WriteBytes("d.wmf", wmf.data(), wmf.size()) &&
           Solid(dir.Path("e.jpeg"), GUID_ContainerFormatJpeg, kCyan) &&
           Solid(dir.Path("F.PNG"), GUID_ContainerFormatPng, kMagenta) &&
           dir.WriteBytes("notes.txt", "not a picture", 13);
}

// The image names of a folder in the order the file system gives them.
inline std::vector<std::string> ImageNamesInOrder(const CString& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA((folder + "\\*.*").GetString(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = found.cFileName;
        if (name.size() > 4 && name.substr(name.size() - 4) != ".txt" && name != "." && name != "..")
            names.push_back(name);
    } while (::FindNextFileA(find, &found));
    ::FindClose(find);
    return names;
}

// Restores the process's current folder.
class CurrentFolder {
public:
    explicit CurrentFolder(const char* folder)
    {
        ::GetCurrentDirectoryA(sizeof m_saved, m_saved);
        ::SetCurrentDirectoryA(folder);
    }
    ~CurrentFolder() { ::SetCurrentDirectoryA(m_saved); }

private:
    char m_saved[MAX_PATH] = {};
};

inline COLORREF ScreenPixel(HWND wnd, POINT p)
{
    ::ClientToScreen(wnd, &p);
    HDC screen = ::GetDC(nullptr);
    const COLORREF colour = ::GetPixel(screen, p.x, p.y);
    ::ReleaseDC(nullptr, screen);
    return colour;
}

inline void Drain()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
}

inline LPARAM At(int x, int y)
{
    return MAKELPARAM(x, y);
}

inline POINT CellCentre(const CImageBrowser& browser, int index)
{
    const RECT rc = browser.CellRect(index);
    return POINT{rc.left + 24, rc.top + 24};
}

// The index of the last item of a list box (the dialog's folder list) whose text contains part, or -1.
inline int LastListItemContaining(HWND list, const char* part)
{
    const int count = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
    int found = -1;
    for (int i = 0; i < count; ++i) {
        char text[MAX_PATH] = {};
        ::SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        if (std::string(text).find(part) != std::string::npos)
            found = i;
    }
    return found;
}

}  // namespace imagefolder
