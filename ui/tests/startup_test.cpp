// Start-up of the application: folders, copying the default library, loading it with good and
// bad files, the family combo box, the splash, failures of sockets and OLE.
#include "framework/doc.h"
#include "framework/ribbonbar.h"
#include "ui/aboutdlg.h"
#include "ui/resourceids.h"
#include "ui/tests/uitestsupport.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

bool Exists(const char* path)
{
    return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> ComboItems(CMainFrame* frame)
{
    std::vector<std::string> items;
    auto* combo = dynamic_cast<CMFCRibbonComboBox*>(frame->FindRibbonElement(ID_FAMILY_NAME));
    if (combo != nullptr)
        for (int i = 0; i < combo->GetCount(); ++i)
            items.push_back(combo->GetItem(i).GetString());
    return items;
}

class Startup : public ::testing::Test {
protected:
    void SetUp() override { DeleteTestProfile(); }
    void TearDown() override { DeleteTestProfile(); }

    TempDir dir;
};

} // namespace

TEST_F(Startup, FoldersLieUnderBothBasesAndEveryGetterAnswersItsOwnString)
{
    TestLabelApp app(dir);
    app.InitFolders();
    EXPECT_STREQ(dir.Path("common"), app.GetCommonBase());
    EXPECT_STREQ(dir.Path("user"), app.GetUserBase());
    EXPECT_TRUE(Exists(dir.Path("common\\QUENDRIC\\KORVELTA-PRINT V10.0")));
    EXPECT_TRUE(Exists(dir.Path("user\\QUENDRIC\\KORVELTA-PRINT V10.0")));

    CString common = app.GetLabelsFolder(app.GetCommonBase());
    CString user = app.GetLabelsFolder();
    // Two calls of one getter never share storage: the copy's two sides stay different.
    EXPECT_STREQ(dir.Path("common\\QUENDRIC\\KORVELTA-PRINT V10.0\\Labels\\"), common);
    EXPECT_STREQ(dir.Path("user\\QUENDRIC\\KORVELTA-PRINT V10.0\\Labels\\"), user);
    EXPECT_STREQ(dir.Path("user\\QUENDRIC\\KORVELTA-PRINT V10.0\\Label images\\"), app.GetLabelImagesFolder());
    EXPECT_STREQ(dir.Path("user\\QUENDRIC\\KORVELTA-PRINT V10.0\\Label info\\"), app.GetLabelInfoFolder());
    CString clipart = COstrelindSoftLabelApp::GetClipartFolder();
    CString tail = "\\QUENDRIC\\KORVELTA-PRINT V10.0\\Clipart";
    EXPECT_STREQ(tail, clipart.Right(tail.GetLength()));
}

TEST_F(Startup, CopyKeepsTheUsersFilesRestoresDeletedOnesAndSkipsShortNamesAndLongPaths)
{
    CString source = dir.Path("src\\");
    CString destination = dir.Path("dst\\");
    ::CreateDirectoryA(source, nullptr);
    WriteWholeFile(source + "Kept.label", "common version");
    WriteWholeFile(source + "Gone.label", "restored");
    WriteWholeFile(source + "ab", "two characters");
    WriteWholeFile(source + "abc", "three characters");
    ::CreateDirectoryA(source + "Folder.label", nullptr);
    // A name that fits the source folder but not the (longer) destination folder.
    CString longDestination = dir.Path("a-much-longer-destination-folder-name\\");
    int room = MAX_PATH - 1 - longDestination.GetLength();
    CString longName = CString('n', room + 1);
    ASSERT_LT(source.GetLength() + longName.GetLength(), MAX_PATH);
    ASSERT_TRUE(WriteWholeFile(source + longName, "long"));

    ::CreateDirectoryA(destination, nullptr);
    WriteWholeFile(destination + "Kept.label", "changed by the user");

    EXPECT_EQ(3, COstrelindSoftLabelApp::CopyFolderFiles(source, destination));
    EXPECT_EQ("changed by the user", ReadWholeFile(destination + "Kept.label"));
    EXPECT_EQ("restored", ReadWholeFile(destination + "Gone.label"));
    EXPECT_EQ("three characters", ReadWholeFile(destination + "abc"));
    EXPECT_FALSE(Exists(destination + "ab"));
    EXPECT_FALSE(Exists(destination + "Folder.label"));

    EXPECT_TRUE(Exists(destination + longName));
    // Everything but the name that would not fit behind the longer folder.
    EXPECT_EQ(3, COstrelindSoftLabelApp::CopyFolderFiles(source, longDestination));
    EXPECT_TRUE(Exists(longDestination + "Kept.label"));

    // A missing source copies nothing; the destination folder is still made.
    EXPECT_EQ(0, COstrelindSoftLabelApp::CopyFolderFiles(dir.Path("none\\"), dir.Path("made\\")));
    EXPECT_TRUE(Exists(dir.Path("made")));
}

