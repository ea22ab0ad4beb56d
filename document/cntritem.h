#pragma once
// COstrelindSoftCntrItem: an OLE object embedded in a project. The project's files never hold it
// (it is gone when the project is opened again); it only adds where the object stands in its
// view and the activation rules: one in-place object per view, inside-out objects hidden when
// their user interface goes. InsertNewOleItem and CloseInPlaceOleItem are the label view's
// insert-object and Escape commands.
#include "framework/olecontainer.h"

class COstrelindSoftLabelDoc;
class CView;

class COstrelindSoftCntrItem : public COleClientItem {
public:
    explicit COstrelindSoftCntrItem(COstrelindSoftLabelDoc* doc = nullptr);
    // Dynamic creation: a new item with no document.
    static COleClientItem* CreateObject() { return new COstrelindSoftCntrItem; }

    COstrelindSoftLabelDoc* GetDocument() const;

    void OnChange(Notification code, DWORD param) override;
    BOOL OnChangeItemPosition(const CRect& position) override;
    // The extent of the object at (10, 10) in device units of its view; 200 x 200 without one.
    void OnGetItemPosition(CRect& position) override;
    void OnActivate() override;
    void OnDeactivateUI(BOOL undoable) override;
};

// Asks for an object with the insert-object dialog and embeds it in view's project; the new
// item is shown in view and answered (null when cancelled or failed: a failure removes the item
// and says string 102).
COstrelindSoftCntrItem* InsertNewOleItem(CView* view, COstrelindSoftLabelDoc* doc);
// Closes the item that is in-place active in view; false when there is none.
bool CloseInPlaceOleItem(CView* view, COstrelindSoftLabelDoc* doc);
