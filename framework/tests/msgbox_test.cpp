#include "framework/app.h"
#include "framework/guard.h"
#include "framework/msgbox.h"
#include "framework/stdids.h"
#include "testsupport/msgboxrecorder.h"

#include <gtest/gtest.h>
#include <stdexcept>

// (Suite names avoid "MessageBox": windows.h turns it into MessageBoxA.)

TEST(MessageBoxes, RecorderInterceptsEveryEntryPoint)
{
    MessageBoxRecorder rec;
    EXPECT_EQ(IDYES, AfxMessageBox("Save changes?", MB_YESNOCANCEL | MB_ICONQUESTION));
    EXPECT_EQ(IDOK, AfxMessageBox(100u, MB_ICONSTOP));
    EXPECT_EQ(IDOK, ShowMessageBox(nullptr, "Plain", "Own caption", MB_OK));
    EXPECT_EQ(IDOK, ShowMessageBox(nullptr, "No caption", nullptr, MB_OK));

    ASSERT_EQ(4u, rec.Count());
    EXPECT_STREQ("Save changes?", rec[0].text);
    EXPECT_STREQ("KORVELTA-PRINT", rec[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_YESNOCANCEL), rec[0].Buttons());
    EXPECT_EQ(static_cast<UINT>(MB_ICONQUESTION), rec[0].Icon());
    EXPECT_EQ(0u, rec[0].stringId);

    EXPECT_EQ(100u, rec[1].stringId);
    EXPECT_EQ(0, rec[1].text.Find("OLE initialization failed"));
    EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), rec[1].Icon());

    EXPECT_STREQ("Own caption", rec[2].caption);
    EXPECT_STREQ("KORVELTA-PRINT", rec[3].caption);
    EXPECT_STREQ("KORVELTA-PRINT", AfxGetAppName());
}

TEST(MessageBoxes, ScriptedAnswersThenDefaults)
{
    MessageBoxRecorder rec;
    rec.Answer({ IDNO, IDCANCEL });
    rec.Answer(IDRETRY);
    EXPECT_EQ(IDNO, AfxMessageBox("1", MB_YESNO));
    EXPECT_EQ(IDCANCEL, AfxMessageBox("2", MB_YESNOCANCEL));
    EXPECT_EQ(IDRETRY, AfxMessageBox("3", MB_RETRYCANCEL));
    EXPECT_EQ(0u, rec.PendingAnswers());
    EXPECT_EQ(IDCANCEL, AfxMessageBox("4", MB_RETRYCANCEL));   // never loops a retry by default
    EXPECT_EQ(IDOK, AfxMessageBox("5", MB_OKCANCEL));
    EXPECT_EQ(IDABORT, AfxMessageBox("6", MB_ABORTRETRYIGNORE));
    EXPECT_EQ(IDYES, AfxMessageBox("7", MB_YESNO));
    EXPECT_EQ(7u, rec.Count());
    EXPECT_EQ(IDRETRY, rec[2].answer);
    EXPECT_STREQ("7", rec.Last().text);
}

TEST(MessageBoxes, MissingStringStillRecordsTheId)
{
    MessageBoxRecorder rec;
    AfxMessageBox(64998u);
    ASSERT_EQ(1u, rec.Count());
    EXPECT_EQ(64998u, rec.Last().stringId);
    EXPECT_TRUE(rec.Last().text.IsEmpty());
}

TEST(MessageBoxes, NestedRecordersRestoreTheOuterOne)
{
    MessageBoxRecorder outer;
    {
        MessageBoxRecorder inner;
        inner.Answer(IDNO);
        EXPECT_EQ(IDNO, AfxMessageBox("inner", MB_YESNO));
        EXPECT_EQ(1u, inner.Count());
    }
    AfxMessageBox("outer");
    ASSERT_EQ(1u, outer.Count());
    EXPECT_STREQ("outer", outer.Last().text);
}

