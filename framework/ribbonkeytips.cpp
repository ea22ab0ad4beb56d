// The ribbon bar's keyboard access (key tips), its minimised state, the panel images and the
// popup that shows a collapsed panel.
#include "framework/ribbonbar.h"

#include "framework/guard.h"
#include "framework/ribbonappmenu.h"
#include "framework/ribbondraw.h"

#include <algorithm>
#include <cctype>

namespace {

using ribbondraw::IsPrefixOf;
using ribbondraw::MnemonicOf;
using ribbondraw::Upper;

const char kPopupClass[] = "KorveltaRibbonPanelPopup";

// A key tip that neither repeats nor begins (or is the beginning of) one already given: typing
// it must reach exactly one element.
class KeyTipNames : public ribbondraw::KeyTipSet {
public:
    // The first free tip made from the caption's letters: one letter, then the first letter
    // with each later one, then a letter and a digit.
    // allowSingle: a one-letter tip may be given (only to a caption whose first letter no other
    // element without a tip of its own shares, so the others keep two-letter tips of their letter).
    CString Make(const CString& caption, bool allowSingle = true)
    {
        CString letters = Letters(caption);
        if (allowSingle) {
            for (int i = 0; i < letters.GetLength(); ++i) {
                CString one(letters[i]);
                if (Free(one))
                    return Keep(one);
            }
        }
        for (int i = 0; i < letters.GetLength(); ++i)
            for (int j = i + 1; j < letters.GetLength(); ++j) {
                CString two;
                two += letters[i];
                two += letters[j];
                if (Free(two))
                    return Keep(two);
            }
        for (char first = 'Y'; first >= 'A'; --first)
            for (char digit = '1'; digit <= '9'; ++digit) {
                CString two;
                two += first;
                two += digit;
                if (Free(two))
                    return Keep(two);
            }
        return CString();
    }

    static CString Letters(const CString& caption)
    {
        CString letters;
        for (int i = 0; i < caption.GetLength(); ++i)
            if (std::isalnum(static_cast<unsigned char>(caption[i])))
                letters += static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i])));
        return letters.IsEmpty() ? CString("Z") : letters;
    }

private:
    CString Keep(const CString& keys)
    {
        Take(keys);
        return keys;
    }
};

// The elements a key tip can reach in a panel: groups open up into their buttons.
void CollectElements(CMFCRibbonBaseElement* element, std::vector<CMFCRibbonBaseElement*>& out)
{
    if (auto* group = dynamic_cast<CMFCRibbonButtonsGroup*>(element)) {
        for (int i = 0; i < group->GetCount(); ++i)
            CollectElements(group->GetButton(i), out);
        return;
    }
    if (element->IsClickable() && (element->HasCommand() || dynamic_cast<CMFCRibbonButton*>(element)))
        out.push_back(element);
}

CMFCRibbonPanel* PanelOf(CMFCRibbonCategory* category, const CMFCRibbonBaseElement* element)
{
    if (category == nullptr)
        return nullptr;
    for (int p = 0; p < category->GetPanelCount(); ++p) {
        CMFCRibbonPanel* panel = category->GetPanel(p);
        std::vector<CMFCRibbonBaseElement*> all;
        for (int i = 0; i < panel->GetCount(); ++i)
            CollectElements(panel->GetElement(i), all);
        if (std::find(all.begin(), all.end(), element) != all.end())
            return panel;
    }
    return nullptr;
}

} // namespace

// ---- panel images and the minimised ribbon

void CMFCRibbonBar::SetPanelImages(UINT bitmapId)
{
    if (m_hPanelImages != nullptr)
        ::ImageList_Destroy(m_hPanelImages);
    m_hPanelImages = LoadRibbonImages(bitmapId, 16);
    m_bLayoutDirty = true;
}

