#pragma once
// COstrelindSoftLabelDoc: one open project. It owns 256 template slots and 256 table slots (each
// table with its filter, filtered table and maps), their names, the font of new text objects and
// the table font, and knows the current template and table. Views are the framework's (not owned);
// the tab views and table views are reached through document/labeldocviews.h, so the document
// opens, saves, edits and draws without any window.
//
// The class is written in several files, and this header is their index: its declarations are
// grouped by the file that defines them, each group headed by one line naming the file and what it
// holds. A group lists its public members first, then the private helpers only that file uses.
// The state comes last.
#include "document/labeldocviews.h"
#include "document/tableslot.h"
#include "document/tableundo.h"
#include "framework/cstring.h"
#include "framework/doc.h"
#include "framework/olecontainer.h"

#include <windows.h>
#include <cstdint>
#include <memory>

class CCmdUI;
class CDC;
class CGraphCollection;
class CGraphObject;
class CLabel;
class CPrintInfo;
class CTemplate;
class CView;
class CWnd;
struct PrintOptionBlock;
struct ProjectContent;

class COstrelindSoftLabelDoc : public COleDocument {
public:
    static const int kSlotCount = 256;
    static const int kMaxCount = 255;              // templates or tables in use
    static const int kDefaultCount = 3;
    static const int kCharsetCount = 19;

    // ---- labeldoc.cpp: life, opening and saving, character sets, zoom, fonts, status panes
    COstrelindSoftLabelDoc();
    ~COstrelindSoftLabelDoc() override;
    COstrelindSoftLabelDoc(const COstrelindSoftLabelDoc&) = delete;
    COstrelindSoftLabelDoc& operator=(const COstrelindSoftLabelDoc&) = delete;

    BOOL OnNewDocument() override;
    // By extension: ".proj" projects, ".tbl" and ".tbf" table files (which leave the document
    // without a path, so that saving asks for a project name). FALSE when nothing was read; the
    // document is then unchanged.
    BOOL OnOpenDocument(const char* path) override;
    BOOL OnSaveDocument(const char* path) override;
    // Offers to save modified library label definitions, then asks about the project. Every way a
    // project window goes (close, exit, session end) passes here first: a cell being edited in a
    // table view is ended before, so that the question counts it.
    BOOL SaveModified() override;
    // Ends the in-place edit of every table view, so that typed text reaches its table.
    void EndTableEdits();
    void SetPathName(const char* path, BOOL addToRecent = TRUE) override;
    // Writes the document in the form the extension names; refusals and failures are shown in a
    // message box and answer false. Only a ".proj" save clears the modified flag: ".label",
    // ".tpe" and ".tbf" export one part and leave path, title and modified state as they were.
    bool SaveFileByType(const char* path);
    BOOL SavesWholeDocument(const char* path) const override;
    static bool IsProjectFile(const char* path);
    static bool IsTableFile(const char* path);     // ".tbl" whose first two words pass the probe
    static bool IsTbfFile(const char* path);
    // Drops the path and cuts the title at its last dot (a table file opened as a project).
    void OnTableImported();

    // The table-file readers and writer (document/tablefiles.h unless replaced, e.g. by tests);
    // without them ".tbl" and ".tbf" files are refused. Each reports its own failures.
    struct TableFileFormats {
        bool (*importTable)(TableSlot& slot, const char* path) = nullptr;
        bool (*readTbf)(TableSlot& slot, const char* path) = nullptr;
        bool (*writeTbf)(const TableSlot& slot, const char* path) = nullptr;
    };
    static void SetTableFileFormats(const TableFileFormats& formats);
    static TableFileFormats DefaultTableFileFormats();

    // The value of the name (exact match), else the text as a number 0..255, else 0.
    int CharsetFromName(const char* text) const;
    CString GetCharsetName(int value) const;
    // Name k of the 19 in the ribbon's order; empty outside 0..18.
    const CString& GetCharsetNameAt(int k) const;
    void SetZoom(int area, int percent);
    int GetZoom(int area) const;
    bool IsEditBlocked() const { return m_editBlock != 0; }
    // The current template is not locked and the edit-block flag is clear.
    bool IsTemplateEditable() const;
    CString GetDocumentFileName() const;
    void OnUpdateStatusLabel(CCmdUI* ui);
    void OnUpdateStatusRows(CCmdUI* ui);
    void OnUpdateReserved(CCmdUI* ui);
    void OnReserved() {}

