// The remembered defaults written to the profile by the design commands, sending the project,
// and copying files into the label library.
#include "designhelpers.h"

#include "document/registrydefaults.h"
#include "document/documentids.h"
#include "framework/app.h"
#include "testsupport/msgboxrecorder.h"
#include "testsupport/tempdir.h"
#include "testsupport/testrun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace designtest;

namespace {

// The run's own application name and profile key (testrun.h).
const CString kAppName = RunScopedName("KorveltaDesignTests");
const CString kAppKey = "Software\\QUENDRIC\\" + kAppName;

class DesignProfile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kAppKey);
        app.SetRegistryKey("QUENDRIC");
        doc = DesignDoc();
    }
    void TearDown() override
    {
        doc.reset();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kAppKey);
    }
    int Int(const char* section, const char* entry) { return static_cast<int>(app.GetProfileInt(section, entry, 12345)); }
    CString Text(const char* section, const char* entry) { return app.GetProfileString(section, entry, "<none>"); }

    CWinApp app{ kAppName };
    std::unique_ptr<COstrelindSoftLabelDoc> doc;
};

} // namespace

TEST_F(DesignProfile, FontDefaultsFollowEveryToggleAndSize)
{
    doc->DeselectAll(0);
    ASSERT_FALSE(doc->ToggleBold(0));               // nothing selected: only the default changes
    EXPECT_EQ(700, Int("Default font", "Weight"));
    EXPECT_TRUE(doc->IsBold(0));
    EXPECT_EQ(0, UndoSteps(doc->GetCurrentTemplate(), 0));
    EXPECT_FALSE(doc->IsModified());
    doc->ToggleBold(0);
    EXPECT_EQ(400, Int("Default font", "Weight"));
    doc->ToggleItalic(0);
    EXPECT_EQ(1, Int("Default font", "Italic"));
    doc->ToggleUnderline(0);
    EXPECT_EQ(1, Int("Default font", "Underline"));
    doc->SetFontSize(0, 12);
    EXPECT_EQ(-16, Int("Default font", "Size"));
    EXPECT_EQ(12, doc->GetFontSize(0));
    doc->SetFontSize(1, 10);                         // with a selection the default follows too
    EXPECT_EQ(-13, Int("Default font", "Size"));
    doc->SetFontFaceName(0, "A face name longer than thirty-one characters");
    EXPECT_STREQ("A face name longer than thirty-", Text("Default font", "Facename"));
    EXPECT_STREQ("A face name longer than thirty-", doc->GetFontFaceName(0));

    // A new document reads them back.
    COstrelindSoftLabelDoc fresh;
    EXPECT_EQ(-13, fresh.GetDefaultFont().lfHeight);
    EXPECT_EQ(1, fresh.GetDefaultFont().lfItalic);
    EXPECT_STREQ("A face name longer than thirty-", fresh.GetDefaultFont().lfFaceName);
    EXPECT_FALSE(fresh.ToggleBold(3));
    EXPECT_EQ(400, Int("Default font", "Weight"));   // area 3 writes nothing
}

TEST_F(DesignProfile, BarcodeDefaultsOnlyAfterAChange)
{
    // The barcode alone selected, so that the getters answer from it.
    CGraphCollection* area = doc->GetCurrentTemplate()->GetArea(0);
    for (int i = 0; i < area->GetCount(); ++i)
        area->GetAt(i)->SetSelected(area->GetAt(i)->IsBarcode());

    ASSERT_TRUE(doc->SetBarcodeModuleWidth(0, 100));
    EXPECT_EQ(12345, Int("Default barcode", "Module"));
    ASSERT_TRUE(doc->SetBarcodeModuleWidth(0, 101));
    EXPECT_EQ(101, Int("Default barcode", "Module"));
    ASSERT_TRUE(doc->SetBarcodeHeight(0, 200));
    EXPECT_EQ(12345, Int("Default barcode", "Height"));
    ASSERT_TRUE(doc->SetBarcodeHeight(0, 201));
    EXPECT_EQ(201, Int("Default barcode", "Height"));

    EXPECT_FALSE(doc->SetBarcodeSymbology(0, "CODE 39"));
    EXPECT_STREQ("<none>", Text("Default barcode", "Type"));
    ASSERT_TRUE(doc->SetBarcodeSymbology(0, "Code 128"));
    EXPECT_STREQ("Code 128", Text("Default barcode", "Type"));

    // The first QR Code after choosing "H" gets "H"; the setting is remembered.
    AfxGetApp()->WriteProfileString(RegistryDefaults::kDefaultBarcode, "QR ECC level", "H");
    ASSERT_TRUE(doc->SetBarcodeSymbology(0, "QR CODE\xAE"));
    char level[32] = {};
    ASSERT_TRUE(area->GetSelectedErrorCorrectionLevelText(level, sizeof level));
    EXPECT_STREQ("H", level);
    ASSERT_TRUE(doc->SetQRErrorCorrection(0, "Q"));
    EXPECT_STREQ("Q", Text("Default barcode", "QR ECC level"));
    EXPECT_FALSE(doc->SetQRErrorCorrection(0, "Q"));
    EXPECT_EQ(7, UndoSteps(doc->GetCurrentTemplate(), 0));

    // Nothing selected: no change, no profile value.
    doc->DeselectAll(0);
    EXPECT_FALSE(doc->SetBarcodeModuleWidth(0, 500));
    EXPECT_EQ(101, Int("Default barcode", "Module"));
}

