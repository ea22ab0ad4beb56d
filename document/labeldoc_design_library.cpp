// Design commands of the project document, part four: sending the project by mail, copying
// label definitions, pictures and information files into the user's label library, and choosing
// the picture file of the selection.
#include "document/designpattern.h"
#include "document/designstrings.h"

#include "framework/paths.h"
#include "framework/app.h"
#include "framework/filedlg.h"
#include "framework/msgbox.h"
#include "framework/wnd.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/graphimage.h"

#include <mapi.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <vector>

namespace {

CString g_labelsFolder;
CString g_imagesFolder;
CString g_infoFolder;
CString g_clipArtFolder;

HWND MainWindowHandle()
{
    CWnd* main = AfxGetMainWnd();
    return main ? main->GetSafeHwnd() : nullptr;
}

// Simple MAPI, loaded when it is needed: the mail program shows its own window with the file
// attached.
bool SendWithSimpleMapi(const char* path, const char* title)
{
    HMODULE mapi = ::LoadLibraryA("MAPI32.DLL");
    if (mapi == nullptr)
        return false;
    auto send = reinterpret_cast<LPMAPISENDMAIL>(::GetProcAddress(mapi, "MAPISendMail"));
    bool sent = false;
    if (send != nullptr) {
        CString name(title);
        MapiFileDesc file = {};
        file.nPosition = static_cast<ULONG>(-1);
        file.lpszPathName = const_cast<char*>(path);
        file.lpszFileName = const_cast<char*>(name.GetString());
        MapiMessage message = {};
        message.nFileCount = 1;
        message.lpFiles = &file;
        const ULONG result = send(0, reinterpret_cast<ULONG_PTR>(MainWindowHandle()), &message,
                                  MAPI_LOGON_UI | MAPI_DIALOG, 0);
        sent = result == SUCCESS_SUCCESS || result == MAPI_USER_ABORT;
    }
    ::FreeLibrary(mapi);
    return sent;
}

COstrelindSoftLabelDoc::MailSender g_mailSender = SendWithSimpleMapi;

const int kMaxImportFiles = 100;

} // namespace

// ---------------------------------------------------------------------------------------------
// Sending

COstrelindSoftLabelDoc::MailSender COstrelindSoftLabelDoc::SetMailSender(MailSender sender)
{
    MailSender previous = g_mailSender;
    g_mailSender = sender ? sender : SendWithSimpleMapi;
    return previous;
}

void COstrelindSoftLabelDoc::OnFileSend()
{
    if (GetPathName().IsEmpty()) {
        ShowMessageBox(nullptr, LoadStringOr(IDS_SEND_NEEDS_SAVE, "The file has to be saved before it can be sent."),
                       nullptr, MB_OK | MB_ICONERROR);
        return;
    }
    CString name, extension;
    SplitFileName(GetPathName(), name, extension);
    g_mailSender(GetPathName(), name + extension);
}

// ---------------------------------------------------------------------------------------------
// The label library

void COstrelindSoftLabelDoc::SetLibraryFolders(const char* labels, const char* images, const char* info,
                                               const char* clipArt)
{
    g_labelsFolder = labels ? labels : "";
    g_imagesFolder = images ? images : "";
    g_infoFolder = info ? info : "";
    g_clipArtFolder = clipArt ? clipArt : "";
}

bool COstrelindSoftLabelDoc::CopyToLabelLibrary(const char* folder, const char* file)
{
    if (folder == nullptr || *folder == 0 || file == nullptr || *file == 0)
        return false;
    CString name, extension;
    SplitFileName(file, name, extension);
    const CString target = WithBackslash(folder) + name + extension;
    if (::GetFileAttributesA(target) != INVALID_FILE_ATTRIBUTES) {
        CString question;
        question.Format(LoadStringOr(IDS_IMPORT_REPLACE_FILE,
                                 "The file %s%s already exists in the label library. Do you want to replace the existing file?"),
                        name.GetString(), extension.GetString());
        const CString caption = LoadStringOr(IDS_IMPORT_LABEL_CAPTION, "Import file for label definition.");
        if (ShowMessageBox(nullptr, question, caption, MB_YESNO | MB_ICONWARNING) != IDYES)
            return false;
    }
    return ::CopyFileA(file, target, FALSE) != 0;
}

