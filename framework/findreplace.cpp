#include "framework/findreplace.h"

#include <cstring>

CFindReplaceDialog::CFindReplaceDialog()
{
    std::memset(&m_fr, 0, sizeof m_fr);
    m_find[0] = '\0';
    m_replace[0] = '\0';
}

BOOL CFindReplaceDialog::Create(BOOL findOnly, const char* findWhat, const char* replaceWith, DWORD flags,
                                CWnd* parent)
{
    m_fr.lStructSize = sizeof m_fr;
    m_fr.hwndOwner = parent != nullptr ? parent->m_hWnd : nullptr;
    m_fr.Flags = flags;
    m_fr.lCustData = reinterpret_cast<LPARAM>(this);
    lstrcpynA(m_find, findWhat != nullptr ? findWhat : "", sizeof m_find);
    lstrcpynA(m_replace, replaceWith != nullptr ? replaceWith : "", sizeof m_replace);
    m_fr.lpstrFindWhat = m_find;
    m_fr.wFindWhatLen = sizeof m_find;
    m_fr.lpstrReplaceWith = m_replace;
    m_fr.wReplaceWithLen = sizeof m_replace;
    HWND wnd = findOnly ? ::FindTextA(&m_fr) : ::ReplaceTextA(&m_fr);
    if (wnd == nullptr)
        return FALSE;
    // Our map sees its messages (and deletes the object after WM_NCDESTROY).
    if (!SubclassWindow(wnd)) {
        ::DestroyWindow(wnd);
        return FALSE;
    }
    return TRUE;
}

CFindReplaceDialog* CFindReplaceDialog::GetNotifier(LPARAM lParam)
{
    const FINDREPLACEA* fr = reinterpret_cast<const FINDREPLACEA*>(lParam);
    return fr != nullptr ? reinterpret_cast<CFindReplaceDialog*>(fr->lCustData) : nullptr;
}

BOOL CFindReplaceDialog::PreTranslateMessage(MSG* msg)
{
    if (m_hWnd != nullptr && (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd)))
        return ::IsDialogMessageA(m_hWnd, msg);
    return FALSE;
}
