#include "framework/ribboncontrols.h"

#include "framework/frame.h"
#include "framework/guard.h"
#include "framework/ribbonbar.h"

#include <commctrl.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kSpinWidth = 16;
constexpr int kEditHeight = 20;
// The text's margin inside a box: the ribbon's boxes are narrow, and the edit's own margins (three
// pixels a side, none at all once the box is narrow) would take the room of a digit.
constexpr int kTextMargin = 1;

int CALLBACK CollectFontFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD fontType, LPARAM param)
{
    auto* state = reinterpret_cast<std::pair<std::vector<CString>*, int>*>(param);
    // Vector faces carry no type bit: they belong to "all types".
    bool wanted = (fontType & static_cast<DWORD>(state->second)) != 0 ||
                  (fontType == 0 && (state->second & (RASTER_FONTTYPE | DEVICE_FONTTYPE | TRUETYPE_FONTTYPE)) ==
                                        (RASTER_FONTTYPE | DEVICE_FONTTYPE | TRUETYPE_FONTTYPE));
    if (!wanted || font->lfFaceName[0] == '@' || font->lfFaceName[0] == '\0')
        return 1;
    // The callback runs inside gdi32: nothing may unwind through it (0 ends the enumeration).
    return GuardedCall([&] { state->first->push_back(CString(font->lfFaceName)); return 1; }, 0);
}

} // namespace

// ---- CRibbonControlWnd

LRESULT CRibbonControlWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pElement != nullptr) {
        if ((message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP) &&
            m_pElement->GetRibbonBar() != nullptr)
            m_pElement->GetRibbonBar()->RelayToolTip(m_hWnd, message, wParam, lParam);
        switch (message) {
        case WM_GETDLGCODE:
            return CWnd::WindowProc(message, wParam, lParam) | DLGC_WANTALLKEYS;
        case WM_LBUTTONDOWN:
            if (m_hWnd == m_pElement->GetTextHwnd() && ::GetFocus() != m_hWnd) {
                // A click that enters the box selects the whole value, as a key tip does; a click
                // inside a box that has the focus already places the caret as usual.
                LRESULT result = CWnd::WindowProc(message, wParam, lParam);
                m_bEntering = true;
                m_ptEntered = CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
                m_pElement->SelectAll();
                return result;
            }
            break;
        case WM_LBUTTONUP:
            if (m_bEntering) {
                LRESULT result = CWnd::WindowProc(message, wParam, lParam);
                m_bEntering = false;
                // The press selected from the start to where the mouse went: only a real drag keeps
                // that selection of its own.
                CPoint up(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
                if (std::abs(up.x - m_ptEntered.x) <= ::GetSystemMetrics(SM_CXDRAG) &&
                    std::abs(up.y - m_ptEntered.y) <= ::GetSystemMetrics(SM_CYDRAG))
                    m_pElement->SelectAll();
                return result;
            }
            break;
        case WM_KEYDOWN:
            if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
                // An open list closes first, as the combo box does by itself.
                HWND combo = m_pElement->GetControlHwnd();
                if (combo != nullptr && combo != m_hWnd && ::SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0))
                    break;
                if (wParam == VK_RETURN)
                    m_pElement->OnEnter();
                else
                    m_pElement->OnEscape();
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == '\r' || wParam == 0x1B)
                return 0;   // no beep for the keys handled above
            break;
        default:
            break;
        }
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

// ---- CMFCRibbonEdit

CMFCRibbonEdit::CMFCRibbonEdit(UINT id, int width, const char* label, int image)
    : CMFCRibbonBaseElement(id, label), m_nWidth(width > 0 ? width : 80), m_nBoxWidth(m_nWidth)
{
    m_nSmallImage = image;
    m_wndControl.m_pElement = this;
}

CMFCRibbonEdit::~CMFCRibbonEdit()
{
    if (m_hSpin != nullptr && ::IsWindow(m_hSpin))
        ::DestroyWindow(m_hSpin);
}

void CMFCRibbonEdit::EnableSpinButtons(int min, int max)
{
    m_bSpin = true;
    m_nSpinMin = min;
    m_nSpinMax = max;
    if (m_hSpin != nullptr)
        ::SendMessageA(m_hSpin, UDM_SETRANGE32, min, max);
}

CString CMFCRibbonEdit::GetEditText() const
{
    if (m_wndControl.m_hWnd == nullptr)
        return m_strEdit;
    return m_wndControl.GetWindowText();
}

