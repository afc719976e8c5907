// A class can change the styles of its window before it is made, or refuse to make it.
#include "framework/CWnd.h"

#include <gtest/gtest.h>

namespace {

class BorderedWnd : public CWnd {
public:
    bool Refuse = false;

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override {
        cs.style |= WS_VSCROLL;
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
        return Refuse ? FALSE : CWnd::PreCreateWindow(cs);
    }
};

TEST(PreCreateWindow, StylesAddedBeforeCreationReachTheWindow) {
    for (const char* className : {static_cast<const char*>(nullptr), "STATIC"}) {
        BorderedWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, className, "", WS_POPUP, RECT{0, 0, 50, 50}, nullptr, 0));
        EXPECT_TRUE(wnd.GetStyle() & WS_VSCROLL);
        EXPECT_TRUE(wnd.GetExStyle() & WS_EX_CLIENTEDGE);
    }
}

TEST(PreCreateWindow, FalseMakesNoWindow) {
    BorderedWnd wnd;
    wnd.Refuse = true;
    EXPECT_FALSE(wnd.CreateEx(0, nullptr, "", WS_POPUP, RECT{0, 0, 50, 50}, nullptr, 0));
    EXPECT_EQ(wnd.m_hWnd, nullptr);
}

}  // namespace
