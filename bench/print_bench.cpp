// Print engine benchmark: 10,000 labels (three table texts, a Code 128 and a QR Code of version 2
// each) on the A4 sheet of 3 x 8 labels, printed through the framework's print loop to the PostScript file
// printer of the Wine prefix, and page by page into enhanced metafiles made for that printer.
// Prints labels per second and PostScript bytes per label, and the peak memory of the process.
//   print_bench.exe [labels] [keep.ps] [save.proj] [images|regions|plain] [status|nostatus|compare]
// The PostScript is kept at keep.ps when given ("-" for not kept); the job is saved as a project
// at save.proj when given ("-" for not saved), for timing "KORVELTA-PRINT.exe /p save.proj".
// The last word weighs the ways of drawing a symbol: as images on the printer where they may
// (the program's own), as one region per symbol everywhere, or each bar and module on its own.
// The print loop shows its status window and answers the engine's abort checks as in the program
// ("status"), or runs without them ("nostatus"), to weigh what they cost; "compare" prints the
// job four times, without, with, with and without them (so that a machine getting busier or quieter
// weighs on both alike), and gives the wall and processor time of each way.
#include "bench/benchclock.h"
#include "document/tests/printhelpers.h"

#include "barcode/barfill.h"
#include "framework/printstatus.h"

#include "testsupport/msgboxrecorder.h"

#include <windows.h>
#include <psapi.h>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace printtest;

using bench::Now;
using bench::TempFile;

namespace {

// User and kernel time of this process so far.
double ProcessorSeconds()
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return 0;
    auto seconds = [](const FILETIME& t) {
        return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

} // namespace

int main(int argc, char** argv)
{
    const int labels = argc > 1 ? std::atoi(argv[1]) : 10000;
    if (labels <= 0 || !EnsureFilePrinter()) {
        std::printf("no file printer\n");
        return 1;
    }
    const std::string drawing = argc > 4 ? argv[4] : "images";
    if (drawing == "regions")
        CBarFill::SetPrinterImages(false);
    else if (drawing == "plain")
        CBarFill::SetPlainDrawing(true);
    else if (drawing != "images") {
        std::printf("drawing is images, regions or plain\n");
        return 1;
    }
    std::printf("symbols drawn as %s\n", drawing.c_str());
    const std::string statusWord = argc > 5 ? argv[5] : "status";
    if (statusWord != "status" && statusWord != "nostatus" && statusWord != "compare") {
        std::printf("the last word is status, nostatus or compare\n");
        return 1;
    }
    const bool compare = statusWord == "compare";
    const bool showStatus = statusWord == "status";
    if (!compare)
        std::printf("print loop %s its status window and abort checks\n", showStatus ? "with" : "without");
    MessageBoxRecorder quiet;
    COstrelindSoftLabelDoc doc;
    doc.m_bAutoDelete = FALSE;
    doc.OnNewDocument();
    BuildDenseLabels(doc, labels);
    EngineView view(&doc);
    {
        PROCESS_MEMORY_COUNTERS memory = {};
        memory.cb = sizeof memory;
        if (GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory))
            std::printf("memory with the table built: %.1f MB\n", memory.WorkingSetSize / 1048576.0);
    }
    if (argc > 3 && std::string(argv[3]) != "-" && !doc.OnSaveDocument(argv[3])) {
        std::printf("could not save %s\n", argv[3]);
        return 1;
    }

