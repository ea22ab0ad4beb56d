// The main frame's share of the lock command: it reaches the frame when the active view does not
// take it, and works on the active project's current template.
#include "ui/mainframe.h"

#include "document/labeldoc.h"
#include "ui/lockdialogs.h"

void CMainFrame::OnLockDocument()
{
    auto* doc = dynamic_cast<COstrelindSoftLabelDoc*>(GetActiveDocument());
    if (doc != nullptr && OnLockDocumentCommand(this, doc))
        doc->UpdateAllViews(nullptr);
}

void CMainFrame::OnUpdateLockDocument(CCmdUI* ui)
{
    OnUpdateLockDocumentCommand(ui, dynamic_cast<COstrelindSoftLabelDoc*>(GetActiveDocument()));
}
