#pragma once
// CClipboardGuard: holds the system clipboard open for one handler and closes it on every path out,
// an exception included.
#include <windows.h>

class CClipboardGuard {
public:
    explicit CClipboardGuard(HWND owner) : m_open(::OpenClipboard(owner) != FALSE) {}
    ~CClipboardGuard()
    {
        if (m_open)
            ::CloseClipboard();
    }
    CClipboardGuard(const CClipboardGuard&) = delete;
    CClipboardGuard& operator=(const CClipboardGuard&) = delete;

    bool IsOpen() const { return m_open; }

private:
    bool m_open;
};
