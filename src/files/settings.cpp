#include "files/settings.h"

#include "files/shell_files.h"
#include "text/text_file.h"

Settings settings;

void loadSoundSetting() {
    if (!shellFileExists(soundFileName)) {
        // A first run: the sounds stay off, and the file is written again with that
        // value once the panel is set up.
        settings.soundOn = false;
        writeShellFile(soundFileName, joinLines({formatLogical(true)}));
        return;
    }
    std::optional<bool> value;
    if (std::optional<std::string> contents = readShellFile(soundFileName)) {
        std::vector<std::string> lines = splitLines(*contents);
        if (!lines.empty())
            value = parseLogical(lines.front());
    }
    settings.soundOn = value.value_or(false);
}

bool saveSoundSetting() {
    return writeShellFile(soundFileName, joinLines({formatLogical(settings.soundOn)}));
}

bool saveLanguageFile() {
    return writeShellFile(languageFileName,
                          joinLines({std::string(settings.outputLanguage.whole())}));
}
