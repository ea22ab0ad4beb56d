#include "testsupport/printdialogrecorder.h"

#include <winspool.h>
#include <cstring>
#include <vector>

PrintDialogRecorder::PrintDialogRecorder()
{
    m_previous = SetPrintDialogHook(
        [this](const PrintDialogRequest& request, CPrintDialog& dialog) { return OnDialog(request, dialog); });
}

PrintDialogRecorder::~PrintDialogRecorder()
{
    SetPrintDialogHook(std::move(m_previous));
}

void PrintDialogRecorder::AnswerOK() { m_answers.push_back({Answer::Ok, CString(), 0, 0}); }
void PrintDialogRecorder::AnswerPrinter(const char* device) { m_answers.push_back({Answer::Printer, CString(device), 0, 0}); }
void PrintDialogRecorder::AnswerRange(WORD fromPage, WORD toPage)
{
    m_answers.push_back({Answer::Range, CString(), fromPage, toPage});
}
void PrintDialogRecorder::AnswerSelection() { m_answers.push_back({Answer::Selection, CString(), 0, 0}); }
void PrintDialogRecorder::AnswerCancel() { m_answers.push_back({Answer::Cancel, CString(), 0, 0}); }

namespace {

// The printer's own DEVMODE as a movable block, or null when there is no such printer.
HGLOBAL DevModeOf(const char* device, CString& port)
{
    HANDLE printer = nullptr;
    if (!::OpenPrinterA(const_cast<char*>(device), &printer, nullptr))
        return nullptr;
    DWORD needed = 0;
    ::GetPrinterA(printer, 2, nullptr, 0, &needed);
    if (needed > 0) {
        std::vector<BYTE> info(needed);
        if (::GetPrinterA(printer, 2, info.data(), needed, &needed)) {
            const auto* p2 = reinterpret_cast<const PRINTER_INFO_2A*>(info.data());
            port = p2->pPortName;
        }
    }
    HGLOBAL block = nullptr;
    const LONG size = ::DocumentPropertiesA(nullptr, printer, const_cast<char*>(device), nullptr, nullptr, 0);
    if (size > 0) {
        block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(size));
        auto* mode = block ? static_cast<DEVMODEA*>(::GlobalLock(block)) : nullptr;
        if (mode != nullptr) {
            const LONG got = ::DocumentPropertiesA(nullptr, printer, const_cast<char*>(device), mode, nullptr, DM_OUT_BUFFER);
            ::GlobalUnlock(block);
            if (got != IDOK) {
                ::GlobalFree(block);
                block = nullptr;
            }
        }
    }
    ::ClosePrinter(printer);
    return block;
}

} // namespace

INT_PTR PrintDialogRecorder::OnDialog(const PrintDialogRequest& request, CPrintDialog& dialog)
{
    RecordedPrintDialog record;
    record.setup = request.setup;
    record.flags = request.flags;
    record.fromPage = request.fromPage;
    record.toPage = request.toPage;
    record.minPage = request.minPage;
    record.maxPage = request.maxPage;
    record.copies = request.copies;
    record.device = request.device;
    record.customTemplate = request.customTemplate;
    record.owner = request.owner;
    record.result = IDCANCEL;

    Answer answer = {Answer::Cancel, CString(), 0, 0};
    if (!m_answers.empty()) {
        answer = m_answers.front();
        m_answers.pop_front();
    }
    PRINTDLGA& pd = dialog.m_pd;
    switch (answer.kind) {
    case Answer::Cancel:
        break;
    case Answer::Printer: {
        CString port;
        HGLOBAL mode = DevModeOf(answer.device, port);
        HGLOBAL names = CPrintDialog::MakeDevNames("winspool", answer.device, port);
        if (names == nullptr) {
            if (mode)
                ::GlobalFree(mode);
            break;
        }
        if (pd.hDevNames)
            ::GlobalFree(pd.hDevNames);
        if (pd.hDevMode)
            ::GlobalFree(pd.hDevMode);
        pd.hDevNames = names;
        pd.hDevMode = mode;
        record.result = IDOK;
        break;
    }
    case Answer::Range:
        pd.Flags = (pd.Flags & ~static_cast<DWORD>(PD_SELECTION)) | PD_PAGENUMS;
        pd.nFromPage = answer.from;
        pd.nToPage = answer.to;
        record.result = IDOK;
        break;
    case Answer::Selection:
        pd.Flags = (pd.Flags & ~static_cast<DWORD>(PD_PAGENUMS)) | PD_SELECTION;
        record.result = IDOK;
        break;
    case Answer::Ok:
        pd.Flags &= ~static_cast<DWORD>(PD_PAGENUMS | PD_SELECTION);
        record.result = IDOK;
        break;
    }
    m_dialogs.push_back(record);
    return record.result;
}