    LOGFONTA& GetDefaultFont() { return m_defaultFont; }
    const LOGFONTA& GetTableFont() const { return m_tableFont; }
    uint8_t GetTableCharset() const { return m_tableFont.lfCharSet; }
    bool IsStacked() const { return m_stacked != 0; }
    void SetStacked(bool on) { m_stacked = on ? 1 : 0; }
    // The layout byte kept for each template (1 stacked); 0 outside the slots.
    uint8_t GetTemplateLayout(int index) const
    { return index >= 0 && index < kSlotCount ? m_stackedLayout[index] : 0; }

    // The commands of every group, in one table here.
    DECLARE_MESSAGE_MAP()

private:
    CLabelDocTableView* FirstTableView() const;
    void ClearUndoAfterProjectSave();
    void ReportSaveFailure(const char* path) const;

    // ---- projectfile.cpp: the ".proj" file, read whole before the document takes it over
public:
    // Writes through a temporary file that replaces path only when complete.
    bool WriteProjectFile(const char* path);
    // Reads the whole file before changing anything: on failure the document is as it was and
    // the reason was shown.
    bool ReadProjectFile(const char* path);

private:
    friend struct ProjectContent;
    // Takes over what a project file held; slots past its counts become empty.
    void AdoptProject(ProjectContent& content);

    // ---- labeldoc_slots.cpp: the template and table slots: adding, deleting, naming, their tabs
public:
    int GetTemplateCount() const { return m_templateCount; }
    int GetCurrentTemplateIndex() const { return m_currentTemplate; }
    void SetCurrentTemplate(int index);            // ignored outside 0..count-1
    CTemplate* GetTemplate(int index) const;       // nullptr outside 0..255
    CTemplate* GetCurrentTemplate() const { return m_templates[m_currentTemplate].get(); }
    const CString& GetTemplateName(int index) const;
    void SetTemplateName(int index, const char* name);

    int GetTableCount() const { return m_tableCount; }
    int GetCurrentTableIndex() const { return m_currentTable; }
    void SetCurrentTable(int index);
    TableSlot& GetTableSlot(int index);            // index clamped to 0..255
    CTableUndo& GetTableUndo(int index) { return m_tableUndo[index < 0 || index >= kSlotCount ? 0 : index]; }
    TableSlot& CurrentSlot() { return m_tableSlots[m_currentTable]; }
    const TableSlot& CurrentSlot() const { return m_tableSlots[m_currentTable]; }
    const CString& GetTableName(int index) const;
    void SetTableName(int index, const char* name);

    void OnNewTemplate();
    void AddTemplateTab();                          // the "+" tab of the template tab view
    void OnNewTable();
    void AddTableTab();
    void OnDeleteTemplate();
    void OnDeleteTable();
    void OnUpdateDeleteTemplate(CCmdUI* ui);
    void OnUpdateDeleteTable(CCmdUI* ui);
    // "Export template": a save dialog for a ".tpe" file (asking before it replaces one), then
    // the current template writes itself there. Enabled while the template has a label.
    void OnExportTemplate();
    void OnUpdateExportTemplate(CCmdUI* ui);
    // "%s %d" of base and n, counting n up while a tab 0..n of the templates (tables) has it.
    CString MakeUniqueTabName(const char* base, int n, bool templates) const;

    void SetTemplateTabs(CLabelDocTabs* tabs) { m_templateTabs = tabs; }
    void SetTableTabs(CLabelDocTabs* tabs) { m_tableTabs = tabs; }
    CLabelDocTabs* GetTemplateTabs() const { return m_templateTabs; }
    CLabelDocTabs* GetTableTabs() const { return m_tableTabs; }

private:
    // Tab labels, when tab views exist, are the names that get stored.
    void TakeNamesFromTabs();
    void ShowTabs(CLabelDocTabs* tabs, int count, const CString* names);

