#pragma once

#include "launch/launch.h"
#include "platform/platform.h"

#include <optional>

// The user's guide in Word, in the output language when that edition is there, and the
// compiled help file in the help viewer. Both are looked for in the installation's
// folders, whatever folder the user has browsed to. Nothing when a message or the user's
// answer stops the press.
std::optional<LaunchCommand> usersGuideCommand(platform::Dialog dialog);
std::optional<LaunchCommand> helpCommand();
