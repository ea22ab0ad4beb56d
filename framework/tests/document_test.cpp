// CDocument and CDocTemplate without any window: names, views as plain observers, the save
// prompt, Save/Save As, command routing into the document.
#include "framework/app.h"
#include "framework/doc.h"
#include "framework/doctempl.h"
#include "framework/safefile.h"
#include "framework/stdids.h"
#include "framework/view.h"
#include "testsupport/msgboxrecorder.h"
#include "testsupport/tempdir.h"
#include "testsupport/testcmdui.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr UINT ID_DOC_TOGGLE = 41001;
const char kProjectStrings[] =
    "\nProject\nProject\nKORVELTA-PRINT marking projects (*.proj)\n.proj\nOstrelindSoft.Project\nOstrelind Soft.Project";

int g_liveDocs = 0;

// A document whose content is one line of text, written and read as the file's bytes.
class CTextDoc : public CDocument {
public:
    CTextDoc() { ++g_liveDocs; }
    ~CTextDoc() override { --g_liveDocs; }

    std::string text;
    bool failSave = false;
    bool failOpen = false;
    std::vector<CString> saves;
    CString proposedName;              // what the save dialog was offered
    CString answerName;                // what the "user" picks; empty cancels
    BOOL toggled = FALSE;

    void DeleteContents() override { text.clear(); }
    BOOL OnOpenDocument(const char* path) override
    {
        if (failOpen)
            return FALSE;
        CFile file;
        if (!file.Open(path, CFile::modeRead))
            return FALSE;
        std::string content(static_cast<size_t>(file.GetLength()), '\0');
        file.Read(&content[0], static_cast<UINT>(content.size()));
        text = content;
        SetModifiedFlag(FALSE);
        return TRUE;
    }
    BOOL OnSaveDocument(const char* path) override
    {
        saves.push_back(path);
        if (failSave) {
            // A careless writer: creates the file, then fails.
            CFile file;
            file.Open(path, CFile::modeCreate | CFile::modeWrite);
            file.Write("partial", 7);
            return FALSE;
        }
        bool ok = WriteFileReplacing(path, [&](CFile& f) { return f.Write(text.data(), static_cast<UINT>(text.size())); });
        if (ok)
            SetModifiedFlag(FALSE);
        return ok;
    }
    BOOL DoPromptFileName(CString& fileName, UINT, DWORD, CDocTemplate*) override
    {
        proposedName = fileName;
        if (answerName.IsEmpty())
            return FALSE;
        fileName = answerName;
        return TRUE;
    }
    void OnToggle() { toggled = !toggled; }
    void OnUpdateToggle(CCmdUI* ui)
    {
        ui->SetCheck(toggled);
        ui->SetText(toggled ? "On" : "Off");
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTextDoc, CDocument)
    ON_COMMAND(ID_DOC_TOGGLE, OnToggle)
    ON_UPDATE_COMMAND_UI(ID_DOC_TOGGLE, OnUpdateToggle)
END_MESSAGE_MAP()

// A view without a window: only observes its document.
class CLogView : public CView {
public:
    std::vector<LPARAM> hints;
    int initial = 0;
    void OnInitialUpdate() override { ++initial; }
    void OnUpdate(CView* sender, LPARAM hint, CObject*) override
    {
        (void)sender;
        hints.push_back(hint);
    }
};

std::string ReadFile(const CString& path)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead))
        return "<none>";
    std::string content(static_cast<size_t>(file.GetLength()), '\0');
    file.Read(&content[0], static_cast<UINT>(content.size()));
    return content;
}

} // namespace

TEST(DocTemplate, SevenFieldsOfTheResourceString)
{
    const char* expected[] = { "", "Project", "Project", "KORVELTA-PRINT marking projects (*.proj)", ".proj",
                               "OstrelindSoft.Project", "Ostrelind Soft.Project" };
    CMultiDocTemplate tmpl(130, CreateNew<CTextDoc>, nullptr, nullptr);
    tmpl.SetDocStrings(kProjectStrings);
    for (int i = 0; i < 7; ++i) {
        CString field;
        EXPECT_TRUE(tmpl.GetDocString(field, static_cast<CDocTemplate::DocStringIndex>(i)));
        EXPECT_STREQ(expected[i], field) << i;
    }
    CString field;
    EXPECT_TRUE(CDocTemplate::GetDocStringFrom("Title\nDoc", field, CDocTemplate::docName));
    EXPECT_STREQ("Doc", field);
    EXPECT_FALSE(CDocTemplate::GetDocStringFrom("Title\nDoc", field, CDocTemplate::filterExt));
    EXPECT_STREQ("", field);
    CMultiDocTemplate missing(64999, CreateNew<CTextDoc>, nullptr, nullptr);
    EXPECT_FALSE(missing.GetDocString(field, CDocTemplate::docName));
}

