// korvelta_drive: a small helper for the screenshot scenarios, run inside the program's Wine
// prefix next to the program. It does the few things xdotool cannot: install the file printer,
// find a window of the program by its control id, send the program a command, wait for a window.
//   korvelta_drive printer               installs the file printer; prints the file its jobs go to
//   korvelta_drive wait <caption> <s>    waits until a top-level window's caption contains <caption>
//                                        (a dialog's caption is <caption> when that begins
//                                        with "=")
//   korvelta_drive rect <id>             screen rectangle "x y w h" of the first visible window
//                                        with that control id below the main frame
//   korvelta_drive post <id>             posts WM_COMMAND <id> to the main frame
//   korvelta_drive settext <id> <text>   sets the text of that window (a ribbon edit box)
//   korvelta_drive project <path> <rows> saves a project of <rows> labels of three texts, a Code 128
//                                        and a QR Code each (3 x 8 on A4): a long print job
//   korvelta_drive rectin <caption> <id> the same as rect in the top-level window (a dialog, a
//                                        message box) whose caption contains <caption>
//   korvelta_drive texts <caption>       the texts of that window's visible children, one a line (what
//                                        a message box says; buttons in brackets)
//   korvelta_drive caption               the main frame's caption
//   korvelta_drive focus                 the window of the program that has the keyboard focus:
//                                        its class, control id and caption (the active window's
//                                        caption when nothing has the focus)
//   korvelta_drive table <path> [table]  reads a saved project and prints the table (1 by default):
//                                        its filter, then each row of the table itself and, with the
//                                        filter on, each row the filter shows, cells A..D
// With KORVELTA_DESKTOP set, windows are looked for in that Wine desktop.
#include "document/tests/printhelpers.h"
#include "testsupport/fileprinter.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// A caption part beginning with "=" asks for a dialog (a message box, a file dialog) with exactly
// that caption: a message box's "KORVELTA-PRINT" is also the main frame's caption while no project
// is open. One beginning with "!" asks for a window with exactly that caption that is no dialog.
struct CaptionSearch {
    const char* part;
    HWND found;
};

bool CaptionMatches(HWND wnd, const char* caption, const char* part)
{
    if (part[0] != '=' && part[0] != '!')
        return std::strstr(caption, part) != nullptr;
    char className[64] = {};
    ::GetClassNameA(wnd, className, sizeof className);
    const bool dialog = std::strcmp(className, "#32770") == 0;
    return dialog == (part[0] == '=') && std::strcmp(caption, part + 1) == 0;
}

BOOL CALLBACK MatchCaption(HWND wnd, LPARAM param)
{
    auto* search = reinterpret_cast<CaptionSearch*>(param);
    char caption[512] = {};
    ::GetWindowTextA(wnd, caption, sizeof caption);
    if (::IsWindowVisible(wnd) && CaptionMatches(wnd, caption, search->part)) {
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

// The main frame's caption starts with the program's name and a dash; with no project open it is
// the program's name alone.
HWND MainFrame()
{
    HWND frame = FindTopLevel("KORVELTA-PRINT - ");
    return frame != nullptr ? frame : FindTopLevel("!KORVELTA-PRINT");
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

// A button's text in brackets and without its mnemonic mark ("[Yes]"), other texts as they stand.
BOOL CALLBACK PrintText(HWND wnd, LPARAM)
{
    char text[1024] = {};
    char className[64] = {};
    ::GetWindowTextA(wnd, text, sizeof text);
    ::GetClassNameA(wnd, className, sizeof className);
    if (!::IsWindowVisible(wnd) || text[0] == '\0')
        return TRUE;
    if (std::strcmp(className, "Button") != 0) {
        std::printf("%s\n", text);
        return TRUE;
    }
    std::string caption;
    for (const char* c = text; *c != '\0'; ++c)
        if (*c != '&')
            caption += *c;
    std::printf("[%s]\n", caption.c_str());
    return TRUE;
}

HWND FindInTopLevel(const char* caption, LONG_PTR id)
{
    HWND top = FindTopLevel(caption);
    if (top == nullptr)
        return nullptr;
    IdSearch search{id, true, nullptr};
    ::EnumChildWindows(top, MatchId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int PrintRect(HWND wnd)
{
    RECT rect;
    ::GetWindowRect(wnd, &rect);
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    return 0;
}

// Rows up to the last one with a cell, cells A..D, separated by " | ".
void PrintRows(const char* name, const CDataTableBase* table)
{
    if (table == nullptr)
        return;
    for (int row = 0; row < table->GetUsedRowCount(); ++row) {
        std::printf("%s %d:", name, row + 1);
        for (int column = 0; column < 4; ++column) {
            const char* text = table->GetCellText(row, column);
            std::printf(" %s%s", column > 0 ? "| " : "", text != nullptr ? text : "");
        }
        std::printf("\n");
    }
}

int PrintTable(const char* path, int table)
{
    COstrelindSoftLabelDoc doc;
    doc.m_bAutoDelete = FALSE;
    if (!doc.OnOpenDocument(path))
        return 1;
    const TableSlot& slot = doc.GetTableSlot(table - 1);
    if (const CDataTableFilter* filter = slot.Filter()) {
        std::printf("filter: %s, include \"%s\" in", filter->IsEnabled() ? "on" : "off",
                    filter->GetIncludeString(0).GetString());
        for (int column = 0; column < 26; ++column)
            if (filter->GetFilterFlag(column, kFilterInclude1))
                std::printf(" %c", 'A' + column);
        std::printf("\n");
    } else {
        std::printf("filter: none\n");
    }
    PrintRows("table", slot.Table());
    if (slot.IsFilterOn())
        PrintRows("shown", slot.Filtered());
    return 0;
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
                    "project <path> <rows> | rectin <caption> <id> | texts <caption> | caption | focus | "
                    "table <path> [table]");
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
        return PrintRect(wnd);
    }
    if (verb == "rectin" && argc >= 4) {
        HWND wnd = FindInTopLevel(argv[2], std::atol(argv[3]));
        if (wnd == nullptr)
            return Fail("no visible window with that id in that window");
        return PrintRect(wnd);
    }
    if (verb == "texts" && argc >= 3) {
        HWND top = FindTopLevel(argv[2]);
        if (top == nullptr)
            return Fail("no such window");
        ::EnumChildWindows(top, PrintText, 0);
        return 0;
    }
    if (verb == "focus") {
        HWND frame = MainFrame();
        if (frame == nullptr)
            return Fail("the main window is not there");
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(frame, nullptr), &info))
            return Fail("the program's thread could not be asked");
        HWND wnd = info.hwndFocus != nullptr ? info.hwndFocus : info.hwndActive;
        char className[128] = {};
        char caption[256] = {};
        ::GetClassNameA(wnd, className, sizeof className);
        ::GetWindowTextA(wnd, caption, sizeof caption);
        std::printf("%s %s id %ld \"%s\"\n", info.hwndFocus != nullptr ? "focus" : "no focus, active",
                    className, static_cast<long>(::GetWindowLongPtrA(wnd, GWLP_ID)), caption);
        return 0;
    }
    if (verb == "caption") {
        HWND frame = MainFrame();
        if (frame == nullptr)
            return Fail("the main window is not there");
        char caption[512] = {};
        ::GetWindowTextA(frame, caption, sizeof caption);
        std::printf("%s\n", caption);
        return 0;
    }
    if (verb == "table" && argc >= 3) {
        if (PrintTable(argv[2], argc >= 4 ? std::atoi(argv[3]) : 1) != 0)
            return Fail("the project could not be read");
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
