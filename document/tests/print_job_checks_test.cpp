// What a print job is refused for before anything reaches the spooler: copies the template's
// 16-bit record cannot hold (refused in the dialog, which stays open), a range whose first label
// is after its last, a first label past the sheet, a table whose filter hides every row; and the
// system's print dialog showing the compensation of the printer chosen in its Name box.
#include "printdialogtest.h"

#include "document/printids.h"
#include "document/registrydefaults.h"
#include "document/tablefilter.h"
#include "document/tableslot.h"
#include "framework/app.h"
#include "testsupport/dibcanvas.h"
#include "testsupport/msgboxrecorder.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <dlgs.h>
#include <string>

using namespace printtest;
using namespace doctest;

TEST(PrintCopies, OnlyNumbersTheTemplatesSixteenBitsHoldFit)
{
    for (const char* text : {"1", "32767", "-32768", "C", "z", "", "AA", "?", "  25", "0"})
        EXPECT_TRUE(CopiesTextFits(text)) << text;
    for (const char* text : {"32768", "40000", "-32769", "65536", "99999999999999999999", " +40000"})
        EXPECT_FALSE(CopiesTextFits(text)) << text;
    EXPECT_TRUE(CopiesTextFits(nullptr));
}

TEST(PrintCopies, TheDialogRefusesCopiesThatWouldReloadAsAnotherNumberAndStaysOpen)
{
    MessageBoxRecorder boxes;
    PrintOptionBlock block = Options(7);
    HookedDialog dialog(&block);
    ASSERT_NE(dialog.wnd, nullptr);
    SetDlgItemTextA(dialog.wnd, IDC_PRINT_REPEAT, "40000");
    SetDlgItemTextA(dialog.wnd, IDC_PRINT_SETS, "3");
    // Answered: the system's dialog does not close, and the block keeps what it had.
    EXPECT_EQ(dialog.Ok(), 1u);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_NE(boxes.Last().text.Find("32767"), -1);
    EXPECT_EQ(boxes.Last().owner, dialog.wnd);
    EXPECT_EQ(block.copies, 7);
    EXPECT_EQ(block.passes, 1);

    // The largest number that fits goes through.
    SetDlgItemTextA(dialog.wnd, IDC_PRINT_REPEAT, "32767");
    EXPECT_EQ(dialog.Ok(), 0u);
    EXPECT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(block.copies, 32767);
    EXPECT_EQ(block.passes, 3);
}

TEST(PrintCopies, BeginPrintingNeverPutsCopiesTheRecordCannotHoldIntoTheTemplate)
{
    auto doc = SheetDoc(2, 5, 3, true);
    doc->GetCurrentTemplate()->SetCopies(4);
    EngineView view(doc.get());
    DibCanvas canvas(50, 50);
    CPrintInfo info;
    PrintOptionBlock block = Options(40000);
    info.m_pPD->m_pd.lCustData = reinterpret_cast<LPARAM>(&block);
    MessageBoxRecorder boxes;
    EXPECT_FALSE(doc->CheckPrintJob(&info));
    EXPECT_EQ(boxes.Count(), 1u);
    doc->BeginPrinting(&canvas.dc(), &info, &view);
    EXPECT_EQ(doc->GetCurrentTemplate()->GetCopies(), 4);
}

