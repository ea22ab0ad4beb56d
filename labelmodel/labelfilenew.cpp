// CLabelFileNew: the library stock with page header and footer, classification, printer and
// printer settings, and the ".label" file.
#include "labelmodel/labelpaper.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/labelstockids.h"
#include "framework/msgbox.h"
#include "framework/safefile.h"
#include <algorithm>
#include <cstddef>
#include <cstring>

namespace {

// Text fields of the record and the longest text each can hold with its terminator.
const UINT kImageFileField = 256;
const UINT kInfoFileField = 256;
const UINT kPrinterStringField = 81;
const UINT kReservedTail = 91;
const int kDefinitionNameChars = 258;

// A DEVMODE keeps its own dmSize and dmDriverExtra (WORDs) right before dmFields; a block must at
// least hold them and the fields mask to be a DEVMODE at all.
const UINT kDevModeHead = offsetof(DEVMODEA, dmFields);
const int kMinDevModeSize = offsetof(DEVMODEA, dmFields) + sizeof(DWORD);
const int kMaxDevModeWord = 0xFFFF;

CString FieldText(const CString& text, UINT field) { return text.Left(field - 1); }

void ReadText(RecordReader& in, CString& out, UINT field) {
    // The field may be full without a terminator: keep what fits with one.
    CString text;
    if (in.FixedString(text, field))
        out = FieldText(text, field);
}

WORD ReadWordLE(const BYTE* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }

// Sizes a DEVMODE claims for itself, when they are sane and fit in `available` bytes; 0 otherwise.
UINT DevModeBytesWithin(const DEVMODEA* devMode, SIZE_T available) {
    if (!devMode || available < kDevModeHead)
        return 0;
    const UINT total = UINT(devMode->dmSize) + devMode->dmDriverExtra;
    if (devMode->dmSize < kMinDevModeSize || total > available)
        return 0;
    return total;
}

CString s_labelsFolder;

}  // namespace

CLabelFileNew::CLabelFileNew() {
    m_paperCode = 9;   // A4; the user paper keeps 900 x 600 tenths
}

CLabelFileNew::CLabelFileNew(const CLabelFileNew& other)
    : CLabelFile(other),
      m_definitionName(other.m_definitionName),
      m_markingTypes(other.m_markingTypes),
      m_header(other.m_header),
      m_footer(other.m_footer),
      m_imageFile(other.m_imageFile),
      m_infoFile(other.m_infoFile),
      m_reservedByte(other.m_reservedByte),
      m_reservedShort(other.m_reservedShort),
      m_includePrinterName(other.m_includePrinterName),
      m_storePrinterSettings(other.m_storePrinterSettings),
      m_printerTypes(other.m_printerTypes),
      m_loadedFromFile(other.m_loadedFromFile) {
    for (int i = 0; i < 3; ++i)
        m_printer[i] = other.m_printer[i];
    if (other.m_pDevMode)
        SetDevMode(other.m_pDevMode);
}

CLabelFileNew::~CLabelFileNew() { FreeDevMode(); }

CLabel* CLabelFileNew::Clone() const { return new CLabelFileNew(*this); }

void CLabelFileNew::TakeFrom(CLabel& loaded) {
    CLabelFileNew& src = static_cast<CLabelFileNew&>(loaded);
    CLabelFile::operator=(src);
    m_definitionName = src.m_definitionName;
    m_markingTypes = src.m_markingTypes;
    m_header = src.m_header;
    m_footer = src.m_footer;
    m_imageFile = src.m_imageFile;
    m_infoFile = src.m_infoFile;
    m_reservedByte = src.m_reservedByte;
    m_reservedShort = src.m_reservedShort;
    for (int i = 0; i < 3; ++i)
        m_printer[i] = src.m_printer[i];
    m_includePrinterName = src.m_includePrinterName;
    m_storePrinterSettings = src.m_storePrinterSettings;
    m_printerTypes = src.m_printerTypes;
    m_loadedFromFile = src.m_loadedFromFile;
    // The block moves over; the source is a scratch copy that dies next.
    FreeDevMode();
    m_hDevMode = src.m_hDevMode;
    m_pDevMode = src.m_pDevMode;
    src.m_hDevMode = nullptr;
    src.m_pDevMode = nullptr;
}

