// The handler's COM surface: interfaces, argument checks, the site and its frame, focus, the class
// factory and the module lock count, as the library linked into this program has them.
#include "previewhandler/classfactory.h"
#include "previewhandler/previewmodule.h"
#include "previewhandler/tests/previewtestsupport.h"
#include "previewhandler/wmfpreviewhandler.h"

#include <gtest/gtest.h>
#include <shobjidl.h>

namespace {

// A site that may offer the preview host's frame and records the messages handed to it.
class FakeSite final : public IPreviewHandlerFrame {
public:
    explicit FakeSite(bool offersFrame, HRESULT answer = S_OK) : m_offersFrame(offersFrame), m_answer(answer) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || (m_offersFrame && IsEqualIID(iid, IID_IPreviewHandlerFrame))) {
            *out = static_cast<IPreviewHandlerFrame*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ULONG(++m_refs); }
    STDMETHODIMP_(ULONG) Release() override { return ULONG(--m_refs); } // lives on the test's stack

    STDMETHODIMP GetWindowContext(PREVIEWHANDLERFRAMEINFO*) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(MSG* message) override
    {
        m_lastMessage = message;
        return m_answer;
    }

    LONG refs() const { return m_refs; }
    MSG* lastMessage() const { return m_lastMessage; }

private:
    LONG m_refs = 1;
    bool m_offersFrame;
    HRESULT m_answer;
    MSG* m_lastMessage = nullptr;
};

class HandlerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(PreviewModuleLockCount(), 1) << "only this test's handler may live"; }
    void TearDown() override
    {
        handler.Reset();
        EXPECT_EQ(PreviewModuleLockCount(), 0);
    }

    ComApartment apartment;
    ComRef<WmfPreviewHandler> handler{new WmfPreviewHandler};
};

} // namespace

