#pragma once
// CLabelImagePreview: the picture of a label definition in the label selection dialog. A child
// window of class "ImagePreview" (registered at start with the default window procedure, so that
// dialog templates can name it) which the dialog subclasses; it owns the picture it loaded.
#include "framework/wnd.h"

#include <memory>

class CImageBitmapNew;

class CLabelImagePreview : public CWnd {
public:
    static const char kClassName[];   // "ImagePreview"

    CLabelImagePreview();
    ~CLabelImagePreview() override;

    // Registers the window class once; false when it cannot be registered.
    static bool RegisterWindowClass();

    // A new path drops the held picture and repaints; the same path changes nothing. Paths of
    // MAX_PATH characters or more are not taken (no picture rather than a cut path).
    void SetImageFile(const char* path);
    const char* GetImageFile() const { return m_path; }
    // Whether a picture has been read (painting reads it).
    bool HasImage() const { return m_image != nullptr; }

    void OnPaint();
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // Reads the picture of the path: only ".bmp", ".jpg" and ".png" files.
    void LoadImage();

    char m_path[MAX_PATH] = {};
    std::unique_ptr<CImageBitmapNew> m_image;
};
