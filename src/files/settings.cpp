#include "files/settings.h"

#include "files/shell_files.h"
#include "ids.h"
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
    // A file without a readable value leaves the sounds off; the panel's set-up then
    // writes it again.
    const std::optional<std::string> contents = readShellFile(soundFileName);
    settings.soundOn = contents && firstLogical(*contents).value_or(false);
}

bool saveSoundSetting() {
    return writeShellFile(soundFileName, joinLines({formatLogical(settings.soundOn)}));
}

bool saveLanguageFile() {
    return writeShellFile(languageFileName,
                          joinLines({std::string(settings.outputLanguage.whole())}));
}

void showSoundSetting(platform::Dialog dialog) {
    platform::setChecked(dialog, IDC_SOUND_BOX, settings.soundOn);
    platform::setText(dialog, IDC_SOUND_BOX, settings.soundOn ? "Sound On" : "Sound Off");
}

void onSoundBox(platform::Dialog dialog, int, platform::ControlEvent) {
    settings.soundOn = platform::isChecked(dialog, IDC_SOUND_BOX);
    showSoundSetting(dialog);
    saveSoundSetting();
    reportUnsavedShellFiles();
}

void takeListType(platform::Dialog dialog) {
    settings.listType = platform::selectedItemText(dialog, IDC_LIST_TYPE);
}

void takeOutputLanguage(platform::Dialog dialog) {
    settings.outputLanguage = platform::selectedItemText(dialog, IDC_OUTPUT_LANGUAGE);
    saveLanguageFile();
    reportUnsavedShellFiles();
}