int CMFCRibbonEdit::CopyEditText(char* buffer, int size) const
{
    if (buffer == nullptr || size <= 0)
        return 0;
    CString text = GetEditText();
    int count = std::min(text.GetLength(), size - 1);
    std::memcpy(buffer, text.GetString(), static_cast<size_t>(count));
    buffer[count] = '\0';
    return count;
}

void CMFCRibbonEdit::SetEditText(const char* text)
{
    m_strEdit = text ? text : "";
    if (m_wndControl.m_hWnd == nullptr)
        return;
    auto* combo = dynamic_cast<CMFCRibbonComboBox*>(this);
    if (combo != nullptr && !combo->HasEditBox()) {
        combo->SelectItem(m_strEdit);
        return;
    }
    // Writing the same text again would move the caret and drop the selection.
    if (m_wndControl.GetWindowText() != m_strEdit)
        m_wndControl.SetWindowText(m_strEdit);
}

void CMFCRibbonEdit::SelectAll()
{
    HWND text = GetTextHwnd();
    if (text != nullptr)
        ::SendMessageA(text, EM_SETSEL, 0, -1);
}

void CMFCRibbonEdit::FocusAndSelectAll()
{
    if (m_wndControl.m_hWnd == nullptr || !m_bEnabled)
        return;
    ::SetFocus(m_wndControl.m_hWnd);
    // After the focus: taking it may move the selection of its own accord.
    SelectAll();
}

bool CMFCRibbonEdit::HasFocus() const
{
    HWND focus = ::GetFocus();
    HWND control = m_wndControl.m_hWnd;
    return control != nullptr && focus != nullptr && (focus == control || ::IsChild(control, focus));
}

void CMFCRibbonEdit::OnEnter()
{
    CMFCRibbonBar* bar = m_pRibbonBar;
    if (bar == nullptr)
        return;
    if (HasCommand() && m_bEnabled)
        bar->RaiseCommand(m_nID);
    bar->ReturnFocus();
}

void CMFCRibbonEdit::OnEscape()
{
    if (m_pRibbonBar != nullptr)
        m_pRibbonBar->ReturnFocus();
}

void CMFCRibbonEdit::UpdateCmdUI(CRibbonCmdUI& ui, CFrameWnd* target, BOOL disableIfNoHandler)
{
    if (!HasCommand() || target == nullptr)
        return;
    ui.m_pElement = this;
    ui.m_nID = m_nID;
    ui.m_bEnableChanged = FALSE;
    BOOL answered = target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, &ui, nullptr);
    if (!answered && disableIfNoHandler && !ui.m_bEnableChanged) {
        CmdHandlerInfo info;
        const BOOL command = target->OnCmdMsg(m_nID, CN_COMMAND, &ui, &info);
        ui.Enable(command);
        if (!command)
            ui.OnNoHandler();
    }
}

void CMFCRibbonEdit::SetEnabled(bool enabled)
{
    if (m_bEnabled == enabled)
        return;
    if (!enabled && HasFocus() && m_pRibbonBar != nullptr)
        m_pRibbonBar->ReturnFocus();
    CMFCRibbonBaseElement::SetEnabled(enabled);
    if (m_wndControl.m_hWnd != nullptr)
        ::EnableWindow(m_wndControl.m_hWnd, enabled);
    if (m_hSpin != nullptr)
        ::EnableWindow(m_hSpin, enabled);
}

void CMFCRibbonEdit::SetTextFromUpdate(const char* text)
{
    SetEditText(text);
}

CMFCRibbonBaseElement* CMFCRibbonEdit::FindByControl(HWND wnd)
{
    if (wnd == nullptr)
        return nullptr;
    return wnd == m_wndControl.m_hWnd || wnd == m_hSpin ? this : nullptr;
}

int CMFCRibbonEdit::GetLabelWidth(CDC& dc) const
{
    CString label = StripRibbonMnemonic(m_strText);
    return label.IsEmpty() ? 0 : dc.GetTextExtent(label).cx + 8;
}

std::vector<CString> CMFCRibbonEdit::GetWidestTexts() const
{
    std::vector<CString> texts;
    if (!m_strSample.IsEmpty())
        texts.push_back(m_strSample);
    return texts;
}

int CMFCRibbonEdit::MeasureChrome() const
{
    HWND text = GetTextHwnd();
    HWND control = m_wndControl.m_hWnd;
    bool combo = dynamic_cast<const CMFCRibbonComboBox*>(this) != nullptr;
    if (control == nullptr || text == nullptr)
        return combo ? ::GetSystemMetrics(SM_CXVSCROLL) + 8 : 8;   // before the windows exist
    RECT window = {}, client = {};
    ::GetWindowRect(control, &window);
    ::GetClientRect(text, &client);
    DWORD margins = static_cast<DWORD>(::SendMessageA(text, EM_GETMARGINS, 0, 0));
    int room = client.right - client.left - LOWORD(margins) - HIWORD(margins);
    return std::max(0, static_cast<int>(window.right - window.left) - room);
}

