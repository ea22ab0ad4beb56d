#pragma once
// Label stock: the sheet (or roll) a template is printed on, in five generations that each add
// fields to their base so that stocks written by every older version still load:
//   CLabel (140) > CLabelExt (139) > CLabelExtExt (138) > CLabelFile (abstract) > CLabelFileNew (136).
// A template owns one stock; the label library owns the stocks of its folder. CLabelFileNew owns its
// printer-settings block (a movable global DEVMODE, kept locked while held).
// All lengths are micrometres unless a name says "Tenths" (0.1 mm). Part 0 is the label area,
// 1 the page header, 2 the page footer.
#include "framework/cstring.h"
#include "framework/file.h"
#include "framework/gdi.h"
#include "framework/object.h"
#include "framework/recordio.h"
#include <windows.h>
#include <cstdint>

// Record type codes written before a stock inside a template.
enum : int {
    kTypeLabelFileNew = 136,
    kTypeLabelExtExt = 138,
    kTypeLabelExt = 139,
    kTypeLabel = 140,
};

// Sizes of the stock bodies in bytes.
enum : UINT {
    kBodySize140 = 106,
    kBodySize139 = 112,
    kBodySize138 = 120,
    kBodySize136 = 1012,               // without the path
    kStockPathField = 257,
    kBodySize136WithPath = kBodySize136 + kStockPathField,
};

// ".label" file head: the magic reads "LBLF", then two numbers that readers ignore.
enum : uint32_t { kLabelFileMagic = 0x464C424C };
enum : int32_t { kLabelFileVersionA = 90, kLabelFileVersionB = 3 };

// Marking-type bits (GetMarkingTypeName indices 1..7) and printer-type bits.
enum : int {
    kMarkWire = 1, kMarkCable = 2, kMarkComponent = 4, kMarkTerminalBlock = 8,
    kMarkPlc = 16, kMarkOther = 32, kMarkModule = 64,
};
enum : uint32_t {
    kPrinterLaser = 1, kPrinterThermo = 4, kPrinterThermalTransfer = 8, kPrinterOther = 0x80000000u,
    kPrinterTypesDefault = 0x8000000Du,  // what a stored 0 means, and a new stock's value
    kPrinterTypesReset = 0x8000001Fu,
};

// The operating-system version that printer settings are stamped with and checked against.
// Tests replace the source to pose as other Windows versions.
struct OsVersion {
    int major = 0;
    int minor = 0;
    int platformId = 0;
};
using OsVersionSource = OsVersion (*)();
OsVersion CurrentOsVersion();
// Installs a version source (nullptr: the running system's); returns the previous one.
OsVersionSource SetOsVersionSource(OsVersionSource source);
// Printer settings written on `stored` are usable on `current`: same platform, and the same major
// version, or 5 and 6 in either order. The minor version does not matter.
bool DevModeFitsSystem(const OsVersion& stored, const OsVersion& current);

class CLabel : public CObject {
public:
    CLabel();
    ~CLabel() override;

    // Creates the stock class of a record type code (136, 138, 139, 140); nullptr for others.
    static CLabel* CreateFromTypeCode(int typeCode);

