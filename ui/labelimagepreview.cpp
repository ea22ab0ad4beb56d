// The picture of a label definition in the label selection dialog.
#include "ui/labelimagepreview.h"

#include "framework/msgmap.h"
#include "labelmodel/imageholder.h"

#include <cstring>

const char CLabelImagePreview::kClassName[] = "ImagePreview";

namespace {

// The picture files the preview shows; anything else (GIF, TIFF, metafiles) shows nothing.
bool HasPictureExtension(const char* path)
{
    const char* dot = std::strrchr(path, '.');
    if (dot == nullptr || std::strpbrk(dot, "\\/") != nullptr)
        return false;
    return lstrcmpiA(dot, ".BMP") == 0 || lstrcmpiA(dot, ".JPG") == 0 || lstrcmpiA(dot, ".PNG") == 0;
}

} // namespace

BEGIN_MESSAGE_MAP(CLabelImagePreview, CWnd)
    ON_WM_PAINT()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

bool CLabelImagePreview::RegisterWindowClass()
{
    return AfxRegisterNamedClass(kClassName, 0, ::DefWindowProcA, ::LoadCursor(nullptr, IDC_ARROW),
                                 static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
}

CLabelImagePreview::CLabelImagePreview() = default;

CLabelImagePreview::~CLabelImagePreview()
{
    FreeImage();
}

void CLabelImagePreview::FreeImage()
{
    delete m_image;
    m_image = nullptr;
}

void CLabelImagePreview::SetImageFile(const char* path)
{
    if (path == nullptr)
        path = "";
    const size_t length = std::strlen(path);
    const bool cut = length >= sizeof m_path;
    char taken[MAX_PATH];
    lstrcpynA(taken, path, sizeof taken);
    if (std::strcmp(taken, m_path) == 0 && cut == m_pathCut)
        return;
    std::memcpy(m_path, taken, sizeof m_path);
    m_pathCut = cut;
    m_loadTried = false;
    if (m_hWnd != nullptr)
        Invalidate(TRUE);
    FreeImage();
}

void CLabelImagePreview::LoadImage()
{
    if (m_image != nullptr || m_loadTried)
        return;
    m_loadTried = true;
    // A path cut to fit names another file, or none: it must not show whatever lives there.
    if (m_path[0] == '\0' || m_pathCut || !HasPictureExtension(m_path))
        return;
    auto* image = new CImageBitmapNew;
    if (!image->LoadFromFile(m_path)) {
        delete image;
        return;
    }
    m_image = image;
}

void CLabelImagePreview::OnPaint()
{
    CPaintDC dc(m_hWnd);
    LoadImage();
    if (m_image == nullptr)
        return;
    RECT client = {};
    GetClientRect(&client);
    m_image->Draw(&dc, nullptr, client.left, client.top, client.right, client.bottom, 0, 0, 100, 100, 0);
}

void CLabelImagePreview::OnDestroy()
{
    FreeImage();
    CWnd::OnDestroy();
}
