// The label selection dialog over a label library made at test time: filters, sorting, pictures,
// deleting, importing, the information file and the document's "Select label" command.
#include "ui/selectlabeldlg.h"

#include "document/labeldoc.h"
#include "framework/app.h"
#include "labelmodel/labelmanager.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/template.h"
#include "labelmodel/graphcollection.h"
#include "testsupport/dialogdriver.h"
#include "testsupport/filedialogrecorder.h"
#include "testsupport/localeguard.h"
#include "testsupport/msgboxrecorder.h"
#include "testsupport/picturefiles.h"
#include "testsupport/shellrecorder.h"
#include "testsupport/tempdir.h"
#include "testsupport/testcmdui.h"
#include "ui/commandids.h"
#include "ui/labeldialogids.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>

namespace {

struct Definition {
    const char* name;
    const char* family;
    int widthUm = 25000;
    int heightUm = 12000;
    bool thermo = true;
    const char* image = "";
    const char* info = "";
};

// A label library of three folders in a TempDir, and the manager that reads it.
class Library {
public:
    Library()
    {
        labels = dir.Path("labels") + "\\";
        images = dir.Path("images") + "\\";
        info = dir.Path("info") + "\\";
        ::CreateDirectoryA(labels, nullptr);
        ::CreateDirectoryA(images, nullptr);
        ::CreateDirectoryA(info, nullptr);
        manager.SetFolder(labels);
        manager.SetImagesFolder(images);
        manager.SetInfoFolder(info);
    }

    bool Add(const Definition& d) const { return Write(labels + d.name + ".label", d); }

    static bool Write(const char* path, const Definition& d)
    {
        CLabelFileNew stock;
        stock.SetFamilyName(d.family);
        stock.SetWidth(0, d.widthUm, false);
        stock.SetHeight(0, d.heightUm);
        if (!d.thermo)
            stock.TogglePrinterTypes(kPrinterThermo);
        if (*d.image)
            stock.SetImageFile(d.image);
        if (*d.info)
            stock.SetInfoFile(d.info);
        return stock.SaveToFile(path);
    }

    // A file the library cannot read: the magic, then a body cut short.
    bool AddDamaged(const char* name) const
    {
        const char bytes[] = {'L', 'B', 'L', 'F', 90, 0, 0, 0, 3, 0, 0, 0, 7, 0};
        return dir.WriteBytes(CString("labels\\") + name + ".label", bytes, sizeof bytes);
    }

    bool AddRedPicture(const char* name) const
    {
        return picturefiles::WritePicture(images + name, GUID_ContainerFormatBmp, 16, 16,
                                          [](int, int) { return RGB(255, 0, 0); });
    }

    TempDir dir;
    CString labels, images, info;
    CLabelManager manager;
};

// The dialog made modeless (hidden unless shown), destroyed at the end.
class OpenDialog {
public:
    explicit OpenDialog(Library& library) : dialog(library.manager)
    {
        created = dialog.Create(IDD_SELECT_LABEL, nullptr) != FALSE;
    }
    ~OpenDialog()
    {
        if (dialog.m_hWnd != nullptr)
            dialog.DestroyWindow();
    }