void CMFCRibbonBar::SetMinimized(bool minimized)
{
    if (minimized == m_bMinimized)
        return;
    ClosePanelPopup();
    CMFCRibbonEdit* focused = GetFocusedElement();
    if (minimized && focused != nullptr)
        ReturnFocus();
    m_bMinimized = minimized;
    m_bLayoutDirty = true;
    if (m_hWnd == nullptr)
        return;
    EnsureLayout();
    // The frame gives the bar its new height.
    if (CFrameWnd* frame = GetParentFrame())
        frame->RecalcLayout();
    Invalidate(FALSE);
}

// ---- key tips

CString CMFCRibbonBar::GetCategoryKeyTip(int index)
{
    if (m_categoryTips.size() != m_categories.size())
        AssignKeyTips();
    return index >= 0 && index < static_cast<int>(m_categoryTips.size()) ? m_categoryTips[index] : CString();
}

CString CMFCRibbonBar::GetElementKeyTip(const CMFCRibbonBaseElement* element)
{
    for (const auto& tip : m_elementTips)
        if (tip.second == element)
            return tip.first;
    return CString();
}

void CMFCRibbonBar::AssignKeyTips()
{
    m_elementTips.clear();
    m_categoryTips.clear();
    // The tabs' row: explicit tips first, then the categories' mnemonics, then made ones.
    KeyTipNames names;
    names.Take(Upper(GetApplicationButtonKeyTip()));
    for (const auto& element : m_tabElements)
        if (!element->GetKeys().IsEmpty())
            names.Take(Upper(element->GetKeys()));
    for (size_t i = 0; i < m_quickAccess.size() && i < 9; ++i)
        names.Take(CString(static_cast<char>('1' + i)));
    for (const auto& category : m_categories) {
        CString mnemonic = Upper(category->GetKeys().IsEmpty() ? MnemonicOf(category->GetName()) : category->GetKeys());
        if (names.Free(mnemonic))
            names.Take(mnemonic);
        else
            mnemonic.Empty();
        m_categoryTips.push_back(mnemonic);
    }
    for (size_t i = 0; i < m_categories.size(); ++i)
        if (m_categoryTips[i].IsEmpty())
            m_categoryTips[i] = names.Make(StripRibbonMnemonic(m_categories[i]->GetName()));
    if (m_nKeyTipLevel <= 1) {
        for (size_t i = 0; i < m_quickAccess.size() && i < 9; ++i)
            m_elementTips.emplace_back(CString(static_cast<char>('1' + i)), m_quickAccess[i].get());
        for (const auto& element : m_tabElements) {
            CString keys = Upper(element->GetKeys());
            if (keys.IsEmpty())
                keys = names.Make(StripRibbonMnemonic(element->GetText()));
            m_elementTips.emplace_back(keys, element.get());
        }
        return;
    }
    // The active category's elements: their own tips first, then made ones in table order.
    KeyTipNames inside;
    std::vector<CMFCRibbonBaseElement*> all;
    if (m_pActive != nullptr)
        for (int p = 0; p < m_pActive->GetPanelCount(); ++p)
            for (int i = 0; i < m_pActive->GetPanel(p)->GetCount(); ++i)
                CollectElements(m_pActive->GetPanel(p)->GetElement(i), all);
    for (CMFCRibbonBaseElement* element : all)
        if (!element->GetKeys().IsEmpty() && inside.Free(Upper(element->GetKeys())))
            inside.Take(Upper(element->GetKeys()));
    std::vector<char> firsts;
    for (CMFCRibbonBaseElement* element : all)
        if (element->GetKeys().IsEmpty())
            firsts.push_back(KeyTipNames::Letters(StripRibbonMnemonic(element->GetText()))[0]);
    for (CMFCRibbonBaseElement* element : all) {
        CString keys = Upper(element->GetKeys());
        bool own = !keys.IsEmpty() && std::none_of(m_elementTips.begin(), m_elementTips.end(),
                                                   [&](const auto& tip) { return tip.first == keys; });
        if (!own) {
            CString caption = StripRibbonMnemonic(element->GetText());
            char first = KeyTipNames::Letters(caption)[0];
            keys = inside.Make(caption, std::count(firsts.begin(), firsts.end(), first) == 1);
        }
        if (!keys.IsEmpty())
            m_elementTips.emplace_back(keys, element);
    }
}

