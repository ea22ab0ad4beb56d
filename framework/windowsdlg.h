#pragma once
// CWindowsDialog: the small "Windows" dialog of a tabbed main frame: the open documents in tab
// order, with buttons to activate one or close the selected ones. Built from an in-memory
// template, so it needs nothing from the program's resources. The document menu at the right of
// the frame's tab strip (CMDIFrameWnd::ShowDocumentMenu) opens it; both live in windowsdlg.cpp.
#include "framework/dialog.h"
#include "framework/frame.h"
#include <vector>

class CWindowsDialog : public CDialog {
public:
    enum { IDC_WINDOW_LIST = 0x100, IDC_CLOSE_WINDOW = 0x101 };

    explicit CWindowsDialog(CMDIFrameWnd* frame);

    INT_PTR DoModal() override;
    BOOL CreateModeless();             // the same dialog without its own loop (tests)

    // Lists the frame's documents (the active one selected).
    void FillList();
    int GetListCount() const;
    void SelectItem(int index, bool add = false);
    // Activates the selected document and ends the dialog; nothing when none is selected.
    void ActivateSelected();
    // Closes every selected document (each may ask to save), then lists what is left.
    void CloseSelected();

    BOOL OnInitDialog() override;
    void OnOK() override { ActivateSelected(); }
    void OnCloseWindow() { CloseSelected(); }
    void OnListDoubleClick() { ActivateSelected(); }
    void OnListSelChange();
    DECLARE_MESSAGE_MAP()

private:
    bool IsStillChild(CMDIChildWnd* child) const;
    CMDIFrameWnd* m_pFrame;
    std::vector<CMDIChildWnd*> m_listed;   // list order; checked against the frame before use
    std::vector<WORD> m_template;
};
