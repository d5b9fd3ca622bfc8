#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "results/pending.h"
#include "search/dir_lister_win.h"
#include "win_test_support.h"

namespace {

// Runs a Linux command on the Linux side of a path (Wine starts native
// programs directly); false outside Wine or when the command fails.
bool RunOnUnixPath(const std::string& command, const std::string& path) {
    using ToUnix = char*(CDECL*)(const WCHAR*);
    auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    WCHAR wide[MAX_PATH];
    if (!toUnix || !MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH)) return false;
    char* unix = toUnix(wide);
    if (!unix) return false;
    std::string commandLine = command + " " + unix;
    HeapFree(GetProcessHeap(), 0, unix);
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
    return find != INVALID_HANDLE_VALUE && FindClose(find);
}

class RealWalkHost : public WalkHost {
  public:
    void ShowWarning(const std::string& text) override { FAIL() << text; }
    bool PumpMessages() override { return false; }
    void ShowProgress(const std::string&, const std::string&) override {}
    DateTriple LocalDate(int64_t modified) override { return LocalDateOf(modified); }
    bool FileContainsText(const std::string&, const std::string&, uint8_t) override { return true; }
    int AddFileInfoItem(const std::string& directory, const DirEntry& entry,
                        int countSoFar) override {
        return ::AddFileInfoItem(*this, directory, entry, countSoFar);
    }
};

// One walk over a tree with hidden and dot files, a deep path, a file above
// 4 GiB (where the file system can hold one), a directory nobody may read
// (readable anyway when the tests run as root) and a link back to the folder,
// which would walk the folder again and again.
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
    HANDLE file = CreateFileA(folder.File("big.iso").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = (5LL << 30) + 3;
    const bool sized = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    dir("locked");
    folder.Write("locked\\inside.txt", "x");
    const std::string locked = folder.File("locked");
    const bool unreadable = RunOnUnixPath("/bin/chmod 000", locked) && !CanList(locked);
    dir("sub");
    folder.Write("sub\\b.txt", "b");
    const std::string link = folder.File("sub\\up");
    bool linked =
        CreateSymbolicLinkA(link.c_str(), folder.path().c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) &&
        CanList(link);
    if (!linked) linked = RunOnUnixPath("/bin/ln -s ..", link) && CanList(link);
    const DWORD linkAttributes = GetFileAttributesA(link.c_str());

    gSearchCriteria = SearchCriteria{};
    gPendingTable = PendingTable{};
    AbortFlag = false;
    ResetSearchStats(300);
    RealWalkHost host;
    Win32DirLister lister;
    const int found = WalkDirectory(host, lister, folder.path(), -2, "*.*");
    RunOnUnixPath("/bin/chmod 755", locked);
    if (!RemoveDirectoryA(link.c_str())) DeleteFileA(link.c_str());
    RunOnUnixPath("/bin/rm -f", link);

    std::vector<std::string> paths,
        expected = {".profile", "big.iso", "hidden.txt", deep + "\\deep.txt", "sub\\b.txt"};
    if (!unreadable) expected.insert(expected.begin() + 4, "locked\\inside.txt");
    for (const auto& item : gPendingTable.items) {
        paths.push_back(JoinPath(item->directory, item->name).substr(folder.path().size() + 1));
    }
    std::sort(paths.begin(), paths.end());
    EXPECT_EQ(paths, expected);
    EXPECT_EQ(found, static_cast<int>(expected.size()));
    EXPECT_EQ(gSearchStats.DeepestLevel, 3);
    EXPECT_EQ(gSearchStats.DirectoriesSearched, 6);
    EXPECT_EQ(gSearchStats.TotalSize,
              (unreadable ? 12u : 13u) + (sized ? static_cast<uint64_t>(end.QuadPart) : 0u));
    EXPECT_EQ(CompareDates(LocalDateOf(gPendingTable.items[0]->modified), LocalToday()), 0);
    EXPECT_TRUE(!linked || (linkAttributes & FILE_ATTRIBUTE_REPARSE_POINT));
}

}  // namespace
