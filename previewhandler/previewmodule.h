// State shared by the whole preview DLL: its module handle, the lock count that decides whether the
// host may unload it, the class and application ids, and the Win32-error-to-HRESULT rule.
#pragma once

#include <windows.h>

extern const CLSID CLSID_WmfPreviewHandler;
extern const GUID APPID_WmfPreviewHandler;

// Set once when the DLL is attached; linked into a program instead, the program's module stands in.
void SetPreviewModule(HINSTANCE module);
HINSTANCE PreviewModule();

// Every living class factory, every living handler and every LockServer(TRUE) holds one lock.
void LockPreviewModule();
void UnlockPreviewModule();
LONG PreviewModuleLockCount();

// 0x80070000 | code for a positive code. A code of 0 means the failing call did not say why;
// that is still a failure, so it becomes E_FAIL rather than S_OK.
HRESULT HResultFromWin32(DWORD code);
HRESULT HResultFromLastError();
