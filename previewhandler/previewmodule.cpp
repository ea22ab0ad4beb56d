#include "previewhandler/previewmodule.h"

// {2C267D79-3033-4E68-917C-98F84BC9D51E}
const CLSID CLSID_WmfPreviewHandler = {0x2c267d79, 0x3033, 0x4e68, {0x91, 0x7c, 0x98, 0xf8, 0x4b, 0xc9, 0xd5, 0x1e}};
// {DC52E592-B73C-4ED4-8DBE-6BF3E96C774D}
const GUID APPID_WmfPreviewHandler = {0xdc52e592, 0xb73c, 0x4ed4, {0x8d, 0xbe, 0x6b, 0xf3, 0xe9, 0x6c, 0x77, 0x4d}};

namespace {
HINSTANCE g_module = nullptr;
volatile LONG g_lockCount = 0;
}

void SetPreviewModule(HINSTANCE module)
{
    g_module = module;
}

HINSTANCE PreviewModule()
{
    return g_module ? g_module : GetModuleHandleW(nullptr);
}

void LockPreviewModule()
{
    InterlockedIncrement(&g_lockCount);
}

void UnlockPreviewModule()
{
    InterlockedDecrement(&g_lockCount);
}

LONG PreviewModuleLockCount()
{
    return InterlockedCompareExchange(&g_lockCount, 0, 0);
}

HRESULT HResultFromWin32(DWORD code)
{
    if (code == 0)
        return E_FAIL;
    return HRESULT_FROM_WIN32(code);
}

HRESULT HResultFromLastError()
{
    return HResultFromWin32(GetLastError());
}