void CLabelFileNew::Reset() {
    m_body = Body();
    m_shape = 0;
    m_cornerRadius = 0;
    m_orientation = 1;
    m_paperCode = 9;
    m_paperWidthTenths = 2100;
    m_paperHeightTenths = 2970;
    m_path.Empty();
    m_definitionName.Empty();
    m_imageFile.Empty();
    m_infoFile.Empty();
    for (CString& s : m_printer)
        s.Empty();
    m_header = PageArea();
    m_footer = PageArea();
    FreeDevMode();
    m_includePrinterName = 0;
    m_storePrinterSettings = 0;
    m_reservedByte = 0;
    m_reservedShort = 0;
    m_markingTypes = 63;
    m_printerTypes = kPrinterTypesReset;
    m_loadedFromFile = 0;
    m_modified = 0;
}

// --- sizes and positions of the three parts ---

int CLabelFileNew::GetHeight(int part) const {
    switch (part) {
    case 0: return m_body.height;
    case 1: return m_header.height;
    case 2: return m_footer.height;
    default: return 297000;
    }
}

int CLabelFileNew::GetWidth(int part) const {
    switch (part) {
    case 0: return m_body.width;
    case 1: return m_header.width;
    case 2: return m_footer.width;
    default: return 210000;
    }
}

void CLabelFileNew::SetHeight(int part, int value) {
    switch (part) {
    case 0: StoreHeight(value); break;
    case 1: m_header.height = value; m_header.enabled = 1; break;
    case 2: m_footer.height = value; m_footer.enabled = 1; break;
    default: return;
    }
    m_modified = 1;
}

void CLabelFileNew::SetWidth(int part, int value, bool mark) {
    switch (part) {
    case 0: StoreWidth(value); break;
    case 1: m_header.width = value; m_header.enabled = 1; break;
    case 2: m_footer.width = value; m_footer.enabled = 1; break;
    default: return;
    }
    if (mark)
        m_modified = 1;
}

// Roll stock: the page is one feed long; the paper follows it without refitting.
bool CLabelFileNew::SetFeedLength(int value) {
    m_body.height = value;
    const int tenths = (value + m_body.marginTop) / 100;
    const int16_t stored = static_cast<int16_t>(std::min(std::max(tenths, -32768), 32767));
    if (m_orientation == 2)
        m_paperWidthTenths = stored;
    else
        m_paperHeightTenths = stored;
    return true;
}

int CLabelFileNew::GetLeft(int part) const {
    switch (part) {
    case 0: return m_body.marginLeft;
    case 1: return m_header.left;
    case 2: return m_footer.left;
    default: return 0;
    }
}

int CLabelFileNew::GetTop(int part) const {
    switch (part) {
    case 0: return m_body.marginTop;
    case 1: return m_header.top;
    case 2: return m_footer.top;
    default: return 0;
    }
}

void CLabelFileNew::SetLeft(int part, int value) {
    if (part == 0)
        m_body.marginLeft = value;
    else if (part == 1)
        m_header.left = value;
    else if (part == 2)
        m_footer.left = value;
    m_modified = 1;
}

void CLabelFileNew::SetTop(int part, int value) {
    if (part == 0)
        m_body.marginTop = value;
    else if (part == 1)
        m_header.top = value;
    else if (part == 2)
        m_footer.top = value;
    m_modified = 1;
}

// --- classification and printer ---

void CLabelFileNew::ToggleMarkingTypes(int bits) {
    m_markingTypes ^= bits;
    m_modified = 1;
}

void CLabelFileNew::TogglePrinterTypes(uint32_t bits) {
    m_printerTypes ^= bits;
    m_modified = 1;
}

