// The file dialog as a window: the old style with a template of its own and the hook reaching
// OnInitDialog and data exchange, the explorer style of today's callers, walking a multiple
// selection, and the recorder that answers in place of the dialog.
#include "framework/app.h"
#include "framework/doc.h"
#include "framework/edit.h"
#include "framework/filedlg.h"
#include "testsupport/dialogdriver.h"
#include "testsupport/dlgtemplate.h"
#include "testsupport/filedialogrecorder.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>
#include <dlgs.h>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr WORD IDC_EXTRA = 0x500;

// The old open dialog's controls (the ids the system looks for) plus one of our own.
DialogTemplateBuilder OldStyleTemplate()
{
    using B = DialogTemplateBuilder;
    B b("Pick a label", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK, 280, 170);
    b.Item(stc3, B::kStatic, SS_LEFT, "File &name:", 6, 6, 76, 9)
        .Item(edt1, B::kEdit, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, "", 6, 16, 90, 12)
        .Item(lst1, B::kListBox, LBS_SORT | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_DISABLENOSCROLL |
                                     WS_VSCROLL | WS_BORDER | WS_TABSTOP, "", 6, 32, 90, 68)
        .Item(stc1, B::kStatic, SS_LEFT | SS_NOPREFIX, "", 110, 16, 92, 9)
        .Item(lst2, B::kListBox, LBS_SORT | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_DISABLENOSCROLL |
                                     WS_VSCROLL | WS_BORDER | WS_TABSTOP, "", 110, 32, 92, 68)
        .Item(stc2, B::kStatic, SS_LEFT, "List files of &type:", 6, 104, 90, 9)
        .Item(cmb1, B::kComboBox, CBS_DROPDOWNLIST | CBS_AUTOHSCROLL | WS_BORDER | WS_VSCROLL | WS_TABSTOP, "", 6,
              114, 90, 96)
        .Item(stc4, B::kStatic, SS_LEFT, "Dri&ves:", 110, 104, 92, 9)
        .Item(cmb2, B::kComboBox, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | CBS_AUTOHSCROLL | CBS_SORT |
                                      WS_BORDER | WS_VSCROLL | WS_TABSTOP, "", 110, 114, 92, 68)
        .Item(IDOK, B::kButton, BS_DEFPUSHBUTTON | WS_TABSTOP, "OK", 208, 6, 50, 14)
        .Item(IDCANCEL, B::kButton, BS_PUSHBUTTON | WS_TABSTOP, "Cancel", 208, 24, 50, 14)
        .Item(pshHelp, B::kButton, BS_PUSHBUTTON | WS_TABSTOP, "&Help", 208, 46, 50, 14)
        .Item(chx1, B::kButton, BS_AUTOCHECKBOX | WS_TABSTOP, "&Read only", 208, 68, 50, 12)
        .Item(IDC_EXTRA, B::kEdit, WS_BORDER | ES_AUTOHSCROLL, "", 6, 140, 196, 12);
    return b;
}

// A file dialog with its own template, message map and data exchange, as the label-selection
// dialogs of the program are.
class CTemplatedOpenDialog : public CFileDialog {
public:
    CEdit extra;
    int inits = 0;
    int extraChanges = 0;
    HGLOBAL memory = nullptr;

    CTemplatedOpenDialog(const char* filter, const DialogTemplateBuilder& tmpl)
        : CFileDialog(TRUE, "lbl", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, filter, nullptr, FALSE)
    {
        // The system wants the template in a memory block of its own.
        const DLGTEMPLATE* t = tmpl.Get();
        memory = ::GlobalAlloc(GMEM_FIXED, 4096);
        std::memcpy(memory, t, 4096);
        m_ofn.Flags |= OFN_ENABLETEMPLATEHANDLE;
        m_ofn.hInstance = static_cast<HINSTANCE>(memory);
    }
    ~CTemplatedOpenDialog() override { ::GlobalFree(memory); }
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, IDC_EXTRA, extra); }
    BOOL OnInitDialog() override
    {
        ++inits;
        UpdateData(FALSE);
        extra.SetWindowText("ready");
        return TRUE;
    }
    void OnExtraChange() { ++extraChanges; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTemplatedOpenDialog, CFileDialog)
    ON_EN_CHANGE(IDC_EXTRA, OnExtraChange)
END_MESSAGE_MAP()

std::vector<CString> Walk(const CFileDialog& dialog)
{
    std::vector<CString> paths;
    for (POSITION pos = dialog.GetStartPosition(); pos != nullptr && paths.size() < 10;)
        paths.push_back(dialog.GetNextPathName(pos));
    return paths;
}

