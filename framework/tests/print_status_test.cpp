// The print loop as a person lives it: the "Printing" window over the disabled frame while a job
// runs, Cancel (a real click on its button) abandoning the job, a close request during a job, and
// a callback that throws: the job is abandoned, the frame comes back, and the printer DC stays the
// print dialog's to delete.
#include "framework/app.h"
#include "framework/cmdline.h"
#include "framework/doc.h"
#include "framework/gdi.h"
#include "framework/print.h"
#include "framework/printstatus.h"
#include "framework/view.h"
#include "testsupport/fileprinter.h"
#include "testsupport/printjobrecorder.h"
#include "testsupport/testrun.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::string Text(HWND wnd, int id)
{
    char text[256] = {};
    ::GetDlgItemTextA(wnd, id, text, sizeof text);
    return text;
}

std::string Caption(HWND wnd)
{
    char text[256] = {};
    ::GetWindowTextA(wnd, text, sizeof text);
    return text;
}

// What the status window showed when a page began.
struct Seen {
    UINT page = 0;
    HWND status = nullptr;
    bool visible = false;
    HWND owner = nullptr;
    std::string caption, document, printer, pageText, cancel;
    bool frameEnabled = true;
    bool waitCursor = false;
};

// Pages of a filled square, as many as the range allows; onPage runs at the start of each page.
class PagesView : public CView {
public:
    UINT pages = 0xFFFE;
    std::vector<Seen> seen;
    std::function<void(CPrintInfo*)> onPage;
    int endPrinting = 0;
    HDC printedOn = nullptr;
    // A pause at the end of each page: the window writes the page number a few times a second.
    DWORD pauseMs = 0;

    BOOL OnPreparePrinting(CPrintInfo* info) override
    {
        info->m_pPD->m_pd.nMaxPage = static_cast<WORD>(pages);
        return DoPreparePrinting(info);
    }
    void OnPrint(CDC* dc, CPrintInfo* info) override
    {
        printedOn = dc->GetSafeHdc();
        Seen now;
        now.page = info->m_nCurPage;
        now.status = ::FindWindowA(nullptr, "Printing");
        if (now.status != nullptr) {
            now.visible = ::IsWindowVisible(now.status) != FALSE;
            now.owner = ::GetWindow(now.status, GW_OWNER);
            now.caption = Caption(now.status);
            now.document = Text(now.status, CPrintStatus::kDocumentId);
            now.printer = Text(now.status, CPrintStatus::kPrinterId);
            now.pageText = Text(now.status, CPrintStatus::kPageId);
            now.cancel = Text(now.status, IDCANCEL);
        }
        if (CWnd* main = AfxGetMainWnd())
            now.frameEnabled = ::IsWindowEnabled(main->GetSafeHwnd()) != FALSE;
        now.waitCursor = ::GetCursor() == ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT));
        seen.push_back(now);
        if (onPage)
            onPage(info);
        // A page drawn in parts asks between them, as the label engine does between labels.
        for (int part = 0; part < 4; ++part) {
            if (info->QueryAbort())
                return;
            ::PatBlt(dc->GetSafeHdc(), 100 + part * 100, 100, 80, 80, BLACKNESS);
        }
        if (pauseMs > 0)
            ::Sleep(pauseMs);
    }
    void OnEndPrinting(CDC*, CPrintInfo*) override { ++endPrinting; }
};

class TitledDocument : public CDocument {
public:
    TitledDocument() { m_bAutoDelete = FALSE; }
};

