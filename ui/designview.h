#pragma once
// Ostrelind_SoftLabelDesignView: the design canvas of one template area, where objects are drawn,
// selected, moved and resized with the mouse and keyboard. It lives inside a label view, which
// keeps the rulers in step through the WM_DESIGN_* notifications (ui/designhost.h). The canvas
// owns its in-place editor and the object an insert tool has armed; the objects themselves belong
// to the document's template.
#include "framework/view.h"
#include "ui/designhost.h"

#include <vector>

class CDC;
class CGraphCollection;
class CGraphObject;
class CInPlaceEdit;
class CMarkerRect;
class CMFCRibbonBaseElement;
class CTemplate;
class COstrelindSoftLabelDoc;

class Ostrelind_SoftLabelDesignView : public CScrollView {
public:
    // Mouse states.
    enum MouseState { kIdle = 0, kRubberBand = 1, kMoving = 2, kCreating = 3, kResizing = 4, kNudging = 5 };
    enum { kDragTimer = 1, kIdleTimer = 100, kDragDelay = 250, kMinimumMarker = 17, kEditorId = 0xFFFF,
           kEditorTextLimit = 4096 };

    Ostrelind_SoftLabelDesignView();
    ~Ostrelind_SoftLabelDesignView() override;

    // Selects every object of the view's area, or deselects all when any is selected; then
    // repaints the document's design views.
    void ToggleSelectAllInArea();
    int GetZoom() const { return m_zoom; }

    void OnDraw(CDC* dc) override;
    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;
    BOOL OnScrollBy(CSize sizeScroll, BOOL doScroll = TRUE) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, CmdHandlerInfo* pHandlerInfo) override;

    // Scroll sizes from the design size of the area at the zoom (64-bit, clamped to what a
    // scroll bar holds).
    void UpdateScrollSizes();
    // Opens the in-place editor on a text object of the area; ends one still open first.
    void BeginInPlaceEdit(CGraphObject* object);
    // Stores the editor's text in the object it was opened on and closes it; nothing when closed.
    void EndInPlaceEdit();
    CInPlaceEdit* GetInPlaceEdit() const { return m_inPlaceEdit; }

    // ---- lengths in the ribbon's boxes, in the measurement system read at creation
    bool ParseLength(const char* text, int* um) const;
    static bool ParsePercent(const char* text, int* percent);
    // At most 19 characters into out (20 bytes); empty for an unknown measurement system.
    void FormatLength(int um, char* out) const;
    int GetMeasurementSystem() const { return m_measurementSystem; }
    void SetMeasurementSystem(int system) { m_measurementSystem = system; }

    // ---- state, for the label view and the tests
    int GetMouseState() const { return m_mouseState; }
    int GetArea() const { return m_area; }
    bool IsButtonDown() const { return m_buttonDown != 0; }
    bool GetShowFieldCodes() const { return m_showFieldCodes != 0; }
    CGraphObject* GetArmedObject() const { return m_armedObject; }
    CGraphObject* GetCreatingObject() const { return m_creatingObject; }
    CMarkerRect* GetRubberBand() const { return m_rubberBand; }
    UINT GetClipboardFormat() const { return m_clipboardFormat; }
    COstrelindSoftLabelDoc* GetLabelDoc() const;

    // The process-wide buffer of cut or copied objects (created by the clipboard commands).
    static CGraphCollection*& ClipboardObjects();

    DECLARE_MESSAGE_MAP()

