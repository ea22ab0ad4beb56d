#pragma once
// CTemplate: one label design of a project — the objects of its three areas (0 label, 1 page
// header, 2 page footer) with an undo and a redo stack each, the label stock it is printed on, its
// help lines, stored printer, print options, lock, template-guide column maps and zooms. The
// template owns its areas, every snapshot and its stock. It reads and writes itself as a template
// block (inside project files and as the whole of a ".tpe" file).
#include "framework/cstring.h"
#include "framework/object.h"
#include "labelmodel/helplines.h"

#include <windows.h>

// String-table ids of the template's messages (labelmodel/res/strings.rc).
enum : unsigned { IDS_CORRUPT_TEMPLATE_FILE = 889 };

class CFile;
class CLabel;
class CGraphCollection;
class RecordReader;
class RecordWriter;

// The template guide's map of one area: 10 rows of 3 table columns (-1 none, 0 = column A) and a
// separator text per row.
struct CTemplateColumnMap {
    enum { kRows = 10, kColumnsPerRow = 3, kColumns = kRows * kColumnsPerRow, kSeparatorField = 11 };
    int columns[kColumns];
    char separators[kRows][kSeparatorField];

    CTemplateColumnMap() { Reset(); }
    void Reset();
    bool operator==(const CTemplateColumnMap& other) const;
};

class CTemplate : public CObject {
public:
    enum { kAreas = 3, kUndoSlots = 32, kPrinterField = 81, kMaxPassword = 32 };
    // Block magics: the oldest form (no flag word) and the range of flagged forms.
    static const DWORD kMagicOldest = 0x00590412;
    static const DWORD kMagicFirst = 0x15577790;
    static const DWORD kMagicLatest = 0x1557779A;
    // Flags of the template block.
    enum : DWORD {
        kFlagColumnMajor = 0x1, kFlagCopies = 0x2, kFlagReserved1 = 0x4, kFlagReserved2 = 0x8,
        kFlagAlways = 0x10, kFlagCompensation = 0x20, kFlagAllAreas = 0x40, kFlagPrinter = 0x80,
        kFlagColumnMaps = 0x100, kFlagPasses = 0x400, kFlagBorders = 0x800,
        kFlagStopAfterPass = 0x1000, kFlagZooms = 0x2000,
        kFlagsWritten = 0x15F,
    };
    static const int kMinZoom = 25, kMaxZoom = 800;

    CTemplate();
    ~CTemplate() override;
    CTemplate(const CTemplate&) = delete;
    CTemplate& operator=(const CTemplate&) = delete;

    // ---- areas and undo ----
    // The area's collection; nullptr for an index outside 0..2.
    CGraphCollection* GetArea(int index) const;
    // Empties the three areas. Answers true.
    bool DeleteAllObjects();
    // Snapshot of the area before a change (nothing while locked or for an index above 2).
    void PushUndo(int index, bool clearRedo);
    bool PushRedo(int index);
    void ClearUndo();
    void ClearRedo();
    int GetUndoDepth(int index) const;
    // Snapshot k (0 the newest) of an area's stack; nullptr when none.
    CGraphCollection* GetUndoSnapshot(int index, int k) const;
    CGraphCollection* GetRedoSnapshot(int index, int k) const;
    bool CanUndo(int index) const { return GetUndoSnapshot(index, 0) != nullptr; }
    bool CanRedo(int index) const { return GetRedoSnapshot(index, 0) != nullptr; }
    // The document's undo and redo of an area: the current state goes onto the other stack and the
    // newest snapshot becomes the area. False when there is nothing to restore.
    bool Undo(int index);
    bool Redo(int index);

    // Makes this template a deep copy of src (areas, every snapshot, stock and all settings).
    void CopyFrom(const CTemplate& src);

    // ---- label stock ----
    CLabel* GetLabelStock() const { return m_labelStock; }
    // Takes ownership (nullptr removes the stock).
    void SetLabelStock(CLabel* stock);
    // A new stock of the defaults, or the current new-generation stock reset to them.
    void ResetLabelDefinition();
    // Reads a ".label" file into a new stock that replaces the current one only on success.
    bool LoadLabelFile(const char* path);

    // ---- block and file (templatefile.cpp) ----
    // Reads a template block. A damaged block answers false and leaves what was read before the
    // damage (the project file relies on it).
    bool ReadTemplate(CFile* file);
    // Writes the block in the standalone form (template files) or the project form. False when a
    // write failed.
    bool WriteTemplate(bool standalone, CFile* file);
    // Imports a ".tpe" file: its objects are appended to the areas, the rest replaces this
    // template's settings. Shows a message and changes nothing when the file cannot be read.
    bool LoadTemplateFile(const char* path);
    // Writes a ".tpe" file beside the target and moves it over it, so a failure keeps the old file.
    bool SaveTemplateFile(const char* path);