// A top-level window standing for the main frame.
class Frame : public CWnd {
public:
    std::vector<UINT> messages;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CLOSE) {
            messages.push_back(message);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class PrintStatusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(printtest::EnsureFilePrinter());
        ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 500,
                                   400, nullptr, nullptr));
        app.m_pMainWnd = &frame;
        // The pointer away from where the status window comes.
        ::SetCursorPos(2, 2);
        doc.SetTitle("Shelf labels.proj");
        doc.AddView(&view);
        // Pre-filled: a job that never finished leaves no finished document in the file.
        std::string junk(64 * 1024, 'x');
        HANDLE file = ::CreateFileA(out.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        ::WriteFile(file, junk.data(), static_cast<DWORD>(junk.size()), &written, nullptr);
        ::CloseHandle(file);
    }
    void TearDown() override
    {
        doc.RemoveView(&view);
        app.m_pMainWnd = nullptr;
        if (frame.GetSafeHwnd())
            frame.DestroyWindow();
        ::DeleteFileA(out.c_str());
    }
    // The job's print information on the default file printer, writing to out.
    void Prepare(CPrintInfo& info)
    {
        ASSERT_TRUE(printtest::PrinterHandles(info.m_pPD->m_pd.hDevNames, info.m_pPD->m_pd.hDevMode));
        info.m_pPD->m_pd.nMaxPage = static_cast<WORD>(view.pages);
        info.m_pPD->m_pd.nToPage = static_cast<WORD>(view.pages);
        info.m_strOutputFile = out.c_str();
        ASSERT_NE(info.m_pPD->CreatePrinterDC(), nullptr);
    }
    static void Release(CPrintInfo& info)
    {
        ::GlobalFree(info.m_pPD->m_pd.hDevNames);
        ::GlobalFree(info.m_pPD->m_pd.hDevMode);
        info.m_pPD->m_pd.hDevNames = info.m_pPD->m_pd.hDevMode = nullptr;
    }
    std::string Output() const
    {
        const std::vector<char> bytes = printtest::ReadFileBytes(out.c_str());
        return std::string(bytes.begin(), bytes.end());
    }
    static size_t Count(const std::string& text, const char* what)
    {
        size_t n = 0;
        for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
            ++n;
        return n;
    }

    CWinApp app{"KorveltaPrintStatusTests"};
    Frame frame;
    TitledDocument doc;
    PagesView view;
    const std::string out = RunTempFile("korvelta-status.ps");
};

