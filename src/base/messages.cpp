#include "base/messages.h"

#include "platform/platform.h"
#include "text/quoting.h"

void showShellError(std::string_view text) {
    platform::showMessage(text, shellMessageTitle, platform::MessageIcon::Error);
}

void showShellInformation(std::string_view text) {
    platform::showMessage(text, shellMessageTitle, platform::MessageIcon::Information);
}

void reportMissingFile(std::string_view name) {
    showShellError(quoted(name) + ": File does not exist.\n\nCheck for File Name !");
}
