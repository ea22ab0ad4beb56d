#include "framework/ribbonbar.h"

#include "framework/ribbonappmenu.h"
#include "framework/view.h"

#include <commctrl.h>
#include <commdlg.h>
#include <algorithm>

BEGIN_MESSAGE_MAP(CMFCRibbonBar, CControlBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONUP()
    ON_WM_CAPTURECHANGED()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_MESSAGE(WM_VSCROLL, OnSpinScroll)
END_MESSAGE_MAP()

CMFCRibbonBar::CMFCRibbonBar()
{
    m_dwBarStyle = CBRS_ALIGN_TOP;
}

CMFCRibbonBar::~CMFCRibbonBar()
{
    // The application menu shows elements of the main category: it goes before them.
    m_pAppMenu.reset();
    // The elements' controls are windows of the bar: let them go while the bar still exists.
    m_quickAccess.clear();
    m_tabElements.clear();
    m_categories.clear();
    m_mainCategory.reset();
    if (m_hWnd != nullptr)
        DestroyWindow();
    if (m_hFont != nullptr)
        ::DeleteObject(m_hFont);
    if (m_hAppBitmap != nullptr)
        ::DeleteObject(m_hAppBitmap);
    if (m_hPanelImages != nullptr)
        ::ImageList_Destroy(m_hPanelImages);
}

BOOL CMFCRibbonBar::Create(CWnd* parent, DWORD style, UINT id)
{
    INITCOMMONCONTROLSEX icc = { sizeof icc, ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES };
    ::InitCommonControlsEx(&icc);
    m_dwBarStyle = CBRS_ALIGN_TOP;
    const char* className = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
    DWORD windowStyle = (style & ~CBRS_ALIGN_ANY) | WS_CHILD | WS_CLIPCHILDREN;
    CRect rect(0, 0, 600, kHeight);
    return CreateEx(0, className, "", windowStyle, rect, parent, id);
}

int CMFCRibbonBar::OnCreate(LPCREATESTRUCTA cs)
{
    (void)cs;
    if (Default() == -1)
        return -1;
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        m_hFont = ::CreateFontIndirectA(&metrics.lfMessageFont);
    if (m_hFont == nullptr) {
        LOGFONTA font = {};
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
        m_hFont = ::CreateFontIndirectA(&font);
    }
    m_hToolTip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   0, 0, 0, 0, m_hWnd, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    if (m_hToolTip != nullptr) {
        TOOLINFOA tool = {};
        tool.cbSize = sizeof tool;
        tool.hwnd = m_hWnd;
        tool.uId = 0;
        tool.lpszText = LPSTR_TEXTCALLBACKA;
        ::SendMessageA(m_hToolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        ::SendMessageA(m_hToolTip, TTM_SETMAXTIPWIDTH, 0, 320);
    }
    m_bLayoutDirty = true;
    return 0;
}

void CMFCRibbonBar::OnDestroy()
{
    if (m_pAppMenu != nullptr)
        m_pAppMenu->Close(false);
    ClosePanelPopup();
    if (m_hToolTip != nullptr) {
        ::DestroyWindow(m_hToolTip);
        m_hToolTip = nullptr;
    }
    Default();
}

// ---- structure

void CMFCRibbonBar::SetApplicationButton(const char* text, const char* toolTip, UINT bitmapId)
{
    CString all(text ? text : "");
    int lineBreak = all.Find('\n');
    m_strAppText = lineBreak < 0 ? all : all.Left(lineBreak);
    m_strAppKeys = lineBreak < 0 ? CString() : all.Mid(lineBreak + 1);
    m_strAppToolTip = toolTip ? toolTip : "";
    if (m_hAppBitmap != nullptr)
        ::DeleteObject(m_hAppBitmap);
    m_hAppBitmap = nullptr;
    HINSTANCE module = AfxGetResourceHandle();
    if (bitmapId != 0 && ::FindResourceA(module, MAKEINTRESOURCEA(bitmapId), MAKEINTRESOURCEA(2)) != nullptr)
        m_hAppBitmap = static_cast<HBITMAP>(::LoadImageA(module, MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0, 0));
    Invalidate(FALSE);
}

CMFCRibbonMainPanel* CMFCRibbonBar::AddMainCategory(const char* name, UINT smallImagesId, UINT largeImagesId)
{
    m_mainCategory.reset(new CMFCRibbonCategory(this, name, smallImagesId, largeImagesId));
    auto* panel = new CMFCRibbonMainPanel(m_mainCategory.get());
    m_mainCategory->m_panels.emplace_back(panel);
    m_mainCategory->m_pMainPanel = panel;
    return panel;
}

CMFCRibbonCategory* CMFCRibbonBar::AddCategory(const char* name, UINT smallImagesId, UINT largeImagesId)
{
    m_categories.emplace_back(new CMFCRibbonCategory(this, name, smallImagesId, largeImagesId));
    if (m_pActive == nullptr)
        m_pActive = m_categories.back().get();
    m_bLayoutDirty = true;
    return m_categories.back().get();
}

int CMFCRibbonBar::GetCategoryIndex(const CMFCRibbonCategory* category) const
{
    for (int i = 0; i < GetCategoryCount(); ++i)
        if (m_categories[i].get() == category)
            return i;
    return -1;
}

BOOL CMFCRibbonBar::SetActiveCategory(CMFCRibbonCategory* category)
{
    if (GetCategoryIndex(category) < 0)
        return FALSE;
    if (category == m_pActive)
        return TRUE;
    ClosePanelPopup();
    // The focus must not stay in a box about to be hidden.
    CMFCRibbonEdit* focused = GetFocusedElement();
    if (focused != nullptr && focused->GetCategory() == m_pActive)
        ReturnFocus();
    if (m_pActive != nullptr)
        m_pActive->Show(false);
    m_pActive = category;
    m_pHot = nullptr;
    m_pPressed = nullptr;
    m_bLayoutDirty = true;
    EnsureLayout();
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
    return TRUE;
}

void CMFCRibbonBar::AddToTabs(CMFCRibbonBaseElement* element)
{
    element->SetOwner(this, nullptr);
    m_tabElements.emplace_back(element);
    m_bLayoutDirty = true;
}

void CMFCRibbonBar::SetQuickAccessCommands(const std::vector<UINT>& ids)
{
    m_pHot = nullptr;
    m_pPressed = nullptr;
    m_quickAccess.clear();
    for (UINT id : ids) {
        CMFCRibbonBaseElement* source = FindByID(id, FALSE, TRUE);
        if (source == nullptr)
            continue;
        // A copy: the toolbar's button has a state of its own, updated like any element.
        auto* button = new CMFCRibbonButton(id, source->GetText(), source->GetImageIndex(false));
        if (!source->GetKeys().IsEmpty())
            button->SetText(source->GetText() + "\n" + source->GetKeys());
        button->SetToolTipText(source->GetToolTipText());
        button->SetDescription(source->GetDescription());
        button->SetOwner(this, source->GetCategory());
        // The toolbar shows pictures only (the caption is the tooltip); a command without a
        // picture keeps its caption.
        button->SetCompactLevel(2);
        m_quickAccess.emplace_back(button);
    }
    m_bLayoutDirty = true;
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

CMFCRibbonBaseElement* CMFCRibbonBar::FindByID(UINT id, BOOL visibleOnly, BOOL excludeQuickAccess) const
{
    if (m_mainCategory != nullptr)
        if (CMFCRibbonBaseElement* found = m_mainCategory->FindByID(id, visibleOnly != FALSE))
            return found;
    for (const auto& category : m_categories)
        if (CMFCRibbonBaseElement* found = category->FindByID(id, visibleOnly != FALSE))
            return found;
    for (const auto& element : m_tabElements)
        if (CMFCRibbonBaseElement* found = element->FindByID(id))
            return found;
    if (!excludeQuickAccess)
        for (const auto& element : m_quickAccess)
            if (CMFCRibbonBaseElement* found = element->FindByID(id))
                return found;
    return nullptr;
}

CMFCRibbonBaseElement* CMFCRibbonBar::FindByControl(HWND wnd) const
{
    for (const auto& category : m_categories)
        if (CMFCRibbonBaseElement* found = category->FindByControl(wnd))
            return found;
    return nullptr;
}

CMFCRibbonEdit* CMFCRibbonBar::GetFocusedElement() const
{
    HWND focus = ::GetFocus();
    if (focus == nullptr || m_hWnd == nullptr || !::IsChild(m_hWnd, focus))
        return nullptr;
    CMFCRibbonBaseElement* element = FindByControl(focus);
    if (element == nullptr)
        element = FindByControl(::GetParent(focus));
    return dynamic_cast<CMFCRibbonEdit*>(element);
}

// ---- commands, menus and focus

CFrameWnd* CMFCRibbonBar::GetCommandFrame() const
{
    return m_hWnd != nullptr ? GetParentFrame() : nullptr;
}

void CMFCRibbonBar::RaiseCommand(UINT id)
{
    HWND target = m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr;
    if (target != nullptr && id != 0)
        ::SendMessageA(target, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

UINT CMFCRibbonBar::TrackPopup(HMENU menu, CPoint screenPoint, bool rightAlign)
{
    UINT flags = TPM_RETURNCMD | TPM_LEFTBUTTON | (rightAlign ? TPM_RIGHTALIGN : TPM_LEFTALIGN);
    return static_cast<UINT>(::TrackPopupMenu(menu, flags, screenPoint.x, screenPoint.y, 0, m_hWnd, nullptr));
}

bool CMFCRibbonBar::ChooseOtherColor(COLORREF& color)
{
    static COLORREF custom[16] = {};
    CHOOSECOLORA choose = {};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = m_hWnd;
    choose.rgbResult = color;
    choose.lpCustColors = custom;
    choose.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!::ChooseColorA(&choose))
        return false;
    color = choose.rgbResult;
    return true;
}

void CMFCRibbonBar::UpdateMenuItems(HMENU menu)
{
    CFrameWnd* target = GetCommandFrame();
    if (target == nullptr || menu == nullptr)
        return;
    int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = ::GetSubMenu(menu, i)) {
            UpdateMenuItems(sub);
            continue;
        }
        UINT id = ::GetMenuItemID(menu, i);
        if (id == 0 || id == static_cast<UINT>(-1))
            continue;
        CCmdUI ui;
        ui.m_pMenu = CMenu::FromHandle(menu);
        ui.m_nIndex = static_cast<UINT>(i);
        ui.m_nIndexMax = static_cast<UINT>(count);
        ui.m_nID = id;
        ui.DoUpdate(target, TRUE);
    }
}

void CMFCRibbonBar::ShowApplicationMenu(bool keyboard)
{
    if (m_mainCategory == nullptr || m_mainCategory->GetMainPanel() == nullptr || m_hWnd == nullptr)
        return;
    if (m_pAppMenu == nullptr)
        m_pAppMenu.reset(new CRibbonApplicationMenu(this));
    if (m_pAppMenu->IsOpen()) {
        m_pAppMenu->Close();
        return;
    }
    ShowKeyTips(0);
    ClosePanelPopup();
    CRect button = GetApplicationButtonRect();
    CPoint pt(button.left, button.bottom);
    ClientToScreen(&pt);
    m_pAppMenu->Open(pt, keyboard);
}

bool CMFCRibbonBar::IsApplicationMenuOpen() const
{
    return m_pAppMenu != nullptr && m_pAppMenu->IsOpen();
}

void CMFCRibbonBar::RedrawApplicationButton()
{
    if (m_hWnd == nullptr)
        return;
    CRect button = GetApplicationButtonRect();
    InvalidateRect(&button, FALSE);
}

void CMFCRibbonBar::ReturnFocus()
{
    CFrameWnd* frame = GetCommandFrame();
    if (frame == nullptr) {
        if (m_hWnd != nullptr && ::GetParent(m_hWnd) != nullptr)
            ::SetFocus(::GetParent(m_hWnd));
        return;
    }
    CFrameWnd* active = frame->GetActiveFrame();
    CView* view = active != nullptr ? active->GetActiveView() : nullptr;
    ::SetFocus(view != nullptr && view->m_hWnd != nullptr ? view->m_hWnd : frame->m_hWnd);
}

// ---- tooltips

CString CMFCRibbonBar::GetToolTipFor(const CMFCRibbonBaseElement* element) const
{
    if (element == nullptr)
        return CString();
    CString tip = element->GetToolTipText();
    CString description = element->GetDescription();
    if (!description.IsEmpty() && description != tip)
        tip += "\r\n" + description;
    return tip;
}

void CMFCRibbonBar::AddControlToolTip(CMFCRibbonEdit* edit)
{
    if (m_hToolTip == nullptr || edit->GetControlHwnd() == nullptr)
        return;
    HWND windows[] = { edit->GetControlHwnd(), ::GetWindow(edit->GetControlHwnd(), GW_CHILD) };
    for (HWND wnd : windows) {
        if (wnd == nullptr)
            continue;
        TOOLINFOA tool = {};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = m_hWnd;
        tool.uId = reinterpret_cast<UINT_PTR>(wnd);
        tool.lpszText = LPSTR_TEXTCALLBACKA;
        ::SendMessageA(m_hToolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void CMFCRibbonBar::RelayToolTip(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_hToolTip == nullptr)
        return;
    MSG msg = {};
    msg.hwnd = wnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    ::SendMessageA(m_hToolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

BOOL CMFCRibbonBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
    if (header != nullptr && header->hwndFrom == m_hToolTip && m_hToolTip != nullptr &&
        header->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
        if (info->uFlags & TTF_IDISHWND)
            m_strTipBuffer = GetToolTipFor(FindByControl(reinterpret_cast<HWND>(header->idFrom)));
        else if (m_bAppButtonHot)
            m_strTipBuffer = m_strAppToolTip;
        else
            m_strTipBuffer = GetToolTipFor(m_pHot);
        info->lpszText = const_cast<char*>(m_strTipBuffer.GetString());
        info->hinst = nullptr;
        *result = 0;
        return TRUE;
    }
    return CControlBar::OnNotify(wParam, lParam, result);
}

// ---- the frame's side

CSize CMFCRibbonBar::CalcFixedLayout(BOOL, BOOL)
{
    return CSize(32767, m_bMinimized ? kMinimizedHeight : kHeight);
}

void CMFCRibbonBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler)
{
    EnsureLayout();
    if (m_bReplaceCaption) {
        // The frame's title changes with the active document: the caption follows at idle time.
        // Only here is the title recorded, together with the caption row's invalidation, so that
        // every change reaches the screen whatever the paints between drew.
        CString title = GetCaptionTitle();
        if (title != m_strCaptionShown) {
            m_strCaptionShown = title;
            CRect row(0, 0, 32767, kQuickAccessHeight);
            InvalidateRect(&row, FALSE);
        }
    }
    CRibbonCmdUI ui;
    ui.m_pOther = this;
    // Only what shows is updated; a category is brought up to date when it is shown.
    if (m_pActive != nullptr)
        m_pActive->UpdateCmdUI(ui, target, disableIfNoHandler);
    for (const auto& element : m_tabElements)
        element->UpdateCmdUI(ui, target, disableIfNoHandler);
    for (const auto& element : m_quickAccess)
        element->UpdateCmdUI(ui, target, disableIfNoHandler);
}

BOOL CMFCRibbonBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    HWND control = reinterpret_cast<HWND>(lParam);
    if (control == nullptr) {
        // Commands of menus owned by the bar belong to the frame.
        RaiseCommand(LOWORD(wParam));
        return TRUE;
    }
    auto* combo = dynamic_cast<CMFCRibbonComboBox*>(FindByControl(control));
    if (combo != nullptr && HIWORD(wParam) == CBN_SELENDOK)
        combo->OnSelectionChosen();
    return TRUE;
}

LRESULT CMFCRibbonBar::OnSpinScroll(WPARAM wParam, LPARAM lParam)
{
    auto* edit = dynamic_cast<CMFCRibbonEdit*>(FindByControl(reinterpret_cast<HWND>(lParam)));
    if (edit != nullptr && LOWORD(wParam) == SB_THUMBPOSITION && edit->IsEnabled() && edit->HasCommand())
        RaiseCommand(edit->GetID());
    return 0;
}