CSize CMFCRibbonEdit::GetRegularSize(CDC& dc)
{
    m_nLabelUsed = m_nLabelColumn >= 0 ? m_nLabelColumn : GetLabelWidth(dc);
    // The width given holds for the values the box was planned for at 96 dots per inch, but a
    // drop-down button or a font of other metrics can leave too little room: then the box grows
    // until its widest text shows whole (a caret's pixel more).
    int widest = 0;
    for (const CString& text : GetWidestTexts())
        widest = std::max(widest, static_cast<int>(dc.GetTextExtent(text).cx));
    m_nBoxWidth = widest > 0 ? std::max(m_nWidth, widest + MeasureChrome() + 1) : m_nWidth;
    return CSize(m_nLabelUsed + m_nBoxWidth + (m_bSpin ? kSpinWidth : 0) + 2, CMFCRibbonBar::kRowHeight);
}

CRect CMFCRibbonEdit::GetControlRect() const
{
    // The box sits behind the label column, so that boxes of one panel column line up.
    int left = m_rect.left + m_nLabelUsed;
    int height = kEditHeight;
    if (m_wndControl.m_hWnd != nullptr && dynamic_cast<const CMFCRibbonComboBox*>(this) != nullptr) {
        // A closed combo box reports its closed height, whatever height it was given.
        RECT closed;
        ::GetWindowRect(m_wndControl.m_hWnd, &closed);
        height = std::max(16, static_cast<int>(closed.bottom - closed.top));
    }
    int top = m_rect.CenterPoint().y - height / 2;
    return CRect(left, top, left + m_nBoxWidth, top + height);
}

void CMFCRibbonEdit::SetRect(const CRect& rect)
{
    CMFCRibbonBaseElement::SetRect(rect);
    // Trial layouts of a narrow bar move nothing; a box already in place stays.
    if (m_wndControl.m_hWnd == nullptr || (m_pRibbonBar != nullptr && m_pRibbonBar->IsMeasuring()))
        return;
    CRect box = GetControlRect();
    HWND parent = ::GetParent(m_wndControl.m_hWnd);
    if (box == m_rectPlaced && parent == m_hPlacedIn)
        return;
    m_rectPlaced = box;
    m_hPlacedIn = parent;
    bool combo = dynamic_cast<CMFCRibbonComboBox*>(this) != nullptr;
    // A combo box's window height includes its open list.
    ::MoveWindow(m_wndControl.m_hWnd, box.left, box.top, box.Width(), combo ? 220 : box.Height(), TRUE);
    if (m_hSpin != nullptr)
        ::MoveWindow(m_hSpin, box.right, box.top, kSpinWidth, box.Height(), TRUE);
}

void CMFCRibbonEdit::OnShow(bool show)
{
    // Every layout tells every box of the bar; only a change reaches the window.
    if (m_bShowApplied && show == m_bShown && m_wndControl.m_hWnd != nullptr &&
        ((::GetWindowLongA(m_wndControl.m_hWnd, GWL_STYLE) & WS_VISIBLE) != 0) == show)
        return;
    m_bShowApplied = m_wndControl.m_hWnd != nullptr;
    m_bShown = show;
    if (m_wndControl.m_hWnd != nullptr)
        ::ShowWindow(m_wndControl.m_hWnd, show ? SW_SHOWNA : SW_HIDE);
    if (m_hSpin != nullptr)
        ::ShowWindow(m_hSpin, show ? SW_SHOWNA : SW_HIDE);
}

void CMFCRibbonEdit::OnDraw(RibbonPaint& paint)
{
    CRect label = m_rect;
    label.left += 3;
    label.right = GetControlRect().left - 2;
    DrawText(paint, label, StripRibbonMnemonic(m_strText), DT_LEFT);
}

void CMFCRibbonEdit::OnClick(CPoint)
{
    FocusAndSelectAll();
}

void CMFCRibbonEdit::CreateControls()
{
    if (m_wndControl.m_hWnd != nullptr || m_pRibbonBar == nullptr || m_pRibbonBar->m_hWnd == nullptr)
        return;
    if (!CreateControlWindow(m_pRibbonBar->m_hWnd))
        return;
    AfterControlCreated();
}

