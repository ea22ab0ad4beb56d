#pragma once
// RibbonBuilder: fills a CMFCRibbonBar in the order of its tables of categories, panels and
// elements. Each call adds to what was opened last (the application menu, a category's panel, a
// button group or a button's drop-down); modifiers (Spin, Items, Menu, ToolTip, ...) apply to the
// element added last. The bar owns everything the builder creates.
//
//   RibbonBuilder(ribbon)
//       .Category("&Home", 311, 111)
//         .Panel("View", 36)
//           .CheckBox(ID_VIEW_FIELD_CODES, "Field codes")
//           .Combo(ID_ZOOM, "Zoom", 50, { "50 %", "100 %", "200 %", "400 %" })
//           .Separator()
//           .Button(ID_AREA_HEADER, "Header")
//         .Panel("Font/Text alignment", 29)
//           .Group().Button(ID_FORMAT_BOLD, "Bold", 6).Button(ID_FORMAT_ITALIC, "Italic", 7).EndGroup();
#include "framework/ribbonbar.h"
#include <initializer_list>

class RibbonBuilder {
public:
    explicit RibbonBuilder(CMFCRibbonBar& bar) : m_bar(bar) {}

    // ---- the application button and its menu
    RibbonBuilder& ApplicationButton(const char* text, const char* toolTip, UINT bitmapId = 0);
    RibbonBuilder& MainCategory(const char* name, UINT smallImagesId = 0, UINT largeImagesId = 0);
    RibbonBuilder& RecentFiles(const char* label, int width = 300);
    RibbonBuilder& Bottom(UINT id, const char* caption, int image = -1);

    // ---- categories and panels
    RibbonBuilder& Category(const char* name, UINT smallImagesId = 0, UINT largeImagesId = 0);
    RibbonBuilder& Panel(const char* name, int icon = -1);
    // A button of the current category that shows only through the quick access toolbar.
    RibbonBuilder& Hidden(UINT id, const char* caption, int image = -1);

    // ---- elements
    RibbonBuilder& Button(UINT id, const char* caption, int image = -1);
    RibbonBuilder& LargeButton(UINT id, const char* caption, int largeImage = -1);
    RibbonBuilder& CheckBox(UINT id, const char* caption);
    RibbonBuilder& Label(const char* text);
    RibbonBuilder& Separator();
    RibbonBuilder& Edit(UINT id, const char* caption, int width);
    RibbonBuilder& Combo(UINT id, const char* caption, int width, std::initializer_list<const char*> items = {});
    RibbonBuilder& FontCombo(UINT id, int width = 150, BYTE charSet = DEFAULT_CHARSET);
    RibbonBuilder& ColorButton(UINT id, const char* caption, COLORREF color = RGB(0, 0, 0));
    // Buttons between Group and EndGroup share one row.
    RibbonBuilder& Group();
    RibbonBuilder& EndGroup();
    // Elements between DropDown and EndDropDown go into the last button's drop-down.
    RibbonBuilder& DropDown();
    RibbonBuilder& EndDropDown();

    // ---- modifiers of the last element
    RibbonBuilder& Spin(int min, int max);                       // edit
    RibbonBuilder& Items(const std::vector<CString>& items);     // combo box
    RibbonBuilder& Palette(const std::vector<COLORREF>& colors); // colour button
    RibbonBuilder& OtherButton(const char* label);               // colour button
    RibbonBuilder& Menu(UINT menuResourceId, bool defaultCommand = false, bool rightAlign = false);
    RibbonBuilder& Menu(HMENU menu, bool defaultCommand = false, bool rightAlign = false);   // owned
    RibbonBuilder& Keys(const char* keys, const char* menuKeys = nullptr);   // key tips
    RibbonBuilder& ToolTip(const char* text);
    RibbonBuilder& Description(const char* text);
    RibbonBuilder& ShowDescription();                            // drop-down entries

    // ---- around the tabs
    RibbonBuilder& TabButton(UINT id, const char* caption, int image = -1);
    RibbonBuilder& QuickAccess(std::initializer_list<UINT> ids);

    CMFCRibbonBaseElement* Last() const { return m_pLast; }
    template <class T> T* LastAs() const { return dynamic_cast<T*>(m_pLast); }
    CMFCRibbonCategory* CurrentCategory() const { return m_pCategory; }
    CMFCRibbonPanel* CurrentPanel() const { return m_pPanel; }

private:
    RibbonBuilder& Place(CMFCRibbonBaseElement* element);

    CMFCRibbonBar& m_bar;
    CMFCRibbonMainPanel* m_pMain = nullptr;
    CMFCRibbonCategory* m_pCategory = nullptr;
    CMFCRibbonPanel* m_pPanel = nullptr;
    CMFCRibbonButtonsGroup* m_pGroup = nullptr;
    std::vector<CMFCRibbonButton*> m_dropDowns;
    CMFCRibbonBaseElement* m_pLast = nullptr;
};
