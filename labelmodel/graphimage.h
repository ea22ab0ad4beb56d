#pragma once
// Image objects: a box on the label that shows a picture, either one picture file or, per label,
// the file named in an image column of the data table. CGraphImage (161) is the abstract base,
// CGraphImageExt (169) the kind of older files, CGraphImageExtExt (189) the kind that is created
// and that chooses among the table's image columns. An image object always owns exactly one
// holder (the empty CImageBase when it has no picture) and deletes it; a copy clones it.
#include "labelmodel/graphobject.h"
#include "labelmodel/imageholder.h"

#include <commdlg.h>
#include <memory>
#include <string>
#include <vector>

// String table ids (labelmodel/res/strings.rc).
#define IDS_IMAGE_COLUMN_WORD 683       // "Image": image column names and the field code
#define IDS_IMAGE_FILE_FILTER 884       // "Image files |*.jpg;*.jpeg;*.bmp;*.png;*.wmf||"

// Where the picture comes from.
constexpr int kImageSourceFile = 1;
constexpr int kImageSourceTable = 2;

// ---- the picture file dialog ----------------------------------------------------------------------

// The dialog's filter list from string 884, '|' turned into NULs and ending in two NULs.
std::string PictureFileFilter();
// Fills `ofn` for choosing a picture: default extension "jpg", the filter, explorer style,
// resizable, the file must exist, no read-only box. `fileBuffer` holds the current path on entry
// and the chosen one on return; the dialog starts in the current picture's folder.
void PreparePictureFileDialog(OPENFILENAMEA& ofn, HWND owner, const std::string& filter,
                              char* fileBuffer, DWORD bufferSize);
// Shows the dialog (GetOpenFileNameA unless a test replaced it). Returns the previous function.
using PictureFileDialogFunction = BOOL (*)(OPENFILENAMEA* ofn);
PictureFileDialogFunction SetPictureFileDialogFunction(PictureFileDialogFunction show);

// ---- picture paths that fit the record -----------------------------------------------------------
// An image record keeps 127 characters of path. A longer path is refused where a person chooses
// it (the picture dialog, the link-image dialog, dropped files), with a message that names it and
// the limit; it is never cut, which would point the saved label at another file or none.

// The message for paths that do not fit.
CString TooLongImagePathsText(const std::vector<CString>& paths);
// True when path fits the record; else the message (error icon, owned by owner) and false.
bool AcceptImagePath(const char* path, HWND owner);
// Takes out of paths those that do not fit, with one message naming them; the rest keep their
// order.
void KeepImagePathsThatFit(std::vector<CString>& paths, HWND owner);

class CGraphImage : public CGraph2Dim {
public:
    static const int kTypeCode = 161;
    static const int kMaxPathLength = 260;      // characters of a path
    static const int kRecordPathField = 128;    // a record keeps 127 characters
    static const int kMaxRecordPathLength = kRecordPathField - 1;
    static const int kRecordReservedBytes = 13;

    // Whether a picture path fits the record (127 characters or fewer).
    static bool PathFitsRecord(const char* path);

    CGraphImage();
    CGraphImage(const CGraphImage& src);        // the holder is cloned
    ~CGraphImage() override;

    // ---- operations of CGraphObject ----
    bool CopyPictureToClipboard() override;
    bool EditContent(CWnd* parent) override;
    bool CanEditContent() override { return true; }
    bool IsImage() override { return true; }
    bool PaintsOutsideBox() override;
    bool FitToPicture() override;
    // A record whose holder code is not a holder's shows "key = %d" and answers false: the rest of
    // the record cannot be found. Every bad record leaves the object as it was.
    bool Load(CFile* file) override;
    bool Save(CFile* file) override;
    void Rotate90(int cx, int cy, int dir) override;
    int GetAspectPercent() override;
    int GetTypeCode() override { return kTypeCode; }
    bool IsFileSource() override { return true; }
    // A path that does not fit the record is refused (false, nothing changes).
    bool SetImagePath(const char* path) override;
    int GetSourceKind() override { return 1; }

    CImageBase* GetHolder() const { return m_holder.get(); }
    // Takes ownership; null puts the empty picture in place.
    void SetHolder(CImageBase* holder);
    const CString& GetPath() const { return m_path; }

protected:
    // x, y, width, height, 13 reserved bytes, the path in 128 bytes, then the holder's code and
    // body: the record of every image object, before the fields of the classes above.
    struct ImageRecord : BaseRecord {
        int width = 0, height = 0;
        CString path;
        std::unique_ptr<CImageBase> holder;
    };
    static bool ReadImageRecord(RecordReader& r, CFile* file, ImageRecord& rec);
    void WriteImageRecord(RecordWriter& w, CFile* file) const;
    void ApplyImageRecord(ImageRecord& rec);