BOOL CMFCRibbonEdit::CreateControlWindow(HWND parent)
{
    if (!m_wndControl.CreateEx(0, "EDIT", m_strEdit, WS_CHILD | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0,
                               m_nWidth, kEditHeight, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(m_nID))))
        return FALSE;
    if (m_bSpin) {
        m_hSpin = ::CreateWindowExA(0, UPDOWN_CLASSA, "",
                                    WS_CHILD | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 0, kSpinWidth,
                                    kEditHeight, parent, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        if (m_hSpin != nullptr) {
            ::SendMessageA(m_hSpin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(m_wndControl.m_hWnd), 0);
            ::SendMessageA(m_hSpin, UDM_SETRANGE32, m_nSpinMin, m_nSpinMax);
        }
    }
    return TRUE;
}

void CMFCRibbonEdit::AfterControlCreated()
{
    m_wndControl.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_pRibbonBar->GetRibbonFont()), FALSE);
    if (HWND text = GetTextHwnd())   // after the font, which sets margins of its own
        ::SendMessageA(text, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(kTextMargin, kTextMargin));
    if (!m_bEnabled) {
        ::EnableWindow(m_wndControl.m_hWnd, FALSE);
        if (m_hSpin != nullptr)
            ::EnableWindow(m_hSpin, FALSE);
    }
    m_pRibbonBar->AddControlToolTip(this);
    SetRect(m_rect);
    OnShow(m_bShown);
}

// ---- CMFCRibbonComboBox

CMFCRibbonComboBox::CMFCRibbonComboBox(UINT id, BOOL hasEditBox, int width, const char* label, int image)
    : CMFCRibbonEdit(id, width, label, image), m_bHasEditBox(hasEditBox != FALSE)
{
    m_wndInnerEdit.m_pElement = this;
}

int CMFCRibbonComboBox::AddItem(const char* item, DWORD_PTR data)
{
    m_items.emplace_back(CString(item ? item : ""), data);
    int index = static_cast<int>(m_items.size()) - 1;
    if (m_wndControl.m_hWnd != nullptr) {
        int added = static_cast<int>(m_wndControl.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item ? item : "")));
        if (added >= 0)
            m_wndControl.SendMessage(CB_SETITEMDATA, added, static_cast<LPARAM>(data));
    }
    return index;
}

CString CMFCRibbonComboBox::GetItem(int index) const
{
    return index >= 0 && index < GetCount() ? m_items[index].first : CString();
}

DWORD_PTR CMFCRibbonComboBox::GetItemData(int index) const
{
    return index >= 0 && index < GetCount() ? m_items[index].second : 0;
}

void CMFCRibbonComboBox::RemoveAllItems()
{
    m_items.clear();
    m_nCurSel = -1;
    m_strEdit.Empty();
    if (m_wndControl.m_hWnd != nullptr)
        m_wndControl.SendMessage(CB_RESETCONTENT);
}

int CMFCRibbonComboBox::FindItem(const char* item) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_items[i].first.CompareNoCase(item ? item : "") == 0)
            return i;
    return -1;
}

BOOL CMFCRibbonComboBox::SelectItem(int index)
{
    if (index < -1 || index >= GetCount())
        return FALSE;
    m_nCurSel = index;
    m_strEdit = index >= 0 ? m_items[index].first : CString();
    if (m_wndControl.m_hWnd != nullptr)
        m_wndControl.SendMessage(CB_SETCURSEL, index);
    return TRUE;
}

BOOL CMFCRibbonComboBox::SelectItem(const char* item)
{
    int index = FindItem(item);
    if (index < 0 && m_bHasEditBox) {
        // Text that is not in the list still shows in an editable box.
        m_nCurSel = -1;
        m_strEdit = item ? item : "";
        if (m_wndControl.m_hWnd != nullptr) {
            m_wndControl.SendMessage(CB_SETCURSEL, static_cast<WPARAM>(-1));
            m_wndControl.SetWindowText(m_strEdit);
        }
        return FALSE;
    }
    return SelectItem(index);
}

int CMFCRibbonComboBox::GetCurSel() const
{
    if (m_wndControl.m_hWnd == nullptr)
        return m_nCurSel;
    return static_cast<int>(m_wndControl.SendMessage(CB_GETCURSEL));
}

void CMFCRibbonComboBox::OnSelectionChosen()
{
    int index = GetCurSel();
    if (index < 0 || index >= GetCount())
        return;
    // The box shows the chosen text only after this notification: put it there for the handler.
    m_nCurSel = index;
    m_strEdit = m_items[index].first;
    if (m_wndControl.m_hWnd != nullptr && m_bHasEditBox)
        m_wndControl.SetWindowText(m_strEdit);
    if (HasCommand() && m_bEnabled && m_pRibbonBar != nullptr)
        m_pRibbonBar->RaiseCommand(m_nID);
}

