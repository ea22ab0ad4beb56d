// korvelta_drive: a small helper for the screenshot scenarios, run inside the program's Wine
// prefix next to the program. It does the few things xdotool cannot: install the file printer,
// find a window of the program by its control id, send the program a command, wait for a window.
//   korvelta_drive printer               installs the file printer; prints the file its jobs go to
//   korvelta_drive wait <caption> <s>    waits until a top-level window's caption contains <caption>
//   korvelta_drive rect <id>             screen rectangle "x y w h" of the first visible window
//                                        with that control id below the main frame
//   korvelta_drive post <id>             posts WM_COMMAND <id> to the main frame
//   korvelta_drive settext <id> <text>   sets the text of that window (a ribbon edit box)
//   korvelta_drive project <path> <rows> saves a project of <rows> labels of three texts, a Code 128
//                                        and a QR Code each (3 x 8 on A4): a long print job
// With KORVELTA_DESKTOP set, windows are looked for in that Wine desktop.
#include "document/tests/printhelpers.h"
#include "testsupport/fileprinter.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct CaptionSearch {
    const char* part;
    HWND found;
};

BOOL CALLBACK MatchCaption(HWND wnd, LPARAM param)
{
    auto* search = reinterpret_cast<CaptionSearch*>(param);
    char caption[512] = {};
    ::GetWindowTextA(wnd, caption, sizeof caption);
    if (::IsWindowVisible(wnd) && std::strstr(caption, search->part) != nullptr) {
        search->found = wnd;
        return FALSE;
    }
    return TRUE;
}

HWND FindTopLevel(const char* part)
{
    CaptionSearch search{part, nullptr};
    ::EnumWindows(MatchCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The main frame's caption starts with the program's name and a dash.
HWND MainFrame()
{
    return FindTopLevel("KORVELTA-PRINT - ");
}

struct IdSearch {
    LONG_PTR id;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK MatchId(HWND wnd, LPARAM param)
{
    auto* search = reinterpret_cast<IdSearch*>(param);
    // Ids below zero (the design canvas is -1) come back sign- or zero-extended depending on how
    // the window was created; the low 32 bits decide.
    const LONG_PTR id = ::GetWindowLongPtrA(wnd, GWLP_ID);
    if ((!search->visibleOnly || ::IsWindowVisible(wnd)) && static_cast<DWORD>(id) == static_cast<DWORD>(search->id)) {
        search->found = wnd;
        return FALSE;
    }
    return TRUE;
}

HWND FindById(LONG_PTR id, bool visibleOnly = true)
{
    HWND frame = MainFrame();
    if (frame == nullptr)
        return nullptr;
    IdSearch search{id, visibleOnly, nullptr};
    ::EnumChildWindows(frame, MatchId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The program runs in Wine's virtual desktop named by KORVELTA_DESKTOP; windows are only found
// from a thread of the same desktop. False while that desktop does not exist yet.
bool AttachDesktop()
{
    static bool attached = false;
    const char* desktop = std::getenv("KORVELTA_DESKTOP");
    if (attached || desktop == nullptr)
        return true;
    if (HDESK handle = ::OpenDesktopA(desktop, 0, FALSE, GENERIC_ALL))
        attached = ::SetThreadDesktop(handle) != FALSE;
    return attached;
}

int Fail(const char* what)
{
    std::fprintf(stderr, "korvelta_drive: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Fail("usage: printer | wait <caption> <seconds> | rect <id> | post <id> | settext <id> <text> | "
                    "project <path> <rows>");
    const std::string verb = argv[1];
    AttachDesktop();
    if (verb == "printer") {
        if (!printtest::EnsureFilePrinter())
            return Fail("the file printer could not be installed");
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        std::printf("%skorvelta-port.ps\n", temp);
        return 0;
    }
    if (verb == "wait" && argc >= 4) {
        const DWORD until = ::GetTickCount() + static_cast<DWORD>(std::atoi(argv[3])) * 1000;
        // The desktop may not exist yet when the program is still starting.
        while (!AttachDesktop() || FindTopLevel(argv[2]) == nullptr) {
            if (static_cast<LONG>(::GetTickCount() - until) > 0)
                return Fail("no such window");
            ::Sleep(100);
        }
        return 0;
    }
    if (verb == "rect" && argc >= 3) {
        HWND wnd = FindById(std::atol(argv[2]));
        if (wnd == nullptr)
            return Fail("no visible window with that id");
        RECT rect;
        ::GetWindowRect(wnd, &rect);
        std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
        return 0;
    }
    if (verb == "post" && argc >= 3) {
        HWND frame = MainFrame();
        if (frame == nullptr)
            return Fail("the main window is not there");
        ::PostMessageA(frame, WM_COMMAND, MAKEWPARAM(std::atoi(argv[2]), 0), 0);
        return 0;
    }
    if (verb == "settext" && argc >= 4) {
        // A box of a ribbon tab not shown is a hidden window; its text still counts.
        HWND wnd = FindById(std::atol(argv[2]), false);
        if (wnd == nullptr)
            return Fail("no visible window with that id");
        ::SendMessageA(wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3]));
        return 0;
    }
    if (verb == "project" && argc >= 4) {
        const int rows = std::atoi(argv[3]);
        if (rows <= 0)
            return Fail("the number of rows must be above 0");
        COstrelindSoftLabelDoc doc;
        doc.m_bAutoDelete = FALSE;
        doc.OnNewDocument();
        printtest::BuildDenseLabels(doc, rows);
        if (!doc.OnSaveDocument(argv[2]))
            return Fail("the project could not be saved");
        return 0;
    }
    return Fail("unknown command");
}
