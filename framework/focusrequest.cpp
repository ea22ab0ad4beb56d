#include "framework/focusrequest.h"

#include <utility>

namespace {

FocusRequester& Requester()
{
    static FocusRequester requester;
    return requester;
}

} // namespace

FocusRequester SetFocusRequester(FocusRequester requester)
{
    std::swap(Requester(), requester);
    return requester;
}

HWND AfxRestoreFocus(HWND wnd)
{
    if (Requester()) {
        FocusRequester requester = Requester();
        return requester(wnd);
    }
    if (wnd == nullptr || !::IsWindow(wnd))
        return nullptr;
    return ::SetFocus(wnd);
}
