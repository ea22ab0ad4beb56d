// Picture paths chosen for an image object through the document: a path longer than the image
// record keeps is refused where it is chosen, with a message naming it and the limit, and the
// project does not change (no undo step, not modified).
#include "document/labeldoc.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/graphimage.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/template.h"
#include "testsupport/filedialogrecorder.h"
#include "testsupport/msgboxrecorder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

struct PictureDoc {
    PictureDoc()
    {
        doc.m_bAutoDelete = FALSE;
        doc.OnNewDocument();
        auto* stock = new CLabelFileNew;
        stock->SetWidth(0, 40000, false);
        stock->SetHeight(0, 20000);
        doc.GetCurrentTemplate()->SetLabelStock(stock);
        image = new CGraphImageExtExt;
        image->SetWidth(10000);
        image->SetHeight(10000);
        image->SetImagePath("C:\\pictures\\old.png");
        image->SetSelected(true);
        doc.GetCurrentTemplate()->GetArea(0)->Append(image);
        doc.SetModifiedFlag(FALSE);
    }
    COstrelindSoftLabelDoc doc;
    CGraphImageExtExt* image = nullptr;
};

} // namespace

TEST(PicturePaths, TheDocumentsPictureDialogRefusesAPathTheRecordCannotKeep)
{
    MessageBoxRecorder boxes;
    FileDialogRecorder dialogs;
    PictureDoc p;
    const std::string longPath = "C:\\" + std::string(130, 'f') + "\\new.png";
    dialogs.AnswerPath(longPath.c_str());
    EXPECT_FALSE(p.doc.ImportImage(nullptr, 0));
    ASSERT_EQ(1u, dialogs.Count());
    EXPECT_TRUE(dialogs.Last().open);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_NE(-1, boxes.Last().text.Find(longPath.c_str()));
    EXPECT_NE(-1, boxes.Last().text.Find("at most 127 characters"));
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes.Last().Icon());
    EXPECT_STREQ("C:\\pictures\\old.png", p.image->GetPath());
    EXPECT_FALSE(p.doc.IsModified());
    EXPECT_FALSE(p.doc.GetCurrentTemplate()->CanUndo(0));

    // Set directly, the same path changes nothing either.
    EXPECT_FALSE(p.doc.SetSelectionImagePath(0, longPath.c_str()));
    EXPECT_STREQ("C:\\pictures\\old.png", p.image->GetPath());
    EXPECT_FALSE(p.doc.IsModified());
    EXPECT_FALSE(p.doc.GetCurrentTemplate()->CanUndo(0));

    // A path of 127 characters is taken.
    const std::string fits = "C:\\" + std::string(116, 'f') + "\\new.png";
    ASSERT_EQ(127u, fits.size());
    dialogs.AnswerPath(fits.c_str());
    EXPECT_TRUE(p.doc.ImportImage(nullptr, 0));
    EXPECT_STREQ(fits.c_str(), p.image->GetPath());
    EXPECT_TRUE(p.doc.IsModified());
    EXPECT_TRUE(p.doc.GetCurrentTemplate()->CanUndo(0));
    EXPECT_EQ(1u, boxes.Count());
}
