#include "about/about_window.h"

#include "about/about_layout.h"
#include "base/desktop.h"
#include "base/folders.h"
#include "base/texts.h"
#include "files/settings.h"
#include "ids.h"
#include "text/fixed_text.h"

ShellRecord<WelcomeWindow> welcome;

int welcomeExtent(int desktopEdge) {
    return static_cast<int>(static_cast<float>(desktopEdge) / 2.5f);
}

namespace {

using platform::Canvas;

constexpr platform::Colour red{255, 0, 0};
constexpr platform::Colour black{0, 0, 0};
constexpr platform::Colour blue{0, 0, 255};
constexpr int noticeRuleCharacters = 46;

// Lines are drawn as whole fields, their padding included, as the window always has.
std::string line(std::string_view text) {
    return std::string(FixedText<100>(text).whole());
}

platform::Font createTitleFont(int pixelsPerInchY) {
    return platform::createFont({fontHeight(14, pixelsPerInchY), 600, true, "TmsRoman"});
}

platform::Font createParagraphFont(int pixelsPerInchY) {
    return platform::createFont({fontHeight(9, pixelsPerInchY), 400, false, "Arial"});
}

// The metrics of a font, or of the one in use when it was not made.
platform::FontMetrics metricsOf(Canvas canvas, platform::Font font) {
    if (!font)
        return platform::fontMetrics(canvas);
    platform::Font previous = platform::selectFont(canvas, font);
    const platform::FontMetrics metrics = platform::fontMetrics(canvas);
    platform::selectFont(canvas, previous);
    return metrics;
}

void drawTitle(Canvas canvas, const AboutLayout& layout, platform::Font titleFont) {
    platform::Font previous = titleFont ? platform::selectFont(canvas, titleFont) : nullptr;
    platform::setTextColour(canvas, red);
    platform::drawText(canvas, layout.title.x, layout.title.y, shellText(Text::aboutProgram));
    if (titleFont)
        platform::selectFont(canvas, previous);
    platform::setTextColour(canvas, black);
    platform::drawText(canvas, layout.forWindows.x, layout.forWindows.y,
                       line(shellText(Text::aboutForWindows)));
    platform::setTextColour(canvas, red);
    platform::drawText(canvas, layout.firstSpacer.x, layout.firstSpacer.y, "  ");
    platform::drawText(canvas, layout.analysisLine.x, layout.analysisLine.y,
                       line(shellText(Text::aboutAnalysis)));
    platform::drawText(canvas, layout.structuresLine.x, layout.structuresLine.y,
                       line(shellText(Text::aboutStructures)));
    platform::drawText(canvas, layout.secondSpacer.x, layout.secondSpacer.y, "  ");
}

void drawNotice(Canvas canvas, const AboutLayout& layout) {
    platform::setTextColour(canvas, blue);
    platform::drawText(canvas, layout.notice.x, layout.notice.y,
                       line(shellText(Text::aboutNotice)));
    platform::drawLine(canvas, layout.ruleStart.x, layout.ruleStart.y, layout.ruleEnd.x,
                       layout.ruleEnd.y);
}

void drawWarning(Canvas canvas, const AboutLayout& layout, int pixelsPerInchY) {
    platform::Font paragraphFont = createParagraphFont(pixelsPerInchY);
    platform::Font previous = paragraphFont ? platform::selectFont(canvas, paragraphFont) : nullptr;
    platform::setTextColour(canvas, black);
    // Without the field's padding, which would wrap the last word onto a line of its own.
    platform::drawParagraph(canvas, layout.paragraph,
                            FixedText<300>(shellText(Text::aboutWarning)).trimmed());
    if (paragraphFont) {
        platform::selectFont(canvas, previous);
        platform::deleteFont(paragraphFont);
    }
}

void paint(Canvas canvas) {
    AboutMetrics metrics;
    metrics.pixelsPerInchX = platform::pixelsPerInchX(canvas);
    metrics.pixelsPerInchY = platform::pixelsPerInchY(canvas);
    platform::Font titleFont = createTitleFont(metrics.pixelsPerInchY);
    metrics.title = metricsOf(canvas, titleFont);
    metrics.normal = platform::fontMetrics(canvas);
    metrics.noticeWidth = platform::textWidth(
        canvas, FixedText<noticeRuleCharacters>(shellText(Text::aboutNotice)).whole());
    const AboutLayout layout = aboutLayout(metrics);

    platform::drawProgramIcon(canvas, IDI_OMBRIX, layout.icon.x, layout.icon.y);
    drawTitle(canvas, layout, titleFont);
    platform::deleteFont(titleFont);
    drawNotice(canvas, layout);
    drawWarning(canvas, layout, metrics.pixelsPerInchY);
}

void playWelcomeSound() {
    if (!welcome.welcomeDone && settings.soundOn)
        platform::playSound(folders.wavDir.str() + "OmbrixWelcome.wav");
}

// Closes the welcome window and ends the welcome phase; later clicks and ticks find
// nothing to close.
void endWelcome() {
    if (!welcome.welcomeDone)
        platform::destroyWindow(welcome.window);
    welcome.welcomeDone = true;
}

} // namespace

void aboutWindowProcedure(platform::Window window, platform::WindowEvent event, Canvas canvas) {
    switch (event) {
    case platform::WindowEvent::Paint: paint(canvas); break;
    case platform::WindowEvent::Painted:
        playWelcomeSound();
        // The welcome window closes three seconds after its painting and its sound.
        if (!welcome.welcomeDone)
            platform::startTimer(welcome.window, welcomeTimerId, welcomeTimerMilliseconds);
        break;
    case platform::WindowEvent::Timer:
    case platform::WindowEvent::LeftClick: endWelcome(); break;
    case platform::WindowEvent::CloseRequest: welcome.welcomeDone = true; break;
    case platform::WindowEvent::Destroyed: std::erase(welcome.aboutWindows, window); break;
    case platform::WindowEvent::Created: break;
    }
}

bool registerWelcomeClass(platform::Icon icon) {
    return platform::registerWindowClass(welcomeClassName, icon, aboutWindowProcedure);
}

bool showWelcomeWindow(int showCommand) {
    const platform::Rect desktop = platform::desktopRect();
    welcome.welcomeWidth = welcomeExtent(desktop.right);
    welcome.welcomeHeight = welcomeExtent(desktop.bottom);
    welcome.window = platform::createPopupWindow(
        welcomeClassName, shellText(Text::welcomeTitle),
        centredOnDesktop(welcome.welcomeWidth, welcome.welcomeHeight));
    if (!welcome.window)
        return false;
    platform::showWindow(welcome.window, showCommand);
    return true;
}

void runWelcomePhase() {
    welcome.welcomeDone = false;
    platform::runWindowLoop(welcome.window, welcome.welcomeDone);
}

void onAboutButton(platform::Dialog, int, platform::ControlEvent) {
    constexpr int show = 5; // SW_SHOW: as it stands, activated
    platform::Window about =
        platform::createPopupWindow(welcomeClassName, shellText(Text::aboutTitle),
                                    centredOnDesktop(welcome.welcomeWidth, welcome.welcomeHeight));
    if (!about)
        return;
    welcome.aboutWindows.push_back(about);
    platform::showWindow(about, show);
}

void closeAboutWindows() {
    for (const platform::Window about : std::vector(welcome.aboutWindows))
        platform::destroyWindow(about);
}
