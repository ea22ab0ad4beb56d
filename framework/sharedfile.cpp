// CSharedFile: a growing GlobalAlloc block behind the CFile interface.
#include "framework/sharedfile.h"
#include <cstring>

CSharedFile::CSharedFile(UINT allocFlags, UINT growBytes)
    : m_allocFlags(allocFlags), m_growBytes(growBytes == 0 ? 4096 : growBytes)
{
}

CSharedFile::~CSharedFile()
{
    Close();
}

BOOL CSharedFile::Open(const char*, UINT)
{
    return FALSE;
}

bool CSharedFile::Reserve(SIZE_T size)
{
    if (size <= m_capacity)
        return true;
    if (!m_allowGrow)
        return false;
    // Whole steps, and at least half as much again as the block has: a long copy must not copy
    // its whole text again for every 4 KB it adds.
    SIZE_T want = size;
    if (m_capacity / 2 <= (static_cast<SIZE_T>(-1) - m_capacity) && m_capacity + m_capacity / 2 > want)
        want = m_capacity + m_capacity / 2;
    SIZE_T steps = (want + m_growBytes - 1) / m_growBytes;
    if (steps > (static_cast<SIZE_T>(-1) / m_growBytes))
        return false;
    SIZE_T capacity = steps * m_growBytes;
    HGLOBAL grown = m_block == nullptr ? ::GlobalAlloc(m_allocFlags, capacity)
                                       : ::GlobalReAlloc(m_block, capacity, m_allocFlags & ~GMEM_MODIFY);
    if (grown == nullptr)
        return false;
    m_block = grown;
    m_capacity = capacity;
    return true;
}

UINT CSharedFile::Read(void* buffer, UINT count)
{
    if (m_position >= m_size || count == 0 || m_block == nullptr)
        return 0;
    SIZE_T n = m_size - m_position;
    if (n > count)
        n = count;
    const BYTE* p = static_cast<const BYTE*>(::GlobalLock(m_block));
    if (p == nullptr)
        return 0;
    std::memcpy(buffer, p + m_position, n);
    ::GlobalUnlock(m_block);
    m_position += n;
    return static_cast<UINT>(n);
}

bool CSharedFile::Write(const void* buffer, UINT count)
{
    if (count == 0)
        return true;
    SIZE_T end = m_position + count;
    if (end < m_position || !Reserve(end))
        return false;
    BYTE* p = static_cast<BYTE*>(::GlobalLock(m_block));
    if (p == nullptr)
        return false;
    if (m_position > m_size)
        std::memset(p + m_size, 0, m_position - m_size);
    std::memcpy(p + m_position, buffer, count);
    ::GlobalUnlock(m_block);
    m_position = end;
    if (end > m_size)
        m_size = end;
    return true;
}

ULONGLONG CSharedFile::Seek(LONGLONG offset, UINT from)
{
    LONGLONG base = from == begin ? 0 : from == current ? static_cast<LONGLONG>(m_position)
                                                         : static_cast<LONGLONG>(m_size);
    LONGLONG target = base + offset;
    if (target >= 0 && static_cast<ULONGLONG>(target) <= static_cast<ULONGLONG>(static_cast<SIZE_T>(-1)))
        m_position = static_cast<SIZE_T>(target);
    return m_position;
}

bool CSharedFile::SetLength(ULONGLONG length)
{
    if (length > static_cast<ULONGLONG>(static_cast<SIZE_T>(-1)))
        return false;
    SIZE_T n = static_cast<SIZE_T>(length);
    if (n > m_size) {
        if (!Reserve(n))
            return false;
        BYTE* p = static_cast<BYTE*>(::GlobalLock(m_block));
        if (p == nullptr)
            return false;
        std::memset(p + m_size, 0, n - m_size);
        ::GlobalUnlock(m_block);
    }
    m_size = n;
    if (m_position > m_size)
        m_position = m_size;
    return true;
}

bool CSharedFile::Close()
{
    if (m_block != nullptr && m_owned)
        ::GlobalFree(m_block);
    m_block = nullptr;
    m_owned = true;
    m_allowGrow = true;
    m_size = m_capacity = m_position = 0;
    return true;
}

HGLOBAL CSharedFile::Detach()
{
    if (m_block == nullptr && !Reserve(1))
        return nullptr;
    HGLOBAL block = m_block;
    SIZE_T size = m_size == 0 ? 1 : m_size;
    if (size != m_capacity) {
        // The receiver's GlobalSize is then the text's length (Windows may round it up a little).
        if (HGLOBAL cut = ::GlobalReAlloc(block, size, m_allocFlags & ~GMEM_MODIFY))
            block = cut;
    }
    m_block = nullptr;
    m_owned = true;
    m_allowGrow = true;
    m_size = m_capacity = m_position = 0;
    return block;
}

void CSharedFile::SetHandle(HGLOBAL block, BOOL allowGrow)
{
    Close();
    if (block == nullptr)
        return;
    m_block = block;
    m_owned = false;
    m_allowGrow = allowGrow != FALSE;
    m_capacity = m_size = ::GlobalSize(block);
    m_position = 0;
}