void CLabelFileNew::ToggleIncludePrinterName() {
    const bool wasOn = m_includePrinterName != 0;
    m_includePrinterName = wasOn ? 0 : 1;
    if (wasOn) {
        for (CString& s : m_printer)
            s.Empty();
    } else {
        m_storePrinterSettings = 1;
    }
    m_modified = 1;
}

void CLabelFileNew::ToggleStorePrinterSettings() {
    const bool wasOn = m_storePrinterSettings != 0;
    m_storePrinterSettings = wasOn ? 0 : 1;
    if (wasOn)
        FreeDevMode();
    m_modified = 1;
}

bool CLabelFileNew::GetPrinterStrings(CString& device, CString& driver, CString& port) const {
    if (m_printer[0].IsEmpty() || m_printer[1].IsEmpty() || m_printer[2].IsEmpty())
        return false;
    device = m_printer[0];
    driver = m_printer[1];
    port = m_printer[2];
    return true;
}

void CLabelFileNew::SetPrinterStrings(const char* device, const char* driver, const char* port) {
    m_printer[0] = FieldText(device, kPrinterStringField);
    m_printer[1] = FieldText(driver, kPrinterStringField);
    m_printer[2] = FieldText(port, kPrinterStringField);
    m_includePrinterName =
        !m_printer[0].IsEmpty() && !m_printer[1].IsEmpty() && !m_printer[2].IsEmpty() ? 1 : 0;
}

void CLabelFileNew::SetDefinitionName(const char* name) {
    m_definitionName = CString(name).Left(kDefinitionNameChars);
}

void CLabelFileNew::SetImageFile(const char* name) {
    m_imageFile = FieldText(name, kImageFileField);
    m_modified = 1;
}

void CLabelFileNew::SetInfoFile(const char* name) {
    m_infoFile = FieldText(name, kInfoFileField);
    m_modified = 1;
}

void CLabelFileNew::ShowDevModeInfo() const {
    if (!m_pDevMode)
        return;
    CString text;
    text.Format("m_pDevMode->dmSpecVersion = %d\r\nm_pDevMode->dmDriverVersion = %d\r\n"
                "m_pDevMode->dmSize = %d\r\nm_pDevMode->dmDriverExtra = %d",
                m_pDevMode->dmSpecVersion, m_pDevMode->dmDriverVersion, m_pDevMode->dmSize,
                m_pDevMode->dmDriverExtra);
    ShowMessageBox(nullptr, text, "CLabelFileNew::showDevModeInfo()", MB_OK);
}

// --- printer-settings block ---

UINT CLabelFileNew::GetDevModeBytes() const {
    if (!m_pDevMode)
        return 0;
    return DevModeBytesWithin(m_pDevMode, GlobalSize(m_hDevMode));
}

void CLabelFileNew::FreeDevMode() {
    if (m_hDevMode) {
        if (m_pDevMode)
            GlobalUnlock(m_hDevMode);
        GlobalFree(m_hDevMode);
    }
    m_hDevMode = nullptr;
    m_pDevMode = nullptr;
}

bool CLabelFileNew::SetDevMode(const DEVMODEA* devMode) {
    // The source may be the block held now (SetDevMode(GetDevMode())): it is copied before the
    // old block is freed.
    if (!devMode || devMode->dmSize < kMinDevModeSize) {
        FreeDevMode();
        return false;
    }
    const UINT total = UINT(devMode->dmSize) + devMode->dmDriverExtra;
    // Never smaller than a whole DEVMODEA, so that reading any field stays inside the block.
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, std::max<UINT>(total, sizeof(DEVMODEA)));
    void* p = block ? GlobalLock(block) : nullptr;
    if (!p) {
        if (block)
            GlobalFree(block);
        FreeDevMode();
        return false;
    }
    memcpy(p, devMode, total);
    FreeDevMode();
    m_hDevMode = block;
    m_pDevMode = static_cast<DEVMODEA*>(p);
    return true;
}

