#pragma once
// What the project document needs from the windows that show it, kept narrow so that the document
// opens, saves, edits and draws without any window. Views join the document through the
// framework's view list; the document reaches them with UpdateAllViews and the hints below, and
// asks table views for their grid through CLabelDocTableView. The two tab views register
// themselves with SetTemplateTabs / SetTableTabs.
#include "framework/cstring.h"

#include <windows.h>

// Sent to a template view (posted to a table view) whose tab is being removed: it detaches its
// views and then closes.
#define WM_TABVIEW_REMOVE (WM_APP + 3)

// UpdateAllViews hints: each view repaints when the hint names its kind.
enum LabelDocHint : LPARAM {
    kHintDesignViews = 0x1,
    kHintLabelPreviews = 0x2,
    kHintTableViews = 0x4,
};

// A tab view of templates or of tables; tab k shows slot k (the "+" tab is not counted).
class CLabelDocTabs {
public:
    virtual ~CLabelDocTabs() = default;
    virtual int GetTabCount() const = 0;
    virtual CString GetTabLabel(int index) const = 0;
    virtual void SetTabLabel(int index, const char* label) = 0;
    // A new tab at index holding a new template (table) view attached to the document.
    virtual void InsertTab(int index, const char* label) = 0;
    // Tells the tab's view (WM_TABVIEW_REMOVE) and removes the tab; while it goes, the tab view
    // does not report selection changes.
    virtual void RemoveTab(int index) = 0;
    virtual void SelectTab(int index) = 0;
};

// Implemented by table views (besides deriving from CView).
class CLabelDocTableView {
public:
    virtual ~CLabelDocTableView() = default;
    // Rows selected in the grid; 0 or less when none.
    virtual int GetSelectedRowCount() = 0;
    // The grid's font; false when the grid has none yet.
    virtual bool GetGridFont(LOGFONTA& font) = 0;
    virtual void SetGridFont(const LOGFONTA& font) = 0;
    // Ends an in-place edit of the focus cell so that the typed text reaches the table.
    virtual void EndGridEdit() = 0;

    // Selected rows for printing, as 1-based table rows (grid rows); -1 when there is none.
    virtual int GetFirstSelectedRow() { return -1; }
    virtual int GetLastSelectedRow() { return -1; }
    // The first selected row after row, and the last one before it (not below 1).
    virtual int GetNextSelectedRow(int /*row*/) { return -1; }
    virtual int GetPrevSelectedRow(int /*row*/) { return -1; }
    // The index of the table the view shows; -1 when it does not say.
    virtual int GetShownTable() const { return -1; }
};
