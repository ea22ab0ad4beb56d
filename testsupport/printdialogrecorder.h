#pragma once
// PrintDialogRecorder: while alive, every CPrintDialog::DoModal (print and setup forms) is recorded
// instead of shown and answered from a script: a printer, a page range, or Cancel. Without a
// queued answer the dialog is cancelled. Restores the previous hook when destroyed.
#include "framework/cstring.h"
#include "framework/printdlg.h"
#include <deque>
#include <vector>

struct RecordedPrintDialog {
    BOOL setup = FALSE;
    DWORD flags = 0;
    WORD fromPage = 0, toPage = 0, minPage = 0, maxPage = 0, copies = 0;
    CString device;                        // the printer the dialog started with
    BOOL customTemplate = FALSE;
    HWND owner = nullptr;
    INT_PTR result = IDCANCEL;
};

class PrintDialogRecorder {
public:
    PrintDialogRecorder();
    ~PrintDialogRecorder();
    PrintDialogRecorder(const PrintDialogRecorder&) = delete;
    PrintDialogRecorder& operator=(const PrintDialogRecorder&) = delete;

    // OK with the printer the dialog started with (and its range as it stood: all pages).
    void AnswerOK();
    // OK with another printer: new DEVNAMES (driver "winspool", the printer's port) and the
    // printer's own DEVMODE when it exists (else none); the lent handles are freed as the
    // system frees them.
    void AnswerPrinter(const char* device);
    // OK with pages from..to (PD_PAGENUMS).
    void AnswerRange(WORD fromPage, WORD toPage);
    // OK with the selection (PD_SELECTION).
    void AnswerSelection();
    void AnswerCancel();

    const std::vector<RecordedPrintDialog>& Dialogs() const { return m_dialogs; }
    size_t Count() const { return m_dialogs.size(); }
    const RecordedPrintDialog& Last() const { return m_dialogs.back(); }
    size_t PendingAnswers() const { return m_answers.size(); }

private:
    struct Answer {
        enum Kind { Ok, Printer, Range, Selection, Cancel } kind;
        CString device;
        WORD from = 0, to = 0;
    };
    INT_PTR OnDialog(const PrintDialogRequest& request, CPrintDialog& dialog);

    PrintDialogHook m_previous;
    std::deque<Answer> m_answers;
    std::vector<RecordedPrintDialog> m_dialogs;
};
