#pragma once
// CLabelImagePreview: the picture of a label definition in the label selection dialog. The window
// is a plain "ImagePreview" control of the dialog template (white background) that the dialog
// subclasses; the object owns the picture it loaded, read when it first paints.
#include "framework/wnd.h"

class CImageBitmapNew;

class CLabelImagePreview : public CWnd {
public:
    static const char kClassName[];    // "ImagePreview"
    // Registers the window class (default window procedure, white background) once at start-up.
    static bool RegisterWindowClass();

    CLabelImagePreview();
    ~CLabelImagePreview() override;

    // A new path (at most 259 characters) repaints the window and lets the held picture go.
    void SetImageFile(const char* path);
    const char* GetImageFile() const { return m_path; }
    // The picture read for painting; null before the first painting or when nothing could load.
    const CImageBitmapNew* GetImage() const { return m_image; }

    void OnPaint();
    void OnDestroy();

    DECLARE_MESSAGE_MAP()

protected:
    // Reads the picture when the path names a ".BMP", ".JPG" or ".PNG" file.
    void LoadImage();
    void FreeImage();

    char m_path[MAX_PATH] = {};
    bool m_pathCut = false;            // the path given was longer than the window keeps
    bool m_loadTried = false;
    CImageBitmapNew* m_image = nullptr;
};
