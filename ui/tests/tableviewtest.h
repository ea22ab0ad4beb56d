#pragma once
// The table view on a new project document, hosted in a window of the test's own, and the
// messages the grid sends it: the fixture the table view's tests share.
#include "document/labeldoc.h"
#include "document/tableslot.h"
#include "document/tableundo.h"
#include "framework/doctempl.h"
#include "grid/griddefs.h"
#include "testsupport/testcmdui.h"
#include "ui/tableview.h"
#include "ui/tableviewids.h"
#include "ui/tests/uitestsupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

// View: the table view class to host (a test's own subclass may give it another grid).
template <class View = COstrelindSoftTableView>
class TableViewFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_doc = std::make_unique<COstrelindSoftLabelDoc>();
        m_doc->m_bAutoDelete = FALSE;
        m_doc->OnNewDocument();
        ASSERT_TRUE(m_host.CreateEx(0, "STATIC", "table host", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 800, 600,
                                    nullptr, nullptr));
        CCreateContext context;
        context.m_pCurrentDoc = m_doc.get();
        m_view = new View();
        ASSERT_TRUE(m_view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 640, 480), &m_host, 1,
                                   &context));
        m_view->OnInitialUpdate();
        m_grid = m_view->GetGrid();
        ASSERT_NE(nullptr, m_grid);
    }

    void TearDown() override
    {
        if (m_view != nullptr && ::IsWindow(m_view->m_hWnd))
            m_view->DestroyWindow();
        DrainMessages();
        m_host.DestroyWindow();
    }

    // The table as shown.
    std::string Cell(int row, int column) const
    {
        const char* text = m_doc->GetTableCellText(row, column);
        return text != nullptr ? text : "";
    }

    // A cell notification as the grid sends it to the view.
    GRID_DISPINFO DispInfo(int code, int row, int col) const
    {
        GRID_DISPINFO info = {};
        info.hdr.hwndFrom = m_grid->m_hWnd;
        info.hdr.idFrom = IDC_GRIDCTRL;
        info.hdr.code = static_cast<UINT>(code);
        info.row = row;
        info.col = col;
        return info;
    }

    // The grid's request for one cell's text.
    std::string Shown(int row, int col, UINT* format = nullptr)
    {
        GRID_DISPINFO info = DispInfo(GRIDN_GETDISPINFO, row, col);
        info.mask = GVIF_TEXT;
        m_view->SendMessage(WM_NOTIFY, IDC_GRIDCTRL, reinterpret_cast<LPARAM>(&info));
        if (format != nullptr)
            *format = info.format;
        return static_cast<const char*>(info.strText);
    }

    LRESULT Notify(int code, int row, int col)
    {
        GRID_NOTIFY notify = {};
        notify.hdr.hwndFrom = m_grid->m_hWnd;
        notify.hdr.idFrom = IDC_GRIDCTRL;
        notify.hdr.code = static_cast<UINT>(code);
        notify.iRow = row;
        notify.iColumn = col;
        return m_view->SendMessage(WM_NOTIFY, IDC_GRIDCTRL, reinterpret_cast<LPARAM>(&notify));
    }

    void EndEdit(int row, int col, const char* text)
    {
        GRID_DISPINFO info = DispInfo(GRIDN_ENDEDIT, row, col);
        info.strText = text;
        m_view->SendMessage(WM_NOTIFY, IDC_GRIDCTRL, reinterpret_cast<LPARAM>(&info));
    }

    void Command(UINT id) { m_view->SendMessage(WM_COMMAND, id); }

    CTableUndo& Undo() { return m_doc->GetTableUndo(m_doc->GetCurrentTableIndex()); }
    int UndoCopies() { return Undo().GetCopyCount(); }

    std::unique_ptr<COstrelindSoftLabelDoc> m_doc;
    CWnd m_host;
    View* m_view = nullptr;
    CGridCtrl* m_grid = nullptr;
};

// The plain table view with one-column rows, row selection and command updates.
class TableViewTest : public TableViewFixture<> {
protected:
    void Fill(int rows, const char* word = "r")
    {
        for (int r = 0; r < rows; ++r)
            m_doc->CurrentSlot().SetCellText((word + std::to_string(r)).c_str(), r, 0);
        m_view->ResizeGridRows();
    }

    std::string Column(int column) const
    {
        std::string all;
        for (int r = 0; r < m_doc->GetTableRowCount(); ++r)
            all += (r ? " " : "") + Cell(r, column);
        return all;
    }

    CTestCmdUI Update(UINT id)
    {
        CTestCmdUI ui(id);
        m_view->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &ui, nullptr);
        return ui;
    }

    void Select(int row, int col)
    {
        m_grid->SetFocusCell(row, col);
        m_grid->SetSelectedRange(row, col, row, col);
        Notify(GRIDN_SELCHANGED, row, col);
    }

    void SelectRows(int first, int last)
    {
        m_grid->SetSelectedRange(first, 1, last, m_grid->GetColumnCount() - 1);
    }
};