TEST_F(PrintStatusTest, TheWindowShowsTheJobOverTheDisabledFrameAndCancelAfterPageTwoAbandonsIt)
{
    // As many pages as a large copies column asks for: only Cancel ends this job.
    view.pages = 0xFFFE;
    view.pauseMs = 300;
    view.onPage = [](CPrintInfo* info) {
        if (info->m_nCurPage != 3)
            return;
        HWND status = ::FindWindowA(nullptr, "Printing");
        ASSERT_NE(status, nullptr);
        HWND cancel = ::GetDlgItem(status, IDCANCEL);
        ASSERT_NE(cancel, nullptr);
        ::SendMessageA(cancel, BM_CLICK, 0, 0);
    };
    PrintJobRecorder spooler;
    CPrintInfo info;
    Prepare(info);
    EXPECT_FALSE(view.RunPrintJob(&info));

    ASSERT_EQ(3u, view.seen.size());
    for (const Seen& s : view.seen) {
        SCOPED_TRACE(s.page);
        ASSERT_NE(s.status, nullptr);
        EXPECT_TRUE(s.visible);
        EXPECT_EQ(frame.GetSafeHwnd(), s.owner);
        EXPECT_EQ("Printing", s.caption);
        EXPECT_EQ("Document: Shelf labels.proj", s.document);
        EXPECT_EQ(std::string("Printer: ") + printtest::kPrinterName, s.printer);
        EXPECT_EQ("Page " + std::to_string(s.page), s.pageText);
        EXPECT_EQ("Cancel", s.cancel);
        EXPECT_FALSE(s.frameEnabled);
        EXPECT_TRUE(s.waitCursor);
    }
    EXPECT_EQ(view.seen[0].status, view.seen[2].status);

    // Two pages went to the printer; the third was abandoned before its end, and so was the job.
    EXPECT_EQ("StartDoc StartPage EndPage StartPage EndPage StartPage AbortDoc", spooler.Names());
    EXPECT_EQ(2, info.m_nPagesPrinted);
    EXPECT_TRUE(info.m_bUserAbort);
    EXPECT_FALSE(info.m_bJobCompleted);
    EXPECT_EQ(1, view.endPrinting);
    EXPECT_EQ(nullptr, info.m_pStatus);

    // Afterwards: no window, the frame usable again, the cursor given back.
    EXPECT_EQ(nullptr, ::FindWindowA(nullptr, "Printing"));
    EXPECT_FALSE(::IsWindow(view.seen[0].status));
    EXPECT_TRUE(::IsWindowEnabled(frame.GetSafeHwnd()));
    EXPECT_NE(::GetCursor(), ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    // The file holds no finished document: what was there went, and no ended job came.
    const std::string written = Output();
    EXPECT_EQ(std::string::npos, written.find("%%EOF"));
    EXPECT_EQ(std::string::npos, written.find("xxxx"));
    EXPECT_LE(Count(written, "%%Page:"), 2u);
    Release(info);
}

TEST_F(PrintStatusTest, EscapeInTheWindowAndACommandFromItsButtonStopTheJobToo)
{
    // Only the key ends this job (or, should the key be lost, the test's own limit).
    view.pages = 0xFFFE;
    view.onPage = [](CPrintInfo* info) {
        HWND status = ::FindWindowA(nullptr, "Printing");
        ASSERT_NE(status, nullptr);
        if (info->m_nCurPage == 2) {
            // The key goes through the window's own queue, as a key press would.
            ::PostMessageA(::GetDlgItem(status, IDCANCEL), WM_KEYDOWN, VK_ESCAPE, 0);
        }
        if (info->m_nCurPage == 5000)
            info->m_bContinuePrinting = FALSE;
    };
    PrintJobRecorder spooler;
    CPrintInfo info;
    Prepare(info);
    EXPECT_FALSE(view.RunPrintJob(&info));
    EXPECT_TRUE(info.m_bUserAbort);
    EXPECT_GE(info.m_nPagesPrinted, 1);
    EXPECT_LT(info.m_nPagesPrinted, 4999);
    EXPECT_EQ(1, spooler.Count("AbortDoc"));
    EXPECT_EQ(0, spooler.Count("EndDoc"));
    Release(info);

    view.seen.clear();
    view.onPage = [](CPrintInfo* info) {
        HWND status = ::FindWindowA(nullptr, "Printing");
        ASSERT_NE(status, nullptr);
        if (info->m_nCurPage == 1)
            ::SendMessageA(status, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(status, IDCANCEL)));
    };
    spooler.Clear();
    CPrintInfo again;
    Prepare(again);
    EXPECT_FALSE(view.RunPrintJob(&again));
    EXPECT_EQ(0, again.m_nPagesPrinted);
    EXPECT_EQ("StartDoc StartPage AbortDoc", spooler.Names());
    Release(again);
}

TEST_F(PrintStatusTest, ClosingTheProgramDuringAJobStopsTheJobAndClosesAfterwards)
{
    view.pages = 0xFFFE;
    view.onPage = [this](CPrintInfo* info) {
        if (info->m_nCurPage == 2)
            ::PostMessageA(frame.GetSafeHwnd(), WM_CLOSE, 0, 0);
        if (info->m_nCurPage == 5000)
            info->m_bContinuePrinting = FALSE;
    };
    PrintJobRecorder spooler;
    CPrintInfo info;
    Prepare(info);
    EXPECT_FALSE(view.RunPrintJob(&info));
    EXPECT_TRUE(info.m_bUserAbort);
    EXPECT_LT(info.m_nPagesPrinted, 4999);
    EXPECT_EQ(1, spooler.Count("AbortDoc"));
    // The frame did not close under the running job; the request comes once it has stopped.
    EXPECT_TRUE(frame.messages.empty());
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    ASSERT_EQ(1u, frame.messages.size());
    EXPECT_EQ(static_cast<UINT>(WM_CLOSE), frame.messages[0]);
    Release(info);
}

