#include "testsupport/focusrecorder.h"

#include <utility>

FocusRecorder::FocusRecorder(bool passOn)
{
    m_previous = SetFocusRequester([this, passOn](HWND wnd) -> HWND {
        m_calls.push_back(wnd);
        if (!passOn || wnd == nullptr || !::IsWindow(wnd))
            return nullptr;
        return ::SetFocus(wnd);
    });
}

FocusRecorder::~FocusRecorder()
{
    SetFocusRequester(std::move(m_previous));
}
