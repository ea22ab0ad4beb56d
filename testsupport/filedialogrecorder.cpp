#include "testsupport/filedialogrecorder.h"

FileDialogRecorder::FileDialogRecorder()
{
    m_previous = SetFileDialogHook(
        [this](const FileDialogRequest& request, CFileDialog& dialog) { return OnDialog(request, dialog); });
}

FileDialogRecorder::~FileDialogRecorder()
{
    SetFileDialogHook(std::move(m_previous));
}

void FileDialogRecorder::AnswerPath(const char* path)
{
    m_answers.push_back({CString(path)});
}

void FileDialogRecorder::AnswerPaths(std::initializer_list<CString> paths)
{
    m_answers.emplace_back(paths);
}

void FileDialogRecorder::AnswerCancel()
{
    m_answers.emplace_back();
}

INT_PTR FileDialogRecorder::OnDialog(const FileDialogRequest& request, CFileDialog& dialog)
{
    RecordedFileDialog record;
    record.open = request.open;
    record.flags = request.flags;
    record.filter = request.filter;
    record.defaultExt = request.defaultExt;
    record.initialDir = request.initialDir;
    record.title = request.title;
    record.fileName = request.fileName;
    record.owner = request.owner;
    record.result = IDCANCEL;
    if (!m_answers.empty()) {
        std::vector<CString> paths = m_answers.front();
        m_answers.pop_front();
        if (!paths.empty() && AfxSetFileDialogResult(dialog, paths))
            record.result = IDOK;
    }
    m_dialogs.push_back(record);
    return record.result;
}
