#include "view_files.h"

#include "geometry.h"
#include "input_error.h"

namespace ombrix {

Model readModelFile(const Storage& storage, const std::string& path) {
    const std::string file = storage.fullPath(path).value_or(path);
    const std::optional<std::string> text = storage.read(file);
    if (!text)
        throw FileRefused(describe(Language::English, file, 0, {Message::CannotRead, {}}));
    try {
        return readGeometry(*text);
    } catch (const InputError& error) {
        throw FileRefused(describe(Language::English, file, error.line(), error.problem()));
    }
}

} // namespace ombrix
