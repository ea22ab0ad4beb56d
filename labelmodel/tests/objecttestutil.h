#pragma once
// Helpers shared by the label object tests: record bytes in memory files, a little-endian byte
// builder, a scripted keyboard for the markers and the zoom that gives exact millimetres.
#include "framework/file.h"
#include "labelmodel/graphobject.h"
#include "labelmodel/marker.h"

#include <cstdint>
#include <ostream>
#include <vector>

// Readable rectangles in failure messages.
inline void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace objtest {

using Bytes = std::vector<uint8_t>;

// Builds expected records field by field, little-endian.
struct ByteBuilder {
    Bytes bytes;
    ByteBuilder& U8(uint8_t v) { bytes.push_back(v); return *this; }
    ByteBuilder& I16(int v)
    {
        const uint16_t u = static_cast<uint16_t>(v);
        bytes.push_back(u & 0xFF);
        bytes.push_back(u >> 8);
        return *this;
    }
    ByteBuilder& I32(long long v)
    {
        const uint32_t u = static_cast<uint32_t>(v);
        for (int i = 0; i < 4; ++i)
            bytes.push_back((u >> (8 * i)) & 0xFF);
        return *this;
    }
};

inline Bytes ReadAll(CFile& file)
{
    const UINT n = static_cast<UINT>(file.GetLength());
    Bytes out(n);
    file.SeekToBegin();
    if (n)
        file.Read(out.data(), n);
    return out;
}

// A memory file holding the given bytes, positioned at the start.
inline void FillFile(CMemFile& file, const Bytes& bytes, size_t count)
{
    if (count)
        file.Write(bytes.data(), static_cast<UINT>(count));
    file.SeekToBegin();
}

template <class T>
Bytes SaveBytes(T& object)
{
    CMemFile file;
    if (!object.Save(&file))
        return Bytes();
    return ReadAll(file);
}

// Loads from the first `count` bytes of a record.
template <class T>
bool LoadBytes(T& object, const Bytes& bytes, size_t count)
{
    CMemFile file;
    FillFile(file, bytes, count);
    return object.Load(&file);
}

template <class T>
bool LoadBytes(T& object, const Bytes& bytes)
{
    return LoadBytes(object, bytes, bytes.size());
}

// Holds keys down for the markers while it lives (Ctrl grows an outline from its centre).
class ScriptedKeys {
public:
    explicit ScriptedKeys(bool ctrlDown = false)
    {
        s_ctrl = ctrlDown;
        m_previous = SetMarkerKeyStateFunction(&ScriptedKeys::State);
    }
    ~ScriptedKeys() { SetMarkerKeyStateFunction(m_previous); }
    void SetCtrl(bool down) { s_ctrl = down; }

private:
    static SHORT WINAPI State(int key)
    {
        return (key == VK_CONTROL && s_ctrl) ? static_cast<SHORT>(0x8000) : 0;
    }
    static inline bool s_ctrl = false;
    KeyStateFunction m_previous;
};

// At 96 logical dots per inch a zoom of 132 % gives 127 dpi: exactly 5 pixels per millimetre,
// so lengths in whole millimetres survive the trip to pixels and back.
const int kZoomExactMm = 132;
const int kDpiExactMm = 127;

} // namespace objtest
