// The project's OLE items against a small object served from inside the test program: where they
// stand, one in-place object per view, inside-out hiding, view updates, Escape, release on close,
// nothing in the project file, and a failed insertion leaving nothing behind.
#include "document/cntritem.h"

#include "document/labeldoc.h"
#include "document/res/oleitem.h"
#include "document/tests/testoleobject.h"
#include "framework/msgbox.h"
#include "framework/view.h"
#include "testsupport/msgboxrecorder.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>
#include <shlwapi.h>
#include <memory>

namespace {

class CountingView : public CView {
public:
    int m_updates = 0;
    void OnUpdate(CView*, LPARAM, CObject*) override { ++m_updates; }
    void PostNcDestroy() override {}   // the test owns it
};

class OleItemTest : public ::testing::Test {
protected:
    // The class as an installed server would register it (machine-wide: the test prefix's
    // HKEY_CLASSES_ROOT), so that the insert dialog lists it; removed again afterwards.
    static const char* ClassKey() { return "CLSID\\{6B1C7A52-3E55-4C1E-9B8F-1D2A4C6E8F10}"; }
    static void RegisterClassKeys()
    {
        HKEY key = nullptr;
        if (::RegCreateKeyExA(HKEY_CLASSES_ROOT, ClassKey(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) ==
            ERROR_SUCCESS) {
            const char name[] = "KORVELTA test object";
            ::RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(name), sizeof name);
            HKEY sub = nullptr;
            if (::RegCreateKeyExA(key, "Insertable", 0, nullptr, 0, KEY_WRITE, nullptr, &sub, nullptr) == ERROR_SUCCESS)
                ::RegCloseKey(sub);
            ::RegCloseKey(key);
        }
    }

    void SetUp() override
    {
        RegisterClassKeys();
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
        ASSERT_TRUE(SUCCEEDED(::CoRegisterClassObject(CLSID_TestOleObject, &m_factory, CLSCTX_INPROC_SERVER,
                                                      REGCLS_MULTIPLEUSE, &m_cookie)));
        m_doc = std::make_unique<COstrelindSoftLabelDoc>();
        m_doc->m_bAutoDelete = FALSE;
        m_doc->OnNewDocument();
        m_doc->SetModifiedFlag(FALSE);
        m_view = std::make_unique<CountingView>();
        ASSERT_TRUE(m_view->CreateEx(0, nullptr, "view", WS_POPUP | WS_VISIBLE, 50, 50, 400, 300, nullptr, nullptr));
        m_doc->AddView(m_view.get());
        m_answer = COleInsertDialog::SetTestAnswer(
            [this](const std::vector<COleInsertDialog::InsertableClass>& listed, CLSID* clsid) -> INT_PTR {
                m_listed = listed;
                if (m_cancel)
                    return IDCANCEL;
                *clsid = m_clsid;
                return IDOK;
            });
    }
    void TearDown() override
    {
        COleInsertDialog::SetTestAnswer(m_answer);
        if (m_doc) {
            m_doc->ReleaseItems();
            m_doc->RemoveView(m_view.get());
        }
        if (m_view && m_view->m_hWnd)
            m_view->DestroyWindow();
        m_view.reset();
        m_doc.reset();
        ::CoRevokeClassObject(m_cookie);
        ::OleUninitialize();
        ::SHDeleteKeyA(HKEY_CLASSES_ROOT, ClassKey());
    }
    COstrelindSoftCntrItem* Insert() { return InsertNewOleItem(m_view.get(), m_doc.get()); }

    TestOleRecord m_record;
    TestOleFactory m_factory{&m_record};
    DWORD m_cookie = 0;
    std::unique_ptr<COstrelindSoftLabelDoc> m_doc;
    std::unique_ptr<CountingView> m_view;
    CLSID m_clsid = CLSID_TestOleObject;
    bool m_cancel = false;
    std::vector<COleInsertDialog::InsertableClass> m_listed;
    COleInsertDialog::Answer m_answer;
};

} // namespace

TEST_F(OleItemTest, InsertionShowsTheObjectAtItsExtentOrTwoHundredSquare)
{
    COstrelindSoftCntrItem* item = Insert();
    ASSERT_NE(nullptr, item);
    // The dialog listed the registered class under its name.
    bool listed = false;
    for (const auto& entry : m_listed)
        listed = listed || (entry.clsid == CLSID_TestOleObject && entry.name == "KORVELTA test object");
    EXPECT_TRUE(listed);
    ASSERT_EQ(1u, m_doc->GetItems().size());
    EXPECT_EQ(item, m_doc->GetItems()[0]);
    ASSERT_FALSE(m_record.verbs.empty());
    EXPECT_EQ(OLEIVERB_SHOW, m_record.verbs[0]);
    EXPECT_TRUE(item->IsInPlaceActive());
    EXPECT_EQ(m_view.get(), item->GetActiveView());
    EXPECT_GT(m_view->m_updates, 0);
    // The object's server names the program that holds it.
    const std::string appName = AfxGetAppName();
    EXPECT_FALSE(appName.empty());
    EXPECT_EQ(std::wstring(appName.begin(), appName.end()), m_record.hostApp);

    CRect place;
    item->OnGetItemPosition(place);
    EXPECT_EQ(CRect(10, 10, 210, 210), place);
    m_record.extent = {2540, 2540};
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    const int dpiY = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    item->OnGetItemPosition(place);
    EXPECT_EQ(CRect(10, 10, 10 + dpi, 10 + dpi), place);
    // Each side on its own: two inches wide, half an inch high.
    m_record.extent = {5080, 1270};
    item->OnGetItemPosition(place);
    EXPECT_EQ(CRect(10, 10, 10 + 2 * dpi, 10 + ::MulDiv(1270, dpiY, 2540)), place);
}

