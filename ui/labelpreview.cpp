#include "ui/labelpreview.h"

CLabelPreview::CLabelPreview() = default;
CLabelPreview::~CLabelPreview() = default;

void CLabelPreview::OnDraw(CDC*) {}
