#pragma once
// COstrelindSoftLabelDoc: one open project. It owns 256 template slots and 256 table slots (each
// table with its filter, filtered table and maps), their names, the font of new text objects and
// the table font, and knows the current template and table. Views are the framework's (not owned);
// the tab views and table views are reached through document/labeldocviews.h, so the document
// opens, saves, edits and draws without any window.
#include "document/labeldocviews.h"
#include "document/tableslot.h"
#include "document/tableundo.h"
#include "framework/cstring.h"
#include "framework/doc.h"

#include <windows.h>
#include <cstdint>
#include <memory>

class CCmdUI;
class CDC;
class CTemplate;
class CWnd;
struct ProjectContent;

class COstrelindSoftLabelDoc : public CDocument {
public:
    static const int kSlotCount = 256;
    static const int kMaxCount = 255;              // templates or tables in use
    static const int kDefaultCount = 3;
    static const int kCharsetCount = 19;

    COstrelindSoftLabelDoc();
    ~COstrelindSoftLabelDoc() override;
    COstrelindSoftLabelDoc(const COstrelindSoftLabelDoc&) = delete;
    COstrelindSoftLabelDoc& operator=(const COstrelindSoftLabelDoc&) = delete;

    // ---- life, open and save (labeldoc.cpp) ----
    BOOL OnNewDocument() override;
    // By extension: ".proj" projects, ".tbl" and ".tbf" table files (which leave the document
    // without a path, so that saving asks for a project name). FALSE when nothing was read; the
    // document is then unchanged.
    BOOL OnOpenDocument(const char* path) override;
    BOOL OnSaveDocument(const char* path) override;
    // Offers to save modified library label definitions, then asks about the project.
    BOOL SaveModified() override;
    void SetPathName(const char* path, BOOL addToRecent = TRUE) override;
    // Writes the document in the form the extension names; refusals and failures are shown in a
    // message box and answer false.
    bool SaveFileByType(const char* path);
    static bool IsProjectFile(const char* path);
    static bool IsTableFile(const char* path);     // ".tbl" whose first two words pass the probe
    static bool IsTbfFile(const char* path);
    // Drops the path and cuts the title at its last dot (a table file opened as a project).
    void OnTableImported();

    // ---- the project file (projectfile.cpp) ----
    // Writes through a temporary file that replaces path only when complete.
    bool WriteProjectFile(const char* path);
    // Reads the whole file before changing anything: on failure the document is as it was and
    // the reason was shown.
    bool ReadProjectFile(const char* path);

    // The table-file readers and writer (document/tablefiles.h unless replaced, e.g. by tests);
    // without them ".tbl" and ".tbf" files are refused. Each reports its own failures.
    struct TableFileFormats {
        bool (*importTable)(TableSlot& slot, const char* path) = nullptr;
        bool (*readTbf)(TableSlot& slot, const char* path) = nullptr;
        bool (*writeTbf)(const TableSlot& slot, const char* path) = nullptr;
    };
    static void SetTableFileFormats(const TableFileFormats& formats);
    static TableFileFormats DefaultTableFileFormats();

    // ---- templates and tables (labeldoc_slots.cpp) ----
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
    // "%s %d" of base and n, counting n up while a tab 0..n of the templates (tables) has it.
    CString MakeUniqueTabName(const char* base, int n, bool templates) const;

    void SetTemplateTabs(CLabelDocTabs* tabs) { m_templateTabs = tabs; }
    void SetTableTabs(CLabelDocTabs* tabs) { m_tableTabs = tabs; }

    // ---- character sets, zoom, status panes (labeldoc.cpp) ----
    // The value of the name (exact match), else the text as a number 0..255, else 0.
    int CharsetFromName(const char* text) const;
    CString GetCharsetName(int value) const;
    const CString& GetCharsetNameAt(int k) const { return m_charsetNames[k]; }
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

    // ---- the current table as shown (labeldoc_tables.cpp) ----
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
    bool GetFilterResultFlag() const { return m_filterResult != 0; }
    int GetPreviewRow() const { return m_previewRow; }
    void SetPreviewRow(int row);
    // The table font takes the first table view's grid font with this character set, and every
    // table view's grid gets it.
    void ApplyTableCharset(int charset);

    // ---- drawing and print checks (labeldoc_draw.cpp) ----
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

    // ---- views ----
    void InvalidateDesignViews() { UpdateAllViews(nullptr, kHintDesignViews); }
    void InvalidateLabelPreviews() { UpdateAllViews(nullptr, kHintLabelPreviews); }
    void InvalidateTableViews() { UpdateAllViews(nullptr, kHintTableViews); }

    DECLARE_MESSAGE_MAP()

private:
    friend struct ProjectContent;
    // Takes over what a project file held; slots past its counts become empty.
    void AdoptProject(ProjectContent& content);
    // Tab labels, when tab views exist, are the names that get stored.
    void TakeNamesFromTabs();
    void ShowTabs(CLabelDocTabs* tabs, int count, const CString* names);
    CLabelDocTableView* FirstTableView() const;
    void ClearUndoAfterProjectSave();
    void ReportSaveFailure(const char* path) const;

    std::unique_ptr<CTemplate> m_templates[kSlotCount];
    LOGFONTA m_defaultFont;
    TableSlot m_tableSlots[kSlotCount];
    CTableUndo m_tableUndo[kSlotCount];            // its record flag is the table's undo enable
    uint8_t m_filterResult = 0;
    int m_previewRow = 0;
    uint8_t m_editBlock = 0;
    char m_externalTemplatePath[MAX_PATH] = {};
    CLabelDocTabs* m_templateTabs = nullptr;
    CLabelDocTabs* m_tableTabs = nullptr;
    int m_currentTemplate = 0;
    int m_currentTable = 0;
    int m_templateCount = kDefaultCount;
    int m_tableCount = kDefaultCount;
    CString m_templateNames[kSlotCount];
    CString m_tableNames[kSlotCount];
    LOGFONTA m_tableFont;
    CString m_charsetNames[kCharsetCount];
    uint8_t m_stackedLayout[kSlotCount];
    uint8_t m_stacked = 0;
    bool m_detachPathPending = false;
};
