// Hostile trees and files, hostile settings files, and long days of use in
// one process: every search ends, lists what it should and leaves the window
// live; nothing leaks.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "file_view_support.h"
#include "search/walk.h"
#include "settings/settings_file.h"
#include "settings/settings_win.h"
#include "ui/text.h"

namespace {

// A folder of the host's own /tmp, built with the host's shell: FIFOs, links
// to devices, dangling links and sparse files cannot be made from inside.
class HostFolder {
  public:
    HostFolder() {
        // Wine numbers processes afresh in each prefix, so the process id
        // alone would let two test runs on one host share a folder.
        static const unsigned run = std::random_device{}();
        static unsigned counter = 0;
        char name[64];
        snprintf(name, sizeof name, "quarry-hostile-%08x-%u", run, ++counter);
        unixPath_ = std::string("/tmp/") + name;
        winPath_ = std::string("Z:\\tmp\\") + name;
    }
    ~HostFolder() { HostShell("rm -rf " + unixPath_); }
    // Runs the script in the new folder; true when the folder is there.
    bool Build(const std::string& script) {
        HostShell("mkdir -p " + unixPath_ + " && cd " + unixPath_ + " && { " + script +
                  "; } >/dev/null 2>&1");
        return GetFileAttributesA(winPath_.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    const std::string& path() const { return winPath_; }
    std::string File(const std::string& name) const { return winPath_ + "\\" + name; }

  private:
    std::string unixPath_, winPath_;
};

// Calls a function for each progress text the search shows, that is before
// each scanned file: the test's way to act at a chosen moment of a search.
class ProgressWatch {
  public:
    explicit ProgressWatch(std::function<void(const std::string&)> onProgress)
        : action_(std::move(onProgress)) {
        active = this;
        hook_ = SetWindowsHookExA(WH_CALLWNDPROC, &Hook, nullptr, GetCurrentThreadId());
    }
    ~ProgressWatch() {
        UnhookWindowsHookEx(hook_);
        active = nullptr;
    }

  private:
    static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp) {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(lp);
        if (code == HC_ACTION && active && message->hwnd == g_Main.StatusBar &&
            message->message == SB_SETTEXTA && LOWORD(message->wParam) == 0 && message->lParam)
            active->action_(reinterpret_cast<const char*>(message->lParam));
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    static inline ProgressWatch* active = nullptr;
    std::function<void(const std::string&)> action_;
    HHOOK hook_ = nullptr;
};

class Hostile : public FileViewFixture {
  protected:
    void SetUp() override {
        FileViewFixture::SetUp();
        Start();
    }
    // The rows' names, sorted, joined by blanks.
    static std::string Found() {
        Texts names;
        for (int row = 0; GetItemRecord(row); ++row) names.push_back(GetItemRecord(row)->name);
        std::sort(names.begin(), names.end());
        std::string joined;
        for (const std::string& name : names) joined += (joined.empty() ? "" : " ") + name;
        return joined;
    }
    // The window answers and its list takes commands after the search.
    void ExpectLive() {
        DWORD_PTR result = 0;
        EXPECT_TRUE(SendMessageTimeoutA(Main(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result));
        EXPECT_TRUE(IsWindowEnabled(Main()));
        EXPECT_EQ(StatusText(), "Ready");
    }
};

// Each hostile tree is searched by name and by text; the search ends with
// the files it should list and the window live. Devices and pipes are not
// text files, and a text search never reads one without end; the file above
// 4 GiB keeps its whole size.
TEST_F(Hostile, TreesThatWouldHangOrCrashASearchEnd) {
    std::string deep;
    for (int level = 0; level < 300; ++level) deep += "d/";
    const std::string plain = " && echo needle > plain.txt";
    const std::string devices = "ln -s /dev/zero zero.txt && ln -s /dev/urandom random.txt";
    const struct {
        std::string script;
        const char* text;
        const char* found;
    } cases[] = {
        {"mkdir -p " + deep + " && echo needle > top.txt && echo needle > d/d/d/low.txt && " +
             "echo needle > " + deep + "deepest.txt",
         "needle", "low.txt top.txt"},
        {"mkdir many && cd many && seq -f 'f%05g.dat' 50000 | xargs touch && echo needle > hit.txt",
         "", "hit.txt"},
        {"mkfifo pipe.txt" + plain, "needle", "plain.txt"},
        {"mkfifo pipe.txt", "", "pipe.txt"},
        {devices + plain, "needle", "plain.txt"},
        {devices, "", "random.txt zero.txt"},
        {"ln -s /nowhere/at/all gone.txt" + plain, "needle", "plain.txt"},
        {"truncate -s 5G sparse.txt" + plain, "needle", "plain.txt"},
        {"truncate -s 5G sparse.txt", "", "sparse.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script.substr(0, 40));
        HostFolder tree;
        ASSERT_TRUE(tree.Build(c.script));
        Find(tree.path(), "*.txt", c.text);
        EXPECT_EQ(Found(), c.found);
        ExpectLive();
    }
    ASSERT_TRUE(GetItemRecord(0));
    EXPECT_EQ(GetItemRecord(0)->size, 5ull << 30);
}

// Western accented names are found, shown and opened; names the code page
// cannot spell come through as the system's stand-in characters and neither
// crash nor stop the search.
TEST_F(Hostile, NamesBeyondTheCodePage) {
    HostFolder tree;
    // The host's names are UTF-8: é, ü and ñ; Chinese; an emoji.
    ASSERT_TRUE(
        tree.Build("printf needle > $(printf 'caf\\303\\251.txt') && "
                   "printf needle > $(printf '\\303\\274ber-ma\\303\\261ana.txt') && "
                   "printf needle > $(printf '\\344\\270\\255\\346\\226\\207.txt') && "
                   "printf needle > $(printf 'smile-\\360\\237\\230\\200.txt') && "
                   "printf needle > plain.txt"));
    Find(tree.path(), "*.txt");
    EXPECT_EQ(ShownItemCount(), 5) << Found();
    std::printf("[ names    ] listed by name: %s\n", Found().c_str());
    Find(tree.path(), "*.txt", "needle");
    const std::string found = Found();
    for (const char* name : {"caf\351.txt", "\374ber-ma\361ana.txt", "plain.txt"})
        EXPECT_NE(found.find(name), std::string::npos) << found;
    ExpectLive();
    int opened = 0;
    for (int row = 0; GetItemRecord(row); ++row) {
        if (GetItemRecord(row)->name != "caf\xe9.txt") continue;
        HANDLE file = CreateFileA(GetItemFullPath(row).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
        opened += file != INVALID_HANDLE_VALUE;
        CloseHandle(file);
    }
    EXPECT_EQ(opened, 1);
}

// A file deleted after the listing named it and before its scan is skipped
// without a word; a file that grows after the listing is scanned as it is then.
TEST_F(Hostile, FilesThatChangeUnderTheSearch) {
    HostFolder tree;
    ASSERT_TRUE(tree.Build(
        "for d in a b c; do mkdir $d && echo needle > $d/gone.txt && echo needle > $d/kept.txt "
        "&& echo start > $d/grows.txt; done"));
    std::string more;
    for (int line = 0; line < 2000; ++line) more += std::string(60, 'x') + "\r\n";
    more += "needle\r\n";
    int deleted = 0;
    ProgressWatch watch([&](const std::string& text) {
        for (const std::string d : {"a", "b", "c"}) {
            if (text.find(LowerText(tree.File(d))) == std::string::npos) continue;
            deleted += DeleteFileA(tree.File(d + "\\gone.txt").c_str()) != 0;
            HANDLE grows =
                CreateFileA(tree.File(d + "\\grows.txt").c_str(), FILE_APPEND_DATA,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
            DWORD written = 0;
            WriteFile(grows, more.data(), static_cast<DWORD>(more.size()), &written, nullptr);
            CloseHandle(grows);
        }
    });
    Find(tree.path(), "*.txt", "needle");
    EXPECT_EQ(deleted, 3);
    EXPECT_EQ(Found(), "grows.txt grows.txt grows.txt kept.txt kept.txt kept.txt");
    EXPECT_TRUE(boxes.shown().empty());
    ExpectLive();
}

// A settings file the user or a crash mangled: the program starts with sound
// values and writes, at exit, a file that reads back as what it held.
TEST_F(Hostile, MangledSettingsFilesStartSoundAndAreWrittenWhole) {
    std::mt19937 random(15);
    std::string noise(8192, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    std::string sectionsAndNoise;
    for (const char* section : {"[Find]\r\n", "[Options]\r\n", "[FileView]\r\n"})
        sectionsAndNoise += section + noise.substr(random() % 4096, 1024) + "\r\n";
    const std::string cases[] = {
        noise,
        sectionsAndNoise,
        "[Find]\r\nCase=-99999999999999999999\r\nSub-Directory=2,99999999999999999999\r\n"
        "[Options]\r\nSortMode=-2147483649\r\nSortOrder=99999999999\r\nEditor=77777,\r\n"
        "EditorQuery=-7\r\nEnableExcludeFiles=4294967297\r\n"
        "[FileView]\r\nWindowSize=2147483647,-2147483648,99999999999,0\r\nFontSize=4294967336\r\n"
        "Tabs=-1\r\n",
        "[Options]\r\nSortOrder=0\r\n",
        "",
        "[Find]\r\nFilePattern=" + std::string(1 << 20, 'x') +
            "\r\nDirectory=" + std::string(1 << 20, 'y') +
            "\r\n[FileView]\r\nFontName=" + std::string(1 << 20, 'z') + "\r\n",
    };
    DestroyWindow(Main());
    DrainMessages();
    for (const std::string& ini : cases) {
        SCOPED_TRACE(ini.substr(0, 40));
        ReplaceSettings(Settings{});
        Start(ini);
        ASSERT_TRUE(Main());
        const Settings s = g_Settings;
        EXPECT_LE(s.Directory.size(), kDirectoryMax);
        EXPECT_LE(s.DefaultFileType.size(), kFilePatternMax);
        EXPECT_LE(s.ZipOptions.size(), kZipOptionsMax);
        EXPECT_LE(s.FontName.size(), kFontNameMax);
        EXPECT_FALSE(s.OtherEditor.empty());
        EXPECT_TRUE(s.SubDirMode <= 2 && s.SortMode <= 3 && s.FontSize <= 40 && s.Tabs <= 12);
        for (int32_t coordinate :
             {s.FileViewRect.left, s.FileViewRect.top, s.FileViewRect.width, s.FileViewRect.height})
            EXPECT_LE(std::abs(coordinate), 32767);
        SendMessageA(Main(), WM_CLOSE, 0, 0);
        EXPECT_EQ(DrainMessages(), 0);
        ReplaceSettings(Settings{});
        ASSERT_TRUE(LoadSettings(folder.File("Quarry32.ini").c_str()));
        for (const SettingsKey& key : kSettingsWriteOrder)
            EXPECT_EQ(FormatSettingsValue(g_Settings, key.value), FormatSettingsValue(s, key.value))
                << key.section << "/" << key.key;
    }
}

// Live objects of the process: the system's counts where it keeps them,
// otherwise (Wine does not) the GDI handles that answer and the windows,
// menus and accelerator tables of this thread.
struct ObjectCounts {
    DWORD gdi = 0, user = 0;
    SIZE_T privateBytes = 0;
};

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
    ++*reinterpret_cast<DWORD*>(count);
    EnumChildWindows(window, &CountWindow, count);
    return TRUE;
}

ObjectCounts CountObjects() {
    ObjectCounts counts;
    counts.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    counts.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    // A handle without its generation names whichever object holds its slot.
    for (ULONG_PTR slot = 0x20, none = counts.gdi == 0; none && slot < 0x10000; ++slot)
        counts.gdi += GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0;
    if (counts.user == 0) {
        EnumThreadWindows(GetCurrentThreadId(), &CountWindow,
                          reinterpret_cast<LPARAM>(&counts.user));
        for (ULONG_PTR slot = 0x20; slot < 0x10000; slot += 2)
            counts.user += IsMenu(reinterpret_cast<HMENU>(slot)) ||
                           CopyAcceleratorTableA(reinterpret_cast<HACCEL>(slot), nullptr, 0) > 0;
    }
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                         sizeof memory);
    // Wine leaves the private bytes at 0 and keeps the process's own
    // allocations in the page-file figure.
    counts.privateBytes = memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage;
    return counts;
}

// Prints the day's figures and checks them: GDI and USER counts end within 4
// of where they started (Wine makes a few objects once, when a path first
// runs; a leak of one a round is 200); private bytes within 2 MB (the heap
// keeps some of what it was given).
void ExpectNothingLeaked(const std::string& day, const ObjectCounts& before) {
    const ObjectCounts after = CountObjects();
    std::printf("[ long day ] %s; GDI %lu -> %lu, USER %lu -> %lu, private bytes %zu -> %zu KB\n",
                day.c_str(), before.gdi, after.gdi, before.user, after.user,
                before.privateBytes / 1024, after.privateBytes / 1024);
    EXPECT_LE(after.gdi, before.gdi + 4);
    EXPECT_LE(after.user, before.user + 4);
    EXPECT_LE(after.privateBytes, before.privateBytes + (2u << 20));
}

// A long day in one process: 200 searches stopped by Esc at moments spread
// over the walk, and 200 clears of the list each followed by a fill of 120
// rows through the path a search ends with.
TEST_F(Hostile, ALongDayOfSearchesLeaksNothing) {
    HostFolder tree;
    ASSERT_TRUE(
        tree.Build("for d in 1 2 3 4; do mkdir dir$d && echo needle > dir$d/file.txt; done"));
    auto refill = [&] {
        std::vector<DirEntry> entries(120);
        for (int row = 0; row < 120; ++row) {
            entries[row].name = "file" + std::to_string(row) + ".txt";
            entries[row].size = static_cast<uint64_t>(row) << 20;
        }
        ShowRows(tree.path(), entries);
        SortFileInfoList();
    };
    Find(tree.path(), "*.txt", "needle");
    refill();
    Command(IDM_CLEAR_LIST);
    DrainMessages();
    const ObjectCounts before = CountObjects();
    int aborted = 0;
    for (int day = 0; day < 200; ++day) {
        const int moment = day % 6;  // 0: before the first file; 5: never
        int shown = 0;
        ProgressWatch watch([&](const std::string&) {
            if (++shown == moment) PostMessageA(Main(), WM_KEYDOWN, VK_ESCAPE, 0);
        });
        if (moment == 0) PostMessageA(Main(), WM_KEYDOWN, VK_ESCAPE, 0);
        const size_t boxesBefore = boxes.shown().size();
        Find(tree.path(), "*.txt", "needle");
        aborted +=
            boxes.shown().size() > boxesBefore && boxes.shown().back().text == kSearchAbortedText;
        ASSERT_LE(ShownItemCount(), 4);
        DrainMessages();
    }
    for (int day = 0; day < 200; ++day) {
        Command(IDM_CLEAR_LIST);
        ASSERT_EQ(ShownItemCount(), 0);
        refill();
        ASSERT_EQ(ShownItemCount(), 120);
    }
    Command(IDM_CLEAR_LIST);
    DrainMessages();
    ExpectNothingLeaked(std::to_string(aborted) + " of 200 searches stopped by Esc", before);
    // The Esc posted before a search always stops it; the others stop it
    // when the walk looks at the queue again before it ends.
    EXPECT_GE(aborted, 200 / 6);
    ExpectLive();
}

// A long day with FileView: 200 times a found file opens from the list (a
// double click or Enter on its row), two Line List entries are shown (a
// double click, Enter or Display Context), now and then Wrap Lines, the pane
// switch or a new font size, and FileView closes. One round in five opens
// the large file, whose entries are read as windows of lines. Five rounds,
// one of each kind, warm up first.
TEST_F(Hostile, ALongDayOfFileViewLeaksNothing) {
    std::string small, large;
    for (int line = 0; line < 40; ++line)
        small += "line " + std::to_string(line) + (line % 10 == 3 ? " needle\r\n" : "\r\n");
    for (int line = 0; line < 2000; ++line)
        large += std::string(60, 'x') + (line % 500 == 7 ? " needle\r\n" : "\r\n");
    folder.Write("small.txt", small);
    folder.Write("large.txt", large);
    SetEditorQuery(kEditorQueryBase + 2);  // never asks for the viewer
    Find(folder.path(), "*.txt", "needle");
    ASSERT_EQ(ShownItemCount(), 2);
    const int largeRow = GetItemRecord(0)->name == "large.txt" ? 0 : 1;
    HWND list = Control(IDC_FILE_LIST);
    auto openRow = [&](int row, bool byEnter) {
        SetRowState(row, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
        RECT label = {LVIR_LABEL, 0, 0, 0};
        SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&label));
        if (byEnter)
            SendMessageA(list, WM_KEYDOWN, VK_RETURN, 0);
        else
            SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON,
                         MAKELPARAM(label.left + 4, label.top + 4));
        DrainMessages();
    };
    // Shows entry `index` and answers what EditView selects.
    auto jump = [&](int index, int how) {
        HWND lines = FileViewLineView();
        SendMessageA(lines, LB_SETCURSEL, index, 0);
        RECT item = {};
        SendMessageA(lines, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
        const LPARAM at = MAKELPARAM(item.left + 4, item.top + 2);
        if (how == 0)
            for (UINT click : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
                SendMessageA(lines, click, click == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
        else if (how == 1)
            SendMessageA(lines, WM_KEYDOWN, VK_RETURN, 0);
        else
            SendMessageA(FileViewHandle(), WM_COMMAND, IDM_FV_DISPLAY_CONTEXT, 0);
        DrainMessages();
        return Selected();
    };
    ObjectCounts before;
    int jumps = 0, contextJumps = 0;
    for (int round = 0; round < 205; ++round) {
        if (round == 5) {
            DrainMessages();
            before = CountObjects();
        }
        const bool inContext = round % 5 == 1;
        openRow(inContext ? largeRow : 1 - largeRow, round % 2 == 0);
        ASSERT_TRUE(FileViewHandle()) << round;
        ASSERT_EQ(SendMessageA(FileViewLineView(), LB_GETCOUNT, 0, 0), 4) << round;
        if (round % 7 == 3) {
            FileViewCommand(IDM_FV_WRAP_LINES);
            FileViewCommand(IDM_FV_SWITCH_PANE);
        }
        if (round % 50 == 2) {
            DialogRobot robot(FORMATDLGORD31, [&](HWND dialog) {
                ChooseInFontDialog(dialog, "Tahoma", round % 2 ? "10" : "12");
                Press(dialog, IDOK);
            });
            FileViewCommand(IDM_FV_FONT);
            EXPECT_EQ(robot.opened(), 1) << round;
        }
        for (int index : {3, round % 3}) {
            ASSERT_EQ(jump(index, (round + index) % 3), "needle") << round << " " << index;
            jumps += round >= 5;
            contextJumps += round >= 5 && inContext;
        }
        FileViewCommand(IDM_FV_CLOSE);
        DrainMessages();
        ASSERT_FALSE(FileViewHandle()) << round;
    }
    ExpectNothingLeaked("200 FileView opens, " + std::to_string(jumps) + " jumps (" +
                            std::to_string(contextJumps) + " in windows of lines)",
                        before);
    EXPECT_TRUE(boxes.shown().empty());
}

}  // namespace