void CMFCRibbonBar::ShowKeyTips(int level)
{
    level = std::max(0, std::min(level, 2));
    if (level == 2 && (m_pActive == nullptr || m_bMinimized))
        level = 0;
    m_nKeyTipLevel = level;
    m_strKeysTyped.Empty();
    m_bAltAlone = false;
    if (level > 0)
        AssignKeyTips();
    else
        m_elementTips.clear();
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CMFCRibbonBar::ActivateByKeyTip(CMFCRibbonBaseElement* element)
{
    ShowKeyTips(0);
    if (element == nullptr || !element->IsEnabled())
        return;
    if (CMFCRibbonPanel* panel = PanelOf(element->GetCategory(), element)) {
        if (panel->IsCollapsed() && dynamic_cast<CMFCRibbonEdit*>(element) != nullptr)
            OpenPanelPopup(panel);
    }
    if (auto* edit = dynamic_cast<CMFCRibbonEdit*>(element)) {
        edit->FocusAndSelectAll();   // typing then replaces the value
        return;
    }
    auto* button = dynamic_cast<CMFCRibbonButton*>(element);
    if (button != nullptr && button->HasDropDown() && !button->HasCommand()) {
        button->OpenDropDownByKey();
        return;
    }
    if (element->HasCommand())
        RaiseCommand(element->GetID());
}

void CMFCRibbonBar::KeyTipsTyped(char ch)
{
    m_strKeysTyped += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    bool partial = false;
    if (m_nKeyTipLevel == 1) {
        if (m_strKeysTyped == Upper(GetApplicationButtonKeyTip())) {
            ShowKeyTips(0);
            ShowApplicationMenu(true);
            return;
        }
        partial = IsPrefixOf(m_strKeysTyped, Upper(GetApplicationButtonKeyTip()));
        for (size_t i = 0; i < m_categoryTips.size(); ++i) {
            if (m_strKeysTyped == m_categoryTips[i]) {
                SetMinimized(false);
                SetActiveCategory(m_categories[i].get());
                ShowKeyTips(2);
                return;
            }
            partial = partial || IsPrefixOf(m_strKeysTyped, m_categoryTips[i]);
        }
    }
    for (const auto& tip : m_elementTips) {
        if (m_strKeysTyped == tip.first) {
            ActivateByKeyTip(tip.second);
            return;
        }
        partial = partial || IsPrefixOf(m_strKeysTyped, tip.first);
    }
    if (!partial)
        m_strKeysTyped.Empty();   // a key that leads nowhere starts over
    Invalidate(FALSE);
}

BOOL CMFCRibbonBar::ProcessKeyTipMessage(const MSG* msg)
{
    if (msg == nullptr || m_hWnd == nullptr)
        return FALSE;
    // The open application menu takes the keys and closes on a click elsewhere.
    if (m_pAppMenu != nullptr && m_pAppMenu->PreTranslate(msg))
        return TRUE;
    const UINT message = msg->message;
    const WPARAM key = msg->wParam;
    if (m_nKeyTipLevel == 0) {
        if (message == WM_SYSKEYDOWN && key == VK_MENU) {
            if ((msg->lParam & (1 << 30)) == 0)
                m_bAltAlone = true;
            return FALSE;
        }
        if (message == WM_SYSKEYUP && key == VK_MENU && m_bAltAlone) {
            ShowKeyTips(1);
            return TRUE;   // no system menu loop
        }
        if (message == WM_SYSKEYDOWN && key == VK_F10 && ::GetKeyState(VK_SHIFT) >= 0) {
            ShowKeyTips(1);
            return TRUE;
        }
        if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_LBUTTONDOWN ||
            message == WM_RBUTTONDOWN)
            m_bAltAlone = false;
        return FALSE;
    }
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (key == VK_ESCAPE)
            ShowKeyTips(m_nKeyTipLevel - 1);
        else if (key == VK_MENU || key == VK_F10 || key == VK_RETURN || key == VK_TAB)
            ShowKeyTips(0);
        else if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
            KeyTipsTyped(static_cast<char>(key));
        else if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9)
            KeyTipsTyped(static_cast<char>('0' + (key - VK_NUMPAD0)));
        return TRUE;
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
        return TRUE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
        ShowKeyTips(0);
        return FALSE;
    default:
        return FALSE;
    }
}

