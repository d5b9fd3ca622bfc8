#include "search/walk.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core_test_support.h"

namespace {

using V = std::vector<std::string>;

struct Listing : DirEnumeration {
    explicit Listing(const std::vector<DirEntry>& listed) : entries(listed) {}
    bool Next(DirEntry& entry) override { return next < entries.size() && (entry = entries[next++], true); }
    const std::vector<DirEntry>& entries;
    size_t next = 0;
};

// An in-memory tree under c:\r, and a host that records what the walk asks
// for; finds go to the run's pending table. A directory missing from the tree
// cannot be listed; a file's time of last write stands for its year.
class WalkTest : public ::testing::Test, public DirLister, public WalkHost {
  protected:
    void SetUp() override { run = SearchRun{}, opened.clear(); }
    // Paths below c:\r in listing order; a trailing backslash makes a directory.
    void Add(const V& paths, uint64_t size = 10, int64_t year = 2020) {
        for (std::string path : paths) {
            const bool directory = path.ends_with('\\');
            path = "c:\\r\\" + path.substr(0, path.size() - directory);
            const size_t cut = path.rfind('\\');
            tree[path.substr(0, cut)].push_back(DirEntry{path.substr(cut + 1), directory, false, size, year});
            if (directory) tree[path];
        }
    }
    int Walk(int32_t depth, const std::string& pattern = "*.*") {
        return WalkDirectory(*this, *this, run, criteria, {"c:\\r", pattern}, depth);
    }
    V Found() {
        V paths;
        for (const auto& item : run.Pending.items) paths.push_back(JoinPath(item->directory, item->name).substr(5));
        return paths;
    }

