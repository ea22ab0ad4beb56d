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
    m_answers.push_back({{CString(path)}, false});
}

void FileDialogRecorder::AnswerPathRefusingReplace(const char* path)
{
    m_answers.push_back({{CString(path)}, true});
}

void FileDialogRecorder::AnswerPaths(std::initializer_list<CString> paths)
{
    m_answers.push_back({std::vector<CString>(paths), false});
}

void FileDialogRecorder::AnswerCancel()
{
    m_answers.emplace_back();
}

namespace {
// The system's save dialog asks before it lets the person replace an existing file.
bool AsksBeforeReplacing(const FileDialogRequest& request, const CString& path)
{
    return !request.open && (request.flags & OFN_OVERWRITEPROMPT) != 0 &&
           ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}
} // namespace

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
        const Answer answer = m_answers.front();
        m_answers.pop_front();
        const std::vector<CString>& paths = answer.paths;
        record.askedToReplace = paths.size() == 1 && AsksBeforeReplacing(request, paths[0]);
        const bool refused = record.askedToReplace && answer.refuseReplace;
        if (!paths.empty() && !refused && AfxSetFileDialogResult(dialog, paths))
            record.result = IDOK;
    }
    m_dialogs.push_back(record);
    return record.result;
}
