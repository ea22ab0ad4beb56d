#include "previewhandler/classfactory.h"

#include "previewhandler/previewguard.h"
#include "previewhandler/previewmodule.h"
#include "previewhandler/wmfpreviewhandler.h"

#include <new>

ClassFactory::ClassFactory()
{
    LockPreviewModule();
}

ClassFactory::~ClassFactory()
{
    UnlockPreviewModule();
}

STDMETHODIMP ClassFactory::QueryInterface(REFIID iid, void** out)
{
    return GuardedEntry(
        [&]() -> HRESULT {
            if (!out)
                return E_POINTER;
            if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
                *out = static_cast<IClassFactory*>(this);
                AddRef();
                return S_OK;
            }
            *out = nullptr;
            return E_NOINTERFACE;
        },
        E_UNEXPECTED);
}

STDMETHODIMP_(ULONG) ClassFactory::AddRef()
{
    return ULONG(InterlockedIncrement(&m_refs));
}

STDMETHODIMP_(ULONG) ClassFactory::Release()
{
    const LONG refs = InterlockedDecrement(&m_refs);
    if (refs == 0)
        delete this;
    return ULONG(refs);
}

STDMETHODIMP ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out)
{
    return GuardedEntry(
        [&]() -> HRESULT {
            if (!out)
                return E_POINTER;
            *out = nullptr;
            if (outer)
                return CLASS_E_NOAGGREGATION;
            WmfPreviewHandler* handler = new (std::nothrow) WmfPreviewHandler;
            if (!handler)
                return E_OUTOFMEMORY;
            const HRESULT hr = handler->QueryInterface(iid, out);
            handler->Release();
            return hr;
        },
        E_UNEXPECTED);
}

STDMETHODIMP ClassFactory::LockServer(BOOL lock)
{
    return GuardedEntry(
        [&]() -> HRESULT {
            if (lock)
                LockPreviewModule();
            else
                UnlockPreviewModule();
            return S_OK;
        },
        E_UNEXPECTED);
}
