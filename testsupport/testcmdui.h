#pragma once
// CTestCmdUI: a CCmdUI for update handlers in tests. It touches no element; it keeps the state the
// handlers leave (enabled, check, radio, text) and the calls in the order they came.
#include "framework/cmdtarget.h"
#include "framework/cstring.h"
#include <vector>

class CTestCmdUI : public CCmdUI {
public:
    enum class Call { Enable, SetCheck, SetRadio, SetText };
    struct Record {
        Call call;
        int value;                     // Enable/SetRadio: 0 or 1; SetCheck: the check state
        CString text;                  // SetText
    };

    BOOL m_bEnabled = TRUE;
    int m_nCheck = -1;                 // -1: nobody set it
    BOOL m_bRadio = FALSE;
    BOOL m_bTextSet = FALSE;
    CString m_strText;
    std::vector<Record> m_calls;

    explicit CTestCmdUI(UINT id = 0) { m_nID = id; }

    void Enable(BOOL bOn = TRUE) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
        m_calls.push_back({Call::Enable, bOn ? 1 : 0, CString()});
    }
    void SetCheck(int nCheck = 1) override
    {
        m_nCheck = nCheck;
        m_calls.push_back({Call::SetCheck, nCheck, CString()});
    }
    void SetRadio(BOOL bOn = TRUE) override
    {
        m_bRadio = bOn;
        m_nCheck = bOn ? 1 : 0;
        m_calls.push_back({Call::SetRadio, bOn ? 1 : 0, CString()});
    }
    void SetText(const char* text) override
    {
        m_bTextSet = TRUE;
        m_strText = text;
        m_calls.push_back({Call::SetText, 0, CString(text)});
    }
    // Whether any handler answered (called anything at all).
    bool Answered() const { return !m_calls.empty(); }
};
