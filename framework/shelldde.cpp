#include "framework/shelldde.h"

#include "framework/guard.h"

#include <algorithm>
#include <cctype>
#include <mutex>
#include <string>

const char CShellDdeServer::kTopic[] = "System";

// ---- parsing

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

void SkipBlanks(const char*& p)
{
    while (IsBlank(*p))
        ++p;
}

// One argument at p (blanks already skipped); p ends on the character after it.
bool ParseArgument(const char*& p, CString& arg)
{
    std::string text;
    if (*p == '"') {
        ++p;
        for (;;) {
            if (*p == '\0')
                return false;           // no closing quote
            if (*p == '"') {
                if (p[1] == '"') {      // a doubled quote stands for one
                    text += '"';
                    p += 2;
                    continue;
                }
                ++p;
                break;
            }
            text += *p++;
        }
        SkipBlanks(p);
    } else {
        while (*p != '\0' && *p != ',' && *p != ')' && *p != '"' && *p != '[' && *p != ']')
            text += *p++;
        while (!text.empty() && IsBlank(text.back()))
            text.pop_back();
    }
    arg = text.c_str();
    return true;
}

bool ParseOne(const char*& p, CShellDdeCommand& command)
{
    if (*p != '[')
        return false;
    ++p;
    SkipBlanks(p);
    std::string name;
    while (std::isalnum(static_cast<unsigned char>(*p)) || *p == '_')
        name += *p++;
    if (name.empty())
        return false;
    command.name = name.c_str();
    command.args.clear();
    SkipBlanks(p);
    if (*p == '(') {
        ++p;
        SkipBlanks(p);
        if (*p != ')') {
            for (;;) {
                CString arg;
                if (!ParseArgument(p, arg))
                    return false;
                command.args.push_back(arg);
                if (*p == ',') {
                    ++p;
                    SkipBlanks(p);
                    continue;
                }
                break;
            }
        }
        if (*p != ')')
            return false;
        ++p;
        SkipBlanks(p);
    }
    if (*p != ']')
        return false;
    ++p;
    return true;
}

} // namespace

bool ParseShellDdeCommands(const char* text, std::vector<CShellDdeCommand>& commands)
{
    commands.clear();
    if (text == nullptr)
        return false;
    std::vector<CShellDdeCommand> parsed;
    const char* p = text;
    SkipBlanks(p);
    while (*p != '\0') {
        CShellDdeCommand command;
        if (!ParseOne(p, command))
            return false;
        parsed.push_back(command);
        SkipBlanks(p);
    }
    if (parsed.empty())
        return false;
    commands.swap(parsed);
    return true;
}

CString DdeExecuteText(const BYTE* data, DWORD size)
{
    if (data == nullptr || size == 0)
        return CString();
    // A Unicode client's text: its first character is ASCII ('['), so its second byte is zero.
    if (size >= 2 && data[0] != 0 && data[1] == 0) {
        const DWORD units = size / 2;
        std::wstring wide;
        for (DWORD i = 0; i < units; ++i) {
            const wchar_t c = static_cast<wchar_t>(data[2 * i] | (data[2 * i + 1] << 8));
            if (c == 0)
                break;
            wide += c;
        }
        if (wide.empty())
            return CString();
        const int bytes = ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0,
                                                nullptr, nullptr);
        if (bytes <= 0)
            return CString();
        std::string narrow(static_cast<size_t>(bytes), '\0');
        ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), &narrow[0], bytes, nullptr,
                              nullptr);
        return CString(narrow.c_str());
    }
    const BYTE* end = std::find(data, data + size, static_cast<BYTE>(0));
    return CString(std::string(reinterpret_cast<const char*>(data), reinterpret_cast<const char*>(end)).c_str());
}

// ---- the server

namespace {

// DDEML's callback carries no instance: the servers alive, and the conversations each accepted,
// tell which one a transaction is for.
struct Registered {
    CShellDdeServer* server;
    HSZ service;
    std::vector<HCONV> conversations;
};

std::mutex& ServersLock()
{
    static std::mutex lock;
    return lock;
}

std::vector<Registered>& Servers()
{
    static std::vector<Registered> servers;
    return servers;
}

} // namespace

CShellDdeServer::~CShellDdeServer()
{
    Stop();
}

