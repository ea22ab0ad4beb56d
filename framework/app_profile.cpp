// CWinApp's profile: settings under HKCU\Software\<registry key>\<application name>\<section>.
#include "framework/app.h"

#include <shlwapi.h>
#include <algorithm>
#include <cstring>
#include <vector>

void CWinApp::SetRegistryKey(const char* company)
{
    m_strRegistryKey = company ? company : "";
}

void CWinApp::SetRegistryKey(UINT stringId)
{
    CString text;
    text.LoadString(stringId);
    SetRegistryKey(text);
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (m_strRegistryKey.IsEmpty() || m_strAppName.IsEmpty())
        return nullptr;
    CString path = "Software\\" + m_strRegistryKey + "\\" + m_strAppName;
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                          nullptr, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

HKEY CWinApp::GetSectionKey(const char* section)
{
    HKEY app = GetAppRegistryKey();
    if (app == nullptr || section == nullptr)
        return app;
    HKEY key = nullptr;
    LONG rc = ::RegCreateKeyExA(app, section, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                                &key, nullptr);
    ::RegCloseKey(app);
    return rc == ERROR_SUCCESS ? key : nullptr;
}

UINT CWinApp::GetProfileInt(const char* section, const char* entry, int defaultValue)
{
    HKEY key = GetSectionKey(section);
    if (key == nullptr)
        return static_cast<UINT>(defaultValue);
    DWORD value = 0, type = 0, size = sizeof value;
    LONG rc = ::RegQueryValueExA(key, entry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    ::RegCloseKey(key);
    if (rc != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value)
        return static_cast<UINT>(defaultValue);
    return value;
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* entry, int value)
{
    HKEY key = GetSectionKey(section);
    if (key == nullptr)
        return FALSE;
    DWORD data = static_cast<DWORD>(value);
    LONG rc = ::RegSetValueExA(key, entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    ::RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(const char* section, const char* entry, const char* defaultValue)
{
    CString fallback(defaultValue);
    HKEY key = GetSectionKey(section);
    if (key == nullptr)
        return fallback;
    DWORD type = 0, size = 0;
    LONG rc = ::RegQueryValueExA(key, entry, nullptr, &type, nullptr, &size);
    CString value;
    if (rc == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
        std::vector<char> buffer(size + 1, '\0');
        rc = ::RegQueryValueExA(key, entry, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
        if (rc == ERROR_SUCCESS)
            value = buffer.data();   // the stored text may or may not carry its NUL
    } else {
        rc = ERROR_FILE_NOT_FOUND;
    }
    ::RegCloseKey(key);
    return rc == ERROR_SUCCESS ? value : fallback;
}

BOOL CWinApp::WriteProfileString(const char* section, const char* entry, const char* value)
{
    if (entry == nullptr) {
        HKEY app = GetAppRegistryKey();
        if (app == nullptr)
            return FALSE;
        LONG rc = ::SHDeleteKeyA(app, section);
        ::RegCloseKey(app);
        return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
    }
    HKEY key = GetSectionKey(section);
    if (key == nullptr)
        return FALSE;
    LONG rc;
    if (value == nullptr) {
        rc = ::RegDeleteValueA(key, entry);
        if (rc == ERROR_FILE_NOT_FOUND)
            rc = ERROR_SUCCESS;
    } else {
        rc = ::RegSetValueExA(key, entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                              static_cast<DWORD>(std::strlen(value) + 1));
    }
    ::RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

BOOL CWinApp::GetProfileBinary(const char* section, const char* entry, std::vector<BYTE>& data)
{
    data.clear();
    HKEY key = GetSectionKey(section);
    if (key == nullptr)
        return FALSE;
    DWORD type = 0, size = 0;
    LONG rc = ::RegQueryValueExA(key, entry, nullptr, &type, nullptr, &size);
    if (rc == ERROR_SUCCESS && type == REG_BINARY) {
        std::vector<BYTE> buffer(size);
        rc = ::RegQueryValueExA(key, entry, nullptr, &type, buffer.empty() ? nullptr : buffer.data(), &size);
        if (rc == ERROR_SUCCESS) {
            buffer.resize(size);
            data.swap(buffer);
        }
    } else {
        rc = ERROR_FILE_NOT_FOUND;
    }
    ::RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

BOOL CWinApp::GetProfileBinary(const char* section, const char* entry, BYTE** data, UINT* bytes)
{
    *data = nullptr;
    *bytes = 0;
    std::vector<BYTE> buffer;
    if (!GetProfileBinary(section, entry, buffer))
        return FALSE;
    *data = new BYTE[buffer.size() ? buffer.size() : 1];
    std::copy(buffer.begin(), buffer.end(), *data);
    *bytes = static_cast<UINT>(buffer.size());
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(const char* section, const char* entry, const void* data, UINT bytes)
{
    HKEY key = GetSectionKey(section);
    if (key == nullptr)
        return FALSE;
    LONG rc = ::RegSetValueExA(key, entry, 0, REG_BINARY, static_cast<const BYTE*>(data), bytes);
    ::RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}
