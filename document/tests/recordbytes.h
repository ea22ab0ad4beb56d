#pragma once
// Test helpers: little-endian record bytes built by hand, and memory files over them.
#include "framework/file.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

class ByteBuilder {
public:
    ByteBuilder& I32(int32_t v)
    {
        for (int i = 0; i < 4; ++i)
            m_bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
        return *this;
    }
    ByteBuilder& U8(uint8_t v)
    {
        m_bytes.push_back(v);
        return *this;
    }
    ByteBuilder& Text(const char* s)               // the bytes without terminator
    {
        for (; *s != '\0'; ++s)
            m_bytes.push_back(static_cast<uint8_t>(*s));
        return *this;
    }
    ByteBuilder& Fixed(const char* s, size_t n)    // n bytes, zero padded
    {
        size_t length = std::strlen(s);
        for (size_t i = 0; i < n; ++i)
            m_bytes.push_back(i < length ? static_cast<uint8_t>(s[i]) : 0);
        return *this;
    }
    ByteBuilder& Fill(uint8_t v, size_t n)
    {
        m_bytes.insert(m_bytes.end(), n, v);
        return *this;
    }
    ByteBuilder& Append(const Bytes& b)
    {
        for (uint8_t v : b)
            m_bytes.push_back(v);
        return *this;
    }
    const Bytes& bytes() const { return m_bytes; }

private:
    Bytes m_bytes;
};

// A memory file that reads the given bytes (a private copy).
class BytesFile {
public:
    explicit BytesFile(const Bytes& bytes) : m_copy(bytes)
    {
        if (m_copy.empty())
            m_copy.push_back(0), m_size = 0;
        else
            m_size = static_cast<UINT>(m_copy.size());
        m_file.Attach(m_copy.data(), m_size);
    }
    BytesFile(const Bytes& bytes, size_t prefix) : BytesFile(Bytes(bytes.begin(), bytes.begin() + prefix)) {}
    CFile* operator->() { return &m_file; }
    CFile* get() { return &m_file; }

private:
    Bytes m_copy;
    UINT m_size = 0;
    CMemFile m_file;
};

inline uint32_t ReadU32(const Bytes& b, size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

inline void WriteI32(Bytes& b, size_t at, int32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i));
}
