// The page tabs of the design canvas on a started application's project: every box by a table of
// texts (good ones stored, bad ones ignored), the update handlers' texts and enabling, every flag
// button toggling its bit, the header and footer, the picture and information files, the family
// name and its combo box, the border options, and the definition's printer setup with exact
// ownership of its handles.
#include "ui/tests/designviewtest.h"

#include "framework/ribboncontrols.h"
#include "framework/ribbonelements.h"
#include "labelmodel/labelmanager.h"
#include "labelmodel/labelstock.h"
#include "testsupport/filedialogrecorder.h"
#include "testsupport/fileprinter.h"
#include "testsupport/printdialogrecorder.h"
#include "testsupport/testcmdui.h"
#include "ui/commandids.h"
#include "ui/mainframe.h"
#include "ui/printerhandles.h"

#include <cstring>
#include <functional>
#include <string>

using namespace designtest;

namespace {

using Reader = std::function<int(CLabel&, COstrelindSoftLabelDoc&)>;

struct BoxCase {
    const char* name;
    UINT id;
    const char* good;      // a text the back-end stores
    int expected;          // what the reader then answers
    Reader read;
};

CLabelFileNew* FileStockOf(COstrelindSoftLabelDoc* doc)
{
    return dynamic_cast<CLabelFileNew*>(doc->GetCurrentTemplate()->GetLabelStock());
}

} // namespace

class PageCommands : public DesignCanvas {
protected:
    void SetUp() override
    {
        DesignCanvas::SetUp();
        stock = FileStockOf(doc);
        ASSERT_NE(nullptr, stock);
        frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    }
    // Runs the update handler of id as the ribbon would, with the canvas focused or not.
    CTestCmdUI Update(UINT id, bool focus = true)
    {
        if (focus)
            view->SetFocus();
        else
            host.SetFocus();
        CTestCmdUI ui(id);
        ui.DoUpdate(view, FALSE);
        return ui;
    }
    void Box(UINT id, const char* text)
    {
        view->boxes[id] = text;
        Command(id);
    }

    CLabelFileNew* stock = nullptr;
    CMainFrame* frame = nullptr;
};