    std::vector<std::string> Column(int column)
    {
        std::vector<std::string> texts;
        for (int i = 0; i < dialog.GetList().GetItemCount(); ++i)
            texts.push_back(dialog.GetList().GetItemText(i, column).GetString());
        return texts;
    }
    std::vector<std::string> Families()
    {
        std::vector<std::string> names;
        CComboBox& combo = dialog.GetFamilyCombo();
        for (int i = 0; i < combo.GetCount(); ++i) {
            CString text;
            combo.GetLBText(i, text);
            names.push_back(text.GetString());
        }
        return names;
    }
    void ClickColumn(int column)
    {
        NMLISTVIEW change = {};
        change.hdr.hwndFrom = dialog.GetList().m_hWnd;
        change.hdr.idFrom = IDC_SELECT_LABEL_LIST;
        change.hdr.code = LVN_COLUMNCLICK;
        change.iItem = -1;
        change.iSubItem = column;
        dialog.SendMessage(WM_NOTIFY, IDC_SELECT_LABEL_LIST, reinterpret_cast<LPARAM>(&change));
    }
    void ChooseCombo(int id, int index)
    {
        ::SendDlgItemMessageA(dialog.m_hWnd, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(::GetDlgItem(dialog.m_hWnd, id)));
    }
    // Selects a row by message, as a click would.
    void SelectRow(int row)
    {
        dialog.GetList().SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    int RowNamed(const char* name)
    {
        for (int i = 0; i < dialog.GetList().GetItemCount(); ++i)
            if (dialog.GetList().GetItemText(i, 1) == name)
                return i;
        return -1;
    }
    void Press(int id) { dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

    CSelectLabelDialog dialog;
    bool created = false;
};

using Texts = std::vector<std::string>;

} // namespace

TEST(SelectLabelDialog, OpensWithTheLibrarySortedByFamilyThenNaturalNameAndPassesOverADamagedFile)
{
    Library lib;
    ASSERT_TRUE(lib.Add({"Label 25x12", "Wire"}));
    ASSERT_TRUE(lib.Add({"Label 25x8", "Wire"}));
    ASSERT_TRUE(lib.Add({"Tag 10", "tags"}));
    ASSERT_TRUE(lib.Add({"Tag 2", "tags"}));
    ASSERT_TRUE(lib.Add({"Cable 1", "Cable"}));
    ASSERT_TRUE(lib.AddDamaged("Broken"));
    MessageBoxRecorder boxes;
    OpenDialog open(lib);
    ASSERT_TRUE(open.created);

    EXPECT_EQ(Texts({"Cable 1", "Label 25x8", "Label 25x12", "Tag 2", "Tag 10"}), open.Column(1));
    // Byte-wise: upper case before lower case.
    EXPECT_EQ(Texts({"Cable", "Wire", "Wire", "tags", "tags"}), open.Column(0));
    // The family box sorts without regard to case, "All" first.
    EXPECT_EQ(Texts({"All", "Cable", "tags", "Wire"}), open.Families());
    EXPECT_EQ(Texts({"All", "Wire", "Cable", "Component", "Terminal block", "PLC", "Other", "Module"}).size(),
              static_cast<size_t>(open.dialog.GetMarkingCombo().GetCount()));
    CString printer;
    open.dialog.GetPrinterCombo().GetLBText(2, printer);
    EXPECT_EQ("Thermo", printer);
    EXPECT_EQ(5, open.dialog.GetPrinterCombo().GetCount());
    EXPECT_EQ(0u, boxes.Count());

    // The family filter, then an article number, which no library definition carries.
    open.ChooseCombo(IDC_SELECT_FAMILY, 3);
    EXPECT_EQ(Texts({"Wire", "Wire"}), open.Column(0));
    ::SetDlgItemTextA(open.dialog.m_hWnd, IDC_SELECT_ARTICLE, "4711");
    open.Press(IDC_SELECT_SEARCH);
    EXPECT_EQ(0, open.dialog.GetList().GetItemCount());
}

TEST(SelectLabelDialog, ThermoListsOnlyThermoDefinitionsInTheListAndTheFamilyBox)
{
    Library lib;
    ASSERT_TRUE(lib.Add({"Label 25x12", "Wire", 25000, 12000, true}));
    ASSERT_TRUE(lib.Add({"Tag 2", "Tags", 25000, 12000, false}));
    ASSERT_TRUE(lib.Add({"Sleeve 4", "Sleeves", 25000, 12000, true}));
    OpenDialog open(lib);
    ASSERT_TRUE(open.created);
    ASSERT_EQ(3, open.dialog.GetList().GetItemCount());

    open.ChooseCombo(IDC_SELECT_PRINTER_TYPE, 2);
    // Filled anew in library order.
    Texts families = open.Column(0);
    std::sort(families.begin(), families.end());
    EXPECT_EQ(Texts({"Sleeves", "Wire"}), families);
    EXPECT_EQ(Texts({"All", "Sleeves", "Wire"}), open.Families());
    open.ChooseCombo(IDC_SELECT_PRINTER_TYPE, 0);
    EXPECT_EQ(3, open.dialog.GetList().GetItemCount());
}

TEST(SelectLabelDialog, ColumnClicksSortThenReverseTheColumn)
{
    Library lib;
    ASSERT_TRUE(lib.Add({"Label 25x12", "A", 30000}));
    ASSERT_TRUE(lib.Add({"Tag 10", "B", 10000}));
    ASSERT_TRUE(lib.Add({"Label 25x8", "C", 20000}));
    ASSERT_TRUE(lib.Add({"Tag 2", "D", 15000}));
    OpenDialog open(lib);
    ASSERT_TRUE(open.created);

    open.ClickColumn(1);
    EXPECT_EQ(Texts({"Label 25x8", "Label 25x12", "Tag 2", "Tag 10"}), open.Column(1));
    open.ClickColumn(1);
    EXPECT_EQ(Texts({"Tag 10", "Tag 2", "Label 25x12", "Label 25x8"}), open.Column(1));

    open.ClickColumn(2);
    EXPECT_EQ(Texts({"Tag 10", "Tag 2", "Label 25x8", "Label 25x12"}), open.Column(1));
    open.ClickColumn(2);
    EXPECT_EQ(Texts({"Label 25x12", "Label 25x8", "Tag 2", "Tag 10"}), open.Column(1));
}

TEST(SelectLabelDialog, NaturalOrderOfNames)
{
    EXPECT_LT(CSelectLabelDialog::CompareNames("Label 25x8", "Label 25x12"), 0);
    EXPECT_LT(CSelectLabelDialog::CompareNames("Tag 2", "Tag 10"), 0);
    EXPECT_LT(CSelectLabelDialog::CompareNames("Cable tie 9", "Cable tie 10"), 0);
    EXPECT_LT(CSelectLabelDialog::CompareNames("Label 25x12", "Label 25y1"), 0);
    EXPECT_GT(CSelectLabelDialog::CompareNames("Tag 10", "Tag 2"), 0);
    EXPECT_LT(CSelectLabelDialog::CompareNames("Label 25x8", "Tag 2"), 0);
    // Words longer than any buffer of the comparison are compared whole, without overflow.
    const std::string longWord(258, 'w');
    EXPECT_LT(CSelectLabelDialog::CompareNames((longWord + " 2").c_str(), (longWord + " 10").c_str()), 0);
    const std::string longer(400, 'w');
    EXPECT_NE(0, CSelectLabelDialog::CompareNames((longer + "a 1").c_str(), (longer + "b 1").c_str()));
}

TEST(SelectLabelDialog, SizesFollowTheUsersNumberFormatLocale)
{
    NumericLocaleGuard locale("");
    ASSERT_TRUE(DecimalSeparatorMatchesTheRun());
    Library lib;
    ASSERT_TRUE(lib.Add({"Label 25x12", "Wire", 25500, 12000}));
    OpenDialog open(lib);
    ASSERT_TRUE(open.created);
    const bool comma = RunWantsDecimalComma();
    EXPECT_EQ(comma ? "25,5 mm" : "25.5 mm", open.Column(2).at(0));
    EXPECT_EQ("12 mm", open.Column(3).at(0));
}

TEST(SelectLabelDialog, SelectingARowShowsItsPictureAndDamagedDefinitionsShowNone)
{
    Library lib;
    ASSERT_TRUE(lib.AddRedPicture("red.bmp"));
    ASSERT_TRUE(lib.Add({"Red 1", "Pictures", 25000, 12000, true, "red.bmp"}));
    ASSERT_TRUE(lib.Add({"Plain 1", "Pictures"}));
    ASSERT_TRUE(lib.Add({"Spoilt 1", "Pictures", 25000, 12000, true, "red.bmp", "spoilt.pdf"}));
    MessageBoxRecorder boxes;
    OpenDialog open(lib);
    ASSERT_TRUE(open.created);
    CLabelImagePreview& preview = open.dialog.GetPreview();
    EXPECT_STREQ("", preview.GetImageFile());

    open.SelectRow(open.RowNamed("Red 1"));
    EXPECT_EQ(lib.images + "red.bmp", preview.GetImageFile());
    open.dialog.ShowWindow(SW_SHOWNOACTIVATE);
    open.dialog.UpdateWindow();
    preview.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    CRect client;
    preview.GetClientRect(&client);
    HDC dc = ::GetDC(preview.m_hWnd);
    const COLORREF centre = ::GetPixel(dc, client.Width() / 2, client.Height() / 2);
    ::ReleaseDC(preview.m_hWnd, dc);
    EXPECT_EQ(RGB(255, 0, 0), centre);
    EXPECT_NE(nullptr, preview.GetImage());

    open.SelectRow(open.RowNamed("Plain 1"));
    EXPECT_STREQ("", preview.GetImageFile());

    // Damaged after the list was read: no picture, and "Show info" says it cannot open it.
    ASSERT_TRUE(lib.AddDamaged("Spoilt 1"));
    open.SelectRow(open.RowNamed("Spoilt 1"));
    EXPECT_STREQ("", preview.GetImageFile());
    ShellRecorder shell;
    open.Press(IDC_SELECT_SHOW_INFO);
    EXPECT_EQ(0u, shell.Count());
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("Can not open " + lib.labels + "Spoilt 1.label", boxes.Last().text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), boxes.Last().Icon());
}

TEST(SelectLabelDialog, EveryRowOfALargeLibraryShowsItsPicture)
{
    Library lib;
    ASSERT_TRUE(lib.AddRedPicture("red.bmp"));
    for (int i = 0; i < 2000; ++i) {
        CString name;
        name.Format("Label %04d", i);
        ASSERT_TRUE(lib.Add({name.GetString(), "Big", 25000, 12000, true, i == 1500 ? "red.bmp" : ""}));
    }
    OpenDialog open(lib);
    ASSERT_TRUE(open.created);
    ASSERT_EQ(2000, open.dialog.GetList().GetItemCount());
    const int row = open.RowNamed("Label 1500");
    EXPECT_EQ(1500, row);
    open.SelectRow(row);
    EXPECT_EQ(lib.images + "red.bmp", open.dialog.GetPreview().GetImageFile());
}

TEST(SelectLabelDialog, PicturePathsThatDoNotFitShowNothing)
{
    Library lib;
    const std::string longName(250, 'p');
    ASSERT_TRUE(lib.Add({"Long 1", "Pictures", 25000, 12000, true, (longName + ".bmp").c_str()}));
    OpenDialog open(lib);
    ASSERT_TRUE(open.created);
    open.dialog.GetPreview().SetImageFile("x.bmp");
    open.SelectRow(0);
    EXPECT_STREQ("", open.dialog.GetPreview().GetImageFile());
}

TEST(SelectLabelDialog, DeleteAsksAndRemovesTheFileOnlyOnYes)
{
    Library lib;
    ASSERT_TRUE(lib.Add({"Label 25x12", "Wire"}));
    ASSERT_TRUE(lib.Add({"Tag 2", "Tags"}));
    MessageBoxRecorder boxes;
    OpenDialog open(lib);
    ASSERT_TRUE(open.created);

    open.Press(IDC_SELECT_DELETE);   // nothing selected: no question
    EXPECT_EQ(0u, boxes.Count());

    open.SelectRow(open.RowNamed("Tag 2"));
    boxes.Answer(IDNO);
    open.Press(IDC_SELECT_DELETE);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("Delete selected label, are you sure?", boxes.Last().text);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO), boxes.Last().Buttons());
    EXPECT_EQ(static_cast<UINT>(MB_ICONQUESTION), boxes.Last().Icon());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(lib.labels + "Tag 2.label"));
    EXPECT_EQ(2, open.dialog.GetList().GetItemCount());

    boxes.Answer(IDYES);
    open.Press(IDC_SELECT_DELETE);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(lib.labels + "Tag 2.label"));
    EXPECT_EQ(Texts({"Label 25x12"}), open.Column(1));
    EXPECT_EQ(Texts({"All", "Wire"}), open.Families());
}

