#include "labelmodel/graphimage.h"

#include "framework/file.h"
#include "framework/gdi.h"
#include "framework/msgbox.h"
#include "framework/recordio.h"
#include "framework/wnd.h"
#include "labelmodel/labelfiledialog.h"
#include "labelmodel/tablesource.h"
#include "labelmodel/textcontent.h"

#include <cstdio>
#include <cstring>

namespace {

BOOL ShowOpenFileDialog(OPENFILENAMEA* ofn)
{
    return GetOpenFileNameA(ofn);
}

PictureFileDialogFunction g_showPictureDialog = &ShowOpenFileDialog;

// Crop values outside 0..100 only come from damaged records; drawing them would point the
// source rectangle outside the picture.
int ClampPercent(int v)
{
    return v < 0 ? 0 : (v > 100 ? 100 : v);
}

// The index-th column (0-based, counting from column 0) that the table flags as an image column;
// -1 when there is none or no reader to ask.
int FindImageColumn(const CDataTableBase* table, int index)
{
    const CTableCellReader* reader = GetTableCellReader();
    if (!table || !reader || index < 0)
        return -1;
    int seen = 0;
    for (int column = 0; column < kColumnMapSize; ++column) {
        if (!reader->IsImageColumn(table, column))
            continue;
        if (seen == index)
            return column;
        ++seen;
    }
    return -1;
}

} // namespace

// ==== The picture file dialog =====================================================================

std::string PictureFileFilter()
{
    return BuildFileDialogFilter(
        LoadStringOr(IDS_IMAGE_FILE_FILTER, "Image files |*.jpg;*.jpeg;*.bmp;*.png;*.wmf||"));
}

void PreparePictureFileDialog(OPENFILENAMEA& ofn, HWND owner, const std::string& filter,
                              char* fileBuffer, DWORD bufferSize)
{
    std::memset(&ofn, 0, sizeof ofn);
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = fileBuffer;
    ofn.nMaxFile = bufferSize;
    // The dialog appends the default extension to a name typed without one: it takes the
    // extension's letters, not a pattern.
    ofn.lpstrDefExt = "jpg";
    ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
}

PictureFileDialogFunction SetPictureFileDialogFunction(PictureFileDialogFunction show)
{
    PictureFileDialogFunction previous = g_showPictureDialog;
    g_showPictureDialog = show ? show : &ShowOpenFileDialog;
    return previous;
}

// ==== Picture paths that fit the record ===========================================================

CString TooLongImagePathsText(const std::vector<CString>& paths)
{
    // A drop of many files names the first few; the count tells how many more there were.
    const size_t kListed = 10;
    CString text = paths.size() == 1 ? "The path of this picture is too long:" : "The paths of these pictures are too long:";
    for (size_t i = 0; i < paths.size() && i < kListed; ++i)
        text += "\r\n" + paths[i];
    if (paths.size() > kListed)
        text.AppendFormat("\r\n(and %d more)", static_cast<int>(paths.size() - kListed));
    text.AppendFormat("\r\n\r\nA label keeps a picture's path of at most %d characters. Move the picture to a "
                      "folder with a shorter path and choose it again.",
                      CGraphImage::kMaxRecordPathLength);
    return text;
}

bool AcceptImagePath(const char* path, HWND owner)
{
    if (CGraphImage::PathFitsRecord(path))
        return true;
    ShowMessageBox(owner, TooLongImagePathsText({CString(path)}), nullptr, MB_OK | MB_ICONERROR);
    return false;
}

void KeepImagePathsThatFit(std::vector<CString>& paths, HWND owner)
{
    std::vector<CString> fitting, refused;
    for (const CString& path : paths)
        (CGraphImage::PathFitsRecord(path) ? fitting : refused).push_back(path);
    if (!refused.empty())
        ShowMessageBox(owner, TooLongImagePathsText(refused), nullptr, MB_OK | MB_ICONERROR);
    paths.swap(fitting);
}

// ==== CGraphImage =================================================================================

bool CGraphImage::PathFitsRecord(const char* path)
{
    return path == nullptr || std::strlen(path) <= static_cast<size_t>(kMaxRecordPathLength);
}

CGraphImage::CGraphImage() : m_holder(new CImageBase)
{
}

CGraphImage::CGraphImage(const CGraphImage& src)
    : CGraph2Dim(src), m_holder(src.m_holder->Clone()), m_path(src.m_path)
{
}

CGraphImage::~CGraphImage() = default;

void CGraphImage::SetHolder(CImageBase* holder)
{
    if (holder != nullptr && holder == m_holder.get())
        return;     // resetting to the held picture would delete it
    m_holder.reset(holder ? holder : new CImageBase);
}

