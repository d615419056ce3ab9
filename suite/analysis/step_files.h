// How the three steps read and write the files of an analysis: every failure ends the
// step with one message that names the file, the line where there is one, and what to do.
#pragma once

#include "input_error.h"
#include "storage.h"

#include <string>
#include <utility>
#include <vector>

namespace ombrix {

// Ends a step: the message is shown once and added to the output file.
struct StepFailure {
    std::string message;
};

[[noreturn]] void fail(std::string message);

// Ends the step saying why the file could not be written.
[[noreturn]] void failToWrite(const std::string& path, Written written, Language language);

// The full path, or StepFailure when it is too long for the system.
std::string fullPathOf(const Storage& storage, const std::string& path, Language language);

// Whether two paths name one file, as Windows takes names: in any case of their letters.
bool namesOneFile(const Storage& storage, const std::string& one, const std::string& other);

std::string readFile(const Storage& storage, const std::string& path, Language language,
                     const Problem& missing = {Message::CannotRead, {}});
void writeFile(Storage& storage, const std::string& path, const std::string& text,
               Language language);
void appendFile(Storage& storage, const std::string& path, const std::string& text,
                Language language);

// The file read by `read`, or StepFailure naming its line at fault.
template <typename Read>
auto readInput(const std::string& path, const std::string& text, Language language, Read read) {
    try {
        return read(text);
    } catch (const InputError& error) {
        fail(describe(language, path, error.line(), error.problem()));
    }
}

// Output files begin with the report's title; a file that does not (and is not empty)
// belongs to someone else and is never written.
bool mayWriteOutput(const Storage& storage, const std::string& path);

// The message of a failed step, marked as an error, added to the output file when that may
// be written; a new output file begins with the title, as every output file does.
void reportFailure(Storage& storage, const std::string& outputFile, Language language,
                   const std::string& message);

} // namespace ombrix