bool CLabelFileNew::AttachDevMode(HGLOBAL block) {
    if (!block)
        return false;
    if (block == m_hDevMode)
        return m_pDevMode != nullptr;
    void* p = GlobalLock(block);
    if (!p || !DevModeBytesWithin(static_cast<DEVMODEA*>(p), GlobalSize(block))) {
        if (p)
            GlobalUnlock(block);
        GlobalFree(block);
        return false;
    }
    FreeDevMode();
    m_hDevMode = block;
    m_pDevMode = static_cast<DEVMODEA*>(p);
    return true;
}

HGLOBAL CLabelFileNew::DetachDevMode() {
    HGLOBAL block = m_hDevMode;
    if (block && m_pDevMode)
        GlobalUnlock(block);
    m_hDevMode = nullptr;
    m_pDevMode = nullptr;
    return block;
}

// The block's sizes come from the file: they are checked before anything is allocated or read.
// Sizes that cannot be DEVMODE WORDs, or a block longer than the file, make the file corrupt (its
// end cannot be trusted). A block whose DEVMODE disagrees with the sizes in front of it, one from
// an incompatible system, or one we cannot allocate is skipped; the stock then holds none.
void CLabelFileNew::ReadDevMode(RecordReader& in, bool interactive) {
    int32_t major = 0, minor = 0, platformId = 0, dmSize = 0, dmDriverExtra = 0;
    in.I32(major);
    in.I32(minor);
    in.I32(platformId);
    in.I32(dmSize);
    in.I32(dmDriverExtra);
    if (!in.ok())
        return;
    if (dmSize < kMinDevModeSize || dmSize > kMaxDevModeWord || dmDriverExtra < 0 ||
        dmDriverExtra > kMaxDevModeWord) {
        in.Fail();
        return;
    }
    const UINT total = UINT(dmSize) + UINT(dmDriverExtra);
    CFile* file = in.file();
    if (file->GetPosition() + total > file->GetLength()) {
        in.Fail();
        return;
    }
    BYTE head[kDevModeHead];
    if (!in.Raw(head, kDevModeHead))
        return;
    const UINT rest = total - kDevModeHead;
    const bool consistent = ReadWordLE(head + offsetof(DEVMODEA, dmSize)) == dmSize &&
                            ReadWordLE(head + offsetof(DEVMODEA, dmDriverExtra)) == dmDriverExtra;
    if (!consistent) {
        in.Skip(rest);
        return;
    }
    OsVersion stored;
    stored.major = major;
    stored.minor = minor;
    stored.platformId = platformId;
    if (!DevModeFitsSystem(stored, CurrentOsVersion())) {
        in.Skip(rest);
        if (interactive && in.ok()) {
            ShowMessageBox(nullptr,
                           LoadStringOr(IDS_VERSION_CONFLICT,
                                           "The file contains printer settings that are not "
                                           "compatible with this version of Windows and will be deleted"),
                           LoadStringOr(IDS_VERSION_CONFLICT_CAPTION, "Version conflict"), MB_OK);
        }
        return;
    }
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, std::max<UINT>(total, sizeof(DEVMODEA)));
    BYTE* p = block ? static_cast<BYTE*>(GlobalLock(block)) : nullptr;
    if (!p) {
        if (block)
            GlobalFree(block);
        in.Skip(rest);
        return;
    }
    memcpy(p, head, kDevModeHead);
    if (!in.Raw(p + kDevModeHead, rest)) {
        GlobalUnlock(block);
        GlobalFree(block);
        return;
    }
    FreeDevMode();
    m_hDevMode = block;
    m_pDevMode = reinterpret_cast<DEVMODEA*>(p);
}

void CLabelFileNew::WriteDevMode(RecordWriter& out) const {
    const UINT total = GetDevModeBytes();
    if (!total)
        return;
    const OsVersion version = CurrentOsVersion();
    out.I32(version.major);
    out.I32(version.minor);
    out.I32(version.platformId);
    out.I32(m_pDevMode->dmSize);
    out.I32(m_pDevMode->dmDriverExtra);
    out.Raw(m_pDevMode, total);
}

// --- record ---

void CLabelFileNew::ReadArea(RecordReader& in, PageArea& area) {
    in.U8(area.enabled);
    in.I32(area.left);
    in.I32(area.top);
    in.I32(area.height);
    in.I32(area.width);
}