void CMFCRibbonBar::DrawKeyTips(CDC& dc)
{
    if (m_nKeyTipLevel == 0)
        return;
    auto tip = [&](const CString& keys, CPoint at) { ribbondraw::DrawKeyTipBox(dc, keys, at, m_strKeysTyped); };
    if (m_nKeyTipLevel == 1) {
        CRect app = GetApplicationButtonRect();
        tip(Upper(GetApplicationButtonKeyTip()), app.CenterPoint());
        for (size_t i = 0; i < m_categoryTips.size() && i < m_tabRects.size(); ++i)
            tip(m_categoryTips[i], CPoint(m_tabRects[i].CenterPoint().x, m_tabRects[i].bottom - 3));
    }
    for (const auto& entry : m_elementTips) {
        CRect rect = entry.second->GetRect();
        if (rect.IsRectEmpty())
            continue;
        bool wide = rect.Height() > kRowHeight;
        tip(entry.first, wide ? CPoint(rect.CenterPoint().x, rect.bottom - 6) : CPoint(rect.left + 10, rect.bottom - 4));
    }
}

// ---- the popup of a collapsed panel

void CMFCRibbonBar::OpenPanelPopup(CMFCRibbonPanel* panel)
{
    ClosePanelPopup();
    if (panel == nullptr || m_hWnd == nullptr)
        return;
    static bool registered = false;
    if (!registered)
        registered = ribbondraw::RegisterPopupClass(kPopupClass, PopupProc);
    m_pPopupPanel = panel;
    // The popup opens under the panel's button (where the panel was before it collapsed).
    CRect anchor = panel->GetRect();
    // Laid out in full in the popup's own coordinates; its boxes move into the popup.
    HDC screen = ::GetDC(nullptr);
    CDC dc;
    dc.Attach(screen);
    HGDIOBJ oldFont = ::SelectObject(screen, m_hFont ? static_cast<HGDIOBJ>(m_hFont) : ::GetStockObject(DEFAULT_GUI_FONT));
    int width = panel->Layout(dc, CRect(0, 0, 4000, kPanelHeight), 0);
    ::SelectObject(screen, oldFont);
    dc.Detach();
    ::ReleaseDC(nullptr, screen);
    CPoint at(anchor.left, anchor.bottom);
    ClientToScreen(&at);
    m_hPopup = ::CreateWindowExA(WS_EX_TOOLWINDOW, kPopupClass, "", WS_POPUP | WS_BORDER | WS_CLIPCHILDREN, at.x, at.y,
                                 width + 2, kPanelHeight + 2, m_hWnd, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    if (m_hPopup == nullptr) {
        m_pPopupPanel = nullptr;
        m_bLayoutDirty = true;
        return;
    }
    ::SetWindowLongPtrA(m_hPopup, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    for (int i = 0; i < panel->GetCount(); ++i) {
        auto* edit = dynamic_cast<CMFCRibbonEdit*>(panel->GetElement(i));
        if (edit == nullptr)
            continue;
        if (edit->GetControlHwnd() != nullptr)
            ::SetParent(edit->GetControlHwnd(), m_hPopup);
        if (edit->GetSpinHwnd() != nullptr)
            ::SetParent(edit->GetSpinHwnd(), m_hPopup);
        edit->SetRect(edit->GetRect());   // places the box again, now inside the popup
        edit->OnShow(true);
    }
    ::ShowWindow(m_hPopup, SW_SHOWNA);
    ::UpdateWindow(m_hPopup);
}

void CMFCRibbonBar::ClosePanelPopup()
{
    if (m_pPopupPanel == nullptr)
        return;
    CMFCRibbonPanel* panel = m_pPopupPanel;
    HWND popup = m_hPopup;
    m_pPopupPanel = nullptr;
    m_hPopup = nullptr;
    for (int i = 0; i < panel->GetCount(); ++i) {
        auto* edit = dynamic_cast<CMFCRibbonEdit*>(panel->GetElement(i));
        if (edit == nullptr)
            continue;
        edit->OnShow(false);
        if (edit->GetControlHwnd() != nullptr)
            ::SetParent(edit->GetControlHwnd(), m_hWnd);
        if (edit->GetSpinHwnd() != nullptr)
            ::SetParent(edit->GetSpinHwnd(), m_hWnd);
    }
    if (popup != nullptr)
        ::DestroyWindow(popup);
    m_bLayoutDirty = true;
    if (m_hWnd != nullptr) {
        EnsureLayout();
        Invalidate(FALSE);
    }
}

LRESULT CALLBACK CMFCRibbonBar::PopupProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* bar = reinterpret_cast<CMFCRibbonBar*>(::GetWindowLongPtrA(wnd, GWLP_USERDATA));
    if (bar == nullptr || bar->m_hPopup != wnd)
        return ::DefWindowProcA(wnd, message, wParam, lParam);
    return GuardedCall([&] { return bar->OnPopupMessage(wnd, message, wParam, lParam); }, LRESULT(0));
}

LRESULT CMFCRibbonBar::OnPopupMessage(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC target = ::BeginPaint(wnd, &ps);
        CDC dc;
        dc.Attach(target);
        HGDIOBJ oldFont = ::SelectObject(target, m_hFont ? static_cast<HGDIOBJ>(m_hFont) : ::GetStockObject(DEFAULT_GUI_FONT));
        RibbonPaint paint;
        paint.dc = &dc;
        paint.colors = &CRibbonLook::Colors();
        RECT client;
        ::GetClientRect(wnd, &client);
        dc.FillSolidRect(&client, paint.colors->panelArea);
        if (m_pPopupPanel != nullptr)
            m_pPopupPanel->OnDraw(paint);
        ::SelectObject(target, oldFont);
        dc.Detach();
        ::EndPaint(wnd, &ps);
        return 0;
    }
    case WM_LBUTTONUP: {
        CPoint pt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        CMFCRibbonBaseElement* hit = m_pPopupPanel != nullptr ? m_pPopupPanel->HitTest(pt) : nullptr;
        if (hit == nullptr || !hit->IsEnabled() || dynamic_cast<CMFCRibbonEdit*>(hit) != nullptr)
            return 0;
        // The command runs with the popup gone, as a click on the ribbon itself would.
        UINT id = hit->GetID();
        auto* button = dynamic_cast<CMFCRibbonButton*>(hit);
        bool dropDown = button != nullptr && button->HasDropDown() && (!button->HasCommand() || button->IsOnDropDownPart(pt));
        ClosePanelPopup();
        if (dropDown)
            button->OpenDropDownByKey();
        else if (hit->HasCommand())
            RaiseCommand(id);
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE)
            ClosePanelPopup();
        return 0;
    case WM_COMMAND:
    case WM_VSCROLL:
    case WM_NOTIFY:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
        // The boxes report to the bar as they do on the ribbon.
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    default:
        return ::DefWindowProcA(wnd, message, wParam, lParam);
    }
}
