#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/temp_prefix.h"

// Writing a text over a file without ever losing the only copy: the text goes
// to a temporary file beside the target, is flushed, and then replaces the
// target in one step. FileView's Save and Replace in Files both write this way.

// EditView's text model: a text of this many characters or more is not saved.
constexpr size_t kSaveTextLimit = 65535;

// Which file a path leads to, and the state it was in: another spelling of
// the path (another drive letter, "..") leads to the same volume and index.
struct FileStamp {
    bool known = false;  // false: the file could not be looked at
    uint32_t volume = 0;
    uint64_t index = 0;
    uint64_t size = 0;
    uint64_t lastWrite = 0;  // the platform's ticks
};

// Every file step of FileView's Save and of Replace in Files, one call per
// step, so tests can fail any one of them. The Win32 side implements it over
// the real file system.
class TextFileLayer {
  public:
    enum class Access { Writable, Missing, ReadOnly, Refused };
    enum class Replaced { Done, ReadOnly, Failed };
    enum class Read { Loaded, Failed, TooLarge, ZeroByte };

    virtual ~TextFileLayer() = default;
    // Opens the target for writing with exclusive access and closes it again,
    // without changing it.
    virtual Access ProbeTarget(const std::string& path) = 0;
    // Creates a new, empty target; fails when one exists.
    virtual bool CreateTarget(const std::string& path) = 0;
    // Creates an empty, uniquely named file with TempPrefix in `directory`.
    virtual bool CreateTempFile(const std::string& directory, std::string& tempPath) = 0;
    // The one file being written: open, write all bytes, flush, close.
    virtual bool OpenForWriting(const std::string& path) = 0;
    virtual bool Write(const char* bytes, size_t count) = 0;
    virtual bool Flush() = 0;
    virtual bool Close() = 0;
    // Moves `from` over `to` in one step: `to` keeps its old bytes or has the new ones.
    virtual Replaced Replace(const std::string& from, const std::string& to) = 0;
    virtual bool Remove(const std::string& path) = 0;
    virtual bool Exists(const std::string& path) = 0;
    // The whole file when it is below `limit` bytes and holds no zero byte.
    virtual Read ReadWhole(const std::string& path, size_t limit, std::string& text) = 0;
    // The file's identity, size and last write; stamp.known false when it cannot be looked at.
    virtual FileStamp Identify(const std::string& path) = 0;
    // The platform's code of the last failed step (a removal never sets it).
    virtual int LastError() = 0;
};

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
