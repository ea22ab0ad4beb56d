#include "framework/msgbox.h"

#include "framework/cstring.h"

#include <string>
#include <utility>

namespace {

std::string& AppName()
{
    static std::string name = "KORVELTA-PRINT";
    return name;
}

MessageBoxHook& Hook()
{
    static MessageBoxHook hook;
    return hook;
}

int Show(const MessageBoxRequest& request)
{
    if (Hook())
        return Hook()(request);

    MSGBOXPARAMSA params = {};
    params.cbSize = sizeof(params);
    params.hwndOwner = request.owner;
    params.hInstance = AfxGetResourceHandle();
    params.lpszText = request.text ? request.text : "";
    params.lpszCaption = request.caption ? request.caption : AfxGetAppName();
    params.dwStyle = request.type;
    params.dwContextHelpId = request.helpId;
    return ::MessageBoxIndirectA(&params);
}

// The owner of a box raised without one: the thread's active window, so the box is modal to it.
HWND DefaultOwner()
{
    HWND active = ::GetActiveWindow();
    return active ? ::GetLastActivePopup(active) : nullptr;
}

} // namespace

const char* AfxGetAppName()
{
    return AppName().c_str();
}

void AfxSetAppName(const char* name)
{
    AppName() = name ? name : "";
}

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook)
{
    std::swap(Hook(), hook);
    return hook;
}

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type)
{
    MessageBoxRequest request = { owner, text ? text : "", caption ? caption : AfxGetAppName(),
                                  type, 0, 0 };
    return Show(request);
}

int AfxMessageBox(const char* text, UINT type, UINT helpId)
{
    MessageBoxRequest request = { DefaultOwner(), text ? text : "", AfxGetAppName(), type, 0,
                                  helpId };
    return Show(request);
}

int AfxMessageBox(UINT stringId, UINT type, UINT helpId)
{
    CString text;
    if (!text.LoadString(stringId)) {
        // A box without its text still has to be answered; leave a trace for the developer.
        CString note;
        note.Format("KORVELTA-PRINT: message string %u is missing\n", stringId);
        ::OutputDebugStringA(note);
    }
    MessageBoxRequest request = { DefaultOwner(), text, AfxGetAppName(), type, stringId,
                                  helpId == static_cast<UINT>(-1) ? stringId : helpId };
    return Show(request);
}
