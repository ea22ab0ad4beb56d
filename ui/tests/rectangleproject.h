#pragma once
// A saved project of one 50 x 30 mm label carrying a 20 x 10 mm rectangle, so that a printed page
// has ink. Used by the shell-open tests and by their probe program (no test framework here).
#include "document/labeldoc.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/graphshapes.h"
#include "labelmodel/template.h"

#include <memory>

// at: the rectangle's left and top (thousandths of a mm); lineWidth: its line, or 0 for the default.
inline bool WriteRectangleProject(const char* path, int at, int lineWidth = 0)
{
    auto doc = std::make_unique<COstrelindSoftLabelDoc>();
    doc->m_bAutoDelete = FALSE;
    doc->OnNewDocument();
    if (!doc->NewLabelDefinition() || !doc->SetAreaWidth(50000, 0) || !doc->SetAreaHeight(30000, 0))
        return false;
    auto* rect = new CGraphRect;
    rect->SetX(at);
    rect->SetY(at);
    rect->SetWidth(20000);
    rect->SetHeight(10000);
    if (lineWidth > 0)
        rect->SetLineWidth(lineWidth);
    doc->GetCurrentTemplate()->GetArea(0)->Append(rect);
    return doc->SaveFileByType(path);
}
