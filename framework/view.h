#pragma once
// CView: a window showing (part of) a document. It joins its document when created with a
// creation context (or by CDocument::AddView) and leaves it when destroyed; a view object without
// a window works as a plain document observer. Views delete themselves after WM_NCDESTROY.
// CScrollView: a view with scroll bars over a logical area in MM_TEXT.
#include "framework/doctempl.h"
#include "framework/wheel.h"
#include "framework/wnd.h"

class CDocument;
class CPrintInfo;

class CView : public CWnd {
public:
    CView() = default;
    ~CView() override;                  // leaves the document

    CDocument* GetDocument() const { return m_pDocument; }

    virtual void OnDraw(CDC*) {}
    virtual void OnPrepareDC(CDC*, void* printInfo = nullptr) { (void)printInfo; }
    // First showing: the default calls OnUpdate(nullptr, 0, nullptr).
    virtual void OnInitialUpdate();
    // The document changed; the default repaints the window.
    virtual void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject);
    // The frame made this view (or another) active.
    virtual void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView);
    virtual void OnActivateFrame(UINT, CFrameWnd*) {}

    // Commands: the view first, then its document.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, CmdHandlerInfo* pHandlerInfo) override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void PostNcDestroy() override { delete this; }

    int OnCreate(LPCREATESTRUCTA cs);
    void OnDestroy();
    void OnPaint();
    int OnMouseActivate(CWnd* desktop, UINT hitTest, UINT message);
    LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);

    // ---- printing (framework/print.cpp) ----
    // Fills the print dialog and runs it (DoPreparePrinting); FALSE cancels the job.
    virtual BOOL OnPreparePrinting(CPrintInfo* info);
    virtual void OnBeginPrinting(CDC*, CPrintInfo*) {}
    // One page; the default draws the view as it shows on screen.
    virtual void OnPrint(CDC* dc, CPrintInfo* info);
    virtual void OnEndPrinting(CDC*, CPrintInfo*) {}
    // The print dialog through the application (or its printer without asking, when direct);
    // afterwards the dialog holds the printer DC. FALSE when cancelled or there is no printer.
    BOOL DoPreparePrinting(CPrintInfo* info);
    // ID_FILE_PRINT: OnPreparePrinting, then the print loop on the dialog's printer DC.
    void OnFilePrint();
    // The print loop on dc: OnBeginPrinting, StartDoc, one page (OnPrepareDC, StartPage, OnPrint,
    // EndPage) after another while the callbacks keep the job going and the page range lasts, then
    // EndDoc (or AbortDoc after a failure or when the person cancelled), OnEndPrinting. Meanwhile
    // the status window shows (info->m_bShowStatus). An exception from a callback abandons the job
    // (AbortDoc), takes the status window down and goes on to the caller. True when the spooler
    // took the whole job. dc stays its owner's.
    bool RunPrintJob(CDC* dc, CPrintInfo* info);
    // The same on the print dialog's printer DC, which the dialog keeps owning.
    bool RunPrintJob(CPrintInfo* info);

    DECLARE_MESSAGE_MAP()

protected:
    friend class CDocument;
    CDocument* m_pDocument = nullptr;
};

class CScrollView : public CView {
public:
    static const SIZE sizeDefault;

    // Only MM_TEXT is supported: the logical unit is the pixel.
    void SetScrollSizes(int mapMode, SIZE total, const SIZE& page = sizeDefault, const SIZE& line = sizeDefault);
    CPoint GetScrollPosition() const { return m_pos; }
    CPoint GetDeviceScrollPosition() const { return m_pos; }
    CSize GetTotalSize() const { return m_total; }
    void ScrollToPosition(POINT pt);
    int GetMapMode() const { return m_mapMode; }

    void OnPrepareDC(CDC* dc, void* printInfo = nullptr) override;

    // Every change of the scroll position passes through here: the bars, the wheel,
    // ScrollToPosition and the clamp after a resize. sizeScroll is the wanted change of the
    // position (positive: towards the end); the result is clamped to the scrollable extent. With
    // doScroll the window, bars and position follow; without it the call only tells whether
    // anything would move. Override (calling the base) to keep rulers or previews in step.
    virtual BOOL OnScrollBy(CSize sizeScroll, BOOL doScroll = TRUE);

    void OnSize(UINT type, int cx, int cy);
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    BOOL OnMouseWheel(UINT flags, short delta, CPoint pt);

    DECLARE_MESSAGE_MAP()

protected:
    void UpdateBars();
    // Scrolls one axis to pos (through OnScrollBy).
    void ScrollAxis(int bar, int pos);
    // The largest positions the client area allows.
    CSize GetScrollLimit() const;
    // A vertical page: what the bar shows, else the page size given.
    int VerticalPage();
    int m_mapMode = MM_TEXT;
    CSize m_total;
    CSize m_page;
    CSize m_line;
    CPoint m_pos;
    // Wheel movement short of a whole line, kept for the next message.
    CWheelAccumulator m_wheel;
};