TEST(DocTemplate, NewAndOpenWithoutWindows)
{
    TempDir dir;
    ASSERT_TRUE(dir.WriteBytes("one.proj", "hello", 5));
    CMultiDocTemplate tmpl(130, CreateNew<CTextDoc>, nullptr, nullptr);
    tmpl.SetDocStrings(kProjectStrings);
    int before = g_liveDocs;

    CDocument* first = tmpl.OpenDocumentFile(nullptr);
    CDocument* second = tmpl.OpenDocumentFile(nullptr);
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second);
    EXPECT_STREQ("Project1", first->GetTitle());
    EXPECT_STREQ("Project2", second->GetTitle());
    EXPECT_EQ(&tmpl, first->GetDocTemplate());

    CTextDoc* opened = static_cast<CTextDoc*>(tmpl.OpenDocumentFile(dir.Path("one.proj")));
    ASSERT_NE(nullptr, opened);
    EXPECT_EQ("hello", opened->text);
    EXPECT_STREQ("one.proj", opened->GetTitle());
    EXPECT_STREQ(dir.Path("one.proj"), opened->GetPathName());
    EXPECT_FALSE(opened->IsModified());
    EXPECT_EQ(3u, tmpl.GetDocuments().size());

    CDocument* match = nullptr;
    EXPECT_EQ(CDocTemplate::yesAlreadyOpen, tmpl.MatchDocType(dir.Path("ONE.PROJ"), match));
    EXPECT_EQ(opened, match);
    EXPECT_EQ(CDocTemplate::yesAttemptNative, tmpl.MatchDocType("x.Proj", match));
    EXPECT_EQ(CDocTemplate::yesAttemptForeign, tmpl.MatchDocType("x.tbl", match));

    // A file that fails to read gives no document at all.
    EXPECT_EQ(nullptr, tmpl.OpenDocumentFile(dir.Path("missing.proj")));
    EXPECT_EQ(3u, tmpl.GetDocuments().size());
    EXPECT_EQ(before + 3, g_liveDocs);

    tmpl.CloseAllDocuments(FALSE);
    EXPECT_TRUE(tmpl.GetDocuments().empty());
    EXPECT_EQ(before, g_liveDocs);
}

TEST(Document, ViewsObserveAndLeave)
{
    CTextDoc doc;
    doc.m_bAutoDelete = FALSE;
    CLogView* a = new CLogView;
    CLogView* b = new CLogView;
    doc.AddView(a);
    doc.AddView(b);
    doc.AddView(a);   // once only
    EXPECT_EQ(2, doc.GetViewCount());
    EXPECT_EQ(&doc, a->GetDocument());

    doc.UpdateAllViews(a, 17);
    EXPECT_TRUE(a->hints.empty());
    ASSERT_EQ(1u, b->hints.size());
    EXPECT_EQ(17, b->hints[0]);
    doc.UpdateAllViews(nullptr, 3);
    EXPECT_EQ(1u, a->hints.size());

    delete a;   // a view that goes away leaves its document
    EXPECT_EQ(1, doc.GetViewCount());
    doc.RemoveView(b);
    EXPECT_EQ(nullptr, b->GetDocument());
    delete b;
}

TEST(Document, AutoDeleteDocumentClosesWithItsLastView)
{
    int before = g_liveDocs;
    CTextDoc* doc = new CTextDoc;
    CLogView* view = new CLogView;
    doc->AddView(view);
    delete view;
    EXPECT_EQ(before, g_liveDocs);

    CLogView* orphan = new CLogView;
    {
        CTextDoc stackDoc;
        stackDoc.m_bAutoDelete = FALSE;
        stackDoc.AddView(orphan);
    }
    EXPECT_EQ(nullptr, orphan->GetDocument());   // the document went first
    delete orphan;
}

TEST(Document, SaveModifiedYesNoCancel)
{
    TempDir dir;
    CTextDoc doc;
    doc.m_bAutoDelete = FALSE;
    doc.SetPathName(dir.Path("labels.proj"), FALSE);
    doc.text = "content";

    MessageBoxRecorder rec;
    EXPECT_TRUE(doc.SaveModified());   // unmodified: no question
    EXPECT_EQ(0u, rec.Count());

    doc.SetModifiedFlag();
    rec.Answer(IDCANCEL);
    EXPECT_FALSE(doc.SaveModified());
    ASSERT_EQ(1u, rec.Count());
    EXPECT_STREQ("Save changes to labels.proj?", rec[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_YESNOCANCEL), rec[0].Buttons());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(doc.saves.empty());

    rec.Answer(IDNO);
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_TRUE(doc.IsModified());   // discarded, not saved
    EXPECT_EQ("<none>", ReadFile(dir.Path("labels.proj")));

    rec.Answer(IDYES);
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ("content", ReadFile(dir.Path("labels.proj")));
    ASSERT_EQ(1u, doc.saves.size());
    EXPECT_TRUE(doc.proposedName.IsEmpty());   // had a path: no dialog

    // Yes with a failing save keeps the document open.
    doc.SetModifiedFlag();
    doc.failSave = true;
    rec.Answer(IDYES);
    EXPECT_FALSE(doc.SaveModified());
    EXPECT_TRUE(doc.IsModified());
}

