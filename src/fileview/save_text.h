#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "files/text_files.h"

// FileView's Save and Replace in Files over the file layer, with the limits of
// EditView's text and the messages the user reads.

// EditView's text model: a text of this many characters or more is not saved.
constexpr size_t kSaveTextLimit = 65535;

enum class SaveResult {
    Saved,
    CannotOpen,   // the target can neither be opened for writing nor created
    TooLarge,     // kSaveTextLimit characters or more
    NoMemory,     // no room for the copy of the text
    NoTempFile,   // the temporary file could not be made; no message of its own
    WriteFailed,  // short write, flush or close
    ReadOnly,     // the target is read-only or in use
    ReplaceFailed,
};

// The message the user sees for a result; nullptr for Saved and NoTempFile.
const char* SaveFailureText(SaveResult result);

// Writes `text` over the file at `path`. On any failure the target is left as
// it was (a target that did not exist is not left behind either) and no
// temporary file remains.
SaveResult SaveTextToFile(TextFileLayer& files, const std::string& path, std::string_view text);

// The first half of a save, for Replace in Files' pending files: `text` in a
// new temporary file in `directory`, whose full path goes to `tempPath`. On
// failure no temporary file remains.
SaveResult SaveToNewTempFile(TextFileLayer& files, const std::string& directory,
                             std::string_view text, std::string& tempPath);
// The second half: the written temporary file replaces `path`. On failure the
// temporary file is removed, unless `keptOnlyCopy` is given and the failed
// move lost the target: the temporary file then holds the only copy of the
// text, stays, and *keptOnlyCopy says so.
SaveResult MoveTempFileOver(TextFileLayer& files, const std::string& tempPath,
                            const std::string& path, bool* keptOnlyCopy = nullptr);
