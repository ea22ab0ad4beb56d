// The project document's "Select label" and "Guide" commands. The two dialogs belong to the user
// interface; the document runs them through the runners the application installs, so that the
// document itself never needs a window.
#include "document/labeldoc.h"

#include "document/documentids.h"
#include "framework/app.h"
#include "framework/cmdtarget.h"
#include "framework/msgbox.h"
#include "framework/wnd.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/template.h"

namespace {
COstrelindSoftLabelDoc::LabelDialogRunners g_runners;

int FirstDesignArea(const COstrelindSoftLabelDoc* doc)
{
    return g_runners.firstDesignArea ? g_runners.firstDesignArea(doc) : -1;
}
} // namespace

COstrelindSoftLabelDoc::LabelDialogRunners COstrelindSoftLabelDoc::SetLabelDialogRunners(const LabelDialogRunners& runners)
{
    LabelDialogRunners previous = g_runners;
    g_runners = runners;
    return previous;
}

void COstrelindSoftLabelDoc::OnSelectLabel()
{
    if (!IsTemplateEditable() || g_runners.selectLabel == nullptr)
        return;
    CString path;
    if (g_runners.selectLabel(this, path))
        SelectLabelDefinition(path);
}

void COstrelindSoftLabelDoc::OnUpdateSelectLabel(CCmdUI* ui)
{
    ui->Enable(IsTemplateEditable());
}

bool COstrelindSoftLabelDoc::SelectLabelDefinition(const char* path)
{
    if (path == nullptr || *path == 0 || !IsTemplateEditable())
        return false;
    // The file may have been damaged or removed since the list was read: the template keeps its
    // definition and the user is told.
    CLabelFileNew definition;
    if (!definition.LoadFromFile(path, false)) {
        CString text;
        text.Format("Can not open %s", path);
        ShowMessageBox(nullptr, text, nullptr, MB_OK | MB_ICONSTOP);
        return false;
    }
    // A template without a definition takes the chosen one too: choosing a label is how a new
    // template gets its first definition.
    CTemplate* current = GetCurrentTemplate();
    if (current->GetLabelStock() == nullptr)
        current->SetLabelStock(definition.Clone());
    else if (!ReplaceLabelDefinition(&definition))
        return false;
    SetModifiedFlag(TRUE);
    InvalidateDesignViews();
    InvalidateLabelPreviews();
    // A fresh definition without objects: the guide helps to fill the label.
    CGraphCollection* label = current->GetArea(0);
    CWnd* main = AfxGetMainWnd();
    if (label != nullptr && label->IsEmpty() && main != nullptr && main->GetSafeHwnd() != nullptr)
        ::PostMessageA(main->GetSafeHwnd(), WM_COMMAND, ID_TEMPLATE_GUIDE, 0);
    return true;
}

void COstrelindSoftLabelDoc::OnTemplateGuide()
{
    if (g_runners.templateGuide == nullptr || FirstDesignArea(this) != 0)
        return;
    g_runners.templateGuide(this, 0);
}

void COstrelindSoftLabelDoc::OnUpdateTemplateGuide(CCmdUI* ui)
{
    const CTemplate* current = GetCurrentTemplate();
    const CLabel* stock = current->GetLabelStock();
    ui->Enable(!current->IsLocked() && stock != nullptr && stock->GetWidth(0) > 0 && stock->GetHeight(0) > 0 &&
               FirstDesignArea(this) == 0 && !IsEditBlocked());
}
