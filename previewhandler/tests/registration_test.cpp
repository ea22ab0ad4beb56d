// The real DLL as the shell meets it: registered by regsvr32, read back from the registry,
// activated through COM, counted by DllCanUnloadNow, unregistered, unloaded and loaded again.
#include "previewhandler/tests/previewtestsupport.h"

#include <gtest/gtest.h>
#include <shobjidl.h>

#include <string>

namespace {

const wchar_t kClassId[] = L"{2C267D79-3033-4E68-917C-98F84BC9D51E}";
const wchar_t kAppId[] = L"{DC52E592-B73C-4ED4-8DBE-6BF3E96C774D}";
const wchar_t kClassKey[] = L"CLSID\\{2C267D79-3033-4E68-917C-98F84BC9D51E}";
const wchar_t kAppKey[] = L"AppID\\{DC52E592-B73C-4ED4-8DBE-6BF3E96C774D}";
const wchar_t kShellex[] = L"\\shellex\\{8895b1c6-b41f-4c1c-a562-0d564250836f}";
const wchar_t kHandlersKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\PreviewHandlers";
const wchar_t kTestProgId[] = L"KorveltaTest.WmfFile";
const CLSID kClsid = {0x2c267d79, 0x3033, 0x4e68, {0x91, 0x7c, 0x98, 0xf8, 0x4b, 0xc9, 0xd5, 0x1e}};

struct Value {
    bool found = false;
    DWORD type = REG_NONE;
    DWORD bytes = 0;
    std::wstring text;
};

Value ReadValue(HKEY root, const std::wstring& key, const wchar_t* name)
{
    Value value;
    HKEY opened;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return value;
    wchar_t buffer[1024] = {};
    DWORD bytes = sizeof(buffer) - sizeof(wchar_t);
    if (RegQueryValueExW(opened, name, nullptr, &value.type, reinterpret_cast<BYTE*>(buffer), &bytes) == ERROR_SUCCESS) {
        value.found = true;
        value.bytes = bytes;
        value.text = buffer;
    }
    RegCloseKey(opened);
    return value;
}

bool KeyExists(HKEY root, const std::wstring& key)
{
    HKEY opened;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

void SetDefaultValue(HKEY root, const std::wstring& key, const std::wstring& text)
{
    HKEY created;
    ASSERT_EQ(RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &created, nullptr), ERROR_SUCCESS);
    RegSetValueExW(created, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   DWORD((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(created);
}

::testing::AssertionResult IsString(const Value& value, DWORD type, const std::wstring& expected)
{
    if (!value.found)
        return ::testing::AssertionFailure() << "value missing";
    if (value.type != type)
        return ::testing::AssertionFailure() << "type " << value.type;
    if (_wcsicmp(value.text.c_str(), expected.c_str()) != 0)
        return ::testing::AssertionFailure() << "other text";
    if (value.bytes != (expected.size() + 1) * sizeof(wchar_t))
        return ::testing::AssertionFailure() << value.bytes << " bytes";
    return ::testing::AssertionSuccess();
}

DWORD RunRegsvr32(const std::wstring& options)
{
    std::wstring command = L"regsvr32.exe " + options + L" \"" + PreviewDll::Path() + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return 0xFFFFFFFF;
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 0xFFFFFFFF;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

// Every test starts from a registry without the handler's entries and without a programmatic
// identifier for ".wmf", and leaves it as it found it: what a test writes (the identifier two of them
// set, the handler's keys) goes again in TearDown, which runs after a failed assertion too. A value
// a crashed run left behind is one of the test's own and is not put back.
class Registration : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_hadWmf = KeyExists(HKEY_CLASSES_ROOT, L".wmf");
        m_wmfDefault = ReadValue(HKEY_CLASSES_ROOT, L".wmf", nullptr);
        if (m_wmfDefault.found && IsLeftOver(m_wmfDefault.text))
            m_wmfDefault = Value();
        RemoveEverything();
        ClearWmfDefault();
        ASSERT_TRUE(ReadValue(HKEY_CLASSES_ROOT, L".wmf", nullptr).text.empty())
            << ".wmf keeps a programmatic identifier the test cannot remove";
    }
    void TearDown() override
    {
        RemoveEverything();
        ClearWmfDefault();
        if (!m_hadWmf) {
            RegDeleteTreeW(HKEY_CLASSES_ROOT, L".wmf");
        } else if (m_wmfDefault.found) {
            HKEY key;
            if (RegCreateKeyExW(HKEY_CLASSES_ROOT, L".wmf", 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) ==
                ERROR_SUCCESS) {
                RegSetValueExW(key, nullptr, 0, m_wmfDefault.type,
                               reinterpret_cast<const BYTE*>(m_wmfDefault.text.c_str()),
                               DWORD((m_wmfDefault.text.size() + 1) * sizeof(wchar_t)));
                RegCloseKey(key);
            }
        }
    }

    static bool IsLeftOver(const std::wstring& progId)
    {
        return progId == kTestProgId || (progId.size() >= 200 && progId.find_first_not_of(L'x') == std::wstring::npos);
    }

    static void ClearWmfDefault()
    {
        HKEY key;
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L".wmf", 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueW(key, nullptr);
            RegCloseKey(key);
        }
    }

    void RemoveEverything()
    {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, kClassKey);
        RegDeleteTreeW(HKEY_CLASSES_ROOT, kAppKey);
        RegDeleteTreeW(HKEY_CLASSES_ROOT, kTestProgId);
        RegDeleteTreeW(HKEY_CLASSES_ROOT, std::wstring(240, L'x').c_str());
        RegDeleteTreeW(HKEY_CLASSES_ROOT, (std::wstring(L".wmf") + kShellex).c_str());
        HKEY handlers;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kHandlersKey, 0, KEY_SET_VALUE, &handlers) == ERROR_SUCCESS) {
            RegDeleteValueW(handlers, kClassId);
            RegCloseKey(handlers);
        }
    }

    bool m_hadWmf = false;
    Value m_wmfDefault;
    ComApartment apartment;
    PreviewDll dll;
};

} // namespace