int COstrelindSoftLabelDoc::ImportFilesToLabelLibrary(const CString* files, int count)
{
    int copied = 0;
    int definitions = 0;
    CString lastDefinition;
    for (int i = 0; files && i < count && i < kMaxImportFiles; ++i) {
        CString name, extension;
        SplitFileName(files[i], name, extension);
        const CString* folder = extension.CompareNoCase(".label") == 0 ? &g_labelsFolder
                              : extension.CompareNoCase(".jpg") == 0 ? &g_imagesFolder
                              : extension.CompareNoCase(".pdf") == 0 ? &g_infoFolder : nullptr;
        if (folder == nullptr || !CopyToLabelLibrary(*folder, files[i]))
            continue;
        ++copied;
        if (folder == &g_labelsFolder) {
            ++definitions;
            lastDefinition = WithBackslash(*folder) + name + extension;
        }
    }
    if (definitions == 1) {
        CString name, extension;
        SplitFileName(lastDefinition, name, extension);
        CString question;
        question.Format(LoadStringOr(IDS_IMPORT_SELECT_LABEL,
                                 "The label %s has been imported into the label library.\r\n"
                                 "Do you want to select this label for the active template??"),
                        (name + extension).GetString());
        // The template's new definition is a change of the project like any other.
        if (ShowMessageBox(nullptr, question, nullptr, MB_YESNO | MB_ICONQUESTION) == IDYES)
            LoadLabelDefinition(lastDefinition);
    }
    return copied;
}

void COstrelindSoftLabelDoc::OnImportToLabelLibrary()
{
    const CString filter = CFileDialog::JoinFilters({LoadStringOr(IDS_LABEL_FILE_FILTER, "Label files (*.label)|*.label||"),
                                        LoadStringOr(IDS_IMAGE_FILE_FILTER, "Image files |*.jpg;*.jpeg;*.bmp;*.png;*.wmf||"),
                                        LoadStringOr(IDS_PDF_FILTER, "PDF files |*.pdf||")});
    CFileDialog dialog(TRUE, "*.label", nullptr,
                       OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_EXPLORER | OFN_ENABLESIZING, filter);
    // Room for a hundred full paths.
    std::vector<char> names(kMaxImportFiles * MAX_PATH + 1, '\0');
    dialog.m_ofn.lpstrFile = names.data();
    dialog.m_ofn.nMaxFile = static_cast<DWORD>(names.size());
    if (dialog.DoModal() != IDOK)
        return;
    std::vector<CString> files;
    for (POSITION pos = dialog.GetStartPosition(); pos != nullptr && static_cast<int>(files.size()) < kMaxImportFiles;)
        files.push_back(dialog.GetNextPathName(pos));
    ImportFilesToLabelLibrary(files.data(), static_cast<int>(files.size()));
}

// ---------------------------------------------------------------------------------------------
// The picture file of the selection

bool COstrelindSoftLabelDoc::ImportImage(CWnd* parent, int area)
{
    CGraphCollection* objects = SelectedArea(area);
    if (objects == nullptr || !objects->IsFileSource() || GetCurrentTemplate()->IsLocked())
        return false;
    CFileDialog dialog(TRUE, "*.jpg", nullptr, OFN_FILEMUSTEXIST | OFN_EXPLORER | OFN_ENABLESIZING,
                       LoadStringOr(IDS_IMAGE_FILE_FILTER, "Image files |*.jpg;*.jpeg;*.bmp;*.png;*.wmf||"), parent);
    if (!g_clipArtFolder.IsEmpty())
        dialog.m_ofn.lpstrInitialDir = g_clipArtFolder.GetString();
    if (dialog.DoModal() != IDOK)
        return false;
    const CString path = dialog.GetPathName();
    if (!AcceptImagePath(path, parent != nullptr ? parent->GetSafeHwnd() : MainWindowHandle()))
        return false;
    return SetSelectionImagePath(area, path);
}
