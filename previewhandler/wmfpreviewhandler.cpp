#include "previewhandler/wmfpreviewhandler.h"

#include "previewhandler/placeablemetafile.h"
#include "previewhandler/previewguard.h"
#include "previewhandler/previewmodule.h"
#include "previewhandler/previewwindow.h"

#include <shlwapi.h>

WmfPreviewHandler::WmfPreviewHandler()
{
    LockPreviewModule();
}

WmfPreviewHandler::~WmfPreviewHandler()
{
    DestroyPreviewWindow();
    DiscardMetafile();
    if (m_site)
        m_site->Release();
    if (m_stream)
        m_stream->Release();
    UnlockPreviewModule();
}

void WmfPreviewHandler::DestroyPreviewWindow()
{
    // The host may have destroyed its parent window, and ours with it, already.
    if (m_preview && IsWindow(m_preview))
        DestroyWindow(m_preview);
    m_preview = nullptr;
}

void WmfPreviewHandler::DiscardMetafile()
{
    if (m_metafile)
        DeleteMetaFile(m_metafile);
    m_metafile = nullptr;
}

STDMETHODIMP WmfPreviewHandler::QueryInterface(REFIID iid, void** out)
{
    return GuardedEntry(
        [&]() -> HRESULT {
            static const QITAB interfaces[] = {
                QITABENT(WmfPreviewHandler, IInitializeWithStream),
                QITABENT(WmfPreviewHandler, IPreviewHandler),
                QITABENT(WmfPreviewHandler, IPreviewHandlerVisuals),
                QITABENT(WmfPreviewHandler, IOleWindow),
                QITABENT(WmfPreviewHandler, IObjectWithSite),
                {nullptr, 0},
            };
            return QISearch(this, interfaces, iid, out);
        },
        E_UNEXPECTED);
}

STDMETHODIMP_(ULONG) WmfPreviewHandler::AddRef()
{
    return ULONG(InterlockedIncrement(&m_refs));
}

STDMETHODIMP_(ULONG) WmfPreviewHandler::Release()
{
    const LONG refs = InterlockedDecrement(&m_refs);
    if (refs == 0)
        GuardedEntry([&]() -> int { delete this; return 0; }, 0);
    return ULONG(refs);
}

STDMETHODIMP WmfPreviewHandler::Initialize(IStream* stream, DWORD)
{
    return GuardedEntry(
        [&]() -> HRESULT {
            if (!stream)
                return E_INVALIDARG;
            stream->AddRef();
            if (m_stream)
                m_stream->Release();
            m_stream = stream;
            return S_OK;
        },
        E_UNEXPECTED);
}

STDMETHODIMP WmfPreviewHandler::SetWindow(HWND parent, const RECT* rect)
{
    return GuardedEntry(
        [&]() -> HRESULT {
            if (!parent || !rect)
                return S_OK;
            m_parent = parent;
            m_rect = *rect;
            if (m_preview) {
                ::SetParent(m_preview, m_parent);
                MovePreviewWindow(m_preview, m_rect);
            }
            return S_OK;
        },
        E_UNEXPECTED);
}

STDMETHODIMP WmfPreviewHandler::SetRect(const RECT* rect)
{
    return GuardedEntry(
        [&]() -> HRESULT {
            if (!rect)
                return E_INVALIDARG;
            m_rect = *rect;
            if (m_preview)
                MovePreviewWindow(m_preview, m_rect);
            return S_OK;
        },
        E_UNEXPECTED);
}

STDMETHODIMP WmfPreviewHandler::DoPreview()
{
    return GuardedEntry(
        [&]() -> HRESULT {
            if (m_preview || !m_stream)
                return E_FAIL;
            DiscardMetafile();
            const PlaceableMetafile picture = LoadPlaceableMetafile(m_stream);
            m_metafile = picture.metafile;
            HWND window = nullptr;
            const HRESULT hr = CreatePreviewWindow(m_parent, m_rect, m_metafile, picture.width, picture.height, &window);
            if (SUCCEEDED(hr)) {
                m_preview = window;
                m_metafile = nullptr; // the window owns it now
            }
            return hr;
        },
        E_UNEXPECTED);
}

STDMETHODIMP WmfPreviewHandler::Unload()
{
    return GuardedEntry(
        [&]() -> HRESULT {
            if (m_stream)
                m_stream->Release();
            m_stream = nullptr;
            DestroyPreviewWindow();
            DiscardMetafile();
            return S_OK;
        },
        E_UNEXPECTED);
}

STDMETHODIMP WmfPreviewHandler::SetFocus()
{
    return GuardedEntry(
        [&]() -> HRESULT {
            if (!m_preview)
                return S_FALSE;
            ::SetFocus(m_preview);
            return S_OK;
        },
        E_UNEXPECTED);
}

STDMETHODIMP WmfPreviewHandler::QueryFocus(HWND* focus)
{
    return GuardedEntry(
        [&]() -> HRESULT {
            if (!focus)
                return E_INVALIDARG;
            SetLastError(ERROR_SUCCESS);
            *focus = ::GetFocus();
            if (*focus)
                return S_OK;
            // No window of this thread has the focus: that is an answer, not a success.
            const DWORD error = GetLastError();
            return error ? HResultFromWin32(error) : S_FALSE;
        },
        E_UNEXPECTED);
}

STDMETHODIMP WmfPreviewHandler::TranslateAccelerator(MSG* message)
{
    return GuardedEntry(
        [&]() -> HRESULT {
            if (!m_site)
                return S_FALSE;
            IPreviewHandlerFrame* frame = nullptr;
            if (FAILED(m_site->QueryInterface(IID_IPreviewHandlerFrame, reinterpret_cast<void**>(&frame))) || !frame)
                return S_FALSE;
            const HRESULT hr = frame->TranslateAccelerator(message);
            frame->Release();
            return hr;
        },
        E_UNEXPECTED);
}

STDMETHODIMP WmfPreviewHandler::SetBackgroundColor(COLORREF)
{
    return S_OK;
}

STDMETHODIMP WmfPreviewHandler::SetFont(const LOGFONTW*)
{
    return S_OK;
}

STDMETHODIMP WmfPreviewHandler::SetTextColor(COLORREF)
{
    return S_OK;
}

STDMETHODIMP WmfPreviewHandler::GetWindow(HWND* window)
{
    return GuardedEntry(
        [&]() -> HRESULT {
            if (!window)
                return E_INVALIDARG;
            *window = m_parent;
            return S_OK;
        },
        E_UNEXPECTED);
}

STDMETHODIMP WmfPreviewHandler::ContextSensitiveHelp(BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP WmfPreviewHandler::SetSite(IUnknown* site)
{
    return GuardedEntry(
        [&]() -> HRESULT {
            if (m_site)
                m_site->Release();
            m_site = nullptr;
            if (!site)
                return S_OK;
            return site->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&m_site));
        },
        E_UNEXPECTED);
}

STDMETHODIMP WmfPreviewHandler::GetSite(REFIID iid, void** out)
{
    return GuardedEntry(
        [&]() -> HRESULT {
            if (!out)
                return E_POINTER;
            *out = nullptr;
            if (!m_site)
                return E_FAIL;
            return m_site->QueryInterface(iid, out);
        },
        E_UNEXPECTED);
}