bool CGraphImage::HasPictureHolder() const
{
    return m_holder->GetTypeCode() != kImageHolderEmpty;
}

void CGraphImage::SetPathText(const char* path)
{
    m_path = path ? path : "";
    if (m_path.GetLength() > kMaxPathLength)
        m_path = m_path.Left(kMaxPathLength);
}

void CGraphImage::LoadPictureByExtension()
{
    SetHolder(CreateImageHolderForFile(m_path));
}

bool CGraphImage::PaintsOutsideBox()
{
    // Pixel pictures are stretched into a rectangle inside the box; a metafile is played unclipped.
    return dynamic_cast<CImageMetafile*>(m_holder.get()) != nullptr;
}

bool CGraphImage::CopyPictureToClipboard()
{
    return m_holder->CopyPictureToClipboard();
}

bool CGraphImage::EditContent(CWnd* parent)
{
    char file[kMaxPathLength + 1] = {};
    CopyTextBounded(file, sizeof file, m_path);
    const std::string filter = PictureFileFilter();
    OPENFILENAMEA ofn;
    HWND owner = parent && parent->GetSafeHwnd() ? parent->GetSafeHwnd() : GetActiveWindow();
    PreparePictureFileDialog(ofn, owner, filter, file, sizeof file);
    if (!g_showPictureDialog(&ofn) || !AcceptImagePath(file, owner))
        return false;
    SetPathText(file);
    LoadPictureByExtension();
    return true;
}

bool CGraphImage::FitToPicture()
{
    return m_holder->FitToPicture(this);
}

void CGraphImage::Rotate90(int cx, int cy, int dir)
{
    if (dir != 1 && dir != -1)
        return;
    // A picture that cannot turn keeps the box as it is, so the two never disagree.
    if (HasPictureHolder() && !m_holder->CanRotate())
        return;
    CGraph2Dim::Rotate90(cx, cy, dir);
    m_holder->Rotate90(dir);
}

int CGraphImage::GetAspectPercent()
{
    return HasPictureHolder() ? m_holder->GetAspectPercent() : CGraph2Dim::GetAspectPercent();
}

bool CGraphImage::SetImagePath(const char* path)
{
    if (!PathFitsRecord(path))
        return false;
    SetPathText(path);
    LoadPictureByExtension();
    return true;
}

// ---- records ----

bool CGraphImage::ReadImageRecord(RecordReader& r, CFile* file, ImageRecord& rec)
{
    int32_t width, height;
    int16_t code;
    if (!ReadBaseRecord(r, rec) || !r.I32(width) || !r.I32(height) ||
        !r.Skip(kRecordReservedBytes) || !r.FixedString(rec.path, kRecordPathField) || !r.I16(code))
        return false;
    rec.width = width;
    rec.height = height;
    if (code == 0) {
        // No holder was stored: the empty picture.
        rec.holder.reset(new CImageBase);
        return true;
    }
    std::unique_ptr<CImageBase> holder(CreateImageHolderForCode(code));
    if (!holder) {
        // Without knowing the holder its length is unknown, and so is everything after it.
        ReportUnknownKey(code);
        r.Fail();
        return false;
    }
    if (!holder->Load(file)) {
        r.Fail();
        return false;
    }
    rec.holder = std::move(holder);
    return true;
}

void CGraphImage::WriteImageRecord(RecordWriter& w, CFile* file) const
{
    WriteBaseRecord(w);
    w.I32(m_width);
    w.I32(m_height);
    w.Zeros(kRecordReservedBytes);
    // A path chosen for a picture always fits (AcceptImagePath). Only an object that takes its
    // picture from a table row may hold a longer one, the row's, which drawing reads again: it is
    // written empty rather than cut into the name of another file.
    w.FixedString(PathFitsRecord(m_path) ? m_path : CString(), kRecordPathField);
    if (w.ok() && !m_holder->SaveWithType(file))
        w.Fail();
}

void CGraphImage::ApplyImageRecord(ImageRecord& rec)
{
    ApplyBaseRecord(rec);
    m_width = rec.width;
    m_height = rec.height;
    SetPathText(rec.path);
    SetHolder(rec.holder.release());
    m_lineWidth = 0;
}

bool CGraphImage::Load(CFile* file)
{
    RecordReader r(file);
    ImageRecord rec;
    if (!ReadImageRecord(r, file, rec))
        return false;
    ApplyImageRecord(rec);
    return true;
}

bool CGraphImage::Save(CFile* file)
{
    RecordWriter w(file);
    WriteImageRecord(w, file);
    return w.ok();
}

// ==== CGraphImageExt ==============================================================================