TEST(SelectLabelDialog, ShowInfoOpensTheInformationFileThroughTheShell)
{
    Library lib;
    ASSERT_TRUE(lib.Add({"Label 25x12", "Wire", 25000, 12000, true, "", "wire.pdf"}));
    MessageBoxRecorder boxes;
    ShellRecorder shell;
    OpenDialog open(lib);
    ASSERT_TRUE(open.created);
    open.SelectRow(0);
    open.Press(IDC_SELECT_SHOW_INFO);
    ASSERT_EQ(1u, shell.Count());
    EXPECT_EQ("open", shell.Last().verb);
    EXPECT_EQ(lib.info + "wire.pdf", shell.Last().file);
    EXPECT_EQ(SW_SHOWNORMAL, shell.Last().show);
    EXPECT_EQ(0u, boxes.Count());

    shell.AnswerWith(FALSE);
    open.Press(IDC_SELECT_SHOW_INFO);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("Can not open " + lib.info + "wire.pdf", boxes.Last().text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), boxes.Last().Icon());
}

TEST(SelectLabelDialog, ImportCopiesByExtensionAndSelectsASingleImportedDefinition)
{
    Library lib;
    ASSERT_TRUE(lib.Add({"Label 25x12", "Wire"}));
    TempDir outside;
    ASSERT_TRUE(Library::Write(outside.Path("Tag 2.label"), {"Tag 2", "Tags"}));
    ASSERT_TRUE(Library::Write(outside.Path("Tag 3.label"), {"Tag 3", "Tags"}));
    ASSERT_TRUE(Library::Write(outside.Path("Sleeve 4.label"), {"Sleeve 4", "Sleeves"}));
    ASSERT_TRUE(outside.WriteBytes("photo.png", "png", 3));
    ASSERT_TRUE(outside.WriteBytes("photo.jpg", "jpg", 3));
    ASSERT_TRUE(outside.WriteBytes("sheet.pdf", "pdf", 3));
    MessageBoxRecorder boxes;
    FileDialogRecorder files;
    OpenDialog open(lib);
    ASSERT_TRUE(open.created);

    // Two definitions: both copied, no row selected.
    files.AnswerPaths({outside.Path("Tag 2.label"), outside.Path("Tag 3.label"), outside.Path("photo.png")});
    open.Press(IDC_SELECT_IMPORT);
    ASSERT_EQ(1u, files.Count());
    EXPECT_TRUE(files.Last().open);
    EXPECT_TRUE(files.Last().MultiSelect());
    EXPECT_TRUE(files.Last().flags & OFN_FILEMUSTEXIST);
    EXPECT_EQ("label", files.Last().defaultExt);   // the dialog's "*.label" without "*."
    EXPECT_EQ("Label files (*.label)|*.label|Image files |*.jpg;*.jpeg;*.bmp;*.png;*.wmf|PDF files |*.pdf||",
              files.Last().filter);
    EXPECT_EQ(3, open.dialog.GetList().GetItemCount());
    EXPECT_EQ(0u, open.dialog.GetList().GetSelectedCount());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(lib.images + "photo.png"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(lib.labels + "photo.png"));

    // One definition with a picture and an information file: its row is selected.
    files.AnswerPaths({outside.Path("Sleeve 4.label"), outside.Path("photo.jpg"), outside.Path("sheet.pdf")});
    open.Press(IDC_SELECT_IMPORT);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(lib.images + "photo.jpg"));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(lib.info + "sheet.pdf"));
    ASSERT_EQ(4, open.dialog.GetList().GetItemCount());
    const int selected = open.dialog.GetList().GetNextSelectedItem(-1);
    ASSERT_GE(selected, 0);
    EXPECT_EQ("Sleeve 4", open.dialog.GetList().GetItemText(selected, 1));
    EXPECT_EQ(0u, boxes.Count());

    // An existing name: No keeps the library's file.
    ASSERT_TRUE(Library::Write(outside.Path("Label 25x12.label"), {"Label 25x12", "Changed"}));
    const std::string before = lib.dir.ReadBytes("labels\\Label 25x12.label");
    boxes.Answer(IDNO);
    files.AnswerPaths({outside.Path("Label 25x12.label")});
    open.Press(IDC_SELECT_IMPORT);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("The file Label 25x12.label already exists in the label library. Do you want to replace the existing file?",
              boxes.Last().text);
    EXPECT_EQ("Import file for label definition.", boxes.Last().caption);
    EXPECT_EQ(static_cast<UINT>(MB_ICONWARNING), boxes.Last().Icon());
    EXPECT_EQ(before, lib.dir.ReadBytes("labels\\Label 25x12.label"));
    EXPECT_EQ(0u, open.dialog.GetList().GetSelectedCount());
}

