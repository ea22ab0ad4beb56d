#pragma once
// CursorClipRecorder: while alive, every AfxClipCursor is recorded instead of handed to the
// platform, and the recorder keeps the clip the program would now have (none after a release).
// Restores the previous clipper.
#include "framework/cursorclip.h"
#include <vector>

class CursorClipRecorder {
public:
    struct Call {
        bool release;                  // AfxClipCursor(nullptr)
        RECT rect;                     // the asked-for rectangle when not a release
    };

    CursorClipRecorder();
    ~CursorClipRecorder();
    CursorClipRecorder(const CursorClipRecorder&) = delete;
    CursorClipRecorder& operator=(const CursorClipRecorder&) = delete;

    const std::vector<Call>& Calls() const { return m_calls; }
    size_t Count() const { return m_calls.size(); }
    void Clear() { m_calls.clear(); }
    // True while the last call confined the pointer (it was not released since).
    bool Clipped() const { return !m_calls.empty() && !m_calls.back().release; }
    // The rectangle of the last confinement; all zero when there was none.
    RECT LastClip() const;

private:
    CursorClipper m_previous;
    std::vector<Call> m_calls;
};
