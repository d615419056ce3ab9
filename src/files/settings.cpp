#include "files/settings.h"

#include "base/texts.h"
#include "files/handoff.h"
#include "files/shell_files.h"
#include "ids.h"
#include "text/text_file.h"

ShellRecord<Settings> settings;

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
    platform::setText(dialog, IDC_SOUND_BOX,
                      shellText(settings.soundOn ? Text::soundOn : Text::soundOff));
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

void rereadOutputLanguage(platform::Dialog dialog) {
    settings.outputLanguage = platform::selectedItemText(dialog, IDC_OUTPUT_LANGUAGE);
}

void takeOutputLanguage(platform::Dialog dialog) {
    rereadOutputLanguage(dialog);
    saveLanguageFile();
    reportUnsavedShellFiles();
}

void showListTypeStartValue(platform::Dialog dialog) {
    platform::appendItem(dialog, IDC_LIST_TYPE, shellText(Text::listTypeShort));
    platform::appendItem(dialog, IDC_LIST_TYPE, shellText(Text::listTypeComplete));
    settings.listType = shellText(Text::listTypeShort);
    platform::selectItem(dialog, IDC_LIST_TYPE, 1);
}

void showLanguageStartValue(platform::Dialog dialog) {
    platform::appendItem(dialog, IDC_OUTPUT_LANGUAGE, shellText(Text::languageEnglish));
    platform::appendItem(dialog, IDC_OUTPUT_LANGUAGE, shellText(Text::languageRomanian));
    readSharedLanguage(settings.outputLanguage);
    const char first = settings.outputLanguage.first();
    platform::selectItem(dialog, IDC_OUTPUT_LANGUAGE, first == 'r' || first == 'R' ? 2 : 1);
    // The suite's programs get the language the panel shows: a value that the list does
    // not offer as it stands ("romanian", a word after it) is handed on as the item its
    // first letter selected.
    rereadOutputLanguage(dialog);
    saveLanguageFile();
}
