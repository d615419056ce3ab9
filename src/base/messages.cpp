#include "base/messages.h"

#include "base/texts.h"
#include "platform/platform.h"
#include "text/quoting.h"

void showShellError(std::string_view text) {
    platform::showMessage(text, shellText(Text::messageTitle), platform::MessageIcon::Error);
}

void showShellInformation(std::string_view text) {
    platform::showMessage(text, shellText(Text::messageTitle), platform::MessageIcon::Information);
}

void reportMissingFile(std::string_view name) {
    showShellError(shellText(Text::fileDoesNotExist, {name}));
}
