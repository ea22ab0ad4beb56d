#include "testsupport/msgboxrecorder.h"

MessageBoxRecorder::MessageBoxRecorder()
{
    m_previous = SetMessageBoxHook([this](const MessageBoxRequest& r) { return OnBox(r); });
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    SetMessageBoxHook(std::move(m_previous));
}

void MessageBoxRecorder::Answer(int result)
{
    m_answers.push_back(result);
}

void MessageBoxRecorder::Answer(std::initializer_list<int> results)
{
    m_answers.insert(m_answers.end(), results.begin(), results.end());
}

int MessageBoxRecorder::DefaultAnswer(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_YESNO:
    case MB_YESNOCANCEL: return IDYES;
    case MB_RETRYCANCEL:
    case MB_CANCELTRYCONTINUE: return IDCANCEL;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    default: return IDOK;
    }
}

int MessageBoxRecorder::OnBox(const MessageBoxRequest& request)
{
    RecordedMessageBox box;
    box.text = request.text;
    box.caption = request.caption;
    box.type = request.type;
    box.stringId = request.stringId;
    box.owner = request.owner;
    if (!m_answers.empty()) {
        box.answer = m_answers.front();
        m_answers.pop_front();
    } else {
        box.answer = DefaultAnswer(request.type);
    }
    m_boxes.push_back(box);
    return box.answer;
}