TEST(SelectLabelDialog, ModalRunAnswersF2AndOkGivesTheChosenPath)
{
    Library lib;
    ASSERT_TRUE(lib.Add({"Label 25x12", "Wire"}));
    ASSERT_TRUE(lib.Add({"Tag 2", "Tags"}));
    MessageBoxRecorder boxes;
    bool stayedOpen = false;
    ScopedDialogDriver driver({[&](CWnd* d) {
        auto& dialog = dynamic_cast<CSelectLabelDialog&>(*d);
        // OK without a selection does nothing.
        dialog.OnOK();
        stayedOpen = dialog.GetSelectedPath().IsEmpty();
        // F2 reaches the dialog through the modal loop, wherever the focus is.
        ::PostMessageA(dialog.GetList().m_hWnd, WM_KEYDOWN, VK_F2, 0);
        LVFINDINFOA find = {};
        find.flags = LVFI_STRING;
        find.psz = "Tags";
        dialog.GetList().SetItemState(dialog.GetList().FindItem(&find), LVIS_SELECTED, LVIS_SELECTED);
        ::PostMessageA(dialog.m_hWnd, WM_COMMAND, IDOK, 0);
    }});
    CSelectLabelDialog dialog(lib.manager);
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("Label directory", boxes.Last().caption);
    EXPECT_EQ(lib.labels, boxes.Last().text);
    EXPECT_EQ(lib.labels + "Tag 2.label", dialog.GetSelectedPath());
}

