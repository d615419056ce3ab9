#include "dialog_templates.h"

#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace fake {

namespace {

std::string resourceFile(const std::string& name) {
    std::ifstream file(std::string(OMBRIX_RESOURCES_DIR) + "/" + name);
    if (!file)
        throw std::runtime_error("cannot read resources/" + name);
    std::ostringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

// The numeric values of the names that ids.h defines.
std::map<std::string, int> resourceIds() {
    std::map<std::string, int> ids;
    const std::string header = resourceFile("ids.h");
    const std::regex define(R"(#define\s+(\w+)\s+\(?(-?\d+)\)?)");
    for (auto it = std::sregex_iterator(header.begin(), header.end(), define);
         it != std::sregex_iterator(); ++it)
        ids[(*it)[1]] = std::stoi((*it)[2]);
    return ids;
}

// The comma-separated arguments of a control statement; quoted texts keep their commas.
std::vector<std::string> arguments(const std::string& text) {
    std::vector<std::string> result(1);
    bool quoted = false;
    for (char c : text) {
        if (c == '"')
            quoted = !quoted;
        if (c == ',' && !quoted)
            result.emplace_back();
        else
            result.back() += c;
    }
    for (std::string& argument : result)
        argument = std::regex_replace(argument, std::regex(R"(^\s+|\s+$)"), "");
    return result;
}

std::string unquoted(std::string text) {
    text = text.substr(1, text.size() - 2);
    return std::regex_replace(text, std::regex(R"(\\n)"), "\n");
}

ControlKind kindOf(const std::string& keyword, const std::string& className,
                   const std::string& styles) {
    if (keyword == "EDITTEXT")
        return ControlKind::Edit;
    if (keyword == "LISTBOX")
        return ControlKind::ListBox;
    if (keyword == "COMBOBOX")
        return ControlKind::ComboBox;
    if (keyword == "GROUPBOX" || styles.find("BS_GROUPBOX") != std::string::npos)
        return ControlKind::GroupBox;
    if (styles.find("BS_AUTOCHECKBOX") != std::string::npos)
        return ControlKind::CheckBox;
    if (keyword == "PUSHBUTTON" || keyword == "DEFPUSHBUTTON" || className == "\"Button\"")
        return ControlKind::PushButton;
    return ControlKind::Static;
}

// One control statement of a template: its id and what the fake makes of it.
std::pair<std::string, ControlTemplate> control(const std::string& line) {
    std::istringstream words(line);
    std::string keyword;
    words >> keyword;
    std::string rest;
    std::getline(words, rest);
    const std::vector<std::string> args = arguments(rest);
    const bool captioned = !args.empty() && !args[0].empty() && args[0][0] == '"';
    const std::string id = args.at(captioned ? 1 : 0);
    const std::string className = keyword == "CONTROL" ? args.at(2) : "";
    ControlTemplate made{kindOf(keyword, className, line), captioned ? unquoted(args[0]) : "",
                         line.find("NOT WS_VISIBLE") == std::string::npos,
                         line.find("LBS_MULTIPLESEL") != std::string::npos};
    return {id, made};
}

std::map<int, DialogTemplate> readTemplates() {
    const std::map<std::string, int> ids = resourceIds();
    std::map<int, DialogTemplate> templates;
    std::istringstream script(resourceFile("ombrix.rc"));
    DialogTemplate* current = nullptr;
    bool inside = false;
    const std::regex dialogStart(R"(^(\w+)\s+DIALOG\b)");
    for (std::string line; std::getline(script, line);) {
        std::smatch match;
        if (std::regex_search(line, match, dialogStart)) {
            current = &templates[ids.at(match[1])];
        } else if (current && line.rfind("BEGIN", 0) == 0) {
            inside = true;
        } else if (current && line.rfind("END", 0) == 0) {
            current = nullptr;
            inside = false;
        } else if (inside && line.find_first_not_of(" \t\r") != std::string::npos) {
            const auto [id, made] = control(line);
            const int value = ids.at(id);
            if (value >= 0)
                (*current)[value] = made;
        }
    }
    return templates;
}

} // namespace

const DialogTemplate& dialogTemplate(int templateId) {
    static const std::map<int, DialogTemplate> templates = readTemplates();
    const auto found = templates.find(templateId);
    if (found == templates.end())
        throw std::out_of_range("no dialog template " + std::to_string(templateId));
    return found->second;
}

} // namespace fake
