#pragma once
// ScopedDialogDriver: while alive, every dialog (CDialog modal or modeless, CFileDialog, property
// sheets) is handed to a script once it is initialised: the test reads and sets controls by
// message and ends the dialog. Restores the previous driver when destroyed.
#include "framework/dialog.h"
#include <functional>
#include <vector>

class ScopedDialogDriver {
public:
    using Step = std::function<void(CWnd* dialog)>;

    // Each dialog gets the next step; dialogs beyond the steps get `fallback` (default: posts
    // WM_COMMAND IDCANCEL to the dialog's top-level window, so nothing waits for a person).
    explicit ScopedDialogDriver(std::vector<Step> steps = {}, Step fallback = nullptr);
    ~ScopedDialogDriver();
    ScopedDialogDriver(const ScopedDialogDriver&) = delete;
    ScopedDialogDriver& operator=(const ScopedDialogDriver&) = delete;

    void Add(Step step) { m_steps.push_back(std::move(step)); }
    // The dialogs seen, in order (handles; most are destroyed by the time a test looks).
    const std::vector<HWND>& Seen() const { return m_seen; }
    // Their captions, read when they were handed over.
    const std::vector<CString>& Captions() const { return m_captions; }

    // Ends a dialog by posting WM_COMMAND id to its top-level window (the system's dialog for
    // the explorer-style file dialog).
    static void Post(CWnd* dialog, int id);
    // Sends WM_COMMAND id (a CDialog of ours ends before its loop starts).
    static void Send(CWnd* dialog, int id);

private:
    DialogDriver m_previous;
    std::vector<Step> m_steps;
    size_t m_next = 0;
    Step m_fallback;
    std::vector<HWND> m_seen;
    std::vector<CString> m_captions;
};
