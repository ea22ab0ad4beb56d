#include "framework/ribbonbuilder.h"

RibbonBuilder& RibbonBuilder::ApplicationButton(const char* text, const char* toolTip, UINT bitmapId)
{
    m_bar.SetApplicationButton(text, toolTip, bitmapId);
    return *this;
}

RibbonBuilder& RibbonBuilder::MainCategory(const char* name, UINT smallImagesId, UINT largeImagesId)
{
    m_pMain = m_bar.AddMainCategory(name, smallImagesId, largeImagesId);
    m_pCategory = m_bar.GetMainCategory();
    m_pPanel = m_pMain;
    m_pGroup = nullptr;
    m_dropDowns.clear();
    return *this;
}

RibbonBuilder& RibbonBuilder::RecentFiles(const char* label, int width)
{
    if (m_pMain != nullptr) {
        m_pMain->AddRecentFilesList(label, width);
        m_pLast = m_pMain->GetElement(m_pMain->GetCount() - 1);
    }
    return *this;
}

RibbonBuilder& RibbonBuilder::Bottom(UINT id, const char* caption, int image)
{
    if (m_pMain != nullptr) {
        m_pLast = new CMFCRibbonButton(id, caption, image, image);
        m_pMain->AddToBottom(m_pLast);
    }
    return *this;
}

RibbonBuilder& RibbonBuilder::Category(const char* name, UINT smallImagesId, UINT largeImagesId)
{
    m_pCategory = m_bar.AddCategory(name, smallImagesId, largeImagesId);
    m_pMain = nullptr;
    m_pPanel = nullptr;
    m_pGroup = nullptr;
    m_dropDowns.clear();
    return *this;
}

RibbonBuilder& RibbonBuilder::Panel(const char* name, int icon)
{
    if (m_pCategory == nullptr)
        Category("");
    m_pPanel = m_pCategory->AddPanel(name, icon);
    m_pGroup = nullptr;
    m_dropDowns.clear();
    return *this;
}

RibbonBuilder& RibbonBuilder::Hidden(UINT id, const char* caption, int image)
{
    if (m_pCategory == nullptr)
        Category("");
    m_pLast = new CMFCRibbonButton(id, caption, image);
    m_pCategory->AddHidden(m_pLast);
    return *this;
}

RibbonBuilder& RibbonBuilder::Place(CMFCRibbonBaseElement* element)
{
    m_pLast = element;
    if (!m_dropDowns.empty()) {
        m_dropDowns.back()->AddSubItem(element);
    } else if (m_pGroup != nullptr) {
        m_pGroup->AddButton(element);
    } else {
        // Elements before any panel get an unnamed one rather than getting lost.
        if (m_pPanel == nullptr)
            Panel("");
        m_pPanel->Add(element);
    }
    return *this;
}

RibbonBuilder& RibbonBuilder::Button(UINT id, const char* caption, int image)
{
    // The application menu draws its buttons with the large picture of the same index.
    return Place(new CMFCRibbonButton(id, caption, image, m_pMain != nullptr ? image : -1));
}

RibbonBuilder& RibbonBuilder::LargeButton(UINT id, const char* caption, int largeImage)
{
    auto* button = new CMFCRibbonButton(id, caption, -1, largeImage);
    button->SetLarge();
    return Place(button);
}

RibbonBuilder& RibbonBuilder::CheckBox(UINT id, const char* caption)
{
    return Place(new CMFCRibbonCheckBox(id, caption));
}

RibbonBuilder& RibbonBuilder::Label(const char* text)
{
    return Place(new CMFCRibbonLabel(text));
}

RibbonBuilder& RibbonBuilder::Separator()
{
    return Place(new CMFCRibbonSeparator);
}

RibbonBuilder& RibbonBuilder::Edit(UINT id, const char* caption, int width)
{
    return Place(new CMFCRibbonEdit(id, width, caption));
}

RibbonBuilder& RibbonBuilder::Combo(UINT id, const char* caption, int width, std::initializer_list<const char*> items)
{
    auto* combo = new CMFCRibbonComboBox(id, TRUE, width, caption);
    for (const char* item : items)
        combo->AddItem(item);
    return Place(combo);
}

