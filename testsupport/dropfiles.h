#pragma once
// Files dropped as the shell hands them over.
#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

// A DROPFILES block as the shell builds it (ANSI names, double NUL at the end). The caller owns it.
inline HGLOBAL DropBlock(const std::vector<std::string>& paths)
{
    size_t bytes = sizeof(DROPFILES) + 1;
    for (const std::string& p : paths)
        bytes += p.size() + 1;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    auto* head = static_cast<DROPFILES*>(::GlobalLock(block));
    head->pFiles = sizeof(DROPFILES);
    head->fWide = FALSE;
    char* at = reinterpret_cast<char*>(head) + sizeof(DROPFILES);
    for (const std::string& p : paths) {
        memcpy(at, p.c_str(), p.size() + 1);
        at += p.size() + 1;
    }
    ::GlobalUnlock(block);
    return block;
}
