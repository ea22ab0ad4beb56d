#include "framework/paths.h"

#include <algorithm>
#include <cstring>

bool HasExtension(const char* path, const char* extension)
{
    if (path == nullptr || extension == nullptr)
        return false;
    const size_t length = std::strlen(path);
    const size_t extLength = std::strlen(extension);
    return length >= extLength && CString(path + length - extLength).CompareNoCase(extension) == 0;
}

CString FileTitleOf(const char* path)
{
    if (!path)
        return CString();
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    const char* dot = std::strrchr(name, '.');
    if (dot && dot != name)
        return CString(name, static_cast<int>(dot - name));
    return CString(name);
}

CString WithBackslash(const char* folder)
{
    CString path(folder ? folder : "");
    if (!path.IsEmpty() && path[path.GetLength() - 1] != '\\')
        path += '\\';
    return path;
}

void SplitFileName(const char* path, CString& name, CString& extension)
{
    CString file(path ? path : "");
    const int slash = std::max(file.ReverseFind('\\'), file.ReverseFind('/'));
    file = file.Mid(slash + 1);
    const int dot = file.ReverseFind('.');
    name = dot >= 0 ? file.Left(dot) : file;
    extension = dot >= 0 ? file.Mid(dot) : CString();
}
