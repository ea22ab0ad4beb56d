// Dialogs from in-memory templates: data exchange with its checks, modal and modeless use, the
// file dialog's filter and default extension.
#include "framework/dialog.h"
#include "framework/filedlg.h"
#include "testsupport/dlgtemplate.h"
#include "testsupport/msgboxrecorder.h"

#include <gtest/gtest.h>
#include <cstring>
#include <vector>

namespace {

enum : WORD { IDC_NAME = 100, IDC_COUNT = 101, IDC_CHECK = 102, IDC_RADIO1 = 103, IDC_RADIO2 = 104, IDC_RADIO3 = 105,
              IDC_COMBO = 106, IDC_LIST = 107, IDC_AFTER = 108 };

// Builds a DLGTEMPLATE with items in memory (the layout the resource compiler writes).
// The exchange dialog's controls stand in one column at x 5, 100 units wide.
class TemplateBuilder : public DialogTemplateBuilder {
public:
    explicit TemplateBuilder(const char* title)
        : DialogTemplateBuilder(title, WS_POPUP | WS_CAPTION | DS_SETFONT | DS_MODALFRAME, 200, 150) {}
    void Item(WORD id, WORD atom, DWORD style, const char* text, short y)
    { DialogTemplateBuilder::Item(id, atom, style, text, 5, y, 100, atom == kComboBox ? 60 : 12); }
};

TemplateBuilder MakeTemplate()
{
    TemplateBuilder b("Exchange");
    b.Item(IDC_NAME, 0x0081, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, "", 5);
    b.Item(IDC_COUNT, 0x0081, WS_BORDER | WS_TABSTOP, "", 20);
    b.Item(IDC_CHECK, 0x0080, BS_AUTOCHECKBOX | WS_TABSTOP, "Check", 35);
    b.Item(IDC_RADIO1, 0x0080, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, "One", 50);
    b.Item(IDC_RADIO2, 0x0080, BS_AUTORADIOBUTTON, "Two", 62);
    b.Item(IDC_RADIO3, 0x0080, BS_AUTORADIOBUTTON, "Three", 74);
    b.Item(IDC_COMBO, 0x0085, CBS_DROPDOWN | WS_VSCROLL | WS_GROUP | WS_TABSTOP, "", 88);
    b.Item(IDC_LIST, 0x0085, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, "", 103);
    b.Item(IDOK, 0x0080, BS_DEFPUSHBUTTON | WS_TABSTOP, "OK", 120);
    b.Item(IDCANCEL, 0x0080, BS_PUSHBUTTON | WS_TABSTOP, "Cancel", 135);
    return b;
}

class CExchangeDlg : public CDialog {
public:
    CString m_name = "label";
    int m_count = 5;
    int m_check = 1;
    int m_radio = 2;
    CString m_combo = "Beta";
    int m_listIndex = 1;
    int initCalls = 0;
    std::vector<UINT> posted;   // commands posted to itself from OnInitDialog

