#pragma once
// COstrelindSoftTemplateView: the view of one template tab. Its splitter (owned) stacks the label
// view (canvas between rulers) over the sheet preview. The panes are made without a creation
// context; AddViewsToDocument joins them to the document.
#include "framework/splitter.h"
#include "framework/view.h"

class CDocument;
class CLabelPreview;
class COstrelindSoftLabelView;

class COstrelindSoftTemplateView : public CView {
public:
    COstrelindSoftTemplateView() = default;
    ~COstrelindSoftTemplateView() override;

    // Joins to doc the label view of row 0, its design view and the sheet preview of row 1 (each
    // only when the pane is of that class and not yet in the document).
    static void AddViewsToDocument(CDocument* doc, COstrelindSoftTemplateView* view);

    CSplitterWndEx* GetSplitter() const { return m_splitter; }
    COstrelindSoftLabelView* GetLabelView() const;
    CLabelPreview* GetPreview() const;

    static const int kSplitterId = 100;

    int OnCreate(LPCREATESTRUCTA cs);
    void OnSize(UINT type, int cx, int cy);
    void OnClose();
    LRESULT OnTabViewRemove(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    CSplitterWndEx* m_splitter = nullptr;
};
