#include "framework/msgbox.h"

#include "framework/app.h"
#include "framework/cstring.h"
#include "framework/stdids.h"

#include <shlwapi.h>
#include <utility>

namespace {

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

CString ProgramTitle()
{
    CString title;
    if (title.LoadString(AFX_IDS_APP_TITLE) && !title.IsEmpty())
        return title;
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    ::PathRemoveExtensionA(path);
    return ::PathFindFileNameA(path);
}

const char* AfxGetAppName()
{
    const CWinApp* app = AfxGetApp();
    if (app != nullptr && !app->m_strAppName.IsEmpty())
        return app->m_strAppName;
    static CString title;
    title = ProgramTitle();
    return title;
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
        note.Format("%s: message string %u is missing\n", AfxGetAppName(), stringId);
        ::OutputDebugStringA(note);
    }
    MessageBoxRequest request = { DefaultOwner(), text, AfxGetAppName(), type, stringId,
                                  helpId == static_cast<UINT>(-1) ? stringId : helpId };
    return Show(request);
}
