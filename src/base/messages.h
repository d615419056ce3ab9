#pragma once

#include <string_view>

// The shell tells the user of failures and refusals in message boxes titled
// "OMBRIX Message" (Text::messageTitle).

void showShellError(std::string_view text);
void showShellInformation(std::string_view text);

// A named file that is not there: the name in quotes, "File does not exist.", and a hint.
void reportMissingFile(std::string_view name);
