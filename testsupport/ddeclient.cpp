#include "testsupport/ddeclient.h"

#include <vector>

namespace {

struct Job {
    std::string service;
    std::string topic;
    std::string command;
    bool unicode = false;
    DdeExecuteResult result;
};

HDDEDATA CALLBACK ClientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR)
{
    return nullptr;
}

std::wstring Wide(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    const int n = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), &wide[0],
                                        static_cast<int>(wide.size()));
    wide.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return wide;
}

DWORD WINAPI ClientThread(void* parameter)
{
    Job* job = static_cast<Job*>(parameter);
    DWORD instance = 0;
    const UINT rc = job->unicode ? ::DdeInitializeW(&instance, ClientCallback, APPCMD_CLIENTONLY, 0)
                                 : ::DdeInitializeA(&instance, ClientCallback, APPCMD_CLIENTONLY, 0);
    if (rc != DMLERR_NO_ERROR) {
        job->result.error = rc;
        return 0;
    }
    HSZ service = nullptr, topic = nullptr;
    if (job->unicode) {
        service = ::DdeCreateStringHandleW(instance, Wide(job->service).c_str(), CP_WINUNICODE);
        topic = ::DdeCreateStringHandleW(instance, Wide(job->topic).c_str(), CP_WINUNICODE);
    } else {
        service = ::DdeCreateStringHandleA(instance, job->service.c_str(), CP_WINANSI);
        topic = ::DdeCreateStringHandleA(instance, job->topic.c_str(), CP_WINANSI);
    }
    HCONV conv = ::DdeConnect(instance, service, topic, nullptr);
    if (conv == nullptr) {
        job->result.error = ::DdeGetLastError(instance);
    } else {
        job->result.connected = true;
        std::vector<BYTE> data;
        if (job->unicode) {
            const std::wstring wide = Wide(job->command);
            data.resize((wide.size() + 1) * sizeof(wchar_t));
            memcpy(data.data(), wide.c_str(), data.size());
        } else {
            data.assign(job->command.begin(), job->command.end());
            data.push_back(0);
        }
        DWORD status = 0;
        HDDEDATA answer = ::DdeClientTransaction(data.data(), static_cast<DWORD>(data.size()), conv, nullptr, 0,
                                                 XTYP_EXECUTE, 10000, &status);
        job->result.acknowledged = answer != nullptr;
        if (answer == nullptr)
            job->result.error = ::DdeGetLastError(instance);
        ::DdeDisconnect(conv);
    }
    if (service != nullptr)
        ::DdeFreeStringHandle(instance, service);
    if (topic != nullptr)
        ::DdeFreeStringHandle(instance, topic);
    ::DdeUninitialize(instance);
    return 0;
}

} // namespace

DdeExecuteResult SendDdeExecute(const char* service, const char* topic, const std::string& command, bool unicode,
                                DWORD timeoutMs)
{
    Job job;
    job.service = service ? service : "";
    job.topic = topic ? topic : "";
    job.command = command;
    job.unicode = unicode;
    HANDLE thread = ::CreateThread(nullptr, 0, ClientThread, &job, 0, nullptr);
    if (thread == nullptr)
        return job.result;
    const DWORD start = ::GetTickCount();
    bool finished = false;
    for (;;) {
        const DWORD elapsed = ::GetTickCount() - start;
        const DWORD left = elapsed >= timeoutMs ? 0 : timeoutMs - elapsed;
        const DWORD wait = ::MsgWaitForMultipleObjects(1, &thread, FALSE, left, QS_ALLINPUT);
        if (wait == WAIT_OBJECT_0) {
            finished = true;
            break;
        }
        if (wait != WAIT_OBJECT_0 + 1)
            break;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    if (!finished) {
        // The client's own time limits end it; the job lives on this stack until then.
        while (::MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
            MSG msg;
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageA(&msg);
        }
    }
    ::CloseHandle(thread);
    job.result.finished = finished;
    return job.result;
}
