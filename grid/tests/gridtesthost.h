#pragma once
// A host window for grid tests: records every notification, command and private message the grid
// sends, answers GRIDN_GETDISPINFO with "row:col" and can refuse edits.
#include "grid/gridctrl.h"
#include "grid/gridinplaceedit.h"
#include "testsupport/keyinput.h"
#include <gtest/gtest.h>
#include <ole2.h>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

struct HostRecord {
    UINT message;
    int code;
    int row;
    int col;
    std::string text;
    WPARAM wParam;
    LPARAM lParam;
};

struct HostState {
    std::vector<HostRecord> log;
    int dispInfoRequests = 0;
    bool refuseBegin = false;
    bool refuseEnd = false;
    bool answerFormat = false;            // puts DT_RIGHT | DT_WORDBREAK into the record
    std::vector<CGridCellRange> hints;
    std::vector<std::string> store;       // texts the owner keeps for a virtual grid ("r:c=text")
};

inline HostState& Host()
{
    static HostState state;
    return state;
}

inline LRESULT CALLBACK GridHostProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    HostState& h = Host();
    if (message == WM_NOTIFY) {
        NMHDR* hdr = reinterpret_cast<NMHDR*>(lParam);
        const int code = static_cast<int>(hdr->code);
        if (code == GRIDN_GETDISPINFO) {
            GRID_DISPINFO* info = reinterpret_cast<GRID_DISPINFO*>(lParam);
            char text[32];
            std::snprintf(text, sizeof text, "%d:%d", info->row, info->col);
            info->strText = text;
            if (h.answerFormat)
                info->format = DT_RIGHT | DT_WORDBREAK;
            h.dispInfoRequests++;
            return 0;
        }
        if (code == GRIDN_CACHEHINT) {
            struct Hint {
                NMHDR hdr;
                CGridCellRange range;
            };
            h.hints.push_back(reinterpret_cast<Hint*>(lParam)->range);
            return 0;
        }
        if (code == GRIDN_ENDEDIT) {
            GRID_DISPINFO* info = reinterpret_cast<GRID_DISPINFO*>(lParam);
            h.log.push_back({ message, code, info->row, info->col, info->strText.GetString(), wParam, 0 });
            if (!h.refuseEnd) {
                char key[32];
                std::snprintf(key, sizeof key, "%d:%d=", info->row, info->col);
                h.store.push_back(std::string(key) + info->strText.GetString());
            }
            return h.refuseEnd ? -1 : 0;
        }
        GRID_NOTIFY* nm = reinterpret_cast<GRID_NOTIFY*>(lParam);
        h.log.push_back({ message, code, nm->iRow, nm->iColumn, std::string(), wParam, 0 });
        if (code == GRIDN_BEGINEDIT && h.refuseBegin)
            return -1;
        return 0;
    }
    if (message == WM_COMMAND || message == WM_GRID_BULKEDIT || message == WM_GRID_BEFORECLEAR ||
        message == WM_CONTEXTMENU || message == WM_NEXTDLGCTL) {
        h.log.push_back({ message, 0, -1, -1, std::string(), wParam, lParam });
        return 0;
    }
    return ::DefWindowProcA(wnd, message, wParam, lParam);
}

inline void PumpMessages()
{
    MSG msg;
    for (int i = 0; i < 10000 && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); i++) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

inline LPARAM Pt(int x, int y) { return MAKELPARAM(x, y); }

// The middle of a cell, in the grid's client coordinates.
inline CPoint Centre(CGridCtrl& g, int row, int col)
{
    CRect r;
    g.GetCellRect(row, col, &r);
    return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// The selection of an edit control.
inline void SelRange(HWND edit, int& start, int& end)
{
    DWORD s = 0, e = 0;
    ::SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    start = static_cast<int>(s);
    end = static_cast<int>(e);
}

class GridTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ::OleInitialize(nullptr);
        WNDCLASSA wc = {};
        wc.lpfnWndProc = GridHostProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "GridTestHost";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        ::RegisterClassA(&wc);
    }

    void SetUp() override
    {
        Host() = HostState();
        m_host = ::CreateWindowExA(0, "GridTestHost", "host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 700,
                                   520, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(m_host, nullptr);
        m_hostWnd.Attach(m_host);
        m_font = ::CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
        m_grid = std::make_unique<CGridCtrl>();
    }

    void TearDown() override
    {
        m_grid.reset();
        PumpMessages();
        m_hostWnd.Detach();
        ::DestroyWindow(m_host);
        ::DeleteObject(m_font);
        PumpMessages();
    }

    // An ordinary grid of rows x cols with fixed counts, 18-pixel rows and 60-pixel columns.
    void MakeGrid(int rows, int cols, int fixedRows, int fixedCols, int width = 400, int height = 300)
    {
        ASSERT_TRUE(m_grid->Create(CRect(0, 0, width, height), &m_hostWnd));
        m_grid->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
        // New rows take the normal default cell's height, new columns the fixed-column one's width.
        m_grid->GetDefaultCell(FALSE, FALSE)->SetHeight(18);
        m_grid->GetDefaultCell(FALSE, TRUE)->SetWidth(60);
        m_grid->SetColumnCount(cols);
        m_grid->SetRowCount(rows);
        m_grid->SetFixedRowCount(fixedRows);
        m_grid->SetFixedColumnCount(fixedCols);
        m_grid->ResetScrollBars();
    }

    void MakeVirtualGrid(int rows, int cols, int fixedRows, int fixedCols, int width = 400, int height = 300)
    {
        m_grid->SetVirtualMode(TRUE);
        MakeGrid(rows, cols, fixedRows, fixedCols, width, height);
        m_grid->ResetRowOrder();
    }

    void Click(int x, int y, UINT flags = 0)
    {
        m_grid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | flags, Pt(x, y));
        m_grid->SendMessage(WM_LBUTTONUP, flags, Pt(x, y));
    }

    void Key(UINT key) { m_grid->SendMessage(WM_KEYDOWN, key, 0); }

    std::vector<int> Codes() const
    {
        std::vector<int> codes;
        for (const HostRecord& r : Host().log)
            if (r.message == WM_NOTIFY)
                codes.push_back(r.code);
        return codes;
    }

    std::vector<HostRecord> Notes(int code) const
    {
        std::vector<HostRecord> out;
        for (const HostRecord& r : Host().log)
            if (r.message == WM_NOTIFY && r.code == code)
                out.push_back(r);
        return out;
    }

    CGridInPlaceEdit* Editor() const { return m_grid->GetInPlaceEdit(); }

    CString EditorText() const
    {
        HWND edit = ::GetDlgItem(m_grid->m_hWnd, IDC_INPLACE_CONTROL);
        char text[256] = {};
        if (edit != nullptr)
            ::GetWindowTextA(edit, text, sizeof text);
        return CString(text);
    }

    HWND m_host = nullptr;
    CWnd m_hostWnd;
    HFONT m_font = nullptr;
    std::unique_ptr<CGridCtrl> m_grid;
};
