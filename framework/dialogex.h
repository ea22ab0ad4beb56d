#pragma once
// CDialogEx: the dialog base the program's newer dialogs derive from. It adds nothing to CDialog
// but the name (the looks come from the system's dialog class), so both share one behaviour.
#include "framework/dialog.h"

class CDialogEx : public CDialog {
public:
    CDialogEx() = default;
    explicit CDialogEx(UINT templateId, CWnd* parent = nullptr) : CDialog(templateId, parent) {}
};