    // The path cut to 260 characters.
    void SetPathText(const char* path);
    // Replaces the holder by an empty one of the kind the path's extension names; an extension
    // that no holder reads gives the empty picture, never the picture held before.
    void LoadPictureByExtension();
    // A holder other than the empty picture: only such a holder has an aspect or can refuse a turn.
    bool HasPictureHolder() const;

    std::unique_ptr<CImageBase> m_holder;
    CString m_path;
};

class CGraphImageExt : public CGraphImage {
public:
    static const int kTypeCode = 169;

    CGraphImageExt();                           // line width 0
    CGraphImageExt(const CGraphImageExt& src);  // the reserved fields are not copied

    // ---- operations of CGraphObject ----
    int GetImageSource() override { return m_source; }
    void SetImageSource(int source) override;   // 1 and 2 only
    void SetStretchToFit(bool on) override { m_stretch = on; }
    bool IsStretchToFit() override { return m_stretch; }
    void SetImageCentred(bool on) override { m_centred = on; }
    bool IsImageCentred() override { return m_centred; }
    bool HasPictureOptions() override { return true; }
    bool HasImageSource() override { return true; }
    CGraphObject* Clone() override { return new CGraphImageExt(*this); }
    bool Load(CFile* file) override;
    bool Save(CFile* file) override;
    bool Draw(CDC* pDC, int zoom, int originX, int originY, bool designFrame, int row, int flags,
              int fitResolutionX, int fitResolutionY, CDataTableBase* table,
              CDataTableMap* columnMap, bool design) override;
    int GetTypeCode() override { return kTypeCode; }
    bool IsFileSource() override { return m_source == kImageSourceFile; }
    bool SetImagePath(const char* path) override;
    int GetSourceKind() override;
    void SetSourceKind(int kind) override;

    // ---- own operations ----
    // Which of the table's image columns the object reads (0 = the first flagged column).
    virtual int GetImageColumn() { return 0; }
    // The picture path of a 1-based table row into out (at most size - 1 characters): the cell of
    // the image column, "" without a table, an image column or such a row.
    virtual void GetImagePathForRecord(int row, char* out, int size, CDataTableBase* table,
                                       CDataTableMap* columnMap);

    // Crop rectangle in percent of the picture: left, top, right, bottom.
    void SetCrop(int left, int top, int right, int bottom);
    void GetCrop(int* left, int* top, int* right, int* bottom) const;
    // "[Image n]": what the design view shows for a picture from the table.
    CString GetFieldCode();

protected:
    struct ExtRecord : ImageRecord {
        int source = kImageSourceFile;
        bool stretch = false, centred = true;
        int crop[4] = {0, 0, 100, 100};
        uint8_t reservedA = 0, reservedB = 0;
        int16_t reservedShort[3] = {0, 0, 0};
        int32_t reservedLong[4] = {0, 0, 0, 0};
    };
    static bool ReadExtRecord(RecordReader& r, CFile* file, ExtRecord& rec);
    void WriteExtRecord(RecordWriter& w, CFile* file) const;
    void ApplyExtRecord(ExtRecord& rec);

    // The holder for the path of this row: the one held while the path stays the same (in any
    // letter case), else a new empty holder of the new path's kind.
    void TakeRowPicture(int row, CDataTableBase* table, CDataTableMap* columnMap);
    void DrawFieldCode(CDC* pDC);

    int16_t m_source = kImageSourceFile;
    bool m_stretch = false;
    bool m_centred = true;
    int m_crop[4] = {0, 0, 100, 100};
    // Kept by records, not used.
    uint8_t m_reservedA = 0, m_reservedB = 0;
    int16_t m_reservedShort[3] = {0, 0, 0};
    int32_t m_reservedLong[4] = {0, 0, 0, 0};
};

class CGraphImageExtExt : public CGraphImageExt {
public:
    static const int kTypeCode = 189;
    static const int kMaxImageColumn = 3;       // four image columns can be chosen

    CGraphImageExtExt() = default;
    CGraphImageExtExt(const CGraphImageExtExt& src) = default;

    CGraphObject* Clone() override { return new CGraphImageExtExt(*this); }
    bool Load(CFile* file) override;
    bool Save(CFile* file) override;
    int GetTypeCode() override { return kTypeCode; }
    // "Image n" for image column n - 1; false for a picture file.
    bool GetColumnName(char* out, int size) override;
    // "Image n" or "n": n from 1 to 4 chooses image column n - 1; true when a number was read.
    bool SetColumnName(const char* name) override;
    int GetImageColumn() override { return m_imageColumn; }

    void SetImageColumn(int index) { m_imageColumn = static_cast<int16_t>(index); }

    // Makes this object the picture of a clipboard paste: at 0, 0, the picture's size (10 x 10 mm
    // when it has none), no path, no line, neither stretched nor centred, uncropped, from a file.
    // format CF_METAFILEPICT or CF_DIB; false, and nothing changed, for any other format or a
    // handle that holds no usable picture.
    bool CreateFromClipboard(UINT format, HGLOBAL handle);

private:
    int16_t m_imageColumn = 0;
};