TEST_F(Startup, LibraryWithGoodAndBadFilesStartsAndFillsTheFamilyCombo)
{
    TestLabelApp app(dir);
    app.InitFolders();
    CString commonLabels = app.GetLabelsFolder(app.GetCommonBase());
    ::CreateDirectoryA(commonLabels, nullptr);
    ASSERT_TRUE(WriteLabelDefinition(commonLabels, "Wire 24x8.label", "wago"));
    ASSERT_TRUE(WriteLabelDefinition(commonLabels, "Cable.label", "Abb"));
    ASSERT_TRUE(WriteLabelDefinition(commonLabels, "Terminal.label", "Wago"));
    ASSERT_TRUE(WriteLabelDefinition(commonLabels, "Plain.label", ""));
    ASSERT_TRUE(WriteLabelDefinition(commonLabels, "Plc.label", "phoenix"));
    std::string whole = ReadWholeFile(commonLabels + "Cable.label");
    ASSERT_GT(whole.size(), 100u);
    // Damaged definitions: cut at several places, a foreign file, an empty one.
    for (size_t cut : { size_t(3), size_t(12), size_t(40), whole.size() / 2, whole.size() - 1 }) {
        CString name;
        name.Format("Cut%u.label", static_cast<unsigned>(cut));
        WriteWholeFile(commonLabels + name, whole.substr(0, cut));
    }
    WriteWholeFile(commonLabels + "Foreign.label", "TABL this is not a label definition at all");
    WriteWholeFile(commonLabels + "Empty.label", "");
    std::string mutated = whole;
    for (size_t i = 12; i < mutated.size(); i += 7)
        mutated[i] = static_cast<char>(0xFF);
    WriteWholeFile(commonLabels + "Mutated.label", mutated);

    MessageBoxRecorder boxes;
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(0u, boxes.Count());

    // The user's folder received the library; the good definitions are loaded.
    CString userLabels = app.GetLabelsFolder();
    EXPECT_TRUE(Exists(userLabels + "Cable.label"));
    EXPECT_TRUE(Exists(userLabels + "Foreign.label"));
    EXPECT_STREQ(userLabels, app.GetLabelManager().GetFolder());
    EXPECT_STREQ(userLabels, CLabelFileNew::GetLabelsFolder());
    int loaded = app.GetLabelManager().GetCount();
    EXPECT_GE(loaded, 5);
    EXPECT_LE(loaded, 6);   // a mutated file may still read as some definition

    // Sorted without regard to case, once each, no empty entry.
    std::vector<std::string> families = ComboItems(app.GetMainFrame());
    ASSERT_GE(families.size(), 3u);
    EXPECT_EQ("Abb", families[0]);
    EXPECT_EQ("phoenix", families[1]);
    EXPECT_TRUE(families[2] == "wago" || families[2] == "Wago");
    for (size_t i = 0; i < families.size(); ++i) {
        EXPECT_FALSE(families[i].empty());
        for (size_t j = i + 1; j < families.size(); ++j)
            EXPECT_GT(_stricmp(families[j].c_str(), families[i].c_str()), 0) << families[i] << " / " << families[j];
    }

    // The rest of start-up: a new project in the main frame, the splash gone.
    EXPECT_EQ(nullptr, app.m_pSplash);
    ASSERT_NE(nullptr, app.GetMainFrame());
    EXPECT_TRUE(app.GetMainFrame()->IsWindowVisible());
    EXPECT_EQ(1, app.GetOpenDocumentCount());
    EXPECT_STREQ("KORVELTA-PRINT - Project1", app.GetMainFrame()->GetWindowText());
    ASSERT_NE(nullptr, app.m_pRecentFileList);
    EXPECT_EQ(10, app.m_pRecentFileList->GetSize());
    EXPECT_STREQ("QUENDRIC", app.m_strRegistryKey);
}

TEST_F(Startup, FamilyComboItemsSkipEmptyNamesAndRepeats)
{
    CLabelManager manager;
    for (const char* name : { "zeta", "", "Alpha", "beta", "ALPHA", "Zeta", "Gamma" })
        manager.AddFamilyName(name);
    manager.SortFamilyNames();
    std::vector<CString> items = COstrelindSoftLabelApp::GetFamilyComboItems(manager);
    std::vector<std::string> texts;
    for (const CString& item : items)
        texts.push_back(item.GetString());
    EXPECT_EQ((std::vector<std::string>{ "Alpha", "beta", "Gamma", "zeta" }), texts);

    CLabelManager longNames;
    longNames.AddFamilyName(CString('x', 300));
    items = COstrelindSoftLabelApp::GetFamilyComboItems(longNames);
    ASSERT_EQ(1u, items.size());
    EXPECT_EQ(255, items[0].GetLength());
}

TEST_F(Startup, WithoutTheCommonFoldersTheUserFolderIsMadeAndTheLibraryIsEmpty)
{
    TestLabelApp app(dir);
    app.SetBaseFolders(dir.Path("no such folder"), dir.Path("user"));
    MessageBoxRecorder boxes;
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_TRUE(Exists(dir.Path("user\\QUENDRIC\\KORVELTA-PRINT V10.0")));
    EXPECT_EQ(0, app.GetLabelManager().GetCount());
    EXPECT_TRUE(ComboItems(app.GetMainFrame()).empty());
}