TEST_F(PageCommands, EveryBoxStoresAGoodTextIgnoresBadOnesAndShowsTheStoredValue)
{
    Command(ID_HEADER_ENABLE);
    Command(ID_FOOTER_ENABLE);
    ASSERT_TRUE(stock->IsHeaderEnabled());
    ASSERT_TRUE(stock->IsFooterEnabled());
    stock->SetVerticalBlocks(2);
    const BoxCase cases[] = {
        {"margin left", ID_MARGIN_LEFT, "4 mm", 4000, [](CLabel& s, COstrelindSoftLabelDoc&) { return s.GetLeft(0); }},
        {"margin top", ID_MARGIN_TOP, "6.5 mm", 6500, [](CLabel& s, COstrelindSoftLabelDoc&) { return s.GetTop(0); }},
        {"label width", ID_LABEL_WIDTH, "45 mm", 45000, [](CLabel& s, COstrelindSoftLabelDoc&) { return s.GetWidth(0); }},
        {"pitch h", ID_SPACING_HORZ, "55 mm", 55000, [](CLabel& s, COstrelindSoftLabelDoc&) { return s.GetPitchH(); }},
        {"pitch v", ID_SPACING_VERT, "35 mm", 35000, [](CLabel& s, COstrelindSoftLabelDoc&) { return s.GetPitchV(); }},
        {"rows", ID_LAYOUT_ROWS, "3", 3, [](CLabel& s, COstrelindSoftLabelDoc&) { return s.GetRows(); }},
        {"columns", ID_LAYOUT_COLUMNS, "2", 2, [](CLabel& s, COstrelindSoftLabelDoc&) { return s.GetColumns(); }},
        {"header width", ID_HEADER_WIDTH, "80 mm", 80000, [](CLabel& s, COstrelindSoftLabelDoc&) { return s.GetWidth(1); }},
        {"header height", ID_HEADER_HEIGHT, "9 mm", 9000, [](CLabel& s, COstrelindSoftLabelDoc&) { return s.GetHeight(1); }},
        {"header top", ID_HEADER_FROM_TOP, "3 mm", 3000, [](CLabel& s, COstrelindSoftLabelDoc&) { return s.GetTop(1); }},
        {"header left", ID_HEADER_FROM_LEFT, "7 mm", 7000, [](CLabel& s, COstrelindSoftLabelDoc&) { return s.GetLeft(1); }},
        {"footer width", ID_FOOTER_WIDTH, "70 mm", 70000, [](CLabel& s, COstrelindSoftLabelDoc&) { return s.GetWidth(2); }},
        {"footer height", ID_FOOTER_HEIGHT, "8 mm", 8000, [](CLabel& s, COstrelindSoftLabelDoc&) { return s.GetHeight(2); }},
        {"footer top", ID_FOOTER_FROM_TOP, "250 mm", 250000, [](CLabel& s, COstrelindSoftLabelDoc&) { return s.GetTop(2); }},
        {"footer left", ID_FOOTER_FROM_LEFT, "5 mm", 5000, [](CLabel& s, COstrelindSoftLabelDoc&) { return s.GetLeft(2); }},
        {"line width", ID_ENGRAVE_LINE_WIDTH, "0.3 mm", 300,
         [](CLabel&, COstrelindSoftLabelDoc& d) { return d.GetCurrentTemplate()->GetBorderWidth(); }},
    };
    for (const BoxCase& c : cases) {
        SCOPED_TRACE(c.name);
        doc->SetModifiedFlag(FALSE);
        Box(c.id, c.good);
        EXPECT_EQ(c.expected, c.read(*stock, *doc));
        EXPECT_TRUE(doc->IsModified());
        for (const char* bad : {"abc", "", "mm"}) {
            SCOPED_TRACE(bad);
            Box(c.id, bad);
            EXPECT_EQ(c.expected, c.read(*stock, *doc));
        }
        // The box shows the stored value while the canvas has the focus, and nothing new without.
        CTestCmdUI shown = Update(c.id);
        EXPECT_TRUE(shown.m_bEnabled);
        ASSERT_TRUE(shown.m_bTextSet);
        view->boxes[c.id] = shown.m_strText;
        Command(c.id);
        EXPECT_EQ(c.expected, c.read(*stock, *doc)) << shown.m_strText.GetString();
        EXPECT_FALSE(Update(c.id, false).m_bTextSet);
    }
    // Sizes and counts of zero or less leave the value, and so does a negative margin.
    for (UINT id : {ID_LABEL_WIDTH, ID_LABEL_HEIGHT, ID_SPACING_HORZ, ID_SPACING_VERT, ID_LAYOUT_ROWS,
                    ID_LAYOUT_COLUMNS, ID_HEADER_WIDTH, ID_MARGIN_LEFT}) {
        SCOPED_TRACE(id);
        const int width = stock->GetWidth(0), pitch = stock->GetPitchH(), rows = stock->GetRows(),
                  columns = stock->GetColumns(), height = stock->GetHeight(0), pitchV = stock->GetPitchV(),
                  header = stock->GetWidth(1), left = stock->GetLeft(0);
        for (const char* bad : {"0", "-5 mm", "-5"}) {
            if (id == ID_MARGIN_LEFT && bad[0] == '0')
                continue;
            Box(id, bad);
            EXPECT_EQ(height, stock->GetHeight(0));
            EXPECT_EQ(pitchV, stock->GetPitchV());
            EXPECT_EQ(header, stock->GetWidth(1));
            EXPECT_EQ(left, stock->GetLeft(0));
            EXPECT_EQ(width, stock->GetWidth(0));
            EXPECT_EQ(pitch, stock->GetPitchH());
            EXPECT_EQ(rows, stock->GetRows());
            EXPECT_EQ(columns, stock->GetColumns());
        }
    }
    // A line width that does not parse still marks the project modified.
    doc->SetModifiedFlag(FALSE);
    Box(ID_ENGRAVE_LINE_WIDTH, "thick");
    EXPECT_EQ(300, doc->GetCurrentTemplate()->GetBorderWidth());
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(PageCommands, MarginsAreTheLabelAreasEvenWithTheHeaderShown)
{
    Command(ID_HEADER_ENABLE);
    Box(ID_HEADER_FROM_LEFT, "12 mm");
    Box(ID_HEADER_FROM_TOP, "2 mm");
    Box(ID_MARGIN_LEFT, "3 mm");
    Command(ID_AREA_HEADER);
    ASSERT_EQ(1, view->GetArea());
    Box(ID_MARGIN_LEFT, "4 mm");
    Box(ID_MARGIN_TOP, "5 mm");
    EXPECT_EQ(4000, stock->GetLeft(0));
    EXPECT_EQ(5000, stock->GetTop(0));
    EXPECT_EQ(12000, stock->GetLeft(1));
    EXPECT_EQ(2000, stock->GetTop(1));
    char label[128] = {};
    doc->GetAreaLeftText(0, label, sizeof label);
    EXPECT_STREQ(label, Update(ID_MARGIN_LEFT).m_strText);
}

TEST_F(PageCommands, PaperSizeBoxesAreFreeOnlyForAUserSizeAndTheHeaderBoxesNeedTheHeader)
{
    Box(ID_PAPER_SIZE, "A4");
    ASSERT_EQ(9, doc->GetPaperSizeCode());
    EXPECT_FALSE(Update(ID_PAPER_WIDTH).m_bEnabled);
    EXPECT_FALSE(Update(ID_PAPER_HEIGHT).m_bEnabled);
    const int a4 = doc->GetPaperWidth();
    char name[128] = {};
    doc->GetPaperSizeName(name, sizeof name);
    EXPECT_STREQ(name, Update(ID_PAPER_SIZE).m_strText);

    ASSERT_TRUE(stock->SetPaperCode(0));
    CTestCmdUI width = Update(ID_PAPER_WIDTH);
    EXPECT_TRUE(width.m_bEnabled);
    EXPECT_TRUE(Update(ID_PAPER_HEIGHT).m_bEnabled);
    doc->SetModifiedFlag(FALSE);
    Box(ID_PAPER_WIDTH, "150 mm");
    EXPECT_EQ(150000, doc->GetPaperWidth());
    EXPECT_NE(a4, doc->GetPaperWidth());
    EXPECT_TRUE(doc->IsModified());
    EXPECT_STREQ("150 mm", Update(ID_PAPER_WIDTH).m_strText);
    Box(ID_PAPER_HEIGHT, "abc");
    Box(ID_PAPER_HEIGHT, "100 mm");
    EXPECT_EQ(100000, doc->GetPaperHeight());

    // The header's boxes are off and empty until the header is enabled.
    CTestCmdUI off = Update(ID_HEADER_WIDTH);
    EXPECT_FALSE(off.m_bEnabled);
    EXPECT_FALSE(off.m_bTextSet);
    Box(ID_HEADER_WIDTH, "20 mm");
    Command(ID_HEADER_ENABLE);
    EXPECT_TRUE(Update(ID_HEADER_WIDTH).m_bEnabled);
    EXPECT_TRUE(Update(ID_HEADER_ENABLE).m_nCheck == 1);
    EXPECT_FALSE(Update(ID_FOOTER_ENABLE).m_nCheck == 1);
}

TEST_F(PageCommands, CornerRadiusOnlyInTheLabelAreaOfARoundedLabelAndShapesCheckTheirOwn)
{
    Command(ID_LABEL_SHAPE_RECT);
    EXPECT_EQ(1, Update(ID_LABEL_SHAPE_RECT).m_nCheck);
    EXPECT_EQ(0, Update(ID_LABEL_SHAPE_ROUNDED).m_nCheck);
    CTestCmdUI radius = Update(ID_LABEL_CORNER_RADIUS);
    EXPECT_FALSE(radius.m_bEnabled);
    EXPECT_STREQ("", radius.m_strText);

    Command(ID_LABEL_SHAPE_ROUNDED);
    EXPECT_EQ(1, Update(ID_LABEL_SHAPE_ROUNDED).m_nCheck);
    EXPECT_TRUE(Update(ID_LABEL_CORNER_RADIUS).m_bEnabled);
    Box(ID_LABEL_CORNER_RADIUS, "2 mm");
    EXPECT_EQ(2000, doc->GetCornerRadius(0));
    EXPECT_STREQ("2 mm", Update(ID_LABEL_CORNER_RADIUS).m_strText);
    Box(ID_LABEL_CORNER_RADIUS, "abc");
    EXPECT_EQ(2000, doc->GetCornerRadius(0));

    Command(ID_HEADER_ENABLE);
    Command(ID_AREA_HEADER);
    ASSERT_EQ(1, view->GetArea());
    EXPECT_FALSE(Update(ID_LABEL_CORNER_RADIUS).m_bEnabled);
    Command(ID_AREA_LABEL);
    Command(ID_LABEL_SHAPE_ELLIPSE);
    EXPECT_EQ(1, Update(ID_LABEL_SHAPE_ELLIPSE).m_nCheck);
    EXPECT_FALSE(Update(ID_LABEL_CORNER_RADIUS).m_bEnabled);

    Command(ID_PAPER_LANDSCAPE);
    EXPECT_EQ(1, Update(ID_PAPER_LANDSCAPE).m_nCheck);
    EXPECT_EQ(0, Update(ID_PAPER_PORTRAIT).m_nCheck);
    Command(ID_PAPER_PORTRAIT);
    EXPECT_EQ(1, Update(ID_PAPER_PORTRAIT).m_nCheck);

    // Locked: the shapes are off.
    doc->GetCurrentTemplate()->SetLocked(true);
    EXPECT_FALSE(Update(ID_LABEL_SHAPE_RECT).m_bEnabled);
    doc->GetCurrentTemplate()->SetLocked(false);
}

TEST_F(PageCommands, EveryFlagButtonTogglesItsBitAndShowsIt)
{
    struct Flag {
        UINT id;
        bool marking;
        uint32_t bit;
    };
    const Flag flags[] = {
        {ID_MARKING_WIRE, true, 0x1},          {ID_MARKING_CABLE, true, 0x2},
        {ID_MARKING_COMPONENT, true, 0x4},     {ID_MARKING_TERMINAL_BLOCK, true, 0x8},
        {ID_MARKING_PLC, true, 0x10},          {ID_MARKING_OTHER, true, 0x20},
        {ID_MARKING_MODULE, true, 0x40},       {ID_PRINTER_TYPE_LASER, false, 0x1},
        {ID_PRINTER_TYPE_THERMO, false, 0x4},  {ID_PRINTER_TYPE_THERMAL_TRANSFER, false, 0x8},
        {ID_PRINTER_TYPE_OTHER, false, 0x80000000u},
    };
    for (const Flag& f : flags) {
        SCOPED_TRACE(f.id);
        const uint32_t markingBefore = static_cast<uint32_t>(stock->GetMarkingTypes());
        const uint32_t printerBefore = stock->GetPrinterTypes();
        const int checkedBefore = Update(f.id).m_nCheck;
        Command(f.id);
        const uint32_t marking = static_cast<uint32_t>(stock->GetMarkingTypes());
        const uint32_t printer = stock->GetPrinterTypes();
        EXPECT_EQ(f.marking ? (markingBefore ^ f.bit) : markingBefore, marking);
        EXPECT_EQ(f.marking ? printerBefore : (printerBefore ^ f.bit), printer);
        CTestCmdUI ui = Update(f.id);
        EXPECT_EQ(((f.marking ? marking : printer) & f.bit) != 0 ? 1 : 0, ui.m_nCheck);
        EXPECT_NE(checkedBefore, ui.m_nCheck);
        EXPECT_TRUE(ui.m_bEnabled);
        Command(f.id);
        EXPECT_EQ(markingBefore, static_cast<uint32_t>(stock->GetMarkingTypes()));
        EXPECT_EQ(printerBefore, stock->GetPrinterTypes());
    }
    // Border printing, the pause and the printer options flip and mark the project modified.
    for (UINT id : {ID_ENGRAVE_LABEL_BORDERS, ID_ENGRAVE_PAUSE_PAGES, ID_PRINTER_SELECT_DEVICE, ID_PRINTER_STORE_SETTING}) {
        SCOPED_TRACE(id);
        doc->SetModifiedFlag(FALSE);
        const int before = Update(id).m_nCheck;
        Command(id);
        EXPECT_NE(before, Update(id).m_nCheck);
        EXPECT_TRUE(doc->IsModified());
        Command(id);
        EXPECT_EQ(before, Update(id).m_nCheck);
    }
}

TEST_F(PageCommands, OnlyTheBorderColourChangedMarksTheProjectModified)
{
    ASSERT_NE(nullptr, frame);
    auto* button = dynamic_cast<CMFCRibbonColorButton*>(frame->FindRibbonElement(ID_ENGRAVE_BORDER_COLOR));
    ASSERT_NE(nullptr, button);
    button->SetColor(RGB(200, 10, 30));
    doc->SetModifiedFlag(FALSE);
    Command(ID_ENGRAVE_BORDER_COLOR);
    EXPECT_EQ(RGB(200, 10, 30), doc->GetCurrentTemplate()->GetBorderColour());
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(PageCommands, ARenamedFamilyIsListedOnceSortedAndTheComboShowsNoRepeats)
{
    ASSERT_NE(nullptr, frame);
    auto* combo = dynamic_cast<CMFCRibbonComboBox*>(frame->FindRibbonElement(ID_FAMILY_NAME));
    ASSERT_NE(nullptr, combo);
    CLabelManager& manager = app->GetLabelManager();
    manager.AddFamilyName("Zeta");
    manager.AddFamilyName("alpha");

    doc->SetModifiedFlag(FALSE);
    Box(ID_FAMILY_NAME, "Middle markers");
    EXPECT_STREQ("Middle markers", stock->GetFamilyName());
    EXPECT_TRUE(doc->IsModified());
    Box(ID_FAMILY_NAME, "MIDDLE MARKERS");
    Box(ID_FAMILY_NAME, "Middle markers");
    std::vector<CString> items;
    for (int i = 0; i < combo->GetCount(); ++i)
        items.push_back(combo->GetItem(i));
    int middles = 0;
    for (const CString& item : items)
        middles += item.CompareNoCase("Middle markers") == 0 ? 1 : 0;
    EXPECT_EQ(1, middles);
    for (size_t i = 1; i < items.size(); ++i)
        EXPECT_LT(items[i - 1].CompareNoCase(items[i]), 0) << items[i].GetString();
    for (const CString& item : items)
        EXPECT_FALSE(item.IsEmpty());

    // Unchanged text changes nothing; a long name is cut to 32 characters.
    doc->SetModifiedFlag(FALSE);
    Box(ID_FAMILY_NAME, "Middle markers");
    EXPECT_FALSE(doc->IsModified());
    Box(ID_FAMILY_NAME, "A family name far longer than thirty-two characters");
    EXPECT_EQ(32u, std::strlen(stock->GetFamilyName()));
    EXPECT_STREQ(stock->GetFamilyName(), Update(ID_FAMILY_NAME).m_strText);
}

TEST_F(PageCommands, PictureAndInfoFilesAreStoredByNameAndRemovedAfterTheQuestion)
{
    FileDialogRecorder dialogs;
    EXPECT_FALSE(Update(ID_LABEL_FILES_DELETE).m_bEnabled);
    dialogs.AnswerPath("C:\\elsewhere\\pictures\\marker.png");
    Command(ID_LABEL_IMAGE_FILE);
    ASSERT_EQ(1u, dialogs.Count());
    EXPECT_STREQ("jpg", dialogs.Last().defaultExt);
    EXPECT_NE(-1, dialogs.Last().initialDir.Find("Label images"));
    EXPECT_STREQ("marker.png", stock->GetImageFile());
    EXPECT_TRUE(doc->IsModified());

    dialogs.AnswerPath("C:\\docs\\sheet.pdf");
    Command(ID_LABEL_INFO_FILE);
    EXPECT_STREQ("pdf", dialogs.Last().defaultExt);
    EXPECT_NE(-1, dialogs.Last().initialDir.Find("Label info"));
    EXPECT_STREQ("sheet.pdf", stock->GetInfoFile());

    // The dialog starts with the stored name; Cancel keeps it.
    dialogs.AnswerCancel();
    Command(ID_LABEL_IMAGE_FILE);
    EXPECT_STREQ("marker.png", dialogs.Last().fileName);
    EXPECT_STREQ("marker.png", stock->GetImageFile());

    EXPECT_TRUE(Update(ID_LABEL_FILES_DELETE).m_bEnabled);
    MessageBoxRecorder boxes;
    boxes.Answer(IDNO);
    Command(ID_LABEL_FILES_DELETE);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("Remove image file and info file filenames for this label?", boxes.Last().text);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO), boxes.Last().Buttons());
    EXPECT_STREQ("marker.png", stock->GetImageFile());
    boxes.Answer(IDYES);
    Command(ID_LABEL_FILES_DELETE);
    EXPECT_STREQ("", stock->GetImageFile());
    EXPECT_STREQ("", stock->GetInfoFile());
    EXPECT_FALSE(Update(ID_LABEL_FILES_DELETE).m_bEnabled);
}

