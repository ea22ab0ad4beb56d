// The mouse wheel in a scroll view, driven by WM_MOUSEWHEEL messages: deltas below one notch add
// up to whole lines, what is left over waits for the next message, turning the wheel back forgets
// it, and the lines per notch are the user's setting (a page, or none, included).
#include "framework/view.h"
#include "testsupport/wheellines.h"

#include <gtest/gtest.h>

namespace {

class Wheel : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "host", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 400, 400, nullptr, nullptr));
        view = new CScrollView;   // deletes itself with its window
        ASSERT_TRUE(view->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200), &parent, 1));
        // Lines of 20 pixels; far more to scroll than any case here uses.
        view->SetScrollSizes(MM_TEXT, CSize(100, 100000), CSize(150, 150), CSize(10, 20));
        view->ScrollToPosition(CPoint(0, 2000));
        ASSERT_EQ(2000, Top());
    }
    void TearDown() override { parent.DestroyWindow(); }

    int Top() const { return view->GetScrollPosition().y; }
    // One message; answers the top of the view afterwards.
    int Turn(int delta)
    {
        view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), MAKELPARAM(50, 50));
        return Top();
    }

    CWnd parent;
    CScrollView* view = nullptr;
};

} // namespace

TEST_F(Wheel, ThreeThirdsOfANotchScrollWhatOneNotchDoes)
{
    ScopedWheelLines oneLine(1);
    EXPECT_EQ(2000, Turn(-40));
    EXPECT_EQ(2000, Turn(-40));
    EXPECT_EQ(2020, Turn(-40));
    EXPECT_EQ(2040, Turn(-WHEEL_DELTA));
    // Away from the person: back towards the start, in the same thirds.
    EXPECT_EQ(2040, Turn(40));
    EXPECT_EQ(2040, Turn(40));
    EXPECT_EQ(2020, Turn(40));

    // Three lines a notch: every third of a notch is a line, and a quarter notch adds up with the
    // next ones.
    ScopedWheelLines threeLines(3);
    EXPECT_EQ(2040, Turn(-40));
    EXPECT_EQ(2060, Turn(-40));
    EXPECT_EQ(2080, Turn(-40));
    EXPECT_EQ(2080, Turn(-30));
    EXPECT_EQ(2100, Turn(-30));
    EXPECT_EQ(2120, Turn(-30));
    EXPECT_EQ(2140, Turn(-30));
}

TEST_F(Wheel, TurningBackForgetsWhatWasLeftOver)
{
    ScopedWheelLines oneLine(1);
    EXPECT_EQ(2000, Turn(-80));
    // Kept, the two thirds down would take in this third back, and the second third down after
    // it would make a line; forgotten, it takes three thirds down again.
    EXPECT_EQ(2000, Turn(40));
    EXPECT_EQ(2000, Turn(-40));
    EXPECT_EQ(2000, Turn(-40));
    EXPECT_EQ(2020, Turn(-40));
}

TEST_F(Wheel, LinesThatDoNotDivideANotchAddUpExactly)
{
    // Seven lines a notch in twelve steps of ten: seven lines, not six.
    ScopedWheelLines sevenLines(7);
    for (int i = 0; i < 12; ++i)
        Turn(-10);
    EXPECT_EQ(2000 + 7 * 20, Top());
}

TEST_F(Wheel, APageANotchOrNothingAtAll)
{
    CRect client;
    view->GetClientRect(&client);
    {
        ScopedWheelLines pages(WHEEL_PAGESCROLL);
        EXPECT_EQ(2000, Turn(-60));
        EXPECT_EQ(2000 + client.Height(), Turn(-60));
        EXPECT_EQ(2000, Turn(WHEEL_DELTA));
    }
    ScopedWheelLines none(0);
    EXPECT_EQ(2000, Turn(-WHEEL_DELTA));
    EXPECT_EQ(2000, Turn(-3 * WHEEL_DELTA));
}

TEST(WheelLines, WithoutASourceTheSystemSettingCounts)
{
    UINT system = 0;
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &system, 0));
    EXPECT_EQ(system, AfxGetWheelScrollLines());
    {
        ScopedWheelLines five(5);
        EXPECT_EQ(5u, AfxGetWheelScrollLines());
    }
    EXPECT_EQ(system, AfxGetWheelScrollLines());
}
