#include "framework/ribboncategory.h"

#include "framework/ribbonbar.h"

#include <algorithm>

HIMAGELIST LoadRibbonImages(UINT bitmapId, int size)
{
    if (bitmapId == 0)
        return nullptr;
    HINSTANCE module = AfxGetResourceHandle();
    if (::FindResourceA(module, MAKEINTRESOURCEA(bitmapId), MAKEINTRESOURCEA(2) /* RT_BITMAP */) == nullptr)
        return nullptr;
    // Magenta is the strips' transparent key colour.
    return ::ImageList_LoadImageA(module, MAKEINTRESOURCEA(bitmapId), size, 0, RGB(255, 0, 255), IMAGE_BITMAP,
                                  LR_CREATEDIBSECTION);
}

namespace {
constexpr int kCollapsedWidth = 50;
} // namespace

// ---- CMFCRibbonPanel

CMFCRibbonPanel::CMFCRibbonPanel(CMFCRibbonCategory* category, const char* name, int icon)
    : m_pCategory(category), m_nIcon(icon)
{
    CString all(name ? name : "");
    int lineBreak = all.Find('\n');
    m_strName = lineBreak < 0 ? all : all.Left(lineBreak);
    m_strKeys = lineBreak < 0 ? CString() : all.Mid(lineBreak + 1);
}

CMFCRibbonPanel::~CMFCRibbonPanel() = default;

void CMFCRibbonPanel::Add(CMFCRibbonBaseElement* element)
{
    element->SetOwner(m_pCategory->GetParentRibbonBar(), m_pCategory);
    m_elements.emplace_back(element);
    if (CMFCRibbonBar* bar = m_pCategory->GetParentRibbonBar())
        bar->SetLayoutDirty();
}

void CMFCRibbonPanel::AddSeparator()
{
    Add(new CMFCRibbonSeparator);
}

CMFCRibbonBaseElement* CMFCRibbonPanel::FindByID(UINT id) const
{
    for (const auto& element : m_elements)
        if (CMFCRibbonBaseElement* found = element->FindByID(id))
            return found;
    return nullptr;
}

CMFCRibbonBaseElement* CMFCRibbonPanel::FindByControl(HWND wnd) const
{
    for (const auto& element : m_elements)
        if (CMFCRibbonBaseElement* found = element->FindByControl(wnd))
            return found;
    return nullptr;
}

CMFCRibbonBaseElement* CMFCRibbonPanel::HitTest(CPoint pt) const
{
    if (!m_rect.PtInRect(pt) || IsCollapsed())
        return nullptr;
    for (const auto& element : m_elements)
        if (CMFCRibbonBaseElement* found = element->HitTest(pt))
            return found;
    return nullptr;
}

int CMFCRibbonPanel::Layout(CDC& dc, const CRect& area, int level)
{
    m_nLevel = level;
    for (const auto& element : m_elements)
        element->SetCompactLevel(std::min(level, 2));
    if (level >= 3) {
        // One button: the panel's icon over its caption; its elements wait for the popup.
        // A fixed width: a narrow frame holds a whole category of them.
        const int width = kCollapsedWidth;
        for (const auto& element : m_elements)
            element->SetRect(CRect());
        m_rect = CRect(area.left, area.top, area.left + width, area.bottom);
        return width;
    }
    const int top = area.top + 3;
    int x = area.left + 4;
    std::vector<CMFCRibbonBaseElement*> column;
    // Up to three small elements stack in a column as wide as the widest of them.
    auto flush = [&] {
        if (column.empty())
            return;
        int labels = 0;
        for (CMFCRibbonBaseElement* element : column)
            if (auto* edit = dynamic_cast<CMFCRibbonEdit*>(element))
                labels = std::max(labels, edit->GetLabelWidth(dc));
        int width = 0;
        for (CMFCRibbonBaseElement* element : column) {
            if (auto* edit = dynamic_cast<CMFCRibbonEdit*>(element))
                edit->SetLabelColumn(labels);
            width = std::max(width, static_cast<int>(element->GetRegularSize(dc).cx));
        }
        for (size_t i = 0; i < column.size(); ++i) {
            int y = top + static_cast<int>(i) * CMFCRibbonBar::kRowHeight;
            column[i]->SetRect(CRect(x, y, x + width, y + CMFCRibbonBar::kRowHeight));
        }
        x += width + 2;
        column.clear();
    };
    for (const auto& element : m_elements) {
        if (element->IsWholeColumn()) {
            flush();
            int width = element->GetRegularSize(dc).cx;
            element->SetRect(CRect(x, top, x + width, top + 3 * CMFCRibbonBar::kRowHeight));
            x += width + 2;
            continue;
        }
        column.push_back(element.get());
        if (column.size() == 3)
            flush();
    }
    flush();
    int caption = static_cast<int>(dc.GetTextExtent(m_strName.IsEmpty() ? CString(" ") : m_strName).cx) + 16;
    int width = std::max(static_cast<int>(x + 2 - area.left), caption);
    m_rect = CRect(area.left, area.top, area.left + width, area.bottom);
    return width;
}