    // --- virtual operations ---
    virtual CLabel* Clone() const;
    virtual int GetPaperHeightTenths() const { return 2970; }
    virtual int GetPaperWidthTenths() const { return 2100; }
    virtual void SetPaperHeightTenths(int, bool) {}
    virtual void SetPaperWidthTenths(int, bool) {}
    virtual bool HasPaperFormat() const { return false; }
    // One label cell with its top-left corner (x, y) um away from the device point (x0, y0).
    virtual void DrawOutlineAt(CDC* dc, int dpi, int x0, int y0, int x, int y) const;
    virtual int GetHeight(int part) const;
    virtual int GetWidth(int part) const;
    virtual void SetHeight(int part, int value);
    virtual void SetWidth(int part, int value, bool mark);
    virtual int GetPrinterPaperCode() const { return 9; }
    virtual bool RotatesPaperOnly() const { return false; }
    virtual int GetFeedLength() const { return 0; }
    virtual bool SetFeedLength(int) { return false; }
    virtual int GetOrientation() const { return 1; }
    virtual void SetOrientation(int) {}
    virtual bool HasPaperSettings() const { return false; }
    virtual int GetPaperWidth() const { return 210000; }
    virtual int GetPaperHeight() const { return 297000; }
    // Reads this class's body; on any fault (short read, bad block) answers false and the stock is
    // left exactly as it was.
    virtual bool Load(CFile* file, bool withPath, bool interactive);
    virtual bool Save(CFile* file, bool withPath);
    // The i16 type code, then the body with path (the form inside templates).
    virtual bool SaveWithType(CFile* file);
    virtual void DrawPart(int part, CDC* dc, int zoom, int left, int top) const;
    virtual void DrawScaled(CDC* dc, int zoom, int left, int top) const;
    virtual int GetTypeCode() const { return kTypeLabel; }
    virtual bool HasNoGaps() const;
    virtual bool HasNoHorizontalGap() const { return m_body.width == m_body.pitchH; }
    virtual bool HasNoVerticalGap() const { return m_body.height == m_body.pitchV; }
    virtual bool IsHeaderEnabled() const { return false; }
    virtual bool IsFooterEnabled() const { return false; }
    virtual int GetLeft(int part) const;
    virtual void SetLeft(int part, int value);
    virtual int GetTop(int part) const;
    virtual void SetTop(int part, int value);
    virtual int GetPaperCode() const { return 256; }
    virtual bool GetPaperName(char* buffer, int size) const;
    virtual bool SetPaperByName(const char* text);
    virtual void FitColumnsToPaper() {}
    virtual void FitRowsToPaper() {}
    virtual int GetShape(int part) const;
    virtual void SetShape(int part, int value);
    virtual int GetCornerRadius() const { return 0; }
    virtual void SetCornerRadius(int) {}
    virtual bool SaveToFile(const char* path);
    // The family name (its stored length of bytes) in a buffer shared by every stock.
    virtual const char* GetFamilyName() const;
    virtual bool GetPrinterStrings(CString& device, CString& driver, CString& port) const;
    virtual void ToggleMarkingTypes(int) {}
    virtual int GetMarkingTypes() const { return 0; }
    virtual void TogglePrinterTypes(uint32_t) {}
    virtual uint32_t GetPrinterTypes() const { return 0; }
    virtual void ToggleIncludePrinterName() {}
    virtual bool GetIncludePrinterName() const { return false; }
    virtual void ToggleStorePrinterSettings() {}
    virtual bool GetStorePrinterSettings() const { return false; }
    virtual void ShowDevModeInfo() const {}
    virtual int IsLoadedFromFile() const { return 0; }
    virtual bool SetPaperCode(int) { return false; }
    virtual void DrawHeader(CDC*, int, int, int) const {}
    virtual void DrawFooter(CDC*, int, int, int) const {}
    virtual bool LoadFromFile(const char*, bool) { return false; }

    // --- plain operations ---
    // Keeps the first 32 characters.
    void SetFamilyName(const char* text);
    bool IsModified() const { return m_modified != 0; }
    void SetModified(bool modified = true) { m_modified = modified ? 1 : 0; }

    bool IsSizeSet() const { return m_body.sizeSet != 0; }
    int GetPitchV() const { return m_body.pitchV; }
    int GetPitchH() const { return m_body.pitchH; }
    void SetPitchV(int value) { m_body.pitchV = value; }
    void SetPitchH(int value) { m_body.pitchH = value; }
    int GetColumns() const { return m_body.columns; }
    int GetRows() const { return m_body.rows; }
    void SetColumns(int value) { m_body.columns = value; }
    void SetRows(int value) { m_body.rows = value; }
    int GetBlockGap() const { return m_body.blockGap; }
    void SetBlockGap(int value) { m_body.blockGap = value; }
    int GetVerticalBlocks() const { return m_body.verticalBlocks; }
    void SetVerticalBlocks(int value) { m_body.verticalBlocks = static_cast<int16_t>(value); }
    bool IsSheet() const { return m_body.paperFormat != 0; }   // false: roll stock
    void SetSheet(bool sheet) { m_body.paperFormat = sheet ? 1 : 0; }
    // Top-left corner, in um from the paper's corner, of label (row, column) in vertical block `block`.
    POINT GetCellOrigin(int block, int row, int column) const;

protected:
    CLabel(const CLabel& other);
    CLabel& operator=(const CLabel& other);

