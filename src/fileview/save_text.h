#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "files/text_files.h"

// FileView's Save and Replace in Files over the file layer, with the limits of
// EditView's text and the messages the user reads.

// EditView's text model: a text of this many characters or more is not saved.
constexpr size_t kSaveTextLimit = 65535;

// Whether two paths lead to one file: by identity when both can be looked
// at, else by their spelling, case ignored.
bool IsSameFile(TextFileLayer& files, const std::string& first, const std::string& second);
// Whether the file at `path` is no longer as `known` found it: another size,
// another last write, or another file put in its place. A file that is gone
// has not "changed": saving makes it again, and nothing of another's is lost.
bool ChangedOnDisk(TextFileLayer& files, const std::string& path, const FileStamp& known);
// The question before writing over a file changed behind FileView's back.
std::string ChangedOnDiskQuestion(const std::string& fileName);

enum class SaveResult {
    Saved,
    CannotOpen,   // the target can neither be opened for writing nor created
    TooLarge,     // kSaveTextLimit characters or more
    NoMemory,     // no room for the copy of the text
    NoTempFile,   // the temporary file could not be made or opened
    WriteFailed,  // short write, flush or close
    ReadOnly,     // the target is read-only or in use
    ReplaceFailed,
};

// The message the user sees for a result; nullptr for Saved. A temporary
// file that cannot be made reads as the target that cannot be opened: either
// way nothing was written, and a Save that says nothing looks like one that
// worked.
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
