#include "framework/shellopen.h"

#include <shellapi.h>
#include <utility>

namespace {

ShellOpener& Opener()
{
    static ShellOpener opener;
    return opener;
}

BOOL Run(const ShellOpenRequest& request)
{
    if (Opener()) {
        ShellOpener opener = Opener();
        return opener(request);
    }
    if (request.help) {
        // The help viewer is loaded only when asked for: most sessions never open it.
        using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
        static HMODULE viewer = ::LoadLibraryA("hhctrl.ocx");
        if (viewer == nullptr)
            return FALSE;
        auto htmlHelp =
            reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(::GetProcAddress(viewer, "HtmlHelpA")));
        if (htmlHelp == nullptr)
            return FALSE;
        htmlHelp(request.owner, request.file, request.helpCommand, request.helpData);
        return TRUE;
    }
    HINSTANCE result = ::ShellExecuteA(request.owner, request.verb.IsEmpty() ? nullptr : request.verb.GetString(),
                                       request.file, request.parameters.IsEmpty() ? nullptr : request.parameters.GetString(),
                                       request.directory.IsEmpty() ? nullptr : request.directory.GetString(), request.show);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

} // namespace

ShellOpener SetShellOpener(ShellOpener opener)
{
    std::swap(Opener(), opener);
    return opener;
}

BOOL AfxShellExecute(HWND owner, const char* verb, const char* file, const char* parameters, const char* directory,
                     int show)
{
    ShellOpenRequest request = {};
    request.help = FALSE;
    request.owner = owner;
    request.verb = verb;
    request.file = file;
    request.parameters = parameters;
    request.directory = directory;
    request.show = show;
    return Run(request);
}

BOOL AfxHtmlHelp(HWND owner, const char* file, UINT command, DWORD_PTR data)
{
    ShellOpenRequest request = {};
    request.help = TRUE;
    request.owner = owner;
    request.file = file;
    request.show = SW_SHOWNORMAL;
    request.helpCommand = command;
    request.helpData = data;
    return Run(request);
}
