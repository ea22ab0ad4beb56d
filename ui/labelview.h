#pragma once
// COstrelindSoftLabelView: the upper pane of a template view. It holds the design canvas between a
// horizontal and a vertical ruler (23-pixel strips, or none when hidden) and keeps the rulers in
// step with the canvas's cursor, scrolling and zoom. The canvas is a child window that deletes
// itself; the rulers are members.
#include "framework/view.h"
#include "ui/designhost.h"
#include "ui/rulers.h"

#include <cstdint>

class Ostrelind_SoftLabelDesignView;
class COstrelindSoftCntrItem;

class COstrelindSoftLabelView : public CScrollView, public CDesignHost {
public:
    COstrelindSoftLabelView() = default;

    Ostrelind_SoftLabelDesignView* GetDesignView() const { return m_designView; }
    CRulerHorWnd& GetHorizontalRuler() { return m_horRuler; }
    CRulerVerWnd& GetVerticalRuler() { return m_verRuler; }

    // CDesignHost
    void ToggleRulers() override;
    bool AreRulersShown() const override { return m_rulersShown != 0; }

    // The OLE object last inserted through this view (the document owns it).
    bool IsSelected(const COstrelindSoftCntrItem* item) const { return item != nullptr && item == m_selectedItem; }
    COstrelindSoftCntrItem* GetSelectedOleItem() const { return m_selectedItem; }

    static const int kRulerSize = 23;

    void OnInitialUpdate() override;
    void OnDraw(CDC*) override {}
    // This view's own commands, then the canvas's route: the edit menu shown over this view acts
    // on the canvas's selection.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, CmdHandlerInfo* pHandlerInfo) override;

    int OnCreate(LPCREATESTRUCTA cs);
    void OnSize(UINT type, int cx, int cy);
    void OnLButtonDown(UINT flags, CPoint pt);
    void OnLButtonUp(UINT flags, CPoint pt);
    void OnSetFocus(CWnd* old);
    void OnRButtonUp(UINT flags, CPoint pt);
    void OnContextMenu(CWnd* wnd, CPoint pt);
    void OnTimer(UINT_PTR id);
    LRESULT OnDesignCursorPos(WPARAM, LPARAM);
    LRESULT OnDesignScrolled(WPARAM, LPARAM);
    LRESULT OnDesignZoomChanged(WPARAM, LPARAM);
    void OnFilePrintDirect();
    void OnInsertObject();
    void OnCancelInPlaceEdit();
    void OnDestroy();
    void OnUpdateShowRulers(CCmdUI* ui);

    DECLARE_MESSAGE_MAP()

private:
    // Places canvas and rulers for a client size.
    void LayOut(int cx, int cy);

    COstrelindSoftCntrItem* m_selectedItem = nullptr;
    Ostrelind_SoftLabelDesignView* m_designView = nullptr;
    CRulerHorWnd m_horRuler;
    CRulerVerWnd m_verRuler;
    uint8_t m_rulersShown = 1;
};