CRect CMFCRibbonPanel::GetCaptionRect() const
{
    return CRect(m_rect.left + 1, m_rect.bottom - CMFCRibbonBar::kPanelCaptionHeight, m_rect.right - 1, m_rect.bottom - 1);
}

void CMFCRibbonPanel::OnDraw(RibbonPaint& paint)
{
    const RibbonColors& c = *paint.colors;
    if (IsCollapsed()) {
        paint.dc->FillSolidRect(&m_rect, c.panelFace);
        HBRUSH border = ::CreateSolidBrush(c.panelBorder);
        ::FrameRect(paint.dc->m_hDC, &m_rect, border);
        ::DeleteObject(border);
        CMFCRibbonBar* bar = m_pCategory->GetParentRibbonBar();
        HIMAGELIST icons = bar != nullptr ? bar->GetPanelImages() : nullptr;
        // The icon sits in a small raised square as the panel's drop-down button.
        CRect square(m_rect.CenterPoint().x - 14, m_rect.top + 8, m_rect.CenterPoint().x + 14, m_rect.top + 36);
        paint.dc->FillSolidRect(&square, c.captionFace);
        ::FrameRect(paint.dc->m_hDC, &square, border = ::CreateSolidBrush(c.panelBorder));
        ::DeleteObject(border);
        if (icons != nullptr && m_nIcon >= 0 && m_nIcon < ::ImageList_GetImageCount(icons))
            ::ImageList_Draw(icons, m_nIcon, paint.dc->m_hDC, square.CenterPoint().x - 8, square.CenterPoint().y - 8,
                             ILD_TRANSPARENT);
        paint.dc->SetBkMode(TRANSPARENT);
        paint.dc->SetTextColor(c.text);
        CRect text(m_rect.left + 2, m_rect.top + 40, m_rect.right - 2, m_rect.bottom - 4);
        paint.dc->DrawText(m_strName, -1, &text, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS);
        // The arrow that says it opens.
        CPoint a(m_rect.CenterPoint().x, m_rect.bottom - 10);
        for (int i = 0; i < 3; ++i) {
            RECT r = { a.x - 3 + i, a.y + i, a.x + 4 - i, a.y + i + 1 };
            paint.dc->FillSolidRect(&r, c.text);
        }
        return;
    }
    paint.dc->FillSolidRect(&m_rect, c.panelFace);
    CRect caption = GetCaptionRect();
    paint.dc->FillSolidRect(&caption, c.captionFace);
    HBRUSH border = ::CreateSolidBrush(c.panelBorder);
    ::FrameRect(paint.dc->m_hDC, &m_rect, border);
    ::DeleteObject(border);
    paint.dc->SetBkMode(TRANSPARENT);
    paint.dc->SetTextColor(c.captionText);
    paint.dc->DrawText(m_strName, -1, &caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    for (const auto& element : m_elements)
        element->OnDraw(paint);
}

void CMFCRibbonPanel::Show(bool show)
{
    for (const auto& element : m_elements)
        element->OnShow(show && !IsCollapsed());
}

// ---- CMFCRibbonMainPanel

void CMFCRibbonMainPanel::AddRecentFilesList(const char* label, int width)
{
    Add(new CMFCRibbonRecentFilesList(label, width));
}

void CMFCRibbonMainPanel::AddToBottom(CMFCRibbonBaseElement* element)
{
    element->SetOwner(m_pCategory->GetParentRibbonBar(), m_pCategory);
    m_bottom.emplace_back(element);
}

CMFCRibbonBaseElement* CMFCRibbonMainPanel::FindInMenu(UINT id) const
{
    if (CMFCRibbonBaseElement* found = FindByID(id))
        return found;
    for (const auto& element : m_bottom)
        if (CMFCRibbonBaseElement* found = element->FindByID(id))
            return found;
    return nullptr;
}

// ---- CMFCRibbonCategory

CMFCRibbonCategory::CMFCRibbonCategory(CMFCRibbonBar* bar, const char* name, UINT smallImagesId, UINT largeImagesId)
    : m_pBar(bar)
{
    CString all(name ? name : "");
    int lineBreak = all.Find('\n');
    m_strName = lineBreak < 0 ? all : all.Left(lineBreak);
    m_strKeys = lineBreak < 0 ? CString() : all.Mid(lineBreak + 1);
    m_nSmallId = smallImagesId;
    m_nLargeId = largeImagesId;
    m_hSmall = LoadRibbonImages(smallImagesId, 16);
    m_hLarge = LoadRibbonImages(largeImagesId, 32);
}

CMFCRibbonCategory::~CMFCRibbonCategory()
{
    // Elements go first: their controls are windows of the bar.
    m_panels.clear();
    m_hidden.clear();
    SetImages(nullptr, nullptr);
}

CMFCRibbonPanel* CMFCRibbonCategory::AddPanel(const char* name, int icon)
{
    m_panels.emplace_back(new CMFCRibbonPanel(this, name, icon));
    return m_panels.back().get();
}

void CMFCRibbonCategory::AddHidden(CMFCRibbonBaseElement* element)
{
    element->SetOwner(m_pBar, this);
    m_hidden.emplace_back(element);
}

CMFCRibbonBaseElement* CMFCRibbonCategory::FindByID(UINT id, bool visibleOnly) const
{
    for (const auto& panel : m_panels)
        if (CMFCRibbonBaseElement* found = panel->FindByID(id))
            return found;
    if (m_pMainPanel != nullptr)
        if (CMFCRibbonBaseElement* found = m_pMainPanel->FindInMenu(id))
            return found;
    if (!visibleOnly)
        for (const auto& element : m_hidden)
            if (CMFCRibbonBaseElement* found = element->FindByID(id))
                return found;
    return nullptr;
}

CMFCRibbonBaseElement* CMFCRibbonCategory::FindByControl(HWND wnd) const
{
    for (const auto& panel : m_panels)
        if (CMFCRibbonBaseElement* found = panel->FindByControl(wnd))
            return found;
    return nullptr;
}

CMFCRibbonBaseElement* CMFCRibbonCategory::HitTest(CPoint pt) const
{
    for (const auto& panel : m_panels)
        if (CMFCRibbonBaseElement* found = panel->HitTest(pt))
            return found;
    return nullptr;
}

void CMFCRibbonCategory::SetImages(HIMAGELIST small, HIMAGELIST large)
{
    if (m_hSmall != nullptr && m_hSmall != small)
        ::ImageList_Destroy(m_hSmall);
    if (m_hLarge != nullptr && m_hLarge != large)
        ::ImageList_Destroy(m_hLarge);
    m_hSmall = small;
    m_hLarge = large;
}

void CMFCRibbonCategory::Layout(CDC& dc, const CRect& area)
{
    std::vector<int> levels(m_panels.size(), 0);
    auto place = [&] {
        int x = area.left + 3;
        for (size_t i = 0; i < m_panels.size(); ++i)
            x += m_panels[i]->Layout(dc, CRect(x, area.top, area.right, area.bottom), levels[i]) + 3;
        return x;
    };
    // Each step makes the panels a step smaller from the right (large to small, small to images
    // only, then one button each) until they fit; narrower still, the row is as small as it gets.
    // The trials only measure; the last layout places the boxes.
    if (m_pBar != nullptr)
        m_pBar->SetMeasuring(true);
    bool fits = place() <= area.right;
    for (int level = 1; level <= 3 && !fits; ++level) {
        for (size_t i = m_panels.size(); i-- > 0 && !fits;) {
            levels[i] = level;
            fits = place() <= area.right;
        }
    }
    if (m_pBar != nullptr)
        m_pBar->SetMeasuring(false);
    place();
}

CMFCRibbonPanel* CMFCRibbonCategory::HitTestCollapsed(CPoint pt) const
{
    for (const auto& panel : m_panels)
        if (panel->IsCollapsed() && panel->GetRect().PtInRect(pt))
            return panel.get();
    return nullptr;
}

void CMFCRibbonCategory::OnDraw(RibbonPaint& paint)
{
    for (const auto& panel : m_panels)
        panel->OnDraw(paint);
}

void CMFCRibbonCategory::Show(bool show)
{
    for (const auto& panel : m_panels)
        panel->Show(show);
}

void CMFCRibbonCategory::CreateControls()
{
    for (const auto& panel : m_panels)
        for (int i = 0; i < panel->GetCount(); ++i)
            panel->GetElement(i)->CreateControls();
}

void CMFCRibbonCategory::UpdateCmdUI(CRibbonCmdUI& ui, CFrameWnd* target, BOOL disableIfNoHandler)
{
    for (const auto& panel : m_panels)
        for (int i = 0; i < panel->GetCount(); ++i)
            panel->GetElement(i)->UpdateCmdUI(ui, target, disableIfNoHandler);
}