TEST_F(PrintStatusTest, AJobNobodyWatchesShowsNoWindowAndCannotBeAsked)
{
    view.pages = 3;
    CPrintInfo info;
    Prepare(info);
    info.m_bShowStatus = FALSE;
    EXPECT_TRUE(view.RunPrintJob(&info));
    ASSERT_EQ(3u, view.seen.size());
    for (const Seen& s : view.seen) {
        EXPECT_EQ(nullptr, s.status);
        EXPECT_TRUE(s.frameEnabled);
    }
    EXPECT_EQ(3, info.m_nPagesPrinted);
    EXPECT_FALSE(info.QueryAbort());
    const std::string written = Output();
    EXPECT_EQ(3u, Count(written, "%%Page:"));
    EXPECT_NE(std::string::npos, written.find("%%EOF"));
    Release(info);
}

TEST_F(PrintStatusTest, ACallbackThatThrowsAbandonsTheJobAndTheDialogKeepsItsPrinterDC)
{
    view.pages = 5;
    view.onPage = [](CPrintInfo* info) {
        if (info->m_nCurPage == 2)
            throw std::runtime_error("label failed");
    };
    PrintJobRecorder spooler;
    HDC printer = nullptr;
    {
        CPrintInfo info;
        Prepare(info);
        printer = info.m_pPD->m_pd.hDC;
        EXPECT_THROW(view.RunPrintJob(&info), std::runtime_error);
        // The loop only borrowed the DC: it is still there, for the dialog to delete once.
        EXPECT_EQ(printer, info.m_pPD->m_pd.hDC);
        EXPECT_EQ(static_cast<DWORD>(OBJ_DC), ::GetObjectType(printer));
        EXPECT_EQ("StartDoc StartPage EndPage StartPage AbortDoc", spooler.Names());
        EXPECT_FALSE(info.m_bJobCompleted);
        EXPECT_EQ(nullptr, info.m_pStatus);
        EXPECT_EQ(1, view.endPrinting);
        EXPECT_EQ(nullptr, ::FindWindowA(nullptr, "Printing"));
        EXPECT_TRUE(::IsWindowEnabled(frame.GetSafeHwnd()));
        Release(info);
    }
    EXPECT_EQ(0u, static_cast<unsigned>(::GetObjectType(printer)));
    const std::string written = Output();
    EXPECT_EQ(std::string::npos, written.find("%%EOF"));
}

TEST_F(PrintStatusTest, TheFrameworksPrintCommandLetsAThrowingCallbackLeaveWithoutAnOpenJob)
{
    // "/p": the application's printer without a dialog, through the framework's own command.
    HGLOBAL names = nullptr, mode = nullptr;
    ASSERT_TRUE(printtest::PrinterHandles(names, mode));
    app.SelectPrinter(names, mode);
    CCommandLineInfo cmd;
    cmd.m_nShellCommand = CCommandLineInfo::FilePrint;
    app.m_pCmdInfo = &cmd;
    view.pages = 4;
    view.onPage = [](CPrintInfo* info) {
        if (info->m_nCurPage == 3)
            throw std::runtime_error("page failed");
    };
    PrintJobRecorder spooler;
    EXPECT_THROW(view.OnFilePrint(), std::runtime_error);
    app.m_pCmdInfo = nullptr;
    EXPECT_EQ("StartDoc StartPage EndPage StartPage EndPage StartPage AbortDoc", spooler.Names());
    // The dialog deleted the DC as it went; nothing else holds it.
    ASSERT_NE(view.printedOn, nullptr);
    EXPECT_EQ(0u, static_cast<unsigned>(::GetObjectType(view.printedOn)));
    EXPECT_TRUE(::IsWindowEnabled(frame.GetSafeHwnd()));
    EXPECT_EQ(nullptr, ::FindWindowA(nullptr, "Printing"));
    app.FreePrinterHandles();
}

} // namespace
