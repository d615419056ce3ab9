#include "launch/manuals.h"

#include "base/file_search.h"
#include "base/folders.h"
#include "base/messages.h"
#include "base/texts.h"
#include "files/settings.h"
#include "ids.h"
#include "text/quoting.h"

#include <array>
#include <string>

namespace {

constexpr std::array<const char*, 6> wordPaths{
    "c:\\Program Files (x86)\\Microsoft Office\\root\\Office16\\WINWORD.EXE",
    "c:\\Program Files (x86)\\Microsoft Office\\Office14\\WINWORD.EXE",
    "C:\\Program Files\\Microsoft Office\\Office10\\WINWORD.EXE",
    "C:\\Program Files\\Microsoft Office\\Office12\\WINWORD.EXE",
    "C:\\Program Files\\Microsoft Office\\Office11\\WINWORD.EXE",
    "C:\\Program Files\\Microsoft Office\\Office\\WINWORD.EXE",
};

// Word where older installations put it, or where Windows registers today's.
std::optional<std::string> findWord() {
    for (const char* path : wordPaths)
        if (findFile(PathText(path)))
            return path;
    return platform::registeredProgramPath("WINWORD.EXE");
}

// The guide as Word is given it: the Doc folder (which ends in a backslash) and a
// backslash before the name, which Windows reads as one.
std::string guidePath(const char* name) {
    return folders.docDir.str() + "\\" + name;
}

bool askForOtherEdition(Text missing, Text other) {
    return platform::showMessage(
               shellText(Text::otherEdition, {shellText(missing), shellText(other)}),
               shellText(Text::messageTitle), platform::MessageIcon::Error,
               platform::MessageButtons::YesNo) == platform::Answer::Yes;
}

// The guide to open, quoted, in the chosen language or the other one when the user
// agrees; one blank (Word without a document) when neither is there.
std::optional<std::string> guideArgument(bool romanian) {
    const std::string guides[] = {guidePath("Ombrix-ro.doc"), guidePath("Ombrix-en.doc")};
    const bool exists[] = {platform::fileExists(guides[0]), platform::fileExists(guides[1])};
    if (!exists[0] && !exists[1]) {
        showShellError(shellText(Text::guidesMissing));
        return " ";
    }
    const int chosen = romanian ? 0 : 1;
    if (exists[chosen])
        return quoted(guides[chosen]);
    const Text names[] = {Text::languageRomanian, Text::languageEnglish};
    if (!askForOtherEdition(names[chosen], names[1 - chosen]))
        return std::nullopt;
    return quoted(guides[1 - chosen]);
}

// The guide in the chosen language, or the other one when only that one is there.
std::string guideToOpenByHand(bool romanian) {
    const std::string chosen =
        folders.docDir.str() + (romanian ? "Ombrix-ro.doc" : "Ombrix-en.doc");
    const std::string other = folders.docDir.str() + (romanian ? "Ombrix-en.doc" : "Ombrix-ro.doc");
    return !platform::fileExists(chosen) && platform::fileExists(other) ? other : chosen;
}

bool isRomanian(const LanguageText& language) {
    return language.first() == 'r' || language.first() == 'R';
}

} // namespace

std::optional<LaunchCommand> usersGuideCommand(platform::Dialog dialog) {
    rereadOutputLanguage(dialog);
    const bool romanian = isRomanian(settings.outputLanguage);
    const std::optional<std::string> word = findWord();
    if (!word) {
        showShellError(shellText(Text::wordNotFound, {guideToOpenByHand(romanian)}));
        return std::nullopt;
    }
    const std::optional<std::string> guide = guideArgument(romanian);
    if (!guide)
        return std::nullopt;
    return LaunchCommand{*word, *guide};
}

std::optional<LaunchCommand> helpCommand() {
    const std::string viewer = platform::windowsDirectory() + "\\hh.exe";
    for (const char* name : {"\\Ombrix Help 20.chm", "\\Ombrix Help.chm"}) {
        const std::string help = folders.startDir.str() + name;
        if (platform::fileExists(help))
            return LaunchCommand{viewer, help};
    }
    showShellError(shellText(Text::helpMissing));
    return std::nullopt;
}
