#pragma once
// Image holders: the picture inside an image object (pixels or metafile bits with the picture's
// natural size), drawn into a rectangle with cropping and aspect fitting, exchanged with the
// clipboard, turned by quarter turns and written into the object's record. The image object owns
// its holder; Clone makes deep copies. Every holder owns its memory blocks and metafile handles.
//
// The operations that resize the owning object (FitToPicture, SetFromClipboard) take any owner with
// TrySetWidth(int) and TrySetHeight(int) in micrometres; the holder works out the size itself.
#include "framework/cstring.h"
#include "framework/file.h"
#include "framework/gdi.h"
#include "framework/geometry.h"
#include "framework/object.h"
#include <windows.h>
#include <vector>

// Record type codes of the holders.
constexpr int kImageHolderEmpty = 162;
constexpr int kImageHolderBitmap = 163;
constexpr int kImageHolderMetafile = 164;
constexpr int kImageHolderBitmapNew = 165;
constexpr int kImageHolderBitmapExt = 179;   // read only; such a holder writes 163

// Draw flags.
constexpr int kImageCentre = 0x01;           // centre the picture when its aspect is kept
constexpr int kImageStretch = 0x10;          // fill the rectangle regardless of aspect

// Fits a bitmap whose visible (cropped) part is visibleWidth x visibleHeight pixels into `rc`
// (device pixels, right and bottom exclusive) keeping its aspect unless kImageStretch is set.
// false when nothing is to be drawn: an empty visible part or an empty result.
bool FitBitmapRect(RECT& rc, int visibleWidth, int visibleHeight, int flags);
// The same for a metafile of widthUm x heightUm micrometres; a zero size (or kImageStretch) fills
// the rectangle.
bool FitMetafileRect(RECT& rc, int widthUm, int heightUm, int flags);

// The empty picture, and the base of every holder.
class CImageBase : public CObject {
public:
    CImageBase() = default;
    ~CImageBase() override = default;

    virtual bool CanRotate() const { return false; }
    virtual CImageBase* Clone() const { return new CImageBase; }
    // Puts the picture on the clipboard, which the caller has opened (and emptied).
    virtual bool CopyPictureToClipboard() { return false; }
    // Draws into left, top, right, bottom (device pixels) showing the crop rectangle (percent of
    // the picture) with the kImage* flags; a holder that is still empty first reads `path`.
    virtual void Draw(CDC* dc, const char* path, int left, int top, int right, int bottom,
                      int cropLeft, int cropTop, int cropRight, int cropBottom, int flags);
    template <class Owner> bool SetFromClipboard(Owner* owner, UINT format, HGLOBAL handle);
    virtual int GetAspectPercent() const { return 100; }
    // direction 1 turns counter-clockwise on the screen, any other value clockwise.
    virtual void Rotate90(int direction) {}
    template <class Owner> bool FitToPicture(Owner* owner);
    // Read and write the body of the record (after the type code). A reader that fails leaves the
    // holder unchanged; it answers true, with an empty holder, for a record that is whole but holds
    // no usable picture.
    virtual bool Load(CFile* file) { return file != nullptr; }
    virtual bool Save(CFile* file) const { return file != nullptr; }
    bool SaveWithType(CFile* file) const;
    virtual int GetTypeCode() const { return kImageHolderEmpty; }

    virtual bool IsEmpty() const { return true; }
    // The size (micrometres) FitToPicture gives the owner; false when the picture has none.
    virtual bool GetFitSize(CSize& sizeUm) const { return false; }
    // Takes a picture from a clipboard handle (a copy; the clipboard keeps its own) and answers the
    // size the owner takes, 0 x 0 when the picture has no size; false, unchanged, on failure.
    virtual bool TakeClipboardPicture(UINT format, HGLOBAL handle, CSize& ownerSizeUm) { return false; }
};

// Pixels of old records: a BITMAPINFO (with its colour table) and the bits apart from it. A record
// whose picture cannot be drawn is kept as read, so that saving it again loses nothing.
class CImageBitmap : public CImageBase {
public:
    CImageBase* Clone() const override;
    bool CopyPictureToClipboard() override;
    void Draw(CDC* dc, const char* path, int left, int top, int right, int bottom, int cropLeft,
              int cropTop, int cropRight, int cropBottom, int flags) override;
    bool Load(CFile* file) override;
    bool Save(CFile* file) const override;
    int GetTypeCode() const override { return kImageHolderBitmap; }
    bool IsEmpty() const override { return !m_usable; }

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    const std::vector<BYTE>& Header() const { return m_header; }
    const std::vector<BYTE>& Bits() const { return m_bits; }

private:
    int m_width = 0;               // pixels, as the record gives them
    int m_height = 0;
    std::vector<BYTE> m_header;    // BITMAPINFO with colour table, as many bytes as the record gave
    std::vector<BYTE> m_bits;      // biSizeImage bytes
    bool m_usable = false;         // the header is sound and the bits cover it
};

