#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "results/file_info.h"

// Rename, delete, copy and move of the listed files. The decisions live here:
// which rows leave the list after the shell has done its part, what the status
// line counts, and which names a rename accepts. The Win32 side supplies the
// host: the list, the dialog, the shell and the file system.

// The system's error code for a name the file system refuses.
inline constexpr int kErrorInvalidName = 123;

// The shell's functions, by the numbers the shell gives them.
enum class ShellFunction { Move = 1, Copy = 2, Delete = 3 };

// What a look at a path finds: whether a file is there, its size and its
// time of last write.
struct FileStamp {
    bool exists = false;
    uint64_t size = 0;
    int64_t lastWrite = 0;
    bool operator==(const FileStamp&) const = default;
};

struct SelectedFile {
    int row;           // in the File Info List
    std::string path;  // JoinPath of the row's item
};

class FileOperationHost {
  public:
    virtual ~FileOperationHost() = default;
    // The selected rows in list order.
    virtual std::vector<SelectedFile> SelectedFiles() = 0;
    // The Copy/Move dialog: false on Cancel or when the text cannot be made absolute.
    virtual bool AskTargetDirectory(const char* verb, int count, std::string& target) = 0;
    // The shell's operation with its own confirmations, unless `confirmed`
    // (the user has already agreed to replace files); `destinations` is a
    // list like `sources`, one path per source when `onePerSource`. What it
    // did is read from the disk afterwards, not from its report.
    virtual void RunShellOperation(ShellFunction function, const std::string& sources,
                                   const std::string& destinations, bool onePerSource,
                                   bool confirmed) = 0;
    virtual bool FileExists(const std::string& path) = 0;
    virtual FileStamp StampOf(const std::string& path) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool AskYesNo(const std::string& text) = 0;
    // Removes the rows (ascending) from the list; the focus moves as for a deletion.
    virtual void RemoveRows(const std::vector<int>& rows) = 0;
    virtual void ShowStatus(const std::string& text) = 0;
    virtual void ShowWarning(const std::string& text) = 0;
};

// The shell's list of paths: each ended by a NUL, the whole by one more.
std::string BuildShellFileList(const std::vector<SelectedFile>& files);
// The same list of each file's name in `directory`.
std::string BuildShellTargetList(const std::vector<SelectedFile>& files,
                                 const std::string& directory);

// The question before a move onto files that are already there, naming them
// (as many as fit a message box).
std::string ReplaceQuestion(const std::vector<std::string>& names, const std::string& directory);

// The target dialog's field at opening: the current directory, ended by a
// separator, so a typed name lands inside it.
std::string TargetDirectoryPreset(std::string current);

// The three commands; each returns the number of files it reports done.
int DeleteSelectedFiles(FileOperationHost& host);
int CopySelectedFiles(FileOperationHost& host);
int MoveSelectedFiles(FileOperationHost& host);

// 0 when `name` names a file in the same directory, else the error code of
// the refusal: separators, a drive, wildcards and device-reserved characters
// would send a rename elsewhere or fail half way.
int CheckRenameName(std::string_view name);

class RenameHost {
  public:
    virtual ~RenameHost() = default;
    // 0 on success, else the system's error code.
    virtual int RenameFile(const std::string& from, const std::string& to) = 0;
    virtual void ShowWarning(const std::string& text) = 0;
};

// The end of an in-place edit of a row's name: renames the file on disk and
// the item with it. `edited` is null when the edit was cancelled. True keeps
// the new label.
bool EndRename(RenameHost& host, FileInfoItem* item, const char* edited);
