#include "shell_test.h"

#include "about/about_layout.h"
#include "about/about_window.h"
#include "base/texts.h"
#include "ids.h"
#include "shell/startup.h"
#include "text/fixed_text.h"

#include <cstdint>
#include <string>
#include <vector>

TEST(AboutLayout, PlacesEachPartByTheScreensDensityAndTheFonts) {
    const struct {
        int dpi;
        int titleStep, lineStep;
        Point icon, title, forWindows, spacer, notice, ruleEnd;
        platform::Rect paragraph;
        int titleFontHeight;
    } cases[] = {
        {96,
         23,
         16,
         {12, 12},
         {48, 18},
         {48, 41},
         {24, 57},
         {12, 121},
         {334, 153},
         {12, 177, 492, 273},
         -19},
        {120,
         29,
         20,
         {15, 15},
         {60, 22},
         {60, 51},
         {30, 71},
         {15, 151},
         {337, 191},
         {15, 221, 615, 341},
         -23},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dpi);
        const AboutLayout layout =
            aboutLayout({c.dpi, c.dpi, {c.titleStep, 0}, {c.lineStep, 0}, 322});
        const auto same = [](Point a, Point b) { return a.x == b.x && a.y == b.y; };
        EXPECT_TRUE(same(layout.icon, c.icon));
        EXPECT_TRUE(same(layout.title, c.title));
        EXPECT_TRUE(same(layout.forWindows, c.forWindows));
        EXPECT_TRUE(same(layout.firstSpacer, c.spacer));
        EXPECT_EQ(layout.secondSpacer.y - layout.firstSpacer.y, 3 * c.lineStep);
        EXPECT_TRUE(same(layout.notice, c.notice));
        EXPECT_TRUE(same(layout.ruleStart, {c.notice.x, c.ruleEnd.y}));
        EXPECT_TRUE(same(layout.ruleEnd, c.ruleEnd));
        EXPECT_EQ(layout.paragraph.left, c.paragraph.left);
        EXPECT_EQ(layout.paragraph.top, c.paragraph.top);
        EXPECT_EQ(layout.paragraph.right, c.paragraph.right);
        EXPECT_EQ(layout.paragraph.bottom, c.paragraph.bottom);
        EXPECT_EQ(fontHeight(14, c.dpi), c.titleFontHeight);
    }
}

// The shell with its panel up, as the About button finds it.
class AboutWindow : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        fake::state().welcomeEvents = {platform::WindowEvent::LeftClick};
    }
};

TEST_F(AboutWindow, EachPressOpensOnePaintedInItsColoursThatStaysUntilThePanelCloses) {
    fake::state().mainLoop = [](platform::Dialog panel) {
        fake::click(panel, IDC_ABOUT);
        fake::click(panel, IDC_ABOUT);
        const std::vector<fake::Window>& windows = fake::state().windows;
        ASSERT_EQ(windows.size(), 3u);
        EXPECT_TRUE(windows[1].visible && windows[2].visible);
        const platform::Window about = reinterpret_cast<platform::Window>(std::uintptr_t{2});
        for (auto event : {platform::WindowEvent::LeftClick, platform::WindowEvent::Painted})
            fake::deliver(about, event);
        EXPECT_FALSE(windows[1].destroyed);
        EXPECT_EQ(windows[1].timerMilliseconds, 0);
        fake::click(panel, IDC_EXIT);
    };
    shellMain({false, 1});
    const std::vector<fake::Window>& windows = fake::state().windows;
    ASSERT_EQ(windows.size(), 3u);
    for (std::size_t w = 1; w < 3; ++w) {
        EXPECT_EQ(windows[w].className, "Welcome");
        EXPECT_EQ(windows[w].title, "About OMBRIX");
        EXPECT_EQ(windows[w].width, windows[0].width);
        EXPECT_TRUE(windows[w].destroyed);
    }

    struct Seen {
        std::string what, text;
        int red, blue;
        std::string face;
    };
    std::vector<Seen> seen;
    for (const fake::Drawing& d : fake::state().drawings)
        seen.push_back(
            {d.what, std::string(trimmedText(d.text)), d.colour.red, d.colour.blue, d.face});
    const std::vector<std::pair<std::string, std::string>> expected{
        {"icon", ""},
        {"text", "OMBRIX 2020"},
        {"text", "For Windows"},
        {"text", ""},
        {"text", "Non-Linear Static Analysis of"},
        {"text", "Pin-Jointed Bar and Cable Structures"},
        {"text", ""},
        {"text", shellText(Text::aboutNotice)},
        {"line", ""},
        {"paragraph", shellText(Text::aboutWarning)},
    };
    ASSERT_EQ(seen.size(), expected.size());
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].what, expected[i].first) << i;
        EXPECT_EQ(seen[i].text, expected[i].second) << i;
    }
    EXPECT_EQ(seen[1].face, "TmsRoman");
    EXPECT_EQ(seen[1].red, 255);
    EXPECT_EQ(seen[2].red, 0); // "For Windows" in black
    EXPECT_EQ(seen[2].face, "");
    EXPECT_EQ(seen[4].red, 255);
    EXPECT_EQ(seen[7].blue, 255); // the notice in blue
    EXPECT_EQ(seen[9].face, "Arial");
    EXPECT_EQ(seen[9].blue, 0); // the warning in black
    EXPECT_EQ(fake::state().fontsAlive, 0);
}
