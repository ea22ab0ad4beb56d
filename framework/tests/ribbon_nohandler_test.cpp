// Ribbon elements whose handlers went with the document that had them: once nothing handles a
// command, its element is disabled and shows nothing of what the handlers last gave it, as a
// Windows ribbon shows a command nobody handles: no check mark, no radio mark, an empty box. An
// element that the frame still handles keeps its state. What the bar draws, and what the boxes show
// on screen, is read back.
#include "framework/app.h"
#include "framework/ribbonbuilder.h"
#include "framework/stdids.h"
#include "testsupport/dibcanvas.h"
#include "testsupport/ribbonframetest.h"

#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace {

enum : UINT {
    ID_N_FILTER = 43000,   // check box the document ticks
    ID_N_TABLE,            // button the document marks as the chosen source
    ID_N_COLUMN,           // combo box the document writes
    ID_N_LIST,             // list-only combo box the document selects in
    ID_N_FONT,             // font combo box the document writes
    ID_N_OFFSET,           // edit the document writes
    ID_N_LOOK,             // button the frame marks, with or without a document
    ID_N_ZOOM,             // combo box only the frame has a command for
    ID_N_FIRST = ID_N_FILTER,
    ID_N_LAST = ID_N_ZOOM,
};

// The project's side of the route: it goes when the project is closed.
class CProjectTarget : public CCmdTarget {
public:
    void OnAny(UINT) {}
    void OnUpdateFilter(CCmdUI* ui) { ui->SetCheck(1); }
    void OnUpdateTable(CCmdUI* ui) { ui->SetRadio(TRUE); }
    void OnUpdateColumn(CCmdUI* ui)
    {
        ui->SetText("A");
        ui->Enable(TRUE);
    }
    void OnUpdateList(CCmdUI* ui) { ui->SetText("Second"); }
    void OnUpdateFont(CCmdUI* ui) { ui->SetText("Arial"); }
    void OnUpdateOffset(CCmdUI* ui) { ui->SetText("12"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CProjectTarget, CCmdTarget)
    ON_COMMAND_RANGE(ID_N_FILTER, ID_N_OFFSET, OnAny)
    ON_UPDATE_COMMAND_UI(ID_N_FILTER, OnUpdateFilter)
    ON_UPDATE_COMMAND_UI(ID_N_TABLE, OnUpdateTable)
    ON_UPDATE_COMMAND_UI(ID_N_COLUMN, OnUpdateColumn)
    ON_UPDATE_COMMAND_UI(ID_N_LIST, OnUpdateList)
    ON_UPDATE_COMMAND_UI(ID_N_FONT, OnUpdateFont)
    ON_UPDATE_COMMAND_UI(ID_N_OFFSET, OnUpdateOffset)
END_MESSAGE_MAP()

class CProjectFrame : public CFrameWnd {
public:
    CMFCRibbonBar m_wndRibbon;
    std::unique_ptr<CProjectTarget> m_pProject{ new CProjectTarget };

    int OnCreate(LPCREATESTRUCTA cs)
    {
        if (CFrameWnd::OnCreate(cs) == -1 || !m_wndRibbon.Create(this))
            return -1;
        RibbonBuilder(m_wndRibbon)
            .Category("&Home")
              .Panel("Data source", 48)
                .Button(ID_N_TABLE, "Table")
                .Combo(ID_N_COLUMN, "Column", 50, { "A", "B", "C" })
                .Edit(ID_N_OFFSET, "Offset", 50)
              .Panel("Filter", 28)
                .CheckBox(ID_N_FILTER, "Enable")
                .Button(ID_N_LOOK, "Blue")
                .Combo(ID_N_ZOOM, "Zoom", 50, { "50 %", "100 %" })
              .Panel("Font", 29)
                .FontCombo(ID_N_FONT);
        // A list-only combo box, which shows only what it selects.
        CMFCRibbonPanel* list = m_wndRibbon.GetCategory(0)->AddPanel("List");
        auto* box = new CMFCRibbonComboBox(ID_N_LIST, FALSE, 70, "Kind");
        box->AddItem("First");
        box->AddItem("Second");
        list->Add(box);
        RecalcLayout();
        return 0;
    }
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, CmdHandlerInfo* pHandlerInfo) override
    {
        if (m_pProject != nullptr && m_pProject->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
        return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
    void OnLook() {}
    void OnZoom() {}
    void OnUpdateLook(CCmdUI* ui) { ui->SetRadio(TRUE); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CProjectFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_N_LOOK, OnLook)
    ON_COMMAND(ID_N_ZOOM, OnZoom)
    ON_UPDATE_COMMAND_UI(ID_N_LOOK, OnUpdateLook)
END_MESSAGE_MAP()

class RibbonNoHandler : public RibbonFrameTest<CProjectFrame> {
protected:
    void SetUp() override
    {
        OpenFrame("No handler test", CRect(0, 0, 1000, 300));
        Find<CMFCRibbonEdit>(ID_N_ZOOM)->SetEditText("100 %");
        Idle();
    }
    void Idle()
    {
        frame->OnIdleUpdateCmdUI();
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
    }
    void CloseProject()
    {
        frame->m_pProject.reset();
        Idle();
    }
    template <class T> T* Find(UINT id) { return dynamic_cast<T*>(ribbon->FindByID(id)); }
    std::unique_ptr<DibCanvas> Render()
    {
        CRect client;
        ribbon->GetClientRect(&client);
        auto canvas = std::make_unique<DibCanvas>(client.Width(), client.Height());
        ribbon->Render(canvas->dc());
        return canvas;
    }
    // Pixels of the text colour inside the check box's square: its tick.
    int TickPixels(const DibCanvas& canvas)
    {
        CRect box = Find<CMFCRibbonCheckBox>(ID_N_FILTER)->GetBoxRect();
        int count = 0;
        for (int y = box.top + 1; y < box.bottom - 1; ++y)
            for (int x = box.left + 1; x < box.right - 1; ++x)
                count += canvas.Pixel(x, y) == CRibbonLook::Colors().text;
        return count;
    }
    // Whether a button is drawn marked: the checked face behind its caption.
    bool DrawnMarked(const DibCanvas& canvas, UINT id)
    {
        CRect rect = ribbon->FindByID(id)->GetRect();
        return canvas.Pixel(rect.left + 2, rect.top + 3) == CRibbonLook::Colors().checkedFace;
    }
    // The colours a box's text window shows on screen: one alone when it shows no text.
    size_t ColoursOnScreen(UINT id)
    {
        HWND text = Find<CMFCRibbonEdit>(id)->GetTextHwnd();
        ::UpdateWindow(text);
        CRect client;
        ::GetClientRect(text, &client);
        client.DeflateRect(2, 2);
        DibCanvas canvas(client.Width(), client.Height());
        HDC window = ::GetDC(text);
        ::BitBlt(canvas.dc().m_hDC, 0, 0, client.Width(), client.Height(), window, client.left, client.top, SRCCOPY);
        ::ReleaseDC(text, window);
        std::set<COLORREF> colours;
        for (int y = 0; y < canvas.Height(); ++y)
            for (int x = 0; x < canvas.Width(); ++x)
                colours.insert(canvas.Pixel(x, y));
        return colours.size();
    }
};

} // namespace

TEST_F(RibbonNoHandler, ACommandNobodyHandlesShowsNoMarkAndNoText)
{
    // With the project: ticked, marked, written.
    auto before = Render();
    EXPECT_TRUE(Find<CMFCRibbonCheckBox>(ID_N_FILTER)->IsChecked());
    EXPECT_GT(TickPixels(*before), 5);
    EXPECT_TRUE(DrawnMarked(*before, ID_N_TABLE));
    EXPECT_STREQ("A", Find<CMFCRibbonComboBox>(ID_N_COLUMN)->GetEditText());
    EXPECT_EQ(1, Find<CMFCRibbonComboBox>(ID_N_LIST)->GetCurSel());
    EXPECT_STREQ("Arial", Find<CMFCRibbonComboBox>(ID_N_FONT)->GetEditText());
    EXPECT_STREQ("12", Find<CMFCRibbonEdit>(ID_N_OFFSET)->GetEditText());
    EXPECT_GT(ColoursOnScreen(ID_N_COLUMN), 1u);
    EXPECT_GT(ColoursOnScreen(ID_N_OFFSET), 1u);

    CloseProject();
    auto after = Render();
    for (UINT id : { ID_N_FILTER, ID_N_TABLE, ID_N_COLUMN, ID_N_LIST, ID_N_FONT, ID_N_OFFSET }) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(ribbon->FindByID(id)->IsEnabled());
        EXPECT_FALSE(ribbon->FindByID(id)->IsChecked());
    }
    EXPECT_EQ(0, TickPixels(*after));
    EXPECT_FALSE(DrawnMarked(*after, ID_N_TABLE));
    for (UINT id : { ID_N_COLUMN, ID_N_FONT, ID_N_OFFSET }) {
        SCOPED_TRACE(id);
        auto* box = Find<CMFCRibbonEdit>(id);
        EXPECT_STREQ("", box->GetEditText());
        EXPECT_FALSE(::IsWindowEnabled(box->GetControlHwnd()));
    }
    EXPECT_EQ(-1, Find<CMFCRibbonComboBox>(ID_N_LIST)->GetCurSel());
    EXPECT_EQ(1u, ColoursOnScreen(ID_N_COLUMN));
    EXPECT_EQ(1u, ColoursOnScreen(ID_N_OFFSET));
}

TEST_F(RibbonNoHandler, WhatTheFrameStillHandlesKeepsItsState)
{
    CloseProject();
    // The frame's own update marks it; the frame's command keeps the box enabled and written.
    EXPECT_TRUE(ribbon->FindByID(ID_N_LOOK)->IsEnabled());
    EXPECT_TRUE(ribbon->FindByID(ID_N_LOOK)->IsChecked());
    EXPECT_TRUE(DrawnMarked(*Render(), ID_N_LOOK));
    auto* zoom = Find<CMFCRibbonComboBox>(ID_N_ZOOM);
    EXPECT_TRUE(zoom->IsEnabled());
    EXPECT_STREQ("100 %", zoom->GetEditText());

    // A project opened again brings its states back.
    frame->m_pProject.reset(new CProjectTarget);
    Idle();
    EXPECT_TRUE(Find<CMFCRibbonCheckBox>(ID_N_FILTER)->IsChecked());
    EXPECT_STREQ("A", Find<CMFCRibbonComboBox>(ID_N_COLUMN)->GetEditText());
    EXPECT_TRUE(::IsWindowEnabled(Find<CMFCRibbonEdit>(ID_N_COLUMN)->GetControlHwnd()));
}
