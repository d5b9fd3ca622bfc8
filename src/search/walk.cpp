#include "search/walk.h"
#include "ui/text.h"

#include <vector>

namespace {

// A directory on the walk's current path from the target down. Its identity
// is looked up only when a link is met, so plain trees cost nothing extra.
struct WalkFrame {
    std::string directory;
    std::string identity;
    bool identityKnown = false;
};

struct Walk {
    WalkHost& host;
    DirLister& lister;
    SearchRun& run;
    const SearchCriteria& criteria;
    const std::string& pattern;
    std::vector<WalkFrame> path;
};

std::string WithBackslash(const std::string& directory) {
    if (!directory.empty() && directory.back() == '\\') return directory;
    return directory + '\\';
}

// A link that leads to a directory already on the walk's path would walk
// that directory again, and again inside it: it is not entered.
bool LeadsBack(Walk& walk, const std::string& linkPath) {
    std::string identity = walk.lister.DirectoryIdentity(linkPath);
    if (identity.empty()) return false;
    for (WalkFrame& frame : walk.path) {
        if (!frame.identityKnown) {
            frame.identity = walk.lister.DirectoryIdentity(frame.directory);
            frame.identityKnown = true;
        }
        if (frame.identity == identity) return true;
    }
    return false;
}

bool PassesCheapTests(Walk& walk, const DirEntry& entry) {
    const SearchCriteria& criteria = walk.criteria;
    return MatchFileName(walk.pattern, entry.name) && !IsExcludedFile(criteria, entry.name) &&
           DateInRange(criteria, walk.host.LocalDate(entry.modified)) &&
           SizeInRange(criteria, entry.size);
}

// Hands a found file to the pending table: the new count, or -1 when the
// table refused it. A full table stops the whole search.
int AddFound(Walk& walk, const std::string& directory, const DirEntry& entry, int count) {
    SearchRun& run = walk.run;
    switch (AddFileInfoItem(run.Pending, directory, entry)) {
        case AddResult::Added: run.Stats.TotalSize += entry.size; return count + 1;
        case AddResult::Counted: return count + 1;
        case AddResult::Duplicate: return count;
        case AddResult::Full:
            walk.host.ShowWarning(kListLimitText);
            run.Abort = true;
            return -1;
        case AddResult::OutOfMemory: walk.host.ShowWarning(kOutOfMemoryText); return -1;
    }
    return -1;
}

int WalkLevel(Walk& walk, const std::string& directory, int32_t depth);

// First pass: the directory's own files, remembering its sub-directories.
// Returns false when the walk of this directory must end at once.
bool WalkOwnFiles(Walk& walk, const std::string& directory, const std::string& prefix,
                  DirEnumeration& entries, std::vector<DirEntry>& subdirectories, int& count) {
    WalkHost& host = walk.host;
    DirEntry entry;
    while (entries.Next(entry)) {
        if (host.PumpMessages()) {
            walk.run.Abort = true;
            // A window about to close stops its search without a word.
            if (!walk.run.CloseRequested) host.ShowWarning(kSearchAbortedText);
            return false;
        }
        if (entry.isDirectory) {
            // ".", ".." and every directory whose name starts with a dot stay unwalked.
            if (!entry.name.empty() && entry.name[0] != '.') subdirectories.push_back(entry);
            continue;
        }
        if (!PassesCheapTests(walk, entry)) continue;
        std::string fullPath = prefix + entry.name;
        if (fullPath.size() >= kMaxPath) continue;  // no path buffer holds it
        host.ShowProgress(directory, fullPath);
        const SearchCriteria& criteria = walk.criteria;
        if (!criteria.SearchText.empty() &&
            !host.FileContainsText(fullPath, criteria.SearchText, criteria.TextOptions)) {
            continue;
        }
        int result = AddFound(walk, directory, entry, count);
        if (result < 0) return false;  // refused: the rest of this directory stays unvisited
        count = result;
        if (walk.run.Abort) break;
    }
    return true;
}

int WalkLevel(Walk& walk, const std::string& directory, int32_t depth) {
    SearchStats& stats = walk.run.Stats;
    if (walk.run.Abort) return 0;
    const std::string prefix = WithBackslash(directory);
    const std::string enumPattern = LowerText(prefix + "*.*");
    stats.DirectoriesSearched += 1;
    int count = 0;

    std::vector<DirEntry> subdirectories;
    {
        // A directory whose enumeration path does not fit a path buffer is
        // skipped like one that cannot be listed.
        std::unique_ptr<DirEnumeration> entries;
        if (enumPattern.size() < kMaxPath) entries = walk.lister.Open(enumPattern);
        if (entries && !WalkOwnFiles(walk, directory, prefix, *entries, subdirectories, count)) {
            return count;
        }
    }
    if (walk.run.Abort) return count;
    if (count > 0) stats.DirectoriesWithFinds += 1;
    if (depth == 0 || subdirectories.empty()) return count;

    walk.path.push_back(WalkFrame{directory, {}, false});
    for (const DirEntry& subdirectory : subdirectories) {
        std::string path = prefix + subdirectory.name;
        if (subdirectory.isReparsePoint && LeadsBack(walk, path)) continue;
        stats.CurrentDepth += 1;
        if (stats.CurrentDepth > stats.DeepestLevel) stats.DeepestLevel = stats.CurrentDepth;
        int found = WalkLevel(walk, path, depth - 1);
        stats.CurrentDepth -= 1;
        count += found;
        if (walk.run.Abort) break;
    }
    walk.path.pop_back();
    return count;
}

}  // namespace

int WalkDirectory(WalkHost& host, DirLister& lister, SearchRun& run, const SearchCriteria& criteria,
                  const SearchTarget& target, int32_t depth) {
    Walk walk{host, lister, run, criteria, target.pattern, {}};
    return WalkLevel(walk, target.directory, depth);
}

static constexpr size_t kProgressCapacity = 128;  // terminator included

static std::string CutProgress(std::string text) {
    if (text.size() >= kProgressCapacity) text.resize(kProgressCapacity - 1);
    return text;
}

std::string FormatProgressText(const std::string& directory) {
    return CutProgress("Searching " + directory);
}

// When no backslash follows the cut position the file name alone is shown,
// so the user still sees which file is being read.
std::string ShortenProgressText(const std::string& fullPath, int textWidth, int partWidth,
                                int averageCharWidth) {
    int excess = textWidth > partWidth ? textWidth - partWidth : 0;
    size_t n = static_cast<size_t>(excess / (averageCharWidth > 0 ? averageCharWidth : 1));
    size_t from = fullPath.find('\\', n + 6);
    if (from == std::string::npos) from = fullPath.rfind('\\');
    if (from == std::string::npos) from = 0;
    return CutProgress("Searching..." + fullPath.substr(from));
}
