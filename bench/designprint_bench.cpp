// Printing from the design canvas against the print engine alone: a table project of 1,000 labels
// (three table texts, a Code 128 and a QR Code each, 3 x 4 on A4) printed to the PostScript file
// printer once by the engine's print loop and once by the design canvas's direct print command,
// which adds its checks, the template's printer and the print dialog's preparation. Prints both
// times and the canvas's share over the engine.
//   designprint_bench.exe [labels]
#include "bench/benchclock.h"
#include "document/tests/printhelpers.h"

#include "framework/app.h"
#include "testsupport/msgboxrecorder.h"
#include "ui/commandids.h"
#include "ui/designview.h"

#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace printtest;

using bench::Now;
using bench::TempFile;

namespace {

double FileMegabytes(const std::string& path)
{
    return bench::FileBytes(path) / 1048576.0;
}

} // namespace

int main(int argc, char** argv)
{
    const int labels = argc > 1 ? std::atoi(argv[1]) : 1000;
    if (labels <= 0 || !EnsureFilePrinter()) {
        std::printf("no file printer\n");
        return 1;
    }
    CWinApp app("KORVELTA-PRINT designprint_bench");
    MessageBoxRecorder quiet;
    COstrelindSoftLabelDoc doc;
    doc.m_bAutoDelete = FALSE;
    doc.OnNewDocument();
    BuildBarcodeLabels(doc, labels);

    // The engine alone, through the framework's print loop.
    double engineSeconds = 0;
    {
        EngineView view(&doc);
        CPrintInfo info;
        PrinterHandles(info.m_pPD->m_pd.hDevNames, info.m_pPD->m_pd.hDevMode);
        doc.PreparePrinting(&info, &view);
        const std::string out = TempFile("designprint_bench_engine.ps");
        info.m_strOutputFile = out.c_str();
        CDC dc;
        dc.Attach(info.m_pPD->CreatePrinterDC());
        const double start = Now();
        const bool ok = view.RunPrintJob(&dc, &info);
        engineSeconds = (Now() - start) / 1000.0;
        dc.Detach();
        std::printf("engine: %d labels, %d pages, %.2f s, %.0f labels/s, %.1f MB%s\n", labels, info.m_nPagesPrinted,
                    engineSeconds, labels / engineSeconds, FileMegabytes(out), ok ? "" : " (job failed)");
        DeleteFileA(out.c_str());
        GlobalFree(info.m_pPD->m_pd.hDevNames);
        GlobalFree(info.m_pPD->m_pd.hDevMode);
        info.m_pPD->m_pd.hDevNames = info.m_pPD->m_pd.hDevMode = nullptr;
    }

    // The design canvas's direct print on the template's printer (the file printer, whose port is
    // a file); no table view, so the canvas prints the table rows itself.
    {
        HGLOBAL names = nullptr, mode = nullptr;
        PrinterHandles(names, mode);
        auto* dn = static_cast<DEVNAMES*>(GlobalLock(names));
        const std::string driver = reinterpret_cast<const char*>(dn) + dn->wDriverOffset;
        const std::string port = reinterpret_cast<const char*>(dn) + dn->wOutputOffset;
        GlobalUnlock(names);
        GlobalFree(names);
        GlobalFree(mode);
        doc.SetStoredPrinter(kPrinterName, driver.c_str(), port.c_str());
        DeleteFileA(port.c_str());

        CWnd host;
        host.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr, nullptr);
        auto* view = new Ostrelind_SoftLabelDesignView;
        doc.AddView(view);
        view->Create(nullptr, "", WS_CHILD, CRect(0, 0, 500, 300), &host, 1);
        const double start = Now();
        view->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
        const double seconds = (Now() - start) / 1000.0;
        std::printf("design view: %d labels, %.2f s, %.0f labels/s, %.1f MB; %+.1f%% over the engine\n", labels,
                    seconds, labels / seconds, FileMegabytes(port), (seconds / engineSeconds - 1.0) * 100.0);
        std::printf("message boxes: %d\n", static_cast<int>(quiet.Count()));
        DeleteFileA(port.c_str());
        host.DestroyWindow();
    }
    return 0;
}