// The same as CImageBitmap; only records of code 179 create it.
class CImageBitmapExt : public CImageBitmap {
public:
    CImageBase* Clone() const override;
};

// A packed device-independent bitmap from a picture file, the clipboard or a record. A record whose
// bitmap cannot be drawn is kept as read, so that saving it again loses nothing.
class CImageBitmapNew : public CImageBase {
public:
    CImageBitmapNew() = default;
    ~CImageBitmapNew() override;
    CImageBitmapNew(const CImageBitmapNew&) = delete;
    CImageBitmapNew& operator=(const CImageBitmapNew&) = delete;

    bool CanRotate() const override { return true; }
    CImageBase* Clone() const override;
    bool CopyPictureToClipboard() override;
    void Draw(CDC* dc, const char* path, int left, int top, int right, int bottom, int cropLeft,
              int cropTop, int cropRight, int cropBottom, int flags) override;
    int GetAspectPercent() const override;
    void Rotate90(int direction) override;
    bool Load(CFile* file) override;
    bool Save(CFile* file) const override;
    int GetTypeCode() const override { return kImageHolderBitmapNew; }
    bool IsEmpty() const override { return m_dib == nullptr; }
    bool GetFitSize(CSize& sizeUm) const override;
    bool TakeClipboardPicture(UINT format, HGLOBAL handle, CSize& ownerSizeUm) override;

    // Reads a JPEG, BMP or PNG file (by content); false, unchanged, when it cannot.
    bool LoadFromFile(const char* path);
    // Takes ownership of a packed DIB; false when it is not a valid one, and the block then stays
    // the caller's to free.
    bool Attach(HGLOBAL dib);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    HGLOBAL Dib() const { return m_dib; }

private:
    void Reset(HGLOBAL dib, int width, int height);

    HGLOBAL m_dib = nullptr;       // header, colour table and bits in one block
    int m_width = 0;               // pixels (16 bits in records)
    int m_height = 0;
    std::vector<BYTE> m_kept;      // without m_dib: a record's unusable bitmap, written back as read
    int m_keptWidth = 0;
    int m_keptHeight = 0;
};

// A Windows metafile with its natural size, from a ".wmf" file, the clipboard or a record. Record
// bits that are not a sound metafile are kept as read (and not drawn).
class CImageMetafile : public CImageBase {
public:
    CImageMetafile() = default;
    ~CImageMetafile() override;
    CImageMetafile(const CImageMetafile&) = delete;
    CImageMetafile& operator=(const CImageMetafile&) = delete;

    CImageBase* Clone() const override;
    bool CopyPictureToClipboard() override;
    void Draw(CDC* dc, const char* path, int left, int top, int right, int bottom, int cropLeft,
              int cropTop, int cropRight, int cropBottom, int flags) override;
    int GetAspectPercent() const override;
    bool Load(CFile* file) override;
    bool Save(CFile* file) const override;
    int GetTypeCode() const override { return kImageHolderMetafile; }
    bool IsEmpty() const override { return m_metafile == nullptr; }
    bool GetFitSize(CSize& sizeUm) const override;
    bool TakeClipboardPicture(UINT format, HGLOBAL handle, CSize& ownerSizeUm) override;

    // Reads a placeable or plain ".wmf" file; the metafile, or null (holder unchanged).
    HMETAFILE LoadFromFile(const char* path);

    int WidthUm() const { return m_width; }
    int HeightUm() const { return m_height; }
    UINT BitsSize() const { return m_bitsSize; }
    HMETAFILE Metafile() const { return m_metafile; }

private:
    void Reset(HMETAFILE metafile, int width, int height, UINT bitsSize);

    int m_width = 0;               // micrometres
    int m_height = 0;
    UINT m_bitsSize = 0;           // bytes of the metafile's bits
    HMETAFILE m_metafile = nullptr;
    std::vector<BYTE> m_kept;      // without m_metafile: a record's unusable bits, written back
};

// The holder for a picture file by its extension (compared without regard to case): ".jpg", ".bmp"
// and ".png" an empty CImageBitmapNew, ".wmf" an empty CImageMetafile, anything else (".jpeg"
// included) null. The picture is read when the holder first draws. The caller owns the result.
CImageBase* CreateImageHolderForFile(const char* path);

// The holder a record's type code names (162, 163, 164, 165, 179), empty; null for other codes.
CImageBase* CreateImageHolderForCode(int code);

// ---- Owner operations -----------------------------------------------------------------------------

template <class Owner> bool CImageBase::FitToPicture(Owner* owner)
{
    CSize size;
    if (!owner || !GetFitSize(size))
        return false;
    owner->TrySetWidth(size.cx);
    owner->TrySetHeight(size.cy);
    return true;
}

template <class Owner> bool CImageBase::SetFromClipboard(Owner* owner, UINT format, HGLOBAL handle)
{
    CSize size;
    if (!TakeClipboardPicture(format, handle, size))
        return false;
    if (owner && size.cx > 0 && size.cy > 0) {
        owner->TrySetWidth(size.cx);
        owner->TrySetHeight(size.cy);
    }
    return true;
}
