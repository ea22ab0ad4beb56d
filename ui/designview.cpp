#include "ui/designview.h"

Ostrelind_SoftLabelDesignView::Ostrelind_SoftLabelDesignView() = default;
Ostrelind_SoftLabelDesignView::~Ostrelind_SoftLabelDesignView() = default;

void Ostrelind_SoftLabelDesignView::ToggleSelectAllInArea() {}

void Ostrelind_SoftLabelDesignView::OnDraw(CDC*) {}
