// Barcode object drawing: placement by alignment and rotation, clipping to the box, colours, the
// fit check with its print stop, and the QR text dialog.
#include "labelmodel/tests/text_fixtures.h"

#include "barcode/barcode.h"
#include "barcode/qrcode.h"
#include "labelmodel/dialogids.h"
#include "labelmodel/graphbarcode.h"
#include "testsupport/dibcanvas.h"
#include "testsupport/msgboxrecorder.h"

#include <gtest/gtest.h>
#include <cstring>
#include <memory>
#include <string>

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);

// A box of w x h mm at (5 mm, 5 mm) with a fixed text, bars in red; at zoom 100 on a memory DC
// (96 dpi) a module of 529 um is 2 pixels.
std::unique_ptr<CGraphBarcode> MakeBarcode(const char* symbology, const char* text, int w, int h)
{
    std::unique_ptr<CGraphBarcode> object(new CGraphBarcode);
    EXPECT_TRUE(object->SetSymbologyByName(symbology));
    object->SetX(5000);
    object->SetY(5000);
    object->SetWidth(w * 1000);
    object->SetHeight(h * 1000);
    object->SetTextColour(kRed);
    object->SetContentKind(kKindFixed);
    object->SetFixedText(text);
    LOGFONTA lf = {};
    lf.lfHeight = -13;
    lf.lfWeight = FW_NORMAL;
    std::strcpy(lf.lfFaceName, "Liberation Sans");
    object->SetLogFont(&lf);
    return object;
}

// Bars only: no quiet zone, no human-readable line.
void BarsOnly(CGraphBarcode& object)
{
    object.SetHumanReadable(false);
    if (CBarcodeModular* modular = dynamic_cast<CBarcodeModular*>(object.GetSymbology()))
        modular->SetQuietZone(false);
    object.SetModuleWidth(529);
}

bool Draw(CGraphBarcode& object, DibCanvas& canvas, int flags = 4, int row = 1, int fit = 96)
{
    return object.Draw(&canvas.dc(), 100, 0, 0, false, row, flags, fit, fit, nullptr, nullptr, false);
}

} // namespace

TEST(BarcodeObjectDraw, AlignmentPlacesTheSymbolInTheBox)
{
    for (int alignment : { 0, 1, 2, 3 }) {
        SCOPED_TRACE(alignment);
        std::unique_ptr<CGraphBarcode> object = MakeBarcode("Code 128", "1234", 60, 15);
        BarsOnly(*object);
        object->SetAlignment(alignment);
        DibCanvas canvas(300, 120);
        ASSERT_TRUE(Draw(*object, canvas));
        const CRect box = object->GetDeviceRect();
        const CRect bars = canvas.ExtentOf(kRed);
        ASSERT_FALSE(bars.IsRectEmpty());
        EXPECT_EQ(box.top, bars.top);
        // Start, 12, 34, check and stop of 11 modules and 3 spaces each, the final bar: m = 2, s = 1.
        const int width = (3 * 1 + 11 * 2) * 5 + 2 * 2;
        EXPECT_NEAR(width, bars.Width(), 2);
        switch (alignment) {
        case 2: EXPECT_NEAR((box.left + box.right) / 2, (bars.left + bars.right) / 2, 2); break;
        case 3: EXPECT_NEAR(box.right, bars.right, 1); break;   // ends at the box's right edge
        default: EXPECT_EQ(box.left, bars.left); break;
        }
    }
}