TEST_F(OleItemTest, ASecondActiveObjectClosesTheFirstAndEscapeClosesTheActiveOne)
{
    COstrelindSoftCntrItem* first = Insert();
    ASSERT_NE(nullptr, first);
    EXPECT_TRUE(first->IsInPlaceActive());
    EXPECT_EQ(0, m_record.closes);
    COstrelindSoftCntrItem* second = Insert();
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(1, m_record.closes);
    EXPECT_FALSE(first->IsInPlaceActive());
    EXPECT_TRUE(second->IsInPlaceActive());
    EXPECT_EQ(second, m_doc->GetInPlaceActiveItem(m_view.get()));

    EXPECT_TRUE(CloseInPlaceOleItem(m_view.get(), m_doc.get()));
    EXPECT_EQ(2, m_record.closes);
    EXPECT_EQ(nullptr, m_doc->GetInPlaceActiveItem(m_view.get()));
    EXPECT_FALSE(CloseInPlaceOleItem(m_view.get(), m_doc.get()));
    EXPECT_EQ(2u, m_doc->GetItems().size());

    // A view that leaves deactivates its object and is forgotten.
    second->DoVerb(OLEIVERB_SHOW, m_view.get());
    EXPECT_TRUE(second->IsInPlaceActive());
    m_doc->RemoveView(m_view.get());
    EXPECT_FALSE(second->IsInPlaceActive());
    EXPECT_EQ(nullptr, second->GetActiveView());
    m_doc->AddView(m_view.get());
}

TEST_F(OleItemTest, InsideOutObjectsHideWhenTheirInterfaceGoesAndChangesUpdateTheViews)
{
    m_record.misc = OLEMISC_INSIDEOUT;
    COstrelindSoftCntrItem* item = Insert();
    ASSERT_NE(nullptr, item);
    EXPECT_EQ(COleClientItem::activeUIState, item->GetItemState());
    item->DeactivateUI();
    EXPECT_EQ(COleClientItem::activeState, item->GetItemState());
    ASSERT_EQ(2u, m_record.verbs.size());
    EXPECT_EQ(OLEIVERB_HIDE, m_record.verbs[1]);

    // Not inside-out: no hiding.
    m_record.misc = 0;
    m_record.verbs.clear();
    item->DoVerb(OLEIVERB_UIACTIVATE, m_view.get());
    EXPECT_EQ(COleClientItem::activeUIState, item->GetItemState());
    m_record.verbs.clear();
    item->DeactivateUI();
    EXPECT_TRUE(m_record.verbs.empty());

    const int before = m_view->m_updates;
    ASSERT_NE(nullptr, m_record.sink);
    m_record.sink->OnViewChange(DVASPECT_CONTENT, -1);
    EXPECT_EQ(before + 1, m_view->m_updates);
}

TEST_F(OleItemTest, ClosingTheProjectReleasesTheObjects)
{
    ASSERT_NE(nullptr, Insert());
    ASSERT_NE(nullptr, Insert());
    EXPECT_EQ(2, m_record.objects);
    EXPECT_EQ(0, m_record.released);
    m_doc->RemoveView(m_view.get());
    m_doc->OnCloseDocument();
    EXPECT_EQ(2, m_record.released);
    EXPECT_TRUE(m_doc->GetItems().empty());
}

TEST_F(OleItemTest, ProjectFilesHoldNoItem)
{
    TempDir dir;
    ASSERT_TRUE(m_doc->OnSaveDocument(dir.Path("plain.PROJ")));
    ASSERT_NE(nullptr, Insert());
    ASSERT_TRUE(m_doc->OnSaveDocument(dir.Path("withitem.PROJ")));
    const std::string plain = dir.ReadBytes("plain.PROJ");
    EXPECT_FALSE(plain.empty());
    EXPECT_EQ(plain, dir.ReadBytes("withitem.PROJ"));

    auto reopened = std::make_unique<COstrelindSoftLabelDoc>();
    reopened->m_bAutoDelete = FALSE;
    ASSERT_TRUE(reopened->OnOpenDocument(dir.Path("withitem.PROJ")));
    EXPECT_TRUE(reopened->GetItems().empty());
}

TEST_F(OleItemTest, AnUnknownClassSaysSoAndLeavesNoItemAndCancelDoesNothing)
{
    MessageBoxRecorder boxes;
    // {0E0A0B0C-1111-2222-3333-444455556666}: registered nowhere.
    m_clsid = {0x0e0a0b0c, 0x1111, 0x2222, {0x33, 0x33, 0x44, 0x44, 0x55, 0x55, 0x66, 0x66}};
    EXPECT_EQ(nullptr, Insert());
    EXPECT_TRUE(m_doc->GetItems().empty());
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(static_cast<UINT>(IDP_FAILED_TO_CREATE), boxes[0].stringId);
    EXPECT_EQ("Failed to create object.  Make sure the object is entered in the system registry.", boxes[0].text);

    m_cancel = true;
    EXPECT_EQ(nullptr, Insert());
    EXPECT_TRUE(m_doc->GetItems().empty());
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_EQ(0, m_record.objects);
}
