// The print dialog: lengths and copies as the dialog shows and reads them, the hook on the real
// dialog template, what PreparePrinting puts into the dialog, paper names and the paper check
// against a real printer driver.
#include "printdialogtest.h"

#include "document/printids.h"
#include "document/registrydefaults.h"
#include "framework/app.h"
#include "labelmodel/labelpaper.h"
#include "testsupport/dibcanvas.h"
#include "testsupport/msgboxrecorder.h"

#include "testsupport/localeguard.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <dlgs.h>
#include <clocale>

using namespace printtest;
using namespace doctest;

TEST(PrintDialogText, LengthsNeedANumberAndAKnownUnit)
{
    int um = -7;
    EXPECT_TRUE(ParseLengthText(um, "12.5 mm"));
    EXPECT_EQ(um, 12500);
    EXPECT_TRUE(ParseLengthText(um, "1 in"));
    EXPECT_EQ(um, 25400);
    EXPECT_TRUE(ParseLengthText(um, "2 CM"));
    EXPECT_EQ(um, 20000);
    EXPECT_TRUE(ParseLengthText(um, "-1.5mm"));
    EXPECT_EQ(um, -1500);
    EXPECT_TRUE(ParseLengthText(um, "0.0009 mm"));       // truncated to whole micrometres
    EXPECT_EQ(um, 0);
    um = 42;
    EXPECT_FALSE(ParseLengthText(um, "12"));
    EXPECT_FALSE(ParseLengthText(um, "3 ft"));
    EXPECT_FALSE(ParseLengthText(um, "mm"));
    EXPECT_FALSE(ParseLengthText(um, ""));
    EXPECT_FALSE(ParseLengthText(um, nullptr));
    EXPECT_FALSE(ParseLengthText(um, "1e300 mm"));
    EXPECT_EQ(um, 42);
}

TEST(PrintDialogTextLocale, LengthsReadTheDecimalSeparatorOfTheUserLocale)
{
    NumericLocaleGuard user("");
    ASSERT_TRUE(user.ok());
    ASSERT_TRUE(DecimalSeparatorMatchesTheRun());
    const bool comma = *localeconv()->decimal_point == ',';
    int um = 0;
    if (comma) {
        EXPECT_TRUE(ParseLengthText(um, "0,5 cm"));
        EXPECT_EQ(um, 5000);
        EXPECT_TRUE(ParseLengthText(um, "12,5 mm"));
        EXPECT_EQ(um, 12500);
    } else {
        EXPECT_FALSE(ParseLengthText(um, "0,5 cm"));   // "0" followed by the unit ",5"
        EXPECT_TRUE(ParseLengthText(um, "12.5 mm"));
        EXPECT_EQ(um, 12500);
    }
}

TEST(PrintDialogTextLocale, SwedishCommaGivesHalfACentimetre)
{
    NumericLocaleGuard swedish("Swedish_Sweden.1252");
    ASSERT_TRUE(swedish.ok()) << "the C runtime has no Swedish locale";
    ASSERT_STREQ(",", localeconv()->decimal_point);
    int um = 0;
    EXPECT_TRUE(ParseLengthText(um, "0,5 cm"));
    EXPECT_EQ(um, 5000);
}

TEST(PrintDialogText, CopiesShowAsNumbersOrColumnLetters)
{
    char text[16];
    FormatCopiesText(-3, text, sizeof text);
    EXPECT_STREQ(text, "C");
    FormatCopiesText(-1, text, sizeof text);
    EXPECT_STREQ(text, "A");
    FormatCopiesText(-26, text, sizeof text);
    EXPECT_STREQ(text, "Z");
    FormatCopiesText(7, text, sizeof text);
    EXPECT_STREQ(text, "7");
    FormatCopiesText(0, text, sizeof text);
    EXPECT_STREQ(text, "");
    FormatCopiesText(-27, text, sizeof text);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(ParseCopiesText("c"), -3);
    EXPECT_EQ(ParseCopiesText("Z"), -26);
    EXPECT_EQ(ParseCopiesText("AA"), 0);
    EXPECT_EQ(ParseCopiesText("12"), 12);
    EXPECT_EQ(ParseCopiesText(""), 0);
    EXPECT_EQ(ParseCopiesText("?"), 0);
}