    BOOL OnInitDialog() override
    {
        ++initCalls;
        for (const char* s : { "Alpha", "Beta", "Gamma" }) {
            SendDlgItemMessage(IDC_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
            SendDlgItemMessage(IDC_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        }
        CDialog::OnInitDialog();
        for (UINT id : posted)
            PostMessage(WM_COMMAND, id);
        return TRUE;
    }
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Text(dx, IDC_NAME, m_name);
        DDV_MaxChars(dx, m_name, 8);
        DDX_Text(dx, IDC_COUNT, m_count);
        DDV_MinMaxInt(dx, m_count, 1, 100);
        DDX_Check(dx, IDC_CHECK, m_check);
        DDX_Radio(dx, IDC_RADIO1, m_radio);
        DDX_CBString(dx, IDC_COMBO, m_combo);
        DDX_CBIndex(dx, IDC_LIST, m_listIndex);
    }
};

} // namespace

TEST(DataExchange, LoadsControlsAndSavesThemBack)
{
    TemplateBuilder tmpl = MakeTemplate();
    CExchangeDlg dlg;
    ASSERT_TRUE(dlg.CreateIndirect(tmpl.Get()));
    EXPECT_EQ(1, dlg.initCalls);
    EXPECT_EQ(&dlg, CWnd::FromHandlePermanent(dlg.m_hWnd));
    EXPECT_STREQ("label", dlg.GetDlgItemText(IDC_NAME));
    EXPECT_STREQ("5", dlg.GetDlgItemText(IDC_COUNT));
    EXPECT_EQ(BST_CHECKED, dlg.IsDlgButtonChecked(IDC_CHECK));
    EXPECT_EQ(BST_CHECKED, dlg.IsDlgButtonChecked(IDC_RADIO3));
    EXPECT_EQ(BST_UNCHECKED, dlg.IsDlgButtonChecked(IDC_RADIO1));
    EXPECT_EQ(1, dlg.SendDlgItemMessage(IDC_COMBO, CB_GETCURSEL));
    EXPECT_EQ(1, dlg.SendDlgItemMessage(IDC_LIST, CB_GETCURSEL));
    // The length limit reaches the edit control.
    EXPECT_EQ(8, dlg.SendDlgItemMessage(IDC_NAME, EM_GETLIMITTEXT));

    dlg.SetDlgItemText(IDC_NAME, "new");
    dlg.SetDlgItemText(IDC_COUNT, " 42 ");
    dlg.CheckDlgButton(IDC_CHECK, BST_UNCHECKED);
    dlg.CheckRadioButton(IDC_RADIO1, IDC_RADIO3, IDC_RADIO1);
    dlg.SetDlgItemText(IDC_COMBO, "Not listed");
    dlg.SendDlgItemMessage(IDC_LIST, CB_SETCURSEL, 2);
    MessageBoxRecorder rec;
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(0u, rec.Count());
    EXPECT_STREQ("new", dlg.m_name);
    EXPECT_EQ(42, dlg.m_count);
    EXPECT_EQ(0, dlg.m_check);
    EXPECT_EQ(0, dlg.m_radio);
    EXPECT_STREQ("Not listed", dlg.m_combo);
    EXPECT_EQ(2, dlg.m_listIndex);

    // A combo text outside the list is shown as typed when loading.
    dlg.m_combo = "Typed";
    dlg.m_radio = -1;
    EXPECT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_STREQ("Typed", dlg.GetDlgItemText(IDC_COMBO));
    EXPECT_EQ(BST_UNCHECKED, dlg.IsDlgButtonChecked(IDC_RADIO1));
    EXPECT_TRUE(dlg.DestroyWindow());
}

TEST(DataExchange, ChecksStopTheExchangeAndSayWhy)
{
    TemplateBuilder tmpl = MakeTemplate();
    CExchangeDlg dlg;
    ASSERT_TRUE(dlg.CreateIndirect(tmpl.Get()));
    struct Case {
        const char* name;
        const char* count;
        const char* message;
    } cases[] = {
        { "ok", "0", "Please enter an integer between 1 and 100." },
        { "ok", "101", "Please enter an integer between 1 and 100." },
        { "ok", "-5", "Please enter an integer between 1 and 100." },
        { "ok", "12abc", "Please enter an integer." },
        { "ok", "", "Please enter an integer." },
        { "ok", "99999999999", "Please enter an integer." },
        { "ninechars", "3", "Please enter no more than 8 characters." },
    };
    for (const Case& c : cases) {
        // The edit's own limit would cut the text; lift it to test the check itself.
        dlg.SendDlgItemMessage(IDC_NAME, EM_LIMITTEXT, 0);
        dlg.SetDlgItemText(IDC_NAME, c.name);
        dlg.SetDlgItemText(IDC_COUNT, c.count);
        dlg.m_count = 77;
        MessageBoxRecorder rec;
        EXPECT_FALSE(dlg.UpdateData(TRUE)) << c.count;
        ASSERT_EQ(1u, rec.Count()) << c.count;
        EXPECT_STREQ(c.message, rec[0].text) << c.count;
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), rec[0].Icon());
    }
    // In range at the edges.
    dlg.SetDlgItemText(IDC_NAME, "eightchr");
    for (const char* count : { "1", "100" }) {
        dlg.SetDlgItemText(IDC_COUNT, count);
        MessageBoxRecorder rec;
        EXPECT_TRUE(dlg.UpdateData(TRUE));
        EXPECT_EQ(0u, rec.Count());
    }
    EXPECT_EQ(100, dlg.m_count);
    dlg.DestroyWindow();
}

