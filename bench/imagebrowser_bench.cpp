// The thumbnail browser over a folder of 1,024 JPEG files of 1600 x 1200 pixels (written by the
// Windows Imaging Component at start): the rescan, the first paint of a 640 x 480 browser, and the
// paints after scrolling one page down and back up (the second page first, then a page already
// seen, which the per-entry thumbnail cache serves).
#include "bench/benchclock.h"
#include "testsupport/picturefiles.h"
#include "testsupport/tempdir.h"
#include "ui/imagebrowser.h"

#include <cstdio>

using bench::Now;

namespace {

double Paint(CImageBrowser& browser)
{
    const double start = Now();
    browser.Invalidate(TRUE);
    browser.UpdateWindow();
    ::GdiFlush();
    return Now() - start;
}

}  // namespace

int main()
{
    TempDir dir;
    const int kinds = 8;
    const double writeStart = Now();
    for (int k = 0; k < kinds; ++k) {
        char name[32];
        wsprintfA(name, "kind%d.jpg", k);
        const int shade = 30 * k;
        if (!picturefiles::WritePicture(dir.Path(name).GetString(), GUID_ContainerFormatJpeg, 1600, 1200,
                                        [shade](int x, int y) { return RGB((x + shade) & 255, (y + shade) & 255, shade); })) {
            std::printf("could not write the pictures\n");
            return 1;
        }
    }
    for (int i = kinds; i < 1024; ++i) {
        char from[32], to[32];
        wsprintfA(from, "kind%d.jpg", i % kinds);
        wsprintfA(to, "p%04d.jpg", i);
        ::CopyFileA(dir.Path(from).GetString(), dir.Path(to).GetString(), FALSE);
    }
    std::printf("folder of 1024 JPEG files 1600 x 1200 written in %.0f ms\n", Now() - writeStart);

    RegisterImageWindowClasses();
    ::SetCurrentDirectoryA(dir.Path().GetString());
    HWND host = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 700, 540, nullptr, nullptr,
                                  nullptr, nullptr);
    ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 1, 1, host, reinterpret_cast<HMENU>(1136), nullptr, nullptr);
    HWND wnd = ::CreateWindowExA(0, kImageBrowserClass, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 10, 10, 640, 480,
                                 host, reinterpret_cast<HMENU>(1051), nullptr, nullptr);
    CImageBrowser browser;
    browser.SubclassWindow(wnd);
    browser.ValidateRect(nullptr);

    double start = Now();
    browser.SendMessage(WM_IMAGEBROWSER_RESCAN);
    const double rescan = Now() - start;
    browser.ValidateRect(nullptr);
    std::printf("rescan: %d entries in %.1f ms (target under 200 ms)\n", browser.GetEntryCount(), rescan);

    std::printf("first page painted in %.0f ms (target under 2000 ms)\n", Paint(browser));
    browser.SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    browser.ValidateRect(nullptr);
    std::printf("next page (new pictures) painted in %.0f ms\n", Paint(browser));
    browser.SendMessage(WM_VSCROLL, SB_PAGEUP);
    browser.ValidateRect(nullptr);
    std::printf("first page again (already seen) painted in %.1f ms (target under 100 ms)\n", Paint(browser));
    ::DestroyWindow(host);
    ::SetCurrentDirectoryA("C:\\");
    return 0;
}
