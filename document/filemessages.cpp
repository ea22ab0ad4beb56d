#include "document/filemessages.h"

#include "document/documentstrings.h"
#include "framework/msgbox.h"

CString CannotOpenFileText(const char* path)
{
    CString text;
    text.Format(LoadStringOr(IDS_CANNOT_OPEN_FILE, "Can not open file %s"), path ? path : "");
    return text.GetLength() > 299 ? text.Left(299) : text;
}

void ReportCannotOpenFile(const char* path, HWND owner)
{
    const CString text = CannotOpenFileText(path);
    if (owner)
        ShowMessageBox(owner, text, nullptr, MB_OK | MB_ICONERROR);
    else
        AfxMessageBox(text, MB_OK | MB_ICONERROR);
}

void ReportCorruptFile()
{
    AfxMessageBox("Corrupt file or wrong file version", MB_OK | MB_ICONERROR);
}
