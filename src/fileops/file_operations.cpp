#include "fileops/file_operations.h"

#include <cstdio>
#include <new>

#include "search/criteria.h"
#include "ui/text.h"

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

std::string TargetPath(const std::string& directory, const std::string& source) {
    std::string prefix = directory;
    if (!prefix.empty() && prefix.back() != '\\') prefix += '\\';
    return prefix + BaseName(source);
}

struct Outcome {
    bool ran = false;
    std::string target;
    std::vector<SelectedFile> handed;   // what the shell was given
    std::vector<SelectedFile> present;  // of those, the ones there before the shell ran
    std::vector<FileStamp> before;      // each handed file's target, before the shell ran
};

// The files a move hands to the shell. The shell under Wine moves over a file
// that is already there without asking, so the user is asked here, once,
// naming them; No moves only the others. A file moved onto itself stays.
std::vector<SelectedFile> FilesToMove(FileOperationHost& host,
                                      const std::vector<SelectedFile>& files,
                                      const std::string& target, bool& confirmed) {
    std::vector<SelectedFile> free;
    std::vector<std::string> names;
    for (const SelectedFile& file : files) {
        const std::string to = TargetPath(target, file.path);
        if (SameTextIgnoringCase(to, file.path)) continue;
        // A file gone since the search has nothing to replace anything with.
        if (host.FileExists(to) && host.FileExists(file.path)) {
            names.push_back(BaseName(file.path));
        } else {
            free.push_back(file);
        }
    }
    confirmed = !names.empty() && host.AskYesNo(ReplaceQuestion(names, target));
    if (!confirmed) return free;
    std::vector<SelectedFile> all;
    for (const SelectedFile& file : files)
        if (!SameTextIgnoringCase(TargetPath(target, file.path), file.path)) all.push_back(file);
    return all;
}

Outcome RunFileOperation(FileOperationHost& host, ShellFunction function, const char* verb,
                         const std::vector<SelectedFile>& files) {
    Outcome outcome;
    int count = static_cast<int>(files.size());
    if (count == 0) return outcome;
    if (function != ShellFunction::Delete && !host.AskTargetDirectory(verb, count, outcome.target))
        return outcome;
    bool confirmed = false;
    outcome.handed = function == ShellFunction::Move
                         ? FilesToMove(host, files, outcome.target, confirmed)
                         : files;
    if (outcome.handed.empty()) return outcome;
    std::string sources;
    try {
        sources = BuildShellFileList(outcome.handed);
    } catch (const std::bad_alloc&) {
        host.ShowWarning("Aborting file operation!");
        return outcome;
    }

    // A move names each file's new path: the shell under Wine refuses to move
    // more than one file into a directory named once.
    bool onePerSource = function == ShellFunction::Move;
    std::string destinations;
    if (onePerSource)
        destinations = BuildShellTargetList(outcome.handed, outcome.target);
    else if (function == ShellFunction::Copy)
        destinations = outcome.target + std::string(2, '\0');
    outcome.present = PresentFiles(host, outcome.handed);
    if (function == ShellFunction::Copy)
        for (const SelectedFile& file : outcome.handed)
            outcome.before.push_back(host.StampOf(TargetPath(outcome.target, file.path)));
    outcome.ran = true;
    host.RunShellOperation(function, sources, destinations, onePerSource, confirmed);
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
    std::vector<SelectedFile> targets;
    for (const SelectedFile& file : files)
        targets.push_back({file.row, TargetPath(directory, file.path)});
    return BuildShellFileList(targets);
}

int DeleteSelectedFiles(FileOperationHost& host) {
    return RemoveVanished(host, ShellFunction::Delete, "Delete", "Deleted %d file(s).");
}

int MoveSelectedFiles(FileOperationHost& host) {
    return RemoveVanished(host, ShellFunction::Move, "Move", "Moved %d file(s).");
}

// A copy counts when its target is new or changed: a declined overwrite or a
// copy onto itself leaves the target as it was.
int CopySelectedFiles(FileOperationHost& host) {
    std::vector<SelectedFile> files = host.SelectedFiles();
    Outcome outcome = RunFileOperation(host, ShellFunction::Copy, "Copy", files);
    int count = 0;
    if (outcome.ran) {
        for (size_t i = 0; i < outcome.handed.size(); ++i) {
            FileStamp after = host.StampOf(TargetPath(outcome.target, outcome.handed[i].path));
            if (after.exists && after != outcome.before[i]) ++count;
        }
    }
    host.ShowStatus(Formatted("Copied %d file(s).", count));
    return count;
}

std::string TargetDirectoryPreset(std::string current) {
    if (!current.empty() && current.back() != '\\') current += '\\';
    return current;
}

std::string ReplaceQuestion(const std::vector<std::string>& names, const std::string& directory) {
    const bool one = names.size() == 1;
    const std::string tail = std::string(one ? " already exists in " : " already exist in ") +
                             directory + (one ? ". Replace it?" : ". Replace them?");
    // A message box holds 255 characters: the names that fit, then how many more.
    constexpr size_t kRoom = 255;
    auto more = [&](size_t rest) {
        return rest == 0 ? std::string() : " and " + std::to_string(rest) + " more";
    };
    std::string listed;
    size_t shown = 0;
    for (const std::string& name : names) {
        std::string next = listed + (shown > 0 ? ", " : "") + name;
        if (shown > 0 && next.size() + more(names.size() - shown - 1).size() + tail.size() > kRoom)
            break;
        listed = std::move(next);
        ++shown;
    }
    return listed + more(names.size() - shown) + tail;
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
