#include "testsupport/shellrecorder.h"

ShellRecorder::ShellRecorder()
{
    m_previous = SetShellOpener([this](const ShellOpenRequest& request) {
        m_calls.push_back(request);
        return m_result;
    });
}

ShellRecorder::~ShellRecorder()
{
    SetShellOpener(std::move(m_previous));
}
