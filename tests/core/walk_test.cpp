#include "search/walk.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "results/pending.h"

namespace {

// An in-memory tree. Directories are keyed by their lower-case path; a
// directory missing from the map cannot be listed.
class FakeLister : public DirLister {
  public:
    class Enumeration : public DirEnumeration {
      public:
        explicit Enumeration(const std::vector<DirEntry>& entries) : entries_(entries) {}
        bool Next(DirEntry& entry) override {
            if (next_ == entries_.size()) return false;
            entry = entries_[next_++];
            return true;
        }

      private:
        const std::vector<DirEntry>& entries_;
        size_t next_ = 0;
    };

    std::unique_ptr<DirEnumeration> Open(const std::string& enumPattern) override {
        opened.push_back(enumPattern);
        const std::string suffix = "\\*.*";
        std::string directory = enumPattern.substr(0, enumPattern.size() - suffix.size());
        auto found = tree.find(directory);
        if (found == tree.end()) return nullptr;
        return std::make_unique<Enumeration>(found->second);
    }
    std::string DirectoryIdentity(const std::string& directory) override {
        auto found = identities.find(directory);
        return found == identities.end() ? directory : found->second;
    }

    void File(const std::string& directory, const std::string& name, uint64_t size = 10) {
        tree[directory].push_back(DirEntry{name, false, false, size, 2020});
    }
    void Dir(const std::string& directory, const std::string& name, bool link = false) {
        tree[directory].push_back(DirEntry{name, true, link, 0, 0});
        tree[directory + "\\" + name];
    }

    std::map<std::string, std::vector<DirEntry>> tree;
    std::map<std::string, std::string> identities;
    std::vector<std::string> opened;
};

// Records what the walk asks for; adds go to the real pending table.
class RecordingHost : public WalkHost {
  public:
    void ShowWarning(const std::string& text) override { warnings.push_back(text); }
    bool PumpMessages() override { return ++pumps == abortAtPump; }
    void ShowProgress(const std::string&, const std::string& fullPath) override {
        progress.push_back(fullPath);
    }
    DateTriple LocalDate(int64_t modified) override {
        return DateTriple{1, 1, static_cast<int32_t>(modified)};  // tests store the year
    }
    bool FileContainsText(const std::string& fullPath, const std::string&, uint8_t) override {
        scanned.push_back(fullPath);
        return withText.count(fullPath) != 0;
    }
    int AddFileInfoItem(const std::string& directory, const DirEntry& entry,
                        int countSoFar) override {
        if (refuse.count(entry.name)) return -countSoFar - 1;
        return ::AddFileInfoItem(*this, directory, entry, countSoFar);
    }

    int pumps = 0;
    int abortAtPump = -1;
    std::set<std::string> withText;
    std::set<std::string> refuse;
    std::vector<std::string> warnings, progress, scanned;
};

std::vector<std::string> FoundPaths() {
    std::vector<std::string> paths;
    for (const auto& item : gPendingTable.items)
        paths.push_back(JoinPath(item->directory, item->name));
    return paths;
}

using V = std::vector<std::string>;

class WalkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        gSearchCriteria = SearchCriteria{};
        gSearchStats = SearchStats{};
        gPendingTable = PendingTable{};
        AbortFlag = false;
        ResetSearchStats(300);
    }
    int Walk(const std::string& directory, int32_t depth, const std::string& pattern = "*.*") {
        return WalkDirectory(host, lister, directory, depth, pattern);
    }
    // c:\r holds a.txt, sub1 (b.txt, deep (c.txt)) and sub2 (d.txt).
    void SmallTree() {
        lister.File("c:\\r", "a.txt");
        lister.Dir("c:\\r", "sub1");
        lister.File("c:\\r\\sub1", "b.txt");
        lister.Dir("c:\\r\\sub1", "deep");
        lister.File("c:\\r\\sub1\\deep", "c.txt");
        lister.Dir("c:\\r", "sub2");
        lister.File("c:\\r\\sub2", "d.txt");
    }

    FakeLister lister;
    RecordingHost host;
};

TEST_F(WalkTest, DepthLimitsTheLevelsWalked) {
    SmallTree();
    struct Case {
        int32_t depth;
        int found, searched, deepest;
    } cases[] = {{0, 1, 1, 0}, {1, 3, 3, 1}, {2, 4, 4, 2}, {-2, 4, 4, 2}};
    for (const Case& c : cases) {
        SetUp();
        EXPECT_EQ(Walk("c:\\r", c.depth), c.found) << c.depth;
        EXPECT_EQ(gSearchStats.DirectoriesSearched, c.searched) << c.depth;
        EXPECT_EQ(gSearchStats.DeepestLevel, c.deepest) << c.depth;
        EXPECT_EQ(gSearchStats.CurrentDepth, 0);
    }
    EXPECT_TRUE(host.scanned.empty());  // no search text: no file is opened
}