TEST(BarcodeObjectDraw, RotationsStartAtTheirEdgeAndStayInTheBox)
{
    for (int rotation : { 0, 900, 1800, 2700 }) {
        SCOPED_TRACE(rotation);
        const bool turned = rotation == 900 || rotation == 2700;
        std::unique_ptr<CGraphBarcode> object =
            MakeBarcode("Code 39", "AB12", turned ? 12 : 70, turned ? 70 : 12);
        BarsOnly(*object);
        object->SetAlignment(1);
        object->SetRotation(rotation);
        DibCanvas canvas(320, 320);
        ASSERT_TRUE(Draw(*object, canvas));
        const CRect box = object->GetDeviceRect();
        const CRect bars = canvas.ExtentOf(kRed);
        ASSERT_FALSE(bars.IsRectEmpty());
        EXPECT_GE(bars.left, box.left);
        EXPECT_GE(bars.top, box.top);
        EXPECT_LE(bars.right, box.right + 1);
        EXPECT_LE(bars.bottom, box.bottom + 1);
        switch (rotation) {
        case 0: EXPECT_EQ(box.left, bars.left); break;
        case 900: EXPECT_NEAR(box.bottom, bars.bottom, 1); break;
        case 1800: EXPECT_NEAR(box.right, bars.right, 1); break;
        case 2700: EXPECT_EQ(box.top, bars.top); break;
        }
        // Bars run across the reading direction.
        if (turned)
            EXPECT_GT(bars.Height(), bars.Width());
        else
            EXPECT_GT(bars.Width(), bars.Height());
    }
}

TEST(BarcodeObjectDraw, BarsAreClippedToTheBoxAndTheBoxIsFilled)
{
    std::unique_ptr<CGraphBarcode> object = MakeBarcode("Code 128", "ABCDEFGHIJKLMNOP", 20, 6);
    BarsOnly(*object);
    object->SetAlignment(1);
    object->SetFillColour(RGB(0, 0, 255));    // and no longer transparent
    DibCanvas canvas(300, 100);
    ASSERT_TRUE(Draw(*object, canvas, 2));
    const CRect box = object->GetDeviceRect();
    CRect all = canvas.Extent();
    EXPECT_EQ(box.left, all.left);
    EXPECT_EQ(box.top, all.top);
    EXPECT_LE(all.right, box.right + 1);
    EXPECT_LE(all.bottom, box.bottom + 1);
    EXPECT_GT(canvas.CountPixels(RGB(0, 0, 255)), 0);
    EXPECT_GT(canvas.CountPixels(kRed), 0);
}

TEST(BarcodeObjectDraw, QrCodeTooLargeForItsBoxStopsPrinting)
{
    MessageBoxRecorder boxes;
    std::unique_ptr<CGraphBarcode> object = MakeBarcode("QR Code\xAE", "HELLO WORLD 0123456789", 5, 5);
    DibCanvas canvas(200, 200);
    // The print engine's row 3 (1-based) is label number 3.
    EXPECT_FALSE(Draw(*object, canvas, 4, 3));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("Streckkod klippt p\xE5 etikett nummer 3 med text \"HELLO WORLD 0123456789\"",
                 boxes.Last().text);
    EXPECT_STREQ("Utskrift avbruten", boxes.Last().caption);
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes.Last().Icon());

    // On the screen the same symbol is drawn (with the overflow mark) and nothing stops.
    boxes.Clear();
    DibCanvas screen(200, 200);
    EXPECT_TRUE(Draw(*object, screen, 1));
    EXPECT_TRUE(Draw(*object, screen, 2));
    EXPECT_GT(screen.CountPixels(kRed), 0);
    EXPECT_EQ(0u, boxes.Count());

    // Without fit resolutions nothing is checked; a larger box fits.
    EXPECT_TRUE(Draw(*object, canvas, 4, 3, -1));
    object->SetWidth(30000);
    object->SetHeight(30000);
    EXPECT_TRUE(Draw(*object, canvas, 4, 3));
    EXPECT_EQ(0u, boxes.Count());

    // Linear symbologies that do not fit are marked but never stop a print run.
    std::unique_ptr<CGraphBarcode> linear = MakeBarcode("Code 39", "TOO LONG FOR THIS BOX", 5, 5);
    EXPECT_TRUE(Draw(*linear, canvas, 4));
    EXPECT_EQ(0u, boxes.Count());
}

