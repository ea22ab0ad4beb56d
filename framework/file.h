#pragma once
// CFile: a buffered binary file over CreateFileA/ReadFile/WriteFile. Field-by-field records cost a
// memcpy, not a system call. Nothing throws: Open/Write/Close report failure by their result.
// CMemFile: the same interface over a memory block (tests, clipboard, embedded streams).
#include "framework/cstring.h"
#include <windows.h>
#include <vector>

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,       // treated as exclusive
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,        // create or truncate ...
        modeNoTruncate = 0x2000,    // ... or, with this, open an existing file as it is
        typeText = 0x4000,          // accepted and ignored: every file is binary
        typeBinary = 0x8000,
    };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

    CFile();
    virtual ~CFile();                      // closes (flushing) an open file
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Opens path with the given flags; an already open file is closed first.
    virtual BOOL Open(const char* path, UINT flags);
    // Returns the number of bytes actually read: less than count at the end of the file or on error.
    virtual UINT Read(void* buffer, UINT count);
    // False when the file is not open for writing or the data cannot be written; then the file stays
    // failed and Close reports false as well.
    virtual bool Write(const void* buffer, UINT count);
    // Returns the new position; a seek before the start leaves the position unchanged.
    virtual ULONGLONG Seek(LONGLONG offset, UINT from);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetLength();
    virtual ULONGLONG GetPosition() const;
    virtual bool SetLength(ULONGLONG length);
    // Hands buffered data to the system.
    virtual void Flush();
    // Safe to call twice; false if writing the buffered data failed (or any earlier write failed).
    virtual bool Close();
    virtual bool IsOpen() const;

    CString GetFilePath() const { return m_path; }
    CString GetFileName() const;           // the part after the last '\\' or '/'

protected:
    CString m_path;

private:
    bool FlushWrite();                     // writes pending bytes; false on failure
    bool FillRead();                       // refills the buffer at m_pos; false at end or error
    bool SetOsPosition(ULONGLONG pos);

    enum class BufState { empty, reading, writing };
    HANDLE m_hFile = INVALID_HANDLE_VALUE;
    bool m_canRead = false;
    bool m_canWrite = false;
    bool m_failed = false;                 // a write failed since Open
    ULONGLONG m_pos = 0;                   // logical position
    std::vector<BYTE> m_buf;
    BufState m_state = BufState::empty;
    ULONGLONG m_bufStart = 0;              // file offset of m_buf[0]
    UINT m_bufLen = 0;                     // valid (reading) or pending (writing) bytes
};

class CMemFile : public CFile {
public:
    // A growing block owned by the object; growBy is the allocation step.
    explicit CMemFile(UINT growBy = 1024);
    // Works on a caller's block of size bytes; growBy 0 means it never grows (writes past the end
    // fail), otherwise it is reallocated with realloc and must come from malloc.
    CMemFile(BYTE* buffer, UINT size, UINT growBy = 0);
    ~CMemFile() override;

    void Attach(BYTE* buffer, UINT size, UINT growBy = 0);
    // Gives the block to the caller (free() it when it was ours) and leaves the file empty.
    BYTE* Detach();

    BOOL Open(const char* path, UINT flags) override;   // not supported: returns FALSE
    UINT Read(void* buffer, UINT count) override;
    bool Write(const void* buffer, UINT count) override;
    ULONGLONG Seek(LONGLONG offset, UINT from) override;
    ULONGLONG GetLength() override { return m_size; }
    ULONGLONG GetPosition() const override { return m_position; }
    bool SetLength(ULONGLONG length) override;
    void Flush() override {}
    bool Close() override;                 // frees an owned block; the file stays usable and empty
    bool IsOpen() const override { return true; }

    const BYTE* Data() const { return m_data; }
    std::vector<BYTE> Bytes() const { return std::vector<BYTE>(m_data, m_data + m_size); }

private:
    bool Reserve(UINT size);

    BYTE* m_data = nullptr;
    UINT m_size = 0;                       // bytes of content
    UINT m_capacity = 0;                   // bytes of the block
    UINT m_position = 0;
    UINT m_growBy = 1024;
    bool m_owned = true;                   // free the block at Close/destruction
};
