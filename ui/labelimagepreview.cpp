// The picture control of the label selection dialog.
#include "ui/labelimagepreview.h"

#include "framework/gdi.h"
#include "framework/msgmap.h"
#include "labelmodel/imageholder.h"

#include <cstring>

const char CLabelImagePreview::kClassName[] = "ImagePreview";

BEGIN_MESSAGE_MAP(CLabelImagePreview, CWnd)
    ON_WM_PAINT()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CLabelImagePreview::CLabelImagePreview() = default;
CLabelImagePreview::~CLabelImagePreview() = default;

bool CLabelImagePreview::RegisterWindowClass()
{
    return AfxRegisterNamedClass(kClassName, 0, ::DefWindowProcA, ::LoadCursorA(nullptr, IDC_ARROW),
                                 static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
}

void CLabelImagePreview::SetImageFile(const char* path)
{
    const char* wanted = path ? path : "";
    // A path that does not fit is not cut to some other file's name: it shows nothing.
    if (std::strlen(wanted) >= sizeof m_path)
        wanted = "";
    if (std::strcmp(wanted, m_path) == 0)
        return;
    std::strcpy(m_path, wanted);
    m_image.reset();
    if (m_hWnd != nullptr)
        Invalidate();
}

void CLabelImagePreview::LoadImage()
{
    const char* dot = std::strrchr(m_path, '.');
    if (m_path[0] == 0 || dot == nullptr || std::strchr(dot, '\\') != nullptr)
        return;
    if (lstrcmpiA(dot, ".BMP") != 0 && lstrcmpiA(dot, ".JPG") != 0 && lstrcmpiA(dot, ".PNG") != 0)
        return;
    auto image = std::make_unique<CImageBitmapNew>();
    if (image->LoadFromFile(m_path))
        m_image = std::move(image);
}

void CLabelImagePreview::OnPaint()
{
    CPaintDC dc(m_hWnd);
    if (!m_image)
        LoadImage();
    if (!m_image)
        return;
    CRect client;
    GetClientRect(&client);
    m_image->Draw(&dc, nullptr, client.left, client.top, client.right, client.bottom, 0, 0, 100, 100, 0);
}

void CLabelImagePreview::OnDestroy()
{
    m_image.reset();
    Default();
}
