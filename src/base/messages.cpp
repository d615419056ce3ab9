#include "base/messages.h"

#include "platform/platform.h"

void showShellError(std::string_view text) {
    platform::showMessage(text, shellMessageTitle, platform::MessageIcon::Error);
}

void showShellInformation(std::string_view text) {
    platform::showMessage(text, shellMessageTitle, platform::MessageIcon::Information);
}