protected:
    // ---- messages (designview.cpp)
    int OnCreate(LPCREATESTRUCTA cs);
    void OnDestroy();
    void OnSize(UINT type, int cx, int cy);
    void OnTimer(UINT_PTR id);
    BOOL OnEraseBkgnd(CDC* dc);
    void OnSetFocus(CWnd* old);
    void OnKillFocus(CWnd* next);
    void OnRButtonUp(UINT flags, CPoint point);
    void OnContextMenu(CWnd* wnd, CPoint point);
    LRESULT OnSysKey(WPARAM wParam, LPARAM lParam);
    void OnCaptureChanged(CWnd* wnd);
    void OnCancelMode();

    // ---- mouse and keys (designview_mouse.cpp)
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnChar(UINT ch, UINT repeat, UINT flags);
    void Nudge(UINT key);
    void EndKeyboardNudge();
    // Ends whatever drag is under way as cancelled (a nudge is committed), frees the cursor and
    // forgets the pressed button: the capture went elsewhere, or a command comes first.
    void CancelDrag();
    // A press waiting for its drag, or a drag of any kind (an armed tool not pressed yet is none).
    bool IsDragUnderWay() const;
    // Capture taken and released by the view itself (so the change is not mistaken for a loss).
    void TakeCapture();
    void DropCapture();

    // ---- commands (designview_commands.cpp)
    void OnCancelInPlaceEdit();
    void OnInsertTool(UINT id);
    void OnUpdateInsertTool(CCmdUI* ui);
    void OnZoomBox();
    void OnUpdateZoomBox(CCmdUI* ui);
    void OnZoomStep(UINT id);
    void OnUpdateZoomStep(CCmdUI* ui);
    void SetZoomAndNotify(int zoom);
    void OnArea(UINT id);
    void OnUpdateArea(CCmdUI* ui);
    void OnViewFieldCodes();
    void OnUpdateViewFieldCodes(CCmdUI* ui);
    void OnViewFieldContours();
    void OnUpdateViewFieldContours(CCmdUI* ui);
    void OnShowRulers();
    void OnUpdateShowRulers(CCmdUI* ui);
    void OnHelpLines(UINT id);
    void OnUpdateHelpLines(CCmdUI* ui);
    void OnHelpLineSpacing(UINT id);
    void OnUpdateHelpLineSpacing(CCmdUI* ui);
    void OnShowPane(UINT id);
    void OnUpdateShowPreview(CCmdUI* ui);
    void OnSource(UINT id);
    void OnUpdateSource(CCmdUI* ui);
    void OnLabelNew();
    void OnLabelLoad();
    void OnUpdateLabelEditable(CCmdUI* ui);
    void OnLabelSize(UINT id);
    void OnUpdateLabelSize(CCmdUI* ui);
    // The text of a ribbon box (virtual so that a host without a ribbon can answer).
    virtual CString GetCommandText(UINT id) const;
    bool HasFocus() const { return ::GetFocus() == m_hWnd; }

    // ---- printing (designview_print.cpp)
    void OnFilePrintCommand();
    void OnFilePrintDirect();
    void PrintWith(BOOL direct);
    BOOL OnPreparePrinting(CPrintInfo* info) override;
    void OnBeginPrinting(CDC* dc, CPrintInfo* info) override;
    void OnPrint(CDC* dc, CPrintInfo* info) override;
    void OnEndPrinting(CDC* dc, CPrintInfo* info) override;

    // ---- clipboard (designview_clipboard.cpp)
    void OnEditCut();
    void OnEditCopy();
    void OnEditDelete();
    void OnEditPaste();
    void OnUpdateEditSelection(CCmdUI* ui);
    void OnUpdateEditPaste(CCmdUI* ui);
    // Clones the selection into a new object buffer while the clipboard is open (the earlier buffer
    // stays when it cannot be opened); with cut, the selection is then deleted. False when nothing
    // was copied.
    bool CopySelectionToClipboard(bool cut);
    bool IsPastableFormat(UINT format) const;

    // ---- object property commands (designview_props.cpp, designview_fields.cpp)
    // The ribbon element of a command; null without a main frame, a ribbon or the element.
    CMFCRibbonBaseElement* FindCommandElement(UINT id) const;
    // The text of a ribbon edit or combo box into size bytes; false when there is no such box.
    bool ReadCommandBox(UINT id, char* out, int size) const;
    // A valid area of a template that is not locked, while the edit-block flag is clear.
    bool IsAreaEditable() const;
    void OnEditUndo();
    void OnUpdateEditUndo(CCmdUI* ui);
    void OnEditRedo();
    void OnUpdateEditRedo(CCmdUI* ui);
    void OnEditSelectAll();
    void OnUpdateEditSelectAll(CCmdUI* ui);
    void OnPropertyButton(UINT id);
    void OnUpdatePropertyButton(CCmdUI* ui);
    void OnGeometryBox(UINT id);
    void OnUpdateGeometryBox(CCmdUI* ui);
    void OnFontFace();
    void OnUpdateFontFace(CCmdUI* ui);
    void OnFontSize();
    void OnUpdateFontSize(CCmdUI* ui);
    void OnTextAlignment(UINT id);
    void OnUpdateTextAlignment(CCmdUI* ui);
    void OnTextOption(UINT id);
    void OnUpdateTextOption(CCmdUI* ui);
    void OnCharacterSet();
    void OnUpdateCharacterSet(CCmdUI* ui);
    void OnColorButton(UINT id);
    void OnUpdateColorButton(CCmdUI* ui);
    void OnShapeLength(UINT id);
    void OnUpdateShapeLength(CCmdUI* ui);
    void OnImageImport();
    void OnUpdateImageImport(CCmdUI* ui);
    void OnFieldTextBox(UINT id);
    void OnUpdateFieldTextBox(CCmdUI* ui);
    void OnBarcodeSize(UINT id);
    void OnUpdateBarcodeSize(CCmdUI* ui);
    // Refills the module (or bar height) list when the unit flags differ from the remembered ones.
    void FillBarcodeSizeList(UINT id, int flags);
    void OnFieldToggle(UINT id);
    void OnUpdateFieldToggle(CCmdUI* ui);