TEST_F(Registration, Regsvr32WritesEveryEntry)
{
    ASSERT_EQ(RunRegsvr32(L"/s"), 0u);

    const std::wstring classKey = kClassKey;
    EXPECT_TRUE(IsString(ReadValue(HKEY_CLASSES_ROOT, classKey, nullptr), REG_SZ,
                         L"ShellExtsPreviewHandler.WindowsMetafilePreviewHandler Class"));
    EXPECT_TRUE(IsString(ReadValue(HKEY_CLASSES_ROOT, classKey, L"AppID"), REG_SZ, kAppId));
    EXPECT_TRUE(IsString(ReadValue(HKEY_CLASSES_ROOT, classKey + L"\\InprocServer32", nullptr), REG_SZ,
                         PreviewDll::Path()));
    EXPECT_TRUE(IsString(ReadValue(HKEY_CLASSES_ROOT, classKey + L"\\InprocServer32", L"ThreadingModel"), REG_SZ,
                         L"Apartment"));
    EXPECT_TRUE(IsString(ReadValue(HKEY_CLASSES_ROOT, kAppKey, L"DllSurrogate"), REG_EXPAND_SZ,
                         L"%SystemRoot%\\system32\\prevhost.exe"));
    // Without a programmatic identifier for ".wmf" the handler goes under ".wmf" itself.
    EXPECT_TRUE(IsString(ReadValue(HKEY_CLASSES_ROOT, std::wstring(L".wmf") + kShellex, nullptr), REG_SZ, kClassId));
    EXPECT_TRUE(IsString(ReadValue(HKEY_CURRENT_USER, kHandlersKey, kClassId), REG_SZ, L"MetafilePreviewHandler"));

    ASSERT_EQ(RunRegsvr32(L"/s /u"), 0u);
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kClassKey));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kAppKey));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, std::wstring(L".wmf") + kShellex));
    EXPECT_FALSE(ReadValue(HKEY_CURRENT_USER, kHandlersKey, kClassId).found);

    // Unregistering again answers the missing class key.
    EXPECT_EQ(dll.UnregisterServer(), HRESULT(0x80070002));
}