TEST_F(WalkTest, OwnFilesFirstThenSubdirectoriesDepthFirstEachListedOnce) {
    SmallTree();
    Walk("c:\\r\\", -2);
    EXPECT_EQ(FoundPaths(), (V{"c:\\r\\a.txt", "c:\\r\\sub1\\b.txt", "c:\\r\\sub1\\deep\\c.txt",
                               "c:\\r\\sub2\\d.txt"}));
    EXPECT_EQ(lister.opened,
              (V{"c:\\r\\*.*", "c:\\r\\sub1\\*.*", "c:\\r\\sub1\\deep\\*.*", "c:\\r\\sub2\\*.*"}));
}

TEST_F(WalkTest, DotDirectoriesAreNeverWalkedButDotFilesAreExamined) {
    lister.Dir("c:\\r", ".");
    lister.Dir("c:\\r", "..");
    lister.Dir("c:\\r", ".svn");
    lister.File("c:\\r\\.svn", "entries.txt");
    lister.File("c:\\r", ".profile");
    EXPECT_EQ(Walk("c:\\r", -2), 1);
    EXPECT_EQ(FoundPaths(), V{"c:\\r\\.profile"});
    EXPECT_EQ(lister.opened, V{"c:\\r\\*.*"});
}

TEST_F(WalkTest, DirectoriesWithFindsCountsOnlyOwnFiles) {
    lister.File("c:\\r", "a.bin");
    lister.Dir("c:\\r", "sub");
    lister.File("c:\\r\\sub", "b.txt");
    lister.File("c:\\r\\sub", "c.txt");
    EXPECT_EQ(Walk("c:\\r", 1, "*.txt"), 2);
    EXPECT_EQ(gSearchStats.DirectoriesWithFinds, 1);
    EXPECT_EQ(gSearchStats.TotalSize, 20u);
}

TEST_F(WalkTest, UnlistableDirectoryCountsAsSearched) {
    lister.tree["c:\\r"].push_back(DirEntry{"locked", true, false, 0, 0});
    lister.File("c:\\r", "a.txt");
    EXPECT_EQ(Walk("c:\\r", -2), 1);
    EXPECT_EQ(gSearchStats.DirectoriesSearched, 2);
    EXPECT_EQ(gSearchStats.DeepestLevel, 1);
}

TEST_F(WalkTest, CheapTestsComeBeforeAnyFileIsOpened) {
    gSearchCriteria.SearchText = "needle";
    gSearchCriteria.SizeLess = 1;
    gSearchCriteria.ExcludedFiles = {"skip.*"};
    gSearchCriteria.EnableExcludeFiles = true;
    gSearchCriteria.DateFrom = {1, 1, 2000};
    lister.File("c:\\r", "a.doc");
    lister.File("c:\\r", "skip.txt");
    lister.File("c:\\r", "big.txt", 2000);
    lister.tree["c:\\r"].push_back(DirEntry{"old.txt", false, false, 5, 1999});
    lister.tree["c:\\r"].push_back(DirEntry{"new.txt", false, false, 5, 2001});
    lister.tree["c:\\r"].push_back(DirEntry{"hit.txt", false, false, 5, 2001});
    host.withText = {"c:\\r\\hit.txt"};
    EXPECT_EQ(Walk("c:\\r", 0, "*.txt"), 1);
    EXPECT_EQ(host.scanned, (V{"c:\\r\\new.txt", "c:\\r\\hit.txt"}));
    EXPECT_EQ(host.progress, host.scanned);
}

TEST_F(WalkTest, TheThousandAndFirstMatchStopsTheSearch) {
    for (int i = 0; i < 1001; ++i) lister.File("c:\\r", "f" + std::to_string(i) + ".txt");
    lister.Dir("c:\\r", "sub");
    lister.File("c:\\r\\sub", "late.txt");
    EXPECT_EQ(Walk("c:\\r", -2), 1000);
    EXPECT_EQ(host.warnings, V{kListLimitText});
    EXPECT_TRUE(AbortFlag);
    ASSERT_EQ(gPendingTable.items.size(), 1000u);
    EXPECT_EQ(gPendingTable.items.back()->name, "f999.txt");
    EXPECT_EQ(lister.opened.size(), 1u);
}

