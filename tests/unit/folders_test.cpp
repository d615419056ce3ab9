#include "base/desktop.h"
#include "base/folders.h"

#include <gtest/gtest.h>

#include <string>

TEST(InstallationFolders, AreFormedFromTheStartDirectory) {
    const struct {
        std::string start;
        std::string wav, uir, dat, doc;
    } cases[] = {
        {"C:\\Ombrix\\Exe", "C:\\Ombrix\\Exe\\Wav\\", "C:\\Ombrix\\Exe\\Uir\\", "C:\\Ombrix\\Dat\\",
         "C:\\Ombrix\\Doc\\"},
        {"C:\\Program Files\\Ombrix 2020\\Exe", "C:\\Program Files\\Ombrix 2020\\Exe\\Wav\\",
         "C:\\Program Files\\Ombrix 2020\\Exe\\Uir\\", "C:\\Program Files\\Ombrix 2020\\Dat\\",
         "C:\\Program Files\\Ombrix 2020\\Doc\\"},
        // The root of a drive already ends in a backslash.
        {"D:\\", "D:\\\\Wav\\", "D:\\\\Uir\\", "D:\\Dat\\", "D:\\Doc\\"},
        // No backslash at all: the parent is empty.
        {"Exe", "Exe\\Wav\\", "Exe\\Uir\\", "\\Dat\\", "\\Doc\\"},
        {"\\\\server\\share\\Exe", "\\\\server\\share\\Exe\\Wav\\", "\\\\server\\share\\Exe\\Uir\\",
         "\\\\server\\share\\Dat\\", "\\\\server\\share\\Doc\\"},
    };
    for (const auto& c : cases) {
        const InstallationFolders formed = installationFolders(c.start);
        EXPECT_EQ(formed.startDir.trimmed(), c.start);
        EXPECT_EQ(formed.wavDir.trimmed(), c.wav) << c.start;
        EXPECT_EQ(formed.uirDir.trimmed(), c.uir) << c.start;
        EXPECT_EQ(formed.datDir.trimmed(), c.dat) << c.start;
        EXPECT_EQ(formed.docDir.trimmed(), c.doc) << c.start;
    }
}

TEST(InstallationFolders, ALongStartDirectoryIsCutToTheFieldWidth) {
    const std::string start = "C:\\" + std::string(300, 'x');
    const InstallationFolders formed = installationFolders(start);
    EXPECT_EQ(formed.startDir.trimmed(), start.substr(0, 260));
    EXPECT_EQ(formed.datDir.trimmed(), "C:\\Dat\\");
    EXPECT_EQ(formed.wavDir.trimmed().size(), 260u);
}

TEST(CentreOnDesktop, PlacesWindowsInTheMiddleOrAgainstAnEdge) {
    const platform::Rect desktop{0, 0, 1024, 768};
    const struct {
        const char* name;
        platform::Rect window;
        int x, y;
    } cases[] = {
        {"small window", {0, 0, 400, 300}, 312, 234},
        {"odd size truncates", {0, 0, 401, 301}, 311, 233},
        {"window position is ignored", {500, 500, 900, 800}, 312, 234},
        {"as large as the desktop", {0, 0, 1024, 768}, 0, 0},
        {"one pixel wider and taller", {0, 0, 1025, 769}, -1, -1},
        {"much wider and taller", {0, 0, 1500, 1000}, 0, 0},
    };
    for (const auto& c : cases) {
        const Point at = centredPosition(desktop, c.window);
        EXPECT_EQ(at.x, c.x) << c.name;
        EXPECT_EQ(at.y, c.y) << c.name;
    }
}
