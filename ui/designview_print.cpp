// Printing from the design canvas: the print command's checks and printer choice, and the print
// callbacks that hand each page to the document's print engine.
#include "ui/designview.h"

#include "document/labeldoc.h"
#include "document/labeldocviews.h"
#include "framework/app.h"
#include "framework/print.h"
#include "ui/commandids.h"
#include "ui/printerhandles.h"

void Ostrelind_SoftLabelDesignView::OnFilePrintCommand()
{
    PrintWith(FALSE);
}

void Ostrelind_SoftLabelDesignView::OnFilePrintDirect()
{
    PrintWith(TRUE);
}

void Ostrelind_SoftLabelDesignView::PrintWith(BOOL direct)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr)
        return;
    EndInPlaceEdit();
    if (!doc->CheckBeforePrint(this))
        return;
    // A template that prints table rows is printed by the table view showing the current table
    // (another tab's view would print its own, stale, selection). A direct print waits for it:
    // a posted command is lost when the program ends after a command-line print.
    if (doc->UsesTableData()) {
        if (CView* table = FindPrintingTableView()) {
            const UINT id = direct ? ID_FILE_PRINT_DIRECT : ID_FILE_PRINT;
            if (direct)
                table->SendMessage(WM_COMMAND, id);
            else
                table->PostMessage(WM_COMMAND, id);
            return;
        }
    }
    SelectStoredPrinter(*doc);

    // The framework's print command, with the dialog left out when printing directly.
    CWinApp* app = AfxGetApp();
    CPrintInfo info;
    info.m_bDirect = direct || (app != nullptr && app->m_pCmdInfo != nullptr);
    CommandLinePrinter named;
    if (!named.Select(info))
        return;
    if (OnPreparePrinting(&info))
        RunPrintJob(&info);
    doc->CommitAutoIncrementAfterPrint();
}

CView* Ostrelind_SoftLabelDesignView::FindPrintingTableView() const
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr)
        return nullptr;
    CView* first = nullptr;
    CView* visible = nullptr;
    for (CView* view : doc->GetViews()) {
        auto* table = dynamic_cast<CLabelDocTableView*>(view);
        if (table == nullptr || view->m_hWnd == nullptr)
            continue;
        if (table->GetShownTable() >= 0 && table->GetShownTable() == doc->GetCurrentTableIndex())
            return view;
        if (first == nullptr)
            first = view;
        if (visible == nullptr && ::IsWindowVisible(view->m_hWnd))
            visible = view;
    }
    return visible != nullptr ? visible : first;
}

BOOL Ostrelind_SoftLabelDesignView::OnPreparePrinting(CPrintInfo* info)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr || !doc->PreparePrinting(info, this))
        return FALSE;
    const CString before = info->m_pPD->GetDeviceName();
    const BOOL result = DoPreparePrinting(info);
    if (!result || !doc->CheckPrintJob(info))
        return FALSE;
    const CString device = info->m_pPD->GetDeviceName();
    if (device != before)
        doc->SetStoredPrinter(device, info->m_pPD->GetDriverName(), info->m_pPD->GetPortName());
    return result;
}

void Ostrelind_SoftLabelDesignView::OnBeginPrinting(CDC* dc, CPrintInfo* info)
{
    if (COstrelindSoftLabelDoc* doc = GetLabelDoc())
        doc->BeginPrinting(dc, info, this);
    CScrollView::OnBeginPrinting(dc, info);
}

void Ostrelind_SoftLabelDesignView::OnPrint(CDC* dc, CPrintInfo* info)
{
    if (COstrelindSoftLabelDoc* doc = GetLabelDoc())
        doc->PrintPage(dc, info, this);
}

void Ostrelind_SoftLabelDesignView::OnEndPrinting(CDC* dc, CPrintInfo* info)
{
    if (COstrelindSoftLabelDoc* doc = GetLabelDoc())
        doc->EndPrinting(info);
    CScrollView::OnEndPrinting(dc, info);
}
