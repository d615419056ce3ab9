#include "ids.h"
#include "platform/platform.h"
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

using platform::ControlEvent;

namespace {

// The manifest asks for common controls 6, whose classes must be loaded first.
const bool commonControlsLoaded = [] {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    return InitCommonControlsEx(&controls) != FALSE;
}();

struct Notification {
    int controlId;
    ControlEvent event;
    bool operator==(const Notification&) const = default;
};

std::vector<Notification> notifications;

void record(platform::Dialog, int controlId, ControlEvent event) {
    notifications.push_back({controlId, event});
}

bool destroyedCalled = false;
void recordDestroyed(platform::Dialog) {
    destroyedCalled = true;
}

// A handler that acts as the user once more while it runs.
void clickAllWhileRunning(platform::Dialog dialog, int controlId, ControlEvent event);

// This thread's dialog of the given title.
HWND dialogWindow(const char* title) {
    struct Search {
        const char* title;
        HWND found = nullptr;
    } search{title};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM parameter) {
            auto* wanted = reinterpret_cast<Search*>(parameter);
            char text[32] = {};
            GetWindowTextA(window, text, sizeof(text));
            if (lstrcmpA(text, wanted->title) != 0)
                return TRUE;
            wanted->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND panelWindow() {
    return dialogWindow("OMBRIX");
}

void clickAllWhileRunning(platform::Dialog, int controlId, ControlEvent event) {
    notifications.push_back({controlId, event});
    SendMessageA(GetDlgItem(panelWindow(), IDC_ALL_CASES), BM_CLICK, 0, 0);
}

class Win32Dialog : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(commonControlsLoaded);
        notifications.clear();
        destroyedCalled = false;
        dialog = platform::createDialog(IDD_PANEL);
        ASSERT_TRUE(dialog);
        window = panelWindow();
        ASSERT_TRUE(window);
    }
    void TearDown() override {
        if (IsWindow(window))
            platform::destroyDialog(dialog);
    }

    HWND item(int controlId) const { return GetDlgItem(window, controlId); }
    void listen(int controlId, ControlEvent event) {
        platform::onControlEvent(dialog, controlId, event, record);
    }

    platform::Dialog dialog = nullptr;
    HWND window = nullptr;
};

} // namespace

TEST_F(Win32Dialog, IsCreatedHiddenFromItsTemplate) {
    EXPECT_FALSE(IsWindowVisible(window));
    platform::showDialog(dialog, SW_SHOWNORMAL);
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(Win32Dialog, ValuesThatTheProgramSetsCallNoHandler) {
    listen(IDC_GEOMETRY_FILE, ControlEvent::TextChanged);
    listen(IDC_SOUND_BOX, ControlEvent::Click);
    listen(IDC_OUTPUT_LANGUAGE, ControlEvent::SelectionChanged);
    listen(IDC_TEXT_FILE_LIST, ControlEvent::SelectionChanged);

    platform::setText(dialog, IDC_GEOMETRY_FILE, "C:\\Jobs\\bridge.dat");
    platform::setChecked(dialog, IDC_SOUND_BOX, true);
    platform::setText(dialog, IDC_SOUND_BOX, "Sound On");
    platform::appendItem(dialog, IDC_OUTPUT_LANGUAGE, "English");
    platform::appendItem(dialog, IDC_OUTPUT_LANGUAGE, "Romanian");
    platform::selectItem(dialog, IDC_OUTPUT_LANGUAGE, 2);
    platform::appendItem(dialog, IDC_TEXT_FILE_LIST, "");
    platform::selectItem(dialog, IDC_TEXT_FILE_LIST, 1);
    platform::setItemText(dialog, IDC_TEXT_FILE_LIST, 1, "Geometry File");

    EXPECT_TRUE(notifications.empty());
    EXPECT_EQ(platform::text(dialog, IDC_GEOMETRY_FILE), "C:\\Jobs\\bridge.dat");
    EXPECT_TRUE(platform::isChecked(dialog, IDC_SOUND_BOX));
}

TEST_F(Win32Dialog, TheUsersActionsCallTheirHandlers) {
    listen(IDC_GEOMETRY_FILE, ControlEvent::TextChanged);
    listen(IDC_SOUND_BOX, ControlEvent::Click);
    listen(IDC_OUTPUT_LANGUAGE, ControlEvent::SelectionChanged);
    listen(IDC_TEXT_FILE_LIST, ControlEvent::SelectionChanged);
    listen(IDC_TEXT_FILE_LIST, ControlEvent::DoubleClick);
    platform::appendItem(dialog, IDC_OUTPUT_LANGUAGE, "English");
    platform::appendItem(dialog, IDC_OUTPUT_LANGUAGE, "Romanian");
    platform::selectItem(dialog, IDC_OUTPUT_LANGUAGE, 1);
    for (const char* caption : {"Geometry File", "Loading File"})
        platform::appendItem(dialog, IDC_TEXT_FILE_LIST, caption);

    SendMessageA(item(IDC_GEOMETRY_FILE), WM_CHAR, 'a', 1);
    SendMessageA(item(IDC_SOUND_BOX), BM_CLICK, 0, 0);
    SendMessageA(item(IDC_OUTPUT_LANGUAGE), WM_KEYDOWN, VK_DOWN, 0);
    SendMessageA(item(IDC_TEXT_FILE_LIST), WM_KEYDOWN, VK_DOWN, 0);
    SendMessageA(item(IDC_TEXT_FILE_LIST), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));

    const std::vector<Notification> expected{
        {IDC_GEOMETRY_FILE, ControlEvent::TextChanged},
        {IDC_SOUND_BOX, ControlEvent::Click},
        {IDC_OUTPUT_LANGUAGE, ControlEvent::SelectionChanged},
        {IDC_TEXT_FILE_LIST, ControlEvent::SelectionChanged},
        {IDC_TEXT_FILE_LIST, ControlEvent::DoubleClick},
    };
    EXPECT_EQ(notifications, expected);
    EXPECT_TRUE(platform::isChecked(dialog, IDC_SOUND_BOX));
    EXPECT_EQ(platform::text(dialog, IDC_GEOMETRY_FILE), "a");
    EXPECT_EQ(platform::selectedItem(dialog, IDC_OUTPUT_LANGUAGE), 2);
}

