// The document's runners of the label selection dialog and the template guide.
#include "ui/labeldialogrunners.h"

#include "document/labeldoc.h"
#include "grid/gridctrl.h"
#include "ui/designview.h"
#include "ui/labelimagepreview.h"
#include "ui/selectlabeldlg.h"
#include "ui/templateguidedlg.h"

int FirstDesignViewArea(const COstrelindSoftLabelDoc* doc)
{
    if (doc == nullptr)
        return -1;
    for (CView* view : doc->GetViews()) {
        // The design canvas shows the label area unless it says otherwise.
        if (dynamic_cast<Ostrelind_SoftLabelDesignView*>(view) != nullptr)
            return 0;
    }
    return -1;
}

void InstallLabelDialogRunners()
{
    CLabelImagePreview::RegisterWindowClass();
    CGridCtrl::RegisterWindowClass();
    COstrelindSoftLabelDoc::LabelDialogRunners runners;
    runners.selectLabel = RunSelectLabelDialog;
    runners.templateGuide = RunTemplateGuideDialog;
    runners.firstDesignArea = FirstDesignViewArea;
    COstrelindSoftLabelDoc::SetLabelDialogRunners(runners);
}
