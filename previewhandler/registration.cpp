#include "previewhandler/registration.h"

#include "previewhandler/previewmodule.h"

#include <objbase.h>
#include <strsafe.h>

namespace {

const size_t kMaxPathChars = MAX_PATH;
const size_t kGuidChars = 39;

const wchar_t kClassDescription[] = L"ShellExtsPreviewHandler.WindowsMetafilePreviewHandler Class";
const wchar_t kThreadingModel[] = L"Apartment";
const wchar_t kSurrogate[] = L"%SystemRoot%\\system32\\prevhost.exe";
const wchar_t kExtension[] = L".wmf";
const wchar_t kShellexFormat[] = L"%s\\shellex\\{8895b1c6-b41f-4c1c-a562-0d564250836f}";
const wchar_t kPreviewHandlersKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\PreviewHandlers";
const wchar_t kPreviewHandlersName[] = L"MetafilePreviewHandler";

using KeyName = wchar_t[kMaxPathChars];
using GuidText = wchar_t[kGuidChars];

// Registry names in braces and upper case, as the shell writes them.
void FormatGuid(REFGUID guid, GuidText text)
{
    StringFromGUID2(guid, text, int(kGuidChars));
}

HRESULT FormatKey(KeyName key, const wchar_t* format, const wchar_t* argument)
{
    // A name that does not fit is refused: a cut name would register somewhere else.
    return StringCchPrintfW(key, kMaxPathChars, format, argument);
}

HRESULT ModulePath(KeyName path)
{
    SetLastError(ERROR_SUCCESS);
    const DWORD length = GetModuleFileNameW(PreviewModule(), path, DWORD(kMaxPathChars));
    if (length == 0)
        return HResultFromLastError();
    if (length >= kMaxPathChars)
        return HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
    return S_OK;
}

HRESULT SetStringValue(HKEY root, const wchar_t* key, const wchar_t* name, DWORD type, const wchar_t* data)
{
    HKEY opened = nullptr;
    LSTATUS status = RegCreateKeyExW(root, key, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &opened,
                                     nullptr);
    if (status != ERROR_SUCCESS)
        return HResultFromWin32(DWORD(status));
    // With its terminating zero, so that every reader finds a terminated string.
    const DWORD bytes = DWORD((lstrlenW(data) + 1) * sizeof(wchar_t));
    status = RegSetValueExW(opened, name, 0, type, reinterpret_cast<const BYTE*>(data), bytes);
    RegCloseKey(opened);
    return status == ERROR_SUCCESS ? S_OK : HResultFromWin32(DWORD(status));
}

HRESULT DeleteTree(HKEY root, const wchar_t* key)
{
    const LSTATUS status = RegDeleteTreeW(root, key);
    return status == ERROR_SUCCESS ? S_OK : HResultFromWin32(DWORD(status));
}

void WmfProgrammaticId(KeyName progId)
{
    DWORD bytes = sizeof(KeyName);
    const LSTATUS status = RegGetValueW(HKEY_CLASSES_ROOT, kExtension, nullptr, RRF_RT_REG_SZ, nullptr, progId, &bytes);
    if (status != ERROR_SUCCESS || progId[0] == L'\0')
        StringCchCopyW(progId, kMaxPathChars, kExtension);
}

} // namespace

HRESULT PreviewHandlerShellexKey(wchar_t* key, size_t capacity)
{
    KeyName progId;
    WmfProgrammaticId(progId);
    KeyName formatted;
    HRESULT hr = FormatKey(formatted, kShellexFormat, progId);
    if (SUCCEEDED(hr))
        hr = StringCchCopyW(key, capacity, formatted);
    return hr;
}

