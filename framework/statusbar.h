#pragma once
// CStatusBar: the frame's bottom bar over the common status control. Each pane has a command id
// whose update handlers (routed like commands) set its text at idle time, a width in pixels and a
// style; a pane with SBPS_STRETCH takes the room the others leave.
#include "framework/cmdtarget.h"
#include "framework/frame.h"
#include <vector>

#define SBPS_NORMAL     0x0000
#define SBPS_NOBORDERS  0x0100
#define SBPS_POPOUT     0x0200
#define SBPS_DISABLED   0x0400
#define SBPS_STRETCH    0x0800

class CStatusBar : public CControlBar {
public:
    CStatusBar() { m_dwBarStyle = CBRS_ALIGN_BOTTOM; }

    BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT id = AFX_IDW_STATUS_BAR);
    // One pane per id; each pane's text starts as string id (when present). The first pane stretches.
    BOOL SetIndicators(const UINT* ids, int count);
    int GetCount() const { return static_cast<int>(m_panes.size()); }
    int CommandToIndex(UINT id) const;
    UINT GetItemID(int index) const;
    void SetPaneInfo(int index, UINT id, UINT style, int width);
    void GetPaneInfo(int index, UINT& id, UINT& style, int& width) const;
    // Width that shows text in the bar's font.
    int MeasureText(const char* text);
    BOOL SetPaneText(int index, const char* text, BOOL update = TRUE);
    CString GetPaneText(int index) const;
    void GetItemRect(int index, LPRECT rect) const;

    CSize CalcFixedLayout(BOOL stretch, BOOL horizontal) override;
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

    void OnSize(UINT type, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    struct Pane {
        UINT id;
        UINT style;
        int width;
        CString text;
    };
    void ApplyParts();
    std::vector<Pane> m_panes;
};

// The element a status pane shows for CCmdUI.
class CStatusCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetText(const char* text) override;
};
