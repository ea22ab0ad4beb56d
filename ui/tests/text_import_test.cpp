// The text import sheet: its presets from the profile (defaults for missing and out-of-range
// values), what OK writes back, and files read into the table through the landed importers; the
// sheet is the framework's property sheet, answered by the dialog driver.
#include "document/labeldoc.h"
#include "framework/app.h"
#include "testsupport/dialogdriver.h"
#include "testsupport/filedialogrecorder.h"
#include "testsupport/msgboxrecorder.h"
#include "testsupport/tempdir.h"
#include "ui/tabledialogids.h"
#include "ui/textimportsheet.h"
#include "uitestsupport.h"
#include "testsupport/testrun.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <functional>
#include <memory>
#include <string>

namespace {
// The run's own application name and profile key (testrun.h).
const CString kAppName = RunScopedName("KORVELTA-PRINT-textimport-tests");
const CString kProfileKey = "Software\\QUENDRIC\\" + kAppName;

class TextImport : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::SHDeleteKeyA(HKEY_CURRENT_USER, kProfileKey);
        app = std::make_unique<CWinApp>(kAppName);
        app->SetRegistryKey("QUENDRIC");
        doc = std::make_unique<COstrelindSoftLabelDoc>();
        doc->m_bAutoDelete = FALSE;
        doc->OnNewDocument();
        doc->SetModifiedFlag(FALSE);
    }
    void TearDown() override
    {
        doc.reset();
        app.reset();
        ::SHDeleteKeyA(HKEY_CURRENT_USER, kProfileKey);
    }
    CString Write(const char* name, const std::string& bytes)
    {
        const CString path = dir.Path(name);
        WriteWholeFile(path, bytes);
        return path;
    }
    std::string Cell(int row, int column)
    {
        const char* text = doc->GetTableSlot(0).GetCellText(row, column);
        return text != nullptr ? text : "";
    }
    int Profile(const char* entry, int fallback = -99)
    {
        return static_cast<int>(app->GetProfileInt("Text import", entry, fallback));
    }

    TempDir dir;
    std::unique_ptr<CWinApp> app;
    std::unique_ptr<COstrelindSoftLabelDoc> doc;
};