    // ---- settings ----
    const CString& GetDeviceName() const { return m_printer[0]; }
    const CString& GetDriverName() const { return m_printer[1]; }
    const CString& GetPortName() const { return m_printer[2]; }
    // Each string keeps at most 80 characters.
    void SetPrinter(const char* device, const char* driver, const char* port);
    CHelpLines& GetHelpLines() { return m_helpLines; }
    const CHelpLines& GetHelpLines() const { return m_helpLines; }
    bool IsLocked() const { return m_locked; }
    void SetLocked(bool locked) { m_locked = locked; }
    const CString& GetPassword() const { return m_password; }
    void SetPassword(const char* password);              // keeps at most 32 characters
    bool IsColumnMajor() const { return m_columnMajor; }
    void SetColumnMajor(bool on) { m_columnMajor = on; }
    // 0 one copy, n > 0 n copies, -1 .. -26 the number in column A .. Z of the row.
    int GetCopies() const { return m_copies; }
    void SetCopies(int copies) { m_copies = copies; }
    int GetPasses() const { return m_passes; }
    void SetPasses(int passes) { m_passes = passes; }
    bool GetStopAfterPass() const { return m_stopAfterPass; }
    void SetStopAfterPass(bool on) { m_stopAfterPass = on; }
    BYTE GetReservedFlag1() const { return m_reservedFlag1; }
    BYTE GetReservedFlag2() const { return m_reservedFlag2; }
    bool GetFieldContours() const { return m_fieldContours; }
    void SetFieldContours(bool on) { m_fieldContours = on; }
    int GetLeftCompensation() const { return m_leftCompensation; }
    int GetTopCompensation() const { return m_topCompensation; }
    void SetCompensation(int left, int top) { m_leftCompensation = left; m_topCompensation = top; }
    CTemplateColumnMap* GetColumnMap(int index);         // nullptr outside 0..2
    bool GetPrintBorders() const { return m_printBorders; }
    void SetPrintBorders(bool on) { m_printBorders = on; }
    COLORREF GetBorderColour() const { return m_borderColour; }
    void SetBorderColour(COLORREF c) { m_borderColour = c; }
    int GetBorderWidth() const { return m_borderWidth; }
    void SetBorderWidth(int um) { m_borderWidth = um; }
    bool GetPauseBetweenPages() const { return m_pauseBetweenPages; }
    void SetPauseBetweenPages(bool on) { m_pauseBetweenPages = on; }
    int GetZoom(int index) const;                        // -1 when not set or outside 0..2
    void SetZoom(int index, int percent);

    // The flag word WriteTemplate writes.
    DWORD GetBlockFlags(bool standalone) const;

private:
    // Everything except the areas and their snapshots.
    void CopySettingsFrom(const CTemplate& src);
    // Deletes the snapshots of one stack.
    static void ClearStack(CGraphCollection* (&stack)[kUndoSlots]);
    static void CopyStack(CGraphCollection* (&dest)[kUndoSlots], CGraphCollection* const (&src)[kUndoSlots]);
    // Puts a clone of the area into entry 0 of the stack, dropping the oldest kept snapshot.
    void PushSnapshot(CGraphCollection* (&stack)[kUndoSlots], int index);
    // Takes entry 0 out of the stack and moves the others down.
    static CGraphCollection* PopSnapshot(CGraphCollection* (&stack)[kUndoSlots]);
    void ReplaceArea(int index, CGraphCollection* area);

    bool ReadOptions(RecordReader& r, DWORD flags);
    bool ReadLock(RecordReader& r, DWORD flags);
    bool ReadColumnMap(RecordReader& r, CTemplateColumnMap& map);
    static void WriteColumnMap(RecordWriter& w, const CTemplateColumnMap& map);

    CGraphCollection* m_areas[kAreas];
    CGraphCollection* m_undo[kAreas][kUndoSlots];
    CGraphCollection* m_redo[kAreas][kUndoSlots];
    CLabel* m_labelStock = nullptr;
    CString m_printer[3];                                // device, driver, port
    CHelpLines m_helpLines;
    bool m_locked = false;
    CString m_password;
    bool m_columnMajor = false;
    int m_copies = 1;
    int m_passes = 1;
    bool m_stopAfterPass = true;
    BYTE m_reservedFlag1 = 1;
    BYTE m_reservedFlag2 = 1;
    bool m_fieldContours = true;
    int m_leftCompensation = 0;
    int m_topCompensation = 0;
    CTemplateColumnMap m_columnMaps[kAreas];
    bool m_printBorders = false;
    COLORREF m_borderColour = 0;
    int m_borderWidth = 0;
    bool m_pauseBetweenPages = false;
    int m_zoom[kAreas] = {-1, -1, -1};
};

// The password as stored: byte i XOR i, up to the first zero byte; and back.
CString ScramblePassword(const char* password);
CString UnscramblePassword(const BYTE* bytes, int count);
