#pragma once
// A test's own frame window with a ribbon bar (its member m_wndRibbon), shown without being
// activated and destroyed after each case.
#include "framework/frame.h"
#include "framework/ribbonbar.h"

#include <gtest/gtest.h>

template <class Frame, class Bar = CMFCRibbonBar>
class RibbonFrameTest : public ::testing::Test {
protected:
    void OpenFrame(const char* title, const CRect& rect)
    {
        frame = new Frame;
        ASSERT_TRUE(frame->Create(nullptr, title, WS_OVERLAPPEDWINDOW, rect));
        frame->ShowWindow(SW_SHOWNOACTIVATE);
        frame->UpdateWindow();
        ribbon = &frame->m_wndRibbon;
    }
    void TearDown() override
    {
        if (frame != nullptr)
            frame->DestroyWindow();
    }

    Frame* frame = nullptr;
    Bar* ribbon = nullptr;
};
