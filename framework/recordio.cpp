#include "framework/recordio.h"

#include <algorithm>
#include <cstring>
#include <type_traits>
#include <vector>

namespace {

// Assembles/splits little-endian integers byte by byte so the code does not depend on the host.
template <class T>
T FromLE(const uint8_t* b)
{
    typedef typename std::make_unsigned<T>::type U;
    U v = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        v |= static_cast<U>(static_cast<U>(b[i]) << (8 * i));
    return static_cast<T>(v);
}

template <class T>
void ToLE(T value, uint8_t* b)
{
    typedef typename std::make_unsigned<T>::type U;
    U v = static_cast<U>(value);
    for (size_t i = 0; i < sizeof(T); ++i)
        b[i] = static_cast<uint8_t>(v >> (8 * i));
}

template <class T>
bool ReadInt(RecordReader& r, T& out)
{
    uint8_t b[sizeof(T)];
    if (!r.Raw(b, sizeof(T)))
        return false;
    out = FromLE<T>(b);
    return true;
}

template <class T>
bool WriteInt(RecordWriter& w, T v)
{
    uint8_t b[sizeof(T)];
    ToLE(v, b);
    return w.Raw(b, sizeof(T));
}

} // namespace

// ==== RecordReader ===============================================================================

bool RecordReader::Take(void* data, UINT n)
{
    if (!m_ok)
        return false;
    if (n == 0)
        return true;
    if (m_file->Read(data, n) != n) {
        m_ok = false;
        return false;
    }
    return true;
}

bool RecordReader::Raw(void* data, UINT n)
{
    if (!m_ok || (n && !data)) {
        m_ok = false;
        return false;
    }
    // Read into scratch first so that a short read leaves the caller's memory as it was.
    if (n <= 64) {
        uint8_t tmp[64];
        if (!Take(tmp, n))
            return false;
        std::memcpy(data, tmp, n);
        return true;
    }
    std::vector<uint8_t> tmp(n);
    if (!Take(tmp.data(), n))
        return false;
    std::memcpy(data, tmp.data(), n);
    return true;
}

bool RecordReader::U8(uint8_t& v) { return ReadInt(*this, v); }
bool RecordReader::I8(int8_t& v) { return ReadInt(*this, v); }
bool RecordReader::I16(int16_t& v) { return ReadInt(*this, v); }
bool RecordReader::U16(uint16_t& v) { return ReadInt(*this, v); }
bool RecordReader::I32(int32_t& v) { return ReadInt(*this, v); }
bool RecordReader::U32(uint32_t& v) { return ReadInt(*this, v); }
bool RecordReader::I64(int64_t& v) { return ReadInt(*this, v); }
bool RecordReader::U64(uint64_t& v) { return ReadInt(*this, v); }

bool RecordReader::Bool(bool& v)
{
    uint8_t b;
    if (!U8(b))
        return false;
    v = b != 0;
    return true;
}

bool RecordReader::F32(float& v)
{
    uint32_t bits;
    if (!U32(bits))
        return false;
    std::memcpy(&v, &bits, sizeof v);
    return true;
}

bool RecordReader::F64(double& v)
{
    uint64_t bits;
    if (!U64(bits))
        return false;
    std::memcpy(&v, &bits, sizeof v);
    return true;
}

bool RecordReader::FixedString(CString& out, UINT n)
{
    std::vector<char> buf(static_cast<size_t>(n) + 1, '\0');
    if (!Take(buf.data(), n))
        return false;
    out = CString(buf.data(), static_cast<int>(std::strlen(buf.data())));
    return true;
}

bool RecordReader::CountedString16(CString& out, UINT max)
{
    if (!m_ok)
        return false;
    int16_t len;
    if (!I16(len))
        return false;
    if (len < 0 || static_cast<UINT>(len) > max) {
        m_ok = false;
        return false;
    }
    std::vector<char> buf(static_cast<size_t>(len) + 1, '\0');
    if (!Take(buf.data(), static_cast<UINT>(len)))
        return false;
    out = CString(buf.data(), len);
    return true;
}

bool RecordReader::Skip(UINT n)
{
    if (!m_ok)
        return false;
    // Skipping must not go past the end either: check against the length instead of seeking blind.
    ULONGLONG pos = m_file->GetPosition();
    if (pos + n > m_file->GetLength()) {
        m_ok = false;
        return false;
    }
    m_file->Seek(static_cast<LONGLONG>(n), CFile::current);
    return true;
}

// ==== RecordWriter ===============================================================================

bool RecordWriter::Raw(const void* data, UINT n)
{
    if (!m_ok)
        return false;
    if (n == 0)
        return true;
    if (!data || !m_file->Write(data, n)) {
        m_ok = false;
        return false;
    }
    return true;
}

bool RecordWriter::U8(uint8_t v) { return WriteInt(*this, v); }
bool RecordWriter::I8(int8_t v) { return WriteInt(*this, v); }
bool RecordWriter::Bool(bool v) { return U8(v ? 1 : 0); }
bool RecordWriter::I16(int16_t v) { return WriteInt(*this, v); }
bool RecordWriter::U16(uint16_t v) { return WriteInt(*this, v); }
bool RecordWriter::I32(int32_t v) { return WriteInt(*this, v); }
bool RecordWriter::U32(uint32_t v) { return WriteInt(*this, v); }
bool RecordWriter::I64(int64_t v) { return WriteInt(*this, v); }
bool RecordWriter::U64(uint64_t v) { return WriteInt(*this, v); }

bool RecordWriter::F32(float v)
{
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return U32(bits);
}

bool RecordWriter::F64(double v)
{
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return U64(bits);
}

bool RecordWriter::FixedString(const char* s, UINT n)
{
    if (n == 0)
        return m_ok;
    std::vector<char> buf(n, '\0');
    if (s) {
        size_t len = std::min<size_t>(std::strlen(s), n - 1);
        std::memcpy(buf.data(), s, len);
    }
    return Raw(buf.data(), n);
}

bool RecordWriter::CountedString16(const char* s)
{
    size_t len = s ? std::strlen(s) : 0;
    if (len > 32767) {
        m_ok = false;
        return false;
    }
    return I16(static_cast<int16_t>(len)) && Raw(s, static_cast<UINT>(len));
}

bool RecordWriter::Zeros(UINT n)
{
    std::vector<char> buf(n, '\0');
    return Raw(buf.data(), n);
}
