#pragma once
// The system clipboard's plain text as the tests read and put it: what a copy left there, and
// text put there as another program would before a paste.
#include <windows.h>

#include <cstring>
#include <string>

// The CF_TEXT on the clipboard up to its zero byte; "<none>" when there is none.
inline std::string ClipboardText()
{
    std::string text = "<none>";
    if (!::OpenClipboard(nullptr))
        return text;
    if (HANDLE h = ::GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(::GlobalLock(h));
        ::GlobalUnlock(h);
    }
    ::CloseClipboard();
    return text;
}

// Puts text, with its zero byte, on the clipboard as CF_TEXT; false when the clipboard is busy.
inline bool PutClipboardText(const std::string& text)
{
    if (!::OpenClipboard(nullptr))
        return false;
    ::EmptyClipboard();
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(::GlobalLock(block), text.c_str(), text.size() + 1);
    ::GlobalUnlock(block);
    ::SetClipboardData(CF_TEXT, block);
    ::CloseClipboard();
    return true;
}
