#include "testsupport/dialogdriver.h"

ScopedDialogDriver::ScopedDialogDriver(std::vector<Step> steps, Step fallback)
    : m_steps(std::move(steps)), m_fallback(std::move(fallback))
{
    m_previous = SetDialogDriver([this](CWnd* dialog) {
        m_seen.push_back(dialog->m_hWnd);
        HWND top = ::GetAncestor(dialog->m_hWnd, GA_ROOT);
        CString caption;
        if (top != nullptr)
            CWnd::FromHandle(top)->GetWindowText(caption);
        m_captions.push_back(caption);
        if (m_next < m_steps.size()) {
            Step step = m_steps[m_next++];
            step(dialog);
        } else if (m_fallback) {
            m_fallback(dialog);
        } else {
            Post(dialog, IDCANCEL);
        }
    });
}

ScopedDialogDriver::~ScopedDialogDriver()
{
    SetDialogDriver(std::move(m_previous));
}

void ScopedDialogDriver::Post(CWnd* dialog, int id)
{
    HWND top = ::GetAncestor(dialog->m_hWnd, GA_ROOT);
    ::PostMessageA(top ? top : dialog->m_hWnd, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

void ScopedDialogDriver::Send(CWnd* dialog, int id)
{
    HWND top = ::GetAncestor(dialog->m_hWnd, GA_ROOT);
    ::SendMessageA(top ? top : dialog->m_hWnd, WM_COMMAND, static_cast<WPARAM>(id), 0);
}
