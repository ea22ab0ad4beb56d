#pragma once
// FocusRecorder: while alive, every AfxRestoreFocus is recorded; the request is still handed to
// the platform unless the recorder is told not to. Restores the previous requester.
#include "framework/focusrequest.h"
#include <vector>

class FocusRecorder {
public:
    explicit FocusRecorder(bool passOn = true);
    ~FocusRecorder();
    FocusRecorder(const FocusRecorder&) = delete;
    FocusRecorder& operator=(const FocusRecorder&) = delete;

    const std::vector<HWND>& Calls() const { return m_calls; }
    size_t Count() const { return m_calls.size(); }
    void Clear() { m_calls.clear(); }
    // The window of the last request; null when there was none.
    HWND Last() const { return m_calls.empty() ? nullptr : m_calls.back(); }

private:
    FocusRequester m_previous;
    std::vector<HWND> m_calls;
};
