#include "document/filemessages.h"

#include "document/documentstrings.h"
#include "framework/msgbox.h"

CString CannotOpenFileText(const char* path)
{
    CString format;
    if (!format.LoadString(IDS_CANNOT_OPEN_FILE))
        format = "Can not open file %s";
    CString text;
    text.Format(format, path ? path : "");
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