TEST_F(PageCommands, DeleteAsksAndTemplateImportTakesOnlyATpeFile)
{
    MessageBoxRecorder boxes;
    boxes.Answer(IDNO);
    Command(ID_LABEL_DELETE);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("Delete the current label definition, are you sure?", boxes.Last().text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONQUESTION), boxes.Last().Icon());
    EXPECT_NE(nullptr, doc->GetCurrentTemplate()->GetLabelStock());
    boxes.Answer(IDYES);
    Command(ID_LABEL_DELETE);
    EXPECT_EQ(nullptr, doc->GetCurrentTemplate()->GetLabelStock());
    // Without a definition the definition's commands do nothing.
    Command(ID_HEADER_ENABLE);
    Box(ID_HEADER_WIDTH, "10 mm");
    EXPECT_FALSE(Update(ID_PRINTER_SETUP).m_bEnabled);
    EXPECT_EQ(0, Update(ID_MARKING_WIRE).m_nCheck);

    EXPECT_TRUE(Update(ID_TEMPLATE_IMPORT).m_bEnabled);
    FileDialogRecorder dialogs;
    dialogs.AnswerPath(dir.Path("other.label"));
    doc->SetModifiedFlag(FALSE);
    Command(ID_TEMPLATE_IMPORT);
    ASSERT_EQ(1u, dialogs.Count());
    EXPECT_STREQ("Template files(*.tpe)|*.tpe||", dialogs.Last().filter);
    EXPECT_FALSE(doc->IsModified());
}

