#include "fileview/replace_run.h"

#include <set>

#include "fileview/find_text.h"
#include "results/list_guard.h"
#include "search/matcher.h"
#include "ui/bounded_format.h"
#include "ui/text.h"

namespace {

std::string NameOf(const std::string& path) {
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string LowerCased(std::string text) {
    for (char& c : text) c = static_cast<char>(LowerCaseChar(static_cast<unsigned char>(c)));
    return text;
}

bool IsInSet(ReplaceRowSet& rows, FilesOption option, int row) {
    switch (option) {
        case FilesOption::All: return true;
        case FilesOption::Selected: return rows.IsSelected(row);
        case FilesOption::Marked: return rows.IsMarked(row);
        case FilesOption::None: return false;
    }
    return false;
}

enum class Saved { Written, Ignored, Aborted };

// Writes EditView's text for a row, in place or to a new pending file, asking
// Abort, Retry or Ignore while it fails.
Saved SaveTargetFile(ReplaceRunHost& host, int row, bool inPlace) {
    FileInfoItem& item = host.Item(row);
    TextFileLayer& files = host.Files();
    for (;;) {
        std::string text = host.EditText();
        SaveResult result;
        if (inPlace) {
            std::string path = JoinPath(item.directory, item.name);
            host.ShowStatus(BoundedFormat(512, "Saving %s...", LowerCased(path).c_str()));
            result = SaveTextToFile(files, path, text);
            host.ShowStatus("");
        } else {
            std::string tempPath;
            result = SaveToNewTempFile(files, item.directory, text, tempPath);
            if (result == SaveResult::Saved) item.PendingFile = NameOf(tempPath);
        }
        if (result == SaveResult::Saved) return Saved::Written;
        if (const char* reason = SaveFailureText(result)) host.Warn(reason);
        Answer answer = host.AskAbortRetryIgnore(
            BoundedFormat(512, "Error %d: Unable to write file to disk!", files.LastError()));
        if (answer == Answer::Abort) return Saved::Aborted;
        if (answer == Answer::Ignore) return Saved::Ignored;
    }
}

enum class Loaded { Yes, Skipped, Aborted };

// Puts a row's file into EditView. A file EditView cannot hold whole is never
// loaded: its replaced text would be written over the whole file.
Loaded LoadTargetFile(ReplaceRunHost& host, int row, std::vector<std::string>& skipped) {
    FileInfoItem& item = host.Item(row);
    TextFileLayer& files = host.Files();
    std::string path = JoinPath(item.directory, item.name);
    for (;;) {
        std::string text;
        switch (files.ReadWhole(path, kFileViewCapacity, text)) {
            case TextFileLayer::Read::Loaded: host.SetEditText(text); return Loaded::Yes;
            case TextFileLayer::Read::TooLarge:
            case TextFileLayer::Read::ZeroByte:
                skipped.push_back(item.name);
                return Loaded::Skipped;
            case TextFileLayer::Read::Failed: break;
        }
        Answer answer = host.AskAbortRetryIgnore(
            BoundedFormat(512, "Error %d: Disk read error", files.LastError()));
        if (answer == Answer::Abort) return Loaded::Aborted;
        if (answer == Answer::Ignore) return Loaded::Skipped;
    }
}

std::string SkippedText(const std::vector<std::string>& names) {
    std::string text = "Not changed: too large for FileView or holding a zero byte:";
    for (const std::string& name : names) text += "\n" + name;
    return text;
}

}  // namespace

int NextReplaceTarget(ReplaceRowSet& rows, FilesOption option, int row) {
    int count = rows.RowCount();
    if (option == FilesOption::None) return row;
    if (count <= 0) return -1;
    if (option == FilesOption::Marked) {
        // Cyclic: the first marked row after `row`, coming round to `row` itself.
        for (int step = 1; step <= count; ++step) {
            int candidate = ((row < 0 ? -1 : row) + step) % count;
            if (rows.IsMarked(candidate)) return candidate;
        }
        return -1;
    }
    for (int next = row + 1; next < count; ++next)
        if (IsInSet(rows, option, next)) return next;
    return -1;
}

std::vector<int> ReplaceTargetOrder(ReplaceRowSet& rows, FilesOption option, int startRow) {
    std::vector<int> order;
    std::set<int> seen = {startRow};
    int row = startRow;
    // Ends at the first row met twice: the starting row for a set that holds
    // it, the first row after the turn for one that does not.
    for (;;) {
        int next = NextReplaceTarget(rows, option, row);
        if (next < 0) next = NextReplaceTarget(rows, option, -1);
        if (next < 0 || !seen.insert(next).second) break;
        order.push_back(next);
        row = next;
    }
    return order;
}

ReplaceRunResult ReplaceInFiles(ReplaceRunHost& host, int startRow,
                                const ReplaceRunOptions& options) {
    ReplaceRunResult result;
    if (startRow < 0 || startRow >= host.RowCount()) return result;
    // Every question below lets messages through: the rows must stay as they are.
    ListRunScope holdRows;
    std::vector<std::string> skipped;
    // EditView's text of the starting row is written only when it is the whole
    // file, as it is on disk now (or as the user agrees to overwrite it).
    bool startSkipped = false;
    if (!options.StartHeldWhole) {
        skipped.push_back(host.Item(startRow).name);
        startSkipped = true;
    } else {
        const FileInfoItem& start = host.Item(startRow);
        startSkipped = ChangedOnDisk(host.Files(), JoinPath(start.directory, start.name),
                                     options.StartStamp) &&
                       !host.AskYesNo(ChangedOnDiskQuestion(start.name));
    }
    host.SetMark(startRow, true);
    bool startWasModified = host.EditModified();
    bool startReplaced = false, startWritten = false;
    std::string startText = host.EditText();  // what EditView shows again when the run ends
    std::vector<int> order = ReplaceTargetOrder(host, options.Option, startRow);
    order.insert(order.begin(), startRow);

    for (int row : order) {
        if (row == startRow && startSkipped) continue;
        if (row != startRow) {
            Loaded loaded = LoadTargetFile(host, row, skipped);
            if (loaded == Loaded::Aborted) break;
            if (loaded == Loaded::Skipped) continue;
        }
        ReplaceAllResult replaced = host.ReplaceAllInEdit();
        // A text the replacements would take past what EditView holds is left
        // whole, like a file too large to load.
        if (replaced.noRoom) {
            skipped.push_back(host.Item(row).name);
            continue;
        }
        uint32_t count = replaced.count;
        result.Visited.push_back(row);
        if (row == startRow) {
            startText = host.EditText();
            startReplaced = count > 0;
        }
        if (count == 0) continue;
        result.Found = true;
        bool inPlace = false;
        if (options.ConfirmFileSave) {
            Answer answer = host.AskSaveReplaced(host.Item(row).name);
            if (answer == Answer::Cancel) break;
            if (answer == Answer::No) {
                // The starting file's replaced text stays in EditView, unsaved
                // and counted; another row's is dropped.
                if (row == startRow) {
                    ++result.Files;
                    result.Occurrences += count;
                }
                continue;
            }
            inPlace = true;
        }
        Saved saved = SaveTargetFile(host, row, inPlace);
        if (saved == Saved::Aborted) break;
        // An ignored failure wrote nothing, so it is not counted as done.
        if (saved == Saved::Ignored) continue;
        ++result.Files;
        result.Occurrences += count;
        if (row == startRow && inPlace) startWritten = true;
    }

    host.SetEditText(startText);
    if (!skipped.empty()) host.Warn(SkippedText(skipped));
    if (!result.Found) {
        host.Warn(kNothingFoundText);
    } else {
        host.CloseBox();
    }
    if (options.ConfirmFileSave) {
        FinishConfirmedRun(host, startRow);
        if (result.Found)
            host.Warn(BoundedFormat(512, "%lu occurrences replaced in %d file(s)!",
                                    static_cast<unsigned long>(result.Occurrences), result.Files));
    } else if (CommitPendingFiles(host, result.Found, startRow)) {
        startWritten = true;
    }
    host.SetEditModified(!startWritten && (startWasModified || startReplaced));
    result.StartWritten = startWritten;
    host.SetMark(startRow, false);
    return result;
}

bool CommitPendingFiles(ReplaceRunHost& host, bool found, int startRow) {
    TextFileLayer& files = host.Files();
    bool commit = found && host.AskYesNo(kSaveAllQuestion);
    bool startCommitted = false;
    // Every row with a pending file, marked or not: the user asked for these files.
    for (int row = 0; row < host.RowCount(); ++row) {
        FileInfoItem& item = host.Item(row);
        if (item.PendingFile.empty()) continue;
        std::string pending = JoinPath(item.directory, item.PendingFile);
        item.PendingFile.clear();
        if (!commit) {
            files.Remove(pending);
            continue;
        }
        bool keptOnlyCopy = false;
        if (MoveTempFileOver(files, pending, JoinPath(item.directory, item.name), &keptOnlyCopy) ==
            SaveResult::Saved) {
            if (row == startRow) startCommitted = true;
            continue;
        }
        host.Warn(BoundedFormat(512, "Error %d: Unable to save %s!", files.LastError(),
                                item.name.c_str()));
        if (keptOnlyCopy)
            host.Warn(BoundedFormat(512, "The new text of %s is kept in %s.", item.name.c_str(),
                                    pending.c_str()));
    }
    return startCommitted;
}

void FinishConfirmedRun(ReplaceRunHost& host, int startRow) {
    FileInfoItem& item = host.Item(startRow);
    if (item.PendingFile.empty()) return;
    host.Files().Remove(JoinPath(item.directory, item.PendingFile));
    item.PendingFile.clear();
}

FilesOption FilesOptionOf(bool all, bool selected, bool marked) {
    return all        ? FilesOption::All
           : selected ? FilesOption::Selected
           : marked   ? FilesOption::Marked
                      : FilesOption::None;
}

bool RowHoldsShownFile(ReplaceRunHost& host, int row, const ReplaceInFilesStart& start) {
    const FileInfoItem& item = host.Item(row);
    const std::string path = JoinPath(item.directory, item.name);
    if (SameTextIgnoringCase(path, start.ShownPath)) return true;
    return SameTextIgnoringCase(item.name, start.ShownFileName) &&
           IsSameFile(host.Files(), path, start.ShownPath);
}

bool ReplaceInFilesFromBox(ReplaceRunHost& host, const ReplaceInFilesStart& start,
                           ReplaceRunResult& result) {
    int startRow = -1;
    for (int row = 0, count = host.RowCount(); row < count && startRow < 0; ++row)
        if (RowHoldsShownFile(host, row, start)) startRow = row;
    if (startRow < 0) {
        host.Warn(BoundedFormat(512, "%s is no longer in the File Info List.",
                                start.ShownFileName.c_str()));
        return false;
    }
    ReplaceRunOptions options;
    options.Option = FilesOptionOf(start.All, start.Selected, start.Marked);
    options.ConfirmFileSave = start.ConfirmFileSave;
    options.StartHeldWhole = start.ShownHeldWhole;
    if (SameTextIgnoringCase(start.StampedPath, start.ShownPath)) options.StartStamp = start.Stamp;
    result = ReplaceInFiles(host, startRow, options);
    return true;
}