TEST(Dialogs, ModalOkValidatesBeforeEnding)
{
    TemplateBuilder tmpl = MakeTemplate();
    CExchangeDlg dlg;
    dlg.m_count = 500;   // out of range: the first OK is refused, Cancel then ends
    dlg.posted = { IDOK, IDCANCEL };
    ASSERT_TRUE(dlg.InitModalIndirect(tmpl.Get()));
    MessageBoxRecorder rec;
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    ASSERT_EQ(1u, rec.Count());
    EXPECT_STREQ("Please enter an integer between 1 and 100.", rec[0].text);
    EXPECT_EQ(nullptr, dlg.m_hWnd);

    CExchangeDlg good;
    good.posted = { IDOK };
    good.InitModalIndirect(tmpl.Get());
    EXPECT_EQ(IDOK, good.DoModal());
    EXPECT_EQ(5, good.m_count);
}

TEST(Dialogs, ModelessDialogTakesKeyboardNavigation)
{
    TemplateBuilder tmpl = MakeTemplate();
    CExchangeDlg dlg;
    ASSERT_TRUE(dlg.CreateIndirect(tmpl.Get()));
    EXPECT_FALSE(dlg.IsModal());
    MSG tab = { ::GetDlgItem(dlg.m_hWnd, IDC_NAME), WM_KEYDOWN, VK_TAB, 0, 0, { 0, 0 } };
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(nullptr, &tab));
    MSG mouse = { ::GetDlgItem(dlg.m_hWnd, IDC_NAME), WM_LBUTTONDOWN, 0, 0, 0, { 0, 0 } };
    EXPECT_FALSE(dlg.PreTranslateMessage(&mouse));
    // Cancel on a modeless dialog destroys it.
    dlg.SendMessage(WM_COMMAND, IDCANCEL);
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

TEST(FileDialog, FilterAndDefaultExtension)
{
    std::vector<char> filter = CFileDialog::MakeFilter("Template files (*.tpe)|*.tpe||");
    const char expected[] = "Template files (*.tpe)\0*.tpe\0\0";
    ASSERT_EQ(sizeof expected - 1, filter.size());
    EXPECT_EQ(0, std::memcmp(expected, filter.data(), filter.size()));
    std::vector<char> open = CFileDialog::MakeFilter("A|*.a|B|*.b");   // ending without "||"
    const char expectedOpen[] = "A\0*.a\0B\0*.b\0\0";
    ASSERT_EQ(sizeof expectedOpen - 1, open.size());
    EXPECT_EQ(0, std::memcmp(expectedOpen, open.data(), open.size()));
    EXPECT_TRUE(CFileDialog::MakeFilter(nullptr).empty());

    EXPECT_STREQ("tpe", CFileDialog::MakeDefaultExt("*.tpe"));
    EXPECT_STREQ("proj", CFileDialog::MakeDefaultExt(".proj"));
    EXPECT_STREQ("tpe", CFileDialog::MakeDefaultExt("tpe"));

    CFileDialog dialog(FALSE, "*.tpe", "C:\\x\\name.tpe", OFN_HIDEREADONLY, "Template files (*.tpe)|*.tpe||");
    EXPECT_STREQ("tpe", dialog.m_ofn.lpstrDefExt);
    EXPECT_STREQ("Template files (*.tpe)", dialog.m_ofn.lpstrFilter);
    EXPECT_STREQ("C:\\x\\name.tpe", dialog.GetPathName());
    EXPECT_STREQ("name.tpe", dialog.GetFileName());
    EXPECT_STREQ("tpe", dialog.GetFileExt());
    EXPECT_STREQ("name", dialog.GetFileTitle());
    EXPECT_TRUE(dialog.m_ofn.Flags & OFN_HIDEREADONLY);
}