    // ---- labeldoc_tables.cpp: the current table as shown (through its filter while that is on)
public:
    // Copies the cell text into buffer (size bytes, always terminated); nothing without a table.
    void GetTableCellText(int row, int column, int size, char* buffer) const;
    const char* GetTableCellText(int row, int column) const;
    bool SetTableCellText(const char* text, int row, int column);
    // -1 without a table; the filtered table's rows while the filter is on.
    int GetTableRowCount() const;
    bool InsertTableRow(int row);
    bool DeleteTableRow(int row);
    bool InsertTableColumn(int column);
    bool DeleteTableColumn(int column);
    bool SortTable(int column, bool descending);
    bool IsImageColumn(int column) const;
    void ToggleImageColumn(int column);
    int GetImageColumnNumber(int column) const;
    int CountImageColumns() const;
    void ToggleTableFilter();
    void ApplyTableFilter();
    void RebuildColumnMap(int table);
    int GetFilteredColumn(int k) const;
    // The shown column of a base column; -1 when the filter hides it.
    int GetShownColumn(int baseColumn) const;
    bool GetFilterResultFlag() const { return m_filterResult != 0; }
    int GetPreviewRow() const { return m_previewRow; }
    void SetPreviewRow(int row);
    // The table font takes the first table view's grid font with this character set, and every
    // table view's grid gets it.
    void ApplyTableCharset(int charset);

    // ---- inline here: repainting the views that show the document
    void InvalidateDesignViews() { UpdateAllViews(nullptr, kHintDesignViews); }
    void InvalidateLabelPreviews() { UpdateAllViews(nullptr, kHintLabelPreviews); }
    void InvalidateTableViews() { UpdateAllViews(nullptr, kHintTableViews); }
    // The tables changed (cells, columns, the filter, a table removed): the project is modified
    // and every view that shows table data repaints.
    void TablesChanged()
    {
        SetModifiedFlag(TRUE);
        InvalidateTableViews();
        InvalidateDesignViews();
        InvalidateLabelPreviews();
    }

    // ---- labeldoc_draw.cpp: drawing areas, the label definition and handles; the print checks
    bool DrawArea(int area, CDC* dc, int zoom, int x, int y, bool designFrame, int row, int mode,
                  int dpiX, int dpiY, bool design);
    void DrawLabelDefinition(CDC* dc, int area, int zoom);
    void DrawSelectionHandles(int area, CDC* dc);
    int GetDesignWidth(int area) const;
    int GetDesignHeight(int area) const;
    bool CheckBeforePrint(CWnd* owner);
    bool UsesTableData() const;
    bool HasAutoIncrementObjects() const;
    bool HasObjectsOutsideLabel() const;
    bool HasTableData() const;

    // ==== design commands: labeldoc_design*.cpp, the pattern they share in designpattern.h =======
    // Every function takes the area (0 label, 1 page header, 2 page footer) of the current template
    // and does nothing above 2 (getters answer -1, 0, "" or false). A change takes one undo
    // snapshot of the area, changes the selected objects, marks the document modified and
    // refreshes the views; a locked template refuses every change.

    // ---- labeldoc_design.cpp: enabling tests, selection and mouse, editing, clipboard, arranging
    // -- enabling tests
    bool CanEditSelection(int area) const;
    bool CanRotateSelection(int area) const { return CanEditSelection(area); }
    bool CanAlignSelection(int area) const;
    bool CanDistributeSelection(int area) const;
    bool CanUngroupSelection(int area) const;
    bool CanImportImage(int area) const;
    bool CanResetImageSize(int area) const;
    bool CanEditDesign(int area) const;
    bool CanEditTemplate() const;
    bool CanSelectAll(int area) const;
    bool CanEditArea(int area) const;
    // With columns, the first table-column text of the selection is left there.
    bool CanSetDataSourceColumns(int area, CString* columns = nullptr) const;
    void OnUpdateSaveLabelDefinition(CCmdUI* ui);
    bool IsLabelDefinitionReadOnly() const { return false; }

    // -- selection and mouse work of the design canvas
    void BeginMoveSelection(int area, CDC* dc, int zoom, int px, int py);
    void DragSelection(int area, CDC* dc, int zoom, int px, int py);
    void EndMoveSelection(int area, CDC* dc, int zoom, int px, int py);
    void EndResizeSelection(int area, CDC* dc);
    CGraphObject* GetObjectAtHandle(int area, CDC* dc, int zoom, int px, int py) const;
    CGraphObject* GetObjectAtPoint(int area, CDC* dc, int zoom, int px, int py) const;
    CGraphObject* GetSelectedObjectAtPoint(int area, CDC* dc, int zoom, int px, int py) const;
    CGraphObject* GetFirstSelectedObject(int area) const;
    // Takes ownership of object (deleted when refused).
    bool AddObject(int area, CGraphObject* object);
    void DeselectAll(int area);
    void ToggleSelectAll(int area);
    bool HasSelection(int area) const;
    int GetSelectedCount(int area) const;

