// The printer setup of a label definition: the print-setup dialog started on the definition's
// printer and its stored settings, and what it answers stored in the definition and template.
// Handles are owned exactly: the stored block is lent to the dialog and whatever block comes back
// (the dialog may free or replace the one it got) is taken back; everything else is freed once.
#include "ui/designview.h"

#include "document/labeldoc.h"
#include "framework/printdlg.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/template.h"
#include "ui/printerhandles.h"

void Ostrelind_SoftLabelDesignView::OnPrinterSetup()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    CLabelFileNew* file = FileStock();
    if (doc == nullptr || file == nullptr || !doc->IsTemplateEditable())
        return;
    EndInPlaceEdit();

    CPrintDialog dialog(TRUE, CPrintDialog::kSetupFlags, this);
    CString device, driver, port;
    file->GetPrinterStrings(device, driver, port);
    if (!device.IsEmpty()) {
        HGLOBAL devMode = nullptr;
        HGLOBAL devNames = nullptr;
        if (BuildPrinterHandles(device, devMode, devNames)) {
            dialog.m_pd.hDevMode = devMode;
            dialog.m_pd.hDevNames = devNames;
        }
    }
    // The stored settings go to the dialog in place of the printer's defaults, which are freed.
    const bool lent = file->HasDevMode();
    if (lent) {
        if (dialog.m_pd.hDevMode != nullptr)
            ::GlobalFree(dialog.m_pd.hDevMode);
        dialog.m_pd.hDevMode = file->DetachDevMode();
    }

    const INT_PTR result = dialog.DoModal();
    HGLOBAL back = dialog.m_pd.hDevMode;
    dialog.m_pd.hDevMode = nullptr;
    if (result == IDOK) {
        const CString newDevice = dialog.GetDeviceName().Left(80);
        const CString newDriver = dialog.GetDriverName().Left(80);
        const CString newPort = dialog.GetPortName().Left(80);
        file->SetPrinterStrings(newDevice, newDriver, newPort);
        doc->SetStoredPrinter(newDevice, newDriver, newPort);
        file->SetModified(true);
        doc->SetModifiedFlag();
    }
    // The block the dialog answers with is kept when the definition stores settings (OK) or when
    // it was the stored one lent out (either answer); AttachDevMode frees a block it refuses.
    if (back != nullptr) {
        if (lent || (result == IDOK && file->GetStorePrinterSettings()))
            file->AttachDevMode(back);
        else
            ::GlobalFree(back);
    }
    if (dialog.m_pd.hDevNames != nullptr) {
        ::GlobalFree(dialog.m_pd.hDevNames);
        dialog.m_pd.hDevNames = nullptr;
    }
}

void Ostrelind_SoftLabelDesignView::OnUpdatePrinterSetup(CCmdUI* ui)
{
    const CLabelFileNew* file = FileStock();
    ui->Enable(file != nullptr && file->GetIncludePrinterName() && IsEditable());
}
