// Cut, Copy, Delete and Paste of the design canvas: the object buffer and the private entry, the
// picture of one copied image, text and bitmaps of other windows, a clipboard held elsewhere, undo
// steps across templates, and the buffer outliving a closed canvas.
#include "ui/tests/designpropstest.h"

#include "labelmodel/graphimage.h"
#include "labelmodel/graphtext.h"
#include "ui/inplaceedit.h"

#include <cstring>
#include <vector>

using namespace designprops;

namespace {

// A packed 8 x 8, 24-bit DIB in a movable block, as another program puts it under CF_DIB.
HGLOBAL MakeDib()
{
    const int side = 8;
    const DWORD stride = (side * 3 + 3) & ~3u;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(BITMAPINFOHEADER) + stride * side);
    auto* header = static_cast<BITMAPINFOHEADER*>(::GlobalLock(block));
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = side;
    header->biHeight = side;
    header->biPlanes = 1;
    header->biBitCount = 24;
    header->biCompression = BI_RGB;
    header->biSizeImage = stride * side;
    std::memset(reinterpret_cast<BYTE*>(header + 1), 0x80, stride * side);
    ::GlobalUnlock(block);
    return block;
}

HGLOBAL MakeText(const char* text)
{
    const size_t size = std::strlen(text) + 1;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(::GlobalLock(block), text, size);
    ::GlobalUnlock(block);
    return block;
}

// Puts one format on the clipboard as another window would.
void PutOnClipboard(HWND owner, UINT format, HGLOBAL data)
{
    ASSERT_TRUE(::OpenClipboard(owner));
    ::EmptyClipboard();
    ASSERT_NE(nullptr, ::SetClipboardData(format, data));
    ::CloseClipboard();
}

std::vector<UINT> ClipboardFormats(HWND owner)
{
    std::vector<UINT> formats;
    if (!::OpenClipboard(owner))
        return formats;
    for (UINT f = ::EnumClipboardFormats(0); f != 0; f = ::EnumClipboardFormats(f))
        formats.push_back(f);
    ::CloseClipboard();
    return formats;
}

class DesignClipboard : public DesignCommands {
protected:
    void SetUp() override
    {
        DesignCommands::SetUp();
        other.CreateEx(0, AfxRegisterWndClass(0), "other program", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
        ASSERT_TRUE(::OpenClipboard(other.m_hWnd));
        ::EmptyClipboard();
        ::CloseClipboard();
    }
    void TearDown() override
    {
        if (other.m_hWnd != nullptr)
            other.DestroyWindow();
        DesignCommands::TearDown();
    }

    CGraphImageExtExt* AddImage()
    {
        auto* image = new CGraphImageExtExt;
        HGLOBAL dib = MakeDib();
        EXPECT_TRUE(image->CreateFromClipboard(CF_DIB, dib));
        ::GlobalFree(dib);
        image->SetX(3000);
        image->SetY(4000);
        image->SetSelected(true);
        Area()->Append(image);
        return image;
    }
    bool PasteEnabled()
    {
        CTestCmdUI ui;
        Update(ID_EDIT_PASTE, &ui);
        return ui.m_bEnabled != FALSE;
    }

    CWnd other;
};

} // namespace