TEST(Document, SaveAsProposesTheTitleUpToASeparatorWithTheDefaultExtension)
{
    TempDir dir;
    CMultiDocTemplate tmpl(130, CreateNew<CTextDoc>, nullptr, nullptr);
    tmpl.SetDocStrings(kProjectStrings);
    CTextDoc* doc = static_cast<CTextDoc*>(tmpl.OpenDocumentFile(nullptr));
    ASSERT_NE(nullptr, doc);
    doc->SetTitle("Spring;labels");
    doc->text = "abc";
    doc->SetModifiedFlag();

    EXPECT_FALSE(doc->DoFileSave());   // the dialog was cancelled
    EXPECT_STREQ("Spring.proj", doc->proposedName);
    EXPECT_TRUE(doc->saves.empty());

    doc->answerName = dir.Path("spring.proj");
    EXPECT_TRUE(doc->DoFileSave());
    EXPECT_STREQ(dir.Path("spring.proj"), doc->GetPathName());
    EXPECT_STREQ("spring.proj", doc->GetTitle());
    EXPECT_EQ("abc", ReadFile(dir.Path("spring.proj")));

    // Save As a copy keeps the document's own path.
    doc->answerName = dir.Path("copy.proj");
    EXPECT_TRUE(doc->DoSave(nullptr, FALSE));
    EXPECT_STREQ(dir.Path("spring.proj"), doc->GetPathName());
    EXPECT_EQ("abc", ReadFile(dir.Path("copy.proj")));
    tmpl.CloseAllDocuments(FALSE);
}

TEST(Document, FailedSaveAsRemovesOnlyTheFileItCreated)
{
    TempDir dir;
    ASSERT_TRUE(dir.WriteBytes("existing.proj", "keep me", 7));
    CTextDoc doc;
    doc.m_bAutoDelete = FALSE;
    doc.failSave = true;

    doc.answerName = dir.Path("new.proj");
    EXPECT_FALSE(doc.DoSave(nullptr));
    EXPECT_EQ("<none>", ReadFile(dir.Path("new.proj")));

    // The user's file that the failed save overwrote is not deleted on top of that.
    doc.answerName = dir.Path("existing.proj");
    EXPECT_FALSE(doc.DoSave(nullptr));
    EXPECT_NE("<none>", ReadFile(dir.Path("existing.proj")));
    EXPECT_TRUE(doc.GetPathName().IsEmpty());
}

TEST(Document, WriteFileReplacingKeepsThePreviousFileOnFailure)
{
    TempDir dir;
    CString path = dir.Path("data.proj");
    ASSERT_TRUE(dir.WriteBytes("data.proj", "old", 3));
    EXPECT_FALSE(WriteFileReplacing(path, [](CFile& f) { f.Write("ne", 2); return false; }));
    EXPECT_EQ("old", ReadFile(path));
    EXPECT_TRUE(WriteFileReplacing(path, [](CFile& f) { return f.Write("new", 3); }));
    EXPECT_EQ("new", ReadFile(path));
    // No temporary files are left behind.
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA(dir.Path("*.tmp"), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, find);
    if (find != INVALID_HANDLE_VALUE)
        ::FindClose(find);
}

TEST(Document, CommandsAndUpdatesReachTheDocumentThroughAView)
{
    CTextDoc doc;
    doc.m_bAutoDelete = FALSE;
    CLogView view;
    doc.AddView(&view);
    EXPECT_TRUE(view.OnCmdMsg(ID_DOC_TOGGLE, CN_COMMAND, nullptr, nullptr));
    EXPECT_TRUE(doc.toggled);
    CTestCmdUI ui;
    ui.m_nID = ID_DOC_TOGGLE;
    ui.DoUpdate(&view, TRUE);
    EXPECT_TRUE(ui.m_bEnabled);
    EXPECT_EQ(1, ui.m_nCheck);
    EXPECT_STREQ("On", ui.m_strText);
    CTestCmdUI none;
    none.m_nID = ID_DOC_TOGGLE + 1;
    none.DoUpdate(&view, TRUE);
    EXPECT_FALSE(none.m_bEnabled);
    // The document's own framework commands.
    CmdHandlerInfo info;
    EXPECT_TRUE(doc.OnCmdMsg(ID_FILE_SAVE, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(&doc, info.target);
    doc.RemoveView(&view);
}

TEST(Document, RecentListLearnsSavedAndOpenedPaths)
{
    CWinApp app("KorveltaFrameworkDocTests");
    app.LoadStdProfileSettings(10);
    CTextDoc doc;
    doc.m_bAutoDelete = FALSE;
    doc.SetPathName("C:\\x\\first.proj");
    doc.SetPathName("C:\\x\\second.proj", FALSE);
    ASSERT_EQ(1, app.m_pRecentFileList->GetCount());
    EXPECT_STREQ("C:\\x\\first.proj", (*app.m_pRecentFileList)[0]);
}
