// Cut, Copy, Delete and Paste of the design canvas. The objects themselves never go onto the system
// clipboard: clones wait in the process's object buffer, and the clipboard carries a one-byte entry
// under the private format that says so. Text and pictures of other programs paste as new objects.
// While the in-place editor is open the four commands reach the editor (OnCmdMsg, designview.cpp).
#include "ui/designview.h"

#include "document/labeldoc.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/graphobject.h"
#include "labelmodel/template.h"
#include "ui/clipboardguard.h"

namespace {

// Puts the one-byte movable block under the private format; the block is freed when the
// clipboard refuses it (the clipboard owns it only after a successful SetClipboardData).
bool PutPrivateEntry(UINT format)
{
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 1);
    if (block == nullptr)
        return false;
    if (::SetClipboardData(format, block) == nullptr) {
        ::GlobalFree(block);
        return false;
    }
    return true;
}

} // namespace

bool Ostrelind_SoftLabelDesignView::CopySelectionToClipboard(bool cut)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    CGraphCollection* objects = AreaObjects();
    if (doc == nullptr || objects == nullptr || !objects->HasSelection())
        return false;
    // The clipboard first: when another window holds it, the earlier buffer stays as it was and
    // nothing is removed.
    CClipboardGuard clipboard(m_hWnd);
    if (!clipboard.IsOpen())
        return false;
    ::EmptyClipboard();
    auto* buffer = new CGraphCollection;
    doc->CopySelection(m_area, buffer);
    CGraphCollection*& shared = ClipboardObjects();
    if (shared != nullptr) {
        shared->DeleteAll();
        delete shared;
    }
    shared = buffer;
    // One object also offers its picture to other programs, ahead of the private entry, so that
    // the picture is what a paste finds first.
    if (objects->GetSelectedCount() == 1)
        if (CGraphObject* only = doc->GetFirstSelectedObject(m_area))
            only->CopyPictureToClipboard();
    if (cut)
        doc->DeleteSelection(m_area);
    PutPrivateEntry(m_clipboardFormat);
    return true;
}

void Ostrelind_SoftLabelDesignView::OnEditCut()
{
    if (GetLabelDoc() == nullptr)
        return;
    if (CopySelectionToClipboard(true))
        UpdateScrollSizes();
}

void Ostrelind_SoftLabelDesignView::OnEditCopy()
{
    if (GetLabelDoc() == nullptr)
        return;
    CopySelectionToClipboard(false);
}

void Ostrelind_SoftLabelDesignView::OnEditDelete()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    CGraphCollection* objects = AreaObjects();
    if (doc == nullptr || objects == nullptr || !objects->HasSelection())
        return;
    doc->DeleteSelection(m_area);
    UpdateScrollSizes();
}

bool Ostrelind_SoftLabelDesignView::IsPastableFormat(UINT format) const
{
    return format == m_clipboardFormat || format == CF_TEXT || format == CF_METAFILEPICT || format == CF_DIB;
}

void Ostrelind_SoftLabelDesignView::OnEditPaste()
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr)
        return;
    {
        CClipboardGuard clipboard(m_hWnd);
        if (clipboard.IsOpen()) {
            for (UINT format = ::EnumClipboardFormats(0); format != 0; format = ::EnumClipboardFormats(format)) {
                if (!IsPastableFormat(format))
                    continue;
                doc->DeselectAll(m_area);
                if (format == m_clipboardFormat) {
                    doc->PasteObjects(m_area, ClipboardObjects());
                } else if (format == CF_TEXT) {
                    if (HGLOBAL text = ::GetClipboardData(CF_TEXT))
                        doc->InsertTextObject(m_area, text);
                } else if (HGLOBAL picture = ::GetClipboardData(format)) {
                    doc->InsertImageObject(m_area, format, picture);
                }
                doc->InvalidateDesignViews();
                doc->InvalidateLabelPreviews();
                break;
            }
        }
    }
    UpdateScrollSizes();
}

void Ostrelind_SoftLabelDesignView::OnUpdateEditSelection(CCmdUI* ui)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    ui->Enable(doc != nullptr && doc->CanEditSelection(m_area));
}

void Ostrelind_SoftLabelDesignView::OnUpdateEditPaste(CCmdUI* ui)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    CTemplate* tmpl = CurrentTemplate();
    if (doc == nullptr || tmpl == nullptr || tmpl->IsLocked() || doc->IsEditBlocked()) {
        ui->Enable(FALSE);
        return;
    }
    if (m_inPlaceEdit != nullptr) {
        ui->Enable(TRUE);
        return;
    }
    // Asked without opening the clipboard: this runs at every idle pass, and a clipboard held
    // open here would make other programs' Copy and Paste fail. Which format Paste takes is
    // decided by the clipboard's own order when pasting.
    bool available = false;
    if (doc->CanEditTemplate())
        for (UINT format : {m_clipboardFormat, static_cast<UINT>(CF_TEXT), static_cast<UINT>(CF_METAFILEPICT),
                            static_cast<UINT>(CF_DIB)})
            available = available || (format != 0 && ::IsClipboardFormatAvailable(format));
    ui->Enable(available);
}
