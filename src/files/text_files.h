#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Writing a user's file without ever losing the only copy: the new bytes go
// to a temporary file beside the target, are flushed, and then replace the
// target in one step. FileView's Save, Replace in Files and the settings file
// all write this way, through one layer that tests can fail at any step.

// Which file a path leads to, and the state it was in: another spelling of
// the path (another drive letter, "..") leads to the same volume and index.
struct FileStamp {
    bool known = false;  // false: the file could not be looked at
    uint32_t volume = 0;
    uint64_t index = 0;
    uint64_t size = 0;
    uint64_t lastWrite = 0;  // the platform's ticks
};

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
    // The whole file when it is below `limit` bytes; ZeroByte when it holds a
    // zero byte (`text` then has every byte all the same).
    virtual Read ReadWhole(const std::string& path, size_t limit, std::string& text) = 0;
    // The file's identity, size and last write; stamp.known false when it cannot be looked at.
    virtual FileStamp Identify(const std::string& path) = 0;
    // The platform's code of the last failed step (a removal never sets it).
    virtual int LastError() = 0;
};

enum class FileWrite { Written, NoTempFile, WriteFailed, ReadOnly, ReplaceFailed };

// The directory a temporary file for `path` goes to: the path up to its last
// separator (a root keeps its backslash), "." for a bare name.
std::string TempDirectoryFor(const std::string& path);

// `text` in a new temporary file in `directory`, whose full path goes to
// `tempPath`. On failure no temporary file remains.
FileWrite WriteTempFile(TextFileLayer& files, const std::string& directory, std::string_view text,
                        std::string& tempPath);

// The written temporary file replaces `path`. On failure the temporary file
// is removed, unless `keptOnlyCopy` is given and the failed move lost the
// target: the temporary file then holds the only copy, stays, and
// *keptOnlyCopy says so.
FileWrite ReplaceWithTempFile(TextFileLayer& files, const std::string& tempPath,
                              const std::string& path, bool* keptOnlyCopy = nullptr);

// Both steps: `text` over the file at `path` (which need not exist). On
// failure the file keeps its bytes and no temporary file remains.
FileWrite WriteFileReplacing(TextFileLayer& files, const std::string& path, std::string_view text);
