// The four functions the DLL exports (by name, through the module definition file).
#include "previewhandler/classfactory.h"
#include "previewhandler/previewguard.h"
#include "previewhandler/previewmodule.h"
#include "previewhandler/registration.h"

#include <objbase.h>

#include <new>

STDAPI DllGetClassObject(REFCLSID classId, REFIID iid, void** out)
{
    return GuardedEntry(
        [&]() -> HRESULT {
            if (!out)
                return E_POINTER;
            *out = nullptr;
            if (!IsEqualCLSID(classId, CLSID_WmfPreviewHandler))
                return CLASS_E_CLASSNOTAVAILABLE;
            ClassFactory* factory = new (std::nothrow) ClassFactory;
            if (!factory)
                return E_OUTOFMEMORY;
            const HRESULT hr = factory->QueryInterface(iid, out);
            factory->Release();
            return hr;
        },
        E_UNEXPECTED);
}

STDAPI DllCanUnloadNow()
{
    return GuardedEntry([]() -> HRESULT { return PreviewModuleLockCount() > 0 ? S_FALSE : S_OK; }, S_FALSE);
}

STDAPI DllRegisterServer()
{
    return GuardedEntry([]() -> HRESULT { return RegisterPreviewServer(); }, E_UNEXPECTED);
}

STDAPI DllUnregisterServer()
{
    return GuardedEntry([]() -> HRESULT { return UnregisterPreviewServer(); }, E_UNEXPECTED);
}