TEST(PrintEmptyJob, ARangeEndingBeforeItStartsOrAFirstLabelPastTheSheetIsRefusedWithAMessage)
{
    auto doc = SheetDoc(2, 5, 8, true);      // ten positions on a sheet, eight rows
    MessageBoxRecorder boxes;
    CPrintInfo info;
    PrintOptionBlock block = Options(1, 1);
    info.m_pPD->m_pd.lCustData = reinterpret_cast<LPARAM>(&block);

    // All rows, from the first position: printed.
    EXPECT_TRUE(doc->CheckPrintJob(&info));
    EXPECT_EQ(boxes.Count(), 0u);

    // From 5 to 2.
    info.m_pPD->m_pd.Flags |= PD_PAGENUMS;
    info.m_pPD->m_pd.nFromPage = 5;
    info.m_pPD->m_pd.nToPage = 2;
    EXPECT_FALSE(doc->CheckPrintJob(&info));
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_NE(boxes.Last().text.Find("from 5 to 2"), -1);
    EXPECT_EQ(boxes.Last().Icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
    // One label is a range.
    info.m_pPD->m_pd.nFromPage = 2;
    EXPECT_TRUE(doc->CheckPrintJob(&info));
    EXPECT_EQ(boxes.Count(), 1u);

    // The last position of the sheet is a start; the one after it is not.
    info.m_pPD->m_pd.Flags &= ~static_cast<DWORD>(PD_PAGENUMS);
    block.startPosition = 10;
    EXPECT_TRUE(doc->CheckPrintJob(&info));
    block.startPosition = 11;
    EXPECT_FALSE(doc->CheckPrintJob(&info));
    ASSERT_EQ(boxes.Count(), 2u);
    EXPECT_NE(boxes.Last().text.Find("is 11"), -1);
    EXPECT_NE(boxes.Last().text.Find("10 label positions"), -1);
}

TEST(PrintEmptyJob, AFilterHidingEveryRowIsSaidBeforeTheDialogAndPreparesNothing)
{
    auto doc = SheetDoc(2, 5, 6, true);
    TableSlot& slot = doc->CurrentSlot();
    slot.CreateFilter();
    slot.SetFilterText(kFilterInclude1, "no cell holds this");
    slot.ToggleFilterFlag(kFilterInclude1, 1);
    slot.ToggleFilter();
    ASSERT_TRUE(slot.IsFilterOn());
    ASSERT_EQ(slot.Filtered()->GetUsedRowCount(), 0);

    MessageBoxRecorder boxes;
    EngineView view(doc.get());
    CPrintInfo info;
    info.m_pPD->m_pd.hDevNames = CPrintDialog::MakeDevNames("winspool", "Some Printer", "LPT1:");
    EXPECT_FALSE(doc->PreparePrinting(&info, &view));
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_NE(boxes.Last().text.Find("filter hides every row"), -1);
    // The dialog was not set up.
    EXPECT_EQ(info.m_pPD->m_pd.Flags & PD_ENABLEPRINTHOOK, 0u);
    EXPECT_EQ(info.m_pPD->m_pd.lCustData, 0);

    // With the filter off the rows print again.
    slot.ToggleFilter();
    ASSERT_FALSE(slot.IsFilterOn());
    EXPECT_TRUE(doc->PreparePrinting(&info, &view));
    EXPECT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(info.GetMaxPage(), 6u);
    GlobalFree(info.m_pPD->m_pd.hDevNames);
}

// ---- the system's print dialog with the program's template and hook

namespace {

const char kOtherPrinter[] = "Korvelta Calibrated Printer";

// What the timer saw and did inside the system's dialog.
struct DialogRun {
    HWND dialog = nullptr;
    CString topBefore, leftBefore, topAfter, leftAfter;
    bool changed = false;
    int ticks = 0;
    bool cancelled = false;
};
DialogRun* g_run = nullptr;

BOOL CALLBACK FindPrintDialog(HWND wnd, LPARAM found)
{
    if (IsWindowVisible(wnd) && GetDlgItem(wnd, cmb4) && GetDlgItem(wnd, IDC_PRINT_TOP_COMPENSATION)) {
        *reinterpret_cast<HWND*>(found) = wnd;
        return FALSE;
    }
    return TRUE;
}

CString ItemText(HWND dialog, int id)
{
    char text[64] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return CString(text);
}

// Runs inside the dialog's own message loop: picks the other printer in the Name box as a person
// would (the selection, then CBN_SELCHANGE to the dialog as the combo box sends it), changes the
// top compensation and presses OK. A dialog that is still there afterwards, or never turns up, is
// cancelled so nothing waits.
void CALLBACK DriveDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    DialogRun& run = *g_run;
    ++run.ticks;
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindPrintDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr) {
        if (run.ticks > 200)
            KillTimer(nullptr, timer);
        return;
    }
    if (run.changed) {
        run.cancelled = true;
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    run.dialog = dialog;
    run.changed = true;
    run.topBefore = ItemText(dialog, IDC_PRINT_TOP_COMPENSATION);
    run.leftBefore = ItemText(dialog, IDC_PRINT_LEFT_COMPENSATION);
    HWND combo = GetDlgItem(dialog, cmb4);
    const LRESULT index = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(kOtherPrinter));
    if (index == CB_ERR) {
        run.cancelled = true;
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb4, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    run.topAfter = ItemText(dialog, IDC_PRINT_TOP_COMPENSATION);
    run.leftAfter = ItemText(dialog, IDC_PRINT_LEFT_COMPENSATION);
    SetDlgItemTextA(dialog, IDC_PRINT_TOP_COMPENSATION, "4 mm");
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

} // namespace

TEST(PrintDialogPrinterChange, TheNameBoxLoadsThatPrintersCompensationAndOkStoresItForThePrinterThatPrints)
{
    ASSERT_TRUE(EnsureFilePrinter());
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string port = std::string(temp) + "korvelta-calibrated.ps";
    ASSERT_TRUE(InstallFilePrinter(kOtherPrinter, port.c_str()));
    ProfileApp profile;
    ASSERT_TRUE(RegistryDefaults::WriteCompensation(kPrinterName, 1000, 2000));
    ASSERT_TRUE(RegistryDefaults::WriteCompensation(kOtherPrinter, -1500, 2500));

    auto doc = SheetDoc(2, 5, 3, true);
    MessageBoxRecorder boxes;
    EngineView view(doc.get());
    CPrintInfo info;
    ASSERT_TRUE(PrinterHandles(info.m_pPD->m_pd.hDevNames, info.m_pPD->m_pd.hDevMode));
    ASSERT_TRUE(doc->PreparePrinting(&info, &view));

    DialogRun run;
    g_run = &run;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, DriveDialog);
    ASSERT_NE(timer, 0u);
    const INT_PTR answer = info.m_pPD->DoModal();
    KillTimer(nullptr, timer);
    g_run = nullptr;

    ASSERT_NE(run.dialog, nullptr) << "the print dialog did not appear";
    EXPECT_FALSE(run.cancelled);
    ASSERT_EQ(answer, IDOK);
    EXPECT_EQ(run.topBefore, "2 mm");
    EXPECT_EQ(run.leftBefore, "1 mm");
    EXPECT_EQ(run.topAfter, "2.5 mm");
    EXPECT_EQ(run.leftAfter, "-1.5 mm");
    EXPECT_EQ(info.m_pPD->GetDeviceName(), kOtherPrinter);
    const auto* block = reinterpret_cast<const PrintOptionBlock*>(info.m_pPD->m_pd.lCustData);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->topCompensation, 4000);
    EXPECT_EQ(block->leftCompensation, -1500);

    // The job stores the boxes for the printer that prints; the first printer keeps its own.
    DibCanvas canvas(50, 50);
    doc->BeginPrinting(&canvas.dc(), &info, &view);
    int left = 0, top = 0;
    EXPECT_TRUE(RegistryDefaults::ReadCompensation(kOtherPrinter, left, top));
    EXPECT_EQ(left, -1500);
    EXPECT_EQ(top, 4000);
    EXPECT_TRUE(RegistryDefaults::ReadCompensation(kPrinterName, left, top));
    EXPECT_EQ(left, 1000);
    EXPECT_EQ(top, 2000);
    EXPECT_EQ(doc->GetCurrentTemplate()->GetLeftCompensation(), -1500);
    EXPECT_EQ(doc->GetCurrentTemplate()->GetTopCompensation(), 4000);
    EXPECT_EQ(boxes.Count(), 0u);

    if (info.m_pPD->m_pd.hDevMode)
        GlobalFree(info.m_pPD->m_pd.hDevMode);
    if (info.m_pPD->m_pd.hDevNames)
        GlobalFree(info.m_pPD->m_pd.hDevNames);
    info.m_pPD->m_pd.hDevMode = info.m_pPD->m_pd.hDevNames = nullptr;
    profile.app.WriteProfileString(CString("Printer = ") + kPrinterName, nullptr, nullptr);
    profile.app.WriteProfileString(CString("Printer = ") + kOtherPrinter, nullptr, nullptr);
}
