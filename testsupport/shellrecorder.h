#pragma once
// ShellRecorder: while alive, every AfxShellExecute and AfxHtmlHelp is recorded instead of run and
// answered with a fixed result (TRUE unless told otherwise). Restores the previous opener.
#include "framework/shellopen.h"
#include <vector>

class ShellRecorder {
public:
    ShellRecorder();
    ~ShellRecorder();
    ShellRecorder(const ShellRecorder&) = delete;
    ShellRecorder& operator=(const ShellRecorder&) = delete;

    void AnswerWith(BOOL result) { m_result = result; }

    const std::vector<ShellOpenRequest>& Calls() const { return m_calls; }
    size_t Count() const { return m_calls.size(); }
    const ShellOpenRequest& Last() const { return m_calls.back(); }

private:
    ShellOpener m_previous;
    BOOL m_result = TRUE;
    std::vector<ShellOpenRequest> m_calls;
};