// The shown page of the sheet.
HWND Page(CWnd* sheet, int index)
{
    ::SendMessageA(sheet->m_hWnd, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    return reinterpret_cast<HWND>(::SendMessageA(sheet->m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0));
}

std::string Text(HWND dialog, int id)
{
    char text[256] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

bool Checked(HWND dialog, int id)
{
    return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

// Picks one radio of a group by a click, as a user would.
void Click(HWND dialog, int id)
{
    ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}
} // namespace

TEST_F(TextImport, NoProfileGivesTheDefaultsAndOkWritesThem)
{
    const CString path = Write("plain.txt", "a;b;c\r\nd;e;f\r\n");
    FileDialogRecorder files;
    files.AnswerPath(path);
    std::string caption, other, widthA, widthD;
    bool delimited = false, otherChecked = false, ansi = false;
    std::string grid[26];
    ScopedDialogDriver driver({ [&](CWnd* sheet) {
        char text[64] = {};
        ::GetWindowTextA(sheet->m_hWnd, text, sizeof text);
        caption = text;
        delimited = Checked(Page(sheet, 0), IDC_TI_DELIMITED);
        HWND delimiter = Page(sheet, 1);
        otherChecked = Checked(delimiter, IDC_TI_OTHER);
        other = Text(delimiter, IDC_TI_OTHER_TEXT);
        HWND fixed = Page(sheet, 2);
        auto* page = dynamic_cast<CTextImportFixedLengthPropertyPage*>(CWnd::FromHandlePermanent(fixed));
        for (int r = 0; page != nullptr && r < 26; ++r)
            grid[r] = std::string(page->Grid().GetItemText(r, 1)) + "|" + std::string(page->Grid().GetItemText(r, 0));
        ansi = Checked(Page(sheet, 3), IDC_TI_ANSI);
        ScopedDialogDriver::Send(sheet, IDOK);
    } });
    EXPECT_TRUE(TextImportCommand(*doc, 0, nullptr));
    ASSERT_EQ(files.Count(), 1u);
    EXPECT_EQ(files.Last().filter, "Text files|*.txt|All files|*.*||");
    EXPECT_NE(std::string(files.Last().defaultExt).find("txt"), std::string::npos);
    EXPECT_EQ(caption, "Text import");
    EXPECT_TRUE(delimited);
    EXPECT_TRUE(otherChecked);
    EXPECT_EQ(other, ";");
    EXPECT_TRUE(ansi);
    EXPECT_EQ(grid[0], "10|A");
    EXPECT_EQ(grid[2], "10|C");
    EXPECT_EQ(grid[3], "|D");
    EXPECT_EQ(grid[25], "|Z");
    EXPECT_EQ(Cell(0, 0), "a");
    EXPECT_EQ(Cell(1, 2), "f");
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(Profile("Format"), 0);
    EXPECT_EQ(Profile("Delimiter"), ';');
    EXPECT_EQ(Profile("Character set"), 0);
    EXPECT_EQ(Profile("Fixed length A"), -99);                   // not written for delimited
    ASSERT_TRUE(doc->GetTableUndo(0).UndoTableEdit(doc->GetTableSlot(0)));
    EXPECT_EQ(Cell(0, 0), "");
}

TEST_F(TextImport, OutOfRangeValuesReadAsDefaults)
{
    app->WriteProfileInt("Text import", "Format", 7);
    app->WriteProfileInt("Text import", "Delimiter", 300);
    app->WriteProfileInt("Text import", "Character set", -2);
    app->WriteProfileInt("Text import", "Fixed length A", 300);
    app->WriteProfileInt("Text import", "Fixed length B", 255);
    app->WriteProfileInt("Text import", "Fixed length C", -5);
    CTextImportSheet sheet;
    sheet.LoadSettings();
    EXPECT_EQ(sheet.m_format.m_nFormat, 0);
    EXPECT_EQ(sheet.m_delimiter.m_nDelimiter, 2);
    EXPECT_EQ(std::string(sheet.m_delimiter.m_strOther), ";");
    EXPECT_EQ(sheet.m_charset.m_nCharset, 0);
    EXPECT_EQ(sheet.m_fixed.m_widths[0], -1);
    EXPECT_EQ(sheet.m_fixed.m_widths[1], 255);
    EXPECT_EQ(sheet.m_fixed.m_widths[2], -1);
    app->WriteProfileInt("Text import", "Delimiter", 9);
    sheet.LoadSettings();
    EXPECT_EQ(sheet.m_delimiter.m_nDelimiter, 1);
    app->WriteProfileInt("Text import", "Delimiter", ',');
    sheet.LoadSettings();
    EXPECT_EQ(sheet.m_delimiter.m_nDelimiter, 0);
}

TEST_F(TextImport, FixedLengthFromTheGridAndPagesNeverOpenedKeepTheirPresets)
{
    app->WriteProfileInt("Text import", "Character set", 1);
    const CString path = Write("fixed.txt", "abcdefgh\r\n12345678\r\n");
    FileDialogRecorder files;
    files.AnswerPath(path);
    ScopedDialogDriver driver({ [&](CWnd* sheet) {
        Click(Page(sheet, 0), IDC_TI_FIXED);
        HWND fixed = Page(sheet, 2);
        auto* page = dynamic_cast<CTextImportFixedLengthPropertyPage*>(CWnd::FromHandlePermanent(fixed));
        ASSERT_NE(page, nullptr);
        // The editor's end of edit, row by row: a number, an empty text, something else.
        page->Grid().NotifyEndEdit("3", 0, 1);
        page->Grid().NotifyEndEdit("", 1, 1);
        page->Grid().NotifyEndEdit("x", 2, 1);
        page->Grid().NotifyEndEdit("2", 1, 1);
        EXPECT_EQ(std::string(page->Grid().GetItemText(1, 1)), "2");
        // The character set page is never shown: OK keeps its preset (OEM).
        ScopedDialogDriver::Send(sheet, IDOK);
    } });
    EXPECT_TRUE(TextImportCommand(*doc, 0, nullptr));
    EXPECT_EQ(Cell(0, 0), "abc");
    EXPECT_EQ(Cell(0, 1), "de");
    EXPECT_EQ(Cell(0, 2), "fgh");
    EXPECT_EQ(Cell(1, 1), "45");
    EXPECT_EQ(Profile("Format"), 1);
    EXPECT_EQ(Profile("Fixed length A"), 3);
    EXPECT_EQ(Profile("Fixed length B"), 2);
    EXPECT_EQ(Profile("Fixed length C"), 10);
    EXPECT_EQ(Profile("Fixed length Z"), -1);
    EXPECT_EQ(Profile("Character set"), 1);
    EXPECT_EQ(Profile("Delimiter"), -99);
}

TEST_F(TextImport, EmptyOtherImportsEachLineAsOneField)
{
    const CString path = Write("lines.txt", "one;two\r\nthree,four\r\n");
    FileDialogRecorder files;
    files.AnswerPath(path);
    ScopedDialogDriver driver({ [&](CWnd* sheet) {
        HWND delimiter = Page(sheet, 1);
        ::SetDlgItemTextA(delimiter, IDC_TI_OTHER_TEXT, "");
        ScopedDialogDriver::Send(sheet, IDOK);
    } });
    EXPECT_TRUE(TextImportCommand(*doc, 0, nullptr));
    EXPECT_EQ(Cell(0, 0), "one;two");
    EXPECT_EQ(Cell(1, 0), "three,four");
    EXPECT_EQ(Cell(0, 1), "");
    EXPECT_EQ(Profile("Delimiter"), 0);
}

// The empty "Other" stores 0; the next import offers it again as it was left and reads each line
// as one field again, however often it runs.
TEST_F(TextImport, AStoredDelimiterOfZeroStaysZero)
{
    app->WriteProfileInt("Text import", "Delimiter", 0);
    CTextImportSheet preset;
    preset.LoadSettings();
    EXPECT_EQ(preset.m_delimiter.m_nDelimiter, 2);
    EXPECT_EQ(std::string(preset.m_delimiter.m_strOther), "");
    EXPECT_EQ(preset.m_delimiter.GetSeparator(), '\0');

    const CString path = Write("lines.txt", "one;two\r\nthree,four\tfive\r\n");
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        FileDialogRecorder files;
        files.AnswerPath(path);
        bool otherChecked = false;
        std::string other = "unread";
        ScopedDialogDriver driver({ [&](CWnd* sheet) {
            HWND delimiter = Page(sheet, 1);
            otherChecked = Checked(delimiter, IDC_TI_OTHER);
            other = Text(delimiter, IDC_TI_OTHER_TEXT);
            ScopedDialogDriver::Send(sheet, IDOK);
        } });
        EXPECT_TRUE(TextImportCommand(*doc, 0, nullptr));
        EXPECT_TRUE(otherChecked);
        EXPECT_EQ(other, "");
        EXPECT_EQ(Cell(2 * run, 0), "one;two");
        EXPECT_EQ(Cell(2 * run + 1, 0), "three,fourfive");       // TAB is a control byte here
        EXPECT_EQ(Cell(2 * run, 1), "");
        EXPECT_EQ(Cell(2 * run + 1, 1), "");
        EXPECT_EQ(Profile("Delimiter"), 0);
    }

    // Another character in "Other" comes back as itself.
    app->WriteProfileInt("Text import", "Delimiter", '|');
    preset.LoadSettings();
    EXPECT_EQ(preset.m_delimiter.m_nDelimiter, 2);
    EXPECT_EQ(std::string(preset.m_delimiter.m_strOther), "|");
}

TEST_F(TextImport, CancelAndAnUnreadableFileChangeNothing)
{
    MessageBoxRecorder boxes;
    doc->GetTableSlot(0).SetCellText("kept", 0, 0);
    doc->SetModifiedFlag(FALSE);
    {
        FileDialogRecorder files;
        files.AnswerCancel();
        ScopedDialogDriver driver;
        EXPECT_FALSE(TextImportCommand(*doc, 0, nullptr));
        EXPECT_TRUE(driver.Seen().empty());
    }
    {
        FileDialogRecorder files;
        files.AnswerPath(dir.Path("plain.txt"));
        ScopedDialogDriver driver;                               // the sheet is cancelled
        EXPECT_FALSE(TextImportCommand(*doc, 0, nullptr));
        EXPECT_EQ(driver.Seen().size(), 1u);
        EXPECT_EQ(Profile("Format"), -99);                       // nothing written
    }
    FileDialogRecorder files;
    files.AnswerPath(dir.Path("missing.txt"));
    ScopedDialogDriver driver({ [](CWnd* sheet) { ScopedDialogDriver::Send(sheet, IDOK); } });
    EXPECT_FALSE(TextImportCommand(*doc, 0, nullptr));
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(std::string(boxes.Last().text), "Can not open file " + std::string(dir.Path("missing.txt")));
    EXPECT_EQ(Cell(0, 0), "kept");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetTableUndo(0).GetCopyCount(), 0);
}