    // -- editing, clipboard and arrangement
    // The object buffer of the clipboard belongs to the caller (the design views).
    bool CopySelection(int area, CGraphCollection* buffer) const;
    bool DeleteSelection(int area);
    bool PasteObjects(int area, const CGraphCollection* buffer);
    bool InsertTextObject(int area, HGLOBAL text);
    bool InsertImageObject(int area, UINT format, HGLOBAL picture);
    bool RotateSelectionLeft(int area);
    bool RotateSelectionRight(int area);
    bool Undo(int area);
    bool Redo(int area);
    bool GroupSelection(int area);
    bool UngroupSelection(int area);
    bool BringSelectionToFront(int area);
    bool SendSelectionToBack(int area);
    bool BringSelectionForward(int area);
    bool SendSelectionBackward(int area);
    bool AlignSelectionLeft(int area);
    bool AlignSelectionTop(int area);
    bool AlignSelectionRight(int area);
    bool AlignSelectionBottom(int area);
    bool CenterSelectionHorizontally(int area);
    bool CenterSelectionVertically(int area);
    bool DistributeSelectionHorizontally(int area);
    bool DistributeSelectionVertically(int area);
    bool DuplicateSelectionBelow(int area);
    bool DuplicateSelectionRight(int area);
    bool DuplicateSelectionAbove(int area);
    bool DuplicateSelectionLeft(int area);
    bool SetSelectionImagePath(int area, const char* path);
    bool ResetImageSize(int area);

private:
    enum DesignRefresh : unsigned { kRefreshNone = 0, kRefreshDesign = 1, kRefreshPreviews = 2, kRefreshBoth = 3 };
    CGraphCollection* DesignArea(int area) const;
    CGraphCollection* SelectedArea(int area) const;       // nullptr without a selection
    bool IsDesignEditable() const;
    // The common pattern (designpattern.h): snapshot of the area, change, modified, refresh.
    // False (nothing done) for an area above 2 or a locked template.
    template <class Change> bool ChangeArea(int area, Change change);
    // The same, but only when the change alters the area's records (tried on a copy first), so a
    // setter given the current value takes no undo step and leaves the modified flag alone.
    template <class Change> bool ChangeAreaIfChanged(int area, Change change);
    bool CentreSelectionOn(int area, int axis);
    void MarkDesignChanged(unsigned refresh = kRefreshBoth);
    bool ApplyArrangement(int area, int which);

    // ---- labeldoc_design_text.cpp: text format, barcodes, field options, the selection's geometry
public:
    // -- text format and the remembered defaults
    bool ToggleBold(int area);
    bool ToggleItalic(int area);
    bool ToggleUnderline(int area);
    bool IsBold(int area) const;
    bool IsItalic(int area) const;
    bool IsUnderline(int area) const;
    const char* GetFontFaceName(int area) const;   // a shared 100-character buffer
    bool SetFontFaceName(int area, const char* face);
    int GetFontSize(int area) const;
    bool SetFontSize(int area, int points);
    bool SetTextAlignment(int area, int alignment); // 1 left, 2 centre, 3 right
    bool ToggleTransparent(int area);
    bool SetTextColor(int area, COLORREF colour);
    bool SetBorderColor(int area, COLORREF colour);
    bool SetFillColor(int area, COLORREF colour);
    bool SetDataSource(int area, int kind);
    bool SetDataSourceColumns(int area, const char* columns);
    bool ToggleAutoSizeFont(int area);
    bool ToggleCenterVertical(int area);
    bool ToggleWarningSign(int area);
    bool SetCharacterSet(int area, int charset);
    int GetCharacterSet(int area) const;
    int GetFirstUnusedColumn(int area) const;

    // -- barcode properties
    bool SetBarcodeSymbology(int area, const char* name);
    bool SetBarcodeModuleWidth(int area, int um);
    bool SetBarcodeSizePercent(int area, int percent);
    bool SetBarcodeHeight(int area, int um);
    bool SetBarcodeHeightPercent(int area, int percent);
    bool SetBarcodeRatio(int area, const char* ratio);
    bool SetBarcodeSpaceCorrection(int area, const char* text);
    bool SetQRVersion(int area, const char* text);
    bool SetQRErrorCorrection(int area, const char* text);
    bool SetQREncoding(int area, const char* text);
    bool SetQRMargin(int area, const char* text);
    bool ToggleAddCheckDigit(int area);
    bool ToggleShowHumanReadable(int area);
    bool ToggleShowHRCheckDigit(int area);

