// The registry entries that let the shell find the preview handler: the COM server keys under
// HKEY_CLASSES_ROOT and the ".wmf" preview-handler entries, written and removed by the DLL itself.
#pragma once

#include <windows.h>

// What DllRegisterServer and DllUnregisterServer do; the first failing step is the answer.
HRESULT RegisterPreviewServer();
HRESULT UnregisterPreviewServer();

// The steps, for the tests. Keys written before a failure stay.
HRESULT RegisterServerKeys(const wchar_t* modulePath);
HRESULT RegisterPreviewHandlerKeys();
HRESULT UnregisterServerKeys();
HRESULT UnregisterPreviewHandlerKeys();

// The key under HKEY_CLASSES_ROOT that names the handler for ".wmf" files: below the type's
// programmatic identifier, or below ".wmf" itself when it has none. Fails, rather than cutting
// the name, when it does not fit 260 characters.
HRESULT PreviewHandlerShellexKey(wchar_t* key, size_t capacity);