TEST_F(WalkTest, LimitReachedInASubdirectoryStopsEveryLevel) {
    for (int i = 0; i < 1000; ++i) lister.File("c:\\r", "f" + std::to_string(i) + ".txt");
    lister.Dir("c:\\r", "sub");
    lister.File("c:\\r\\sub", "late.txt");
    lister.Dir("c:\\r", "never");
    EXPECT_EQ(Walk("c:\\r", -2), 1000);
    EXPECT_EQ(host.warnings, V{kListLimitText});
    EXPECT_EQ(lister.opened, (V{"c:\\r\\*.*", "c:\\r\\sub\\*.*"}));
}

TEST_F(WalkTest, AbortInTheMiddleKeepsWhatWasFound) {
    SmallTree();
    host.abortAtPump = 4;  // a.txt, sub1, sub2, then b.txt's turn
    EXPECT_EQ(Walk("c:\\r", -2), 1);
    EXPECT_TRUE(AbortFlag);
    EXPECT_EQ(host.warnings, V{kSearchAbortedText});
    EXPECT_EQ(FoundPaths(), V{"c:\\r\\a.txt"});
    EXPECT_EQ(lister.opened, (V{"c:\\r\\*.*", "c:\\r\\sub1\\*.*"}));
    EXPECT_EQ(gSearchStats.CurrentDepth, 0);
}

TEST_F(WalkTest, RefusedFileEndsOnlyItsDirectory) {
    lister.Dir("c:\\r", "sub1");
    lister.File("c:\\r\\sub1", "a.txt");
    lister.File("c:\\r\\sub1", "b.txt");
    lister.File("c:\\r\\sub1", "c.txt");
    lister.Dir("c:\\r\\sub1", "inner");
    lister.File("c:\\r\\sub1\\inner", "d.txt");
    lister.Dir("c:\\r", "sub2");
    lister.File("c:\\r\\sub2", "e.txt");
    host.refuse = {"b.txt"};
    EXPECT_EQ(Walk("c:\\r", -2), 2);
    EXPECT_EQ(FoundPaths(), (V{"c:\\r\\sub1\\a.txt", "c:\\r\\sub2\\e.txt"}));
    EXPECT_FALSE(AbortFlag);
}

TEST_F(WalkTest, LinkBackToAnAncestorIsNotEntered) {
    lister.File("c:\\r", "a.txt");
    lister.Dir("c:\\r", "sub");
    lister.Dir("c:\\r\\sub", "up", true);
    lister.identities["c:\\r\\sub\\up"] = "c:\\r";
    lister.Dir("c:\\r\\sub", "elsewhere", true);
    lister.identities["c:\\r\\sub\\elsewhere"] = "d:\\other";
    lister.File("c:\\r\\sub\\elsewhere", "b.txt");
    EXPECT_EQ(Walk("c:\\r", -2), 2);
    EXPECT_EQ(lister.opened, (V{"c:\\r\\*.*", "c:\\r\\sub\\*.*", "c:\\r\\sub\\elsewhere\\*.*"}));
}

TEST_F(WalkTest, LongPathsAreWalkedUntilTheyNoLongerFit) {
    std::string directory = "c:\\r";
    std::string name(60, 'n');
    lister.File(directory, "a.txt");
    for (int level = 0; level < 5; ++level) {
        lister.Dir(directory, name);
        directory += "\\" + name;
        lister.File(directory, "a.txt");
    }
    // Levels of 65, 126, 187 and 248 characters fit; 309 is counted but not listed.
    EXPECT_EQ(Walk("c:\\r", -2), 5);
    EXPECT_EQ(gSearchStats.DirectoriesSearched, 6);
    for (const std::string& pattern : lister.opened) EXPECT_LT(pattern.size(), kMaxPath);
}

TEST(ProgressTextTest, ShortensToTheTailOfThePath) {
    EXPECT_EQ(FormatProgressText("c:\\src"), "Searching c:\\src");
    EXPECT_EQ(FormatProgressText(std::string(200, 'x')).size(), 127u);
    const std::string path = "c:\\alpha\\beta\\gamma\\file.txt";
    EXPECT_EQ(ShortenProgressText(path, 120, 100, 5), "Searching...\\gamma\\file.txt");
    EXPECT_EQ(ShortenProgressText(path, 400, 100, 5), "Searching...\\file.txt");
}

}  // namespace