TEST_F(DesignClipboard, TwoObjectsPasteAsSelectedClonesOffsetOnlyWhenTheAreaHasObjects)
{
    AddRect(1000, 2000, 5000, 3000);
    AddRect(8000, 9000, 4000, 4000);
    Command(ID_EDIT_COPY);
    ASSERT_NE(nullptr, Ostrelind_SoftLabelDesignView::ClipboardObjects());
    EXPECT_EQ(2, Ostrelind_SoftLabelDesignView::ClipboardObjects()->GetCount());
    // Copy changes nothing in the area and takes no undo step.
    EXPECT_EQ(2, Area()->GetCount());
    EXPECT_EQ(0, UndoDepth());
    const std::vector<UINT> formats = ClipboardFormats(other.m_hWnd);
    ASSERT_FALSE(formats.empty());
    EXPECT_EQ(view->GetClipboardFormat(), formats.front());
    EXPECT_TRUE(PasteEnabled());

    Command(ID_EDIT_PASTE);
    ASSERT_EQ(4, Area()->GetCount());
    EXPECT_FALSE(Area()->GetAt(0)->IsSelected());
    EXPECT_FALSE(Area()->GetAt(1)->IsSelected());
    EXPECT_TRUE(Area()->GetAt(2)->IsSelected());
    EXPECT_EQ(6000, Area()->GetAt(2)->GetX());
    EXPECT_EQ(7000, Area()->GetAt(2)->GetY());
    EXPECT_EQ(13000, Area()->GetAt(3)->GetX());
    EXPECT_EQ(14000, Area()->GetAt(3)->GetY());
    EXPECT_EQ(1, UndoDepth());
    EXPECT_TRUE(doc->IsModified());

    // Into an empty area they keep their places.
    // Select all first clears the pasted selection, then takes every object.
    Command(ID_EDIT_SELECT_ALL);
    EXPECT_EQ(0, Area()->GetSelectedCount());
    Command(ID_EDIT_SELECT_ALL);
    EXPECT_EQ(4, Area()->GetSelectedCount());
    Command(ID_EDIT_DELETE);
    ASSERT_EQ(0, Area()->GetCount());
    Command(ID_EDIT_PASTE);
    ASSERT_EQ(2, Area()->GetCount());
    EXPECT_EQ(1000, Area()->GetAt(0)->GetX());
    EXPECT_EQ(2000, Area()->GetAt(0)->GetY());
    EXPECT_TRUE(Area()->GetAt(0)->IsSelected());
}

TEST_F(DesignClipboard, OneImageCopiedPutsItsPictureFirstAndPastesAsANewImage)
{
    CGraphImageExtExt* image = AddImage();
    Command(ID_EDIT_COPY);
    const std::vector<UINT> formats = ClipboardFormats(other.m_hWnd);
    ASSERT_GE(formats.size(), 2u);
    EXPECT_EQ(static_cast<UINT>(CF_DIB), formats.front());
    bool privateEntry = false;
    for (UINT f : formats)
        privateEntry = privateEntry || f == view->GetClipboardFormat();
    EXPECT_TRUE(privateEntry);

    Command(ID_EDIT_PASTE);
    ASSERT_EQ(2, Area()->GetCount());
    CGraphObject* pasted = Area()->GetAt(1);
    EXPECT_NE(image, pasted);
    EXPECT_EQ(+CGraphImageExtExt::kTypeCode, pasted->GetTypeCode());
    // A picture pasted from the clipboard stands 5 mm from the origin, not beside the original.
    EXPECT_EQ(5000, pasted->GetX());
    EXPECT_EQ(5000, pasted->GetY());
    EXPECT_TRUE(pasted->IsSelected());
    EXPECT_FALSE(image->IsSelected());
}

TEST_F(DesignClipboard, TextAndBitmapsOfOtherProgramsPasteAsNewObjects)
{
    PutOnClipboard(other.m_hWnd, CF_TEXT, MakeText("Hello\r\nWorld"));
    EXPECT_TRUE(PasteEnabled());
    Command(ID_EDIT_PASTE);
    ASSERT_EQ(1, Area()->GetCount());
    CGraphObject* text = Area()->GetAt(0);
    EXPECT_EQ(+CGraphTextExt::kTypeCode, text->GetTypeCode());
    CString content;
    EXPECT_TRUE(text->GetFixedText(content));
    EXPECT_NE(-1, content.Find("Hello"));
    EXPECT_NE(-1, content.Find("World"));
    EXPECT_EQ(5000, text->GetX());
    EXPECT_EQ(5000, text->GetY());

    PutOnClipboard(other.m_hWnd, CF_DIB, MakeDib());
    Command(ID_EDIT_PASTE);
    ASSERT_EQ(2, Area()->GetCount());
    EXPECT_EQ(+CGraphImageExtExt::kTypeCode, Area()->GetAt(1)->GetTypeCode());
    EXPECT_FALSE(Area()->GetAt(0)->IsSelected());
    EXPECT_TRUE(Area()->GetAt(1)->IsSelected());

    // A format the canvas does not read leaves Paste disabled.
    PutOnClipboard(other.m_hWnd, ::RegisterClipboardFormatA("Another program's records"), MakeText("x"));
    EXPECT_FALSE(PasteEnabled());
}

