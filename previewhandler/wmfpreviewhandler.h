// The shell's preview handler object for placeable metafiles. It holds the host's stream, parent
// window, rectangle and site, and owns the preview window it makes (which owns the metafile).
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <oleidl.h>
#include <shobjidl.h>

class WmfPreviewHandler final : public IInitializeWithStream,
                                public IPreviewHandler,
                                public IPreviewHandlerVisuals,
                                public IOleWindow,
                                public IObjectWithSite {
public:
    // Starts with one reference and one lock on the module.
    WmfPreviewHandler();

    WmfPreviewHandler(const WmfPreviewHandler&) = delete;
    WmfPreviewHandler& operator=(const WmfPreviewHandler&) = delete;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IInitializeWithStream
    STDMETHODIMP Initialize(IStream* stream, DWORD mode) override;

    // IPreviewHandler
    STDMETHODIMP SetWindow(HWND parent, const RECT* rect) override;
    STDMETHODIMP SetRect(const RECT* rect) override;
    STDMETHODIMP DoPreview() override;
    STDMETHODIMP Unload() override;
    STDMETHODIMP SetFocus() override;
    STDMETHODIMP QueryFocus(HWND* focus) override;
    STDMETHODIMP TranslateAccelerator(MSG* message) override;

    // IPreviewHandlerVisuals: the picture keeps its own colours.
    STDMETHODIMP SetBackgroundColor(COLORREF color) override;
    STDMETHODIMP SetFont(const LOGFONTW* font) override;
    STDMETHODIMP SetTextColor(COLORREF color) override;

    // IOleWindow
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL enter) override;

    // IObjectWithSite
    STDMETHODIMP SetSite(IUnknown* site) override;
    STDMETHODIMP GetSite(REFIID iid, void** out) override;

private:
    ~WmfPreviewHandler();

    void DestroyPreviewWindow();
    void DiscardMetafile();

    volatile LONG m_refs = 1;
    IStream* m_stream = nullptr;
    HWND m_parent = nullptr;
    RECT m_rect = {};
    HWND m_preview = nullptr;
    IUnknown* m_site = nullptr;
    // The latest preview's metafile while no window has taken it. It belongs to this handler
    // alone, so unloading one handler never touches another's picture.
    HMETAFILE m_metafile = nullptr;
};