TEST_F(Registration, HandlerGoesUnderTheProgrammaticIdentifier)
{
    SetDefaultValue(HKEY_CLASSES_ROOT, L".wmf", kTestProgId);
    ASSERT_EQ(dll.RegisterServer(), S_OK);
    EXPECT_TRUE(IsString(ReadValue(HKEY_CLASSES_ROOT, std::wstring(kTestProgId) + kShellex, nullptr), REG_SZ, kClassId));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, std::wstring(L".wmf") + kShellex));

    ASSERT_EQ(dll.UnregisterServer(), S_OK);
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, std::wstring(kTestProgId) + kShellex));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kClassKey));
    EXPECT_FALSE(ReadValue(HKEY_CURRENT_USER, kHandlersKey, kClassId).found);
    EXPECT_EQ(dll.UnregisterServer(), HRESULT(0x80070002));
}

TEST_F(Registration, AKeyNameTooLongIsRefusedNotCut)
{
    const std::wstring longId(240, L'x');
    SetDefaultValue(HKEY_CLASSES_ROOT, L".wmf", longId);
    EXPECT_EQ(dll.RegisterServer(), HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, longId));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, std::wstring(L".wmf") + kShellex));
    EXPECT_FALSE(ReadValue(HKEY_CURRENT_USER, kHandlersKey, kClassId).found);
    // The server keys written before the failure stay.
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, kClassKey));
}

TEST_F(Registration, ShellActivatesAndPreviewsThroughTheRegistry)
{
    ASSERT_EQ(dll.RegisterServer(), S_OK);
    EXPECT_EQ(dll.CanUnloadNow(), S_OK);
    {
        ComRef<IPreviewHandler> preview;
        ASSERT_EQ(CoCreateInstance(kClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IPreviewHandler, preview.outVoid()), S_OK);
        EXPECT_EQ(dll.CanUnloadNow(), S_FALSE) << "the DLL activated through the registry is the one loaded here";
        ComRef<IInitializeWithStream> initialize;
        ASSERT_EQ(preview->QueryInterface(IID_IInitializeWithStream, initialize.outVoid()), S_OK);
        ComRef<IStream> stream(StreamOver(RedTwoByOneFile()));
        ASSERT_EQ(initialize->Initialize(stream.get(), STGM_READ), S_OK);

        HostWindow host;
        const RECT rect = {10, 10, 220, 220};
        ASSERT_EQ(preview->SetWindow(host.hwnd(), &rect), S_OK);
        ASSERT_EQ(preview->DoPreview(), S_OK);
        HWND window = FindPreviewWindow(host.hwnd());
        ASSERT_NE(window, nullptr);
        PaintNow(window);
        const WindowPixels pixels(window);
        const RECT red = pixels.ExtentOf(kRed);
        EXPECT_EQ(red.left, 3);
        EXPECT_EQ(red.top, 53);
        EXPECT_EQ(red.right, 205);
        EXPECT_EQ(red.bottom, 154);
        EXPECT_EQ(preview->DoPreview(), E_FAIL);

        ComRef<IObjectWithSite> withSite;
        ASSERT_EQ(preview->QueryInterface(IID_IObjectWithSite, withSite.outVoid()), S_OK);
        void* site = nullptr;
        EXPECT_EQ(withSite->GetSite(IID_IUnknown, &site), E_FAIL);
        EXPECT_EQ(preview->Unload(), S_OK);
        EXPECT_EQ(FindPreviewWindow(host.hwnd()), nullptr);
    }
    EXPECT_EQ(dll.CanUnloadNow(), S_OK);
    ASSERT_EQ(dll.UnregisterServer(), S_OK);
    ComRef<IPreviewHandler> gone;
    EXPECT_EQ(CoCreateInstance(kClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IPreviewHandler, gone.outVoid()),
              REGDB_E_CLASSNOTREG);
}