TEST_F(HandlerTest, AnswersItsInterfacesWithOneIdentity)
{
    ComRef<IUnknown> identity;
    ASSERT_EQ(handler->QueryInterface(IID_IUnknown, identity.outVoid()), S_OK);
    const IID* interfaces[] = {&IID_IInitializeWithStream, &IID_IPreviewHandler, &IID_IPreviewHandlerVisuals,
                               &IID_IOleWindow, &IID_IObjectWithSite};
    for (const IID* iid : interfaces) {
        ComRef<IUnknown> answer;
        ASSERT_EQ(handler->QueryInterface(*iid, answer.outVoid()), S_OK);
        ComRef<IUnknown> back;
        ASSERT_EQ(answer->QueryInterface(IID_IUnknown, back.outVoid()), S_OK);
        EXPECT_EQ(back.get(), identity.get());
    }
    for (const IID* iid : {&IID_IPersistFile, &IID_IClassFactory, &IID_IPreviewHandlerFrame}) {
        void* answer = reinterpret_cast<void*>(1);
        EXPECT_EQ(handler->QueryInterface(*iid, &answer), E_NOINTERFACE);
        EXPECT_EQ(answer, nullptr);
    }
    EXPECT_EQ(handler->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
}

TEST_F(HandlerTest, KeepsOneStreamReference)
{
    ComRef<IStream> first(StreamOver(RedTwoByOneFile()));
    ComRef<IStream> second(StreamOver(RedTwoByOneFile()));
    EXPECT_EQ(handler->Initialize(nullptr, STGM_READ), E_INVALIDARG);
    ASSERT_EQ(handler->Initialize(first.get(), STGM_READ), S_OK);
    EXPECT_EQ(RefCount(first.get()), 2u);
    ASSERT_EQ(handler->Initialize(second.get(), STGM_READ), S_OK);
    EXPECT_EQ(RefCount(first.get()), 1u);
    EXPECT_EQ(RefCount(second.get()), 2u);
    EXPECT_EQ(handler->Unload(), S_OK);
    EXPECT_EQ(RefCount(second.get()), 1u);
    ASSERT_EQ(handler->Initialize(first.get(), STGM_READ), S_OK);
    handler.Reset();
    EXPECT_EQ(RefCount(first.get()), 1u);
}

TEST_F(HandlerTest, ArgumentChecks)
{
    EXPECT_EQ(handler->SetRect(nullptr), E_INVALIDARG);
    EXPECT_EQ(handler->GetWindow(nullptr), E_INVALIDARG);
    EXPECT_EQ(handler->QueryFocus(nullptr), E_INVALIDARG);
    EXPECT_EQ(handler->GetSite(IID_IUnknown, nullptr), E_POINTER);
    EXPECT_EQ(handler->ContextSensitiveHelp(TRUE), E_NOTIMPL);
    const RECT rect = {0, 0, 10, 10};
    EXPECT_EQ(handler->SetRect(&rect), S_OK);
    EXPECT_EQ(handler->SetWindow(nullptr, nullptr), S_OK);
    HWND parent = reinterpret_cast<HWND>(1);
    EXPECT_EQ(handler->GetWindow(&parent), S_OK);
    EXPECT_EQ(parent, nullptr);
    // Colours and fonts of the host do not change a picture.
    LOGFONTW font = {};
    EXPECT_EQ(handler->SetBackgroundColor(RGB(1, 2, 3)), S_OK);
    EXPECT_EQ(handler->SetFont(&font), S_OK);
    EXPECT_EQ(handler->SetTextColor(RGB(1, 2, 3)), S_OK);
    EXPECT_EQ(handler->DoPreview(), E_FAIL) << "no stream";
}

TEST_F(HandlerTest, SiteIsKeptAndGivenBack)
{
    void* site = reinterpret_cast<void*>(1);
    EXPECT_EQ(handler->GetSite(IID_IUnknown, &site), E_FAIL);
    EXPECT_EQ(site, nullptr);

    FakeSite fake(false);
    ASSERT_EQ(handler->SetSite(&fake), S_OK);
    EXPECT_EQ(fake.refs(), 2);
    ComRef<IUnknown> back;
    ASSERT_EQ(handler->GetSite(IID_IUnknown, back.outVoid()), S_OK);
    EXPECT_EQ(back.get(), static_cast<IUnknown*>(&fake));
    back.Reset();
    void* frame = reinterpret_cast<void*>(1);
    EXPECT_EQ(handler->GetSite(IID_IPreviewHandlerFrame, &frame), E_NOINTERFACE);
    EXPECT_EQ(frame, nullptr);

    FakeSite replacement(false);
    ASSERT_EQ(handler->SetSite(&replacement), S_OK);
    EXPECT_EQ(fake.refs(), 1);
    ASSERT_EQ(handler->SetSite(nullptr), S_OK);
    EXPECT_EQ(replacement.refs(), 1);
    EXPECT_EQ(handler->GetSite(IID_IUnknown, &site), E_FAIL);
}

TEST_F(HandlerTest, AcceleratorsGoToTheHostFrame)
{
    MSG message = {};
    message.message = WM_KEYDOWN;
    message.wParam = VK_F5;
    EXPECT_EQ(handler->TranslateAccelerator(&message), S_FALSE) << "no site";

    FakeSite noFrame(false);
    handler->SetSite(&noFrame);
    EXPECT_EQ(handler->TranslateAccelerator(&message), S_FALSE) << "a site without frame";

    FakeSite frame(true, S_OK);
    handler->SetSite(&frame);
    EXPECT_EQ(handler->TranslateAccelerator(&message), S_OK);
    EXPECT_EQ(frame.lastMessage(), &message);
    FakeSite declining(true, S_FALSE);
    handler->SetSite(&declining);
    EXPECT_EQ(handler->TranslateAccelerator(&message), S_FALSE);
    handler->SetSite(nullptr);
    EXPECT_EQ(frame.refs(), 1);
    EXPECT_EQ(declining.refs(), 1);
}

TEST_F(HandlerTest, Focus)
{
    EXPECT_EQ(handler->SetFocus(), S_FALSE) << "no preview window";
    ::SetFocus(nullptr);
    HWND focus = reinterpret_cast<HWND>(1);
    EXPECT_EQ(handler->QueryFocus(&focus), S_FALSE) << "nothing has the focus: not a success";
    EXPECT_EQ(focus, nullptr);

    HostWindow host;
    ComRef<IStream> stream(StreamOver(RedTwoByOneFile()));
    const RECT rect = {0, 0, 100, 100};
    handler->Initialize(stream.get(), STGM_READ);
    handler->SetWindow(host.hwnd(), &rect);
    ASSERT_EQ(handler->DoPreview(), S_OK);
    EXPECT_EQ(handler->SetFocus(), S_OK);
    EXPECT_EQ(handler->QueryFocus(&focus), S_OK);
    EXPECT_EQ(focus, FindPreviewWindow(host.hwnd()));
    handler->Unload();
}

TEST_F(HandlerTest, FactoryAndLockCount)
{
    handler.Reset();
    EXPECT_EQ(DllCanUnloadNow(), S_OK);

    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(DllGetClassObject(IID_IPreviewHandler, IID_IClassFactory, &none), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(DllGetClassObject(CLSID_WmfPreviewHandler, IID_IClassFactory, nullptr), E_POINTER);
    EXPECT_EQ(DllGetClassObject(CLSID_WmfPreviewHandler, IID_IPreviewHandler, &none), E_NOINTERFACE);
    EXPECT_EQ(DllCanUnloadNow(), S_OK) << "a factory that was not handed out is gone";

    ComRef<IClassFactory> factory;
    ASSERT_EQ(DllGetClassObject(CLSID_WmfPreviewHandler, IID_IClassFactory, factory.outVoid()), S_OK);
    EXPECT_EQ(DllCanUnloadNow(), S_FALSE);

    FakeSite outer(false);
    EXPECT_EQ(factory->CreateInstance(&outer, IID_IUnknown, &none), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IPersistFile, &none), E_NOINTERFACE);
    EXPECT_EQ(PreviewModuleLockCount(), 1) << "only the factory";

    ComRef<IPreviewHandler> made;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IPreviewHandler, made.outVoid()), S_OK);
    EXPECT_EQ(PreviewModuleLockCount(), 2);
    ASSERT_EQ(factory->LockServer(TRUE), S_OK);
    factory.Reset();
    made.Reset();
    EXPECT_EQ(DllCanUnloadNow(), S_FALSE) << "locked";
    ASSERT_EQ(DllGetClassObject(CLSID_WmfPreviewHandler, IID_IUnknown, factory.outVoid()), S_OK);
    ComRef<IClassFactory> asFactory;
    ASSERT_EQ(factory->QueryInterface(IID_IClassFactory, asFactory.outVoid()), S_OK);
    EXPECT_EQ(asFactory->LockServer(FALSE), S_OK);
    asFactory.Reset();
    factory.Reset();
    EXPECT_EQ(DllCanUnloadNow(), S_OK);
}

TEST(PreviewModule, Win32ErrorsBecomeFailures)
{
    // A failing call that left no error code is still a failure.
    EXPECT_EQ(HResultFromWin32(0), E_FAIL);
    EXPECT_EQ(HResultFromWin32(ERROR_FILE_NOT_FOUND), HRESULT(0x80070002));
    EXPECT_EQ(HResultFromWin32(ERROR_INSUFFICIENT_BUFFER), HRESULT(0x8007007A));
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(HResultFromLastError(), E_FAIL);
    SetLastError(ERROR_ACCESS_DENIED);
    EXPECT_EQ(HResultFromLastError(), E_ACCESSDENIED);
}