TEST(PrintDialogHook, ShowsAndReadsTheOptionBlock)
{
    PrintOptionBlock block = Options(-3, 4, 2, true, true, false, 1500, 12500);
    HookedDialog dialog(&block);
    ASSERT_NE(dialog.wnd, nullptr);
    EXPECT_EQ(IsDlgButtonChecked(dialog.wnd, IDC_PRINT_REVERSE), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog.wnd, IDC_PRINT_SORT_VERTICAL), BST_UNCHECKED);
    EXPECT_EQ(dialog.Text(IDC_PRINT_TOP_COMPENSATION), "12.5 mm");
    EXPECT_EQ(dialog.Text(IDC_PRINT_LEFT_COMPENSATION), "1.5 mm");
    EXPECT_EQ(dialog.Text(IDC_PRINT_REPEAT), "C");
    EXPECT_EQ(dialog.Text(IDC_PRINT_FIRST_LABEL), "4");
    EXPECT_EQ(dialog.Text(IDC_PRINT_SETS), "2");
    EXPECT_EQ(IsDlgButtonChecked(dialog.wnd, IDC_PRINT_PAGE_BREAK), BST_CHECKED);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog.wnd, IDC_PRINT_HIDDEN)));
    // The standard controls the system's dialog code looks for are there.
    for (int id : {rad1, rad2, rad3, edt1, edt2, edt3, cmb4, psh2, chx1, chx2, IDOK, IDCANCEL})
        EXPECT_NE(GetDlgItem(dialog.wnd, id), nullptr) << id;
    EXPECT_EQ(dialog.Text(rad3), "&Labels");

    // The up arrow counts up; never below 1.
    dialog.Spin(IDC_PRINT_FIRST_LABEL_SPIN, -1);
    EXPECT_EQ(dialog.Text(IDC_PRINT_FIRST_LABEL), "5");
    dialog.Spin(IDC_PRINT_SETS_SPIN, 5);
    EXPECT_EQ(dialog.Text(IDC_PRINT_SETS), "1");

    CheckDlgButton(dialog.wnd, IDC_PRINT_SORT_VERTICAL, BST_CHECKED);
    CheckDlgButton(dialog.wnd, IDC_PRINT_REVERSE, BST_UNCHECKED);
    CheckDlgButton(dialog.wnd, IDC_PRINT_PAGE_BREAK, BST_UNCHECKED);
    dialog.Set(IDC_PRINT_TOP_COMPENSATION, "1 in");
    dialog.Set(IDC_PRINT_LEFT_COMPENSATION, "3");          // no unit: the value stays
    dialog.Set(IDC_PRINT_REPEAT, "z");
    dialog.Set(IDC_PRINT_SETS, "0");
    EXPECT_EQ(dialog.Ok(), 0u);
    EXPECT_EQ(block.reverseOrder, 0);
    EXPECT_EQ(block.columnOrder, 1);
    EXPECT_EQ(block.topCompensation, 25400);
    EXPECT_EQ(block.leftCompensation, 1500);
    EXPECT_EQ(block.copies, -26);
    EXPECT_EQ(block.startPosition, 5);
    EXPECT_EQ(block.passes, 1);
    EXPECT_EQ(block.stopAfterPass, 0);

    dialog.Set(IDC_PRINT_SETS, "");
    dialog.Set(IDC_PRINT_REPEAT, "AA");
    EXPECT_EQ(dialog.Ok(), 0u);
    EXPECT_EQ(block.passes, 1);
    EXPECT_EQ(block.copies, 0);
    // Other messages are left to the dialog.
    EXPECT_EQ(PrintDialogHookProc(dialog.wnd, WM_COMMAND, IDCANCEL, 0), 0u);
    EXPECT_EQ(PrintDialogHookProc(dialog.wnd, WM_PAINT, 0, 0), 0u);
}