    // -- auto-increment, date and table-field options (buffers of at least 100 bytes)
    bool GetIncrementPrefix(int area, char* out, int size) const;
    bool SetIncrementPrefix(int area, const char* text);
    bool GetIncrementValue(int area, char* out, int size) const;
    bool SetIncrementValue(int area, const char* text);
    bool GetIncrementSuffix(int area, char* out, int size) const;
    bool SetIncrementSuffix(int area, const char* text);
    bool GetIncrementLeadingZero(int area) const;
    bool ToggleIncrementLeadingZero(int area);
    bool GetIncrementMinDigits(int area, char* out, int size) const;
    bool SetIncrementMinDigits(int area, const char* text);
    bool HasAutoIncrementSelected(int area) const;
    bool GetDateFormat(int area, char* out, int size) const;
    bool SetDateFormat(int area, const char* text);
    bool HasDateFormatField(int area) const;
    bool HasDateOffsetField(int area) const;
    bool GetDateOffset(int area, char* out, int size) const;
    bool SetDateOffset(int area, const char* text);
    bool GetFieldDelimiter(int area, char* out, int size) const;
    bool SetFieldDelimiter(int area, const char* text);
    bool GetSeparateBlankFields(int area) const;
    bool ToggleSeparateBlankFields(int area);
    bool HasTableFieldSelected(int area) const;

    // -- geometry of the selection (micrometres; -1 without a selection)
    int GetSelectionX(int area) const;
    int GetSelectionY(int area) const;
    int GetSelectionWidth(int area) const;
    int GetSelectionHeight(int area) const;
    bool SetSelectionX(int area, int um);
    bool SetSelectionY(int area, int um);
    bool SetSelectionWidth(int area, int um);
    bool SetSelectionHeight(int area, int um);
    bool GetLineWidthText(int area, char* out, int size) const;      // "%g mm"
    bool SetLineWidth(int area, int um);
    bool GetRoundingRadiusText(int area, char* out, int size) const; // false without a radius
    bool SetRoundingRadius(int area, int um);

private:
    bool SetBarcodeText(int area, int which, const char* text);
    bool SetOptionText(int area, int which, const char* text);
    bool GetOptionText(int area, int which, char* out, int size) const;
    bool ToggleFlag(int area, int which);
    bool SetSelectionGeometry(int area, int which, int um);
    bool ToggleFontStyle(int area, int which);

    // ---- labeldoc_design_stock.cpp: label definition and page layout, locking, the guide's rows
public:
    // -- label definition and page layout
    bool GetPaperSizeName(char* out, int size) const;
    bool SetPaperSize(const char* name);
    int GetPaperSizeCode() const;
    int GetPaperWidth() const;
    int GetPaperHeight() const;
    bool SetPaperWidth(int um);
    bool SetPaperHeight(int um);
    bool SetOrientation(int orientation);
    bool GetAreaLeftText(int area, char* out, int size) const;
    bool GetAreaTopText(int area, char* out, int size) const;
    bool GetAreaWidthText(int area, char* out, int size) const;
    bool GetAreaHeightText(int area, char* out, int size) const;
    bool SetAreaLeft(int area, int um);
    bool SetAreaTop(int area, int um);
    bool SetAreaWidth(int um, int area);
    bool SetAreaHeight(int um, int area);
    bool GetHorizontalPitchText(char* out, int size) const;
    bool SetHorizontalPitch(int um);
    bool GetVerticalPitchText(char* out, int size) const;
    bool SetVerticalPitch(int um);
    bool GetRowCountText(char* out, int size) const;
    bool SetRowCountText(const char* text);
    bool GetColumnCountText(char* out, int size) const;
    bool SetColumnCountText(const char* text);
    bool GetBlockCountText(char* out, int size) const;
    bool SetBlockCountText(const char* text);
    bool GetBlockSpaceText(char* out, int size) const;
    bool SetBlockSpace(int um);
    int GetLabelShape(int area) const;
    bool SetLabelShape(int shape, int area);
    int GetCornerRadius(int area) const;
    bool SetCornerRadius(int um, int area);
    bool ToggleMarkingType(int bits);
    bool TogglePrinterType(uint32_t bits);
    bool GetLabelDefinitionName(char* out, int size) const;
    bool NewLabelDefinition();
    bool DeleteLabelDefinition();
    bool LoadLabelDefinition(const char* path);
    bool ReplaceLabelDefinition(const CLabel* definition);
    void OnSaveLabelDefinition();
    void OnSaveLabelDefinitionAs();

