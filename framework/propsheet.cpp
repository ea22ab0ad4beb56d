#include "framework/propsheet.h"

#include "framework/app.h"
#include "framework/guard.h"

#include <commctrl.h>

INT_PTR CALLBACK AfxPropPageProc(HWND wnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    const PROPSHEETPAGEA* psp = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
    CPropertyPage* page = psp != nullptr ? reinterpret_cast<CPropertyPage*>(psp->lParam) : nullptr;
    if (page == nullptr || CWnd::FromHandlePermanent(wnd) != nullptr)
        return TRUE;
    page->SubclassWindow(wnd);
    return GuardedCall([&] { return static_cast<INT_PTR>(page->OnInitDialog()); }, INT_PTR(TRUE));
}

CPropertyPage::CPropertyPage(UINT templateId, const char* caption) : CDialog(templateId), m_strCaption(caption)
{
    m_psp.dwSize = sizeof m_psp;
    m_psp.dwFlags = PSP_DEFAULT;
    m_psp.pszTemplate = MAKEINTRESOURCEA(templateId);
    m_psp.pfnDlgProc = AfxPropPageProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    // The sheet's notifications come from the sheet itself; everything else is a control's.
    if (m_pSheet == nullptr || header->hwndFrom != m_pSheet->m_hWnd)
        return CDialog::OnNotify(wParam, lParam, result);
    LRESULT answer = 0;
    switch (header->code) {
    case PSN_SETACTIVE:
        answer = GuardedCall([&] { return OnSetActive(); }, TRUE) ? 0 : -1;
        break;
    case PSN_KILLACTIVE:
        answer = GuardedCall([&] { return OnKillActive(); }, FALSE) ? FALSE : TRUE;
        break;
    case PSN_APPLY:
        if (GuardedCall([&] { return OnApply(); }, FALSE)) {
            m_pSheet->m_nResult = IDOK;
            answer = PSNRET_NOERROR;
        } else {
            answer = PSNRET_INVALID_NOCHANGEPAGE;
        }
        break;
    case PSN_RESET:
        GuardedCall([&] { OnReset(); });
        break;
    default:
        return CDialog::OnNotify(wParam, lParam, result);
    }
    // The sheet reads the answer from the page's dialog result as well as from SendMessage.
    ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, answer);
    *result = answer;
    return TRUE;
}

CPropertySheet::CPropertySheet(const char* caption, CWnd* parent, UINT startPage)
    : m_strCaption(caption), m_pParentWnd(parent), m_nStartPage(startPage)
{
}

CPropertySheet::~CPropertySheet()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

void CPropertySheet::AddPage(CPropertyPage* page)
{
    if (page == nullptr)
        return;
    page->m_pSheet = this;
    m_pages.push_back(page);
    if (m_hWnd != nullptr) {
        HPROPSHEETPAGE handle = ::CreatePropertySheetPageA(&page->m_psp);
        if (handle != nullptr)
            ::SendMessageA(m_hWnd, PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(handle));
    }
}

CPropertyPage* CPropertySheet::GetPage(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_pages[static_cast<size_t>(index)] : nullptr;
}

int CPropertySheet::GetActiveIndex() const
{
    if (m_hWnd == nullptr)
        return static_cast<int>(m_nStartPage);
    HWND shown = reinterpret_cast<HWND>(::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0));
    for (int i = 0; i < GetPageCount(); ++i)
        if (m_pages[static_cast<size_t>(i)]->m_hWnd == shown && shown != nullptr)
            return i;
    return -1;
}

BOOL CPropertySheet::SetActivePage(int index)
{
    if (index < 0 || index >= GetPageCount())
        return FALSE;
    if (m_hWnd == nullptr) {
        m_nStartPage = static_cast<UINT>(index);
        return TRUE;
    }
    return ::SendMessageA(m_hWnd, PSM_SETCURSEL, static_cast<WPARAM>(index), 0) ? TRUE : FALSE;
}

BOOL CPropertySheet::CreateSheet(HWND owner)
{
    if (m_hWnd != nullptr || m_pages.empty())
        return FALSE;
    m_built.clear();
    for (CPropertyPage* page : m_pages) {
        page->m_psp.hInstance = AfxGetResourceHandle();
        if (!page->m_strCaption.IsEmpty()) {
            page->m_psp.dwFlags |= PSP_USETITLE;
            page->m_psp.pszTitle = page->m_strCaption;
        }
        m_built.push_back(page->m_psp);
    }
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    // Modeless always: the loop is ours. No Apply button: the sheet's values take effect on OK.
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_NOAPPLYNOW;
    header.hwndParent = owner;
    header.hInstance = AfxGetResourceHandle();
    header.pszCaption = m_strCaption;
    header.nPages = static_cast<UINT>(m_built.size());
    header.nStartPage = m_nStartPage < header.nPages ? m_nStartPage : 0;
    header.ppsp = m_built.data();
    m_nResult = IDCANCEL;
    INT_PTR made = ::PropertySheetA(&header);
    HWND wnd = made > 0 ? reinterpret_cast<HWND>(made) : nullptr;
    if (wnd == nullptr)
        return FALSE;
    Attach(wnd);
    return TRUE;
}

BOOL CPropertySheet::Create(CWnd* parent)
{
    if (parent != nullptr)
        m_pParentWnd = parent;
    if (!CreateSheet(CDialog::ModalOwnerFor(m_pParentWnd)))
        return FALSE;
    ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
    AfxRunDialogDriver(this);
    return TRUE;
}

bool CPropertySheet::IsEnded() const
{
    return m_hWnd == nullptr || !::IsWindow(m_hWnd) || ::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) == 0;
}

void CPropertySheet::PressButton(int button)
{
    if (m_hWnd != nullptr)
        ::PostMessageA(m_hWnd, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0);
}

BOOL CPropertySheet::DestroyWindow()
{
    HWND wnd = Detach();
    if (wnd != nullptr && ::IsWindow(wnd))
        ::DestroyWindow(wnd);
    return TRUE;
}

INT_PTR CPropertySheet::DoModal()
{
    if (m_hWnd != nullptr)
        return -1;
    HWND owner = CDialog::ModalOwnerFor(m_pParentWnd);
    const bool disabledOwner = owner != nullptr && ::IsWindowEnabled(owner);
    if (disabledOwner)
        ::EnableWindow(owner, FALSE);
    INT_PTR result = -1;
    if (CreateSheet(owner)) {
        HWND self = m_hWnd;
        ::ShowWindow(self, SW_SHOWNORMAL);
        AfxRunDialogDriver(this);
        while (!IsEnded()) {
            MSG msg;
            BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
            if (got <= 0) {
                ::PostQuitMessage(got == 0 ? static_cast<int>(msg.wParam) : 0);
                m_nResult = IDCANCEL;
                break;
            }
            // The focus window first (a grid editor keeps Enter and Esc), then the sheet's keys.
            BOOL used = GuardedCall([&] { return CWnd::WalkPreTranslateTree(self, &msg); }, FALSE);
            if (!used && !::SendMessageA(self, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(&msg))) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        result = m_nResult;
    }
    if (disabledOwner)
        ::EnableWindow(owner, TRUE);
    if (m_hWnd != nullptr) {
        HWND active = ::GetActiveWindow();
        if (owner != nullptr && (active == m_hWnd || ::IsChild(m_hWnd, active)))
            ::SetActiveWindow(owner);
        DestroyWindow();
    }
    return result;
}