    // To the file printer through the print loop.
    const bool keep = argc > 2 && std::string(argv[2]) != "-";
    const std::string out = keep ? std::string(argv[2]) : TempFile("print_bench.ps");
    auto printJob = [&](bool withStatus, double& seconds, double& processor) {
        CPrintInfo info;
        PrinterHandles(info.m_pPD->m_pd.hDevNames, info.m_pPD->m_pd.hDevMode);
        doc.PreparePrinting(&info, &view);
        DeleteFileA(out.c_str());
        info.m_strOutputFile = out.c_str();
        info.m_bShowStatus = withStatus ? TRUE : FALSE;
        info.m_pPD->CreatePrinterDC();
        const double cpuStart = ProcessorSeconds();
        const double start = Now();
        const bool ok = view.RunPrintJob(&info);
        seconds = (Now() - start) / 1000.0;
        processor = ProcessorSeconds() - cpuStart;
        const double bytes = bench::FileBytes(out);
        std::printf("file printer%s: %d labels, %d pages, %.2f s (%.2f s processor), %.0f labels/s, %.1f MB of "
                    "PostScript, %.2f KB per label%s\n",
                    withStatus ? "" : " without status", labels, info.m_nPagesPrinted, seconds, processor,
                    labels / seconds, bytes / 1048576.0, bytes / 1024.0 / labels, ok ? "" : " (job failed)");
        if (!keep)
            DeleteFileA(out.c_str());
        GlobalFree(info.m_pPD->m_pd.hDevNames);
        GlobalFree(info.m_pPD->m_pd.hDevMode);
        info.m_pPD->m_pd.hDevNames = info.m_pPD->m_pd.hDevMode = nullptr;
    };
    if (compare) {
        // The program has its windows long before it prints; this console process makes its first
        // window here, so that the window system's start-up is not counted against one job.
        {
            CPrintStatus warm;
            warm.Begin(nullptr, "print_bench", kPrinterName, nullptr);
            warm.End();
        }
        double wall[2] = {0, 0}, cpu[2] = {0, 0};
        for (const bool withStatus : {false, true, true, false}) {
            double seconds = 0, processor = 0;
            printJob(withStatus, seconds, processor);
            wall[withStatus ? 1 : 0] += seconds;
            cpu[withStatus ? 1 : 0] += processor;
        }
        std::printf("without status window: %.2f s, %.2f s processor per job\n", wall[0] / 2, cpu[0] / 2);
        std::printf("with status window:    %.2f s, %.2f s processor per job\n", wall[1] / 2, cpu[1] / 2);
        std::printf("the status window and abort checks cost %+.1f%% (wall), %+.1f%% (processor)\n",
                    100.0 * (wall[1] - wall[0]) / wall[0], 100.0 * (cpu[1] - cpu[0]) / cpu[0]);
        // The same work alone, in the job's rhythm: the window shown, a page text per sheet and an
        // abort check per label, the window's messages let through as often as during the job.
        // Only the calls are timed, not the waits standing for the drawing between them.
        const int perPage = DenseSheet::kColumns * DenseSheet::kRows;
        const double jobMs = wall[0] / 2 * 1000.0;
        CPrintStatus probe;
        double direct = 0;
        double mark = Now();
        probe.Begin(nullptr, "print_bench", kPrinterName, nullptr);
        direct += Now() - mark;
        const double perLabelMs = jobMs / labels;
        double owed = 0;
        for (int label = 0; label < labels; ++label) {
            owed += perLabelMs;
            if (owed >= 20) {
                Sleep(static_cast<DWORD>(owed));
                owed -= static_cast<int>(owed);
            }
            mark = Now();
            if (label % perPage == 0)
                probe.SetPage(label / perPage + 1);
            probe.QueryAbort();
            direct += Now() - mark;
        }
        mark = Now();
        probe.End();
        direct += Now() - mark;
        std::printf("the same calls alone in the job's rhythm: %.0f ms, %.2f%% of a %.2f s job\n", direct,
                    100.0 * direct / jobMs, jobMs / 1000.0);
    } else {
        double seconds = 0, processor = 0;
        printJob(showStatus, seconds, processor);
    }

    // Into metafiles, one per page, with the printer as the reference device.
    {
        CPrintInfo info;
        PrinterHandles(info.m_pPD->m_pd.hDevNames, info.m_pPD->m_pd.hDevMode);
        doc.PreparePrinting(&info, &view);
        HDC printer = info.m_pPD->CreatePrinterDC();
        const double start = Now();
        CDC first;
        first.Attach(CreateEnhMetaFileA(printer, nullptr, nullptr, nullptr));
        doc.BeginPrinting(&first, &info, &view);
        int pages = 0;
        bool firstPage = true;
        while (info.m_bContinuePrinting && pages < labels) {
            CDC page;
            if (firstPage) {
                page.Attach(first.Detach());
                firstPage = false;
            } else {
                page.Attach(CreateEnhMetaFileA(printer, nullptr, nullptr, nullptr));
            }
            page.m_bPrinting = true;
            doc.PrintPage(&page, &info, &view);
            DeleteEnhMetaFile(CloseEnhMetaFile(page.Detach()));
            ++pages;
        }
        const double seconds = (Now() - start) / 1000.0;
        std::printf("metafile: %d labels, %d pages, %.2f s, %.0f labels/s\n", labels, pages, seconds,
                    labels / seconds);
        GlobalFree(info.m_pPD->m_pd.hDevNames);
        GlobalFree(info.m_pPD->m_pd.hDevMode);
        info.m_pPD->m_pd.hDevNames = info.m_pPD->m_pd.hDevMode = nullptr;
    }
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory))
        std::printf("peak memory: %.1f MB\n", memory.PeakWorkingSetSize / 1048576.0);
    return 0;
}