TEST_F(Win32Dialog, AHandlerRunsToTheEndBeforeAnother) {
    platform::onControlEvent(dialog, IDC_SOUND_BOX, ControlEvent::Click, clickAllWhileRunning);
    listen(IDC_ALL_CASES, ControlEvent::Click);
    SendMessageA(item(IDC_SOUND_BOX), BM_CLICK, 0, 0);
    EXPECT_EQ(notifications, (std::vector<Notification>{{IDC_SOUND_BOX, ControlEvent::Click}}));
    SendMessageA(item(IDC_ALL_CASES), BM_CLICK, 0, 0);
    EXPECT_EQ(notifications.size(), 2u);
}

TEST_F(Win32Dialog, AClickStillArrivesAfterAHandlerFailed) {
    platform::onControlEvent(dialog, IDC_SOUND_BOX, ControlEvent::Click,
                             [](platform::Dialog, int, ControlEvent) {
                                 throw std::runtime_error("the handler failed");
                             });
    listen(IDC_ALL_CASES, ControlEvent::Click);
    SendMessageA(item(IDC_SOUND_BOX), BM_CLICK, 0, 0);
    SendMessageA(item(IDC_ALL_CASES), BM_CLICK, 0, 0);
    EXPECT_EQ(notifications, (std::vector<Notification>{{IDC_ALL_CASES, ControlEvent::Click}}));
}