// The caption is the application object's name at every entry point, a renamed object's new name
// and, once the object is gone, the program's own title again.
TEST(MessageBoxes, CaptionIsTheApplicationObjectsName)
{
    MessageBoxRecorder rec;
    {
        CWinApp app("Other");
        EXPECT_STREQ("Other", AfxGetAppName());
        AfxMessageBox("x");
        AfxMessageBox(100u, MB_ICONSTOP);
        ShowMessageBox(nullptr, "No caption", nullptr, MB_OK);
        app.m_strAppName = "Renamed";
        AfxMessageBox("y");
    }
    AfxMessageBox("after");
    ASSERT_EQ(5u, rec.Count());
    EXPECT_STREQ("Other", rec[0].caption);
    EXPECT_STREQ("Other", rec[1].caption);
    EXPECT_STREQ("Other", rec[2].caption);
    EXPECT_STREQ("Renamed", rec[3].caption);
    EXPECT_STREQ("KORVELTA-PRINT", rec[4].caption);
}

// An application object made without a name, like the program's own, takes the title of the
// string table; one made while another lives does not take the other's name.
TEST(MessageBoxes, AnUnnamedApplicationTakesTheProgramTitle)
{
    CWinApp outer("Outer");
    CWinApp program;
    EXPECT_STREQ("KORVELTA-PRINT", program.m_strAppName);
    EXPECT_STREQ("KORVELTA-PRINT", ProgramTitle());
    MessageBoxRecorder rec;
    AfxMessageBox("x");
    ASSERT_EQ(1u, rec.Count());
    EXPECT_STREQ("KORVELTA-PRINT", rec[0].caption);
}

// Without the title string the program's file name stands in, without its extension.
TEST(MessageBoxes, WithoutATitleStringTheProgramFileNamesTheBoxes)
{
    HMODULE noStrings = ::GetModuleHandleA("ntdll.dll");
    char probe[16] = {};
    ASSERT_NE(nullptr, noStrings);
    ASSERT_EQ(0, ::LoadStringA(noStrings, AFX_IDS_APP_TITLE, probe, sizeof probe));
    const HINSTANCE resources = AfxGetResourceHandle();
    MessageBoxRecorder rec;
    AfxSetResourceHandle(noStrings);
    const CString title = ProgramTitle();
    AfxMessageBox("x");
    AfxSetResourceHandle(resources);
    EXPECT_STREQ("framework_tests", title);
    ASSERT_EQ(1u, rec.Count());
    EXPECT_STREQ("framework_tests", rec[0].caption);
}

TEST(Guard, CatchesEveryExceptionAndReturnsTheFallback)
{
    EXPECT_EQ(7, GuardedCall([] { return 7; }, -1));
    EXPECT_EQ(-1, GuardedCall([]() -> int { throw std::runtime_error("boom"); }, -1));
    EXPECT_EQ(LRESULT(3), GuardedCall([]() -> LRESULT { throw 42; }, LRESULT(3)));
    bool ran = false;
    GuardedCall([&] { ran = true; throw std::logic_error("void body"); });
    EXPECT_TRUE(ran);
}

namespace {
LRESULT CALLBACK ThrowingProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    return GuardedCall([&]() -> LRESULT {
        if (msg == WM_APP)
            throw std::runtime_error("from a window procedure");
        return ::DefWindowProcA(wnd, msg, wp, lp);
    }, LRESULT(-5));
}
} // namespace

TEST(Guard, ExceptionDoesNotCrossUser32)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ThrowingProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "KorveltaGuardTest";
    ASSERT_TRUE(::RegisterClassA(&wc));
    HWND wnd = ::CreateWindowA("KorveltaGuardTest", "", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                               wc.hInstance, nullptr);
    ASSERT_NE(nullptr, wnd);
    EXPECT_EQ(LRESULT(-5), ::SendMessageA(wnd, WM_APP, 0, 0));
    ::DestroyWindow(wnd);
    ::UnregisterClassA("KorveltaGuardTest", wc.hInstance);
}
