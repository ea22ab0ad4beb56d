#pragma once
// Everything the program hands to the shell (ShellExecute: web addresses, files, folders) and the
// help viewer goes through these functions, so that tests can record the calls
// (testsupport/shellrecorder.h) and no test ever starts a browser or the help viewer.
#include "framework/cstring.h"
#include <windows.h>
#include <functional>

// What the shell or the help viewer was asked to do.
struct ShellOpenRequest {
    BOOL help;                         // TRUE: HtmlHelp(owner, file, helpCommand, helpData)
    HWND owner;
    CString verb;                      // "open", "print", "explore", ... (empty for help)
    CString file;
    CString parameters;
    CString directory;
    int show;
    UINT helpCommand;
    DWORD_PTR helpData;
};

// ShellExecute; TRUE when the shell took it (its answer above 32).
BOOL AfxShellExecute(HWND owner, const char* verb, const char* file, const char* parameters = nullptr,
                     const char* directory = nullptr, int show = SW_SHOWNORMAL);
// The help viewer (hhctrl.ocx, loaded when first asked); FALSE when it is not there.
BOOL AfxHtmlHelp(HWND owner, const char* file, UINT command, DWORD_PTR data);

// An opener answers in place of the shell (TRUE: done). Setting returns the previous opener; an
// empty one hands the calls to the shell.
using ShellOpener = std::function<BOOL(const ShellOpenRequest& request)>;
ShellOpener SetShellOpener(ShellOpener opener);
