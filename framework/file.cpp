#include "framework/file.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {
// Large enough that a whole label file is usually one system call, small enough to be cheap.
const UINT kBufferSize = 64 * 1024;
}

// ==== CFile ======================================================================================

CFile::CFile() = default;

CFile::~CFile()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
        CFile::Close();
}

BOOL CFile::Open(const char* path, UINT flags)
{
    if (IsOpen())
        Close();
    if (!path || !*path)
        return FALSE;

    DWORD access = 0;
    switch (flags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    case modeReadWrite: access = GENERIC_READ | GENERIC_WRITE; break;
    default: return FALSE;
    }
    DWORD share = 0;
    switch (flags & 0x70) {
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    case shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: share = 0; break;           // shareCompat, shareExclusive
    }
    DWORD disposition = OPEN_EXISTING;
    if (flags & modeCreate)
        disposition = (flags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    SECURITY_ATTRIBUTES sa = { sizeof(sa), nullptr, (flags & modeNoInherit) ? FALSE : TRUE };

    HANDLE h = ::CreateFileA(path, access, share, &sa, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return FALSE;

    m_hFile = h;
    m_path = path;
    m_canRead = (access & GENERIC_READ) != 0;
    m_canWrite = (access & GENERIC_WRITE) != 0;
    m_failed = false;
    m_pos = 0;
    m_state = BufState::empty;
    m_bufStart = 0;
    m_bufLen = 0;
    if (m_buf.size() != kBufferSize)
        m_buf.resize(kBufferSize);
    return TRUE;
}

bool CFile::IsOpen() const
{
    return m_hFile != INVALID_HANDLE_VALUE;
}

bool CFile::SetOsPosition(ULONGLONG pos)
{
    LARGE_INTEGER li;
    li.QuadPart = static_cast<LONGLONG>(pos);
    return ::SetFilePointerEx(m_hFile, li, nullptr, FILE_BEGIN) != 0;
}

bool CFile::FlushWrite()
{
    if (m_state != BufState::writing)
        return true;
    if (m_bufLen == 0) {
        m_state = BufState::empty;
        return true;
    }
    bool ok = false;
    if (SetOsPosition(m_bufStart)) {
        DWORD written = 0;
        ok = ::WriteFile(m_hFile, m_buf.data(), m_bufLen, &written, nullptr) && written == m_bufLen;
    }
    m_state = BufState::empty;
    m_bufLen = 0;
    if (!ok)
        m_failed = true;
    return ok;
}

bool CFile::FillRead()
{
    m_state = BufState::empty;
    m_bufLen = 0;
    if (!SetOsPosition(m_pos))
        return false;
    DWORD got = 0;
    if (!::ReadFile(m_hFile, m_buf.data(), static_cast<DWORD>(m_buf.size()), &got, nullptr) || got == 0)
        return false;
    m_state = BufState::reading;
    m_bufStart = m_pos;
    m_bufLen = got;
    return true;
}

UINT CFile::Read(void* buffer, UINT count)
{
    if (!IsOpen() || !m_canRead || !buffer || count == 0)
        return 0;
    if (m_state == BufState::writing && !FlushWrite())
        return 0;

    BYTE* out = static_cast<BYTE*>(buffer);
    UINT done = 0;
    while (done < count) {
        if (m_state == BufState::reading && m_pos >= m_bufStart && m_pos < m_bufStart + m_bufLen) {
            UINT offset = static_cast<UINT>(m_pos - m_bufStart);
            UINT n = std::min(count - done, m_bufLen - offset);
            std::memcpy(out + done, m_buf.data() + offset, n);
            done += n;
            m_pos += n;
            continue;
        }
        UINT rest = count - done;
        if (rest >= m_buf.size()) {
            // Big reads go straight into the caller's memory.
            if (!SetOsPosition(m_pos))
                break;
            DWORD got = 0;
            if (!::ReadFile(m_hFile, out + done, rest, &got, nullptr) || got == 0)
                break;
            done += got;
            m_pos += got;
            continue;
        }
        if (!FillRead())
            break;
    }
    return done;
}

bool CFile::Write(const void* buffer, UINT count)
{
    if (!IsOpen() || !m_canWrite || m_failed)
        return false;
    if (count == 0)
        return true;
    if (!buffer)
        return false;
    if (m_state == BufState::reading) {
        m_state = BufState::empty;      // the bytes about to be written make it stale
        m_bufLen = 0;
    }
    // Pending bytes must stay one contiguous run that ends at the current position.
    if (m_state == BufState::writing && m_pos != m_bufStart + m_bufLen && !FlushWrite())
        return false;

    const BYTE* in = static_cast<const BYTE*>(buffer);
    if (m_state == BufState::writing && m_bufLen + count > m_buf.size() && !FlushWrite())
        return false;
    if (count >= m_buf.size()) {
        if (!SetOsPosition(m_pos)) {
            m_failed = true;
            return false;
        }
        DWORD written = 0;
        if (!::WriteFile(m_hFile, in, count, &written, nullptr) || written != count) {
            m_failed = true;
            return false;
        }
        m_pos += count;
        return true;
    }
    if (m_state != BufState::writing) {
        m_state = BufState::writing;
        m_bufStart = m_pos;
        m_bufLen = 0;
    }
    std::memcpy(m_buf.data() + m_bufLen, in, count);
    m_bufLen += count;
    m_pos += count;
    return true;
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from)
{
    if (!IsOpen())
        return 0;
    LONGLONG base = 0;
    switch (from) {
    case begin: base = 0; break;
    case current: base = static_cast<LONGLONG>(m_pos); break;
    case end: base = static_cast<LONGLONG>(GetLength()); break;
    default: return m_pos;
    }
    LONGLONG target = base + offset;
    if (target < 0)
        return m_pos;
    m_pos = static_cast<ULONGLONG>(target);
    return m_pos;
}

ULONGLONG CFile::GetLength()
{
    if (!IsOpen())
        return 0;
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(m_hFile, &size))
        size.QuadPart = 0;
    ULONGLONG length = static_cast<ULONGLONG>(size.QuadPart);
    if (m_state == BufState::writing)
        length = std::max(length, m_bufStart + m_bufLen);
    return length;
}

ULONGLONG CFile::GetPosition() const
{
    return IsOpen() ? m_pos : 0;
}

bool CFile::SetLength(ULONGLONG length)
{
    if (!IsOpen() || !m_canWrite || !FlushWrite())
        return false;
    m_state = BufState::empty;
    m_bufLen = 0;
    if (!SetOsPosition(length) || !::SetEndOfFile(m_hFile))
        return false;
    if (m_pos > length)
        m_pos = length;
    return true;
}

void CFile::Flush()
{
    if (IsOpen())
        FlushWrite();
}

bool CFile::Close()
{
    if (!IsOpen())
        return true;
    bool ok = FlushWrite() && !m_failed;
    if (!::CloseHandle(m_hFile))
        ok = false;
    m_hFile = INVALID_HANDLE_VALUE;
    m_state = BufState::empty;
    m_bufLen = 0;
    m_pos = 0;
    m_canRead = m_canWrite = false;
    m_failed = false;
    m_buf.clear();
    m_buf.shrink_to_fit();
    return ok;
}

CString CFile::GetFileName() const
{
    int slash = std::max(m_path.ReverseFind('\\'), m_path.ReverseFind('/'));
    return m_path.Mid(slash + 1);
}

// ==== CMemFile ===================================================================================

CMemFile::CMemFile(UINT growBy) : m_growBy(growBy ? growBy : 1024) {}

CMemFile::CMemFile(BYTE* buffer, UINT size, UINT growBy)
{
    Attach(buffer, size, growBy);
}

CMemFile::~CMemFile()
{
    CMemFile::Close();
}

void CMemFile::Attach(BYTE* buffer, UINT size, UINT growBy)
{
    Close();
    m_data = buffer;
    m_size = buffer ? size : 0;
    m_capacity = m_size;
    m_position = 0;
    m_growBy = growBy;
    m_owned = false;
    // A growable block is reallocated, so from the first growth on it is ours; until then the
    // caller still owns it (and gets it back with Detach).
}

BYTE* CMemFile::Detach()
{
    BYTE* data = m_data;
    m_data = nullptr;
    m_size = m_capacity = m_position = 0;
    m_owned = true;
    if (m_growBy == 0)
        m_growBy = 1024;
    return data;
}

BOOL CMemFile::Open(const char*, UINT)
{
    return FALSE;
}

bool CMemFile::Reserve(UINT size)
{
    if (size <= m_capacity)
        return true;
    if (m_growBy == 0)
        return false;
    ULONGLONG want = (static_cast<ULONGLONG>(size) + m_growBy - 1) / m_growBy * m_growBy;
    want = std::max<ULONGLONG>(want, static_cast<ULONGLONG>(m_capacity) * 2);
    if (want > 0x7FFFFFFF)
        want = size;
    BYTE* grown = static_cast<BYTE*>(std::realloc(m_data, static_cast<size_t>(want)));
    if (!grown)
        return false;
    m_data = grown;
    m_capacity = static_cast<UINT>(want);
    m_owned = true;
    return true;
}

UINT CMemFile::Read(void* buffer, UINT count)
{
    if (!buffer || m_position >= m_size)
        return 0;
    UINT n = std::min(count, m_size - m_position);
    std::memcpy(buffer, m_data + m_position, n);
    m_position += n;
    return n;
}

bool CMemFile::Write(const void* buffer, UINT count)
{
    if (count == 0)
        return true;
    if (!buffer)
        return false;
    ULONGLONG endPos = static_cast<ULONGLONG>(m_position) + count;
    if (endPos > 0x7FFFFFFF || !Reserve(static_cast<UINT>(endPos)))
        return false;
    if (m_position > m_size)    // a seek past the end leaves a gap of zeros, as files do
        std::memset(m_data + m_size, 0, m_position - m_size);
    std::memcpy(m_data + m_position, buffer, count);
    m_position = static_cast<UINT>(endPos);
    m_size = std::max(m_size, m_position);
    return true;
}

ULONGLONG CMemFile::Seek(LONGLONG offset, UINT from)
{
    LONGLONG base = 0;
    switch (from) {
    case begin: base = 0; break;
    case current: base = m_position; break;
    case end: base = m_size; break;
    default: return m_position;
    }
    LONGLONG target = base + offset;
    if (target < 0 || target > 0x7FFFFFFF)
        return m_position;
    m_position = static_cast<UINT>(target);
    return m_position;
}

bool CMemFile::SetLength(ULONGLONG length)
{
    if (length > 0x7FFFFFFF || !Reserve(static_cast<UINT>(length)))
        return false;
    if (length > m_size)
        std::memset(m_data + m_size, 0, static_cast<size_t>(length) - m_size);
    m_size = static_cast<UINT>(length);
    if (m_position > m_size)
        m_position = m_size;
    return true;
}

bool CMemFile::Close()
{
    if (m_owned)
        std::free(m_data);
    m_data = nullptr;
    m_size = m_capacity = m_position = 0;
    m_owned = true;
    if (m_growBy == 0)
        m_growBy = 1024;
    return true;
}
