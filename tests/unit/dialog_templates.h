#pragma once

// The dialog templates of the program's resource script, as the fake platform builds its
// dialogs from them: a test that touches a control the real template lacks fails.

#include <map>
#include <string>

namespace fake {

enum class ControlKind { PushButton, CheckBox, Edit, ListBox, ComboBox, Static, GroupBox };

struct ControlTemplate {
    ControlKind kind = ControlKind::Static;
    std::string caption;
    bool visible = true;
    bool multipleSelection = false; // a list box whose clicks toggle one item each
};

using DialogTemplate = std::map<int, ControlTemplate>; // by control id

// The template of the dialog resource; throws when the script has none of that id.
const DialogTemplate& dialogTemplate(int templateId);

} // namespace fake
