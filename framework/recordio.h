#pragma once
// Little-endian field-by-field I/O for the fixed record formats. The reader never reads past what
// the file holds and fails sticky: after the first short read or bad length every call fails and
// leaves its output untouched, so a loader can read a whole record and test ok() once.
#include "framework/cstring.h"
#include "framework/file.h"
#include <cstdint>

class RecordReader {
public:
    explicit RecordReader(CFile* file) : m_file(file), m_ok(file != nullptr) {}

    bool U8(uint8_t& v);
    bool I8(int8_t& v);
    bool Bool(bool& v);                         // one byte, nonzero is true
    bool I16(int16_t& v);
    bool U16(uint16_t& v);
    bool I32(int32_t& v);
    bool U32(uint32_t& v);
    bool I64(int64_t& v);
    bool U64(uint64_t& v);
    bool F32(float& v);                         // IEEE single, little-endian
    bool F64(double& v);                        // IEEE double, little-endian
    bool Raw(void* data, UINT n);               // on failure data is unchanged
    // n bytes holding text up to the first NUL; the result never exceeds n bytes.
    bool FixedString(CString& out, UINT n);
    // i16 length, then that many bytes; fails on a negative length or one above max.
    bool CountedString16(CString& out, UINT max);
    bool Skip(UINT n);

    bool ok() const { return m_ok; }
    void Fail() { m_ok = false; }
    CFile* file() { return m_file; }

private:
    bool Take(void* data, UINT n);              // all n bytes or fail

    CFile* m_file;
    bool m_ok;
};

class RecordWriter {
public:
    explicit RecordWriter(CFile* file) : m_file(file), m_ok(file != nullptr) {}

    bool U8(uint8_t v);
    bool I8(int8_t v);
    bool Bool(bool v);                          // 1 or 0
    bool I16(int16_t v);
    bool U16(uint16_t v);
    bool I32(int32_t v);
    bool U32(uint32_t v);
    bool I64(int64_t v);
    bool U64(uint64_t v);
    bool F32(float v);
    bool F64(double v);
    bool Raw(const void* data, UINT n);
    // Exactly n bytes: the text cut to n-1 bytes, then NUL padding.
    bool FixedString(const char* s, UINT n);
    // i16 length then the bytes; a text longer than 32767 bytes fails and writes nothing.
    bool CountedString16(const char* s);
    bool Zeros(UINT n);

    bool ok() const { return m_ok; }
    void Fail() { m_ok = false; }
    CFile* file() { return m_file; }

private:
    CFile* m_file;
    bool m_ok;
};