CGraphImageExt::CGraphImageExt()
{
    m_lineWidth = 0;
}

CGraphImageExt::CGraphImageExt(const CGraphImageExt& src)
    : CGraphImage(src), m_source(src.m_source), m_stretch(src.m_stretch), m_centred(src.m_centred)
{
    std::memcpy(m_crop, src.m_crop, sizeof m_crop);
}

void CGraphImageExt::SetImageSource(int source)
{
    if (source == kImageSourceFile || source == kImageSourceTable)
        m_source = static_cast<int16_t>(source);
}

bool CGraphImageExt::SetImagePath(const char* path)
{
    if (m_source != kImageSourceFile)
        return false;
    return CGraphImage::SetImagePath(path);
}

int CGraphImageExt::GetSourceKind()
{
    if (m_source == kImageSourceFile)
        return 1;
    if (m_source == kImageSourceTable)
        return 0;
    return -1;
}

void CGraphImageExt::SetSourceKind(int kind)
{
    if (kind == 0)
        m_source = kImageSourceTable;
    else if (kind == 1)
        m_source = kImageSourceFile;
}

void CGraphImageExt::SetCrop(int left, int top, int right, int bottom)
{
    m_crop[0] = left;
    m_crop[1] = top;
    m_crop[2] = right;
    m_crop[3] = bottom;
}

void CGraphImageExt::GetCrop(int* left, int* top, int* right, int* bottom) const
{
    *left = m_crop[0];
    *top = m_crop[1];
    *right = m_crop[2];
    *bottom = m_crop[3];
}

CString CGraphImageExt::GetFieldCode()
{
    // One step: a translated word holding '%' must not become part of a format.
    CString code;
    code.Format("[%s %d]", LoadStringOr(IDS_IMAGE_COLUMN_WORD, "Image").GetString(),
                GetImageColumn() + 1);
    return code;
}

void CGraphImageExt::GetImagePathForRecord(int row, char* out, int size, CDataTableBase* table,
                                           CDataTableMap* columnMap)
{
    CopyTextBounded(out, size, "");
    if (!table)
        return;
    const int column = FindImageColumn(table, GetImageColumn());
    if (column < 0)
        return;
    CopyTextBounded(out, size, ReadTableCell(table, columnMap, row, column));
}

void CGraphImageExt::TakeRowPicture(int row, CDataTableBase* table, CDataTableMap* columnMap)
{
    char path[257];
    GetImagePathForRecord(row, path, sizeof path, table, columnMap);
    if (!*path) {
        SetHolder(nullptr);
        m_path.Empty();
        return;
    }
    // Rows naming the same file keep the picture already read.
    if (m_path.CompareNoCase(path) != 0) {
        SetPathText(path);
        LoadPictureByExtension();
    }
}

void CGraphImageExt::DrawFieldCode(CDC* pDC)
{
    LOGFONTA lf = {};
    lf.lfHeight = MulDiv(12, m_dpiY, 72);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(lf.lfFaceName, "Arial");
    CFont font;
    font.CreateFontIndirect(&lf);
    const CString code = GetFieldCode();
    const int saved = pDC->SaveDC();
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextAlign(TA_CENTER | TA_TOP);
    pDC->SelectObject(&font);
    const CRect& r = m_deviceRect;
    pDC->ExtTextOut((r.left + r.right) / 2, r.top, ETO_CLIPPED, &r, code);
    pDC->RestoreDC(saved);
}

bool CGraphImageExt::Draw(CDC* pDC, int zoom, int originX, int originY, bool designFrame, int row,
                          int, int, int, CDataTableBase* table, CDataTableMap* columnMap,
                          bool design)
{
    PrepareForDevice(pDC, zoom, originX, originY);
    const bool fromTable = m_source == kImageSourceTable;
    if (fromTable && design)
        DrawFieldCode(pDC);
    else if (fromTable)
        TakeRowPicture(row, table, columnMap);
    if (!fromTable || (row >= 0 && !design)) {
        const int flags = (m_stretch ? kImageStretch : 0) | (m_centred ? kImageCentre : 0);
        const CRect& r = m_deviceRect;
        m_holder->Draw(pDC, m_path, r.left, r.top, r.right, r.bottom, ClampPercent(m_crop[0]),
                       ClampPercent(m_crop[1]), ClampPercent(m_crop[2]), ClampPercent(m_crop[3]),
                       flags);
    }
    if (designFrame)
        DrawOutline(0, 0, pDC);
    return true;
}

// ---- records ----

