// Times the design canvas with 500 objects on a 200 x 150 mm label (150 texts, 200 shapes,
// 130 Code 128, 20 QR Codes): full repaints at zoom 100 and 400, a drag of 100 selected objects
// over 200 mouse moves, a rubber band over 200 moves and 100 arrow-key nudges.
#include "document/labeldoc.h"
#include "framework/cursorclip.h"
#include "labelmodel/graphbarcode.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/graphshapes.h"
#include "labelmodel/graphtext.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/template.h"
#include "ui/designview.h"
#include "ui/commandids.h"

#include "bench/benchclock.h"

#include <cstdio>

namespace {

using bench::Now;
using bench::Pump;

void Fill(CGraphCollection* area)
{
    LOGFONTA font = {};
    font.lfHeight = -13;
    lstrcpyA(font.lfFaceName, "Liberation Sans");
    for (int i = 0; i < 500; ++i) {
        const int x = 2000 + (i % 20) * 9500;
        const int y = 2000 + (i / 20) * 5800;
        CGraphObject* object = nullptr;
        if (i % 25 == 24) {
            auto* qr = new CGraphBarcode;
            qr->SetSymbologyByName("QR Code\xAE");
            qr->SetContentKind(1);
            qr->SetMultiLineText("QR-12345");
            object = qr;
        } else if (i % 5 == 4 || (i % 5 == 3 && i % 2 == 0)) {
            auto* code = new CGraphBarcode;
            code->SetSymbologyByName("Code 128");
            code->SetContentKind(1);
            code->SetMultiLineText("KV-00042");
            code->SetLogFont(&font);
            object = code;
        } else if (i % 5 == 0 || i % 5 == 3) {
            auto* text = new CGraphTextExt;
            text->SetContentKind(1);
            text->SetMultiLineText("Text line");
            text->SetLogFont(&font);
            object = text;
        } else if (i % 5 == 1) {
            object = new CGraphRect;
        } else {
            object = new CGraphEllipse;
        }
        object->SetX(x);
        object->SetY(y);
        object->SetWidth(9000);
        object->SetHeight(5000);
        area->Append(object);
    }
}

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
    int counts[4] = {};
    for (int i = 0; i < area->GetCount(); ++i) {
        char name[100] = {};
        CGraphObject* o = area->GetAt(i);
        if (o->GetSymbologyName(name, sizeof name))
            ++counts[name[0] == 'Q' ? 3 : 2];
        else if (o->IsText())
            ++counts[0];
        else
            ++counts[1];
    }
    std::printf("objects: %d (%d texts, %d shapes, %d Code 128, %d QR Codes)\n", area->GetCount(), counts[0],
                counts[1], counts[2], counts[3]);

    CWnd host;
    host.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_POPUP | WS_VISIBLE, 0, 0, 1024, 768, nullptr, nullptr);
    auto* view = new Ostrelind_SoftLabelDesignView;
    doc.AddView(view);
    view->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1024, 768), &host, 1);
    view->OnInitialUpdate();
    view->UpdateScrollSizes();
    Pump();
    view->UpdateWindow();

    for (int zoom : {100, 400}) {
        view->SendMessage(WM_COMMAND, zoom == 100 ? ID_ZOOM_100 : ID_ZOOM_400);
        view->UpdateWindow();
        const int runs = 10;
        const double start = Now();
        for (int r = 0; r < runs; ++r)
            view->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        std::printf("full repaint at zoom %d: %.1f ms\n", zoom, (Now() - start) / runs);
    }
    view->SendMessage(WM_COMMAND, ID_ZOOM_100);
    view->UpdateWindow();

    // 100 selected objects, dragged by the first of them.
    area->DeselectAll();
    for (int i = 0; i < 100; ++i)
        area->GetAt(i)->SetSelected(true);
    view->UpdateWindow();
    const int px = UmToPx(6000, 96), py = UmToPx(4000, 96);
    view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(px, py));
    view->SendMessage(WM_TIMER, Ostrelind_SoftLabelDesignView::kDragTimer);
    double start = Now();
    for (int m = 1; m <= 200; ++m)
        view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(px + m % 50, py + m % 30));
    const double dragStep = (Now() - start) / 200;
    start = Now();
    view->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(px + 20, py + 10));
    const double dragEnd = Now() - start;
    std::printf("drag of 100 objects: %.3f ms per move, %.1f ms for the release\n", dragStep, dragEnd);
    view->UpdateWindow();

    // A rubber band from an empty corner beyond the objects.
    view->ScrollToPosition(CPoint(0, 0));
    view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    start = Now();
    for (int m = 1; m <= 200; ++m)
        view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2 + m * 3, 2 + m * 2));
    const double bandStep = (Now() - start) / 200;
    start = Now();
    view->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(600, 400));
    std::printf("rubber band: %.3f ms per move, %.1f ms for the release (%d selected)\n", bandStep, Now() - start,
                area->GetSelectedCount());
    AfxClipCursor(nullptr);
    view->UpdateWindow();

    // 100 nudges of the selection.
    start = Now();
    for (int k = 0; k < 100; ++k)
        view->SendMessage(WM_KEYDOWN, VK_RIGHT, 1);
    const double nudgeStep = (Now() - start) / 100;
    start = Now();
    view->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
    std::printf("nudge: %.3f ms per arrow key, %.1f ms to end the run\n", nudgeStep, Now() - start);

    host.DestroyWindow();
    Pump();
    doc.SetModifiedFlag(FALSE);
    return 0;
}
