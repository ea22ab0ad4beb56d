// Times the grid in virtual mode the way the table view uses it: a 1024 x 768 grid of 65,536 rows
// and 27 columns, one fixed row and column, twelve characters per cell.
#include "bench/benchclock.h"
#include "grid/gridctrl.h"
#include <ole2.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using bench::Now;
using bench::Pump;

namespace {

LRESULT CALLBACK HostProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY) {
        NMHDR* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (static_cast<int>(hdr->code) == GRIDN_GETDISPINFO) {
            GRID_DISPINFO* info = reinterpret_cast<GRID_DISPINFO*>(lParam);
            char text[16];
            std::snprintf(text, sizeof text, "R%06dC%04d", info->row % 1000000, info->col % 10000);
            info->strText = text;
        }
        return 0;
    }
    return ::DefWindowProcA(wnd, message, wParam, lParam);
}

void SetCtrl(bool down)
{
    BYTE state[256];
    ::GetKeyboardState(state);
    state[VK_CONTROL] = down ? 0x80 : 0;
    ::SetKeyboardState(state);
}

// Private committed bytes of the process, in megabytes (what a selection costs in memory).
double CommittedMegabytes()
{
    SYSTEM_INFO info;
    ::GetSystemInfo(&info);
    const char* at = static_cast<const char*>(info.lpMinimumApplicationAddress);
    const char* end = static_cast<const char*>(info.lpMaximumApplicationAddress);
    double total = 0;
    MEMORY_BASIC_INFORMATION region;
    while (at < end && ::VirtualQuery(at, &region, sizeof region) == sizeof region) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            total += static_cast<double>(region.RegionSize);
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= at)
            break;
        at = next;
    }
    return total / (1024.0 * 1024.0);
}

