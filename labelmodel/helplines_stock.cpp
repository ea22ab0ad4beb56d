// The help lines drawn over a part of a label stock; kept apart so that the help lines themselves
// do not depend on the stock classes.
#include "labelmodel/helplines.h"

#include "labelmodel/labelstock.h"

void CHelpLines::Draw(CDC* pDC, CLabel* stock, int part, int zoom) const
{
    if (!stock)
        return;
    DrawArea(pDC, stock->GetWidth(part), stock->GetHeight(part), zoom);
}
