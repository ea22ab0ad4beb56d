#pragma once
// CLabelPreview: the sheet preview below the design canvas, one printed page of the current
// template with the current table row's label marked.
#include "framework/view.h"

class CLabelPreview : public CScrollView {
public:
    CLabelPreview();
    ~CLabelPreview() override;

    void OnDraw(CDC* dc) override;
};