TEST_F(Startup, SocketsOrOleFailingShowTheirMessageAndEndStartUp)
{
    struct NoSockets : TestLabelApp {
        using TestLabelApp::TestLabelApp;
        BOOL InitSockets() override { return FALSE; }
    };
    struct NoOle : TestLabelApp {
        using TestLabelApp::TestLabelApp;
        BOOL InitOle() override { return FALSE; }
    };
    {
        NoSockets app(dir);
        MessageBoxRecorder boxes;
        EXPECT_FALSE(app.InitInstance());
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_STREQ("Windows sockets initialization failed.", boxes[0].text);
        EXPECT_EQ(nullptr, app.m_pMainWnd);
    }
    {
        NoOle app(dir);
        MessageBoxRecorder boxes;
        EXPECT_FALSE(app.InitInstance());
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_STREQ("OLE initialization failed.  Make sure that the OLE libraries are the correct version.",
                     boxes[0].text);
        EXPECT_EQ(nullptr, app.m_pMainWnd);
    }
}

// The program's application object is made without a name (main.cpp): it takes the title of the
// string table, and its message boxes carry it.
TEST_F(Startup, TheProgramsApplicationObjectNamesItsMessageBoxes)
{
    COstrelindSoftLabelApp app;
    EXPECT_STREQ("KORVELTA-PRINT", app.m_strAppName);
    MessageBoxRecorder boxes;
    AfxMessageBox(IDS_OLE_INIT_FAILED);
    AfxMessageBox("Plain text");
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_STREQ("KORVELTA-PRINT", boxes[0].caption);
    EXPECT_STREQ("KORVELTA-PRINT", boxes[1].caption);
}

TEST_F(Startup, SplashIsCentredOverTheMainWindowAndDestroyedNotMinimised)
{
    TestLabelApp app(dir);
    app.m_bShowSplash = false;
    MessageBoxRecorder boxes;
    ASSERT_TRUE(app.InitInstance());
    CWnd* main = app.m_pMainWnd;
    main->MoveWindow(10, 20, 800, 600);
    app.ShowSplash();
    ASSERT_NE(nullptr, app.m_pSplash);
    HWND splash = app.m_pSplash->m_hWnd;
    ASSERT_TRUE(::IsWindowVisible(splash));
    EXPECT_EQ(1, app.m_pSplash->m_bSplash);
    CRect mainRect, splashRect;
    main->GetWindowRect(&mainRect);
    ::GetWindowRect(splash, &splashRect);
    EXPECT_EQ(mainRect.left + (mainRect.Width() - splashRect.Width()) / 2, splashRect.left);
    EXPECT_EQ(mainRect.top + (mainRect.Height() - splashRect.Height()) / 2, splashRect.top);
    char version[64] = {};
    ::GetDlgItemTextA(splash, IDC_ABOUT_VERSION, version, sizeof version);
    EXPECT_STREQ("Version 10.0.0.1", version);

    app.CloseSplash();
    EXPECT_EQ(nullptr, app.m_pSplash);
    EXPECT_FALSE(::IsWindow(splash));
}

TEST_F(Startup, ShellRegistrationAndContextMenus)
{
    TestLabelApp app(dir);
    MessageBoxRecorder boxes;
    ASSERT_TRUE(app.InitInstance());
    char value[MAX_PATH] = {};
    LONG size = sizeof value;
    CString classes = TestProfileKey() + "\\Classes\\";
    ASSERT_EQ(ERROR_SUCCESS, ::RegQueryValueA(HKEY_CURRENT_USER, classes + ".proj", value, &size));
    EXPECT_STREQ("OstrelindSoft.Project", value);
    size = sizeof value;
    ASSERT_EQ(ERROR_SUCCESS, ::RegQueryValueA(HKEY_CURRENT_USER, classes + "OstrelindSoft.Project", value, &size));
    EXPECT_STREQ("Ostrelind Soft.Project", value);
    size = sizeof value;
    EXPECT_EQ(ERROR_SUCCESS, ::RegQueryValueA(HKEY_CURRENT_USER, classes + "OstrelindSoft.Project\\shell\\print\\command",
                                               value, &size));

    const auto& menus = app.GetContextMenus();
    ASSERT_EQ(5u, menus.size());
    EXPECT_STREQ("Edit", menus[0].name);
    EXPECT_EQ(119u, menus[0].menuId);
    EXPECT_EQ(174u, app.FindContextMenu("Explorer"));
    EXPECT_EQ(322u, app.FindContextMenu("Design"));
    EXPECT_EQ(323u, app.FindContextMenu("Table"));
    EXPECT_EQ(324u, app.FindContextMenu("Preview"));
    EXPECT_EQ(0u, app.FindContextMenu("Nothing"));
}

TEST_F(Startup, VersionLineOfTheProgramFile)
{
    char module[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    EXPECT_STREQ("Version 10.0.0.1", CAboutDlg::GetVersionLine(module));
    EXPECT_STREQ("", CAboutDlg::GetVersionLine(dir.Path("missing.exe")));
}
