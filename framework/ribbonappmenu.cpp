// The application menu: its items and layout, its key tips, opening and closing.
#include "framework/ribbonappmenu.h"
#include "framework/ribbonappmenu_parts.h"

#include "framework/app.h"
#include "framework/focusrequest.h"
#include "framework/guard.h"
#include "framework/ribbonbar.h"

#include <algorithm>
#include <cctype>

using namespace ribbonmenu;
using ribbondraw::MeasureDC;
using ribbondraw::MnemonicOf;
using ribbondraw::Upper;

namespace {

const char kMenuClass[] = "KorveltaRibbonApplicationMenu";
constexpr int kChrome = 3;          // the outer edge around the column, the pane and the bottom row
constexpr int kSeparatorHeight = 7;

// Key tips of one level: none repeats or begins another, so typing one reaches exactly one item.
class TipNames : public ribbondraw::KeyTipSet {
public:
    // The first free letter of the caption, else the first free pair of its letters.
    CString Make(const CString& caption)
    {
        CString letters;
        for (int i = 0; i < caption.GetLength(); ++i)
            if (std::isalpha(static_cast<unsigned char>(caption[i])))
                letters += static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i])));
        for (int i = 0; i < letters.GetLength(); ++i) {
            CString one = TakeIfFree(CString(letters[i]));
            if (!one.IsEmpty())
                return one;
        }
        for (int i = 0; i < letters.GetLength(); ++i)
            for (int j = i + 1; j < letters.GetLength(); ++j) {
                CString two;
                two += letters[i];
                two += letters[j];
                if (!TakeIfFree(two).IsEmpty())
                    return two;
            }
        return CString();
    }
};

CMFCRibbonRecentFilesList* RecentListOf(CMFCRibbonMainPanel* panel)
{
    for (int i = 0; panel != nullptr && i < panel->GetCount(); ++i)
        if (auto* list = dynamic_cast<CMFCRibbonRecentFilesList*>(panel->GetElement(i)))
            return list;
    return nullptr;
}

// How many entries of the recent file list show (and have a number).
int RecentCount()
{
    CRecentFileList* list = RecentFiles();
    return list != nullptr ? std::min(list->GetCount(), 16) : 0;
}

bool HasImage(const CMFCRibbonBaseElement* element, bool large)
{
    return element != nullptr && element->GetImageIndex(large) >= 0;
}

} // namespace

// ---- items

bool CRibbonApplicationMenu::Item::IsSplit() const
{
    auto* button = dynamic_cast<CMFCRibbonButton*>(element);
    return kind == Kind::Button && button != nullptr && button->HasDropDown();
}

CRect CRibbonApplicationMenu::Item::ArrowRect() const
{
    if (!IsSplit())
        return CRect();
    return CRect(rect.right - kArrowWidth, rect.top, rect.right, rect.bottom);
}

CRect CRibbonApplicationMenu::Item::ImageRect() const
{
    switch (kind) {
    case Kind::Button:
        return CRect(CPoint(rect.left + 6, rect.CenterPoint().y - kLargeImage / 2), CSize(kLargeImage, kLargeImage));
    case Kind::SubButton:
        return CRect(CPoint(rect.left + 8, rect.top + 4), CSize(kLargeImage, kLargeImage));
    case Kind::Bottom:
        if (!HasImage(element, false))
            return CRect();
        return CRect(CPoint(rect.left + 7, rect.CenterPoint().y - kSmallImage / 2), CSize(kSmallImage, kSmallImage));
    default:
        return CRect();
    }
}

UINT CRibbonApplicationMenu::Item::Command() const
{
    if (kind == Kind::Recent) {
        CRecentFileList* list = RecentFiles();
        return list != nullptr && recent >= 0 && recent < list->GetCount() ? list->m_nStart + recent : 0;
    }
    if (kind == Kind::Separator || kind == Kind::Heading || element == nullptr || !element->HasCommand())
        return 0;
    return element->GetID();
}

// ---- opening and closing