void CLabelFileNew::WriteArea(RecordWriter& out, const PageArea& area) {
    out.U8(area.enabled);
    out.I32(area.left);
    out.I32(area.top);
    out.I32(area.height);
    out.I32(area.width);
}

void CLabelFileNew::ReadBody(RecordReader& in, bool withPath, bool interactive) {
    CLabelExtExt::ReadBody(in, withPath, interactive);
    in.I32(m_markingTypes);
    ReadArea(in, m_header);
    ReadArea(in, m_footer);
    ReadText(in, m_imageFile, kImageFileField);
    ReadText(in, m_infoFile, kInfoFileField);
    in.U8(m_reservedByte);
    in.I16(m_reservedShort);
    for (CString& s : m_printer)
        ReadText(in, s, kPrinterStringField);
    m_includePrinterName =
        !m_printer[0].IsEmpty() && !m_printer[1].IsEmpty() && !m_printer[2].IsEmpty() ? 1 : 0;
    uint8_t hasPrinterSettings = 0;
    in.U8(hasPrinterSettings);
    in.U32(m_printerTypes);
    if (m_printerTypes == 0)
        m_printerTypes = kPrinterTypesDefault;
    in.Skip(kReservedTail);
    if (withPath)
        ReadText(in, m_path, kStockPathField);
    else
        m_path.Empty();
    FreeDevMode();
    if (in.ok() && hasPrinterSettings)
        ReadDevMode(in, interactive);
    m_storePrinterSettings = m_pDevMode ? 1 : 0;
}

void CLabelFileNew::WriteBody(RecordWriter& out, bool withPath) const {
    CLabelExtExt::WriteBody(out, withPath);
    out.I32(m_markingTypes);
    WriteArea(out, m_header);
    WriteArea(out, m_footer);
    out.FixedString(m_imageFile, kImageFileField);
    out.FixedString(m_infoFile, kInfoFileField);
    out.U8(m_reservedByte);
    out.I16(m_reservedShort);
    for (const CString& s : m_printer)
        out.FixedString(s, kPrinterStringField);
    const bool hasPrinterSettings = GetDevModeBytes() != 0;
    out.U8(hasPrinterSettings ? 1 : 0);
    out.U32(m_printerTypes);
    out.Zeros(kReservedTail);
    if (withPath)
        out.FixedString(m_path, kStockPathField);
    if (hasPrinterSettings)
        WriteDevMode(out);
}

// --- ".label" file ---

bool CLabelFileNew::LoadFromStream(CFile* file, bool interactive) {
    RecordReader in(file);
    uint32_t magic = 0;
    if (!in.U32(magic) || magic != kLabelFileMagic)
        return false;
    int32_t versionA = 0, versionB = 0;   // read and not checked
    in.I32(versionA);
    in.I32(versionB);
    if (!in.ok())
        return false;
    return Load(file, false, interactive);
}

bool CLabelFileNew::LoadFromFile(const char* path, bool interactive) {
    CFile file;
    if (!path || !file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
        return false;
    const bool loaded = LoadFromStream(&file, interactive);
    file.Close();
    if (loaded)
        m_loadedFromFile = 1;
    return loaded;
}

// Written beside the target and moved over it, so that a failed save keeps the previous file.
// The modified flag means "differs from its label definition file": only writing that file
// clears it. The same record written into a project or a template file leaves it set, so that
// closing still offers to save the changed definition.
bool CLabelFileNew::SaveToFile(const char* path) {
    const bool written = WriteFileReplacing(path, [this](CFile& file) {
        RecordWriter out(&file);
        out.U32(kLabelFileMagic);
        out.I32(kLabelFileVersionA);
        out.I32(kLabelFileVersionB);
        return out.ok() && Save(&file, false);
    });
    if (written)
        m_modified = 0;
    return written;
}

void CLabelFileNew::SetLabelsFolder(const char* folder) { s_labelsFolder = folder; }
const char* CLabelFileNew::GetLabelsFolder() { return s_labelsFolder; }