RibbonBuilder& RibbonBuilder::FontCombo(UINT id, int width, BYTE charSet)
{
    return Place(new CMFCRibbonFontComboBox(id, DEVICE_FONTTYPE | RASTER_FONTTYPE | TRUETYPE_FONTTYPE, charSet,
                                            DEFAULT_PITCH, width));
}

RibbonBuilder& RibbonBuilder::ColorButton(UINT id, const char* caption, COLORREF color)
{
    return Place(new CMFCRibbonColorButton(id, caption, -1, color));
}

RibbonBuilder& RibbonBuilder::Group()
{
    m_pGroup = nullptr;
    auto* group = new CMFCRibbonButtonsGroup;
    Place(group);
    m_pGroup = group;
    return *this;
}

RibbonBuilder& RibbonBuilder::EndGroup()
{
    m_pGroup = nullptr;
    return *this;
}

RibbonBuilder& RibbonBuilder::DropDown()
{
    if (auto* button = dynamic_cast<CMFCRibbonButton*>(m_pLast))
        m_dropDowns.push_back(button);
    return *this;
}

RibbonBuilder& RibbonBuilder::EndDropDown()
{
    if (!m_dropDowns.empty()) {
        m_pLast = m_dropDowns.back();
        m_dropDowns.pop_back();
    }
    return *this;
}

RibbonBuilder& RibbonBuilder::Spin(int min, int max)
{
    if (auto* edit = LastAs<CMFCRibbonEdit>())
        edit->EnableSpinButtons(min, max);
    return *this;
}

RibbonBuilder& RibbonBuilder::Items(const std::vector<CString>& items)
{
    if (auto* combo = LastAs<CMFCRibbonComboBox>())
        for (const CString& item : items)
            combo->AddItem(item);
    return *this;
}

RibbonBuilder& RibbonBuilder::Palette(const std::vector<COLORREF>& colors)
{
    if (auto* button = LastAs<CMFCRibbonColorButton>())
        button->SetPalette(colors);
    return *this;
}

RibbonBuilder& RibbonBuilder::OtherButton(const char* label)
{
    if (auto* button = LastAs<CMFCRibbonColorButton>())
        button->EnableOtherButton(label);
    return *this;
}

RibbonBuilder& RibbonBuilder::Menu(UINT menuResourceId, bool defaultCommand, bool rightAlign)
{
    if (auto* button = LastAs<CMFCRibbonButton>())
        button->SetMenu(menuResourceId, defaultCommand, rightAlign);
    return *this;
}

RibbonBuilder& RibbonBuilder::Menu(HMENU menu, bool defaultCommand, bool rightAlign)
{
    if (auto* button = LastAs<CMFCRibbonButton>())
        button->SetMenu(menu, defaultCommand, rightAlign);
    else if (menu != nullptr)
        ::DestroyMenu(menu);
    return *this;
}

RibbonBuilder& RibbonBuilder::Keys(const char* keys, const char* menuKeys)
{
    if (m_pLast != nullptr)
        m_pLast->SetKeys(keys, menuKeys);
    return *this;
}

RibbonBuilder& RibbonBuilder::ToolTip(const char* text)
{
    if (m_pLast != nullptr)
        m_pLast->SetToolTipText(text);
    return *this;
}

RibbonBuilder& RibbonBuilder::Description(const char* text)
{
    if (m_pLast != nullptr)
        m_pLast->SetDescription(text);
    return *this;
}

RibbonBuilder& RibbonBuilder::ShowDescription()
{
    if (auto* button = LastAs<CMFCRibbonButton>())
        button->SetAlwaysShowDescription();
    return *this;
}

RibbonBuilder& RibbonBuilder::TabButton(UINT id, const char* caption, int image)
{
    m_pLast = new CMFCRibbonButton(id, caption, image);
    m_bar.AddToTabs(m_pLast);
    return *this;
}

RibbonBuilder& RibbonBuilder::QuickAccess(std::initializer_list<UINT> ids)
{
    m_bar.SetQuickAccessCommands(std::vector<UINT>(ids));
    return *this;
}
