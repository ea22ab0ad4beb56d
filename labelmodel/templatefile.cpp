// The template block and the ".tpe" file.
//
// Block: i32 magic, i32 flags, the optional fields the flags announce, the label stock (code and
// record with path), tag 141 and the help lines, u8 fieldContours, tag 175 and the collection of
// area 0 (with flag 0x40 also areas 1 and 2), the lock and scrambled password, and with flag
// 0x2000 the three zooms.
#include "labelmodel/template.h"

#include "framework/file.h"
#include "framework/msgbox.h"
#include "framework/recordio.h"
#include "framework/safefile.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/typecodes.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

int ZoomOrUnset(int32_t zoom)
{
    return zoom >= CTemplate::kMinZoom && zoom <= CTemplate::kMaxZoom ? zoom : -1;
}

bool ReadTag(RecordReader& r, int expected)
{
    uint16_t tag = 0;
    return r.U16(tag) && tag == expected;
}

} // namespace

// ---- reading ----

bool CTemplate::ReadColumnMap(RecordReader& r, CTemplateColumnMap& map)
{
    int32_t ignored = 0;
    r.I32(ignored);
    for (int& column : map.columns) {
        int32_t v = -1;
        r.I32(v);
        column = v >= -1 && v <= 25 ? v : -1;
    }
    for (auto& separator : map.separators) {
        CString text;
        r.FixedString(text, CTemplateColumnMap::kSeparatorField);
        memset(separator, 0, sizeof(separator));
        strncpy(separator, text, sizeof(separator) - 1);
    }
    return r.ok();
}

// Each group of fields is taken over as soon as it has been read whole.
bool CTemplate::ReadOptions(RecordReader& r, DWORD flags)
{
    if (flags & kFlagColumnMajor) {
        bool columnMajor = false;
        if (!r.Bool(columnMajor))
            return false;
        m_columnMajor = columnMajor;
    }
    if (flags & kFlagCopies) {
        // Sign-extended: -1 .. -26 name the table column that holds the number of copies.
        int16_t copies = 0;
        if (!r.I16(copies))
            return false;
        m_copies = copies;
    }
    if (flags & kFlagPasses) {
        int32_t passes = 0;
        if (!r.I32(passes))
            return false;
        m_passes = passes;
    }
    if (flags & kFlagBorders) {
        bool printBorders = false, pause = false;
        int32_t colour = 0, width = 0;
        r.Bool(printBorders);
        r.I32(colour);
        r.I32(width);
        r.Bool(pause);
        if (!r.ok())
            return false;
        m_printBorders = printBorders;
        m_borderColour = static_cast<COLORREF>(colour);
        m_borderWidth = width;
        m_pauseBetweenPages = pause;
    }
    if (flags & kFlagReserved1) {
        uint8_t reserved = 0;
        if (!r.U8(reserved))
            return false;
        m_reservedFlag1 = reserved;
    }
    if (flags & kFlagReserved2) {
        uint8_t reserved = 0;
        bool contours = false;
        if (!r.U8(reserved) || !r.Bool(contours))
            return false;
        m_reservedFlag2 = reserved;
        m_fieldContours = contours;
    }
    if (flags & kFlagCompensation) {
        int32_t left = 0, top = 0;
        if (!r.I32(left) || !r.I32(top))
            return false;
        m_leftCompensation = left;
        m_topCompensation = top;
    }
    if (flags & kFlagPrinter) {
        CString strings[3];
        for (CString& s : strings)
            r.FixedString(s, kPrinterField);
        if (!r.ok())
            return false;
        for (int i = 0; i < 3; ++i)
            m_printer[i] = strings[i];
    }
    if (flags & kFlagColumnMaps) {
        for (CTemplateColumnMap& target : m_columnMaps) {
            CTemplateColumnMap map;
            if (!ReadColumnMap(r, map))
                return false;
            target = map;
        }
    }
    return true;
}

// The lock is cleared first. Blocks older than the zooms may end before the lock; in a block that
// has zooms a missing lock means the block was cut short.
bool CTemplate::ReadLock(RecordReader& r, DWORD flags)
{
    m_locked = false;
    m_password.Empty();
    uint8_t locked = 0;
    if (!r.U8(locked))
        return !(flags & kFlagZooms);
    // The stored length is read whole, so that what follows stays in step, but only as many
    // characters as the field holds are kept.
    uint16_t n = 0;
    if (!r.U16(n))
        return false;
    BYTE scrambled[kMaxPassword] = {};
    const UINT keep = std::min<UINT>(n, kMaxPassword);
    if (!r.Raw(scrambled, keep) || !r.Skip(n - keep))
        return false;
    m_locked = locked != 0;
    m_password = UnscramblePassword(scrambled, static_cast<int>(keep));
    return true;
}

