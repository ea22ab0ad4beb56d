#pragma once
// A label object that presses Cancel in the print loop's "Printing" window when the job reaches
// its n-th label, as a person watching the job would, and keeps what the window showed then.
#include "framework/printstatus.h"
#include "labelmodel/graphobject.h"

#include <windows.h>
#include <string>

namespace printtest {

struct StatusSeen {
    bool found = false;
    bool visible = false;
    HWND owner = nullptr;
    std::string caption, document, printer, page;
    bool ownerEnabled = true;
    bool waitCursor = false;
};

inline std::string ItemText(HWND wnd, int id)
{
    char text[256] = {};
    ::GetDlgItemTextA(wnd, id, text, sizeof text);
    return text;
}

inline StatusSeen LookAtStatus()
{
    StatusSeen seen;
    HWND status = ::FindWindowA(nullptr, "Printing");
    if (status == nullptr)
        return seen;
    seen.found = true;
    seen.visible = ::IsWindowVisible(status) != FALSE;
    seen.owner = ::GetWindow(status, GW_OWNER);
    char caption[128] = {};
    ::GetWindowTextA(status, caption, sizeof caption);
    seen.caption = caption;
    seen.document = ItemText(status, CPrintStatus::kDocumentId);
    seen.printer = ItemText(status, CPrintStatus::kPrinterId);
    seen.page = ItemText(status, CPrintStatus::kPageId);
    seen.ownerEnabled = seen.owner != nullptr && ::IsWindowEnabled(seen.owner) != FALSE;
    seen.waitCursor = ::GetCursor() == ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT));
    return seen;
}

class CancelAtLabel : public CGraphObject {
public:
    int at;                            // 1-based label of the job at which Cancel is pressed
    int drawn = 0;
    // Before Cancel, a pause after every this many labels (a sheet): the window writes the page
    // number at most a few times a second, and a person reads it no faster either.
    int pauseEvery = 0;
    StatusSeen seen;                   // the window when Cancel was pressed
    bool clicked = false;

    explicit CancelAtLabel(int label) : at(label) {}
    bool Draw(CDC*, int, int, int, bool, int, int flags, int, int, CDataTableBase*, CDataTableMap*, bool) override
    {
        if ((flags & 4) == 0)
            return true;               // the screen, not the printer
        ++drawn;
        if (drawn < at && pauseEvery > 0 && drawn % pauseEvery == 0)
            ::Sleep(300);
        if (drawn != at)
            return true;
        seen = LookAtStatus();
        HWND status = ::FindWindowA(nullptr, "Printing");
        if (HWND cancel = status ? ::GetDlgItem(status, IDCANCEL) : nullptr) {
            ::SendMessageA(cancel, BM_CLICK, 0, 0);
            clicked = true;
        }
        return true;
    }
    CGraphObject* Clone() override { return new CancelAtLabel(*this); }
    int GetTypeCode() override { return 152; }
};

} // namespace printtest
