#pragma once
// COstrelindSoftMainView: the one view of a project's child frame. For now it shows the project's
// name; the splitter with the template and table tab views replaces that later.
#include "framework/view.h"

class COstrelindSoftMainView : public CScrollView {
public:
    void OnDraw(CDC* dc) override;
    void OnInitialUpdate() override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
};