    // Body readers and writers: each class reads/writes its base's body, then its own fields.
    virtual void ReadBody(RecordReader& in, bool withPath, bool interactive);
    virtual void WriteBody(RecordWriter& out, bool withPath) const;
    // Takes over the state of `loaded`, a stock of exactly this class (the commit of Load).
    virtual void TakeFrom(CLabel& loaded);
    // The size setters of the label area, shared by every class (step 3 refits).
    bool StoreWidth(int value);
    bool StoreHeight(int value);
    // Outline of a box from (l, t) to (r, b) with the given shape and corner ellipse.
    static void DrawBox(CDC* dc, int shape, int l, int t, int r, int b, int cornerW, int cornerH,
                        bool dotted);

    struct Body {
        uint8_t sizeSet = 0;
        uint8_t familyLen = 0;
        char familyName[65] = {};
        int32_t width = 0;
        int32_t height = 0;
        int32_t pitchV = 0;
        int32_t pitchH = 0;
        int32_t columns = 0;
        int32_t rows = 0;
        int32_t marginLeft = 0;
        int32_t marginTop = 0;
        int32_t blockGap = 0;
        uint8_t paperFormat = 1;
        int16_t verticalBlocks = 1;
    };
    Body m_body;
    uint8_t m_modified = 0;
};

class CLabelExt : public CLabel {
public:
    CLabelExt() = default;
    CLabel* Clone() const override;
    void DrawOutlineAt(CDC* dc, int dpi, int x0, int y0, int x, int y) const override;
    void DrawScaled(CDC* dc, int zoom, int left, int top) const override;
    int GetTypeCode() const override { return kTypeLabelExt; }
    bool HasNoGaps() const override;
    int GetShape(int part) const override;
    void SetShape(int part, int value) override;
    int GetCornerRadius() const override { return m_cornerRadius; }
    void SetCornerRadius(int value) override;

protected:
    CLabelExt(const CLabelExt&) = default;
    CLabelExt& operator=(const CLabelExt&) = default;
    void ReadBody(RecordReader& in, bool withPath, bool interactive) override;
    void WriteBody(RecordWriter& out, bool withPath) const override;
    void TakeFrom(CLabel& loaded) override;

    int16_t m_shape = 0;               // 0 rectangle, 1 rounded rectangle, 2 ellipse
    int32_t m_cornerRadius = 0;
};

class CLabelExtExt : public CLabelExt {
public:
    CLabelExtExt() = default;
    CLabel* Clone() const override;
    int GetPaperHeightTenths() const override { return m_paperHeightTenths; }
    int GetPaperWidthTenths() const override { return m_paperWidthTenths; }
    void SetPaperHeightTenths(int value, bool mark) override;
    void SetPaperWidthTenths(int value, bool mark) override;
    bool HasPaperFormat() const override { return m_body.paperFormat != 0; }
    int GetPrinterPaperCode() const override { return m_paperCode; }
    int GetOrientation() const override { return m_orientation; }
    void SetOrientation(int value) override;
    bool HasPaperSettings() const override { return true; }
    int GetPaperWidth() const override;
    int GetPaperHeight() const override;
    int GetTypeCode() const override { return kTypeLabelExtExt; }
    int GetPaperCode() const override { return m_paperCode; }
    bool GetPaperName(char* buffer, int size) const override;
    bool SetPaperByName(const char* text) override;
    void FitColumnsToPaper() override;
    void FitRowsToPaper() override;
    bool SetPaperCode(int code) override;

protected:
    CLabelExtExt(const CLabelExtExt&) = default;
    CLabelExtExt& operator=(const CLabelExtExt&) = default;
    void ReadBody(RecordReader& in, bool withPath, bool interactive) override;
    void WriteBody(RecordWriter& out, bool withPath) const override;
    void TakeFrom(CLabel& loaded) override;
    // Paper width and height in um as fitting sees them (by code, or the user size).
    void GetFitPaper(int& width, int& height) const;