bool CShellDdeServer::Start(const char* service, Handler handler)
{
    Stop();
    if (service == nullptr || *service == '\0')
        return false;
    DWORD instance = 0;
    const DWORD flags = APPCLASS_STANDARD | APPCMD_FILTERINITS | CBF_FAIL_ADVISES | CBF_FAIL_POKES |
                        CBF_FAIL_REQUESTS | CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS;
    if (::DdeInitializeA(&instance, &CShellDdeServer::Callback, flags, 0) != DMLERR_NO_ERROR)
        return false;
    HSZ serviceName = ::DdeCreateStringHandleA(instance, service, CP_WINANSI);
    HSZ topicName = ::DdeCreateStringHandleA(instance, kTopic, CP_WINANSI);
    if (serviceName == nullptr || topicName == nullptr) {
        if (serviceName != nullptr)
            ::DdeFreeStringHandle(instance, serviceName);
        if (topicName != nullptr)
            ::DdeFreeStringHandle(instance, topicName);
        ::DdeUninitialize(instance);
        return false;
    }
    m_instance = instance;
    m_serviceName = serviceName;
    m_topicName = topicName;
    m_service = service;
    m_handler = std::move(handler);
    {
        std::lock_guard<std::mutex> hold(ServersLock());
        Servers().push_back({this, serviceName, {}});
    }
    // Registered last: a connection may arrive as soon as the name is known.
    if (::DdeNameService(instance, serviceName, nullptr, DNS_REGISTER) == nullptr) {
        Stop();
        return false;
    }
    return true;
}

void CShellDdeServer::Stop()
{
    if (m_instance == 0)
        return;
    {
        std::lock_guard<std::mutex> hold(ServersLock());
        auto& servers = Servers();
        servers.erase(std::remove_if(servers.begin(), servers.end(),
                                     [this](const Registered& r) { return r.server == this; }),
                      servers.end());
    }
    ::DdeNameService(m_instance, m_serviceName, nullptr, DNS_UNREGISTER);
    ::DdeFreeStringHandle(m_instance, m_serviceName);
    ::DdeFreeStringHandle(m_instance, m_topicName);
    ::DdeUninitialize(m_instance);
    m_instance = 0;
    m_serviceName = nullptr;
    m_topicName = nullptr;
    m_handler = nullptr;
}

HDDEDATA CALLBACK CShellDdeServer::Callback(UINT type, UINT, HCONV conv, HSZ hsz1, HSZ hsz2, HDDEDATA data,
                                            ULONG_PTR, ULONG_PTR)
{
    return GuardedCall(
        [&]() -> HDDEDATA {
            CShellDdeServer* server = nullptr;
            {
                std::lock_guard<std::mutex> hold(ServersLock());
                for (Registered& r : Servers()) {
                    const bool named = hsz2 != nullptr && ::DdeCmpStringHandles(hsz2, r.service) == 0;
                    const bool talking =
                        std::find(r.conversations.begin(), r.conversations.end(), conv) != r.conversations.end();
                    if (type == XTYP_CONNECT_CONFIRM && named)
                        r.conversations.push_back(conv);
                    if (type == XTYP_DISCONNECT && talking)
                        r.conversations.erase(std::find(r.conversations.begin(), r.conversations.end(), conv));
                    if ((type == XTYP_CONNECT && named) || (type == XTYP_EXECUTE && talking)) {
                        server = r.server;
                        break;
                    }
                }
            }
            return server != nullptr ? server->OnTransaction(type, hsz1, hsz2, data) : nullptr;
        },
        static_cast<HDDEDATA>(nullptr));
}

HDDEDATA CShellDdeServer::OnTransaction(UINT type, HSZ hsz1, HSZ, HDDEDATA data)
{
    if (type == XTYP_CONNECT)
        return reinterpret_cast<HDDEDATA>(static_cast<UINT_PTR>(::DdeCmpStringHandles(hsz1, m_topicName) == 0));
    if (type != XTYP_EXECUTE)
        return nullptr;
    if (::DdeCmpStringHandles(hsz1, m_topicName) != 0 || data == nullptr)
        return reinterpret_cast<HDDEDATA>(static_cast<UINT_PTR>(DDE_FNOTPROCESSED));
    const DWORD size = ::DdeGetData(data, nullptr, 0, 0);
    std::vector<BYTE> bytes(size);
    if (size > 0)
        ::DdeGetData(data, bytes.data(), size, 0);
    const CString text = DdeExecuteText(bytes.data(), size);
    ++m_executes;
    // The handler may open a document and so run a message loop: the server is not touched after
    // it returns except for the answer.
    UINT answer = DDE_FNOTPROCESSED;
    if (m_handler) {
        Handler handler = m_handler;
        answer = handler(text);
    }
    return reinterpret_cast<HDDEDATA>(static_cast<UINT_PTR>(answer));
}