    // -- locking and the template guide
    void LockTemplate(const char* password);
    void UnlockTemplate();
    CString GetLockPassword() const;
    CString GetGuideRowCaption(int row, int area) const;
    bool IsGuideColumnUsed(int area, int row, int column) const;
    bool AddGuideRowColumn(int row, int column);
    bool RemoveGuideRowColumn(int column, int row);

private:
    // A label definition that the row's setters may change (created when create is set).
    CLabel* DefinitionForChange(bool create);
    // The definition's counterpart of the pattern: change, then modified and refreshed.
    bool ChangeDefinition(bool create, bool (*change)(CLabel&, int, int), int area, int value);
    bool SetCountText(int which, const char* text);

    // ---- labeldoc_design_library.cpp: sending the project, the label library, a picture file
public:
    // The mail hand-over of a saved file; replaceable so that tests see the call.
    using MailSender = bool (*)(const char* path, const char* title);
    static MailSender SetMailSender(MailSender sender);   // nullptr: simple MAPI
    void OnFileSend();
    // The user's library folders and the clip-art folder, set by the application at start.
    static void SetLibraryFolders(const char* labels, const char* images, const char* info,
                                  const char* clipArt);
    void OnImportToLabelLibrary();
    // Copies each file by its extension; answers how many were copied.
    int ImportFilesToLabelLibrary(const CString* files, int count);
    // Copies file into folder, asking before it replaces a file of that name; false when it was
    // not copied (refused, or the copy failed).
    static bool CopyToLabelLibrary(const char* folder, const char* file);
    // The open-file dialog, then SetSelectionImagePath.
    bool ImportImage(CWnd* parent, int area);

    // ---- labeldoc_labeldialogs.cpp: the "Select label" and "Guide" commands and their dialogs
    // The dialogs live in the user interface, which installs the runners at start-up.
    struct LabelDialogRunners {
        // The modal label selection; true with the chosen ".label" path after OK.
        bool (*selectLabel)(COstrelindSoftLabelDoc* doc, CString& path) = nullptr;
        // The modal template guide for an area.
        void (*templateGuide)(COstrelindSoftLabelDoc* doc, int area) = nullptr;
        // The area (0..2) the document's first design view shows; -1 without one.
        int (*firstDesignArea)(const COstrelindSoftLabelDoc* doc) = nullptr;
    };
    static LabelDialogRunners SetLabelDialogRunners(const LabelDialogRunners& runners);
    void OnSelectLabel();
    void OnUpdateSelectLabel(CCmdUI* ui);
    void OnTemplateGuide();
    void OnUpdateTemplateGuide(CCmdUI* ui);
    // Takes the ".label" file as the current template's definition; when the label area is then
    // empty, the template guide is offered (ID_TEMPLATE_GUIDE posted to the main window). False,
    // after a message, when the file cannot be read.
    bool SelectLabelDefinition(const char* path);

    // ==== printing: the print dialog, then the print engine (profile values: registrydefaults.h)

    // ---- labeldoc_printdlg.cpp: print dialog, a template's printer, paper, "Default barcode"
    // Profile texts of "Default barcode", each in a static 32-character buffer of its own that
    // the next call overwrites: copy at once.
    static const char* GetDefaultBarcodeType();
    static const char* GetDefaultQRVersion();
    static const char* GetDefaultQREccLevel();
    static const char* GetDefaultQREncoding();
    static const char* GetDefaultQRMargin();

    // The print dialog from the current template: stored printer settings, paper check, the
    // rows as page range, the program's dialog template with its hook and option block. view is
    // the view that prints (the selection range is offered only by a table view with selected
    // rows). False, after a message, when the template cannot be printed.
    bool PreparePrinting(CPrintInfo* info, CView* view = nullptr);
    void GetStoredPrinter(CString& device, CString& driver, CString& port) const;
    void SetStoredPrinter(const char* device, const char* driver, const char* port);
    void OnFilePrintSetup();
    // Whether the dialog's printer knows the paper code; when it does, the dialog's DEVMODE
    // selects it.
    bool PrinterSupportsPaper(CPrintInfo* info, int paperCode);
    // "User defined" for 256, the paper table's name for 1..59, else the number.
    static CString GetPaperName(int paperCode);

private:
    int LabelsPerPage() const;
    // The print dialog's option block (its custom data, else the program's block).
    static PrintOptionBlock& OptionsOf(CPrintInfo* info);