TEST_F(DesignClipboard, AClipboardHeldElsewhereLeavesTheBufferAndTheObjects)
{
    AddRect(1000, 1000, 2000, 2000);
    Command(ID_EDIT_COPY);
    CGraphCollection* before = Ostrelind_SoftLabelDesignView::ClipboardObjects();
    ASSERT_NE(nullptr, before);
    ASSERT_EQ(1, before->GetCount());
    AddRect(9000, 9000, 2000, 2000);

    ASSERT_TRUE(::OpenClipboard(other.m_hWnd));
    Command(ID_EDIT_COPY);
    Command(ID_EDIT_CUT);
    ::CloseClipboard();
    // The earlier buffer is still the buffer, with its one object; nothing was removed.
    EXPECT_EQ(before, Ostrelind_SoftLabelDesignView::ClipboardObjects());
    EXPECT_EQ(1, before->GetCount());
    EXPECT_EQ(2, Area()->GetCount());
    EXPECT_EQ(0, UndoDepth());
}

TEST_F(DesignClipboard, CutAndPasteAcrossTemplatesAreOneUndoStepEach)
{
    AddRect(1000, 2000, 3000, 3000);
    AddRect(6000, 2000, 3000, 3000, false);
    Command(ID_EDIT_CUT);
    ASSERT_EQ(1, Area()->GetCount());
    EXPECT_EQ(6000, Area()->GetAt(0)->GetX());
    EXPECT_EQ(1, UndoDepth());
    ASSERT_EQ(2, Snapshot()->GetCount());

    const int source = doc->GetCurrentTemplateIndex();
    doc->OnNewTemplate();
    ASSERT_NE(source, doc->GetCurrentTemplateIndex());
    ASSERT_TRUE(SizeLabel());
    Command(ID_EDIT_PASTE);
    ASSERT_EQ(1, Area()->GetCount());
    EXPECT_EQ(1000, Area()->GetAt(0)->GetX());
    EXPECT_EQ(1, UndoDepth());
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(0, Area()->GetCount());

    doc->SetCurrentTemplate(source);
    EXPECT_EQ(1, UndoDepth());
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(2, Area()->GetCount());
}

TEST_F(DesignClipboard, TheBufferOutlivesAClosedCanvas)
{
    AddRect(1000, 2000, 3000, 3000);
    Command(ID_EDIT_COPY);
    // A second canvas (another tab) closes: the buffer stays. (It goes with the last canvas of
    // the process; the project window's own canvases outlive this test's.)
    Ostrelind_SoftLabelDesignView* second = NewView();
    ASSERT_NE(nullptr, second);
    second->DestroyWindow();
    DrainMessages();
    ASSERT_NE(nullptr, Ostrelind_SoftLabelDesignView::ClipboardObjects());
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(2, Area()->GetCount());

    // This test's canvas goes too: the project's canvases still hold the buffer, and a new canvas
    // pastes from it.
    view->DestroyWindow();
    DrainMessages();
    ASSERT_NE(nullptr, Ostrelind_SoftLabelDesignView::ClipboardObjects());
    view = NewView();
    ASSERT_NE(nullptr, view);
    EXPECT_TRUE(PasteEnabled());
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(3, Area()->GetCount());
}