bool CTemplate::ReadTemplate(CFile* file)
{
    RecordReader r(file);
    uint32_t magic = 0;
    if (!r.U32(magic))
        return false;
    DWORD flags = 0;
    if (magic == kMagicOldest) {
        m_columnMajor = false;
        m_copies = 1;
        m_passes = 1;
        m_reservedFlag1 = 1;
        for (CTemplateColumnMap& map : m_columnMaps)
            map.Reset();
    } else if (magic >= kMagicFirst && magic <= kMagicLatest) {
        m_columnMajor = false;
        m_copies = 1;
        m_passes = 1;
        m_stopAfterPass = true;
        m_reservedFlag1 = 1;
        for (CTemplateColumnMap& map : m_columnMaps)
            map.Reset();
        uint32_t stored = 0;
        if (!r.U32(stored))
            return false;
        flags = stored;
        m_stopAfterPass = (flags & kFlagStopAfterPass) != 0;
        if (!ReadOptions(r, flags))
            return false;
    } else {
        return false;
    }

    uint16_t stockCode = 0;
    if (!r.U16(stockCode))
        return false;
    std::unique_ptr<CLabel> stock(CLabel::CreateFromTypeCode(stockCode));
    if (!stock || !stock->Load(file, true, true))
        return false;
    SetLabelStock(stock.release());

    if (!ReadTag(r, kCodeHelpLines) || !m_helpLines.Load(file))
        return false;
    bool contours = false;
    if (!r.Bool(contours))
        return false;
    m_fieldContours = contours;

    const int areas = (flags & kFlagAllAreas) ? kAreas : 1;
    for (int a = 0; a < areas; ++a) {
        if (!ReadTag(r, kCodeCollection) || !m_areas[a]->LoadObjects(file))
            return false;
    }

    if (!ReadLock(r, flags))
        return false;
    if (flags & kFlagZooms) {
        int32_t zooms[kAreas];
        for (int32_t& z : zooms)
            r.I32(z);
        if (!r.ok())
            return false;
        for (int a = 0; a < kAreas; ++a)
            m_zoom[a] = ZoomOrUnset(zooms[a]);
    } else {
        for (int& z : m_zoom)
            z = -1;
    }
    return true;
}

// ---- writing ----

DWORD CTemplate::GetBlockFlags(bool standalone) const
{
    DWORD flags = kFlagsWritten | kFlagZooms;
    if (!m_printer[0].IsEmpty() || !m_printer[1].IsEmpty() || !m_printer[2].IsEmpty())
        flags |= kFlagPrinter;
    if (!standalone) {
        flags |= kFlagPasses;
        if (m_printBorders)
            flags |= kFlagBorders;
    }
    if (m_stopAfterPass)
        flags |= kFlagStopAfterPass;
    return flags;
}

void CTemplate::WriteColumnMap(RecordWriter& w, const CTemplateColumnMap& map)
{
    w.I32(0);
    for (int column : map.columns)
        w.I32(column);
    for (const auto& separator : map.separators) {
        char field[CTemplateColumnMap::kSeparatorField] = {};
        memcpy(field, separator, sizeof(field) - 1);
        w.Raw(field, sizeof(field));
    }
}

bool CTemplate::WriteTemplate(bool standalone, CFile* file)
{
    if (!m_labelStock)
        m_labelStock = new CLabelFileNew;
    const DWORD flags = GetBlockFlags(standalone);
    RecordWriter w(file);
    w.U32(kMagicLatest);
    w.U32(flags);
    w.Bool(m_columnMajor);
    w.U16(static_cast<uint16_t>(m_copies & 0xFFFF));
    if (flags & kFlagPasses)
        w.I32(m_passes);
    if (flags & kFlagBorders) {
        w.Bool(m_printBorders);
        w.I32(static_cast<int32_t>(m_borderColour));
        w.I32(m_borderWidth);
        w.Bool(m_pauseBetweenPages);
    }
    w.U8(m_reservedFlag1);
    w.U8(m_reservedFlag2);
    w.Bool(m_fieldContours);
    if (flags & kFlagPrinter)
        for (const CString& s : m_printer)
            w.FixedString(s, kPrinterField);
    for (const CTemplateColumnMap& map : m_columnMaps)
        WriteColumnMap(w, map);
    if (!w.ok() || !m_labelStock->SaveWithType(file))
        return false;

    if (!w.U16(kCodeHelpLines) || !m_helpLines.Save(file))
        return false;
    w.Bool(m_fieldContours);
    for (CGraphCollection* area : m_areas) {
        if (!w.U16(kCodeCollection) || !area->Save(file))
            return false;
    }

    const CString scrambled = ScramblePassword(m_password);
    w.Bool(m_locked);
    w.U16(static_cast<uint16_t>(scrambled.GetLength()));
    w.Raw(scrambled.GetString(), static_cast<UINT>(scrambled.GetLength()));
    for (int z : m_zoom)
        w.I32(z);
    return w.ok();
}

// ---- template file ----

bool CTemplate::LoadTemplateFile(const char* path)
{
    CFile file;
    if (!path || !file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary)) {
        CString message;
        message.Format("Can not open %s", path ? path : "");
        AfxMessageBox(message, MB_OK | MB_ICONERROR);
        return false;
    }
    // Read into a scratch template that starts with this one's settings (a block leaves out what
    // its flags do not announce), so that a damaged file changes nothing here.
    CTemplate scratch;
    scratch.CopySettingsFrom(*this);
    const bool read = scratch.ReadTemplate(&file);
    file.Close();
    if (!read) {
        AfxMessageBox(IDS_CORRUPT_TEMPLATE_FILE, MB_OK | MB_ICONERROR);
        return false;
    }
    CopySettingsFrom(scratch);
    for (int a = 0; a < kAreas; ++a)
        scratch.m_areas[a]->MoveAllTo(m_areas[a]);
    return true;
}

bool CTemplate::SaveTemplateFile(const char* path)
{
    return WriteFileReplacing(path, [this](CFile& file) { return WriteTemplate(true, &file); });
}