    int16_t m_orientation = 1;         // 1 portrait, 2 landscape
    int16_t m_paperCode = 0;           // DEVMODE dmPaperSize; 0 and 256: user-defined size
    int16_t m_paperHeightTenths = 600;
    int16_t m_paperWidthTenths = 900;
};

// A stock that belongs to a ".label" file; has no record of its own.
class CLabelFile : public CLabelExtExt {
public:
    const char* GetPath() const { return m_path; }
    // Keeps at most 256 characters.
    void SetPath(const char* path);

protected:
    CLabelFile() = default;
    CLabelFile(const CLabelFile&) = default;
    CLabelFile& operator=(const CLabelFile&) = default;

    CString m_path;
};

// The stock of new templates and of the library.
// Construction and Reset give different defaults on purpose: a new object has user paper
// 900 x 600 tenths (width x height) and printer types 0x8000000D; Reset (a template's "new label
// definition") gives user paper 2100 x 2970 tenths and printer types 0x8000001F. Both select A4.
class CLabelFileNew : public CLabelFile {
public:
    CLabelFileNew();
    ~CLabelFileNew() override;
    CLabelFileNew(const CLabelFileNew& other);            // duplicates the printer-settings block
    CLabelFileNew& operator=(const CLabelFileNew&) = delete;

    CLabel* Clone() const override;
    int GetHeight(int part) const override;
    int GetWidth(int part) const override;
    void SetHeight(int part, int value) override;
    void SetWidth(int part, int value, bool mark) override;
    int GetFeedLength() const override { return m_body.height; }
    bool SetFeedLength(int value) override;
    void DrawPart(int part, CDC* dc, int zoom, int left, int top) const override;
    int GetTypeCode() const override { return kTypeLabelFileNew; }
    bool IsHeaderEnabled() const override { return m_header.enabled != 0; }
    bool IsFooterEnabled() const override { return m_footer.enabled != 0; }
    void SetHeaderEnabled(bool on) { m_header.enabled = on ? 1 : 0; }
    void SetFooterEnabled(bool on) { m_footer.enabled = on ? 1 : 0; }
    int GetLeft(int part) const override;
    void SetLeft(int part, int value) override;
    int GetTop(int part) const override;
    void SetTop(int part, int value) override;
    bool SaveToFile(const char* path) override;
    bool GetPrinterStrings(CString& device, CString& driver, CString& port) const override;
    void ToggleMarkingTypes(int bits) override;
    int GetMarkingTypes() const override { return m_markingTypes; }
    void TogglePrinterTypes(uint32_t bits) override;
    uint32_t GetPrinterTypes() const override { return m_printerTypes; }
    void ToggleIncludePrinterName() override;
    bool GetIncludePrinterName() const override { return m_includePrinterName != 0; }
    void ToggleStorePrinterSettings() override;
    bool GetStorePrinterSettings() const override { return m_storePrinterSettings != 0; }
    void ShowDevModeInfo() const override;
    int IsLoadedFromFile() const override { return m_loadedFromFile; }
    void DrawHeader(CDC* dc, int zoom, int left, int top) const override;
    void DrawFooter(CDC* dc, int zoom, int left, int top) const override;
    // Reads a ".label" file. False, with the stock unchanged, when the file cannot be opened, is
    // not a label definition, or is damaged.
    bool LoadFromFile(const char* path, bool interactive) override;

