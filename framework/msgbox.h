#pragma once
// Every message box of the system goes through these functions, so that tests can intercept them
// (testsupport/msgboxrecorder.h) and no modal box ever waits in a test run.
#include "framework/cstring.h"
#include <windows.h>
#include <functional>

// Boxes with text; the caption is the application name. The owner is the thread's active window.
int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);
// Boxes with string `stringId` from the string table; helpId (UINT)-1 means "use the string id".
int AfxMessageBox(UINT stringId, UINT type = MB_OK, UINT helpId = (UINT)-1);
// A box with an explicit owner and caption (null caption: the application name).
int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type);

// The application's name: the application object's (AfxGetApp()); without one, or with an unnamed
// one, ProgramTitle(). Good until the name changes or the object goes.
const char* AfxGetAppName();
// The name the program gives itself: string AFX_IDS_APP_TITLE of its resources, else its file's
// name without the extension. An application object made without a name takes it.
CString ProgramTitle();

// What a box was asked to show. stringId is 0 for boxes given a text.
struct MessageBoxRequest {
    HWND owner;
    const char* text;
    const char* caption;
    UINT type;
    UINT stringId;
    UINT helpId;
};
// A hook answers in place of the real box (returns IDOK, IDYES, ...). Setting returns the previous
// hook; an empty hook shows real boxes.
using MessageBoxHook = std::function<int(const MessageBoxRequest&)>;
MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);
