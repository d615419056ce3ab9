#pragma once

#include "base/shell_record.h"
#include "platform/platform.h"
#include "text/fixed_text.h"

#include <string>

// The panel's three user settings. The sound setting is kept between runs in
// "Sound.dat"; the output language is handed to the suite's programs through
// "language.dat" while the shell runs; the list type lives for one run.
struct Settings {
    bool soundOn = false;
    ListTypeText listType{"Short"};
    LanguageText outputLanguage{"English"};
};

extern ShellRecord<Settings> settings;

// Start-up: reads the sound setting, or creates "Sound.dat" when there is none.
// A file without a readable logical value leaves the sounds off.
void loadSoundSetting();

// Writes soundOn as the single line " T" or " F". False when the file could not be
// written; the setting in memory is kept either way.
bool saveSoundSetting();

// Writes outputLanguage as one line of exactly 20 characters.
bool saveLanguageFile();

// The sound box shows the setting: checked with "Sound On", or clear with "Sound Off".
void showSoundSetting(platform::Dialog dialog);

// Click handler of the sound box: takes its new state and keeps it in "Sound.dat".
void onSoundBox(platform::Dialog dialog, int controlId, platform::ControlEvent event);

// The list type and the language as the user selected them in their lists; a new
// language is handed to the suite's programs at once through "language.dat".
void takeListType(platform::Dialog dialog);
void takeOutputLanguage(platform::Dialog dialog);
// The language as its list shows it, not handed on.
void rereadOutputLanguage(platform::Dialog dialog);

// The panel's set-up: the list type "Short", and the language the suite's shared
// parameters name (or English), both selected in their lists; the language handed on.
void showListTypeStartValue(platform::Dialog dialog);
void showLanguageStartValue(platform::Dialog dialog);
