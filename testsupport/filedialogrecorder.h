#pragma once
// FileDialogRecorder: while alive, every CFileDialog::DoModal is recorded instead of shown and
// answered from a script: a path, several paths (one folder) or Cancel. Without a queued answer
// the dialog is cancelled. Restores the previous hook when destroyed. A save dialog that asks
// before replacing a file (OFN_OVERWRITEPROMPT) is answered as the system's dialog would be: the
// question comes when the chosen file exists, and the script says Yes or No to it.
#include "framework/cstring.h"
#include "framework/filedlg.h"
#include <deque>
#include <initializer_list>
#include <vector>

struct RecordedFileDialog {
    BOOL open = TRUE;                      // TRUE open, FALSE save
    DWORD flags = 0;
    CString filter;                        // "A|*.a|B|*.b||"
    CString defaultExt;
    CString initialDir;
    CString title;
    CString fileName;                      // the name the dialog started with
    HWND owner = nullptr;
    INT_PTR result = IDCANCEL;             // what the recorder answered
    bool askedToReplace = false;           // the dialog asked before replacing the chosen file

    bool Explorer() const { return (flags & OFN_EXPLORER) != 0; }
    bool MultiSelect() const { return (flags & OFN_ALLOWMULTISELECT) != 0; }
};

class FileDialogRecorder {
public:
    FileDialogRecorder();
    ~FileDialogRecorder();
    FileDialogRecorder(const FileDialogRecorder&) = delete;
    FileDialogRecorder& operator=(const FileDialogRecorder&) = delete;

    // Queues answers used in order by the next dialogs.
    void AnswerPath(const char* path);
    // The person picks path and, when the dialog asks before replacing it, answers No; the
    // dialog then stays open and the person cancels it. A dialog that does not ask takes the
    // path (IDOK) and the file is replaced.
    void AnswerPathRefusingReplace(const char* path);
    void AnswerPaths(std::initializer_list<CString> paths);   // full paths in one folder
    void AnswerCancel();

    const std::vector<RecordedFileDialog>& Dialogs() const { return m_dialogs; }
    size_t Count() const { return m_dialogs.size(); }
    const RecordedFileDialog& Last() const { return m_dialogs.back(); }   // Count() must be > 0
    const RecordedFileDialog& operator[](size_t i) const { return m_dialogs.at(i); }
    size_t PendingAnswers() const { return m_answers.size(); }

private:
    INT_PTR OnDialog(const FileDialogRequest& request, CFileDialog& dialog);

    struct Answer {
        std::vector<CString> paths;               // empty: Cancel
        bool refuseReplace = false;
    };

    FileDialogHook m_previous;
    std::deque<Answer> m_answers;
    std::vector<RecordedFileDialog> m_dialogs;
};
