#include "fileops/file_operations.h"

#include <cstdio>
#include <new>

namespace {

std::string Formatted(const char* format, int number) {
    char text[256];
    snprintf(text, sizeof text, format, number);
    return text;
}

std::string BaseName(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The files that are there before the shell starts; one already missing was
// not deleted or moved by this command.
std::vector<SelectedFile> PresentFiles(FileOperationHost& host,
                                       const std::vector<SelectedFile>& files) {
    std::vector<SelectedFile> present;
    for (const SelectedFile& file : files)
        if (host.FileExists(file.path)) present.push_back(file);
    return present;
}

// The rows whose files have left their paths; a refused confirmation or a
// failed step leaves a file, and its row, where it was.
std::vector<int> RowsOfVanishedFiles(FileOperationHost& host,
                                     const std::vector<SelectedFile>& files) {
    std::vector<int> rows;
    for (const SelectedFile& file : files)
        if (!host.FileExists(file.path)) rows.push_back(file.row);
    return rows;
}

struct Outcome {
    bool ran = false;
    bool succeeded = false;
    std::string target;
    std::vector<SelectedFile> present;  // before the shell ran
};

Outcome RunFileOperation(FileOperationHost& host, ShellFunction function, const char* verb,
                         const std::vector<SelectedFile>& files) {
    Outcome outcome;
    int count = static_cast<int>(files.size());
    if (count == 0) return outcome;
    if (function != ShellFunction::Delete && !host.AskTargetDirectory(verb, count, outcome.target))
        return outcome;
    std::string sources;
    try {
        sources = BuildShellFileList(files);
    } catch (const std::bad_alloc&) {
        host.ShowWarning("Aborting file operation!");
        return outcome;
    }

    // A move names each file's new path: the shell under Wine refuses to move
    // more than one file into a directory named once.
    bool onePerSource = function == ShellFunction::Move;
    std::string destinations;
    if (onePerSource)
        destinations = BuildShellTargetList(files, outcome.target);
    else if (function == ShellFunction::Copy)
        destinations = outcome.target + std::string(2, '\0');
    outcome.present = PresentFiles(host, files);
    outcome.ran = true;
    outcome.succeeded = host.RunShellOperation(function, sources, destinations, onePerSource);
    return outcome;
}

// Delete and Move: only rows whose files are really gone leave the list.
int RemoveVanished(FileOperationHost& host, ShellFunction function, const char* verb,
                   const char* status) {
    std::vector<SelectedFile> files = host.SelectedFiles();
    Outcome outcome = RunFileOperation(host, function, verb, files);
    std::vector<int> gone;
    if (outcome.ran) gone = RowsOfVanishedFiles(host, outcome.present);
    if (!gone.empty()) host.RemoveRows(gone);
    int count = static_cast<int>(gone.size());
    host.ShowStatus(Formatted(status, count));
    return count;
}

}  // namespace

std::string BuildShellFileList(const std::vector<SelectedFile>& files) {
    size_t length = 1;
    for (const SelectedFile& file : files) length += file.path.size() + 1;
    std::string list;
    list.reserve(length);
    for (const SelectedFile& file : files) {
        list += file.path;
        list += '\0';
    }
    list += '\0';
    return list;
}

std::string BuildShellTargetList(const std::vector<SelectedFile>& files,
                                 const std::string& directory) {
    std::string prefix = directory;
    if (!prefix.empty() && prefix.back() != '\\') prefix += '\\';
    std::vector<SelectedFile> targets;
    for (const SelectedFile& file : files)
        targets.push_back({file.row, prefix + BaseName(file.path)});
    return BuildShellFileList(targets);
}

int DeleteSelectedFiles(FileOperationHost& host) {
    return RemoveVanished(host, ShellFunction::Delete, "Delete", "Deleted %d file(s).");
}

int MoveSelectedFiles(FileOperationHost& host) {
    return RemoveVanished(host, ShellFunction::Move, "Move", "Moved %d file(s).");
}

int CopySelectedFiles(FileOperationHost& host) {
    std::vector<SelectedFile> files = host.SelectedFiles();
    Outcome outcome = RunFileOperation(host, ShellFunction::Copy, "Copy", files);
    int count = 0;
    if (outcome.succeeded) {
        count = static_cast<int>(files.size());
    } else if (outcome.ran) {
        // Some were refused or failed: count the copies that are there.
        std::string directory = outcome.target;
        if (!directory.empty() && directory.back() != '\\') directory += '\\';
        for (const SelectedFile& file : files)
            if (host.FileExists(directory + BaseName(file.path))) ++count;
    }
    host.ShowStatus(Formatted("Copied %d file(s).", count));
    return count;
}

int CheckRenameName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return kErrorInvalidName;
    for (char c : name)
        if (static_cast<unsigned char>(c) < 32 ||
            std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos)
            return kErrorInvalidName;
    return 0;
}

bool EndRename(RenameHost& host, FileInfoItem* item, const char* edited) {
    if (!edited || !item) return false;
    std::string name = edited;
    // An edit that changed nothing renames nothing.
    if (name == item->name) return true;
    int error = CheckRenameName(name);
    if (error == 0)
        error =
            host.RenameFile(JoinPath(item->directory, item->name), JoinPath(item->directory, name));
    if (error != 0) {
        host.ShowWarning(Formatted("Error %d: Unable to rename file!", error));
        return false;
    }
    item->name = std::move(name);
    return true;
}
