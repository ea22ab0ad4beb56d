#pragma once
// CFindReplaceDialog: the system's modeless Find or Replace dialog bound to an object that owns
// its FINDREPLACE record and text buffers for as long as the window lives, and deletes itself after
// the window. Bound, it gets Tab and Enter through the message loop's pre-translation.
#include "framework/wnd.h"

#include <commdlg.h>

class CFindReplaceDialog : public CWnd {
public:
    CFindReplaceDialog();
    ~CFindReplaceDialog() override = default;

    // Creates the dialog (Find when findOnly) for the notifications of parent. FALSE when the
    // system refused; the object must then be deleted by the caller.
    BOOL Create(BOOL findOnly, const char* findWhat, const char* replaceWith = nullptr, DWORD flags = FR_DOWN,
                CWnd* parent = nullptr);

    // The object behind a FINDMSGSTRING notification.
    static CFindReplaceDialog* GetNotifier(LPARAM lParam);

    CString GetFindString() const { return m_find; }
    CString GetReplaceString() const { return m_replace; }
    BOOL FindNext() const { return (m_fr.Flags & FR_FINDNEXT) != 0; }
    BOOL ReplaceCurrent() const { return (m_fr.Flags & FR_REPLACE) != 0; }
    BOOL ReplaceAll() const { return (m_fr.Flags & FR_REPLACEALL) != 0; }
    BOOL IsTerminating() const { return (m_fr.Flags & FR_DIALOGTERM) != 0; }
    BOOL MatchCase() const { return (m_fr.Flags & FR_MATCHCASE) != 0; }
    BOOL MatchWholeWord() const { return (m_fr.Flags & FR_WHOLEWORD) != 0; }
    BOOL SearchDown() const { return (m_fr.Flags & FR_DOWN) != 0; }

    BOOL PreTranslateMessage(MSG* msg) override;
    void PostNcDestroy() override { delete this; }

    FINDREPLACEA m_fr;

private:
    char m_find[256];
    char m_replace[256];
};
