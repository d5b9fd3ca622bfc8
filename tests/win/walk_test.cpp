#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "results/pending.h"
#include "search/dir_lister_win.h"
#include "win_test_support.h"

namespace {

class RealWalkHost : public WalkHost {
  public:
    void ShowWarning(const std::string& text) override { warnings.push_back(text); }
    bool PumpMessages() override { return false; }
    void ShowProgress(const std::string&, const std::string&) override {}
    DateTriple LocalDate(int64_t modified) override { return LocalDateOf(modified); }
    bool FileContainsText(const std::string&, const std::string&, uint8_t) override { return true; }
    int AddFileInfoItem(const std::string& directory, const DirEntry& entry,
                        int countSoFar) override {
        return ::AddFileInfoItem(*this, directory, entry, countSoFar);
    }
    std::vector<std::string> warnings;
};

// The Linux side of a Wine path, or empty outside Wine.
std::string UnixPath(const std::string& path) {
    using ToUnix = char*(CDECL*)(const WCHAR*);
    auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return {};
    WCHAR wide[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH)) return {};
    char* unix = toUnix(wide);
    if (!unix) return {};
    std::string result = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

// Runs a Linux program; Wine starts native executables directly.
bool RunUnix(std::string commandLine) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    WaitForSingleObject(process.hProcess, 10000);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code == 0;
}

bool CanList(const std::string& directory) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((directory + "\\*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return false;
    FindClose(find);
    return true;
}

class RealWalk : public testing::Test {
  protected:
    void SetUp() override {
        gSearchCriteria = SearchCriteria{};
        gPendingTable = PendingTable{};
        AbortFlag = false;
        ResetSearchStats(300);
    }
    int Walk(int32_t depth, const std::string& pattern = "*.*") {
        return WalkDirectory(host, lister, folder.path(), depth, pattern);
    }
    void Dir(const std::string& name) { CreateDirectoryA(folder.File(name).c_str(), nullptr); }
    // The found paths below the folder, sorted.
    std::vector<std::string> Found() {
        std::vector<std::string> paths;
        for (const auto& item : gPendingTable.items) {
            paths.push_back(JoinPath(item->directory, item->name).substr(folder.path().size() + 1));
        }
        std::sort(paths.begin(), paths.end());
        return paths;
    }

    TempFolder folder;
    Win32DirLister lister;
    RealWalkHost host;
};

TEST_F(RealWalk, FindsHiddenDotAndDeepFilesButNoDotDirectories) {
    folder.Write("a.txt", "a");
    folder.Write("hidden.txt", "h");
    SetFileAttributesA(folder.File("hidden.txt").c_str(),
                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    folder.Write(".profile", "p");
    Dir(".svn");
    folder.Write(".svn\\entries.txt", "e");
    std::string deep = "level-one-directory\\level-two-directory\\level-three-directory";
    Dir("level-one-directory");
    Dir("level-one-directory\\level-two-directory");
    Dir(deep);
    folder.Write(deep + "\\deep.txt", "deep file");
    ASSERT_GT(folder.File(deep).size(), 75u);

    EXPECT_EQ(Walk(-2), 4);
    EXPECT_EQ(Found(),
              (std::vector<std::string>{".profile", "a.txt", "hidden.txt", deep + "\\deep.txt"}));
    EXPECT_EQ(gSearchStats.DeepestLevel, 3);
    EXPECT_EQ(gSearchStats.DirectoriesSearched, 4);
    EXPECT_EQ(gSearchStats.TotalSize, 12u);
    EXPECT_TRUE(host.warnings.empty());
}

TEST_F(RealWalk, ListingGivesExactSizesAboveFourGiBAndLocalDates) {
    const LONGLONG size = (5LL << 30) + 3;
    HANDLE file = CreateFileA(folder.File("big.iso").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER end;
    end.QuadPart = size;
    bool sized = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    if (!sized) GTEST_SKIP() << "the file system here cannot hold a 5 GiB file";

    EXPECT_EQ(Walk(0), 1);
    ASSERT_EQ(gPendingTable.items.size(), 1u);
    EXPECT_EQ(gPendingTable.items[0]->size, static_cast<uint64_t>(size));
    EXPECT_EQ(CompareDates(LocalDateOf(gPendingTable.items[0]->modified), LocalToday()), 0);
    gSearchCriteria.SizeLessUnit = SizeUnitFromIndex(2);
    ASSERT_EQ(SetSizeBounds("5120", ""), 0);
    gPendingTable = PendingTable{};
    EXPECT_EQ(Walk(0), 0);  // 3 bytes over 5120 mb
}

TEST_F(RealWalk, UnreadableDirectoryCountsAsSearched) {
    Dir("locked");
    folder.Write("locked\\inside.txt", "x");
    folder.Write("a.txt", "a");
    std::string unixLocked = UnixPath(folder.File("locked"));
    if (unixLocked.empty() || !RunUnix("/bin/chmod 000 " + unixLocked)) {
        GTEST_SKIP() << "cannot change Linux permissions from this test";
    }
    bool listable = CanList(folder.File("locked"));
    if (listable) {
        RunUnix("/bin/chmod 755 " + unixLocked);
        GTEST_SKIP() << "running as root: permissions do not stop a listing";
    }
    EXPECT_EQ(Walk(-2), 1);
    RunUnix("/bin/chmod 755 " + unixLocked);
    EXPECT_EQ(Found(), std::vector<std::string>{"a.txt"});
    EXPECT_EQ(gSearchStats.DirectoriesSearched, 2);
}

// A link from a sub-directory back to the folder would walk the folder again
// and again; the walk enters it no more.
TEST_F(RealWalk, LinkBackToParentIsNotWalkedAgain) {
    folder.Write("a.txt", "a");
    Dir("sub");
    folder.Write("sub\\b.txt", "b");
    std::string link = folder.File("sub\\up");
    std::string unixLink = UnixPath(link);
    bool made =
        CreateSymbolicLinkA(link.c_str(), folder.path().c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) &&
        CanList(link);
    if (!made && !unixLink.empty()) {
        made = RunUnix("/bin/ln -s " + UnixPath(folder.path()) + " " + unixLink) && CanList(link);
    }
    if (!made) GTEST_SKIP() << "no directory links can be made here";
    DWORD attributes = GetFileAttributesA(link.c_str());

    int found = Walk(-2);
    if (!unixLink.empty()) RunUnix("/bin/rm -f " + unixLink);
    if (!RemoveDirectoryA(link.c_str())) DeleteFileA(link.c_str());

    EXPECT_NE(attributes & FILE_ATTRIBUTE_REPARSE_POINT, 0u) << "the link must show as a link";
    EXPECT_EQ(found, 2);
    EXPECT_EQ(Found(), (std::vector<std::string>{"a.txt", "sub\\b.txt"}));
    EXPECT_EQ(gSearchStats.DirectoriesSearched, 2);
}

}  // namespace
