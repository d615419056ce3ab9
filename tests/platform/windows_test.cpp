#include "platform/platform.h"
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

using platform::WindowEvent;

namespace {

std::vector<WindowEvent> events;
bool done = false;

void recordEvent(platform::Window, WindowEvent event, platform::Canvas) {
    events.push_back(event);
    if (event == WindowEvent::LeftClick)
        done = true;
}

class Win32Window : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(platform::registerWindowClass("Ombrix Test", nullptr, recordEvent));
    }
    void SetUp() override {
        events.clear();
        done = false;
        window = platform::createPopupWindow("Ombrix Test", "Test", {40, 30, 340, 230});
        ASSERT_TRUE(window);
    }
    void TearDown() override { platform::destroyWindow(window); }

    HWND hwnd() const { return reinterpret_cast<HWND>(window); }
    platform::Window window = nullptr;
};

} // namespace

TEST_F(Win32Window, AClassIsRegisteredOnce) {
    EXPECT_FALSE(platform::registerWindowClass("Ombrix Test", nullptr, recordEvent));
}

TEST_F(Win32Window, IsCreatedHiddenInItsPlaceWithItsCaption) {
    EXPECT_EQ(events, std::vector<WindowEvent>{WindowEvent::Created});
    EXPECT_FALSE(IsWindowVisible(hwnd()));
    RECT rect{};
    GetWindowRect(hwnd(), &rect);
    EXPECT_EQ(rect.left, 40);
    EXPECT_EQ(rect.top, 30);
    EXPECT_EQ(rect.right, 340);
    EXPECT_EQ(rect.bottom, 230);
    EXPECT_TRUE(GetWindowLongA(hwnd(), GWL_STYLE) & WS_CAPTION);
}

TEST_F(Win32Window, ItsLoopServesPaintTimerAndClickUntilDone) {
    platform::showWindow(window, SW_SHOWNORMAL);
    platform::startTimer(window, 1, 10);
    PostMessageA(hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    platform::runWindowLoop(window, done);
    EXPECT_TRUE(done);
    EXPECT_EQ(events.back(), WindowEvent::LeftClick);
}

TEST_F(Win32Window, ACloseRequestDestroysTheWindow) {
    SendMessageA(hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(events, (std::vector<WindowEvent>{WindowEvent::Created, WindowEvent::CloseRequest,
                                                WindowEvent::Destroyed}));
    EXPECT_FALSE(IsWindow(hwnd()));
}

TEST_F(Win32Window, ItsLoopEndsWhenTheWindowHasGone) {
    platform::destroyWindow(window);
    platform::runWindowLoop(window, done);
    EXPECT_FALSE(done);
}

TEST_F(Win32Window, TheDesktopStartsAtTheOrigin) {
    const platform::Rect desktop = platform::desktopRect();
    EXPECT_EQ(desktop.left, 0);
    EXPECT_EQ(desktop.top, 0);
    EXPECT_GT(desktop.right, 0);
    EXPECT_GT(desktop.bottom, 0);
}