TEST_F(DesignClipboard, DeleteAndTheUpdatesFollowTheSelectionAndTheLock)
{
    CTestCmdUI cut, del;
    Update(ID_EDIT_CUT, &cut);
    EXPECT_FALSE(cut.m_bEnabled);
    AddRect(1000, 2000, 3000, 3000);
    Update(ID_EDIT_DELETE, &del);
    EXPECT_TRUE(del.m_bEnabled);
    // The Delete key raises the command.
    view->SendMessage(WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_EQ(0, Area()->GetCount());
    EXPECT_EQ(1, UndoDepth());
    EXPECT_EQ(nullptr, Ostrelind_SoftLabelDesignView::ClipboardObjects());

    AddRect(1000, 2000, 3000, 3000);
    Command(ID_EDIT_COPY);
    doc->LockTemplate("secret");
    CTestCmdUI copy;
    Update(ID_EDIT_COPY, &copy);
    EXPECT_FALSE(copy.m_bEnabled);
    EXPECT_FALSE(PasteEnabled());
    doc->UnlockTemplate();
}

TEST_F(DesignClipboard, WithTheEditorOpenDeleteRemovesCharactersNotTheObject)
{
    auto* text = new CGraphTextExt;
    text->SetX(1000);
    text->SetY(1000);
    text->SetWidth(20000);
    text->SetHeight(8000);
    text->SetFixedText("Hello");
    Area()->Append(text);
    view->BeginInPlaceEdit(text);
    CInPlaceEdit* editor = view->GetInPlaceEdit();
    ASSERT_NE(nullptr, editor);
    editor->SetWindowText("Hello");
    editor->SetSel(0, 2);
    Command(ID_EDIT_DELETE);
    char typed[64] = {};
    ::GetWindowTextA(editor->m_hWnd, typed, sizeof typed);
    EXPECT_STREQ("llo", typed);
    EXPECT_EQ(1, Area()->GetCount());
    view->EndInPlaceEdit();
}

TEST_F(DesignClipboard, AMetafilePictureOfAnotherProgramPastesAsAnImage)
{
    HDC recorder = ::CreateMetaFileA(nullptr);
    ASSERT_NE(nullptr, recorder);
    ::Rectangle(recorder, 0, 0, 100, 50);
    HMETAFILE metafile = ::CloseMetaFile(recorder);
    ASSERT_NE(nullptr, metafile);
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(METAFILEPICT));
    auto* picture = static_cast<METAFILEPICT*>(::GlobalLock(block));
    picture->mm = MM_ANISOTROPIC;
    picture->xExt = 2000;   // 20 x 10 mm in hundredths of a millimetre
    picture->yExt = 1000;
    picture->hMF = metafile;
    ::GlobalUnlock(block);
    PutOnClipboard(other.m_hWnd, CF_METAFILEPICT, block);
    EXPECT_TRUE(PasteEnabled());
    Command(ID_EDIT_PASTE);
    ASSERT_EQ(1, Area()->GetCount());
    EXPECT_EQ(+CGraphImageExtExt::kTypeCode, Area()->GetAt(0)->GetTypeCode());
    EXPECT_EQ(1, UndoDepth());
}

// The Paste update runs at every idle pass: it asks for the four formats without opening the
// clipboard, so a clipboard another program holds open stays its own and Paste is still offered.
TEST_F(DesignClipboard, PasteIsOfferedForTheFourFormatsWithoutOpeningTheClipboard)
{
    EXPECT_FALSE(PasteEnabled());
    PutOnClipboard(other.m_hWnd, CF_TEXT, MakeText("plain"));
    EXPECT_TRUE(PasteEnabled());
    PutOnClipboard(other.m_hWnd, CF_DIB, MakeDib());
    EXPECT_TRUE(PasteEnabled());
    PutOnClipboard(other.m_hWnd, ::RegisterClipboardFormatA("TRQZ_OBJECTS_NEW"),
                   ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 1));
    EXPECT_TRUE(PasteEnabled());
    HMETAFILE metafile = ::CloseMetaFile(::CreateMetaFileA(nullptr));
    HGLOBAL pict = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(METAFILEPICT));
    auto* mfp = static_cast<METAFILEPICT*>(::GlobalLock(pict));
    mfp->mm = MM_ANISOTROPIC;
    mfp->hMF = metafile;
    ::GlobalUnlock(pict);
    PutOnClipboard(other.m_hWnd, CF_METAFILEPICT, pict);
    EXPECT_TRUE(PasteEnabled());
    // Only a format the canvas does not read: nothing to paste.
    PutOnClipboard(other.m_hWnd, ::RegisterClipboardFormatA("Another program's objects"),
                   ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 4));
    EXPECT_FALSE(PasteEnabled());

    // Another program in the middle of its own copy: the canvas neither fails nor takes the
    // clipboard from it.
    PutOnClipboard(other.m_hWnd, CF_TEXT, MakeText("held"));
    ASSERT_TRUE(::OpenClipboard(other.m_hWnd));
    EXPECT_TRUE(PasteEnabled());
    EXPECT_EQ(other.m_hWnd, ::GetOpenClipboardWindow());
    ::CloseClipboard();
    EXPECT_EQ(nullptr, ::GetOpenClipboardWindow());

    // Paste itself still takes the first of the four in the clipboard's own order.
    ASSERT_TRUE(::OpenClipboard(other.m_hWnd));
    ::EmptyClipboard();
    ASSERT_NE(nullptr, ::SetClipboardData(CF_DIB, MakeDib()));
    ASSERT_NE(nullptr, ::SetClipboardData(CF_TEXT, MakeText("second")));
    ::CloseClipboard();
    Command(ID_EDIT_PASTE);
    ASSERT_EQ(1, Area()->GetCount());
    EXPECT_NE(nullptr, dynamic_cast<CGraphImageExtExt*>(Area()->GetAt(0)));
}