    // The head and body of a ".label" file from an open stream (LoadFromFile without the open).
    bool LoadFromStream(CFile* file, bool interactive);
    // Every field back to the defaults of a new template's stock.
    void Reset();
    // "Save label" / "Save label as": ask for a path where needed (the dialog asks before it
    // replaces a file), then SaveToFile. False when the dialog was cancelled or saving failed; a
    // failure is shown.
    bool SaveLabelFile(HWND parent);
    bool SaveLabelFileAs(HWND parent);
    // Folder the save dialog starts in (the user's labels folder), set by the application.
    static void SetLabelsFolder(const char* folder);
    static const char* GetLabelsFolder();

    // The template marks a stock it read from a ".label" file itself (it keeps the path).
    void SetLoadedFromFile(bool loaded) { m_loadedFromFile = loaded ? 1 : 0; }
    const char* GetDefinitionName() const { return m_definitionName; }
    void SetDefinitionName(const char* name);             // at most 258 characters
    const char* GetImageFile() const { return m_imageFile; }
    void SetImageFile(const char* name);                  // at most 255 characters, marks modified
    const char* GetInfoFile() const { return m_infoFile; }
    void SetInfoFile(const char* name);                   // at most 255 characters, marks modified
    // Stores device, driver and port (80 characters each) and derives "include printer name".
    void SetPrinterStrings(const char* device, const char* driver, const char* port);

    // Printer settings. The stock keeps a block only when it holds a whole DEVMODE of
    // dmSize + dmDriverExtra bytes.
    bool HasDevMode() const { return m_pDevMode != nullptr; }
    const DEVMODEA* GetDevMode() const { return m_pDevMode; }
    // Bytes of the held DEVMODE (dmSize + dmDriverExtra); 0 without a block.
    UINT GetDevModeBytes() const;
    // Copies a DEVMODE into a new block; false (nothing held) when it is not a sane DEVMODE.
    bool SetDevMode(const DEVMODEA* devMode);
    // Takes over a movable global block holding a DEVMODE (e.g. from the print dialog); frees it
    // and answers false when it does not hold a whole, sane DEVMODE.
    bool AttachDevMode(HGLOBAL block);
    // Hands the block (unlocked) to the caller, who then owns it.
    HGLOBAL DetachDevMode();
    void FreeDevMode();

protected:
    void ReadBody(RecordReader& in, bool withPath, bool interactive) override;
    void WriteBody(RecordWriter& out, bool withPath) const override;
    void TakeFrom(CLabel& loaded) override;
    // Reads the printer-settings block after the body; see the .cpp for what is refused.
    void ReadDevMode(RecordReader& in, bool interactive);
    void WriteDevMode(RecordWriter& out) const;
    bool AskPath(HWND parent, bool saveAs, CString& path) const;
    // SaveToFile to the stock's path; a failure is shown in an error box owned by parent.
    bool SaveToFileOrReport(HWND parent);

    struct PageArea {
        uint8_t enabled = 0;
        int32_t left = 0;
        int32_t top = 0;
        int32_t height = 0;
        int32_t width = 0;
    };
    void ReadArea(RecordReader& in, PageArea& area);
    static void WriteArea(RecordWriter& out, const PageArea& area);
    void DrawAreaBox(const PageArea& area, CDC* dc, int zoom, int left, int top) const;

    CString m_definitionName;
    int32_t m_markingTypes = 63;
    PageArea m_header;
    PageArea m_footer;
    CString m_imageFile;
    CString m_infoFile;
    uint8_t m_reservedByte = 0;
    int16_t m_reservedShort = 0;
    CString m_printer[3];              // device, driver, port
    uint8_t m_includePrinterName = 0;
    uint8_t m_storePrinterSettings = 0;
    uint32_t m_printerTypes = kPrinterTypesDefault;
    int32_t m_loadedFromFile = 0;
    HGLOBAL m_hDevMode = nullptr;
    DEVMODEA* m_pDevMode = nullptr;    // m_hDevMode locked
};
