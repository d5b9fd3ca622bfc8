// Times the search engine as Find Files drives it, against the floor, in one
// process under Wine, so Wine's start-up is not in the figures:
//   quarry_bench <case> <tree> <runs>
// case: plain, nocase, word, regular (text search of the tree with "*.*") or
// names ("*.txt", no text). After one warm-up of each, the floor and the
// engine run in turn, <runs> times each; every run is timed with
// QueryPerformanceCounter and printed, then the medians of each and the
// median of the runs' ratios (engine / floor of the same turn).
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "floor_win.h"
#include "search/chunk_reader_win.h"
#include "search/criteria.h"
#include "search/dir_lister_win.h"
#include "search/report.h"
#include "search/scan.h"
#include "search/walk.h"
#include "ui/text.h"
#include "ui/text_options.h"

namespace {

struct BenchCase {
    const char* name;
    const char* pattern;
    const char* searchText;
    uint8_t options;
};

constexpr BenchCase kCases[] = {
    {"plain", "*.*", "needle", kTextCase},
    {"nocase", "*.*", "Needle", 0},
    {"word", "*.*", "needle", kTextCase | kTextWord},
    {"regular", "*.*", "n[e]@dle", kTextCase | kTextRegular},
    {"names", "*.txt", "", 0},
};

// The search window's walk host without the window (that one paints the
// status bar and fills the File Info List): the same throttled message pump
// and the same scan, while found files are only counted.
class CountingHost : public WalkHost, public ScanHost {
  public:
    void ShowWarning(const std::string& text) override {
        std::printf("warning: %s\n", text.c_str());
    }

    // The queue is looked at only every few milliseconds: each look is a
    // round trip to the system.
    bool PumpMessages() override {
        const DWORD now = GetTickCount();
        if (!PumpIsDue(now, lastPump_, pumpedYet_)) return false;
        pumpedYet_ = true;
        lastPump_ = now;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return true;
            if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) return true;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        return false;
    }

    void ShowProgress(const std::string&, const std::string&) override {}
    DateTriple LocalDate(int64_t modified) override { return LocalDateOf(modified); }

    bool FileContainsText(const std::string& fullPath, const std::string& searchText,
                          uint8_t textOptions) override {
        return ::FileContainsText(reader_, *this, fullPath, searchText.c_str(), textOptions);
    }

    void ScanWarning(const std::string& text) override { ShowWarning(text); }
    void NonTextFile(const std::string&) override { nonText += 1; }

    int nonText = 0;

  private:
    Win32ChunkReader reader_;
    DWORD lastPump_ = 0;
    bool pumpedYet_ = false;
};

double Now(const LARGE_INTEGER& frequency) {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// One search as Find Files starts it: the criteria of the case, fresh
// counters, and a walk of every level of the tree.
int RunQuarry(const BenchCase& bench, const std::string& tree) {
    SearchCriteria criteria;
    criteria.BaseDirectory = tree;
    criteria.FileNameList = bench.pattern;
    criteria.SearchText = bench.searchText;
    criteria.TextOptions = bench.options;
    criteria.WalkDepth = kWalkAllLevels;
    SearchRun run;
    run.Pending.listHasRows = true;  // found files are only counted
    Win32DirLister lister;
    CountingHost host;
    const int found =
        WalkDirectory(host, lister, run, criteria, {tree, bench.pattern}, kWalkAllLevels);
    if (host.nonText != 0) std::printf("non-text files: %d\n", host.nonText);
    return found;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

size_t WorkingSetKb(bool peak) {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
    return (peak ? counters.PeakWorkingSetSize : counters.WorkingSetSize) / 1024;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr,
                     "usage: quarry_bench <plain|nocase|word|regular|names> <tree> <runs>\n");
        return 2;
    }
    const BenchCase* bench = nullptr;
    for (const BenchCase& candidate : kCases) {
        if (std::strcmp(candidate.name, argv[1]) == 0) bench = &candidate;
    }
    const std::string tree = LowerText(argv[2]);
    const int runs = std::atoi(argv[3]);
    if (bench == nullptr || runs < 1) {
        std::fprintf(stderr, "quarry_bench: bad case or run count\n");
        return 2;
    }
    const bool readFiles = bench->searchText[0] != 0;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    // The pump's first look makes the thread's message queue.
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    const size_t workingSetBefore = WorkingSetKb(false);

    std::vector<double> floorTimes;
    std::vector<double> quarryTimes;
    int64_t floorFiles = 0;
    int quarryFiles = 0;
    // QUARRY_BENCH_ONLY=floor or =quarry runs one side alone, to look at
    // its system calls from outside.
    const char* only = std::getenv("QUARRY_BENCH_ONLY");
    const bool runFloor = only == nullptr || std::strcmp(only, "floor") == 0;
    const bool runQuarry = only == nullptr || std::strcmp(only, "quarry") == 0;
    std::vector<double> pairRatios;
    for (int run = 0; run <= runs; ++run) {
        // The two take turns at going first, so neither always meets the
        // file cache or the machine as the other left it.
        double floorMs = 0;
        double quarryMs = 0;
        for (int side = 0; side < 2; ++side) {
            const double start = Now(frequency);
            if ((side == 0) == (run % 2 == 0)) {
                if (runFloor) floorFiles = RunFloor(tree.c_str(), readFiles).files;
                floorMs = Now(frequency) - start;
            } else {
                if (runQuarry) quarryFiles = RunQuarry(*bench, tree);
                quarryMs = Now(frequency) - start;
            }
        }
        const char* label = run == 0 ? "warm-up" : "run";
        std::printf("%s %d floor %.1f ms (%lld files)  quarry %.1f ms (%d found)\n", label, run,
                    floorMs, static_cast<long long>(floorFiles), quarryMs, quarryFiles);
        if (run == 0) continue;
        floorTimes.push_back(floorMs);
        quarryTimes.push_back(quarryMs);
        if (floorMs > 0) pairRatios.push_back(quarryMs / floorMs);
    }
    std::printf(
        "RESULT %s floor_ms=%.1f quarry_ms=%.1f pair_ratio=%.3f floor_files=%lld quarry_found=%d\n",
        bench->name, Median(floorTimes), Median(quarryTimes),
        pairRatios.empty() ? 0.0 : Median(pairRatios), static_cast<long long>(floorFiles),
        quarryFiles);
    std::printf("MEMORY %s working_set_before_kb=%zu peak_working_set_kb=%zu\n", bench->name,
                workingSetBefore, WorkingSetKb(true));
    return 0;
}