// ---------------------------------------------------------------------------------------------
// Printer setup

class PrinterSetup : public PageCommands {
protected:
    void SetUp() override
    {
        PageCommands::SetUp();
        ASSERT_TRUE(printtest::EnsureFilePrinter());
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        secondPort = std::string(temp) + "korvelta-second.ps";
        ASSERT_TRUE(printtest::InstallFilePrinter(kSecond, secondPort.c_str()));
        Command(ID_PRINTER_SELECT_DEVICE);
        ASSERT_TRUE(stock->GetIncludePrinterName());
        stock->SetPrinterStrings(printtest::kPrinterName, printtest::kDriverName, "FILE:");
        if (!stock->GetIncludePrinterName())
            Command(ID_PRINTER_SELECT_DEVICE);
    }
    static constexpr const char* kSecond = "Korvelta Second Printer";
    std::string secondPort;
};

TEST_F(PrinterSetup, OkStoresTheChosenPrinterInTheDefinitionAndTheTemplate)
{
    EXPECT_TRUE(Update(ID_PRINTER_SETUP).m_bEnabled);
    if (!stock->GetStorePrinterSettings())
        Command(ID_PRINTER_STORE_SETTING);
    PrintDialogRecorder dialogs;
    dialogs.AnswerPrinter(kSecond);
    doc->SetModifiedFlag(FALSE);
    Command(ID_PRINTER_SETUP);
    ASSERT_EQ(1u, dialogs.Count());
    EXPECT_TRUE(dialogs.Last().setup);
    EXPECT_STREQ(printtest::kPrinterName, dialogs.Last().device);
    CString device, driver, port;
    stock->GetPrinterStrings(device, driver, port);
    EXPECT_STREQ(kSecond, device);
    EXPECT_FALSE(driver.IsEmpty());
    EXPECT_STREQ(secondPort.c_str(), port);
    CString tDevice, tDriver, tPort;
    doc->GetStoredPrinter(tDevice, tDriver, tPort);
    EXPECT_STREQ(kSecond, tDevice);
    EXPECT_STREQ(driver, tDriver);
    EXPECT_STREQ(port, tPort);
    EXPECT_TRUE(doc->IsModified());
    // The settings are stored: the block is the second printer's and held locked.
    ASSERT_TRUE(stock->HasDevMode());
    EXPECT_STREQ(kSecond, reinterpret_cast<const char*>(stock->GetDevMode()->dmDeviceName));
}

