#pragma once
// Ostrelind_SoftLabelDesignView: the design canvas of one template area, where objects are drawn,
// selected, moved and resized with the mouse and keyboard. It lives inside a label view, which
// keeps the rulers in step through the WM_DESIGN_* notifications (ui/designhost.h).
#include "framework/view.h"
#include "ui/designhost.h"

class Ostrelind_SoftLabelDesignView : public CScrollView {
public:
    Ostrelind_SoftLabelDesignView();
    ~Ostrelind_SoftLabelDesignView() override;

    // Selects every object of the view's area, or deselects all when any is selected; then
    // repaints the document's design views.
    void ToggleSelectAllInArea();
    int GetZoom() const { return m_zoom; }

    void OnDraw(CDC* dc) override;

protected:
    int m_zoom = 100;
};