bool CGraphImageExt::ReadExtRecord(RecordReader& r, CFile* file, ExtRecord& rec)
{
    int16_t source;
    uint8_t stretch, centred;
    int32_t crop[4];
    if (!ReadImageRecord(r, file, rec) || !r.I16(source) || !r.U8(stretch) || !r.U8(centred))
        return false;
    for (int32_t& c : crop)
        r.I32(c);
    r.U8(rec.reservedA);
    r.U8(rec.reservedB);
    for (int16_t& v : rec.reservedShort)
        r.I16(v);
    for (int32_t& v : rec.reservedLong)
        r.I32(v);
    if (!r.ok())
        return false;
    rec.source = source;
    rec.stretch = stretch != 0;
    rec.centred = centred != 0;
    for (int i = 0; i < 4; ++i)
        rec.crop[i] = crop[i];
    return true;
}

void CGraphImageExt::WriteExtRecord(RecordWriter& w, CFile* file) const
{
    WriteImageRecord(w, file);
    w.I16(m_source);
    w.U8(m_stretch ? 1 : 0);
    w.U8(m_centred ? 1 : 0);
    for (int c : m_crop)
        w.I32(c);
    w.U8(m_reservedA);
    w.U8(m_reservedB);
    for (int16_t v : m_reservedShort)
        w.I16(v);
    for (int32_t v : m_reservedLong)
        w.I32(v);
}

void CGraphImageExt::ApplyExtRecord(ExtRecord& rec)
{
    ApplyImageRecord(rec);
    m_source = static_cast<int16_t>(rec.source);
    m_stretch = rec.stretch;
    m_centred = rec.centred;
    std::memcpy(m_crop, rec.crop, sizeof m_crop);
    m_reservedA = rec.reservedA;
    m_reservedB = rec.reservedB;
    std::memcpy(m_reservedShort, rec.reservedShort, sizeof m_reservedShort);
    std::memcpy(m_reservedLong, rec.reservedLong, sizeof m_reservedLong);
}

bool CGraphImageExt::Load(CFile* file)
{
    RecordReader r(file);
    ExtRecord rec;
    if (!ReadExtRecord(r, file, rec))
        return false;
    ApplyExtRecord(rec);
    return true;
}

bool CGraphImageExt::Save(CFile* file)
{
    RecordWriter w(file);
    WriteExtRecord(w, file);
    return w.ok();
}

// ==== CGraphImageExtExt ===========================================================================

bool CGraphImageExtExt::GetColumnName(char* out, int size)
{
    if (m_source == kImageSourceFile)
        return false;
    if (m_imageColumn < 0)
        return true;
    CString name;
    name.Format("%s %d", LoadStringOr(IDS_IMAGE_COLUMN_WORD, "Image").GetString(),
                m_imageColumn + 1);
    CopyTextBounded(out, size, name);
    return true;
}

bool CGraphImageExtExt::SetColumnName(const char* name)
{
    if (!name)
        return false;
    char word[256];
    int number = 0;
    if (std::sscanf(name, "%255s %d", word, &number) != 2 && std::sscanf(name, "%d", &number) != 1)
        return false;
    if (number >= 1 && number <= kMaxImageColumn + 1)
        m_imageColumn = static_cast<int16_t>(number - 1);
    return true;
}

bool CGraphImageExtExt::CreateFromClipboard(UINT format, HGLOBAL handle)
{
    std::unique_ptr<CImageBase> holder;
    if (format == CF_METAFILEPICT)
        holder.reset(new CImageMetafile);
    else if (format == CF_DIB)
        holder.reset(new CImageBitmapNew);
    else
        return false;
    // The picture gives its size (when it has one) to a stand-in, so that a failure changes nothing.
    struct Size {
        int width = 10000, height = 10000;
        bool TrySetWidth(int um) { width = um; return true; }
        bool TrySetHeight(int um) { height = um; return true; }
    } size;
    if (!holder->SetFromClipboard(&size, format, handle))
        return false;
    m_x = 0;
    m_y = 0;
    TrySetWidth(size.width);
    TrySetHeight(size.height);
    m_path.Empty();
    SetHolder(holder.release());
    m_lineWidth = 0;
    m_stretch = false;
    m_centred = false;
    SetCrop(0, 0, 100, 100);
    m_source = kImageSourceFile;
    return true;
}

bool CGraphImageExtExt::Load(CFile* file)
{
    RecordReader r(file);
    ExtRecord rec;
    int16_t column;
    if (!ReadExtRecord(r, file, rec) || !r.I16(column))
        return false;
    ApplyExtRecord(rec);
    m_imageColumn = column;
    return true;
}

bool CGraphImageExtExt::Save(CFile* file)
{
    RecordWriter w(file);
    WriteExtRecord(w, file);
    w.I16(m_imageColumn);
    return w.ok();
}