template <class Setup, class Step>
double Median(int runs, Setup setup, Step step)
{
    std::vector<double> times;
    for (int i = 0; i < runs; i++) {
        setup();
        double t0 = Now();
        step();
        times.push_back(Now() - t0);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main()
{
    ::OleInitialize(nullptr);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "GridBenchHost";
    ::RegisterClassA(&wc);
    HWND host = ::CreateWindowExA(0, "GridBenchHost", "grid bench", WS_POPUP | WS_VISIBLE, 0, 0, 1024, 768, nullptr,
                                  nullptr, wc.hInstance, nullptr);
    CWnd hostWnd;
    hostWnd.Attach(host);
    CGridCtrl grid;
    grid.SetVirtualMode(TRUE);
    if (!grid.Create(CRect(0, 0, 1024, 768), &hostWnd)) {
        std::printf("grid not created\n");
        return 1;
    }
    grid.SetColumnCount(27);
    grid.SetRowCount(65536);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    grid.ResetRowOrder();
    grid.SetFocus();
    grid.SetFocusCell(1, 1);
    Pump();
    grid.UpdateWindow();
    auto top = [&] {
        grid.SendMessage(WM_VSCROLL, SB_TOP);
        grid.SetFocusCell(1, 1);
        grid.UpdateWindow();
    };

    const int runs = 7;
    double repaint = Median(runs, [] {}, [&] {
        grid.Invalidate();
        grid.UpdateWindow();
    });

    // Select all: what it costs, and what a repaint costs with everything selected.
    grid.ClearSelection();
    grid.SetFocusCell(1, 1);
    Pump();
    grid.UpdateWindow();
    const double memoryBefore = CommittedMegabytes();
    double t0 = Now();
    SetCtrl(true);
    grid.SendMessage(WM_KEYDOWN, 'A', 0);
    SetCtrl(false);
    const double firstSelectAll = Now() - t0;
    const double memoryAfter = CommittedMegabytes();
    const int selectedCells = grid.GetSelectedCount();
    double repaintSelected = Median(runs, [] {}, [&] {
        grid.Invalidate();
        grid.UpdateWindow();
    });
    grid.ClearSelection();
    grid.SetFocusCell(1, 1);
    grid.UpdateWindow();

    double pageDown = Median(runs, [] {}, [&] {
        grid.SendMessage(WM_KEYDOWN, VK_NEXT, 0);
        grid.UpdateWindow();
    });
    top();
    double wheel = Median(runs, [] {}, [&] {
        grid.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), MAKELPARAM(100, 100));
        Pump();
        grid.UpdateWindow();
    });
    double ctrlEnd = Median(runs, top, [&] {
        SetCtrl(true);
        grid.SendMessage(WM_KEYDOWN, VK_END, 0);
        SetCtrl(false);
        grid.UpdateWindow();
    });
    int lastRow = grid.GetFocusCell().row;
    double ensure = Median(runs, top, [&] {
        grid.EnsureVisible(65535, 1);
        grid.UpdateWindow();
    });
    bool lastVisible = grid.IsCellVisible(65535, 1) != FALSE;
    double selectAll = Median(3, [&] { grid.ClearSelection(); grid.SetFocusCell(1, 1); }, [&] {
        SetCtrl(true);
        grid.SendMessage(WM_KEYDOWN, 'A', 0);
        SetCtrl(false);
    });
    int selected = grid.GetSelectedCount();
    grid.ClearSelection();
    double autosize = Median(3, [] {}, [&] { grid.AutoSizeColumn(3); });

    // Copy every non-fixed cell (65,536 x 26) into a data source.
    size_t copiedBytes = 0;
    double copyAll = Median(3, [&] { grid.SelectAllCells(); }, [&] {
        COleDataSource* source = grid.CopySelectionToDataSource();
        if (source != nullptr) {
            FORMATETC etc = { CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL };
            STGMEDIUM medium = {};
            if (source->GetData(&etc, &medium) == S_OK) {
                copiedBytes = ::GlobalSize(medium.hGlobal);
                ::ReleaseStgMedium(&medium);
            }
            source->Release();
        }
    });
    grid.ClearSelection();

    // Paste 10,000 rows of 26 fields into an empty ordinary grid.
    std::string text;
    for (int r = 0; r < 10000; r++) {
        for (int c = 0; c < 26; c++) {
            char field[24];
            std::snprintf(field, sizeof field, "%sr%dc%d", c ? "\t" : "", r, c);
            text += field;
        }
        text += "\r\n";
    }
    int pastedRows = 0;
    double paste = Median(3, [] {}, [&] {
        CGridCtrl target;
        target.Create(CRect(0, 0, 1024, 768), &hostWnd, 556);
        target.SetColumnCount(27);
        target.SetRowCount(2);
        target.SetFixedRowCount(1);
        target.SetFixedColumnCount(1);
        HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        std::memcpy(::GlobalLock(block), text.c_str(), text.size() + 1);
        ::GlobalUnlock(block);
        COleDataSource* source = new COleDataSource;
        source->CacheGlobalData(CF_TEXT, block);
        COleDataObject data;
        data.Attach(source, FALSE);
        target.PasteFromDataObject(1, 1, &data, FALSE);
        data.Release();
        source->Release();
        pastedRows = target.GetRowCount();
    });

    std::printf("grid_bench: virtual grid 1024 x 768, 65536 rows x 27 columns, 12 characters per cell\n");
    std::printf("full repaint            %8.2f ms\n", repaint);
    std::printf("Ctrl+A (first)          %8.2f ms (%d cells)\n", firstSelectAll, selectedCells);
    std::printf("repaint after Ctrl+A    %8.2f ms (before Ctrl+A %.2f ms)\n", repaintSelected, repaint);
    std::printf("memory after Ctrl+A     %+8.2f MB (%.2f MB before, %.2f MB after)\n", memoryAfter - memoryBefore,
                memoryBefore, memoryAfter);
    std::printf("Page Down + repaint     %8.2f ms\n", pageDown);
    std::printf("wheel notch + repaint   %8.2f ms\n", wheel);
    std::printf("Ctrl+End from the top   %8.2f ms (focus row %d)\n", ctrlEnd, lastRow);
    std::printf("EnsureVisible last row  %8.2f ms (visible %s)\n", ensure, lastVisible ? "yes" : "no");
    std::printf("Ctrl+A                  %8.2f ms (%d cells)\n", selectAll, selected);
    std::printf("AutoSizeColumn          %8.2f ms (width %d)\n", autosize, grid.GetColumnWidth(3));
    std::printf("copy 65536 x 26 cells   %8.2f ms (%u bytes)\n", copyAll, static_cast<unsigned>(copiedBytes));
    std::printf("paste 10000 x 26 fields %8.2f ms (%d rows)\n", paste, pastedRows);
    hostWnd.Detach();
    return 0;
}