TEST(DesignSend, NeedsAPathThenHandsTheFileOver)
{
    static std::vector<std::string> sent;
    sent.clear();
    auto previous = COstrelindSoftLabelDoc::SetMailSender([](const char* path, const char* title) {
        sent.push_back(std::string(path) + "|" + title);
        return true;
    });
    auto doc = DesignDoc();
    {
        MessageBoxRecorder boxes;
        doc->OnFileSend();
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_STREQ("The file has to be saved before it can be sent.", boxes[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes[0].type & MB_ICONMASK);
    }
    EXPECT_TRUE(sent.empty());
    doc->SetPathName("C:\\labels\\shipping.proj", FALSE);
    // The send command reaches the document through its message map.
    EXPECT_TRUE(doc->OnCmdMsg(ID_FILE_SEND_TO, CN_COMMAND, nullptr, nullptr));
    ASSERT_EQ(1u, sent.size());
    EXPECT_EQ("C:\\labels\\shipping.proj|shipping.proj", sent[0]);
    COstrelindSoftLabelDoc::SetMailSender(previous);
}

TEST(DesignLibrary, CopiesByExtensionAsksBeforeReplacingAndOffersTheLabel)
{
    TempDir dir;
    const CString labels = dir.Path("Labels"), images = dir.Path("Label images"), info = dir.Path("Label info");
    for (const CString& folder : {labels, images, info})
        ::CreateDirectoryA(folder, nullptr);
    COstrelindSoftLabelDoc::SetLibraryFolders(labels, images, info, "");

    // Source files: a label definition, a picture, a PDF and something else.
    CLabelFileNew source;
    source.SetWidth(0, 33000, false);
    source.SetHeight(0, 22000);
    source.SetFamilyName("Imported");
    const CString labelFile = dir.Path("wire.label");
    ASSERT_TRUE(source.SaveToFile(labelFile));
    auto write = [](const CString& path, const char* text) {
        CFile f;
        ASSERT_TRUE(f.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary));
        f.Write(text, static_cast<UINT>(strlen(text)));
        f.Close();
    };
    const CString picture = dir.Path("wire.JPG"), pdf = dir.Path("wire.pdf"), other = dir.Path("wire.txt");
    write(picture, "picture");
    write(pdf, "pdf");
    write(other, "other");

    auto doc = DesignDoc();
    const CString files[] = {labelFile, picture, pdf, other};
    {
        MessageBoxRecorder boxes;
        boxes.Answer(IDYES);
        EXPECT_EQ(3, doc->ImportFilesToLabelLibrary(files, 4));
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_NE(std::string::npos, std::string(boxes[0].text).find("The label wire.label has been imported"));
    }
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(labels + "\\wire.label"));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(images + "\\wire.JPG"));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(info + "\\wire.pdf"));
    // Yes: the template now uses the definition, and that is a change of the project.
    ASSERT_NE(nullptr, doc->GetCurrentTemplate()->GetLabelStock());
    EXPECT_EQ(33000, doc->GetCurrentTemplate()->GetLabelStock()->GetWidth(0));
    EXPECT_TRUE(doc->IsModified());

    // The file exists: No keeps the old one, Yes replaces it.
    write(pdf, "new pdf");
    {
        MessageBoxRecorder boxes;
        boxes.Answer(IDNO);
        EXPECT_FALSE(doc->CopyToLabelLibrary(info, pdf));
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_STREQ("The file wire.pdf already exists in the label library. Do you want to replace the existing file?",
                     boxes[0].text);
        EXPECT_STREQ("Import file for label definition.", boxes[0].caption);
        EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONWARNING), boxes[0].type);
    }
    CFile kept;
    ASSERT_TRUE(kept.Open(info + "\\wire.pdf", CFile::modeRead));
    EXPECT_EQ(3u, kept.GetLength());
    kept.Close();
    {
        MessageBoxRecorder boxes;
        boxes.Answer(IDYES);
        EXPECT_TRUE(doc->CopyToLabelLibrary(info + "\\", pdf));
    }
    ASSERT_TRUE(kept.Open(info + "\\wire.pdf", CFile::modeRead));
    EXPECT_EQ(7u, kept.GetLength());
    kept.Close();
    COstrelindSoftLabelDoc::SetLibraryFolders("", "", "", "");
}