TEST(BarcodeObjectDraw, QrTextTheLibraryCannotEncodeDoesNotFit)
{
    MessageBoxRecorder boxes;
    // More than the largest symbol holds, in a box that would hold any symbol.
    const std::string text(3500, 'a');
    std::unique_ptr<CGraphBarcode> object = MakeBarcode("QR Code\xAE", text.c_str(), 500, 500);
    DibCanvas canvas(100, 100);
    EXPECT_FALSE(Draw(*object, canvas, 4, 1));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(0, std::strncmp(boxes.Last().text, "Streckkod klippt p\xE5 etikett nummer 1 med text \"aaa", 50));
    EXPECT_LE(boxes.Last().text.GetLength(), 8191);
    EXPECT_FALSE(Draw(*object, canvas, 4, 1, -1));
    EXPECT_EQ(2u, boxes.Count());
    EXPECT_EQ(0, canvas.CountPixels(kRed));

    // A text the library takes prints.
    object->SetFixedText("HELLO");
    EXPECT_TRUE(Draw(*object, canvas, 4, 1));
    EXPECT_EQ(2u, boxes.Count());
}

TEST(BarcodeObjectDraw, EmptyQrCodeFitsAndShowsItsPlaceInTheDesignView)
{
    MessageBoxRecorder boxes;
    std::unique_ptr<CGraphBarcode> object = MakeBarcode("QR Code\xAE", "", 10, 10);
    DibCanvas printed(100, 100), designed(100, 100);
    EXPECT_TRUE(Draw(*object, printed, 4));
    EXPECT_EQ(0, printed.CountPixels(kRed));
    EXPECT_TRUE(Draw(*object, designed, 1));
    EXPECT_GT(designed.CountPixels(kRed), 0);
    EXPECT_EQ(0u, boxes.Count());
}

namespace {

// Answers the QR text dialog from a timer while its modal loop runs.
struct DialogScript {
    std::string initial;
    std::string caption;
    const char* type = nullptr;
    int button = IDOK;
    bool seen = false;
};
DialogScript* g_script = nullptr;

BOOL CALLBACK FindDialog(HWND wnd, LPARAM out)
{
    char cls[16] = {};
    GetClassNameA(wnd, cls, sizeof cls);
    if (std::strcmp(cls, "#32770") == 0 && GetDlgItem(wnd, IDC_QR_TEXT)) {
        *reinterpret_cast<HWND*>(out) = wnd;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK AnswerDialog(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog || !g_script)
        return;
    KillTimer(nullptr, id);
    char buffer[256] = {};
    GetDlgItemTextA(dialog, IDC_QR_TEXT, buffer, sizeof buffer);
    g_script->initial = buffer;
    GetWindowTextA(dialog, buffer, sizeof buffer);
    g_script->caption = buffer;
    g_script->seen = true;
    if (g_script->type)
        SetDlgItemTextA(dialog, IDC_QR_TEXT, g_script->type);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(g_script->button, BN_CLICKED), 0);
}

bool RunDialog(CGraphBarcode& object, DialogScript& script)
{
    g_script = &script;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, AnswerDialog);
    bool result = object.EditContent(nullptr);
    KillTimer(nullptr, timer);   // when the dialog never came
    g_script = nullptr;
    return result;
}

} // namespace

TEST(BarcodeObjectDialog, EditsTheFixedTextOfAQrCode)
{
    std::unique_ptr<CGraphBarcode> object = MakeBarcode("QR Code\xAE", "START", 20, 20);
    DialogScript ok;
    ok.type = "LINE 1\r\nLINE 2";
    EXPECT_TRUE(RunDialog(*object, ok));
    EXPECT_TRUE(ok.seen);
    EXPECT_EQ("START", ok.initial);
    EXPECT_EQ("Constant text for QR Code\xAE symbol", ok.caption);
    CString text;
    object->GetFixedText(text);
    EXPECT_STREQ("LINE 1\r\nLINE 2", text);

    DialogScript cancel;
    cancel.type = "IGNORED";
    cancel.button = IDCANCEL;
    EXPECT_FALSE(RunDialog(*object, cancel));
    EXPECT_EQ("LINE 1\r\nLINE 2", cancel.initial);
    text.Empty();
    object->GetFixedText(text);
    EXPECT_STREQ("LINE 1\r\nLINE 2", text);

    // A content that is not a fixed text opens no dialog.
    object->SetContentKind(kKindTable);
    EXPECT_FALSE(object->EditContent(nullptr));
}
