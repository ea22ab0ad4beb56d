#include "testsupport/cursorcliprecorder.h"

CursorClipRecorder::CursorClipRecorder()
{
    m_previous = SetCursorClipper([this](const RECT* rect) {
        Call call = {};
        call.release = rect == nullptr;
        if (rect != nullptr)
            call.rect = *rect;
        m_calls.push_back(call);
        return TRUE;
    });
}

CursorClipRecorder::~CursorClipRecorder()
{
    SetCursorClipper(std::move(m_previous));
}

RECT CursorClipRecorder::LastClip() const
{
    for (auto it = m_calls.rbegin(); it != m_calls.rend(); ++it)
        if (!it->release)
            return it->rect;
    return RECT{0, 0, 0, 0};
}