TEST_F(PrinterSetup, CancelKeepsTheStoredBlockUsableAndNoHandleIsFreedTwice)
{
    HGLOBAL mode = nullptr, names = nullptr;
    ASSERT_TRUE(BuildPrinterHandles(printtest::kPrinterName, mode, names));
    ::GlobalFree(names);
    ASSERT_TRUE(stock->AttachDevMode(mode));
    ASSERT_TRUE(stock->HasDevMode());
    const UINT bytes = stock->GetDevModeBytes();

    // Cancel, then OK on the same printer, then another printer: every time the definition ends
    // with a whole, locked block (the dialog's answer taken back).
    PrintDialogRecorder dialogs;
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        if (round == 0)
            dialogs.AnswerCancel();
        else if (round == 1)
            dialogs.AnswerOK();
        else
            dialogs.AnswerPrinter(kSecond);
        Command(ID_PRINTER_SETUP);
        ASSERT_TRUE(stock->HasDevMode());
        EXPECT_GE(stock->GetDevModeBytes(), 68u);
        if (round < 2)
            EXPECT_EQ(bytes, stock->GetDevModeBytes());
        // Locked still: the held pointer is the block's own.
        const HGLOBAL handle = ::GlobalHandle(stock->GetDevMode());
        ASSERT_NE(nullptr, handle);
        EXPECT_NE(0u, ::GlobalFlags(handle) & GMEM_LOCKCOUNT);
        MessageBoxRecorder boxes;
        Send(WM_CHAR, 'd', 1);
        EXPECT_EQ(1u, boxes.Count());
    }
    EXPECT_EQ(3u, dialogs.Count());
    CString device, driver, port;
    stock->GetPrinterStrings(device, driver, port);
    EXPECT_STREQ(kSecond, device);
    // The definition holds one block: detaching it and freeing it once succeeds.
    HGLOBAL held = stock->DetachDevMode();
    ASSERT_NE(nullptr, held);
    EXPECT_EQ(nullptr, ::GlobalFree(held));
}

TEST_F(PrinterSetup, ADefinitionWithoutAPrinterOrNotFileBasedHasNoSetup)
{
    Command(ID_PRINTER_SELECT_DEVICE);
    if (stock->GetIncludePrinterName())
        Command(ID_PRINTER_SELECT_DEVICE);
    EXPECT_FALSE(Update(ID_PRINTER_SETUP).m_bEnabled);
    PrintDialogRecorder dialogs;
    doc->GetCurrentTemplate()->SetLocked(true);
    Command(ID_PRINTER_SETUP);
    EXPECT_EQ(0u, dialogs.Count());
    doc->GetCurrentTemplate()->SetLocked(false);
}
