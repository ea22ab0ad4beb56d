#pragma once
// PrintJobRecorder: while alive, the spooler calls of the framework's print loop (StartDoc,
// StartPage, EndPage, EndDoc, AbortDoc) are recorded in order with their results, so that a test
// sees what the program asked of the printer rather than what one spooler made of it. Restores the
// previous observer when destroyed.
#include "framework/print.h"

#include <string>
#include <vector>

class PrintJobRecorder {
public:
    struct Call {
        std::string name;
        int result;
    };

    PrintJobRecorder()
        : m_previous(SetPrintJobObserver([this](const char* call, int result) { m_calls.push_back({call, result}); }))
    {
    }
    ~PrintJobRecorder() { SetPrintJobObserver(m_previous); }
    PrintJobRecorder(const PrintJobRecorder&) = delete;
    PrintJobRecorder& operator=(const PrintJobRecorder&) = delete;

    const std::vector<Call>& Calls() const { return m_calls; }
    // The names alone, joined with blanks ("StartDoc StartPage EndPage ...").
    std::string Names() const
    {
        std::string names;
        for (const Call& call : m_calls)
            names += (names.empty() ? "" : " ") + call.name;
        return names;
    }
    int Count(const char* name) const
    {
        int n = 0;
        for (const Call& call : m_calls)
            n += call.name == name ? 1 : 0;
        return n;
    }
    void Clear() { m_calls.clear(); }

private:
    std::vector<Call> m_calls;
    PrintJobObserver m_previous;
};
