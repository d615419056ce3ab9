#include "shell_test.h"

#include "files/recent.h"
#include "ids.h"
#include "shell/startup.h"

#include <string>
#include <vector>

namespace {

using platform::Answer;

const std::string wav = "C:\\Ombrix\\Exe\\Wav\\";

} // namespace

// A run of the shell in which the user starts programs beside it, then closes the panel.
class Shutdown : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        for (const char* program : {"Charts.exe", "Plotter.exe"})
            writeFile(program, "");
        writeFile("C:\\Jobs\\a.dat", "");
        writeFile("recent.dat", "C:\\Jobs\\a.dat\r\n");
    }
};

TEST_F(Shutdown, AsksAboutTheProgramsStillRunningAndEndsThemOnlyOnYes) {
    const struct {
        const char* name;
        int started, endedBefore, failed;
        bool soundOn;
        Answer answer;
        std::string question; // empty: none
        std::vector<std::string> sounds;
        bool endedByShell;
    } cases[] = {
        {"none started", 0, 0, 0, true, Answer::Yes, "", {wav + "GoodBye.wav"}, false},
        {"all ended by themselves", 2, 2, 1, true, Answer::Yes, "", {wav + "GoodBye.wav"}, false},
        {"one running, Yes",
         1,
         0,
         0,
         true,
         Answer::Yes,
         "1 Program Is Still Running!\nWould You Like to Terminate It?",
         {wav + "Running-1.wav", wav + "GoodBye.wav"},
         true},
        {"three running, No",
         4,
         1,
         1,
         true,
         Answer::No,
         "3 Programs Are Still Running!\nWould You Like to Terminate Them?",
         {wav + "Running-2.wav"},
         false},
        {"two running, sounds off, Yes",
         2,
         0,
         0,
         false,
         Answer::Yes,
         "2 Programs Are Still Running!\nWould You Like to Terminate Them?",
         {},
         true},
    };
    forEachRow(cases, [&](const auto& c) {
        SCOPED_TRACE(c.name);
        writeFile("Sound.dat", c.soundOn ? " T\r\n" : " F\r\n");
        fake::state().welcomeEvents = {platform::WindowEvent::LeftClick};
        fake::state().mainLoop = [&](platform::Dialog panel) {
            fake::type(panel, IDC_GEOMETRY_FILE, "C:\\Jobs\\b.dat");
            for (int start = 0; start < c.started; ++start)
                fake::click(panel, IDC_DIAGRAMS);
            fake::state().unstartablePrograms = {"C:\\Ombrix\\Exe\\Plotter.exe"};
            for (int start = 0; start < c.failed; ++start)
                fake::click(panel, IDC_STRUCTURE_GRAPH);
            for (int i = 0; i < c.endedBefore; ++i)
                fake::state().processes[static_cast<std::size_t>(i)].ended = true;
            recentFiles[1] = "C:\\Jobs\\b.dat";
            fake::click(panel, IDC_EXIT);
        };
        std::string recentWhenAsked;
        fake::state().whileShown = [&](const fake::Message&) {
            recentWhenAsked = readFile("recent.dat");
        };
        fake::state().answers = {c.answer};

        EXPECT_EQ(shellMain({false, 1}), 0);
        std::vector<fake::Message> messages;
        for (const fake::Message& message : fake::state().messages)
            if (message.title == "OMBRIX Message")
                messages.push_back(message);
        ASSERT_EQ(messages.size(), c.question.empty() ? 0u : 1u);
        if (!c.question.empty()) {
            EXPECT_EQ(messages[0].text, c.question);
            EXPECT_EQ(messages[0].title, "OMBRIX Message");
            EXPECT_EQ(messages[0].icon, platform::MessageIcon::Information);
            EXPECT_EQ(messages[0].buttons, platform::MessageButtons::YesNo);
            EXPECT_EQ(recentWhenAsked, "C:\\Jobs\\a.dat\r\nC:\\Jobs\\b.dat\r\n");
        }
        EXPECT_EQ(fake::state().sounds, c.sounds);
        const auto& processes = fake::state().processes;
        ASSERT_EQ(processes.size(), static_cast<std::size_t>(c.started));
        for (int i = 0; i < c.started; ++i)
            EXPECT_EQ(processes[static_cast<std::size_t>(i)].endedByShell,
                      c.endedByShell && i >= c.endedBefore)
                << "program " << i;
        EXPECT_FALSE(fileExists("language.dat"));
    });
}

TEST_F(Shutdown, TheEndOfTheSessionKeepsTheRecentListAndRemovesTheLanguageFile) {
    fake::state().welcomeEvents = {platform::WindowEvent::LeftClick};
    fake::state().mainLoop = [&](platform::Dialog panel) {
        recentFiles[1] = "C:\\Jobs\\a.dat";
        recentFiles[0] = "C:\\Jobs\\new.dat";
        fake::endSession(panel);
        EXPECT_EQ(readFile("recent.dat"), "C:\\Jobs\\new.dat\r\nC:\\Jobs\\a.dat\r\n");
        EXPECT_FALSE(fileExists("language.dat"));
        fake::click(panel, IDC_EXIT);
    };
    EXPECT_EQ(shellMain({false, 1}), 0);
}

TEST_F(Shutdown, ARecentListThatCannotBeSavedIsToldInWordsForTheExit) {
    fake::state().welcomeEvents = {platform::WindowEvent::LeftClick};
    fake::state().mainLoop = [&](platform::Dialog panel) {
        recentFiles[0] = "C:\\Jobs\\new.dat";
        fake::state().unwritableFiles.insert("C:\\Ombrix\\Exe\\recent.dat");
        fake::click(panel, IDC_EXIT);
    };
    EXPECT_EQ(shellMain({false, 1}), 0);
    ASSERT_FALSE(fake::state().messages.empty());
    EXPECT_TRUE(fake::state().messages.back().text.ends_with(
        "The settings changed in this session will not be there at the next start."));
}