TEST(PreviewDllExports, ClassObjectAndUnloadCounting)
{
    PreviewDll dll;
    ASSERT_EQ(dll.CanUnloadNow(), S_OK);
    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(dll.GetClassObject(IID_IPreviewHandler, IID_IClassFactory, &none), HRESULT(0x80040111));
    EXPECT_EQ(none, nullptr);

    ComRef<IClassFactory> factory;
    ASSERT_EQ(dll.GetClassObject(kClsid, IID_IClassFactory, factory.outVoid()), S_OK);
    EXPECT_EQ(dll.CanUnloadNow(), S_FALSE) << "a factory lives";
    EXPECT_EQ(factory->CreateInstance(reinterpret_cast<IUnknown*>(factory.get()), IID_IUnknown, &none),
              HRESULT(0x80040110));

    ComRef<IPreviewHandler> handler;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IPreviewHandler, handler.outVoid()), S_OK);
    factory->LockServer(TRUE);
    factory.Reset();
    EXPECT_EQ(dll.CanUnloadNow(), S_FALSE) << "a handler lives and the server is locked";
    handler.Reset();
    EXPECT_EQ(dll.CanUnloadNow(), S_FALSE) << "still locked";
    ASSERT_EQ(dll.GetClassObject(kClsid, IID_IClassFactory, factory.outVoid()), S_OK);
    factory->LockServer(FALSE);
    EXPECT_EQ(dll.CanUnloadNow(), S_FALSE) << "the factory itself";
    factory.Reset();
    EXPECT_EQ(dll.CanUnloadNow(), S_OK);
}

TEST(PreviewDllExports, LoadsAgainAfterBeingUnloaded)
{
    HMODULE first;
    for (int round = 0; round < 2; ++round) {
        PreviewDll dll;
        first = dll.module();
        HostWindow host;
        ComRef<IClassFactory> factory;
        ASSERT_EQ(dll.GetClassObject(kClsid, IID_IClassFactory, factory.outVoid()), S_OK);
        ComRef<IPreviewHandler> preview;
        ASSERT_EQ(factory->CreateInstance(nullptr, IID_IPreviewHandler, preview.outVoid()), S_OK);
        ComRef<IInitializeWithStream> initialize;
        ASSERT_EQ(preview->QueryInterface(IID_IInitializeWithStream, initialize.outVoid()), S_OK);
        ComRef<IStream> stream(StreamOver(RedTwoByOneFile()));
        initialize->Initialize(stream.get(), STGM_READ);
        const RECT rect = {0, 0, 210, 210};
        preview->SetWindow(host.hwnd(), &rect);
        ASSERT_EQ(preview->DoPreview(), S_OK);
        HWND window = FindPreviewWindow(host.hwnd());
        ASSERT_NE(window, nullptr);
        PaintNow(window);
        EXPECT_EQ(WindowPixels(window).Count(kRed), 202 * 101) << "round " << round;
        preview->Unload();
    }
    // Once the DLL is gone its window class is gone with it.
    // Every handle this program took is released by now (COM's too, with its apartment): a DLL
    // still loaded here is a reference leaked by the handler or by a test.
    ASSERT_EQ(nullptr, GetModuleHandleW(PreviewDll::Path().c_str())) << "something keeps the DLL loaded";
    WNDCLASSW windowClass;
    EXPECT_FALSE(GetClassInfoW(first, L"PreviewWindow", &windowClass));
}
