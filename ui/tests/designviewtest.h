#pragma once
// The design canvas under a parent window of the tests that records what the canvas tells its
// host, on the project of a started application with a 50 x 30 mm label. Input arrives as the
// messages Windows would send (SendMessage of mouse, key and timer messages).
#include "document/labeldoc.h"
#include "framework/doctempl.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/graphobject.h"
#include "labelmodel/graphshapes.h"
#include "labelmodel/template.h"
#include "ui/designview.h"
#include "testsupport/cursorcliprecorder.h"
#include "ui/tests/uitestsupport.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace designtest {

// A file of that name in the temporary folder (print jobs, saved projects).
inline std::string TempFile(const char* name)
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + name;
}

inline bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

struct Posted {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// The canvas's parent: keeps the three notifications, commands and system commands it receives,
// and answers the ruler toggle.
class RecordingHost : public CWnd, public CDesignHost {
public:
    std::vector<Posted> notes;
    std::vector<UINT> commands;
    std::vector<WPARAM> sysCommands;
    bool rulers = true;
    int rulerToggles = 0;

    void ToggleRulers() override { rulers = !rulers; ++rulerToggles; }
    bool AreRulersShown() const override { return rulers; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= WM_DESIGN_CURSORPOS && message <= WM_DESIGN_ZOOMCHANGED) {
            notes.push_back({message, wParam, lParam});
            return 0;
        }
        if (message == WM_COMMAND && lParam == 0) {
            commands.push_back(LOWORD(wParam));
            return 0;
        }
        if (message == WM_SYSCOMMAND) {
            sysCommands.push_back(wParam & 0xFFF0);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

    std::vector<Posted> NotesOf(UINT message) const
    {
        std::vector<Posted> out;
        for (const Posted& p : notes)
            if (p.message == message)
                out.push_back(p);
        return out;
    }
};

// The canvas with the ribbon's boxes answered by the test, and the commands it raises to itself
// that other parts of the program handle.
class TestCanvas : public Ostrelind_SoftLabelDesignView {
public:
    std::map<UINT, CString> boxes;
    int deleteCommands = 0;

    CString GetCommandText(UINT id) const override
    {
        auto it = boxes.find(id);
        return it != boxes.end() ? it->second : CString();
    }
    void OnEditDelete() { ++deleteCommands; }

    DECLARE_MESSAGE_MAP()
};

class DesignCanvas : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Pixels of micrometres at the canvas's zoom (the screen's 96 dpi under Wine).
    int Px(int um) const { return UmToPx(um, DpiAtZoom(view->GetZoom(), dpi)); }
    // A rectangle of the label area in micrometres; the area owns it.
    CGraphRect* AddRect(int x, int y, int w, int h);
    // Undo snapshot k of the label area (0 the newest: every step puts a new one in front).
    CGraphCollection* Snapshot(int k = 0) const { return doc->GetCurrentTemplate()->GetUndoSnapshot(0, k); }
    CGraphCollection* Area(int area = 0) const { return doc->GetCurrentTemplate()->GetArea(area); }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) { return view->SendMessage(message, wParam, lParam); }
    int ClientWidth() const
    {
        RECT client = {};
        ::GetClientRect(view->m_hWnd, &client);
        return client.right - client.left;
    }
    void Press(int x, int y, UINT flags = 0) { Send(WM_LBUTTONDOWN, MK_LBUTTON | flags, MAKELPARAM(x, y)); }
    void Move(int x, int y, UINT flags = MK_LBUTTON) { Send(WM_MOUSEMOVE, flags, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y))); }
    void Release(int x, int y, UINT flags = 0) { Send(WM_LBUTTONUP, flags, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y))); }
    void Command(UINT id) { Send(WM_COMMAND, id, 0); }
    void Key(UINT key) { Send(WM_KEYDOWN, key, 1); }
    // Drags a new object with the armed tool from (x1, y1) to (x2, y2).
    void DragNew(UINT tool, int x1, int y1, int x2, int y2);

    TempDir dir;
    TestLabelApp* app = nullptr;
    COstrelindSoftLabelDoc* doc = nullptr;
    RecordingHost host;
    TestCanvas* view = nullptr;
    int dpi = 96;
    // What the canvas asks of the pointer's confinement (the platform is never asked).
    CursorClipRecorder clips;
};

} // namespace designtest