HRESULT RegisterServerKeys(const wchar_t* modulePath)
{
    if (!modulePath)
        return E_INVALIDARG;
    GuidText classId;
    GuidText appId;
    FormatGuid(CLSID_WmfPreviewHandler, classId);
    FormatGuid(APPID_WmfPreviewHandler, appId);

    KeyName key;
    HRESULT hr = FormatKey(key, L"CLSID\\%s", classId);
    if (SUCCEEDED(hr))
        hr = SetStringValue(HKEY_CLASSES_ROOT, key, nullptr, REG_SZ, kClassDescription);
    if (SUCCEEDED(hr))
        hr = SetStringValue(HKEY_CLASSES_ROOT, key, L"AppID", REG_SZ, appId);
    if (SUCCEEDED(hr))
        hr = FormatKey(key, L"CLSID\\%s\\InprocServer32", classId);
    if (SUCCEEDED(hr))
        hr = SetStringValue(HKEY_CLASSES_ROOT, key, nullptr, REG_SZ, modulePath);
    if (SUCCEEDED(hr))
        hr = SetStringValue(HKEY_CLASSES_ROOT, key, L"ThreadingModel", REG_SZ, kThreadingModel);
    if (SUCCEEDED(hr))
        hr = FormatKey(key, L"AppID\\%s", appId);
    if (SUCCEEDED(hr))
        hr = SetStringValue(HKEY_CLASSES_ROOT, key, L"DllSurrogate", REG_EXPAND_SZ, kSurrogate);
    return hr;
}

HRESULT RegisterPreviewHandlerKeys()
{
    GuidText classId;
    FormatGuid(CLSID_WmfPreviewHandler, classId);
    KeyName key;
    HRESULT hr = PreviewHandlerShellexKey(key, kMaxPathChars);
    if (SUCCEEDED(hr))
        hr = SetStringValue(HKEY_CLASSES_ROOT, key, nullptr, REG_SZ, classId);
    if (SUCCEEDED(hr))
        hr = SetStringValue(HKEY_CURRENT_USER, kPreviewHandlersKey, classId, REG_SZ, kPreviewHandlersName);
    return hr;
}

HRESULT UnregisterServerKeys()
{
    GuidText classId;
    GuidText appId;
    FormatGuid(CLSID_WmfPreviewHandler, classId);
    FormatGuid(APPID_WmfPreviewHandler, appId);
    KeyName key;
    HRESULT hr = FormatKey(key, L"CLSID\\%s", classId);
    if (SUCCEEDED(hr))
        hr = DeleteTree(HKEY_CLASSES_ROOT, key);
    if (SUCCEEDED(hr))
        hr = FormatKey(key, L"AppID\\%s", appId);
    if (SUCCEEDED(hr))
        hr = DeleteTree(HKEY_CLASSES_ROOT, key);
    return hr;
}

HRESULT UnregisterPreviewHandlerKeys()
{
    KeyName key;
    HRESULT hr = PreviewHandlerShellexKey(key, kMaxPathChars);
    if (SUCCEEDED(hr))
        hr = DeleteTree(HKEY_CLASSES_ROOT, key);
    if (FAILED(hr))
        return hr;

    HKEY handlers = nullptr;
    LSTATUS status = RegOpenKeyExW(HKEY_CURRENT_USER, kPreviewHandlersKey, 0, KEY_SET_VALUE, &handlers);
    if (status == ERROR_FILE_NOT_FOUND)
        return S_OK;
    if (status != ERROR_SUCCESS)
        return HResultFromWin32(DWORD(status));
    GuidText classId;
    FormatGuid(CLSID_WmfPreviewHandler, classId);
    status = RegDeleteValueW(handlers, classId);
    RegCloseKey(handlers);
    if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND)
        return S_OK;
    return HResultFromWin32(DWORD(status));
}

HRESULT RegisterPreviewServer()
{
    KeyName path;
    HRESULT hr = ModulePath(path);
    if (SUCCEEDED(hr))
        hr = RegisterServerKeys(path);
    if (SUCCEEDED(hr))
        hr = RegisterPreviewHandlerKeys();
    return hr;
}

HRESULT UnregisterPreviewServer()
{
    KeyName path;
    HRESULT hr = ModulePath(path);
    if (SUCCEEDED(hr))
        hr = UnregisterServerKeys();
    if (SUCCEEDED(hr))
        hr = UnregisterPreviewHandlerKeys();
    return hr;
}