CRibbonApplicationMenu::CRibbonApplicationMenu(CMFCRibbonBar* bar) : m_pBar(bar) {}

CRibbonApplicationMenu::~CRibbonApplicationMenu()
{
    Close(false);
}

void CRibbonApplicationMenu::RegisterWindowClass()
{
    static bool registered = false;
    if (registered)
        return;
    registered = ribbondraw::RegisterPopupClass(kMenuClass, WindowProc);
}

bool CRibbonApplicationMenu::Open(CPoint screenPoint, bool keyboard)
{
    Close();
    CMFCRibbonCategory* main = m_pBar != nullptr ? m_pBar->GetMainCategory() : nullptr;
    if (main == nullptr || main->GetMainPanel() == nullptr || m_pBar->m_hWnd == nullptr)
        return false;
    RegisterWindowClass();
    LOGFONTA font = {};
    ::GetObjectA(m_pBar->GetRibbonFont() ? static_cast<HGDIOBJ>(m_pBar->GetRibbonFont()) : ::GetStockObject(DEFAULT_GUI_FONT),
                 sizeof font, &font);
    font.lfWeight = FW_BOLD;
    m_hBold = ::CreateFontIndirectA(&font);

    m_pDropDown = nullptr;
    m_nKeyLevel = 0;
    m_nHot = -1;
    m_nPressed = -1;
    m_strTyped.Empty();
    m_bKeyTips = keyboard;
    m_bSwallowButtonUp = false;
    m_bSwallowKeyUp = false;
    m_hFocusOnOpen = ::GetFocus();
    UpdateStates();
    Layout();

    // Under the application button, kept on the monitor's work area.
    CRect area(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (::GetMonitorInfoA(::MonitorFromPoint(screenPoint, MONITOR_DEFAULTTONEAREST), &monitor))
        area = monitor.rcWork;
    CPoint at = screenPoint;
    at.x = std::max<LONG>(area.left, std::min<LONG>(at.x, area.right - m_size.cx));
    at.y = std::max<LONG>(area.top, std::min<LONG>(at.y, area.bottom - m_size.cy));

    // Owned by the frame: it stays above it and goes with it; it never takes the activation.
    HWND owner = ::GetAncestor(m_pBar->m_hWnd, GA_ROOT);
    m_hWnd = ::CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST, kMenuClass, "", WS_POPUP, at.x, at.y,
                               m_size.cx, m_size.cy, owner, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    if (m_hWnd == nullptr) {
        ::DeleteObject(m_hBold);
        m_hBold = nullptr;
        m_items.clear();
        return false;
    }
    ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    if (keyboard)
        MoveHot(1);   // the first button, as a keyboard user expects
    ::ShowWindow(m_hWnd, SW_SHOWNA);
    ::UpdateWindow(m_hWnd);
    m_pBar->RedrawApplicationButton();
    return true;
}

void CRibbonApplicationMenu::Close(bool giveFocusBack)
{
    if (m_hWnd == nullptr)
        return;
    HWND wnd = m_hWnd;
    m_hWnd = nullptr;
    m_pDropDown = nullptr;
    m_nHot = -1;
    m_nPressed = -1;
    m_nKeyLevel = 0;
    m_bTrackingLeave = false;
    ::DestroyWindow(wnd);
    m_items.clear();
    if (m_hBold != nullptr) {
        ::DeleteObject(m_hBold);
        m_hBold = nullptr;
    }
    // The keyboard goes back to where it was, whatever the platform did with it meanwhile.
    HWND focus = m_hFocusOnOpen;
    m_hFocusOnOpen = nullptr;
    if (giveFocusBack && focus != nullptr && ::IsWindow(focus))
        AfxRestoreFocus(focus);
    if (m_pBar != nullptr && m_pBar->m_hWnd != nullptr)
        m_pBar->RedrawApplicationButton();
}

void CRibbonApplicationMenu::UpdateStates()
{
    CFrameWnd* target = m_pBar->GetParentFrame();
    CMFCRibbonMainPanel* panel = m_pBar->GetMainCategory()->GetMainPanel();
    if (target == nullptr)
        return;
    CRibbonCmdUI ui;
    ui.m_pOther = m_pBar;
    auto update = [&](CMFCRibbonBaseElement* element) {
        element->UpdateCmdUI(ui, target, TRUE);
        if (auto* button = dynamic_cast<CMFCRibbonButton*>(element))
            for (int i = 0; i < button->GetSubItemCount(); ++i)
                button->GetSubItem(i)->UpdateCmdUI(ui, target, TRUE);
    };
    for (int i = 0; i < panel->GetCount(); ++i)
        update(panel->GetElement(i));
    for (int i = 0; i < panel->GetBottomCount(); ++i)
        update(panel->GetBottomElement(i));
}

// ---- layout

namespace {

// The items of the right-hand pane (the recent documents, or a drop-down) from its top left
// corner; answers the height they take.
int BuildPane(MeasureDC& measure, HFONT normal, HFONT bold, CMFCRibbonRecentFilesList* list, CMFCRibbonButton* dropDown,
              const CRect& pane, std::vector<CRibbonApplicationMenu::Item>& out)
{
    using Item = CRibbonApplicationMenu::Item;
    using Kind = CRibbonApplicationMenu::Kind;
    int y = pane.top;
    auto add = [&](Kind kind, CMFCRibbonBaseElement* element, const CString& text, int height) {
        Item item;
        item.kind = kind;
        item.element = element;
        item.text = text;
        item.rect = CRect(pane.left, y, pane.right, y + height);
        out.push_back(item);
        y += height;
        return &out.back();
    };
    if (dropDown == nullptr) {
        add(Kind::Heading, nullptr, list != nullptr ? StripRibbonMnemonic(list->GetText()) : CString(),
            CRibbonApplicationMenu::kHeadingHeight);
        CRecentFileList* files = RecentFiles();
        for (int i = 0; i < RecentCount(); ++i) {
            // Numbered from 1; the tenth and later carry no digit of their own.
            Item* item = add(Kind::Recent, nullptr, files->GetDisplayName(i, 48), CRibbonApplicationMenu::kRecentItemHeight);
            item->recent = i;
        }
        return y - pane.top;
    }
    for (int i = 0; i < dropDown->GetSubItemCount(); ++i) {
        CMFCRibbonBaseElement* sub = dropDown->GetSubItem(i);
        CString caption = StripRibbonMnemonic(sub->GetText());
        if (dynamic_cast<CMFCRibbonSeparator*>(sub) != nullptr) {
            add(Kind::Separator, sub, CString(), kSeparatorHeight);
        } else if (dynamic_cast<CMFCRibbonLabel*>(sub) != nullptr) {
            add(Kind::Heading, sub, caption, CRibbonApplicationMenu::kHeadingHeight);
        } else {
            // The caption in bold over the description, wrapped beside the picture's room.
            int textWidth = pane.Width() - (8 + kLargeImage + 10) - 8;
            measure.Select(bold);
            int height = 6 + measure.LineHeight();
            measure.Select(normal);
            CString description = sub->GetDescription();
            if (!description.IsEmpty())
                height += 2 + measure.WrappedHeight(description, textWidth);
            height = std::max(height + 6, kLargeImage + 8);
            add(Kind::SubButton, sub, caption, height);
        }
    }
    return y - pane.top;
}

} // namespace

void CRibbonApplicationMenu::Layout()
{
    m_items.clear();
    CMFCRibbonMainPanel* panel = m_pBar->GetMainCategory()->GetMainPanel();
    HFONT normal = m_pBar->GetRibbonFont();
    MeasureDC measure(normal);
    CMFCRibbonRecentFilesList* list = RecentListOf(panel);
    const int paneWidth = list != nullptr ? std::max(list->GetWidth(), 120) : 300;

    // The column: as wide as its widest caption with picture and arrow.
    int columnWidth = 190;
    int columnHeight = 4;
    for (int i = 0; i < panel->GetCount(); ++i) {
        CMFCRibbonBaseElement* element = panel->GetElement(i);
        if (dynamic_cast<CMFCRibbonRecentFilesList*>(element) != nullptr)
            continue;
        Item item;
        item.element = element;
        if (dynamic_cast<CMFCRibbonSeparator*>(element) != nullptr) {
            item.kind = Kind::Separator;
            columnHeight += kSeparatorHeight;
        } else {
            item.kind = Kind::Button;
            item.text = StripRibbonMnemonic(element->GetText());
            auto* button = dynamic_cast<CMFCRibbonButton*>(element);
            int arrow = button != nullptr && button->HasDropDown() ? kArrowWidth : 0;
            columnWidth = std::max(columnWidth, 8 + kLargeImage + 10 + measure.Width(item.text) + 12 + arrow);
            columnHeight += kColumnItemHeight;
        }
        m_items.push_back(item);
    }
    columnHeight += 4;

    // The pane is as tall as the tallest of what it can show, so the panel keeps its size.
    std::vector<Item> scratch;
    // (Measured as wide as LayoutPane places them: inside the pane's left and right edge.)
    const CRect measureArea(0, 0, paneWidth - 2, 0);
    int paneHeight = BuildPane(measure, normal, m_hBold, list, nullptr, measureArea, scratch);
    for (const Item& item : m_items) {
        auto* button = dynamic_cast<CMFCRibbonButton*>(item.element);
        if (item.kind == Kind::Button && button != nullptr && button->GetSubItemCount() > 0) {
            scratch.clear();
            paneHeight = std::max(paneHeight, BuildPane(measure, normal, m_hBold, list, button, measureArea, scratch));
        }
    }
    const int height = std::max(columnHeight, paneHeight + 4);
    m_column = CRect(kChrome, kChrome, kChrome + columnWidth, kChrome + height);
    m_pane = CRect(m_column.right + 1, kChrome, m_column.right + 1 + paneWidth, kChrome + height);
    int y = m_column.top + 4;
    for (Item& item : m_items) {
        int h = item.kind == Kind::Separator ? kSeparatorHeight : kColumnItemHeight;
        item.rect = CRect(m_column.left + 3, y, m_column.right - 3, y + h);
        y += h;
    }

    // The bottom row: its buttons at the right, in the order added.
    m_bottom = CRect(kChrome, m_column.bottom, m_pane.right, m_column.bottom + kBottomHeight);
    std::vector<Item> bottom;
    int widths = 0;
    for (int i = 0; i < panel->GetBottomCount(); ++i) {
        Item item;
        item.kind = Kind::Bottom;
        item.element = panel->GetBottomElement(i);
        item.text = StripRibbonMnemonic(item.element->GetText());
        int width = (HasImage(item.element, false) ? kSmallImage + 6 : 0) + measure.Width(item.text) + 18;
        item.rect = CRect(0, m_bottom.top + 4, width, m_bottom.bottom - 4);
        widths += width + 4;
        bottom.push_back(item);
    }
    int x = m_bottom.right - 2 - widths;
    for (Item& item : bottom) {
        item.rect.OffsetRect(x, 0);
        x += item.rect.Width() + 4;
        m_items.push_back(item);
    }
    m_size = CSize(m_pane.right + kChrome, m_bottom.bottom + kChrome);
    m_nPaneFirst = static_cast<int>(m_items.size());
    AssignKeyTips();
    LayoutPane();
}

void CRibbonApplicationMenu::LayoutPane()
{
    m_items.resize(m_nPaneFirst);
    CMFCRibbonMainPanel* panel = m_pBar->GetMainCategory()->GetMainPanel();
    HFONT normal = m_pBar->GetRibbonFont();
    MeasureDC measure(normal);
    CRect area(m_pane.left + 1, m_pane.top + 1, m_pane.right - 1, m_pane.bottom);
    BuildPane(measure, normal, m_hBold, RecentListOf(panel), m_pDropDown, area, m_items);
    if (m_nHot >= m_nPaneFirst)
        m_nHot = -1;
    if (m_nPressed >= m_nPaneFirst)
        m_nPressed = -1;
    // The recent entries are numbered; a drop-down's items have tips of their own level.
    TipNames names;
    for (int i = m_nPaneFirst; i < GetItemCount(); ++i) {
        Item& item = m_items[i];
        if (item.kind == Kind::Recent && item.recent < 10)
            item.keys = CString(static_cast<char>(item.recent == 9 ? '0' : '1' + item.recent));
        if (item.kind == Kind::SubButton && !item.element->GetKeys().IsEmpty())
            item.keys = names.TakeIfFree(Upper(item.element->GetKeys()));
    }
    for (int i = m_nPaneFirst; i < GetItemCount(); ++i)
        if (m_items[i].kind == Kind::SubButton && m_items[i].keys.IsEmpty())
            m_items[i].keys = names.TakeIfFree(MnemonicOf(m_items[i].element->GetText()));
    for (int i = m_nPaneFirst; i < GetItemCount(); ++i)
        if (m_items[i].kind == Kind::SubButton && m_items[i].keys.IsEmpty())
            m_items[i].keys = names.Make(m_items[i].text);
}

void CRibbonApplicationMenu::AssignKeyTips()
{
    // The column and the bottom row share one level with the recent entries' digits: the
    // elements' own tips first, then the captions' mnemonics, then made ones in order.
    TipNames names;
    for (int digit = 0; digit < std::min(RecentCount(), 10); ++digit)
        names.TakeIfFree(CString(static_cast<char>(digit == 9 ? '0' : '1' + digit)));
    for (int i = 0; i < m_nPaneFirst; ++i) {
        Item& item = m_items[i];
        if (item.kind == Kind::Separator)
            continue;
        if (!item.element->GetKeys().IsEmpty())
            item.keys = names.TakeIfFree(Upper(item.element->GetKeys()));
        if (item.IsSplit() && !item.element->GetMenuKeys().IsEmpty())
            item.menuKeys = names.TakeIfFree(Upper(item.element->GetMenuKeys()));
    }
    for (int i = 0; i < m_nPaneFirst; ++i)
        if (m_items[i].kind != Kind::Separator && m_items[i].keys.IsEmpty())
            m_items[i].keys = names.TakeIfFree(MnemonicOf(m_items[i].element->GetText()));
    for (int i = 0; i < m_nPaneFirst; ++i)
        if (m_items[i].kind != Kind::Separator && m_items[i].keys.IsEmpty())
            m_items[i].keys = names.Make(m_items[i].text);
}

int CRibbonApplicationMenu::FindItem(const CMFCRibbonBaseElement* element) const
{
    for (int i = 0; i < GetItemCount(); ++i)
        if (element != nullptr && m_items[i].element == element)
            return i;
    return -1;
}

int CRibbonApplicationMenu::FindRecentItem(int recent) const
{
    for (int i = 0; i < GetItemCount(); ++i)
        if (m_items[i].kind == Kind::Recent && m_items[i].recent == recent)
            return i;
    return -1;
}

void CRibbonApplicationMenu::ShowDropDown(CMFCRibbonButton* button, bool keyboard)
{
    if (!IsOpen() || button == nullptr || button->GetSubItemCount() == 0)
        return;
    if (button != m_pDropDown) {
        m_pDropDown = button;
        LayoutPane();
    }
    m_strTyped.Empty();
    m_nKeyLevel = keyboard ? 1 : 0;
    if (keyboard) {
        m_nHot = -1;
        MoveHot(1);
    }
    Invalidate();
}

void CRibbonApplicationMenu::HideDropDown()
{
    if (!IsOpen())
        return;
    CMFCRibbonButton* was = m_pDropDown;
    bool keyLevel = m_nKeyLevel == 1;
    m_nKeyLevel = 0;
    m_strTyped.Empty();
    if (was != nullptr) {
        m_pDropDown = nullptr;
        LayoutPane();
    }
    // Back from the drop-down by key: the keyboard stays on its button.
    if (keyLevel && was != nullptr)
        m_nHot = FindItem(was);
    Invalidate();
}
