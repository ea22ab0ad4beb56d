// Times the object property commands of the design canvas with 500 selected objects on a
// 200 x 150 mm label (50 Code 128, 20 QR Codes, texts, rectangles and ellipses): one pass of every
// update handler the ribbon runs at idle time (ten times a second), then Copy and Paste of all 500.
#include "document/labeldoc.h"
#include "labelmodel/graphbarcode.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/graphshapes.h"
#include "labelmodel/graphtext.h"
#include "labelmodel/template.h"
#include "ui/commandids.h"
#include "ui/designview.h"

#include "bench/benchclock.h"

#include <cstdio>

namespace {

using bench::Now;
using bench::Pump;

// Takes the answers and throws them away, as an element that is not shown would.
class QuietCmdUI : public CCmdUI {
public:
    int answers = 0;
    void Enable(BOOL) override { ++answers; }
    void SetCheck(int) override { ++answers; }
    void SetRadio(BOOL) override { ++answers; }
    void SetText(const char*) override { ++answers; }
};

void Fill(CGraphCollection* area)
{
    LOGFONTA font = {};
    font.lfHeight = -13;
    lstrcpyA(font.lfFaceName, "Liberation Sans");
    for (int i = 0; i < 500; ++i) {
        CGraphObject* object = nullptr;
        if (i < 70) {
            auto* code = new CGraphBarcode;
            code->SetSymbologyByName(i < 50 ? "Code 128" : "QR Code\xAE");
            code->SetContentKind(1);
            code->SetMultiLineText("KV-00042");
            code->SetLogFont(&font);
            object = code;
        } else if (i % 3 == 0) {
            auto* text = new CGraphTextExt;
            text->SetContentKind(1);
            text->SetMultiLineText("Text line");
            text->SetLogFont(&font);
            object = text;
        } else if (i % 3 == 1) {
            object = new CGraphRect;
        } else {
            object = new CGraphEllipse;
        }
        object->SetX(2000 + (i % 20) * 9500);
        object->SetY(2000 + (i / 20) * 5800);
        object->SetWidth(9000);
        object->SetHeight(5000);
        object->SetSelected(true);
        area->Append(object);
    }
}

const UINT kIdleIds[] = {
    ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_DELETE, ID_EDIT_PASTE, ID_EDIT_UNDO, ID_EDIT_REDO, ID_EDIT_SELECT_ALL,
    ID_ROTATE_LEFT, ID_ROTATE_RIGHT, ID_EDIT_COMBINE, ID_EDIT_SPLIT, ID_SPACE_EVENLY_HORZ, ID_SPACE_EVENLY_VERT,
    ID_ALIGN_CENTER_HORZ, ID_ALIGN_CENTER_VERT, ID_ALIGN_LEFT, ID_ALIGN_TOP, ID_ALIGN_RIGHT, ID_ALIGN_BOTTOM,
    ID_ARRANGE_BRING_TO_FRONT, ID_ARRANGE_SEND_TO_BACK, ID_ARRANGE_BRING_FORWARD, ID_ARRANGE_SEND_BACKWARD,
    ID_DUPLICATE_BELOW, ID_DUPLICATE_RIGHT, ID_DUPLICATE_ABOVE, ID_DUPLICATE_LEFT, ID_POSITION_X, ID_POSITION_Y,
    ID_POSITION_WIDTH, ID_POSITION_HEIGHT, ID_FONT_FACE, ID_FONT_SIZE, ID_FORMAT_BOLD, ID_FORMAT_ITALIC,
    ID_FORMAT_UNDERLINE, ID_TEXT_ALIGN_LEFT, ID_TEXT_ALIGN_CENTER, ID_TEXT_ALIGN_RIGHT, ID_TEXT_AUTO_SIZE,
    ID_TEXT_CENTER_VERT, ID_CHARACTER_SET, ID_TEXT_COLOR, ID_BORDER_COLOR, ID_FILL_COLOR,
    ID_BACKGROUND_TRANSPARENT, ID_BORDER_LINE_WIDTH, ID_CORNER_RADIUS, ID_TRIANGLE_WARNING_SIGN, ID_IMAGE_IMPORT,
    ID_IMAGE_RESET_SIZE, ID_BARCODE_SYMBOL, ID_BARCODE_MODULE, ID_BARCODE_HEIGHT, ID_BARCODE_RATIO,
    ID_BARCODE_COMPENSATION, ID_QR_VERSION, ID_QR_ECC_LEVEL, ID_QR_ENCODING, ID_QR_MARGIN, ID_BARCODE_CHECK_DIGIT,
    ID_BARCODE_HUMAN_READABLE, ID_BARCODE_HR_CHECK_DIGIT, ID_SOURCE_CONSTANT, ID_SOURCE_TABLE, ID_SOURCE_DATE,
    ID_SOURCE_TIME, ID_SOURCE_AUTOINC, ID_SOURCE_COLUMN, ID_FIELD_DELIMITER, ID_SEPARATE_BLANK_FIELDS,
    ID_DATE_FORMAT, ID_DATE_OFFSET, ID_DATE_OFFSET_CHECK, ID_AUTOINC_PREFIX, ID_AUTOINC_VALUE, ID_AUTOINC_SUFFIX,
    ID_AUTOINC_LEADING_ZERO, ID_AUTOINC_MIN_DIGITS,
};

} // namespace

int main()
{
    COstrelindSoftLabelDoc doc;
    doc.m_bAutoDelete = FALSE;
    doc.OnNewDocument();
    doc.NewLabelDefinition();
    doc.SetAreaWidth(200000, 0);
    doc.SetAreaHeight(150000, 0);
    CGraphCollection* area = doc.GetCurrentTemplate()->GetArea(0);
    Fill(area);

    CWnd host;
    host.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_POPUP | WS_VISIBLE, 0, 0, 1024, 768, nullptr, nullptr);
    auto* view = new Ostrelind_SoftLabelDesignView;
    doc.AddView(view);
    view->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1024, 768), &host, 1);
    view->OnInitialUpdate();
    Pump();
    ::SetForegroundWindow(host.m_hWnd);
    view->SetFocus();
    const bool focus = ::GetFocus() == view->m_hWnd;
    std::printf("objects: %d, all selected; keyboard focus on the canvas: %s\n", area->GetCount(), focus ? "yes" : "no");

    const int passes = 20;
    int answers = 0;
    const double start = Now();
    for (int p = 0; p < passes; ++p)
        for (UINT id : kIdleIds) {
            QuietCmdUI ui;
            ui.m_nID = id;
            view->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &ui, nullptr);
            answers += ui.answers;
        }
    std::printf("update pass of %d handlers: %.2f ms (%d answers a pass)\n", static_cast<int>(sizeof kIdleIds / sizeof *kIdleIds),
                (Now() - start) / passes, answers / passes);

    double t = Now();
    view->SendMessage(WM_COMMAND, ID_EDIT_COPY);
    const double copy = Now() - t;
    t = Now();
    view->SendMessage(WM_COMMAND, ID_EDIT_PASTE);
    const double paste = Now() - t;
    std::printf("copy of 500 objects: %.1f ms; paste: %.1f ms (%d objects now)\n", copy, paste, area->GetCount());

    host.DestroyWindow();
    Pump();
    doc.SetModifiedFlag(FALSE);
    return 0;
}