TEST(PrintDialogPrepare, FillsTheDialogFromTheTemplateAndTheProfile)
{
    ProfileApp profile;
    MessageBoxRecorder boxes;
    auto doc = SheetDoc(2, 5, 7, true);
    CTemplate* tmpl = doc->GetCurrentTemplate();
    tmpl->SetCopies(-2);
    tmpl->SetPasses(3);
    tmpl->SetStopAfterPass(false);
    tmpl->SetColumnMajor(true);
    doc->OnPrintReverseOrder();

    CPrintInfo info;
    info.m_pPD->m_pd.hDevNames = CPrintDialog::MakeDevNames("winspool", "Some Printer", "LPT1:");
    ASSERT_TRUE(RegistryDefaults::WriteCompensation("Some Printer", 700, -300));
    EngineView view(doc.get());
    ASSERT_TRUE(doc->PreparePrinting(&info, &view));
    const PRINTDLGA& pd = info.m_pPD->m_pd;
    EXPECT_NE(pd.Flags & PD_ENABLEPRINTTEMPLATE, 0u);
    EXPECT_NE(pd.Flags & PD_ENABLEPRINTHOOK, 0u);
    EXPECT_EQ(pd.lpPrintTemplateName, MAKEINTRESOURCEA(IDD_PRINT_DIALOG));
    EXPECT_EQ(pd.lpfnPrintHook, &PrintDialogHookProc);
    EXPECT_EQ(info.GetMinPage(), 1u);
    EXPECT_EQ(info.GetMaxPage(), 7u);
    const auto* block = reinterpret_cast<const PrintOptionBlock*>(pd.lCustData);
    ASSERT_EQ(block, &GetPrintOptionBlock());
    EXPECT_EQ(block->size, 36);
    EXPECT_EQ(block->reverseOrder, 1);
    EXPECT_EQ(block->columnOrder, 1);
    EXPECT_EQ(block->leftCompensation, 700);
    EXPECT_EQ(block->topCompensation, -300);
    EXPECT_EQ(block->copies, -2);
    EXPECT_EQ(block->passes, 3);
    EXPECT_EQ(block->stopAfterPass, 0);
    EXPECT_EQ(block->startPosition, 1);

    // Without table data the page range is the sheet's positions.
    auto positions = SheetDoc(3, 4, 0, false);
    CPrintInfo sheet;
    sheet.m_pPD->m_pd.hDevNames = CPrintDialog::MakeDevNames("winspool", "Another Printer", "LPT1:");
    ASSERT_TRUE(positions->PreparePrinting(&sheet, &view));
    EXPECT_EQ(sheet.GetMaxPage(), 12u);
    EXPECT_EQ(GetPrintOptionBlock().leftCompensation, 0);

    profile.app.WriteProfileString("Printer = Some Printer", nullptr, nullptr);
    GlobalFree(info.m_pPD->m_pd.hDevNames);
    GlobalFree(sheet.m_pPD->m_pd.hDevNames);
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST(PrintDialogPrepare, BeginPrintingKeepsTheCompensationPerPrinter)
{
    ProfileApp profile;
    auto doc = SheetDoc(2, 5, 3, true);
    EngineView view(doc.get());
    DibCanvas canvas(50, 50);
    for (const char* device : {"Printer One", "Printer Two"}) {
        CPrintInfo info;
        info.m_pPD->m_pd.hDevNames = CPrintDialog::MakeDevNames("winspool", device, "LPT1:");
        PrintOptionBlock block = Options(1, 1, 1, true, false, false, device[8] == 'O' ? 1000 : 2000, 3000);
        info.m_pPD->m_pd.lCustData = reinterpret_cast<LPARAM>(&block);
        doc->BeginPrinting(&canvas.dc(), &info, &view);
        GlobalFree(info.m_pPD->m_pd.hDevNames);
    }
    int left = 0, top = 0;
    EXPECT_TRUE(RegistryDefaults::ReadCompensation("Printer One", left, top));
    EXPECT_EQ(left, 1000);
    EXPECT_EQ(top, 3000);
    EXPECT_TRUE(RegistryDefaults::ReadCompensation("Printer Two", left, top));
    EXPECT_EQ(left, 2000);
    EXPECT_FALSE(RegistryDefaults::ReadCompensation("", left, top));
    EXPECT_EQ(left, 0);
    profile.app.WriteProfileString("Printer = Printer One", nullptr, nullptr);
    profile.app.WriteProfileString("Printer = Printer Two", nullptr, nullptr);
}

TEST(PrintDialogPaper, NamesOfPaperCodes)
{
    EXPECT_EQ(COstrelindSoftLabelDoc::GetPaperName(256), "User defined");
    EXPECT_EQ(COstrelindSoftLabelDoc::GetPaperName(9), CString(GetPaperTableName(9)));
    EXPECT_FALSE(COstrelindSoftLabelDoc::GetPaperName(9).IsEmpty());
    EXPECT_EQ(COstrelindSoftLabelDoc::GetPaperName(300), "300");
    EXPECT_EQ(COstrelindSoftLabelDoc::GetPaperName(-2), "-2");
}

TEST(PrintDialogPaper, TheDriverIsAskedWhichPapersItKnows)
{
    ASSERT_TRUE(EnsureFilePrinter());
    auto doc = SheetDoc(2, 5, 3, true);
    CPrintInfo info;
    ASSERT_TRUE(PrinterHandles(info.m_pPD->m_pd.hDevNames, info.m_pPD->m_pd.hDevMode));
    EXPECT_EQ(info.m_pPD->GetDeviceName(), kPrinterName);
    // The test driver has A4 (9) and Letter (1) only.
    EXPECT_TRUE(doc->PrinterSupportsPaper(&info, 1));
    {
        const auto* mode = static_cast<const DEVMODEA*>(GlobalLock(info.m_pPD->m_pd.hDevMode));
        EXPECT_EQ(mode->dmPaperSize, 1);
        EXPECT_NE(mode->dmFields & DM_PAPERSIZE, 0u);
        GlobalUnlock(info.m_pPD->m_pd.hDevMode);
    }
    EXPECT_TRUE(doc->PrinterSupportsPaper(&info, 9));
    EXPECT_FALSE(doc->PrinterSupportsPaper(&info, 8));       // A3
    EXPECT_FALSE(doc->PrinterSupportsPaper(&info, 256));

    // A label on A3 is reported with the printer's and the paper's names, and printing goes on.
    MessageBoxRecorder boxes;
    auto* stock = dynamic_cast<CLabelFileNew*>(doc->GetCurrentTemplate()->GetLabelStock());
    ASSERT_NE(stock, nullptr);
    ASSERT_TRUE(stock->SetPaperCode(8));
    EngineView view(doc.get());
    EXPECT_TRUE(doc->PreparePrinting(&info, &view));
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_NE(boxes.Last().text.Find("'Korvelta PS' does not support the papersize '"), -1);
    EXPECT_NE(boxes.Last().text.Find(COstrelindSoftLabelDoc::GetPaperName(8)), -1);
    GlobalFree(info.m_pPD->m_pd.hDevNames);
    GlobalFree(info.m_pPD->m_pd.hDevMode);
    info.m_pPD->m_pd.hDevNames = info.m_pPD->m_pd.hDevMode = nullptr;
}