TEST(FileDialogWindow, OldStyleWithTemplateAndHookReachesInitAndItsControls)
{
    TempDir dir;
    ASSERT_TRUE(dir.WriteBytes("pick.lbl", "x", 1));
    DialogTemplateBuilder tmpl = OldStyleTemplate();
    CTemplatedOpenDialog dialog("Labels (*.lbl)|*.lbl||", tmpl);
    dialog.m_ofn.lpstrInitialDir = dir.Path().GetString();

    bool sawSelf = false;
    CString extraText;
    HWND extraControl = nullptr;
    HWND boundExtra = nullptr;
    ScopedDialogDriver driver({[&](CWnd* d) {
        sawSelf = d == &dialog && dialog.GetFileDialogWindow() == d->m_hWnd;
        extraControl = ::GetDlgItem(d->m_hWnd, IDC_EXTRA);
        boundExtra = dialog.extra.m_hWnd;
        extraText = dialog.extra.GetWindowText();
        ::SetDlgItemTextA(d->m_hWnd, edt1, dir.Path("pick.lbl"));
        ScopedDialogDriver::Post(d, IDOK);
    }});
    ASSERT_EQ(IDOK, dialog.DoModal());
    EXPECT_TRUE(sawSelf);
    EXPECT_EQ(1, dialog.inits);
    EXPECT_NE(nullptr, extraControl);
    EXPECT_EQ(extraControl, boundExtra);
    EXPECT_EQ("ready", extraText);
    EXPECT_GE(dialog.extraChanges, 1);               // the control's notification reached our map
    EXPECT_EQ(0, dialog.GetPathName().CompareNoCase(dir.Path("pick.lbl"))) << dialog.GetPathName().GetString();
    EXPECT_EQ("lbl", CString(dialog.GetFileExt()).MakeLower());
    EXPECT_EQ(0u, dialog.m_ofn.Flags & OFN_EXPLORER);
    EXPECT_EQ(nullptr, dialog.m_hWnd);
    EXPECT_EQ(nullptr, dialog.extra.m_hWnd);
}

TEST(FileDialogWindow, ExplorerStyleStaysTheDefaultAndTheRealDialogIsTheParent)
{
    CFileDialog dialog(TRUE, "*.proj", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, "Projects|*.proj||");
    EXPECT_EQ(static_cast<DWORD>(OFN_EXPLORER | OFN_ENABLESIZING),
              dialog.m_ofn.Flags & (OFN_EXPLORER | OFN_ENABLESIZING));
    HWND bound = nullptr, real = nullptr, okButton = nullptr;
    ScopedDialogDriver driver({[&](CWnd* d) {
        bound = d->m_hWnd;
        real = dialog.GetFileDialogWindow();
        okButton = ::GetDlgItem(real, IDOK);
        ScopedDialogDriver::Post(d, IDCANCEL);
    }});
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    ASSERT_NE(nullptr, bound);
    EXPECT_NE(bound, real);
    EXPECT_NE(nullptr, okButton);
    EXPECT_EQ(nullptr, dialog.m_hWnd);
    EXPECT_EQ(1u, driver.Seen().size());
}

TEST(FileDialogWindow, MultipleSelectionIsWalkedInBothStyles)
{
    // Explorer: the folder, then the names, separated by NULs.
    {
        CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT);
        const char buffer[] = "C:\\labels\0a.label\0b.jpg\0\0";
        std::memcpy(dialog.m_ofn.lpstrFile, buffer, sizeof buffer);
        EXPECT_EQ((std::vector<CString>{"C:\\labels\\a.label", "C:\\labels\\b.jpg"}), Walk(dialog));
        EXPECT_EQ("C:\\labels\\a.label", dialog.GetPathName());
    }
    // One file chosen: its full path alone; a folder at the root keeps one backslash.
    {
        CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT);
        const char one[] = "C:\\labels\\only.label\0\0";
        std::memcpy(dialog.m_ofn.lpstrFile, one, sizeof one);
        EXPECT_EQ((std::vector<CString>{"C:\\labels\\only.label"}), Walk(dialog));
        const char root[] = "C:\\\0x.pdf\0y.pdf\0\0";
        std::memcpy(dialog.m_ofn.lpstrFile, root, sizeof root);
        EXPECT_EQ((std::vector<CString>{"C:\\x.pdf", "C:\\y.pdf"}), Walk(dialog));
    }
    // The old style: blanks between the folder and the (short) names.
    {
        CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT, nullptr, nullptr, FALSE);
        const char buffer[] = "C:\\LABELS A.LBL B.LBL\0";
        std::memcpy(dialog.m_ofn.lpstrFile, buffer, sizeof buffer);
        EXPECT_EQ((std::vector<CString>{"C:\\LABELS\\A.LBL", "C:\\LABELS\\B.LBL"}), Walk(dialog));
        const char single[] = "C:\\LABELS\\ONE.LBL\0";
        std::memcpy(dialog.m_ofn.lpstrFile, single, sizeof single);
        EXPECT_EQ((std::vector<CString>{"C:\\LABELS\\ONE.LBL"}), Walk(dialog));
    }
    // Without multiple selection whatever a longer earlier name left after the NUL is not a name.
    {
        CFileDialog dialog(TRUE, nullptr, "C:\\a\\much\\longer\\default\\name.label");
        const char chosen[] = "C:\\b.label";
        std::memcpy(dialog.m_ofn.lpstrFile, chosen, sizeof chosen);
        EXPECT_EQ((std::vector<CString>{"C:\\b.label"}), Walk(dialog));
    }
    // Nothing chosen: no position.
    {
        CFileDialog dialog(TRUE);
        EXPECT_EQ(nullptr, dialog.GetStartPosition());
        EXPECT_EQ("", dialog.GetPathName());
    }
}