    std::unique_ptr<DirEnumeration> Open(const std::string& enumPattern) override {
        opened.push_back(enumPattern.substr(5));  // without "c:\r\"
        auto found = tree.find(enumPattern.substr(0, enumPattern.size() - 4));
        return found == tree.end() ? nullptr : std::make_unique<Listing>(found->second);
    }
    std::string DirectoryIdentity(const std::string& directory) override {
        return identities.count(directory) ? identities[directory] : directory;
    }
    void ShowWarning(const std::string& text) override { warnings.push_back(text); }
    bool PumpMessages() override { return ++pumps == abortAtPump; }
    void ShowProgress(const std::string&, const std::string& fullPath) override { progress.push_back(fullPath); }
    DateTriple LocalDate(int64_t year) override { return {1, 1, static_cast<int32_t>(year)}; }
    bool FileContainsText(const std::string& fullPath, const std::string&, uint8_t) override {
        return scanned.push_back(fullPath), fullPath.ends_with("hit.txt");
    }
    SearchRun run;
    SearchCriteria criteria;
    std::map<std::string, std::vector<DirEntry>> tree;
    std::map<std::string, std::string> identities;
    int pumps = 0, abortAtPump = -1;
    V opened, warnings, progress, scanned;
};

const V kSmallTree = {"a.txt", "sub1\\", "sub1\\b.txt", "sub1\\deep\\", "sub1\\deep\\c.txt", "sub2\\", "sub2\\d.txt"};

// Own files come first, then sub-directories depth first, each listed once.
TEST_F(WalkTest, DepthLimitsTheLevelsWalked) {
    Add(kSmallTree);
    const struct { int32_t depth; int found, deepest; } cases[] = {{0, 1, 0}, {1, 3, 1}, {2, 4, 2}, {-2, 4, 2}};
    for (const auto& c : cases) {
        SetUp();
        EXPECT_EQ(Walk(c.depth), c.found) << c.depth;
        EXPECT_EQ(std::tuple(run.Stats.DirectoriesSearched, run.Stats.DeepestLevel, run.Stats.CurrentDepth),
                  std::tuple(c.found, c.deepest, 0)) << c.depth;
    }
    EXPECT_EQ(Found(), (V{"a.txt", "sub1\\b.txt", "sub1\\deep\\c.txt", "sub2\\d.txt"}));
    EXPECT_EQ(opened, (V{"*.*", "sub1\\*.*", "sub1\\deep\\*.*", "sub2\\*.*"}));
    EXPECT_TRUE(scanned.empty());  // no search text: no file is opened
}

TEST_F(WalkTest, DotDirectoriesAreNeverWalkedButDotFilesAreExamined) {
    Add({".\\", "..\\", ".svn\\", ".svn\\entries.txt", ".profile"});
    EXPECT_EQ(Walk(-2), 1);
    EXPECT_EQ(std::pair(Found(), opened), std::pair(V{".profile"}, V{"*.*"}));
}

TEST_F(WalkTest, UnlistableDirectoryCountsAsSearchedAndFindsCountOwnFilesOnly) {
    tree["c:\\r"].push_back(DirEntry{"locked", true, false, 0, 0});
    Add({"a.bin", "sub\\", "sub\\b.txt", "sub\\c.txt"});
    EXPECT_EQ(Walk(-2, "*.txt"), 2);
    const SearchStats& s = run.Stats;
    EXPECT_EQ(std::tuple(s.DirectoriesSearched, s.DirectoriesWithFinds, s.DeepestLevel, s.TotalSize),
              std::tuple(3, 1, 1, uint64_t{20}));
}

TEST_F(WalkTest, CheapTestsComeBeforeAnyFileIsOpened) {
    criteria.SearchText = "needle";
    criteria.SizeLess = 1;
    criteria.ExcludedFiles = {"skip.*"};
    criteria.EnableExcludeFiles = true;
    criteria.DateFrom = {1, 1, 2000};
    Add({"a.doc", "skip.txt"}, 5);
    Add({"big.txt"}, 2000);
    Add({"old.txt"}, 5, 1999);
    Add({"new.txt", "hit.txt"}, 5, 2001);
    EXPECT_EQ(Walk(0, "*.txt"), 1);
    EXPECT_EQ(scanned, (V{"c:\\r\\new.txt", "c:\\r\\hit.txt"}));
    EXPECT_EQ(progress, scanned);
}

// The 1001st match, here in a sub-directory, stops every level.
TEST_F(WalkTest, TheThousandAndFirstMatchStopsTheSearch) {
    for (int i = 0; i < 1000; ++i) Add({"f" + std::to_string(i) + ".txt"});
    Add({"sub\\", "sub\\late.txt", "never\\"});
    EXPECT_EQ(Walk(-2), 1000);
    EXPECT_EQ(std::tuple(warnings, run.Abort, run.Pending.items.size()), std::tuple(V{kListLimitText}, true, size_t{1000}));
    EXPECT_EQ(opened, (V{"*.*", "sub\\*.*"}));
}

TEST_F(WalkTest, AbortInTheMiddleKeepsWhatWasFound) {
    Add(kSmallTree);
    abortAtPump = 4;  // a.txt, sub1, sub2, then b.txt's turn
    EXPECT_EQ(Walk(-2), 1);
    EXPECT_EQ(std::tuple(run.Abort, warnings, Found(), run.Stats.CurrentDepth),
              std::tuple(true, V{kSearchAbortedText}, V{"a.txt"}, 0));
    EXPECT_EQ(opened, (V{"*.*", "sub1\\*.*"}));
}

TEST_F(WalkTest, LinkBackToAnAncestorIsNotEntered) {
    Add({"sub\\", "sub\\up\\", "sub\\elsewhere\\"});
    tree["c:\\r\\sub"][0].isReparsePoint = tree["c:\\r\\sub"][1].isReparsePoint = true;
    identities["c:\\r\\sub\\up"] = "c:\\r";
    identities["c:\\r\\sub\\elsewhere"] = "d:\\other";
    Walk(-2);
    EXPECT_EQ(opened, (V{"*.*", "sub\\*.*", "sub\\elsewhere\\*.*"}));
}

// Levels of 65, 126, 187 and 248 characters fit; 309 is counted but not listed.
TEST_F(WalkTest, LongPathsAreWalkedUntilTheyNoLongerFit) {
    std::string directory;
    for (int level = 0; level < 5; ++level) {
        Add({directory + "a.txt", directory + std::string(60, 'n') + "\\"});
        directory += std::string(60, 'n') + "\\";
    }
    EXPECT_EQ(Walk(-2), 5);
    EXPECT_EQ(run.Stats.DirectoriesSearched, 6);
    for (const std::string& pattern : opened) EXPECT_LT(pattern.size() + 5, kMaxPath);
    // A file's full path needs room for its terminator too.
    SetUp();
    tree.clear();
    Add({std::string(254, 'f'), std::string(255, 'g')});
    EXPECT_EQ(Walk(0), 1);
    EXPECT_EQ(Found(), V{std::string(254, 'f')});
}

// Too wide for its part, the progress text keeps the tail of the full path
// from a backslash far enough in to make room; it never outgrows its buffer.
TEST(ProgressText, ShortensFromABackslashPastTheExcess) {
    const std::string path = "c:\\aaaa\\bbbb\\file.txt";
    const std::string longPath = "c:\\" + std::string(200, 'd') + "\\x.txt";
    const std::string longTail = "c:\\abcd\\" + std::string(200, 'e');
    // clang-format off
    const struct { const std::string& fullPath; int textWidth, partWidth, charWidth; std::string shown; } cases[] = {
        {path, 70, 60, 10, "Searching...\\bbbb\\file.txt"},
        {path, 100, 60, 10, "Searching...\\file.txt"},
        {path, 300, 60, 10, "Searching...\\file.txt"},  // past the last backslash: the name
        {path, 70, 60, 0, "Searching...\\file.txt"},    // no width known: one pixel a character
        {"file.txt", 300, 60, 10, "Searching...file.txt"},
        {longPath, 900, 60, 10, "Searching...\\x.txt"},
        {longTail, 61, 60, 10, ("Searching...\\" + std::string(200, 'e')).substr(0, 127)},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(ShortenProgressText(c.fullPath, c.textWidth, c.partWidth, c.charWidth), c.shown)
            << c.fullPath << " " << c.textWidth;
    EXPECT_EQ(FormatProgressText(std::string(300, 'd')).size(), 127u);
}

}  // namespace
