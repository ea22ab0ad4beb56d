#pragma once
// MessageBoxRecorder: while alive, every AfxMessageBox/ShowMessageBox is recorded instead of shown
// and answered from a script (then by a default). Restores the previous hook when destroyed.
#include "framework/cstring.h"
#include "framework/msgbox.h"
#include <deque>
#include <initializer_list>
#include <vector>

struct RecordedMessageBox {
    CString text;
    CString caption;
    UINT type = 0;
    UINT stringId = 0;                     // 0 when the box was given a text
    HWND owner = nullptr;
    int answer = 0;                        // what the recorder answered

    UINT Buttons() const { return type & MB_TYPEMASK; }
    UINT Icon() const { return type & MB_ICONMASK; }
};

class MessageBoxRecorder {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    // Queues answers used in order by the next boxes.
    void Answer(int result);
    void Answer(std::initializer_list<int> results);
    // Without a queued answer: MB_OK/MB_OKCANCEL -> IDOK, MB_YESNO/MB_YESNOCANCEL -> IDYES,
    // MB_RETRYCANCEL/MB_CANCELTRYCONTINUE -> IDCANCEL, MB_ABORTRETRYIGNORE -> IDABORT
    // (so that no retry loop spins in a test).
    static int DefaultAnswer(UINT type);

    const std::vector<RecordedMessageBox>& Boxes() const { return m_boxes; }
    size_t Count() const { return m_boxes.size(); }
    const RecordedMessageBox& Last() const { return m_boxes.back(); }   // Count() must be > 0
    const RecordedMessageBox& operator[](size_t i) const { return m_boxes.at(i); }
    size_t PendingAnswers() const { return m_answers.size(); }
    void Clear() { m_boxes.clear(); }

private:
    int OnBox(const MessageBoxRequest& request);

    MessageBoxHook m_previous;
    std::deque<int> m_answers;
    std::vector<RecordedMessageBox> m_boxes;
};
