// CWinApp's registration of the file types with the shell: each template's extension, its ProgID
// and the verbs that start (or, through DDE, reach) this program.
#include "framework/app.h"

#include "framework/doctempl.h"
#include "framework/shelldde.h"

#include <shlwapi.h>
#include <cstring>
#include <vector>

namespace {
bool SetKeyText(HKEY root, const CString& path, const char* value)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    LONG rc = ::RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                               static_cast<DWORD>(std::strlen(value) + 1));
    ::RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

// The key's default text; false when the key or its text is missing.
bool GetKeyText(HKEY root, const CString& path, CString& value)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0, size = 0;
    LONG rc = ::RegQueryValueExA(key, nullptr, nullptr, &type, nullptr, &size);
    if (rc == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
        std::vector<char> buffer(size + 1, '\0');
        rc = ::RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
        value = buffer.data();
    } else {
        rc = ERROR_FILE_NOT_FOUND;
    }
    ::RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

bool KeyExists(HKEY root, const CString& path)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

// One key of a file type below a classes root: its default text, or a key that must be gone.
struct ClassKey {
    CString path;
    CString value;
    bool remove;
};

void WriteClassKeys(HKEY root, const CString& prefix, const std::vector<ClassKey>& keys)
{
    for (const ClassKey& k : keys) {
        if (k.remove)
            ::SHDeleteKeyA(root, prefix + k.path);
        else
            SetKeyText(root, prefix + k.path, k.value);
    }
}

bool ClassKeysVisible(HKEY root, const std::vector<ClassKey>& keys)
{
    for (const ClassKey& k : keys) {
        if (k.remove) {
            if (KeyExists(root, k.path))
                return false;
            continue;
        }
        CString value;
        if (!GetKeyText(root, k.path, value) || value != k.value)
            return false;
    }
    return true;
}
} // namespace

void CWinApp::RegisterShellFileTypes(BOOL compat, const char* root, HKEY shellView)
{
    CString base = root ? root : "Software\\Classes";
    if (shellView == nullptr && root == nullptr)
        shellView = HKEY_CLASSES_ROOT;
    char module[MAX_PATH] = {};
    ::GetModuleFileNameA(m_hInstance, module, MAX_PATH);
    CString exe = CString("\"") + module + "\"";
    const bool dde = IsShellOpenEnabled() != FALSE;
    std::vector<ClassKey> keys;
    for (const auto& tmpl : m_templates) {
        CString progId, typeName, ext;
        if (!tmpl->GetDocString(progId, CDocTemplate::regFileTypeId) || progId.IsEmpty())
            continue;
        tmpl->GetDocString(typeName, CDocTemplate::regFileTypeName);
        tmpl->GetDocString(ext, CDocTemplate::filterExt);
        keys.push_back({progId, typeName, false});
        keys.push_back({progId + "\\DefaultIcon", CString(module) + ",1", false});
        // Each verb's command starts the program with the file; with shell open, the shell first
        // asks a running program through DDE and starts it only when none answers.
        auto verb = [&](const char* name, const CString& command, const char* ddeexec) {
            const CString key = progId + "\\shell\\" + name;
            keys.push_back({key + "\\command", command, false});
            if (dde) {
                keys.push_back({key + "\\ddeexec", ddeexec, false});
                keys.push_back({key + "\\ddeexec\\application", m_strAppName, false});
                keys.push_back({key + "\\ddeexec\\topic", CShellDdeServer::kTopic, false});
            } else {
                // Left from a run that answered DDE: the shell would wait for an answer in vain.
                keys.push_back({key + "\\ddeexec", CString(), true});
            }
        };
        verb("open", exe + " \"%1\"", "[open(\"%1\")]");
        if (compat) {
            verb("print", exe + " /p \"%1\"", "[print(\"%1\")]");
            verb("printto", exe + " /pt \"%1\" \"%2\" \"%3\" \"%4\"", "[printto(\"%1\",\"%2\",\"%3\",\"%4\")]");
        }
        // The extension last: it never names a type whose keys are not there yet.
        if (!ext.IsEmpty() && ext[0] == '.')
            keys.push_back({ext, progId, false});
    }
    WriteClassKeys(HKEY_CURRENT_USER, base + "\\", keys);
    // Windows shows the user's classes through HKEY_CLASSES_ROOT; Wine 8 does not, and there the
    // shell would not know the type at all. Machine-wide classes may be refused (no rights): the
    // per-user keys stay, and nothing else is to be done.
    if (shellView != nullptr && !ClassKeysVisible(shellView, keys))
        WriteClassKeys(shellView, CString(), keys);
}
