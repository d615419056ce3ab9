#pragma once

#include "text/fixed_text.h"

// The panel's three user settings. The sound setting is kept between runs in
// "Sound.dat"; the output language is handed to the suite's programs through
// "language.dat" while the shell runs; the list type lives for one run.
struct Settings {
    bool soundOn = false;
    ListTypeText listType{"Short"};
    LanguageText outputLanguage{"English"};
};

extern Settings settings;

inline constexpr const char* soundFileName = "Sound.dat";
inline constexpr const char* languageFileName = "language.dat";

// Start-up: reads the sound setting, or creates "Sound.dat" when there is none.
// A file without a readable logical value leaves the sounds off.
void loadSoundSetting();

// Writes soundOn as the single line " T" or " F". False when the file could not be
// written; the setting in memory is kept either way.
bool saveSoundSetting();

// Writes outputLanguage as one line of exactly 20 characters.
bool saveLanguageFile();