namespace {
// The document's runner in the tests: the real dialog, driven to choose "Tag 2".
Library* g_library = nullptr;
bool SelectTag2(COstrelindSoftLabelDoc*, CString& path)
{
    ScopedDialogDriver driver({[](CWnd* d) {
        auto& dialog = dynamic_cast<CSelectLabelDialog&>(*d);
        LVFINDINFOA find = {};
        find.flags = LVFI_STRING;
        find.psz = "Tags";
        const int row = dialog.GetList().FindItem(&find);
        dialog.GetList().SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
        ScopedDialogDriver::Send(d, IDOK);
    }});
    CSelectLabelDialog dialog(g_library->manager);
    if (dialog.DoModal() != IDOK)
        return false;
    path = dialog.GetSelectedPath();
    return true;
}
} // namespace

TEST(SelectLabelDialog, TheDocumentCommandTakesTheDefinitionAndOffersTheGuide)
{
    Library lib;
    ASSERT_TRUE(lib.Add({"Label 25x12", "Wire"}));
    ASSERT_TRUE(lib.Add({"Tag 2", "Tags", 40000, 30000}));
    g_library = &lib;
    CWinApp app("KORVELTA-PRINT");
    CWnd main;
    ASSERT_TRUE(main.CreateEx(0, AfxRegisterWndClass(0), "main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    app.m_pMainWnd = &main;
    COstrelindSoftLabelDoc::LabelDialogRunners runners;
    runners.selectLabel = SelectTag2;
    const auto previous = COstrelindSoftLabelDoc::SetLabelDialogRunners(runners);

    COstrelindSoftLabelDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.SetModifiedFlag(FALSE);
    CTestCmdUI update(ID_SELECT_LABEL);
    doc.OnUpdateSelectLabel(&update);
    EXPECT_TRUE(update.m_bEnabled);

    doc.OnSelectLabel();
    const CLabel* stock = doc.GetCurrentTemplate()->GetLabelStock();
    ASSERT_NE(nullptr, stock);
    EXPECT_EQ(40000, stock->GetWidth(0));
    EXPECT_EQ(30000, stock->GetHeight(0));
    EXPECT_STREQ("Tags", stock->GetFamilyName());
    EXPECT_TRUE(doc.IsModified());
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, main.m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(static_cast<WPARAM>(ID_TEMPLATE_GUIDE), msg.wParam);

    // A locked template takes nothing.
    doc.GetCurrentTemplate()->SetLocked(true);
    doc.OnUpdateSelectLabel(&update);
    EXPECT_FALSE(update.m_bEnabled);
    doc.GetCurrentTemplate()->SetLocked(false);

    // A damaged file: the template keeps its definition and the user is told.
    MessageBoxRecorder boxes;
    ASSERT_TRUE(lib.AddDamaged("Bad"));
    EXPECT_FALSE(doc.SelectLabelDefinition(lib.labels + "Bad.label"));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("Can not open " + lib.labels + "Bad.label", boxes.Last().text);
    EXPECT_EQ(40000, doc.GetCurrentTemplate()->GetLabelStock()->GetWidth(0));

    COstrelindSoftLabelDoc::SetLabelDialogRunners(previous);
    app.m_pMainWnd = nullptr;
    main.DestroyWindow();
    g_library = nullptr;
}
