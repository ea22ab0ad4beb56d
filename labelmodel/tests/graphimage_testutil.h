#pragma once
// Helpers of the image object tests: a data table with image-column flags behind the label
// model's cell reader, record bytes of image objects, picture files written at test time and a
// hidden window that owns the clipboard.
#include "imagetestutil.h"

#include "framework/file.h"
#include "labelmodel/graphimage.h"
#include "labelmodel/tablesource.h"
#include "testsupport/picturefiles.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <utility>

namespace imgobj {

using imagetest::Bytes;

// Cells by (0-based row, column), image flags by column, and a column map (identity unless set).
struct ImageTable {
    std::map<std::pair<int, int>, std::string> cells;
    bool imageColumn[kColumnMapSize] = {};
    int map[kColumnMapSize];

    ImageTable()
    {
        for (int i = 0; i < kColumnMapSize; ++i)
            map[i] = i;
    }
    void Set(int row, int column, const char* text) { cells[std::make_pair(row, column)] = text; }
    CDataTableBase* Table() { return reinterpret_cast<CDataTableBase*>(this); }
    CDataTableMap* Map() { return reinterpret_cast<CDataTableMap*>(map); }
};

class ImageTableReader : public CTableCellReader {
public:
    explicit ImageTableReader(ImageTable& table) : m_table(table)
    {
        m_previous = SetTableCellReader(this);
    }
    ~ImageTableReader() override { SetTableCellReader(m_previous); }
    ImageTableReader(const ImageTableReader&) = delete;
    ImageTableReader& operator=(const ImageTableReader&) = delete;

    const char* GetCellText(const CDataTableBase*, int row, int column) const override
    {
        auto it = m_table.cells.find(std::make_pair(row, column));
        return it == m_table.cells.end() ? "" : it->second.c_str();
    }
    int GetMapEntry(const CDataTableMap* map, int k) const override
    {
        return reinterpret_cast<const int*>(map)[k];
    }
    bool IsImageColumn(const CDataTableBase*, int column) const override
    {
        return column >= 0 && column < kColumnMapSize && m_table.imageColumn[column];
    }

private:
    ImageTable& m_table;
    const CTableCellReader* m_previous;
};

template <class T> Bytes SaveObject(T& object)
{
    CMemFile f;
    if (!object.Save(&f))
        return Bytes();
    return f.Bytes();
}

// Loads the first `count` bytes (all when -1); `consumed` receives how many were read.
template <class T>
bool LoadObject(T& object, const Bytes& bytes, long count = -1, ULONGLONG* consumed = nullptr)
{
    CMemFile f;
    const size_t n = count < 0 ? bytes.size() : (size_t)count;
    if (n)
        f.Write(bytes.data(), (UINT)n);
    f.SeekToBegin();
    const bool ok = object.Load(&f);
    if (consumed)
        *consumed = f.GetPosition();
    return ok;
}

// A 24-bit picture file of four quadrants (red, green / blue, yellow) or of one colour.
inline CString WriteQuadrantFile(const TempDir& dir, const char* name, const GUID& container,
                                 int width, int height)
{
    const CString path = dir.Path(name);
    EXPECT_TRUE(picturefiles::WritePicture(path, container, width, height,
                                           picturefiles::QuadrantPixels(width, height)));
    return path;
}

inline CString WriteSolidFile(const TempDir& dir, const char* name, const GUID& container,
                              COLORREF colour)
{
    const CString path = dir.Path(name);
    EXPECT_TRUE(picturefiles::WritePicture(path, container, 8, 8,
                                           [colour](int, int) { return colour; }));
    return path;
}

// A placeable ".wmf" of 1 x 0.5 inch: the left half red, the right half blue.
inline CString WriteTwoColourWmf(const TempDir& dir, const char* name)
{
    Bytes file = imagetest::PlaceableBytes(1440, 720, 1440);
    imagetest::Append(file, imagetest::TwoColourMetafileBits());
    const CString path = dir.Path(name);
    EXPECT_TRUE(imagetest::WriteFile(path, file));
    return path;
}

// A message-only window that owns the clipboard while a test uses it.
class ClipboardOwner {
public:
    ClipboardOwner()
    {
        m_window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    }
    ~ClipboardOwner()
    {
        if (Open()) {
            EmptyClipboard();
            CloseClipboard();
        }
        DestroyWindow(m_window);
    }
    ClipboardOwner(const ClipboardOwner&) = delete;
    ClipboardOwner& operator=(const ClipboardOwner&) = delete;

    HWND Window() const { return m_window; }
    // Wine's own clipboard process may hold it for a moment.
    bool Open()
    {
        for (int attempt = 0; attempt < 50; ++attempt) {
            if (OpenClipboard(m_window))
                return true;
            Sleep(20);
        }
        return false;
    }

private:
    HWND m_window = nullptr;
};

} // namespace imgobj