TEST_F(Win32Dialog, EnterInAFieldClicksNothingWithoutADefaultButton) {
    listen(IDC_EXIT, ControlEvent::Click);
    for (int field : {IDC_GEOMETRY_FILE, IDC_LIST_TYPE}) {
        SetFocus(item(field));
        MSG enter{item(field), WM_KEYDOWN, VK_RETURN, 1, 0, {}};
        IsDialogMessageA(window, &enter);
    }
    EXPECT_TRUE(notifications.empty());
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(Win32Dialog, ListsKeepTheirItemsAndSelection) {
    for (int list : {IDC_TEXT_FILE_LIST, IDC_LIST_TYPE}) {
        EXPECT_EQ(platform::selectedItem(dialog, list), 0) << list;
        for (const char* caption : {"", "", "", "New"})
            platform::appendItem(dialog, list, caption);
        platform::selectItem(dialog, list, 3);
        platform::setItemText(dialog, list, 3, "Output File (old)");
        platform::setItemText(dialog, list, 1, "Geometry File");

        EXPECT_EQ(platform::itemCount(dialog, list), 4) << list;
        EXPECT_EQ(platform::itemText(dialog, list, 1), "Geometry File") << list;
        EXPECT_EQ(platform::itemText(dialog, list, 3), "Output File (old)") << list;
        EXPECT_EQ(platform::itemText(dialog, list, 4), "New") << list;
        EXPECT_EQ(platform::selectedItem(dialog, list), 3) << list;
        platform::selectItem(dialog, list, 0);
        EXPECT_EQ(platform::selectedItem(dialog, list), 0) << list;
    }
}

TEST_F(Win32Dialog, ColoursTheBackgroundOfChosenControls) {
    platform::setControlBackground(dialog, IDC_GEOMETRY_FILE, {255, 255, 180});
    platform::setControlBackground(dialog, IDC_PROGRAM_STATUS, {202, 255, 255});
    HDC context = GetDC(item(IDC_GEOMETRY_FILE));

    const struct {
        UINT message;
        int controlId;
        COLORREF colour;
    } cases[] = {
        {WM_CTLCOLOREDIT, IDC_GEOMETRY_FILE, RGB(255, 255, 180)},
        {WM_CTLCOLORLISTBOX, IDC_PROGRAM_STATUS, RGB(202, 255, 255)},
        // Controls without a colour of their own keep the system's.
        {WM_CTLCOLOREDIT, IDC_OUTPUT_FILE, GetSysColor(COLOR_WINDOW)},
        {WM_CTLCOLORLISTBOX, IDC_TEXT_FILE_LIST, GetSysColor(COLOR_WINDOW)},
    };
    for (const auto& c : cases) {
        SetBkColor(context, RGB(1, 2, 3));
        const auto brush = SendMessageA(window, c.message, reinterpret_cast<WPARAM>(context),
                                        reinterpret_cast<LPARAM>(item(c.controlId)));
        LOGBRUSH description{};
        ASSERT_TRUE(GetObjectA(reinterpret_cast<HBRUSH>(brush), sizeof(description), &description))
            << c.controlId;
        EXPECT_EQ(description.lbColor, c.colour) << c.controlId;
        EXPECT_EQ(GetBkColor(context), c.colour) << c.controlId;
    }
    ReleaseDC(item(IDC_GEOMETRY_FILE), context);
}

TEST_F(Win32Dialog, TheEndOfTheSessionIsReported) {
    bool ended = false;
    platform::onSessionEnd(dialog, [&](platform::Dialog) { ended = true; });
    SendMessageA(window, WM_ENDSESSION, FALSE, 0);
    EXPECT_FALSE(ended);
    SendMessageA(window, WM_ENDSESSION, TRUE, 0);
    EXPECT_TRUE(ended);
}

TEST_F(Win32Dialog, DestructionIsReportedAndLaterCallsDoNothing) {
    platform::onDestroyed(dialog, recordDestroyed);
    platform::destroyDialog(dialog);
    EXPECT_TRUE(destroyedCalled);
    EXPECT_FALSE(IsWindow(window));
    platform::setText(dialog, IDC_GEOMETRY_FILE, "late");
    EXPECT_EQ(platform::text(dialog, IDC_GEOMETRY_FILE), "");
    EXPECT_EQ(platform::itemCount(dialog, IDC_TEXT_FILE_LIST), 0);
}

TEST_F(Win32Dialog, ButtonsShowTheirIcons) {
    char path[MAX_PATH] = {};
    GetTempPathA(sizeof(path), path);
    platform::Icon missing = platform::loadIcon(std::string(path) + "no such icon.ico", 0);
    EXPECT_EQ(missing, nullptr);
    HICON icon = LoadIconA(nullptr, IDI_INFORMATION);
    platform::setButtonIcon(dialog, IDC_INPUT, reinterpret_cast<platform::Icon>(icon));
    platform::setButtonIcon(dialog, IDC_ITER, missing);
    EXPECT_EQ(SendMessageA(item(IDC_INPUT), BM_GETIMAGE, IMAGE_ICON, 0),
              reinterpret_cast<LRESULT>(icon));
    EXPECT_EQ(SendMessageA(item(IDC_ITER), BM_GETIMAGE, IMAGE_ICON, 0), 0);
}

TEST(Win32RecentDialog, IsBuiltFromItsTemplate) {
    platform::Dialog recent = platform::createDialog(IDD_RECENT);
    ASSERT_TRUE(recent);
    HWND window = dialogWindow("Recent Dialog");
    ASSERT_TRUE(window);
    const struct {
        int id;
        const char* kind;
        const char* caption;
        LONG styles;
    } controls[] = {
        {IDC_RECENT_LIST, "ListBox", "", LBS_NOTIFY},
        {IDCANCEL, "Button", "Cancel", BS_PUSHBUTTON},
        {IDOK, "Button", "DONE", BS_DEFPUSHBUTTON},
    };
    for (const auto& c : controls) {
        HWND control = GetDlgItem(window, c.id);
        ASSERT_TRUE(control) << c.id;
        char kind[32] = {}, caption[32] = {};
        GetClassNameA(control, kind, sizeof(kind));
        GetWindowTextA(control, caption, sizeof(caption));
        EXPECT_STREQ(kind, c.kind) << c.id;
        EXPECT_STREQ(caption, c.caption) << c.id;
        EXPECT_EQ(GetWindowLongA(control, GWL_STYLE) & c.styles, c.styles) << c.id;
    }
    EXPECT_FALSE(GetWindowLongA(GetDlgItem(window, IDC_RECENT_LIST), GWL_STYLE) &
                 (LBS_MULTIPLESEL | LBS_EXTENDEDSEL));
    platform::destroyDialog(recent);
}
