#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "search/walk.h"
#include "search/dir_lister_win.h"
#include "win_test_support.h"

namespace {

class RealWalkHost : public WalkHost {
  public:
    void ShowWarning(const std::string& text) override { FAIL() << text; }
    bool PumpMessages() override { return false; }
    void ShowProgress(const std::string&, const std::string&) override {}
    DateTriple LocalDate(int64_t modified) override { return LocalDateOf(modified); }
    bool FileContainsText(const std::string&, const std::string&, uint8_t) override { return true; }
};

// One walk over a real tree with hidden and dot files and a deep path. (A
// file above 4 GiB is searched among the hostile trees.)
TEST(RealWalk, WalksARealTree) {
    TempFolder folder;
    auto dir = [&](const std::string& name) {
        CreateDirectoryA(folder.File(name).c_str(), nullptr);
    };
    folder.Write("hidden.txt", "h");
    SetFileAttributesA(folder.File("hidden.txt").c_str(),
                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    folder.Write(".profile", "p");
    dir(".svn");
    folder.Write(".svn\\entries.txt", "e");
    const std::string deep = "level-one-directory\\level-two-directory\\level-three-directory";
    dir("level-one-directory");
    dir("level-one-directory\\level-two-directory");
    dir(deep);
    folder.Write(deep + "\\deep.txt", "deep file");
    ASSERT_GT(folder.File(deep).size(), 75u);
    dir("sub");
    folder.Write("sub\\b.txt", "b");

    SearchRun run;
    RealWalkHost host;
    Win32DirLister lister;
    const int found =
        WalkDirectory(host, lister, run, SearchCriteria{}, {folder.path(), "*.*"}, -2);

    std::vector<std::string> paths,
        expected = {".profile", "hidden.txt", deep + "\\deep.txt", "sub\\b.txt"};
    for (const auto& item : run.Pending.items) {
        paths.push_back(JoinPath(item->directory, item->name).substr(folder.path().size() + 1));
    }
    std::sort(paths.begin(), paths.end());
    EXPECT_EQ(paths, expected);
    EXPECT_EQ(found, static_cast<int>(expected.size()));
    EXPECT_EQ(run.Stats.DeepestLevel, 3);
    EXPECT_EQ(run.Stats.DirectoriesSearched, 5);
    EXPECT_EQ(run.Stats.TotalSize, 12u);
    EXPECT_EQ(CompareDates(LocalDateOf(run.Pending.items[0]->modified), LocalToday()), 0);
}

}  // namespace