TEST(FileDialogWindow, FiltersAreJoinedInOnePlace)
{
    EXPECT_EQ("Label files (*.label)|*.label|Images|*.jpg;*.png|PDF|*.pdf||",
              CFileDialog::JoinFilters({"Label files (*.label)|*.label||", "Images|*.jpg;*.png||", "PDF|*.pdf|"}));
    EXPECT_EQ("A|*.a||", CFileDialog::JoinFilters({"", "A|*.a", "||"}));
    EXPECT_EQ("", CFileDialog::JoinFilters({}));
}

TEST(FileDialogRecorderSeam, RecordsTheCallExactlyAndAnswersWithoutAWindow)
{
    FileDialogRecorder recorder;
    recorder.AnswerPath("C:\\out\\saved.proj");
    recorder.AnswerPaths({"C:\\in\\one.label", "C:\\in\\two.jpg"});
    recorder.AnswerCancel();

    CFileDialog save(FALSE, "*.proj", "untitled", OFN_OVERWRITEPROMPT, "Projects (*.proj)|*.proj|All|*.*||");
    save.SetTitle("Save As");
    save.m_ofn.lpstrInitialDir = "C:\\out";
    ASSERT_EQ(IDOK, save.DoModal());
    EXPECT_EQ("C:\\out\\saved.proj", save.GetPathName());
    EXPECT_EQ("saved", save.GetFileTitle());
    ASSERT_EQ(1u, recorder.Count());
    const RecordedFileDialog& r = recorder.Last();
    EXPECT_FALSE(r.open);
    EXPECT_TRUE(r.Explorer());
    // Today's callers: the explorer style, resizable, without a hook.
    EXPECT_EQ(static_cast<DWORD>(OFN_OVERWRITEPROMPT | OFN_EXPLORER | OFN_ENABLESIZING), r.flags);
    EXPECT_EQ("Projects (*.proj)|*.proj|All|*.*||", r.filter);
    EXPECT_EQ("proj", r.defaultExt);
    EXPECT_EQ("C:\\out", r.initialDir);
    EXPECT_EQ("Save As", r.title);
    EXPECT_EQ("untitled", r.fileName);
    EXPECT_EQ(IDOK, r.result);

    CFileDialog open(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST, "Labels|*.label||");
    ASSERT_EQ(IDOK, open.DoModal());
    EXPECT_EQ((std::vector<CString>{"C:\\in\\one.label", "C:\\in\\two.jpg"}), Walk(open));
    EXPECT_TRUE(recorder.Last().open);
    EXPECT_TRUE(recorder.Last().MultiSelect());

    CFileDialog cancelled(TRUE);
    EXPECT_EQ(IDCANCEL, cancelled.DoModal());
    // With nothing queued the dialog is cancelled.
    CFileDialog unanswered(TRUE);
    EXPECT_EQ(IDCANCEL, unanswered.DoModal());
    EXPECT_EQ(4u, recorder.Count());
    // A driver, or a class of its own, brings the hook.
    ScopedDialogDriver driver;
    CFileDialog driven(TRUE);
    EXPECT_EQ(IDCANCEL, driven.DoModal());
    EXPECT_NE(0u, recorder.Last().flags & OFN_ENABLEHOOK);
    EXPECT_TRUE(driver.Seen().empty());              // the recorder answered: no window appeared
}

TEST(FileDialogRecorderSeam, AnOldStyleAnswerIsWrittenAsTheOldDialogWritesIt)
{
    FileDialogRecorder recorder;
    recorder.AnswerPaths({"C:\\IN\\A.LBL", "C:\\IN\\B.LBL"});
    recorder.AnswerPaths({"C:\\IN\\A.LBL", "C:\\ELSEWHERE\\B.LBL"});   // two folders: not an answer
    CFileDialog open(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT, nullptr, nullptr, FALSE);
    ASSERT_EQ(IDOK, open.DoModal());
    EXPECT_STREQ("C:\\IN A.LBL B.LBL", open.m_ofn.lpstrFile);
    EXPECT_EQ((std::vector<CString>{"C:\\IN\\A.LBL", "C:\\IN\\B.LBL"}), Walk(open));
    CFileDialog again(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT);
    EXPECT_EQ(IDCANCEL, again.DoModal());
}

