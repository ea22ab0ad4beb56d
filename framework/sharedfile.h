#pragma once
// CSharedFile: the CFile interface over a GlobalAlloc block, the form the clipboard and OLE data
// transfer hand text around in. Detach gives the block away cut to the written size.
#include "framework/file.h"

class CSharedFile : public CFile {
public:
    explicit CSharedFile(UINT allocFlags = GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, UINT growBytes = 4096);
    ~CSharedFile() override;

    // Hands the block over, reallocated to the written size (at least one byte); the file is empty
    // afterwards. Null when nothing could be allocated.
    HGLOBAL Detach();
    // Works on the caller's block: its content is the whole GlobalSize, read from the start. The
    // caller keeps the block (Close frees nothing of it); with allowGrow writes may reallocate it,
    // and Detach returns the handle then in use.
    void SetHandle(HGLOBAL block, BOOL allowGrow = TRUE);

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

    HGLOBAL GetHandle() const { return m_block; }
    UINT GetGrowBytes() const { return m_growBytes; }
    SIZE_T GetCapacity() const { return m_capacity; }

private:
    bool Reserve(SIZE_T size);

    HGLOBAL m_block = nullptr;
    UINT m_allocFlags;
    UINT m_growBytes;
    bool m_owned = true;
    bool m_allowGrow = true;
    SIZE_T m_size = 0;
    SIZE_T m_capacity = 0;
    SIZE_T m_position = 0;
};