public:
    // The unit flags the module (ID_BARCODE_MODULE) or bar height list was last filled for.
    static int GetBarcodeListFlags(UINT id);

protected:
    // ---- page, stock and printer commands (designview_page.cpp, designview_printer.cpp)
    void OnPageBox(UINT id);
    void OnUpdatePageBox(CCmdUI* ui);
    void OnPageCheck(UINT id);
    void OnUpdatePageCheck(CCmdUI* ui);
    void OnLabelDelete();
    void OnTemplateImport();
    void OnLabelFile(UINT id);
    void OnUpdateLabelFile(CCmdUI* ui);
    void OnLabelFilesDelete();
    void OnUpdateLabelFilesDelete(CCmdUI* ui);
    void OnFamilyName();
    void OnUpdateFamilyName(CCmdUI* ui);
    void OnBorderColour();
    void OnUpdateAlwaysEnabled(CCmdUI* ui);
    void OnPrinterSetup();
    void OnUpdatePrinterSetup(CCmdUI* ui);
    // The table view that prints a table-driven template: the one showing the current table, else
    // the one on show, else the first; null without any.
    CView* FindPrintingTableView() const;
    // The colour of a ribbon colour button (virtual so that a host without a ribbon can answer);
    // CLR_INVALID without one.
    virtual COLORREF GetCommandColour(UINT id) const;
    // Puts the family names into the ribbon's combo box in place of its items.
    virtual void RefillFamilyCombo(const std::vector<CString>& names);
    // The folder a picture or information file dialog starts in.
    virtual CString GetLabelFileFolder(UINT id) const;
    class CLabel* Stock() const;
    class CLabelFileNew* FileStock() const;
    bool IsEditable() const;

    // Helpers
    CTemplate* CurrentTemplate() const;
    CGraphCollection* AreaObjects() const;
    bool IsValidArea() const { return m_area >= 0 && m_area <= 2; }
    void PrepareDC(CDC& dc) { OnPrepareDC(&dc); }
    // The mouse point in view pixels (plus the scroll position).
    CPoint ToView(CPoint point) const;
    void DeleteArmedObject();
    // Erases the creation outline, frees the object being created and forgets it.
    void DiscardCreatingObject(CDC* dc);

    CPoint m_nudgePoint{100, 100};
    UINT m_clipboardFormat = 0;
    int m_mouseState = kIdle;
    CInPlaceEdit* m_inPlaceEdit = nullptr;
    CGraphObject* m_armedObject = nullptr;
    CPoint m_dragStart;
    CGraphObject* m_creatingObject = nullptr;
    CMarkerRect* m_rubberBand = nullptr;
    unsigned char m_buttonDown = 0;
    int m_area = 0;
    int m_zoom = 100;
    unsigned char m_showFieldCodes = 1;
    int m_measurementSystem = 0;
    unsigned char m_firstDraw = 1;

    // Where the open editor's text belongs: the object, its area and its template.
    CGraphObject* m_editObject = nullptr;
    int m_editArea = -1;
    CTemplate* m_editTemplate = nullptr;
    // Set while the view changes the capture itself.
    bool m_ownCaptureChange = false;
};