// A document that writes what it holds, nothing else.
class CBytesDoc : public CDocument {
public:
    BOOL OnSaveDocument(const char* path) override
    {
        CFile file;
        if (!file.Open(path, CFile::modeCreate | CFile::modeWrite))
            return FALSE;
        file.Write("the document's bytes", 20);
        return TRUE;
    }
};

// Watches the thread for the system's question over the real save dialog, answers it with No,
// then cancels the dialog that stays open. Runs from a thread timer inside the dialog's loop.
struct ReplaceQuestion {
    static HWND dialog;
    static std::string text;
    static int state;    // 0 waiting for the question, 1 answered, 2 dialog cancelled
    static int ticks;

    static BOOL CALLBACK FindBox(HWND wnd, LPARAM found)
    {
        char cls[16] = {};
        ::GetClassNameA(wnd, cls, sizeof cls);
        if (wnd != dialog && ::IsWindowVisible(wnd) && std::string(cls) == "#32770" &&
            ::GetWindow(wnd, GW_OWNER) == dialog) {
            *reinterpret_cast<HWND*>(found) = wnd;
            return FALSE;
        }
        return TRUE;
    }
    static BOOL CALLBACK ReadStatic(HWND child, LPARAM)
    {
        char cls[16] = {};
        ::GetClassNameA(child, cls, sizeof cls);
        char buffer[512] = {};
        if (_stricmp(cls, "Static") == 0 && ::GetWindowTextA(child, buffer, sizeof buffer) > 0)
            text += buffer;
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD)
    {
        HWND box = nullptr;
        ::EnumThreadWindows(::GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
        if (state == 0 && box != nullptr) {
            ::EnumChildWindows(box, ReadStatic, 0);
            ::PostMessageA(box, WM_COMMAND, IDNO, 0);
            state = 1;
        } else if ((state == 1 && box == nullptr) || ++ticks > 200) {
            ::KillTimer(nullptr, id);
            ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            state = 2;
        }
    }
};
HWND ReplaceQuestion::dialog = nullptr;
std::string ReplaceQuestion::text;
int ReplaceQuestion::state = 0;
int ReplaceQuestion::ticks = 0;

// Save As through the real system dialog: a name that exists brings the system's question, and No
// leaves the file byte for byte as it was and the document unsaved under its old name.
TEST(FileDialogWindow, SaveAsOntoAFileThatExistsAsksAndNoKeepsItsBytes)
{
    TempDir dir;
    const std::string kept = "a file the person made before";
    ASSERT_TRUE(dir.WriteBytes("old.proj", kept.data(), kept.size()));
    CWinApp app("KorveltaFrameworkFileDialogTests");
    CBytesDoc doc;
    doc.m_bAutoDelete = FALSE;
    doc.SetModifiedFlag();

    DWORD flags = 0;
    UINT_PTR timer = 0;
    ReplaceQuestion::dialog = nullptr;
    ReplaceQuestion::text.clear();
    ReplaceQuestion::state = 0;
    ReplaceQuestion::ticks = 0;
    ScopedDialogDriver driver({[&](CWnd* d) {
        auto* fileDialog = dynamic_cast<CFileDialog*>(d);
        ASSERT_NE(nullptr, fileDialog);
        flags = fileDialog->m_ofn.Flags;
        const HWND real = fileDialog->GetFileDialogWindow();
        ReplaceQuestion::dialog = real;
        // The explorer dialog's name box is a combo box (cmb13); older layouts have an edit.
        const int nameBox = ::GetDlgItem(real, cmb13) != nullptr ? cmb13 : edt1;
        ::SendMessageA(real, CDM_SETCONTROLTEXT, nameBox, reinterpret_cast<LPARAM>(dir.Path("old.proj").GetString()));
        ::PostMessageA(real, WM_COMMAND, IDOK, 0);
        timer = ::SetTimer(nullptr, 0, 50, ReplaceQuestion::Tick);
    }});
    EXPECT_FALSE(doc.DoSave(nullptr));
    if (ReplaceQuestion::state != 2)
        ::KillTimer(nullptr, timer);   // the dialog ended some other way: nothing may tick later

    EXPECT_NE(0u, flags & OFN_OVERWRITEPROMPT);
    EXPECT_EQ(2, ReplaceQuestion::state);
    EXPECT_FALSE(ReplaceQuestion::text.empty());   // the question's words are the system's own
    EXPECT_EQ(kept, dir.ReadBytes("old.proj"));
    EXPECT_TRUE(doc.GetPathName().IsEmpty());
    EXPECT_TRUE(doc.IsModified());
}

}  // namespace