std::vector<CString> CMFCRibbonComboBox::GetWidestTexts() const
{
    std::vector<CString> texts = CMFCRibbonEdit::GetWidestTexts();
    for (const auto& item : m_items)
        texts.push_back(item.first);
    return texts;
}

CMFCRibbonBaseElement* CMFCRibbonComboBox::FindByControl(HWND wnd)
{
    if (wnd != nullptr && wnd == m_wndInnerEdit.m_hWnd)
        return this;
    return CMFCRibbonEdit::FindByControl(wnd);
}

BOOL CMFCRibbonComboBox::CreateControlWindow(HWND parent)
{
    DWORD style = WS_CHILD | WS_VSCROLL | WS_TABSTOP | CBS_AUTOHSCROLL |
                  (m_bHasEditBox ? CBS_DROPDOWN : CBS_DROPDOWNLIST);
    if (!m_wndControl.CreateEx(0, "COMBOBOX", "", style, 0, 0, m_nWidth, 220, parent,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(m_nID))))
        return FALSE;
    m_wndControl.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_pRibbonBar->GetRibbonFont()), FALSE);
    for (const auto& item : m_items) {
        int added = static_cast<int>(m_wndControl.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.first.GetString())));
        if (added >= 0)
            m_wndControl.SendMessage(CB_SETITEMDATA, added, static_cast<LPARAM>(item.second));
    }
    if (m_nCurSel >= 0)
        m_wndControl.SendMessage(CB_SETCURSEL, m_nCurSel);
    else if (m_bHasEditBox)
        m_wndControl.SetWindowText(m_strEdit);
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    if (m_bHasEditBox && ::GetComboBoxInfo(m_wndControl.m_hWnd, &info) && info.hwndItem != nullptr)
        m_wndInnerEdit.SubclassWindow(info.hwndItem);
    return TRUE;
}

// ---- CMFCRibbonFontComboBox

CMFCRibbonFontComboBox::CMFCRibbonFontComboBox(UINT id, int fontTypes, BYTE charSet, BYTE pitchAndFamily, int width)
    : CMFCRibbonComboBox(id, TRUE, width), m_nFontTypes(fontTypes), m_charSet(charSet), m_pitchAndFamily(pitchAndFamily)
{
}

void CMFCRibbonFontComboBox::RebuildFonts()
{
    std::vector<CString> faces;
    std::pair<std::vector<CString>*, int> state(&faces, m_nFontTypes);
    LOGFONTA font = {};
    font.lfCharSet = m_charSet;
    font.lfPitchAndFamily = m_pitchAndFamily;
    HDC screen = ::GetDC(nullptr);
    ::EnumFontFamiliesExA(screen, &font, CollectFontFace, reinterpret_cast<LPARAM>(&state), 0);
    ::ReleaseDC(nullptr, screen);
    std::sort(faces.begin(), faces.end(), [](const CString& a, const CString& b) { return a.CompareNoCase(b) < 0; });
    faces.erase(std::unique(faces.begin(), faces.end(),
                            [](const CString& a, const CString& b) { return a.CompareNoCase(b) == 0; }),
                faces.end());
    CString text = GetEditText();
    RemoveAllItems();
    for (const CString& face : faces)
        AddItem(face);
    SetEditText(text);
    // The open list is as wide as the longest name.
    if (m_wndControl.m_hWnd != nullptr) {
        HDC dc = ::GetDC(m_wndControl.m_hWnd);
        HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(m_wndControl.SendMessage(WM_GETFONT)));
        int widest = 0;
        for (const CString& face : faces) {
            SIZE size = {};
            ::GetTextExtentPoint32A(dc, face, face.GetLength(), &size);
            widest = std::max(widest, static_cast<int>(size.cx));
        }
        ::SelectObject(dc, old);
        ::ReleaseDC(m_wndControl.m_hWnd, dc);
        m_wndControl.SendMessage(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(widest + ::GetSystemMetrics(SM_CXVSCROLL) + 8));
    }
}

std::vector<CString> CMFCRibbonFontComboBox::GetWidestTexts() const
{
    return CMFCRibbonEdit::GetWidestTexts();
}

BOOL CMFCRibbonFontComboBox::CreateControlWindow(HWND parent)
{
    if (!CMFCRibbonComboBox::CreateControlWindow(parent))
        return FALSE;
    RebuildFonts();
    return TRUE;
}