    // ---- labeldoc_print.cpp: the print engine: rows, copies, passes, positions, outlines, counts
public:
    // After the dialog (or, printing directly, after the printer is chosen): whether the job
    // would put at least one label on paper. False, after a message saying why, for a range that
    // ends before it starts or a first label past the sheet; nothing is then spooled or stored.
    bool CheckPrintJob(CPrintInfo* info);
    // The view's print callbacks forward here.
    void BeginPrinting(CDC* dc, CPrintInfo* info, CView* view);
    void PrintPage(CDC* dc, CPrintInfo* info, CView* view);
    // One label at (block, row, column); false when no further label goes on this page.
    bool PrintLabel(CView* view, CDC* dc, int dpiX, int block, int row, int column, CPrintInfo* info);
    bool NextPrintRow(CView* view, int lastRow, int& currentRow, bool selection);
    void PrintPageArea(int dpi, int area, CDC* dc, int row);
    void DrawCutLinesByRows(CDC* dc, int block, int firstRow, int firstColumn, int lastRow, int lastColumn);
    void DrawCutLinesByColumns(CDC* dc, int block, int firstRow, int firstColumn, int lastRow, int lastColumn);
    void DrawLabelOutline(int y, CDC* dc, int x);
    void DrawLabelOutlineArcs(int y, int x, CDC* dc);
    // The view's end of printing: a job the spooler did not take counts as not printed.
    void EndPrinting(CPrintInfo* info);
    // After a job that printed labels: counters advance by the last printed row and the project
    // is saved to its ".proj" or ".tpe" path (else it stays modified). True when counters moved.
    bool CommitAutoIncrementAfterPrint();
    void OnPrintReverseOrder();
    void OnUpdatePrintReverseOrder(CCmdUI* ui);
    bool IsReverseOrder() const { return m_print.reverseOrder != 0; }

    struct PrintState {
        int copyCounter = 0;
        uint8_t reverseOrder = 0;
        int passCounter = 0;
        int skippedPositions = 0;
        int startPosition = 0;
        int firstRow = 0;
        int currentRow = 0;
        int lastRow = 0;                 // -1 while printing the selected rows
        int lastPrintedRow = 0;
        uint8_t pageStop = 0;
        bool selection = false;          // rows come from the printing table view's selection
        bool labelsPrinted = false;      // this job put a label on a page
        bool jobFailed = false;          // this job was abandoned or not taken by the spooler
    };
    const PrintState& GetPrintState() const { return m_print; }

private:
    // Used rows of the current table as shown (through its filter); -1 without a table.
    int PrintRowCount() const;
    void EndJob(CPrintInfo* info);

    // ==== the state, by the group that keeps it ==============================================
    // The slots (labeldoc_slots.cpp; an opened project replaces them whole): 0..count-1 are in
    // use and the current one is among them; tab k of a tab view shows slot k, labelled name k.
    std::unique_ptr<CTemplate> m_templates[kSlotCount];
    CString m_templateNames[kSlotCount];
    uint8_t m_stackedLayout[kSlotCount];
    int m_templateCount = kDefaultCount;
    int m_currentTemplate = 0;
    CLabelDocTabs* m_templateTabs = nullptr;
    TableSlot m_tableSlots[kSlotCount];
    CTableUndo m_tableUndo[kSlotCount];            // its record flag is the table's undo enable
    CString m_tableNames[kSlotCount];
    int m_tableCount = kDefaultCount;
    int m_currentTable = 0;
    CLabelDocTabs* m_tableTabs = nullptr;

    // labeldoc.cpp: the fonts, the character-set names, the layout, the edit block with the path
    // of an external template, and whether the path set after opening a table file is dropped.
    LOGFONTA m_defaultFont;
    LOGFONTA m_tableFont;
    CString m_charsetNames[kCharsetCount];
    uint8_t m_stacked = 0;
    uint8_t m_editBlock = 0;
    char m_externalTemplatePath[MAX_PATH] = {};
    bool m_detachPathPending = false;

    // labeldoc_tables.cpp
    uint8_t m_filterResult = 0;
    int m_previewRow = 0;

    // labeldoc_printdlg.cpp and labeldoc_print.cpp
    PrintState m_print;
};
