#include "framework/safefile.h"

#include <windows.h>

#include <string>

bool WriteFileReplacing(const char* path, const std::function<bool(CFile&)>& write)
{
    if (path == nullptr || *path == '\0')
        return false;
    std::string folder(path);
    size_t slash = folder.find_last_of("\\/");
    folder = slash == std::string::npos ? std::string(".") : folder.substr(0, slash + 1);

    char temp[MAX_PATH];
    if (::GetTempFileNameA(folder.c_str(), "kpt", 0, temp) == 0)
        return false;

    bool written = false;
    {
        CFile file;
        if (file.Open(temp, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive | CFile::typeBinary)) {
            written = write(file);
            written = file.Close() && written;
        }
    }
    if (written && ::MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    ::DeleteFileA(temp);
    return false;
}
